// OrvPdfPrinter PDF-PATH PRINTER-NAME [DELETE-FLAG]: prints the PDF on the printer, every page scaled to
// fit, as one job named by the path; then deletes the file unless the flag is 0. Shows nothing, prints
// nothing on its outputs and always exits with 0.
#include "PdfPrinter.h"
#include "PrintArguments.h"

#include <QGuiApplication>

#include <vector>

namespace {

void Silence(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::optional<PrintArguments> job = ParsePrintArguments(arguments);
    if (!job)
        return 0;
    qInstallMessageHandler(Silence);
    // No window ever: the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    PrintPdf(job->printer, job->path, job->deleteFlag);
    return 0;
}

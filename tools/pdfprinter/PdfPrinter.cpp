#include "PdfPrinter.h"

#include "PageFit.h"
#include "platform/PrinterCatalog.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfDocumentRenderOptions>
#include <QPrinter>

#include <algorithm>

namespace {

// Pages are rendered in bands of this many bytes at most, so memory stays small at any resolution.
constexpr qsizetype kBandBytes = 8 * 1024 * 1024;

// Renders the page scaled to `target` (device pixels) and draws it band by band.
void DrawPage(QPainter& painter, QPdfDocument& document, int page, const QRect& target)
{
    if (target.width() <= 0 || target.height() <= 0)
        return;
    const int bandHeight = std::max<int>(1, static_cast<int>(kBandBytes / (4 * qsizetype(target.width()))));
    for (int top = 0; top < target.height(); top += bandHeight) {
        const int height = std::min(bandHeight, target.height() - top);
        QPdfDocumentRenderOptions options; // no annotations, no rotation
        options.setScaledSize(target.size());
        options.setScaledClipRect(QRect(0, top, target.width(), height));
        QImage band = document.render(page, QSize(target.width(), height), options);
        if (band.isNull())
            continue;
        // Pages are opaque: without an alpha channel the printer's engine stores no transparency mask.
        band.convertTo(QImage::Format_RGB32);
        painter.drawImage(QPoint(target.x(), target.y() + top), band);
    }
}

} // namespace

bool PrintPdf(const std::string& printerName, const std::string& path, int deleteFlag, int resolution)
{
    QPdfDocument document;
    if (document.load(QString::fromLocal8Bit(path)) != QPdfDocument::Error::None)
        return false;
    // An unknown name would silently print on another printer: only a printer CUPS knows by exactly
    // this name is used.
    if (!platform::PrinterExists(printerName))
        return false;

    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(QString::fromLocal8Bit(printerName));
    // Qt would draw at a fixed 1200 dpi; the printer's own resolution is what it prints at.
    if (resolution <= 0)
        resolution = platform::PrinterResolution(printerName);
    if (resolution > 0)
        printer.setResolution(resolution);
    printer.setDocName(QString::fromLocal8Bit(path));
    // The printable area is the printer's imageable area: margins down to what the hardware needs.
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);

    QPainter painter;
    bool started = false;
    for (int page = 0; page < document.pageCount(); ++page) {
        QSizeF points = document.pagePointSize(page);
        if (points.width() <= 0 || points.height() <= 0)
            continue; // a page that cannot be loaded is left out
        if (!started) {
            started = painter.begin(&printer);
            if (!started)
                break;
        } else {
            printer.newPage();
        }
        QRect target = FitPage(static_cast<float>(points.width()), static_cast<float>(points.height()),
                               static_cast<float>(printer.width()), static_cast<float>(printer.height()));
        DrawPage(painter, document, page, target);
    }
    if (started)
        painter.end();
    document.close();
    if (deleteFlag != 0)
        QFile::remove(QString::fromLocal8Bit(path));
    return true;
}

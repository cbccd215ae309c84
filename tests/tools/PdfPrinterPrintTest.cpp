#include "fixtures/CupsDaemon.h"
#include "fixtures/DesktopEnvironment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// The dark area of one page of the printer's output, in points from the paper's top left.
struct DarkArea
{
    int pageWidth = 0, pageHeight = 0;
    int left = 0, top = 0, right = 0, bottom = 0; // right and bottom: one past the last dark pixel
};

// Rasterises the printer's output at 72 dpi (one pixel a point) and finds each page's dark rectangle.
std::vector<DarkArea> DarkAreas(const std::string& pdf, const fs::path& scratch)
{
    std::string prefix = (scratch / "page").string();
    std::string command = "pdftoppm -r 72 -gray '" + pdf + "' '" + prefix + "'";
    if (std::system(command.c_str()) != 0)
        return {};
    std::vector<DarkArea> areas;
    for (int page = 1;; ++page) {
        std::ifstream in(prefix + "-" + std::to_string(page) + ".pgm", std::ios::binary);
        if (!in)
            break;
        std::string magic;
        int width = 0, height = 0, maxValue = 0;
        in >> magic >> width >> height >> maxValue;
        in.get();
        std::vector<unsigned char> pixels(static_cast<size_t>(width) * height);
        in.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
        DarkArea area{width, height, width, height, 0, 0};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (pixels[static_cast<size_t>(y) * width + x] < 128) {
                    area.left = std::min(area.left, x);
                    area.top = std::min(area.top, y);
                    area.right = std::max(area.right, x + 1);
                    area.bottom = std::max(area.bottom, y + 1);
                }
        areas.push_back(area);
    }
    return areas;
}

int PageCount(const std::string& pdf)
{
    std::string command = "pdfinfo '" + pdf + "' 2>/dev/null | sed -n 's/^Pages: *//p'";
    FILE* pipe = popen(command.c_str(), "r");
    int pages = -1;
    if (pipe != nullptr) {
        if (std::fscanf(pipe, "%d", &pages) != 1)
            pages = -1;
        pclose(pipe);
    }
    return pages;
}

// The print tool against a private CUPS daemon whose queue writes PDF into a file.
class PdfPrinterPrintTest : public testing::Test
{
protected:
    static void SetUpTestSuite() { s_cups = new CupsDaemon("orvanta-test"); }
    static void TearDownTestSuite() { delete s_cups; }

    void SetUp() override
    {
        ASSERT_TRUE(s_cups->ready());
        s_cups->SetEnvironment();
        m_scratch = fs::temp_directory_path() / ("orv-print-" + std::to_string(getpid()));
        fs::remove_all(m_scratch);
        fs::create_directories(m_scratch / "my docs");
    }
    void TearDown() override { fs::remove_all(m_scratch); }

    std::string MakePdf(const std::string& name, const std::string& pages)
    {
        std::string path = (m_scratch / "my docs" / name).string();
        std::string command = "python3 " ORVANTA_FIXTURES_DIR "/make_test_pdf.py '" + path + "' " + pages;
        EXPECT_EQ(std::system(command.c_str()), 0);
        return path;
    }

    // Runs the tool; its standard output and error must stay empty.
    void Print(const std::vector<std::string>& arguments)
    {
        std::string output = (m_scratch / "tool-output.txt").string();
        std::string command = "'" ORVANTA_PDFPRINTER_PROGRAM "'";
        for (const std::string& argument : arguments)
            command += " '" + argument + "'";
        command += " >'" + output + "' 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0);
        EXPECT_EQ(fs::file_size(output), 0u) << "the tool printed something on its outputs";
    }

    static size_t JobCount() { return s_cups->Jobs().size(); }

    static CupsDaemon* s_cups;
    fs::path m_scratch;
};

CupsDaemon* PdfPrinterPrintTest::s_cups = nullptr;

TEST_F(PdfPrinterPrintTest, PrintsEveryPageFittedAsOneJobNamedByThePathAndDeletesTheFile)
{
    std::string pdf = MakePdf("landscape and portrait.pdf", "LP");
    size_t before = JobCount();
    Print({pdf, s_cups->queueName()});
    ASSERT_TRUE(s_cups->WaitForCompletedJobs(static_cast<int>(before) + 1));
    EXPECT_FALSE(fs::exists(pdf));
    EXPECT_EQ(s_cups->CompletedJobTitles().back(), pdf);
    ASSERT_EQ(PageCount(s_cups->outputPath()), 2);

    auto areas = DarkAreas(s_cups->outputPath(), m_scratch);
    ASSERT_EQ(areas.size(), 2u);
    // The landscape page spans the printable width and sits in the middle vertically.
    const DarkArea& landscape = areas[0];
    int width = landscape.right - landscape.left, height = landscape.bottom - landscape.top;
    EXPECT_NEAR(double(height) / width, 595.0 / 842.0, 0.02);
    EXPECT_NEAR(landscape.top + height / 2.0, landscape.pageHeight / 2.0, 3);
    EXPECT_GT(width, landscape.pageWidth * 0.9);
    // The portrait page keeps its aspect and is centred along the axis with room to spare.
    const DarkArea& portrait = areas[1];
    width = portrait.right - portrait.left, height = portrait.bottom - portrait.top;
    EXPECT_NEAR(double(width) / height, 595.0 / 842.0, 0.02);
    EXPECT_NEAR(portrait.left + width / 2.0, portrait.pageWidth / 2.0, 3);
    EXPECT_GT(height, portrait.pageHeight * 0.9);
}

TEST_F(PdfPrinterPrintTest, AFlagOf0KeepsTheFile)
{
    std::string pdf = MakePdf("kept.pdf", "P");
    size_t before = JobCount();
    Print({pdf, s_cups->queueName(), "0"});
    ASSERT_TRUE(s_cups->WaitForCompletedJobs(static_cast<int>(before) + 1));
    EXPECT_TRUE(fs::exists(pdf));
    EXPECT_EQ(PageCount(s_cups->outputPath()), 1);
}

struct RefusalCase
{
    const char* name;
    const char* pages; // "broken" for a file that is no PDF
    const char* printer;
    std::vector<std::string> extra;
};

void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << c.name;
}

class PdfPrinterRefusalTest : public PdfPrinterPrintTest, public testing::WithParamInterface<RefusalCase>
{
};

TEST_P(PdfPrinterRefusalTest, PrintsNothingAndKeepsTheFile)
{
    const RefusalCase& c = GetParam();
    std::string pdf = std::string(c.pages) == "broken" ? (m_scratch / "my docs" / "broken.pdf").string()
                                                       : MakePdf("refused.pdf", c.pages);
    if (std::string(c.pages) == "broken")
        std::ofstream(pdf) << "%PDF-1.4\nthis is not a document\n";
    size_t before = JobCount();
    std::vector<std::string> arguments{pdf, c.printer == nullptr ? s_cups->queueName() : c.printer};
    arguments.insert(arguments.end(), c.extra.begin(), c.extra.end());
    Print(arguments);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(JobCount(), before);
    EXPECT_TRUE(fs::exists(pdf));
}

INSTANTIATE_TEST_SUITE_P(Cases, PdfPrinterRefusalTest,
                         testing::Values(RefusalCase{"unknown printer", "P", "no-such-printer", {}},
                                         RefusalCase{"printer name differs in case", "P", "ORVANTA-TEST", {}},
                                         RefusalCase{"broken PDF", "broken", nullptr, {}},
                                         RefusalCase{"flag without digits", "P", nullptr, {"abc"}},
                                         RefusalCase{"flag beyond 32 bits", "P", nullptr, {"99999999999"}}));

} // namespace

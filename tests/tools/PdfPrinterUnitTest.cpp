#include "tools/pdfprinter/PageFit.h"
#include "tools/pdfprinter/PrintArguments.h"

#include <gtest/gtest.h>

namespace {

struct FitCase
{
    const char* name;
    float width, height, printableWidth, printableHeight;
    QRect target;
};

void PrintTo(const FitCase& c, std::ostream* os)
{
    *os << c.name;
}

class FitPageTest : public testing::TestWithParam<FitCase>
{
};

TEST_P(FitPageTest, FitsAndCentresAlongTheSpareAxis)
{
    const FitCase& c = GetParam();
    EXPECT_EQ(FitPage(c.width, c.height, c.printableWidth, c.printableHeight), c.target);
}

// A4 is 595 x 842 points; 4760 x 6736 pixels is A4's imageable area at 600 dpi without margins.
INSTANTIATE_TEST_SUITE_P(
    Cases, FitPageTest,
    testing::Values(
        // landscape on portrait: full width, vertically centred
        FitCase{"landscape A4 on portrait A4", 842, 595, 4760, 6736, QRect(0, 1686, 4760, 3363)},
        // portrait of another aspect: the height limits
        FitCase{"tall page", 300, 900, 4760, 6736, QRect(1257, 0, 2245, 6736)},
        // portrait of another aspect: the width limits
        FitCase{"wide portrait page", 600, 700, 4760, 6736, QRect(0, 591, 4760, 5553)},
        // equal scales take the height branch
        FitCase{"equal scales", 100, 200, 50, 100, QRect(0, 0, 50, 100)},
        // truncation toward zero, in single precision
        FitCase{"truncation", 612, 792, 4800, 6400, QRect(0, 94, 4800, 6211)}));

struct ArgumentsCase
{
    const char* name;
    std::vector<std::string> arguments;
    bool runs;
    int deleteFlag;
};

void PrintTo(const ArgumentsCase& c, std::ostream* os)
{
    *os << c.name;
}

class PrintArgumentsTest : public testing::TestWithParam<ArgumentsCase>
{
};

TEST_P(PrintArgumentsTest, ReadsPathPrinterAndDeleteFlag)
{
    const ArgumentsCase& c = GetParam();
    auto parsed = ParsePrintArguments(c.arguments);
    ASSERT_EQ(parsed.has_value(), c.runs);
    if (parsed) {
        EXPECT_EQ(parsed->path, c.arguments[0]);
        EXPECT_EQ(parsed->printer, c.arguments.size() > 1 ? c.arguments[1] : "");
        EXPECT_EQ(parsed->deleteFlag, c.deleteFlag);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrintArgumentsTest,
    testing::Values(ArgumentsCase{"no file", {}, false, 0}, ArgumentsCase{"empty file", {"", "P"}, false, 0},
                    ArgumentsCase{"no flag deletes", {"/d/a.pdf", "Office Printer"}, true, 1},
                    ArgumentsCase{"no printer", {"/d/a.pdf"}, true, 1},
                    ArgumentsCase{"0 keeps", {"/d/a.pdf", "P", "0"}, true, 0},
                    ArgumentsCase{"2 deletes", {"/d/a.pdf", "P", "2"}, true, 2},
                    ArgumentsCase{"sign and trailing text", {"/d/a.pdf", "P", " -7x"}, true, -7},
                    ArgumentsCase{"no digits", {"/d/a.pdf", "P", "abc"}, false, 0},
                    ArgumentsCase{"beyond 32 bits", {"/d/a.pdf", "P", "99999999999"}, false, 0},
                    ArgumentsCase{"32-bit limit", {"/d/a.pdf", "P", "-2147483648"}, true, INT32_MIN},
                    ArgumentsCase{"further arguments ignored", {"/d/a.pdf", "P", "0", "x"}, true, 0}));

} // namespace

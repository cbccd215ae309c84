#include "browser/CLabel.h"
#include "browser/CPictureEx.h"
#include "browser/DialogUnits.h"
#include "fixtures/QtTestApplication.h"

#include <QApplication>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class BrowserWidgetsTest : public testing::Test
{
protected:
    static void SetUpTestSuite() { EnsureQtApplication<QApplication>(); }
};

// The leftmost and rightmost columns with a dark pixel.
std::pair<int, int> InkColumns(const QImage& image)
{
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return {left, right};
}

TEST_F(BrowserWidgetsTest, ALabelPlacesItsTextByItsStyle)
{
    struct Case
    {
        CLabel::Style style;
        int leftAtMost;   // the text starts at or before this column
        int rightAtLeast; // and ends at or after this one
        int centreNear;   // -1: not looked at
    };
    for (const Case& c : {Case{CLabel::Style::Left, 4, 0, -1}, Case{CLabel::Style::LeftNoWrap, 4, 0, -1},
                          Case{CLabel::Style::Right, 400, 194, -1}, Case{CLabel::Style::Center, 400, 0, 100},
                          Case{CLabel::Style::CenterImage, 400, 0, 100}}) {
        CLabel label(nullptr, c.style);
        label.resize(200, 24);
        label.SetBkColor(Qt::white).SetTextColor(Qt::black).SetText(QStringLiteral("Wm"));
        auto [left, right] = InkColumns(label.grab().toImage());
        ASSERT_LE(left, right) << static_cast<int>(c.style);
        EXPECT_LE(left, c.leftAtMost) << static_cast<int>(c.style);
        EXPECT_GE(right, c.rightAtLeast) << static_cast<int>(c.style);
        if (c.centreNear >= 0) {
            EXPECT_NEAR((left + right) / 2, c.centreNear, 3) << static_cast<int>(c.style);
        }
    }
}

TEST_F(BrowserWidgetsTest, ALabelPaintsInItsColours)
{
    CLabel label;
    label.resize(100, 20);
    label.SetBkColor(QColor(0, 0, 255)).SetTextColor(QColor(255, 0, 0)).SetText(QStringLiteral("WWWW"));
    QImage image = label.grab().toImage();
    EXPECT_EQ(image.pixelColor(99, 19), QColor(0, 0, 255));
    bool red = false;
    for (int x = 0; x < 100 && !red; ++x)
        for (int y = 0; y < 20 && !red; ++y)
            red = image.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_TRUE(red);
}

// A GIF of four 8 x 8 frames: red; a blue 2 x 2 corner that is taken back afterwards ("restore
// previous"); a green pixel at (7, 7); another at (6, 6). Delays 0, 3, 5 and 20 hundredths.
QByteArray MakeTestGif()
{
    fs::path file = fs::temp_directory_path() / ("orv-picture-" + std::to_string(getpid()) + ".gif");
    std::string command = "convert -dispose None -delay 0 -size 8x8 xc:red -dispose Previous -delay 3 -page +0+0 "
                          "-size 2x2 xc:blue -dispose None -delay 5 -page +7+7 -size 1x1 xc:lime -delay 20 "
                          "-page +6+6 -size 1x1 xc:lime -loop 0 " +
                          file.string();
    if (std::system(command.c_str()) != 0)
        return {};
    QFile gif(QString::fromStdString(file.string()));
    gif.open(QIODevice::ReadOnly);
    QByteArray bytes = gif.readAll();
    fs::remove(file);
    return bytes;
}

TEST_F(BrowserWidgetsTest, APictureKeepsTheFramesWithTheirDelaysAndDisposal)
{
    QByteArray gif = MakeTestGif();
    ASSERT_FALSE(gif.isEmpty());
    CPictureEx picture;
    ASSERT_TRUE(picture.Load(gif));
    EXPECT_EQ(picture.size(), QSize(8, 8));
    ASSERT_EQ(picture.Frames().size(), 4);
    std::vector<int> delays;
    for (const auto& frame : picture.Frames())
        delays.push_back(frame.delayMs);
    EXPECT_EQ(delays, (std::vector<int>{100, 100, 50, 200}));
    EXPECT_EQ(picture.Frames()[1].image.pixelColor(0, 0), QColor(Qt::blue));
    // The blue corner was taken back before the third frame.
    EXPECT_EQ(picture.Frames()[2].image.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(picture.Frames()[2].image.pixelColor(7, 7), QColor(0, 255, 0));
}

TEST_F(BrowserWidgetsTest, APicturePlaysUntilStoppedAndRefusesWhatIsNoImage)
{
    CPictureEx picture;
    EXPECT_FALSE(picture.Load(QByteArray("GIF89a not really")));
    ASSERT_TRUE(picture.Load(MakeTestGif()));
    picture.Draw();
    EXPECT_TRUE(picture.IsPlaying());
    picture.Stop();
    EXPECT_FALSE(picture.IsPlaying());
}

TEST_F(BrowserWidgetsTest, DialogUnitsScaleWithTheFontsCharacterSize)
{
    DialogUnits units(6, 13);
    EXPECT_EQ(units.ToPixels(280, 93), QSize(420, 151));
    EXPECT_EQ(units.ToPixels(115, 72, 50, 14), QRect(173, 117, 75, 23));
}

} // namespace

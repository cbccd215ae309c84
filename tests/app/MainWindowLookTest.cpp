#include "fixtures/DesktopEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>
// After GoogleTest: Xlib's macros clash with its names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace {

struct Rgb
{
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

// The real program on a virtual desktop, looked at from the screen's pixels.
TEST(MainWindowLookTest, TheWindowStandsAtTheRightEdgeWithItsCaption)
{
    DesktopEnvironment desktop;
    ASSERT_TRUE(desktop.ready());
    // A host folder of its own, so that the program's config.xml holds nothing but a portal address
    // (nobody answers there; without any address the login-address dialog would come first).
    fs::path host = fs::temp_directory_path() / ("orv-look-" + std::to_string(getpid()));
    fs::remove_all(host);
    fs::create_directories(host / "runtime");
    std::ofstream(host / "config.xml") << "<root><NetLink>http://127.0.0.1:9/</NetLink></root>";
    fs::copy_file(ORVANTA_REMOTE_PROGRAM, host / "OrvantaRemote");
    fs::copy_file(ORVANTA_EXTERN_LIBRARY, host / "libOrvExtern.so");
    setenv("XDG_RUNTIME_DIR", (host / "runtime").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (host / "config").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);

    Display* x = nullptr;
    for (int i = 0; i < 100 && x == nullptr; ++i) {
        x = XOpenDisplay(nullptr);
        if (x == nullptr)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_NE(x, nullptr);
    // The window manager first, as on a desktop.
    Atom wmCheck = XInternAtom(x, "_NET_SUPPORTING_WM_CHECK", False);
    for (int i = 0; i < 250; ++i) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, remaining = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(x, DefaultRootWindow(x), wmCheck, 0, 1, False, AnyPropertyType, &type, &format, &count,
                           &remaining, &data);
        if (data != nullptr)
            XFree(data);
        if (count > 0)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    pid_t program = Spawn({(host / "OrvantaRemote").string()});
    const int width = DisplayWidth(x, 0), height = DisplayHeight(x, 0);
    auto pixel = [&](int px, int py) {
        XImage* image = XGetImage(x, DefaultRootWindow(x), px, py, 1, 1, AllPlanes, ZPixmap);
        unsigned long value = image != nullptr ? XGetPixel(image, 0, 0) : 0;
        if (image != nullptr)
            XDestroyImage(image);
        return Rgb{int((value >> 16) & 0xFF), int((value >> 8) & 0xFF), int(value & 0xFF)};
    };
    const Rgb caption{42, 86, 153};
    const int left = width - 300;
    for (int i = 0; i < 300 && !(pixel(left + 70, 20) == caption && pixel(left + 1, height / 4) == caption); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the first paint completes
    if (!(pixel(left + 70, 20) == caption)) // keep a picture of what the screen showed instead
        [[maybe_unused]] int rc = std::system("xwd -root -silent | convert xwd:- /tmp/orv-look-failure.png");

    EXPECT_EQ(pixel(left + 70, 20), caption);        // caption strip, right of the buttons
    EXPECT_EQ(pixel(left + 1, height / 4), caption); // left border
    EXPECT_EQ(pixel(left + 150, height / 2 - 2), caption); // bottom border
    EXPECT_FALSE(pixel(left + 150, 100) == caption); // the browser's place
    EXPECT_FALSE(pixel(left - 5, 20) == caption);    // nothing left of the window
    int white = 0; // the caption text, (nearly) white on the caption colour around the centre
    for (int px = left + 110; px < left + 190; ++px)
        for (int py = 4; py < 22; ++py) {
            Rgb p = pixel(px, py);
            white += p.r > 200 && p.g > 200 && p.b > 200;
        }
    EXPECT_GT(white, 20);

    XCloseDisplay(x);
    kill(program, SIGTERM);
    EXPECT_EQ(ExitCode(program), 0);
    EXPECT_TRUE(fs::exists(host / "config.xml"));
    fs::remove_all(host);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

} // namespace

#include "fixtures/DesktopEnvironment.h"

#include <gtest/gtest.h>
// After GoogleTest: Xlib defines macros (None, Bool) that clash with its names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

class TopRaiserTest : public testing::Test
{
protected:
    static void SetUpTestSuite() { s_desktop = new DesktopEnvironment; }
    static void TearDownTestSuite() { delete s_desktop; }

    void SetUp() override
    {
        ASSERT_TRUE(s_desktop->ready());
        for (int i = 0; i < 300 && m_x == nullptr; ++i) {
            m_x = XOpenDisplay(nullptr);
            if (m_x == nullptr)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ASSERT_NE(m_x, nullptr);
        ASSERT_TRUE(WaitForWindowManager());
    }
    void TearDown() override
    {
        if (m_x != nullptr)
            XCloseDisplay(m_x);
    }

    Atom AtomOf(const char* name) { return XInternAtom(m_x, name, False); }

    std::vector<Window> WindowList(const char* property)
    {
        std::vector<Window> windows;
        Atom type;
        int format;
        unsigned long count, remaining;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(m_x, DefaultRootWindow(m_x), AtomOf(property), 0, 1024, False, XA_WINDOW, &type,
                               &format, &count, &remaining, &data) == Success &&
            data != nullptr) {
            windows.assign(reinterpret_cast<Window*>(data), reinterpret_cast<Window*>(data) + count);
            XFree(data);
        }
        return windows;
    }

    bool WaitForWindowManager()
    {
        for (int i = 0; i < 500; ++i) {
            if (!WindowList("_NET_SUPPORTING_WM_CHECK").empty())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    Window CreateWindow(const char* windowClass, const std::string& title)
    {
        Window w = XCreateSimpleWindow(m_x, DefaultRootWindow(m_x), 10, 10, 200, 150, 0, 0, 0xFFFFFF);
        XClassHint hint{const_cast<char*>("orvantaclient"), const_cast<char*>(windowClass)};
        XSetClassHint(m_x, w, &hint);
        XStoreName(m_x, w, title.c_str());
        XChangeProperty(m_x, w, AtomOf("_NET_WM_NAME"), AtomOf("UTF8_STRING"), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
        XMapWindow(m_x, w);
        XSync(m_x, False);
        for (int i = 0; i < 500; ++i) {
            auto managed = WindowList("_NET_CLIENT_LIST");
            if (std::find(managed.begin(), managed.end(), w) != managed.end())
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return w;
    }

    Window ActiveWindow()
    {
        auto active = WindowList("_NET_ACTIVE_WINDOW");
        return active.empty() ? None : active[0];
    }

    // Runs TopRaiser and waits until `expected` is the active window (or a moment has passed).
    Window Raise(const std::vector<std::string>& title, Window expected)
    {
        std::vector<std::string> arguments{TOPRAISER_PROGRAM};
        arguments.insert(arguments.end(), title.begin(), title.end());
        EXPECT_EQ(ExitCode(Spawn(arguments)), 0);
        for (int i = 0; i < 100 && ActiveWindow() != expected; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return ActiveWindow();
    }

    static DesktopEnvironment* s_desktop;
    Display* m_x = nullptr;
};

DesktopEnvironment* TopRaiserTest::s_desktop = nullptr;

TEST_F(TopRaiserTest, ActivatesTheClientWindowWithThatTitle)
{
    Window first = CreateWindow("Orvanta Rdp", "Orvanta Client #1");
    Window second = CreateWindow("Orvanta Rdp", "Orvanta Client #2");
    CreateWindow("Other Program", "Orvanta Client #3");

    EXPECT_EQ(Raise({"Orvanta", "Client", "#2"}, second), second);
    EXPECT_EQ(Raise({"Orvanta", "Client", "#1"}, first), first);
    // A wrong title, a quoted title and a window of another class change nothing.
    EXPECT_EQ(Raise({"Orvanta", "Client", "#9"}, second), first);
    EXPECT_EQ(Raise({"\"Orvanta", "Client", "#2\""}, second), first);
    EXPECT_EQ(Raise({"Orvanta", "Client", "#3"}, second), first);
}

TEST(TopRaiserWithoutDisplayTest, EndsWithZero)
{
    std::string display = getenv("DISPLAY") != nullptr ? getenv("DISPLAY") : "";
    unsetenv("DISPLAY");
    EXPECT_EQ(ExitCode(Spawn({TOPRAISER_PROGRAM, "Orvanta", "Client", "#1"})), 0);
    EXPECT_EQ(ExitCode(Spawn({TOPRAISER_PROGRAM})), 0);
    if (!display.empty())
        setenv("DISPLAY", display.c_str(), 1);
}

} // namespace

#include "platform/WindowRaiser.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

namespace platform {
namespace {

// Windows can vanish while we look at them; their errors are expected and harmless.
int IgnoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

std::optional<std::vector<unsigned char>> ReadProperty(Display* display, Window window, Atom property, Atom type)
{
    Atom actualType;
    int format;
    unsigned long count, remaining;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1 << 20, False, type, &actualType, &format, &count,
                           &remaining, &data) != Success ||
        data == nullptr)
        return std::nullopt;
    size_t bytes = count * static_cast<size_t>(format == 32 ? sizeof(long) : format / 8);
    std::vector<unsigned char> value(data, data + bytes);
    XFree(data);
    if (actualType == None)
        return std::nullopt;
    return value;
}

// The managed top-level windows: the window manager's client list, or else the root's children and
// their children (the client windows inside the frames of a reparenting manager).
std::vector<Window> TopLevelWindows(Display* display, Window root)
{
    std::vector<Window> windows;
    Atom clientList = XInternAtom(display, "_NET_CLIENT_LIST", False);
    if (auto list = ReadProperty(display, root, clientList, XA_WINDOW)) {
        const Window* ids = reinterpret_cast<const Window*>(list->data());
        windows.assign(ids, ids + list->size() / sizeof(Window));
        return windows;
    }
    Window rootReturn, parent, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, root, &rootReturn, &parent, &children, &count))
        return windows;
    for (unsigned int i = 0; i < count; ++i) {
        windows.push_back(children[i]);
        Window* grandchildren = nullptr;
        unsigned int n = 0;
        if (XQueryTree(display, children[i], &rootReturn, &parent, &grandchildren, &n)) {
            windows.insert(windows.end(), grandchildren, grandchildren + n);
            if (grandchildren != nullptr)
                XFree(grandchildren);
        }
    }
    if (children != nullptr)
        XFree(children);
    return windows;
}

bool ClassMatches(Display* display, Window window, const std::string& windowClass)
{
    XClassHint hint{};
    if (!XGetClassHint(display, window, &hint))
        return false;
    std::string name = hint.res_class != nullptr ? hint.res_class : "";
    if (hint.res_name != nullptr)
        XFree(hint.res_name);
    if (hint.res_class != nullptr)
        XFree(hint.res_class);
    return std::equal(name.begin(), name.end(), windowClass.begin(), windowClass.end(),
                      [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
}

std::string Title(Display* display, Window window)
{
    Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    if (auto name = ReadProperty(display, window, netWmName, utf8))
        return std::string(name->begin(), name->end());
    char* name = nullptr;
    std::string title;
    if (XFetchName(display, window, &name) && name != nullptr) {
        title = name;
        XFree(name);
    }
    return title;
}

void Activate(Display* display, Window root, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2; // asked for by a pager: the user's own choice, not focus stealing
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XMapRaised(display, window);
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable)
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
}

} // namespace

bool RaiseWindow(const std::string& windowClass, const std::string& title)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    XSetErrorHandler(IgnoreErrors);
    Window root = DefaultRootWindow(display);
    bool raised = false;
    for (Window window : TopLevelWindows(display, root)) {
        if (ClassMatches(display, window, windowClass) && Title(display, window) == title) {
            Activate(display, root, window);
            raised = true;
            break;
        }
    }
    XCloseDisplay(display);
    return raised;
}

} // namespace platform

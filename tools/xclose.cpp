// Developer tool for the GUI smoke test: waits for a top-level window with
// the given title to appear on the X display, then asks it to close
// (WM_DELETE_WINDOW), as a window manager would; with --wait it only waits.
//   xclose [--wait] TITLE [SECONDS]   exit 0 when found (and asked), 1 when not found
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

static bool TitleOf(Display* d, Window w, std::string& title) {
    Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, netName, 0, 1024, False, utf8, &type, &format, &n, &after, &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), n);
        XFree(data);
        return true;
    }
    char* name = nullptr;
    if (XFetchName(d, w, &name) && name) {
        title = name;
        XFree(name);
        return true;
    }
    return false;
}

static Window Find(Display* d, Window w, const char* want) {
    std::string title;
    XWindowAttributes attr;
    if (TitleOf(d, w, title) && title == want && XGetWindowAttributes(d, w, &attr) &&
        attr.map_state == IsViewable)
        return w;
    Window root, parent, *kids = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, w, &root, &parent, &kids, &n)) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < n && !found; ++i) found = Find(d, kids[i], want);
    if (kids) XFree(kids);
    return found;
}

int main(int argc, char** argv) {
    const bool waitOnly = argc > 1 && std::strcmp(argv[1], "--wait") == 0;
    if (waitOnly) {
        --argc;
        ++argv;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: xclose [--wait] TITLE [SECONDS]\n");
        return 2;
    }
    int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
    Display* d = nullptr;
    for (int i = 0; i < seconds * 10 && !d; ++i) {
        d = XOpenDisplay(nullptr);
        if (!d) usleep(100000);
    }
    if (!d) {
        std::fprintf(stderr, "xclose: no display\n");
        return 1;
    }
    Window w = 0;
    for (int i = 0; i < seconds * 10 && !w; ++i) {
        w = Find(d, DefaultRootWindow(d), argv[1]);
        if (!w) usleep(100000);
    }
    if (!w) {
        std::fprintf(stderr, "xclose: no window titled \"%s\"\n", argv[1]);
        return 1;
    }
    std::printf("xclose: found window \"%s\"\n", argv[1]);
    if (waitOnly) {
        XCloseDisplay(d);
        return 0;
    }
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, w, False, NoEventMask, &ev);
    XFlush(d);
    XCloseDisplay(d);
    return 0;
}

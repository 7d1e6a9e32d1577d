// What a person would do with the real program on a virtual screen, without any window
// manager or input tool installed:
//   carnelis-xprobe wait PREFIX SECONDS   prints the id of the first window whose title starts with PREFIX
//   carnelis-xprobe shot WINDOW FILE.ppm  saves the window's picture; fails when it is one flat colour
//   carnelis-xprobe escape WINDOW         presses and releases Escape in that window
//   carnelis-xprobe alt WINDOW LETTER     the same with Alt+LETTER (a menu entry's mnemonic)
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <thread>

namespace {

std::string titleOf(Display *dpy, Window w)
{
    const Atom netName = XInternAtom(dpy, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char *data = nullptr;
    std::string title;
    if (XGetWindowProperty(dpy, w, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) == Success
        && data) {
        title.assign(reinterpret_cast<char *>(data), count);
        XFree(data);
    }
    if (title.empty()) {
        char *name = nullptr;
        if (XFetchName(dpy, w, &name) && name) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

Window findWindow(Display *dpy, Window from, const std::string &prefix)
{
    XWindowAttributes attributes;
    if (XGetWindowAttributes(dpy, from, &attributes) && attributes.map_state == IsViewable
        && titleOf(dpy, from).rfind(prefix, 0) == 0)
        return from;
    Window root, parent, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(dpy, from, &root, &parent, &children, &n))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < n && !found; ++i)
        found = findWindow(dpy, children[i], prefix);
    if (children)
        XFree(children);
    return found;
}

int wait(Display *dpy, const char *prefix, double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (Window w = findWindow(dpy, DefaultRootWindow(dpy), prefix)) {
            std::printf("%lu\n", w);
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::fprintf(stderr, "no window titled \"%s...\" within %.0f s\n", prefix, seconds);
    return 1;
}

int shot(Display *dpy, Window w, const char *file)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(dpy, w, &attributes))
        return 1;
    XImage *image = XGetImage(dpy, w, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image) {
        std::fprintf(stderr, "cannot read the window's picture\n");
        return 1;
    }
    std::FILE *out = std::fopen(file, "wb");
    if (!out) {
        XDestroyImage(image);
        return 1;
    }
    std::fprintf(out, "P6\n%d %d\n255\n", image->width, image->height);
    std::set<unsigned long> colours;
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            colours.insert(pixel);
            const unsigned char rgb[3] = {static_cast<unsigned char>((pixel & image->red_mask) >> 16),
                                          static_cast<unsigned char>((pixel & image->green_mask) >> 8),
                                          static_cast<unsigned char>(pixel & image->blue_mask)};
            std::fwrite(rgb, 1, 3, out);
        }
    std::fclose(out);
    std::printf("%dx%d, %zu colours\n", image->width, image->height, colours.size());
    XDestroyImage(image);
    return colours.size() > 16 ? 0 : 1;
}

// A key pressed and released in the window, with the given modifier state.
int key(Display *dpy, Window w, KeySym symbol, unsigned int state)
{
    XSetInputFocus(dpy, w, RevertToParent, CurrentTime);
    XKeyEvent key{};
    key.display = dpy;
    key.window = w;
    key.root = DefaultRootWindow(dpy);
    key.subwindow = None;
    key.time = CurrentTime;
    key.same_screen = True;
    key.state = state;
    key.keycode = XKeysymToKeycode(dpy, symbol);
    key.type = KeyPress;
    XSendEvent(dpy, w, True, KeyPressMask, reinterpret_cast<XEvent *>(&key));
    key.type = KeyRelease;
    XSendEvent(dpy, w, True, KeyReleaseMask, reinterpret_cast<XEvent *>(&key));
    XSync(dpy, False);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "no display\n");
        return 2;
    }
    int rc = 2;
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "wait" && argc == 4)
        rc = wait(dpy, argv[2], std::atof(argv[3]));
    else if (command == "shot" && argc == 4)
        rc = shot(dpy, std::strtoul(argv[2], nullptr, 10), argv[3]);
    else if (command == "escape" && argc == 3)
        rc = key(dpy, std::strtoul(argv[2], nullptr, 10), XK_Escape, 0);
    else if (command == "alt" && argc == 4 && XStringToKeysym(argv[3]) != NoSymbol)
        rc = key(dpy, std::strtoul(argv[2], nullptr, 10), XStringToKeysym(argv[3]), Mod1Mask);
    else
        std::fprintf(stderr, "usage: carnelis-xprobe wait PREFIX SECONDS | shot WINDOW FILE.ppm | escape WINDOW"
                             " | alt WINDOW LETTER\n");
    XCloseDisplay(dpy);
    return rc;
}

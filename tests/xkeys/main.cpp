// Sends exact key events through XTest, one per argument, in order:
//   +Alt_R   press      -Alt_R   release      Tab   press and release
// Keys are named as X keysyms. Unlike xdotool, it presses nothing it wasn't asked to.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "xkeys: no display\n");
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool press = arg[0] != '-', release = arg[0] != '+';
        const char* name = (arg[0] == '+' || arg[0] == '-') ? arg + 1 : arg;
        const KeyCode code = XKeysymToKeycode(d, XStringToKeysym(name));
        if (!code) {
            std::fprintf(stderr, "xkeys: no key for %s\n", name);
            return 2;
        }
        if (press)
            XTestFakeKeyEvent(d, code, True, CurrentTime);
        if (release)
            XTestFakeKeyEvent(d, code, False, CurrentTime);
    }
    XSync(d, False);
    XCloseDisplay(d);
    return 0;
}

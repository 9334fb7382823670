// Lintally's desktop dialog. It takes no command-line arguments of its own.
#include "app/LintallyApp.h"

#include <cstdio>
#include <cstdlib>

namespace {

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// On X11 and Wayland desktops the session names its display; without one Qt can only
// abort with a message about reinstalling, so say what is missing instead. A platform
// chosen through QT_QPA_PLATFORM (offscreen, vnc, ...) needs no display.
bool HasGraphicalSession()
{
#if defined(__linux__) || defined(__FreeBSD__)
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

}  // namespace

int main(int argc, char** argv)
{
    if (!HasGraphicalSession()) {
        std::fprintf(stderr,
                     "lintally: the dialog needs a graphical session (neither DISPLAY nor "
                     "WAYLAND_DISPLAY is set); "
                     "start it from a desktop, or under a virtual one with: xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    CLintallyApp app(argc, argv);
    return app.InitInstance();
}

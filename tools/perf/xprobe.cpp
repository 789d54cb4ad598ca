// X11 probe for the performance measurements.
//   hitungrama-xprobe start PROGRAM [ARGS...]
//       starts PROGRAM and waits for its first top-level window to be mapped;
//       prints "<pid> <milliseconds from start to map>" and leaves it running
//       (its standard output goes to /dev/null).
//   hitungrama-xprobe warp X Y
//       moves the pointer to the root coordinates X, Y.
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int start(char **command)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the X display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const auto begin = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return 1;
    if (pid == 0) {
        // The caller reads our output to its end: the program must not hold it open.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execvp(command[0], command);
        std::_Exit(127);
    }
    for (;;) {
        if (XPending(display) == 0) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                std::fprintf(stderr, "the program ended before mapping a window\n");
                return 1;
            }
            usleep(200);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && event.xmap.event == root && !event.xmap.override_redirect) {
            const auto elapsed = std::chrono::steady_clock::now() - begin;
            std::printf("%d %.3f\n", static_cast<int>(pid),
                        std::chrono::duration<double, std::milli>(elapsed).count());
            std::fflush(stdout);
            XCloseDisplay(display);
            return 0;
        }
    }
}

int warp(int x, int y)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, x, y);
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 3 && std::strcmp(argv[1], "start") == 0)
        return start(argv + 2);
    if (argc == 4 && std::strcmp(argv[1], "warp") == 0)
        return warp(std::atoi(argv[2]), std::atoi(argv[3]));
    std::fprintf(stderr, "usage: %s start PROGRAM [ARGS...] | warp X Y\n", argv[0]);
    return 2;
}

// Starts a program on the X display and measures, from the moment before it
// is started, how long it takes until the first top-level window it maps has
// pixels drawn into it, then its peak memory.
//
//   first-paint [--settle MS] [--timeout MS] PROGRAM [ARGUMENT...]
//
// Prints one line: "first_paint_ms=<ms> peak_rss_kib=<KiB>". The program
// needs no hook: the X server reports the window's creation and mapping
// (SubstructureNotify on the root window) and the first drawing into it (the
// DAMAGE extension). After the first paint the program runs SETTLE ms more
// (default 500), then gets SIGTERM; its peak resident size comes from wait4.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int Usage()
{
    std::fprintf(stderr, "usage: first-paint [--settle MS] [--timeout MS] PROGRAM [ARGUMENT...]\n");
    return 2;
}

// Ends the child and returns its peak resident size in KiB (-1 if unknown).
long EndChild(pid_t child)
{
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    for (int waited = 0; waited < 50; ++waited) {
        const pid_t done = wait4(child, &status, WNOHANG, &usage);
        if (done == child)
            return usage.ru_maxrss;
        usleep(100000);
    }
    kill(child, SIGKILL);
    return wait4(child, &status, 0, &usage) == child ? usage.ru_maxrss : -1;
}

}  // namespace

int main(int argc, char* argv[])
{
    int settleMs = 500;
    int timeoutMs = 20000;
    int first = 1;
    while (first + 1 < argc && std::strncmp(argv[first], "--", 2) == 0) {
        const std::string option = argv[first];
        if (option == "--settle")
            settleMs = std::atoi(argv[first + 1]);
        else if (option == "--timeout")
            timeoutMs = std::atoi(argv[first + 1]);
        else
            return Usage();
        first += 2;
    }
    if (first >= argc)
        return Usage();

    // A server that has just said it is ready may still refuse the first
    // connection for a moment on a busy machine.
    Display* display = XOpenDisplay(nullptr);
    for (int attempt = 0; !display && attempt < 50; ++attempt) {
        usleep(100 * 1000);
        display = XOpenDisplay(nullptr);
    }
    if (!display) {
        std::fprintf(stderr, "first-paint: cannot open the X display\n");
        return 1;
    }
    int damageEvent = 0;
    int damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "first-paint: the X server has no DAMAGE extension\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("first-paint: fork");
        return 1;
    }
    if (child == 0) {
        close(ConnectionNumber(display));
        execvp(argv[first], argv + first);
        std::perror("first-paint: exec");
        _exit(127);
    }

    // Damage is watched from each top-level window's creation on, so that no
    // drawing between mapping and watching is missed.
    std::set<Window> mapped;
    double firstPaintMs = -1;
    while (firstPaintMs < 0) {
        if (MillisecondsSince(start) > timeoutMs) {
            std::fprintf(stderr, "first-paint: no window drawn within %d ms\n", timeoutMs);
            EndChild(child);
            return 1;
        }
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "first-paint: the program ended before drawing a window\n");
            return 1;
        }
        if (XPending(display) == 0) {
            pollfd connection{ConnectionNumber(display), POLLIN, 0};
            poll(&connection, 1, 50);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify && event.xcreatewindow.parent == root &&
            !event.xcreatewindow.override_redirect) {
            XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (event.type == MapNotify && event.xmap.event == root) {
            mapped.insert(event.xmap.window);
        } else if (event.type == damageEvent + XDamageNotify) {
            const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
            if (mapped.count(damage.drawable) != 0)
                firstPaintMs = MillisecondsSince(start);
        }
    }

    usleep(static_cast<useconds_t>(settleMs) * 1000);
    const long peakKib = EndChild(child);
    XCloseDisplay(display);
    std::printf("first_paint_ms=%.1f peak_rss_kib=%ld\n", firstPaintMs, peakKib);
    return peakKib < 0 ? 1 : 0;
}

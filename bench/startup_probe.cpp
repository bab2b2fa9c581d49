// Starts a program under the X server of $DISPLAY and reports how long it took until its
// first window was mapped, and (after a pause to settle) its peak memory. Works for any
// program, so Orvane, a minimal Qt window and another editor are timed the same way.
//
//   startup_probe [--settle MS] -- PROGRAM [ARGS...]
//   prints: startup_ms=12.3 peak_kb=45678

#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {
long peakKilobytes(pid_t pid)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/status";
    FILE* f = std::fopen(path.c_str(), "r");
    if (!f)
        return -1;
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            kb = std::strtol(line + 6, nullptr, 10);
    std::fclose(f);
    return kb;
}
} // namespace

int main(int argc, char** argv)
{
    int settleMs = 0;
    int first = 1;
    for (; first < argc; ++first) {
        if (std::strcmp(argv[first], "--settle") == 0 && first + 1 < argc)
            settleMs = std::atoi(argv[++first]);
        else if (std::strcmp(argv[first], "--") == 0) {
            ++first;
            break;
        }
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: startup_probe [--settle MS] -- PROGRAM [ARGS...]\n");
        return 2;
    }

    int screenNumber = 0;
    xcb_connection_t* x = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "startup_probe: no X server\n");
        return 1;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(x));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&it);
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, it.data->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 1);
        dup2(null, 2);
        execvp(argv[first], argv + first);
        _exit(127);
    }

    double startupMs = -1;
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    const auto deadline = start + std::chrono::seconds(30);
    while (startupMs < 0 && std::chrono::steady_clock::now() < deadline) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(x)) {
            if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY
                && !reinterpret_cast<xcb_map_notify_event_t*>(e)->override_redirect && startupMs < 0)
                startupMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            std::free(e);
        }
        if (startupMs < 0)
            poll(&fd, 1, 100);
    }
    if (settleMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long peak = peakKilobytes(pid);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    xcb_disconnect(x);
    if (startupMs < 0) {
        std::fprintf(stderr, "startup_probe: %s mapped no window\n", argv[first]);
        return 1;
    }
    std::printf("startup_ms=%.1f peak_kb=%ld\n", startupMs, peak);
    return 0;
}

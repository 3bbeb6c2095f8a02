/* Starts a program under the current X display and reports, for its first window of at least
 * the given width, the time from exec to that window mapped and first painted (the first
 * damage after mapping), and the program's peak resident memory once it has settled.
 * Usage: first_frame MIN_WIDTH PROGRAM [ARGS...]   Prints: "<milliseconds> <peak KiB>". */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static long peak_kib(pid_t pid) {
    char path[64], line[256];
    long kib = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* status = fopen(path, "r");
    if (!status)
        return -1;
    while (fgets(line, sizeof line, status))
        if (strncmp(line, "VmHWM:", 6) == 0)
            kib = strtol(line + 6, NULL, 10);
    fclose(status);
    return kib;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: first_frame MIN_WIDTH PROGRAM [ARGS...]\n");
        return 2;
    }
    const int min_width = atoi(argv[1]);
    /* The server may still be closing the previous run's connections: try for a while. */
    Display* display = NULL;
    for (int attempt = 0; attempt < 100 && !display; ++attempt)
        if (!(display = XOpenDisplay(NULL)))
            usleep(20 * 1000);
    if (!display) {
        fprintf(stderr, "first_frame: cannot open the X display\n");
        return 2;
    }
    int damage_event, damage_error;
    if (!XDamageQueryExtension(display, &damage_event, &damage_error)) {
        fprintf(stderr, "first_frame: the X server has no DAMAGE extension\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = now_ms();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    Window window = 0;
    double painted = -1;
    const double deadline = start + 60000; /* room for a run under valgrind */
    while (painted < 0 && now_ms() < deadline) {
        if (!XPending(display)) {
            usleep(200);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify && event.xcreatewindow.parent == root)
            XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
        else if (event.type == MapNotify && !window) {
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display, event.xmap.window, &attributes) &&
                attributes.width >= min_width)
                window = event.xmap.window;
        } else if (event.type == damage_event + XDamageNotify && window &&
                   ((XDamageNotifyEvent*)&event)->drawable == window)
            painted = now_ms() - start;
    }
    usleep(500 * 1000); /* let it settle before reading its peak memory */
    const long kib = peak_kib(child);
    kill(child, SIGTERM);
    waitpid(child, NULL, 0);
    if (painted < 0) {
        fprintf(stderr, "first_frame: no painted window within 60 s\n");
        return 1;
    }
    printf("%.2f %ld\n", painted, kib);
    return 0;
}

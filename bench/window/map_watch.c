/* Runs a program and prints the milliseconds from its start until it maps
 * its first top-level window; then ends it. Exits 1 when no window appears
 * within 20 seconds or the program ends first. */
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

static double Now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    xcb_connection_t *c = xcb_connect(NULL, NULL);
    /* The server may turn a connection away while it closes the last run's. */
    for (int tries = 0; xcb_connection_has_error(c) && tries < 100; ++tries) {
        xcb_disconnect(c);
        usleep(10000);
        c = xcb_connect(NULL, NULL);
    }
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "cannot connect to the X server\n");
        return 2;
    }
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_request_check(c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask));
    const double start = Now();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[1], argv + 1);
        _exit(127);
    }
    alarm(20);
    double shown = -1;
    xcb_generic_event_t *e;
    while (shown < 0 && (e = xcb_wait_for_event(c))) {
        if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY && !((xcb_map_notify_event_t *)e)->override_redirect)
            shown = Now() - start;
        free(e);
    }
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    if (shown < 0)
        return 1;
    printf("%.1f\n", shown);
    return 0;
}

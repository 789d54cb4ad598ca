/* hitungrama-vpointer: a pointer for a compositor that has no input device.
 * Reads commands from standard input, one a line, and answers each with "ok"
 * once the compositor has taken it:
 *   extent W H   the size of the output (default 1280 800)
 *   move X Y     jump to the point in one motion
 *   down, up     the left button
 * Ends at the end of input. */
#include "virtual-pointer-unstable-v1-client-protocol.h"

#include <stdio.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

#define LEFT_BUTTON 0x110 /* BTN_LEFT */

static struct zwlr_virtual_pointer_manager_v1 *manager;
static struct wl_seat *seat;

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface,
                   uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
    else if (strcmp(interface, wl_seat_interface.name) == 0 && !seat)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
}

static void global_remove(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

static uint32_t now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint32_t)(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
}

int main(void)
{
    struct wl_display *display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "hitungrama-vpointer: no Wayland display\n");
        return 1;
    }
    struct wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!manager) {
        fprintf(stderr, "hitungrama-vpointer: the compositor offers no virtual pointer\n");
        return 1;
    }
    struct zwlr_virtual_pointer_v1 *pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    wl_display_roundtrip(display);

    unsigned width = 1280, height = 800;
    char line[256];
    while (fgets(line, sizeof line, stdin)) {
        unsigned a, b;
        if (sscanf(line, "extent %u %u", &a, &b) == 2 && a > 0 && b > 0) {
            width = a;
            height = b;
        } else if (sscanf(line, "move %u %u", &a, &b) == 2) {
            zwlr_virtual_pointer_v1_motion_absolute(pointer, now_ms(), a, b, width, height);
            zwlr_virtual_pointer_v1_frame(pointer);
        } else if (strncmp(line, "down", 4) == 0 || strncmp(line, "up", 2) == 0) {
            zwlr_virtual_pointer_v1_button(pointer, now_ms(), LEFT_BUTTON,
                                           line[0] == 'd' ? WL_POINTER_BUTTON_STATE_PRESSED
                                                          : WL_POINTER_BUTTON_STATE_RELEASED);
            zwlr_virtual_pointer_v1_frame(pointer);
        } else {
            fprintf(stderr, "hitungrama-vpointer: not a command: %s", line);
            puts("error");
            fflush(stdout);
            continue;
        }
        if (wl_display_roundtrip(display) < 0) {
            fprintf(stderr, "hitungrama-vpointer: the compositor closed the connection\n");
            return 1;
        }
        puts("ok");
        fflush(stdout);
    }
    wl_display_disconnect(display);
    return 0;
}

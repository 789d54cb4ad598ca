/* A clipboard owner and a window probe for the X11 tests and benchmarks.
 *
 *   hitungrama-clipboardowner own [--targets]
 *       takes the CLIPBOARD selection and never answers a request for it,
 *       except, with --targets, the request for its list of formats (UTF-8
 *       text). Prints "ready", then "request NAME" for each request as it
 *       comes, and "lost" when another client takes the selection; runs until
 *       it is ended.
 *   hitungrama-clipboardowner ping WINDOW SECONDS
 *       sends WINDOW the window manager's _NET_WM_PING and prints the
 *       milliseconds until its answer; exits 1 when none comes in time.
 *   hitungrama-clipboardowner read
 *       prints the CLIPBOARD's UTF-8 text; exits 1 when none comes in 5 s.
 */
#include <xcb/xcb.h>

#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static xcb_connection_t *connection;
static xcb_screen_t *screen;

static xcb_atom_t atom(const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, (uint16_t)strlen(name), name), NULL);
    xcb_atom_t result = reply != NULL ? reply->atom : XCB_ATOM_NONE;
    free(reply);
    return result;
}

static void print_atom_name(const char *prefix, xcb_atom_t a)
{
    xcb_get_atom_name_reply_t *reply = xcb_get_atom_name_reply(connection, xcb_get_atom_name(connection, a), NULL);
    if (reply != NULL)
        printf("%s %.*s\n", prefix, xcb_get_atom_name_name_length(reply), xcb_get_atom_name_name(reply));
    else
        printf("%s ?\n", prefix);
    fflush(stdout);
    free(reply);
}

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec * 1e3 + (double)t.tv_nsec / 1e6;
}

/* The next event, or NULL once the deadline (monotonic ms) has passed. */
static xcb_generic_event_t *next_event(double deadline)
{
    for (;;) {
        xcb_generic_event_t *event = xcb_poll_for_event(connection);
        if (event != NULL)
            return event;
        const double left = deadline - now_ms();
        if (left <= 0 || xcb_connection_has_error(connection))
            return NULL;
        struct pollfd fd = {xcb_get_file_descriptor(connection), POLLIN, 0};
        poll(&fd, 1, (int)left + 1);
    }
}

static xcb_window_t create_window(uint32_t event_mask)
{
    const xcb_window_t window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_EVENT_MASK, &event_mask);
    return window;
}

/* A server timestamp: the time of a property change on our own window. */
static xcb_timestamp_t server_time(xcb_window_t window)
{
    const xcb_atom_t property = atom("HITUNGRAMA_TIME");
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, window, property, XCB_ATOM_STRING, 8, 0, "");
    xcb_flush(connection);
    xcb_generic_event_t *event;
    while ((event = next_event(now_ms() + 5000)) != NULL) {
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            const xcb_timestamp_t time = ((xcb_property_notify_event_t *)event)->time;
            free(event);
            return time;
        }
        free(event);
    }
    return XCB_CURRENT_TIME;
}

static int own(int answer_targets)
{
    const xcb_window_t window = create_window(XCB_EVENT_MASK_PROPERTY_CHANGE);
    const xcb_atom_t clipboard = atom("CLIPBOARD");
    const xcb_atom_t targets = atom("TARGETS");
    const xcb_atom_t offered[] = {targets, atom("UTF8_STRING"), atom("text/plain;charset=utf-8")};
    xcb_set_selection_owner(connection, window, clipboard, server_time(window));
    xcb_get_selection_owner_reply_t *owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, clipboard), NULL);
    const int owned = owner != NULL && owner->owner == window;
    free(owner);
    if (!owned) {
        fprintf(stderr, "could not take the clipboard\n");
        return 1;
    }
    printf("ready\n");
    fflush(stdout);
    xcb_generic_event_t *event;
    while ((event = xcb_wait_for_event(connection)) != NULL) {
        const int type = event->response_type & 0x7f;
        if (type == XCB_SELECTION_REQUEST) {
            const xcb_selection_request_event_t *request = (xcb_selection_request_event_t *)event;
            print_atom_name("request", request->target);
            if (answer_targets && request->target == targets && request->property != XCB_ATOM_NONE) {
                xcb_change_property(connection, XCB_PROP_MODE_REPLACE, request->requestor, request->property,
                                    XCB_ATOM_ATOM, 32, 3, offered);
                xcb_selection_notify_event_t notify = {0};
                notify.response_type = XCB_SELECTION_NOTIFY;
                notify.time = request->time;
                notify.requestor = request->requestor;
                notify.selection = request->selection;
                notify.target = request->target;
                notify.property = request->property;
                xcb_send_event(connection, 0, request->requestor, XCB_EVENT_MASK_NO_EVENT, (const char *)&notify);
                xcb_flush(connection);
            }
        } else if (type == XCB_SELECTION_CLEAR) {
            printf("lost\n");
            fflush(stdout);
        }
        free(event);
    }
    return 0;
}

static int ping(xcb_window_t target, double seconds)
{
    /* The answer goes to the root window, to clients that select its structure events. */
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t protocols = atom("WM_PROTOCOLS");
    const xcb_atom_t net_wm_ping = atom("_NET_WM_PING");
    const uint32_t stamp = (uint32_t)now_ms();
    xcb_client_message_event_t message = {0};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = target;
    message.type = protocols;
    message.data.data32[0] = net_wm_ping;
    message.data.data32[1] = stamp;
    message.data.data32[2] = target;
    const double start = now_ms();
    xcb_send_event(connection, 0, target, XCB_EVENT_MASK_NO_EVENT, (const char *)&message);
    xcb_flush(connection);
    xcb_generic_event_t *event;
    while ((event = next_event(start + seconds * 1000)) != NULL) {
        const xcb_client_message_event_t *answer = (xcb_client_message_event_t *)event;
        const int pong = (event->response_type & 0x7f) == XCB_CLIENT_MESSAGE && answer->type == protocols
            && answer->data.data32[0] == net_wm_ping && answer->data.data32[1] == stamp;
        free(event);
        if (pong) {
            printf("%.0f\n", now_ms() - start);
            return 0;
        }
    }
    fprintf(stderr, "no answer to the ping within %g s\n", seconds);
    return 1;
}

static int read_text(void)
{
    const xcb_window_t window = create_window(XCB_EVENT_MASK_PROPERTY_CHANGE);
    const xcb_atom_t property = atom("HITUNGRAMA_TEXT");
    const xcb_atom_t utf8 = atom("UTF8_STRING");
    xcb_convert_selection(connection, window, atom("CLIPBOARD"), utf8, property, server_time(window));
    xcb_flush(connection);
    xcb_generic_event_t *event;
    while ((event = next_event(now_ms() + 5000)) != NULL) {
        const int type = event->response_type & 0x7f;
        const xcb_atom_t got = type == XCB_SELECTION_NOTIFY ? ((xcb_selection_notify_event_t *)event)->property
                                                            : XCB_ATOM_NONE;
        free(event);
        if (type != XCB_SELECTION_NOTIFY)
            continue;
        if (got == XCB_ATOM_NONE)
            break;
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            connection, xcb_get_property(connection, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 16), NULL);
        if (reply == NULL)
            break;
        printf("%.*s\n", xcb_get_property_value_length(reply), (const char *)xcb_get_property_value(reply));
        free(reply);
        return 0;
    }
    fprintf(stderr, "the clipboard gave no text\n");
    return 1;
}

int main(int argc, char **argv)
{
    connection = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(connection)) {
        fprintf(stderr, "cannot open the X display\n");
        return 2;
    }
    screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    int status = 2;
    if (argc >= 2 && strcmp(argv[1], "own") == 0)
        status = own(argc >= 3 && strcmp(argv[2], "--targets") == 0);
    else if (argc == 4 && strcmp(argv[1], "ping") == 0)
        status = ping((xcb_window_t)strtoul(argv[2], NULL, 0), atof(argv[3]));
    else if (argc == 2 && strcmp(argv[1], "read") == 0)
        status = read_text();
    else
        fprintf(stderr, "usage: %s own [--targets] | ping WINDOW SECONDS | read\n", argv[0]);
    xcb_disconnect(connection);
    return status;
}

// The machine's floor for start-up and memory: a window made with nothing but the X
// protocol library, mapped and left open until it is killed.

#include <xcb/xcb.h>

#include <cstdlib>

int main()
{
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x))
        return 1;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const xcb_window_t window = xcb_generate_id(x);
    const uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_EXPOSURE};
    xcb_create_window(x, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 737, 494, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    xcb_map_window(x, window);
    xcb_flush(x);
    while (xcb_generic_event_t* e = xcb_wait_for_event(x))
        std::free(e);
    return 0;
}

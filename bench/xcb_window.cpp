// The machine's floor for start-up, memory and a key: a window made with nothing but the X
// protocol library.
//
//   xcb_window            mapped and left open until it is killed
//   xcb_window --keys N   sends itself N key presses through the X server, draws a glyph for
//                         each as it comes and waits until the server has drawn it; prints
//                         xcb_key_us=... (the mean per key)

#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x))
        return 1;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const xcb_window_t window = xcb_generate_id(x);
    const uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_KEY_PRESS};
    xcb_create_window(x, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 737, 494, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    xcb_map_window(x, window);
    xcb_flush(x);
    if (argc < 3 || std::strcmp(argv[1], "--keys") != 0) {
        while (xcb_generic_event_t* e = xcb_wait_for_event(x))
            std::free(e);
        return 0;
    }
    const int keys = std::atoi(argv[2]);
    // The server's own font, and a context to draw its glyphs with.
    const xcb_font_t font = xcb_generate_id(x);
    xcb_open_font(x, font, 5, "fixed");
    const xcb_gcontext_t gc = xcb_generate_id(x);
    const uint32_t gcValues[] = {screen->black_pixel, screen->white_pixel, font};
    xcb_create_gc(x, gc, window, XCB_GC_FOREGROUND | XCB_GC_BACKGROUND | XCB_GC_FONT, gcValues);
    // Drawn once mapped.
    for (xcb_generic_event_t* e; (e = xcb_wait_for_event(x));) {
        const bool exposed = (e->response_type & 0x7f) == XCB_EXPOSE;
        std::free(e);
        if (exposed)
            break;
    }
    const auto start = std::chrono::steady_clock::now();
    for (int k = 0; k < keys; ++k) {
        xcb_key_press_event_t press{};
        press.response_type = XCB_KEY_PRESS;
        press.detail = 38;  // the key "a" on a PC keyboard
        press.event = window;
        press.root = screen->root;
        press.same_screen = 1;
        xcb_send_event(x, 0, window, XCB_EVENT_MASK_KEY_PRESS, reinterpret_cast<const char*>(&press));
        xcb_flush(x);
        for (xcb_generic_event_t* e; (e = xcb_wait_for_event(x));) {
            const bool key = (e->response_type & 0x7f) == XCB_KEY_PRESS;
            std::free(e);
            if (key)
                break;
        }
        const char glyph = char('a' + k % 26);
        xcb_image_text_8(x, 1, window, gc, int16_t(10 + 7 * (k % 100)), int16_t(20 + 14 * ((k / 100) % 30)), &glyph);
        std::free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));  // drawn by now
    }
    const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    std::printf("xcb_key_us=%.3f\n", keys > 0 ? us / keys : 0.0);
    return 0;
}

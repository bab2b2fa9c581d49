#pragma once
// Pango and Cairo objects owned by unique_ptr, released by their own functions.

#include <pango/pangocairo.h>

#include <memory>

namespace orvane {

struct Unref {
    void operator()(PangoLayout* p) const { g_object_unref(p); }
    void operator()(PangoFontDescription* p) const { pango_font_description_free(p); }
    void operator()(PangoLayoutIter* p) const { pango_layout_iter_free(p); }
    void operator()(cairo_t* p) const { cairo_destroy(p); }
    void operator()(cairo_surface_t* p) const { cairo_surface_destroy(p); }
};
template <typename T>
using Owned = std::unique_ptr<T, Unref>;

} // namespace orvane

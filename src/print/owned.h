#pragma once
// Pango and Cairo objects owned by unique_ptr, released by their own functions, and the
// two the pages are set with.

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

// A layout on cairo measured in points (Pango's unit is then a point too).
inline Owned<PangoLayout> pointLayout(cairo_t* cairo)
{
    Owned<PangoLayout> layout(pango_cairo_create_layout(cairo));
    pango_cairo_context_set_resolution(pango_layout_get_context(layout.get()), 72);
    pango_layout_context_changed(layout.get());
    return layout;
}

// The pages' font at a size in points.
inline Owned<PangoFontDescription> pageFont(const char* family, double points)
{
    Owned<PangoFontDescription> font(pango_font_description_from_string(family));
    pango_font_description_set_size(font.get(), int(points * PANGO_SCALE));
    return font;
}

} // namespace orvane

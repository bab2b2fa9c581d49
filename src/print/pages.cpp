#include "print/pages.h"

#include "print/owned.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include <memory>

namespace orvane {

std::string pageFontFile()
{
    // Fontconfig reads fonts from files: the one carried in the program is written out
    // once, to a folder of this run's own.
    static const std::string file = [] {
        static QTemporaryDir folder;
        const QString path = folder.filePath("NotoSansTamil-Regular.ttf");
        QFile::copy(":/fonts/NotoSansTamil-Regular.ttf", path);
        return QFile::encodeName(path).toStdString();
    }();
    return file;
}

const char* pageFontFamily()
{
    static const bool registered = [] {
        const std::string file = pageFontFile();
        FcConfigAppFontAddFile(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(file.c_str()));
        pango_cairo_font_map_set_default(nullptr);  // let Pango see the font just added
        return true;
    }();
    (void)registered;
    return "Noto Sans Tamil";
}

double headerBaseline(const PageSetup& setup) { return setup.margin * 0.6; }

double footerBaseline(const PageSetup& setup) { return setup.height - setup.margin * 0.45; }

std::string pageFooter(std::size_t number, std::size_t count)
{
    return std::to_string(number) + " / " + std::to_string(count);
}

std::vector<Page> layoutPages(const std::string& unicode, const PageSetup& setup,
                              const std::function<bool(std::size_t, std::size_t)>& progress)
{
    Owned<cairo_surface_t> surface(cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1));
    Owned<cairo_t> cairo(cairo_create(surface.get()));
    const Owned<PangoLayout> layout = pointLayout(cairo.get());
    const Owned<PangoFontDescription> font = pageFont(pageFontFamily(), setup.fontSize);
    pango_layout_set_font_description(layout.get(), font.get());
    pango_layout_set_width(layout.get(), int((setup.width - 2 * setup.margin) * PANGO_SCALE));
    pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);

    std::vector<Page> pages(1);
    const double top = setup.margin, bottom = setup.height - setup.margin;
    double y = top;
    std::size_t start = 0;
    while (start <= unicode.size()) {
        std::size_t end = unicode.find('\n', start);
        if (end == std::string::npos)
            end = unicode.size();
        if (progress && !progress(start, unicode.size()))
            return {};
        const std::string_view paragraph(unicode.data() + start, end - start);
        pango_layout_set_text(layout.get(), paragraph.data(), int(paragraph.size()));
        Owned<PangoLayoutIter> line(pango_layout_get_iter(layout.get()));
        do {
            PangoRectangle logical;
            pango_layout_iter_get_line_extents(line.get(), nullptr, &logical);
            const double height = double(logical.height) / PANGO_SCALE;
            const double ascent = double(pango_layout_iter_get_baseline(line.get()) - logical.y) / PANGO_SCALE;
            if (y + height > bottom && !pages.back().lines.empty()) {
                pages.emplace_back();  // a line goes whole onto the next page
                y = top;
            }
            const PangoLayoutLine* l = pango_layout_iter_get_line_readonly(line.get());
            pages.back().lines.push_back({std::string(paragraph.substr(std::size_t(l->start_index), std::size_t(l->length))),
                                          y + ascent});
            y += height;
        } while (pango_layout_iter_next_line(line.get()));
        start = end + 1;
    }
    return pages;
}

} // namespace orvane

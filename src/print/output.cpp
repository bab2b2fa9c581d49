#include "print/output.h"

#include "print/owned.h"

#include <QFont>
#include <QFontDatabase>
#include <QPagedPaintDevice>
#include <QPainter>

#include <cairo-pdf.h>
#include <pango/pangocairo.h>

#include <memory>

namespace orvane {

namespace {
cairo_status_t writeOut(void* closure, const unsigned char* data, unsigned int length)
{
    const auto& put = *static_cast<const ByteSource::Put*>(closure);
    return put(std::string_view(reinterpret_cast<const char*>(data), length)) ? CAIRO_STATUS_SUCCESS
                                                                               : CAIRO_STATUS_WRITE_ERROR;
}

// One line of text with its baseline at (x, y); centred on x when asked.
void show(cairo_t* cairo, PangoLayout* layout, const std::string& text, double x, double y, bool centred = false)
{
    pango_layout_set_text(layout, text.data(), int(text.size()));
    if (centred) {
        PangoRectangle logical;
        pango_layout_get_extents(layout, nullptr, &logical);
        x -= double(logical.width) / PANGO_SCALE / 2;
    }
    cairo_move_to(cairo, x, y);
    pango_cairo_show_layout_line(cairo, pango_layout_get_line_readonly(layout, 0));
}

QString qtPageFont()
{
    static const QString family = [] {
        const QStringList added = QFontDatabase::applicationFontFamilies(
            QFontDatabase::addApplicationFont(":/fonts/NotoSansTamil-Regular.ttf"));
        return added.isEmpty() ? QString::fromLatin1(pageFontFamily()) : added.constFirst();
    }();
    return family;
}

// A line drawn with Qt, its Tamil in the Tamil font and the rest in the interface's, each run
// on the same baseline. Left to Qt's fallback in one piece, a preview (pages recorded, then
// played back at the screen's size) sets the fallback font's runs below the Tamil's baseline.
void drawLine(QPainter& painter, const QFont& tamil, const QFont& other, QPointF at, const QString& text)
{
    const auto isTamil = [](QChar c) { return (c.unicode() >= 0x0B80 && c.unicode() <= 0x0BFF) || c == QChar(0x200C) || c == QChar(0x200D); };
    for (qsizetype from = 0; from < text.size();) {
        const bool inTamil = isTamil(text.at(from));
        qsizetype to = from + 1;
        // Spaces go with the run before them; every other character with its own kind.
        while (to < text.size() && (text.at(to).isSpace() || isTamil(text.at(to)) == inTamil))
            ++to;
        const QString run = text.mid(from, to - from);
        painter.setFont(inTamil ? tamil : other);
        painter.drawText(at, run);
        at.rx() += painter.fontMetrics().horizontalAdvance(run);
        from = to;
    }
}
} // namespace

PdfOutcome writePdf(const std::vector<Page>& pages, const PageSetup& setup, const ByteSource::Put& put,
                    const std::function<bool(std::size_t, std::size_t)>& progress)
{
    PdfOutcome out;
    Owned<cairo_surface_t> surface(
        cairo_pdf_surface_create_for_stream(writeOut, const_cast<ByteSource::Put*>(&put), setup.width, setup.height));
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, setup.header.c_str());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "Orvane");
    Owned<cairo_t> cairo(cairo_create(surface.get()));
    const Owned<PangoLayout> layout = pointLayout(cairo.get());
    const Owned<PangoFontDescription> text = pageFont(pageFontFamily(), setup.fontSize);
    const Owned<PangoFontDescription> small = pageFont(pageFontFamily(), setup.fontSize * HeaderFontScale);
    for (std::size_t n = 0; n < pages.size(); ++n) {
        if (progress && !progress(n, pages.size()))
            return out;
        cairo_set_source_rgb(cairo.get(), 0, 0, 0);
        pango_layout_set_font_description(layout.get(), small.get());
        show(cairo.get(), layout.get(), setup.header, setup.margin, headerBaseline(setup));
        show(cairo.get(), layout.get(), pageFooter(n + 1, pages.size()), setup.width / 2, footerBaseline(setup), true);
        pango_layout_set_font_description(layout.get(), text.get());
        for (const PageLine& line : pages[n].lines)
            show(cairo.get(), layout.get(), line.text, setup.margin, line.baseline);
        cairo_show_page(cairo.get());
    }
    cairo.reset();
    cairo_surface_finish(surface.get());
    if (const cairo_status_t status = cairo_surface_status(surface.get()); status != CAIRO_STATUS_SUCCESS) {
        out.error = cairo_status_to_string(status);
        return out;
    }
    out.written = true;
    return out;
}

bool printPages(const std::vector<Page>& pages, const PageSetup& setup, QPagedPaintDevice& device,
                const std::function<bool(std::size_t, std::size_t)>& progress)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Points on the page to the device's own units. The fonts keep their own sizes in points,
    // never shrunk under a scale: a font a hundredth of its size has its metrics rounded, and
    // the font that draws English beside the Tamil lands off the Tamil's baseline.
    const double scale = device.logicalDpiX() / 72.0, scaleY = device.logicalDpiY() / 72.0;
    const auto at = [scale, scaleY](double x, double y) { return QPointF(x * scale, y * scaleY); };
    QFont text(qtPageFont());
    text.setPointSizeF(setup.fontSize);
    QFont english;  // the interface's font, as English is drawn in the window
    english.setPointSizeF(setup.fontSize);
    QFont small = text;
    small.setPointSizeF(text.pointSizeF() * HeaderFontScale);
    for (std::size_t n = 0; n < pages.size(); ++n) {
        if (progress && !progress(n, pages.size()))
            return false;
        if (n > 0 && !device.newPage())
            return false;
        painter.setFont(small);
        painter.drawText(at(setup.margin, headerBaseline(setup)), QString::fromStdString(setup.header));
        const QString footer = QString::fromStdString(pageFooter(n + 1, pages.size()));
        painter.drawText(at(setup.width / 2, footerBaseline(setup)) - QPointF(painter.fontMetrics().horizontalAdvance(footer) / 2.0, 0),
                         footer);
        for (const PageLine& line : pages[n].lines)
            drawLine(painter, text, english, at(setup.margin, line.baseline), QString::fromStdString(line.text));
    }
    return painter.end();
}

} // namespace orvane

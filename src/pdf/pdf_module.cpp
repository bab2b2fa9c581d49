// The PDF module: poppler's text boxes (a word each, with its glyphs' fonts) as spans, a
// span where a word's font changes, lines where the baseline moves.

#include "pdf/pdf_spans.h"
#include "platform/reasons.h"

#include <poppler-document.h>
#include <poppler-page.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {
std::string fontName(std::string name)
{
    // A subset's tag: six capitals and a plus.
    if (name.size() > 7 && name[6] == '+') {
        bool tag = true;
        for (int i = 0; i < 6; ++i)
            tag = tag && name[std::size_t(i)] >= 'A' && name[std::size_t(i)] <= 'Z';
        if (tag)
            name.erase(0, 7);
    }
    return name;
}

std::string utf8Of(const poppler::ustring& s)
{
    const poppler::byte_array bytes = s.to_utf8();
    return std::string(bytes.begin(), bytes.end());
}

void quiet(const std::string&, void*) {}
} // namespace

extern "C" __attribute__((visibility("default"))) const char* orvanePdfSpans(const char* data, std::size_t size,
                                                                           orvane::PdfSpanSink sink, void* context)
{
    poppler::set_debug_error_function(quiet, nullptr);
    std::unique_ptr<poppler::document> doc(poppler::document::load_from_raw_data(data, int(size)));
    if (!doc)
        return orvane::reasons::text(orvane::Reason::PdfDamaged);
    if (doc->is_locked())
        return orvane::reasons::text(orvane::Reason::PdfLocked);
    for (int p = 0; p < doc->pages(); ++p) {
        std::unique_ptr<poppler::page> page(doc->create_page(p));
        if (!page)
            continue;
        // Lines as the page shows them, top to bottom, each left to right: a form's label and
        // what stands beside it are one line, whatever blocks poppler found.
        const std::vector<poppler::text_box> boxes = page->text_list(poppler::page::text_list_include_font);
        std::vector<std::size_t> order(boxes.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        const auto bottomOf = [&](std::size_t i) { return boxes[i].bbox().y() + boxes[i].bbox().height(); };
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return bottomOf(a) < bottomOf(b); });
        std::vector<int> lineOf(boxes.size());
        int lines = 0;
        for (std::size_t k = 0, start = 0; k < order.size(); ++k) {
            const double h = boxes[order[start]].bbox().height();
            if (k > start && bottomOf(order[k]) - bottomOf(order[start]) > std::max(h, boxes[order[k]].bbox().height()) / 2) {
                start = k;
                ++lines;
            }
            lineOf[order[k]] = lines;
        }
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return lineOf[a] != lineOf[b] ? lineOf[a] < lineOf[b] : boxes[a].bbox().x() < boxes[b].bbox().x();
        });
        bool firstOfPage = true, spaceAfter = false;
        int line = -1;
        double coveredFrom = 0, coveredTo = 0;
        for (const std::size_t index : order) {
            const poppler::text_box& box = boxes[index];
            const poppler::rectf r = box.bbox();
            const bool newLine = lineOf[index] != line;
            line = lineOf[index];
            // Text drawn twice over itself (a bold made by drawing again, a word and then its
            // letters one by one) is read once: letters within what the line drew lately are left.
            constexpr double Slack = 0.5;
            const poppler::ustring text = box.text();
            const double lastFrom = coveredFrom, lastTo = coveredTo;
            const bool apart = !newLine && (spaceAfter || r.x() - coveredTo > r.height() / 5);
            std::string font, piece;
            bool first = true;
            const auto emit = [&] {
                if (!piece.empty())
                    sink(context, {piece.data(), piece.size(), font.c_str(), first && newLine, first && firstOfPage, first && apart});
                first = first && piece.empty();
                piece.clear();
            };
            for (std::size_t i = 0; i < text.size(); ++i) {
                const poppler::rectf g = box.char_bbox(i);
                if (!newLine && g.x() >= lastFrom - Slack && g.x() + g.width() <= lastTo + Slack)
                    continue;
                const std::string glyphFont = fontName(box.get_font_name(int(i)));
                if (glyphFont != font) {
                    emit();
                    font = glyphFont;
                }
                poppler::ustring one(1, text[i]);
                piece += utf8Of(one);
            }
            emit();
            // What the line drew lately: this box, with those it overlaps.
            if (newLine || r.x() > coveredTo + Slack) {
                coveredFrom = r.x();
                coveredTo = r.x() + r.width();
            } else {
                coveredFrom = std::min(coveredFrom, r.x());
                coveredTo = std::max(coveredTo, r.x() + r.width());
            }
            if (first) {  // every letter of it was read before
                spaceAfter = spaceAfter || box.has_space_after();
                continue;
            }
            firstOfPage = false;
            spaceAfter = box.has_space_after();
        }
    }
    return nullptr;
}

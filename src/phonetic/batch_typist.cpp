#include "phonetic/batch_typist.h"

#include "platform/key_string.h"

#include <algorithm>

namespace orvane {

BatchTypist::BatchTypist() : composer(tables, *this, *this, *this)
{
    tables.FillSyllableTable();
    tables.FillVowelKeys();
    tables.FillConsonantKeys();
}

void BatchTypist::typeBytes(std::string_view bytes)
{
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\n' && afterCr) {
            afterCr = false;
            continue;
        }
        afterCr = byte == '\r';
        typeKey(byte == '\n' || byte == '\r' ? KeyEnter : byte);
    }
}

void BatchTypist::typeKey(int keyCode)
{
    apply(composer.Text1_KeyPress(keyCode));
}

std::string BatchTypist::takeFront(std::size_t keep)
{
    if (document.size() <= keep)
        return {};
    std::string front = document.substr(0, document.size() - keep);
    document.erase(0, front.size());
    handedOver += front.size();
    return front;
}

void BatchTypist::sendKeys(std::string_view keys)
{
    forEachKeyStroke(keys, [this](const KeyStroke& stroke) {
        if (const char c = stroke.typedChar())
            typeKey(static_cast<unsigned char>(c));
    });
}

void BatchTypist::setPanelText(int n, std::string_view text)
{
    if (n >= 1 && n <= 3)
        panels[n - 1].assign(text);
}

void BatchTypist::apply(int keyCode)
{
    switch (keyCode) {
    case 0:
    case KeyEsc:
        return;
    case KeyEnter:
        document += "\r\n";
        return;
    case KeyBackspace:
        if (document.size() < 2 && handedOver > 0 && giveBack) {
            std::string back = giveBack(std::min<std::size_t>(handedOver, 1 << 16));
            handedOver -= back.size();
            document.insert(0, back);
        }
        if (document.ends_with("\r\n"))
            document.resize(document.size() - 2);
        else if (!document.empty())
            document.pop_back();
        return;
    default:
        document += char(keyCode);
    }
}

} // namespace orvane

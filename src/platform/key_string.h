#pragma once
// Reading the key-string notation of keystroke injection.

#include <string_view>

namespace orvane {

struct KeyStroke {
    enum Modifier : unsigned { Shift = 1, Ctrl = 2, Alt = 4 };
    char key = 0;          // the character key; 0 for a modifier pressed alone
    unsigned modifiers = 0;

    bool hasKey() const { return key != 0; }
    // The character the stroke types, or 0 when it types none (no key, or Ctrl/Alt held).
    char typedChar() const;
};

// Calls visit(KeyStroke) for each stroke of keys, in order. "+", "^" and "%" hold Shift,
// Ctrl and Alt for the next key; "{c}" is the character c; a trailing modifier is
// delivered as a stroke without a key.
template <typename Visit>
void forEachKeyStroke(std::string_view keys, Visit&& visit)
{
    unsigned held = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const char c = keys[i];
        if (c == '+' || c == '^' || c == '%') {
            held |= c == '+' ? KeyStroke::Shift : c == '^' ? KeyStroke::Ctrl : KeyStroke::Alt;
            continue;
        }
        char key = c;
        if (c == '{' && i + 2 < keys.size() && keys[i + 2] == '}') {
            key = keys[i + 1];
            i += 2;
        }
        visit(KeyStroke{key, held});
        held = 0;
    }
    if (held != 0)
        visit(KeyStroke{0, held});
}

} // namespace orvane

#include "platform/key_string.h"

namespace orvane {

char KeyStroke::typedChar() const
{
    if (key == 0 || (modifiers & (Ctrl | Alt)) != 0)
        return 0;
    if ((modifiers & Shift) != 0 && key >= 'a' && key <= 'z')
        return char(key - 'a' + 'A');
    return key;
}

} // namespace orvane

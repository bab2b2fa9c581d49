#pragma once
// The program's resources (fonts, icons, translations) live in a static library, so they are
// registered by hand, once, before the first use of any of them.

namespace orvane {

void registerResources();

} // namespace orvane

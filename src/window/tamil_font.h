#pragma once
// The font that draws the document's Bamini codes as Tamil.

#include <QFont>

namespace orvane {

// "Bamini" where such a font is installed; otherwise the font that ships with Orvane,
// registered for this run on first use.
QString tamilFontFamily();

QFont tamilFont(double points);

} // namespace orvane

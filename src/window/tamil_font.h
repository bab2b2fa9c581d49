#pragma once
// The font that draws the document's Bamini codes as Tamil.

#include <QFont>

namespace orvane {

// "Bamini" where such a font is installed; otherwise the font that ships with Orvane,
// registered for this run on first use.
QString tamilFontFamily();

QFont tamilFont(double points);
// A font for Unicode text with Tamil in it: the interface's, and Noto Sans Tamil (which
// Orvane carries) for the Tamil.
QFont unicodeTamilFont(double points);

} // namespace orvane

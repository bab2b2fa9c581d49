#pragma once
// What a screen reader gets of the window. Text1 reads as the Unicode Tamil it draws (not
// its Bamini codes), with the caret, the selection and the changes it announces in that
// text; menu items are named without their access marks, also "Cu&t".

namespace orvane {

// Installs, once, the factories of these interfaces and the filter that turns the text
// box's change announcements into Unicode.
void installAccessibility();

// accessible_view.cpp: Orvane's own view's part of it, read as the box is (its own file, so
// that the box does not bring the view with it).
void installViewAccessibility();

// accessible_menu.cpp: the menus' part of it.
void installAccessibleMenus();

} // namespace orvane

#pragma once
// What a key press is to the keystroke filter: the 8-bit code of its character, or that it
// is no character key at all.

class QKeyEvent;

namespace orvane {

enum : int {
    BoxOwnsKey = -1,  // not for the filter: the box's own (moving, selecting, Undo ...)
    NoCode = -2,      // a character the 8-bit document cannot hold: nothing happens
    Swallowed = -3,   // held with Ctrl or Alt, a key that must not edit: nothing happens
};

// The key's code for the filter (Backspace 8, Enter 13, Esc 27, a control code for Ctrl and
// a letter), or one of the values above.
int keyCodeOf(const QKeyEvent* e);

} // namespace orvane

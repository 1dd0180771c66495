#pragma once
// Names for screen readers: every input control of a page is called by the caption the page
// shows beside it (left of it on its row, else just above it), so nobody has to name each
// control by hand. A name a control was given already stays.
class QWidget;

namespace kvx::ui {

// Names every input control below Root (edits, lists, drop-down lists, spin boxes, check
// boxes and radio buttons without text of their own, and the small symbol buttons beside an
// edit: "Clear", "Less", "More" and the edit's name) that has no accessible name yet.
void NameInputsFromCaptions(QWidget* Root);

// The kinds of control NameInputsFromCaptions names (for tests that look for one without).
bool IsInputControl(const QWidget* Widget);

} // namespace kvx::ui

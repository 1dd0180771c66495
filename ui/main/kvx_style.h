#pragma once
// The program's look, the style named "KVX": a dark theme over the Fusion style.
class QApplication;

namespace kvx::ui {

// False (after telling the user) when the base style is missing; the default look stays.
bool ApplyKVXStyle(QApplication& App);

} // namespace kvx::ui

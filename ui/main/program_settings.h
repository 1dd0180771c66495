#pragma once
// The program's own settings, remembered between runs (the platform's place for them).
#include <QSettings>
#include <string>

namespace kvx::ui {

QSettings ProgramSettings();

// What national telephone numbers take in place of their 0 (digits); empty when none is saved.
std::string SavedCountryCode();
void SaveCountryCode(const std::string& CountryCode);

} // namespace kvx::ui

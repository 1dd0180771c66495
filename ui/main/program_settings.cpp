#include "ui/main/program_settings.h"

#include "transfer/data_folder.h"

namespace kvx::ui {

namespace {
constexpr const char* CountryCodeKey = "DefaultCountryCode";
}

QSettings ProgramSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, ProgramName, "kvxconf");
}

std::string SavedCountryCode()
{
    return ProgramSettings().value(CountryCodeKey).toString().toStdString();
}

void SaveCountryCode(const std::string& CountryCode)
{
    ProgramSettings().setValue(CountryCodeKey, QString::fromStdString(CountryCode));
}

} // namespace kvx::ui

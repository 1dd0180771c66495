#pragma once
// The edits that take a telephone number. They take it as people write it ("+44 (0)7700
// 900123"; "07700 900123" with a default country code), and when the user leaves the edit or
// presses Enter it becomes the digits the KVX stores after its "+". A number the rule refuses
// is said at once and stays in the edit to be put right; a write refuses it again.
#include <QString>
#include <functional>
#include <optional>
#include <string>

class QLineEdit;
class QRect;
class QWidget;

namespace kvx::ui {

// The default country code for national numbers as it stands now (digits; empty: none).
using TCountryCodeSource = std::function<std::string()>;

// Room for a number written with its separators.
inline constexpr int PhoneNumberEditLength = 32;

QLineEdit* NewPhoneNumberEdit(QWidget* Parent, const char* Name, const QRect& Geometry, TCountryCodeSource CountryCode);

// The digits a write (Checked) stores for Text ("" for none); refused: nullopt, with Message
// saying so under Field ("Recipient 3"). A template save keeps what the page shows: the digits
// when the rule takes the text, else the text as it stands (as a unit or an older template
// may hold it), so saving never loses it and a write still refuses it.
std::optional<std::u16string> NumberToStore(const QString& Text, const std::string& CountryCode, bool Checked,
                                            const QString& Field, QString& Message);

// Said with a national number refused for want of a default country code.
inline const QString NationalNumberHint =
    QStringLiteral("\r\rA default country code for national numbers can be set under \"Compare and restore\".");

} // namespace kvx::ui

#pragma once
// The small up/down buttons beside number edits, and the number reading every page shares:
// a text that is no number shows the plain "Invalid integer" box and changes nothing.
#include <QPoint>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

class QLineEdit;
class QWidget;

namespace kvx::ui {

inline constexpr const char* InvalidIntegerText = "Invalid integer";

// The text as a whole number (surrounding blanks allowed); nothing for anything else, empty included.
std::optional<int> WholeNumber(const QString& Text);
// The edit's whole number; otherwise shows "Invalid integer" and gives nothing.
std::optional<int> EditWholeNumber(const QLineEdit& Edit);
// Whether every edit holds a whole number; "Invalid integer" for the first that does not.
bool EditsHoldWholeNumbers(std::span<const QLineEdit* const> Edits);
// The edit's whole number as a stored byte; Kept while it holds none (emptied while typing).
uint8_t EditedByte(const QLineEdit& Edit, uint8_t Kept);

// The text as a decimal number, with the user's decimal separator or "." (surrounding blanks
// allowed); nothing for group separators, NaN, infinities or anything else.
std::optional<double> DecimalNumber(const QString& Text);
// The edit's decimal number; otherwise shows "Invalid integer" and gives nothing.
std::optional<double> EditDecimalNumber(const QLineEdit& Edit);
// A decimal as the edits show it: two decimals after a "." ("4.00"), whatever the locale.
QString DecimalText(double Value);
QString RangedDecimalText(double Value, double Minimum, double Maximum);

// The change-time range check of a whole-number edit: a number above Maximum or below
// Minimum becomes that bound; empty text is left alone; anything else shows "Invalid integer".
void ClampIntegerEdit(QLineEdit* Edit, int Minimum, int Maximum);
// The decimal twin. A lower bound above zero waits for FinishFloatEdit: while typing "15"
// the "1" is no mistake yet.
void ClampFloatEdit(QLineEdit* Edit, double Minimum, double Maximum);
// When the edit is left: its number brought into the range, in the "0.00" form. Quiet about
// text that is no number; the store refuses it.
void FinishFloatEdit(QLineEdit* Edit, double Minimum, double Maximum);
// The edit's number for storing, brought into the range; nothing, after "Invalid integer",
// when it holds no number. The edit stays as it is: storing changes no control.
std::optional<double> StoredDecimal(const QLineEdit& Edit, double Minimum, double Maximum);

enum class TNumberKind { Whole, Decimal };
// An edit the user cannot change never holds a text that is no number (an empty one
// included), or a store would point at it with "Invalid integer": when it is disabled, or
// the user leaves it, such a text gives way to the last number it held.
void RestoreLastNumberWhenDisabledOrLeft(QLineEdit* Edit, TNumberKind Kind);

// A stored number as an edit of Minimum..Maximum shows it: clamped into the range (so an
// unprogrammed 0xFF hour never shows as the first digits of a longer number), zero-padded to
// Digits digits when Digits > 0.
QString RangedNumberText(int Value, int Minimum, int Maximum, int Digits = 0);

// One step: up raises a value below Maximum, else wraps to Minimum; down lowers a value above
// Minimum, else wraps to Maximum.
int SteppedValue(int Value, int Minimum, int Maximum, bool Up);
double SteppedFloatValue(double Value, double Minimum, double Maximum, bool Up, double Step);

// Steps the edit's number and writes it back in plain decimal.
void StepEditValue(QLineEdit* Edit, int Minimum, int Maximum, bool Up);
// As StepEditValue, but an empty edit starts from Minimum, and with Pad an edit of limited
// length N is written with N digits ("07" in a 2-character edit).
void StepEditValuePadded(QLineEdit* Edit, int Minimum, int Maximum, bool Pad, bool Up);
// The real-valued twin, written with two decimals and kept inside Minimum..Maximum.
void StepEditFloatValue(QLineEdit* Edit, double Minimum, double Maximum, bool Up, double Step);

// A time or count edit of the switching pages and the two buttons after it.
struct TSteppedEdit {
    const char* Edit;
    const char* Down;
    const char* Up;
    int Digits;   // the edit's length, and the digits its number is shown with
    int Maximum;  // the minimum is 0
};

// A digits-only edit showing 0 in Info.Digits digits, its down and up buttons beside it
// (StepEditValuePadded over 0..Maximum). A typed number above Maximum becomes Maximum;
// OnChange runs after every change of the text.
QLineEdit* NewSteppedEdit(QWidget* Parent, const TSteppedEdit& Info, QPoint At, const std::function<void()>& OnChange);

} // namespace kvx::ui

#include "ui/pages/step_edit.h"

#include <QLineEdit>
#include <algorithm>
#include <cmath>

#include "ui/main/kvx_message_dlg.h"

namespace kvx::ui {

namespace {

// What QLineEdit starts with: an edit nobody gave a length limit.
constexpr int UnlimitedLength = 32767;

std::optional<double> RealNumber(const QString& Text)
{
    bool ok = false;
    const double value = Text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

} // namespace

std::optional<int> WholeNumber(const QString& Text)
{
    bool ok = false;
    const int value = Text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<int> EditWholeNumber(const QLineEdit& Edit)
{
    const std::optional<int> value = WholeNumber(Edit.text());
    if (!value) ShowPlainMessage(InvalidIntegerText);
    return value;
}

QString RangedNumberText(int Value, int Minimum, int Maximum, int Digits)
{
    const int shown = std::clamp(Value, Minimum, Maximum);
    return Digits > 0 ? QString::asprintf("%.*d", Digits, shown) : QString::number(shown);
}

int SteppedValue(int Value, int Minimum, int Maximum, bool Up)
{
    if (Up) return Value < Maximum ? Value + 1 : Minimum;
    return Value > Minimum ? Value - 1 : Maximum;
}

double SteppedFloatValue(double Value, double Minimum, double Maximum, bool Up, double Step)
{
    if (Up) return Value < Maximum ? Value + Step : Minimum;
    return Value > Minimum ? Value - Step : Maximum;
}

void StepEditValue(QLineEdit* Edit, int Minimum, int Maximum, bool Up)
{
    if (const std::optional<int> value = EditWholeNumber(*Edit))
        Edit->setText(QString::number(SteppedValue(*value, Minimum, Maximum, Up)));
}

void StepEditValuePadded(QLineEdit* Edit, int Minimum, int Maximum, bool Pad, bool Up)
{
    if (Edit->text().isEmpty()) Edit->setText(QString::number(Minimum));
    const std::optional<int> value = EditWholeNumber(*Edit);
    if (!value) return;
    const int stepped = SteppedValue(*value, Minimum, Maximum, Up);
    const int digits = Edit->maxLength();
    if (Pad && digits > 0 && digits < UnlimitedLength)
        Edit->setText(QString::asprintf("%.*d", digits, stepped));
    else
        Edit->setText(QString::number(stepped));
}

void StepEditFloatValue(QLineEdit* Edit, double Minimum, double Maximum, bool Up, double Step)
{
    const std::optional<double> value = RealNumber(Edit->text());
    if (!value) {
        ShowPlainMessage(InvalidIntegerText);
        return;
    }
    Edit->setText(QString::number(SteppedFloatValue(*value, Minimum, Maximum, Up, Step), 'f', 2));
}

} // namespace kvx::ui

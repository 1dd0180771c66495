#include "ui/pages/step_edit.h"

#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "ui/main/kvx_message_dlg.h"
#include "ui/pages/page_controls.h"

namespace kvx::ui {

namespace {

// What QLineEdit starts with: an edit nobody gave a length limit.
constexpr int UnlimitedLength = 32767;
constexpr int StepButtonSize = 24;
constexpr int DigitWidth = 10;

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

QLineEdit* NewSteppedEdit(QWidget* Parent, const TSteppedEdit& Info, QPoint At, const std::function<void()>& OnChange)
{
    const int width = 16 + Info.Digits * DigitWidth;
    QLineEdit* edit = NewDigitsEdit(Parent, Info.Edit, Info.Digits, QRect(At.x(), At.y(), width, StepButtonSize));
    edit->setAlignment(Qt::AlignCenter);
    edit->setText(QString::asprintf("%.*d", Info.Digits, 0));
    const int maximum = Info.Maximum;
    for (const bool up : {false, true}) {
        QPushButton* button = NewButton(Parent, up ? Info.Up : Info.Down, up ? QStringLiteral("+") : QStringLiteral("\u2212"),
                                        QRect(At.x() + width + 2 + (up ? StepButtonSize + 2 : 0), At.y(), StepButtonSize, StepButtonSize));
        button->setStyleSheet("padding: 0;");
        QObject::connect(button, &QPushButton::clicked, edit, [edit, maximum, up] { StepEditValuePadded(edit, 0, maximum, true, up); });
    }
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, maximum, OnChange](const QString& Text) {
        const std::optional<int> value = WholeNumber(Text);
        if (value && *value > maximum) {
            edit->setText(QString::number(maximum));  // that change runs OnChange
            return;
        }
        OnChange();
    });
    return edit;
}

} // namespace kvx::ui

#include "ui/widgets/step_edit.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QLocale>
#include <algorithm>
#include <cmath>

#include "ui/main/kvx_message_dlg.h"
#include "ui/widgets/page_controls.h"

namespace kvx::ui {

namespace {

// What QLineEdit starts with: an edit nobody gave a length limit.
constexpr int UnlimitedLength = 32767;
constexpr int StepEditHeight = 24;
constexpr int DigitWidth = 10;

std::optional<double> LocaleNumber(QLocale Locale, const QString& Text)
{
    // "1.500" must never read as fifteen hundred where "." groups thousands.
    Locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = Locale.toDouble(Text, &ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// Remembers the last number of its edit (its parent) and puts it back when the edit is
// disabled, or left for another control of the window, holding no number.
class TLastNumberKeeper : public QObject {
public:
    TLastNumberKeeper(QLineEdit* Edit, TNumberKind Kind) : QObject(Edit), FEdit(Edit), FKind(Kind)
    {
        Remember(Edit->text());
        connect(Edit, &QLineEdit::textChanged, this, [this](const QString& Text) {
            Remember(Text);
            if (!FEdit->isEnabled()) Restore();
        });
        Edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() == QEvent::EnabledChange && !FEdit->isEnabled()) Restore();
        // Not when a message box or another window takes the focus: the user is still there.
        if (Event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(Event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) Restore();
        }
        return false;
    }

private:
    bool IsNumber(const QString& Text) const
    {
        return FKind == TNumberKind::Whole ? WholeNumber(Text).has_value() : DecimalNumber(Text).has_value();
    }
    void Remember(const QString& Text)
    {
        if (IsNumber(Text)) FLast = Text;
    }
    void Restore()
    {
        if (!IsNumber(FEdit->text()) && !FLast.isEmpty()) FEdit->setText(FLast);
    }

    QLineEdit* FEdit;
    TNumberKind FKind;
    QString FLast;
};

} // namespace

std::optional<double> DecimalNumber(const QString& Text)
{
    const QString trimmed = Text.trimmed();
    if (const std::optional<double> value = LocaleNumber(QLocale(), trimmed)) return value;
    return LocaleNumber(QLocale::c(), trimmed);
}

std::optional<double> EditDecimalNumber(const QLineEdit& Edit)
{
    const std::optional<double> value = DecimalNumber(Edit.text());
    if (!value) ShowPlainMessage(InvalidIntegerText);
    return value;
}

QString DecimalText(double Value)
{
    return QString::number(Value, 'f', 2);
}

QString RangedDecimalText(double Value, double Minimum, double Maximum)
{
    return DecimalText(std::clamp(Value, Minimum, Maximum));
}

void ClampIntegerEdit(QLineEdit* Edit, int Minimum, int Maximum)
{
    if (Edit->text().isEmpty()) return;
    const std::optional<int> value = EditWholeNumber(*Edit);
    if (!value) return;
    if (*value > Maximum) Edit->setText(QString::number(Maximum));
    else if (*value < Minimum) Edit->setText(QString::number(Minimum));
}

void ClampFloatEdit(QLineEdit* Edit, double Minimum, double Maximum)
{
    if (Edit->text().isEmpty()) return;
    const std::optional<double> value = EditDecimalNumber(*Edit);
    if (!value) return;
    if (*value > Maximum) Edit->setText(DecimalText(Maximum));
    else if (*value < Minimum && Minimum <= 0) Edit->setText(DecimalText(Minimum));
}

void FinishFloatEdit(QLineEdit* Edit, double Minimum, double Maximum)
{
    const std::optional<double> value = DecimalNumber(Edit->text());
    if (!value) return;
    const QString shown = RangedDecimalText(*value, Minimum, Maximum);
    if (Edit->text() != shown) Edit->setText(shown);
}

std::optional<double> StoredDecimal(const QLineEdit& Edit, double Minimum, double Maximum)
{
    const std::optional<double> value = EditDecimalNumber(Edit);
    if (!value) return std::nullopt;
    return std::clamp(*value, Minimum, Maximum);
}

void RestoreLastNumberWhenDisabledOrLeft(QLineEdit* Edit, TNumberKind Kind)
{
    new TLastNumberKeeper(Edit, Kind);
}

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

bool EditsHoldWholeNumbers(std::span<const QLineEdit* const> Edits)
{
    return std::all_of(Edits.begin(), Edits.end(), [](const QLineEdit* Edit) { return EditWholeNumber(*Edit).has_value(); });
}

uint8_t EditedByte(const QLineEdit& Edit, uint8_t Kept)
{
    return static_cast<uint8_t>(WholeNumber(Edit.text()).value_or(Kept));
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
    if (const std::optional<double> value = EditDecimalNumber(*Edit))
        Edit->setText(RangedDecimalText(SteppedFloatValue(*value, Minimum, Maximum, Up, Step), Minimum, Maximum));
}

QLineEdit* NewSteppedEdit(QWidget* Parent, const TSteppedEdit& Info, QPoint At, const std::function<void()>& OnChange)
{
    const int width = 16 + Info.Digits * DigitWidth;
    QLineEdit* edit = NewDigitsEdit(Parent, Info.Edit, Info.Digits, QRect(At.x(), At.y(), width, StepEditHeight));
    edit->setAlignment(Qt::AlignCenter);
    edit->setText(QString::asprintf("%.*d", Info.Digits, 0));
    const int maximum = Info.Maximum;
    NewStepButtons(Parent, Info.Down, Info.Up, edit, [edit, maximum](bool Up) { StepEditValuePadded(edit, 0, maximum, true, Up); });
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

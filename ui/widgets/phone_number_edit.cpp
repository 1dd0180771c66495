#include "ui/widgets/phone_number_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "config/phone_number.h"
#include "ui/main/kvx_message_dlg.h"

namespace kvx::ui {

namespace {

// Any country code will do to tell a national number from one the rule refuses for itself.
constexpr const char* SomeCountryCode = "1";

QString RefusedMessage(const QString& Text, const std::string& CountryCode, const QString& Field, const std::string& Reason)
{
    QString message = Field + ": " + QString::fromStdString(Reason) + ".";
    std::string ignored;
    if (CountryCode.empty() && NormalisedNumber(Text.toStdString(), SomeCountryCode, ignored)) message += NationalNumberHint;
    return message;
}

// Makes the edit's number the stored digits when the user leaves it or presses Enter.
class TPhoneNumberFilter : public QObject {
public:
    TPhoneNumberFilter(QLineEdit* Edit, TCountryCodeSource CountryCode)
        : QObject(Edit), FEdit(Edit), FCountryCode(std::move(CountryCode))
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() == QEvent::FocusOut && LeftByTheUser(static_cast<QFocusEvent*>(Event)->reason())) Take();
        if (Event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(Event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) Take();
        }
        return false;
    }

private:
    // Not when a dialog or a menu takes the focus for a moment, nor when the page is hidden.
    static bool LeftByTheUser(Qt::FocusReason Reason)
    {
        return Reason == Qt::TabFocusReason || Reason == Qt::BacktabFocusReason || Reason == Qt::MouseFocusReason ||
               Reason == Qt::ShortcutFocusReason;
    }

    void Take()
    {
        const QString text = FEdit->text();
        if (text.isEmpty() || FEdit->isReadOnly() || text == FRefused) return;
        const std::string countryCode = FCountryCode();
        std::string reason;
        if (const auto digits = NormalisedNumber(text.toStdString(), countryCode, reason)) {
            if (QString::fromStdU16String(*digits) != text) FEdit->setText(QString::fromStdU16String(*digits));
            return;
        }
        // Said once for each text: leaving the edit again does not ask again.
        FRefused = text;
        const QString field = FEdit->accessibleName().isEmpty() ? QStringLiteral("Telephone number") : FEdit->accessibleName();
        TKVXMessageDlg::ShowMessageEx(RefusedMessage(text, countryCode, field, reason), TMsgDlgType::mtWarning,
                                      {TMsgDlgBtn::mbOK}, 0);
        // Back to the number once the focus has settled where the user sent it.
        QTimer::singleShot(0, FEdit, [edit = FEdit] {
            if (!edit->isVisible()) return;
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
        });
    }

    QLineEdit* FEdit;
    TCountryCodeSource FCountryCode;
    QString FRefused;
};

} // namespace

QLineEdit* NewPhoneNumberEdit(QWidget* Parent, const char* Name, const QRect& Geometry, TCountryCodeSource CountryCode)
{
    auto* edit = new QLineEdit(Parent);
    edit->setObjectName(Name);
    edit->setMaxLength(PhoneNumberEditLength);
    edit->setGeometry(Geometry);
    edit->installEventFilter(new TPhoneNumberFilter(edit, std::move(CountryCode)));
    return edit;
}

std::optional<std::u16string> NumberToStore(const QString& Text, const std::string& CountryCode, bool Checked,
                                            const QString& Field, QString& Message)
{
    if (Text.isEmpty()) return std::u16string();
    std::string reason;
    if (const auto digits = NormalisedNumber(Text.toStdString(), CountryCode, reason)) return digits;
    if (!Checked) return Text.toStdU16String();
    Message = RefusedMessage(Text, CountryCode, Field, reason);
    return std::nullopt;
}

} // namespace kvx::ui

#include "ui/main/kvx_message_box.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QPushButton>
#include <algorithm>

namespace kvx::ui {

namespace {

struct TButtonInfo {
    TMsgDlgBtn Button;
    QMessageBox::StandardButton Standard;  // NoButton: a custom button with the caption below
    const char* CustomCaption;
};

constexpr TButtonInfo ButtonTable[] = {
    {TMsgDlgBtn::mbYes, QMessageBox::Yes, nullptr},         {TMsgDlgBtn::mbNo, QMessageBox::No, nullptr},
    {TMsgDlgBtn::mbOK, QMessageBox::Ok, nullptr},           {TMsgDlgBtn::mbCancel, QMessageBox::Cancel, nullptr},
    {TMsgDlgBtn::mbAbort, QMessageBox::Abort, nullptr},     {TMsgDlgBtn::mbRetry, QMessageBox::Retry, nullptr},
    {TMsgDlgBtn::mbIgnore, QMessageBox::Ignore, nullptr},   {TMsgDlgBtn::mbAll, QMessageBox::NoButton, "&All"},
    {TMsgDlgBtn::mbNoToAll, QMessageBox::NoToAll, nullptr}, {TMsgDlgBtn::mbYesToAll, QMessageBox::YesToAll, nullptr},
    {TMsgDlgBtn::mbHelp, QMessageBox::Help, nullptr},       {TMsgDlgBtn::mbClose, QMessageBox::Close, nullptr},
};

TMsgDlgButtons InStandingOrder(TMsgDlgButtons Buttons)
{
    std::sort(Buttons.begin(), Buttons.end());
    Buttons.erase(std::unique(Buttons.begin(), Buttons.end()), Buttons.end());
    return Buttons;
}

} // namespace

QString MessageText(const QString& Msg)
{
    QString text = Msg;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

std::map<TMsgDlgBtn, QString> ReplacedCaptions(const TMsgDlgButtons& Buttons, const QStringList& ButtonCaptions)
{
    std::map<TMsgDlgBtn, QString> captions;
    const TMsgDlgButtons ordered = InStandingOrder(Buttons);
    qsizetype index = 0;
    for (auto it = ordered.rbegin(); it != ordered.rend() && index < ButtonCaptions.size(); ++it) {
        if (ButtonCaptions[index].isEmpty()) break;
        captions[*it] = ButtonCaptions[index++];
    }
    return captions;
}

TKVXMessageBox::TKVXMessageBox(const QString& Msg, const TMsgDlgButtons& Buttons, const QStringList& ButtonCaptions,
                               QWidget* Parent)
    : QMessageBox(Parent)
{
    setIcon(QMessageBox::NoIcon);
    setWindowTitle(QString());
    setTextFormat(Qt::PlainText);
    setText(MessageText(Msg));
    setWindowFlags(Qt::Dialog | Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    const auto captions = ReplacedCaptions(Buttons, ButtonCaptions);
    for (TMsgDlgBtn button : InStandingOrder(Buttons)) {
        const TButtonInfo& info = *std::find_if(std::begin(ButtonTable), std::end(ButtonTable),
                                                [button](const TButtonInfo& i) { return i.Button == button; });
        QAbstractButton* added = info.Standard != QMessageBox::NoButton
                                     ? static_cast<QAbstractButton*>(addButton(info.Standard))
                                     : addButton(tr(info.CustomCaption), QMessageBox::AcceptRole);
        if (auto caption = captions.find(button); caption != captions.end()) added->setText(caption->second);
        FButtons[button] = added;
    }
    for (const TMsgDlgBtn safe : {TMsgDlgBtn::mbCancel, TMsgDlgBtn::mbNo}) {
        if (QAbstractButton* button = ButtonOf(safe)) {
            setEscapeButton(button);
            break;
        }
    }
    if (FButtons.size() == 1) setEscapeButton(FButtons.begin()->second);
    connect(this, &QMessageBox::buttonClicked, this, [this](QAbstractButton* clicked) {
        for (const auto& [button, widget] : FButtons)
            if (widget == clicked) FModalResult = ModalResultOf(button);
    });
}

QAbstractButton* TKVXMessageBox::ButtonOf(TMsgDlgBtn Which) const
{
    const auto it = FButtons.find(Which);
    return it == FButtons.end() ? nullptr : it->second;
}

void TKVXMessageBox::closeEvent(QCloseEvent* Event)
{
    // Only a button closes the box; a pressed button ends the dialog without a close event.
    Event->ignore();
}


} // namespace kvx::ui

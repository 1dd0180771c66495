#include "ui/widgets/remote_command_editor.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "config/page_captions.h"
#include "ui/main/kvx_message_dlg.h"
#include "ui/widgets/page_controls.h"

namespace kvx::ui {

namespace {

constexpr int CommandLength = static_cast<int>(RemoteCommandTextSize);
constexpr int FirstRowY = 26;
constexpr int RowHeight = 26;
constexpr int ListLeft = 112;
constexpr int ListWidth = 230;
constexpr int TextsLeft = 362;
constexpr int NumberLeft = 486;
constexpr int TextsRight = 656;
constexpr int VisibleListItems = 16;

struct TTriggerKindInfo {
    TRemoteTriggerKind Kind;
    const char* Button;
    const char* List;
    const char* Caption;
};

// In the order of TTriggerModels.
constexpr std::array<TTriggerKindInfo, 3> TriggerKindTable{{
    {TRemoteTriggerKind::Input, "rbRCIP", "cbRCIP", "Input"},
    {TRemoteTriggerKind::Timer, "rbRCTMR", "cbRCTMR", "Timer"},
    {TRemoteTriggerKind::MissedCall, "rbRCMC", "cbRCMC", "Missed call"},
}};

int RowY(int Row) { return FirstRowY + Row * TRemoteCommandEditor::RowPitch; }

} // namespace

TRemoteCommandEditor::TRemoteCommandEditor(const TTriggerModels& Models, std::function<void()> OnEdit, TCountryCodeSource CountryCode,
                                 QWidget* Parent)
    : QWidget(Parent), FOnEdit(std::move(OnEdit))
{
    resize(EditorWidth, EditorHeight);
    lbRCHeading = NewHeading(this, QString(), QRect(8, 2, 300, 20));
    lbRCHeading->setObjectName("lbRCHeading");
    BuildTriggerKinds(Models);
    BuildTexts(std::move(CountryCode));
}

void TRemoteCommandEditor::BuildTriggerKinds(const TTriggerModels& Models)
{
    for (size_t k = 0; k < TriggerKindTable.size(); ++k) {
        const TTriggerKindInfo& info = TriggerKindTable[k];
        const int y = RowY(static_cast<int>(k));
        auto* button = new QRadioButton(QString::fromLatin1(info.Caption), this);
        button->setObjectName(info.Button);
        button->setGeometry(8, y, ListLeft - 12, RowHeight);
        auto* list = new QComboBox(this);
        list->setObjectName(info.List);
        list->setGeometry(ListLeft, y, ListWidth, RowHeight);
        list->setMaxVisibleItems(VisibleListItems);
        list->setModel(Models[k]);
        list->setCurrentIndex(0);
        FKinds[k] = {info.Kind, button, list};
    }
    rbRCIP = FKinds[0].Button;
    cbRCIP = FKinds[0].List;
    rbRCTMR = FKinds[1].Button;
    cbRCTMR = FKinds[1].List;
    rbRCMC = FKinds[2].Button;
    cbRCMC = FKinds[2].List;
    CheckKind(TRemoteTriggerKind::Input);
    // Connected only now: the editor's first state is no edit of the configuration.
    for (const TTriggerKind& kind : FKinds) {
        connect(kind.Button, &QRadioButton::toggled, this, [this, k = kind.Kind](bool checked) {
            if (!checked) return;
            FOnEdit();
            EnableListOf(k);
        });
        connect(kind.List, &QComboBox::currentIndexChanged, this, [this] { FOnEdit(); });
    }
}

void TRemoteCommandEditor::BuildTexts(TCountryCodeSource CountryCode)
{
    NewLabel(this, ReceivingNumberCaption, QRect(TextsLeft, RowY(0), NumberLeft - TextsLeft - 4, RowHeight));
    edRCNO = NewPhoneNumberEdit(this, "edRCNO", QRect(NumberLeft, RowY(0), TextsRight - NumberLeft, RowHeight), std::move(CountryCode));
    edRCNO->setPlaceholderText(QStringLiteral("International format"));
    edRCNO->setToolTip(QStringLiteral("International format"));
    btnRCNO = NewClearButton(this, "btnRCNO", edRCNO);
    NewLabel(this, CommandCaption, QRect(TextsLeft, RowY(1), 200, RowHeight));
    // Not a printable-only edit: a character the unit cannot send must be seen and refused
    // with the GSM message, not swallowed without a word.
    edRCCMD = NewEdit(this, "edRCCMD", CommandLength, QRect(TextsLeft, RowY(2), TextsRight - TextsLeft, RowHeight));
    btnRCCMD = NewClearButton(this, "btnRCCMD", edRCCMD);
    for (auto [edit, clear] : {std::pair{edRCNO, btnRCNO}, std::pair{edRCCMD, btnRCCMD}})
        connect(edit, &QLineEdit::textChanged, this, [this, clear](const QString& text) {
            FOnEdit();
            clear->setEnabled(!text.isEmpty());
        });
    connect(edRCCMD, &QLineEdit::textEdited, this, [this](const QString& text) { CommandEdited(text); });
}

void TRemoteCommandEditor::CommandEdited(const QString& Text)
{
    if (!IsRemoteCommandText(Text.toStdU16String()))
        TKVXMessageDlg::ShowMessageEx(GSMCharacterText, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK}, 0);
}

void TRemoteCommandEditor::CheckKind(TRemoteTriggerKind Kind)
{
    for (const TTriggerKind& kind : FKinds) {
        if (kind.Kind == Kind) {
            kind.Button->setChecked(true);
            continue;
        }
        // A checked radio button of a group will not uncheck itself otherwise.
        kind.Button->setAutoExclusive(false);
        kind.Button->setChecked(false);
        kind.Button->setAutoExclusive(true);
    }
    EnableListOf(Kind);
}

void TRemoteCommandEditor::EnableListOf(TRemoteTriggerKind Kind)
{
    for (const TTriggerKind& kind : FKinds) kind.List->setEnabled(kind.Kind == Kind);
}

void TRemoteCommandEditor::ShowCommand(const TRemoteCommand& Command)
{
    CheckKind(Command.Trigger.Kind);
    for (const TTriggerKind& kind : FKinds)
        kind.List->setCurrentIndex(kind.Kind == Command.Trigger.Kind ? Command.Trigger.Entry : 0);
    edRCNO->setText(QString::fromStdU16String(Command.Number));
    edRCCMD->setText(QString::fromStdU16String(Command.Command));
    FStoredTriggerBytes = Command.StoredTriggerBytes;
}

TRemoteCommand TRemoteCommandEditor::FormToCommand() const
{
    TRemoteCommand command;
    command.Number = edRCNO->text().toStdU16String();
    // Blanks alone are no command: the unit would have nothing to send.
    const QString text = edRCCMD->text();
    if (!std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' '; })) command.Command = text.toStdU16String();
    command.Trigger = {TRemoteTriggerKind::None, 0};
    for (const TTriggerKind& kind : FKinds)
        if (kind.Button->isChecked()) command.Trigger = {kind.Kind, static_cast<uint16_t>(kind.List->currentIndex())};
    command.StoredTriggerBytes = FStoredTriggerBytes;
    return command;
}

} // namespace kvx::ui

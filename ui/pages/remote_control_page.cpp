#include "ui/pages/remote_control_page.h"

#include <QLabel>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringListModel>
#include <optional>

#include "config/page_captions.h"
#include "ui/main/kvx_message_dlg.h"
#include "ui/pages/page_roles.h"
#include "ui/widgets/page_controls.h"

namespace kvx::ui {

namespace {

constexpr int Margin = 16;
constexpr int ContentWidth = 737;
constexpr int PageHeight = 552;
constexpr int ExampleTop = 62;
constexpr int ExampleHeight = 230;
constexpr int ListTop = ExampleTop + ExampleHeight + 6;
constexpr int ListHeight = PageHeight - ListTop - 4;

struct TTriggerList {
    TRemoteTriggerKind Kind;
    size_t Count;
    int LocationPageNo;  // the page naming its locations; 0: none
};

// In the order of TTriggerModels.
constexpr std::array<TTriggerList, 3> TriggerLists{{
    {TRemoteTriggerKind::Input, RemoteInputTriggerCount, 0},
    {TRemoteTriggerKind::Timer, RemoteTimerTriggerCount, TimersPageNo},
    {TRemoteTriggerKind::MissedCall, RemoteMissedCallTriggerCount, MissedCallPageNo},
}};

QString TriggerName(TRemoteTriggerKind Kind, size_t Entry, const QString& Location = {})
{
    return QString::fromStdU16String(RemoteTriggerName({Kind, static_cast<uint16_t>(Entry)}, Location.toStdU16String()));
}

struct TStoreProblem {
    QString Text;
    TMsgDlgType Type;
};

std::optional<TStoreProblem> StoreProblem(const TRemoteCommand& Command, size_t No, bool ConfigAssistant)
{
    if (!IsRemoteCommandText(Command.Command)) return TStoreProblem{GSMCharacterText, TMsgDlgType::mtError};
    // Without a number the unit has nowhere to send the command: never dropped without a word.
    if (Command.Number.empty() && !Command.Command.empty())
        return TStoreProblem{QStringLiteral("Please define remote command number %1.").arg(No), TMsgDlgType::mtInformation};
    if (ConfigAssistant && !Command.Number.empty() && Command.Command.empty())
        return TStoreProblem{QStringLiteral("Please define remote command instruction %1.").arg(No), TMsgDlgType::mtInformation};
    return std::nullopt;
}

} // namespace

TRemoteControlPage::TRemoteControlPage(IPageHost& Host, QWidget* Parent) : TKVXPage(Parent), FHost(Host)
{
    // The checked trigger kind must stand out from the other two at a glance.
    setStyleSheet("QRadioButton::indicator { width: 12px; height: 12px; border-radius: 7px; border: 1px solid #AAA9A9;"
                  " background: #191919; }"
                  "QRadioButton::indicator:checked { border: 1px solid #FFFFFF; background: #007DB7; }");
    NewNote(this,
            QStringLiteral("True M2M \u201Cif-this-then-that\u201D functionality. Automatically send Remote Commands to another "
                           "KVX or other device following a specific trigger. Up to 8 predefined commands (64 characters "
                           "long) can be sent. Only specified characters can be used in the commands."),
            QRect(Margin, 6, ContentWidth, 52));
    BuildTriggerModels();
    BuildExample();
    BuildEditors();
}

void TRemoteControlPage::BuildTriggerModels()
{
    for (size_t k = 0; k < TriggerLists.size(); ++k) {
        QStringList names;
        names.reserve(static_cast<qsizetype>(TriggerLists[k].Count));
        for (size_t entry = 0; entry < TriggerLists[k].Count; ++entry) names.push_back(TriggerName(TriggerLists[k].Kind, entry));
        FTriggerModels[k] = new QStringListModel(names, this);
    }
}

void TRemoteControlPage::BuildExample()
{
    pnlExample = new QWidget(this);
    pnlExample->setObjectName("pnlExample");
    pnlExample->setGeometry(Margin, ExampleTop, ContentWidth, ExampleHeight);
    pnlExample->setAttribute(Qt::WA_StyledBackground);
    pnlExample->setStyleSheet("#pnlExample { background: #333233; border-radius: 4px; }");
    NewHeading(pnlExample, QStringLiteral("EXAMPLE"), QRect(8, 4, 200, 18));
    NewLabel(pnlExample, QStringLiteral("1. Select an event or trigger"), QRect(8, 24, 240, 18));
    NewLabel(pnlExample, QStringLiteral("2. Input the receiving unit\u2019s mobile number"), QRect(252, 24, 280, 18));
    NewLabel(pnlExample, QStringLiteral("3. Input the command to be sent"), QRect(536, 24, 200, 18));

    // The steps above stand where the editor's heading would.
    auto* example = new TRemoteCommandEditor(FTriggerModels, [] {}, [] { return std::string(); }, pnlExample);
    example->setObjectName("ITTExample");
    example->lbRCHeading->hide();
    example->move(0, 18);
    example->ShowCommand({u"447700900123", u"$8642*rly2*on", {TRemoteTriggerKind::Input, 0}, {}});

    const int notesTop = 18 + TRemoteCommandEditor::EditorHeight;
    NewNote(pnlExample,
            QStringLiteral("In this example, input 1 is connected to a water level sensor in a reservoir. When the water "
                           "level drops a sensor triggers input 1. The unit sends a command to another KVX unit connected "
                           "to a pump at a nearby dam. The relay switches the pump on to begin filling the reservoir. "
                           "Similarly, another remote command can be configured to switch the pump off."),
            QRect(8, notesTop, ContentWidth - 16, 70));
    NewNote(pnlExample, QStringLiteral("The function can also be used to send custom confirmation SMS\u2019s following  events."),
            QRect(8, notesTop + 72, ContentWidth - 16, 18));
    pnlExample->setEnabled(false);
}

void TRemoteControlPage::BuildEditors()
{
    sbITTList = new QScrollArea(this);
    sbITTList->setObjectName("sbITTList");
    sbITTList->setGeometry(Margin, ListTop, ContentWidth, ListHeight);
    sbITTList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sbITTList->verticalScrollBar()->setSingleStep(TRemoteCommandEditor::RowPitch);
    auto* area = new QWidget;
    area->setObjectName("sbITTListEditors");
    for (size_t i = 0; i < ITTControlList.size(); ++i) {
        auto* editor = new TRemoteCommandEditor(FTriggerModels, [this] { FHost.MarkConfigChanged(); },
                                           [this] { return FHost.DefaultCountryCode(); }, area);
        editor->setObjectName(QStringLiteral("ITTControl%1").arg(i));
        const QString heading = QStringLiteral("%1 %2").arg(RemoteCommandCaption).arg(i + 1);
        editor->lbRCHeading->setText(heading);
        // Eight editors alike: each control goes by its command's heading too.
        editor->edRCNO->setAccessibleName(heading + ", " + ReceivingNumberCaption);
        editor->edRCCMD->setAccessibleName(heading + ", " + CommandCaption);
        for (const auto& [kind, list] : {std::pair{editor->rbRCIP, editor->cbRCIP}, {editor->rbRCTMR, editor->cbRCTMR}, {editor->rbRCMC, editor->cbRCMC}})
            list->setAccessibleName(heading + ", " + kind->text());
        editor->move(0, static_cast<int>(i) * TRemoteCommandEditor::EditorHeight);
        ITTControlList[i] = editor;
    }
    area->resize(TRemoteCommandEditor::EditorWidth, static_cast<int>(ITTControlList.size()) * TRemoteCommandEditor::EditorHeight);
    sbITTList->setWidget(area);
    // The editors sit on the page's own dark background.
    area->setAutoFillBackground(false);
    sbITTList->viewport()->setAutoFillBackground(false);
}

void TRemoteControlPage::RefreshLocationNames()
{
    for (size_t k = 0; k < TriggerLists.size(); ++k) {
        const TTriggerList& list = TriggerLists[k];
        if (list.LocationPageNo == 0) continue;
        const auto* names = dynamic_cast<const ILocationNames*>(FHost.Page(list.LocationPageNo));
        QAbstractItemModel* model = FTriggerModels[k];
        for (size_t entry = 0; entry < list.Count; ++entry) {
            const QString name = TriggerName(list.Kind, entry, names ? names->LocationName(static_cast<int>(entry)) : QString());
            const QModelIndex index = model->index(static_cast<int>(entry), 0);
            // Only changed rows: a reset of the model would move every editor's selection.
            if (model->data(index).toString() != name) model->setData(index, name);
        }
    }
}

void TRemoteControlPage::showEvent(QShowEvent* Event)
{
    RefreshLocationNames();
    TKVXPage::showEvent(Event);
}

QScrollBar* TRemoteControlPage::WheelScrollBar()
{
    return sbITTList->verticalScrollBar();
}

void TRemoteControlPage::ConfigToForm(const TKVXConfig& KVXConfig)
{
    RefreshLocationNames();
    for (size_t i = 0; i < ITTControlList.size(); ++i) ITTControlList[i]->ShowCommand(DecodeRemoteCommand(KVXConfig, i));
}

bool TRemoteControlPage::CheckCommand(const TRemoteCommand& Command, size_t No, bool ConfigAssistant, const std::optional<QString>& NumberProblem)
{
    const auto problem = NumberProblem ? TStoreProblem{*NumberProblem, TMsgDlgType::mtWarning} : StoreProblem(Command, No, ConfigAssistant);
    if (!problem) return true;
    TKVXMessageDlg::ShowMessageEx(problem->Text, problem->Type, {TMsgDlgBtn::mbOK}, 0);
    FHost.BringPageForward(ITTTPageNo);
    sbITTList->ensureWidgetVisible(ITTControlList[No - 1], 0, 0);
    if (NumberProblem) ITTControlList[No - 1]->edRCNO->setFocus(Qt::OtherFocusReason);
    return false;
}

bool TRemoteControlPage::FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant)
{
    TRemoteCommands commands;
    for (size_t i = 0; i < ITTControlList.size(); ++i) {
        commands[i] = ITTControlList[i]->FormToCommand();
        QString problem;
        const auto digits = NumberToStore(QString::fromStdU16String(commands[i].Number), FHost.DefaultCountryCode(), ConfigAssistant,
                                          ITTControlList[i]->edRCNO->accessibleName(), problem);
        if (digits) commands[i].Number = *digits;
        if (!CheckCommand(commands[i], i + 1, ConfigAssistant, digits ? std::nullopt : std::optional(problem))) return false;
    }
    EncodeRemoteCommands(KVXConfig, commands);
    return true;
}

} // namespace kvx::ui

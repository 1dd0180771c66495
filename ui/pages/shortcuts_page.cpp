#include "ui/pages/shortcuts_page.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "config/page_captions.h"
#include "ui/main/kvx_message_dlg.h"
#include "ui/pages/page_roles.h"
#include "ui/widgets/page_controls.h"

namespace kvx::ui {

namespace {

constexpr int TextLength = static_cast<int>(ShortcutTextSize);
constexpr const char* StandardPrefix = "$8642*";
constexpr int FirstRowY = 150;
constexpr int RowHeight = 34;

std::string Numbered(const char* Stem, size_t Number)
{
    return Stem + std::to_string(Number);
}

QLineEdit* NewRowEdit(QWidget* Parent, const std::string& Name, int X, int Y)
{
    return NewTextEdit(Parent, Name.c_str(), TextLength, QRect(X, Y, 220, 26));
}

// Row n's first missing half, if exactly one half is given.
QString MissingHalfMessage(size_t Row, const TShortcut& Pair)
{
    if (!Pair.Shortcut.empty() && Pair.Instruction.empty())
        return QString("Please define SMS command instruction %1.").arg(Row);
    if (Pair.Shortcut.empty() && !Pair.Instruction.empty()) return QString("Please define SMS shortcut %1.").arg(Row);
    return {};
}

} // namespace

TShortcutsPage::TShortcutsPage(IPageHost& Host, QWidget* Parent) : TKVXPage(Parent), FHost(Host)
{
    NewNote(this,
            "To simplify the typing of SMS commands on a mobile phone, simple shortcut messages can be created in the "
            "fields below. Shortcuts are not case sensitive.",
            QRect(24, 10, 700, 36));
    NewNote(this,
            "Associate your shortcut with a SMS remote command to achieve the desired outcome. Omit the \u2018$\u2019, "
            "PIN and first \u2018*\u2019 character.",
            QRect(24, 46, 700, 36));
    NewHeading(this, ShortcutCommandCaption, QRect(70, 88, 220, 20));
    NewHeading(this, CommandInstructionCaption, QRect(400, 88, 260, 20));

    NewLabel(this, "Example", QRect(10, 114, 60, 26));
    QLineEdit* exampleShortcut = NewEdit(this, "edExampleShortcut", TextLength, QRect(70, 114, 220, 26));
    exampleShortcut->setText("open garage");
    exampleShortcut->setReadOnly(true);
    lblExamplePrefix = NewLabel(this, StandardPrefix, QRect(326, 114, 70, 26), "Label4");
    lblExamplePrefix->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QLineEdit* exampleInstruction = NewEdit(this, "edExampleInstruction", TextLength, QRect(400, 114, 220, 26));
    exampleInstruction->setText("rly1*pls");
    exampleInstruction->setReadOnly(true);

    for (size_t i = 0; i < ShortcutCount; ++i) {
        const size_t row = i + 1;
        const int y = FirstRowY + static_cast<int>(i) * RowHeight;
        NewLabel(this, QString::number(row), QRect(40, y, 24, 26));
        edSC[i] = NewRowEdit(this, Numbered("edSC", row), 70, y);
        btnSCC[i] = NewClearButton(this, Numbered("btnSCC", row).c_str(), edSC[i]);
        lblPrefix[i] = NewLabel(this, StandardPrefix, QRect(326, y, 70, 26), Numbered("Label", 11 + row).c_str());
        lblPrefix[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        edSI[i] = NewRowEdit(this, Numbered("edSI", row), 400, y);
        btnSIC[i] = NewClearButton(this, Numbered("btnSIC", row).c_str(), edSI[i]);
        for (auto [edit, clear] : {std::pair{edSC[i], btnSCC[i]}, std::pair{edSI[i], btnSIC[i]}})
            connect(edit, &QLineEdit::textChanged, this, [this, clear](const QString& text) {
                FHost.MarkConfigChanged();
                clear->setEnabled(!text.isEmpty());
            });
    }
    btnCommandGuide = NewButton(this, "Button23", "Remote command guide", QRect(400, FirstRowY + 10 * RowHeight + 6, 220, 28));
    connect(btnCommandGuide, &QPushButton::clicked, this, [this] { FHost.ShowCommandGuide(); });
}

void TShortcutsPage::Update(const QString& CommandPin)
{
    const QString prefix = CommandPin.isEmpty() ? QString(StandardPrefix) : "$" + CommandPin + "*";
    lblExamplePrefix->setText(prefix);
    for (QLabel* label : lblPrefix) label->setText(prefix);
}

bool TShortcutsPage::event(QEvent* Event)
{
    if (Event->type() == QEvent::ShowToParent)
        if (const auto* pin = dynamic_cast<const ICommandPin*>(FHost.Page(SecuritySetupPageNo))) Update(pin->CommandPin());
    return TKVXPage::event(Event);
}

void TShortcutsPage::ConfigToForm(const TKVXConfig& KVXConfig)
{
    for (size_t i = 0; i < ShortcutCount; ++i) {
        const TShortcut pair = DecodeShortcut(KVXConfig, i);
        edSC[i]->setText(QString::fromStdU16String(pair.Shortcut));
        edSI[i]->setText(QString::fromStdU16String(pair.Instruction));
    }
}

bool TShortcutsPage::FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant)
{
    std::array<TShortcut, ShortcutCount> pairs;
    for (size_t i = 0; i < ShortcutCount; ++i) {
        pairs[i] = {edSC[i]->text().toStdU16String(), edSI[i]->text().toStdU16String()};
        const QString problem = ConfigAssistant ? MissingHalfMessage(i + 1, pairs[i]) : QString();
        if (!problem.isEmpty()) {
            TKVXMessageDlg::ShowMessageEx(problem, TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK}, 0);
            FHost.BringPageForward(ShortcutsPageNo);
            return false;
        }
    }
    for (size_t i = 0; i < ShortcutCount; ++i) EncodeShortcut(KVXConfig, i, pairs[i]);
    return true;
}

} // namespace kvx::ui

#include "ui/pages/message_recipients_page.h"

#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "config/page_captions.h"
#include "config/recipient_list.h"
#include "config/recipients.h"
#include "ui/pages/list_files.h"
#include "ui/pages/page_roles.h"
#include "ui/widgets/page_controls.h"
#include "ui/widgets/phone_number_edit.h"

namespace kvx::ui {

namespace {

constexpr int TimerIntervalMs = 100;

constexpr int Margin = 24;
constexpr int RowsTop = 80;
constexpr int RowPitch = 40;
constexpr int SidePanelLeft = 440;

} // namespace

TMessageRecipientsPage::TMessageRecipientsPage(IPageHost& Host, QWidget* Parent) : TKVXPage(Parent), FHost(Host)
{
    NewHeading(this, QStringLiteral("Recipient mobile numbers"), QRect(Margin, 16, 380, 22));
    NewLabel(this, QStringLiteral("Enter the mobile numbers to which SMS messages should be sent."), QRect(Margin, 42, 400, 20));

    for (int n = 0; n < static_cast<int>(RecipientCount); ++n) {
        const int top = RowsTop + n * RowPitch;
        NewLabel(this, QString::number(n + 1), QRect(Margin, top, 24, 26));
        QLineEdit* edit = NewPhoneNumberEdit(this, QStringLiteral("edRecipient%1").arg(n).toLatin1().constData(),
                                             QRect(Margin + 32, top, 220, 26), [this] { return FHost.DefaultCountryCode(); });
        edit->setToolTip(QStringLiteral("International format"));
        edit->setAccessibleName(QStringLiteral("Recipient %1").arg(n + 1));
        QPushButton* clear = NewClearButton(this, QStringLiteral("btnRecipientClear%1").arg(n).toLatin1().constData(), edit);
        clear->setToolTip(QStringLiteral("Clear recipient number"));
        edRecipient[static_cast<size_t>(n)] = edit;
        btnRecipientClear[static_cast<size_t>(n)] = clear;
        connect(edit, &QLineEdit::textChanged, this, [this, n] { RecipientEdited(n); });
    }

    NewHeading(this, SMSSenderVerifyCaption, QRect(SidePanelLeft, RowsTop, 280, 22));
    NewNote(this,
            QStringLiteral("If enabled, the KVX will only action SMS commands received from mobile numbers contained "
                           "in the adjacent message recipients fields."),
            QRect(SidePanelLeft, RowsTop + 26, 280, 72));
    btnEnableInSecuritySetup = NewButton(this, "Button11", QStringLiteral("Enable in security setup"), QRect(SidePanelLeft, RowsTop + 110, 200, 28));
    connect(btnEnableInSecuritySetup, &QPushButton::clicked, this, [this] { FHost.BringPageForward(SecuritySetupPageNo); });

    NewHeading(this, QStringLiteral("Spreadsheet"), QRect(SidePanelLeft, RowsTop + 170, 280, 22));
    btnImport = NewButton(this, "btnImport", QStringLiteral("Import\u2026"), QRect(SidePanelLeft, RowsTop + 198, 96, 28));
    btnExport = NewButton(this, "btnExport", QStringLiteral("Export\u2026"), QRect(SidePanelLeft + 104, RowsTop + 198, 96, 28));
    connect(btnImport, &QPushButton::clicked, this, [this] { ImportNumbers(); });
    connect(btnExport, &QPushButton::clicked, this, [this] { SaveListFile(ExportRecipients(Numbers())); });

    HandOverTimer.setObjectName("Timer1");
    HandOverTimer.setInterval(TimerIntervalMs);
    connect(&HandOverTimer, &QTimer::timeout, this, &TMessageRecipientsPage::HandOverTick);
}

void TMessageRecipientsPage::HandleEdit(QLineEdit* Edit, QPushButton* Button, int DistributionNumber)
{
    FHost.MarkConfigChanged();
    const bool entered = !Edit->text().isEmpty();
    for (const int no : {DistributionPageNo, ContactIDPageNo})
        if (auto* columns = dynamic_cast<IRecipientColumns*>(FHost.Page(no))) columns->EnableDistribution(DistributionNumber, entered);
    if (auto* groups = dynamic_cast<IDistributionGroups*>(FHost.Page(DistributionPageNo)); groups && entered)
        groups->UpdateDistributions(DistributionNumber);
    Button->setEnabled(entered);
}

void TMessageRecipientsPage::RecipientEdited(int N)
{
    // At once, not after the countdown: a close right after typing must know of the edit.
    FHost.MarkConfigChanged();
    if (HandOversAtOnce >= 1) {
        HandleEdit(edRecipient[static_cast<size_t>(N)], btnRecipientClear[static_cast<size_t>(N)], N);
        --HandOversAtOnce;
        return;
    }
    FDebounceTicksLeft = DebounceTicks;
    FPendingRecipients |= 1u << N;
    if (!HandOverTimer.isActive()) HandOverTimer.start();  // a keystroke never restarts the period
}

void TMessageRecipientsPage::HandOverTick()
{
    HandOverTimer.stop();
    if (FDebounceTicksLeft != 0) {
        --FDebounceTicksLeft;
        HandOverTimer.start();
        return;
    }
    for (int n = 0; n < static_cast<int>(RecipientCount); ++n)
        if (FPendingRecipients & (1u << n)) HandleEdit(edRecipient[static_cast<size_t>(n)], btnRecipientClear[static_cast<size_t>(n)], n);
    FPendingRecipients = 0;
}

void TMessageRecipientsPage::ConfigToForm(const TKVXConfig& KVXConfig)
{
    HandOversAtOnce = LoadChangeCount;
    for (QLineEdit* edit : edRecipient) edit->clear();
    HandOversAtOnce = LoadChangeCount;
    for (size_t n = 0; n < RecipientCount; ++n) edRecipient[n]->setText(QString::fromStdU16String(DecodeRecipient(KVXConfig, n)));
    for (int n = 0; n < static_cast<int>(RecipientCount); ++n)
        HandleEdit(edRecipient[static_cast<size_t>(n)], btnRecipientClear[static_cast<size_t>(n)], n);
}

TRecipientNumbers TMessageRecipientsPage::Numbers() const
{
    TRecipientNumbers numbers;
    for (size_t n = 0; n < RecipientCount; ++n) {
        QString ignored;
        const QString text = edRecipient[n]->text();
        numbers[n] = NumberToStore(text, FHost.DefaultCountryCode(), false, {}, ignored).value_or(text.toStdU16String());
    }
    return numbers;
}

void TMessageRecipientsPage::ImportNumbers()
{
    const auto file = OpenListFile();
    if (!file) return;
    const TRecipientImport import = ImportRecipients(file->Text, Numbers(), FHost.DefaultCountryCode());
    if (!ImportConfirmed(*file, import.Report, "recipient")) return;
    for (size_t n = 0; n < RecipientCount; ++n) {
        const QString number = QString::fromStdU16String(import.Numbers[n]);
        if (number == edRecipient[n]->text()) continue;
        ++HandOversAtOnce;  // the grids follow at once, as after a load
        edRecipient[n]->setText(number);
    }
}

bool TMessageRecipientsPage::DuplicateRecipient(const TRecipientNumbers& Stored, size_t N)
{
    return !Stored[N].empty() && std::count(Stored.begin(), Stored.end(), Stored[N]) > 1;
}

bool TMessageRecipientsPage::Refuse(const QString& Msg, TMsgDlgType DlgType, QWidget* Focus)
{
    TKVXMessageDlg::ShowMessageEx(Msg, DlgType, {TMsgDlgBtn::mbOK}, 0);
    FHost.BringPageForward(MessageRecipientsPageNo);
    if (Focus) Focus->setFocus(Qt::OtherFocusReason);
    return false;
}

bool TMessageRecipientsPage::FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant)
{
    // Numbers as they are stored: "+44 7700 900123" and "447700900123" are one number.
    TRecipientNumbers stored;
    for (size_t n = 0; n < RecipientCount; ++n) {
        QString problem;
        const auto digits = NumberToStore(edRecipient[n]->text(), FHost.DefaultCountryCode(), ConfigAssistant,
                                          edRecipient[n]->accessibleName(), problem);
        if (!digits) return Refuse(problem, TMsgDlgType::mtWarning, edRecipient[n]);
        stored[n] = *digits;
    }
    if (ConfigAssistant) {
        for (size_t n = 0; n < RecipientCount; ++n)
            if (DuplicateRecipient(stored, n)) return Refuse(QStringLiteral("You have duplicate recipient numbers."), TMsgDlgType::mtWarning);
        if (std::all_of(stored.begin(), stored.end(), [](const std::u16string& number) { return number.empty(); }))
            return Refuse(QStringLiteral("Please enter at least one message recipient."), TMsgDlgType::mtInformation);
    }
    for (size_t n = 0; n < RecipientCount; ++n) EncodeRecipient(KVXConfig, n, stored[n]);
    return true;
}

} // namespace kvx::ui

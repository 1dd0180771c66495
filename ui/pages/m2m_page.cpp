#include "ui/pages/m2m_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "config/page_captions.h"
#include "ui/main/kvx_message_dlg.h"
#include "ui/widgets/page_controls.h"
#include "ui/widgets/phone_number_edit.h"

namespace kvx::ui {

namespace {

constexpr int IDLength = 5;
// What a slot holds: a longer entry would lose its last digit without a word.
constexpr int EventNumberLength = 3;
constexpr const char* DefaultID = "00000";
constexpr const char* DuplicateNumbersText = "You have duplicate base station mobile numbers.";
constexpr const char* DefaultIDQuestion = "The M2M ID has a default value.\r\rWould you like to proceed?";
constexpr int EventRowsPerColumn = 16;
constexpr int EventColumnX = 350;
constexpr int EventColumnWidth = 200;

// Edit names of the events that are not inputs, by slot.
constexpr std::array<const char*, M2MTelemetryCount> FixedEventEdits{
    "edPUP", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
    "edMAF", "edMAR", "edBAL", "edBAC", "edBAR", "edATS", "edTAM", "edILL", "edTMR", "edTST",
    "",  // BundleThreshold: not on this page
    "edADL", "edADH", "edCFL",
    ""};  // SIMChange: not on this page

constexpr size_t FirstInputSlot = 1;
constexpr size_t LastInputSlot = 18;

// edIPH1, edIPL1, ... for the input slots (odd slots high, even slots low).
std::string EventEditName(size_t Slot)
{
    if (Slot < FirstInputSlot || Slot > LastInputSlot) return FixedEventEdits[Slot];
    return std::string(Slot % 2 == 1 ? "edIPH" : "edIPL") + std::to_string((Slot + 1) / 2);
}

QString ToQString(const std::u16string& Text) { return QString::fromStdU16String(Text); }

} // namespace

TM2MPage::TM2MPage(IPageHost& Host, QWidget* Parent) : TKVXPage(Parent), FHost(Host)
{
    NewNote(this,
            "Send telemetry SMS messages from the KVX unit to up to 4 base stations (normally located at a control "
            "room). Messages are shortened and interpreted by the base. M2M reporting happens independently of "
            "messages sent to the 10 recipient numbers.",
            QRect(24, 10, 300, 110));
    NewHeading(this, BaseStationNumbersCaption, QRect(24, 130, 300, 20));
    for (size_t i = 0; i < M2MStationCount; ++i) {
        const int y = 158 + static_cast<int>(i) * 34;
        NewLabel(this, QString::number(i + 1), QRect(24, y, 20, 26));
        edM2MNo[i] = NewPhoneNumberEdit(this, ("edM2MNo" + std::to_string(i + 1)).c_str(), QRect(48, y, 200, 26),
                                        [this] { return FHost.DefaultCountryCode(); });
        edM2MNo[i]->setPlaceholderText("International format");
        edM2MNo[i]->setToolTip("International format");
        edM2MNo[i]->setAccessibleName(QStringLiteral("Base station %1").arg(i + 1));
        btnM2MNo[i] = NewClearButton(this, ("btnM2MNo" + std::to_string(i + 1)).c_str(), edM2MNo[i]);
    }
    NewHeading(this, M2MIDCaption, QRect(24, 306, 200, 20));
    edM2MID = NewDigitsEdit(this, "edM2MID", IDLength, QRect(48, 332, 100, 26));
    edM2MID->setText(DefaultID);
    btnM2MID = NewClearButton(this, "btnM2MID", edM2MID);
    NewNote(this, "Identifies the KVX unit at the base station.", QRect(48, 364, 280, 36));

    cbChangeStandardEvents = NewCheckBox(this, "cbChangeStandardEvents", "Change standard event numbers", QRect(EventColumnX, 10, 300, 24));
    for (int column = 0; column < 2; ++column) {
        NewHeading(this, "Telemetry", QRect(EventColumnX + column * EventColumnWidth, 40, 110, 20));
        NewHeading(this, EventNumberCaption, QRect(EventColumnX + column * EventColumnWidth + 112, 40, 70, 20));
    }
    int row = 0;
    for (size_t slot = 0; slot < M2MTelemetryCount; ++slot) {
        const auto event = static_cast<TDistributionEvent>(slot);
        if (!M2MTelemetryEdited(event)) continue;
        const int x = EventColumnX + (row / EventRowsPerColumn) * EventColumnWidth;
        const int y = 64 + (row % EventRowsPerColumn) * 28;
        ++row;
        NewLabel(this, DistributionEventCaption(event), QRect(x, y, 120, 24));
        QLineEdit* edit = NewDigitsEdit(this, EventEditName(slot).c_str(), EventNumberLength, QRect(x + 122, y, 44, 24));
        edit->setAlignment(Qt::AlignCenter);
        edit->setText(ToQString(M2MStandardEventNumber(event)));
        edit->setEnabled(false);
        FEventEdits[slot] = edit;
        connect(edit, &QLineEdit::textChanged, this, [this] { IDOrEventEdited(); });
    }

    for (size_t i = 0; i < M2MStationCount; ++i)
        connect(edM2MNo[i], &QLineEdit::textChanged, this, [this, i] { BaseStationNumberEdited(i); });
    connect(edM2MID, &QLineEdit::textChanged, this, [this] { IDOrEventEdited(); });
    connect(cbChangeStandardEvents, &QCheckBox::toggled, this, [this](bool checked) {
        for (QLineEdit* edit : FEventEdits)
            if (edit) edit->setEnabled(checked);
    });
    edM2MID->setEnabled(false);
}

bool TM2MPage::AnyBaseStationNumber() const
{
    return std::any_of(edM2MNo.begin(), edM2MNo.end(), [](const QLineEdit* e) { return !e->text().isEmpty(); });
}

void TM2MPage::BaseStationNumberEdited(size_t Index)
{
    FHost.MarkConfigChanged();
    btnM2MNo[Index]->setEnabled(!edM2MNo[Index]->text().isEmpty());
    const bool anyNumber = AnyBaseStationNumber();
    edM2MID->setEnabled(anyNumber);
    if (anyNumber) IDOrEventEdited();
    else btnM2MID->setEnabled(false);
}

void TM2MPage::IDOrEventEdited()
{
    FHost.MarkConfigChanged();
    btnM2MID->setEnabled(!edM2MID->text().isEmpty());
}

void TM2MPage::ConfigToForm(const TKVXConfig& KVXConfig)
{
    for (size_t i = 0; i < M2MStationCount; ++i) edM2MNo[i]->setText(ToQString(DecodeM2MNumber(KVXConfig, i)));
    edM2MID->setText(ToQString(DecodeM2MID(KVXConfig)));
    for (size_t slot = 0; slot < M2MTelemetryCount; ++slot)
        if (FEventEdits[slot]) FEventEdits[slot]->setText(ToQString(DecodeM2MTelemetry(KVXConfig, static_cast<TDistributionEvent>(slot))));
}

bool TM2MPage::ChecksPassed(const TStationNumbers& Stored)
{
    for (const std::u16string& number : Stored) {
        if (!number.empty() && std::count(Stored.begin(), Stored.end(), number) > 1) {
            TKVXMessageDlg::ShowMessageEx(DuplicateNumbersText, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK}, 0);
            FHost.BringPageForward(M2MPageNo);
            return false;
        }
    }
    if (AnyBaseStationNumber() && edM2MID->text() == DefaultID &&
        TKVXMessageDlg::ShowMessageEx(DefaultIDQuestion, TMsgDlgType::mtInformation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}, 0) == mrNo) {
        FHost.BringPageForward(M2MPageNo);
        return false;
    }
    return true;
}

bool TM2MPage::FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant)
{
    TStationNumbers stored;
    for (size_t i = 0; i < M2MStationCount; ++i) {
        QString problem;
        const auto digits = NumberToStore(edM2MNo[i]->text(), FHost.DefaultCountryCode(), ConfigAssistant,
                                          edM2MNo[i]->accessibleName(), problem);
        if (!digits) {
            TKVXMessageDlg::ShowMessageEx(problem, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK}, 0);
            FHost.BringPageForward(M2MPageNo);
            edM2MNo[i]->setFocus(Qt::OtherFocusReason);
            return false;
        }
        stored[i] = *digits;
    }
    if (ConfigAssistant && !ChecksPassed(stored)) return false;
    for (size_t i = 0; i < M2MStationCount; ++i) EncodeM2MNumber(KVXConfig, i, stored[i]);
    EncodeM2MID(KVXConfig, edM2MID->text().toStdU16String());
    for (size_t slot = 0; slot < M2MTelemetryCount; ++slot)
        if (FEventEdits[slot])
            EncodeM2MTelemetry(KVXConfig, static_cast<TDistributionEvent>(slot), FEventEdits[slot]->text().toStdU16String());
    return true;
}

} // namespace kvx::ui

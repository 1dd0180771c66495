#include "ui/pages/relays_page.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "config/page_captions.h"
#include "ui/widgets/page_controls.h"
#include "ui/widgets/step_edit.h"

namespace kvx::ui {

namespace {

constexpr int MinimumPulse = 1;  // the step buttons never reach 0
constexpr int MaximumPulse = RelayPulseMaximumSeconds;
constexpr size_t OnBoardRelays = 2;

struct TRelayRow {
    const char* Edit;
    const char* Down;
    const char* Up;
};

constexpr std::array<TRelayRow, RelayCount> Rows{{
    {"edVRLY1", "Button1", "Button2"},
    {"edVRLY2", "btnClearRecipient0", "Button3"},
    {"edVRLY3", "Button4", "Button5"},
    {"edVRLY4", "Button6", "Button7"},
    {"edVRLY5", "Button8", "Button9"},
    {"edVRLY6", "Button14", "Button15"},
    {"edVRLY7", "Button12", "Button13"},
    {"edVRLY8", "Button10", "Button11"},
}};

// A plain drawing of the I/O board: a board with six relays along its edge.
QPixmap IOBoardPicture()
{
    QPixmap picture(150, 96);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x8A, 0xC0, 0x7A), 2));
    painter.setBrush(QColor(0x1E, 0x4D, 0x2B));
    painter.drawRoundedRect(QRectF(2, 2, 146, 92), 6, 6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x3A, 0x6F, 0xB0));
    for (int relay = 0; relay < 6; ++relay) painter.drawRect(12 + relay * 22, 14, 16, 26);
    painter.setBrush(QColor(0x20, 0x20, 0x20));
    painter.drawRect(40, 56, 70, 24);
    return picture;
}

} // namespace

TRelaysPage::TRelaysPage(IPageHost& Host, QWidget* Parent) : TKVXPage(Parent), FHost(Host)
{
    NewHeading(this, "On-board relays", QRect(24, 16, 300, 20));
    pnlIOBoardRelaysEnable = new QWidget(this);
    pnlIOBoardRelaysEnable->setObjectName("pnlIOBoardRelaysEnable");
    pnlIOBoardRelaysEnable->setGeometry(0, 150, 760, 400);
    NewHeading(pnlIOBoardRelaysEnable, "I/O board relay", QRect(24, 0, 300, 20));
    NewLabel(pnlIOBoardRelaysEnable, PulseTimeCaption, QRect(120, 26, 140, 20));
    auto* board = NewLabel(pnlIOBoardRelaysEnable, "", QRect(420, 40, 150, 96), "imgIOBoard");
    board->setPixmap(IOBoardPicture());
    NewLabel(this, PulseTimeCaption, QRect(120, 42, 140, 20));

    for (size_t i = 0; i < RelayCount; ++i) {
        const bool onBoard = i < OnBoardRelays;
        QWidget* parent = onBoard ? static_cast<QWidget*>(this) : pnlIOBoardRelaysEnable;
        const int y = onBoard ? 66 + static_cast<int>(i) * 36 : 50 + static_cast<int>(i - OnBoardRelays) * 36;
        NewLabel(parent, QString("%1 %2").arg(RelayCaption).arg(i + 1), QRect(24, y, 80, 26));
        QLineEdit* edit = NewEdit(parent, Rows[i].Edit, 4, QRect(120, y, 60, 26));
        edit->setAlignment(Qt::AlignCenter);
        edit->setText("3");
        edVRLY[i] = edit;
        QPushButton* down = NewButton(parent, Rows[i].Down, "\u2212", QRect(186, y, 26, 26));
        QPushButton* up = NewButton(parent, Rows[i].Up, "+", QRect(214, y, 26, 26));
        down->setStyleSheet("padding: 0;");
        up->setStyleSheet("padding: 0;");
        connect(down, &QPushButton::clicked, this, [edit] { StepEditValue(edit, MinimumPulse, MaximumPulse, false); });
        connect(up, &QPushButton::clicked, this, [edit] { StepEditValue(edit, MinimumPulse, MaximumPulse, true); });
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { PulseTimeEdited(edit); });
    }

    lblLink = NewLinkLabel(pnlIOBoardRelaysEnable, "lblLink", "Enable I/O board in General Setup.", QRect(24, 270, 300, 20),
                           [this] { FHost.BringPageForward(GeneralSetupPageNo); });
    IOExpanderFunctions(false);
}

void TRelaysPage::ConfigToForm(const TKVXConfig& KVXConfig)
{
    for (size_t i = 0; i < RelayCount; ++i) edVRLY[i]->setText(QString::number(DecodeRelayPulseTime(KVXConfig, i)));
}

bool TRelaysPage::FormToConfig(TKVXConfig& KVXConfig, bool)
{
    // Every write and template save refuses a box without a number: storing what is left
    // would send the unit 0xFFFF seconds.
    for (size_t i = 0; i < RelayCount; ++i) {
        const std::optional<int> seconds = EditWholeNumber(*edVRLY[i]);
        if (!seconds) {
            FHost.BringPageForward(RelaysPageNo);
            return false;
        }
        EncodeRelayPulseTime(KVXConfig, i, static_cast<uint32_t>(*seconds));
    }
    return true;
}

void TRelaysPage::IOExpanderFunctions(bool State)
{
    EnableChildren(pnlIOBoardRelaysEnable, State);
    lblLink->setEnabled(true);
}

void TRelaysPage::PulseTimeEdited(QLineEdit* Edit)
{
    FHost.MarkConfigChanged();
    ClampIntegerEdit(Edit, 0, MaximumPulse);
}

} // namespace kvx::ui

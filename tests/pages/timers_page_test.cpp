// Switching by timer: both blocks byte for byte, the week-day check, stored relays and
// actions the lists do not offer, half-typed times, and the distribution page's timer row.
#include <QCheckBox>
#include <QComboBox>
#include <QListView>
#include <QPushButton>

#include "config/text_fields.h"
#include "config/week_days.h"
#include "tests/pages/unit_page_fixture.h"
#include "ui/pages/distribute_messages_page.h"
#include "ui/pages/timers_page.h"

namespace kvx::ui::test {
namespace {

using TBytes = std::vector<uint8_t>;

constexpr size_t Events = 2048;
constexpr size_t Labels = 2560;

class TimersPageTest : public UnitPageTest {
protected:
    QString Line(int Index) const { return Page.lbTimer->model()->index(Index, 0).data().toString(); }
    int Selected() const { return Page.lbTimer->currentIndex().row(); }
    void Select(int Index) { Page.lbTimer->setCurrentIndex(Page.lbTimer->model()->index(Index, 0)); }
    // Location Index (0-based) into Image: its 8 event bytes and its label, space-padded.
    void PutTimer(size_t Index, const TBytes& Event, const std::string& Label)
    {
        Put(Events + 8 * Index, Event);
        Put(Labels + 16 * Index, Slot(Label, 16, 0x20));
    }
    TBytes Stored(const TKVXConfig& From, size_t Index) const
    {
        TBytes bytes(From.Bytes() + Events + 8 * Index, From.Bytes() + Events + 8 * Index + 8);
        bytes.insert(bytes.end(), From.Bytes() + Labels + 16 * Index, From.Bytes() + Labels + 16 * Index + 16);
        return bytes;
    }
    TKVXConfig Store(bool ConfigAssistant, bool Expected = true)
    {
        TKVXConfig image = ErasedConfig();
        EXPECT_EQ(Page.FormToConfig(image, ConfigAssistant), Expected);
        return image;
    }

    TTimersPage Page{Host, &Parent};
};

TEST_F(TimersPageTest, LoadShowsTheLinesAndStoresBothBlocksByteForByte)
{
    PutTimer(4, {0x07, 0x30, 0x02, 0x03, 0x41, 0xFF, 0xFF, 0xFF}, "Pump");
    PutTimer(63, {0x23, 0x59, 0x07, 0x02, 0x7F, 0x00, 0xFF, 0xFF}, "ABCDEFGHIJKLMNOP");
    Put(Events, {0x12, 0x34, 0x01, 0x01, 0x7F, 0x00, 0x00, 0x00});  // an erased label: undefined
    PutTimer(1, {0x12, 0x34, 0x01, 0x01, 0x7F, 0x00, 0xFF, 0xFF}, std::string("\0Gate", 5));
    PutTimer(2, {0xFF, 0xFF, 0x00, 0x01, 0x01, 0x00, 0xFF, 0xFF}, "  Gate");  // unprogrammed time
    Page.ConfigToForm(Image);

    EXPECT_EQ(Line(0), "01");
    EXPECT_EQ(Line(1), "02");
    EXPECT_EQ(Line(2), QString::fromUtf16(u"03 Gate              RLY1  On      23:59    M        -"));
    EXPECT_EQ(Line(4), QString::fromUtf16(u"05 Pump              RLY3  Pulse   07:30   SM        \u2714"));
    EXPECT_EQ(Line(63), QString::fromUtf16(u"64 ABCDEFGHIJKLMNOP  RLY8  Off     23:59   SMTWTFS   -"));
    EXPECT_EQ(Page.GetTimersCount(), 3);
    EXPECT_EQ(Page.LocationName(4), "Pump");
    EXPECT_EQ(Page.LocationName(2), "Gate");
    for (const int none : {-1, 0, 64}) EXPECT_EQ(Page.LocationName(none), "") << none;
    EXPECT_EQ(Selected(), 0);

    Select(2);
    EXPECT_EQ(Page.edTimerLabel->text(), "Gate");
    EXPECT_EQ(Page.edHours->text(), "23");  // 0xFF is no hour: shown clamped, never "165"
    EXPECT_EQ(Page.edMinutes->text(), "59");

    const TKVXConfig stored = Store(true);
    EXPECT_EQ(Stored(stored, 4), Stored(Image, 4));
    EXPECT_EQ(Stored(stored, 63), Stored(Image, 63));
    TBytes clamped{0x23, 0x59, 0x00, 0x01, 0x01, 0x00, 0xFF, 0xFF};  // what was shown is what leaves
    const TBytes gate = Slot("Gate", 16, 0x20);
    clamped.insert(clamped.end(), gate.begin(), gate.end());
    EXPECT_EQ(Stored(stored, 2), clamped);
    for (const size_t undefined : {0, 1, 3})
        EXPECT_EQ(Stored(stored, undefined), TBytes(24, 0xFF)) << undefined;
}

TEST_F(TimersPageTest, EditsStoreTheirBytesAndTypedTimesStayInTheDay)
{
    Select(2);
    Page.edTimerLabel->setText("Gate");
    Choose(Page.cbRelay, "Relay2");
    Choose(Page.cbRelayFunction, "Toggle");
    const struct {
        QLineEdit* Edit;
        const char* Typed;
        const char* Shown;
    } typed[] = {{Page.edHours, "75", "23"}, {Page.edHours, "6", "6"}, {Page.edMinutes, "99", "59"}, {Page.edMinutes, "05", "05"}};
    for (const auto& t : typed) {
        t.Edit->setText(t.Typed);
        EXPECT_EQ(t.Edit->text(), t.Shown) << t.Typed;
    }
    Page.WeekDays.Days[0]->Press();  // Sunday off
    Page.WeekDays.Days[6]->Press();  // Saturday off
    Page.cbConfirmation->setChecked(true);
    EXPECT_GT(Host.Changes, 0);
    EXPECT_EQ(Page.GetTimersCount(), 1);

    TBytes expected{0x06, 0x05, 0x01, 0x04, 0x1F, 0xFF, 0xFF, 0xFF};
    const TBytes label = Slot("Gate", 16, 0x20);
    expected.insert(expected.end(), label.begin(), label.end());
    EXPECT_EQ(Stored(Store(true), 2), expected);

    Page.btnResetLocation->click();  // "Reset location"
    EXPECT_EQ(Line(2), "03");
    EXPECT_EQ(Page.edHours->text(), "00");
    EXPECT_EQ(Stored(Store(true), 2), TBytes(24, 0xFF));
}

TEST_F(TimersPageTest, NoWeekDayStopsAWriteAtThatLocationButNotASave)
{
    PutTimer(1, {0x08, 0x00, 0x00, 0x01, 0x01, 0x00, 0xFF, 0xFF}, "First");
    PutTimer(4, {0x09, 0x00, 0x00, 0x01, 0x00, 0x00, 0xFF, 0xFF}, "No days");
    PutTimer(8, {0x10, 0x00, 0x00, 0x01, 0x7F, 0x00, 0xFF, 0xFF}, "Later");
    Page.ConfigToForm(Image);
    Select(8);

    Dialogs.ExpectMessage("Please select at least one week day for timer location 5.");
    const TKVXConfig refused = Store(true, false);
    EXPECT_EQ(Dialogs.Messages.back().Type, TMsgDlgType::mtInformation);
    EXPECT_EQ(Dialogs.Messages.back().Buttons, TMsgDlgButtons{TMsgDlgBtn::mbOK});
    EXPECT_EQ(Host.Forwarded, std::vector<int>{11});
    EXPECT_EQ(Selected(), 8) << "the selected line does not change";
    EXPECT_EQ(Page.edTimerLabel->text(), "Later");
    EXPECT_EQ(Stored(refused, 1), Stored(Image, 1));  // those before it are stored
    EXPECT_EQ(Stored(refused, 4), TBytes(24, 0xFF));
    EXPECT_EQ(Stored(refused, 8), TBytes(24, 0xFF));

    EXPECT_EQ(Stored(Store(false), 4), Stored(Image, 4));
}

// Relays 3..8 without the I/O board, relays past 8 and actions outside 1..4 stay as stored
// through showing, editing the location and switching the board, until the user picks another.
TEST_F(TimersPageTest, StoredRelayAndActionTheListsDoNotOfferAreKept)
{
    const struct {
        uint8_t Relay;
        uint8_t Action;
        bool IOBoard;
        const char* RelayShown;
        const char* ActionShown;
        const char* ActionInLine;
    } cases[] = {
        {4, 1, false, "Relay5 (I/O board)", "On", "On"},
        {7, 2, true, "Relay8", "Off", "Off"},
        {9, 3, true, "Relay10 (unknown)", "Pulse", "Pulse"},
        {0, 0, false, "Relay1", "Action 0 (unknown)", "-"},
        {1, 7, false, "Relay2", "Action 7 (unknown)", ""},
        {1, 0x81, false, "Relay2", "On", "On"},  // bit 7 named alike in the list and the editor
        {1, 0x84, false, "Relay2", "Toggle", "Toggle"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.RelayShown);
        Image = ErasedConfig();
        PutTimer(2, {0x07, 0x30, c.Relay, c.Action, 0x7F, 0x00, 0xFF, 0xFF}, "Gate");
        Page.IOExpanderFunctions(c.IOBoard);
        Page.ConfigToForm(Image);
        const QString line = Line(2);
        EXPECT_EQ(line.mid(27, 6).trimmed(), c.ActionInLine);
        Select(2);
        EXPECT_EQ(Page.cbRelay->currentText(), c.RelayShown);
        EXPECT_EQ(Page.cbRelayFunction->currentText(), c.ActionShown);
        Page.edTimerLabel->setText("Gate 2");
        Page.IOExpanderFunctions(!c.IOBoard);
        Page.IOExpanderFunctions(c.IOBoard);
        EXPECT_EQ(Line(2), line.left(3) + "Gate 2" + line.mid(9));  // relay 8 reads RLY8 with the board on or off
        const TKVXConfig stored = Store(true);
        EXPECT_EQ(stored.TimerEvents[2 * 8 + 2], c.Relay);
        EXPECT_EQ(stored.TimerEvents[2 * 8 + 3], c.Action);
    }
    Choose(Page.cbRelay, "Relay1");
    Choose(Page.cbRelayFunction, "Toggle");
    const TKVXConfig picked = Store(true);
    EXPECT_EQ(picked.TimerEvents[2 * 8 + 2], 0);
    EXPECT_EQ(picked.TimerEvents[2 * 8 + 3], 4);
}

TEST_F(TimersPageTest, AHalfTypedTimeChangesNothingAndStopsWritesAndSaves)
{
    Select(0);
    Page.edTimerLabel->setText("Pump");
    Page.edHours->setText("07");
    Page.edMinutes->setText("30");
    for (QLineEdit* edit : {Page.edHours, Page.edMinutes}) {
        const QString before = edit->text();
        edit->setText("");  // no message while typing
        EXPECT_TRUE(Line(0).contains("07:30")) << Line(0).toStdString();
        for (const bool assistant : {true, false}) {
            Host.Forwarded.clear();
            Dialogs.ExpectPlainMessage("Invalid integer");
            EXPECT_EQ(Stored(Store(assistant, false), 0), TBytes(24, 0xFF));
            EXPECT_EQ(Host.Forwarded, std::vector<int>{11});
            EXPECT_EQ(Selected(), 0);
        }
        edit->setText(before);
    }
    Page.edHours->setText("");
    Select(1);  // the controls now show another location: nothing half-typed is stored
    EXPECT_EQ(Page.edHours->text(), "00");
    Select(0);
    EXPECT_EQ(Page.edHours->text(), "07");
    EXPECT_EQ(Stored(Store(true), 0)[0], 0x07);
}

TEST_F(TimersPageTest, ABlankLabelLeavesTheLocationUndefined)
{
    Select(3);
    Page.edTimerLabel->setText("   ");
    EXPECT_EQ(Line(3), "04");
    EXPECT_EQ(Page.GetTimersCount(), 0);
    EXPECT_EQ(Page.LocationName(3), "");
    EXPECT_EQ(Stored(Store(true), 3), TBytes(24, 0xFF));
}

// The distribution page's timer row: a load keeps the stored masks; the user's edits tick
// or clear the row only when timers come into being or all go.
TEST_F(TimersPageTest, TimerRowFollowsTheUsersEditsAndNeverALoad)
{
    TDistributeMessagesPage distribution(Host, &Parent);
    Host.Register(6, &distribution);
    const auto& row = distribution.RowBoxes(TDistributionEvent::TimerEvents);
    const auto ticked = [&row] {
        int n = 0;
        for (const TImageCheckBox* box : row.Recipients) n += box->Checked() ? 1 : 0;
        return n;
    };
    const size_t mask = offsetof(TKVXConfig, DistributeMessages) + 2 * static_cast<size_t>(TDistributionEvent::TimerEvents);
    PutTimer(0, {0x07, 0x30, 0x00, 0x01, 0x7F, 0x00, 0xFF, 0xFF}, "Pump");
    Put(mask, {0x00, 0x00});
    distribution.ConfigToForm(Image);
    Page.ConfigToForm(Image);
    EXPECT_EQ(ticked(), 0);

    Image = ErasedConfig();
    Put(mask, {0x01, 0x00});
    distribution.ConfigToForm(Image);
    Page.ConfigToForm(Image);  // no timers, the stored tick stays
    EXPECT_EQ(ticked(), 1);

    // Before each step the row holds one tick of its own: 1 afterwards means untouched.
    const struct {
        int Location;
        const char* Label;  // nullptr: "Reset location"
        int Ticked;
    } steps[] = {
        {0, "P", 10},     // the first timer: every recipient
        {0, "Pu", 1},     // still one timer
        {5, "Gate", 1},   // a second one
        {0, nullptr, 1},  // one left
        {5, "", 0},       // none left: cleared
        {5, "  ", 1},     // blanks define nothing
        {5, "Gate", 10},
    };
    QWidget* panel = distribution.RowPanel(TDistributionEvent::TimerEvents);
    for (const auto& step : steps) {
        distribution.CheckGroup(panel, false);
        distribution.CheckOneBox(panel, true, 2);
        Select(step.Location);
        if (step.Label)
            Page.edTimerLabel->setText(step.Label);
        else
            Page.btnResetLocation->click();
        EXPECT_EQ(ticked(), step.Ticked) << step.Location << " " << (step.Label ? step.Label : "reset");
    }
}

} // namespace
} // namespace kvx::ui::test

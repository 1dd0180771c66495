// Switching by missed call: numbers and rules byte for byte with the time window on and off,
// the week-day check, kept relays and actions, half-typed edits, and digits-only numbers.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <fstream>

#include "tests/pages/unit_page_fixture.h"
#include "ui/pages/missed_call_page.h"

namespace kvx::ui::test {
namespace {

using TBytes = std::vector<uint8_t>;

constexpr size_t Numbers = 8704;
constexpr size_t Rules = 16704;

class MissedCallPageTest : public UnitPageTest {
protected:
    QString Line(int Index) const { return Page.lbMissedCall->model()->index(Index, 0).data().toString(); }
    int Selected() const { return Page.lbMissedCall->currentIndex().row(); }
    void Select(int Index) { Page.lbMissedCall->setCurrentIndex(Page.lbMissedCall->model()->index(Index, 0)); }
    void PutCall(size_t Index, const std::string& Number, const TBytes& Rule)
    {
        Put(Numbers + 16 * Index, Slot(Number, 16, 0x00));
        Put(Rules + 8 * Index, Rule);
    }
    static TBytes Number(const TKVXConfig& From, size_t Index)
    {
        return {From.Bytes() + Numbers + 16 * Index, From.Bytes() + Numbers + 16 * Index + 16};
    }
    static TBytes Rule(const TKVXConfig& From, size_t Index)
    {
        return {From.Bytes() + Rules + 8 * Index, From.Bytes() + Rules + 8 * Index + 8};
    }
    TKVXConfig Store(bool ConfigAssistant, bool Expected = true)
    {
        TKVXConfig image = ErasedConfig();
        EXPECT_EQ(Page.FormToConfig(image, ConfigAssistant), Expected);
        return image;
    }

    TMissedCallPage Page{Host, &Parent};
};

TEST_F(MissedCallPageTest, LoadShowsTheLinesAndStoresBothBlocksByteForByte)
{
    const TBytes untouched(8, 0xFF);
    const struct {
        std::string Number;
        TBytes Rule;
        const char16_t* Line;
        std::string StoredNumber;  // empty: left at the fill
        TBytes StoredRule;
    } cases[] = {
        {"+447700900555", {0x08, 0x00, 0x17, 0x30, 0x7F, 0x01, 0x83, 0x05},
         u"001 +447700900555    RLY2 Pulse  005  08:00-17:30 SMTWTFS  \u2714", "+447700900555",
         {0x08, 0x00, 0x17, 0x30, 0x7F, 0x01, 0x83, 0x05}},
        {"+123456789012345", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x07, 0x02, 0x00},
         u"002 +123456789012345 RLY8 Off    -                         -", "+123456789012345",
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x07, 0x02, 0x00}},
        {"+", {0x08, 0x00, 0x17, 0x30, 0x7F, 0x01, 0x83, 0x05}, u"003", "", untouched},
        {"07700", {0x06, 0xFF, 0xFF, 0x00, 0x41, 0x00, 0x01, 0x00},  // no "+": the first digit goes
         u"004 +7700            RLY1 On     -    06:59-23:00 SM       -", "+7700",
         {0x06, 0x59, 0x23, 0x00, 0x41, 0x00, 0x01, 0x00}},  // the window as shown: clamped
        {std::string(16, '\xFF'), {0x08, 0x00, 0x17, 0x30, 0x7F, 0x01, 0x83, 0x05}, u"005", "", untouched},
    };
    for (size_t i = 0; i < std::size(cases); ++i) PutCall(i, cases[i].Number, cases[i].Rule);
    Page.ConfigToForm(Image);
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Page.edMissedCallNumber->text(), "447700900555");
    EXPECT_EQ(Page.LocationName(0), "447700900555");
    EXPECT_EQ(Page.LocationName(2), "");

    const TKVXConfig stored = Store(true);
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Line(static_cast<int>(i)), QString::fromUtf16(cases[i].Line));
        EXPECT_EQ(Number(stored, i), cases[i].StoredNumber.empty() ? TBytes(16, 0xFF) : Slot(cases[i].StoredNumber, 16, 0x00));
        EXPECT_EQ(Rule(stored, i), cases[i].StoredRule);
    }
}

TEST_F(MissedCallPageTest, RuleBytesFromTheControlsWithTheWindowOnAndOff)
{
    Select(6);
    Type(Page.edMissedCallNumber, "+44 7700-900555");
    Enter(Page.edMissedCallNumber);  // the number as stored after its "+"
    EXPECT_EQ(Page.edMissedCallNumber->text(), "447700900555");
    Choose(Page.cbRelay, "Relay2");
    Choose(Page.cbRelayFunction, "Pulse");
    Page.edAccessCount->setText("300");
    EXPECT_EQ(Page.edAccessCount->text(), "255");
    Page.cbConfirmation->setChecked(true);
    Page.edStartHour->setText("08");
    Page.edStopMinute->setText("30");
    Page.WeekDays.Days[0]->Press();  // Sunday off
    EXPECT_FALSE(Page.pnlAccessRules->isEnabled());
    EXPECT_EQ(Rule(Store(true), 6), (TBytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x83, 0xFF}));

    Page.cbAccessRules->setChecked(true);
    EXPECT_TRUE(Page.pnlAccessRules->isEnabled());
    const TKVXConfig stored = Store(true);
    EXPECT_EQ(Rule(stored, 6), (TBytes{0x08, 0x00, 0x23, 0x30, 0x3F, 0x01, 0x83, 0xFF}));
    EXPECT_EQ(Number(stored, 6), Slot("+447700900555", 16, 0x00));
    EXPECT_EQ(Line(6), QString::fromUtf16(u"007 +447700900555    RLY2 Pulse  255  08:00-23:30  MTWTFS  \u2714"));

    Page.btnResetLocation->click();
    EXPECT_EQ(Line(6), "007");
    EXPECT_FALSE(Page.cbAccessRules->isChecked());
    EXPECT_EQ(Page.edStopHour->text(), "23");
    EXPECT_EQ(Number(Store(true), 6), TBytes(16, 0xFF));
}

TEST_F(MissedCallPageTest, NoWeekDayStopsAWriteOnlyWithTheTimeWindowOn)
{
    PutCall(0, "+111", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01, 0x00});
    PutCall(1, "+222", {0x08, 0x00, 0x17, 0x00, 0x00, 0x00, 0x01, 0x00});
    PutCall(2, "+333", {0x08, 0x00, 0x17, 0x00, 0x7F, 0x00, 0x01, 0x00});
    Page.ConfigToForm(Image);
    Select(0);
    for (TImageCheckBox* day : Page.WeekDays.Days) day->Press();  // no day at all, the window closed

    Dialogs.ExpectMessage("Please select at least one week day for missed call location 2.");
    const TKVXConfig refused = Store(true, false);
    EXPECT_EQ(Dialogs.Messages.back().Type, TMsgDlgType::mtInformation);
    EXPECT_EQ(Host.Forwarded, std::vector<int>{10});
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(Page.edMissedCallNumber->text(), "222");
    EXPECT_EQ(Number(refused, 0), Slot("+111", 16, 0x00));  // stored before it, not refused
    EXPECT_EQ(Rule(refused, 0)[4], 0xFF);
    EXPECT_EQ(Number(refused, 1), TBytes(16, 0xFF));
    EXPECT_EQ(Number(refused, 2), TBytes(16, 0xFF));
    EXPECT_EQ(Rule(Store(false), 1), Rule(Image, 1));
}

TEST_F(MissedCallPageTest, StoredRelayAndActionTheListsDoNotOfferAreKept)
{
    const struct {
        uint8_t Relay;
        uint8_t Action;
        const char* RelayShown;
        const char* ActionShown;
    } cases[] = {
        {5, 0x83, "Relay6 (I/O board)", "Pulse"},
        {1, 0x80, "Relay2", "Action 0 (unknown)"},
        {12, 0x06, "Relay13 (unknown)", "Action 6 (unknown)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.RelayShown);
        PutCall(3, "+447700900555", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, c.Relay, c.Action, 0x00});
        Page.ConfigToForm(Image);
        Select(3);
        EXPECT_EQ(Page.cbRelay->currentText(), c.RelayShown);
        EXPECT_EQ(Page.cbRelayFunction->currentText(), c.ActionShown);
        Page.edAccessCount->setText("7");
        Page.IOExpanderFunctions(true);
        Page.IOExpanderFunctions(false);
        EXPECT_EQ(Rule(Store(true), 3), (TBytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, c.Relay, c.Action, 0x07}));
        Page.cbConfirmation->setChecked(!Page.cbConfirmation->isChecked());  // the action itself stays
        EXPECT_EQ(Rule(Store(true), 3)[6], c.Action ^ 0x80);
    }
}

TEST_F(MissedCallPageTest, AHalfTypedEditChangesNothingAndStopsWritesAndSaves)
{
    PutCall(0, "+447700900555", {0x08, 0x00, 0x17, 0x30, 0x7F, 0x01, 0x83, 0x05});
    PutCall(1, "+447700900556", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x83, 0x05});
    Page.ConfigToForm(Image);
    const struct {
        int Location;
        QLineEdit* Edit;
        bool Refused;
    } cases[] = {
        {0, Page.edAccessCount, true},
        {0, Page.edStartHour, true},
        {0, Page.edStopMinute, true},
        {1, Page.edAccessCount, true},
        {1, Page.edStartHour, false},  // the window is off: its times do not leave
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Edit->objectName().toStdString() + " at " + std::to_string(c.Location));
        Select(c.Location);
        const QString before = Line(c.Location);
        c.Edit->setText("");  // no message while typing
        EXPECT_EQ(Line(c.Location), before);
        for (const bool assistant : {true, false}) {
            Host.Forwarded.clear();
            if (c.Refused) Dialogs.ExpectPlainMessage("Invalid integer");
            const TKVXConfig stored = Store(assistant, !c.Refused);
            EXPECT_EQ(Rule(stored, static_cast<size_t>(c.Location)), c.Refused ? TBytes(8, 0xFF) : Rule(Image, 1));
            EXPECT_EQ(Host.Forwarded, c.Refused ? std::vector<int>{10} : std::vector<int>{});
        }
        Select(2);  // showing another location fills the edit again
    }
}

TEST_F(MissedCallPageTest, ImportChangesThePageOnlyOnceTheReportIsConfirmed)
{
    PutCall(0, "+441111", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01, 0x00});
    Page.ConfigToForm(Image);
    Select(0);
    QTemporaryDir folder;
    const QString gate = folder.filePath("gate.csv");
    std::ofstream(gate.toStdString(), std::ios::binary) << "number;relay\r\n+44 1111;2\r\n+44 (0)2222;3\r\n12ab;1\r\n";
    const QString report = "1 added, 1 updated, 0 unchanged, 1 skipped.\rline 2: updated as location 1 (+441111)\r"
                           "line 3: added as location 2 (+442222)\rline 4: skipped: \"12ab\" holds letters: a telephone number is digits";
    // Everything the user sees and the page stores.
    const auto state = [this] {
        QStringList lines;
        for (int i = 0; i < 500; ++i) lines << Line(i);
        const TKVXConfig stored = Store(false);
        return std::tuple(lines, Selected(), Page.cbRelay->currentIndex(), Number(stored, 0), Rule(stored, 0), Number(stored, 1));
    };
    const auto before = state();
    const int changes = Host.Changes;

    for (const QString& file : {QString(), folder.filePath("absent.csv")}) {
        Dialogs.ExpectOpenFile(file);
        if (!file.isEmpty()) Dialogs.ExpectMessage("Could not read \"" + QDir::toNativeSeparators(file) + "\": No such file or directory.");
        Page.btnImport->click();
    }
    std::ofstream(folder.filePath("list.csv").toStdString(), std::ios::binary) << "name,phone\n";
    Dialogs.ExpectOpenFile(folder.filePath("list.csv"));
    Dialogs.ExpectMessage("Nothing was imported from list.csv.\r\rThe first line names the column \"name\", which is not one of location, "
                          "number, relay, action, confirmation, count, window_start, window_stop, days.");
    Page.btnImport->click();
    Dialogs.ExpectOpenFile(gate);
    Dialogs.ExpectMessage("Import from gate.csv?\r\r" + report, mrCancel);
    Page.btnImport->click();
    EXPECT_EQ(state(), before) << "a cancelled import leaves the page as it was";
    EXPECT_EQ(Host.Changes, changes);

    Dialogs.ExpectOpenFile(gate);
    Dialogs.ExpectMessage("Import from gate.csv?\r\r" + report);
    Page.btnImport->click();
    ASSERT_TRUE(Dialogs.Done());
    EXPECT_GT(Host.Changes, changes);
    EXPECT_TRUE(Line(1).startsWith("002 +442222 ") && Line(1).contains(" RLY3 On ")) << Line(1).toStdString();
    EXPECT_EQ(Page.cbRelay->currentIndex(), 1) << "the selected location shows what it now holds";
    EXPECT_EQ(Rule(Store(false), 0), (TBytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x01, 0x00}));

    const QString exported = folder.filePath("out.csv");
    Dialogs.ExpectSaveFile(exported);
    Page.btnExport->click();
    std::ifstream in(exported.toStdString(), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(text, "location,number,relay,action,confirmation,count,window_start,window_stop,days\r\n"
                    "1,+441111,2,On,no,0,,,\r\n2,+442222,3,On,no,0,,,\r\n");
}

} // namespace
} // namespace kvx::ui::test

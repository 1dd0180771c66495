// If-this-then-that: each command's element and trigger bit, the first trigger shown, the
// triggers no editor can show kept, what may not be stored refused with the command in view,
// and the trigger lists naming locations as the Timers and Missed call pages hold them.
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <map>

#include "tests/pages/unit_page_fixture.h"
#include "ui/pages/page_roles.h"
#include "ui/pages/remote_control_page.h"

namespace kvx::ui::test {
namespace {

constexpr size_t TableOffset = 29696;
constexpr size_t TableSize = 596;
constexpr size_t ElementsOffset = 30464;

// Stands in for the Timers or Missed call page: its locations' names, as the user set them.
class TFakeLocationPage : public TKVXPage, public ILocationNames {
public:
    using TKVXPage::TKVXPage;
    void ConfigToForm(const TKVXConfig&) override {}
    bool FormToConfig(TKVXConfig&, bool) override { return true; }
    QString LocationName(int Index) const override
    {
        const auto it = Names.find(Index);
        return it == Names.end() ? QString() : it->second;
    }
    std::map<int, QString> Names;
};

class RemoteControlPageTest : public UnitPageTest {
protected:
    TRemoteControlPage Page{Host, &Parent};

    TRemoteCommandEditor* Editor(size_t No) { return Page.ITTControlList[No - 1]; }
    void ZeroTable() { Put(TableOffset, std::vector<uint8_t>(TableSize, 0)); }
    std::vector<uint8_t> Table() const { return Bytes(TableOffset, TableSize); }
    static std::vector<uint8_t> TableWith(std::initializer_list<std::pair<size_t, uint8_t>> Bits)
    {
        std::vector<uint8_t> table(TableSize, 0);
        for (const auto& [byte, bits] : Bits) table[byte] = bits;
        return table;
    }
    void PutCommand(size_t No, const std::string& Number, const std::string& Text)
    {
        Put(ElementsOffset + 80 * (No - 1), Slot("+" + Number, 16, 0));
        Put(ElementsOffset + 80 * (No - 1) + 16, Slot(Text, 64, ' '));
    }
    // The trigger as the editor shows it: the checked kind's list and entry, or "none".
    static QString ShownTrigger(TRemoteCommandEditor* Editor)
    {
        for (auto [button, list] : {std::pair{Editor->rbRCIP, Editor->cbRCIP}, std::pair{Editor->rbRCTMR, Editor->cbRCTMR},
                                    std::pair{Editor->rbRCMC, Editor->cbRCMC}}) {
            EXPECT_EQ(list->isEnabled(), button->isChecked()) << list->objectName().toStdString();
            if (button->isChecked()) return list->objectName() + " " + list->currentText();
        }
        return "none";
    }
    static void Type(QLineEdit* Edit, const QString& Text)
    {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, Text);
        QApplication::sendEvent(Edit, &key);
    }
};

TEST_F(RemoteControlPageTest, StoresTheCommandElementAndItsOneTriggerBit)
{
    TRemoteCommandEditor* third = Editor(3);
    third->rbRCTMR->click();
    Choose(third->cbRCTMR, 5);
    EXPECT_EQ(third->cbRCTMR->currentText(), "Timer 06");  // numbered as the Timers page numbers its lines
    third->edRCNO->setText("447700900555");
    third->edRCCMD->setText("rly1 on");
    ASSERT_TRUE(Page.FormToConfig(Image, true));

    EXPECT_EQ(Table(), TableWith({{32 + 5, 0x04}}));
    EXPECT_EQ(Image.Bytes()[29733], 0x04);
    EXPECT_EQ(Bytes(30624, 16), Slot("+447700900555", 16, 0));
    EXPECT_EQ(Bytes(30640, 64), Slot("rly1 on", 64, ' '));
    EXPECT_EQ(Bytes(ElementsOffset, 160), std::vector<uint8_t>(160, 0xFF));  // commands 1 and 2: the fill
}

TEST_F(RemoteControlPageTest, EachEditorShowsItsFirstTrigger)
{
    const std::vector<QString> reset(8, "cbRCIP Input 1 high");
    const struct {
        const char* Case;
        bool Erased;                                   // else a zero table with these bits
        std::vector<std::pair<size_t, uint8_t>> Bits;
        std::vector<QString> Shown;                    // editors 1..
    } cases[] = {
        {"erased", true, {}, reset},
        {"zero", false, {}, reset},
        {"shared and spread",
         false,
         {{19, 0x80}, {40, 0x05}, {595, 0x02}, {96, 0x10}},
         {"cbRCTMR Timer 09", "cbRCMC Missed call 500", "cbRCTMR Timer 09", "cbRCIP Input 1 high", "cbRCMC Missed call 001",
          "cbRCIP Input 1 high", "cbRCIP Input 1 high", "cbRCIP AD high limit"}},
        {"unused byte", false, {{25, 0x01}}, {"none", "cbRCIP Input 1 high"}},
    };
    for (const auto& c : cases) {
        Image = ErasedConfig();
        if (!c.Erased) {
            ZeroTable();
            for (const auto& [byte, bits] : c.Bits) Image.Bytes()[TableOffset + byte] = bits;
            for (size_t no = 1; no <= RemoteCommandCount; ++no) PutCommand(no, "4477" + std::to_string(no), "cmd");
        }
        Page.ConfigToForm(Image);
        for (size_t no = 1; no <= c.Shown.size(); ++no) {
            EXPECT_EQ(ShownTrigger(Editor(no)), c.Shown[no - 1]) << c.Case << " command " << no;
            const bool used = std::any_of(c.Bits.begin(), c.Bits.end(), [&](auto b) { return b.second >> (no - 1) & 1; });
            EXPECT_EQ(Editor(no)->edRCNO->text(), used ? QString("4477%1").arg(no) : "") << c.Case << no;
            EXPECT_EQ(Editor(no)->btnRCCMD->isEnabled(), used) << c.Case << no;
        }
        Image = ErasedConfig();
        ASSERT_TRUE(Page.FormToConfig(Image, true)) << c.Case;
        std::vector<uint8_t> stored(TableSize, 0);  // the erased table's bits belong to no command
        for (const auto& [byte, bits] : c.Bits) stored[byte] = bits;
        EXPECT_EQ(Table(), stored) << c.Case;
    }
}

TEST_F(RemoteControlPageTest, TriggersTheEditorCannotShowStayUntilTheUserChangesThem)
{
    ZeroTable();
    Image.Bytes()[TableOffset + 3] = 0x08;    // command 4: input 2 low ...
    Image.Bytes()[TableOffset + 100] = 0x08;  // ... and missed call 005
    Image.Bytes()[TableOffset + 25] = 0x02;   // command 2: an unused byte
    PutCommand(2, "441", "a");
    PutCommand(4, "442", "b");
    Page.ConfigToForm(Image);
    EXPECT_EQ(ShownTrigger(Editor(4)), "cbRCIP Input 2 low");

    const struct {
        const char* Case;
        std::function<void()> Edit;
        std::vector<uint8_t> Stored;
    } steps[] = {
        {"untouched, texts edited", [&] { Editor(4)->edRCCMD->setText("rly2*on"); }, TableWith({{3, 0x08}, {100, 0x08}, {25, 0x02}})},
        {"kind of 2 chosen", [&] { Editor(2)->rbRCTMR->click(); }, TableWith({{3, 0x08}, {100, 0x08}, {32, 0x02}})},
        {"entry of 4 chosen", [&] { Choose(Editor(4)->cbRCIP, 7); }, TableWith({{7, 0x08}, {32, 0x02}})},
    };
    for (const auto& step : steps) {
        step.Edit();
        Image = ErasedConfig();
        ASSERT_TRUE(Page.FormToConfig(Image, true)) << step.Case;
        EXPECT_EQ(Table(), step.Stored) << step.Case;
    }
}

TEST_F(RemoteControlPageTest, RefusesWhatItCannotStoreAndShowsThatCommand)
{
    const struct {
        const char* Case;
        size_t No;
        const char* Number;
        QString Text;
        bool Write;  // ConfigAssistant
        QString Message;
        TMsgDlgType Type;
    } cases[] = {
        {"character on a write", 8, "44", "rly1 \u00e9t\u00e9", true, "You typed and invalid GSM charcater.", TMsgDlgType::mtError},
        {"character in a template", 8, "44", "tab\there", false, "You typed and invalid GSM charcater.", TMsgDlgType::mtError},
        {"no number on a write", 6, "", "rly1 on", true, "Please define remote command number 6.", TMsgDlgType::mtInformation},
        {"no number in a template", 7, "", "rly1 on", false, "Please define remote command number 7.", TMsgDlgType::mtInformation},
        {"no command on a write", 5, "44", "", true, "Please define remote command instruction 5.", TMsgDlgType::mtInformation},
        {"no command in a template", 5, "44", "", false, "", {}},
        {"blanks on a write", 4, "44", QString(64, u' '), true, "Please define remote command instruction 4.", TMsgDlgType::mtInformation},
        {"blanks without a number on a write", 3, "", "   ", true, "", {}},
        {"blanks without a number in a template", 3, "", "   ", false, "", {}},
    };
    Page.resize(769, 552);
    Parent.show();
    for (const auto& c : cases) {
        Page.sbITTList->verticalScrollBar()->setValue(0);
        Host.Forwarded.clear();
        Editor(c.No)->edRCNO->setText(c.Number);
        Editor(c.No)->edRCCMD->setText(c.Text);
        Image = ErasedConfig();
        const TKVXConfig before = Image;
        if (c.Message.isEmpty()) {
            EXPECT_TRUE(Page.FormToConfig(Image, c.Write)) << c.Case;
            const auto element = Bytes(ElementsOffset + 80 * (c.No - 1), 80);
            if (*c.Number == '\0') EXPECT_EQ(element, std::vector<uint8_t>(80, 0xFF)) << c.Case << ": nothing stored";
            else EXPECT_EQ(std::vector<uint8_t>(element.begin(), element.begin() + 16), Slot("+44", 16, 0)) << c.Case;
        } else {
            Dialogs.ExpectMessage(c.Message);
            EXPECT_FALSE(Page.FormToConfig(Image, c.Write)) << c.Case;
            EXPECT_EQ(Dialogs.Messages.back().Type, c.Type) << c.Case;
            EXPECT_EQ(Host.Forwarded, std::vector<int>{13}) << c.Case;
            EXPECT_TRUE(std::equal(before.Bytes(), before.Bytes() + TKVXConfig::Size, Image.Bytes())) << c.Case;
            const QRect inView = Editor(c.No)->geometry().translated(0, -Page.sbITTList->verticalScrollBar()->value());
            EXPECT_TRUE(Page.sbITTList->viewport()->rect().contains(inView)) << c.Case;
        }
        Editor(c.No)->edRCNO->clear();
        Editor(c.No)->edRCCMD->clear();
    }
}

TEST_F(RemoteControlPageTest, TypingACharacterTheUnitCannotSendSaysSoAtOnce)
{
    QLineEdit* edit = Editor(1)->edRCCMD;
    Type(edit, "rly");
    EXPECT_TRUE(Dialogs.Messages.empty());
    Dialogs.ExpectMessage("You typed and invalid GSM charcater.");
    Type(edit, "\u00e9");
    EXPECT_EQ(edit->text(), "rly\u00e9");  // left for the user to see and mend
    EXPECT_EQ(Dialogs.Messages.back().Type, TMsgDlgType::mtError);
    EXPECT_TRUE(Editor(1)->btnRCCMD->isEnabled());
    Editor(1)->btnRCCMD->click();
    EXPECT_EQ(edit->text(), "");
    EXPECT_FALSE(Editor(1)->btnRCCMD->isEnabled());
    EXPECT_GT(Host.Changes, 0);
}

TEST_F(RemoteControlPageTest, TriggerListsNameLocationsAsTheirPagesHoldThemAndKeepEverySelection)
{
    TFakeLocationPage timers(&Parent);
    TFakeLocationPage missedCalls(&Parent);
    timers.Names = {{5, "Pump"}, {63, "Gate"}};
    missedCalls.Names = {{0, "447700900555"}};
    Host.Register(11, &timers);
    Host.Register(10, &missedCalls);
    Editor(1)->rbRCTMR->click();
    Choose(Editor(1)->cbRCTMR, 5);
    Editor(2)->rbRCMC->click();
    Choose(Editor(2)->cbRCMC, 0);
    Editor(3)->rbRCTMR->click();
    Choose(Editor(3)->cbRCTMR, 63);
    EXPECT_EQ(Editor(1)->cbRCTMR->currentText(), "Timer 06");  // no names before the pages are asked

    Page.RefreshLocationNames();
    EXPECT_EQ(Editor(1)->cbRCTMR->currentText(), "Timer 06 - Pump");
    EXPECT_EQ(Editor(2)->cbRCMC->currentText(), "Missed call 001 - 447700900555");
    EXPECT_EQ(Editor(3)->cbRCTMR->currentText(), "Timer 64 - Gate");
    EXPECT_EQ(Editor(4)->cbRCTMR->currentText(), "Timer 01");
    EXPECT_EQ(Editor(4)->cbRCTMR->model(), Editor(1)->cbRCTMR->model());  // one list for all eight

    timers.Names = {{5, "Borehole pump"}};
    Parent.show();  // the page asks again whenever it is shown
    EXPECT_EQ(Editor(1)->cbRCTMR->currentText(), "Timer 06 - Borehole pump");
    EXPECT_EQ(Editor(3)->cbRCTMR->currentText(), "Timer 64");
    EXPECT_EQ(Editor(3)->cbRCTMR->currentIndex(), 63);
    ASSERT_TRUE(Page.FormToConfig(Image, false));
    EXPECT_EQ(Table(), TableWith({}));  // no numbers, nothing stored: the names are no edit

    missedCalls.Names = {{0, "61400000000"}};
    Page.ConfigToForm(Image);
    EXPECT_EQ(Editor(1)->cbRCMC->itemText(0), "Missed call 001 - 61400000000");
}

} // namespace
} // namespace kvx::ui::test

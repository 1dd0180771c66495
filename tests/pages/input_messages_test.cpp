// SMS input messages: slots, delays and the analogue breaches byte for byte, what loading
// shows with and without the I/O expander, the ranges while typing and stepping, the write
// path's notices, decimals in a comma locale, and the distribution rows each message drives.
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "tests/pages/unit_page_fixture.h"
#include "ui/pages/distribute_messages_page.h"
#include "ui/pages/input_messages_page.h"

namespace kvx::ui::test {
namespace {

using TBytes = std::vector<uint8_t>;
constexpr size_t Slots = 24576;
constexpr size_t Delays = 336;
constexpr size_t Analogue = 512;

size_t SlotOf(unsigned Input, TInputSide Side) { return InputMessageSlot(Input, Side); }

class InputMessagesTest : public UnitPageTest {
protected:
    TInputMessagesPage Page{Host, &Parent};

    TInputMessagesPage::TMessageRow& Row(unsigned Input, TInputSide Side) { return Page.Rows[SlotOf(Input, Side)]; }
    void Click(const char* Button) { Page.findChild<QPushButton*>(Button)->click(); }
    // Both breaches on, the expander chosen, so every analogue control can be used.
    void OpenAnalogue()
    {
        Page.IOExpanderFunctions(true);
        Page.High.Check->setChecked(true);
        Page.Low.Check->setChecked(true);
    }
    TBytes StoreBytes(size_t Offset, size_t Count)
    {
        Image = ErasedConfig();
        EXPECT_TRUE(Page.FormToConfig(Image, false));
        return Bytes(Offset, Count);
    }
};

TEST_F(InputMessagesTest, StoresSlotsAndDelaysOfSwitchedOnMessagesOnly)
{
    TInputMessagesPage::TMessageRow& row = Row(3, TInputSide::Low);  // slot 5
    row.Check->setChecked(true);
    row.Message->setText("Nine char");
    row.Delay->setText("12");
    Row(1, TInputSide::High).Check->setChecked(true);
    Row(1, TInputSide::High).Delay->setText("3000");
    Row(8, TInputSide::High).Check->setChecked(true);  // stored, though the board is not chosen
    Row(8, TInputSide::High).Message->setText("Tank full");
    Row(9, TInputSide::Low).Check->setChecked(true);
    Row(9, TInputSide::Low).Message->setText("");  // switched on without text: nothing to store

    EXPECT_EQ(StoreBytes(Slots + 16 * 5, 16), Slot("Nine char", 16, ' '));
    EXPECT_EQ(Bytes(Slots, 16), Slot("Input 1 high", 16, ' '));
    EXPECT_EQ(Bytes(Slots + 16 * 14, 16), Slot("Tank full", 16, ' '));
    EXPECT_EQ(Bytes(Slots + 16 * 17, 16), TBytes(16, 0xFF));
    EXPECT_EQ(Bytes(Slots + 16 * 1, 16), TBytes(16, 0xFF));  // input 1 low: off
    EXPECT_EQ(Bytes(Delays, 4), (TBytes{0xEA, 0x60, 0x00, 0x00}));
    EXPECT_EQ(Bytes(Delays + 2 * 5, 2), (TBytes{0x00, 0xF0}));
    EXPECT_EQ(Bytes(Delays + 2 * 14, 2), (TBytes{0xFF, 0xFF}));  // no delay field beyond input 7

    row.Check->setChecked(false);
    EXPECT_EQ(StoreBytes(Slots + 16 * 5, 16), TBytes(16, 0xFF));
    EXPECT_EQ(Bytes(Delays + 2 * 5, 2), (TBytes{0x00, 0x00}));
}

TEST_F(InputMessagesTest, StoresTheAnalogueBreachesThatAreSwitchedOn)
{
    OpenAnalogue();
    Page.High.Response->setText("1000");
    const struct {
        bool High;
        bool Low;
        bool Current;
        TBytes Expected;  // type, low V, high V, low mA, high mA, low delay, high delay, low and high messages' first bytes
    } cases[] = {
        {true, true, false, {1, 0x00, 0x00, 0x03, 0xE8, 0x01, 0x90, 0x07, 0xD0, 0x00, 0x00, 0xC3, 0x50, 'L', 'H'}},
        {false, true, true, {2, 0x00, 0x00, 0xFF, 0xFF, 0x01, 0x90, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 'L', 0xFF}},
        {true, false, true, {2, 0xFF, 0xFF, 0x03, 0xE8, 0xFF, 0xFF, 0x07, 0xD0, 0xFF, 0xFF, 0xC3, 0x50, 0xFF, 'H'}},
        {false, false, false, {0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const auto& c : cases) {
        Page.High.Check->setChecked(c.High);
        Page.Low.Check->setChecked(c.Low);
        (c.Current ? Page.rbLBC : Page.rbLBV)->click();
        TBytes stored = StoreBytes(Analogue, 13);
        stored.push_back(Image.Bytes()[528]);
        stored.push_back(Image.Bytes()[544]);
        EXPECT_EQ(stored, c.Expected) << c.High << c.Low << c.Current;
    }
}

TEST_F(InputMessagesTest, LoadingShowsClampedValuesAndNeverOpensExpanderItemsWithoutTheBoard)
{
    Put(Slots + 16 * SlotOf(2, TInputSide::High), Slot("  Gate  ", 16, ' '));
    Put(Delays + 2 * SlotOf(2, TInputSide::High), {0x00, 0xF0});
    Put(Slots + 16 * SlotOf(8, TInputSide::Low), Slot("Tank low", 16, ' '));
    Put(Analogue, {1, 0x00, 0x64, 0x03, 0xE8, 0x00, 0x64, 0x03, 0xE8, 0xFF, 0xFF});  // 1.00 V, 10.00 V, 1.00 mA (below 4), 10.00 mA
    Put(528, Slot("Too low", 16, ' '));
    Page.ConfigToForm(Image);

    const TInputMessagesPage::TMessageRow& gate = Row(2, TInputSide::High);
    EXPECT_TRUE(gate.Check->isChecked());
    EXPECT_EQ(gate.Message->text(), "Gate");
    EXPECT_EQ(gate.Delay->text(), "12");
    EXPECT_TRUE(gate.Message->isEnabled());
    EXPECT_TRUE(gate.Clear->isEnabled());
    EXPECT_EQ(Row(1, TInputSide::High).Delay->text(), "3000");  // FF FF is 3276 s
    EXPECT_FALSE(Row(1, TInputSide::High).Message->isEnabled());

    const TInputMessagesPage::TMessageRow& tank = Row(8, TInputSide::Low);
    EXPECT_TRUE(tank.Check->isChecked());
    for (QWidget* control : {static_cast<QWidget*>(tank.Check), static_cast<QWidget*>(tank.Message), static_cast<QWidget*>(tank.Clear),
                             static_cast<QWidget*>(Page.Low.Check), static_cast<QWidget*>(Page.Low.Message),
                             static_cast<QWidget*>(Page.Low.Voltage), static_cast<QWidget*>(Page.rbLBV)})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(Page.Low.Check->isChecked());
    EXPECT_FALSE(Page.High.Check->isChecked());
    EXPECT_EQ(Page.Low.Voltage->text(), "1.00");
    EXPECT_EQ(Page.Low.Current->text(), "4.00");
    EXPECT_EQ(Page.Low.Response->text(), "1310");
    EXPECT_TRUE(Page.lblLink->isEnabled());

    Page.IOExpanderFunctions(true);
    EXPECT_TRUE(tank.Message->isEnabled());
    EXPECT_TRUE(tank.Clear->isEnabled());
    EXPECT_TRUE(Page.Low.Voltage->isEnabled());
    EXPECT_FALSE(Page.Low.Current->isEnabled());
    EXPECT_FALSE(Page.High.Message->isEnabled());
    EXPECT_TRUE(Row(9, TInputSide::High).Check->isEnabled());
    EXPECT_FALSE(Row(9, TInputSide::High).Message->isEnabled());

    Image = ErasedConfig();  // unprogrammed type: both breaches loaded, the current input chosen
    Page.ConfigToForm(Image);
    EXPECT_TRUE(Page.rbLBC->isChecked());
    EXPECT_EQ(Page.High.Voltage->text(), "10.00");
    EXPECT_EQ(Page.High.Current->text(), "20.00");
    EXPECT_FALSE(Page.Low.Check->isChecked());
}

TEST_F(InputMessagesTest, TypingAndStepsStayInsideEachEditsRange)
{
    OpenAnalogue();
    Row(1, TInputSide::High).Check->setChecked(true);
    QLineEdit* delay = Row(1, TInputSide::High).Delay;
    const struct {
        QLineEdit* Edit;
        const char* Typed;
        const char* Shown;
        const char* Left;  // after the edit is left
    } typed[] = {
        {delay, "4000", "3000", "3000"},
        {Page.High.Response, "2000", "1310", "1310"},  // what a word holds at x50
        {Page.High.Voltage, "12", "10.00", "10.00"},
        {Page.High.Voltage, "2.5", "2.5", "2.50"},
        {Page.Low.Current, "1", "1", "4.00"},          // the 4 mA floor waits for the edit to be left
        {Page.Low.Current, "15", "15", "15.00"},
        {Page.Low.Current, "25", "20.00", "20.00"},
    };
    for (const auto& t : typed) {
        t.Edit->setText(t.Typed);
        EXPECT_EQ(t.Edit->text(), t.Shown) << t.Typed;
        emit t.Edit->editingFinished();
        EXPECT_EQ(t.Edit->text(), t.Left) << t.Typed;
    }

    Page.rbLBC->click();
    const struct {
        QLineEdit* Edit;
        const char* Button;
        const char* Before;
        const char* After;
    } steps[] = {
        {delay, "Button1", "3000", "3000"},  {delay, "btnClearRecipient0", "0", "3000"}, {delay, "Button1", "7", "8"},
        {Page.High.Response, "btnRTHVU", "1310", "0"},  {Page.High.Response, "btnRTHVD", "0", "1310"},
        {Page.High.Current, "btnVHLCBD", "4.00", "20.00"}, {Page.High.Current, "btnVHLCBU", "19.99", "20.00"},
        {Page.Low.Current, "btnVLLCBU", "3", "4.00"},   {Page.Low.Current, "btnVLLCBD", "4.5", "4.49"},
    };
    for (const auto& s : steps) {
        s.Edit->setText(s.Before);
        Click(s.Button);
        EXPECT_EQ(s.Edit->text(), s.After) << s.Button << " on " << s.Before;
    }
}

TEST_F(InputMessagesTest, WritesAskForMissingMessagesInSlotOrderAndNumbersStopWritesAndSavesAlike)
{
    OpenAnalogue();
    Page.High.Message->setText("");
    Row(2, TInputSide::Low).Check->setChecked(true);
    Row(2, TInputSide::Low).Message->setText("");
    Row(5, TInputSide::High).Check->setChecked(true);
    Row(5, TInputSide::High).Message->setText("");
    const std::pair<const char*, QLineEdit*> missing[] = {
        {"input 2 low", Row(2, TInputSide::Low).Message}, {"input 5 high", Row(5, TInputSide::High).Message}, {"high breach", Page.High.Message}};
    for (const auto& [subject, edit] : missing) {
        Dialogs.ExpectMessage(QString("No message has been defined for %1.\rPlease enter a message or deselect the option.").arg(subject));
        Host.Forwarded.clear();
        EXPECT_FALSE(Page.FormToConfig(Image, true)) << subject;
        EXPECT_EQ(Host.Forwarded, std::vector<int>{5});
        edit->setText("x");
    }
    EXPECT_TRUE(Page.FormToConfig(Image, true));

    for (const bool assistant : {true, false})
        for (QLineEdit* edit : {Row(2, TInputSide::Low).Delay, Page.Low.Voltage, Page.High.Response}) {
            const QString before = edit->text();
            edit->setText("");
            Dialogs.ExpectPlainMessage("Invalid integer");
            Host.Forwarded.clear();
            Image = ErasedConfig();
            EXPECT_FALSE(Page.FormToConfig(Image, assistant)) << edit->objectName().toStdString();
            EXPECT_EQ(Host.Forwarded, std::vector<int>{5});
            EXPECT_EQ(Parent.focusWidget(), edit) << "the user is taken to the edit";
            EXPECT_EQ(Bytes(Slots + 16 * SlotOf(2, TInputSide::Low), 1), TBytes{0xFF}) << "nothing stored";
            edit->setText(before);
        }
    Row(3, TInputSide::High).Delay->setText("");  // a message switched off needs no delay
    EXPECT_TRUE(Page.FormToConfig(Image, false));
}

TEST_F(InputMessagesTest, APageNeverLoadedTakesTextOnlyInMessagesSwitchedOn)
{
    for (size_t slot = 0; slot < InputMessageCount; ++slot) {
        const TInputMessagesPage::TMessageRow& row = Page.Rows[slot];
        const bool onBoard = InputMessageHasDelay(slot);
        SCOPED_TRACE(row.Panel->objectName().toStdString());
        EXPECT_EQ(row.Check->isEnabled(), onBoard);
        for (QWidget* control : {static_cast<QWidget*>(row.Message), static_cast<QWidget*>(row.Delay),
                                 static_cast<QWidget*>(row.Clear), static_cast<QWidget*>(row.Steps.Up)})
            EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
        if (!onBoard) continue;
        row.Check->click();
        EXPECT_TRUE(row.Message->isEnabled());
        EXPECT_TRUE(row.Delay->isEnabled());
        EXPECT_TRUE(row.Clear->isEnabled());
        row.Check->click();
    }
}

TEST_F(InputMessagesTest, AnEditTheUserCannotChangeNeverHoldsANonNumber)
{
    TInputMessagesPage::TMessageRow& row = Row(2, TInputSide::Low);
    const auto leave = [](QLineEdit* Edit, Qt::FocusReason Reason) {
        QFocusEvent out(QEvent::FocusOut, Reason);
        QCoreApplication::sendEvent(Edit, &out);
    };
    // Each edit emptied while the user could change it, then: ...
    const struct {
        const char* Case;
        QLineEdit* Edit;
        std::function<void()> Then;
        const char* Shown;
    } cases[] = {
        {"its type no longer chosen", Page.Low.Voltage, [this] { Page.rbLBC->click(); }, "2.50"},
        {"the board no longer chosen", Page.High.Response, [this] { Page.IOExpanderFunctions(false); }, "20"},
        {"its message switched off", row.Delay, [&row] { row.Check->click(); }, "15"},
        {"left for another control", row.Delay, [&] { leave(row.Delay, Qt::TabFocusReason); }, "15"},
        {"a message box up", row.Delay, [&] { leave(row.Delay, Qt::ActiveWindowFocusReason); }, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        OpenAnalogue();
        Page.rbLBV->click();
        row.Check->setChecked(true);
        row.Delay->setText("15");
        Page.High.Response->setText("20");
        Page.Low.Voltage->setText("2.50");
        c.Edit->setText("");
        c.Then();
        EXPECT_EQ(c.Edit->text(), c.Shown);
    }

    row.Delay->setText("15");  // the user mends the one they can
    OpenAnalogue();
    Page.rbLBV->click();
    Page.Low.Current->setText("");  // disabled: the program's own text is no exception
    EXPECT_EQ(Page.Low.Current->text(), "4.00");
    Page.rbLBC->click();
    Page.IOExpanderFunctions(false);
    EXPECT_TRUE(Page.FormToConfig(Image, false)) << "nothing for a store to point at that the user cannot mend";
}

TEST_F(InputMessagesTest, DecimalsTakeTheUsersSeparatorAndThePoint)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    OpenAnalogue();
    Page.rbLBC->click();
    const struct {
        const char* Typed;
        TBytes Stored;
    } cases[] = {{"4,5", {0x01, 0xC2}}, {"4.5", {0x01, 0xC2}}, {"19,99", {0x07, 0xCF}}, {"4,10", {0x01, 0x9A}}};
    for (const auto& c : cases) {
        Page.High.Current->setText(c.Typed);
        EXPECT_EQ(StoreBytes(519, 2), c.Stored) << c.Typed;
    }
    Page.High.Current->setText("4,5");
    Click("btnVHLCBU");
    EXPECT_EQ(Page.High.Current->text(), "4.51");
    Page.High.Current->setText("1.500");  // never fifteen hundred
    emit Page.High.Current->editingFinished();
    EXPECT_EQ(Page.High.Current->text(), "4.00");
    QLocale::setDefault(before);
}

TEST_F(InputMessagesTest, EachMessageSwitchesItsOwnDistributionRow)
{
    TDistributeMessagesPage distribution(Host, &Parent);
    Host.Register(6, &distribution);
    Page.IOExpanderFunctions(true);
    const struct {
        QCheckBox* Box;
        const char* Name;  // the distribution page asks for it by name
        TDistributionEvent Row;
    } cases[] = {{Row(1, TInputSide::High).Check, "cbIP1H", TDistributionEvent::IP1H},
                 {Row(4, TInputSide::Low).Check, "cbIP4L", TDistributionEvent::IP4L},
                 {Row(9, TInputSide::Low).Check, "cbIP9L", TDistributionEvent::IP9L},
                 {Page.High.Check, "cbIPAH", TDistributionEvent::ADH},
                 {Page.Low.Check, "cbIPAL", TDistributionEvent::ADL}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.Box->objectName(), c.Name);
        c.Box->click();
        for (const auto& other : cases)
            EXPECT_EQ(distribution.RowBoxes(other.Row).Recipient(0)->Checked(), other.Box->isChecked()) << c.Box->objectName().toStdString();
    }
    Page.ConfigToForm(Image);
    for (const auto& c : cases) EXPECT_FALSE(distribution.RowBoxes(c.Row).Recipient(9)->Checked());
}

} // namespace
} // namespace kvx::ui::test

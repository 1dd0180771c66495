// The pages inside the real main window: found by number and name, walked when the window
// stores an image, the shortcuts page takes the PIN as typed when chosen, General setup
// holds the hidden edit that the link labels of the I/O expander pages lead to, a remote
// command without a number stops a template, and comparing the pages with a template changes
// no control, and every control has a name for screen readers.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QStringList>
#include <QTemporaryDir>

#include "config/design_config.h"
#include "config/template_file.h"

#include "tests/pages/real_window_fixture.h"
#include "ui/main/accessible_names.h"
#include "ui/main/kvx_panel.h"
#include "ui/main/main_window.h"
#include "ui/main/menu_table.h"
#include "ui/main/transfer_texts.h"
#include "ui/pages/general_setup_page.h"
#include "ui/pages/input_messages_page.h"
#include "ui/pages/m2m_page.h"
#include "ui/pages/relays_page.h"
#include "ui/pages/remote_control_page.h"
#include "ui/pages/security_setup_page.h"
#include "ui/pages/shortcuts_page.h"
#include "ui/pages/sim_setup_page.h"
#include "ui/widgets/image_check_box.h"

namespace kvx::ui::test {
namespace {

using UnitPagesWindowTest = RealWindowTest;

// Every control of the window with what the user sees of it: text, check, choice, enabled.
QStringList ControlStates(const QWidget& Window)
{
    QStringList states;
    for (const QWidget* w : Window.findChildren<QWidget*>()) {
        QString state;
        if (const auto* edit = qobject_cast<const QLineEdit*>(w)) state = edit->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) state = button->isChecked() ? "on" : "off";
        else if (const auto* list = qobject_cast<const QComboBox*>(w)) state = list->currentText();
        else if (const auto* view = qobject_cast<const QAbstractItemView*>(w)) state = QString::number(view->currentIndex().row());
        else if (const auto* box = dynamic_cast<const TImageCheckBox*>(w)) state = box->Checked() ? "ticked" : "clear";
        else continue;
        states << QStringLiteral("%1/%2: %3 %4").arg(w->parentWidget()->objectName(), w->objectName(), state,
                                                     w->isEnabled() ? "enabled" : "disabled");
    }
    return states;
}

TEST_F(UnitPagesWindowTest, PagesSitUnderTheirMenuNumbersAndNames)
{
    ASSERT_NE(PageOf<TSimSetupPage>(1), nullptr);
    ASSERT_NE(PageOf<TSecuritySetupPage>(2), nullptr);
    ASSERT_NE(PageOf<TGeneralSetupPage>(3), nullptr);
    ASSERT_NE(PageOf<TInputMessagesPage>(5), nullptr);
    ASSERT_NE(PageOf<TRelaysPage>(8), nullptr);
    ASSERT_NE(PageOf<TShortcutsPage>(9), nullptr);
    ASSERT_NE(PageOf<TM2MPage>(12), nullptr);
    EXPECT_EQ(Window->Page(1)->objectName(), "frmSIMSetup1");
    EXPECT_EQ(Window->Page(9)->objectName(), "frmShortcuts1");
    EXPECT_EQ(Window->Page(12)->objectName(), "frmM2M1");
    EXPECT_EQ(Window->Page(3)->objectName(), "frmGeneralSetup1");
    EXPECT_EQ(Window->Page(5)->objectName(), "frmInputSMSMessages1");
    EXPECT_TRUE(Window->Page(1)->isVisibleTo(Window.get()));
}

TEST_F(UnitPagesWindowTest, ChoosingShortcutsShowsThePINTypedOnTheSecurityPage)
{
    PageOf<TSecuritySetupPage>(2)->edPIN->setText("9753");
    Window->MenuItemClicked(Window->MenuPanel(9));
    EXPECT_EQ(PageOf<TShortcutsPage>(9)->lblExamplePrefix->text(), "$9753*");
    EXPECT_EQ(PageOf<TShortcutsPage>(9)->lblPrefix[9]->text(), "$9753*");
}

TEST_F(UnitPagesWindowTest, TheWindowsImageCarriesThePagesFields)
{
    PageOf<TSecuritySetupPage>(2)->edPIN->setText("2468");
    PageOf<TRelaysPage>(8)->edVRLY[5]->setText("321");
    PageOf<TShortcutsPage>(9)->edSC[0]->setText("go");
    ASSERT_TRUE(Window->PagesToConfig(false));
    EXPECT_EQ(Window->Document().Image().PIN.Data[0], '2');
    EXPECT_EQ(Window->Document().Image().Relay6PulseTime.Value(), 321);
    EXPECT_EQ(Window->Document().Image().ShortCuts[0], 'g');

    PageOf<TRelaysPage>(8)->edVRLY[5]->setText("");
    Dialogs.ExpectPlainMessage("Invalid integer");
    EXPECT_FALSE(Window->PagesToConfig(false));
    EXPECT_TRUE(Window->Page(8)->isVisibleTo(Window.get()));  // the page is chosen
    EXPECT_EQ(Window->LastPageNo(), 8);
}

TEST_F(UnitPagesWindowTest, TheInputPagesLinkLeadsToGeneralSetup)
{
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(PageOf<TInputMessagesPage>(5)->lblLink, &release);
    EXPECT_EQ(Window->LastPageNo(), 3);
    EXPECT_TRUE(Window->Page(3)->isVisibleTo(Window.get()));
}

TEST_F(UnitPagesWindowTest, ACommandWithoutANumberStopsATemplateWithThatCommandInView)
{
    Window->show();
    auto* page = PageOf<TRemoteControlPage>(13);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->objectName(), "frmITTT1");
    TRemoteCommandEditor* last = page->ITTControlList[7];
    last->edRCCMD->setText("rly1 on");
    Dialogs.ExpectMessage("Please define remote command number 8.");
    EXPECT_FALSE(Window->PagesToConfig(false));
    EXPECT_EQ(Window->LastPageNo(), 13);
    EXPECT_TRUE(page->isVisible());
    EXPECT_FALSE(last->visibleRegion().isEmpty());
}

TEST_F(UnitPagesWindowTest, ComparingThePagesWithATemplateChangesNoControlAndMarksNothing)
{
    PageOf<TGeneralSetupPage>(GeneralSetupPageNo)->rbIOExpander->click();
    auto* inputs = PageOf<TInputMessagesPage>(InputMessagesPageNo);
    inputs->High.Check->setChecked(true);
    inputs->rbLBC->click();
    inputs->High.Current->setText("1");  // below the 4 mA floor: stored as 4.00
    QTemporaryDir folder;
    const QString other = folder.filePath("other.kvx");
    std::string reason;
    ASSERT_TRUE(SaveTemplate(other.toStdU16String(), DesignConfig(), reason)) << reason;
    Window->Document().ForgetChanges();
    const QStringList before = ControlStates(*Window);

    Dialogs.ExpectOpenFile(other);
    Dialogs.ExpectDifferences();
    Window->CompareWithTemplate();
    ASSERT_TRUE(Window->PagesToConfig(false));  // what "Show changes" stores
    EXPECT_EQ(Window->Document().Image().ADIHighThreshold.Value(), 400);
    EXPECT_EQ(ControlStates(*Window), before);
    EXPECT_EQ(inputs->High.Current->text(), "1");
    EXPECT_FALSE(Window->Document().Changed());
}

} // namespace
} // namespace kvx::ui::test

namespace kvx::ui::test {
namespace {

// Screen readers call every control a user can reach by what the page says beside it.
TEST_F(UnitPagesWindowTest, EveryEnabledInputControlOfEveryPageHasAName)
{
    // Enabled as a configured unit enables them.
    Window->Document().ReplaceImage(DesignConfig());
    Window->ConfigToPages();
    for (const TMenuItemInfo& item : MenuItems()) {
        TKVXPage* page = Window->Page(item.No);
        for (const QWidget* control : page->findChildren<QWidget*>()) {
            if (!IsInputControl(control) || !control->isEnabled() || !control->isVisibleTo(page)) continue;
            // Its own name, else (a check box, a radio button) its text as the platform reads it.
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(control));
            ASSERT_NE(accessible, nullptr);
            const QString name = control->accessibleName().isEmpty() ? accessible->text(QAccessible::Name) : control->accessibleName();
            const bool words = std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetter(); });
            EXPECT_TRUE(words) << item.Panel << " " << control->objectName().toStdString() << ": \"" << name.toStdString() << "\"";
        }
    }
}

} // namespace
} // namespace kvx::ui::test

namespace kvx::ui::test {
namespace {

// Showing an image and looking through the pages is no edit: nothing to ask about at close.
TEST_F(UnitPagesWindowTest, LookingThroughThePagesLeavesNoUnsavedEdits)
{
    Window->show();
    Window->Document().ReplaceImage(DesignConfig());
    Window->ConfigToPages();
    for (const TMenuItemInfo& item : MenuItems()) Window->MenuItemClicked(Window->MenuPanel(item.No));
    Dialogs.ExpectMessage(DongleNotConnectedText);
    Window->MenuItemClicked(Window->UnitStatusButton);
    Window->ShowLastPage();
    QCoreApplication::processEvents();
    EXPECT_FALSE(Window->Document().UnsavedEdits());
    Window->Page(MessageRecipientsPageNo)->findChild<QLineEdit*>("edRecipient4")->setText("447700900125");
    EXPECT_TRUE(Window->Document().UnsavedEdits());
}

} // namespace
} // namespace kvx::ui::test

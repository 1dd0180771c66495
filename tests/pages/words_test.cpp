// Differences in the pages' own words with every page in the real window: one edit on each
// page shows in the list as its page, caption and both values, leads back to its control, and
// reads the same in kvxctl diff; what the pages show of the demo unit they store alike.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <set>

#include "config/cid_list.h"
#include "config/contact_id.h"
#include "config/template_file.h"
#include "config/words_compare.h"
#include "sim/default_memory.h"
#include "tests/pages/real_window_fixture.h"
#include "ui/main/shipped_file.h"
#include "ui/main/transfer_texts.h"
#include "ui/pages/page_roles.h"

namespace kvx::ui::test {
namespace {

TKVXConfig DemoUnit()
{
    const std::vector<uint8_t> memory = sim::DefaultUnitMemory();
    TKVXConfig image;
    std::copy_n(memory.begin(), TKVXConfig::Size, image.Bytes());
    return image;
}

std::string Kvxctl(const std::string& Arguments)
{
    std::string output;
    FILE* pipe = ::popen((std::string(KVXCTL_PATH) + " " + Arguments + " </dev/null 2>&1").c_str(), "r");
    if (!pipe) return output;
    char chunk[512];
    while (size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) output.append(chunk, n);
    ::pclose(pipe);
    return output;
}

// The control at the end of Path ("ITTControl0/edRCCMD"), each name below the one before.
template <typename TControl>
TControl* ControlOn(TMainWindow& Window, int PageNo, const char* Path)
{
    QObject* control = Window.Page(PageNo);
    for (const QString& name : QString(Path).split(u'/'))
        if (control) control = control->findChild<QObject*>(name);
    EXPECT_TRUE(qobject_cast<TControl*>(control)) << Path;
    return qobject_cast<TControl*>(control);
}

class WordsTest : public RealWindowTest {
protected:
    void SetUp() override
    {
        RealWindowTest::SetUp();
        Window->show();
        ShowDemoUnit();
        Before = Save("before.kvx");
    }

    void ShowDemoUnit()
    {
        Window->Document().ReplaceImage(DemoUnit());
        Window->ConfigToPages();
    }

    // The pages as a template save stores them.
    QString Save(const QString& Name)
    {
        const QString path = Folder.filePath(Name);
        EXPECT_TRUE(Window->PagesToConfig(false));
        std::string reason;
        EXPECT_TRUE(SaveTemplate(path.toStdU16String(), Window->Document().Image(), reason)) << reason;
        return path;
    }

    QTemporaryDir Folder;
    QString Before;
};

TEST_F(WordsTest, OneEditPerPageIsOneRowInItsWordsThatLeadsToItsControlAndReadsTheSameInKvxctl)
{
    using TEdit = std::function<void(TMainWindow&)>;
    const auto type = [](int PageNo, const char* Name, const char* Text) {
        return TEdit([=](TMainWindow& w) { ControlOn<QLineEdit>(w, PageNo, Name)->setText(Text); });
    };
    const auto tick = [](int PageNo, const char* Name) {
        return TEdit([=](TMainWindow& w) { ControlOn<QCheckBox>(w, PageNo, Name)->setChecked(true); });
    };
    const struct {
        int PageNo;
        TEdit Edit;
        const char* Caption;
        const char* Before;  // the template's value
        const char* After;   // the pages' value
        const char* Control;
        bool AlsoOtherPages = false;  // the edit ticks or clears rows of later pages as well
    } cases[] = {
        {1, type(1, "edMessageCentreNumber1", "447700900111"), "Primary SIM, Message centre number", "+447785016005", "+447700900111",
         "edMessageCentreNumber1"},
        {2, tick(2, "cbSMSSenderVerify"), "SMS sender verify", "off", "on", "cbSMSSenderVerify"},
        {3, type(3, "edTamper", "200"), "Tamper - vibration sensitivity", "180", "200", "edTamper"},
        // A new recipient is ticked on the distribution and Contact ID pages.
        {4, type(4, "edRecipient3", "447700900104"), "Recipient 4", "(empty)", "+447700900104", "edRecipient3", true},
        {5, type(5, "edMIP1H", "Door ajar"), "Input 1 high", "\"Door open\"", "\"Door ajar\"", "edMIP1H"},
        {6,
         [](TMainWindow& w) { dynamic_cast<IDistributionGroups&>(*w.Page(6)).CheckRow(TDistributionEvent::MainsFail, false); },
         "Mains fail", "1, 2, 3", "none", "pnlMainsFail"},
        {7, tick(7, "cbDialTone"), "Dial tone", "off", "on", "cbDialTone"},
        {8, type(8, "edVRLY3", "12"), "Relay 3, Pulse time (sec)", "10", "12", "edVRLY3"},
        {9, type(9, "edSC2", "lights on"), "Shortcut 2, Shortcut command", "(empty)", "\"lights on\"", "edSC2"},
        {10, type(10, "edAccessCount", "005"), "Missed call 001 +447700900201, Operational count", "0", "5", "edAccessCount"},
        {11, type(11, "edHours", "07"), "Timer 01 Pump on, Operation time", "06:30", "07:30", "edHours"},
        {12, type(12, "edM2MID", "00043"), "M2M ID", "00042", "00043", "edM2MID"},
        {13, type(13, "ITTControl0/edRCCMD", "$8642*rly2*off"), "Remote command 1, Command", "\"$8642*rly2*on\"", "\"$8642*rly2*off\"", "edRCCMD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Caption);
        ShowDemoUnit();
        c.Edit(*Window);

        Dialogs.Lists.clear();
        Dialogs.ExpectOpenFile(Before);
        Dialogs.ExpectDifferences(ComparedWithTemplateHeading(QDir::toNativeSeparators(Before)), 0);
        Window->CompareWithTemplate();
        ASSERT_EQ(Dialogs.Lists.size(), 1u);
        const TDifferenceList& list = Dialogs.Lists[0];
        ASSERT_FALSE(list.Rows.empty());
        if (!c.AlsoOtherPages) {
            EXPECT_EQ(list.Rows.size(), 1u) << list.Rows[1].Caption;
        }
        const TWordedDifference& row = list.Rows[0];
        EXPECT_EQ(row.PageNo, c.PageNo);
        EXPECT_EQ(row.Caption, c.Caption);
        EXPECT_EQ(row.First, c.After);
        EXPECT_EQ(row.Second, c.Before);
        EXPECT_EQ(Window->VisiblePage(), Window->Page(c.PageNo));
        ASSERT_TRUE(Window->focusWidget());
        EXPECT_EQ(Window->focusWidget()->objectName(), c.Control);

        const QString after = Save("after.kvx");
        const std::string line = PageHeading(c.PageNo) + "\n  " + c.Caption + ": " + c.Before + " -> " + c.After + "\n";
        const std::string diff = Kvxctl("diff " + Before.toStdString() + " " + after.toStdString());
        EXPECT_EQ(c.AlsoOtherPages ? diff.substr(0, line.size()) : diff, line);
    }
    EXPECT_TRUE(Dialogs.Done());
}

TEST_F(WordsTest, WhatThePagesShowOfTheDemoUnitTheyStoreAlike)
{
    for (const TWordedDifference& row : CompareConfigWords(DemoUnit(), Window->Document().Image()))
        EXPECT_EQ(row.PageNo, 0) << row.Caption << ": " << row.First << " -> " << row.Second;
}

TEST_F(WordsTest, EveryFieldOfEveryPageLeadsToItsControl)
{
    // The page lists every event of the program's CIDList.txt; the first and second will do.
    const TCIDList events = LoadCIDList(ShippedFilePath("CIDList.txt").toStdU16String(), 2);
    ASSERT_EQ(events.Events.size(), 2u);
    std::set<std::pair<int, std::string>> visited;
    for (const TWordedField& field : DescribeConfig(DemoUnit(), events.Events).Fields) {
        if (field.PageNo == 0 || !visited.insert({field.PageNo, field.Control.List + field.Control.Path}).second) continue;
        QWidget* control = Window->GoToControl(field.PageNo, field.Control);
        ASSERT_TRUE(control) << field.Caption;
        // A week-day box is drawn by the widget that owns it.
        const QString name = QString::fromStdString(field.Control.Path.substr(field.Control.Path.rfind('/') + 1));
        EXPECT_TRUE(control->objectName() == name || control->findChild<QObject*>(name, Qt::FindDirectChildrenOnly)) << field.Caption;
        EXPECT_EQ(Window->VisiblePage(), Window->Page(field.PageNo)) << field.Caption;
    }
}

} // namespace
} // namespace kvx::ui::test

#include <QLabel>
#include <QWindow>

#include "tests/ui/window_fixture.h"
#include "ui/main/assets.h"
#include "ui/main/colours.h"
#include "ui/main/kvx_image.h"
#include "ui/main/kvx_panel.h"
#include "ui/main/menu_table.h"
#include "ui/main/status_view.h"
#include "ui/main/transfer_texts.h"

namespace kvx::ui::test {
namespace {

class NavigationTest : public WindowTest {
protected:
    void SetUp() override { CreateWindow(); }
    bool IsChosen(const TPanel* Panel) const
    {
        return Panel->Color() == ChosenColour && Panel->FontColor() == ChosenTextColour;
    }
    bool IsIdle(const TPanel* Panel) const
    {
        return Panel->Color() == WindowColour && Panel->FontColor() == IdleTextColour;
    }
    std::vector<int> VisiblePages() const
    {
        std::vector<int> visible;
        for (TBytePage* page : Pages)
            if (page->isVisible()) visible.push_back(page->No);
        return visible;
    }
};

TEST_F(NavigationTest, StartsOnSIMSetupWithItsItemChosen)
{
    EXPECT_EQ(Window->LastPageNo(), 1);
    EXPECT_EQ(Window->PageHeading->text(), "SIM setup");
    EXPECT_EQ(VisiblePages(), std::vector<int>{1});
    EXPECT_TRUE(IsChosen(Window->MenuPanel(1)));
    for (int no = 2; no <= 13; ++no) EXPECT_TRUE(IsIdle(Window->MenuPanel(no))) << no;
    EXPECT_FALSE(Window->StatusView()->isVisible());
    EXPECT_FALSE(Window->Document().HasBeenRead() || Window->Document().TemplateLoaded() || Window->Document().Changed() || Window->CloseWhenIdle());
    EXPECT_EQ(Window->windowHandle()->title(), "KVX");
    EXPECT_EQ(Window->size(), QSize(1024, 730));
    EXPECT_EQ(Window->ConnectionIndicator->ImageIndex, DisconnectedIcon);
}

TEST_F(NavigationTest, EveryMenuItemShowsItsPageAndHeading)
{
    for (const TMenuItemInfo& item : MenuItems()) {
        Window->MenuItemClicked(Window->MenuPanel(item.No));
        EXPECT_EQ(Window->LastPageNo(), item.No);
        EXPECT_EQ(VisiblePages(), std::vector<int>{item.No});
        EXPECT_TRUE(IsChosen(Window->MenuPanel(item.No)));
        EXPECT_EQ(Window->MenuPanel(item.No)->Tag, item.No - 1);
        if (item.No == ITTTPageNo) {
            EXPECT_TRUE(Window->PageHeadingPicture->isVisible());
            EXPECT_FALSE(Window->PageHeading->isVisible());
        } else {
            EXPECT_EQ(Window->PageHeading->text(), item.Heading);
            EXPECT_TRUE(Window->PageHeading->isVisible());
            EXPECT_FALSE(Window->PageHeadingPicture->isVisible());
        }
    }
}

TEST_F(NavigationTest, SectionHeadingShowsItsFirstPageWithoutChangingTheLastPage)
{
    const struct {
        size_t Section;
        int Page;
        const char* Heading;
    } sections[] = {{0, 1, "SIM setup"},
                    {1, 3, "General SMS messaging setup"},
                    {2, 8, "Relay switching pulse time setup"},
                    {3, 12, "KVX to base stations"}};
    Window->MenuItemClicked(Window->MenuPanel(5));
    for (const auto& s : sections) {
        Window->MenuItemClicked(Window->SectionPanel(s.Section));
        EXPECT_EQ(Window->PageHeading->text(), s.Heading);
        EXPECT_EQ(VisiblePages(), std::vector<int>{s.Page});
        EXPECT_TRUE(IsChosen(Window->MenuPanel(s.Page)));
        EXPECT_EQ(Window->LastPageNo(), 5);
    }
}

TEST_F(NavigationTest, LeavingTheStatusViewReturnsToTheLastPageNotTheSection)
{
    ConnectDongle();
    Window->MenuItemClicked(Window->MenuPanel(2));
    Window->MenuItemClicked(Window->SectionPanel(1));  // SMS MESSAGING: General setup
    Window->MenuItemClicked(Window->UnitStatusButton);
    EXPECT_TRUE(Window->StatusView()->isVisible());
    EXPECT_EQ(Window->PageHeading->text(), "Unit status");
    Window->StatusView()->BackClicked();
    EXPECT_FALSE(Window->StatusView()->isVisible());
    EXPECT_EQ(VisiblePages(), std::vector<int>{2});
    EXPECT_EQ(Window->PageHeading->text(), "Security setup");
}

TEST_F(NavigationTest, StatusViewWithoutDongleSaysSoAndShowsAnyway)
{
    Dialogs.ExpectMessage(DongleNotConnectedText);
    Window->MenuItemClicked(Window->UnitStatusButton);
    EXPECT_TRUE(Window->StatusView()->isVisible());
    EXPECT_EQ(Dialogs.Messages.at(0).Type, TMsgDlgType::mtError);
    EXPECT_TRUE(VisiblePages().empty());
    EXPECT_EQ(Window->LastPageNo(), 1);
}

TEST_F(NavigationTest, BarButtonsAndFrameChooseNothing)
{
    Window->MenuItemClicked(Window->MenuPanel(13));
    for (QWidget* sender : std::initializer_list<QWidget*>{Window->ReadButton, Window->WriteButton, Window->SaveTemplateButton,
                                                          Window->LoadTemplateButton, Window->StatusLine, Window->Header, Window->PageMenu})
        Window->MenuItemClicked(sender);
    EXPECT_EQ(VisiblePages(), std::vector<int>{13});
    EXPECT_TRUE(Window->PageHeadingPicture->isVisible());
}

TEST_F(NavigationTest, HoverChangesOnlyItemsThatAreNotChosen)
{
    TPanel* chosen = Window->MenuPanel(1);
    TPanel* other = Window->MenuPanel(4);
    emit chosen->MouseEnter(chosen);
    EXPECT_TRUE(IsChosen(chosen));
    emit chosen->MouseLeave(chosen);
    EXPECT_TRUE(IsChosen(chosen));

    emit other->MouseEnter(other);
    EXPECT_EQ(other->Color(), HoverColour);
    EXPECT_EQ(other->FontColor(), HoverTextColour);
    emit other->MouseLeave(other);
    EXPECT_TRUE(IsIdle(other));

    // An item highlighted through its section keeps its colours too.
    Window->MenuItemClicked(Window->SectionPanel(1));
    TPanel* general = Window->MenuPanel(3);
    emit general->MouseEnter(general);
    emit general->MouseLeave(general);
    EXPECT_TRUE(IsChosen(general));
}

TEST_F(NavigationTest, ProgressLineShowsTransferState)
{
    Window->ShowProgress(256);
    EXPECT_EQ(Window->ProgressLine->width(), 132);
    EXPECT_EQ(Window->ProgressLine->Color(), ProgressBusyColour);
    const auto processed = Pump.ProcessCount;
    Window->ShowProgress(0);
    EXPECT_EQ(Window->ProgressLine->width(), 0);
    EXPECT_EQ(Window->ProgressLine->Color(), ProgressIdleColour);
    EXPECT_GT(Pump.ProcessCount, processed);
}

TEST_F(NavigationTest, ConnectAndDisconnectSwitchIconsAndStatusControls)
{
    ConnectDongle();
    EXPECT_EQ(Window->ConnectionIndicator->ImageIndex, ConnectedIcon);
    EXPECT_EQ(Window->StatusView()->ConnectionIndicator->ImageIndex, ConnectedIcon);
    EXPECT_FALSE(Window->StatusView()->lblConnected->isHidden());
    Link->OnDeviceDisconnect(DongleInfo());
    EXPECT_EQ(Window->ConnectionIndicator->ImageIndex, DisconnectedIcon);
    EXPECT_EQ(Window->StatusView()->ConnectionIndicator->ImageIndex, DisconnectedIcon);
    EXPECT_TRUE(Window->StatusView()->lblConnected->isHidden());
}

TEST_F(NavigationTest, CloseDuringAReadWaitsForTheReadToStop)
{
    ConnectDongle();
    size_t clicks = 0;
    Pump.OnProcess = [&] {
        if (Link->CountOf(TKVXCommand::ReadPage) == 100 && clicks++ == 0) Window->CloseClicked();
    };
    Window->ReadClicked();
    EXPECT_TRUE(Window->CloseWhenIdle());
    EXPECT_LT(Link->CountOf(TKVXCommand::ReadPage), 110u);
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_TRUE(Window->isVisible());
    Pump.OnProcess = nullptr;

    Window->FinishDeferredClose();
    EXPECT_FALSE(Window->isVisible());
    EXPECT_EQ(Window->KVX, nullptr);
}

TEST_F(NavigationTest, CloseWhenIdleIsImmediate)
{
    Window->CloseClicked();
    EXPECT_FALSE(Window->CloseWhenIdle());
    EXPECT_FALSE(Window->isVisible());
    EXPECT_EQ(Window->KVX, nullptr);
}

class PageWalkTest : public WindowTest {};

TEST_F(PageWalkTest, WalksRegisteredPagesInMenuOrderWhateverTheirCreationOrder)
{
    CreateWindow({9, 2, 13, 1});
    EXPECT_TRUE(Window->PagesToConfig(false));
    for (int no : {1, 2, 9, 13}) EXPECT_EQ(BytePage(no)->StoreCount, 1);
    // Items whose pages do not exist yet still choose, with an empty page area.
    Window->MenuItemClicked(Window->MenuPanel(5));
    EXPECT_EQ(Window->LastPageNo(), 5);
    EXPECT_EQ(Window->VisiblePage(), nullptr);
}

TEST_F(PageWalkTest, ARefusingPageStopsTheWalkAndLaterPagesStayErased)
{
    CreateWindow();
    for (TBytePage* page : Pages) page->Value = static_cast<uint8_t>(page->No);
    BytePage(4)->RefuseChecks = true;
    Dialogs.ExpectMessage("Page 4 refuses.");
    EXPECT_FALSE(Window->PagesToConfig(true));
    const uint8_t* image = Window->Document().Image().Bytes();
    for (int no = 1; no <= 3; ++no) EXPECT_EQ(image[TBytePage::OffsetOf(no)], no);
    for (int no = 4; no <= 13; ++no) EXPECT_EQ(image[TBytePage::OffsetOf(no)], 0xFF) << no;
    EXPECT_EQ(Window->LastPageNo(), 4);  // the page brought itself forward
    EXPECT_EQ(BytePage(5)->StoreCount, 0);
}

} // namespace
} // namespace kvx::ui::test

// The window by keyboard: the shortcuts of the commands and pages, the page menu's arrow keys,
// Tab stops on the menu and the command bar, Escape out of the status view.
#include <QAction>
#include <QKeySequence>
#include <algorithm>

#include "ui/main/kvx_panel.h"
#include "ui/main/main_window.h"
#include "ui/main/menu_table.h"
#include "ui/main/status_view.h"

namespace kvx::ui {

namespace {

QString WithKeys(const QString& What, const QKeySequence& Keys)
{
    return QString("%1 (%2)").arg(What, Keys.toString(QKeySequence::NativeText));
}

} // namespace

void TMainWindow::BuildShortcuts()
{
    const QKeySequence nextPage(Qt::CTRL | Qt::Key_PageDown);
    const QKeySequence previousPage(Qt::CTRL | Qt::Key_PageUp);
    const struct {
        QKeySequence Keys;
        std::function<void()> Run;
        TPanel* Panel;  // the control the shortcut stands for, whose tip names it
    } shortcuts[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_R), [this] { ReadClicked(); }, ReadButton},
        {QKeySequence(Qt::Key_F9), [this] { WriteClicked(); }, WriteButton},
        {QKeySequence(Qt::CTRL | Qt::Key_S), [this] { SaveTemplateClicked(); }, SaveTemplateButton},
        {QKeySequence(Qt::CTRL | Qt::Key_O), [this] { LoadTemplateClicked(); }, LoadTemplateButton},
        {nextPage, [this] { ShowNextPage(1); }, nullptr},
        {previousPage, [this] { ShowNextPage(-1); }, nullptr},
        {QKeySequence(Qt::Key_F2), [this] { MenuItemClicked(UnitStatusButton); }, UnitStatusButton},
        {QKeySequence(Qt::Key_Escape), [this] { if (FStatusView->isVisible()) FStatusView->BackClicked(); }, nullptr},
    };
    for (const auto& shortcut : shortcuts) {
        auto* action = new QAction(this);
        action->setShortcut(shortcut.Keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, shortcut.Run);
        addAction(action);
        if (shortcut.Panel) shortcut.Panel->setToolTip(WithKeys(shortcut.Panel->Caption(), shortcut.Keys));
    }
    const QString pagesTip = QString("Next page: %1, previous page: %2; in the menu, the arrow keys")
                                 .arg(nextPage.toString(QKeySequence::NativeText), previousPage.toString(QKeySequence::NativeText));
    for (TPanel* item : FMenuPanels) item->setToolTip(pagesTip);

    // Tab goes along the command bar as it stands, left to right.
    for (TPanel* panel : {SaveTemplateButton, LoadTemplateButton, MoreCommandsButton, ReadButton, WriteButton}) panel->setFocusPolicy(Qt::TabFocus);
    setTabOrder(LoadTemplateButton, MoreCommandsButton);
    setTabOrder(MoreCommandsButton, ReadButton);
    FStatusView->BackButton->setFocusPolicy(Qt::TabFocus);
}

void TMainWindow::UpdateMenuFocus()
{
    const bool menuFocused = std::any_of(FMenuPanels.begin(), FMenuPanels.end(), [](const TPanel* item) { return item->hasFocus(); });
    for (TPanel* item : FMenuPanels) item->setFocusPolicy(item == FChosenPanel ? Qt::TabFocus : Qt::NoFocus);
    // The focus goes with the choice, as in a list.
    if (menuFocused && FChosenPanel && FChosenPanel->Tag < SetupPageCount) FChosenPanel->setFocus(Qt::OtherFocusReason);
    // The status view covers the window: its own way back is the only stop then.
    const bool statusShown = FChosenPanel == UnitStatusButton;
    for (TPanel* panel : {SaveTemplateButton, LoadTemplateButton, MoreCommandsButton, ReadButton, WriteButton})
        if (panel) panel->setFocusPolicy(statusShown ? Qt::NoFocus : Qt::TabFocus);
}

void TMainWindow::ShowNextPage(int Step)
{
    const int shown = FChosenPanel && FChosenPanel->Tag >= 0 && FChosenPanel->Tag < SetupPageCount ? FChosenPanel->Tag + 1 : FLastPageNo;
    const int next = (shown - 1 + Step + SetupPageCount) % SetupPageCount + 1;
    MenuItemClicked(MenuPanel(next));
    // The page that had the focus is hidden now: Tab goes on from the chosen item.
    MenuPanel(next)->setFocus(Qt::OtherFocusReason);
}

bool TMainWindow::MenuKeyPressed(TPanel* Item, int Key)
{
    if (Item != FChosenPanel) return false;
    switch (Key) {
    case Qt::Key_Down: ShowNextPage(1); return true;
    case Qt::Key_Up: ShowNextPage(-1); return true;
    case Qt::Key_Home: ShowNextPage(1 - (Item->Tag + 1)); return true;
    case Qt::Key_End: ShowNextPage(SetupPageCount - (Item->Tag + 1)); return true;
    default: return false;
    }
}

} // namespace kvx::ui

#pragma once
// The page menu: thirteen page items (numbered as LastPageNo counts them, in the order the
// pages are walked), the four section headings, and the top-to-bottom order of the menu.
#include <array>
#include <span>

#include "config/page_names.h"

namespace kvx::ui {

struct TMenuItemInfo {
    int No;               // LastPageNo value; the panel's tag is No - 1
    const char* Panel;    // objectName of the menu panel
    const char* Caption;  // the page's name; the menu shows it indented (MenuItemIndent)
    const char* Heading;  // empty: the picture heading
    const char* Page;     // objectName of the page instance
};

struct TSectionInfo {
    const char* Panel;
    const char* Caption;
    int FirstPageNo;
};

// Either a section heading or a page item, for laying the menu out from top to bottom.
struct TMenuEntry {
    bool Section;
    int Index;  // into SectionTable, or the page number
};

// What stands before a page item's caption in the menu, below its section heading.
inline constexpr const char* MenuItemIndent = "     ";

std::span<const TMenuItemInfo, SetupPageCount> MenuItems();
const TMenuItemInfo& MenuItem(int No);
std::span<const TSectionInfo> Sections();
std::span<const TMenuEntry> MenuOrder();

// The caption-bar item that shows the unit status view.
inline constexpr const char* UnitStatusPanel = "pnlUnitStatus";
inline constexpr const char* UnitStatusCaption = "View unit status";
inline constexpr const char* UnitStatusHeading = "Unit status";
inline constexpr int UnitStatusTag = 13;

} // namespace kvx::ui

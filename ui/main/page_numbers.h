#pragma once
// The thirteen setup pages by their menu number: the number LastForm takes when the page is
// chosen, the order of both page walks, and how a page finds a sibling through its host.
namespace kvx::ui {

enum TPageNo : int {
    SIMSetupPageNo = 1,
    SecuritySetupPageNo,
    GeneralSetupPageNo,
    MessageRecipientsPageNo,
    InputMessagesPageNo,
    DistributionPageNo,
    ContactIDPageNo,
    RelaysPageNo,
    ShortcutsPageNo,
    MissedCallPageNo,
    TimersPageNo,
    M2MPageNo,
    ITTTPageNo,  // the one page with a picture heading
};

inline constexpr int MenuPageCount = ITTTPageNo;

} // namespace kvx::ui

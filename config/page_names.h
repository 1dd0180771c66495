#pragma once
// The thirteen setup pages as the menu names them, numbered as the menu counts them (1..13:
// the window's LastPageNo while the page is chosen, the order of both page walks, and how a
// page finds a sibling through its host), with the heading each page shows.
#include <array>

namespace kvx {

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

inline constexpr int SetupPageCount = ITTTPageNo;

struct TSetupPageName {
    const char* Caption;  // the menu item's text: "General setup"
    const char* Heading;  // above the page: "General SMS messaging setup"; empty: a picture
};

inline constexpr std::array<TSetupPageName, SetupPageCount> SetupPageNames{{
    {"SIM setup", "SIM setup"},
    {"Security setup", "Security setup"},
    {"General setup", "General SMS messaging setup"},
    {"Message recipients", "Message recipients"},
    {"SMS input messages", "SMS input messages"},
    {"Message distribution", "Message distribution"},
    {"Contact ID", "Contact ID - alarm panel messaging"},
    {"Pulse time setup", "Relay switching pulse time setup"},
    {"SMS command shortcuts", "SMS command shortcuts"},
    {"Missed call switching", "Relay switching by missed call"},
    {"Switching by timer", "Relay switching by independant timer"},
    {"KVX to base stations", "KVX to base stations"},
    {"If-this-then-that", ""},
}};

// Page No (1..13) as its menu item names it.
constexpr const char* SetupPageCaption(int No) { return SetupPageNames[static_cast<size_t>(No - 1)].Caption; }
constexpr const char* SetupPageHeading(int No) { return SetupPageNames[static_cast<size_t>(No - 1)].Heading; }

} // namespace kvx

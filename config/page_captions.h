#pragma once
// The captions the setup pages show beside their fields, written once for the pages and for
// the description of a configuration in the pages' own words.

namespace kvx {

// SIM setup
inline constexpr const char* PrimarySIMCaption = "Primary SIM";
inline constexpr const char* SecondarySIMCaption = "Secondary SIM";
inline constexpr const char* MessageCentreNumberCaption = "Message centre number";

// Security setup
inline constexpr const char* CommandPINCaption = "Command PIN";
inline constexpr const char* SMSSenderVerifyCaption = "SMS sender verify";
inline constexpr const char* AccessPasswordCaption = "Programming access password";

// General setup
inline constexpr const char* UnitReportingNameCaption = "Unit reporting name";
inline constexpr const char* SelfTestCaption = "Unit self test messages";
inline constexpr const char* MessageTimeCaption = "Message time";
inline constexpr const char* ACFailDelayCaption = "AC fail delay (min)";
inline constexpr const char* ACRestoreDelayCaption = "AC restore delay (min)";
inline constexpr const char* TamperCaption = "Tamper - vibration sensitivity";
inline constexpr const char* SerialOptionsCaption = "Serial connection options";
inline constexpr const char* SerialDisabledCaption = "Disabled";
inline constexpr const char* SerialIOExpanderCaption = "I/O expander";
inline constexpr const char* SerialDSCCaption = "DSC functions";

// SMS input messages
inline constexpr const char* DelayCaption = "Delay";
inline constexpr const char* SecondsCaption = "(sec)";
inline constexpr const char* AnalogueInputCaption = "I/O - Analogue input";
inline constexpr const char* BreachTypeCaption = "Select breach type";
inline constexpr const char* VoltageBreachCaption = "0 - 10 (V)";
inline constexpr const char* CurrentBreachCaption = "4 - 20 (mA)";
inline constexpr const char* HighBreachMessageCaption = "Message - high breach";
inline constexpr const char* LowBreachMessageCaption = "Message - low breach";
inline constexpr const char* ResponseTimeCaption = "Response time";

// Contact ID
inline constexpr const char* DialToneCaption = "Dial tone";
inline constexpr const char* CIDPartitionCaption = "Partition";
inline constexpr const char* CIDZoneCaption = "Zone";
inline constexpr const char* CIDUserCaption = "User";

// Pulse time setup
inline constexpr const char* PulseTimeCaption = "Pulse time (sec)";

// SMS command shortcuts
inline constexpr const char* ShortcutCommandCaption = "Shortcut command";
inline constexpr const char* CommandInstructionCaption = "SMS command instruction";

// Missed call switching and Switching by timer
inline constexpr const char* MissedCallNumberCaption = "Missed call number";
inline constexpr const char* TimerLabelCaption = "Timer label";
inline constexpr const char* RelayCaption = "Relay";
inline constexpr const char* RelayActionCaption = "Relay action";        // missed calls
inline constexpr const char* RelayOperationCaption = "Relay operation";  // timers
inline constexpr const char* OperationalCountCaption = "Operational count";
inline constexpr const char* TimeWindowCaption = "Operational time window";
inline constexpr const char* OperationTimeCaption = "Operation time";
inline constexpr const char* DaysOfWeekCaption = "Days of week";
inline constexpr const char* ConfirmationSMSCaption = "Send confirmation SMS";

// KVX to base stations
inline constexpr const char* BaseStationNumbersCaption = "Base station mobile numbers";
inline constexpr const char* M2MIDCaption = "M2M ID";
inline constexpr const char* EventNumberCaption = "Event no.";

// If-this-then-that
inline constexpr const char* RemoteCommandCaption = "Remote command";
inline constexpr const char* ReceivingNumberCaption = "Receiving number";
inline constexpr const char* CommandCaption = "Command";

} // namespace kvx

#pragma once
// The relay and relay-action lists of the switching pages. Each entry carries the byte it
// stands for. A stored byte the lists do not offer (an I/O board relay while the board is
// off, a relay or action the unit does not know) is shown as an extra entry that cannot be
// chosen again, so showing a location and storing it back never changes that byte.
#include <cstdint>
#include <optional>

class QComboBox;

namespace kvx::ui {

// "Relay1", "Relay2", and "Relay3" to "Relay8" with the I/O board; nothing chosen yet.
void FillRelayList(QComboBox* List, bool IOExpander);
// The relay list again after the I/O board was chosen or dropped, choosing Relay (the shown
// location's byte) if there is one.
void RefillRelayList(QComboBox* List, bool IOExpander, std::optional<uint8_t> Relay);
// "On", "Off", "Pulse", "Toggle" (actions 1..4).
void FillActionList(QComboBox* List);
// Chooses the entry of Relay (0-based), adding it as "Relay5 (I/O board)" or
// "Relay12 (unknown)" when the list does not offer it.
void ShowRelay(QComboBox* List, uint8_t Relay);
// Chooses the entry of Action (1..4), adding it when not offered: named as the location lines
// name it when bit 7 alone is extra (0x81 as "On"), else as "Action 0 (unknown)".
void ShowAction(QComboBox* List, uint8_t Action);
// The byte of the chosen entry; Current while nothing is chosen.
uint8_t ChosenByte(const QComboBox& List, uint8_t Current);

} // namespace kvx::ui

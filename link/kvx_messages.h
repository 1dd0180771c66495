#pragma once
// Messages about the unit that the program and kvxctl show alike. Lines break with "\r".
#include <cstdint>
#include <string>

namespace kvx {

inline constexpr const char16_t* DongleNotConnectedMessage = u"KVX USB dongle not connected.";
inline constexpr const char16_t* FirstReadMessage = u"First read the configuration or load a template.";
inline constexpr const char16_t* IncorrectPasswordMessage = u"Incorrect password.";
inline constexpr const char16_t* PasswordMismatchMessage =
    u"The new passwords don't match.\rPlease check that the new and confirm\rpasswords are eactly the same.";
inline constexpr const char16_t* PasswordWriteFailedMessage = u"Could not write the password.";

// "Could not read the configuration (N)." and the two things to check; a third, the line rate,
// when the unit did not answer the request to enter configuration mode over a serial line.
std::u16string ReadFailureMessage(uint8_t Code);
// "Could not write the configuration (N)." and the things to check, as for a read.
std::u16string WriteFailureMessage(uint8_t Code);

// The serial line's rate while the dongle is reached through its serial port, 0 otherwise. Set
// by the serial backend for as long as it serves the link: a unit that stays silent may be
// listening at another rate.
void NoteSerialLineRate(uint32_t BaudRate);

} // namespace kvx

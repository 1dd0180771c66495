#pragma once
// Messages about the unit that the program and kvxctl show alike. Lines break with "\r".
#include <cstdint>
#include <string>

#include "link/kvx_result.h"

namespace kvx {

inline constexpr const char16_t* DongleNotConnectedMessage = u"KVX USB dongle not connected.";
inline constexpr const char16_t* FirstReadMessage = u"First read the configuration or load a template.";
inline constexpr const char16_t* IncorrectPasswordMessage = u"Incorrect password.";
inline constexpr const char16_t* PasswordMismatchMessage =
    u"The new passwords don't match.\rPlease check that the new and confirm\rpasswords are eactly the same.";
inline constexpr const char16_t* PasswordWriteFailedMessage = u"Could not write the password.";

// "Could not read the configuration (N)." and the two things to check; a third, the line rate,
// when over a serial line the unit did not answer the request to enter configuration mode.
std::u16string ReadFailureMessage(TKVXResult Code);
// "Could not write the configuration (N)." and the things to check, as for a read.
std::u16string WriteFailureMessage(TKVXResult Code);

// A unit silent over a serial line may be listening at another rate. What the failure messages
// know of it: the line's rate, set by the serial backend while it serves the link (0 otherwise),
// and whether the unit answered the request to enter configuration mode in the device object's
// last configuration session. The one message names the cause whatever code the session ended with.
void NoteSerialLineRate(uint32_t BaudRate);
void NoteUnitAnsweredEnter(bool Answered);

} // namespace kvx

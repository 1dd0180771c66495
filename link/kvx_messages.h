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

// "Could not read the configuration (N)." and the two things to check.
std::u16string ReadFailureMessage(uint8_t Code);
// "Could not write the configuration (N)." and the two things to check.
std::u16string WriteFailureMessage(uint8_t Code);

} // namespace kvx

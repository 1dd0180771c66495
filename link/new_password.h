#pragma once
// A new access password for the unit: only text the unit stores and gives back unchanged is
// taken, and it counts as set only once the unit gives it back. A password the unit would
// store as something else locks the installer out.
#include <cstdint>
#include <optional>
#include <string>

#include "link/kvx.h"

namespace kvx {

inline constexpr const char16_t* PasswordNotASCIIMessage =
    u"A password can hold only the letters A to Z and a to z, digits, spaces and the signs of an English "
    u"keyboard: the KVX stores no other characters.";
inline constexpr const char16_t* PasswordTooLongMessage = u"A password has at most 32 characters.";
inline constexpr const char16_t* PasswordBlankEdgeMessage =
    u"A password cannot begin or end with a space: the KVX would drop it.";
inline constexpr const char16_t* PasswordNotKeptMessage =
    u"The KVX did not give the new password back as it was written, so it is not set.\r\r"
    u"Set the password again before the dongle is unplugged.";

// Why the unit cannot store Password as typed; nothing for an acceptable one (the empty
// password, which clears it, included).
std::optional<std::u16string> NewPasswordProblem(const std::u16string& Password);

enum class TPasswordStore : uint8_t {
    Stored,          // written and given back unchanged
    WriteFailed,     // Code says why; the unit keeps its password
    ReadBackFailed,  // written, but the check could not read it (Code)
    NotKept,         // the unit gives back something else
};

struct TPasswordStoreResult {
    TPasswordStore Outcome = TPasswordStore::Stored;
    TKVXResult Code = TKVXResult::OK;  // what TKVX::WritePassword or ReadPassword returned
};

// Writes Password into the unit's password page, reads it back and compares.
TPasswordStoreResult StoreNewPassword(TKVX& KVX, const std::u16string& Password);

} // namespace kvx

#pragma once
// The messages of a safe write that the program and kvxctl show alike. Lines break with "\r".
#include <cstdint>
#include <string>

#include "config/config_compare.h"

namespace kvx {

// Nothing was sent: the backup could not be saved in Folder, for Reason.
std::u16string BackupFailedMessage(const std::u16string& Folder, const std::u16string& Reason);
// The write went through, but reading the unit back failed with Code.
std::u16string ReadBackFailedMessage(uint8_t Code);
// The unit holds something else than was sent: names the first of Count differing fields.
std::u16string VerifyFailedMessage(const TFieldDifference& First, size_t Count);
// "Configuration written and verified." or "Configuration written (not verified)."
std::u16string WrittenMessage(bool Verified);

} // namespace kvx

#pragma once
// The messages of a safe write that the program and kvxctl show alike. Lines break with "\r".
#include <cstdint>
#include <string>

#include "config/config_compare.h"
#include "link/kvx_result.h"

namespace kvx {

// Nothing was sent: the backup could not be saved in Folder, for Reason.
std::u16string BackupFailedMessage(const std::u16string& Folder, const std::u16string& Reason);
// The write went through, but reading the unit back failed with Code.
std::u16string ReadBackFailedMessage(TKVXResult Code);
// The unit holds something else than was sent: names the first of Count differing fields.
std::u16string VerifyFailedMessage(const TFieldDifference& First, size_t Count);
// "Configuration written and verified." or "Configuration written (not verified)."
std::u16string WrittenMessage(bool Verified);
// A changed-pages write that found nothing to change.
inline constexpr const char16_t* AlreadyHeldMessage = u"The KVX already holds this configuration: nothing was sent.";
// The read that a backup needs failed (or was stopped, Code 255): nothing was sent.
std::u16string NothingWrittenMessage(TKVXResult Code);
// Where what the unit held before the write is saved.
std::u16string BackupSavedMessage(const std::u16string& BackupFile);
// A write stopped (Code 255) or failed part way: the unit holds part old, part new; names the backup.
std::u16string PartlyWrittenMessage(TKVXResult Code, size_t PagesSent, size_t PagesToSend, const std::u16string& BackupFile);

} // namespace kvx

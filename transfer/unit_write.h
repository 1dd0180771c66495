#pragma once
// A write with its safety steps, for the program and kvxctl alike: the image is copied
// before anything else, what the unit holds is saved as a backup (read first unless the
// unit's memory is known, by the identity rule, to be what it holds), the pages are
// written, then read back and compared with everything that was sent.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "config/config_compare.h"
#include "image/kvx_config.h"
#include "link/kvx.h"

namespace kvx {

// The step a write stopped at; Done when every step succeeded.
enum class TWriteStep : uint8_t { ReadBefore, Backup, Write, ReadBack, Verify, Done };

// All 512 pages, or only those whose bytes differ from what the unit holds (all of them
// when more than half of the image's 249 pages differ).
enum class TWriteScope : uint8_t { AllPages, ChangedPages };

struct TUnitWriteSetup {
    std::filesystem::path BackupFolder;
    TLocalClock Clock = SystemLocalDateTime;  // names the backup
    bool Verify = true;
    TWriteScope Scope = TWriteScope::AllPages;
};

struct TUnitWriteResult {
    TWriteStep Step = TWriteStep::Done;
    TKVXResult Code = TKVXResult::OK;           // ReadBefore, Write, ReadBack: the transfer's code
    std::string BackupReason;                   // Backup: why it could not be saved
    std::filesystem::path BackupFile;           // the backup saved before writing
    std::vector<TFieldDifference> Differences;  // Verify: what was sent against what the unit holds
    bool Verified = false;
    size_t PagesToSend = 0;                     // 512 for a full write; 0 when the unit held it all
    size_t PagesSent = 0;                       // acknowledged by the unit

    // The unit has taken every page (verified or not).
    bool Written() const { return Step == TWriteStep::ReadBack || Step == TWriteStep::Verify || Step == TWriteStep::Done; }
    // The unit took some pages and not others (or may have stored the page it did not
    // acknowledge): it holds part of the old configuration and part of the new.
    bool PartlyWritten() const
    {
        return Step == TWriteStep::Write && (PagesSent > 0 || Code == TKVXResult::PageWriteFailed);
    }
};

// Image goes out with the password and marks of every write (TKVX::MemoryToWrite).
TUnitWriteResult BackUpWriteAndVerify(TKVX& KVX, const TKVXConfig& Image, const TUnitWriteSetup& Setup);

} // namespace kvx

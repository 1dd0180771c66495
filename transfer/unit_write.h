#pragma once
// A full write with its safety steps, for the program and kvxctl alike: the image is copied
// before anything else, what the unit holds is saved as a backup (read first when it is not
// known), the copy is written, then the unit is read back and compared with what was sent.
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

struct TUnitWriteSetup {
    std::filesystem::path BackupFolder;
    TLocalClock Clock = SystemLocalDateTime;  // names the backup
    bool Verify = true;
};

struct TUnitWriteResult {
    TWriteStep Step = TWriteStep::Done;
    uint8_t Code = ResultOK;                    // ReadBefore, Write, ReadBack: the transfer's code
    std::string BackupReason;                   // Backup: why it could not be saved
    std::filesystem::path BackupFile;           // the backup saved before writing
    std::vector<TFieldDifference> Differences;  // Verify: what was sent against what the unit holds
    bool Verified = false;

    // The unit has taken every page (verified or not).
    bool Written() const { return Step == TWriteStep::ReadBack || Step == TWriteStep::Verify || Step == TWriteStep::Done; }
};

TUnitWriteResult BackUpWriteAndVerify(TKVX& KVX, const TKVXConfig& Image, const TUnitWriteSetup& Setup);

} // namespace kvx

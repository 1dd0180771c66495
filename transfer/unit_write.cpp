#include "transfer/unit_write.h"

#include <cstring>

#include "transfer/backup_store.h"

namespace kvx {

namespace {

TKVXConfig ImageOfUnitMemory(const TKVX& KVX)
{
    TKVXConfig image;
    std::memcpy(image.Bytes(), KVX.EEPROMBuffer(), TKVXConfig::Size);
    return image;
}

TUnitWriteResult StoppedAt(TWriteStep Step, uint8_t Code, TUnitWriteResult Result = {})
{
    Result.Step = Step;
    Result.Code = Code;
    return Result;
}

} // namespace

TUnitWriteResult BackUpWriteAndVerify(TKVX& KVX, const TKVXConfig& Image, const TUnitWriteSetup& Setup)
{
    // The caller's image may change while the transfers below let the window run.
    TKVXConfig sent = Image;
    TUnitWriteResult result;

    if (!KVX.UnitMemoryKnown()) {
        TKVXConfig held = ErasedConfig();
        if (const uint8_t code = KVX.ReadConfig(&held); code != ResultOK) return StoppedAt(TWriteStep::ReadBefore, code);
    }
    const auto backup = SaveBackup(Setup.BackupFolder, ImageOfUnitMemory(KVX), Setup.Clock(), result.BackupReason);
    if (!backup) return StoppedAt(TWriteStep::Backup, ResultOK, std::move(result));
    result.BackupFile = *backup;

    if (const uint8_t code = KVX.WriteConfig(&sent); code != ResultOK)
        return StoppedAt(TWriteStep::Write, code, std::move(result));
    if (!Setup.Verify) return result;

    // What was sent includes what the device object put in: the password and the marks.
    const TKVXConfig expected = ImageOfUnitMemory(KVX);
    TKVXConfig held = ErasedConfig();
    if (const uint8_t code = KVX.ReadConfig(&held); code != ResultOK)
        return StoppedAt(TWriteStep::ReadBack, code, std::move(result));
    result.Differences = CompareConfigs(expected, held);
    if (!result.Differences.empty()) return StoppedAt(TWriteStep::Verify, ResultOK, std::move(result));
    result.Verified = true;
    return result;
}

} // namespace kvx

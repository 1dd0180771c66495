#include "transfer/unit_write.h"

#include <cstring>

#include "transfer/backup_store.h"
#include "transfer/memory_compare.h"

namespace kvx {

namespace {

TKVXConfig ImageOfUnitMemory(const TKVX& KVX)
{
    TKVXConfig image;
    std::memcpy(image.Bytes(), KVX.EEPROMBuffer(), TKVXConfig::Size);
    return image;
}

TUnitWriteResult StoppedAt(TWriteStep Step, TKVXResult Code, TUnitWriteResult Result = {})
{
    Result.Step = Step;
    Result.Code = Code;
    return Result;
}

// The pages the configuration image takes up: a write that changes more than half of them is
// a new configuration, sent whole.
constexpr size_t ImagePages = (TKVXConfig::Size + PageSize - 1) / PageSize;

std::vector<uint16_t> PagesToWrite(const TKVX& KVX, const std::vector<uint8_t>& Memory, TWriteScope Scope)
{
    if (Scope == TWriteScope::ChangedPages) {
        std::vector<uint16_t> changed = ChangedPages(KVX.EEPROMBuffer(), Memory.data());
        if (changed.size() <= ImagePages / 2) return changed;
    }
    return EveryPage();
}

} // namespace

TUnitWriteResult BackUpWriteAndVerify(TKVX& KVX, const TKVXConfig& Image, const TUnitWriteSetup& Setup)
{
    // The caller's image may change while the transfers below let the window run.
    const TKVXConfig sent = Image;
    TUnitWriteResult result;

    // The backup must be of the unit behind the dongle now, and the pages that differ are
    // counted against it: unless its memory is known, read it.
    if (!KVX.UnitMemoryKnown()) {
        TKVXConfig held = ErasedConfig();
        if (const TKVXResult code = KVX.ReadConfig(&held); code != TKVXResult::OK) return StoppedAt(TWriteStep::ReadBefore, code);
    }
    const auto backup =
        SaveBackup(Setup.BackupFolder, ImageOfUnitMemory(KVX), KVX.UnitIMEI(), Setup.Clock(), result.BackupReason);
    if (!backup) return StoppedAt(TWriteStep::Backup, TKVXResult::OK, std::move(result));
    result.BackupFile = *backup;

    // Everything that goes out, the password, the marks and the memory above the image included.
    const std::vector<uint8_t> memory = KVX.MemoryToWrite(sent);
    const std::vector<uint16_t> pages = PagesToWrite(KVX, memory, Setup.Scope);
    result.PagesToSend = pages.size();
    if (pages.empty()) {
        result.Verified = Setup.Verify;
        return result;
    }
    const TKVXResult code = KVX.WritePages(memory, pages);
    result.PagesSent = KVX.PagesWritten();
    if (code != TKVXResult::OK) return StoppedAt(TWriteStep::Write, code, std::move(result));
    if (!Setup.Verify) return result;

    if (const TKVXResult read = KVX.ReadPages(pages); read != TKVXResult::OK)
        return StoppedAt(TWriteStep::ReadBack, read, std::move(result));
    result.Differences = CompareUnitMemory(memory.data(), KVX.EEPROMBuffer());
    if (!result.Differences.empty()) return StoppedAt(TWriteStep::Verify, TKVXResult::OK, std::move(result));
    result.Verified = true;
    return result;
}

} // namespace kvx

#include "link/unit_identity.h"

namespace kvx {

void TUnitIdentity::Connected(uint64_t NowMs)
{
    FKnown = false;
    FLastHeardMs = NowMs;
    FIMEI.clear();
}

void TUnitIdentity::CheckSilence(uint64_t NowMs)
{
    if (!Silent(NowMs)) return;
    FKnown = false;
    FIMEI.clear();
}

void TUnitIdentity::StatusFrame(uint64_t NowMs, const std::u16string& IMEI)
{
    CheckSilence(NowMs);
    Answered(NowMs);
    if (IMEI.empty()) return;
    // Another unit, or the first IMEI since the memory was read: nothing proves it the same.
    if (IMEI != FIMEI) FKnown = false;
    FIMEI = IMEI;
}

bool TUnitIdentity::MemoryTrusted(uint64_t NowMs) const
{
    return FKnown && !Silent(NowMs);
}

} // namespace kvx

#pragma once
// Whether the unit memory last read or written can still be taken for what the unit behind
// the dongle holds: only while nothing says another unit may be there. The dongle's cable
// can move from one unit to another without the dongle leaving the PC, so a reconnect, a
// status frame with another IMEI and a silence long enough for a cable move all end the
// trust; the next full read or write brings it back. Pure: callers pass the times.
#include <cstdint>
#include <string>

namespace kvx {

class TUnitIdentity {
public:
    // A unit sends status frames every second; longer without a word, the cable may have moved.
    static constexpr uint64_t SilenceMs = 2500;

    // The dongle (re)connected: nothing is known of the unit behind it.
    void Connected(uint64_t NowMs);
    // Before talking to the unit: a silence up to now ends the trust.
    void CheckSilence(uint64_t NowMs);
    // The unit answered a configuration session that ended now (it sends no status meanwhile).
    void Answered(uint64_t NowMs) { FLastHeardMs = NowMs; }
    // A valid status frame arrived; IMEI is the modem's when the frame carried it, else empty.
    void StatusFrame(uint64_t NowMs, const std::u16string& IMEI);
    // A full read or write has just completed: the memory is what the unit holds now.
    void MemoryKnown() { FKnown = true; }
    // A transfer stopped part way: the unit is the same, its memory no longer known.
    void MemoryUnknown() { FKnown = false; }

    bool MemoryTrusted(uint64_t NowMs) const;
    // The attached unit's IMEI once a status frame gave it; empty when the unit may have changed since.
    const std::u16string& IMEI() const { return FIMEI; }

private:
    bool Silent(uint64_t NowMs) const { return NowMs > FLastHeardMs && NowMs - FLastHeardMs > SilenceMs; }

    bool FKnown = false;
    uint64_t FLastHeardMs = 0;
    std::u16string FIMEI;
};

} // namespace kvx

// Status frames arrive unasked from the unit; any bytes must decode without a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <variant>

#include "link/status_frame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const auto updates = kvx::DecodeStatusFrames(Data, Size);
    if (updates.size() > Size / kvx::StatusFrameSize) std::abort();
    for (const kvx::TStatusUpdate& update : updates) {
        if (const auto* status = std::get_if<kvx::TUnitStatus>(&update)) {
            if (status->SignalImage < 0 || status->SignalImage > 15) std::abort();
            (void)kvx::FirmwareCaption(*status);
            (void)kvx::StateCaption(status->State);
            (void)kvx::SupplyText(status->SupplyDeciVolts, u'.');
            (void)kvx::AnalogueVoltageText(*status, u'.');
            (void)kvx::AnalogueCurrentText(*status, u',');
        } else if (const auto* name = std::get_if<kvx::TOperatorName>(&update)) {
            if (name->Text.size() > 16) std::abort();
        }
    }
    return 0;
}

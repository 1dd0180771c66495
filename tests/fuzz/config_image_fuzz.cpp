// A unit's memory may hold any bytes: the dump of any image must build back into it, byte for
// byte (the password aside, which no file holds), and its text lines be made without a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/config_build.h"
#include "config/config_dump.h"
#include "config/design_config.h"
#include "config/template_file.h"

namespace {

// The first byte picks the image under the rest (bit 0: the design values, else an erased unit)
// and how the rest lies on it (bit 1: one run of bytes from the offset in the next two; else
// offset, offset, value triples), so that short inputs reach every field and whole entries.
kvx::TKVXConfig ImageOf(const uint8_t* Data, size_t Size)
{
    kvx::TKVXConfig image = Data[0] & 1 ? kvx::DesignConfig() : kvx::ErasedConfig();
    uint8_t* bytes = image.Bytes();
    const auto offset = [Data](size_t At) { return static_cast<size_t>(Data[At] << 8 | Data[At + 1]) % kvx::TKVXConfig::Size; };
    if (Data[0] & 2) {
        if (Size < 3) return image;
        const size_t from = offset(1);
        std::memcpy(bytes + from, Data + 3, std::min(Size - 3, kvx::TKVXConfig::Size - from));
    } else {
        for (size_t i = 1; i + 3 <= Size; i += 3) bytes[offset(i)] = Data[i + 2];
    }
    kvx::ErasePassword(image);
    return image;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size == 0) return 0;
    const kvx::TKVXConfig image = ImageOf(Data, Size);
    std::string problem;
    const auto dumped = kvx::ParseConfigJson(kvx::DumpConfigJson(image).dump(), problem);
    if (!dumped) std::abort();
    kvx::TKVXConfig built = kvx::DesignConfig();
    if (!kvx::ApplyConfigJson(*dumped, built).empty()) std::abort();
    if (std::memcmp(built.Bytes(), image.Bytes(), kvx::TKVXConfig::Size) != 0) std::abort();
    if (kvx::DumpConfigEntries(image).empty()) std::abort();
    return 0;
}

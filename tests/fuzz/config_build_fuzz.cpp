// A configuration's JSON is anyone's text: any of it must either be refused or give an image
// that the dump shows and the build gives back byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "config/config_build.h"
#include "config/config_dump.h"
#include "config/design_config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    std::string problem;
    const auto json = kvx::ParseConfigJson(std::string_view(reinterpret_cast<const char*>(Data), Size), problem);
    if (!json) return 0;
    const kvx::TKVXConfig design = kvx::DesignConfig();
    kvx::TKVXConfig built = design;
    const std::vector<std::string> problems = kvx::ApplyConfigJson(*json, built);
    if (!problems.empty()) {
        if (std::memcmp(built.Bytes(), design.Bytes(), kvx::TKVXConfig::Size) != 0) std::abort();  // nothing stored
        return 0;
    }
    const auto dumped = kvx::ParseConfigJson(kvx::DumpConfigJson(built).dump(), problem);
    if (!dumped) std::abort();
    kvx::TKVXConfig again = design;
    if (!kvx::ApplyConfigJson(*dumped, again).empty()) std::abort();
    if (std::memcmp(built.Bytes(), again.Bytes(), kvx::TKVXConfig::Size) != 0) std::abort();
    return 0;
}

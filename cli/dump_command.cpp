#include <iostream>

#include "cli/commands.h"
#include "config/config_dump.h"

namespace kvx::cli {

int DumpTemplate(const std::filesystem::path& Input, bool Json)
{
    TKVXConfig image = ErasedConfig();
    if (!LoadTemplateOrSay(Input, image)) return ExitNoDevice;
    if (Json) {
        std::cout << DumpConfigJson(image).dump(2) << "\n";
        return ExitOK;
    }
    for (const TDumpEntry& entry : DumpConfigEntries(image)) std::cout << entry.Name << " = " << entry.Value << "\n";
    return ExitOK;
}

} // namespace kvx::cli

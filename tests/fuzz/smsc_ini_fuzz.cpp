// SMSC.ini lies beside the program where anyone may edit it: any bytes must parse, and every
// number the parse gives must be found again where the SIM page looks for it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/smsc_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const kvx::TSMSCIni ini = kvx::TSMSCIni::Parse(std::string(reinterpret_cast<const char*>(Data), Size));
    const auto& countries = ini.Countries();
    for (size_t c = 0; c < countries.size(); ++c)
        for (const kvx::TSMSCNetwork& network : countries[c].Networks) {
            if (network.Name.empty()) std::abort();
            if (network.Number.empty()) continue;
            const auto match = ini.FindNumber(network.Number);
            if (!match || match->CountryPosition < 1 || match->CountryPosition > c + 1) std::abort();
        }
    return 0;
}

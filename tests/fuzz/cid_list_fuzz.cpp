// CIDList.txt sits beside the program where anyone can edit it; any bytes must parse safely.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "config/cid_list.h"
#include "config/contact_id.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string_view text(reinterpret_cast<const char*>(Data), Size);
    const kvx::TCIDList list = kvx::ParseCIDList(text, kvx::CIDReportingCapacity);
    if (list.Events.size() > kvx::CIDReportingCapacity) std::abort();
    for (const kvx::TCIDEvent& event : list.Events)
        if (event.Code < 0 || event.Code > 999 || event.Description.size() > Size) std::abort();
    return 0;
}

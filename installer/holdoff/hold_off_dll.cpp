// HoldOff.dll: the Windows Installer entry point over the portable hold-off.
#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include "installer/holdoff/hold_off.h"

namespace {

constexpr UINT WarningBoxStyle = MB_ICONWARNING | MB_OK;  // 0x30

} // namespace

// Exported undecorated through HoldOff.def; Windows Installer finds it by that name.
extern "C" UINT __stdcall HoldOff(MSIHANDLE Install)
{
    using namespace kvx::holdoff;
    try {
        const THoldOffHost host{
            [Install](char* Buffer, uint32_t* Count) {
                DWORD size = *Count;
                const UINT answer = MsiGetPropertyA(Install, "CustomActionData", Buffer, &size);
                *Count = size;
                return static_cast<uint32_t>(answer);
            },
            [](const std::string& Text) { MessageBoxA(nullptr, Text.c_str(), "Warning!", WarningBoxStyle); },
            [](uint32_t Milliseconds) { Sleep(Milliseconds); },
        };
        return RunHoldOff(host);
    } catch (...) {
        // Nothing may unwind into the installer.
        return ErrorInstallFailure;
    }
}

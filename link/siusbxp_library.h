#pragma once
// The vendor USB library bound at run time, so the program starts (and says why) when it is
// missing, and the simulator can stand in for it through the same code path.
#include <memory>
#include <string>

#include "link/siusbxp_api.h"

namespace kvx {

// Every library call the link makes.
struct TSiUSBXpApi {
    SI_GetNumDevices_t GetNumDevices = nullptr;
    SI_GetProductString_t GetProductString = nullptr;
    SI_Open_t Open = nullptr;
    SI_Close_t Close = nullptr;
    SI_Read_t Read = nullptr;
    SI_Write_t Write = nullptr;
    SI_CancelIo_t CancelIo = nullptr;
    SI_FlushBuffers_t FlushBuffers = nullptr;
    SI_CheckRXQueue_t CheckRXQueue = nullptr;
    SI_SetFlowControl_t SetFlowControl = nullptr;
    SI_SetBaudRate_t SetBaudRate = nullptr;
    SI_SetLineControl_t SetLineControl = nullptr;
    SI_SetTimeouts_t SetTimeouts = nullptr;
    SI_GetTimeouts_t GetTimeouts = nullptr;
    SI_GetDLLVersion_t GetDLLVersion = nullptr;
    SI_GetDriverVersion_t GetDriverVersion = nullptr;
};

// Owns the loaded library; must outlive every link that uses Api().
class TSiUSBXpLibrary {
public:
    // nullptr and a one-line message naming the file (and any missing function) on failure.
    static std::unique_ptr<TSiUSBXpLibrary> Load(const std::string& Path, std::string& Error);

    ~TSiUSBXpLibrary();
    TSiUSBXpLibrary(const TSiUSBXpLibrary&) = delete;
    TSiUSBXpLibrary& operator=(const TSiUSBXpLibrary&) = delete;

    const TSiUSBXpApi& Api() const { return FApi; }
    const std::string& Path() const { return FPath; }

    // Any other function the library exports (the simulator's controls); nullptr when absent.
    using TLibraryFunction = void (*)();
    TLibraryFunction FindFunction(const char* Name) const;

private:
    TSiUSBXpLibrary(void* Handle, std::string Path, const TSiUSBXpApi& Api);

    void* FHandle;
    std::string FPath;
    TSiUSBXpApi FApi;
};

// "SiUSBXp.dll" on Windows, "libSiUSBXp.so" elsewhere.
std::string DefaultUSBLibraryName();

// The --usb-library option when given, else the KVX_USB_LIBRARY environment variable, else the default.
std::string ResolveUSBLibraryPath(const std::string& CommandLineOption);

} // namespace kvx

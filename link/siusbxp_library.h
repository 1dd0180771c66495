#pragma once
// The vendor USB library bound at run time, so the program starts (and says why) when it is
// missing, and the simulator can stand in for it through the same code path.
#include <filesystem>
#include <memory>
#include <string>

#include "link/usb_api.h"

namespace kvx {

// Owns the loaded library; must outlive every link that uses Api().
class TSiUSBXpLibrary : public IUSBApi {
public:
    // nullptr and a one-line message naming the file (and any missing function) on failure.
    static std::unique_ptr<TSiUSBXpLibrary> Load(const std::string& Path, std::string& Error);

    ~TSiUSBXpLibrary() override;
    TSiUSBXpLibrary(const TSiUSBXpLibrary&) = delete;
    TSiUSBXpLibrary& operator=(const TSiUSBXpLibrary&) = delete;

    const TSiUSBXpApi& Api() const override { return FApi; }
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

// The --usb-library option when given, else the KVX_USB_LIBRARY environment variable, else the
// default: the copy beside the program when there is one, else the name alone (the system's search).
std::string ResolveUSBLibraryPath(const std::string& CommandLineOption, const std::filesystem::path& ProgramFolder);

} // namespace kvx

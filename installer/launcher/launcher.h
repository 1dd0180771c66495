#pragma once
// The launcher from command line to started program, over the few platform calls it needs.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "installer/launcher/launch_record.h"

namespace kvx::launcher {

// Product and component codes are braced GUIDs.
constexpr size_t MaxCodeChars = 38;

// Windows Installer answers and shell values the launcher relies on.
constexpr int InstallStateLocal = 3;
constexpr int InstallStateSource = 4;
constexpr int InstallStateDefault = 5;
constexpr int ShowNormal = 5;
constexpr uint32_t MaskNoCloseProcess = 0x40;
constexpr uint32_t MaskFlagNoUi = 0x400;
constexpr intptr_t ShellErrorNoAssociation = 31;
constexpr intptr_t ShellErrorAssociationIncomplete = 27;
constexpr intptr_t ShellSuccessAbove = 32;

struct TComponentPath {
    int State = 0;
    std::u16string Path;
};

struct TShellRequest {
    std::u16string Verb;  // empty: the file's default action
    TLaunchRecord Record;
    uint32_t Mask = 0;
    int Show = ShowNormal;
};

class ILauncherHost {
public:
    virtual ~ILauncherHost() = default;
    virtual std::u16string OwnPath() = 0;
    // Empty when the file, the section or the entry is missing.
    virtual std::u16string ReadIniEntry(const std::u16string& IniPath, const std::u16string& Section,
                                        const std::u16string& Key) = 0;
    virtual int QueryProductState(const std::u16string& ProductCode) = 0;
    virtual TComponentPath QueryComponentPath(const std::u16string& ProductCode, const std::u16string& ComponentCode) = 0;
    // Starts the request and waits for the process it started, if any; answers the shell's
    // code (above 32 on success, an association error otherwise).
    virtual intptr_t ExecuteAndWait(const TShellRequest& Request) = 0;
    // A fresh, unused file name in the temporary folder, starting with Prefix.
    virtual std::optional<std::u16string> NewTempFileName(const std::u16string& Prefix) = 0;
    virtual bool WriteNewFile(const std::u16string& Path, std::string_view Bytes) = 0;
    virtual intptr_t ShellOpen(const std::u16string& Verb, const std::u16string& Path) = 0;
};

// Everything the launcher does for one process command line. Never fails outward: a
// malformed line or an over-long input simply starts nothing.
void RunLauncher(std::u16string_view ProcessCommandLine, ILauncherHost& Host);

} // namespace kvx::launcher

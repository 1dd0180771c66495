// Any command line through the whole launcher, against a Windows that answers everything
// with "yes" and starts nothing: no input may crash it or read out of bounds.
#include <cstring>

#include "installer/launcher/launcher.h"

namespace {

using namespace kvx::launcher;

class TAgreeableWindows : public ILauncherHost {
public:
    std::u16string OwnPath() override { return u"D:\\autorun.exe"; }
    // The entry's own name as its value, so codes of every length reach the launcher.
    std::u16string ReadIniEntry(const std::u16string&, const std::u16string&, const std::u16string& Key) override
    {
        return Key;
    }
    int QueryProductState(const std::u16string&) override { return InstallStateDefault; }
    TComponentPath QueryComponentPath(const std::u16string&, const std::u16string& ComponentCode) override
    {
        return {InstallStateLocal, ComponentCode};
    }
    intptr_t ExecuteAndWait(const TShellRequest&) override { return ShellErrorNoAssociation; }
    std::optional<std::u16string> NewTempFileName(const std::u16string& Prefix) override { return Prefix; }
    bool WriteNewFile(const std::u16string&, std::string_view) override { return true; }
    intptr_t ShellOpen(const std::u16string&, const std::u16string&) override { return 0; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    std::u16string line(Size / 2, u'\0');
    std::memcpy(line.data(), Data, line.size() * 2);
    TAgreeableWindows windows;
    RunLauncher(line, windows);
    return 0;
}

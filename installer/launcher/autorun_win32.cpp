// autorun.exe: the Windows host of the launcher. No window, always exit code 0.
#include <windows.h>

#include <msi.h>
#include <objbase.h>
#include <shellapi.h>

#include <vector>

#include "installer/launcher/launcher.h"

namespace {

using namespace kvx::launcher;

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

const wchar_t* Wide(const std::u16string& Text)
{
    return reinterpret_cast<const wchar_t*>(Text.c_str());
}

const wchar_t* WideOrNull(const std::u16string& Text)
{
    return Text.empty() ? nullptr : Wide(Text);
}

std::u16string FromWide(const wchar_t* Text)
{
    return reinterpret_cast<const char16_t*>(Text);
}

class TWin32LauncherHost : public ILauncherHost {
public:
    std::u16string OwnPath() override
    {
        std::vector<wchar_t> buffer(MAX_PATH);
        for (;;) {
            const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
            if (length == 0) return {};
            if (length < buffer.size()) return FromWide(buffer.data());
            buffer.resize(buffer.size() * 2);
        }
    }

    std::u16string ReadIniEntry(const std::u16string& IniPath, const std::u16string& Section,
                                const std::u16string& Key) override
    {
        // Roomier than any valid entry, so an over-long one is seen as such, not cut to fit.
        wchar_t value[1024] = {};
        GetPrivateProfileStringW(Wide(Section), Wide(Key), L"", value, 1024, Wide(IniPath));
        return FromWide(value);
    }

    int QueryProductState(const std::u16string& ProductCode) override
    {
        return MsiQueryProductStateW(Wide(ProductCode));
    }

    TComponentPath QueryComponentPath(const std::u16string& ProductCode, const std::u16string& ComponentCode) override
    {
        wchar_t path[MAX_PATH] = {};
        DWORD length = MAX_PATH;
        const INSTALLSTATE state = MsiGetComponentPathW(Wide(ProductCode), Wide(ComponentCode), path, &length);
        return {state, FromWide(path)};
    }

    intptr_t ExecuteAndWait(const TShellRequest& Request) override
    {
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = Request.Mask;
        info.lpVerb = WideOrNull(Request.Verb);
        info.lpFile = Wide(Request.Record.File);
        info.lpParameters = WideOrNull(Request.Record.Parameters);
        info.lpDirectory = WideOrNull(Request.Record.Directory);
        info.nShow = Request.Show;
        ShellExecuteExW(&info);
        if (info.hProcess) {
            WaitForSingleObject(info.hProcess, INFINITE);
            DWORD exitCode = 0;
            GetExitCodeProcess(info.hProcess, &exitCode);
            CloseHandle(info.hProcess);
        }
        return reinterpret_cast<intptr_t>(info.hInstApp);
    }

    std::optional<std::u16string> NewTempFileName(const std::u16string& Prefix) override
    {
        wchar_t folder[MAX_PATH + 1] = {};
        const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
        if (length == 0 || length > MAX_PATH) return std::nullopt;
        wchar_t name[MAX_PATH] = {};
        if (GetTempFileNameW(folder, Wide(Prefix), 0, name) == 0) return std::nullopt;
        DeleteFileW(name);
        return FromWide(name);
    }

    bool WriteNewFile(const std::u16string& Path, std::string_view Bytes) override
    {
        const HANDLE file = CreateFileW(Wide(Path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        const BOOL ok = WriteFile(file, Bytes.data(), static_cast<DWORD>(Bytes.size()), &written, nullptr);
        CloseHandle(file);
        return ok && written == Bytes.size();
    }

    intptr_t ShellOpen(const std::u16string& Verb, const std::u16string& Path) override
    {
        return reinterpret_cast<intptr_t>(ShellExecuteW(nullptr, WideOrNull(Verb), Wide(Path), nullptr, nullptr, SW_SHOWNORMAL));
    }
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The shell may hand the start to COM-based handlers.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    try {
        TWin32LauncherHost host;
        RunLauncher(FromWide(GetCommandLineW()), host);
    } catch (...) {
        // Out of memory at worst; the launcher still ends quietly.
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

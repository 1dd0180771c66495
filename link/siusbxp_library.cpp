#include "link/siusbxp_library.h"

#include "link/program_files.h"

#include <cstdlib>
#include <type_traits>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace kvx {

namespace {

using TAnyFunction = TSiUSBXpLibrary::TLibraryFunction;

#ifdef _WIN32

std::wstring WidePath(const std::string& Path)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, Path.c_str(), -1, nullptr, 0);
    if (size <= 0) return {};
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, Path.c_str(), -1, wide.data(), size);
    wide.resize(static_cast<size_t>(size - 1));
    return wide;
}

std::string LastSystemError()
{
    const DWORD code = GetLastError();
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length ? std::string(text, length) : "system error " + std::to_string(code);
    if (text) LocalFree(text);
    return message;
}

void* OpenLibrary(const std::string& Path, std::string& Reason)
{
    // No "missing component" box from the system: the caller reports the failure itself.
    DWORD oldMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
    HMODULE module = LoadLibraryW(WidePath(Path).c_str());
    if (!module) Reason = LastSystemError();
    SetThreadErrorMode(oldMode, nullptr);
    return reinterpret_cast<void*>(module);
}

TAnyFunction LookUpFunction(void* Handle, const char* Name)
{
    return reinterpret_cast<TAnyFunction>(GetProcAddress(static_cast<HMODULE>(Handle), Name));
}

void CloseLibrary(void* Handle)
{
    FreeLibrary(static_cast<HMODULE>(Handle));
}

#else

void* OpenLibrary(const std::string& Path, std::string& Reason)
{
    void* handle = dlopen(Path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        Reason = reason ? reason : "unknown error";
    }
    return handle;
}

TAnyFunction LookUpFunction(void* Handle, const char* Name)
{
    return reinterpret_cast<TAnyFunction>(dlsym(Handle, Name));
}

void CloseLibrary(void* Handle)
{
    dlclose(Handle);
}

#endif

// System messages may end in a line break or hold several lines; the caller wants one line.
std::string OneLine(std::string Text)
{
    for (char& c : Text)
        if (c == '\r' || c == '\n') c = ' ';
    while (!Text.empty() && (Text.back() == ' ' || Text.back() == '.')) Text.pop_back();
    return Text;
}

} // namespace

TSiUSBXpLibrary::TSiUSBXpLibrary(void* Handle, std::string Path, const TSiUSBXpApi& Api)
    : FHandle(Handle), FPath(std::move(Path)), FApi(Api)
{
}

TSiUSBXpLibrary::~TSiUSBXpLibrary()
{
    CloseLibrary(FHandle);
}

TSiUSBXpLibrary::TLibraryFunction TSiUSBXpLibrary::FindFunction(const char* Name) const
{
    return LookUpFunction(FHandle, Name);
}

std::unique_ptr<TSiUSBXpLibrary> TSiUSBXpLibrary::Load(const std::string& Path, std::string& Error)
{
    Error.clear();
    std::string reason;
    void* handle = OpenLibrary(Path, reason);
    if (!handle) {
        Error = "cannot load the USB library \"" + Path + "\": " + OneLine(reason);
        return nullptr;
    }

    TSiUSBXpApi api;
    std::string missing;
    const auto bind = [&](auto& slot, const char* name) {
        const TAnyFunction function = LookUpFunction(handle, name);
        if (!function) missing += (missing.empty() ? "" : ", ") + std::string(name);
        slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(function);
    };
    bind(api.GetNumDevices, "SI_GetNumDevices");
    bind(api.GetProductString, "SI_GetProductString");
    bind(api.Open, "SI_Open");
    bind(api.Close, "SI_Close");
    bind(api.Read, "SI_Read");
    bind(api.Write, "SI_Write");
    bind(api.CancelIo, "SI_CancelIo");
    bind(api.FlushBuffers, "SI_FlushBuffers");
    bind(api.CheckRXQueue, "SI_CheckRXQueue");
    bind(api.SetFlowControl, "SI_SetFlowControl");
    bind(api.SetBaudRate, "SI_SetBaudRate");
    bind(api.SetLineControl, "SI_SetLineControl");
    bind(api.SetTimeouts, "SI_SetTimeouts");
    bind(api.GetTimeouts, "SI_GetTimeouts");
    bind(api.GetDLLVersion, "SI_GetDLLVersion");
    bind(api.GetDriverVersion, "SI_GetDriverVersion");

    if (!missing.empty()) {
        CloseLibrary(handle);
        Error = "the USB library \"" + Path + "\" lacks " + missing;
        return nullptr;
    }
    return std::unique_ptr<TSiUSBXpLibrary>(new TSiUSBXpLibrary(handle, Path, api));
}

std::string DefaultUSBLibraryName()
{
#ifdef _WIN32
    return "SiUSBXp.dll";
#else
    return "libSiUSBXp.so";
#endif
}

std::string ResolveUSBLibraryPath(const std::string& CommandLineOption, const std::filesystem::path& ProgramFolder)
{
    if (!CommandLineOption.empty()) return CommandLineOption;
    const char* fromEnvironment = std::getenv("KVX_USB_LIBRARY");
    if (fromEnvironment && *fromEnvironment) return fromEnvironment;
    if (ProgramFolder.empty()) return DefaultUSBLibraryName();
    const auto beside = FindProgramFile(ProgramFolder, DefaultUSBLibraryName());
    return beside ? beside->string() : DefaultUSBLibraryName();
}

} // namespace kvx

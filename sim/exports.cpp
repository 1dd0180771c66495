// The vendor library's C calls, served by one simulator shared by the whole process.
// Every platform difference of the simulator lives here: how a symbol is exported.
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <type_traits>

#include "link/siusbxp_api.h"
#include "sim/knobs.h"
#include "sim/kvxsim_control.h"
#include "sim/simulator.h"

#ifdef _WIN32
#define KVXSIM_EXPORT __declspec(dllexport)
#else
#define KVXSIM_EXPORT __attribute__((visibility("default")))
#endif

using kvx::sim::THandleValue;
using kvx::sim::TSimulator;

namespace {

void ReportProblem(const std::string& Message)
{
    std::fprintf(stderr, "kvxsim: %s\n", Message.c_str());
}

TSimulator& Instance()
{
    static TSimulator simulator(ReportProblem);
    static const bool configured = [] {
        kvx::sim::ApplyEnvironment(simulator, [](const char* name) { return std::getenv(name); }, ReportProblem);
        return true;
    }();
    (void)configured;
    return simulator;
}

// Callers may come from more than one thread; the simulator serves one call at a time.
template <class TCall>
auto Serve(TCall Call)
{
    static std::mutex mutex;
    std::lock_guard<std::mutex> lock(mutex);
    TSimulator& simulator = Instance();
    simulator.Update();
    const auto result = Call(simulator);
    simulator.Settle();
    return result;
}

THandleValue Value(SI_HANDLE Handle)
{
    return reinterpret_cast<THandleValue>(Handle);
}

} // namespace

extern "C" {

KVXSIM_EXPORT SI_STATUS SI_API SI_GetNumDevices(uint32_t* lpdwNumDevices)
{
    return Serve([&](TSimulator& s) { return s.Dongle.GetNumDevices(lpdwNumDevices); });
}

KVXSIM_EXPORT SI_STATUS SI_API SI_GetProductString(uint32_t dwDeviceNum, void* lpvDeviceString, uint32_t dwFlags)
{
    return Serve([&](TSimulator& s) { return s.Dongle.GetProductString(dwDeviceNum, lpvDeviceString, dwFlags); });
}

KVXSIM_EXPORT SI_STATUS SI_API SI_Open(uint32_t dwDevice, SI_HANDLE* cyHandle)
{
    return Serve([&](TSimulator& s) {
        if (!cyHandle) return static_cast<SI_STATUS>(SI_INVALID_PARAMETER);
        THandleValue handle = 0;
        const SI_STATUS status = s.Dongle.Open(dwDevice, &handle);
        if (status == SI_SUCCESS) *cyHandle = reinterpret_cast<SI_HANDLE>(handle);
        return status;
    });
}

KVXSIM_EXPORT SI_STATUS SI_API SI_Close(SI_HANDLE cyHandle)
{
    return Serve([&](TSimulator& s) { return s.Dongle.Close(Value(cyHandle)); });
}

KVXSIM_EXPORT SI_STATUS SI_API SI_Read(SI_HANDLE cyHandle, void* lpBuffer, uint32_t dwBytesToRead,
                                       uint32_t* lpdwBytesReturned, void*)
{
    return Serve(
        [&](TSimulator& s) { return s.Dongle.Read(Value(cyHandle), lpBuffer, dwBytesToRead, lpdwBytesReturned); });
}

KVXSIM_EXPORT SI_STATUS SI_API SI_Write(SI_HANDLE cyHandle, void* lpBuffer, uint32_t dwBytesToWrite,
                                        uint32_t* lpdwBytesWritten, void*)
{
    return Serve(
        [&](TSimulator& s) { return s.Dongle.Write(Value(cyHandle), lpBuffer, dwBytesToWrite, lpdwBytesWritten); });
}

KVXSIM_EXPORT SI_STATUS SI_API SI_CancelIo(SI_HANDLE cyHandle)
{
    return Serve([&](TSimulator& s) { return s.Dongle.CancelIo(Value(cyHandle)); });
}

KVXSIM_EXPORT SI_STATUS SI_API SI_FlushBuffers(SI_HANDLE cyHandle, uint8_t FlushTransmit, uint8_t FlushReceive)
{
    return Serve([&](TSimulator& s) { return s.Dongle.FlushBuffers(Value(cyHandle), FlushTransmit, FlushReceive); });
}

KVXSIM_EXPORT SI_STATUS SI_API SI_SetTimeouts(uint32_t dwReadTimeout, uint32_t dwWriteTimeout)
{
    return Serve([&](TSimulator& s) { return s.Dongle.SetTimeouts(dwReadTimeout, dwWriteTimeout); });
}

KVXSIM_EXPORT SI_STATUS SI_API SI_GetTimeouts(uint32_t* lpdwReadTimeout, uint32_t* lpdwWriteTimeout)
{
    return Serve([&](TSimulator& s) { return s.Dongle.GetTimeouts(lpdwReadTimeout, lpdwWriteTimeout); });
}

KVXSIM_EXPORT SI_STATUS SI_API SI_CheckRXQueue(SI_HANDLE cyHandle, uint32_t* lpdwNumBytesInQueue,
                                               uint32_t* lpdwQueueStatus)
{
    return Serve(
        [&](TSimulator& s) { return s.Dongle.CheckRXQueue(Value(cyHandle), lpdwNumBytesInQueue, lpdwQueueStatus); });
}

KVXSIM_EXPORT SI_STATUS SI_API SI_SetBaudRate(SI_HANDLE cyHandle, uint32_t dwBaudRate)
{
    return Serve([&](TSimulator& s) { return s.Dongle.SetBaudRate(Value(cyHandle), dwBaudRate); });
}

KVXSIM_EXPORT SI_STATUS SI_API SI_SetLineControl(SI_HANDLE cyHandle, uint16_t wLineControl)
{
    return Serve([&](TSimulator& s) { return s.Dongle.SetLineControl(Value(cyHandle), wLineControl); });
}

KVXSIM_EXPORT SI_STATUS SI_API SI_SetFlowControl(SI_HANDLE cyHandle, uint8_t bCTS_MaskCode, uint8_t bRTS_MaskCode,
                                                 uint8_t bDTR_MaskCode, uint8_t bDSR_MaskCode, uint8_t bDCD_MaskCode,
                                                 int bFlowXonXoff)
{
    return Serve([&](TSimulator& s) {
        return s.Dongle.SetFlowControl(Value(cyHandle), bCTS_MaskCode, bRTS_MaskCode, bDTR_MaskCode, bDSR_MaskCode,
                                       bDCD_MaskCode, bFlowXonXoff);
    });
}

// Versions of the simulator itself, in the library's high/low word layout.
KVXSIM_EXPORT SI_STATUS SI_API SI_GetDLLVersion(uint32_t* HighVersion, uint32_t* LowVersion)
{
    if (!HighVersion || !LowVersion) return SI_INVALID_PARAMETER;
    *HighVersion = 0x00010002;
    *LowVersion = 0;
    return SI_SUCCESS;
}

KVXSIM_EXPORT SI_STATUS SI_API SI_GetDriverVersion(uint32_t* HighVersion, uint32_t* LowVersion)
{
    return SI_GetDLLVersion(HighVersion, LowVersion);
}

KVXSIM_EXPORT int SI_API KVXSIM_Control(const char* Key, const char* Value)
{
    if (!Key) return kvx::sim::ControlRefused;
    return Serve([&](TSimulator& s) { return kvx::sim::ApplyControl(s, Key, Value ? Value : ""); });
}

} // extern "C"

// The exports must keep the exact shapes the binding looks them up by.
static_assert(std::is_same_v<decltype(&SI_GetNumDevices), SI_GetNumDevices_t>);
static_assert(std::is_same_v<decltype(&SI_GetProductString), SI_GetProductString_t>);
static_assert(std::is_same_v<decltype(&SI_Open), SI_Open_t>);
static_assert(std::is_same_v<decltype(&SI_Close), SI_Close_t>);
static_assert(std::is_same_v<decltype(&SI_Read), SI_Read_t>);
static_assert(std::is_same_v<decltype(&SI_Write), SI_Write_t>);
static_assert(std::is_same_v<decltype(&SI_CancelIo), SI_CancelIo_t>);
static_assert(std::is_same_v<decltype(&SI_FlushBuffers), SI_FlushBuffers_t>);
static_assert(std::is_same_v<decltype(&SI_SetTimeouts), SI_SetTimeouts_t>);
static_assert(std::is_same_v<decltype(&SI_GetTimeouts), SI_GetTimeouts_t>);
static_assert(std::is_same_v<decltype(&SI_CheckRXQueue), SI_CheckRXQueue_t>);
static_assert(std::is_same_v<decltype(&SI_SetBaudRate), SI_SetBaudRate_t>);
static_assert(std::is_same_v<decltype(&SI_SetLineControl), SI_SetLineControl_t>);
static_assert(std::is_same_v<decltype(&SI_SetFlowControl), SI_SetFlowControl_t>);
static_assert(std::is_same_v<decltype(&SI_GetDLLVersion), SI_GetDLLVersion_t>);
static_assert(std::is_same_v<decltype(&SI_GetDriverVersion), SI_GetDriverVersion_t>);
static_assert(std::is_same_v<decltype(&KVXSIM_Control), KVXSIM_Control_t>);

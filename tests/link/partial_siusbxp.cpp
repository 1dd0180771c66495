// A stand-in library that exports only part of the vendor API, to prove the binding names
// what is missing instead of failing later.
#include "link/siusbxp_api.h"

#ifdef _WIN32
#define PARTIAL_EXPORT __declspec(dllexport)
#else
#define PARTIAL_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

PARTIAL_EXPORT SI_STATUS SI_API SI_GetNumDevices(uint32_t* lpdwNumDevices)
{
    *lpdwNumDevices = 0;
    return SI_DEVICE_NOT_FOUND;
}

PARTIAL_EXPORT SI_STATUS SI_API SI_Open(uint32_t, SI_HANDLE*)
{
    return SI_DEVICE_NOT_FOUND;
}

PARTIAL_EXPORT SI_STATUS SI_API SI_Close(SI_HANDLE)
{
    return SI_INVALID_HANDLE;
}

}

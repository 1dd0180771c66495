/* The USBXpress library's C interface as its programmer's guide documents it, written here
   for the run-time binding and for the simulated dongle that exports the same functions.
   Standard-call on Windows. */
#ifndef KVX_SIUSBXP_API_H
#define KVX_SIUSBXP_API_H

#include <stdint.h>

#ifdef _WIN32
#define SI_API __stdcall
#else
#define SI_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int SI_STATUS;
typedef void* SI_HANDLE;

enum {
    SI_SUCCESS = 0x00,
    SI_INVALID_HANDLE = 0x01,
    SI_READ_ERROR = 0x02,
    SI_RX_QUEUE_NOT_READY = 0x03,
    SI_WRITE_ERROR = 0x04,
    SI_RESET_ERROR = 0x05,
    SI_INVALID_PARAMETER = 0x06,
    SI_INVALID_REQUEST_LENGTH = 0x07,
    SI_DEVICE_IO_FAILED = 0x08,
    SI_INVALID_BAUDRATE = 0x09,
    SI_FUNCTION_NOT_SUPPORTED = 0x0A,
    SI_GLOBAL_DATA_ERROR = 0x0B,
    SI_SYSTEM_ERROR_CODE = 0x0C,
    SI_READ_TIMED_OUT = 0x0D,
    SI_WRITE_TIMED_OUT = 0x0E,
    SI_IO_PENDING = 0x0F,
    SI_NOTHING_TO_CANCEL = 0xA0,
    SI_DEVICE_NOT_FOUND = 0xFF
};

/* SI_GetProductString options. */
enum {
    SI_RETURN_SERIAL_NUMBER = 0x00,
    SI_RETURN_DESCRIPTION = 0x01,
    SI_RETURN_LINK_NAME = 0x02,
    SI_RETURN_VID = 0x03,
    SI_RETURN_PID = 0x04
};

/* SI_CheckRXQueue queue status. */
enum { SI_RX_EMPTY = 0x00, SI_RX_OVERRUN = 0x01, SI_RX_READY = 0x02 };

/* SI_SetFlowControl mask codes. */
enum { SI_STATUS_INPUT = 0x00, SI_HANDSHAKE_LINE = 0x01 };
enum { SI_HELD_INACTIVE = 0x00, SI_HELD_ACTIVE = 0x01, SI_FIRMWARE_CONTROLLED = 0x02 };

#define SI_MAX_DEVICE_STRLEN 256

/* Function types, one per call the link uses. */
typedef SI_STATUS(SI_API* SI_GetNumDevices_t)(uint32_t* lpdwNumDevices);
typedef SI_STATUS(SI_API* SI_GetProductString_t)(uint32_t dwDeviceNum, void* lpvDeviceString, uint32_t dwFlags);
typedef SI_STATUS(SI_API* SI_Open_t)(uint32_t dwDevice, SI_HANDLE* cyHandle);
typedef SI_STATUS(SI_API* SI_Close_t)(SI_HANDLE cyHandle);
typedef SI_STATUS(SI_API* SI_Read_t)(SI_HANDLE cyHandle, void* lpBuffer, uint32_t dwBytesToRead,
                                     uint32_t* lpdwBytesReturned, void* o);
typedef SI_STATUS(SI_API* SI_Write_t)(SI_HANDLE cyHandle, void* lpBuffer, uint32_t dwBytesToWrite,
                                      uint32_t* lpdwBytesWritten, void* o);
typedef SI_STATUS(SI_API* SI_CancelIo_t)(SI_HANDLE cyHandle);
typedef SI_STATUS(SI_API* SI_FlushBuffers_t)(SI_HANDLE cyHandle, uint8_t FlushTransmit, uint8_t FlushReceive);
typedef SI_STATUS(SI_API* SI_SetTimeouts_t)(uint32_t dwReadTimeout, uint32_t dwWriteTimeout);
typedef SI_STATUS(SI_API* SI_GetTimeouts_t)(uint32_t* lpdwReadTimeout, uint32_t* lpdwWriteTimeout);
typedef SI_STATUS(SI_API* SI_CheckRXQueue_t)(SI_HANDLE cyHandle, uint32_t* lpdwNumBytesInQueue,
                                             uint32_t* lpdwQueueStatus);
typedef SI_STATUS(SI_API* SI_SetBaudRate_t)(SI_HANDLE cyHandle, uint32_t dwBaudRate);
typedef SI_STATUS(SI_API* SI_SetLineControl_t)(SI_HANDLE cyHandle, uint16_t wLineControl);
typedef SI_STATUS(SI_API* SI_SetFlowControl_t)(SI_HANDLE cyHandle, uint8_t bCTS_MaskCode, uint8_t bRTS_MaskCode,
                                               uint8_t bDTR_MaskCode, uint8_t bDSR_MaskCode,
                                               uint8_t bDCD_MaskCode, int bFlowXonXoff);
typedef SI_STATUS(SI_API* SI_GetDLLVersion_t)(uint32_t* HighVersion, uint32_t* LowVersion);
typedef SI_STATUS(SI_API* SI_GetDriverVersion_t)(uint32_t* HighVersion, uint32_t* LowVersion);

#ifdef __cplusplus
}
#endif

#endif

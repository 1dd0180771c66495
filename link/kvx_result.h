#pragma once
// What the device object's operations end with.
#include <cstdint>

namespace kvx {

// How a transfer or password operation of the device object ended. The numbers never change:
// the failure messages show them ("Could not read the configuration (7).").
enum class [[nodiscard]] TKVXResult : uint8_t {
    OK = 0,
    NoConfigMode = 1,         // the unit did not enter configuration mode
    NoBeginTransfer = 2,      // the unit did not acknowledge the start of a transfer
    PageReadFailed = 7,       // a page read failed; also: the password page write failed
    PageWriteFailed = 8,      // a page write failed
    NoExitConfig = 9,         // the unit did not leave configuration mode
    LowerLineFailed = 11,     // the control line could not be lowered after a transfer
    ControlLineFailed = 254,  // the control line could not be raised (or, around a password, lowered)
    Stopped = 255,            // Terminate() was called
};

// The number a message shows for Result.
constexpr unsigned ResultNumber(TKVXResult Result) { return static_cast<unsigned>(Result); }

// LastCommsError after SendAndExpect.
enum class TCommsError : uint8_t { OK = 0, BadReply = 1, Timeout = 2, WriteFailed = 5 };

} // namespace kvx

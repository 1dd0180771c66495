#include "link/kvx_messages.h"

#include <atomic>

#include "image/utils.h"

namespace kvx {

namespace {

std::atomic<uint32_t> SerialLineRate{0};
std::atomic<bool> UnitAnsweredEnter{true};

std::u16string FailureMessage(const char16_t* what, TKVXResult code)
{
    std::u16string message = std::u16string(u"Could not ") + what + u" the configuration (" +
                             TUtils::FromLatin1(std::to_string(ResultNumber(code))) +
                             u").\r\r- Check that the KVX USB Dongle is connected to the KVX.\r- Check the power supply to the KVX.";
    if (const uint32_t rate = SerialLineRate; rate && !UnitAnsweredEnter)
        message += u"\r- No reply at " + TUtils::FromLatin1(std::to_string(rate)) +
                   u" baud: the serial line rate may be wrong (--serial-baud, or \"Serial line rate\" in the "
                   u"program's menu; the README says how to find it).";
    return message;
}

} // namespace

void NoteSerialLineRate(uint32_t BaudRate)
{
    SerialLineRate = BaudRate;
}

void NoteUnitAnsweredEnter(bool Answered)
{
    UnitAnsweredEnter = Answered;
}

std::u16string ReadFailureMessage(TKVXResult Code)
{
    return FailureMessage(u"read", Code);
}

std::u16string WriteFailureMessage(TKVXResult Code)
{
    return FailureMessage(u"write", Code);
}

} // namespace kvx

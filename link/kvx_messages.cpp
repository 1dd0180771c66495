#include "link/kvx_messages.h"

#include "image/utils.h"

namespace kvx {

namespace {

std::u16string FailureMessage(const char16_t* what, uint8_t code)
{
    return std::u16string(u"Could not ") + what + u" the configuration (" +
           TUtils::FromLatin1(std::to_string(code)) +
           u").\r\r- Check that the KVX USB Dongle is connected to the KVX.\r- Check the power supply to the KVX.";
}

} // namespace

std::u16string ReadFailureMessage(uint8_t Code)
{
    return FailureMessage(u"read", Code);
}

std::u16string WriteFailureMessage(uint8_t Code)
{
    return FailureMessage(u"write", Code);
}

} // namespace kvx

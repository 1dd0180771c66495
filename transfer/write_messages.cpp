#include "transfer/write_messages.h"

#include "image/utils.h"

namespace kvx {

namespace {

constexpr const char16_t* CheckLines =
    u"\r\r- Check that the KVX USB Dongle is connected to the KVX.\r- Check the power supply to the KVX.";

std::u16string Text(const std::string& Ascii)
{
    return TUtils::FromLatin1(Ascii);
}

} // namespace

std::u16string BackupFailedMessage(const std::u16string& Folder, const std::u16string& Reason)
{
    return u"Nothing was written: the KVX's configuration could not be backed up in \"" + Folder + u"\".\r\r" +
           Reason + u".";
}

std::u16string ReadBackFailedMessage(uint8_t Code)
{
    return u"The configuration was written, but could not be read back to verify it (" + Text(std::to_string(Code)) +
           u")." + CheckLines;
}

std::u16string VerifyFailedMessage(const TFieldDifference& First, size_t Count)
{
    const std::u16string fields = Count == 1 ? u"1 field differs" : Text(std::to_string(Count)) + u" fields differ";
    return u"The KVX does not hold the configuration that was written: " + fields + u", the first is " +
           Text(First.Name) + u" (written " + Text(First.First) + u", the KVX holds " + Text(First.Second) +
           u").\r\r- Write the configuration again.\r- Check the power supply to the KVX.";
}

std::u16string WrittenMessage(bool Verified)
{
    return Verified ? u"Configuration written and verified." : u"Configuration written (not verified).";
}

} // namespace kvx

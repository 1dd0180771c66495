#include "transfer/write_messages.h"

#include "image/utils.h"
#include "link/kvx.h"

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

std::u16string ReadBackFailedMessage(TKVXResult Code)
{
    return u"The configuration was written, but could not be read back to verify it (" + Text(std::to_string(ResultNumber(Code))) +
           u")." + CheckLines;
}

std::u16string VerifyFailedMessage(const TFieldDifference& First, size_t Count)
{
    const std::u16string fields = Count == 1 ? u"1 field differs" : Text(std::to_string(Count)) + u" fields differ";
    return u"The KVX does not hold the configuration that was written: " + fields + u", the first is " +
           Text(First.Name) + u" (written " + Text(First.First) + u", the KVX holds " + Text(First.Second) +
           u").\r\r- Write the configuration again.\r- Check the power supply to the KVX.";
}

std::u16string NothingWrittenMessage(TKVXResult Code)
{
    if (Code == TKVXResult::Stopped) return u"Stopped before anything was written: the KVX holds what it held before.";
    return u"Nothing was written: the KVX's configuration could not be read to back it up (" +
           Text(std::to_string(ResultNumber(Code))) + u")." + CheckLines;
}

std::u16string BackupSavedMessage(const std::u16string& BackupFile)
{
    return u"What the KVX held before the write is saved in \"" + BackupFile + u"\".";
}

std::u16string PartlyWrittenMessage(TKVXResult Code, size_t PagesSent, size_t PagesToSend, const std::u16string& BackupFile)
{
    const std::u16string pages = Text(std::to_string(PagesSent)) + u" of " + Text(std::to_string(PagesToSend)) + u" pages";
    const std::u16string what = Code == TKVXResult::Stopped
                                    ? u"The write was stopped after " + pages + u"."
                                    : u"The write failed after " + pages + u" (" + Text(std::to_string(ResultNumber(Code))) + u").";
    return what + u"\r\rThe KVX now holds part of its old configuration and part of the new one. " +
           BackupSavedMessage(BackupFile);
}

std::u16string WrittenMessage(bool Verified)
{
    return Verified ? u"Configuration written and verified." : u"Configuration written (not verified).";
}

} // namespace kvx

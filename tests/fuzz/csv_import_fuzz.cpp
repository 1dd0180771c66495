// A spreadsheet's file is anyone's bytes: any of them must read, and an import may change only
// the locations and recipients its report names, each to a number the KVX can hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "config/missed_call_list.h"
#include "config/phone_number.h"
#include "config/recipient_list.h"

namespace {

template <typename TSlots, typename TNumberOf>
void CheckImport(const TSlots& Before, const TSlots& After, const kvx::TImportReport& Report, TNumberOf NumberOf)
{
    std::vector<bool> named(Before.size(), false);
    for (const kvx::TImportLine& line : Report.Lines) {
        if (line.Line == 0) std::abort();
        if (line.Outcome == kvx::TImportOutcome::Skipped) continue;
        if (line.Slot == 0 || line.Slot > Before.size() || named[line.Slot - 1]) std::abort();
        named[line.Slot - 1] = true;
        const std::u16string number = NumberOf(After[line.Slot - 1]);
        if (number.empty() || number.size() > kvx::PhoneNumberDigits) std::abort();
        for (const char16_t c : number)
            if (c < u'0' || c > u'9') std::abort();
    }
    for (size_t i = 0; i < Before.size(); ++i)
        if (!named[i] && !(Before[i] == After[i])) std::abort();
    if (!Report.Problem.empty() && !Report.Lines.empty()) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string_view text(reinterpret_cast<const char*>(Data), Size);
    const kvx::TCsvTable table = kvx::ReadCsv(text);
    for (size_t i = 1; i < table.Rows.size(); ++i)
        if (table.Rows[i].Line <= table.Rows[i - 1].Line) std::abort();

    kvx::TMissedCallRecords calls{};
    calls[3].Number = u"441234";  // one location already there, to be updated or left
    const kvx::TMissedCallImport callImport = kvx::ImportMissedCalls(text, calls);
    CheckImport(calls, callImport.Records, callImport.Report, [](const kvx::TMissedCallLocation& l) { return l.Number; });

    kvx::TRecipientNumbers recipients{};
    recipients[0] = u"441234";
    const kvx::TRecipientImport recipientImport = kvx::ImportRecipients(text, recipients);
    CheckImport(recipients, recipientImport.Numbers, recipientImport.Report, [](const std::u16string& n) { return n; });
    return 0;
}

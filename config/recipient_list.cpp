#include "config/recipient_list.h"

#include <algorithm>

#include "config/phone_number.h"
#include "config/recipients.h"
#include "image/utils.h"

namespace kvx {

namespace {

enum TColumn : size_t { Recipient, Number };
const std::vector<std::string_view> ColumnNames = {"recipient", "number"};

} // namespace

TRecipientImport ImportRecipients(std::string_view Csv, const TRecipientNumbers& Numbers, std::string_view DefaultCountryCode)
{
    TRecipientImport result{{}, Numbers};
    const TCsvTable table = ReadCsv(Csv);
    const TColumns columns = !table.Problem.empty() ? TColumns{{}, table.Problem}
                             : table.Rows.empty()    ? TColumns{{}, "The file holds no rows."}
                                                : ReadHeader(table.Rows.front(), ColumnNames, "number");
    if (!columns.Problem.empty()) {
        result.Report.Problem = columns.Problem;
        return result;
    }
    std::vector<TSlotRequest> requests;
    for (size_t r = 1; r < table.Rows.size(); ++r) {
        const TCsvRow& row = table.Rows[r];
        const std::string recipient = Cell(row, columns.Index[Recipient]);
        const std::string number = Cell(row, columns.Index[Number]);
        if (recipient.empty() && number.empty()) continue;  // a row a spreadsheet left with separators only
        TSlotRequest request{row.Line, std::nullopt, {}};
        std::string reason;
        if (!recipient.empty()) {
            const bool valid = recipient.size() <= 2 && recipient.find_first_not_of("0123456789") == std::string::npos &&
                               std::stoul(recipient) >= 1 && std::stoul(recipient) <= RecipientCount;
            if (valid) request.Slot = std::stoul(recipient) - 1;
            else reason = "recipient \"" + recipient + "\" is not 1 to " + std::to_string(RecipientCount);
        }
        const auto digits = reason.empty() ? NormalisedNumber(number, DefaultCountryCode, reason) : std::nullopt;
        if (!digits) {
            result.Report.Lines.push_back({row.Line, TImportOutcome::Skipped, 0, {}, reason});
            continue;
        }
        request.Number = *digits;
        requests.push_back(request);
    }
    const std::vector<TSlotPlacement> placements = PlaceInSlots({Numbers.begin(), Numbers.end()}, requests, "recipient");
    for (size_t i = 0; i < requests.size(); ++i) {
        const TSlotPlacement& p = placements[i];
        const TSlotRequest& r = requests[i];
        if (!p.Placed) {
            result.Report.Lines.push_back({r.Line, TImportOutcome::Skipped, 0, {}, p.Reason});
            continue;
        }
        std::u16string& slot = result.Numbers[p.Slot];
        const TImportOutcome outcome = p.WasFree ? TImportOutcome::Added
                                       : slot == r.Number ? TImportOutcome::Unchanged
                                                          : TImportOutcome::Updated;
        slot = r.Number;
        result.Report.Lines.push_back({r.Line, outcome, p.Slot + 1, "+" + TUtils::ToLatin1(r.Number), {}});
    }
    std::stable_sort(result.Report.Lines.begin(), result.Report.Lines.end(),
                     [](const TImportLine& a, const TImportLine& b) { return a.Line < b.Line; });
    return result;
}

std::string ExportRecipients(const TRecipientNumbers& Numbers)
{
    std::string text = CsvLine({ColumnNames.begin(), ColumnNames.end()});
    for (size_t n = 0; n < Numbers.size(); ++n)
        if (!Numbers[n].empty()) text += CsvLine({std::to_string(n + 1), "+" + TUtils::ToLatin1(Numbers[n])});
    return text;
}

TRecipientNumbers DecodeRecipients(const TKVXConfig& Config)
{
    TRecipientNumbers numbers;
    for (size_t n = 0; n < RecipientCount; ++n) numbers[n] = DecodeRecipient(Config, n);
    return numbers;
}

void EncodeImportedRecipients(TKVXConfig& Config, const TRecipientImport& Import)
{
    for (const TImportLine& line : Import.Report.Lines) {
        if (line.Outcome != TImportOutcome::Added && line.Outcome != TImportOutcome::Updated) continue;
        EraseRecipient(Config, line.Slot - 1);
        EncodeRecipient(Config, line.Slot - 1, Import.Numbers[line.Slot - 1]);
    }
}

} // namespace kvx

#pragma once
// The ten message recipients to and from a spreadsheet: a header row naming the columns
// recipient,number (recipient may be left out), then one recipient a row.
#include <array>
#include <string>
#include <string_view>

#include "config/list_import.h"
#include "config/recipient_masks.h"
#include "image/kvx_config.h"

namespace kvx {

// Each recipient's digits without the "+"; empty: no number.
using TRecipientNumbers = std::array<std::u16string, RecipientCount>;

struct TRecipientImport {
    TImportReport Report;
    TRecipientNumbers Numbers;  // as given, with the rows added and updated
};

// A row without a recipient updates nothing if its number is there already, else takes the
// first recipient without a number. Numbers go by NormalisedNumber, national ones taking
// DefaultCountryCode.
TRecipientImport ImportRecipients(std::string_view Csv, const TRecipientNumbers& Numbers, std::string_view DefaultCountryCode = {});
// Every recipient with a number, one a row, under the header.
std::string ExportRecipients(const TRecipientNumbers& Numbers);

TRecipientNumbers DecodeRecipients(const TKVXConfig& Config);
// The recipients the import added or updated, as the page stores them.
void EncodeImportedRecipients(TKVXConfig& Config, const TRecipientImport& Import);

} // namespace kvx

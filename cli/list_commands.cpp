#include <iostream>

#include "cli/commands.h"
#include "config/missed_call_list.h"
#include "config/recipient_list.h"
#include "config/whole_file.h"

namespace kvx::cli {

namespace {

constexpr size_t MaxCsvSize = 4 * 1024 * 1024;

struct TListOutcome {
    TImportReport Report;
    TKVXConfig Image;  // with the import stored
};

TListOutcome Imported(TListKind Kind, const std::string& Csv, const TKVXConfig& Image)
{
    TListOutcome outcome{{}, Image};
    if (Kind == TListKind::MissedCalls) {
        const TMissedCallImport import = ImportMissedCalls(Csv, DecodeMissedCalls(Image));
        EncodeImportedMissedCalls(outcome.Image, import);
        outcome.Report = import.Report;
    } else {
        const TRecipientImport import = ImportRecipients(Csv, DecodeRecipients(Image));
        EncodeImportedRecipients(outcome.Image, import);
        outcome.Report = import.Report;
    }
    return outcome;
}

const char* SlotName(TListKind Kind) { return Kind == TListKind::MissedCalls ? "location" : "recipient"; }

} // namespace

int ImportList(TListKind Kind, const std::filesystem::path& Template, const std::filesystem::path& Csv, bool DryRun)
{
    TKVXConfig image = ErasedConfig();
    if (!LoadTemplateOrSay(Template, image)) return ExitNoDevice;
    std::string text;
    std::string error;
    if (!LoadWholeFile(Csv, text, error, MaxCsvSize)) {
        std::cerr << "Could not read \"" << Csv.string() << "\": " << error << ".\n";
        return ExitNoDevice;
    }
    const TListOutcome outcome = Imported(Kind, text, image);
    if (!outcome.Report.Problem.empty()) {
        std::cerr << Csv.string() << ": " << outcome.Report.Problem << "\nNothing was imported.\n";
        return ExitNoDevice;
    }
    std::cout << ReportText(outcome.Report, SlotName(Kind)) << "\n";
    if (DryRun) {
        std::cout << "Dry run: " << Template.string() << " is unchanged.\n";
        return ExitOK;
    }
    if (!outcome.Report.Changes()) return ExitOK;
    if (!SaveTemplateOrSay(Template, outcome.Image)) return ExitNoDevice;
    std::cout << "Saved in " << Template.string() << ".\n";
    return ExitOK;
}

int ExportList(TListKind Kind, const std::filesystem::path& Template, const std::filesystem::path& Csv)
{
    TKVXConfig image = ErasedConfig();
    if (!LoadTemplateOrSay(Template, image)) return ExitNoDevice;
    const std::string text = Kind == TListKind::MissedCalls ? ExportMissedCalls(DecodeMissedCalls(image))
                                                            : ExportRecipients(DecodeRecipients(image));
    if (Csv.empty()) {
        std::cout << text;
        return ExitOK;
    }
    std::string error;
    if (!SaveWholeFile(Csv, text, error)) {
        std::cerr << "Could not save \"" << Csv.string() << "\": " << error << ".\n";
        return ExitNoDevice;
    }
    return ExitOK;
}

} // namespace kvx::cli

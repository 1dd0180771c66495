#include <iostream>

#include "cli/commands.h"
#include "cli/standard_streams.h"
#include "cli/terminal.h"
#include "config/missed_call_list.h"
#include "config/recipient_list.h"

namespace kvx::cli {

namespace {

constexpr size_t MaxCsvSize = 4 * 1024 * 1024;

struct TListOutcome {
    TImportReport Report;
    TKVXConfig Image;  // with the import stored
};

TListOutcome Imported(TListKind Kind, const std::string& Csv, const TKVXConfig& Image, const std::string& CountryCode)
{
    TListOutcome outcome{{}, Image};
    if (Kind == TListKind::MissedCalls) {
        const TMissedCallImport import = ImportMissedCalls(Csv, DecodeMissedCalls(Image), CountryCode);
        EncodeImportedMissedCalls(outcome.Image, import);
        outcome.Report = import.Report;
    } else {
        const TRecipientImport import = ImportRecipients(Csv, DecodeRecipients(Image), CountryCode);
        EncodeImportedRecipients(outcome.Image, import);
        outcome.Report = import.Report;
    }
    return outcome;
}

const char* SlotName(TListKind Kind) { return Kind == TListKind::MissedCalls ? "location" : "recipient"; }

} // namespace

int ImportList(TListKind Kind, const std::filesystem::path& Template, const std::filesystem::path& Csv, bool DryRun,
               const std::string& CountryCode)
{
    if (IsStandardStream(Template) && IsStandardStream(Csv)) {
        std::cerr << "Only one of the template and the CSV can come from standard input.\n";
        return ExitNoDevice;
    }
    // A template from standard input goes out on standard output: the report goes aside.
    if (IsStandardStream(Template)) ClaimStandardOutput();
    TKVXConfig image = ErasedConfig();
    if (!LoadTemplateOrSay(Template, image)) return ExitNoDevice;
    std::string text;
    std::string error;
    if (!ReadInputFile(Csv, text, error, MaxCsvSize)) {
        std::cerr << "Could not read \"" << Csv.string() << "\": " << error << ".\n";
        return ExitNoDevice;
    }
    const TListOutcome outcome = Imported(Kind, text, image, CountryCode);
    if (!outcome.Report.Problem.empty()) {
        std::cerr << InputName(Csv) << ": " << outcome.Report.Problem << "\nNothing was imported.\n";
        return ExitNoDevice;
    }
    Told() << ReportText(outcome.Report, SlotName(Kind)) << "\n";
    // Every row taken, or the script is told that some were not.
    const int taken = outcome.Report.Count(TImportOutcome::Skipped) == 0 ? ExitOK : ExitFailed;
    if (DryRun) {
        Told() << "Dry run: " << OutputName(Template) << " is unchanged.\n";
        return taken;
    }
    // Unchanged, a template from standard input still goes on along the pipe.
    if (!outcome.Report.Changes() && !IsStandardStream(Template)) return taken;
    if (!SaveTemplateOrSay(Template, outcome.Image)) return ExitNoDevice;
    Told() << "Saved in " << OutputName(Template) << ".\n";
    return taken;
}

int ExportList(TListKind Kind, const std::filesystem::path& Template, const std::filesystem::path& Csv)
{
    if (RefuseSameFile(Template, Csv)) return ExitNoDevice;
    TKVXConfig image = ErasedConfig();
    if (!LoadTemplateOrSay(Template, image)) return ExitNoDevice;
    const std::string text = Kind == TListKind::MissedCalls ? ExportMissedCalls(DecodeMissedCalls(image))
                                                            : ExportRecipients(DecodeRecipients(image));
    const std::filesystem::path output = Csv.empty() ? std::filesystem::path("-") : Csv;
    std::string error;
    if (!WriteOutputFile(output, text, error)) {
        std::cerr << "Could not save \"" << output.string() << "\": " << error << ".\n";
        return ExitNoDevice;
    }
    return ExitOK;
}

} // namespace kvx::cli

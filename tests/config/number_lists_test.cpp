// Missed-call numbers and recipients from and to spreadsheets: how the text is read, how
// numbers are made into what the KVX stores, where each row goes, and what the report says.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/config_set.h"
#include "config/csv_table.h"
#include "config/missed_call_list.h"
#include "config/phone_number.h"
#include "config/recipient_list.h"
#include "config/recipients.h"
#include "config/week_days.h"
#include "image/utils.h"
#include "tests/support/phone_number_cases.h"

namespace kvx {
namespace {

using TFields = std::vector<std::string>;

std::string Lines(const std::vector<std::string>& Rows, const std::string& End = "\r\n")
{
    std::string text;
    for (const std::string& row : Rows) text += row + End;
    return text;
}

// "line 37: skipped: ..." for every line the report lists.
std::vector<std::string> Listed(const TImportReport& Report, std::string_view SlotName = "location")
{
    std::vector<std::string> lines;
    const std::string text = ReportText(Report, SlotName);
    for (size_t from = text.find('\n'); from != std::string::npos;) {
        const size_t end = text.find('\n', from + 1);
        lines.push_back(text.substr(from + 1, end == std::string::npos ? std::string::npos : end - from - 1));
        from = end;
    }
    return lines;
}

TEST(CsvTable, ReadsWhatSpreadsheetsWrite)
{
    const struct {
        std::string Text;
        char Separator;
        std::vector<std::pair<size_t, TFields>> Rows;  // line, fields
        std::string Problem = {};
    } cases[] = {
        {"a,b\r\n1,2\r\n", ',', {{1, {"a", "b"}}, {2, {"1", "2"}}}},
        {"\xEF\xBB\xBF" "a;b\n1;\"2,5\"\n", ';', {{1, {"a", "b"}}, {2, {"1", "2,5"}}}},  // byte-order mark, comma inside
        {"a,b\r\r\n\n1,\"say \"\"hi\"\"\"\r", ',', {{1, {"a", "b"}}, {4, {"1", "say \"hi\""}}}},  // blank lines, CR alone
        {"a,b\n\"two\nlines\",x\ny,z", ',', {{1, {"a", "b"}}, {2, {"two\nlines", "x"}}, {4, {"y", "z"}}}},
        {"\"a;b\",c\n", ',', {{1, {"a;b", "c"}}}},  // a quoted separator does not count
        {"number\n+44 1\n", ',', {{1, {"number"}}, {2, {"+44 1"}}}},
        {"a,b\n\"x\"\n1,\"open\n2\n", ',', {}, "Line 3 opens a quoted field that is never closed."},  // cut short
        {"a\n1\"2\n", ',', {}, "Line 2 opens a quoted field that is never closed."},  // a stray quote
        {"", ',', {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        const TCsvTable table = ReadCsv(c.Text);
        EXPECT_EQ(table.Separator, c.Separator);
        EXPECT_EQ(table.Problem, c.Problem);
        ASSERT_EQ(table.Rows.size(), c.Rows.size());
        for (size_t i = 0; i < c.Rows.size(); ++i) {
            EXPECT_EQ(table.Rows[i].Line, c.Rows[i].first);
            EXPECT_EQ(table.Rows[i].Fields, c.Rows[i].second);
        }
    }
    const TFields awkward = {"plain", "with,comma", "say \"hi\"", "two\nlines", ""};
    EXPECT_EQ(ReadCsv(CsvLine(awkward)).Rows.at(0).Fields, awkward);
    EXPECT_EQ(CsvLine({"a", "b;c"}, ';'), "a;\"b;c\"\r\n");
}

// The one rule, as the recipient import and kvxctl set (and build, which set goes through)
// take each number of the table; the pages' own run of it is in the pages' tests.
TEST(PhoneNumber, OneRuleForTheImportAndSet)
{
    for (const test::TPhoneNumberCase& c : test::PhoneNumberCases) {
        SCOPED_TRACE(std::string(c.Text) + " with country code " + c.CountryCode);
        std::string reason;
        const auto digits = NormalisedNumber(c.Text, c.CountryCode, reason);
        EXPECT_EQ(digits, c.Stored ? std::optional(TUtils::FromLatin1(c.Stored)) : std::nullopt);
        EXPECT_EQ(reason, c.Reason);

        const TRecipientImport import = ImportRecipients(CsvLine({"recipient", "number"}) + CsvLine({"1", c.Text}), {}, c.CountryCode);
        ASSERT_EQ(import.Report.Lines.size(), 1u);
        EXPECT_EQ(import.Numbers[0], c.Stored ? TUtils::FromLatin1(c.Stored) : std::u16string());
        EXPECT_EQ(import.Report.Lines[0].Reason, c.Reason);

        TKVXConfig image = ErasedConfig();
        const std::vector<std::string> problems = ApplyAssignments({std::string("ReportingNumbers.1=") + c.Text}, image, c.CountryCode);
        EXPECT_EQ(problems, c.Stored ? std::vector<std::string>{} : std::vector<std::string>{std::string("ReportingNumbers.1: ") + c.Reason});
        EXPECT_EQ(DecodeRecipient(image, 0), c.Stored ? TUtils::FromLatin1(c.Stored) : std::u16string());
    }
    std::string reason;
    EXPECT_FALSE(NormalisedNumber("", "", reason));
    EXPECT_EQ(reason, "no number");
    for (const auto& [text, code] : {std::pair{"44", "44"}, {"+44", "44"}, {"0044", "44"}, {" 1 ", "1"}, {"", ""}}) {
        EXPECT_EQ(CountryCodeOfText(text, reason), std::optional<std::string>(code)) << text;
    }
    for (const char* refused : {"044", "4444", "+", "UK", "4 4"}) {
        EXPECT_FALSE(CountryCodeOfText(refused, reason)) << refused;
        EXPECT_EQ(reason, "\"" + std::string(refused) + "\" is not a country code (1 to 3 digits, as 44 or +44)");
    }
}

TMissedCallLocation Call(const std::u16string& Number, uint8_t Relay = 0, uint8_t Action = 1)
{
    TMissedCallLocation location;
    location.Number = Number;
    location.Relay = Relay;
    location.Action = Action;
    location.WeekDays = EveryWeekDay;
    return location;
}

TEST(MissedCallList, FiveHundredRowsFillEveryLocationAndComeBackOut)
{
    std::vector<std::string> rows = {"number,relay,action,confirmation,count"};
    for (int i = 0; i < 500; ++i)
        rows.push_back("+44 7700 " + std::to_string(900000 + i) + "," + std::to_string(i % 8 + 1) + ",Pulse," + (i % 2 ? "yes" : "no") + ",3");
    const TMissedCallRecords empty{};
    const TMissedCallImport first = ImportMissedCalls(Lines(rows), empty);
    EXPECT_EQ(first.Report.Count(TImportOutcome::Added), 500u);
    EXPECT_EQ(first.Records[499].Number, u"447700900499");
    EXPECT_EQ(first.Records[499].Relay, 3);
    EXPECT_EQ(first.Records[499].Action, 3 | ConfirmationBit);
    EXPECT_EQ(first.Records[499].Count, 3);

    // Exported and read back into an empty page: the same records; into the full page: nothing to change.
    const std::string exported = ExportMissedCalls(first.Records);
    EXPECT_EQ(ImportMissedCalls(exported, empty).Records, first.Records);
    const TMissedCallImport again = ImportMissedCalls(exported, first.Records);
    EXPECT_EQ(again.Report.Count(TImportOutcome::Unchanged), 500u);
    EXPECT_FALSE(again.Report.Changes());

    rows.push_back("+44 7700 999999");
    EXPECT_EQ(Listed(ImportMissedCalls(Lines(rows), first.Records).Report).back(), "line 502: skipped: no free location left");
}

TEST(MissedCallList, BadRowsAreSkippedWithTheirLineAndReason)
{
    std::vector<std::string> rows = {"location,number,relay,action,confirmation,count,window_start,window_stop,days"};
    for (int i = 2; i <= 60; ++i) rows.push_back("," + std::to_string(447700900000 + i) + ",,,,,,,");
    rows[36] = ",44770090O037,,,,,,,";  // line 37: a letter O for a zero
    rows.push_back("1,+441,9,,,,,,");
    rows.push_back("2,+442,,Blink,,,,,");
    rows.push_back("3,+443,,,maybe,,,,");
    rows.push_back("4,+444,,,,256,,,");
    rows.push_back("5,+445,,,,,08:00,,");
    rows.push_back("6,+446,,,,,,,Mon");
    rows.push_back("7,+447,,,,,25:00,26:00,");
    rows.push_back("8,+448,,,,,08:00,17:00,Funday");
    rows.push_back("501,+449,,,,,,,");
    const TMissedCallImport import = ImportMissedCalls(Lines(rows), TMissedCallRecords{});
    EXPECT_EQ(import.Report.Count(TImportOutcome::Added), 58u);
    const std::vector<std::string> skipped = {
        "line 37: skipped: \"44770090O037\" holds letters: a telephone number is digits",
        "line 61: skipped: relay \"9\" is not 1 to 8",
        "line 62: skipped: action \"Blink\" is not On, Off, Pulse or Toggle",
        "line 63: skipped: confirmation \"maybe\" is not yes or no",
        "line 64: skipped: count \"256\" is not 0 to 255",
        "line 65: skipped: window_start and window_stop go together",
        "line 66: skipped: days need window_start and window_stop",
        "line 67: skipped: window_start \"25:00\" is not a time of day (HH:MM)",
        "line 68: skipped: days \"Funday\" are not week days (Mon Tue ... Sun)",
        "line 69: skipped: location \"501\" is not 1 to 500",
    };
    std::vector<std::string> listed;
    for (const std::string& line : Listed(import.Report))
        if (line.find("skipped") != std::string::npos) listed.push_back(line);
    EXPECT_EQ(listed, skipped);
    EXPECT_EQ(import.Records[35].Number, u"447700900038") << "the rows after a bad one still go in order";
}

TEST(MissedCallList, DuplicatesAreReportedAndNeverStoredTwice)
{
    TMissedCallRecords records{};
    records[0] = Call(u"441111");
    records[4] = Call(u"445555");
    const std::string csv = Lines({
        "location,number,relay",
        ",+44 1111,2",       // line 2: the number is location 1: updated there
        ",0044 1111,3",      // line 3: the same number again
        "9,+445555,",        // line 4: held by location 5, which no row replaces
        "2,+447777,",        // line 5: added where it says
        "2,+448888,",        // line 6: location 2 again
        ",+449999,",         // line 7: the first free location
    });
    const TMissedCallImport import = ImportMissedCalls(csv, records);
    EXPECT_EQ(Listed(import.Report), (std::vector<std::string>{
                                         "line 2: updated as location 1 (+441111)",
                                         "line 3: skipped: +441111 is also on line 2",
                                         "line 4: skipped: +445555 is already location 5",
                                         "line 5: added as location 2 (+447777)",
                                         "line 6: skipped: location 2 is also on line 5",
                                         "line 7: added as location 3 (+449999)",
                                     }));
    EXPECT_EQ(import.Records[0].Relay, 1);
    EXPECT_EQ(import.Records[4], records[4]);
    const std::string text = ReportText(import.Report, "location");
    EXPECT_EQ(text.substr(0, text.find('\n')), "2 added, 1 updated, 0 unchanged, 3 skipped.");

    // Location 6 is named only by a row that is refused, so its number stays and the row
    // moving it elsewhere is refused too, whichever comes first.
    records[5] = Call(u"446666");
    records[7] = Call(u"448888");
    for (const auto& rows : {std::vector<std::string>{"6,+448888", "4,+446666"}, std::vector<std::string>{"4,+446666", "6,+448888"}}) {
        const TMissedCallImport chained = ImportMissedCalls(Lines({"location,number", rows[0], rows[1]}), records);
        EXPECT_EQ(chained.Report.Count(TImportOutcome::Skipped), 2u) << rows[0];
        EXPECT_FALSE(chained.Records[3].IsDefined()) << rows[0];
    }
}

TEST(MissedCallList, SpreadsheetWithSemicolonsAndAByteOrderMark)
{
    const std::string csv = "\xEF\xBB\xBF" + Lines({"Number;Location;Window_Start;Window_Stop;Days;Action;Confirmation",
                                                    "\"+44 7700 900555\";3;08:00:00;17:30:00;Mon Tue Wed Thu Fri;Toggle;Yes",
                                                    "+44 7700 900556;;;;;;",
                                                    ";;;;;;"});
    const TMissedCallImport import = ImportMissedCalls(csv, TMissedCallRecords{});
    ASSERT_TRUE(import.Report.Problem.empty()) << import.Report.Problem;
    EXPECT_EQ(Listed(import.Report), (std::vector<std::string>{"line 2: added as location 3 (+447700900555)",
                                                               "line 3: added as location 1 (+447700900556)"}));
    TMissedCallLocation windowed = Call(u"447700900555", 0, 4 | ConfirmationBit);
    windowed.TimeWindow = true;
    windowed.StartHour = 8;
    windowed.StopHour = 17;
    windowed.StopMinute = 30;
    windowed.WeekDays = Monday | Tuesday | Wednesday | Thursday | Friday;
    EXPECT_EQ(import.Records[2], windowed);
    EXPECT_EQ(import.Records[0], Call(u"447700900556"));
}

TEST(MissedCallList, FileThatIsNoListChangesNothing)
{
    TMissedCallRecords records{};
    records[0] = Call(u"441111");
    const struct {
        std::string Csv;
        std::string Problem;
    } cases[] = {
        {"", "The file holds no rows."},
        {"location,relay\n1,2\n", "The first line must name the columns, among them \"number\""},
        {"number,colour\n+441,red\n", "The first line names the column \"colour\", which is not one of location, number"},
        {"number,Number\n", "The first line names the column \"number\" twice."},
        {"+441234\n+445678\n", "The first line names the column \"+441234\""},
        {"number\n+441\n\"+442\n+443\n", "Line 3 opens a quoted field that is never closed."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Csv);
        const TMissedCallImport import = ImportMissedCalls(c.Csv, records);
        EXPECT_EQ(import.Report.Problem.substr(0, c.Problem.size()), c.Problem);
        EXPECT_FALSE(import.Report.Changes());
        EXPECT_EQ(import.Records, records);
    }
}

TEST(RecipientList, TenRecipientsAtMostAndTheirPlaces)
{
    TRecipientNumbers numbers{};
    numbers[1] = u"442222";
    std::vector<std::string> rows = {"recipient;number", "2;+44 2222"};
    for (int i = 0; i < 10; ++i) rows.push_back(";+4490" + std::to_string(i));
    rows.push_back("11;+44123");
    const TRecipientImport import = ImportRecipients(Lines(rows, "\n"), numbers);
    EXPECT_EQ(import.Report.Count(TImportOutcome::Unchanged), 1u);
    EXPECT_EQ(import.Report.Count(TImportOutcome::Added), 9u);
    const std::vector<std::string> listed = Listed(import.Report, "recipient");
    EXPECT_EQ(listed.front(), "line 3: added as recipient 1 (+44900)");
    EXPECT_EQ(listed.at(listed.size() - 2), "line 12: skipped: no free recipient left");
    EXPECT_EQ(listed.back(), "line 13: skipped: recipient \"11\" is not 1 to 10");
    EXPECT_EQ(import.Numbers[9], u"44908");
    EXPECT_TRUE(ExportRecipients(import.Numbers).starts_with("recipient,number\r\n1,+44900\r\n2,+442222\r\n"));
}

} // namespace
} // namespace kvx

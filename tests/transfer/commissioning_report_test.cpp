// The commissioning report of the simulated unit's memory: its parts, and as HTML.
#include <gtest/gtest.h>

#include "config/cid_list.h"
#include "config/contact_id.h"
#include "sim/default_memory.h"
#include "transfer/commissioning_report.h"
#include "transfer/report_html.h"

namespace kvx {
namespace {

using TKind = TReportPart::TKind;

class CommissioningReportTest : public ::testing::Test {
protected:
    static TKVXConfig Image(const std::string& Password = "")
    {
        std::vector<uint8_t> memory = sim::DefaultUnitMemory();
        if (!Password.empty()) sim::StorePassword(memory, Password);
        TKVXConfig image;
        std::copy_n(memory.begin(), TKVXConfig::Size, image.Bytes());
        return image;
    }
    static TStatusSnapshot Unit()
    {
        TStatusSnapshot unit;
        unit.Unit.emplace();
        unit.Unit->FirmwareMajor = 1;
        unit.Unit->FirmwareMinor = 2;
        unit.Unit->State = 4;
        unit.Unit->SignalLevel = 67;
        unit.Unit->SupplyDeciVolts = 138;
        unit.Operator = u"Vodafone";
        unit.IMEI = u"356938035643809";
        return unit;
    }
    TReportDocument Report(const TKVXConfig& Image, const std::optional<TStatusSnapshot>& Unit) const
    {
        return CommissioningReport(Image, Unit, Details, Events.Events);
    }
    // The parts under a heading (a section or a page), up to the next heading.
    static std::vector<TReportPart> Under(const TReportDocument& Report, const std::string& Heading)
    {
        std::vector<TReportPart> parts;
        bool inside = false;
        for (const TReportPart& part : Report.Parts) {
            const bool heading = part.Kind == TKind::Section || part.Kind == TKind::Page;
            if (heading) inside = part.Text == Heading;
            else if (inside) parts.push_back(part);
        }
        return parts;
    }
    static const TReportPart* Of(const std::vector<TReportPart>& Parts, TKind Kind)
    {
        const auto part = std::find_if(Parts.begin(), Parts.end(), [Kind](const TReportPart& p) { return p.Kind == Kind; });
        return part == Parts.end() ? nullptr : &*part;
    }
    // The value beside Caption in the facts under Heading; "(none)" when there is no such row.
    static std::string Fact(const TReportDocument& Report, const std::string& Heading, const std::string& Caption)
    {
        for (const TReportPart& part : Under(Report, Heading))
            for (const TReportRow& row : part.Kind == TKind::Facts ? part.Rows : std::vector<TReportRow>{})
                if (row.at(0) == Caption) return row.at(1);
        return "(none)";
    }

    TReportDetails Details{{2026, 3, 23, 14, 5, 9}, "1.3", "read from the unit", "Ann & <Bob>", "Farm 12", "Mast on the barn.\nKey at the farm."};
    TCIDList Events = LoadCIDList(KVX_CIDLIST_FILE, CIDReportingCapacity);
};

TEST_F(CommissioningReportTest, ListsOnlyTheDefinedEntriesOfEachList)
{
    const TReportDocument report = Report(Image(), Unit());
    const struct {
        const char* Page;
        TReportRow Columns;
        TReportRow FirstRow;
        size_t Rows;
    } lists[] = {
        {"Message recipients", {"Recipient", "Number"}, {"1", "+447700900101"}, 3},
        {"SMS input messages", {"Input", "Message", "Delay (sec)"}, {"1 high", "\"Door open\"", "2"}, 4},
        {"SMS command shortcuts", {"Shortcut", "Shortcut command", "SMS command instruction"}, {"1", "\"open gate\"", "\"rly1*pls\""}, 1},
        {"Missed call switching",
         {"Missed call", "Missed call number", "Relay", "Relay action", "Operational count", "Send confirmation SMS", "Operational time window", "Days of week"},
         {"001", "+447700900201", "Relay1", "Pulse", "0", "off", "off", "disabled"},
         3},
        {"Switching by timer",
         {"Timer", "Timer label", "Relay", "Relay operation", "Operation time", "Days of week", "Send confirmation SMS"},
         {"01", "\"Pump on\"", "Relay1", "On", "06:30", "Mon Tue Wed Thu Fri", "on"},
         3},
        {"If-this-then-that", {"Remote command", "Receiving number", "Command", "Trigger"}, {"1", "+447700900555", "\"$8642*rly2*on\"", "Input 1 high"}, 2},
    };
    for (const auto& list : lists) {
        const std::vector<TReportPart> page = Under(report, list.Page);
        const TReportPart* part = Of(page, TKind::List);
        ASSERT_TRUE(part) << list.Page;
        EXPECT_EQ(part->Columns, list.Columns) << list.Page;
        ASSERT_EQ(part->Rows.size(), list.Rows) << list.Page;
        EXPECT_EQ(part->Rows.front(), list.FirstRow) << list.Page;
    }
    EXPECT_EQ(Under(report, "SMS input messages").back().Rows.back().at(1), "\"Gate left open\"");
    // The analogue input stays on its page as settings; events that go to no one are left out.
    EXPECT_EQ(Fact(report, "SMS input messages", "Message - high breach"), "\"Tank full\"");
    EXPECT_EQ(Fact(report, "Contact ID", "114 Heat"), "1, 2");
    EXPECT_EQ(Fact(report, "Contact ID", "115 Pull Station"), "(none)");
    EXPECT_TRUE(Of(Under(report, "Contact ID"), TKind::Note) != nullptr);
    EXPECT_EQ(Fact(report, "Contact ID", "Zone 3"), "(none)");
    EXPECT_EQ(ReportHtml(report).find("EEPROMFlags"), std::string::npos) << "fields no page shows";
}

TEST_F(CommissioningReportTest, NamesTheUnitAndTheInstallerButNeverAPasswordOrThePin)
{
    const TReportDocument report = Report(Image("Secret42"), Unit());
    EXPECT_EQ(report.Title, "KVX commissioning report - KVX Demo Site");
    const std::pair<const char*, const char*> unit[] = {{"Unit reporting name", "\"KVX Demo Site\""}, {"IMEI", "356938035643809"},
                                                        {"IMSI", "not reported"}, {"Operator", "Vodafone"}, {"Firmware", "1.2"},
                                                        {"Signal", "-67 dBm"}, {"GSM state", "GSM connected"}, {"Supply", "13.8V"}};
    for (const auto& [caption, value] : unit) EXPECT_EQ(Fact(report, "Unit", caption), value) << caption;
    EXPECT_EQ(Fact(report, "Security setup", "Command PIN"), "set");
    EXPECT_EQ(Fact(report, "Security setup", "Programming access password"), "set");

    const std::string html = ReportHtml(report);
    for (const char* part : {"<title>KVX commissioning report - KVX Demo Site</title>", "<td>2026-03-23 14:05:09</td>",
                             "<td>Ann &amp; &lt;Bob&gt;</td>", "<p>Mast on the barn.<br>Key at the farm.</p>",
                             "<th class=\"entry\">Send<br>confirmation SMS</th>", "<td class=\"entry\">+447700900201</td>",
                             "<td>Mon Tue Wed Thu Fri</td>"})
        EXPECT_NE(html.find(part), std::string::npos) << part;
    EXPECT_EQ(html.find("Secret42"), std::string::npos);
    EXPECT_EQ(html.find(">1234<"), std::string::npos) << "the command PIN";

    const TReportDocument withoutUnit = Report(Image(), std::nullopt);
    EXPECT_EQ(Fact(withoutUnit, "Unit", "IMEI"), "(none)");
    const std::vector<TReportPart> unitParts = Under(withoutUnit, "Unit");
    ASSERT_TRUE(Of(unitParts, TKind::Note) != nullptr);
    EXPECT_NE(Of(unitParts, TKind::Note)->Text.find("No dongle was connected"), std::string::npos);
    EXPECT_EQ(Fact(withoutUnit, "Security setup", "Programming access password"), "none");
}

} // namespace
} // namespace kvx

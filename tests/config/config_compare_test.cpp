// Two images compared by field: element names, readable values, and every byte of the image
// belonging to exactly one element (so no difference can go unseen).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <random>

#include "config/config_compare.h"
#include "config/distribution.h"
#include "config/general_setup.h"
#include "config/template_file.h"
#include "config/text_fields.h"

namespace kvx {

void PrintTo(const TFieldDifference& d, std::ostream* os)
{
    *os << d.Name << " @" << d.Offset << "+" << d.Size << ": " << d.First << " -> " << d.Second;
}

namespace {

struct TCompareCase {
    const char* What;
    std::function<void(TKVXConfig&)> Edit;
    TFieldDifference Expected;
};

void WriteSlot(TKVXConfig& Config, size_t Offset, size_t Width, const std::u16string& Text)
{
    WriteText(Config.Bytes() + Offset, Width, Text, PadSpace);
}

const std::string ErasedRow = "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF";
const std::string SpacesRow = "20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20";

TEST(ConfigCompare, EachKindOfFieldIsNamedAndShownReadably)
{
    const TCompareCase cases[] = {
        {"byte", [](TKVXConfig& c) { c.TremmorCount = 180; }, {"TremmorCount", 82, 1, "255", "180"}},
        {"time of day", [](TKVXConfig& c) { c.AutoTestTimeHours = 0x12; }, {"AutoTestTimeHours", 80, 1, "FF", "12"}},
        {"word", [](TKVXConfig& c) { c.ACFailTimeout.SetValue(600); }, {"ACFailTimeout", 90, 2, "65535", "600"}},
        {"text", [](TKVXConfig& c) { EncodeUnitID(c, u"Farm gate"); }, {"UnitID", 176, 16, "\"\"", "\"Farm gate\""}},
        {"timer label", [](TKVXConfig& c) { WriteSlot(c, 2560 + 4 * 16, 16, u"Pump"); },
         {"TimerLabels[5]", 2624, 16, "\"\"", "\"Pump\""}},
        {"zone 0", [](TKVXConfig& c) { WriteSlot(c, 4624, 16, u"Door"); }, {"CIDZoneLabels[0]", 4624, 16, "\"\"", "\"Door\""}},
        {"mask by event", [](TKVXConfig& c) { EncodeDistributionMask(c, TDistributionEvent::MainsFail, 5); },
         {"DistributeMessages[MainsFail]", 28966, 2, "65535", "5"}},
        {"input message", [](TKVXConfig& c) { WriteSlot(c, 24576, 16, u"Door open"); },
         {"InputMessages[IP1H]", 24576, 16, "\"\"", "\"Door open\""}},
        {"remote command", [](TKVXConfig& c) { WriteSlot(c, 30464 + 80 + 16, 64, u"$1234*OUT1ON"); },
         {"RemoteControl[2].Command", 30560, 64, "\"\"", "\"$1234*OUT1ON\""}},
        {"shortcut", [](TKVXConfig& c) { WriteSlot(c, 31232 + 32, 32, u"OUT1ON"); },
         {"ShortCuts[1].Instruction", 31264, 32, "\"\"", "\"OUT1ON\""}},
        {"bytes as hex", [](TKVXConfig& c) { c.MissedCallAccessRules[16] = 0x12; },
         {"MissedCallAccessRules[3]", 16720, 8, "FF FF FF FF FF FF FF FF", "12 FF FF FF FF FF FF FF"}},
        {"reserved row", [](TKVXConfig& c) { c.Unknown19[33] = 0; },
         {"Unknown19[+32]", 20736, 16, ErasedRow, "FF 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF"}},
        {"hidden setting", [](TKVXConfig& c) { c.Bytes()[HiddenSettingOffset] = 20; }, {"HiddenSetting", 8213, 1, "255", "20"}},
        {"row cut before it", [](TKVXConfig& c) { c.Bytes()[8212] = 0; },
         {"NotAllocated[+16]", 8208, 5, "FF FF FF FF FF", "FF FF FF FF 00"}},
        {"padding only", [](TKVXConfig& c) { WriteSlot(c, 176, 16, u""); }, {"UnitID", 176, 16, ErasedRow, SpacesRow}},
        {"not printable", [](TKVXConfig& c) { c.PIN[0] = 0x01; }, {"PIN", 160, 4, "\"\"", "01 FF FF FF"}},
    };
    for (const TCompareCase& c : cases) {
        SCOPED_TRACE(c.What);
        TKVXConfig edited = ErasedConfig();
        c.Edit(edited);
        EXPECT_EQ(CompareConfigs(ErasedConfig(), edited), std::vector<TFieldDifference>{c.Expected});
    }
}

TEST(ConfigCompare, AccessPasswordShowsNoBytesAndNoPasswordOnBothSidesIsTheSame)
{
    const auto password = [](const std::u16string& Text) {
        TKVXConfig image = ErasedConfig();
        if (!Text.empty()) WriteSlot(image, 1792, 32, Text);
        return image;
    };
    const TFieldDifference differs{"LockArray", 1792, 32, "(differs)", "(differs)"};
    const struct {
        const char* What;
        TKVXConfig First;
        TKVXConfig Second;
        bool Differ;
    } cases[] = {
        {"erased and blank", password(u""), password(u" "), false},
        {"none and one", password(u""), password(u"pw"), true},
        {"the same", password(u"pw"), password(u"pw"), false},
        {"two others", password(u"pw"), password(u"px"), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        EXPECT_EQ(CompareConfigs(c.First, c.Second), c.Differ ? std::vector<TFieldDifference>{differs} : std::vector<TFieldDifference>{});
    }
}

TEST(ConfigCompare, EveryByteBelongsToExactlyOneElement)
{
    const TKVXConfig base = ErasedConfig();
    for (size_t i = 0; i < TKVXConfig::Size; ++i) {
        TKVXConfig changed = base;
        changed.Bytes()[i] = 0;
        const auto differences = CompareConfigs(base, changed);
        ASSERT_EQ(differences.size(), 1u) << "byte " << i;
        ASSERT_LE(differences[0].Offset, i);
        ASSERT_GT(differences[0].Offset + differences[0].Size, i) << differences[0].Name;
    }
    EXPECT_TRUE(CompareConfigs(base, base).empty());
}

TEST(ConfigCompare, FieldsOfSeveralPagesComeInImageOrder)
{
    TKVXConfig edited = ErasedConfig();
    EncodeDistributionMask(edited, TDistributionEvent::PowerUp, 1);
    EncodeUnitID(edited, u"Farm");
    edited.SIM2Enable = 0;
    std::vector<std::string> names;
    for (const TFieldDifference& d : CompareConfigs(ErasedConfig(), edited)) names.push_back(d.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"UnitID", "SIM2Enable", "DistributeMessages[PowerUp]"}));
}

TEST(TemplateFile, NeverHoldsThePasswordAndLeavesTheCallersImage)
{
    const auto path =
        std::filesystem::temp_directory_path() / ("kvx-password-" + std::to_string(std::random_device{}()) + ".kvx");
    TKVXConfig image = ErasedConfig();
    WriteSlot(image, 1792, 32, u"Secret");
    std::string reason;
    ASSERT_TRUE(SaveTemplate(path, image, reason)) << reason;
    TKVXConfig loaded;
    ASSERT_TRUE(LoadTemplate(path, loaded, reason)) << reason;
    std::filesystem::remove(path);
    EXPECT_TRUE(CompareConfigs(ErasedConfig(), loaded).empty());
    EXPECT_EQ(image.LockArray[0], 'S');
}

} // namespace
} // namespace kvx

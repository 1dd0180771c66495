#include "image/kvx_config.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

namespace kvx {
namespace {

const TFieldInfo& Field(std::string_view name)
{
    const auto fields = ConfigFields();
    const auto it = std::find_if(fields.begin(), fields.end(), [&](const TFieldInfo& f) { return f.Name == name; });
    EXPECT_NE(it, fields.end()) << name;
    return *it;
}

TEST(ConfigImage, FieldsTileTheWholeImageWithoutGapsOrOverlaps)
{
    size_t next = 0;
    for (const TFieldInfo& field : ConfigFields()) {
        EXPECT_EQ(field.Offset, next) << field.Name;
        next = field.Offset + field.Size;
    }
    EXPECT_EQ(next, TKVXConfig::Size);
    EXPECT_EQ(TKVXConfig::Size, 249u * 128u);
}

TEST(ConfigImage, LandmarkFieldsAndKinds)
{
    EXPECT_EQ(Field("ShortCuts").Offset, 31232u);
    EXPECT_EQ(Field("DistributeMessages").Offset, 28928u);
    EXPECT_EQ(Field("DistributeMessages").Size, 68u);
    EXPECT_EQ(Field("FirmwareVersion").Offset, 2044u);
    EXPECT_EQ(Field("LockArray").Offset, 1792u);
    EXPECT_EQ(Field("UnitID").Kind, TFieldKind::Label);
    EXPECT_EQ(Field("Unknown7").Kind, TFieldKind::Bytes) << "16 plain bytes are not a label";
    EXPECT_EQ(Field("ACFailTimeout").Kind, TFieldKind::Word);
    EXPECT_EQ(Field("DialTone").Kind, TFieldKind::Byte);
    EXPECT_LT(Field("NotAllocated").Offset, HiddenSettingOffset);
    EXPECT_LT(HiddenSettingOffset, Field("NotAllocated").Offset + Field("NotAllocated").Size);

    // The dump, the build and the comparison pick these out by name alone.
    const auto fields = ConfigFields();
    const auto count = [&](bool (*Is)(std::string_view)) {
        return std::count_if(fields.begin(), fields.end(), [&](const TFieldInfo& f) { return Is(f.Name); });
    };
    EXPECT_EQ(count(IsInputDelayField), 14) << "Input1HighDelay .. Input7LowDelay";
    EXPECT_EQ(count(IsReservedField), 29);
    EXPECT_TRUE(IsInputDelayField("Input7LowDelay"));
    EXPECT_FALSE(IsInputDelayField("InputMessages"));
    EXPECT_TRUE(IsReservedField("Unknown7"));
}

TEST(ConfigImage, WordsCarryTheirByteOrder)
{
    TKVXConfig config = ErasedConfig();
    config.Relay1PulseTime.SetValue(1000);
    EXPECT_EQ(config.Bytes()[256], 0x03);
    EXPECT_EQ(config.Bytes()[257], 0xE8);
    EXPECT_EQ(config.Relay1PulseTime.Value(), 1000);
    EXPECT_EQ(config.Bytes()[255], 0xFF);
    EXPECT_EQ(config.Bytes()[258], 0xFF);

    config.DistributeMessages.Masks[0].SetValue(0x0205);
    EXPECT_EQ(config.Bytes()[28928], 0x05);
    EXPECT_EQ(config.Bytes()[28929], 0x02);
    EXPECT_EQ(config.DistributeMessages.Masks[0].Value(), 0x0205);
    EXPECT_EQ(config.Bytes()[28930], 0xFF);
}

TEST(ConfigImage, ErasedImageIsAllFF)
{
    const TKVXConfig config = ErasedConfig();
    EXPECT_TRUE(std::all_of(config.Image().begin(), config.Image().end(), [](uint8_t b) { return b == 0xFF; }));
}

} // namespace
} // namespace kvx

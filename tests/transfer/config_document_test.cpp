// The document's state through reads, edits, writes and template loads, without a window.
#include <gtest/gtest.h>

#include "transfer/config_document.h"

namespace kvx {
namespace {

TKVXConfig ImageWith(size_t Offset, uint8_t Value)
{
    TKVXConfig image = ErasedConfig();
    image.Bytes()[Offset] = Value;
    return image;
}

TEST(ConfigDocument, StartsErasedWithNothingReadLoadedOrEdited)
{
    const TConfigDocument document;
    EXPECT_EQ(document.Image().Bytes()[100], 0xFF);
    EXPECT_FALSE(document.Changed() || document.HasBeenRead() || document.TemplateLoaded() || document.UnsavedEdits());
    EXPECT_TRUE(document.ImageName().empty());
    EXPECT_EQ(document.Transfer(), TTransfer::None);
    EXPECT_EQ(document.ImageToWrite().Bytes()[HiddenSettingOffset], 50) << "nothing read: the default";
}

TEST(ConfigDocument, HiddenByteTravelsFromWhatTheUnitHoldsToTheWriteAlone)
{
    const struct {
        uint8_t Held;
        uint8_t Written;
    } cases[] = {{0, 0}, {20, 20}, {254, 254}, {255, 50}};
    for (const auto& c : cases) {
        TConfigDocument document;
        document.UnitHolds(ImageWith(HiddenSettingOffset, c.Held));
        // Neither the pages nor a template carry it.
        document.ReplaceImage(ImageWith(HiddenSettingOffset, 7));
        document.TemplateLoadedAs(ImageWith(HiddenSettingOffset, 9));
        EXPECT_EQ(document.ImageToWrite().Bytes()[HiddenSettingOffset], c.Written) << int(c.Held);
        EXPECT_EQ(document.WriteStarting().Bytes()[HiddenSettingOffset], c.Written) << int(c.Held);
    }
}

TEST(ConfigDocument, OnlyTheUsersEditsAreUnsavedAndOnlyTheFirstSaysSo)
{
    TConfigDocument document;
    EXPECT_FALSE(document.PageChanged(true));
    EXPECT_TRUE(document.Changed());
    EXPECT_FALSE(document.UnsavedEdits()) << "showing an image is no edit";
    EXPECT_TRUE(document.PageChanged(false));
    EXPECT_FALSE(document.PageChanged(false));
    EXPECT_TRUE(document.UnsavedEdits());
    document.ShowingImageOf(u"farm.kvx");
    EXPECT_FALSE(document.UnsavedEdits());
    EXPECT_TRUE(document.Changed()) << "a template holds the edits, the unit does not";
    document.ReadStarting();
    EXPECT_FALSE(document.Changed());
    EXPECT_EQ(document.Image().Bytes()[0], 0xFF);
}

TEST(ConfigDocument, AWriteTakesTheEditsBeforeItAndKeepsThoseMadeWhileItRan)
{
    const auto written = [](TWriteStep Step) {
        TUnitWriteResult result;
        result.Step = Step;
        return result;
    };
    const struct {
        TWriteStep Step;
        bool EditWhileRunning;
        bool Changed, Unsaved, HasBeenRead;
        const char16_t* Name;
    } cases[] = {
        {TWriteStep::Done, false, false, false, true, u"Farm gate"},
        {TWriteStep::Done, true, true, true, true, u"Farm gate"},
        {TWriteStep::Verify, false, true, true, true, u"old.kvx"},     // the unit holds something else
        {TWriteStep::ReadBack, false, false, true, true, u"old.kvx"},  // written, not verified
        {TWriteStep::Write, false, true, true, false, u"old.kvx"},
        {TWriteStep::ReadBefore, false, true, true, false, u"old.kvx"},
    };
    for (const auto& c : cases) {
        TConfigDocument document;
        document.ShowingImageOf(u"old.kvx");
        document.PageChanged(false);
        document.WriteStarting();
        EXPECT_FALSE(document.Changed() || document.UnsavedEdits());
        if (c.EditWhileRunning) document.PageChanged(false);
        document.WriteEnded(written(c.Step), u"Farm gate");
        const auto step = static_cast<int>(c.Step);
        EXPECT_EQ(document.Changed(), c.Changed) << step;
        EXPECT_EQ(document.UnsavedEdits(), c.Unsaved) << step;
        EXPECT_EQ(document.HasBeenRead(), c.HasBeenRead) << step;
        EXPECT_EQ(document.ImageName(), c.Name) << step;
    }
}

} // namespace
} // namespace kvx

#include "transfer/config_document.h"

#include <utility>

namespace kvx {

namespace {
constexpr uint8_t Unprogrammed = 255;
} // namespace

uint8_t HiddenSettingToWrite(uint8_t Held)
{
    return Held == Unprogrammed ? HiddenSettingDefault : Held;
}

TConfigDocument::TConfigDocument() : FImage(ErasedConfig()) {}

TKVXConfig TConfigDocument::ImageToWrite() const
{
    TKVXConfig image = FImage;
    image.Bytes()[HiddenSettingOffset] = HiddenSettingToWrite();
    return image;
}

void TConfigDocument::ReplaceImage(const TKVXConfig& Image)
{
    FImage = Image;
}

bool TConfigDocument::PageChanged(bool WhileShowing)
{
    FChanged = true;
    if (WhileShowing || FUnsavedEdits) return false;
    FUnsavedEdits = true;
    return true;
}

void TConfigDocument::ReadStarting()
{
    FChanged = false;
    FImage = ErasedConfig();
}

void TConfigDocument::UnitHolds(const TKVXConfig& Image)
{
    FImage = Image;
    FHasBeenRead = true;
    FHiddenSetting = Image.Bytes()[HiddenSettingOffset];
}

void TConfigDocument::TemplateLoadedAs(const TKVXConfig& Image)
{
    FImage = Image;
    FTemplateLoaded = true;
}

void TConfigDocument::ShowingImageOf(std::u16string Name)
{
    FImageName = std::move(Name);
    FUnsavedEdits = false;
}

const TKVXConfig& TConfigDocument::WriteStarting()
{
    FImage.Bytes()[HiddenSettingOffset] = HiddenSettingToWrite();
    FChangedBeforeWrite = std::exchange(FChanged, false);
    FUnsavedBeforeWrite = std::exchange(FUnsavedEdits, false);
    return FImage;
}

void TConfigDocument::WriteEnded(const TUnitWriteResult& Result, std::u16string UnitName)
{
    if (Result.Written()) {
        FHasBeenRead = true;
        // The unit holds something else than the pages: a later read should still ask.
        if (Result.Step == TWriteStep::Verify) FChanged = true;
    } else {
        FChanged = FChanged || FChangedBeforeWrite;
    }
    // Only a verified write, or one not to be verified, puts the edits safely in the unit.
    if (Result.Step == TWriteStep::Done) FImageName = std::move(UnitName);
    else FUnsavedEdits = FUnsavedEdits || FUnsavedBeforeWrite;
}

} // namespace kvx

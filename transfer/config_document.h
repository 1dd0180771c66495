#pragma once
// The configuration the program works on: the image the pages show and store, where it came
// from, which of its edits are in the unit or in a template, byte 8213 that no page shows,
// and the transfer with the unit under way. The window and the pages show it; only the
// functions below change it.
#include <cstdint>
#include <string>

#include "image/kvx_config.h"
#include "transfer/unit_write.h"

namespace kvx {

// Byte 8213 (HiddenSettingOffset) is shown nowhere: it travels from a read to the next
// write. Unprogrammed memory (255) goes out as 50, as does a byte never read.
inline constexpr uint8_t HiddenSettingDefault = 50;
uint8_t HiddenSettingToWrite(uint8_t Held);

// What the read and write buttons do when clicked, and so what they say.
enum class TTransfer : uint8_t {
    None,      // start a read or a write
    Reading,   // the read button stops the read
    Writing,   // the write button stops the write
    Stopping,  // a stop was asked for; the device object has not returned yet
};

class TConfigDocument {
public:
    TConfigDocument();  // an erased image, nothing read, loaded or changed

    const TKVXConfig& Image() const { return FImage; }
    // A page reported a change since the last read or write of the unit (a template save
    // leaves it standing): a read asks first.
    bool Changed() const { return FChanged; }
    // The unit's memory was read or written since the program started.
    bool HasBeenRead() const { return FHasBeenRead; }
    // A template was loaded since the program started.
    bool TemplateLoaded() const { return FTemplateLoaded; }
    // Edits since the last read, write, template save or load: what closing, loading a
    // template, restoring a backup and reading would lose.
    bool UnsavedEdits() const { return FUnsavedEdits; }
    // The unit or template file the pages show, as the title names it; empty: none yet.
    const std::u16string& ImageName() const { return FImageName; }
    // Byte 8213 as a write stores it.
    uint8_t HiddenSettingToWrite() const { return kvx::HiddenSettingToWrite(FHiddenSetting); }
    // The image as a write sends it: with byte 8213.
    TKVXConfig ImageToWrite() const;
    TTransfer Transfer() const { return FTransfer; }

    // The pages stored Image (every page, or those before the first that refused).
    void ReplaceImage(const TKVXConfig& Image);
    // A page reported a change. WhileShowing: the pages are being filled with an image,
    // which is no edit of the user's. True when this starts the unsaved edits.
    bool PageChanged(bool WhileShowing);
    // The pages' change reports go (a read drops them when it ends, however it ended).
    void ForgetChanges() { FChanged = false; }

    // A read of the unit begins: the pages' change reports go, and the image is erased
    // until the unit's memory arrives.
    void ReadStarting();
    // The unit holds Image: read whole, or written as it is (a restored backup).
    void UnitHolds(const TKVXConfig& Image);
    // A backup went into the unit as it is and the pages show it; Differs: the read-back
    // found something else in the unit, so a later read should still ask.
    void BackupRestored(bool Differs) { FChanged = Differs; }
    void TemplateLoadedAs(const TKVXConfig& Image);
    // The pages now show the image all of a piece, of the unit or template file Name.
    void ShowingImageOf(std::u16string Name);

    // A write of the image begins: byte 8213 goes in, and the edits so far travel with it
    // (edits that arrive while it runs are not in the unit). The image to send.
    const TKVXConfig& WriteStarting();
    // How that write ended; UnitName: the unit by its name in the written image.
    void WriteEnded(const TUnitWriteResult& Result, std::u16string UnitName);

    void TransferStarted(TTransfer Kind) { FTransfer = Kind; }
    void TransferStopping() { FTransfer = TTransfer::Stopping; }
    void TransferEnded() { FTransfer = TTransfer::None; }

private:
    TKVXConfig FImage;
    bool FChanged = false;
    bool FHasBeenRead = false;
    bool FTemplateLoaded = false;
    bool FUnsavedEdits = false;
    std::u16string FImageName;
    uint8_t FHiddenSetting = HiddenSettingDefault;
    TTransfer FTransfer = TTransfer::None;
    bool FChangedBeforeWrite = false;
    bool FUnsavedBeforeWrite = false;
};

} // namespace kvx

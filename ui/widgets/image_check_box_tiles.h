#pragma once
// The 33 pictures of the recipient boxes (All, 1..10; checked, unchecked, disabled), 17 x 17,
// painted once on first use and shared by every box of every grid.
#include <QPixmap>
#include <QString>

namespace kvx::ui {

enum class TCheckType : uint8_t { ctCustom, ctAll, ctOne, ctTwo, ctThree, ctFour, ctFive, ctSix, ctSeven, ctEight, ctNine, ctTen, ctNone };
enum class TCheckLook : uint8_t { Checked, Unchecked, Disabled };

inline constexpr int CheckBoxTileSize = 17;

// A tile in the recipient boxes' colours for this look, Text centred in bold.
QPixmap PaintCheckBoxTile(const QString& Text, TCheckLook Look, int PixelSize);
// True for ctAll .. ctTen, the types with a tile of their own.
bool HasTile(TCheckType Type);
// The tile's name as the program has always called it: "ALLC", "ONEU", "TEND", ...
QString CheckBoxTileName(TCheckType Type, TCheckLook Look);
// The shared tile; a null picture for ctCustom and ctNone.
const QPixmap& CheckBoxTile(TCheckType Type, TCheckLook Look);

} // namespace kvx::ui

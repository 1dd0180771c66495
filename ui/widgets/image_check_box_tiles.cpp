#include "ui/widgets/image_check_box_tiles.h"

#include <QFont>
#include <QPainter>
#include <array>

namespace kvx::ui {

namespace {

constexpr int TileTypeCount = 11;  // ctAll .. ctTen
constexpr int LookCount = 3;

constexpr std::array<const char*, TileTypeCount> TileWords{"ALL", "ONE", "TWO", "THREE", "FOUR", "FIVE",
                                                           "SIX", "SEVEN", "EIGHT", "NINE", "TEN"};
constexpr std::array<char, LookCount> LookLetters{'C', 'U', 'D'};

struct TLookColours {
    QColor Background;
    QColor Text;
};

const std::array<TLookColours, LookCount>& LookColours()
{
    static const std::array<TLookColours, LookCount> colours{{
        {QColor(0x00, 0x7D, 0xB7), Qt::white},
        {QColor(0xAA, 0xA9, 0xA9), Qt::white},
        {QColor(0xDD, 0xDD, 0xDD), QColor(0xB4, 0xB4, 0xB4)},
    }};
    return colours;
}

int TileIndex(TCheckType Type) { return static_cast<int>(Type) - static_cast<int>(TCheckType::ctAll); }

QPixmap PaintTile(int Index, TCheckLook Look)
{
    return PaintCheckBoxTile(Index == 0 ? QStringLiteral("All") : QString::number(Index), Look,
                             Index == 0 ? 8 : Index == 10 ? 9 : 10);
}

using TTileSet = std::array<std::array<QPixmap, LookCount>, TileTypeCount>;

const TTileSet& Tiles()
{
    static const TTileSet tiles = [] {
        TTileSet made;
        for (int type = 0; type < TileTypeCount; ++type)
            for (int look = 0; look < LookCount; ++look)
                made[static_cast<size_t>(type)][static_cast<size_t>(look)] = PaintTile(type, static_cast<TCheckLook>(look));
        return made;
    }();
    return tiles;
}

} // namespace

QPixmap PaintCheckBoxTile(const QString& Text, TCheckLook Look, int PixelSize)
{
    const TLookColours& colours = LookColours()[static_cast<size_t>(Look)];
    QPixmap tile(CheckBoxTileSize, CheckBoxTileSize);
    tile.fill(colours.Background);
    QPainter painter(&tile);
    QFont font = painter.font();
    font.setPixelSize(PixelSize);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(colours.Text);
    painter.drawText(tile.rect(), Qt::AlignCenter, Text);
    return tile;
}

bool HasTile(TCheckType Type)
{
    return Type >= TCheckType::ctAll && Type <= TCheckType::ctTen;
}

QString CheckBoxTileName(TCheckType Type, TCheckLook Look)
{
    if (!HasTile(Type)) return {};
    return QString::fromLatin1(TileWords[static_cast<size_t>(TileIndex(Type))]) + QChar(LookLetters[static_cast<size_t>(Look)]);
}

const QPixmap& CheckBoxTile(TCheckType Type, TCheckLook Look)
{
    static const QPixmap none;
    if (!HasTile(Type)) return none;
    return Tiles()[static_cast<size_t>(TileIndex(Type))][static_cast<size_t>(Look)];
}

} // namespace kvx::ui

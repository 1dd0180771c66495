#include "ui/main/ico_file.h"

#include <QBuffer>

namespace kvx::ui {

namespace {

constexpr int HeaderBytes = 6;
constexpr int EntryBytes = 16;
constexpr int LargestSide = 256;  // stored as 0 in the entry's byte

void AppendLittleEndian(QByteArray& Bytes, quint32 Value, int Count)
{
    for (int i = 0; i < Count; ++i) Bytes.append(static_cast<char>((Value >> (8 * i)) & 0xFF));
}

QByteArray PngOf(const QImage& Image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    return Image.save(&buffer, "PNG") ? png : QByteArray();
}

} // namespace

QByteArray IcoFileOf(const std::vector<QImage>& Images)
{
    QByteArray header;
    QByteArray data;
    AppendLittleEndian(header, 0, 2);  // reserved
    AppendLittleEndian(header, 1, 2);  // an icon, not a cursor
    AppendLittleEndian(header, static_cast<quint32>(Images.size()), 2);
    const qsizetype firstImage = HeaderBytes + EntryBytes * static_cast<qsizetype>(Images.size());
    for (const QImage& image : Images) {
        if (image.width() > LargestSide || image.height() > LargestSide) return {};
        const QByteArray png = PngOf(image);
        if (png.isEmpty()) return {};
        header.append(static_cast<char>(image.width() % LargestSide));
        header.append(static_cast<char>(image.height() % LargestSide));
        AppendLittleEndian(header, 0, 2);   // no palette, reserved
        AppendLittleEndian(header, 1, 2);   // colour planes
        AppendLittleEndian(header, 32, 2);  // bits per pixel
        AppendLittleEndian(header, static_cast<quint32>(png.size()), 4);
        AppendLittleEndian(header, static_cast<quint32>(firstImage + data.size()), 4);
        data.append(png);
    }
    return header + data;
}

} // namespace kvx::ui

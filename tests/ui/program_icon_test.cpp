// The program's icon file as Windows and Qt read it: every size, in order, with the mark's
// colours where they belong.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>

#include "ui/main/colours.h"
#include "ui/main/ico_file.h"
#include "ui/main/program_icon.h"

namespace kvx::ui {
namespace {

TEST(ProgramIconFile, HoldsEverySizeReadableInOrderAndRefusesOversizedImages)
{
    std::vector<QImage> images;
    for (const int size : ProgramIconSizes) images.push_back(ProgramIconImage(size));
    QByteArray bytes = IcoFileOf(images);
    ASSERT_FALSE(bytes.isEmpty());

    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "ico");
    ASSERT_EQ(reader.imageCount(), static_cast<int>(images.size()));
    for (size_t i = 0; i < images.size(); ++i) {
        ASSERT_TRUE(reader.jumpToImage(static_cast<int>(i)));
        const QImage read = reader.read();
        ASSERT_EQ(read.size(), images[i].size()) << "image " << i << ": " << reader.errorString().toStdString();
        EXPECT_EQ(read.pixelColor(0, 0).alpha(), 0) << read.width() << " px: the corner stays transparent";
        // Inside the tile, clear of the arcs: the accent colour.
        EXPECT_EQ(read.pixelColor(read.width() * 7 / 8, read.height() / 6).rgb(), AccentButtonColour.rgb()) << read.width();
    }

    EXPECT_TRUE(IcoFileOf({QImage(257, 16, QImage::Format_ARGB32)}).isEmpty());
}

} // namespace
} // namespace kvx::ui

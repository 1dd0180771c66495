// The picture check box: its looks, presses on enabled and disabled boxes, custom pictures.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <set>

#include "ui/widgets/image_check_box.h"

namespace kvx::ui::test {
namespace {

bool Shows(const TImageCheckBox& Box, const QPixmap& Picture)
{
    return Box.Picture().cacheKey() == Picture.cacheKey();
}

void PressAt(QWidget& Owner, QPoint At)
{
    QMouseEvent press(QEvent::MouseButtonPress, At, Owner.mapToGlobal(At), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Owner, &press);
}

TEST(ImageCheckBox, ThirtyThreeDistinctSharedTilesOfSeventeenPixels)
{
    std::set<qint64> keys;
    std::set<QString> names;
    for (int type = static_cast<int>(TCheckType::ctAll); type <= static_cast<int>(TCheckType::ctTen); ++type)
        for (const TCheckLook look : {TCheckLook::Checked, TCheckLook::Unchecked, TCheckLook::Disabled}) {
            const QPixmap& tile = CheckBoxTile(static_cast<TCheckType>(type), look);
            EXPECT_EQ(tile.size(), QSize(17, 17));
            keys.insert(tile.cacheKey());
            names.insert(CheckBoxTileName(static_cast<TCheckType>(type), look));
        }
    EXPECT_EQ(keys.size(), 33u);
    EXPECT_EQ(names.size(), 33u);
    EXPECT_EQ(CheckBoxTileName(TCheckType::ctAll, TCheckLook::Checked), "ALLC");
    EXPECT_EQ(CheckBoxTileName(TCheckType::ctThree, TCheckLook::Disabled), "THREED");
    EXPECT_EQ(CheckBoxTile(TCheckType::ctTen, TCheckLook::Unchecked).toImage().pixelColor(0, 0), QColor(0xAA, 0xA9, 0xA9));
    EXPECT_TRUE(CheckBoxTile(TCheckType::ctNone, TCheckLook::Checked).isNull());
}

TEST(ImageCheckBox, NewBoxShowsTheCheckedAllTileAndFollowsEnabled)
{
    QWidget owner;
    TImageCheckBox box(&owner);
    EXPECT_TRUE(box.Checked());
    EXPECT_TRUE(box.Enabled());
    EXPECT_EQ(box.BoundsRect(), QRect(400, 200, 17, 17));
    EXPECT_TRUE(Shows(box, CheckBoxTile(TCheckType::ctAll, TCheckLook::Checked)));
    box.SetEnabled(false);
    EXPECT_TRUE(Shows(box, CheckBoxTile(TCheckType::ctAll, TCheckLook::Disabled)));
    box.SetEnabled(true);
    EXPECT_TRUE(Shows(box, CheckBoxTile(TCheckType::ctAll, TCheckLook::Checked)));
    box.SetCheckType(TCheckType::ctSeven);
    box.SetChecked(false);
    EXPECT_TRUE(Shows(box, CheckBoxTile(TCheckType::ctSeven, TCheckLook::Unchecked)));
}

TEST(ImageCheckBox, PressOnADisabledBoxFlipsCheckedAndClicksButKeepsTheDisabledLook)
{
    QWidget owner;
    owner.resize(500, 300);
    TImageCheckBox box(&owner);
    box.MoveTo(10, 20);
    box.SetEnabled(false);
    int clicks = 0;
    box.OnClick = [&](TImageCheckBox* Sender) {
        EXPECT_EQ(Sender, &box);
        EXPECT_FALSE(Sender->Checked());  // the handler sees the flipped state
        ++clicks;
    };
    PressAt(owner, QPoint(15, 25));
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(Shows(box, CheckBoxTile(TCheckType::ctAll, TCheckLook::Disabled)));
    box.SetEnabled(true);
    EXPECT_TRUE(Shows(box, CheckBoxTile(TCheckType::ctAll, TCheckLook::Unchecked)));
}

TEST(ImageCheckBox, OnlyAPressInsideTheBoxCountsAndNoneReachesTheOwner)
{
    struct TOwner : QWidget {
        int Presses = 0;
        void mousePressEvent(QMouseEvent*) override { ++Presses; }
    } owner;
    owner.resize(200, 100);
    TImageCheckBox left(&owner);
    TImageCheckBox right(&owner);
    left.MoveTo(0, 0);
    right.MoveTo(22, 0);
    PressAt(owner, QPoint(30, 8));
    EXPECT_TRUE(left.Checked());
    EXPECT_FALSE(right.Checked());
    EXPECT_EQ(owner.Presses, 0);
    PressAt(owner, QPoint(100, 50));
    EXPECT_TRUE(left.Checked());
    EXPECT_FALSE(right.Checked());
    EXPECT_EQ(owner.Presses, 1);
}

TEST(ImageCheckBox, CustomLooksComeFromTheListAndABadIndexChangesNothing)
{
    QWidget owner;
    TImageList days(4);
    for (size_t i = 0; i < days.size(); ++i) {
        days[i] = QPixmap(17, 17);
        days[i].fill(QColor(static_cast<int>(i) * 40, 0, 0));
    }
    TImageCheckBox box(&owner);
    box.SetCheckType(TCheckType::ctCustom);
    box.SetImageList(&days);
    box.SetImageUnchecked(1);
    box.SetImageDisabled(2);
    box.SetChecked(false);
    EXPECT_TRUE(Shows(box, days[1]));
    box.SetImageChecked(5);  // past the list
    box.SetChecked(true);
    EXPECT_TRUE(Shows(box, days[1]));
    box.SetEnabled(false);
    EXPECT_TRUE(Shows(box, days[2]));
}

TEST(ImageCheckBox, CheckTypeNamesConvertExactlyBothWays)
{
    for (int type = 0; type <= static_cast<int>(TCheckType::ctNone); ++type) {
        const auto checkType = static_cast<TCheckType>(type);
        EXPECT_EQ(TImageCheckBox::StringToCheckType(TImageCheckBox::CheckTypeToString(checkType)), checkType);
    }
    EXPECT_EQ(TImageCheckBox::CheckTypeToString(TCheckType::ctFive), "ctFive");
    EXPECT_EQ(TImageCheckBox::StringToCheckType("ctall"), TCheckType::ctNone);
    EXPECT_EQ(TImageCheckBox::StringToCheckType("ctAll "), TCheckType::ctNone);
}

} // namespace
} // namespace kvx::ui::test

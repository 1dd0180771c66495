#include "ui/widgets/image_check_box.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <array>

namespace kvx::ui {

namespace {

constexpr std::array<const char*, 13> CheckTypeNames{"ctCustom", "ctAll",   "ctOne",   "ctTwo",  "ctThree",
                                                     "ctFour",   "ctFive",  "ctSix",   "ctSeven", "ctEight",
                                                     "ctNine",   "ctTen",   "ctNone"};

} // namespace

TImageCheckBox::TImageCheckBox(QWidget* Owner)
    : QObject(Owner), FOwner(Owner), FBounds(400, 200, CheckBoxTileSize, CheckBoxTileSize)
{
    FOwner->installEventFilter(this);
    UpdateImage(fChecked, fEnabled);
}

void TImageCheckBox::SetChecked(bool Checked)
{
    if (Checked == fChecked) return;  // grids set the same state often; the look is already right
    fChecked = Checked;
    UpdateImage(fChecked, fEnabled);
}

void TImageCheckBox::SetEnabled(bool Enabled)
{
    if (Enabled == fEnabled) return;
    fEnabled = Enabled;
    UpdateImage(fChecked, fEnabled);
}

void TImageCheckBox::SetCheckType(TCheckType CheckType)
{
    fCheckType = CheckType;
    UpdateImage(fChecked, fEnabled);
}

void TImageCheckBox::SetImageList(const TImageList* ImageList)
{
    fImageList = ImageList;
    UpdateImage(fChecked, fEnabled);
}

void TImageCheckBox::SetImageChecked(int Index)
{
    fImageChecked = Index;
    UpdateImage(fChecked, fEnabled);
}

void TImageCheckBox::SetImageUnchecked(int Index)
{
    fImageUnchecked = Index;
    UpdateImage(fChecked, fEnabled);
}

void TImageCheckBox::SetImageDisabled(int Index)
{
    fImageDisabled = Index;
    UpdateImage(fChecked, fEnabled);
}

void TImageCheckBox::SetBounds(const QRect& Bounds)
{
    FOwner->update(FBounds);
    FBounds = Bounds;
    FOwner->update(FBounds);
}

void TImageCheckBox::UpdateImage(bool Checked, bool Enabled)
{
    const TCheckLook look = !Enabled ? TCheckLook::Disabled : Checked ? TCheckLook::Checked : TCheckLook::Unchecked;
    if (HasTile(fCheckType)) {
        ShowPicture(CheckBoxTile(fCheckType, look));
    } else if (fCheckType == TCheckType::ctCustom) {
        const int index = look == TCheckLook::Disabled ? fImageDisabled : look == TCheckLook::Checked ? fImageChecked : fImageUnchecked;
        if (index < 0 || !fImageList || static_cast<size_t>(index) >= fImageList->size()) return;
        ShowPicture((*fImageList)[static_cast<size_t>(index)]);
    }
}

void TImageCheckBox::ShowPicture(const QPixmap& Picture)
{
    FPicture = Picture;
    FOwner->update(FBounds);
}

void TImageCheckBox::Press()
{
    fChecked = !fChecked;
    UpdateImage(fChecked, fEnabled);
    if (OnClick) OnClick(this);
}

bool TImageCheckBox::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched != FOwner) return false;
    switch (Event->type()) {
    case QEvent::Paint:
        if (!FPicture.isNull() && static_cast<QPaintEvent*>(Event)->rect().intersects(FBounds)) {
            QPainter painter(FOwner);
            painter.drawPixmap(FBounds, FPicture);
        }
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // Taken here, so a press on a box never reaches the window's drag handling.
        if (!FBounds.contains(static_cast<QMouseEvent*>(Event)->position().toPoint())) return false;
        Press();
        return true;
    default:
        return false;
    }
}

QString TImageCheckBox::CheckTypeToString(TCheckType CheckType)
{
    const auto index = static_cast<size_t>(CheckType);
    return index < CheckTypeNames.size() ? QString::fromLatin1(CheckTypeNames[index]) : QString();
}

TCheckType TImageCheckBox::StringToCheckType(const QString& Name)
{
    for (size_t index = 0; index < CheckTypeNames.size(); ++index)
        if (Name == QLatin1String(CheckTypeNames[index])) return static_cast<TCheckType>(index);
    return TCheckType::ctNone;
}

} // namespace kvx::ui

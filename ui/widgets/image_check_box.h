#pragma once
// A picture check box for the recipient grids and the week-day boxes. It is no widget of its
// own: it lives on its owner's surface, painted over it and fed by its mouse presses, so a
// grid of thousands stays cheap. The owner should paint nothing over the box's rectangle.
#include <QObject>
#include <QPixmap>
#include <QRect>
#include <functional>
#include <vector>

#include "ui/widgets/image_check_box_tiles.h"

class QWidget;

namespace kvx::ui {

using TImageList = std::vector<QPixmap>;

class TImageCheckBox : public QObject {
    Q_OBJECT
public:
    // Shows the checked All tile at (400, 200) until placed.
    explicit TImageCheckBox(QWidget* Owner);

    bool Checked() const { return fChecked; }
    void SetChecked(bool Checked);
    // The box's own flag: a disabled box shows its disabled look and still takes presses.
    bool Enabled() const { return fEnabled; }
    void SetEnabled(bool Enabled);
    TCheckType CheckType() const { return fCheckType; }
    void SetCheckType(TCheckType CheckType);
    // For ctCustom: the looks are pictures of the list, by index (-1: none).
    void SetImageList(const TImageList* ImageList);
    void SetImageChecked(int Index);
    void SetImageUnchecked(int Index);
    void SetImageDisabled(int Index);

    QWidget* Owner() const { return FOwner; }
    QRect BoundsRect() const { return FBounds; }
    void SetBounds(const QRect& Bounds);
    void MoveTo(int Left, int Top) { SetBounds(QRect(Left, Top, FBounds.width(), FBounds.height())); }
    const QPixmap& Picture() const { return FPicture; }

    // A mouse press, any button: flips Checked whether enabled or not, then raises OnClick.
    void Press();

    int Tag = 0;
    std::function<void(TImageCheckBox* Sender)> OnClick;

    static QString CheckTypeToString(TCheckType CheckType);
    // Exact names only ("ctAll"); anything else is ctNone.
    static TCheckType StringToCheckType(const QString& Name);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void UpdateImage(bool Checked, bool Enabled);
    void ShowPicture(const QPixmap& Picture);

    QWidget* FOwner;
    QRect FBounds;
    QPixmap FPicture;
    bool fEnabled = true;
    bool fChecked = true;
    TCheckType fCheckType = TCheckType::ctAll;
    int fImageChecked = -1;
    int fImageUnchecked = -1;
    int fImageDisabled = -1;
    const TImageList* fImageList = nullptr;
};

} // namespace kvx::ui

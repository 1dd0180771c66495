#pragma once
// A picture control that remembers which picture it shows, by list index or by name.
#include <QLabel>

namespace kvx::ui {

class TImage : public QLabel {
public:
    TImage(const QString& Name, QWidget* Parent) : QLabel(Parent) { setObjectName(Name); }

    void ShowListImage(int Index, const QPixmap& Picture)
    {
        ImageIndex = Index;
        setPixmap(Picture);
    }
    void ShowNamedImage(const QString& PictureName, const QPixmap& Picture)
    {
        LoadedName = PictureName;
        setPixmap(Picture);
    }

    int Tag = -1;
    int ImageIndex = -1;
    QString LoadedName;
};

} // namespace kvx::ui

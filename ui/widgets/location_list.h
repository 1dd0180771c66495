#pragma once
// The list of a switching page's locations: one view over a model that asks the page for
// each line when it is drawn, so 500 locations cost no widgets and a changed location one
// repaint.
#include <QFont>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <functional>
#include <span>

#include "ui/widgets/location_lines.h"

class QListView;
class QWidget;

namespace kvx::ui {

class TLocationListModel;

// The lists' fixed-pitch font, so the columns of the lines and their heads align.
QFont LocationListFont();
// The heads over a list whose lines start at At: each over the first character of its column,
// a little smaller than the lines, so a head wider than its column ("Relay" over "RLY2")
// still leaves a gap before the next.
QWidget* NewColumnHeads(QWidget* Parent, const char* Name, QPoint At, std::span<const TColumnHead> Heads);

// The view and its model, and which location the page's controls edit.
class TLocationList {
public:
    // OnSelect(i) shows location i in the page's controls; it runs whenever the selection moves.
    TLocationList(QWidget* Parent, const char* Name, int Count, std::function<QString(int)> LineOf, const QRect& Geometry,
                  std::function<void(int)> OnSelect);
    ~TLocationList();
    TLocationList(const TLocationList&) = delete;
    TLocationList& operator=(const TLocationList&) = delete;

    // The selected location, -1 while none is.
    int Selected() const;
    // Selects location Index, brings it into view and shows it, even when it was selected already.
    void Select(int Index);
    // The record of location Index has changed: its line is drawn anew.
    void LineChanged(int Index);
    void AllLinesChanged();

    QListView* const View;

private:
    TLocationListModel* FModel;
    std::function<void(int)> FOnSelect;
    QMetaObject::Connection FSelection;
};

} // namespace kvx::ui

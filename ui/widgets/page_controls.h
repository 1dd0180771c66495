#pragma once
// Small builders for the controls the setup pages place by hand, so every page names and
// sizes its controls the same way (objectName = control name).
#include <QRect>
#include <QString>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kvx::ui {

QLabel* NewLabel(QWidget* Parent, const QString& Text, const QRect& Geometry, const char* Name = "");
// A heading in the page's bright text.
QLabel* NewHeading(QWidget* Parent, const QString& Text, const QRect& Geometry);
// A word-wrapped note.
QLabel* NewNote(QWidget* Parent, const QString& Text, const QRect& Geometry);
QLineEdit* NewEdit(QWidget* Parent, const char* Name, int MaxLength, const QRect& Geometry);
// As NewEdit, taking only printable ASCII (0x20..0x7E) as typed: anything else would come
// back from the image cut short or changed, or the unit could not send it. Characters
// 0x7F..0xA0 that a text loaded from the image holds stay as they are, and stored as they were.
QLineEdit* NewTextEdit(QWidget* Parent, const char* Name, int MaxLength, const QRect& Geometry);
// As NewEdit, taking typed digits only.
QLineEdit* NewDigitsEdit(QWidget* Parent, const char* Name, int MaxLength, const QRect& Geometry);
QPushButton* NewButton(QWidget* Parent, const char* Name, const QString& Caption, const QRect& Geometry);
// The small button beside an edit that empties it; starts disabled.
QPushButton* NewClearButton(QWidget* Parent, const char* Name, QLineEdit* Edit);
struct TStepButtons {
    QPushButton* Down;
    QPushButton* Up;
};
// The small down and up buttons right of a number edit; a click calls Step(false) or Step(true).
TStepButtons NewStepButtons(QWidget* Parent, const char* Down, const char* Up, QLineEdit* Edit,
                            const std::function<void(bool Up)>& Step);
// A label that works as a link: blue under the mouse, OnClick when the mouse button is released on it.
QLabel* NewLinkLabel(QWidget* Parent, const char* Name, const QString& Text, const QRect& Geometry,
                     const std::function<void()>& OnClick);
QCheckBox* NewCheckBox(QWidget* Parent, const char* Name, const QString& Caption, const QRect& Geometry);
// Enables or disables every direct child of Panel, the panel itself staying as it is.
void EnableChildren(QWidget* Panel, bool Enabled);

} // namespace kvx::ui

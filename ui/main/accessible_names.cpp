#include "ui/main/accessible_names.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace kvx::ui {

namespace {

constexpr int RowSlack = 4;          // a caption this far right of the control's left still counts as left of it
constexpr int CaptionAboveGap = 40;  // the most room between a caption and the control below it

struct TSymbolButton {
    const char16_t* Text;
    const char* Action;
};
// The captions of the small buttons beside edits: clear, step down, step up.
constexpr TSymbolButton SymbolButtons[] = {{u"\u2715", "Clear"}, {u"\u2212", "Less"}, {u"+", "More"}};

QString TextOf(const QLabel* Label)
{
    return Label->text().remove(QLatin1Char('&')).simplified();
}

bool HasLetters(const QString& Text)
{
    return std::any_of(Text.begin(), Text.end(), [](QChar c) { return c.isLetter(); });
}

// A row's number ("3") names a row but is no caption on its own; a sign ("+") is neither.
bool NamesSomething(const QString& Text)
{
    return std::any_of(Text.begin(), Text.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

// What the page shows around a control, among its siblings: the caption left of it on its
// row, one just above it, and the heading of its column.
struct TCaptions {
    QLabel* Left = nullptr;
    QLabel* Above = nullptr;
    QLabel* Column = nullptr;
};

TCaptions CaptionsAround(const QWidget* Control)
{
    TCaptions found;
    const QRect at = Control->geometry();
    for (QLabel* label : Control->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QString text = TextOf(label);
        if (label->isHidden() || !NamesSomething(text) || !label->pixmap().isNull()) continue;
        const QRect l = label->geometry();
        const bool onRow = l.top() <= at.center().y() && l.bottom() >= at.center().y() && l.right() <= at.left() + RowSlack;
        if (onRow && (!found.Left || l.right() > found.Left->geometry().right())) found.Left = label;
        const bool overColumn = l.left() <= at.right() && l.right() >= at.left() && l.bottom() <= at.top() && HasLetters(text);
        if (!overColumn) continue;
        if (at.top() - l.bottom() <= CaptionAboveGap && (!found.Above || l.bottom() > found.Above->geometry().bottom())) found.Above = label;
        if (!found.Column || l.bottom() > found.Column->geometry().bottom()) found.Column = label;
    }
    return found;
}

// The control's name from the captions around it; empty when there are none.
QString NameFrom(const TCaptions& Captions)
{
    const QString left = Captions.Left ? TextOf(Captions.Left) : QString();
    if (HasLetters(left)) return left;
    const QLabel* heading = Captions.Above ? Captions.Above : Captions.Column;
    if (!heading) return left;
    return left.isEmpty() ? TextOf(heading) : TextOf(heading) + " " + left;
}

const TSymbolButton* SymbolButtonOf(const QWidget* Widget)
{
    const auto* button = qobject_cast<const QPushButton*>(Widget);
    if (!button) return nullptr;
    for (const TSymbolButton& symbol : SymbolButtons)
        if (button->text() == QString::fromUtf16(symbol.Text)) return &symbol;
    return nullptr;
}

// The name of the control nearest left of a symbol button on its row (not another symbol).
QString NameLeftOf(const QWidget* Button)
{
    const QRect at = Button->geometry();
    const QWidget* nearest = nullptr;
    for (const QWidget* sibling : Button->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect s = sibling->geometry();
        const bool onRow = s.top() <= at.center().y() && s.bottom() >= at.center().y() && s.right() <= at.left();
        if (onRow && IsInputControl(sibling) && !SymbolButtonOf(sibling) && (!nearest || s.right() > nearest->geometry().right()))
            nearest = sibling;
    }
    return nearest ? nearest->accessibleName() : QString();
}

} // namespace

bool IsInputControl(const QWidget* Widget)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(Widget)) return button->isCheckable() || SymbolButtonOf(Widget);
    return qobject_cast<const QLineEdit*>(Widget) || qobject_cast<const QComboBox*>(Widget) ||
           qobject_cast<const QAbstractSpinBox*>(Widget) || qobject_cast<const QAbstractItemView*>(Widget);
}

void NameInputsFromCaptions(QWidget* Root)
{
    const QList<QWidget*> widgets = Root->findChildren<QWidget*>();
    // Edits and lists first: the symbol buttons beside them take their names.
    for (QWidget* widget : widgets) {
        if (!IsInputControl(widget) || SymbolButtonOf(widget) || !widget->parentWidget()) continue;
        // A combo box's own edit and list go by the combo box.
        if (qobject_cast<QComboBox*>(widget->parentWidget()) || qobject_cast<QComboBox*>(widget->parentWidget()->parentWidget())) continue;
        const auto* button = qobject_cast<const QAbstractButton*>(widget);
        if (button && !button->text().isEmpty()) continue;  // its text is its name
        const TCaptions captions = CaptionsAround(widget);
        // Where the platform's screen reader takes a control's name from its label.
        if (captions.Left && !captions.Left->buddy() && HasLetters(TextOf(captions.Left))) captions.Left->setBuddy(widget);
        if (widget->accessibleName().isEmpty()) widget->setAccessibleName(NameFrom(captions));
    }
    for (QWidget* widget : widgets) {
        const TSymbolButton* symbol = SymbolButtonOf(widget);
        if (!symbol || !widget->accessibleName().isEmpty()) continue;
        const QString control = NameLeftOf(widget);
        widget->setAccessibleName(control.isEmpty() ? QString(symbol->Action) : QString("%1 %2").arg(symbol->Action, control));
    }
}

} // namespace kvx::ui

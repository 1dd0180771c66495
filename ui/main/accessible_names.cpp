#include "ui/main/accessible_names.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <optional>

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

// A label's words; a sign alone ("+" before a number) is no caption.
QString CaptionText(const QLabel* Label)
{
    const QString text = Label->text().remove(QLatin1Char('&')).simplified();
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); }) ? text : QString();
}

// The caption left of Control on its row, else the nearest just above it, among its siblings.
std::optional<QString> CaptionOf(const QWidget* Control)
{
    const QWidget* parent = Control->parentWidget();
    if (!parent) return std::nullopt;
    const QRect at = Control->geometry();
    const QLabel* left = nullptr;
    const QLabel* above = nullptr;
    for (const QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->isHidden() || CaptionText(label).isEmpty() || !label->pixmap().isNull()) continue;
        const QRect l = label->geometry();
        const bool onRow = l.top() <= at.center().y() && l.bottom() >= at.center().y() && l.right() <= at.left() + RowSlack;
        if (onRow && (!left || l.right() > left->geometry().right())) left = label;
        const bool overlapping = l.left() <= at.right() && l.right() >= at.left();
        const int gap = at.top() - l.bottom();
        if (overlapping && gap >= 0 && gap <= CaptionAboveGap && (!above || l.bottom() > above->geometry().bottom())) above = label;
    }
    if (left) return CaptionText(left);
    if (above) return CaptionText(above);
    return std::nullopt;
}

// The named control nearest left of a symbol button on its row.
QString NameLeftOf(const QWidget* Button)
{
    const QRect at = Button->geometry();
    const QWidget* nearest = nullptr;
    for (const QWidget* sibling : Button->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect s = sibling->geometry();
        const bool onRow = s.top() <= at.center().y() && s.bottom() >= at.center().y() && s.right() <= at.left();
        if (onRow && IsInputControl(sibling) && (!nearest || s.right() > nearest->geometry().right())) nearest = sibling;
    }
    return nearest ? nearest->accessibleName() : QString();
}

const TSymbolButton* SymbolButtonOf(const QWidget* Widget)
{
    const auto* button = qobject_cast<const QPushButton*>(Widget);
    if (!button) return nullptr;
    for (const TSymbolButton& symbol : SymbolButtons)
        if (button->text() == QString::fromUtf16(symbol.Text)) return &symbol;
    return nullptr;
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
        if (!IsInputControl(widget) || SymbolButtonOf(widget) || !widget->accessibleName().isEmpty()) continue;
        // A combo box's own line edit goes by the combo box.
        if (qobject_cast<QComboBox*>(widget->parentWidget())) continue;
        const auto* button = qobject_cast<const QAbstractButton*>(widget);
        if (button && !button->text().isEmpty()) continue;  // its text is its name
        if (const auto caption = CaptionOf(widget)) widget->setAccessibleName(*caption);
    }
    for (QWidget* widget : widgets) {
        const TSymbolButton* symbol = SymbolButtonOf(widget);
        if (!symbol || !widget->accessibleName().isEmpty()) continue;
        const QString control = NameLeftOf(widget);
        widget->setAccessibleName(control.isEmpty() ? QString(symbol->Action) : QString("%1 %2").arg(symbol->Action, control));
    }
}

} // namespace kvx::ui

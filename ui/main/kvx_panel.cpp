#include "ui/main/kvx_panel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <utility>

#include "ui/main/colours.h"

namespace kvx::ui {

TPanel::TPanel(const QString& Name, const QString& Caption, QWidget* Parent)
    : QWidget(Parent), FCaption(Caption), FColor(WindowColour), FFontColor(IdleTextColour)
{
    setObjectName(Name);
    setAccessibleName(Caption.simplified());
}

void TPanel::SetCaption(const QString& Caption)
{
    FCaption = Caption;
    setAccessibleName(Caption.simplified());
    update();
}

void TPanel::SetColours(const QColor& Background, const QColor& Text)
{
    FColor = Background;
    FFontColor = Text;
    update();
}

void TPanel::SetFontColor(const QColor& Text)
{
    FFontColor = Text;
    update();
}

void TPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), FColor);
    if (hasFocus()) {
        painter.setPen(QPen(FFontColor, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
    if (FCaption.isEmpty()) return;
    painter.setPen(isEnabled() ? FFontColor : FFontColor.darker(160));
    painter.setFont(font());
    const QRect area = rect().adjusted(4, 0, -4, 0);
    QString shown = FCaption;
    if (ElideMiddle) {
        QStringList lines = FCaption.split('\n');
        for (QString& line : lines) line = painter.fontMetrics().elidedText(line, Qt::ElideMiddle, area.width());
        shown = lines.join('\n');
    }
    painter.drawText(area, static_cast<int>(Alignment), shown);
}

void TPanel::mousePressEvent(QMouseEvent* Event)
{
    if (Event->button() != Qt::LeftButton) return;
    FDoubleClicked = false;
    emit MouseDown(this);
}

void TPanel::mouseReleaseEvent(QMouseEvent* Event)
{
    if (Event->button() != Qt::LeftButton) return;
    emit MouseUp(this);
    // A second click would arrive inside the command the first one started (and stop it).
    if (std::exchange(FDoubleClicked, false)) return;
    if (rect().contains(Event->position().toPoint())) emit Clicked(this);
}

void TPanel::mouseDoubleClickEvent(QMouseEvent* Event)
{
    if (Event->button() != Qt::LeftButton) return;
    FDoubleClicked = true;
    emit DoubleClicked(this);
}

void TPanel::keyPressEvent(QKeyEvent* Event)
{
    switch (Event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!Event->isAutoRepeat()) emit Clicked(this);
        return;
    default:
        QWidget::keyPressEvent(Event);
    }
}

void TPanel::focusInEvent(QFocusEvent* Event)
{
    update();
    QWidget::focusInEvent(Event);
}

void TPanel::focusOutEvent(QFocusEvent* Event)
{
    update();
    QWidget::focusOutEvent(Event);
}

void TPanel::enterEvent(QEnterEvent*)
{
    emit MouseEnter(this);
}

void TPanel::leaveEvent(QEvent*)
{
    emit MouseLeave(this);
}

} // namespace kvx::ui

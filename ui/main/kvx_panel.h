#pragma once
// A flat panel that paints its own background and caption, so the menu's idle, hover and
// chosen colours never depend on the style sheet. Used for menu items, section headings,
// the bottom buttons and the progress line. A double click is one click: the release that
// ends it does not click again. A panel given a focus policy is a Tab stop: it shows a frame
// in its caption's colour while it has the focus, and Enter or Space clicks it.
#include <QColor>
#include <QWidget>

namespace kvx::ui {

class TPanel : public QWidget {
    Q_OBJECT
public:
    TPanel(const QString& Name, const QString& Caption, QWidget* Parent);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Caption);
    QColor Color() const { return FColor; }
    QColor FontColor() const { return FFontColor; }
    void SetColours(const QColor& Background, const QColor& Text);
    void SetFontColor(const QColor& Text);
    Qt::Alignment Alignment = Qt::AlignVCenter | Qt::AlignLeft;
    // A line wider than the panel gives way in its middle when drawn; Caption() stays whole.
    bool ElideMiddle = false;
    int Tag = -1;

signals:
    void MouseDown(TPanel* Sender);
    void MouseUp(TPanel* Sender);
    void Clicked(TPanel* Sender);
    void DoubleClicked(TPanel* Sender);
    void MouseEnter(TPanel* Sender);
    void MouseLeave(TPanel* Sender);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void enterEvent(QEnterEvent* Event) override;
    void leaveEvent(QEvent* Event) override;

private:
    QString FCaption;
    QColor FColor;
    QColor FFontColor;
    bool FDoubleClicked = false;  // the press under way is the second of a double click
};

} // namespace kvx::ui

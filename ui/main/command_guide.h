#pragma once
// The remote SMS command guide: a tall page of rich text in a scroll box, shown without
// blocking the main window.
#include <QDialog>

class QLabel;
class QScrollArea;

namespace kvx::ui {

class TCommandGuide : public QDialog {
    Q_OBJECT
public:
    explicit TCommandGuide(QWidget* Parent);

    // Shows the guide, or brings it forward when it is open already.
    void ShowGuide();

    QScrollArea* ScrollBox1;
    QLabel* Image1;

protected:
    void showEvent(QShowEvent* Event) override;
};

// The guide's text (HTML).
QString CommandGuideText();

} // namespace kvx::ui

#include "ui/main/command_guide.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kvx::ui {

namespace {
constexpr int GuideWidth = 500;
constexpr int ScrollBarRoom = 34;
} // namespace

TCommandGuide::TCommandGuide(QWidget* Parent) : QDialog(Parent, Qt::Tool)
{
    setObjectName("frmCommandGuide");
    setWindowTitle("Command guide");
    setModal(false);
    resize(522, 586);
    setStyleSheet("QDialog, QScrollArea, QLabel#Image1 { background: white; color: black; }");
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Image1 = new QLabel(CommandGuideText());
    Image1->setObjectName("Image1");
    Image1->setTextFormat(Qt::RichText);
    Image1->setWordWrap(true);
    Image1->setFixedWidth(GuideWidth);
    Image1->setMargin(8);
    Image1->adjustSize();
    ScrollBox1->setWidget(Image1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScrollBox1);
}

void TCommandGuide::ShowGuide()
{
    show();
    raise();
    activateWindow();
}

void TCommandGuide::showEvent(QShowEvent* Event)
{
    // Room for the vertical scroll bar, so only vertical scrolling is ever needed.
    resize(Image1->width() + ScrollBarRoom, height());
    QDialog::showEvent(Event);
}

} // namespace kvx::ui

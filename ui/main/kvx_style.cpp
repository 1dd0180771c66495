#include "ui/main/kvx_style.h"

#include <QApplication>
#include <QStyleFactory>

#include "ui/main/kvx_message_dlg.h"

namespace kvx::ui {

namespace {

constexpr const char* KVXStyleSheet = R"(
QWidget { color: #C2C1C1; }
QWidget#frmMain, QWidget#pnlPages, QWidget#pnlButtons, QWidget#Panel6 { background: #292829; }
QLabel#lblHeading { color: #FFFFFF; font-size: 20pt; }
QLabel#lblVersion { color: #C2C1C1; }
QLineEdit, QSpinBox, QComboBox, QPlainTextEdit, QTextEdit {
    background: #191919; color: #FFFFFF; border: 1px solid #4A494A; border-radius: 2px; padding: 2px;
    selection-background-color: #007DB7;
}
QLineEdit:disabled, QComboBox:disabled { color: #646464; border-color: #3A393A; }
QComboBox QAbstractItemView { background: #191919; color: #FFFFFF; selection-background-color: #007DB7; }
QPushButton {
    background: #007DB7; color: #FFFFFF; border: none; padding: 4px 12px; border-radius: 2px;
}
QPushButton:hover { background: #1A8FC4; }
QPushButton:pressed { color: #E6E7E8; }
QPushButton:disabled { background: #3A393A; color: #646464; }
QCheckBox, QRadioButton { color: #C2C1C1; spacing: 6px; }
QGroupBox { border: 1px solid #3A393A; margin-top: 10px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; color: #FFFFFF; }
QScrollArea { background: transparent; border: none; }
QScrollBar:vertical { background: #292829; width: 12px; }
QScrollBar::handle:vertical { background: #4A494A; min-height: 24px; border-radius: 4px; }
QScrollBar:horizontal { background: #292829; height: 12px; }
QScrollBar::handle:horizontal { background: #4A494A; min-width: 24px; border-radius: 4px; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }
QToolTip { background: #191919; color: #FFFFFF; border: 1px solid #4A494A; }
QMenu { background: #191919; color: #FFFFFF; border: 1px solid #4A494A; }
QMenu::item { padding: 6px 24px 6px 24px; }
QMenu::item:selected { background: #007DB7; }
QMenu::item:disabled { color: #646464; }
QMenu::separator { height: 1px; background: #4A494A; margin: 4px 8px; }
QDialog#dlgDifferences { background: #292829; }
QTableWidget { background: #191919; color: #FFFFFF; gridline-color: #3A393A; border: 1px solid #4A494A; }
QTreeWidget#lvDifferences { background: #191919; color: #FFFFFF; border: 1px solid #4A494A; selection-background-color: #007DB7; }
QHeaderView::section { background: #292829; color: #FFFFFF; border: none; padding: 4px; }
QMessageBox, QFileDialog { background: #FFFFFF; }
QMessageBox QLabel, QFileDialog QWidget { color: #000000; }
QMessageBox QPushButton { min-width: 72px; }
)";

} // namespace

bool ApplyKVXStyle(QApplication& App)
{
    QStyle* base = QStyleFactory::create("Fusion");
    if (!base) {
        ShowPlainMessage("The visual style \"KVX\" could not be found.");
        return false;
    }
    App.setStyle(base);
    App.setStyleSheet(KVXStyleSheet);
    return true;
}

} // namespace kvx::ui

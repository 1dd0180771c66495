#include "ui/main/kvx_style.h"

#include <QApplication>
#include <QPalette>
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
QScrollBar:vertical { background: #191919; width: 12px; }
QScrollBar::handle:vertical { background: #6A696A; min-height: 24px; border-radius: 4px; margin: 1px; }
QScrollBar:horizontal { background: #191919; height: 12px; }
QScrollBar::handle:horizontal { background: #6A696A; min-width: 24px; border-radius: 4px; margin: 1px; }
QScrollBar::handle:hover { background: #8A898A; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }
QToolTip { background: #191919; color: #FFFFFF; border: 1px solid #4A494A; }
QMenu { background: #191919; color: #FFFFFF; border: 1px solid #4A494A; }
QMenu::item { padding: 6px 24px 6px 24px; }
QMenu::item:selected { background: #007DB7; }
QMenu::item:disabled { color: #646464; }
QMenu::separator { height: 1px; background: #4A494A; margin: 4px 8px; }
QDialog, QMessageBox { background: #292829; }
QMessageBox QLabel { color: #FFFFFF; }
QAbstractItemView { background: #191919; color: #FFFFFF; border: 1px solid #4A494A; selection-background-color: #007DB7;
    selection-color: #FFFFFF; alternate-background-color: #202020; }
QTableWidget { gridline-color: #3A393A; }
QHeaderView::section { background: #292829; color: #FFFFFF; border: none; padding: 4px; }
QDialog QPushButton { min-width: 72px; }
QDialogButtonBox { dialogbuttonbox-buttons-have-icons: 0; }
QToolButton { background: #3A393A; color: #FFFFFF; border: 1px solid #4A494A; border-radius: 2px; padding: 2px; }
QToolButton:hover { background: #4A494A; }
)";

// The colours a control takes where the style sheet says nothing (the platform's dialogs
// among them): light text on the dark ground, nowhere dark on dark.
QPalette KVXPalette()
{
    QPalette palette;
    const struct {
        QPalette::ColorRole Role;
        QColor Colour;
    } roles[] = {
        {QPalette::Window, QColor(0x29, 0x28, 0x29)},        {QPalette::WindowText, QColor(0xC2, 0xC1, 0xC1)},
        {QPalette::Base, QColor(0x19, 0x19, 0x19)},          {QPalette::AlternateBase, QColor(0x20, 0x20, 0x20)},
        {QPalette::Text, QColor(0xFF, 0xFF, 0xFF)},          {QPalette::Button, QColor(0x3A, 0x39, 0x3A)},
        {QPalette::ButtonText, QColor(0xFF, 0xFF, 0xFF)},    {QPalette::BrightText, QColor(0xFF, 0xFF, 0xFF)},
        {QPalette::Highlight, QColor(0x00, 0x7D, 0xB7)},     {QPalette::HighlightedText, QColor(0xFF, 0xFF, 0xFF)},
        {QPalette::ToolTipBase, QColor(0x19, 0x19, 0x19)},   {QPalette::ToolTipText, QColor(0xFF, 0xFF, 0xFF)},
        {QPalette::PlaceholderText, QColor(0x8A, 0x89, 0x8A)}, {QPalette::Link, QColor(0x1A, 0x8F, 0xC4)},
        {QPalette::Light, QColor(0x4A, 0x49, 0x4A)},         {QPalette::Midlight, QColor(0x3A, 0x39, 0x3A)},
        {QPalette::Mid, QColor(0x32, 0x31, 0x32)},           {QPalette::Dark, QColor(0x19, 0x19, 0x19)},
        {QPalette::Shadow, QColor(0x0F, 0x0F, 0x0F)},
    };
    for (const auto& role : roles) palette.setColor(role.Role, role.Colour);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(0x64, 0x64, 0x64));
    return palette;
}

} // namespace

bool ApplyKVXStyle(QApplication& App)
{
    QStyle* base = QStyleFactory::create("Fusion");
    if (!base) {
        ShowPlainMessage("The visual style \"KVX\" could not be found.");
        return false;
    }
    App.setStyle(base);
    App.setPalette(KVXPalette());
    App.setStyleSheet(KVXStyleSheet);
    return true;
}

} // namespace kvx::ui

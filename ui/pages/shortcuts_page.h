#pragma once
// SMS command shortcuts: ten short messages the unit takes as full remote commands. Each row
// shows the "$PIN*" prefix the full command would carry, with the PIN as typed on the
// Security setup page.
#include <array>

#include "config/shortcuts.h"
#include "ui/main/page_contract.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kvx::ui {

class TShortcutsPage : public TKVXPage {
public:
    TShortcutsPage(IPageHost& Host, QWidget* Parent);

    void ConfigToForm(const TKVXConfig& KVXConfig) override;
    bool FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant) override;
    // Shows the command prefix built with CommandPin ("$8642*" when it is empty).
    void Update(const QString& CommandPin);

    std::array<QLineEdit*, ShortcutCount> edSC{};     // edSC1 .. edSC10
    std::array<QLineEdit*, ShortcutCount> edSI{};     // edSI1 .. edSI10
    std::array<QPushButton*, ShortcutCount> btnSCC{};
    std::array<QPushButton*, ShortcutCount> btnSIC{};
    std::array<QLabel*, ShortcutCount> lblPrefix{};  // Label12 .. Label21
    QLabel* lblExamplePrefix;
    QPushButton* btnCommandGuide;

protected:
    // The main window shows this page only from its menu: take the PIN as typed right then.
    bool event(QEvent* Event) override;

private:
    IPageHost& FHost;
};

} // namespace kvx::ui

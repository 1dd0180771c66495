#pragma once
// If-this-then-that: up to eight remote commands, each an SMS the unit sends to another unit
// or device when its trigger (an input event, a timer or a missed call) occurs.
#include <array>
#include <optional>

#include "config/remote_control.h"
#include "ui/main/page_contract.h"
#include "ui/widgets/remote_command_editor.h"

class QScrollArea;

namespace kvx::ui {

class TRemoteControlPage : public TKVXPage {
public:
    TRemoteControlPage(IPageHost& Host, QWidget* Parent);

    void ConfigToForm(const TKVXConfig& KVXConfig) override;
    // Refuses (and shows the command) a command text the unit cannot send, and a command
    // text without a number, whether for a write or a template; with ConfigAssistant also a
    // number without a command text.
    bool FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant) override;
    QScrollBar* WheelScrollBar() override;

    // Names the timer and missed-call entries after the locations the Timers and Missed call
    // pages hold now; every editor keeps its selection.
    void RefreshLocationNames();

    std::array<TRemoteCommandEditor*, RemoteCommandCount> ITTControlList{};  // in command order
    QScrollArea* sbITTList;
    QWidget* pnlExample;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void BuildTriggerModels();
    void BuildExample();
    void BuildEditors();
    // True when command No (1..8) may be stored; else shows why (NumberProblem first, when its
    // receiving number was refused) and brings it into view.
    bool CheckCommand(const TRemoteCommand& Command, size_t No, bool ConfigAssistant, const std::optional<QString>& NumberProblem);

    IPageHost& FHost;
    TTriggerModels FTriggerModels{};
};

} // namespace kvx::ui

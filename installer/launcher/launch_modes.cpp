#include "installer/launcher/launch_modes.h"

#include <array>

namespace kvx::launcher {

namespace {

struct TModeRule {
    int Mode;
    bool Installed;
    TLaunchAction Action;
};

// Mode 1 starts the installer only while the product is missing; modes 2 and 4 start the
// installed product when there is one, and otherwise the installer (2) or nothing (4).
constexpr std::array<TModeRule, 5> ModeRules{{
    {1, true, TLaunchAction::Skip},
    {2, true, TLaunchAction::RunInstalledComponent},
    {2, false, TLaunchAction::RunWithoutParameters},
    {4, true, TLaunchAction::RunInstalledComponent},
    {4, false, TLaunchAction::Skip},
}};

} // namespace

TLaunchAction LaunchActionFor(int Mode, bool Installed)
{
    for (const TModeRule& rule : ModeRules)
        if (rule.Mode == Mode && rule.Installed == Installed) return rule.Action;
    return TLaunchAction::Run;
}

} // namespace kvx::launcher

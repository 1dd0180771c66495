#pragma once
// What each launch mode does, depending on whether the product is installed.
namespace kvx::launcher {

enum class TLaunchAction {
    Run,                    // the command as given
    RunWithoutParameters,   // the command's file only
    RunInstalledComponent,  // the installed component's file, if the installer has one
    Skip,                   // nothing is started
};

TLaunchAction LaunchActionFor(int Mode, bool Installed);

} // namespace kvx::launcher

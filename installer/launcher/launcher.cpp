#include "installer/launcher/launcher.h"

#include "installer/launcher/internet_shortcut.h"
#include "installer/launcher/launch_modes.h"
#include "installer/launcher/launcher_args.h"

namespace kvx::launcher {

namespace {

bool StartsWithNoCase(std::u16string_view Text, std::u16string_view LowerPrefix)
{
    if (Text.size() < LowerPrefix.size()) return false;
    for (size_t i = 0; i < LowerPrefix.size(); ++i) {
        const char16_t ch = Text[i];
        const char16_t lower = (ch >= u'A' && ch <= u'Z') ? static_cast<char16_t>(ch - u'A' + u'a') : ch;
        if (lower != LowerPrefix[i]) return false;
    }
    return true;
}

void OpenInternetShortcut(std::u16string_view Target, ILauncherHost& Host)
{
    const std::optional<std::string> content = InternetShortcutContent(Target);
    if (!content) return;
    const std::optional<std::u16string> tempName = Host.NewTempFileName(u"URL");
    if (!tempName || tempName->size() < 4) return;
    const std::u16string path = tempName->substr(0, tempName->size() - 4) + u".url";
    if (!Host.WriteNewFile(path, *content)) return;
    if (Host.ShellOpen(u"open", path) <= ShellSuccessAbove) Host.ShellOpen(u"", path);
}

void Execute(const TLaunchRecord& Record, ILauncherHost& Host)
{
    TShellRequest request{u"open", Record, MaskNoCloseProcess | MaskFlagNoUi, ShowNormal};
    const intptr_t answer = Host.ExecuteAndWait(request);
    if (answer != ShellErrorNoAssociation && answer != ShellErrorAssociationIncomplete) return;
    // Without a verb and with the shell's own error box: let the user pick a program.
    request.Verb.clear();
    request.Mask = MaskNoCloseProcess;
    Host.ExecuteAndWait(request);
}

} // namespace

void RunLauncher(std::u16string_view ProcessCommandLine, ILauncherHost& Host)
{
    const std::optional<TLauncherArgs> args = ParseLauncherArgs(ProcessCommandLine);
    if (!args || args->Command.empty()) return;

    if (StartsWithNoCase(args->Command, u"http") || StartsWithNoCase(args->Command, u"mailto")) {
        OpenInternetShortcut(args->Command, Host);
        return;
    }

    const std::u16string ownPath = Host.OwnPath();
    if (ownPath.size() < 3) return;
    const std::u16string driveRoot = ownPath.substr(0, 3);
    const std::u16string iniPath = driveRoot + u"autorun.inf";
    const std::u16string productCode = Host.ReadIniEntry(iniPath, u"Installed", u"ProductCode");
    const std::u16string componentCode = Host.ReadIniEntry(iniPath, u"Installed", args->Key);
    if (productCode.size() > MaxCodeChars || componentCode.size() > MaxCodeChars) return;
    const bool installed = productCode.size() >= 2 && Host.QueryProductState(productCode) == InstallStateDefault;

    std::optional<TLaunchRecord> record = SplitCommand(args->Command, driveRoot);
    if (!record) return;

    switch (LaunchActionFor(args->Mode, installed)) {
    case TLaunchAction::Skip:
        return;
    case TLaunchAction::RunWithoutParameters:
        record->Parameters.clear();
        break;
    case TLaunchAction::RunInstalledComponent: {
        const TComponentPath component = Host.QueryComponentPath(productCode, componentCode);
        const bool usable = component.State == InstallStateLocal || component.State == InstallStateSource;
        if (usable && !component.Path.empty() && component.Path.size() <= MaxPathChars) {
            record->File = component.Path;
            record->Directory.clear();
        }
        break;
    }
    case TLaunchAction::Run:
        break;
    }
    Execute(*record, Host);
}

} // namespace kvx::launcher

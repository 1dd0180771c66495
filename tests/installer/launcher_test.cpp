// The launcher end to end against a scripted Windows: what is read, queried and started.
#include "installer/launcher/launcher.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace kvx::launcher {
namespace {

const std::u16string ProductCode = u"{11111111-2222-3333-4444-555555555555}";
const std::u16string ComponentCode = u"{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}";
const std::u16string InstalledFile = u"C:\\Program Files\\KVX\\kvxconf.exe";

struct TWritten {
    std::u16string Path;
    std::string Bytes;
};

struct TShellOpened {
    std::u16string Verb;
    std::u16string Path;
};

class TScriptedWindows : public ILauncherHost {
public:
    std::u16string Own = u"D:\\autorun.exe";
    std::map<std::u16string, std::u16string> Installed{{u"ProductCode", ProductCode}, {u"Main", ComponentCode}};
    int ProductState = -1;
    TComponentPath Component{-1, u""};
    std::vector<intptr_t> ExecuteAnswers;  // in turn; 42 (success) when used up
    intptr_t ShellOpenAnswer = 42;

    std::vector<std::u16string> IniPathsRead;
    std::vector<std::u16string> ProductsQueried;
    std::vector<TShellRequest> Executed;
    std::vector<TWritten> Written;
    std::vector<TShellOpened> Opened;

    std::u16string OwnPath() override { return Own; }
    std::u16string ReadIniEntry(const std::u16string& IniPath, const std::u16string& Section,
                                const std::u16string& Key) override
    {
        IniPathsRead.push_back(IniPath);
        if (Section != u"Installed") return {};
        const auto it = Installed.find(Key);
        return it == Installed.end() ? std::u16string() : it->second;
    }
    int QueryProductState(const std::u16string& Code) override
    {
        ProductsQueried.push_back(Code);
        return ProductState;
    }
    TComponentPath QueryComponentPath(const std::u16string& Product, const std::u16string& Component_) override
    {
        EXPECT_EQ(Product, ProductCode);
        EXPECT_EQ(Component_, ComponentCode);
        return Component;
    }
    intptr_t ExecuteAndWait(const TShellRequest& Request) override
    {
        Executed.push_back(Request);
        return Executed.size() <= ExecuteAnswers.size() ? ExecuteAnswers[Executed.size() - 1] : 42;
    }
    std::optional<std::u16string> NewTempFileName(const std::u16string& Prefix) override
    {
        return u"C:\\Temp\\" + Prefix + u"1A2.tmp";
    }
    bool WriteNewFile(const std::u16string& Path, std::string_view Bytes) override
    {
        Written.push_back({Path, std::string(Bytes)});
        return true;
    }
    intptr_t ShellOpen(const std::u16string& Verb, const std::u16string& Path) override
    {
        Opened.push_back({Verb, Path});
        return ShellOpenAnswer;
    }

    void Install(int ComponentState)
    {
        ProductState = InstallStateDefault;
        Component = {ComponentState, InstalledFile};
    }
    TLaunchRecord OnlyStarted() const
    {
        EXPECT_EQ(Executed.size(), 1u);
        return Executed.empty() ? TLaunchRecord{} : Executed.front().Record;
    }
};

const TLaunchRecord SetupFromMedium{u"D:\\setup.exe", u"", u"D:\\"};
const TLaunchRecord SetupFromMediumWithX{u"D:\\setup.exe", u"/x", u"D:\\"};
const TLaunchRecord InstalledWithX{InstalledFile, u"/x", u""};

TEST(LauncherMode1, StartsTheInstallerOnlyWhileTheProductIsMissing)
{
    TScriptedWindows notInstalled;
    RunLauncher(u"D:\\autorun.exe [Main][1] setup.exe", notInstalled);
    EXPECT_EQ(notInstalled.OnlyStarted(), SetupFromMedium);
    EXPECT_EQ(notInstalled.IniPathsRead.front(), u"D:\\autorun.inf");
    const TShellRequest& request = notInstalled.Executed.front();
    EXPECT_EQ(request.Verb, u"open");
    EXPECT_EQ(request.Mask, 0x440u);
    EXPECT_EQ(request.Show, 5);

    TScriptedWindows installed;
    installed.Install(InstallStateLocal);
    RunLauncher(u"D:\\autorun.exe [Main][1] setup.exe", installed);
    EXPECT_TRUE(installed.Executed.empty());
}

TEST(LauncherMode2, InstallerWithoutParametersOrTheInstalledProductWithThem)
{
    TScriptedWindows notInstalled;
    RunLauncher(u"D:\\autorun.exe [Main][2] \"setup.exe\" /x", notInstalled);
    EXPECT_EQ(notInstalled.OnlyStarted(), SetupFromMedium);

    TScriptedWindows runFromSource;
    runFromSource.Install(InstallStateSource);
    RunLauncher(u"D:\\autorun.exe [Main][2] \"setup.exe\" /x", runFromSource);
    EXPECT_EQ(runFromSource.OnlyStarted(), InstalledWithX);
}

TEST(LauncherMode4, InstalledProductOnly)
{
    TScriptedWindows notInstalled;
    RunLauncher(u"D:\\autorun.exe [Main][4] \"setup.exe\" /x", notInstalled);
    EXPECT_TRUE(notInstalled.Executed.empty());

    TScriptedWindows local;
    local.Install(InstallStateLocal);
    RunLauncher(u"D:\\autorun.exe [Main][4] \"setup.exe\" /x", local);
    EXPECT_EQ(local.OnlyStarted(), InstalledWithX);

    // The component is not on this machine: the command runs as given.
    TScriptedWindows absent;
    absent.Install(2);
    RunLauncher(u"D:\\autorun.exe [Main][4] \"setup.exe\" /x", absent);
    EXPECT_EQ(absent.OnlyStarted(), SetupFromMediumWithX);
}

TEST(LauncherModes, OtherModesRunTheCommandEitherWay)
{
    for (const char16_t* line : {u"D:\\autorun.exe [Main][0] \"setup.exe\" /x", u"D:\\autorun.exe [Main][-1] \"setup.exe\" /x",
                                  u"D:\\autorun.exe [Main][3] \"setup.exe\" /x"})
        for (const bool installed : {false, true}) {
            TScriptedWindows windows;
            if (installed) windows.Install(InstallStateLocal);
            RunLauncher(line, windows);
            EXPECT_EQ(windows.OnlyStarted(), SetupFromMediumWithX);
        }
}

TEST(LauncherInstalledCheck, NeedsAProductCodeOfTwoCharactersAndStateFive)
{
    for (const std::u16string code : {u"", u"0"}) {
        TScriptedWindows windows;
        windows.Installed[u"ProductCode"] = code;
        windows.ProductState = InstallStateDefault;
        RunLauncher(u"D:\\autorun.exe [Main][1] setup.exe", windows);
        EXPECT_TRUE(windows.ProductsQueried.empty());
        EXPECT_EQ(windows.Executed.size(), 1u) << "counts as not installed";
    }
    TScriptedWindows advertised;
    advertised.ProductState = 1;
    RunLauncher(u"D:\\autorun.exe [Main][1] setup.exe", advertised);
    EXPECT_EQ(advertised.ProductsQueried, std::vector<std::u16string>{ProductCode});
    EXPECT_EQ(advertised.Executed.size(), 1u);
}

TEST(LauncherRefusals, OverlongCodesPathsAndMalformedLinesStartNothing)
{
    TScriptedWindows longProduct;
    longProduct.Installed[u"ProductCode"] = ProductCode + u"0";
    RunLauncher(u"D:\\autorun.exe [Main][1] setup.exe", longProduct);
    EXPECT_TRUE(longProduct.Executed.empty());

    TScriptedWindows longComponent;
    longComponent.Installed[u"Main"] = ComponentCode + u"0";
    RunLauncher(u"D:\\autorun.exe [Main][1] setup.exe", longComponent);
    EXPECT_TRUE(longComponent.Executed.empty());

    TScriptedWindows longPath;
    RunLauncher(u"D:\\autorun.exe [Main][1] " + std::u16string(300, u'x') + u".exe", longPath);
    EXPECT_TRUE(longPath.Executed.empty());

    for (const char16_t* line : {u"D:\\autorun.exe setup.exe", u"D:\\autorun.exe [Main][1]"}) {
        TScriptedWindows windows;
        RunLauncher(line, windows);
        EXPECT_TRUE(windows.Executed.empty());
        EXPECT_TRUE(windows.IniPathsRead.empty());
    }
}

TEST(LauncherShell, RetriesWithoutVerbOnlyOnAssociationErrors)
{
    for (const intptr_t association : {intptr_t{31}, intptr_t{27}}) {
        TScriptedWindows windows;
        windows.ExecuteAnswers = {association};
        RunLauncher(u"D:\\autorun.exe [Main][0] readme.txt", windows);
        ASSERT_EQ(windows.Executed.size(), 2u);
        EXPECT_EQ(windows.Executed[1].Verb, u"");
        EXPECT_EQ(windows.Executed[1].Mask, 0x40u);
        EXPECT_EQ(windows.Executed[1].Record, windows.Executed[0].Record);
    }
    TScriptedWindows notFound;
    notFound.ExecuteAnswers = {2};
    RunLauncher(u"D:\\autorun.exe [Main][0] readme.txt", notFound);
    EXPECT_EQ(notFound.Executed.size(), 1u);
}

TEST(LauncherWebAddresses, WriteAndOpenAUrlFileWithoutReadingTheMedium)
{
    TScriptedWindows windows;
    RunLauncher(u"D:\\autorun.exe [Main][0] HTTP://example.com/a b", windows);
    EXPECT_TRUE(windows.IniPathsRead.empty());
    EXPECT_TRUE(windows.Executed.empty());
    ASSERT_EQ(windows.Written.size(), 1u);
    EXPECT_EQ(windows.Written[0].Path, u"C:\\Temp\\URL1A2.url");
    EXPECT_EQ(windows.Written[0].Bytes, "[InternetShortcut]\r\nURL=HTTP://example.com/a%20b\r\n");
    ASSERT_EQ(windows.Opened.size(), 1u);
    EXPECT_EQ(windows.Opened[0].Verb, u"open");
    EXPECT_EQ(windows.Opened[0].Path, u"C:\\Temp\\URL1A2.url");

    TScriptedWindows noHandler;
    noHandler.ShellOpenAnswer = 32;
    RunLauncher(u"D:\\autorun.exe [x][1] MailTo:kvx@example.com", noHandler);
    ASSERT_EQ(noHandler.Opened.size(), 2u);
    EXPECT_EQ(noHandler.Opened[1].Verb, u"");

    TScriptedWindows tooLong;
    RunLauncher(u"D:\\autorun.exe [x][1] http://" + std::u16string(1000, u'a'), tooLong);
    EXPECT_TRUE(tooLong.Written.empty());
    EXPECT_TRUE(tooLong.Opened.empty());
}

} // namespace
} // namespace kvx::launcher

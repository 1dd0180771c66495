// kvxctl against the simulated unit: the same binding, link and device object as with a
// real dongle. Each run is a fresh process; the unit's memory lives in a file between runs.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "image/kvx_config.h"
#include "tests/support/fake_sysfs.h"

namespace {

namespace fs = std::filesystem;

struct TRun {
    int ExitCode;
    std::string Output;
};

class Kvxctl : public ::testing::Test {
protected:
    Kvxctl() : Folder(fs::temp_directory_path() / ("kvxctl_test_" + std::to_string(::getpid()) + "_" + Name()))
    {
        fs::remove_all(Folder);
        fs::create_directories(Folder);
        Unit = Folder / "unit.bin";
        Environment["KVXSIM_MEMORY"] = Unit.string();
        Environment["KVX_USB_LIBRARY"] = KVXSIM_PATH;
        // Backups land in the test's folder, never in the user's own.
        Environment["HOME"] = Folder.string();
        Environment["XDG_DATA_HOME"] = (Folder / "data").string();
        Backups = Folder / "data" / "KVX" / "backups";
    }
    ~Kvxctl() override { fs::remove_all(Folder); }

    static std::string Name() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

    // Runs kvxctl in the test's folder with this test's knobs (the simulator chosen by
    // KVX_USB_LIBRARY); no input, or the file Input names.
    TRun Run(const std::string& arguments, const std::string& Input = "/dev/null")
    {
        std::string command = "cd '" + Folder.string() + "' && export";
        for (const auto& [key, value] : Environment) command += " " + key + "='" + value + "'";
        return Shell(command + " && { " + KVXCTL_PATH + " " + arguments + "; } <" + Input + " 2>&1");
    }

    static TRun Shell(const std::string& command)
    {
        TRun run{-1, {}};
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe) return run;
        char chunk[512];
        while (size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) run.Output.append(chunk, n);
        const int status = ::pclose(pipe);
        run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }

    static std::vector<uint8_t> Bytes(const fs::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void Put(const fs::path& file, const std::vector<uint8_t>& bytes)
    {
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    static void PutText(std::vector<uint8_t>& image, size_t offset, const std::string& text)
    {
        std::copy(text.begin(), text.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    static bool Says(const TRun& run, const std::string& text) { return run.Output.find(text) != std::string::npos; }
    // The backup a write names in its output.
    static fs::path BackupNamedIn(const TRun& run)
    {
        const std::string marker = "is saved in \"";
        const size_t at = run.Output.find(marker);
        if (at == std::string::npos) return {};
        const size_t from = at + marker.size();
        return run.Output.substr(from, run.Output.find(".kvx\"", from) + 4 - from);
    }

    fs::path Folder;
    fs::path Unit;
    fs::path Backups;
    std::map<std::string, std::string> Environment;
};

TEST_F(Kvxctl, ReadWriteAndReadBackGiveTheSameImage)
{
    const fs::path first = Folder / "first.kvx";
    const TRun read = Run("read -o " + first.string());
    ASSERT_EQ(read.ExitCode, 0) << read.Output;
    std::vector<uint8_t> image = Bytes(first);
    ASSERT_EQ(image.size(), kvx::TKVXConfig::Size);

    // A visible edit, so the write is seen to land.
    image[176] = 'Z';
    image[kvx::HiddenSettingOffset] = 20;
    std::ofstream(first, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    const TRun write = Run("write " + first.string());
    ASSERT_EQ(write.ExitCode, 0) << write.Output;

    const fs::path second = Folder / "second.kvx";
    ASSERT_EQ(Run("read -o " + second.string()).ExitCode, 0);
    std::vector<uint8_t> expected = image;
    expected[0] = 0xFF;
    expected[2046] = 0xAA;
    expected[2047] = 0x55;
    std::fill(expected.begin() + 1792, expected.begin() + 1824, 0xFF);  // no file ever holds the password
    EXPECT_EQ(Bytes(second), expected);
}

// --simulate keeps the unit's memory in the data folder (here the test's), so a write is
// there to read in a later run; --simulate-reset starts from the demo unit again.
TEST_F(Kvxctl, TheSimulatedUnitRemembersWhatWasWrittenUntilReset)
{
    Environment.erase("KVXSIM_MEMORY");
    Environment.erase("KVX_USB_LIBRARY");
    const fs::path memory = Folder / "data" / "KVX" / "simulated-unit.mem";
    ASSERT_EQ(Run("--simulate read -o site.kvx").ExitCode, 0);
    EXPECT_FALSE(fs::exists(memory)) << "a read leaves nothing behind";
    ASSERT_EQ(Run("set site.kvx UnitID=Remembered").ExitCode, 0);
    const TRun write = Run("--simulate write site.kvx");
    ASSERT_EQ(write.ExitCode, 0) << write.Output;
    EXPECT_EQ(fs::file_size(memory), 65536u);

    const struct {
        const char* Option;
        const char* UnitID;
    } runs[] = {{"--simulate", "Remembered"}, {"--simulate-reset", "KVX Demo Site"}, {"--simulate", "KVX Demo Site"}};
    for (const auto& run : runs) {
        ASSERT_EQ(Run(std::string(run.Option) + " read -o again.kvx").ExitCode, 0) << run.Option;
        EXPECT_TRUE(Says(Run("dump again.kvx"), std::string("UnitID = ") + run.UnitID + "\n")) << run.Option;
    }
}

TEST_F(Kvxctl, UnprogrammedHiddenSettingGoesOutAsFifty)
{
    const fs::path file = Folder / "blank.kvx";
    std::ofstream(file, std::ios::binary) << std::string(kvx::TKVXConfig::Size, '\xFF');
    ASSERT_EQ(Run("write " + file.string()).ExitCode, 0);
    ASSERT_EQ(Run("read -o " + file.string()).ExitCode, 0);
    EXPECT_EQ(Bytes(file).at(kvx::HiddenSettingOffset), 50);
}

TEST_F(Kvxctl, PasswordIsAskedAndProvenBeforeAnyTransfer)
{
    Environment["KVXSIM_PASSWORD"] = "Secret";
    const fs::path file = Folder / "unit.kvx";

    const TRun none = Run("read -o " + file.string());
    EXPECT_EQ(none.ExitCode, 1);
    EXPECT_NE(none.Output.find("No password given."), std::string::npos) << none.Output;

    const TRun wrong = Run("--password secret read -o " + file.string());
    EXPECT_EQ(wrong.ExitCode, 1);
    EXPECT_NE(wrong.Output.find("Incorrect password."), std::string::npos) << wrong.Output;
    EXPECT_FALSE(fs::exists(file)) << "nothing read after a wrong password";

    EXPECT_EQ(Run("--password Secret read -o " + file.string()).ExitCode, 0);
    const std::vector<uint8_t> read = Bytes(file);
    EXPECT_TRUE(std::all_of(read.begin() + 1792, read.begin() + 1824, [](uint8_t b) { return b == 0xFF; }))
        << "the file never holds the password";
    const TRun check = Run("--password Secret password check");
    EXPECT_EQ(check.ExitCode, 0);
    EXPECT_NE(check.Output.find("Password correct."), std::string::npos) << check.Output;
}

TEST_F(Kvxctl, PasswordComesFromTheEnvironmentOrAFileAndOnTheCommandLineOnlyWithAWarning)
{
    Environment["KVXSIM_PASSWORD"] = "Secret";
    std::ofstream(Folder / "right") << "Secret\r\n";
    std::ofstream(Folder / "wrong") << "secret\n";
    const std::string warning = "Warning: a password on the command line can be seen by other users";
    struct TCase {
        std::string Options;
        const char* Environment;  // KVX_PASSWORD
        int ExitCode;
        bool Warns;
    };
    const TCase cases[] = {
        {"--password Secret", nullptr, 0, true},
        {"--password-file " + (Folder / "right").string(), nullptr, 0, false},
        {"--password-file " + (Folder / "wrong").string(), nullptr, 1, false},
        {"", "Secret", 0, false},
        {"", "secret", 1, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Options + (c.Environment ? c.Environment : ""));
        if (c.Environment) Environment["KVX_PASSWORD"] = c.Environment;
        const TRun run = Run(c.Options + " password check");
        Environment.erase("KVX_PASSWORD");
        EXPECT_EQ(run.ExitCode, c.ExitCode) << run.Output;
        EXPECT_EQ(Says(run, warning), c.Warns) << run.Output;
    }
}

TEST_F(Kvxctl, NewPasswordTheUnitCannotGiveBackIsRefusedBeforeAnythingIsWritten)
{
    std::ofstream(Folder / "new") << "p\xC3\xA4sswort\n";  // UTF-8
    const TRun refused = Run("password set --new-password-file " + (Folder / "new").string());
    EXPECT_EQ(refused.ExitCode, 1);
    EXPECT_TRUE(Says(refused, "the KVX stores no other characters")) << refused.Output;
    EXPECT_TRUE(Says(Run("password check"), "The KVX has no password."));
    const TRun warned = Run("password set Gate12");
    EXPECT_EQ(warned.ExitCode, 0) << warned.Output;
    EXPECT_TRUE(Says(warned, "Warning: a password on the command line")) << warned.Output;
}

TEST_F(Kvxctl, WriteChangesOnlySendsThePagesThatDiffer)
{
    const fs::path file = Folder / "unit.kvx";
    ASSERT_EQ(Run("read -o " + file.string()).ExitCode, 0);
    std::vector<uint8_t> image = Bytes(file);
    PutText(image, 176, "Farm gate       ");
    Put(file, image);
    const TRun run = Run("write --changes-only " + file.string());
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    EXPECT_TRUE(Says(run, "and verified. Only the pages that differ were sent (2 of 512).")) << run.Output;
    const TRun same = Run("diff " + file.string() + " unit");
    EXPECT_EQ(same.ExitCode, 0) << same.Output;
}

TEST_F(Kvxctl, PasswordSetThenClear)
{
    ASSERT_EQ(Run("password set NewOne").ExitCode, 0);
    const TRun refused = Run("--password wrong password check");
    EXPECT_EQ(refused.ExitCode, 1);
    EXPECT_NE(refused.Output.find("Incorrect password."), std::string::npos);

    ASSERT_EQ(Run("--password NewOne password clear").ExitCode, 0);
    const TRun open = Run("password check");
    EXPECT_EQ(open.ExitCode, 0);
    EXPECT_NE(open.Output.find("The KVX has no password."), std::string::npos) << open.Output;
}

TEST_F(Kvxctl, PasswordLongerThanItsFieldIsRefused)
{
    const TRun run = Run("password set " + std::string(33, 'x'));
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Output.find("at most 32"), std::string::npos);
}

TEST_F(Kvxctl, FailedReadShowsItsCodeAndTheChecks)
{
    Environment["KVXSIM_FAULT"] = "stop-after-page=10";
    const fs::path file = Folder / "unit.kvx";
    const TRun run = Run("read -o " + file.string());
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Output.find("Could not read the configuration (7).\n\n- Check that the KVX USB Dongle is connected"),
              std::string::npos)
        << run.Output;
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(Kvxctl, NotAnImageIsRefusedAndTheUnitUntouched)
{
    const fs::path file = Folder / "short.kvx";
    std::ofstream(file, std::ios::binary) << std::string(100, 'A');
    const TRun run = Run("write " + file.string());
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_NE(run.Output.find("is not a KVX configuration file"), std::string::npos) << run.Output;
    EXPECT_FALSE(fs::exists(Unit)) << "the unit was never written";
}

TEST_F(Kvxctl, MissingLibraryOrDongleIsNamed)
{
    const TRun noLibrary = Run("--usb-library /nonexistent/libSiUSBXp.so devices");
    EXPECT_EQ(noLibrary.ExitCode, 2);
    EXPECT_NE(noLibrary.Output.find("/nonexistent/libSiUSBXp.so"), std::string::npos) << noLibrary.Output;

    const TRun plugged = Run("devices --json");
    EXPECT_EQ(plugged.ExitCode, 0);
    EXPECT_EQ(nlohmann::json::parse(plugged.Output).at(0).at("kvx_dongle"), true) << plugged.Output;

    Environment["KVXSIM_UNPLUGGED"] = "1";
    const TRun unplugged = Run("read -o " + (Folder / "x.kvx").string());
    EXPECT_EQ(unplugged.ExitCode, 2);
    EXPECT_NE(unplugged.Output.find("KVX USB dongle not connected."), std::string::npos) << unplugged.Output;
    const TRun none = Run("devices");
    EXPECT_EQ(none.ExitCode, 1) << "no dongle found";
    EXPECT_EQ(none.Output, "No USBXpress devices found.\n");
}

TEST_F(Kvxctl, WithoutALibraryDevicesListsTheDonglesSerialPort)
{
    kvx::test::TFakeSysfs sysfs;
    // A name no real port has: kvxctl opens the dongle it finds.
    kvx::test::TUSBSerialAdapter dongle;
    dongle.Tty = "ttyKVXTEST0";
    sysfs.Plug(dongle);
    kvx::test::TUSBSerialAdapter unbound;
    unbound.USBName = "1-3";
    unbound.Tty.clear();
    sysfs.Plug(unbound);
    Environment["KVX_USB_LIBRARY"] = "";
    Environment["KVX_SYSFS_ROOT"] = sysfs.Root().string();
    const TRun run = Run("devices");
    EXPECT_EQ(run.ExitCode, 0) << run.Output;
    EXPECT_NE(run.Output.find("Device00  KVX USB Dongle  serial 0001  VID 10c4  PID 8a4c  at /dev/ttyKVXTEST0  (KVX dongle)"),
              std::string::npos)
        << run.Output;
    EXPECT_NE(run.Output.find("USB 1-3 has no serial port"), std::string::npos) << run.Output;

    const TRun badRate = Run("--serial-baud 12345 devices");
    EXPECT_EQ(badRate.ExitCode, 2);
    EXPECT_NE(badRate.Output.find("--serial-baud: \"12345\" is not a serial line rate"), std::string::npos)
        << badRate.Output;
}

TEST_F(Kvxctl, DumpNamesTheFieldsAsTextAndJson)
{
    const fs::path file = Folder / "unit.kvx";
    ASSERT_EQ(Run("read -o " + file.string()).ExitCode, 0);
    const TRun text = Run("dump " + file.string());
    EXPECT_EQ(text.ExitCode, 0);
    EXPECT_NE(text.Output.find("UnitID = KVX Demo Site"), std::string::npos) << text.Output.substr(0, 400);

    const TRun json = Run("dump --json " + file.string());
    ASSERT_EQ(json.ExitCode, 0);
    const auto parsed = nlohmann::json::parse(json.Output);
    EXPECT_EQ(parsed.at("UnitID"), "KVX Demo Site");
}

TEST_F(Kvxctl, WriteBacksUpWhatTheUnitHeldAndTheBackupRestoresIt)
{
    // A unit as a write leaves it (marked, the hidden setting programmed), so a restore gives it back exactly.
    const fs::path before = Folder / "before.kvx";
    ASSERT_EQ(Run("read -o " + before.string()).ExitCode, 0);
    std::vector<uint8_t> image = Bytes(before);
    image[0] = 0xFF;
    image[2046] = 0xAA;
    image[2047] = 0x55;
    image[kvx::HiddenSettingOffset] = 20;
    Put(Unit, image);
    ASSERT_EQ(Run("read -o " + before.string()).ExitCode, 0);
    PutText(image, 176, "Second site     ");
    const fs::path second = Folder / "second.kvx";
    Put(second, image);

    const TRun write = Run("write " + second.string());
    ASSERT_EQ(write.ExitCode, 0) << write.Output;
    EXPECT_TRUE(Says(write, "Configuration written from " + second.string() + " and verified.")) << write.Output;
    const fs::path backup = BackupNamedIn(write);
    EXPECT_EQ(backup.parent_path(), Backups);
    EXPECT_EQ(Bytes(backup), Bytes(before));
    const TRun listed = Run("backups");
    EXPECT_TRUE(Says(listed, "KVX-Demo-Site  31872 bytes  " + backup.filename().string())) << listed.Output;
    EXPECT_TRUE(Says(listed, "Restore one with: kvxctl restore \"" + backup.string() + "\"")) << listed.Output;
    const auto json = nlohmann::json::parse(Run("backups --json").Output);
    EXPECT_EQ(json.at("backups").at(0).at("file"), backup.string());

    // The restore sends the backup's own bytes, after listing what it changes.
    image = Bytes(Unit);
    image[5000] = 0x34;  // no page stores it
    Put(Unit, image);
    const TRun restored = Run("restore " + backup.string());
    ASSERT_EQ(restored.ExitCode, 0) << restored.Output;
    EXPECT_TRUE(Says(restored, "UnitID: \"Second site\" -> \"KVX Demo Site\"")) << restored.Output;
    EXPECT_TRUE(Says(restored, "and verified.")) << restored.Output;
    EXPECT_TRUE(Says(Run("restore " + backup.string()), "The KVX already holds " + backup.string() + "."));
    const TRun same = Run("diff " + before.string() + " unit");
    EXPECT_EQ(same.ExitCode, 0) << same.Output;
    EXPECT_TRUE(Says(same, "The configurations are the same.")) << same.Output;
}

TEST_F(Kvxctl, UnitThatChangesAByteFailsVerificationByName)
{
    Environment["KVXSIM_FAULT"] = "corrupt-byte=176";
    const fs::path file = Folder / "unit.kvx";
    ASSERT_EQ(Run("read -o " + file.string()).ExitCode, 0);
    const TRun failed = Run("write " + file.string());
    EXPECT_EQ(failed.ExitCode, 1);
    EXPECT_TRUE(Says(failed, "1 field differs, the first is UnitID (written \"KVX Demo Site\", the KVX holds \"JVX Demo Site\")"))
        << failed.Output;
    const TRun unverified = Run("write --no-verify " + file.string());
    EXPECT_EQ(unverified.ExitCode, 0);
    EXPECT_TRUE(Says(unverified, "(not verified).")) << unverified.Output;

    // A write cut off part way says what the unit holds now and how to restore it.
    Environment["KVXSIM_FAULT"] = "stop-after-page=600";
    const TRun broken = Run("write " + file.string());
    EXPECT_EQ(broken.ExitCode, 1);
    EXPECT_TRUE(Says(broken, "The write failed after 87 of 512 pages (8).")) << broken.Output;
    EXPECT_TRUE(Says(broken, "To restore it: kvxctl restore \"" + BackupNamedIn(broken).string() + "\"")) << broken.Output;
}

TEST_F(Kvxctl, BackupFolderThatCannotBeWrittenStopsTheWriteBeforeAnythingIsSent)
{
    const fs::path file = Folder / "unit.kvx";
    ASSERT_EQ(Run("read -o " + file.string()).ExitCode, 0);
    std::ofstream(Folder / "data") << "a file where the data folder would be";
    const TRun run = Run("write " + file.string());
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_TRUE(Says(run, "Nothing was written: the KVX's configuration could not be backed up")) << run.Output;
    EXPECT_FALSE(fs::exists(Unit)) << "the unit was never written";
}

TEST_F(Kvxctl, DiffNamesTheFieldsOfSeveralPagesWithBothValues)
{
    const fs::path a = Folder / "a.kvx";
    const fs::path b = Folder / "b.kvx";
    ASSERT_EQ(Run("read -o " + a.string()).ExitCode, 0);
    std::vector<uint8_t> image = Bytes(a);
    PutText(image, 176, "Farm gate       ");  // General setup
    PutText(image, 2560 + 16, "Pump            ");  // Timers: the second label
    image[28928 + 2 * 19] = 0x01;  // Message distribution: mains fail to recipient 1
    image[28928 + 2 * 19 + 1] = 0x00;
    PutText(image, 1792, std::string(32, ' '));  // a blank password is no password, as erased
    Put(b, image);

    // In the pages' words, page by page in menu order.
    const TRun text = Run("diff " + a.string() + " " + b.string());
    EXPECT_EQ(text.ExitCode, 1);
    EXPECT_EQ(text.Output, "General setup\n"
                           "  Unit reporting name: \"KVX Demo Site\" -> \"Farm gate\"\n"
                           "Message distribution\n"
                           "  Mains fail: 1, 2, 3 -> 1\n"
                           "Switching by timer\n"
                           "  Timer 02 Pump off, Timer label: \"Pump off\" -> \"Pump\"\n");

    const TRun fields = Run("diff --fields " + a.string() + " " + b.string());
    EXPECT_EQ(fields.ExitCode, 1);
    const size_t name = fields.Output.find("UnitID: \"KVX Demo Site\" -> \"Farm gate\"\n");
    const size_t timer = fields.Output.find("TimerLabels[2]: ");
    const size_t mains = fields.Output.find("DistributeMessages[MainsFail]: ");
    EXPECT_TRUE(name < timer && timer < mains && mains != std::string::npos) << fields.Output;

    const TRun json = Run("diff --json " + a.string() + " " + b.string());
    EXPECT_EQ(json.ExitCode, 1);
    const auto parsed = nlohmann::json::parse(json.Output);
    EXPECT_EQ(parsed.at("equal"), false);
    ASSERT_EQ(parsed.at("differences").size(), 3u);
    const auto& mainsFail = parsed.at("differences")[1];
    EXPECT_EQ(mainsFail.at("page"), "Message distribution");
    EXPECT_EQ(mainsFail.at("caption"), "Mains fail");
    EXPECT_EQ(mainsFail.at("second"), "1");
    EXPECT_EQ(mainsFail.at("fields")[0].at("field"), "DistributeMessages[MainsFail]");
    EXPECT_EQ(mainsFail.at("fields")[0].at("second"), "1");

    EXPECT_EQ(Run("diff " + a.string() + " " + a.string()).ExitCode, 0);
    EXPECT_EQ(Run("diff " + a.string() + " " + (Folder / "absent.kvx").string()).ExitCode, 2);
    EXPECT_EQ(Run("diff --json --fields " + a.string() + " " + b.string()).ExitCode, 2);
}

TEST_F(Kvxctl, DumpWordsListsATemplatePageByPage)
{
    const fs::path a = Folder / "a.kvx";
    ASSERT_EQ(Run("read -o " + a.string()).ExitCode, 0);
    const TRun words = Run("dump --words " + a.string());
    EXPECT_EQ(words.ExitCode, 0);
    for (const char* expected : {"SIM setup\n  Primary SIM, Message centre number: +447785016005\n",
                                 "General setup\n  Unit reporting name: \"KVX Demo Site\"\n",
                                 "  Timer 01 Pump on: Relay1 On at 06:30, Mon Tue Wed Thu Fri, confirmation SMS\n",
                                 "  100 Medical: 1, 2\n", "Fields no page shows\n  EEPROMFlags: 43605\n"})
        EXPECT_TRUE(Says(words, expected)) << expected << "\n" << words.Output;
    EXPECT_FALSE(Says(words, "Timer 04")) << "undefined locations are left out";
    EXPECT_EQ(Run("dump --words --json " + a.string()).ExitCode, 2);
}

TEST_F(Kvxctl, StatusShowsDecodedFrames)
{
    const TRun run = Run("status --seconds 2");
    EXPECT_EQ(run.ExitCode, 0) << run.Output;
    EXPECT_NE(run.Output.find("Firmware version"), std::string::npos) << run.Output;
    EXPECT_NE(run.Output.find("IMEI - "), std::string::npos) << run.Output;
}

TEST_F(Kvxctl, StatusLogsEveryStateFrameAsCsv)
{
    Environment["KVXSIM_SIGNAL"] = "60,75";
    const TRun run = Run("status --seconds 2 --csv -");
    EXPECT_EQ(run.ExitCode, 0) << run.Output;
    const std::string header = "time,state,operator,signal_dbm,sim,inputs,mains,relays,supply_volts,analogue_volts,analogue_milliamps\r\n";
    ASSERT_EQ(run.Output.substr(0, header.size()), header) << run.Output;
    EXPECT_TRUE(Says(run, ",GSM register,,-60,1,HLLLLLLLL,H,COOOOOOO,13.7,4.56,\r\n")) << run.Output;
    EXPECT_FALSE(Says(run, "Firmware version")) << "standard output carries the log alone";
    EXPECT_TRUE(Says(run, "Status log: ")) << "told on standard error";
}

TEST_F(Kvxctl, ReportOfTheUnitHoldsItsSettingsAndNoPassword)
{
    Environment["KVXSIM_PASSWORD"] = "Secret42";
    std::ofstream(Folder / "password") << "Secret42\n";
    const std::string password = "--password-file " + (Folder / "password").string() + " ";
    const fs::path pdf = Folder / "farm.pdf";
    const TRun made = Run(password + "report unit -o " + pdf.string() + " --installer 'Ann Fitter' --site 'Farm 12'");
    if (!KVX_REPORT_PDF) {
        // A kvxctl without Qt says so before reading the unit, and writes HTML.
        EXPECT_EQ(made.ExitCode, 2);
        EXPECT_TRUE(Says(made, "HTML only")) << made.Output;
        EXPECT_FALSE(fs::exists(pdf));
        const TRun html = Run(password + "report unit -o -");
        EXPECT_EQ(html.ExitCode, 0) << html.Output;
        EXPECT_TRUE(Says(html, "KVX Demo Site"));
        EXPECT_FALSE(Says(html, "Secret42"));
        return;
    }
    ASSERT_EQ(made.ExitCode, 0) << made.Output;
    const TRun text = Shell("pdftotext -layout '" + pdf.string() + "' -");
    ASSERT_EQ(text.ExitCode, 0) << "pdftotext (poppler-utils) is needed: " << text.Output;
    std::istringstream lines(text.Output);
    bool timerLine = false;
    for (std::string line; std::getline(lines, line);)
        timerLine = timerLine || (line.find("\"Pump on\"") != std::string::npos && line.find("06:30") != std::string::npos &&
                                  line.find("Relay1") != std::string::npos);
    EXPECT_TRUE(timerLine) << text.Output;
    for (const char* expected : {"KVX Demo Site", "Ann Fitter", "+447700900201", "356938035643809", "Vodafone"})
        EXPECT_TRUE(Says(text, expected)) << expected << "\n" << text.Output;
    EXPECT_FALSE(Says(text, "Secret42"));

    const TRun refused = Run("report unit -o farm.txt");
    EXPECT_EQ(refused.ExitCode, 2);
    EXPECT_EQ(refused.Output, "The report is a PDF (.pdf) or an HTML page (.html): \"farm.txt\" is neither.\n");
}

TEST_F(Kvxctl, BuildSetImportAndExportWorkOnTemplateFiles)
{
    const fs::path site = Folder / "farm12.kvx";
    const TRun built = Run("build " + std::string(KVX_SITE_JSON) + " -o " + site.string());
    ASSERT_EQ(built.ExitCode, 0) << built.Output;
    const auto dumped = [&] { return nlohmann::json::parse(Run("dump --json " + site.string()).Output); };
    EXPECT_EQ(dumped().at("TimerEvents").at("1").at("Label"), "Yard lights");
    EXPECT_EQ(dumped().at("Relay1PulseTime"), 3) << "left out: the design value";

    const fs::path bad = Folder / "bad.json";
    std::ofstream(bad) << R"({"UnitID": "Farm number twelve", "TimerEvents": {"1": {"Label": "x", "Time": "18:75"}}})";
    const TRun refused = Run("build " + bad.string() + " -o " + (Folder / "bad.kvx").string());
    EXPECT_EQ(refused.ExitCode, 2);
    EXPECT_EQ(refused.Output, "UnitID: \"Farm number twelve\" is longer than 16 characters\n"
                              "TimerEvents.1.Time: \"18:75\" is not a time of day (\"HH:MM\", 00:00 to 23:59)\nNothing was written.\n");
    EXPECT_FALSE(fs::exists(Folder / "bad.kvx"));

    ASSERT_EQ(Run("set " + site.string() + " 'UnitID=Farm 13' TimerEvents.1.Time=19:00 PIN=1357").ExitCode, 0);
    EXPECT_EQ(dumped().at("UnitID"), "Farm 13");
    EXPECT_EQ(dumped().at("PIN"), "1357");
    const std::vector<uint8_t> before = Bytes(site);
    const TRun unset = Run("set " + site.string() + " UnitID=Farm Relay1PulseTime=5000");
    EXPECT_EQ(unset.ExitCode, 2);
    EXPECT_TRUE(Says(unset, "Relay1PulseTime: 5000 is out of range (0 to 1000)")) << unset.Output;
    EXPECT_EQ(Bytes(site), before) << "all of the edits, or none";

    const fs::path gate = Folder / "gate.csv";
    std::ofstream(gate) << "location;number\r\n;+44 7700 900556\r\n1;+44 7700 900555\r\n";
    const TRun dry = Run("calls import --dry-run " + site.string() + " " + gate.string());
    EXPECT_EQ(dry.ExitCode, 0);
    EXPECT_TRUE(Says(dry, "1 added, 0 updated, 1 unchanged, 0 skipped.\nline 2: added as location 2 (+447700900556)\nDry run")) << dry.Output;
    EXPECT_EQ(Bytes(site), before);
    ASSERT_EQ(Run("calls import " + site.string() + " " + gate.string()).ExitCode, 0);
    EXPECT_TRUE(Says(Run("calls export " + site.string()), "\r\n1,+447700900555,1,Pulse,yes,0,07:00,19:00,Mon Tue Wed Thu Fri Sat\r\n"
                                                          "2,+447700900556,1,On,no,0,,,\r\n"));
    const TRun recipients = Run("recipients export " + site.string());
    EXPECT_EQ(recipients.Output, "recipient,number\r\n1,+447700900123\r\n2,+447700900124\r\n");
}

TEST_F(Kvxctl, BadInputIsOneMessageAndAnExitStatusNeverACrash)
{
    ASSERT_EQ(Run("build " + std::string(KVX_SITE_JSON) + " -o site.kvx").ExitCode, 0);
    const std::map<std::string, std::string> files = {
        {"huge.json", R"({"UnitID": 1e999})"},
        {"twice.json", R"({"TimerEvents": {"5": {"Label": "a", "Label": "b"}}})"},
        {"deep.json", R"({"DayOfWeek": )" + std::string(100000, '[')},
        {"latin1.json", "{\"UnitID\": \"Caf\xE9\"}"},
        {"latin1.arg", "UnitID=Caf\xE9"},
        {"empty.json", "{}"},
        {"open.csv", "number\n+441\n\"+442\n"},
        {"skipped.csv", "number\nnot a number\n"},
        {"short.kvx", std::string(100, 'A')},
    };
    for (const auto& [name, text] : files) std::ofstream(Folder / name, std::ios::binary) << text;
    const struct {
        std::string Arguments;
        int Exit;
        std::string FirstLine;
    } cases[] = {
        {"build huge.json -o out.kvx", 2, "huge.json: number overflow parsing '1e999'"},
        {"build twice.json -o out.kvx", 2, "twice.json: \"TimerEvents.5.Label\" is given twice"},
        {"build deep.json -o out.kvx", 2, "deep.json: nested deeper than 16 levels"},
        {"build latin1.json -o out.kvx", 2,
         "latin1.json: parse error at line 1, column 17: syntax error while parsing value - invalid string: ill-formed UTF-8 byte; "
         "last read: '\"Caf\xE9\"'"},
        {"build - -o out.kvx", 2,
         "standard input: parse error at line 1, column 1: syntax error while parsing value - unexpected end of input; expected '[', "
         "'{', or a literal"},
        {"build empty.json -o ./empty.json", 2, "The output \"./empty.json\" is the input file; name another."},
        {"set site.kvx Relay1PulseTime=1e999", 2, "Relay1PulseTime: expected a whole number from 0 to 1000"},
        {"set site.kvx \"$(cat latin1.arg)\"", 2, "UnitID: not UTF-8 text"},
        {"set site.kvx UnitID", 2, "UnitID: expected PATH=VALUE (UnitID=\"Farm 12\", TimerEvents.5.Time=07:30)"},
        {"set site.kvx AutoTestTimeHours=24 AutoTestTimeMinutes=08", 2, "AutoTestTimeHours: 24 is out of range (0 to 23)"},
        {"set site.kvx RawBytes.LockArray=00", 2,
         "RawBytes.LockArray: the password never goes into a template (kvxctl password set puts it into the KVX)"},
        {"dump short.kvx", 2, "Could not load the template \"short.kvx\": It is not a KVX configuration file (100 bytes; a "
                              "configuration file holds 31872)."},
        {"dump -", 2, "Could not load the template \"-\": It is not a KVX configuration file (0 bytes; a configuration file holds 31872)."},
        {"dump absent.kvx", 2, "file: File does not exist: absent.kvx"},
        {"diff - -", 2, "Only one of the two can come from standard input."},
        {"calls import site.kvx open.csv", 2, "open.csv: Line 3 opens a quoted field that is never closed."},
        {"calls import site.kvx skipped.csv", 1, "0 added, 0 updated, 0 unchanged, 1 skipped."},
        {"recipients export site.kvx site.kvx", 2, "The output \"site.kvx\" is the input file; name another."},
        {"--bogus devices", 2, "The following argument was not expected: --bogus"},
    };
    const std::vector<uint8_t> site = Bytes(Folder / "site.kvx");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Arguments);
        const TRun run = Run(c.Arguments);
        EXPECT_EQ(run.ExitCode, c.Exit) << run.Output;
        EXPECT_EQ(run.Output.substr(0, run.Output.find('\n')), c.FirstLine);
    }
    EXPECT_FALSE(fs::exists(Folder / "out.kvx")) << "nothing was written";
    EXPECT_EQ(Bytes(Folder / "site.kvx"), site) << "the template is as it was";
    EXPECT_EQ(Bytes(Folder / "empty.json").size(), 2u) << "the input is as it was";
}

TEST_F(Kvxctl, DumpAsJsonBuildsBackTheSameTemplate)
{
    ASSERT_EQ(Run("read -o unit.kvx").ExitCode, 0);
    Put(Folder / "erased.kvx", std::vector<uint8_t>(kvx::TKVXConfig::Size, 0xFF));
    std::mt19937 random(21);
    for (const char* name : {"random1.kvx", "random2.kvx"}) {
        std::vector<uint8_t> image(kvx::TKVXConfig::Size);
        for (uint8_t& byte : image) byte = static_cast<uint8_t>(random());
        std::fill(image.begin() + 1792, image.begin() + 1824, 0xFF);  // no file holds the password
        Put(Folder / name, image);
    }
    for (const char* name : {"unit.kvx", "erased.kvx", "random1.kvx", "random2.kvx"}) {
        SCOPED_TRACE(name);
        const TRun built = Run("dump " + std::string(name) + " --json | " + KVXCTL_PATH + " build - -o copy.kvx");
        ASSERT_EQ(built.ExitCode, 0) << built.Output;
        const TRun compared = Run("diff " + std::string(name) + " copy.kvx");
        EXPECT_EQ(compared.ExitCode, 0) << compared.Output.substr(0, 400);
    }
    // The text dump's lines go back through set.
    ASSERT_EQ(Run("set erased.kvx AutoTestTimeHours=08 AutoTestTimeMinutes=30 'DayOfWeek=Mon Fri' VerifySender=no").ExitCode, 0);
    const TRun text = Run("dump erased.kvx");
    EXPECT_TRUE(Says(text, "AutoTestTimeHours = 8\nAutoTestTimeMinutes = 30\n")) << text.Output.substr(0, 400);
    EXPECT_TRUE(Says(text, "ADType = not set\n")) << text.Output.substr(0, 800);
}

TEST_F(Kvxctl, StatusAsJsonLinesUntilCtrlCThenExit130)
{
    const fs::path shown = Folder / "status.jsonl";
    const pid_t child = ::fork();
    if (child == 0) {
        for (const auto& [key, value] : Environment) ::setenv(key.c_str(), value.c_str(), 1);
        const int out = ::open(shown.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, STDOUT_FILENO);
        ::execl(KVXCTL_PATH, KVXCTL_PATH, "status", "--json", "--seconds", "60", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Ctrl-C once the first frames are shown.
    const auto nothingShown = [&shown] {
        std::error_code ec;
        return fs::file_size(shown, ec) == 0 || ec;
    };
    for (int i = 0; i < 100 && nothingShown(); ++i) ::usleep(50 * 1000);
    ::kill(child, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by the signal itself";
    EXPECT_EQ(WEXITSTATUS(status), 130);
    std::ifstream lines(shown);
    std::map<std::string, int> types;
    for (std::string line; std::getline(lines, line);) ++types[nlohmann::json::parse(line).at("type").get<std::string>()];
    EXPECT_GT(types["state"], 0);
}

TEST_F(Kvxctl, ManualPageAndCompletionKnowEverySubcommand)
{
    const TRun help = Run("--help");
    std::vector<std::string> commands;
    std::istringstream lines(help.Output.substr(help.Output.find("Subcommands:")));
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with("  ")) commands.push_back(line.substr(2, line.find(' ', 2) - 2));
    EXPECT_EQ(commands.size(), 14u) << help.Output;
    const TRun page = Run("--manual-page");
    for (const std::string& command : commands) EXPECT_TRUE(Says(page, ".TP\n\\fB" + command + "\\fR")) << command;
    EXPECT_TRUE(Says(page, ".TP\n\\fBcalls import\\fR \\fItemplate\\fR \\fIcsv\\fR [\\fB\\-\\-dry\\-run\\fR] "
                           "[\\fB\\-\\-country\\-code\\fR \\fICC\\fR]\n")) << page.Output;

    std::ofstream(Folder / "kvxctl.bash") << Run("--bash-completion").Output;
    std::ofstream(Folder / "complete.sh") << "source ./kvxctl.bash\n"
                                             "read -ra COMP_WORDS <<<\"$1\"\n"
                                             "[[ $1 == *' ' ]] && COMP_WORDS+=('')\n"
                                             "COMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n"
                                             "_kvxctl\n"
                                             "printf '%s\\n' \"${COMPREPLY[@]}\" | sort | tr '\\n' ' '\n";
    fs::create_directory(Folder / "sites");
    for (const char* name : {"a.kvx", "b.json", "c.csv", "d.txt"}) std::ofstream(Folder / name) << "";
    const struct {
        const char* Line;
        std::string Offered;
    } cases[] = {
        {"kvxctl ", "backups build calls devices diff dump password read recipients report restore set status write "},
        {"kvxctl --simulate wr", "write "},
        {"kvxctl dump ", "a.kvx sites "},
        {"kvxctl build ", "b.json sites "},
        {"kvxctl build b.json -o ", "a.kvx sites "},
        {"kvxctl calls import a.kvx ", "c.csv sites "},
        {"kvxctl password ", "check clear set "},
        {"kvxctl read --", "--help --output "},
        {"kvxctl set a.kvx ", " "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        EXPECT_EQ(Shell("cd '" + Folder.string() + "' && bash complete.sh '" + c.Line + "'").Output, c.Offered);
    }
}

} // namespace

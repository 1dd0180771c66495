// Renders the main window on every page and the unit status view, filled from the simulated
// unit's memory and sample status frames, to PNG files, and the sample unit's commissioning
// report to report.pdf: kvxconf-screenshots [folder].
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>

#include "config/cid_list.h"
#include "config/contact_id.h"
#include "config/whole_file.h"
#include "config/words_compare.h"
#include "link/crc8.h"
#include "program_version.h"
#include "sim/default_memory.h"
#include "tests/support/fake_pump.h"
#include "tests/support/fake_unit_link.h"
#include "transfer/commissioning_report.h"
#include "ui/main/backup_picker.h"
#include "ui/main/dialog_service.h"
#include "ui/main/differences_dialog.h"
#include "ui/main/kvx_message_box.h"
#include "ui/main/kvx_panel.h"
#include "ui/main/kvx_style.h"
#include "ui/main/main_window.h"
#include "ui/main/menu_table.h"
#include "ui/main/shipped_file.h"
#include "ui/main/status_view.h"
#include "ui/main/transfer_texts.h"
#include "ui/pages/general_setup_page.h"
#include "ui/pages/setup_pages.h"
#include "ui/report/report_pdf.h"

namespace {

using namespace kvx;
using namespace kvx::ui;

// No window may wait for an answer here: every question is printed and answered OK/cancel.
class TPrintingDialogs : public IDialogService {
public:
    int ShowMessageEx(const QString& Msg, TMsgDlgType, const TMsgDlgButtons&, const QStringList&) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(Msg));
        return mrOk;
    }
    void ShowPlainMessage(const QString& Msg) override { std::fprintf(stderr, "message: %s\n", qPrintable(Msg)); }
    int ShowPassword(TPasswordDialog&) override { return mrCancel; }
    QString SaveFileName(const TFileFilter&) override { return FileToSave; }
    QString OpenFileName(const TFileFilter&) override { return {}; }
    std::optional<size_t> ShowDifferences(const TDifferenceList& List) override
    {
        std::fprintf(stderr, "differences: %s\n", qPrintable(List.Heading));
        return std::nullopt;
    }
    int ChooseBackup(const std::vector<TBackupRow>&) override { return -1; }
    std::optional<QString> AskText(const QString&, const QString&) override { return std::nullopt; }
    bool AskReportDetails(TReportDetails&) override { return false; }

    QString FileToSave;  // what the save dialog gives; empty: cancelled
};

std::vector<uint8_t> Frame(uint8_t Type, std::vector<uint8_t> Data)
{
    Data.resize(30, 0);
    std::vector<uint8_t> frame{Type};
    frame.insert(frame.end(), Data.begin(), Data.end());
    frame.push_back(Crc8Maxim(frame.data() + 1, 30));
    return frame;
}

std::vector<uint8_t> Text(const std::string& Value)
{
    return {Value.begin(), Value.end()};
}

std::vector<uint8_t> SampleStatus()
{
    std::vector<uint8_t> bytes;
    // Firmware 1.2, GSM connected, -67 dBm, SIM 1, inputs 1, 3 and mains high, relays 1 and 4
    // closed, 13.8 V supply, voltage input at 4.75 V.
    for (const auto& frame : {Frame(1, {1, 2, 4, 67, 0, 0b1000'0101, 0, 0b01, 0b10, 0, 0, 138, 0, 1, 0x01, 0xDB}),
                              Frame(2, Text("KVX Mobile")), Frame(4, Text("351234567890123")),
                              Frame(5, Text("234150000000001"))})
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    return bytes;
}

// An installer's search for the best place of the antenna over ten minutes, a level a second:
// a poor start, a climb, a wrong turn, then a good spot with a little drift.
std::vector<uint8_t> AntennaSearch()
{
    std::vector<uint8_t> levels;
    for (int second = 0; second < 600; ++second) {
        const int wobble = (second / 6 * 7) % 5 - 2;
        int level = 97;
        if (second >= 120 && second < 240) level = 97 - (second - 120) * 27 / 120;  // climbing to -70
        if (second >= 240 && second < 300) level = 104;                              // the wrong side of the wall
        if (second >= 300) level = 64;                                               // the mast
        levels.push_back(static_cast<uint8_t>(level + wobble));
    }
    return levels;
}

// The simulated unit's own memory: something on every page, as the program stores it.
TKVXConfig SampleImage()
{
    const std::vector<uint8_t> memory = sim::DefaultUnitMemory();
    TKVXConfig image;
    std::copy_n(memory.begin(), TKVXConfig::Size, image.Bytes());
    return image;
}

bool Save(QWidget& Window, const QDir& Folder, const QString& Name)
{
    QApplication::processEvents();
    const QString path = Folder.filePath(Name + ".png");
    if (!Window.grab().save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ApplyKVXStyle(app);
    const QDir folder(argc > 1 ? argv[1] : "screenshots");
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "could not create %s\n", qPrintable(folder.path()));
        return 1;
    }

    TPrintingDialogs dialogs;
    const TDialogServiceScope useDialogs(dialogs);
    test::TFakePump pump;
    auto link = std::make_unique<test::TFakeUnitLink>();
    test::TFakeUnitLink* unit = link.get();
    TMainWindowSetup setup;
    setup.Link = std::move(link);
    setup.Pump = &pump;
    setup.CreatePages = CreateSetupPages;
    TMainWindow window(std::move(setup));
    window.show();

    unit->OnDeviceConnect(test::DongleInfo());
    window.Document().ReplaceImage(SampleImage());
    window.ConfigToPages();

    bool ok = true;
    for (const TMenuItemInfo& item : MenuItems()) {
        window.MenuItemClicked(window.MenuPanel(item.No));
        ok = Save(window, folder, QString("page%1-%2").arg(item.No, 2, 10, QChar('0')).arg(item.Panel)) && ok;
    }
    // The pages that follow the I/O expander, once more with the board switched off.
    dynamic_cast<TGeneralSetupPage&>(*window.Page(3)).rbDisabled->click();
    for (const int no : {3, 5}) {
        window.MenuItemClicked(window.MenuPanel(no));
        ok = Save(window, folder, QString("page%1-%2-expander-off").arg(no, 2, 10, QChar('0')).arg(MenuItem(no).Panel)) && ok;
    }
    const std::vector<uint8_t> status = SampleStatus();
    unit->Receive(status);
    unit->OnRxData(static_cast<uint32_t>(status.size()));
    window.MenuItemClicked(window.UnitStatusButton);
    ok = Save(window, folder, "status") && ok;
    // The unit behind the link on a scripted walk of signal levels, a frame a second for ten minutes,
    // recorded as the status log.
    dialogs.FileToSave = folder.filePath("status-log.csv");
    window.StatusView()->RecordStatusClick();
    dialogs.FileToSave.clear();
    unit->Unit.IMEI = "356938035643809";
    unit->Unit.SetSignalWalk(AntennaSearch());
    for (uint64_t ms = 1000; ms <= 600000; ms += 1000) {
        pump.Now = ms;
        const std::vector<uint8_t> burst = unit->Unit.StatusDue(ms);
        unit->Receive(burst);
        unit->OnRxData(static_cast<uint32_t>(burst.size()));
    }
    ok = Save(window, folder, "status-signal-history") && ok;
    // The commissioning report of the sample unit, as the command bar's "Save report…" makes it
    // (pdftoppm renders its first page after this tool).
    TReportDetails details{{2026, 3, 23, 14, 5, 9}, ProgramVersion, "read from the unit", "A. Fitter", "Farm 12, north barn",
                           "Antenna on the mast above the barn: -64 dBm."};
    const TCIDList cid = LoadCIDList(ShippedFilePath("CIDList.txt").toStdU16String(), CIDReportingCapacity);
    std::string pdf;
    std::string reason;
    ok = ReportPdf(CommissioningReport(SampleImage(), window.StatusView()->Snapshot(), details, cid.Events), pdf, reason) &&
         SaveWholeFile(folder.filePath("report.pdf").toStdString(), pdf, reason) && ok;
    window.ShowProgress(256);
    window.MenuItemClicked(window.MenuPanel(1));
    ok = Save(window, folder, "reading") && ok;
    // What a write would change after three edits on three pages, in the pages' words.
    window.ConfigToPages();
    window.Page(1)->findChild<QLineEdit*>("edMessageCentreNumber1")->setText("447700900111");
    window.Page(3)->findChild<QLineEdit*>("edTamper")->setText("255");
    window.Page(11)->findChild<QLineEdit*>("edHours")->setText("07");
    if (!window.PagesToConfig(false)) return 1;
    TKVXConfig sent = window.Document().ImageToWrite();  // as Show changes makes it
    MarkImageForUnit(sent, u"");
    const TCIDList events = LoadCIDList(ShippedFilePath("CIDList.txt").toStdU16String(), CIDReportingCapacity);
    TDifferencesDialog changes({ChangesHeading, UnitHoldsColumn, WriteSendsColumn, CompareConfigWords(SampleImage(), sent, events.Events)},
                            &window);
    ok = Save(changes, folder, "changes") && ok;

    // A page after a template save, the status line saying so, and the question that comes
    // before closing, loading or restoring over edits not saved.
    const QTemporaryDir saved;
    dialogs.FileToSave = QDir(saved.path()).filePath("farm12.kvx");
    window.MenuItemClicked(window.MenuPanel(4));
    window.SaveTemplateClicked();
    ok = Save(window, folder, "saved-template") && ok;
    TKVXMessageBox question(UnsavedEditsQuestion(ClosingWords), {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel},
                            UnsavedEditsCaptions);
    question.show();
    ok = Save(question, folder, "dialog-unsaved-edits") && ok;
    TBackupFile backup;
    backup.UnitName = "KVX-Demo-Site";
    backup.IMEI = "356938035643809";
    backup.Time = {2026, 3, 23, 14, 5, 9};
    backup.Size = TKVXConfig::Size;
    TBackupPicker picker(BackupRows({backup, backup}), &window);
    picker.show();
    ok = Save(picker, folder, "dialog-restore-backup") && ok;
    return ok ? 0 : 1;
}

#pragma once
// The program's one window: borderless, page menu on the left, command bar at the bottom,
// the pages and the status view inside. It owns the device object and the image.
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "image/kvx_config.h"
#include "link/kvx.h"
#include "transfer/commissioning_report.h"
#include "transfer/config_document.h"
#include "ui/main/page_contract.h"

class QLabel;
class QMenu;

namespace kvx {
struct TUnitWriteResult;
enum class TWriteScope : uint8_t;
struct TControlRef;
struct TWordedDifference;
}

namespace kvx::ui {

class TCommandGuide;
class TPasswordDialog;
class TStatusView;
class TImage;
class TPanel;

// A periodic job of the USB link (device watch, receive poll), run by a timer of the window.
struct TLinkJob {
    std::function<int()> IntervalMs;  // asked again before every run
    std::function<void()> Run;
};

struct TMainWindowSetup {
    std::unique_ptr<IUSBLink> Link;
    IEventPump* Pump = nullptr;  // must outlive the window
    TLocalClock Clock = SystemLocalDateTime;
    std::vector<TLinkJob> LinkJobs;
    QString LinkProblem;  // why no dongle can be reached, shown on the status view
    TPageFactory CreatePages;  // none: a window without pages
    QString BackupFolder;      // what the unit held is saved here before every write; none: no writes
    bool VerifyWrites = true;  // read the unit back after every write and compare
    std::function<void(QMenu&)> AddMenuCommands;  // more for the command bar's menu (the line rate)
    std::string DefaultCountryCode;  // what national telephone numbers take (digits); empty: refused
    std::function<void(const std::string&)> SaveCountryCode;  // keeps a new one between runs; none: not kept
};

class TMainWindow : public QWidget, public IPageHost {
    Q_OBJECT
public:
    explicit TMainWindow(TMainWindowSetup Setup);
    ~TMainWindow() override;

    // A close was asked for while a command ran: the window closes once it is idle.
    bool CloseWhenIdle() const { return FCloseWhenIdle; }
    // The setup page last shown, also while the status view is.
    int LastPageNo() const { return FLastPageNo; }
    std::unique_ptr<TKVX> KVX;
    bool VerifyWrites = true;

    // The image the pages show and store, and its state.
    const TConfigDocument& Document() const { return FDocument; }
    TConfigDocument& Document() { return FDocument; }

    // A press on a menu item, a section title or the unit status button; anything else chooses nothing.
    void MenuItemClicked(QWidget* Sender);
    void ShowLastPage();
    // The progress line of a transfer (0: idle); lets events run.
    void ShowProgress(uint16_t Position);
    void ConfigToPages();
    bool PagesToConfig(bool ConfigAssistant);

    void ReadClicked();
    void WriteClicked();
    void SaveTemplateClicked();
    void LoadTemplateClicked();
    // The command bar's menu: compare the pages with a template, list what a write would
    // change in the unit, load a backup as a template.
    void CompareWithTemplate();
    void ShowChanges();
    // The write of only the pages that differ from what the unit holds (Ctrl+Shift+W).
    void WriteChangesOnly();
    // Picks a backup, shows what restoring it changes, and writes it as it is.
    void RestoreBackup();
    // Asks for the country code national telephone numbers take, and keeps it.
    void ChooseDefaultCountryCode();
    // The pages one after the other in menu order (Step 1) or back (-1), round at the ends.
    void ShowNextPage(int Step);
    // The commissioning report of what the pages show, with the unit's identity while a
    // dongle is connected, as a PDF or an HTML page.
    void SaveReport();
    // Brings page No forward and there the control that Control names: its list entry chosen,
    // scrolled into view and given the focus. The control, or nullptr when it is not there.
    QWidget* GoToControl(int PageNo, const TControlRef& Control);
    // The close button: closes now, or once the device object is idle.
    void CloseClicked();
    void ToggleMaximised();
    // Closes the window when a close was deferred and nothing runs any more.
    void FinishDeferredClose();

    // IPageHost
    TKVX* Device() override { return KVX.get(); }
    bool HasBeenRead() const override { return FDocument.HasBeenRead(); }
    void MarkConfigChanged() override;
    void BringPageForward(int No) override;
    TKVXPage* Page(int No) override;
    void ShowCommandGuide() override;
    std::string DefaultCountryCode() const override { return FDefaultCountryCode; }

    TPanel* MenuPanel(int No) const;
    TPanel* SectionPanel(size_t Index) const { return FSectionPanels.at(Index); }
    TKVXPage* VisiblePage() const;
    TStatusView* StatusView() const { return FStatusView; }
    TPasswordDialog* PasswordPrompt() const { return FPasswordPrompt; }
    TCommandGuide* CommandGuide() const { return FCommandGuide; }

    // The controls keep the object names tests, screenshots and the style sheet find them by.
    QLabel* PageHeading;          // lblHeading: the shown page's heading
    TImage* PageHeadingPicture;   // imgHeading: the ITTT page's heading, a picture
    TImage* ConnectionIndicator;  // imgConnectionStatus: whether a dongle is connected
    TPanel* UnitStatusButton;     // pnlUnitStatus: opens the status view
    TPanel* ReadButton;           // pnlReadConfig
    TPanel* WriteButton;          // pnlWriteConfig
    TPanel* SaveTemplateButton;   // Panel4
    TPanel* LoadTemplateButton;   // Panel5
    TPanel* StatusLine;           // Panel2: what the last read, write, save or load did
    TPanel* MoreCommandsButton;   // pnlMoreCommands
    TPanel* ProgressLine;         // ProgressBar: the line above the read and write buttons
    QWidget* Header;              // Panel6: the heading, the window buttons and the unit's status
    QWidget* PageMenu;            // pnlButtons

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;

private:
    // Marks a command as running, so a close request waits until it has left the stack.
    class TCommandScope {
    public:
        explicit TCommandScope(TMainWindow& Window) : FWindow(Window) { ++FWindow.FCommandDepth; }
        ~TCommandScope() { --FWindow.FCommandDepth; }
        TCommandScope(const TCommandScope&) = delete;
        TCommandScope& operator=(const TCommandScope&) = delete;

    private:
        TMainWindow& FWindow;
    };

    void BuildHeader();
    void BuildMenu();
    void BuildCommandBar();
    void BuildMoreCommands();
    void BuildShortcuts();
    // Only the chosen menu item is a Tab stop; the arrow keys move from it.
    void UpdateMenuFocus();
    bool MenuKeyPressed(TPanel* Item, int Key);
    void CreateDevice(TMainWindowSetup& Setup);
    void HidePages();
    void ShowPage(int No);
    void SetHeading(const QString& Text);
    void PressedOn(QWidget* Sender);
    void MenuMouseEnter(TPanel* Sender);
    void MenuMouseLeave(TPanel* Sender);
    void StartWindowMove();
    bool RouteWheel(int Notches);
    bool ResizeFromEdge(const QPoint& GlobalPosition);
    bool IsBottomOrFrame(const QWidget* Sender) const;
    TKVXPage* PageNumbered(int No) const;

    void DongleConnected();
    void DongleDisconnected();
    void StatusFramesReceived(uint32_t Count);
    void SetConnectionIcons(int Index);

    bool DongleReady();
    bool ProvePassword(QString (*FailureMessage)(TKVXResult));
    void WriteFromPages(TWriteScope Scope);
    bool BackupFolderReady();
    // Backs up, writes and verifies Image, with the write button as its stop button.
    TUnitWriteResult RunWrite(const TKVXConfig& Image, TWriteScope Scope);
    void ReportWrite(const TUnitWriteResult& Result);
    // Reads the unit's memory with the read button as its stop button; says why not.
    bool ReadUnitMemory();
    // AskFirst: show what the restore changes and ask; else (offered after a broken write) go.
    void RestoreBackupFile(const QString& FileName, bool AskFirst);
    // The commands that need the unit's memory known are usable only while it is.
    void UpdateUnitCommands();
    void LoadTemplateFile(const QString& FileName);
    // Saves the pages as a template the user names; false when nothing was saved.
    bool SaveTemplateAs();
    // True when nothing unsaved would be lost by what comes next (Before: "closing"), or the
    // user saved it as a template or chose to discard it; false: the user cancelled.
    bool UnsavedEditsMayGo(const QString& Before);
    // The pages now show an image all of a piece: of the unit named, or a template file.
    void ShowingImageOf(const QString& Name);
    // The read and write buttons say what a click on them does now.
    void StartTransfer(TTransfer Kind);
    void EndTransfer();
    void UpdateTitle();
    // One line in the status line, kept until the next read, write, save or load; Tip: more.
    void SayWhatHappened(const QString& Line, const QString& Tip = {});
    // Where First differs from Second in the pages' words, with the program's Contact ID events.
    std::vector<TWordedDifference> WordedDifferences(const TKVXConfig& First, const TKVXConfig& Second) const;
    // Shows the list; a row the user chose is then shown on its page.
    void ShowDifferenceList(const QString& Heading, const QString& FirstColumn, const QString& SecondColumn,
                            std::vector<TWordedDifference> Rows);

    bool FCloseWhenIdle = false;
    uint8_t FLastPageNo = 1;
    IEventPump& FPump;
    TLocalClock FClock;
    TReportDetails FReportDetails;  // the installer's last answers, offered again
    QString FBackupFolder;
    QMenu* FMoreCommands = nullptr;
    QAction* FShowChanges = nullptr;
    QAction* FWriteChanges = nullptr;
    std::vector<TPageEntry> FPages;  // by number: the order of both page walks
    std::array<TPanel*, 13> FMenuPanels{};
    std::vector<TPanel*> FSectionPanels;
    TPanel* FChosenPanel = nullptr;
    QWidget* FPageArea = nullptr;
    TStatusView* FStatusView = nullptr;
    TPasswordDialog* FPasswordPrompt = nullptr;
    TCommandGuide* FCommandGuide = nullptr;
    std::vector<std::unique_ptr<QTimer>> FLinkTimers;
    QTimer FIdleTimer;
    int FCommandDepth = 0;
    std::string FDefaultCountryCode;
    std::function<void(const std::string&)> FSaveCountryCode;
    TConfigDocument FDocument;
    bool FFillingPages = false;  // the pages' change reports while an image is shown are no edits
};

} // namespace kvx::ui

#include "ui/main/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "ui/main/accessible_names.h"
#include "ui/main/assets.h"
#include "ui/main/colours.h"
#include "ui/main/command_guide.h"
#include "ui/main/dialog_service.h"
#include "ui/main/kvx_image.h"
#include "ui/main/kvx_panel.h"
#include "ui/main/menu_table.h"
#include "ui/main/password_dialog.h"
#include "ui/main/status_view.h"
#include "ui/main/transfer_texts.h"
#include "ui/main/window_geometry.h"
#include "program_version.h"

namespace kvx::ui {

namespace {

constexpr int WindowWidth = 1024;
constexpr int WindowHeight = 730;
constexpr int LeftColumnWidth = 255;
constexpr int HeaderHeight = 128;
constexpr int CommandBarHeight = 50;
constexpr int MenuItemHeight = 28;
constexpr int TransferButtonWidth = ProgressLineFullWidth / 2;
constexpr int MoreCommandsWidth = 170;
constexpr int IdleCheckMs = 20;

Qt::Edges EdgesOf(TEdgeHit Hit)
{
    switch (Hit) {
    case TEdgeHit::TopLeft: return Qt::TopEdge | Qt::LeftEdge;
    case TEdgeHit::BottomLeft: return Qt::BottomEdge | Qt::LeftEdge;
    case TEdgeHit::TopRight: return Qt::TopEdge | Qt::RightEdge;
    case TEdgeHit::BottomRight: return Qt::BottomEdge | Qt::RightEdge;
    case TEdgeHit::Left: return Qt::LeftEdge;
    case TEdgeHit::Top: return Qt::TopEdge;
    case TEdgeHit::Right: return Qt::RightEdge;
    case TEdgeHit::Bottom: return Qt::BottomEdge;
    case TEdgeHit::None: break;
    }
    return {};
}

} // namespace

TMainWindow::TMainWindow(TMainWindowSetup Setup)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), VerifyWrites(Setup.VerifyWrites), FPump(*Setup.Pump),
      FClock(Setup.Clock), FBackupFolder(Setup.BackupFolder), FDefaultCountryCode(Setup.DefaultCountryCode),
      FSaveCountryCode(Setup.SaveCountryCode)
{
    setObjectName("frmMain");
    setMinimumSize(WindowWidth, WindowHeight);
    resize(WindowWidth, WindowHeight);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, WindowColour);
    setPalette(background);

    // In the order Tab goes: the menu, the page, then the command bar.
    BuildHeader();
    BuildMenu();
    FPageArea = new QWidget(this);
    FPageArea->setObjectName("pnlPages");
    auto* pageLayout = new QGridLayout(FPageArea);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    if (Setup.CreatePages) FPages = Setup.CreatePages(*this, FPageArea);
    std::sort(FPages.begin(), FPages.end(), [](const TPageEntry& a, const TPageEntry& b) { return a.No < b.No; });
    for (const TPageEntry& entry : FPages) {
        entry.Page->setObjectName(MenuItem(entry.No).Page);
        pageLayout->addWidget(entry.Page, 0, 0);
        entry.Page->setVisible(entry.No == 1);
    }
    NameInputsFromCaptions(FPageArea);
    BuildCommandBar();
    if (Setup.AddMenuCommands) Setup.AddMenuCommands(*FMoreCommands);
    FStatusView = new TStatusView(this, FPump, FClock);
    FStatusView->hide();
    FStatusView->ShowLastPage = [this] {
        ShowLastPage();
        // The way back was the focus: the page's menu item takes it over.
        if (FChosenPanel && FChosenPanel != UnitStatusButton) FChosenPanel->setFocus(Qt::OtherFocusReason);
    };
    FStatusView->ShowLinkProblem(Setup.LinkProblem);

    CreateDevice(Setup);
    FCommandGuide = new TCommandGuide(this);
    FPasswordPrompt = new TPasswordDialog(this);
    BuildShortcuts();
    UpdateTitle();
    UpdateMenuFocus();
    qApp->installEventFilter(this);
}

TMainWindow::~TMainWindow()
{
    qApp->removeEventFilter(this);
    for (auto& timer : FLinkTimers) timer->stop();
    KVX.reset();
}

void TMainWindow::CreateDevice(TMainWindowSetup& Setup)
{
    FLastPageNo = 1;
    KVX = std::make_unique<TKVX>(std::move(Setup.Link), FPump, Setup.Clock);
    KVX->OnDeviceConnect = [this] { DongleConnected(); };
    KVX->OnDeviceDisconnect = [this] { DongleDisconnected(); };
    KVX->OnError = [](uint8_t) {};  // failures reach the user through the result codes
    KVX->OnRxData = [this](uint32_t Count) { StatusFramesReceived(Count); };
    KVX->SetProgressBarPosition = [this](uint16_t Position) { ShowProgress(Position); };

    FIdleTimer.setInterval(IdleCheckMs);
    connect(&FIdleTimer, &QTimer::timeout, this, [this] { FinishDeferredClose(); });
    for (TLinkJob& job : Setup.LinkJobs) {
        auto timer = std::make_unique<QTimer>();
        timer->setInterval(job.IntervalMs());
        connect(timer.get(), &QTimer::timeout, this, [job, raw = timer.get()] {
            job.Run();
            raw->setInterval(job.IntervalMs());
        });
        timer->start();
        FLinkTimers.push_back(std::move(timer));
    }
}

void TMainWindow::BuildHeader()
{
    auto* logo = new TImage("Image1", this);
    logo->setGeometry(0, 0, LeftColumnWidth, HeaderHeight);
    logo->setPixmap(LogoPicture());
    auto* version = new QLabel(QStringLiteral("v") + ProgramVersion, logo);
    version->setObjectName("lblVersion");
    version->setGeometry(205, 100, 40, 18);

    Header = new QWidget(this);
    Header->setObjectName("Panel6");
    PageHeading = new QLabel(MenuItem(1).Heading, Header);
    PageHeading->setObjectName("lblHeading");
    PageHeading->setGeometry(24, 56, 510, 40);  // room for the longest heading, clear of the icon
    PageHeadingPicture = new TImage("imgHeading", Header);
    PageHeadingPicture->setGeometry(24, 56, 460, 40);
    PageHeadingPicture->setPixmap(ITTTHeadingPicture());
    PageHeadingPicture->hide();
    ConnectionIndicator = new TImage("imgConnectionStatus", Header);
    ConnectionIndicator->ShowListImage(DisconnectedIcon, ConnectionIcon(DisconnectedIcon));
    UnitStatusButton = new TPanel(UnitStatusPanel, UnitStatusCaption, Header);
    UnitStatusButton->Tag = UnitStatusTag;
    UnitStatusButton->Alignment = Qt::AlignCenter;
    connect(UnitStatusButton, &TPanel::MouseDown, this, [this](TPanel* p) { PressedOn(p); });
    connect(UnitStatusButton, &TPanel::MouseEnter, this, [this](TPanel* p) { MenuMouseEnter(p); });
    connect(UnitStatusButton, &TPanel::MouseLeave, this, [this](TPanel* p) { MenuMouseLeave(p); });

    const struct {
        const char* Name;
        const char* Caption;
        void (TMainWindow::*Action)();
    } buttons[] = {{"Button3", "_", nullptr}, {"Button2", "\u25A1", &TMainWindow::ToggleMaximised}, {"Button1", "\u2715", &TMainWindow::CloseClicked}};
    for (const auto& button : buttons) {
        auto* panel = new TPanel(button.Name, button.Caption, Header);
        panel->Alignment = Qt::AlignCenter;
        const auto action = button.Action;
        connect(panel, &TPanel::Clicked, this, [this, action] { action ? (this->*action)() : showMinimized(); });
        connect(panel, &TPanel::MouseEnter, this, [](TPanel* p) { p->SetColours(HoverColour, HoverTextColour); });
        connect(panel, &TPanel::MouseLeave, this, [](TPanel* p) { p->SetColours(WindowColour, IdleTextColour); });
    }
}

void TMainWindow::BuildMenu()
{
    PageMenu = new QWidget(this);
    PageMenu->setObjectName("pnlButtons");
    auto* layout = new QVBoxLayout(PageMenu);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->setSpacing(0);
    for (const TMenuEntry& entry : MenuOrder()) {
        TPanel* panel = nullptr;
        if (entry.Section) {
            const TSectionInfo& section = Sections()[static_cast<size_t>(entry.Index)];
            panel = new TPanel(section.Panel, section.Caption, PageMenu);
            panel->SetColours(WindowColour, HoverTextColour);
            QFont bold = panel->font();
            bold.setBold(true);
            panel->setFont(bold);
            FSectionPanels.push_back(panel);
        } else {
            const TMenuItemInfo& item = MenuItem(entry.Index);
            panel = new TPanel(item.Panel, QString(MenuItemIndent) + item.Caption, PageMenu);
            panel->Tag = item.No - 1;
            FMenuPanels[static_cast<size_t>(item.No - 1)] = panel;
            connect(panel, &TPanel::MouseEnter, this, [this](TPanel* p) { MenuMouseEnter(p); });
            connect(panel, &TPanel::MouseLeave, this, [this](TPanel* p) { MenuMouseLeave(p); });
        }
        panel->setFixedHeight(MenuItemHeight);
        connect(panel, &TPanel::MouseDown, this, [this](TPanel* p) { PressedOn(p); });
        layout->addWidget(panel);
    }
    layout->addStretch(1);
    FChosenPanel = MenuPanel(1);
    FChosenPanel->SetColours(ChosenColour, ChosenTextColour);
}

void TMainWindow::BuildCommandBar()
{
    const struct {
        TPanel** Panel;
        const char* Name;
        const char* Caption;
        bool Accent;
        void (TMainWindow::*Click)();
    } buttons[] = {
        {&SaveTemplateButton, "Panel4", SaveTemplateCaption, true, &TMainWindow::SaveTemplateClicked},
        {&LoadTemplateButton, "Panel5", LoadTemplateCaption, false, &TMainWindow::LoadTemplateClicked},
        {&StatusLine, "Panel2", "", false, nullptr},
        {&ReadButton, "pnlReadConfig", ReadCaption, false, &TMainWindow::ReadClicked},
        {&WriteButton, "pnlWriteConfig", WriteCaption, true, &TMainWindow::WriteClicked},
    };
    for (const auto& button : buttons) {
        auto* panel = new TPanel(button.Name, button.Caption, this);
        panel->Alignment = Qt::AlignCenter;
        panel->SetColours(button.Accent ? AccentButtonColour : WindowColour, ReleasedCaptionColour);
        *button.Panel = panel;
        if (!button.Click) {
            // The spacer is background: a press there drags the window.
            connect(panel, &TPanel::MouseDown, this, [this](TPanel* p) { PressedOn(p); });
            continue;
        }
        const auto click = button.Click;
        connect(panel, &TPanel::Clicked, this, [this, click] { (this->*click)(); });
        connect(panel, &TPanel::MouseDown, this, [](TPanel* p) { p->SetFontColor(PressedCaptionColour); });
        connect(panel, &TPanel::MouseUp, this, [](TPanel* p) { p->SetFontColor(ReleasedCaptionColour); });
    }
    StatusLine->Alignment = Qt::AlignCenter;
    StatusLine->ElideMiddle = true;
    ProgressLine = new TPanel("ProgressBar", "", this);
    ProgressLine->SetColours(ProgressIdleColour, ProgressIdleColour);
    BuildMoreCommands();
}

void TMainWindow::resizeEvent(QResizeEvent*)
{
    const int w = width();
    const int h = height();
    const int bottom = h - CommandBarHeight;
    Header->setGeometry(LeftColumnWidth, 0, w - LeftColumnWidth, HeaderHeight);
    const int headerWidth = Header->width();
    int x = headerWidth;
    for (const char* name : {"Button1", "Button2", "Button3"}) {
        x -= 30;
        Header->findChild<TPanel*>(name)->setGeometry(x, 0, 30, 26);
    }
    UnitStatusButton->setGeometry(headerWidth - 190, 84, 170, 30);
    ConnectionIndicator->setGeometry(headerWidth - 226, 86, 27, 27);
    PageMenu->setGeometry(0, HeaderHeight, LeftColumnWidth, bottom - HeaderHeight);
    FPageArea->setGeometry(LeftColumnWidth, HeaderHeight, w - LeftColumnWidth, bottom - HeaderHeight);
    SaveTemplateButton->setGeometry(0, bottom, LeftColumnWidth / 2, CommandBarHeight);
    LoadTemplateButton->setGeometry(LeftColumnWidth / 2, bottom, LeftColumnWidth - LeftColumnWidth / 2, CommandBarHeight);
    MoreCommandsButton->setGeometry(LeftColumnWidth, bottom, MoreCommandsWidth, CommandBarHeight);
    StatusLine->setGeometry(LeftColumnWidth + MoreCommandsWidth, bottom,
                        w - LeftColumnWidth - MoreCommandsWidth - ProgressLineFullWidth, CommandBarHeight);
    ReadButton->setGeometry(w - ProgressLineFullWidth, bottom, TransferButtonWidth, CommandBarHeight);
    WriteButton->setGeometry(w - TransferButtonWidth, bottom, TransferButtonWidth, CommandBarHeight);
    ProgressLine->move(w - ProgressLineFullWidth, bottom - 3);
    ProgressLine->resize(ProgressLine->width(), 3);
    ProgressLine->raise();
    FStatusView->setGeometry(rect());
}

TPanel* TMainWindow::MenuPanel(int No) const
{
    return FMenuPanels.at(static_cast<size_t>(No - 1));
}

TKVXPage* TMainWindow::PageNumbered(int No) const
{
    const auto it = std::find_if(FPages.begin(), FPages.end(), [No](const TPageEntry& e) { return e.No == No; });
    return it == FPages.end() ? nullptr : it->Page;
}

TKVXPage* TMainWindow::Page(int No)
{
    return PageNumbered(No);
}

TKVXPage* TMainWindow::VisiblePage() const
{
    const auto it = std::find_if(FPages.begin(), FPages.end(), [](const TPageEntry& e) { return e.Page->isVisible(); });
    return it == FPages.end() ? nullptr : it->Page;
}

void TMainWindow::BringPageForward(int No)
{
    MenuItemClicked(MenuPanel(No));
}

void TMainWindow::ShowCommandGuide()
{
    FCommandGuide->ShowGuide();
}

void TMainWindow::ConfigToPages()
{
    // The pages fill from one snapshot, whatever the change handlers they fire do meanwhile.
    const TKVXConfig shown = FDocument.Image();
    FFillingPages = true;
    for (const TPageEntry& entry : FPages) entry.Page->ConfigToForm(shown);
    FFillingPages = false;
}

void TMainWindow::MarkConfigChanged()
{
    if (FDocument.PageChanged(FFillingPages)) UpdateTitle();
}

void TMainWindow::ShowingImageOf(const QString& Name)
{
    FDocument.ShowingImageOf(Name.toStdU16String());
    UpdateTitle();
}

void TMainWindow::UpdateTitle()
{
    // "[*]" stands where the mark of unsaved edits goes.
    const QString name = QString::fromStdU16String(FDocument.ImageName());
    setWindowTitle(name.isEmpty() ? QStringLiteral("KVX[*]") : name + QStringLiteral("[*] - KVX"));
    setWindowModified(FDocument.UnsavedEdits());
}

bool TMainWindow::PagesToConfig(bool ConfigAssistant)
{
    TKVXConfig stored = ErasedConfig();
    const bool all = std::all_of(FPages.begin(), FPages.end(),
                                 [&](const TPageEntry& entry) { return entry.Page->FormToConfig(stored, ConfigAssistant); });
    FDocument.ReplaceImage(stored);
    return all;
}

bool TMainWindow::IsBottomOrFrame(const QWidget* Sender) const
{
    return Sender == ReadButton || Sender == WriteButton || Sender == SaveTemplateButton || Sender == LoadTemplateButton ||
           Sender == StatusLine || Sender == Header || Sender == PageMenu;
}

void TMainWindow::HidePages()
{
    for (const TPageEntry& entry : FPages) entry.Page->hide();
    FStatusView->hide();
    for (TPanel* panel : FMenuPanels) panel->SetColours(WindowColour, IdleTextColour);
    UnitStatusButton->SetColours(WindowColour, IdleTextColour);
    FChosenPanel = nullptr;
}

void TMainWindow::ShowPage(int No)
{
    if (TKVXPage* page = Page(No)) page->show();
}

void TMainWindow::SetHeading(const QString& Text)
{
    PageHeading->setText(Text);
}

void TMainWindow::MenuItemClicked(QWidget* Sender)
{
    // The bar buttons, the header and the menu background choose nothing and leave the heading.
    if (IsBottomOrFrame(Sender)) return;
    const auto section = std::find(FSectionPanels.begin(), FSectionPanels.end(), Sender);
    const auto item = std::find(FMenuPanels.begin(), FMenuPanels.end(), Sender);
    if (section == FSectionPanels.end() && item == FMenuPanels.end() && Sender != UnitStatusButton) return;
    PageHeading->show();
    PageHeadingPicture->hide();

    HidePages();
    if (section != FSectionPanels.end()) {
        const int first = Sections()[static_cast<size_t>(section - FSectionPanels.begin())].FirstPageNo;
        FChosenPanel = MenuPanel(first);
        FChosenPanel->SetColours(ChosenColour, ChosenTextColour);
        UpdateMenuFocus();
        SetHeading(MenuItem(first).Heading);
        ShowPage(first);
        return;
    }
    FChosenPanel = static_cast<TPanel*>(Sender);
    FChosenPanel->SetColours(ChosenColour, ChosenTextColour);
    UpdateMenuFocus();
    if (item != FMenuPanels.end()) {
        const int no = static_cast<int>(item - FMenuPanels.begin()) + 1;
        FLastPageNo = static_cast<uint8_t>(no);
        SetHeading(MenuItem(no).Heading);
        if (no == ITTTPageNo) {
            PageHeading->hide();
            PageHeadingPicture->show();
        }
        ShowPage(no);
        return;
    }
    SetHeading(UnitStatusHeading);
    FStatusView->raise();
    FStatusView->show();
    FStatusView->BackButton->setFocus(Qt::OtherFocusReason);
    if (!KVX || !KVX->DeviceConnected())
        TKVXMessageDlg::ShowMessageEx(DongleNotConnectedText, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK}, 0);
}

void TMainWindow::ShowLastPage()
{
    if (FLastPageNo >= 1 && FLastPageNo <= SetupPageCount) MenuItemClicked(MenuPanel(FLastPageNo));
}

void TMainWindow::MenuMouseEnter(TPanel* Sender)
{
    if (Sender != FChosenPanel) Sender->SetColours(HoverColour, HoverTextColour);
}

void TMainWindow::MenuMouseLeave(TPanel* Sender)
{
    if (Sender != FChosenPanel) Sender->SetColours(WindowColour, IdleTextColour);
}

void TMainWindow::ShowProgress(uint16_t Position)
{
    const QColor colour = Position != 0 ? ProgressBusyColour : ProgressIdleColour;
    ProgressLine->SetColours(colour, colour);
    ProgressLine->resize(ProgressLineWidth(Position), ProgressLine->height());
    // Lets a click on the stop button (or close) reach the window during a transfer.
    FPump.ProcessMessages();
}

void TMainWindow::PressedOn(QWidget* Sender)
{
    if (qobject_cast<TPanel*>(Sender)) MenuItemClicked(Sender);
    StartWindowMove();
}

void TMainWindow::StartWindowMove()
{
    if (QWindow* window = windowHandle()) window->startSystemMove();
}

void TMainWindow::ToggleMaximised()
{
    isMaximized() ? showNormal() : showMaximized();
}

void TMainWindow::mousePressEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton) PressedOn(this);
}

bool TMainWindow::ResizeFromEdge(const QPoint& GlobalPosition)
{
    const QPoint at = mapFromGlobal(GlobalPosition);
    const Qt::Edges edges = EdgesOf(EdgeHitTest(at.x(), at.y(), width(), height(), isMaximized()));
    QWindow* window = windowHandle();
    return edges && window && window->startSystemResize(edges);
}

bool TMainWindow::RouteWheel(int Notches)
{
    TKVXPage* page = VisiblePage();
    QScrollBar* bar = page && !FStatusView->isVisible() ? page->WheelScrollBar() : nullptr;
    if (!bar || Notches == 0) return false;
    const auto action = Notches < 0 ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub;
    for (int notch = 0; notch < std::abs(Notches); ++notch) bar->triggerAction(action);
    return true;
}

bool TMainWindow::eventFilter(QObject* Watched, QEvent* Event)
{
    auto* widget = qobject_cast<QWidget*>(Watched);
    if (!widget || widget->window() != this) return false;
    switch (Event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(Event);
        return mouse->button() == Qt::LeftButton && ResizeFromEdge(mouse->globalPosition().toPoint());
    }
    case QEvent::MouseButtonDblClick:
        if (widget->objectName() == "Image1" || widget == Header) {
            ToggleMaximised();
            return true;
        }
        return false;
    case QEvent::Wheel:
        return RouteWheel(static_cast<QWheelEvent*>(Event)->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep);
    case QEvent::KeyPress: {
        auto* item = qobject_cast<TPanel*>(widget);
        return item && std::find(FMenuPanels.begin(), FMenuPanels.end(), item) != FMenuPanels.end() &&
               MenuKeyPressed(item, static_cast<QKeyEvent*>(Event)->key());
    }
    default:
        return false;
    }
}

void TMainWindow::CloseClicked()
{
    close();
}

void TMainWindow::closeEvent(QCloseEvent* Event)
{
    if ((KVX && KVX->Busy) || FCommandDepth > 0) {
        // A transfer (or a command waiting on it) is still on the stack: close once it is done.
        if (KVX) KVX->Terminate();
        FCloseWhenIdle = true;
        FIdleTimer.start();
        Event->ignore();
        return;
    }
    if (!UnsavedEditsMayGo(ClosingWords)) {
        Event->ignore();
        return;
    }
    FIdleTimer.stop();
    for (auto& timer : FLinkTimers) timer->stop();
    FCommandGuide->hide();
    KVX.reset();
    Event->accept();
}

void TMainWindow::FinishDeferredClose()
{
    if (!FCloseWhenIdle || (KVX && KVX->Busy) || FCommandDepth > 0) return;
    // Once: the user may still keep the window open for unsaved edits.
    FCloseWhenIdle = false;
    FIdleTimer.stop();
    close();
}

void TMainWindow::SetConnectionIcons(int Index)
{
    ConnectionIndicator->ShowListImage(Index, ConnectionIcon(Index));
    FStatusView->ConnectionIndicator->ShowListImage(Index, ConnectionIcon(Index));
}

void TMainWindow::DongleConnected()
{
    SetConnectionIcons(ConnectedIcon);
    FStatusView->HideLiveValues(false);
    UpdateUnitCommands();
}

void TMainWindow::DongleDisconnected()
{
    SetConnectionIcons(DisconnectedIcon);
    FStatusView->HideLiveValues(true);
    UpdateUnitCommands();
}

void TMainWindow::StatusFramesReceived(uint32_t Count)
{
    // A copy: letting events run below may bring another delivery into the receive buffer.
    const std::vector<uint8_t> received(KVX->RXBuffer.begin(), KVX->RXBuffer.begin() + std::min<size_t>(Count, TKVX::BufferSize));
    for (const TStatusUpdate& update : DecodeStatusFrames(received.data(), received.size())) {
        if (const auto* status = std::get_if<TUnitStatus>(&update)) {
            if (KVX) KVX->SetTime();
            FStatusView->ApplyUnitStatus(*status);
            FPump.ProcessMessages();
        } else if (const auto* name = std::get_if<TOperatorName>(&update)) {
            FStatusView->ApplyOperator(name->Text);
        } else if (const auto* imei = std::get_if<TModemIMEI>(&update)) {
            FStatusView->ApplyIMEI(imei->Text);
        } else if (const auto* imsi = std::get_if<TSimIMSI>(&update)) {
            FStatusView->ApplyIMSI(imsi->Text);
        }
    }
    // Another IMEI ends the trust in the memory last read.
    UpdateUnitCommands();
}

} // namespace kvx::ui

#pragma once
// The unit status view: covers the whole main window and shows what the unit's status frames
// report. It is driven from outside (the main window's decoder) and keeps its last values.
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "link/event_pump.h"
#include "link/signal_history.h"
#include "link/status_frame.h"
#include "link/status_snapshot.h"
#include "ui/main/status_recording.h"

class QLabel;

namespace kvx::ui {

class TImage;
class TPanel;
class TSignalPlot;

class TStatusView : public QWidget {
    Q_OBJECT
public:
    // Pump: the signal history's time; Clock: the status log's. Both must outlive the view.
    TStatusView(QWidget* Parent, IEventPump& Pump, TLocalClock Clock);

    // true on disconnect: hides the live values; false on connect: shows them (low inputs).
    void HideLiveValues(bool Hide);
    void ApplyUnitStatus(const TUnitStatus& Status);
    void ApplyOperator(const std::u16string& Text);
    void ApplyIMEI(const std::u16string& Text);
    void ApplyIMSI(const std::u16string& Text);
    // Why no dongle can be reached (for example the USB library failed to load); empty hides it.
    void ShowLinkProblem(const QString& Problem);
    // "Back to main menu" (pnlUnitStatus, or Esc): the window shows its last page again.
    void BackClicked();
    // The signal's lowest, highest and average start afresh (the plot keeps its line).
    void ResetSignalClick();
    // Starts the status log in a file the user names, or stops the one being written.
    void RecordStatusClick();

    // What the frames have told since the dongle last (dis)connected.
    const TStatusSnapshot& Snapshot() const { return FSnapshot; }
    const TSignalHistory& SignalHistory() const { return FSignal; }
    const TStatusRecording& Recording() const { return FRecording; }

    // "Back to main menu": the main window shows its last page.
    std::function<void()> ShowLastPage;

    QLabel* lblConnected;
    QLabel* lblOperator;
    QLabel* lblFirmwareVersion;
    QLabel* lblIMSI;
    QLabel* lblIMEI;
    TImage* imgSignalStrength;
    TImage* imgSIM1;
    TImage* imgSIM2;
    // Inputs 1..9: index 0..6 one image per state; inputs 8 and 9 have an A and a B image.
    std::array<std::vector<TImage*>, 9> InputLow;
    std::array<std::vector<TImage*>, 9> InputHigh;
    TImage* imgACL;
    TImage* imgACH;
    std::array<QLabel*, 8> lblRelay{};
    QLabel* lblSupply;
    QLabel* lblVoltage;
    QLabel* lblAVRange;
    QLabel* lblAVDesignator;
    QLabel* lblAV;
    QLabel* lblAIRange;
    QLabel* lblAIDesignator;
    QLabel* lblAI;
    TImage* ConnectionIndicator;  // imgConnectionStatus
    QLabel* VersionLabel;         // Label2
    QLabel* lblLinkProblem;
    TPanel* BackButton;           // pnlUnitStatus
    QLabel* lblSignalLevel;       // the signal in dBm beside the bars
    TSignalPlot* pbSignalHistory;
    QLabel* lblSignalStatistics;  // lowest, highest and average since the view opened or Reset
    TPanel* pnlResetSignal;
    TPanel* pnlRecordStatus;
    QLabel* lblRecording;         // the recording mark

protected:
    // The statistics count from each opening of the view.
    void showEvent(QShowEvent* Event) override;

private:
    void BuildIdentity();
    void BuildSignalHistory();
    void BuildInputs();
    void BuildInputLegend();
    void BuildOutputs();
    void ShowSIMs(int State);
    void ShowSignalStatistics();
    void RecordRow(const TUnitStatus& Status);
    void ShowRecording();
    std::vector<QWidget*> LiveControls() const;

    IEventPump& FPump;
    TLocalClock FClock;
    TStatusSnapshot FSnapshot;
    TSignalHistory FSignal;
    TStatusRecording FRecording;
};

// The label's text colour as the view set it.
QColor FontColour(const QLabel* Label);

} // namespace kvx::ui

#pragma once
// The unit status view: covers the whole main window and shows what the unit's status frames
// report. It is driven from outside (the main window's decoder) and keeps its last values.
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "link/status_frame.h"

class QLabel;

namespace kvx::ui {

class TImage;
class TPanel;

class TfrmStatus : public QWidget {
    Q_OBJECT
public:
    explicit TfrmStatus(QWidget* Parent);

    // true on disconnect: hides the live values; false on connect: shows them (low inputs).
    void HideControls(bool State);
    void ApplyUnitStatus(const TUnitStatus& Status);
    void ApplyOperator(const std::u16string& Text);
    void ApplyIMEI(const std::u16string& Text);
    void ApplyIMSI(const std::u16string& Text);
    // Why no dongle can be reached (for example the USB library failed to load); empty hides it.
    void ShowLinkProblem(const QString& Problem);
    void pnlUnitStatusClick();

    // "Back to main menu": the main window shows its last page.
    std::function<void()> DisplayLastForm;

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
    TImage* imgConnectionStatus;
    QLabel* Label2;
    QLabel* lblLinkProblem;
    TPanel* pnlUnitStatus;

private:
    void BuildIdentity();
    void BuildInputs();
    void BuildOutputs();
    void ShowSIMs(int State);
    std::vector<QWidget*> LiveControls() const;
};

// The label's text colour as the view set it.
QColor FontColour(const QLabel* Label);

} // namespace kvx::ui

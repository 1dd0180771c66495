#pragma once
// SMS input messages: the text the unit sends when one of its nine inputs goes high or low
// (with a delay for inputs 1 to 7), and when the I/O expander's analogue input breaches its
// high or low threshold. Inputs 8 and 9 and the analogue input exist only with the I/O
// expander board. Switching a message on or off switches its row on the distribution page.
#include <array>
#include <vector>

#include "config/analogue_input.h"
#include "config/input_messages.h"
#include "ui/main/page_contract.h"
#include "ui/pages/page_roles.h"
#include "ui/widgets/page_controls.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kvx::ui {

class TInputMessagesPage : public TKVXPage, public IIOExpanderPage {
public:
    TInputMessagesPage(IPageHost& Host, QWidget* Parent);

    void ConfigToForm(const TKVXConfig& KVXConfig) override;
    bool FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant) override;
    // Inputs 8 and 9 and the analogue input are offered only while the board is chosen.
    void IOExpanderFunctions(bool State) override;

    // One message of a digital input; names carry the input and side: cbIP3L, pnlIP3L, ...
    struct TMessageRow {
        QCheckBox* Check;     // cbIP..: outside the row panel
        QWidget* Panel;       // pnlIP..
        QLineEdit* Message;   // edMIP..
        QPushButton* Clear;   // btnIP..C
        QLineEdit* Delay;     // edVIP..: hidden for inputs 8 and 9
        TStepButtons Steps;
    };
    // One breach of the analogue input (high: cbIPAH, pnlAHB, edMLBH, ...; low: cbIPAL, ...).
    struct TBreachRow {
        QCheckBox* Check;
        QWidget* Panel;       // the message and its clear button
        QLineEdit* Message;
        QPushButton* Clear;
        QLineEdit* Voltage;   // edVLBV.: volts
        QLineEdit* Current;   // edVLBC.: milliamperes
        QLineEdit* Response;  // edVLB.: seconds
        TStepButtons VoltageSteps;
        TStepButtons CurrentSteps;
        TStepButtons ResponseSteps;
    };

    std::array<TMessageRow, InputMessageCount> Rows{};  // in slot order: input 1 high, input 1 low, ...
    TBreachRow High{};
    TBreachRow Low{};
    QRadioButton* rbLBV;
    QRadioButton* rbLBC;
    QWidget* pnlIOExpanderIsolatedInputs;
    QWidget* pnlIOExpanderAnalogInputs;
    QLabel* lblLink;

private:
    void BuildDigitalRow(size_t Slot, QWidget* Parent, int Top);
    void BuildBreachRow(TBreachRow& Row, bool HighSide, int Top);
    void HandleCheckBox(QCheckBox* Sender);
    void EnableRow(const TMessageRow& Row, bool Available);
    // The analogue controls from the expander, the two breach boxes and the breach type.
    void EnableAnalogue();
    void LoadBreach(const TBreachRow& Row, const TAnalogueBreach& Breach);
    // Brings the page forward with the focus on the edit that holds no number, if one does.
    bool Refuse(QWidget* Failing = nullptr);

    IPageHost& FHost;
    bool FIOExpander = false;
    std::vector<QWidget*> FExpanderCaptions;
};

} // namespace kvx::ui

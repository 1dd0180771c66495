#pragma once
// One remote command's editor: its trigger (an input event, a timer or a missed call, each
// kind with its list), the receiving number and the command text, each with a clear button.
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "config/remote_control.h"
#include "ui/widgets/phone_number_edit.h"

class QAbstractItemModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kvx::ui {

// A command text with a character the unit cannot send, typed or about to be stored.
inline constexpr const char* GSMCharacterText = "You typed and invalid GSM charcater.";

// The entries of the three trigger lists (input, timer, missed call), one model per kind
// shared by every editor.
using TTriggerModels = std::array<QAbstractItemModel*, 3>;

class TRemoteCommandEditor : public QWidget {
public:
    static constexpr int EditorWidth = 700;
    static constexpr int EditorHeight = 118;
    static constexpr int RowPitch = 30;  // one trigger row: a line of the list

    // OnEdit runs for every change of a control whose value goes into the image; CountryCode
    // is what national receiving numbers take.
    TRemoteCommandEditor(const TTriggerModels& Models, std::function<void()> OnEdit, TCountryCodeSource CountryCode, QWidget* Parent);

    // Shows a command; a trigger no kind stands for (an unused table byte) checks no kind.
    void ShowCommand(const TRemoteCommand& Command);
    // The command as the controls hold it, carrying the trigger bytes it was shown with.
    TRemoteCommand FormToCommand() const;

    QLabel* lbRCHeading;
    QRadioButton* rbRCIP;
    QComboBox* cbRCIP;
    QRadioButton* rbRCTMR;
    QComboBox* cbRCTMR;
    QRadioButton* rbRCMC;
    QComboBox* cbRCMC;
    QLineEdit* edRCNO;
    QPushButton* btnRCNO;
    QLineEdit* edRCCMD;
    QPushButton* btnRCCMD;

private:
    struct TTriggerKind {
        TRemoteTriggerKind Kind;
        QRadioButton* Button;
        QComboBox* List;
    };

    void BuildTriggerKinds(const TTriggerModels& Models);
    void BuildTexts(TCountryCodeSource CountryCode);
    // Checks Kind (or no kind for None) and enables only its list.
    void CheckKind(TRemoteTriggerKind Kind);
    void EnableListOf(TRemoteTriggerKind Kind);
    void CommandEdited(const QString& Text);

    std::function<void()> FOnEdit;
    std::array<TTriggerKind, 3> FKinds{};
    std::vector<uint16_t> FStoredTriggerBytes;
};

} // namespace kvx::ui

#include "ui/widgets/relay_lists.h"

#include <QComboBox>
#include <QStandardItemModel>

#include "config/value_words.h"

namespace kvx::ui {

namespace {

constexpr int OnBoardRelays = 2;
constexpr int AllRelays = 8;
constexpr int KeptRole = Qt::UserRole + 1;  // marks the one extra entry of a kept byte

// Chooses the entry carrying Value; a byte not offered gets an extra entry of its own,
// which replaces an earlier one.
void ChooseValue(QComboBox* List, uint8_t Value, const QString& KeptText)
{
    const int last = List->count() - 1;
    if (last >= 0 && List->itemData(last, KeptRole).toBool()) List->removeItem(last);
    int index = List->findData(static_cast<int>(Value));
    if (index < 0) {
        List->addItem(KeptText, static_cast<int>(Value));
        index = List->count() - 1;
        List->setItemData(index, true, KeptRole);
        if (auto* model = qobject_cast<QStandardItemModel*>(List->model())) model->item(index)->setEnabled(false);
    }
    List->setCurrentIndex(index);
}

} // namespace

void FillRelayList(QComboBox* List, bool IOExpander)
{
    List->clear();
    for (int relay = 0; relay < (IOExpander ? AllRelays : OnBoardRelays); ++relay)
        List->addItem(QString::fromStdString(RelayChoiceText(static_cast<uint8_t>(relay))), relay);
}

void RefillRelayList(QComboBox* List, bool IOExpander, std::optional<uint8_t> Relay)
{
    FillRelayList(List, IOExpander);
    if (Relay) ShowRelay(List, *Relay);
}

void FillActionList(QComboBox* List)
{
    List->clear();
    for (size_t action = 1; action < ActionWords.size(); ++action)
        List->addItem(QString::fromStdString(ActionChoiceText(static_cast<uint8_t>(action))), static_cast<int>(action));
}

void ShowRelay(QComboBox* List, uint8_t Relay)
{
    const QString kind = Relay < AllRelays ? QStringLiteral("I/O board") : QStringLiteral("unknown");
    ChooseValue(List, Relay, QStringLiteral("Relay%1 (%2)").arg(Relay + 1).arg(kind));
}

void ShowAction(QComboBox* List, uint8_t Action)
{
    ChooseValue(List, Action, QString::fromStdString(ActionChoiceText(Action)));
}

uint8_t ChosenByte(const QComboBox& List, uint8_t Current)
{
    const QVariant value = List.currentData();
    return value.isValid() ? static_cast<uint8_t>(value.toInt()) : Current;
}

} // namespace kvx::ui

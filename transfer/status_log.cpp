#include "transfer/status_log.h"

#include "config/csv_table.h"
#include "config/value_words.h"

namespace kvx {

namespace {

template <size_t N>
std::string Letters(const std::array<bool, N>& States, char On, char Off)
{
    std::string letters;
    for (bool on : States) letters += on ? On : Off;
    return letters;
}

} // namespace

std::string StatusLogHeader()
{
    return CsvLine({"time", "state", "operator", "signal_dbm", "sim", "inputs", "mains", "relays", "supply_volts",
                    "analogue_volts", "analogue_milliamps"});
}

std::string StatusLogRow(const TLocalDateTime& Time, const TUnitStatus& Status, const std::optional<std::u16string>& Operator)
{
    const bool voltage = Status.AnalogueMode == AnalogueVoltageMode;
    const bool current = Status.AnalogueMode == AnalogueCurrentMode;
    return CsvLine({DateTimeText(Time),
                    StateName(Status.State),
                    Utf8Text(Operator.value_or(u"")),
                    SignalLevelKnown(Status.SignalLevel) ? "-" + std::to_string(Status.SignalLevel) : "",
                    Status.SIM2Active ? "2" : "1",
                    Letters(Status.InputHigh, 'H', 'L'),
                    Status.MainsHigh ? "H" : "L",
                    Letters(Status.RelayClosed, 'C', 'O'),
                    Utf8Text(SupplyVoltsText(Status.SupplyDeciVolts, u'.')),
                    voltage ? Utf8Text(AnalogueVoltageText(Status, u'.')) : "",
                    current ? Utf8Text(AnalogueCurrentText(Status, u'.')) : ""});
}

} // namespace kvx

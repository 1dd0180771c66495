#include "ui/widgets/location_lines.h"

#include "config/value_words.h"
#include "ui/widgets/week_day_boxes.h"

namespace kvx::ui {

namespace {

constexpr uint8_t ActionMask = 0x7F;
constexpr uint8_t TimerConfirmationBit = 0x80;
const QString CheckMark = QStringLiteral("\u2714");

// A column at least Width wide, never cut (as "%-Ns" lays it out).
QString Column(const QString& Text, int Width)
{
    return Text.leftJustified(Width, u' ');
}

QString ZeroPadded(int Value, int Digits)
{
    return QStringLiteral("%1").arg(Value, Digits, 10, QChar(u'0'));
}

QString TimeText(unsigned Hour, unsigned Minute)
{
    return QString::fromStdString(TimeOfDayText(Hour, Minute));
}

QString RelayText(uint8_t Relay)
{
    return QStringLiteral("RLY%1").arg(Relay + 1);
}

// The action of Action & 0x7F, or nothing for one the unit does not know.
QString ActionText(uint8_t Action)
{
    const uint8_t action = Action & ActionMask;
    if (action >= ActionWords.size()) return {};
    return QString::fromLatin1(ActionWords[action].data(), static_cast<qsizetype>(ActionWords[action].size()));
}

} // namespace

QString TimerLine(int Number, const TTimerLocation& Location)
{
    const QString number = ZeroPadded(Number, 2);
    if (!Location.IsDefined()) return number;
    const QString sms = (Location.Confirmation & TimerConfirmationBit) ? u' ' + CheckMark : QStringLiteral(" -");
    return number + u' ' + Column(QString::fromStdU16String(Location.Label), 16) + QStringLiteral("  ") +
           Column(RelayText(Location.Relay), 3) + QStringLiteral("  ") + Column(ActionText(Location.Action), 6) +
           QStringLiteral("  ") + Column(TimeText(Location.Hour, Location.Minute), 5) + QStringLiteral("   ") +
           Column(WeekDayLetters(Location.WeekDays), 7) + QStringLiteral("  ") + sms;
}

QString MissedCallLine(int Number, const TMissedCallLocation& Location)
{
    const QString number = ZeroPadded(Number, 3);
    if (!Location.IsDefined()) return number;
    const QString count = Location.Count != 0 ? ZeroPadded(Location.Count, 3) : QStringLiteral("-");
    const QString window = Location.TimeWindow ? TimeText(Location.StartHour, Location.StartMinute) + u'-' +
                                                     TimeText(Location.StopHour, Location.StopMinute)
                                               : QString();
    const QString days = Location.TimeWindow ? WeekDayLetters(Location.WeekDays) : QString();
    const QString sms = (Location.Action & ConfirmationBit) ? CheckMark : QStringLiteral("-");
    return number + QStringLiteral(" +") + Column(QString::fromStdU16String(Location.Number), 15) + u' ' +
           Column(RelayText(Location.Relay), 3) + u' ' + Column(ActionText(Location.Action), 6) + u' ' + Column(count, 3) +
           QStringLiteral("  ") + Column(window, 11) + u' ' + Column(days, 7) + QStringLiteral("  ") + sms;
}

// Where the lines above start each column (a one-digit relay: "RLY2").
constexpr TColumnHead TimerHeadTable[] = {{0, "#"},     {3, "Timer label"}, {21, "Relay"}, {27, "Action"},
                                          {35, "Time"}, {43, "Weekdays"},   {52, "SMS"}};
constexpr TColumnHead MissedCallHeadTable[] = {{0, "#"},      {5, "Number"},       {21, "Relay"},    {26, "Action"},
                                               {33, "Count"}, {38, "Time window"}, {50, "Weekdays"}, {59, "SMS"}};

std::span<const TColumnHead> TimerHeads()
{
    return TimerHeadTable;
}

std::span<const TColumnHead> MissedCallHeads()
{
    return MissedCallHeadTable;
}

} // namespace kvx::ui

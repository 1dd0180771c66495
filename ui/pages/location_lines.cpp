#include "ui/pages/location_lines.h"

#include <array>

#include "config/week_days.h"

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

QString TwoDigits(int Value)
{
    return QStringLiteral("%1").arg(Value, 2, 10, QChar(u'0'));
}

QString TimeText(int Hour, int Minute)
{
    return TwoDigits(Hour) + u':' + TwoDigits(Minute);
}

QString RelayText(uint8_t Relay)
{
    return QStringLiteral("RLY%1").arg(Relay + 1);
}

} // namespace

QString ActionText(uint8_t Action)
{
    static const std::array<QString, 5> texts{QStringLiteral("-"), QStringLiteral("On"), QStringLiteral("Off "),
                                              QStringLiteral("Pulse"), QStringLiteral("Toggle")};
    const uint8_t action = Action & ActionMask;
    return action < texts.size() ? texts[action] : QString();
}

QString WeekDayLetters(uint8_t WeekDays)
{
    constexpr std::array<std::pair<uint8_t, char16_t>, 7> days{{{Sunday, u'S'},
                                                                {Monday, u'M'},
                                                                {Tuesday, u'T'},
                                                                {Wednesday, u'W'},
                                                                {Thursday, u'T'},
                                                                {Friday, u'F'},
                                                                {Saturday, u'S'}}};
    QString letters;
    for (const auto& [bit, letter] : days) letters += (WeekDays & bit) ? QChar(letter) : QChar(u' ');
    return letters;
}

QString TimerLine(int Number, const TTimerLocation& Location)
{
    const QString number = TwoDigits(Number);
    if (!Location.IsDefined()) return number;
    const QString sms = (Location.Confirmation & TimerConfirmationBit) ? u' ' + CheckMark : QStringLiteral(" -");
    return number + u' ' + Column(QString::fromStdU16String(Location.Label), 16) + QStringLiteral("  ") +
           Column(RelayText(Location.Relay), 3) + QStringLiteral("  ") + Column(ActionText(Location.Action), 6) +
           QStringLiteral("  ") + Column(TimeText(Location.Hour, Location.Minute), 5) + QStringLiteral("   ") +
           Column(WeekDayLetters(Location.WeekDays), 7) + QStringLiteral("  ") + sms;
}

QString MissedCallLine(int Number, const TMissedCallLocation& Location)
{
    const QString number = QStringLiteral("%1").arg(Number, 3, 10, QChar(u'0'));
    if (!Location.IsDefined()) return number;
    const QString count = Location.Count != 0 ? QStringLiteral("%1").arg(Location.Count, 3, 10, QChar(u'0')) : QStringLiteral("-");
    const QString window = Location.TimeWindow ? TimeText(Location.StartHour, Location.StartMinute) + u'-' +
                                                     TimeText(Location.StopHour, Location.StopMinute)
                                               : QString();
    const QString days = Location.TimeWindow ? WeekDayLetters(Location.WeekDays) : QString();
    const QString sms = (Location.Action & ConfirmationBit) ? CheckMark : QStringLiteral("-");
    return number + QStringLiteral(" +") + Column(QString::fromStdU16String(Location.Number), 15) + u' ' +
           Column(RelayText(Location.Relay), 3) + u' ' + Column(ActionText(Location.Action), 6) + u' ' + Column(count, 3) +
           QStringLiteral("  ") + Column(window, 11) + u' ' + Column(days, 7) + QStringLiteral("  ") + sms;
}

QString ColumnHeads(std::initializer_list<std::pair<int, const char*>> Heads)
{
    QString heads;
    for (const auto& [column, head] : Heads) heads = Column(heads, column) + QString::fromLatin1(head);
    return heads;
}

} // namespace kvx::ui

// The location lists' lines, column for column, as a fixed-pitch font lines them up.
#include <gtest/gtest.h>

#include <vector>

#include "config/week_days.h"
#include "ui/widgets/location_lines.h"

namespace kvx::ui::test {
namespace {

TEST(LocationLines, TimerLines)
{
    const struct {
        int Number;
        TTimerLocation Location;
        const char16_t* Line;
    } cases[] = {
        {5, {u"Pump", 7, 30, Sunday | Monday, 2, 3, 0xFF}, u"05 Pump              RLY3  Pulse   07:30   SM        \u2714"},
        {64, {u"ABCDEFGHIJKLMNOP", 23, 59, EveryWeekDay, 7, 2, 0}, u"64 ABCDEFGHIJKLMNOP  RLY8  Off     23:59   SMTWTFS   -"},
        // Bytes no list offers still show as they are stored: relay 0xFF, action 0.
        {1, {u"Gate", 0, 0, 0, 0xFF, 0, 0x80}, u"01 Gate              RLY256  -       00:00             \u2714"},
        {9, {u"Gate", 12, 5, Friday, 1, 0x84, 0x01}, u"09 Gate              RLY2  Toggle  12:05        F    -"},
        {10, {u"Gate", 12, 5, Friday, 1, 5, 0}, u"10 Gate              RLY2          12:05        F    -"},
        {3, {u"", 7, 30, Sunday, 1, 1, 0xFF}, u"03"},
        {4, {u"   ", 7, 30, Sunday, 1, 1, 0xFF}, u"04"},  // blanks alone would store nothing
    };
    for (const auto& c : cases) EXPECT_EQ(TimerLine(c.Number, c.Location), QString::fromUtf16(c.Line)) << c.Number;
}

TEST(LocationLines, MissedCallLines)
{
    const struct {
        int Number;
        TMissedCallLocation Location;
        const char16_t* Line;
    } cases[] = {
        {1, {u"447700900555", true, 8, 0, 17, 30, EveryWeekDay, 1, 0x83, 5},
         u"001 +447700900555    RLY2 Pulse  005  08:00-17:30 SMTWTFS  \u2714"},
        // Without the time window neither times nor days show, whatever the record holds.
        {500, {u"123456789012345", false, 6, 5, 9, 0, Monday, 7, 2, 0}, u"500 +123456789012345 RLY8 Off    -                         -"},
        {42, {u"44", true, 6, 5, 9, 0, Monday | Saturday, 0, 9, 255}, u"042 +44              RLY1        255  06:05-09:00  M    S  -"},
        {7, {u"", true, 6, 5, 9, 0, Monday, 0, 1, 5}, u"007"},
    };
    for (const auto& c : cases) EXPECT_EQ(MissedCallLine(c.Number, c.Location), QString::fromUtf16(c.Line)) << c.Number;
}

TEST(LocationLines, EachHeadStartsWhereItsColumnDoes)
{
    const QString timer = TimerLine(5, {u"Pump", 7, 30, Sunday | Monday, 2, 3, 0xFF});
    const QString missedCall = MissedCallLine(1, {u"447700900555", true, 8, 0, 17, 30, EveryWeekDay, 1, 0x83, 7});
    const struct {
        std::span<const TColumnHead> Heads;
        const QString& Line;
        std::vector<const char16_t*> Fields;  // the line's text under each head, in order
    } cases[] = {
        {TimerHeads(), timer, {u"05 ", u"Pump", u"RLY3", u"Pulse", u"07:30", u"SM  ", u" \u2714"}},
        {MissedCallHeads(), missedCall,
         {u"001", u"447700900555", u"RLY2", u"Pulse", u"007", u"08:00-17:30", u"SMTWTFS", u"\u2714"}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(c.Heads.size(), c.Fields.size());
        for (size_t i = 0; i < c.Heads.size(); ++i)
            EXPECT_EQ(c.Heads[i].Column, c.Line.indexOf(QString::fromUtf16(c.Fields[i]))) << c.Heads[i].Text;
    }
}

} // namespace
} // namespace kvx::ui::test

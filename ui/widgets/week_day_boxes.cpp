#include "ui/widgets/week_day_boxes.h"

#include "config/week_days.h"

namespace kvx::ui {

namespace {

constexpr int LookCount = 3;
constexpr int BoxPitch = 22;
constexpr int LetterPixelSize = 10;

struct TWeekDay {
    const char* Name;
    const char* Letter;
    uint8_t Bit;
};

constexpr std::array<TWeekDay, WeekDayCount> WeekDays{{
    {"cbSUN", "S", Sunday},
    {"cbMON", "M", Monday},
    {"cbTUE", "T", Tuesday},
    {"cbWED", "W", Wednesday},
    {"cbTHU", "T", Thursday},
    {"cbFRI", "F", Friday},
    {"cbSAT", "S", Saturday},
}};

int TileIndex(size_t Day, TCheckLook Look) { return static_cast<int>(Day) * LookCount + static_cast<int>(Look); }

// Painted once, shared by every row of week-day boxes.
const TImageList& WeekDayTiles()
{
    static const TImageList tiles = [] {
        TImageList made;
        for (const TWeekDay& day : WeekDays)
            for (int look = 0; look < LookCount; ++look)
                made.push_back(PaintCheckBoxTile(QString::fromLatin1(day.Letter), static_cast<TCheckLook>(look), LetterPixelSize));
        return made;
    }();
    return tiles;
}

} // namespace

TWeekDayBoxes CreateWeekDayBoxes(QWidget* Owner, QPoint TopLeft, const std::function<void(TImageCheckBox*)>& OnClick)
{
    TWeekDayBoxes boxes;
    for (size_t day = 0; day < WeekDayCount; ++day) {
        auto* box = new TImageCheckBox(Owner);
        box->setObjectName(WeekDays[day].Name);
        box->SetCheckType(TCheckType::ctCustom);
        box->SetImageList(&WeekDayTiles());
        box->SetImageChecked(TileIndex(day, TCheckLook::Checked));
        box->SetImageUnchecked(TileIndex(day, TCheckLook::Unchecked));
        box->SetImageDisabled(TileIndex(day, TCheckLook::Disabled));
        box->MoveTo(TopLeft.x() + static_cast<int>(day) * BoxPitch, TopLeft.y());
        box->OnClick = OnClick;
        boxes.Days[day] = box;
    }
    return boxes;
}

uint8_t WeekDayMask(const TWeekDayBoxes& Boxes)
{
    uint8_t mask = 0;
    for (size_t day = 0; day < WeekDayCount; ++day)
        if (Boxes.Days[day]->Checked()) mask = static_cast<uint8_t>(mask | WeekDays[day].Bit);
    return mask;
}

void CheckFromWeekDayMask(const TWeekDayBoxes& Boxes, uint8_t Mask)
{
    for (size_t day = 0; day < WeekDayCount; ++day) Boxes.Days[day]->SetChecked((Mask & WeekDays[day].Bit) != 0);
}

void EnableWeekDayBoxes(const TWeekDayBoxes& Boxes, bool Enabled)
{
    for (TImageCheckBox* box : Boxes.Days) box->SetEnabled(Enabled);
}

QString WeekDayLetters(uint8_t Mask)
{
    QString letters;
    for (const TWeekDay& day : WeekDays) letters += (Mask & day.Bit) ? QString::fromLatin1(day.Letter) : QStringLiteral(" ");
    return letters;
}

} // namespace kvx::ui

#include "ui/pages/week_day_boxes.h"

#include "config/week_days.h"

namespace kvx::ui {

namespace {

struct TDayInfo {
    const char* Box;
    const char* Letter;
    uint8_t Bit;
};

constexpr std::array<TDayInfo, 7> DayTable{{
    {"cbSUN", "S", Sunday},
    {"cbMON", "M", Monday},
    {"cbTUE", "T", Tuesday},
    {"cbWED", "W", Wednesday},
    {"cbTHU", "T", Thursday},
    {"cbFRI", "F", Friday},
    {"cbSAT", "S", Saturday},
}};

constexpr int LookCount = 3;
constexpr int LetterPixelSize = 10;

// Day d's looks at d * 3 + look (checked, unchecked, disabled), painted once for every page.
const TImageList& DayTiles()
{
    static const TImageList tiles = [] {
        TImageList made;
        for (const TDayInfo& day : DayTable)
            for (const TCheckLook look : {TCheckLook::Checked, TCheckLook::Unchecked, TCheckLook::Disabled})
                made.push_back(PaintCheckBoxTile(QString::fromLatin1(day.Letter), look, LetterPixelSize));
        return made;
    }();
    return tiles;
}

} // namespace

TWeekDayBoxes CreateWeekDayBoxes(QWidget* Owner, QPoint TopLeft, const std::function<void()>& OnClick)
{
    TWeekDayBoxes boxes;
    for (size_t day = 0; day < DayTable.size(); ++day) {
        auto* box = new TImageCheckBox(Owner);
        box->setObjectName(DayTable[day].Box);
        box->SetCheckType(TCheckType::ctCustom);
        box->SetImageList(&DayTiles());
        const int first = static_cast<int>(day) * LookCount;
        box->SetImageChecked(first + static_cast<int>(TCheckLook::Checked));
        box->SetImageUnchecked(first + static_cast<int>(TCheckLook::Unchecked));
        box->SetImageDisabled(first + static_cast<int>(TCheckLook::Disabled));
        box->MoveTo(TopLeft.x() + static_cast<int>(day) * WeekDayBoxPitch, TopLeft.y());
        box->OnClick = [OnClick](TImageCheckBox*) { OnClick(); };
        boxes.Days[day] = box;
    }
    return boxes;
}

uint8_t WeekDayMask(const TWeekDayBoxes& Boxes)
{
    uint8_t mask = 0;
    for (size_t day = 0; day < DayTable.size(); ++day)
        if (Boxes.Days[day]->Checked()) mask |= DayTable[day].Bit;
    return mask;
}

void ShowWeekDays(const TWeekDayBoxes& Boxes, uint8_t Mask)
{
    for (size_t day = 0; day < DayTable.size(); ++day) Boxes.Days[day]->SetChecked((Mask & DayTable[day].Bit) != 0);
}

void EnableWeekDays(const TWeekDayBoxes& Boxes, bool Enabled)
{
    for (TImageCheckBox* box : Boxes.Days) box->SetEnabled(Enabled);
}

} // namespace kvx::ui

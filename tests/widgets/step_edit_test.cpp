// The step helpers every page shares: wrapping at both ends, padding, and "Invalid integer".
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QLocale>

#include "tests/ui/scripted_dialogs.h"
#include "ui/widgets/step_edit.h"

namespace kvx::ui::test {
namespace {

TEST(StepEdit, WholeNumbersAndNothingElse)
{
    EXPECT_EQ(WholeNumber("42"), 42);
    EXPECT_EQ(WholeNumber(" -7 "), -7);
    for (const char* bad : {"", " ", "4a", "1.5", "abc", "99999999999"}) EXPECT_FALSE(WholeNumber(bad)) << bad;
}

TEST(StepEdit, DecimalsReadTheUsersSeparatorOrThePointAndNothingElse)
{
    const QLocale before;
    const struct {
        QLocale::Language Language;
        const char* Text;
        std::optional<double> Value;
    } cases[] = {
        {QLocale::German, "4,5", 4.5},  {QLocale::German, " 4.5 ", 4.5}, {QLocale::German, "1.500", 1.5},
        {QLocale::German, "1,5x", {}},  {QLocale::English, "4.5", 4.5},  {QLocale::English, "1,5", {}},
        {QLocale::English, "nan", {}}, {QLocale::English, "-inf", {}},  {QLocale::English, "", {}},
    };
    for (const auto& c : cases) {
        QLocale::setDefault(QLocale(c.Language));
        EXPECT_EQ(DecimalNumber(c.Text), c.Value) << c.Text;
    }
    QLocale::setDefault(before);
    EXPECT_EQ(RangedDecimalText(655.35, 4, 20), "20.00");
}

TEST(StepEdit, StoredNumbersShowClampedIntoTheirRange)
{
    EXPECT_EQ(RangedNumberText(0x45, 0, 23, 2), "23");  // an hour byte that is no BCD hour
    EXPECT_EQ(RangedNumberText(7, 0, 23, 2), "07");
    EXPECT_EQ(RangedNumberText(3276, 0, 3000), "3000");
    EXPECT_EQ(RangedNumberText(-1, 4, 20), "4");
}

TEST(StepEdit, StepsWrapAtBothEnds)
{
    struct TCase {
        int Value;
        bool Up;
        int Expected;
    };
    // minimum 1, maximum 1000
    for (const TCase& c : {TCase{5, true, 6}, TCase{999, true, 1000}, TCase{1000, true, 1}, TCase{1500, true, 1},
                           TCase{-3, true, -2}, TCase{5, false, 4}, TCase{2, false, 1}, TCase{1, false, 1000},
                           TCase{0, false, 1000}})
        EXPECT_EQ(SteppedValue(c.Value, 1, 1000, c.Up), c.Expected) << c.Value << (c.Up ? " up" : " down");
}

TEST(StepEdit, WritesBackAndComplainsAboutNonNumbers)
{
    TScriptedDialogs dialogs;
    QLineEdit edit;
    edit.setText("1000");
    StepEditValue(&edit, 1, 1000, true);
    EXPECT_EQ(edit.text(), "1");
    for (const char* bad : {"", "x1"}) {
        edit.setText(bad);
        dialogs.ExpectPlainMessage("Invalid integer");
        StepEditValue(&edit, 1, 1000, false);
        EXPECT_EQ(edit.text(), bad);
    }
}

TEST(StepEdit, PaddedStepsStartEmptyEditsAtTheMinimumAndFillTheWidth)
{
    TScriptedDialogs dialogs;
    QLineEdit edit;
    edit.setMaxLength(2);
    StepEditValuePadded(&edit, 0, 59, true, true);
    EXPECT_EQ(edit.text(), "01");  // empty: taken as 0, then stepped
    edit.setText("6");
    StepEditValuePadded(&edit, 0, 59, true, true);
    EXPECT_EQ(edit.text(), "07");
    edit.setText("0");
    StepEditValuePadded(&edit, 0, 59, true, false);
    EXPECT_EQ(edit.text(), "59");
    edit.setText("6");
    StepEditValuePadded(&edit, 0, 59, false, true);
    EXPECT_EQ(edit.text(), "7");
    QLineEdit unlimited;  // no length limit: nothing to pad to
    unlimited.setText("6");
    StepEditValuePadded(&unlimited, 0, 59, true, true);
    EXPECT_EQ(unlimited.text(), "7");
    edit.setText("x");
    dialogs.ExpectPlainMessage("Invalid integer");
    StepEditValuePadded(&edit, 0, 59, true, true);
    EXPECT_EQ(edit.text(), "x");
}

TEST(StepEdit, FloatStepsUseTwoDecimalsAndWrap)
{
    TScriptedDialogs dialogs;
    QLineEdit edit;
    edit.setText("0.5");
    StepEditFloatValue(&edit, 0.0, 10.0, true, 0.1);
    EXPECT_EQ(edit.text(), "0.60");
    edit.setText("10");
    StepEditFloatValue(&edit, 0.0, 10.0, true, 0.1);
    EXPECT_EQ(edit.text(), "0.00");
    edit.setText("0");
    StepEditFloatValue(&edit, 0.0, 10.0, false, 0.1);
    EXPECT_EQ(edit.text(), "10.00");
    for (const char* bad : {"", "nan", "1,5x"}) {
        edit.setText(bad);
        dialogs.ExpectPlainMessage("Invalid integer");
        StepEditFloatValue(&edit, 0.0, 10.0, true, 0.1);
        EXPECT_EQ(edit.text(), bad);
    }
}

} // namespace
} // namespace kvx::ui::test

// The text edit of the pages: printable ASCII as typed, and a text loaded from the image with
// characters 0x7F..0xA0 kept as it is without letting anything unchecked in after it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include "ui/widgets/page_controls.h"

namespace kvx::ui::test {
namespace {

// Key by key, as the user types: the edit's validator has its say.
void Type(QLineEdit* Edit, const QString& Text)
{
    for (const QChar c : Text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(Edit, &press);
    }
}

TEST(TextEdit, TypedCharactersAreCheckedAfterAnyLoadedText)
{
    QWidget parent;
    QLineEdit* edit = NewTextEdit(&parent, "edText", 16, QRect(0, 0, 100, 20));
    const struct {
        const char16_t* Loaded;
        const char16_t* Typed;
        bool Pasted;  // inserted as a whole, as a paste does
        const char16_t* Shown;
    } cases[] = {
        {u"Gate", u" ~1", false, u"Gate ~1"},
        {u"Gate", u"\u00E9\u20AC", false, u"Gate"},             // é and € would come back changed
        {u"Gate", u"\u00A0", false, u"Gate"},                   // a no-break space, from the keyboard
        {u"Gate", u"\u007F\u0085", true, u"Gate"},
        {u"Pump\u0085", u"1", false, u"Pump\u00851"},
        {u"Pump\u0085", u"\u00E9", false, u"Pump\u0085"},
        {u"Pump\u0085", u"\u0085", true, u"Pump\u0085"},        // only as many as were loaded
        {u"\u00A0\u0090", u"ok", false, u"\u00A0\u0090ok"},
        {u"\u00A0\u0090", u"\u00A0", false, u"\u00A0\u0090"},
    };
    for (const auto& c : cases) {
        const QString loaded = QString::fromUtf16(c.Loaded);
        SCOPED_TRACE(loaded.toStdString());
        edit->setText(loaded);
        EXPECT_TRUE(edit->hasAcceptableInput());
        edit->end(false);
        if (c.Pasted) edit->insert(QString::fromUtf16(c.Typed));
        else Type(edit, QString::fromUtf16(c.Typed));
        EXPECT_EQ(edit->text(), QString::fromUtf16(c.Shown));
    }
}

} // namespace
} // namespace kvx::ui::test

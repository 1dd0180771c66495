#pragma once
// One setup page (or a few) on a test host with scripted dialogs and an erased image.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <string>
#include <vector>

#include "tests/pages/page_test_host.h"
#include "tests/ui/scripted_dialogs.h"

namespace kvx::ui::test {

class UnitPageTest : public ::testing::Test {
protected:
    std::vector<uint8_t> Bytes(size_t Offset, size_t Count) const
    {
        return {Image.Bytes() + Offset, Image.Bytes() + Offset + Count};
    }
    // The bytes a text slot should hold: the text, then Pad up to Width.
    static std::vector<uint8_t> Slot(const std::string& Text, size_t Width, uint8_t Pad)
    {
        std::vector<uint8_t> bytes(Text.begin(), Text.end());
        bytes.resize(Width, Pad);
        return bytes;
    }
    void Put(size_t Offset, const std::vector<uint8_t>& Bytes)
    {
        std::copy(Bytes.begin(), Bytes.end(), Image.Bytes() + Offset);
    }
    // A choice in a drop-down list, as the user makes it.
    static void Choose(QComboBox* List, int Index)
    {
        List->setCurrentIndex(Index);
        emit List->activated(Index);
    }
    static void Choose(QComboBox* List, const QString& Text) { Choose(List, List->findText(Text)); }
    // Key by key, as the user types: the edit's validator has its say.
    static void Type(QLineEdit* Edit, const QString& Text)
    {
        for (const QChar c : Text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(Edit, &press);
        }
    }

    // Enter in an edit, as the user ends an entry.
    static void Enter(QLineEdit* Edit)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(Edit, &press);
    }

    TScriptedDialogs Dialogs;
    TPageTestHost Host;
    QWidget Parent;
    TKVXConfig Image = ErasedConfig();
};

} // namespace kvx::ui::test

#pragma once
// The main window with the program's own pages over a scripted unit, for tests of how the
// pages and the window work together.
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/fake_pump.h"
#include "tests/support/fake_unit_link.h"
#include "tests/ui/scripted_dialogs.h"
#include "ui/main/main_window.h"
#include "ui/pages/setup_pages.h"

namespace kvx::ui::test {

class RealWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TMainWindowSetup setup;
        setup.Link = std::make_unique<kvx::test::TFakeUnitLink>();
        setup.Pump = &Pump;
        setup.CreatePages = CreateSetupPages;
        Window = std::make_unique<TMainWindow>(std::move(setup));
    }

    template <typename TPage>
    TPage* PageOf(int No)
    {
        return dynamic_cast<TPage*>(Window->Page(No));
    }

    TScriptedDialogs Dialogs;
    kvx::test::TFakePump Pump;
    std::unique_ptr<TMainWindow> Window;
};

} // namespace kvx::ui::test

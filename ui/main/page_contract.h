#pragma once
// What a setup page offers the main window, and what the main window offers a page.
// A page test builds the page (or the few pages it talks to) with a host of its own.
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "image/kvx_config.h"
#include "link/kvx.h"
#include "config/page_names.h"

class QScrollBar;

namespace kvx::ui {

class TKVXPage : public QWidget {
public:
    using QWidget::QWidget;

    // Shows the image's fields; setting a control fires its change handler as typing would.
    virtual void ConfigToForm(const TKVXConfig& KVXConfig) = 0;
    // Stores the controls into the image. With ConfigAssistant the page checks first and, at
    // the first problem, shows one message, brings itself forward and returns false.
    virtual bool FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant) = 0;
    // The list the mouse wheel scrolls while the page is visible; none by default.
    virtual QScrollBar* WheelScrollBar() { return nullptr; }
};

class IPageHost {
public:
    virtual ~IPageHost() = default;
    virtual TKVX* Device() = 0;
    virtual bool HasBeenRead() const = 0;
    // The pages' change handlers call this for every edit that goes into the image.
    virtual void MarkConfigChanged() = 0;
    // Chooses the page numbered No (a TPageNo) as its own menu item would.
    virtual void BringPageForward(int No) = 0;
    // A sibling page by number (a TPageNo), or nullptr while that page does not exist.
    virtual TKVXPage* Page(int No) = 0;
    // The remote SMS command guide, shown without blocking the window.
    virtual void ShowCommandGuide() = 0;
    // What national telephone numbers take in place of their 0 (digits); empty: they are refused.
    virtual std::string DefaultCountryCode() const = 0;
};

struct TPageEntry {
    int No;  // a TPageNo: also the place in both page walks
    TKVXPage* Page;
};

// Creates the pages as children of Parent, in construction order.
using TPageFactory = std::function<std::vector<TPageEntry>(IPageHost& Host, QWidget* Parent)>;

} // namespace kvx::ui

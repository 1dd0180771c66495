// The difference lists in the pages' words, and the way from a row of one to its control.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>

#include "config/config_words.h"
#include "config/contact_id.h"
#include "ui/main/dialog_service.h"
#include "ui/main/kvx_panel.h"
#include "ui/main/main_window.h"
#include "ui/main/shipped_file.h"

namespace kvx::ui {

namespace {

// Chooses entry Row of the list named List: an item view's row, or a drop-down list's entry.
void ChooseListEntry(QWidget* Page, const TControlRef& Control)
{
    if (Control.List.empty()) return;
    auto* list = Page->findChild<QWidget*>(QString::fromStdString(Control.List));
    if (auto* view = qobject_cast<QAbstractItemView*>(list)) {
        const QModelIndex index = view->model()->index(Control.Row, 0);
        view->setCurrentIndex(index);
        view->scrollTo(index);
    } else if (auto* box = qobject_cast<QComboBox*>(list)) {
        box->setCurrentIndex(Control.Row);
    }
}

// The control at the end of the path, each name looked for below the one before; for a
// picture box (the week days), the widget that draws it.
QWidget* FindControl(QWidget* Page, const std::string& Path)
{
    QObject* control = Page;
    for (const QString& name : QString::fromStdString(Path).split(u'/', Qt::SkipEmptyParts)) {
        control = control->findChild<QObject*>(name);
        if (!control) return nullptr;
    }
    if (control == Page) return nullptr;
    if (auto* widget = qobject_cast<QWidget*>(control)) return widget;
    return qobject_cast<QWidget*>(control->parent());
}

} // namespace

std::vector<TWordedDifference> TMainWindow::WordedDifferences(const TKVXConfig& First, const TKVXConfig& Second) const
{
    const TCIDList events = LoadCIDList(ShippedFilePath(QStringLiteral("CIDList.txt")).toStdU16String(), CIDReportingCapacity);
    return CompareConfigWords(First, Second, events.Events);
}

void TMainWindow::ShowDifferenceList(const QString& Heading, const QString& FirstColumn, const QString& SecondColumn,
                                  std::vector<TWordedDifference> Rows)
{
    const TDifferenceList list(Heading, FirstColumn, SecondColumn, std::move(Rows));
    if (const std::optional<size_t> row = Dialogs().ShowDifferences(list); row && *row < list.Rows.size())
        GoToControl(list.Rows[*row].PageNo, list.Rows[*row].Control);
}

QWidget* TMainWindow::GoToControl(int PageNo, const TControlRef& Control)
{
    TKVXPage* page = Page(PageNo);
    if (!page) return nullptr;
    MenuItemClicked(MenuPanel(PageNo));
    ChooseListEntry(page, Control);
    QWidget* control = FindControl(page, Control.Path);
    if (!control) return nullptr;
    for (QWidget* parent = control->parentWidget(); parent && parent != page; parent = parent->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(parent)) area->ensureWidgetVisible(control);
    control->setFocus(Qt::OtherFocusReason);
    // The text selected, so the eye finds the field at once.
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
    return control;
}

} // namespace kvx::ui

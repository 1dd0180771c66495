#include "ui/main/report_details_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/main/colours.h"

namespace kvx::ui {

namespace {

constexpr int DialogWidth = 480;

} // namespace

TReportDetailsDialog::TReportDetailsDialog(const TReportDetails& Details, QWidget* Parent) : QDialog(Parent)
{
    setObjectName("dlgReportDetails");
    setWindowTitle("KVX");
    setMinimumWidth(DialogWidth);
    // The window's dark ground under the style's light text, as the other lists of the window.
    setStyleSheet(QString("QDialog#dlgReportDetails { background: %1; }").arg(WindowColour.name()));
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel("The commissioning report holds every page's settings and, with the dongle connected, "
                               "the unit's identity and signal. Add to it (each may stay empty):",
                               this);
    heading->setWordWrap(true);
    layout->addWidget(heading);

    auto* form = new QFormLayout;
    edInstaller = new QLineEdit(QString::fromStdString(Details.Installer), this);
    edInstaller->setObjectName("edInstaller");
    edSite = new QLineEdit(QString::fromStdString(Details.Site), this);
    edSite->setObjectName("edSite");
    edNotes = new QPlainTextEdit(QString::fromStdString(Details.Notes), this);
    edNotes->setObjectName("edNotes");
    edNotes->setTabChangesFocus(true);
    form->addRow("Installer", edInstaller);
    form->addRow("Site", edSite);
    form->addRow("Notes", edNotes);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText("Save report\u2026");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TReportDetailsDialog::TakeInto(TReportDetails& Details) const
{
    Details.Installer = edInstaller->text().trimmed().toStdString();
    Details.Site = edSite->text().trimmed().toStdString();
    Details.Notes = edNotes->toPlainText().trimmed().toStdString();
}

} // namespace kvx::ui

// The command bar's "Save report…": the commissioning report an installer leaves with the
// customer, of what the pages show.
#include <QDir>
#include <QFileInfo>
#include <filesystem>

#include "config/cid_list.h"
#include "config/contact_id.h"
#include "config/whole_file.h"
#include "program_version.h"
#include "transfer/report_html.h"
#include "ui/main/commissioning_texts.h"
#include "ui/main/dialog_service.h"
#include "ui/main/main_window.h"
#include "ui/main/shipped_file.h"
#include "ui/main/status_view.h"
#include "ui/main/transfer_texts.h"
#include "ui/report/report_pdf.h"

namespace kvx::ui {

namespace {

bool IsWebPage(const QString& FileName)
{
    const QString suffix = QFileInfo(FileName).suffix();
    return suffix.compare("html", Qt::CaseInsensitive) == 0 || suffix.compare("htm", Qt::CaseInsensitive) == 0;
}

} // namespace

void TMainWindow::SaveReport()
{
    TCommandScope running(*this);
    // The settings as a template save would store them; a page that refuses has said why.
    if (!PagesToConfig(false)) return;
    TReportDetails details = FReportDetails;
    if (!Dialogs().AskReportDetails(details)) return;
    FReportDetails = details;  // an installer's name and site are the same for the next unit
    const QString fileName = Dialogs().SaveFileName({ReportFilterText, ReportExtension, {}});
    if (fileName.isEmpty()) return;

    details.Made = FClock();
    details.ProgramVersion = ProgramVersion;
    details.Source = FDocument.Changed()       ? "the program's pages, with edits not yet written to the unit"
                     : FDocument.HasBeenRead() ? "the unit, as last read or written"
                                               : "the program's pages";
    // The identity only of a unit that is there now.
    std::optional<TStatusSnapshot> unit;
    if (KVX->DeviceConnected()) unit = FStatusView->Snapshot();
    const TCIDList events = LoadCIDList(ShippedFilePath(QStringLiteral("CIDList.txt")).toStdU16String(), CIDReportingCapacity);
    const TReportDocument report = CommissioningReport(FDocument.Image(), unit, details, events.Events);

    const QString shownName = QDir::toNativeSeparators(fileName);
    std::string bytes;
    std::string reason;
    if (IsWebPage(fileName)) bytes = ReportHtml(report);
    else if (!ReportPdf(report, bytes, reason)) {
        ShowError(ReportSaveFailedMessage(shownName, QString::fromStdString(reason)));
        return;
    }
    if (!SaveWholeFile(std::filesystem::path(fileName.toStdU16String()), bytes, reason)) {
        ShowError(ReportSaveFailedMessage(shownName, QString::fromStdString(reason)));
        return;
    }
    SayWhatHappened(SavedText(QFileInfo(fileName).fileName()), shownName);
}

} // namespace kvx::ui

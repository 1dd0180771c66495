#include "ui/pages/list_files.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>

#include "config/whole_file.h"
#include "ui/main/dialog_service.h"
#include "ui/main/kvx_message_dlg.h"

namespace kvx::ui {

namespace {

const TFileFilter CsvFilter{QStringLiteral("Spreadsheet file, comma or semicolon separated (*.csv)"), QStringLiteral("csv"), {}};
constexpr size_t MaxFileSize = 4 * 1024 * 1024;
constexpr size_t MaxListedLines = 15;

std::filesystem::path PathOf(const QString& Name) { return std::filesystem::path(Name.toStdU16String()); }

// Messages break their lines with a carriage return.
QString MessageText(const std::string& Text) { return QString::fromStdString(Text).replace(QLatin1Char('\n'), QLatin1Char('\r')); }

} // namespace

std::optional<TListFile> OpenListFile()
{
    TListFile file{Dialogs().OpenFileName(CsvFilter), {}};
    if (file.Name.isEmpty()) return std::nullopt;
    std::string reason;
    if (!LoadWholeFile(PathOf(file.Name), file.Text, reason, MaxFileSize)) {
        ShowError(QStringLiteral("Could not read \"%1\": %2.").arg(QDir::toNativeSeparators(file.Name), QString::fromStdString(reason)));
        return std::nullopt;
    }
    return file;
}

bool ImportConfirmed(const TListFile& File, const TImportReport& Report, std::string_view SlotName)
{
    const QString name = QFileInfo(File.Name).fileName();
    if (!Report.Problem.empty()) {
        ShowError(QStringLiteral("Nothing was imported from %1.\r\r").arg(name) + MessageText(Report.Problem));
        return false;
    }
    const QString report = MessageText(ReportText(Report, SlotName, MaxListedLines));
    if (!Report.Changes()) {
        ShowInformation(QStringLiteral("Nothing to import from %1.\r\r").arg(name) + report);
        return false;
    }
    return TKVXMessageDlg::ShowMessageEx(QStringLiteral("Import from %1?\r\r").arg(name) + report, TMsgDlgType::mtConfirmation,
                                         {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel}, 0) == mrOk;
}

void SaveListFile(const std::string& Text)
{
    const QString name = Dialogs().SaveFileName(CsvFilter);
    if (name.isEmpty()) return;
    std::string reason;
    if (!SaveWholeFile(PathOf(name), Text, reason))
        ShowError(QStringLiteral("Could not save \"%1\": %2.").arg(QDir::toNativeSeparators(name), QString::fromStdString(reason)));
}

} // namespace kvx::ui

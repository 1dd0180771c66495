#include "ui/report/report_pdf.h"

#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <memory>

#include "program_version.h"

namespace kvx {

namespace {

// As a browser counts pixels, so the page's pixel sizes (borders, padding) read alike.
constexpr int PdfResolution = 96;

// Fonts need a GUI application; kvxctl has none, so it gets one for the moment, without a
// display (Windows needs none; elsewhere the offscreen platform, unless one is chosen). Qt's
// remarks about such a session (no runtime folder) are no business of kvxctl's user.
class THeadlessApplication {
public:
    THeadlessApplication()
    {
        if (QCoreApplication::instance()) return;
        FPreviousHandler = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        FApplication = std::make_unique<QGuiApplication>(ArgumentCount, Arguments);
    }
    ~THeadlessApplication()
    {
        if (!FApplication) return;
        FApplication.reset();
        qInstallMessageHandler(FPreviousHandler);
    }
    THeadlessApplication(const THeadlessApplication&) = delete;
    THeadlessApplication& operator=(const THeadlessApplication&) = delete;

private:
    static inline char Name[] = "kvxctl";
    static inline char PlatformOption[] = "-platform";
    static inline char Offscreen[] = "offscreen";
    static inline char* Arguments[] = {Name, PlatformOption, Offscreen, nullptr};
#ifdef _WIN32
    static inline int ArgumentCount = 1;
#else
    static inline int ArgumentCount = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ? 3 : 1;
#endif
    std::unique_ptr<QGuiApplication> FApplication;
    QtMessageHandler FPreviousHandler = nullptr;
};

} // namespace

const bool ReportPdfAvailable = true;

bool ReportPdf(const std::string& Html, const std::string& Title, std::string& Pdf, std::string& Error)
{
    const THeadlessApplication application;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QString::fromStdString(Title));
        writer.setCreator(QStringLiteral("kvxconf ") + ProgramVersion);
        writer.setResolution(PdfResolution);
        // The document keeps margins of its own when it lays itself out on the pages.
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        QTextDocument document;
        // No ligatures: "off" stays three letters for whoever copies or searches the text.
        QFont font = document.defaultFont();
        font.setStyleStrategy(QFont::PreferNoShaping);
        document.setDefaultFont(font);
        document.setHtml(QString::fromStdString(Html));
        document.print(&writer);
    }
    if (buffer.data().isEmpty()) {
        Error = "Qt's PDF writer made nothing";
        return false;
    }
    Pdf = buffer.data().toStdString();
    return true;
}

} // namespace kvx

#include "ui/report/report_pdf.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <memory>
#include <vector>

#include "program_version.h"
#include "transfer/report_html.h"

namespace kvx {

namespace {

using TKind = TReportPart::TKind;

// Laid out by hand on the painter: Qt's rich text took seconds over a 500-row list.
constexpr int Resolution = 96;       // pixels an inch, as the HTML page counts them
constexpr double MarginMm = 18;
constexpr double Padding = 3;        // inside a cell
constexpr double CaptionShare = 0.36;  // of a caption and value table's width
constexpr double FooterHeight = 18;
constexpr double BodyPoints = 9;

const QColor TextColour{0x1E, 0x1E, 0x1E};
const QColor SectionColour{0x00, 0x5A, 0x87};
const QColor NoteColour{0x55, 0x55, 0x55};
const QColor RuleColour{0xB4, 0xB4, 0xB4};
const QColor HeadGround{0xE8, 0xED, 0xF1};

QFont ReportFont(double Points, bool Bold = false, bool Italic = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(Points);
    font.setBold(Bold);
    font.setItalic(Italic);
    // No ligatures: "off" stays three letters for whoever copies or searches the text.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QString Text(const std::string& Utf8) { return QString::fromStdString(Utf8); }

// One font of the report with its metrics on the PDF.
struct TType {
    TType(double Points, bool Bold, bool Italic, const QColor& Ink, const QPaintDevice& Device)
        : Font(ReportFont(Points, Bold, Italic)), Metrics(Font, &Device), Colour(Ink)
    {
    }
    // The height of Text set in Width, wrapped at spaces when it does not fit on one line.
    double Height(const QString& Text, double Width) const
    {
        if (Metrics.horizontalAdvance(Text) <= Width) return Metrics.height();
        return Metrics.boundingRect(QRectF(0, 0, Width, 1e6), Qt::TextWordWrap, Text).height();
    }

    QFont Font;
    QFontMetricsF Metrics;
    QColor Colour;
};

// A list's column widths: each as wide as its widest cell when they all fit, else narrowed
// towards its longest word (numbers and times have no spaces, so they stay whole).
std::vector<double> ColumnWidths(const std::vector<double>& Natural, const std::vector<double>& Least, double Width)
{
    double natural = 0;
    double least = 0;
    for (size_t i = 0; i < Natural.size(); ++i) {
        natural += Natural[i];
        least += Least[i];
    }
    std::vector<double> widths(Natural.size());
    for (size_t i = 0; i < widths.size(); ++i) {
        if (natural <= Width) widths[i] = Natural[i] * Width / natural;
        else if (least >= Width) widths[i] = Least[i] * Width / least;
        else widths[i] = Least[i] + (Natural[i] - Least[i]) * (Width - least) / (natural - least);
    }
    return widths;
}

// Lays the parts down the pages, starting a new page where the next piece does not fit.
class TPdfPages {
public:
    TPdfPages(QPdfWriter& Writer, const TReportDocument& Report)
        : FWriter(Writer), FPainter(&Writer), FWidth(Writer.pageLayout().paintRectPixels(Resolution).width()),
          FBottom(Writer.pageLayout().paintRectPixels(Resolution).height() - FooterHeight), FFooter(Text(Report.Title)),
          FTitle(17, true, false, TextColour, Writer), FSubtitle(13, false, false, TextColour, Writer),
          FSection(13, true, false, SectionColour, Writer), FPage(10.5, true, false, TextColour, Writer),
          FBody(BodyPoints, false, false, TextColour, Writer), FBold(BodyPoints, true, false, TextColour, Writer),
          FNote(BodyPoints, false, true, NoteColour, Writer), FSmall(7.5, false, false, NoteColour, Writer)
    {
        Line(FTitle, Text(Report.Heading), 2);
        Line(FSubtitle, Text(Report.UnitName), 6);
    }

    void Add(const TReportPart& Part)
    {
        switch (Part.Kind) {
        case TKind::Section: return Heading(FSection, Part.Text, 14, 4);
        case TKind::Page: return Heading(FPage, Part.Text, 9, 3);
        case TKind::Facts: return Facts(Part.Rows);
        case TKind::List: return List(Part);
        case TKind::Paragraph: return Paragraph(FBody, Part.Text);
        case TKind::Note: return Paragraph(FNote, Part.Text);
        }
    }

    void Finish()
    {
        EndPage();
        FPainter.end();
    }

private:
    void Draw(const TType& Type, const QRectF& At, const QString& Text, bool OneLine)
    {
        FPainter.setFont(Type.Font);
        FPainter.setPen(Type.Colour);
        if (OneLine) FPainter.drawText(QPointF(At.left(), At.top() + Type.Metrics.ascent()), Text);
        else FPainter.drawText(At, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, Text);
    }

    void Line(const TType& Type, const QString& Text, double After)
    {
        const double height = Type.Height(Text, FWidth);
        Room(height);
        Draw(Type, QRectF(0, FY, FWidth, height), Text, false);
        FY += height + After;
    }

    // A heading stays with what follows it.
    void Heading(const TType& Type, const std::string& Text, double Before, double After)
    {
        FY += Before;
        Room(Type.Metrics.height() + 5 * FBody.Metrics.height());
        Line(Type, QString::fromStdString(Text), After);
    }

    void Paragraph(const TType& Type, const std::string& Text)
    {
        for (const QString& line : QString::fromStdString(Text).split('\n')) Line(Type, line, 0);
        FY += 6;
    }

    void Facts(const std::vector<TReportRow>& Rows)
    {
        const double captionWidth = FWidth * CaptionShare;
        for (const TReportRow& row : Rows) {
            const QString caption = Text(row.at(0));
            const QString value = Text(row.at(1));
            const double height = std::max(FBold.Height(caption, captionWidth - 2 * Padding), FBody.Height(value, FWidth - captionWidth - 2 * Padding)) + 2 * Padding;
            Room(height);
            FPainter.fillRect(QRectF(0, FY, captionWidth, height), HeadGround);
            Draw(FBold, QRectF(Padding, FY + Padding, captionWidth - 2 * Padding, height), caption, false);
            Draw(FBody, QRectF(captionWidth + Padding, FY + Padding, FWidth - captionWidth - 2 * Padding, height), value, false);
            Rules(FY, height, {0, captionWidth, FWidth});
            FY += height;
        }
        FY += 4;
    }

    void List(const TReportPart& Part)
    {
        const size_t columns = Part.Columns.size();
        std::vector<std::pair<QString, QString>> headings;
        std::vector<double> natural(columns, 0);
        std::vector<double> least(columns, 0);
        // Breakable: a text that may wrap at its spaces, so its longest word is as narrow as it gets.
        const auto take = [&](size_t Column, const TType& Type, const QString& Text, bool Breakable) {
            const double width = Type.Metrics.horizontalAdvance(Text) + 2 * Padding;
            natural[Column] = std::max(natural[Column], width);
            double word = Breakable && Text.contains(' ') ? 0 : width;
            if (word == 0)
                for (const QString& part : Text.split(' ')) word = std::max(word, Type.Metrics.horizontalAdvance(part) + 2 * Padding);
            least[Column] = std::max(least[Column], word);
        };
        for (size_t c = 0; c < columns; ++c) {
            const auto [first, second] = HeadingLines(Part.Columns[c]);
            headings.emplace_back(Text(first), Text(second));
            take(c, FBold, headings.back().first, false);
            take(c, FBold, headings.back().second, false);
        }
        std::vector<std::vector<QString>> cells;
        cells.reserve(Part.Rows.size());
        for (const TReportRow& row : Part.Rows) {
            cells.emplace_back();
            for (size_t c = 0; c < columns; ++c) {
                cells.back().push_back(Text(row.at(c)));
                take(c, FBody, cells.back().back(), true);
            }
        }
        const std::vector<double> widths = ColumnWidths(natural, least, FWidth);
        std::vector<double> edges{0};
        for (const double width : widths) edges.push_back(edges.back() + width);

        const bool twoLines = std::any_of(headings.begin(), headings.end(), [](const auto& h) { return !h.second.isEmpty(); });
        const double headHeight = FBold.Metrics.height() * (twoLines ? 2 : 1) + 2 * Padding;
        const auto head = [&] {
            FPainter.fillRect(QRectF(0, FY, FWidth, headHeight), HeadGround);
            for (size_t c = 0; c < columns; ++c) {
                const QString text = headings[c].second.isEmpty() ? headings[c].first : headings[c].first + '\n' + headings[c].second;
                FPainter.setFont(FBold.Font);
                FPainter.setPen(FBold.Colour);
                FPainter.drawText(QRectF(edges[c] + Padding, FY + Padding, widths[c] - 2 * Padding, headHeight), Qt::AlignLeft | Qt::AlignTop, text);
            }
            Rules(FY, headHeight, edges);
            FY += headHeight;
        };
        Room(headHeight + FBody.Metrics.height() + 2 * Padding);
        head();
        for (const std::vector<QString>& row : cells) {
            double height = 0;
            std::vector<bool> oneLine(columns);
            for (size_t c = 0; c < columns; ++c) {
                const double inner = widths[c] - 2 * Padding;
                oneLine[c] = FBody.Metrics.horizontalAdvance(row[c]) <= inner;
                height = std::max(height, oneLine[c] ? FBody.Metrics.height() : FBody.Height(row[c], inner));
            }
            height += 2 * Padding;
            if (FY + height > FBottom) {
                NewPage();
                head();  // each page's part of a list under its headings
            }
            for (size_t c = 0; c < columns; ++c)
                Draw(FBody, QRectF(edges[c] + Padding, FY + Padding, widths[c] - 2 * Padding, height), row[c], oneLine[c]);
            Rules(FY, height, edges);
            FY += height;
        }
        FY += 4;
    }

    // The borders of a row of cells between Edges; drawn at once at the end of the page.
    void Rules(double Top, double Height, const std::vector<double>& Edges)
    {
        FRules.emplace_back(0, Top, FWidth, Top);
        FRules.emplace_back(0, Top + Height, FWidth, Top + Height);
        for (const double x : Edges) FRules.emplace_back(x, Top, x, Top + Height);
    }

    void Room(double Height)
    {
        if (FY > 0 && FY + Height > FBottom) NewPage();
    }

    void EndPage()
    {
        FPainter.setPen(QPen(RuleColour, 1));
        FPainter.drawLines(FRules.data(), static_cast<int>(FRules.size()));
        FRules.clear();
        const QRectF footer(0, FBottom + FooterHeight - FSmall.Metrics.height(), FWidth, FSmall.Metrics.height());
        FPainter.setFont(FSmall.Font);
        FPainter.setPen(FSmall.Colour);
        FPainter.drawText(footer, Qt::AlignLeft, FFooter);
        FPainter.drawText(footer, Qt::AlignRight, QString("Page %1").arg(FPageNo));
    }

    void NewPage()
    {
        EndPage();
        FWriter.newPage();
        ++FPageNo;
        FY = 0;
    }

    QPdfWriter& FWriter;
    QPainter FPainter;
    const double FWidth;
    const double FBottom;
    const QString FFooter;
    const TType FTitle, FSubtitle, FSection, FPage, FBody, FBold, FNote, FSmall;
    double FY = 0;
    int FPageNo = 1;
    std::vector<QLineF> FRules;
};

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

bool ReportPdf(const TReportDocument& Report, std::string& Pdf, std::string& Error)
{
    const THeadlessApplication application;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(Text(Report.Title));
        writer.setCreator(QStringLiteral("kvxconf ") + ProgramVersion);
        writer.setResolution(Resolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter));
        TPdfPages pages(writer, Report);
        for (const TReportPart& part : Report.Parts) pages.Add(part);
        pages.Finish();
    }
    if (buffer.data().isEmpty()) {
        Error = "Qt's PDF writer made nothing";
        return false;
    }
    Pdf = buffer.data().toStdString();
    return true;
}

} // namespace kvx

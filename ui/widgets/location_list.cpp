#include "ui/widgets/location_list.h"

#include <QAbstractListModel>
#include <QFontMetricsF>
#include <QLabel>
#include <QListView>

namespace kvx::ui {

class TLocationListModel : public QAbstractListModel {
public:
    // LineOf(i): the line of location i (0-based), from the page's record as it is now.
    TLocationListModel(int Count, std::function<QString(int)> LineOf, QObject* Parent);

    int rowCount(const QModelIndex& Parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& Index, int Role) const override;
    void LineChanged(int Index);
    void AllLinesChanged();

private:
    int FCount;
    std::function<QString(int)> FLineOf;
};

TLocationListModel::TLocationListModel(int Count, std::function<QString(int)> LineOf, QObject* Parent)
    : QAbstractListModel(Parent), FCount(Count), FLineOf(std::move(LineOf))
{
}

int TLocationListModel::rowCount(const QModelIndex& Parent) const
{
    return Parent.isValid() ? 0 : FCount;
}

QVariant TLocationListModel::data(const QModelIndex& Index, int Role) const
{
    if (Role != Qt::DisplayRole || !Index.isValid() || Index.row() >= FCount) return {};
    return FLineOf(Index.row());
}

void TLocationListModel::LineChanged(int Index)
{
    if (Index < 0 || Index >= FCount) return;
    const QModelIndex at = index(Index);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

void TLocationListModel::AllLinesChanged()
{
    emit dataChanged(index(0), index(FCount - 1), {Qt::DisplayRole});
}

QFont LocationListFont()
{
    // The columns line up only in a fixed-pitch face. Not every system maps "Courier" to one
    // (Wine maps it to a proportional face), so the usual fixed-pitch faces come next.
    QFont font;
    font.setFamilies({QStringLiteral("Courier"), QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono"),
                      QStringLiteral("Liberation Mono")});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(12);
    return font;
}

QWidget* NewColumnHeads(QWidget* Parent, const char* Name, QPoint At, std::span<const TColumnHead> Heads)
{
    constexpr int HeadPixelSize = 10;
    constexpr int HeadHeight = 20;
    // Fractional: a whole-pixel width would drift off the lines' columns towards the right.
    const qreal characterWidth = QFontMetricsF(LocationListFont()).horizontalAdvance(u'0');
    QFont font = LocationListFont();
    font.setPixelSize(HeadPixelSize);
    auto* row = new QWidget(Parent);
    row->setObjectName(Name);
    int right = 0;
    for (const TColumnHead& head : Heads) {
        auto* label = new QLabel(QString::fromLatin1(head.Text), row);
        label->setFont(font);
        label->adjustSize();
        label->move(qRound(head.Column * characterWidth), (HeadHeight - label->height()) / 2);
        right = label->geometry().right() + 1;
    }
    row->setGeometry(At.x(), At.y(), right, HeadHeight);
    return row;
}

TLocationList::TLocationList(QWidget* Parent, const char* Name, int Count, std::function<QString(int)> LineOf,
                             const QRect& Geometry, std::function<void(int)> OnSelect)
    : View(new QListView(Parent)), FModel(new TLocationListModel(Count, std::move(LineOf), View)), FOnSelect(std::move(OnSelect))
{
    View->setObjectName(Name);
    View->setFont(LocationListFont());
    View->setUniformItemSizes(true);  // every line is one text line: no measuring 500 of them
    View->setSelectionMode(QAbstractItemView::SingleSelection);
    View->setEditTriggers(QAbstractItemView::NoEditTriggers);
    View->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    View->setStyleSheet(QStringLiteral("QListView { background: #191919; color: #FFFFFF; border: 1px solid #4A494A; "
                                       "selection-background-color: #007DB7; selection-color: #FFFFFF; }"
                                       "QListView::item { padding: 1px 0; }"));
    View->setModel(FModel);
    View->setGeometry(Geometry);
    FSelection = QObject::connect(View->selectionModel(), &QItemSelectionModel::currentRowChanged, View,
                     [this](const QModelIndex& Current) { FOnSelect(Current.row()); });
}

TLocationList::~TLocationList()
{
    QObject::disconnect(FSelection);  // the view outlives this member while the page goes
}

void TLocationList::LineChanged(int Index)
{
    FModel->LineChanged(Index);
}

void TLocationList::AllLinesChanged()
{
    FModel->AllLinesChanged();
}

int TLocationList::Selected() const
{
    return View->currentIndex().row();
}

void TLocationList::Select(int Index)
{
    const QModelIndex at = FModel->index(Index);
    if (!at.isValid()) return;
    if (View->currentIndex() == at)
        FOnSelect(Index);
    else
        View->setCurrentIndex(at);
    View->scrollTo(at);
}

} // namespace kvx::ui

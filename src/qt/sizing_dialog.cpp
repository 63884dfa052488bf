#include "qt/sizing_dialog.h"

#include <utility>
#include <vector>

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <QtMath>

#include "qt/look.h"

namespace kneebrace {

namespace {

// Beside a header's text, besides the style's margins: the headers are what the eye
// reads first.
constexpr int kHeaderAir = 20;

// A text's width as the sum of its characters' advances. The table's texts (figures,
// Latin letters, Han characters) need no shaping and the Song faces kern none of them,
// so the sum is the width a text layout gives; laying out each of the 583 texts would
// take longer than painting the table.
int Advance(const QFontMetricsF& metrics, const QString& text) {
    qreal width = 0;
    for (const QChar c : text) width += metrics.horizontalAdvance(c);
    return qCeil(width);
}

Qt::Alignment ToQtAlignment(SizingAlignment a) {
    switch (a) {
        case SizingAlignment::Left: return Qt::AlignLeft | Qt::AlignVCenter;
        case SizingAlignment::Centre: return Qt::AlignCenter;
        case SizingAlignment::Right: break;
    }
    return Qt::AlignRight | Qt::AlignVCenter;
}

}  // namespace

// The table's state as Qt's model: the rows in the state's order, their texts made
// Qt's once.
class SizingTableModel : public QAbstractTableModel {
public:
    SizingTableModel(SizingView view, QObject* parent)
        : QAbstractTableModel(parent), state_(std::move(view)) {
        texts_.reserve(state_.view().rows.size());
        for (const SizingViewRow& row : state_.view().rows) {
            std::vector<QString>& texts = texts_.emplace_back();
            for (const SizingCell& cell : row.cells) texts.push_back(FromUtf8(cell.text));
        }
    }

    SizingTable& state() { return state_; }
    const SizingTable& state() const { return state_; }

    const QString& TextAt(const QModelIndex& index) const {
        return texts_[state_.ViewRowAt(static_cast<std::size_t>(index.row()))]
                     [static_cast<std::size_t>(index.column())];
    }

    // The rows took their new places: every cell may show another size now.
    void Reordered() {
        emit dataChanged(index(0, 0), index(rowCount({}) - 1, columnCount({}) - 1),
                         {Qt::DisplayRole});
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(state_.size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(state_.columnCount());
    }

    // The texts for typing a size's first letters and for accessibility, and the
    // cells' tips; the cells themselves are drawn by SizingCellDelegate from the state.
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        if (role == Qt::DisplayRole) return TextAt(index);
        if (role == Qt::ToolTipRole) {
            const std::string& tip = state_.TipAt(static_cast<std::size_t>(index.row()),
                                                  static_cast<std::size_t>(index.column()));
            if (!tip.empty()) return FromUtf8(tip);
        }
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section < 0 ||
            section >= static_cast<int>(state_.columnCount()))
            return {};
        const auto column = static_cast<std::size_t>(section);
        if (role == Qt::DisplayRole) return FromUtf8(state_.view().headers[column]);
        if (role == Qt::ToolTipRole) return FromUtf8(state_.view().headerTips[column]);
        return {};
    }

private:
    SizingTable state_;
    std::vector<std::vector<QString>> texts_;  // by view row
};

namespace {

// Each cell on the ground and in the colour and weight the state gives it, its text
// aligned in one line. The style's own item painting would lay every text out for
// eliding and wrapping, and paint the selection in the system's highlight.
class SizingCellDelegate : public QStyledItemDelegate {
public:
    SizingCellDelegate(const SizingTableModel& model, const QFont& font, int margin,
                       QObject* parent)
        : QStyledItemDelegate(parent), model_(model), regular_(font), bold_(font), margin_(margin) {
        bold_.setBold(true);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const auto position = static_cast<std::size_t>(index.row());
        const auto column = static_cast<std::size_t>(index.column());
        const SizingCellLook look = model_.state().LookOf(position, column);
        painter->save();
        painter->fillRect(
            option.rect, look.ground ? Colour(*look.ground) : option.palette.color(QPalette::Base));
        painter->setPen(look.text ? Colour(*look.text) : option.palette.color(QPalette::Text));
        painter->setFont(look.bold ? bold_ : regular_);
        painter->drawText(option.rect.adjusted(margin_, 0, -margin_, 0),
                          int(ToQtAlignment(SizingColumnAlignment(column))) | Qt::TextSingleLine,
                          model_.TextAt(index));
        painter->restore();
    }

private:
    const SizingTableModel& model_;
    QFont regular_;
    QFont bold_;
    int margin_;  // beside the text, in each cell
};

}  // namespace

SizingDialog::SizingDialog(SizingView view, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SizingDialog"));
    setWindowTitle(FromUtf8(kSizingTitle));
    setModal(true);
    model_ = new SizingTableModel(std::move(view), this);
    const SizingTable& state = model_->state();

    inputs_ = new QLabel(FromUtf8(state.view().inputsLine), this);
    inputs_->setObjectName(QStringLiteral("sizingInputs"));
    inputs_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message_ = new QLabel(FromUtf8(state.view().message), this);
    message_->setObjectName(QStringLiteral("sizingMessage"));
    if (const std::optional<SizingColour> colour = state.MessageColour()) {
        QPalette palette = message_->palette();
        palette.setColor(QPalette::WindowText, Colour(*colour));
        message_->setPalette(palette);
    }

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("sizingTable"));
    const int cellMargin =
        table_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table_) + 1;
    table_->setItemDelegate(new SizingCellDelegate(*model_, table_->font(), cellMargin, table_));
    table_->setModel(model_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the table for the buttons; the arrows move within it.
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + kSizingRowRoom);
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);  // opens in catalogue order

    // The columns are measured once, from the texts; the style's own sizing would lay
    // out every cell.
    const int headerMargin = table_->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const QFont bold = [this] {
        QFont f = font();
        f.setBold(true);
        return f;
    }();
    const QFontMetricsF regularMetrics(font());
    const QFontMetricsF boldMetrics(bold);
    const std::vector<std::size_t> measured = model_->state().MeasureColumns(
        [&](const std::string& text, bool isBold) {
            return Advance(isBold ? boldMetrics : regularMetrics, FromUtf8(text));
        },
        // The style draws a header's text and its sort arrow inside its margins, the
        // arrow half the header's height wide; a cell's text inside the cell's margins,
        // the grid line beside it.
        SizingRoom{2 * cellMargin + 1, 2 * headerMargin + kHeaderAir,
                   header->sizeHint().height() / 2 + 2 * headerMargin});
    SizeColumns(measured);
    // Every column in full: the table is never narrower than its columns.
    int columns = 0;
    for (int width : state.ColumnWidths()) columns += width;
    table_->setMinimumWidth(columns + table_->verticalScrollBar()->sizeHint().width() +
                            2 * table_->frameWidth());
    table_->setMinimumHeight(header->sizeHint().height() +
                             static_cast<int>(kSizingRowsShown) *
                                 table_->verticalHeader()->defaultSectionSize() +
                             2 * table_->frameWidth());

    adopt_ = new QPushButton(FromUtf8(kSizingAdoptCaption), this);
    adopt_->setObjectName(QStringLiteral("sizingAdopt"));
    adopt_->setDefault(true);  // Enter in the table adopts the selected row
    cancel_ = new QPushButton(FromUtf8(kSizingCancelCaption), this);
    cancel_->setObjectName(QStringLiteral("sizingCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(adopt_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(inputs_);
    layout->addWidget(message_);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);

    if (const std::optional<std::size_t> start = state.selected())
        table_->setCurrentIndex(model_->index(static_cast<int>(*start), 0));
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& now, const QModelIndex& before) {
                SelectedRowChanged(now.row(), before.row());
            });
    connect(header, &QHeaderView::sectionClicked, this, &SizingDialog::SortBy);
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!index.isValid()) return;
        SelectedRowChanged(index.row(), -1);
        Adopt();
    });
    connect(adopt_, &QPushButton::clicked, this, &SizingDialog::Adopt);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    table_->setFocus();
}

const SizingTable& SizingDialog::table() const { return model_->state(); }

void SizingDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Only once the table has its height is there a middle to scroll the row to.
    if (shownOnce_) return;
    shownOnce_ = true;
    ShowSelection(true);
}

void SizingDialog::SizeColumns(const std::vector<std::size_t>& columns) {
    const std::vector<int> widths = model_->state().ColumnWidths();
    for (std::size_t c : columns)
        table_->horizontalHeader()->resizeSection(static_cast<int>(c), widths[c]);
}

void SizingDialog::SortBy(int column) {
    if (column < 0) return;
    SizingTable& state = model_->state();
    const std::vector<std::size_t> resized = state.ClickHeader(static_cast<std::size_t>(column));
    // Qt's header draws ▼ for its ascending order; the state's arrow is drawn as it says.
    const SizingArrow arrow = state.ArrowOn(static_cast<std::size_t>(column));
    table_->horizontalHeader()->setSortIndicator(
        column, arrow == SizingArrow::Up ? Qt::DescendingOrder : Qt::AscendingOrder);
    SizeColumns(resized);
    model_->Reordered();
    if (const std::optional<std::size_t> at = state.selected()) {
        table_->setCurrentIndex(model_->index(static_cast<int>(*at), 0));
        ShowSelection(false);
    }
}

void SizingDialog::SelectedRowChanged(int now, int before) {
    if (now < 0) return;
    model_->state().Select(static_cast<std::size_t>(now));
    // The rows' grounds follow the selection.
    for (int row : {before, now}) {
        if (row < 0) continue;
        table_->viewport()->update(0, table_->rowViewportPosition(row), table_->viewport()->width(),
                                   table_->rowHeight(row));
    }
}

void SizingDialog::ShowSelection(bool centre) {
    const int rowHeight = table_->verticalHeader()->defaultSectionSize();
    const int perPage = rowHeight > 0 ? table_->viewport()->height() / rowHeight : 0;
    const int top = std::max(0, table_->rowAt(0));
    const std::size_t first = model_->state().FirstRowShown(
        static_cast<std::size_t>(top), static_cast<std::size_t>(perPage), centre);
    table_->scrollTo(model_->index(static_cast<int>(first), 0), QAbstractItemView::PositionAtTop);
}

void SizingDialog::Adopt() {
    adopted_ = model_->state().SelectedDesignation();
    if (!adopted_.empty()) accept();
}

}  // namespace kneebrace

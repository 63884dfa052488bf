#include "qt/sizing_dialog.h"

#include <string_view>
#include <utility>
#include <vector>

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include "qt/look.h"

namespace kneebrace {

namespace {

const QColor kFailingText(255, 0, 0);
const QColor kLightestBackground(204, 255, 204);
const QColor kSelectedBackground(190, 215, 245);
constexpr int kRowsShown = 18;

// The selection would otherwise paint over what the table is for: red figures turn
// white and the lightest row's green vanishes. A selected cell keeps its own text colour
// on a pale blue, or on its own background a shade darker.
class KeepColoursWhenSelected : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QVariant background = index.data(Qt::BackgroundRole);
        option->palette.setColor(QPalette::Highlight, background.isValid()
                                                          ? background.value<QColor>().darker(115)
                                                          : kSelectedBackground);
        option->palette.setColor(QPalette::HighlightedText, option->palette.color(QPalette::Text));
    }
};

}  // namespace

// The view's rows in the order the last header click asked for. Qt would sort the cell
// texts ("9.5%" after "10.2%"); a click here orders by the view's own numeric keys.
class SizingTableModel : public QAbstractTableModel {
public:
    SizingTableModel(SizingView view, QObject* parent)
        : QAbstractTableModel(parent), view_(std::move(view)) {
        order_ = SortedSizingRows(view_, kSizingColumnCount, false);  // catalogue order
    }

    const SizingView& view() const { return view_; }
    std::size_t ViewRow(int tableRow) const {
        return order_.at(static_cast<std::size_t>(tableRow));
    }
    int TableRow(std::size_t viewRow) const {
        for (std::size_t i = 0; i < order_.size(); ++i)
            if (order_[i] == viewRow) return static_cast<int>(i);
        return -1;
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(order_.size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(kSizingColumnCount);
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        const SizingViewRow& row = view_.rows[ViewRow(index.row())];
        const SizingCell& cell = row.cells[static_cast<std::size_t>(index.column())];
        const bool lightest = view_.lightest == ViewRow(index.row());
        switch (role) {
            case Qt::DisplayRole: return FromUtf8(cell.text);
            case Qt::ForegroundRole: return cell.failing ? QVariant(kFailingText) : QVariant();
            case Qt::BackgroundRole: return lightest ? QVariant(kLightestBackground) : QVariant();
            case Qt::FontRole: {
                if (!lightest) return {};
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            case Qt::TextAlignmentRole: {
                // Figures line up on the right; the size and the verdict are words.
                if (index.column() == 0) return int(Qt::AlignLeft | Qt::AlignVCenter);
                if (index.column() == static_cast<int>(kSizingConclusionColumn))
                    return int(Qt::AlignCenter);
                return int(Qt::AlignRight | Qt::AlignVCenter);
            }
            default: return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section < 0 ||
            section >= static_cast<int>(kSizingColumnCount))
            return {};
        const auto column = static_cast<std::size_t>(section);
        switch (role) {
            case Qt::DisplayRole: return FromUtf8(view_.headers[column]);
            case Qt::ToolTipRole: return FromUtf8(view_.headerTips[column]);
            // A first click on a column puts its smallest figure at the top.
            case Qt::InitialSortOrderRole: return int(Qt::AscendingOrder);
            default: return {};
        }
    }

    void sort(int column, Qt::SortOrder order) override {
        // -1 (no column) is the catalogue's order, as the dialog opens.
        const std::size_t by = column < 0 ? kSizingColumnCount : static_cast<std::size_t>(column);
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        const std::vector<std::size_t> before = order_;
        order_ = SortedSizingRows(view_, by, order == Qt::DescendingOrder);
        // The current row and the selection follow their sizes to the new places.
        const QModelIndexList from = persistentIndexList();
        QModelIndexList to;
        to.reserve(from.size());
        for (const QModelIndex& index : from)
            to.append(this->index(TableRow(before[static_cast<std::size_t>(index.row())]),
                                  index.column()));
        changePersistentIndexList(from, to);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

private:
    SizingView view_;
    std::vector<std::size_t> order_;  // table row -> view row
};

SizingDialog::SizingDialog(SizingView view, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SizingDialog"));
    setWindowTitle(FromUtf8(kSizingTitle));
    setModal(true);
    model_ = new SizingTableModel(std::move(view), this);
    const SizingView& v = model_->view();

    inputs_ = new QLabel(FromUtf8(v.inputsLine), this);
    inputs_->setObjectName(QStringLiteral("sizingInputs"));
    inputs_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message_ = new QLabel(FromUtf8(v.message), this);
    message_->setObjectName(QStringLiteral("sizingMessage"));
    if (!v.lightest) {
        QPalette palette = message_->palette();
        palette.setColor(QPalette::WindowText, kFailingText);
        message_->setPalette(palette);
    }

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("sizingTable"));
    table_->setItemDelegate(new KeepColoursWhenSelected(table_));
    table_->setModel(model_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the table for the buttons; the arrows move within it.
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setSortIndicator(-1, Qt::AscendingOrder);  // opens in catalogue order
    table_->setSortingEnabled(true);
    table_->resizeColumnsToContents();
    // Every column in full: the table is never narrower than its columns.
    const int tableWidth = header->length() + table_->verticalScrollBar()->sizeHint().width() +
                           2 * table_->frameWidth();
    table_->setMinimumWidth(tableWidth);
    table_->setMinimumHeight(header->sizeHint().height() +
                             kRowsShown * table_->verticalHeader()->defaultSectionSize() +
                             2 * table_->frameWidth());

    adopt_ = new QPushButton(FromUtf8(kSizingAdoptCaption), this);
    adopt_->setObjectName(QStringLiteral("sizingAdopt"));
    adopt_->setDefault(true);  // Enter in the table adopts the current row
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

    connect(table_, &QTableView::doubleClicked, this, &SizingDialog::AdoptRow);
    connect(adopt_, &QPushButton::clicked, this, [this] { AdoptRow(table_->currentIndex()); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    // The lightest passing size is where the user starts; without one, the first row,
    // so that the arrows have somewhere to start from.
    const int start = v.lightest ? model_->TableRow(*v.lightest) : 0;
    table_->setCurrentIndex(model_->index(start, 0));
    table_->setFocus();
}

std::size_t SizingDialog::ViewRowAt(int tableRow) const { return model_->ViewRow(tableRow); }

void SizingDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Only once the table has its height is there a middle to scroll the row to.
    if (shownOnce_) return;
    shownOnce_ = true;
    table_->scrollTo(table_->currentIndex(), QAbstractItemView::PositionAtCenter);
}

void SizingDialog::AdoptRow(const QModelIndex& index) {
    if (!index.isValid()) return;
    adopted_ = model_->view().rows[model_->ViewRow(index.row())].designation;
    accept();
}

}  // namespace kneebrace

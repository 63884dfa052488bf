#include "qt/member_list_dialog.h"

#include <algorithm>
#include <vector>

#include <QBrush>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "qt/look.h"

namespace kneebrace {

namespace {

QPushButton* Button(QWidget* parent, const QString& text, const char* name, QBoxLayout& row) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    row.addWidget(button);
    return button;
}

}  // namespace

MemberListDialog::MemberListDialog(window::ProjectSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("memberList"));
    setWindowTitle(QStringLiteral("构件列表"));
    table_ = new QTableWidget(0, 2, this);
    table_->setObjectName(QStringLiteral("members"));
    table_->setHorizontalHeaderLabels({QStringLiteral("构件"), QStringLiteral("结论")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(true);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    table_->setMinimumSize(520, 260);

    auto* buttons = new QHBoxLayout;
    open_ = Button(this, QStringLiteral("打开"), "openMember", *buttons);
    rename_ = Button(this, QStringLiteral("改名…"), "renameMember", *buttons);
    delete_ = Button(this, QStringLiteral("删除"), "deleteMember", *buttons);
    up_ = Button(this, QStringLiteral("上移"), "moveUp", *buttons);
    down_ = Button(this, QStringLiteral("下移"), "moveDown", *buttons);
    buttons->addStretch();
    QPushButton* close = Button(this, QStringLiteral("关闭"), "closeList", *buttons);
    open_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(buttons);

    connect(open_, &QPushButton::clicked, this, &MemberListDialog::OpenSelected);
    connect(table_, &QTableWidget::cellDoubleClicked, this, &MemberListDialog::OpenSelected);
    connect(rename_, &QPushButton::clicked, this, &MemberListDialog::RenameSelected);
    connect(delete_, &QPushButton::clicked, this, &MemberListDialog::DeleteSelected);
    connect(up_, &QPushButton::clicked, this, [this] { MoveSelected(true); });
    connect(down_, &QPushButton::clicked, this, [this] { MoveSelected(false); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(table_, &QTableWidget::itemSelectionChanged, this, &MemberListDialog::FollowSelection);

    const std::optional<std::size_t> current = session_.currentMember();
    Fill(current ? static_cast<int>(*current) : 0);
}

int MemberListDialog::selectedRow() const {
    const QList<QTableWidgetSelectionRange> ranges = table_->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.front().topRow();
}

void MemberListDialog::selectRow(int row) { table_->selectRow(row); }

void MemberListDialog::Fill(int row) {
    const std::vector<window::MemberRow> rows = session_.MemberRows();
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < table_->rowCount(); ++i) {
        const window::MemberRow& r = rows[static_cast<std::size_t>(i)];
        auto* name = new QTableWidgetItem(FromUtf8(r.name));
        auto* verdict = new QTableWidgetItem(FromUtf8(r.verdict));
        if (!r.passes) verdict->setForeground(QBrush(Qt::red));
        // The member the window holds, in bold.
        QFont font = name->font();
        font.setBold(r.current);
        name->setFont(font);
        table_->setItem(i, 0, name);
        table_->setItem(i, 1, verdict);
    }
    if (table_->rowCount() > 0) table_->selectRow(std::clamp(row, 0, table_->rowCount() - 1));
    FollowSelection();
}

void MemberListDialog::FollowSelection() {
    const int row = selectedRow();
    for (QPushButton* b : {open_, rename_, delete_}) b->setEnabled(row >= 0);
    up_->setEnabled(row > 0);
    down_->setEnabled(row >= 0 && row + 1 < table_->rowCount());
}

void MemberListDialog::OpenSelected() {
    const int row = selectedRow();
    if (row < 0) return;
    session_.OpenMember(static_cast<std::size_t>(row));
    accept();
}

void MemberListDialog::RenameSelected() {
    const int row = selectedRow();
    if (row < 0) return;
    session_.RenameMember(static_cast<std::size_t>(row));
    Fill(row);
}

void MemberListDialog::DeleteSelected() {
    const int row = selectedRow();
    if (row < 0) return;
    session_.DeleteMember(static_cast<std::size_t>(row));
    Fill(row);
}

void MemberListDialog::MoveSelected(bool up) {
    const int row = selectedRow();
    if (row < 0) return;
    const auto place = static_cast<std::size_t>(row);
    if (up) session_.MoveMemberUp(place);
    else session_.MoveMemberDown(place);
    Fill(up ? row - 1 : row + 1);
}

}  // namespace kneebrace

#include "qt/member_list_dialog.h"

#include <vector>

#include <QBrush>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "qt/look.h"

namespace kneebrace {

using window::MemberCommand;

MemberListDialog::MemberListDialog(window::ProjectSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("memberList"));
    setWindowTitle(FromUtf8(window::kMemberListTitle));
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

    auto* row = new QHBoxLayout;
    for (const window::MemberButton& b : window::MemberListButtons()) {
        // 关闭 stands apart at the right.
        if (b.command == MemberCommand::Close) row->addStretch();
        auto* button = new QPushButton(FromUtf8(b.caption), this);
        button->setObjectName(FromUtf8(b.name));
        button->setAutoDefault(false);
        button->setDefault(b.command == MemberCommand::Open);
        row->addWidget(button);
        const MemberCommand command = b.command;
        connect(button, &QPushButton::clicked, this, [this, command] { Act(command); });
        buttons_[command] = button;
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(row);

    connect(table_, &QTableWidget::cellDoubleClicked, this, [this] { Act(MemberCommand::Open); });
    connect(table_, &QTableWidget::itemSelectionChanged, this, &MemberListDialog::FollowSelection);
    Fill(window::FirstMemberRow(session_));
}

int MemberListDialog::selectedRow() const {
    const QList<QTableWidgetSelectionRange> ranges = table_->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.front().topRow();
}

void MemberListDialog::selectRow(int row) { table_->selectRow(row); }

void MemberListDialog::Fill(std::optional<std::size_t> row) {
    const std::vector<window::MemberRow> rows = session_.MemberRows();
    table_->clearSelection();
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
    if (row) table_->selectRow(static_cast<int>(*row));
    FollowSelection();
}

void MemberListDialog::FollowSelection() {
    const int row = selectedRow();
    const std::optional<std::size_t> selected =
        row < 0 ? std::nullopt : std::optional<std::size_t>(row);
    for (const auto& [command, button] : buttons_)
        button->setEnabled(window::MemberButtonEnabled(
            command, selected, static_cast<std::size_t>(table_->rowCount())));
}

void MemberListDialog::Act(MemberCommand command) {
    const int row = selectedRow();
    const window::MemberListNext next = window::ActOnMember(
        session_, command, row < 0 ? std::nullopt : std::optional<std::size_t>(row));
    if (!next.close) {
        if (next.refill) Fill(next.select);
    } else if (command == MemberCommand::Open) accept();
    else reject();
}

}  // namespace kneebrace

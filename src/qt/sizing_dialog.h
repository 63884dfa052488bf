// The angle sizing dialog: every catalogue size against the window's inputs, one row
// each, the lightest passing size marked and selected. It only shows the content the
// window's shared code built and tells the window which row the user adopted.
#pragma once

#include <cstddef>
#include <string>

#include <QDialog>

#include "window/sizing_view.h"

class QLabel;
class QModelIndex;
class QPushButton;
class QTableView;

namespace kneebrace {

class SizingTableModel;

class SizingDialog : public QDialog {
    Q_OBJECT

public:
    explicit SizingDialog(SizingView view, QWidget* parent = nullptr);

    // The designation of the row adopted (double-click, Enter or 选用); empty while the
    // dialog is open and after 取消.
    const std::string& adopted() const { return adopted_; }

    // The view's row shown at the table's row `tableRow` in the current sort order.
    std::size_t ViewRowAt(int tableRow) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void AdoptRow(const QModelIndex& index);

    SizingTableModel* model_ = nullptr;
    QLabel* inputs_ = nullptr;
    QLabel* message_ = nullptr;
    QTableView* table_ = nullptr;
    QPushButton* adopt_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::string adopted_;
    bool shownOnce_ = false;
};

}  // namespace kneebrace

// The angle sizing dialog: every catalogue size against the window's inputs, one row
// each, the lightest passing size marked and selected. It draws the table's state the
// window's shared code keeps (order, selection, colours, widths) and tells the window
// which row the user adopted.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <QDialog>

#include "window/sizing_view.h"

class QLabel;
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

    // What the table shows: its order, selection and colours.
    const SizingTable& table() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The given columns to the state's widths: a width the user dragged stays unless the
    // sort arrow comes or goes.
    void SizeColumns(const std::vector<std::size_t>& columns);
    void SortBy(int column);
    void SelectedRowChanged(int now, int before);
    void ShowSelection(bool centre);
    void Adopt();

    SizingTableModel* model_ = nullptr;  // holds the table's state
    QLabel* inputs_ = nullptr;
    QLabel* message_ = nullptr;
    QTableView* table_ = nullptr;
    QPushButton* adopt_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::string adopted_;
    bool shownOnce_ = false;
};

}  // namespace kneebrace

// 构件列表: the project's members with their verdicts, calculated afresh each time the
// list is filled, and the commands on the selected one: open (into the window, which
// calculates it; the dialog closes), rename, delete, move up and down.
#pragma once

#include <QDialog>

#include "window/project_session.h"

class QPushButton;
class QTableWidget;

namespace kneebrace {

class MemberListDialog : public QDialog {
    Q_OBJECT

public:
    MemberListDialog(window::ProjectSession& session, QWidget* parent = nullptr);

    // The selected member's place; -1 when none is selected.
    int selectedRow() const;
    void selectRow(int row);

    void OpenSelected();
    void RenameSelected();
    void DeleteSelected();
    void MoveSelected(bool up);

private:
    // Fills the table from the session and selects `row` (kept within the list).
    void Fill(int row);
    void FollowSelection();

    window::ProjectSession& session_;
    QTableWidget* table_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* rename_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
};

}  // namespace kneebrace

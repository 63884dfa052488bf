// 构件列表: the project's members with their verdicts, calculated afresh each time the
// list is filled, and the buttons of the shared member list, enabled as the selection
// allows: open (into the window, which calculates it; the dialog closes), rename,
// delete, move up and down.
#pragma once

#include <map>

#include <QDialog>

#include "window/project_dialogs.h"

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

private:
    // Fills the table from the session and selects `row`, if any.
    void Fill(std::optional<std::size_t> row);
    void FollowSelection();
    void Act(window::MemberCommand command);

    window::ProjectSession& session_;
    QTableWidget* table_ = nullptr;
    std::map<window::MemberCommand, QPushButton*> buttons_;
};

}  // namespace kneebrace

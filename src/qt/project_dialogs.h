// The project's dialogs on Qt: the unsaved-changes prompt, the file dialogs, a member's
// name, the project's fields, the member list, messages, help and about; and the writer
// that puts a project file on the disk whole or not at all. The main window takes them
// as a set of functions, so that tests can answer them.
#pragma once

#include <functional>
#include <optional>

#include <QByteArray>
#include <QString>

#include "window/project_session.h"

class QWidget;

namespace kneebrace {

struct ProjectDialogs {
    // 保存/不保存/取消 for the project named.
    std::function<window::UnsavedChoice(QWidget* parent, const QString& projectName)> askUnsaved;
    // The file to open, starting in `folder`; empty when cancelled.
    std::function<QString(QWidget* parent, const QString& folder)> chooseOpen;
    // Where to save, starting from `suggestedPath`; empty when cancelled.
    std::function<QString(QWidget* parent, const QString& suggestedPath)> chooseSave;
    // A member's name, starting from `suggested`; nothing when cancelled.
    std::function<std::optional<QString>(QWidget* parent, const QString& title,
                                         const QString& suggested)>
        askName;
    // The 工程信息 dialog; nothing when cancelled.
    std::function<std::optional<window::ProjectInfo>(QWidget* parent,
                                                     const window::ProjectInfo& info)>
        editInfo;
    // The 构件列表 dialog, modal, working on the session.
    std::function<void(QWidget* parent, window::ProjectSession& session)> memberList;
    // Tells the user why a command could not be carried out.
    std::function<void(QWidget* parent, const QString& title, const QString& message)> report;
    // Whether to replace the existing file at `path`, which the save dialog did not ask.
    std::function<bool(QWidget* parent, const QString& path)> confirmReplace;
};

// The program's dialogs: message boxes with Chinese buttons, QFileDialog, the member
// list and the project's fields.
ProjectDialogs SystemProjectDialogs();

// 使用说明 and 关于, modal over the window.
void ShowHelp(QWidget* parent);
void ShowAbout(QWidget* parent);

// Writes `bytes` to a temporary file beside `path` and gives it the name only once every
// byte is written and flushed; on any failure the temporary file is removed and a file
// already at `path` keeps its bytes. False on failure.
bool WriteWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace kneebrace

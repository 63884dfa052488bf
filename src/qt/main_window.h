// The program's top-level window: the menu bar over the calculator's window, which keeps
// its client area unchanged below it, and the project commands behind the menus. The
// menus are built from the shared menu table; the project session decides what each
// project command does and asks this window for its files and dialogs.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <QMainWindow>
#include <QString>

#include "qt/form15.h"
#include "qt/project_dialogs.h"
#include "qt/report_menu.h"
#include "window/main_menu.h"
#include "window/project_session.h"

class QAction;

namespace kneebrace {

class MainWindow : public QMainWindow, private window::ProjectView {
    Q_OBJECT

public:
    explicit MainWindow(ProjectDialogs projectDialogs = SystemProjectDialogs(),
                        FaultReporter reportFault = MessageBoxReporter(),
                        ReportDialogs reportDialogs = SystemReportDialogs());
    ~MainWindow() override;

    Form15& form() const { return *form_; }
    window::ProjectSession& session() const { return *session_; }
    // The menu item of a command.
    QAction* action(window::MenuCommand command) const { return actions_.at(command); }

protected:
    // Unsaved changes are settled first; 取消 keeps the window open.
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    QString StartFolder() const;

    void SetCaption(std::string_view utf8) override;
    void EnableCommand(window::MenuCommand command, bool enabled) override;
    window::UnsavedChoice AskUnsaved(std::string_view projectName) override;
    std::optional<std::string> ChooseProjectToOpen() override;
    std::optional<std::string> ChooseProjectToSave(std::string_view suggestedName) override;
    std::optional<std::string> ReadFile(const std::string& path) override;
    bool ReplaceFile(const std::string& path, std::string_view bytes) override;
    bool MayReplace(const std::string& path) override;
    std::optional<std::string> AskMemberName(std::string_view title,
                                             std::string_view suggested) override;
    std::optional<window::ProjectInfo> EditProjectInfo(const window::ProjectInfo& info) override;
    void RunMemberList(window::ProjectSession& session) override;
    void ShowProjectMessage(const window::FaultMessage& message) override;
    void PrintProjectBook(const window::Project& project, std::string_view suggestedName) override;
    void ExportProjectBook(const window::Project& project, std::string_view suggestedName) override;

    ProjectDialogs dialogs_;
    Form15* form_ = nullptr;
    std::unique_ptr<window::ProjectSession> session_;
    // The project as it stood when the user let the desktop session end with it unsaved
    // (不保存): closing for that ending asks no second time while it is unchanged.
    std::optional<std::string> answeredAtLogout_;
    std::map<window::MenuCommand, QAction*> actions_;
    QString folder_;  // the folder of the last project opened or saved while the program runs
};

}  // namespace kneebrace

#include "qt/main_window.h"

#include <utility>

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QSessionManager>
#include <QStandardPaths>

#include "qt/look.h"
#include "window/project_file.h"
#include "window/report_book.h"

namespace kneebrace {

using window::MenuCommand;

namespace {

QString FromPath(const std::string& path) {
    return QString::fromUtf8(path.data(), qsizetype(path.size()));
}

}  // namespace

MainWindow::MainWindow(ProjectDialogs projectDialogs, FaultReporter reportFault,
                       ReportDialogs reportDialogs)
    : dialogs_(std::move(projectDialogs)) {
    setObjectName(QStringLiteral("MainWindow"));
    form_ = new Form15(std::move(reportFault), std::move(reportDialogs), this);
    setCentralWidget(form_);
    setWindowIcon(form_->windowIcon());
    session_ = std::make_unique<window::ProjectSession>(static_cast<ProjectView&>(*this),
                                                        form_->presenter());
    form_->reportMenu().SetHeadingSource([this] { return session_->Heading(); });
#if QT_CONFIG(sessionmanager)
    // Logging out closes no window by itself: the unsaved prompt is asked here, and 取消
    // or a failed save keeps the desktop session going.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (!session_->dirty() || !manager.allowsInteraction()) return;
        const bool mayEnd = session_->MayClose();
        manager.release();
        if (!mayEnd) manager.cancel();
        else answeredAtLogout_ = window::WriteProject(session_->project());
    });
#endif
    BuildMenus();
    // The calculator's area keeps its fixed size: the window is that and the menu bar.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    session_->Refresh();
}

MainWindow::~MainWindow() = default;

void MainWindow::PrintProjectBook(const window::Project& project, std::string_view suggestedName) {
    form_->reportMenu().PrintBook(ProjectBook(project), std::string(suggestedName));
}

void MainWindow::ExportProjectBook(const window::Project& project, std::string_view suggestedName) {
    form_->reportMenu().ExportBook(ProjectBook(project), std::string(suggestedName));
}

void MainWindow::BuildMenus() {
    QMenu* menu = nullptr;
    for (const window::MenuItem& item : window::MainMenu()) {
        const QString title = FromUtf8(item.menu);
        if (menu == nullptr || menu->title() != title) menu = menuBar()->addMenu(title);
        if (item.separatorBefore) menu->addSeparator();
        QAction* action = nullptr;
        // The member's book: the report box's own commands, greyed until there is a report.
        if (item.command == MenuCommand::PrintReport)
            action = form_->findChild<QAction*>(QStringLiteral("printReport"));
        else if (item.command == MenuCommand::ExportPdf)
            action = form_->findChild<QAction*>(QStringLiteral("exportPdf"));
        if (action == nullptr) {
            action = new QAction(FromUtf8(item.caption), this);
            action->setShortcut(QKeySequence(FromUtf8(item.shortcut)));
            action->setShortcutContext(Qt::WindowShortcut);
            addAction(action);
            const MenuCommand command = item.command;
            connect(action, &QAction::triggered, this, [this, command] {
                switch (command) {
                    case MenuCommand::Exit: close(); break;
                    case MenuCommand::Help: ShowHelp(this); break;
                    case MenuCommand::About: ShowAbout(this); break;
                    default: session_->Run(command); break;
                }
            });
        }
        menu->addAction(action);
        actions_[item.command] = action;
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    const bool answered =
        answeredAtLogout_ && *answeredAtLogout_ == window::WriteProject(session_->project());
    if (answered || session_->MayClose()) event->accept();
    else event->ignore();
}

QString MainWindow::StartFolder() const {
    if (!folder_.isEmpty()) return folder_;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void MainWindow::SetCaption(std::string_view utf8) { setWindowTitle(FromUtf8(utf8)); }

void MainWindow::EnableCommand(MenuCommand command, bool enabled) {
    if (const auto it = actions_.find(command); it != actions_.end())
        it->second->setEnabled(enabled);
}

window::UnsavedChoice MainWindow::AskUnsaved(std::string_view projectName) {
    return dialogs_.askUnsaved(this, FromUtf8(projectName));
}

std::optional<std::string> MainWindow::ChooseProjectToOpen() {
    const QString path = dialogs_.chooseOpen(this, StartFolder());
    if (path.isEmpty()) return std::nullopt;
    // The session quotes the path in its messages as the user knows it.
    return QDir::toNativeSeparators(path).toStdString();
}

std::optional<std::string> MainWindow::ChooseProjectToSave(std::string_view suggestedName) {
    const QString path =
        dialogs_.chooseSave(this, QDir(StartFolder()).filePath(FromUtf8(suggestedName)));
    if (path.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(path).toStdString();
}

std::optional<std::string> MainWindow::ReadFile(const std::string& path) {
    QFile file(FromPath(path));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    folder_ = QFileInfo(file).absolutePath();
    return bytes.toStdString();
}

bool MainWindow::ReplaceFile(const std::string& path, std::string_view bytes) {
    const QString file = FromPath(path);
    if (!WriteWholeFile(file, QByteArray(bytes.data(), qsizetype(bytes.size())))) return false;
    folder_ = QFileInfo(file).absolutePath();
    return true;
}

bool MainWindow::MayReplace(const std::string& path) {
    return !QFileInfo::exists(FromPath(path)) || dialogs_.confirmReplace(this, FromUtf8(path));
}

std::optional<std::string> MainWindow::AskMemberName(std::string_view title,
                                                     std::string_view suggested) {
    const std::optional<QString> name =
        dialogs_.askName(this, FromUtf8(title), FromUtf8(suggested));
    if (!name) return std::nullopt;
    return name->toStdString();
}

std::optional<window::ProjectInfo> MainWindow::EditProjectInfo(const window::ProjectInfo& info) {
    return dialogs_.editInfo(this, info);
}

void MainWindow::RunMemberList(window::ProjectSession& session) {
    dialogs_.memberList(this, session);
}

void MainWindow::ShowProjectMessage(const window::FaultMessage& message) {
    dialogs_.report(this, FromUtf8(message.title), FromUtf8(message.text));
}

}  // namespace kneebrace

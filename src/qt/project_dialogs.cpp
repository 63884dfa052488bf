#include "qt/project_dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include "qt/look.h"
#include "qt/member_list_dialog.h"
#include "window/main_menu.h"

namespace kneebrace {

namespace {

const QString kProjectFilter = QStringLiteral("隅撑工程 (*.kbproj)");

std::string ToUtf8(const QString& text) { return text.toUtf8().toStdString(); }

// OK and Cancel in Chinese even where Qt's translation is not installed.
void ChineseButtons(QDialogButtonBox& buttons) {
    buttons.button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons.button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
}

window::UnsavedChoice AskUnsaved(QWidget* parent, const QString& projectName) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("工程未保存"),
                    QStringLiteral("工程“%1”有未保存的修改。\n是否保存？").arg(projectName),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Save)->setText(QStringLiteral("保存"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("不保存"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save: return window::UnsavedChoice::Save;
        case QMessageBox::Discard: return window::UnsavedChoice::Discard;
        default: return window::UnsavedChoice::Cancel;
    }
}

QString ChooseOpen(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent, QStringLiteral("打开工程"), folder, kProjectFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

QString ChooseSave(QWidget* parent, const QString& suggestedPath) {
    const QFileInfo suggested(suggestedPath);
    QFileDialog dialog(parent, QStringLiteral("保存工程"), suggested.path(), kProjectFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("kbproj"));
    dialog.selectFile(suggested.fileName());
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

std::optional<QString> AskName(QWidget* parent, const QString& title, const QString& suggested) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(QStringLiteral("构件名称："));
    dialog.setTextValue(suggested);
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

// The project's four fields, one line each.
std::optional<window::ProjectInfo> EditInfo(QWidget* parent, const window::ProjectInfo& info) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("projectInfo"));
    dialog.setWindowTitle(QStringLiteral("工程信息"));
    auto* form = new QFormLayout;
    const auto field = [&](const char* name, const QString& label, const std::string& value) {
        auto* edit = new QLineEdit(FromUtf8(value), &dialog);
        edit->setObjectName(QLatin1String(name));
        edit->setMinimumWidth(280);
        form->addRow(label, edit);
        return edit;
    };
    QLineEdit* name = field("projectName", QStringLiteral("工程名称："), info.name);
    QLineEdit* designer = field("designer", QStringLiteral("计算："), info.designer);
    QLineEdit* checker = field("checker", QStringLiteral("校对："), info.checker);
    QLineEdit* reviewer = field("reviewer", QStringLiteral("审核："), info.reviewer);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    ChineseButtons(*buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return window::ProjectInfo{ToUtf8(name->text()), ToUtf8(designer->text()),
                               ToUtf8(checker->text()), ToUtf8(reviewer->text())};
}

void Report(QWidget* parent, const QString& title, const QString& message) {
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

}  // namespace

ProjectDialogs SystemProjectDialogs() {
    return {AskUnsaved,
            ChooseOpen,
            ChooseSave,
            AskName,
            EditInfo,
            [](QWidget* parent, window::ProjectSession& session) {
                MemberListDialog dialog(session, parent);
                dialog.exec();
            },
            Report};
}

void ShowHelp(QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("help"));
    dialog.setWindowTitle(QStringLiteral("使用说明"));
    auto* text = new QPlainTextEdit(FromUtf8(window::HelpText()), &dialog);
    text->setReadOnly(true);
    text->setMinimumSize(560, 420);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog.exec();
}

void ShowAbout(QWidget* parent) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("关于"),
                    QStringLiteral("角钢隅撑计算 kneebrace\n版本 %1\n\n"
                                   "门式刚架隅撑（单角钢）的计算程序。\n"
                                   "以 MIT 许可证发布。")
                        .arg(QStringLiteral(KNEEBRACE_VERSION)),
                    QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty() || QFileInfo(path).isDir()) return false;
    // QSaveFile writes beside the target and renames on commit; whatever fails before
    // that removes the temporary file, and the old file of that name stays as it was.
    // Every step's result is checked: a short write on a full disk leaves no error
    // behind on its own.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size() || !file.flush() ||
        file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace kneebrace

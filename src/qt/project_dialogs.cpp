#include "qt/project_dialogs.h"

#include <map>
#include <vector>

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
#include "window/project_dialogs.h"
#include "window/project_file.h"

namespace kneebrace {

namespace {

std::string ToUtf8(const QString& text) { return text.toUtf8().toStdString(); }

// OK and Cancel in Chinese even where Qt's translation is not installed.
void ChineseButtons(QDialogButtonBox& buttons) {
    buttons.button(QDialogButtonBox::Ok)->setText(FromUtf8(window::kOkCaption));
    buttons.button(QDialogButtonBox::Cancel)->setText(FromUtf8(window::kCancelCaption));
}

window::UnsavedChoice AskUnsaved(QWidget* parent, const QString& projectName) {
    QMessageBox box(QMessageBox::Warning, FromUtf8(window::kUnsavedTitle),
                    FromUtf8(window::UnsavedText(projectName.toStdString())), QMessageBox::NoButton,
                    parent);
    std::map<QAbstractButton*, window::UnsavedChoice> choices;
    for (const window::UnsavedButton& b : window::UnsavedButtons()) {
        const auto role = b.choice == window::UnsavedChoice::Save ? QMessageBox::AcceptRole
                          : b.choice == window::UnsavedChoice::Discard
                              ? QMessageBox::DestructiveRole
                              : QMessageBox::RejectRole;
        QPushButton* button = box.addButton(FromUtf8(b.caption), role);
        if (choices.empty()) box.setDefaultButton(button);
        choices[button] = b.choice;
    }
    box.exec();
    const auto it = choices.find(box.clickedButton());
    return it == choices.end() ? window::UnsavedChoice::Cancel : it->second;
}

// The file dialogs' filter: the name with its pattern, which Qt reads from the brackets.
QString ProjectFilter() { return FromUtf8(window::kProjectFilterName); }

QString ChooseOpen(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent, FromUtf8(window::kOpenProjectTitle), folder, ProjectFilter());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

QString ChooseSave(QWidget* parent, const QString& suggestedPath) {
    const QFileInfo suggested(suggestedPath);
    QFileDialog dialog(parent, FromUtf8(window::kSaveProjectTitle), suggested.path(),
                       ProjectFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(FromUtf8(window::kProjectFileExtension.substr(1)));
    dialog.selectFile(suggested.fileName());
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

std::optional<QString> AskName(QWidget* parent, const QString& title, const QString& suggested) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(FromUtf8(window::kMemberNameLabel));
    dialog.setTextValue(suggested);
    dialog.setOkButtonText(FromUtf8(window::kOkCaption));
    dialog.setCancelButtonText(FromUtf8(window::kCancelCaption));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

// The project's fields, one line each.
std::optional<window::ProjectInfo> EditInfo(QWidget* parent, const window::ProjectInfo& info) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("projectInfo"));
    dialog.setWindowTitle(FromUtf8(window::kProjectInfoTitle));
    auto* form = new QFormLayout;
    std::vector<QLineEdit*> edits;
    for (const window::InfoField& f : window::ProjectInfoFields()) {
        auto* edit = new QLineEdit(FromUtf8(info.*f.text), &dialog);
        edit->setObjectName(FromUtf8(f.name));
        edit->setMinimumWidth(280);
        form->addRow(FromUtf8(f.label), edit);
        edits.push_back(edit);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    ChineseButtons(*buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    window::ProjectInfo edited;
    for (std::size_t i = 0; i < edits.size(); ++i)
        edited.*window::ProjectInfoFields()[i].text = ToUtf8(edits[i]->text());
    return edited;
}

void Report(QWidget* parent, const QString& title, const QString& message) {
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(FromUtf8(window::kOkCaption));
    box.exec();
}

bool ConfirmReplace(QWidget* parent, const QString& path) {
    QMessageBox box(QMessageBox::Warning, FromUtf8(window::kReplaceTitle),
                    FromUtf8(window::ReplaceQuestion(path.toStdString())), QMessageBox::NoButton,
                    parent);
    QPushButton* yes = box.addButton(FromUtf8(window::kYesCaption), QMessageBox::YesRole);
    box.setDefaultButton(box.addButton(FromUtf8(window::kNoCaption), QMessageBox::NoRole));
    box.exec();
    return box.clickedButton() == yes;
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
            Report,
            ConfirmReplace};
}

void ShowHelp(QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("help"));
    dialog.setWindowTitle(FromUtf8(window::kHelpTitle));
    auto* text = new QPlainTextEdit(FromUtf8(window::HelpText()), &dialog);
    text->setReadOnly(true);
    text->setMinimumSize(560, 420);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    buttons->button(QDialogButtonBox::Close)->setText(FromUtf8(window::kCloseCaption));
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog.exec();
}

void ShowAbout(QWidget* parent) {
    QMessageBox box(QMessageBox::Information, FromUtf8(window::kAboutTitle),
                    FromUtf8(window::AboutText()), QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(FromUtf8(window::kOkCaption));
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

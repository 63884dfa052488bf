// The Qt window's menu bar and project files: the shortcuts reach their commands from
// any control, the calculator keeps its layout below the bar, a project saved under a
// Chinese name with blanks reopens with the same report, the member list dialog works
// the session, closing asks about unsaved changes, and a full disk keeps the old file.
#include <memory>
#include <optional>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "qt/look.h"
#include "qt/main_window.h"
#include "qt/member_list_dialog.h"
#include "small_disk.h"
#include "window/control_table.h"
#include "window/project_file.h"

using namespace kneebrace;
using window::MenuCommand;
using window::UnsavedChoice;

namespace {

// A main window whose dialogs the test answers; every dialog asked is recorded.
struct Fixture {
    QString savePath, openPath, memberName = "YC-1 刚架梁";
    UnsavedChoice unsaved = UnsavedChoice::Cancel;
    QStringList asked, messages;
    std::unique_ptr<MainWindow> window;

    Fixture() {
        ProjectDialogs d;
        d.askUnsaved = [this](QWidget*, const QString& name) {
            asked << "unsaved " + name;
            return unsaved;
        };
        d.chooseOpen = [this](QWidget*, const QString&) { return asked << "open", openPath; };
        d.chooseSave = [this](QWidget*, const QString&) { return asked << "save", savePath; };
        d.askName = [this](QWidget*, const QString&, const QString&) {
            asked << "name";
            return std::optional<QString>(memberName);
        };
        d.editInfo = [this](QWidget*, const window::ProjectInfo&) {
            asked << "info";
            return std::optional<window::ProjectInfo>({"一号厂房", "张三", "李四", "王五"});
        };
        d.memberList = [this](QWidget*, window::ProjectSession&) { asked << "list"; };
        d.report = [this](QWidget*, const QString& t, const QString& m) { messages << t + m; };
        ReportDialogs r;
        r.choosePdfFile = [this](QWidget*, const QString&) { return asked << "pdf", QString(); };
        r.setUpPrinter = [this](QWidget*, QPrinter&, int) { return asked << "print", false; };
        r.report = [](QWidget*, const QString&, const QString&) {};
        window = std::make_unique<MainWindow>(
            d, [](QWidget*, const QString&, const QString&) {}, r);
        window->show();
    }
    QWidget* control(const char* name) const { return window->findChild<QWidget*>(name); }
    void calculate() const {
        QTest::mouseClick(window->findChild<QToolButton*>("Command1"), Qt::LeftButton);
    }
    void run(MenuCommand command) const { window->action(command)->trigger(); }
};

}  // namespace

class ProjectMenuTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ApplyApplicationLook(); }

    // Each shortcut reaches its command wherever the focus is; Ctrl+S saves and Ctrl+E
    // exports the member's PDF. No two commands share a shortcut.
    void shortcutsReachTheirCommands_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("asked");  // per control with the focus
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << QStringList{"save"};
        QTest::newRow("Ctrl+E") << int(Qt::Key_E) << QStringList{"pdf"};
        QTest::newRow("Ctrl+P") << int(Qt::Key_P) << QStringList{"print"};
        QTest::newRow("Ctrl+L") << int(Qt::Key_L) << QStringList{"list"};
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << QStringList{"open"};
        QTest::newRow("Ctrl+D, no member opened") << int(Qt::Key_D) << QStringList{};
    }
    void shortcutsReachTheirCommands() {
        QFETCH(int, key);
        QFETCH(QStringList, asked);
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.calculate();
        f.run(MenuCommand::NewProject);  // so that 保存工程 is enabled
        for (const char* focus : {"Text1", "Combo1", "Text8"}) {
            f.asked.clear();
            f.control(focus)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::ControlModifier);
            QCOMPARE(f.asked, asked);
        }
        QStringList shortcuts;
        for (const QAction* a : f.window->findChildren<QAction*>())
            if (!a->shortcut().isEmpty()) shortcuts << a->shortcut().toString();
        shortcuts.sort();
        QCOMPARE(shortcuts.removeDuplicates(), 0);
    }

    // The bar sits on top; the calculator's window keeps its size and every control its
    // place relative to the area below the bar. The project commands start as they should.
    void calculatorKeepsItsLayoutBelowTheBar() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        const int bar = f.window->menuBar()->height();
        QVERIFY(bar > 10);
        QCOMPARE(f.window->size(), ClientSize() + QSize(0, bar));
        for (const window::ControlRow& row : window::Form15Controls()) {
            const QWidget* w = f.control(row.name.data());
            QCOMPARE(QRect(w->mapTo(f.window.get(), QPoint(0, 0)), w->size()),
                     PixelRect(window::OnClientArea(row)).translated(0, bar));
        }
        QCOMPARE(f.window->windowTitle(), FromUtf8(window::kWindowTitle));
        for (const MenuCommand c :
             {MenuCommand::UpdateMember, MenuCommand::SaveProject, MenuCommand::PrintProjectBook,
              MenuCommand::ExportProjectBook, MenuCommand::PrintReport})
            QVERIFY(!f.window->action(c)->isEnabled());
        QStringList menus;
        for (const QAction* a : f.window->menuBar()->actions()) menus << a->text();
        QCOMPARE(menus, (QStringList{"文件", "工程", "帮助"}));
    }

    // Saved under a Chinese name with blanks, reopened in another window: the same
    // project, the same report byte for byte, the project's name in the caption.
    void projectReopensWithTheSameReport() {
        QTemporaryDir dir;
        Fixture f;
        f.window->findChild<QLineEdit*>("Text1")->setText("800x250x8x10");
        f.calculate();
        f.run(MenuCommand::AddMember);
        f.run(MenuCommand::ProjectInfo);
        QCOMPARE(f.window->windowTitle(), FromUtf8(window::kWindowTitle) + " - 一号厂房*");
        f.savePath = dir.filePath("工程 甲 乙");
        f.run(MenuCommand::SaveProject);
        QCOMPARE(f.messages, QStringList{});
        const QString saved = dir.filePath("工程 甲 乙.kbproj");
        QVERIFY(QFile::exists(saved));
        QCOMPARE(f.window->windowTitle(), FromUtf8(window::kWindowTitle) + " - 一号厂房");

        Fixture again;
        again.openPath = saved;
        again.run(MenuCommand::OpenProject);
        QCOMPARE(again.messages, QStringList{});
        QCOMPARE(again.window->session().project(), f.window->session().project());
        QCOMPARE(again.window->form().designState().reportText,
                 f.window->form().designState().reportText);
        QVERIFY(again.window->action(MenuCommand::UpdateMember)->isEnabled());
    }

    // The list shows each member's verdict; its buttons move, rename, delete and open.
    void memberListDialogWorksTheSession() {
        Fixture f;
        for (const char* name : {"A", "B"}) {
            f.memberName = name;
            f.run(MenuCommand::AddMember);
        }
        f.window->findChild<QLineEdit*>("Text1")->setText("500x200x6x12");
        f.memberName = "C";
        f.run(MenuCommand::AddMember);
        MemberListDialog list(f.window->session(), f.window.get());
        auto* table = list.findChild<QTableWidget*>("members");
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->item(0, 1)->text(), QString("全部满足"));
        QCOMPARE(list.selectedRow(), 2);  // the member the window holds
        const auto press = [&list](const char* button) {
            QTest::mouseClick(list.findChild<QPushButton*>(button), Qt::LeftButton);
        };
        QVERIFY(!list.findChild<QPushButton*>("moveDown")->isEnabled());
        press("moveUp");
        QCOMPARE(list.selectedRow(), 1);
        QCOMPARE(table->item(1, 0)->text(), QString("C"));
        f.memberName = "D";
        press("renameMember");
        press("deleteMember");
        QCOMPARE(table->rowCount(), 2);
        list.selectRow(0);
        press("openMember");
        QCOMPARE(list.result(), int(QDialog::Accepted));
        QCOMPARE(f.window->session().currentMember(), std::optional<std::size_t>(0));
        QStringList names;
        for (const auto& m : f.window->session().project().members)
            names << QString::fromStdString(m.name);
        QCOMPARE(names, (QStringList{"A", "B"}));
    }

    // 关闭 with unsaved changes: 取消 keeps the window, 不保存 closes it.
    void closingAsksAboutUnsavedChanges() {
        Fixture f;
        f.run(MenuCommand::AddMember);
        const auto close = [&f] {
            QTest::mouseClick(f.window->findChild<QToolButton*>("Command3"), Qt::LeftButton);
        };
        f.unsaved = UnsavedChoice::Cancel;
        close();
        QVERIFY(f.window->isVisible());
        f.unsaved = UnsavedChoice::Discard;
        close();
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.asked, (QStringList{"name", "unsaved 未命名工程", "unsaved 未命名工程"}));
    }

    // A disk that fills up while the project is saved: the user is told in Chinese, and
    // the file already there keeps its bytes; with room enough the project arrives whole.
    void fullDiskKeepsTheOldProject_data() {
        QTest::addColumn<int>("freeKiB");  // of 124; sixty members take about 22
        for (const int free : {0, 4, 12, 20, 124}) QTest::addRow("%d KiB free", free) << free;
    }
    void fullDiskKeepsTheOldProject() {
        QFETCH(int, freeKiB);
        const windowtest::SmallDisk disk;
        if (*disk.whyNot() != '\0') QSKIP(disk.whyNot());
        const QByteArray old = "the engineer's earlier project";
        QVERIFY(disk.Put("工程 甲.kbproj", old));
        QVERIFY(disk.Fill(freeKiB));
        Fixture f;
        for (int i = 0; i < 60; ++i) f.run(MenuCommand::AddMember);
        const QByteArray bytes =
            QByteArray::fromStdString(window::WriteProject(f.window->session().project()));
        QVERIFY2(bytes.size() > qsizetype{20} * 1024, QByteArray::number(bytes.size()));
        f.savePath = disk.filePath("工程 甲.kbproj");
        f.run(MenuCommand::SaveProject);
        const QStringList left = QDir(disk.path()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left, (QStringList{"fill", "工程 甲.kbproj"}));  // no temporary file left
        QFile file(f.savePath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (freeKiB == 124) {
            QCOMPARE(f.messages, QStringList{});
            QCOMPARE(file.readAll(), bytes);
            QVERIFY(!f.window->session().dirty());
            return;
        }
        QCOMPARE(f.messages.size(), 1);
        QVERIFY2(f.messages[0].startsWith("无法保存工程文件“" + f.savePath + "”无法写入"),
                 qPrintable(f.messages[0]));
        QCOMPARE(file.readAll(), old);
        QVERIFY(f.window->session().dirty());
    }
};

QTEST_MAIN(ProjectMenuTest)
#include "project_menu_test.moc"

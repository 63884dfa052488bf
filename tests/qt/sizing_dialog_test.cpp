// The sizing button and its dialog, played as sessions: the dialog opens on the
// lightest passing size, header clicks sort by value, and the row left by a double-click,
// Enter or 选用 is picked and calculated, while 取消, Esc or closing changes nothing. A
// fault no size can mend shows the fault message instead; the keyboard alone works.
#include <cstdlib>
#include <memory>
#include <optional>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include "catalogue/angle_catalogue.h"
#include "catalogue/angle_sizing.h"
#include "core/calculation_run.h"
#include "core/fault.h"
#include "qt/form15.h"
#include "qt/look.h"
#include "qt/sizing_dialog.h"
#include "window/sizing_view.h"
#include "window_test_support.h"

using namespace kneebrace;
using windowtest::AsShown;

namespace {

constexpr int kStrength = int(kSizingFirstCheckColumn) + 2;
constexpr int kVerdict = int(kSizingConclusionColumn);

struct Session {
    const char* name;
    const char* section;  // Text1
    const char* angle;    // Text5
    const char* bolt;     // Text6
    int sortColumn;       // -1: no header click
    int clicks;           // on the header; 2 turns the order round
    int down;             // rows moved down before leaving
    const char* leave;    // dclick, enter, adopt; cancel, esc, close
    bool keys;            // the button reached by Tab and pressed by Space
    const char* fault;    // the fault's title when no size can mend it: no dialog
};

const Session kSessions[] = {
    {"start-up, lightest as offered", "500x200x6x12", "45", "14", -1, 0, 0, "adopt", false, ""},
    {"far down, double-click", "2000x300x10x20", "60", "24", -1, 0, 5, "dclick", false, ""},
    {"near the end, keys only", "2400x250x10x16", "60", "14", -1, 0, 3, "enter", true, ""},
    {"none passes, by A0, Enter", "1000x400x12x30", "45", "14", 1, 1, 13, "enter", false, ""},
    {"faulted sizes, strength down", "500x200x6x12", "45", "100", kStrength, 2, 52, "adopt", false,
     ""},
    {"by verdict, then cancel", "500x200x6x12", "45", "14", kVerdict, 1, 7, "cancel", false, ""},
    {"by size, down, then Esc", "500x200x6x12", "45", "14", 0, 2, 2, "esc", true, ""},
    {"closed from the title bar", "2000x300x10x20", "60", "24", -1, 0, 1, "close", false, ""},
    {"unreadable designation", "abc", "45", "14", -1, 0, 0, "", false, "输入不是数字"},
    {"angle of 90 degrees", "500x200x6x12", "90", "14", -1, 0, 0, "", true, "夹角超出范围"},
};

QTableView* TableOf(const SizingDialog& d) { return d.findChild<QTableView*>("sizingTable"); }

QString DesignationAt(const SizingDialog& d, int row) {
    return TableOf(d)->model()->index(row, 0).data().toString();
}

}  // namespace

class SizingDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ApplyApplicationLook(); }

    void session_data() {
        QTest::addColumn<int>("i");
        for (int i = 0; i < int(std::size(kSessions)); ++i) QTest::newRow(kSessions[i].name) << i;
    }
    void session() {
        QFETCH(int, i);
        const Session& t = kSessions[i];
        QList<QString> faults;
        Form15 window([&](QWidget*, const QString& kind, const QString&) { faults.append(kind); });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto get = [&](const char* name) { return window.findChild<QWidget*>(name); };
        auto text = [&](const char* name) {
            return qobject_cast<QPlainTextEdit*>(get(name))->toPlainText();
        };
        InputTexts in = StartupInputTexts();
        in.Text1 = t.section;
        in.Text5 = t.angle;
        in.Text6 = t.bolt;
        qobject_cast<QLineEdit*>(get("Text1"))->setText(t.section);
        qobject_cast<QLineEdit*>(get("Text5"))->setText(t.angle);
        qobject_cast<QLineEdit*>(get("Text6"))->setText(t.bolt);
        QTest::mouseClick(get("Command1"), Qt::LeftButton);
        const DesignState before = window.designState();
        const QString report = text("Text8");
        const qsizetype faultsBefore = faults.size();

        // The dialog is worked inside its own modal loop; one left open is rejected after
        // five seconds, so that no test hangs.
        bool seen = false;
        QString chosen;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<SizingDialog*>(QApplication::activeModalWidget());
            if (!d) return;
            seen = true;
            QVERIFY(QTest::qWaitForWindowExposed(d));
            QTableView* table = TableOf(*d);
            const SizingView view = BuildSizingView(before, in);
            const std::optional<std::size_t> lightest = LightestPassing(SizeAngles(before, in));
            QCOMPARE(d->windowTitle(), QString("角钢选型"));
            QCOMPARE(d->findChild<QLabel*>("sizingMessage")->text(),
                     QString::fromStdString(view.message));
            QCOMPARE(d->focusWidget(), table);
            QCOMPARE(table->selectionModel()->selectedRows().size(), 1);
            // Opens on the lightest passing size (else the first), marked, in the middle
            // of the table when it is far enough from both ends.
            const QModelIndex at = table->currentIndex();
            const QString opened = DesignationAt(*d, at.row());
            QCOMPARE(opened, QString::fromStdString(lightest ? view.rows[*lightest].designation
                                                             : std::string("L45X3")));
            QCOMPARE(at.data(Qt::FontRole).value<QFont>().bold(), lightest.has_value());
            const QRect cell = table->visualRect(at);
            QVERIFY(table->viewport()->rect().contains(cell));
            if (at.row() > 10 && at.row() < 42)
                QVERIFY(std::abs(cell.center().y() - table->viewport()->height() / 2) <=
                        cell.height());

            QHeaderView* header = table->horizontalHeader();
            for (int c = 0; c < t.clicks; ++c)
                QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                                  QPoint(header->sectionViewportPosition(t.sortColumn) +
                                             header->sectionSize(t.sortColumn) / 2,
                                         header->height() / 2));
            if (t.sortColumn >= 0) {
                const std::vector<std::size_t> order =
                    SortedSizingRows(view, std::size_t(t.sortColumn), t.clicks == 2);
                for (int r = 0; r < int(order.size()); ++r)
                    QCOMPARE(d->ViewRowAt(r), order[std::size_t(r)]);
            }
            QCOMPARE(DesignationAt(*d, table->currentIndex().row()), opened);  // still selected

            for (int k = 0; k < t.down; ++k) QTest::keyClick(table, Qt::Key_Down);
            const QModelIndex target = table->currentIndex();
            chosen = DesignationAt(*d, target.row());
            const QString leave = t.leave;
            if (leave == "dclick") {  // as a mouse sends it: a click, then the double
                const QPoint centre = table->visualRect(target).center();
                QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre);
                QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centre);
            } else if (leave == "enter" || leave == "esc") {
                const Qt::Key enter = t.keys ? Qt::Key_Enter : Qt::Key_Return;  // keypad, main
                QTest::keyClick(table, leave == "enter" ? enter : Qt::Key_Escape);
            } else if (leave == "close") {
                d->close();
            } else {
                QTest::mouseClick(
                    d->findChild<QPushButton*>(leave == "adopt" ? "sizingAdopt" : "sizingCancel"),
                    Qt::LeftButton);
            }
            QVERIFY(!d->isVisible());
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, [] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
        });
        watchdog.start(5000);
        if (t.keys) {
            get("Command1")->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), get("Command2"));
            QTest::keyClick(get("Command2"), Qt::Key_Space);
        } else {
            QTest::mouseClick(get("Command2"), Qt::LeftButton);
        }
        QCoreApplication::processEvents();  // the timer, when no dialog ran a loop
        QCOMPARE(seen, !*t.fault);

        // Adopted: as a pick of that size and Calculate (which may fault on it) leave it.
        const bool adopted = QString(t.leave).contains(QRegularExpression("dclick|enter|adopt"));
        DesignState expected = before;
        bool calculates = false;
        if (adopted) {
            SelectAngle(expected, chosen.toStdString());
            try {
                RunCalculation(expected, in);
                calculates = true;
            } catch (const CalculationFault&) {
            }
        }
        const bool faulted = *t.fault || (adopted && !calculates);
        QCOMPARE(faults.size(), faultsBefore + (faulted ? 1 : 0));
        if (*t.fault) QCOMPARE(faults.last(), QString(t.fault));
        QCOMPARE(qobject_cast<QComboBox*>(get("Combo1"))->currentText(),
                 adopted ? chosen : QString("L45X3"));
        QCOMPARE(window.designState().angleModel, expected.angleModel);
        QCOMPARE(window.designState().A0, expected.A0);
        QCOMPARE(text("Text7"), AsShown(expected.anglePropsText));
        QCOMPARE(text("Text8"), calculates ? AsShown(expected.reportText) : report);
        if (calculates) QVERIFY(text("Text8").contains(chosen));
    }
};

QTEST_MAIN(SizingDialogTest)
#include "sizing_dialog_test.moc"

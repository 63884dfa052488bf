// The sizing button and its dialog in the Qt window, played as the shared sessions: the
// dialog draws the table's state (the rows in its order, the selected row on its ground,
// scrolled into view, the header's arrow), the user's clicks and keys reach it, and the
// row adopted is picked and calculated while 取消, Esc or closing change nothing. The
// state's own rules are tested once, in tests/window.
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

#include "qt/form15.h"
#include "qt/look.h"
#include "qt/sizing_dialog.h"
#include "support/sizing_sessions.h"
#include "window/sizing_view.h"
#include "window_test_support.h"

using namespace kneebrace;
using testsupport::kSizingSessions;
using testsupport::SizingSession;
using windowtest::AsShown;

namespace {

QTableView* TableOf(const SizingDialog& d) { return d.findChild<QTableView*>("sizingTable"); }

QString DesignationAt(const SizingDialog& d, int row) {
    return TableOf(d)->model()->index(row, 0).data().toString();
}

// The ground a row is painted on, just inside its first cell, where no text reaches.
QColor RowGround(QTableView& table, int row) {
    const QImage shot = table.viewport()->grab().toImage();
    return shot.pixelColor(table.columnViewportPosition(0) + 1,
                           table.rowViewportPosition(row) + table.rowHeight(row) / 2);
}

QColor Expected(const std::optional<SizingColour>& colour, const QColor& system) {
    return colour ? QColor(colour->red, colour->green, colour->blue) : system;
}

// The selected row is drawn as the state says, on its ground, in view from the row the
// state puts at the top.
void CheckSelectionDrawn(const SizingDialog& d, bool opening) {
    QTableView& table = *TableOf(d);
    const SizingTable& state = d.table();
    const int at = table.currentIndex().row();
    QCOMPARE(std::optional<std::size_t>(std::size_t(at)), state.selected());
    QCOMPARE(table.selectionModel()->selectedRows().size(), 1);
    QCOMPARE(RowGround(table, at), Expected(state.LookOf(std::size_t(at), 0).ground,
                                            table.palette().color(QPalette::Base)));
    const int perPage = table.viewport()->height() / table.rowHeight(0);
    const int top = table.rowAt(0);
    QVERIFY(at >= top && at < top + perPage);
    if (opening) QCOMPARE(std::size_t(top), state.FirstRowShown(0, std::size_t(perPage), true));
}

// Every text fits its column, inside the style's margins, as Qt lays it out, the
// lightest row's in bold.
void CheckTextsFit(const SizingDialog& d) {
    QTableView& table = *TableOf(d);
    const int margins = 2 * (table.style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    QFont bold = table.font();
    bold.setBold(true);
    const SizingTable& state = d.table();
    for (std::size_t r = 0; r < state.size(); ++r) {
        const QFontMetrics metrics(state.LookOf(r, 0).bold ? bold : table.font());
        for (int c = 0; c < table.model()->columnCount(); ++c) {
            const QString text = FromUtf8(state.TextAt(r, std::size_t(c)));
            QVERIFY2(metrics.horizontalAdvance(text) + margins < table.columnWidth(c),
                     qPrintable(text));
        }
    }
}

}  // namespace

class SizingDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ApplyApplicationLook(); }

    void session_data() {
        QTest::addColumn<int>("i");
        for (int i = 0; i < int(std::size(kSizingSessions)); ++i)
            QTest::newRow(kSizingSessions[i].name) << i;
    }
    void session() {
        QFETCH(int, i);
        const SizingSession& t = kSizingSessions[i];
        QList<std::pair<QString, QString>> faults;
        Form15 window([&](QWidget*, const QString& title, const QString& text) {
            faults.append({title, text});
        });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto get = [&](const char* name) { return window.findChild<QWidget*>(name); };
        auto text = [&](const char* name) {
            return qobject_cast<QPlainTextEdit*>(get(name))->toPlainText();
        };
        // The seven alone, as the expectation is built from the record.
        QTest::mouseClick(get("Check2"), Qt::LeftButton, {},
                          QPoint(8, get("Check2")->height() / 2));
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
            const SizingView& view = d->table().view();
            QCOMPARE(d->windowTitle(), QString("角钢选型"));
            QCOMPARE(d->findChild<QLabel*>("sizingInputs")->text(), FromUtf8(view.inputsLine));
            QCOMPARE(d->findChild<QLabel*>("sizingMessage")->text(), FromUtf8(view.message));
            QCOMPARE(d->focusWidget(), table);
            QCOMPARE(table->model()->rowCount(), 53);
            CheckSelectionDrawn(*d, true);
            CheckTextsFit(*d);
            const QString opened = DesignationAt(*d, table->currentIndex().row());

            QHeaderView* header = table->horizontalHeader();
            for (int c = 0; c < t.clicks; ++c)
                QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                                  QPoint(header->sectionViewportPosition(t.sortColumn) +
                                             header->sectionSize(t.sortColumn) / 2,
                                         header->height() / 2));
            if (t.sortColumn >= 0) {
                QCOMPARE(d->table().sortColumn(), std::optional<std::size_t>(t.sortColumn));
                QCOMPARE(d->table().descending(), t.clicks == 2);
                // Qt draws ▲ for its descending order: ▲ when the smallest is on top.
                QCOMPARE(header->sortIndicatorSection(), t.sortColumn);
                QCOMPARE(header->sortIndicatorOrder(),
                         t.clicks == 2 ? Qt::AscendingOrder : Qt::DescendingOrder);
                for (int r = 0; r < 53; ++r)
                    QCOMPARE(DesignationAt(*d, r),
                             FromUtf8(d->table().RowAt(std::size_t(r)).designation));
            }
            QCOMPARE(DesignationAt(*d, table->currentIndex().row()), opened);  // still selected
            CheckSelectionDrawn(*d, false);

            for (int k = 0; k < t.down; ++k) QTest::keyClick(table, Qt::Key_Down);
            CheckSelectionDrawn(*d, false);
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

        const testsupport::SizingAfter after =
            testsupport::ExpectedAfter(t, before, chosen.toStdString());
        QCOMPARE(faults.size(), faultsBefore + (after.fault ? 1 : 0));
        if (after.fault) {
            QCOMPARE(faults.last().first, FromUtf8(after.fault->title));
            QCOMPARE(faults.last().second, FromUtf8(after.fault->text));
        }
        if (*t.fault) QCOMPARE(faults.last().first, QString(t.fault));
        const bool adopted = testsupport::Adopts(t);
        QCOMPARE(qobject_cast<QComboBox*>(get("Combo1"))->currentText(),
                 adopted ? chosen : QString("L45X3"));
        QCOMPARE(window.designState().angleModel, after.state.angleModel);
        QCOMPARE(window.designState().A0, after.state.A0);
        QCOMPARE(text("Text7"), AsShown(after.state.anglePropsText));
        QCOMPARE(text("Text8"), after.fault ? report : AsShown(after.state.reportText));
        if (adopted && !after.fault) QVERIFY(text("Text8").contains(chosen));
    }

    void codes_data() {
        QTest::addColumn<int>("i");
        for (int i = 0; i < int(std::size(testsupport::kCodesSessions)); ++i)
            QTest::newRow(testsupport::kCodesSessions[i].name) << i;
    }
    void codes() {
        QFETCH(int, i);
        const SizingView view = testsupport::CodesSessionView(testsupport::kCodesSessions[i]);
        SizingDialog d(view);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        const QAbstractItemModel& model = *TableOf(d)->model();
        QCOMPARE(std::size_t(model.columnCount()), kSizingColumnCountWithCodes);
        for (int c = 0; c < model.columnCount(); ++c)
            QCOMPARE(model.headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString(),
                     FromUtf8(view.headerTips[std::size_t(c)]));
        const SizingTable& state = d.table();
        for (int r = 0; r < model.rowCount(); ++r) {
            for (int c = 0; c < model.columnCount(); ++c) {
                const std::string& tip = state.TipAt(std::size_t(r), std::size_t(c));
                const QVariant shown = model.index(r, c).data(Qt::ToolTipRole);
                QCOMPARE(shown.isValid(), !tip.empty());
                if (!tip.empty()) QCOMPARE(shown.toString(), FromUtf8(tip));
            }
        }
        CheckTextsFit(d);
        auto* message = d.findChild<QLabel*>("sizingMessage");
        QCOMPARE(message->text(), FromUtf8(view.message));
        QVERIFY(message->height() >= int(testsupport::MessageLines(view)) *
                                         d.findChild<QLabel*>("sizingInputs")->height());
        QVERIFY(TableOf(d)->geometry().top() >= message->geometry().bottom());
        QCOMPARE(message->palette().color(QPalette::WindowText) == QColor(255, 0, 0),
                 !view.lightest.has_value());
    }
};

QTEST_MAIN(SizingDialogTest)
#include "sizing_dialog_test.moc"

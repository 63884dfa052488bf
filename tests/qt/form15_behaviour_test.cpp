// What only the Qt window shows: the colours it paints, the size list's own ways of
// picking and its entries, the designation's selection at start-up, how the report box
// holds and lays out the report, a text set by the program, the message box and Close.
// What a user does and reads back runs as the shared scenarios (window_scenarios_test).
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

#include "qt/form15.h"
#include "qt/look.h"
#include "qt_probe.h"
#include "window_test_support.h"

using namespace kneebrace;
using windowtest::QtProbe;

namespace {

// The colour a line edit is painted in, right of its text.
QColor Background(QWidget* box) {
    return box->grab().toImage().pixelColor(box->width() - 4, box->height() / 2);
}

}  // namespace

class Form15BehaviourTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ApplyApplicationLook(); }

    // Locked, the gap box shows the button face; ticked free, the window colour.
    void gapBoxIsPaintedAsItsLock() {
        QtProbe w;
        QWidget* gap = w.Get("Text2");
        const QColor buttonFace = gap->palette().color(QPalette::Active, QPalette::Button);
        const QColor windowColour = gap->palette().color(QPalette::Active, QPalette::Base);
        QVERIFY(buttonFace != windowColour);
        QCOMPARE(Background(gap), buttonFace);
        w.Click("Check1");
        QCOMPARE(Background(gap), windowColour);
        w.Click("Check1");
        QCOMPARE(Background(gap), buttonFace);
    }

    // A box read in part is painted pale red, the locked gap box too; an edit paints it
    // in its own colours again. A text the program sets is no edit: the mark stays until
    // a run reads the box whole.
    void marksArePaintedPaleRed_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("byProgram");
        QTest::newRow("angle, edited") << "Text5" << false;
        QTest::newRow("angle, set by the program") << "Text5" << true;
        QTest::newRow("locked gap, edited") << "Text2" << false;
    }
    void marksArePaintedPaleRed() {
        QFETCH(QString, box);
        QFETCH(bool, byProgram);
        QtProbe w;
        const std::string name = box.toStdString();
        auto* edit = qobject_cast<QLineEdit*>(w.Get(name));
        const QColor plain = Background(edit);
        const QColor pink = Colour(window::kMarkedBox);
        QVERIFY(plain != pink);
        edit->setText("45度");  // the gap box can hold such a text while locked
        w.Click("Command1");
        QCOMPARE(Background(edit), pink);
        if (byProgram) {
            edit->setText("12");
            QCOMPARE(Background(edit), pink);
            w.Click("Command1");
        } else {
            if (name == "Text2") w.Click("Check1");
            w.Type(name, "12");
            if (name == "Text2") w.Click("Check1");
        }
        QCOMPARE(Background(edit), plain);
        QVERIFY(!w.Marked(name));
    }

    // The three ways QComboBox picks: a click in the open list, keys in the open list,
    // the arrow keys on the closed box. L63X5 is the 14th size.
    void sizeListPicks_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("mouse in the list") << "mouse";
        QTest::newRow("keys in the list") << "list keys";
        QTest::newRow("arrow keys on the closed box") << "box keys";
    }
    void sizeListPicks() {
        QFETCH(QString, how);
        QtProbe w;
        auto* combo = qobject_cast<QComboBox*>(w.Get("Combo1"));
        const int target = combo->findText("L63X5");
        QCOMPARE(target, 13);
        if (how == "mouse") {
            combo->showPopup();
            QAbstractItemView* list = combo->view();
            list->scrollTo(list->model()->index(target, 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(list->model()->index(target, 0)).center());
        } else if (how == "list keys") {
            combo->showPopup();
            for (int i = 0; i < target; ++i) QTest::keyClick(combo->view(), Qt::Key_Down);
            QTest::keyClick(combo->view(), Qt::Key_Return);
        } else {
            combo->setFocus();
            for (int i = 0; i < target; ++i) QTest::keyClick(combo, Qt::Key_Down);
        }
        QCOMPARE(w.Record().angleModel, std::string("L63X5"));
        QCOMPARE(w.Text("Text7"), w.Record().anglePropsText);
    }

    // Typing in the field picks nothing until it is settled, nothing typed joins the
    // list, and the list's entry follows the size in force.
    void typedTextNeverJoinsTheList_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("inForce");
        QTest::newRow("an entry") << "L63X5"
                                  << "L63X5";
        QTest::newRow("no such size") << "L99X9"
                                      << "L45X3";
    }
    void typedTextNeverJoinsTheList() {
        QFETCH(QString, typed);
        QFETCH(QString, inForce);
        QtProbe w;
        auto* combo = qobject_cast<QComboBox*>(w.Get("Combo1"));
        combo->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), typed);
        QCOMPARE(combo->currentText(), typed);
        QCOMPARE(w.Record().angleModel, std::string());  // nothing picked while typing
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QCOMPARE(combo->count(), 53);
        QCOMPARE(combo->currentText(), inForce);
        QCOMPARE(combo->currentIndex(), combo->findText(inForce));
    }

    // The window opens ready for a new section: the designation's text is selected, so
    // typing replaces it.
    void designationStartsSelected() {
        QtProbe w;
        auto* text1 = qobject_cast<QLineEdit*>(w.Get("Text1"));
        QCOMPARE(QApplication::focusWidget(), text1);
        QCOMPARE(text1->selectedText(), QString("500x200x6x12"));
    }

    // The box is given the engine's CR LF and holds one line break for it; lines wider
    // than the box do not wrap, the horizontal scroll bar reaches them.
    void reportBoxHoldsLinesUnwrapped() {
        QtProbe w;
        w.Click("Check2");  // the seven alone, as the record holds them
        w.Click("Command1");
        auto* report = qobject_cast<QPlainTextEdit*>(w.Get("Text8"));
        QVERIFY(!report->toPlainText().contains('\r'));
        QCOMPARE(report->toPlainText(), windowtest::AsShown(w.Record().reportText));
        QVERIFY(report->horizontalScrollBar()->maximum() > 0);
    }

    // The program's own reporter: a modal box with a Chinese button, closed here by a
    // timer that runs inside the box's event loop.
    void faultMessageBoxIsModalAndChinese() {
        Form15 window;
        window.show();
        window.findChild<QLineEdit*>("Text5")->setText("90");
        QString text, button;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            text = box->text();
            button = box->buttons().value(0)->text();
            modal = box->isModal();
            QTest::mouseClick(box->buttons().value(0), Qt::LeftButton);
        });
        QTimer watchdog;  // never hang: a box nobody closes is closed here
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, [] {
            if (QWidget* m = QApplication::activeModalWidget()) m->close();
        });
        watchdog.start(5000);
        QTest::mouseClick(window.findChild<QToolButton*>("Command1"), Qt::LeftButton);
        QVERIFY(modal);
        QVERIFY2(text.startsWith("夹角超出范围\n与腹板夹角"), qPrintable(text));
        QCOMPARE(button, QString("确定"));
        QCOMPARE(window.findChild<QPlainTextEdit*>("Text8")->toPlainText(), QString("计算结果\n"));
        QVERIFY(window.isVisible());
    }

    // Last: Close ends the program's event loop, as it ends the program.
    void closeEndsTheProgram() {
        QtProbe w;
        QVERIFY(QApplication::quitOnLastWindowClosed());
        QTimer::singleShot(0, [&] { w.Click("Command3"); });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });  // never hang
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!w.window().isVisible());
        QVERIFY(w.Faults().empty());
    }
};

QTEST_MAIN(Form15BehaviourTest)
#include "form15_behaviour_test.moc"

// What the window does: the option groups, the gap box, picking or typing a size, the
// keyboard, Calculate with and without a fault, the marks on boxes read in part, and Close.
#include <functional>
#include <memory>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

#include "catalogue/angle_catalogue.h"
#include "core/calculation_run.h"
#include "qt/form15.h"
#include "qt/look.h"
#include "window/control_table.h"
#include "window/input_marks.h"
#include "window_test_support.h"

using namespace kneebrace;
using windowtest::AsShown;
using windowtest::ClickIndicator;
using windowtest::Control;

namespace {

struct Fault {
    QString kind;
    QString message;
};

// A window whose fault messages are recorded instead of shown in a modal box.
struct Fixture {
    QList<Fault> faults;
    std::unique_ptr<Form15> window;

    Fixture() {
        window =
            std::make_unique<Form15>([this](QWidget*, const QString& kind, const QString& message) {
                faults.append({kind, message});
            });
        window->show();
    }
    template <typename T>
    T* get(const char* name) const {
        return Control<T>(*window, name);
    }
    QString report() const { return get<QPlainTextEdit>("Text8")->toPlainText(); }
    void calculate() const { QTest::mouseClick(get<QToolButton>("Command1"), Qt::LeftButton); }
};

// What the engine reports for the start-up record and texts with one change applied:
// the window must show exactly that.
QString EngineReport(const std::function<void(DesignState&, InputTexts&)>& change = {}) {
    DesignState s = StartupDesignState();
    InputTexts in = StartupInputTexts();
    if (change) change(s, in);
    RunCalculation(s, in);
    return AsShown(s.reportText);
}

// Whether a box is painted as read in part.
bool Marked(const QLineEdit& box) {
    return box.palette().color(QPalette::Base) == Colour(window::kMarkedBox);
}

// The engine's input text behind a loose number box.
std::string InputTexts::*Field(const QString& box) {
    if (box == "Text2") return &InputTexts::Text2;
    if (box == "Text3") return &InputTexts::Text3;
    if (box == "Text4") return &InputTexts::Text4;
    if (box == "Text5") return &InputTexts::Text5;
    if (box == "Text6") return &InputTexts::Text6;
    return &InputTexts::Text9;
}

}  // namespace

class Form15BehaviourTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ApplyApplicationLook(); }

    // The grade and the arrangement are two independent groups; a click writes its code
    // and text at once and leaves the report alone until the next Calculate.
    void optionGroupsAreIndependent_data() {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<int>("grade");   // 1 Q235 (Option1), 2 Q345 (Option2)
        QTest::addColumn<int>("layout");  // 1 both sides (Option3), 2 one side (Option4)
        QTest::newRow("Q345") << QStringList{"Option2"} << 2 << 1;
        QTest::newRow("Q345 then Q235") << QStringList{"Option2", "Option1"} << 1 << 1;
        QTest::newRow("one side") << QStringList{"Option4"} << 1 << 2;
        QTest::newRow("one side, then Q345") << QStringList{"Option4", "Option2"} << 2 << 2;
        QTest::newRow("both sides again") << QStringList{"Option4", "Option3"} << 1 << 1;
        // Qt once put Frame3's options into Frame1's group: this click cleared Q235.
        QTest::newRow("chosen grade again, nested frame kept out of its group")
            << QStringList{"Option4", "Option1"} << 1 << 2;
    }
    void optionGroupsAreIndependent() {
        QFETCH(QStringList, clicks);
        QFETCH(int, grade);
        QFETCH(int, layout);
        Fixture f;
        for (const QString& name : clicks) ClickIndicator(f.get<QRadioButton>(qPrintable(name)));
        const DesignState& s = f.window->designState();
        QCOMPARE(int(s.gradeCode), grade);
        QCOMPARE(s.gradeText, std::string(grade == 1 ? ",材质Q235" : ",材质Q345"));
        QCOMPARE(int(s.layoutCode), layout);
        QCOMPARE(s.layoutText, std::string(layout == 1 ? "双侧" : "单侧"));
        const QString chosen[] = {QString("Option%1").arg(grade),
                                  QString("Option%1").arg(2 + layout)};
        for (const char* name : {"Option1", "Option2", "Option3", "Option4"})
            QVERIFY2(
                f.get<QRadioButton>(name)->isChecked() == (chosen[0] == name || chosen[1] == name),
                name);
        QCOMPARE(f.report(), QString("计算结果\n"));
    }

    // Ticked, the gap box can be edited on the window colour; cleared again, it is locked
    // on the button face and keeps a changed gap, which the run reads either way.
    void gapBoxFollowsTheCheckBox() {
        Fixture f;
        auto* check = f.get<QCheckBox>("Check1");
        auto* gap = f.get<QLineEdit>("Text2");
        const QColor buttonFace = gap->palette().color(QPalette::Active, QPalette::Button);
        const QColor windowColour = gap->palette().color(QPalette::Active, QPalette::Base);
        QVERIFY(buttonFace != windowColour);
        auto background = [gap] {
            return gap->grab().toImage().pixelColor(gap->width() - 4, gap->height() / 2);
        };
        QCOMPARE(background(), buttonFace);
        ClickIndicator(check);
        QVERIFY(gap->isEnabled());
        QCOMPARE(background(), windowColour);
        ClickIndicator(check);
        QVERIFY(!gap->isEnabled());
        QCOMPARE(background(), buttonFace);
        QCOMPARE(gap->text(), QString("10"));

        ClickIndicator(check);
        gap->setFocus();
        gap->selectAll();
        QTest::keyClicks(gap, "25");
        ClickIndicator(check);
        QCOMPARE(gap->text(), QString("25"));
        f.calculate();
        const QString expected =
            EngineReport([](DesignState&, InputTexts& in) { in.Text2 = "25"; });
        QVERIFY2(f.report() == expected, windowtest::Difference(expected, f.report()).constData());
    }

    // L63X5 is the 14th size; its values from the section tables: A0 614, B2 63, T 5, iu 12.5.
    void pickingFromTheListSelectsTheSize_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("mouse in the list") << "mouse";
        QTest::newRow("keys in the list") << "list keys";
        QTest::newRow("arrow keys on the closed box") << "box keys";
    }
    void pickingFromTheListSelectsTheSize() {
        QFETCH(QString, how);
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        auto* combo = f.get<QComboBox>("Combo1");
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
        QCOMPARE(combo->currentText(), QString("L63X5"));
        const DesignState& s = f.window->designState();
        QCOMPARE(s.angleModel, std::string("L63X5"));
        QCOMPARE(s.A0, 614.0f);
        QCOMPARE(s.B2, 63.0f);
        QCOMPARE(s.T, 5.0f);
        QCOMPARE(s.Imin, 12.5f);
        const QString props = f.get<QPlainTextEdit>("Text7")->toPlainText();
        QCOMPARE(props, AsShown(s.anglePropsText));
        QVERIFY(props.startsWith("角钢型号：L63X5\n截面面积A0=614\n"));
    }

    // A text typed into the edit field never disagrees with the size in force: when Enter
    // is pressed or the focus leaves, a catalogue size picks itself as a pick from the
    // list does, anything else gives way to the size in force. Enter there does not
    // calculate, and nothing typed becomes an entry.
    void typedSizeIsPickedOrPutBack_data() {
        QTest::addColumn<QString>("before");  // picked from the list first; empty: none
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("enter");  // else the focus leaves for Text1
        QTest::addColumn<QString>("inForce");
        QTest::newRow("an entry, Enter") << ""
                                         << "L63X5" << true << "L63X5";
        QTest::newRow("a prefix, Enter") << ""
                                         << "L6" << true << "L45X3";
        QTest::newRow("lower case, Enter") << ""
                                           << "l63x5" << true << "L45X3";
        QTest::newRow("no such size, Enter") << ""
                                             << "L99X9" << true << "L45X3";
        QTest::newRow("an entry, then the focus leaves") << ""
                                                         << "L63X5" << false << "L63X5";
        QTest::newRow("no such size, then the focus leaves") << ""
                                                             << "L99" << false << "L45X3";
        QTest::newRow("after a pick, a wrong text gives way to it") << "L70X6"
                                                                    << "L7" << true << "L70X6";
        QTest::newRow("after a pick, another entry") << "L70X6"
                                                     << "L125X14" << false << "L125X14";
    }
    void typedSizeIsPickedOrPutBack() {
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(bool, enter);
        QFETCH(QString, inForce);
        Fixture f;
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        auto* combo = f.get<QComboBox>("Combo1");
        if (!before.isEmpty()) {
            combo->showPopup();
            QAbstractItemView* list = combo->view();
            const QModelIndex item = list->model()->index(combo->findText(before), 0);
            list->scrollTo(item);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(item).center());
            QCOMPARE(f.window->designState().angleModel, before.toStdString());
        }
        const DesignState untouched = f.window->designState();
        const QString propsBefore = f.get<QPlainTextEdit>("Text7")->toPlainText();
        combo->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), typed);
        QCOMPARE(combo->currentText(), typed);  // nothing happens while typing
        if (enter) QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        else f.get<QLineEdit>("Text1")->setFocus();
        QCOMPARE(combo->count(), 53);
        QCOMPARE(combo->currentText(), inForce);
        QCOMPARE(combo->currentIndex(), combo->findText(inForce));
        const DesignState& s = f.window->designState();
        const bool picks = typed == inForce;
        if (picks) {
            DesignState expected = untouched;
            SelectAngle(expected, inForce.toStdString());
            QCOMPARE(s.angleModel, inForce.toStdString());
            QCOMPARE(s.A0, expected.A0);
            QCOMPARE(f.get<QPlainTextEdit>("Text7")->toPlainText(), AsShown(s.anglePropsText));
            QVERIFY(f.get<QPlainTextEdit>("Text7")->toPlainText().contains(inForce));
        } else {
            QCOMPARE(s.angleModel, untouched.angleModel);
            QCOMPARE(s.A0, untouched.A0);
            QCOMPARE(f.get<QPlainTextEdit>("Text7")->toPlainText(), propsBefore);
        }
        QCOMPARE(f.report(), QString("计算结果\n"));  // Enter there calculates nothing
        f.calculate();
        const QString expected = EngineReport([&](DesignState& e, InputTexts&) {
            if (inForce != "L45X3") SelectAngle(e, inForce.toStdString());
        });
        QVERIFY2(f.report() == expected, windowtest::Difference(expected, f.report()).constData());
    }

    void calculateAfterStartUpShowsTheStartUpReport() {
        Fixture f;
        f.calculate();
        const QString expected = EngineReport();
        QVERIFY2(f.report() == expected, windowtest::Difference(expected, f.report()).constData());
        // The worked example: (10 + 500 + 50 - 12 - 50) / cos 45° = 704.3 mm.
        QVERIFY(f.report().contains("L0=704.3mm"));
        QVERIFY(!f.report().contains('\r'));
        // Lines wider than the box do not wrap: the horizontal scroll bar reaches them.
        QVERIFY(f.get<QPlainTextEdit>("Text8")->horizontalScrollBar()->maximum() > 0);
        f.calculate();  // replaces, never appends
        QCOMPARE(f.report(), expected);
        QVERIFY(f.faults.isEmpty());
    }

    // Each box reaches its own input of the run: a value that changes the report, in one
    // box at a time.
    void calculateReadsEachBox_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::newRow("Text1 designation") << 0 << "678x400x6x24";
        QTest::newRow("Text2 gap, while locked") << 1 << "15";
        QTest::newRow("Text3 K2") << 2 << "80";
        QTest::newRow("Text4 K3") << 3 << "45";
        QTest::newRow("Text5 angle") << 4 << "27.5";
        QTest::newRow("Text6 bolt") << 5 << "13";
        QTest::newRow("Text9 extension") << 6 << "40";
    }
    void calculateReadsEachBox() {
        QFETCH(int, box);
        QFETCH(QString, text);
        static const char* const names[] = {"Text1", "Text2", "Text3", "Text4",
                                            "Text5", "Text6", "Text9"};
        static std::string InputTexts::*const fields[] = {
            &InputTexts::Text1, &InputTexts::Text2, &InputTexts::Text3, &InputTexts::Text4,
            &InputTexts::Text5, &InputTexts::Text6, &InputTexts::Text9};
        Fixture f;
        f.get<QLineEdit>(names[box])->setText(text);
        f.calculate();
        const QString expected = EngineReport(
            [&](DesignState&, InputTexts& in) { in.*fields[box] = text.toStdString(); });
        QVERIFY(expected != EngineReport());
        QVERIFY2(f.report() == expected, windowtest::Difference(expected, f.report()).constData());
    }

    void calculateUsesTheChosenGradeArrangementAndSize() {
        Fixture f;
        ClickIndicator(f.get<QRadioButton>("Option2"));
        ClickIndicator(f.get<QRadioButton>("Option4"));
        auto* combo = f.get<QComboBox>("Combo1");
        combo->showPopup();
        QTest::keyClick(combo->view(), Qt::Key_End);  // the last size, L125X14
        QTest::keyClick(combo->view(), Qt::Key_Return);
        f.calculate();
        const QString expected = EngineReport([](DesignState& s, InputTexts&) {
            ChooseGrade(s, 2);
            ChooseLayout(s, 2);
            SelectAngle(s, "L125X14");
        });
        QVERIFY2(f.report() == expected, windowtest::Difference(expected, f.report()).constData());
    }

    // A fault names its kind and the input, leaves the last report and the inputs on
    // screen, and the corrected input calculates again.
    void faultIsReportedAndTheReportKept_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("names");
        QTest::newRow("three numbers") << "Text1"
                                       << "500x200x6"
                                       << "截面数据不全"
                                       << "H钢截面的第4个数";
        QTest::newRow("capital X") << "Text1"
                                   << "500X200X6X12"
                                   << "类型不匹配"
                                   << "H钢截面的第1个数";
        QTest::newRow("beyond single range") << "Text1"
                                             << "500x1e39x6x12"
                                             << "数值溢出"
                                             << "H钢截面的第2个数";
        QTest::newRow("angle 0") << "Text5"
                                 << "0"
                                 << "夹角超出范围"
                                 << "与腹板夹角";
        QTest::newRow("negative bolt") << "Text6"
                                       << "-3"
                                       << "螺栓直径为负"
                                       << "螺栓直径";
    }
    void faultIsReportedAndTheReportKept() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, kind);
        QFETCH(QString, names);
        Fixture f;
        f.calculate();
        const QString good = f.report();
        auto* edit = f.get<QLineEdit>(qPrintable(box));
        const QString original = edit->text();
        edit->setText(text);
        f.calculate();
        QCOMPARE(f.faults.size(), 1);
        QCOMPARE(f.faults[0].kind, kind);
        QVERIFY2(f.faults[0].message.contains(names), qPrintable(f.faults[0].message));
        QCOMPARE(f.report(), good);
        QCOMPARE(edit->text(), text);
        QVERIFY(f.window->isVisible());
        edit->setText(original);
        f.calculate();
        QCOMPARE(f.faults.size(), 1);
        QCOMPARE(f.report(), good);
    }

    // Enter and the keypad's Enter press Calculate from every input box; the gap box
    // only once it can be edited.
    void enterInAnInputBoxCalculates_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("keypad");
        for (const char* box : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text9"}) {
            QTest::newRow(qPrintable(QString("%1 Enter").arg(box))) << box << false;
            QTest::newRow(qPrintable(QString("%1 keypad Enter").arg(box))) << box << true;
        }
    }
    void enterInAnInputBoxCalculates() {
        QFETCH(QString, box);
        QFETCH(bool, keypad);
        Fixture f;
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        if (box == "Text2") ClickIndicator(f.get<QCheckBox>("Check1"));
        auto* edit = f.get<QLineEdit>(qPrintable(box));
        edit->setFocus();
        QCOMPARE(QApplication::focusWidget(), edit);
        if (keypad) QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
        else QTest::keyClick(edit, Qt::Key_Return);
        const QString expected = EngineReport();
        QVERIFY2(f.report() == expected, windowtest::Difference(expected, f.report()).constData());
        QVERIFY(f.faults.isEmpty());
        QCOMPARE(QApplication::focusWidget(), edit);  // the user goes on typing there
    }

    // The window opens ready for a new section: the designation box has the focus and its
    // text is selected, so typing replaces it and Enter calculates.
    void focusStartsInTheDesignationWithItsTextSelected() {
        Fixture f;
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        auto* text1 = f.get<QLineEdit>("Text1");
        QCOMPARE(QApplication::focusWidget(), text1);
        QCOMPARE(text1->selectedText(), QString("500x200x6x12"));
        QCOMPARE(f.get<QWidget>("Picture1")->focusPolicy(), Qt::NoFocus);
        QTest::keyClicks(QApplication::focusWidget(), "678x400x6x24");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const QString expected =
            EngineReport([](DesignState&, InputTexts& in) { in.Text1 = "678x400x6x24"; });
        QVERIFY2(f.report() == expected, windowtest::Difference(expected, f.report()).constData());
    }

    // Every input box shows the table's tooltip: meaning and unit, the old hints first.
    void inputBoxesShowTheirTooltips() {
        Fixture f;
        for (const char* box :
             {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text9", "Combo1"})
            QCOMPARE(f.get<QWidget>(box)->toolTip().toStdString(),
                     std::string(window::FindControl(box)->tooltip));
        QVERIFY(f.get<QLineEdit>("Text1")->toolTip().contains(
            "截面高度 x 翼缘宽度 x 腹板厚度 x 翼缘厚度"));
    }

    // A number box the run read only in part is marked after Calculate: pale red, and a
    // tooltip naming the value used above the box's own. The report is the engine's, as
    // for any other text. The mark goes at the first edit, or at a run that reads the box
    // whole.
    void markShowsWhatTheRunRead_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("used");
        QTest::addColumn<QString>("clearedBy");  // "edit" or "run"
        QTest::newRow("angle with its unit, edited") << "Text5"
                                                     << "45度"
                                                     << "按 45 计算"
                                                     << "edit";
        QTest::newRow("angle with its unit, run again") << "Text5"
                                                        << "45度"
                                                        << "按 45 计算"
                                                        << "run";
        QTest::newRow("bolt as drawings name it") << "Text6"
                                                  << "M14"
                                                  << "按 0 计算"
                                                  << "edit";
        QTest::newRow("empty K2") << "Text3"
                                  << ""
                                  << "按 0 计算"
                                  << "run";
        QTest::newRow("K3 in words") << "Text4"
                                     << "五十"
                                     << "按 0 计算"
                                     << "edit";
        QTest::newRow("E2 with its unit") << "Text9"
                                          << "35mm"
                                          << "按 35 计算"
                                          << "run";
        QTest::newRow("locked gap keeps its mark") << "Text2"
                                                   << "0.1 间隙"
                                                   << "按 0.1 计算"
                                                   << "edit";
        QTest::newRow("locked gap, run again") << "Text2"
                                               << "12a"
                                               << "按 12 计算"
                                               << "run";
    }
    void markShowsWhatTheRunRead() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, used);
        QFETCH(QString, clearedBy);
        Fixture f;
        auto* edit = f.get<QLineEdit>(qPrintable(box));
        const bool gap = box == "Text2";
        const QColor plain = edit->palette().color(gap ? QPalette::Button : QPalette::Base);
        const QString ownTip = edit->toolTip();
        const QColor pink = Colour(window::kMarkedBox);
        QVERIFY(plain != pink);
        auto background = [edit] {
            return edit->grab().toImage().pixelColor(edit->width() - 4, edit->height() / 2);
        };
        QCOMPARE(background(), plain);

        edit->setText(text);  // the gap box can hold such a text while locked
        f.calculate();
        const QString expected = EngineReport(
            [&](DesignState&, InputTexts& in) { in.*Field(box) = text.toStdString(); });
        QVERIFY2(f.report() == expected, windowtest::Difference(expected, f.report()).constData());
        QVERIFY(Marked(*edit));
        QCOMPARE(background(), pink);
        QCOMPARE(edit->toolTip(), used + QLatin1Char('\n') + ownTip);
        for (const char* other : {"Text2", "Text3", "Text4", "Text5", "Text6", "Text9"})
            if (box != other) QVERIFY2(!Marked(*f.get<QLineEdit>(other)), other);

        f.calculate();  // the same text, the same mark
        QCOMPARE(background(), pink);
        if (clearedBy == "edit") {
            if (gap) ClickIndicator(f.get<QCheckBox>("Check1"));
            edit->setFocus();
            edit->end(false);
            QTest::keyClick(edit, Qt::Key_Backspace);
            if (gap) ClickIndicator(f.get<QCheckBox>("Check1"));  // locked again
        } else {
            edit->setText("12");  // a text set by the program is no edit
            QCOMPARE(background(), pink);
            f.calculate();
        }
        QVERIFY(!Marked(*edit));
        QCOMPARE(background(), plain);
        QCOMPARE(edit->toolTip(), ownTip);
    }

    // A faulted run marks too: the user sees every box read in part alongside the
    // message. A box the run could not read at all has the message instead of a mark.
    void marksComeWithAFault_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("designation");
        QTest::addColumn<bool>("marked");
        QTest::newRow("faulted designation, angle read in part") << "Text5"
                                                                 << "45度"
                                                                 << "500x200x6" << true;
        QTest::newRow("angle read in part as 0 is out of range") << "Text5"
                                                                 << "度"
                                                                 << "" << true;
        QTest::newRow("K2 beyond every range") << "Text3"
                                               << "1e999"
                                               << "" << false;
        QTest::newRow("K3 beyond the single range, text after") << "Text4"
                                                                << "1e39mm"
                                                                << "" << false;
    }
    void marksComeWithAFault() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, designation);
        QFETCH(bool, marked);
        Fixture f;
        if (!designation.isEmpty()) f.get<QLineEdit>("Text1")->setText(designation);
        f.get<QLineEdit>(qPrintable(box))->setText(text);
        f.calculate();
        QCOMPARE(f.faults.size(), 1);
        QCOMPARE(f.report(), QString("计算结果\n"));
        QCOMPARE(Marked(*f.get<QLineEdit>(qPrintable(box))), marked);
    }

    // The program's own reporter: a modal box with a Chinese button, closed here by a
    // timer that runs inside the box's event loop.
    void faultMessageBoxIsModalAndChinese() {
        Form15 window;
        window.show();
        Control<QLineEdit>(window, "Text5")->setText("90");
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
        QTest::mouseClick(Control<QToolButton>(window, "Command1"), Qt::LeftButton);
        QVERIFY(modal);
        QVERIFY2(text.startsWith("夹角超出范围\n与腹板夹角"), qPrintable(text));
        QCOMPARE(button, QString("确定"));
        QCOMPARE(Control<QPlainTextEdit>(window, "Text8")->toPlainText(), QString("计算结果\n"));
        QVERIFY(window.isVisible());
    }

    // Last: Close ends the program's event loop, as it ends the program.
    void closeEndsTheProgram() {
        Fixture f;
        QVERIFY(QApplication::quitOnLastWindowClosed());
        QTimer::singleShot(
            0, [&] { QTest::mouseClick(f.get<QToolButton>("Command3"), Qt::LeftButton); });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });  // never hang
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!f.window->isVisible());
        QVERIFY(f.faults.isEmpty());
    }
};

QTEST_MAIN(Form15BehaviourTest)
#include "form15_behaviour_test.moc"

// The window as it opens: where each control sits, what it says, its font and colours,
// the tab order, the size list and the artwork.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolButton>
#include <QtTest>

#include "catalogue/angle_catalogue.h"
#include "qt/form15.h"
#include "qt/look.h"
#include "window_test_support.h"

using namespace kneebrace;
using windowtest::Control;

namespace {

const QStringList kSongFaces = {"SimSun", "AR PL UMing CN", "Noto Serif CJK SC"};

QString ShownText(const QWidget* w) {
    if (auto* box = qobject_cast<const QGroupBox*>(w)) return box->title();
    if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) return edit->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
    if (auto* combo = qobject_cast<const QComboBox*>(w)) return combo->currentText();
    if (auto* text = qobject_cast<const QPlainTextEdit*>(w)) return text->toPlainText();
    return {};
}

bool IsPureBlue(QColor c) { return c.blue() > 200 && c.red() < 90 && c.green() < 90; }

int CountPixels(const QImage& image, QRect area, bool (*test)(QColor)) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += test(image.pixelColor(x, y));
    return n;
}

}  // namespace

class Form15LayoutTest : public QObject {
    Q_OBJECT

    Form15* window_ = nullptr;

private slots:
    void initTestCase() {
        ApplyApplicationLook();
        window_ = new Form15([](QWidget*, const QString&, const QString&) {});
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
    }
    void cleanupTestCase() { delete window_; }

    void twipsRoundTheEdgesNotTheSizes_data() {
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("exact") << QRect(585, 3495, 6450, 1515) << QRect(39, 233, 430, 101);
        // 1000 twips = 66.67 px: the far edge lands on 133, so the width is 66, not 67.
        QTest::newRow("fractional") << QRect(1000, 1000, 1000, 1000) << QRect(67, 67, 66, 66);
        QTest::newRow("neighbours touch") << QRect(1010, 0, 1010, 1010) << QRect(67, 0, 68, 67);
    }
    void twipsRoundTheEdgesNotTheSizes() {
        QFETCH(QRect, twips);
        QFETCH(QRect, pixels);
        QCOMPARE(PixelRect({twips.x(), twips.y(), twips.width(), twips.height()}), pixels);
    }

    // Positions in twips relative to the container; 0 points means the window's font.
    void controlsSitWhereTheLayoutPutsThem_data() {
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<double>("points");
        auto row = [](const char* name, const char* in, int l, int t, int w, int h, double pt) {
            QTest::newRow(name) << QString(in) << QRect(l, t, w, h) << pt;
        };
        row("Picture1", "Form15", 600, 180, 6465, 3180, 0);
        row("Frame1", "Form15", 585, 3495, 6450, 1515, 0);
        row("Frame2", "Form15", 555, 5115, 6510, 2640, 0);
        row("Text8", "Form15", 7290, 180, 5190, 7560, 9.75);
        row("Command1", "Form15", 7245, 7890, 1410, 825, 10.5);
        row("Command2", "Form15", 9195, 7890, 1410, 825, 10.5);
        row("Command3", "Form15", 11145, 7890, 1380, 810, 10.5);
        row("Label1", "Frame1", 210, 360, 1620, 345, 10.5);
        row("Text1", "Frame1", 1890, 285, 1665, 375, 10.5);
        row("Option1", "Frame1", 3990, 315, 780, 300, 10.5);
        row("Option2", "Frame1", 5055, 300, 855, 330, 10.5);
        row("Check1", "Frame1", 240, 840, 2280, 405, 0);
        row("Text2", "Frame1", 2850, 855, 720, 360, 10.5);
        row("Frame3", "Frame1", 3870, 720, 2385, 690, 0);
        row("Option3", "Frame3", 120, 285, 810, 300, 9.75);
        row("Option4", "Frame3", 1200, 285, 765, 300, 9.75);
        row("Label2", "Frame2", 540, 375, 810, 255, 0);
        row("Text3", "Frame2", 1425, 285, 675, 315, 10.5);
        row("Label3", "Frame2", 555, 825, 855, 300, 0);
        row("Text4", "Frame2", 1440, 750, 660, 330, 10.5);
        row("Label6", "Frame2", 555, 1290, 765, 240, 0);
        row("Text9", "Frame2", 1440, 1215, 660, 330, 10.5);
        row("Label4", "Frame2", 330, 1755, 1035, 255, 0);
        row("Text5", "Frame2", 1440, 1665, 675, 345, 10.5);
        row("Label5", "Frame2", 420, 2250, 960, 285, 0);
        row("Text6", "Frame2", 1440, 2160, 675, 345, 10.5);
        row("Combo1", "Frame2", 2535, 315, 1275, 300, 0);
        row("Text7", "Frame2", 3990, 315, 2265, 2205, 10.5);
    }
    void controlsSitWhereTheLayoutPutsThem() {
        QFETCH(QString, container);
        QFETCH(QRect, twips);
        QFETCH(double, points);
        QWidget* w = Control<QWidget>(*window_, QTest::currentDataTag());
        QVERIFY(w);
        QCOMPARE(w->parentWidget()->objectName(), container);
        // Every value of this layout is a whole number of pixels at 15 twips each.
        QCOMPARE(w->geometry(),
                 QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
        const QFontInfo font(w->font());
        QVERIFY2(kSongFaces.contains(font.family()), qPrintable(font.family()));
        QCOMPARE(font.pointSizeF(), points == 0 ? 9.0 : points);
        QCOMPARE(font.bold(), false);
        // A caption wider or taller than the room its control leaves for it is cut off.
        QRect room = w->rect();
        if (auto* button = qobject_cast<QAbstractButton*>(w);
            button && !qobject_cast<QToolButton*>(w)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            room = w->style()->subElementRect(qobject_cast<QRadioButton*>(w)
                                                  ? QStyle::SE_RadioButtonContents
                                                  : QStyle::SE_CheckBoxContents,
                                              &option, w);
        }
        if (qobject_cast<QLabel*>(w) || qobject_cast<QRadioButton*>(w) ||
            qobject_cast<QCheckBox*>(w)) {
            const QFontMetrics metrics(w->font());
            const int needed = metrics.horizontalAdvance(ShownText(w));
            QVERIFY2(needed <= room.width(),
                     qPrintable(QString("%1 > %2").arg(needed).arg(room.width())));
            QVERIFY(metrics.height() <= room.height());
        }
    }

    void controlsShowTheirStartTexts_data() {
        QTest::addColumn<QString>("text");
        const char* rows[][2] = {
            {"Frame1", "[H钢参数]"},
            {"Frame2", "[等边角钢参数]"},
            {"Frame3", "[隅撑布置方式]"},
            {"Label1", "截面HxBxTfxTw="},
            {"Label2", "孔距 K2="},
            {"Label3", "孔距 K3="},
            {"Label4", "与腹板夹角="},
            {"Label5", "螺栓直径M="},
            {"Label6", "伸出 E2="},
            {"Text1", "500x200x6x12"},
            {"Text2", "10"},
            {"Text3", "50"},
            {"Text4", "50"},
            {"Text5", "45"},
            {"Text6", "14"},
            {"Text9", "35"},
            {"Option1", "Q235"},
            {"Option2", "Q345"},
            {"Option3", "双侧"},
            {"Option4", "单侧"},
            {"Check1", "改檩条与H钢上翼板间隙="},
            {"Combo1", "L45X3"},
            {"Command1", "计   算"},
            {"Command2", "选   型"},
            {"Command3", "关   闭"},
            {"Text8", "计算结果\n"},
        };
        for (auto& r : rows) QTest::newRow(r[0]) << QString::fromUtf8(r[1]);
    }
    void controlsShowTheirStartTexts() {
        QFETCH(QString, text);
        const QWidget* w = Control<QWidget>(*window_, QTest::currentDataTag());
        QVERIFY(w);
        QCOMPARE(ShownText(w), text);
        // Every character drawn from the Song face itself: no empty boxes, no mixed faces.
        const QFontMetrics metrics(w->font());
        for (QChar c : text)
            if (c.isPrint()) QVERIFY2(metrics.inFont(c), qPrintable(QString(c)));
    }

    void windowOpensInItsStartState() {
        QCOMPARE(window_->windowTitle(), QString("角钢Omvarel by Tavrosk"));
        QCOMPARE(window_->size(), QSize(854, 590));
        // The two hints engineers know stay, word for word, on the tooltip's first line.
        QCOMPARE(Control<QLineEdit>(*window_, "Text4")->toolTip().section('\n', 0, 0),
                 QString("<100"));
        QCOMPARE(Control<QLineEdit>(*window_, "Text9")->toolTip().section('\n', 0, 0),
                 QString(">两倍的孔距"));
        QVERIFY(Control<QRadioButton>(*window_, "Option1")->isChecked());
        QVERIFY(!Control<QRadioButton>(*window_, "Option2")->isChecked());
        QVERIFY(Control<QRadioButton>(*window_, "Option3")->isChecked());
        QVERIFY(!Control<QRadioButton>(*window_, "Option4")->isChecked());
        QVERIFY(!Control<QCheckBox>(*window_, "Check1")->isChecked());
        QVERIFY(!Control<QLineEdit>(*window_, "Text2")->isEnabled());

        const DesignState& s = window_->designState();
        QCOMPARE(s.gradeCode, 1);
        QCOMPARE(s.gradeText, std::string(",材质Q235"));
        QCOMPARE(s.layoutCode, 1);
        QCOMPARE(s.layoutText, std::string("双侧"));
        QCOMPARE(s.A0, 265.0f);
        QCOMPARE(s.B2, 45.0f);
        QCOMPARE(s.T, 3.0f);
        QCOMPARE(s.Imin, 9.0f);
        const auto* text7 = Control<QPlainTextEdit>(*window_, "Text7");
        QCOMPARE(text7->toPlainText(), windowtest::AsShown(s.anglePropsText));
        QVERIFY(text7->toPlainText().contains("截面面积A0=265"));
    }

    // The two output boxes only show text: the report an engineer signs must not be
    // editable, and its long lines scroll instead of wrapping.
    void outputBoxesAreReadOnlyWithTheirScrollBars() {
        const auto* text7 = Control<QPlainTextEdit>(*window_, "Text7");
        const auto* text8 = Control<QPlainTextEdit>(*window_, "Text8");
        QVERIFY(text7->isReadOnly());
        QVERIFY(text8->isReadOnly());
        QCOMPARE(text7->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(text7->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(text8->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(text8->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(text8->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }

    void sizeListOffersTheCatalogueInOrder() {
        auto* combo = Control<QComboBox>(*window_, "Combo1");
        QVERIFY(combo->isEditable());
        QCOMPARE(combo->count(), 53);
        QCOMPARE(combo->itemText(0), QString("L45X3"));
        QCOMPARE(combo->itemText(11), QString("L56X8"));
        QCOMPARE(combo->itemText(52), QString("L125X14"));
        for (int i = 0; i < combo->count(); ++i)
            QCOMPARE(combo->itemText(i).toStdString(),
                     std::string(AngleCatalogue()[i].designation));
    }

    void tabOrderFollowsTheLayoutAndSkipsLabelsAndFrames() {
        const QStringList expected = {"Picture1", "Text1",    "Option1", "Option2", "Combo1",
                                      "Command1", "Command2", "Check1",  "Text2",   "Text3",
                                      "Text4",    "Text5",    "Text6",   "Text7",   "Text8",
                                      "Option3",  "Option4",  "Text9",   "Command3"};
        QStringList chain;
        QWidget* w = Control<QWidget>(*window_, "Picture1");
        do {
            if (expected.contains(w->objectName()) && !chain.contains(w->objectName()))
                chain << w->objectName();
            w = w->nextInFocusChain();
        } while (w != Control<QWidget>(*window_, "Picture1"));
        QCOMPARE(chain, expected);
        for (const char* name : {"Picture1", "Frame1", "Frame2", "Frame3", "Label1", "Label2",
                                 "Label3", "Label4", "Label5", "Label6"})
            QCOMPARE(Control<QWidget>(*window_, name)->focusPolicy(), Qt::NoFocus);
    }

    // A style sheet on the window cuts children off from the window's font unless the
    // application carries it: every visible widget, inner ones included, must be Song.
    void everyVisibleWidgetDrawsInTheSongFace() {
        for (QWidget* w : window_->findChildren<QWidget*>()) {
            if (!w->isVisible()) continue;
            const QString family = QFontInfo(w->font()).family();
            QVERIFY2(
                kSongFaces.contains(family),
                qPrintable(w->objectName() + " " + w->metaObject()->className() + " " + family));
        }
        QVERIFY(kSongFaces.contains(QFontInfo(QApplication::font("QMessageBox")).family()));
    }

    void captionsAndPropertiesAreBlueOnlyWhereTheLayoutSaysSo() {
        const QImage frame = Control<QWidget>(*window_, "Frame1")->grab().toImage();
        QVERIFY(CountPixels(frame, QRect(0, 0, 80, 12), IsPureBlue) > 20);
        for (const char* plain : {"Label1", "Option1", "Check1", "Option3", "Label2"}) {
            const QImage image = Control<QWidget>(*window_, plain)->grab().toImage();
            QVERIFY2(CountPixels(image, image.rect(), IsPureBlue) == 0, plain);
        }
        auto* text7 = Control<QPlainTextEdit>(*window_, "Text7");
        const QImage props = text7->viewport()->grab().toImage();
        QVERIFY(CountPixels(props, props.rect(), IsPureBlue) > 100);
        const QImage report = Control<QWidget>(*window_, "Text8")->grab().toImage();
        QCOMPARE(CountPixels(report, report.rect(), IsPureBlue), 0);
    }

    void pictureButtonsAreOrange() {
        for (const char* name : {"Command1", "Command2", "Command3"}) {
            const QImage image = Control<QWidget>(*window_, name)->grab().toImage();
            QCOMPARE(image.pixelColor(5, image.height() / 2), QColor(255, 192, 128));
        }
    }

    // Without Qt's SVG plugins the pictures come out empty and nothing else complains.
    void artworkLoadsAndIsShownUnscaled() {
        for (const char* file : {":/artwork/diagram.svg", ":/artwork/calc.svg",
                                 ":/artwork/close.svg", ":/artwork/sizing.svg"})
            QVERIFY2(QFile::exists(file), file);
        const QImage calc = Control<QToolButton>(*window_, "Command1")->icon().pixmap(32).toImage();
        QCOMPARE(calc.size(), QSize(32, 32));
        QCOMPARE(calc.pixelColor(8, 14), QColor(0, 255, 0));  // the calculator's display
        const QImage close =
            Control<QToolButton>(*window_, "Command3")->icon().pixmap(32).toImage();
        QCOMPARE(close.size(), QSize(32, 32));
        QVERIFY(close.pixelColor(6, 16).red() > 180 && close.pixelColor(6, 16).green() < 80);
        QCOMPARE(close.pixelColor(16, 16), QColor(255, 255, 255));  // the cross
        const QImage sizing =
            Control<QToolButton>(*window_, "Command2")->icon().pixmap(32).toImage();
        QCOMPARE(sizing.size(), QSize(32, 32));
        QCOMPARE(sizing.pixelColor(22, 14), QColor(128, 255, 128));  // the chosen row
        QCOMPARE(sizing.pixelColor(25, 21), QColor(0, 128, 0));      // the tick

        // Drawn from the inner top left of the one-pixel frame at 429 x 210: the web of
        // the beam is at x 198..202 of the drawing, white paper beside it.
        const QImage picture = Control<QWidget>(*window_, "Picture1")->grab().toImage();
        QCOMPARE(picture.size(), QSize(431, 212));
        QCOMPARE(picture.pixelColor(1 + 200, 1 + 100), QColor(0xbc, 0xbc, 0xbc));
        QCOMPARE(picture.pixelColor(1 + 100, 1 + 120), QColor(255, 255, 255));
        QVERIFY(picture.pixelColor(0, 100) != QColor(255, 255, 255));
    }
};

QTEST_MAIN(Form15LayoutTest)
#include "form15_layout_test.moc"

// The window as it opens: each control where its row in the table puts it, in its font,
// with its caption, in the table's tab order; the colours, the size list and the artwork.
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

#include <algorithm>

#include "catalogue/angle_catalogue.h"
#include "qt/form15.h"
#include "qt/look.h"
#include "window/control_table.h"
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

    // The twip grid on the screen rounds each edge, so that neighbours in twips stay
    // neighbours in pixels: 1000 twips are 66.67 px, so the far edge lands on 133.
    void twipsRoundTheEdgesNotTheSizes_data() {
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("fractional") << QRect(1000, 1000, 1000, 1000) << QRect(67, 67, 66, 66);
        QTest::newRow("neighbours touch") << QRect(1010, 0, 1010, 1010) << QRect(67, 0, 68, 67);
    }
    void twipsRoundTheEdgesNotTheSizes() {
        QFETCH(QRect, twips);
        QFETCH(QRect, pixels);
        QCOMPARE(PixelRect({twips.x(), twips.y(), twips.width(), twips.height()}), pixels);
    }

    // Each row of the table is a widget of the table's name at the row's place on the
    // client area, rounded from twips at 96 dpi edge by edge, in the row's font.
    void everyControlSitsWhereItsRowSays() {
        for (const window::ControlRow& row : window::Form15Controls()) {
            const QWidget* w = Control<QWidget>(*window_, FromUtf8(row.name));
            QVERIFY2(w, row.name.data());
            const window::TwipRect twips = window::OnClientArea(row);
            const auto px = [](int t) { return window::TwipsToPixels(t, 96); };
            const QRect expected(px(twips.left), px(twips.top), px(twips.right()) - px(twips.left),
                                 px(twips.bottom()) - px(twips.top));
            QCOMPARE(QRect(w->mapTo(window_, QPoint(0, 0)), w->size()), expected);
            const QString parent = row.parent.empty() ? QString("Form15") : FromUtf8(row.parent);
            QCOMPARE(w->parentWidget()->objectName(), parent);
            const QFontInfo font(w->font());
            QVERIFY2(kSongFaces.contains(font.family()), qPrintable(font.family()));
            QCOMPARE(font.pointSizeF(), row.fontPoints > 0 ? row.fontPoints : 9.0);
            QCOMPARE(font.bold(), false);
            QCOMPARE(w->toolTip(), FromUtf8(row.tooltip));
        }
    }

    // A few rows as drawn: the whole layout is on whole pixels at 15 twips each.
    void knownRowsInPixels_data() {
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("Frame1") << QRect(39, 233, 430, 101);
        QTest::newRow("Text1") << QRect(165, 252, 111, 25);   // in Frame1
        QTest::newRow("Option4") << QRect(377, 300, 51, 20);  // in Frame3 in Frame1
        QTest::newRow("Text8") << QRect(486, 12, 346, 484);
        QTest::newRow("Command3") << QRect(743, 526, 92, 54);
    }
    void knownRowsInPixels() {
        QFETCH(QRect, pixels);
        const QWidget* w = Control<QWidget>(*window_, QTest::currentDataTag());
        QCOMPARE(QRect(w->mapTo(window_, QPoint(0, 0)), w->size()), pixels);
    }

    // A caption wider or taller than the room its control leaves for it is cut off.
    void captionsFitTheirRoom() {
        for (QWidget* w : window_->findChildren<QWidget*>()) {
            if (!qobject_cast<QLabel*>(w) && !qobject_cast<QRadioButton*>(w) &&
                !qobject_cast<QCheckBox*>(w))
                continue;
            QRect room = w->rect();
            if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                QStyleOptionButton option;
                option.initFrom(button);
                option.text = button->text();
                room = w->style()->subElementRect(qobject_cast<QRadioButton*>(w)
                                                      ? QStyle::SE_RadioButtonContents
                                                      : QStyle::SE_CheckBoxContents,
                                                  &option, w);
            }
            const QFontMetrics metrics(w->font());
            const int needed = metrics.horizontalAdvance(ShownText(w));
            QVERIFY2(
                needed <= room.width(),
                qPrintable(
                    QString("%1: %2 > %3").arg(w->objectName()).arg(needed).arg(room.width())));
            QVERIFY(metrics.height() <= room.height());
        }
    }

    // Captions and start texts as the table has them, every character drawn from the
    // Song face itself: no empty boxes, no mixed faces. The properties box shows the
    // first size's properties from the start instead.
    void controlsShowTheirCaptions() {
        for (const window::ControlRow& row : window::Form15Controls()) {
            if (row.kind == window::ControlKind::PropertiesBox) continue;
            const QWidget* w = Control<QWidget>(*window_, FromUtf8(row.name));
            const QString text = windowtest::AsShown(std::string(row.caption));
            QCOMPARE(ShownText(w), text);
            const QFontMetrics metrics(w->font());
            for (QChar c : text)
                if (c.isPrint()) QVERIFY2(metrics.inFont(c), qPrintable(QString(c)));
        }
        QCOMPARE(ShownText(Control<QWidget>(*window_, "Command2")), QString("选   型"));
    }

    void windowOpensInItsStartState() {
        QCOMPARE(window_->windowTitle(), QString("角钢Omvarel by Tavrosk"));
        QCOMPARE(window_->size(), QSize(854, 590));  // 12810 x 8850 twips
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

    // Tab walks the table's focus order round; labels, frames and the drawing are never
    // in it.
    void tabOrderIsTheTablesFocusOrder() {
        QStringList expected;
        for (const window::ControlRow* row : window::FocusOrder()) expected << FromUtf8(row->name);
        QStringList chain;
        QWidget* first = Control<QWidget>(*window_, expected.first());
        QWidget* w = first;
        do {
            const window::ControlRow* row = window::FindControl(w->objectName().toStdString());
            if (row && !chain.contains(w->objectName())) chain << w->objectName();
            w = w->nextInFocusChain();
        } while (w != first);
        QCOMPARE(chain.size(), int(window::Form15Controls().size()));
        chain.erase(std::remove_if(chain.begin(), chain.end(),
                                   [this](const QString& name) {
                                       return Control<QWidget>(*window_, name)->focusPolicy() ==
                                              Qt::NoFocus;
                                   }),
                    chain.end());
        QCOMPARE(chain, expected);
        QCOMPARE(expected.mid(0, 4), QStringList({"Text1", "Option1", "Option2", "Combo1"}));
        QCOMPARE(expected.last(), QString("Command3"));
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

#include "ui/form15.h"

#include <exception>
#include <string_view>
#include <utility>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "catalogue/angle_catalogue.h"
#include "core/calculation_run.h"
#include "core/fault.h"
#include "ui/look.h"
#include "ui/pick_combo.h"
#include "ui/picture_box.h"

namespace kneebrace {

namespace {

constexpr double kLargePoints = 10.5;  // 宋体 10.5 pt (五号), the input boxes and buttons
constexpr double kSmallPoints = 9.75;  // the report and the arrangement options

// The drawing is 429 x 210 pixels; the picture box adds a one-pixel frame all round.
constexpr QSize kDiagramSize(429, 210);

// Fusion draws a group box's frame line below its caption and colours captions from the
// palette, which would turn every caption inside blue too; the style sheet puts the line
// through the caption and colours the caption alone. Colours on buttons only stick when
// a border is given as well.
constexpr char kStyleSheet[] =
    "QGroupBox { border: 1px solid rgb(160,160,160); margin-top: 6px; }"
    "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
    " left: 6px; padding: 0 1px; color: rgb(0,0,255); }"
    "QToolButton[picture=\"true\"] { background-color: rgb(255,192,128);"
    " border: 1px solid rgb(160,160,160); border-radius: 2px; }"
    "QToolButton[picture=\"true\"]:focus { border-color: rgb(64,64,64); }"
    "QToolButton[picture=\"true\"]:pressed { background-color: rgb(230,170,110);"
    " border-color: rgb(90,90,90); }"
    "QPlainTextEdit#Text7 { color: rgb(0,0,255); }";

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <typename W>
W* Place(W* widget, const char* name, int left, int top, int width, int height) {
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(TwipsRect(left, top, width, height));
    return widget;
}

QLineEdit* MakeInputBox(QWidget* parent, const QString& text) {
    auto* box = new QLineEdit(text, parent);
    box->setFont(SongFont(kLargePoints));
    return box;
}

QLabel* MakeLabel(QWidget* parent, const QString& caption) {
    // A classic label draws its caption from the top left; the layout sets labels a
    // little lower than their boxes so that the texts line up.
    auto* label = new QLabel(caption, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QToolButton* MakePictureButton(QWidget* parent, const QString& caption, const QString& icon) {
    auto* button = new QToolButton(parent);
    button->setText(caption);
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFont(SongFont(kLargePoints));
    button->setFocusPolicy(Qt::StrongFocus);
    button->setProperty("picture", true);
    return button;
}

// A multi-line box that only shows text: the user can select and copy, not edit.
QPlainTextEdit* MakeOutputBox(QWidget* parent, const QString& text, double points) {
    auto* box = new QPlainTextEdit(parent);
    box->setFont(SongFont(points));
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setTabChangesFocus(true);
    box->setPlainText(text);
    return box;
}

}  // namespace

FaultReporter MessageBoxReporter() {
    return [](QWidget* parent, const QString& kindTitle, const QString& message) {
        // One text, kind on the first line: Qt sizes the box by its main text, and a short
        // main text would squeeze the message into a narrow column.
        QMessageBox box(QMessageBox::Warning, QStringLiteral("计算中止"),
                        kindTitle + QLatin1Char('\n') + message, QMessageBox::Ok, parent);
        // Chinese even where Qt's translation is not installed.
        box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
        box.exec();
    };
}

Form15::Form15(FaultReporter reportFault, QWidget* parent)
    : QWidget(parent), reportFault_(std::move(reportFault)) {
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("角钢Omvarel by Tavrosk"));
    setWindowIcon(QIcon(QStringLiteral(":/artwork/calc.svg")));
    // The controls sit at fixed twip positions, so the client area does not resize.
    setFixedSize(TwipsToPixels(12810), TwipsToPixels(8850));
    // Before the controls exist, so that they are polished once, with it in place.
    setStyleSheet(QLatin1String(kStyleSheet));
    CreateControls();
    SetTabOrder();
    ConnectHandlers();
    Load();
}

void Form15::CreateControls() {
    const QFont largeFont = SongFont(kLargePoints);
    const QFont smallFont = SongFont(kSmallPoints);

    Picture1 =
        Place(new PictureBox(QIcon(QStringLiteral(":/artwork/diagram.svg")), kDiagramSize, this),
              "Picture1", 600, 180, 6465, 3180);
    Picture1->setFocusPolicy(Qt::StrongFocus);

    Frame1 =
        Place(new QGroupBox(QStringLiteral("[H钢参数]"), this), "Frame1", 585, 3495, 6450, 1515);
    Label1 =
        Place(MakeLabel(Frame1, QStringLiteral("截面HxBxTfxTw=")), "Label1", 210, 360, 1620, 345);
    Label1->setFont(largeFont);
    Text1 =
        Place(MakeInputBox(Frame1, QStringLiteral("500x200x6x12")), "Text1", 1890, 285, 1665, 375);
    Option1 =
        Place(new QRadioButton(QStringLiteral("Q235"), Frame1), "Option1", 3990, 315, 780, 300);
    Option1->setFont(largeFont);
    Option1->setChecked(true);
    Option2 =
        Place(new QRadioButton(QStringLiteral("Q345"), Frame1), "Option2", 5055, 300, 855, 330);
    Option2->setFont(largeFont);
    Check1 = Place(new QCheckBox(QStringLiteral("改檩条与H钢上翼板间隙="), Frame1), "Check1", 240,
                   840, 2280, 405);
    Text2 = Place(MakeInputBox(Frame1, QStringLiteral("10")), "Text2", 2850, 855, 720, 360);
    // The gap box shows the button-face colour while it cannot be edited and the window
    // colour while it can. Stated here rather than left to a desktop theme.
    QPalette gapPalette = Text2->palette();
    const QColor buttonFace = gapPalette.color(QPalette::Active, QPalette::Button);
    const QColor windowBackground = gapPalette.color(QPalette::Active, QPalette::Base);
    gapPalette.setColor(QPalette::Disabled, QPalette::Base, buttonFace);
    gapPalette.setColor(QPalette::Active, QPalette::Base, windowBackground);
    gapPalette.setColor(QPalette::Inactive, QPalette::Base, windowBackground);
    Text2->setPalette(gapPalette);

    Frame3 = Place(new QGroupBox(QStringLiteral("[隅撑布置方式]"), Frame1), "Frame3", 3870, 720,
                   2385, 690);
    Option3 =
        Place(new QRadioButton(QStringLiteral("双侧"), Frame3), "Option3", 120, 285, 810, 300);
    Option3->setFont(smallFont);
    Option3->setChecked(true);
    Option4 =
        Place(new QRadioButton(QStringLiteral("单侧"), Frame3), "Option4", 1200, 285, 765, 300);
    Option4->setFont(smallFont);
    // Option buttons exclude each other within their frame. Qt looks for partners among
    // all buttons below the parent, nested frames included, so the arrangement options
    // in Frame3 would join the grade group of Frame1: a click on the grade already chosen
    // would then clear it. Explicit groups keep the two apart.
    auto* gradeGroup = new QButtonGroup(this);
    gradeGroup->addButton(Option1);
    gradeGroup->addButton(Option2);
    auto* layoutGroup = new QButtonGroup(this);
    layoutGroup->addButton(Option3);
    layoutGroup->addButton(Option4);

    Frame2 = Place(new QGroupBox(QStringLiteral("[等边角钢参数]"), this), "Frame2", 555, 5115, 6510,
                   2640);
    Label2 = Place(MakeLabel(Frame2, QStringLiteral("孔距 K2=")), "Label2", 540, 375, 810, 255);
    Text3 = Place(MakeInputBox(Frame2, QStringLiteral("50")), "Text3", 1425, 285, 675, 315);
    Label3 = Place(MakeLabel(Frame2, QStringLiteral("孔距 K3=")), "Label3", 555, 825, 855, 300);
    Text4 = Place(MakeInputBox(Frame2, QStringLiteral("50")), "Text4", 1440, 750, 660, 330);
    Text4->setToolTip(QStringLiteral("<100"));
    Label6 = Place(MakeLabel(Frame2, QStringLiteral("伸出 E2=")), "Label6", 555, 1290, 765, 240);
    Text9 = Place(MakeInputBox(Frame2, QStringLiteral("35")), "Text9", 1440, 1215, 660, 330);
    Text9->setToolTip(QStringLiteral(">两倍的孔距"));
    Label4 =
        Place(MakeLabel(Frame2, QStringLiteral("与腹板夹角=")), "Label4", 330, 1755, 1035, 255);
    Text5 = Place(MakeInputBox(Frame2, QStringLiteral("45")), "Text5", 1440, 1665, 675, 345);
    Label5 = Place(MakeLabel(Frame2, QStringLiteral("螺栓直径M=")), "Label5", 420, 2250, 960, 285);
    Text6 = Place(MakeInputBox(Frame2, QStringLiteral("14")), "Text6", 1440, 2160, 675, 345);

    Combo1 = Place(new QComboBox(Frame2), "Combo1", 2535, 315, 1275, 300);
    MakePickOnly(*Combo1);
    // The list keeps the catalogue's order; the control never sorts it.
    for (const AngleSection& row : AngleCatalogue()) Combo1->addItem(FromUtf8(row.designation));
    Combo1->setCurrentIndex(0);

    Text7 = Place(MakeOutputBox(Frame2, QStringLiteral("角钢截面特性\r\n"), kLargePoints), "Text7",
                  3990, 315, 2265, 2205);
    Text7->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text7->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // Report lines are longer than the box is wide; they scroll rather than wrap, so
    // each printed line stays one line.
    Text8 = Place(MakeOutputBox(this, QStringLiteral("计算结果\r\n"), kSmallPoints), "Text8", 7290,
                  180, 5190, 7560);
    Text8->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text8->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text8->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Command1 = Place(
        MakePictureButton(this, QStringLiteral("计   算"), QStringLiteral(":/artwork/calc.svg")),
        "Command1", 7245, 7890, 1410, 825);
    Command3 = Place(
        MakePictureButton(this, QStringLiteral("关   闭"), QStringLiteral(":/artwork/close.svg")),
        "Command3", 11145, 7890, 1380, 810);
}

void Form15::SetTabOrder() {
    // The layout's tab indexes, with the labels and frames left out: they hold a place
    // in the order but never take the focus.
    QWidget* const order[] = {Picture1, Text1, Option1, Option2, Combo1, Command1,
                              Check1,   Text2, Text3,   Text4,   Text5,  Text6,
                              Text7,    Text8, Option3, Option4, Text9,  Command3};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void Form15::ConnectHandlers() {
    // Each option writes its code and text at once; nothing is recomputed until the
    // next Calculate. A click on the option already chosen writes the same again.
    connect(Option1, &QRadioButton::clicked, this, [this] { ChooseGrade(state_, 1); });
    connect(Option2, &QRadioButton::clicked, this, [this] { ChooseGrade(state_, 2); });
    connect(Option3, &QRadioButton::clicked, this, [this] { ChooseLayout(state_, 1); });
    connect(Option4, &QRadioButton::clicked, this, [this] { ChooseLayout(state_, 2); });
    connect(Check1, &QCheckBox::clicked, this, &Form15::Check1Click);
    connect(Combo1, &QComboBox::activated, this, &Form15::Combo1Click);
    connect(Command1, &QToolButton::clicked, this, &Form15::Command1Click);
    // The only window: closing it ends the program, with nothing to ask or save.
    connect(Command3, &QToolButton::clicked, this, &QWidget::close);
}

void Form15::Load() {
    Text2->setEnabled(false);
    state_ = StartupDesignState();
    Text7->setPlainText(FromUtf8(state_.anglePropsText));
}

void Form15::Check1Click() {
    // The box only decides whether the gap can be edited: the run reads its text
    // either way. The greyed third state, which a click never produces, changes nothing.
    switch (Check1->checkState()) {
        case Qt::Unchecked: Text2->setEnabled(false); break;
        case Qt::Checked: Text2->setEnabled(true); break;
        case Qt::PartiallyChecked: break;
    }
}

void Form15::Combo1Click() {
    SelectAngle(state_, Combo1->currentText().toStdString());
    Text7->setPlainText(FromUtf8(state_.anglePropsText));
}

void Form15::Command1Click() {
    const InputTexts in{Text1->text().toStdString(), Text2->text().toStdString(),
                        Text3->text().toStdString(), Text4->text().toStdString(),
                        Text5->text().toStdString(), Text6->text().toStdString(),
                        Text9->text().toStdString()};
    try {
        RunCalculation(state_, in);
    } catch (const CalculationFault& fault) {
        // The report box keeps the last complete report; the inputs stay as typed.
        reportFault_(this, FromUtf8(FaultKindTitle(fault.kind())), QString::fromUtf8(fault.what()));
        return;
    } catch (const std::exception& error) {
        // Nothing but CalculationFault is expected here, but an exception must not
        // cross Qt's event loop, which would end the program with the inputs lost.
        reportFault_(this, QStringLiteral("计算错误"), QString::fromLocal8Bit(error.what()));
        return;
    }
    // CR LF arrives as it is: the box treats it as one line break and draws no CR.
    Text8->setPlainText(FromUtf8(state_.reportText));
}

}  // namespace kneebrace

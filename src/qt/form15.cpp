#include "qt/form15.h"

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

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
#include "qt/look.h"
#include "qt/pick_combo.h"
#include "qt/picture_box.h"
#include "qt/sizing_dialog.h"
#include "window/control_table.h"
#include "window/form_actions.h"
#include "window/input_marks.h"
#include "window/keyboard.h"

namespace kneebrace {

namespace {

// The drawing is 429 x 210 pixels; the picture box adds a one-pixel frame all round.
constexpr QSize kDiagramSize(window::kDiagramWidthPixels, window::kDiagramHeightPixels);

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

QString Artwork(std::string_view file) { return QStringLiteral(":/artwork/") + FromUtf8(file); }

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
    button->setFocusPolicy(Qt::StrongFocus);
    button->setProperty("picture", true);
    return button;
}

// A multi-line box that only shows text: the user can select and copy, not edit.
QPlainTextEdit* MakeOutputBox(QWidget* parent, const QString& text) {
    auto* box = new QPlainTextEdit(parent);
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setTabChangesFocus(true);
    box->setPlainText(text);
    return box;
}

// The gap box shows the button-face colour while it cannot be edited and the window
// colour while it can. Stated here rather than left to a desktop theme.
void PaintGapBoxColours(QLineEdit& box) {
    QPalette palette = box.palette();
    const QColor buttonFace = palette.color(QPalette::Active, QPalette::Button);
    const QColor windowBackground = palette.color(QPalette::Active, QPalette::Base);
    palette.setColor(QPalette::Disabled, QPalette::Base, buttonFace);
    palette.setColor(QPalette::Active, QPalette::Base, windowBackground);
    palette.setColor(QPalette::Inactive, QPalette::Base, windowBackground);
    box.setPalette(palette);
}

// A number box the last run did not read whole is drawn on pale red, in every state: the
// gap box keeps the mark while it is locked. Unmarked, a box has the window's colours,
// and the gap box its own pair.
void PaintMark(QLineEdit& box, bool marked) {
    box.setPalette(QPalette());
    if (box.objectName() == QLatin1String("Text2")) PaintGapBoxColours(box);
    if (!marked) return;
    QPalette palette = box.palette();
    palette.setColor(QPalette::Base, QColor::fromRgb(window::kMarkColourRgb));
    box.setPalette(palette);
}

// One row of the control table as a Qt widget, without its name, place or font.
QWidget* MakeControl(const window::ControlRow& entry, QWidget* parent) {
    const QString caption = FromUtf8(entry.caption);
    switch (entry.kind) {
        case window::ControlKind::PictureBox:
            return new PictureBox(QIcon(Artwork(entry.artwork)), kDiagramSize, parent);
        case window::ControlKind::Frame: return new QGroupBox(caption, parent);
        case window::ControlKind::Label: return MakeLabel(parent, caption);
        case window::ControlKind::InputBox: return new QLineEdit(caption, parent);
        case window::ControlKind::OptionButton: {
            auto* option = new QRadioButton(caption, parent);
            option->setChecked(entry.selectedAtStart);
            return option;
        }
        case window::ControlKind::CheckBox: return new QCheckBox(caption, parent);
        case window::ControlKind::SizeList: {
            auto* combo = new QComboBox(parent);
            MakePickOnly(*combo);
            // The list keeps the catalogue's order; the control never sorts it.
            for (const AngleSection& row : AngleCatalogue())
                combo->addItem(FromUtf8(row.designation));
            combo->setCurrentIndex(0);
            return combo;
        }
        case window::ControlKind::PropertiesBox: {
            auto* box = MakeOutputBox(parent, caption);
            box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            return box;
        }
        case window::ControlKind::ReportBox: {
            // Report lines are longer than the box is wide; they scroll rather than
            // wrap, so each printed line stays one line.
            auto* box = MakeOutputBox(parent, caption);
            box->setLineWrapMode(QPlainTextEdit::NoWrap);
            box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            return box;
        }
        case window::ControlKind::PictureButton:
            return MakePictureButton(parent, caption, Artwork(entry.artwork));
    }
    return nullptr;
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

Form15::Form15(FaultReporter reportFault, ReportDialogs reportDialogs, QWidget* parent)
    : QWidget(parent), reportFault_(std::move(reportFault)) {
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(FromUtf8(window::kWindowTitle));
    setWindowIcon(QIcon(QStringLiteral(":/artwork/calc.svg")));
    // The controls sit at fixed twip positions, so the client area does not resize.
    setFixedSize(TwipsToPixels(window::kClientWidthTwips),
                 TwipsToPixels(window::kClientHeightTwips));
    // Before the controls exist, so that they are polished once, with it in place.
    setStyleSheet(QLatin1String(kStyleSheet));
    CreateControls();
    SetTabOrder();
    ConnectHandlers();
    // The report box's menu with printing and export; a child of the window.
    new ReportMenu(*this, *Text8, state_, std::move(reportDialogs));
    Load();
}

Form15::~Form15() {
    // QWidget's destructor closes the window, and the size field losing the focus then
    // would commit its text into a record already destroyed.
    disconnect(Combo1->lineEdit(), nullptr, this, nullptr);
}

template <typename W>
W* Form15::Find(std::string_view name) const {
    return findChild<W*>(FromUtf8(name));
}

void Form15::CreateControls() {
    for (const window::ControlRow& entry : window::Form15Controls()) {
        QWidget* parent = entry.parent.empty() ? this : Find<QWidget>(entry.parent);
        QWidget* w = MakeControl(entry, parent);
        w->setObjectName(FromUtf8(entry.name));
        const auto& r = entry.rect;
        w->setGeometry(TwipsRect(r.left, r.top, r.width, r.height));
        if (entry.fontPoints > 0) w->setFont(SongFont(entry.fontPoints));
        if (!entry.tooltip.empty()) w->setToolTip(FromUtf8(entry.tooltip));
        if (entry.disabledAtStart) w->setEnabled(false);
        w->setFocusPolicy(window::TakesFocus(entry.kind) ? Qt::StrongFocus : Qt::NoFocus);
    }
    Picture1 = Find<PictureBox>("Picture1");
    Frame1 = Find<QGroupBox>("Frame1");
    Label1 = Find<QLabel>("Label1");
    Text1 = Find<QLineEdit>("Text1");
    Option1 = Find<QRadioButton>("Option1");
    Option2 = Find<QRadioButton>("Option2");
    Check1 = Find<QCheckBox>("Check1");
    Text2 = Find<QLineEdit>("Text2");
    Frame3 = Find<QGroupBox>("Frame3");
    Option3 = Find<QRadioButton>("Option3");
    Option4 = Find<QRadioButton>("Option4");
    Frame2 = Find<QGroupBox>("Frame2");
    Label2 = Find<QLabel>("Label2");
    Text3 = Find<QLineEdit>("Text3");
    Label3 = Find<QLabel>("Label3");
    Text4 = Find<QLineEdit>("Text4");
    Label6 = Find<QLabel>("Label6");
    Text9 = Find<QLineEdit>("Text9");
    Label4 = Find<QLabel>("Label4");
    Text5 = Find<QLineEdit>("Text5");
    Label5 = Find<QLabel>("Label5");
    Text6 = Find<QLineEdit>("Text6");
    Combo1 = Find<QComboBox>("Combo1");
    Text7 = Find<QPlainTextEdit>("Text7");
    Text8 = Find<QPlainTextEdit>("Text8");
    Command1 = Find<QToolButton>("Command1");
    Command2 = Find<QToolButton>("Command2");
    Command3 = Find<QToolButton>("Command3");

    PaintGapBoxColours(*Text2);
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
}

void Form15::SetTabOrder() {
    // The layout's tab indexes, with the controls that never take the focus left out.
    const std::vector<const window::ControlRow*> order = window::FocusOrder();
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(Find<QWidget>(order[i - 1]->name), Find<QWidget>(order[i]->name));
}

void Form15::ConnectHandlers() {
    for (const window::ControlRow& entry : window::Form15Controls()) {
        switch (window::EnterIn(entry.kind)) {
            case window::EnterKey::Calculates: {
                auto* box = Find<QLineEdit>(entry.name);
                // QLineEdit emits returnPressed for both Enter keys.
                connect(box, &QLineEdit::returnPressed, Command1, &QToolButton::click);
                // Any edit by the user takes the mark away; a text set by the program
                // does not emit textEdited.
                connect(box, &QLineEdit::textEdited, this, [this, box, name = entry.name] {
                    if (!box->property("unread").toBool()) return;
                    const window::BoxMark cleared{name, false, {}};
                    ShowMark(*box, cleared);
                });
                break;
            }
            case window::EnterKey::CommitsSize:
                // Enter and the focus leaving both end in editingFinished, Enter twice
                // (QComboBox forwards the key back to the field).
                connect(Find<QComboBox>(entry.name)->lineEdit(), &QLineEdit::editingFinished, this,
                        &Form15::Combo1Commit);
                break;
            case window::EnterKey::Ignored: break;
        }
    }
    for (QRadioButton* option : {Option1, Option2, Option3, Option4}) {
        connect(option, &QRadioButton::clicked, this, [this, option] {
            window::ClickOption(state_, option->objectName().toStdString());
        });
    }
    connect(Check1, &QCheckBox::clicked, this, &Form15::Check1Click);
    connect(Combo1, &QComboBox::activated, this, &Form15::Combo1Click);
    connect(Command1, &QToolButton::clicked, this, &Form15::Command1Click);
    connect(Command2, &QToolButton::clicked, this, &Form15::Command2Click);
    // The only window: closing it ends the program, with nothing to ask or save.
    connect(Command3, &QToolButton::clicked, this, &QWidget::close);
}

void Form15::Load() {
    state_ = window::LoadForm();
    Text7->setPlainText(FromUtf8(state_.anglePropsText));
    // Taken when the window first becomes active; until then Qt keeps it as the
    // window's focus widget.
    if (auto* first = qobject_cast<QLineEdit*>(Find<QWidget>(window::StartFocus().name))) {
        first->setFocus();
        first->selectAll();
    }
}

void Form15::Check1Click() {
    window::CheckValue value = window::CheckValue::Greyed;
    if (Check1->checkState() == Qt::Unchecked) value = window::CheckValue::Cleared;
    if (Check1->checkState() == Qt::Checked) value = window::CheckValue::Ticked;
    if (const std::optional<bool> enabled = window::GapBoxEnabledAfter(value))
        Text2->setEnabled(*enabled);
}

void Form15::Combo1Click() {
    window::PickSize(state_, Combo1->currentText().toStdString());
    Text7->setPlainText(FromUtf8(state_.anglePropsText));
}

InputTexts Form15::ReadInputs() const {
    return {Text1->text().toStdString(), Text2->text().toStdString(), Text3->text().toStdString(),
            Text4->text().toStdString(), Text5->text().toStdString(), Text6->text().toStdString(),
            Text9->text().toStdString()};
}

void Form15::Combo1Commit() {
    // Only typed text is committed. The flag is cleared whenever the program sets the
    // field, so the second editingFinished of an Enter, or the focus merely passing
    // through, picks nothing: a text just put back must not turn into a pick.
    if (!Combo1->lineEdit()->isModified()) return;
    const window::TypedSize typed =
        window::CommitTypedSize(state_, Combo1->currentText().toStdString());
    const QString text = FromUtf8(typed.fieldText);
    // The list's current entry follows, as after a pick; setting it never emits activated.
    Combo1->setCurrentIndex(Combo1->findText(text));
    Combo1->setEditText(text);
    if (!typed.picks) return;
    window::PickSize(state_, typed.fieldText);
    Text7->setPlainText(FromUtf8(state_.anglePropsText));
}

void Form15::ShowMark(QLineEdit& box, const window::BoxMark& mark) {
    box.setProperty("unread", mark.marked);
    PaintMark(box, mark.marked);
    box.setToolTip(FromUtf8(window::TooltipFor(mark.box, &mark)));
}

void Form15::Command1Click() {
    const InputTexts in = ReadInputs();
    const std::optional<window::FaultMessage> fault = window::Calculate(state_, in);
    // Before the message box: the user reads the message with the marks in view.
    for (const window::BoxMark& mark : window::MarkUnreadInputs(in))
        ShowMark(*Find<QLineEdit>(mark.box), mark);
    if (fault) {
        // The report box keeps the last complete report; the inputs stay as typed.
        reportFault_(this, FromUtf8(fault->title), FromUtf8(fault->text));
        return;
    }
    // CR LF arrives as it is: the box treats it as one line break and draws no CR.
    Text8->setPlainText(FromUtf8(state_.reportText));
}

// Every size against the boxes' texts; the row the user adopts becomes the size in
// force, exactly as a pick from the list, and is calculated at once.
void Form15::Command2Click() {
    window::SizingOutcome outcome = window::OpenSizing(state_, ReadInputs());
    if (outcome.fault) {
        reportFault_(this, FromUtf8(outcome.fault->title), FromUtf8(outcome.fault->text));
        return;
    }
    SizingDialog dialog(std::move(*outcome.view), this);
    if (dialog.exec() != QDialog::Accepted) return;
    AdoptSize(dialog.adopted());
}

void Form15::AdoptSize(std::string_view designation) {
    const std::optional<std::size_t> place = window::AdoptSize(state_, designation);
    if (!place) return;
    Combo1->setCurrentIndex(static_cast<int>(*place));
    Text7->setPlainText(FromUtf8(state_.anglePropsText));
    Command1Click();
}

}  // namespace kneebrace

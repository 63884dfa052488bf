#include "qt/form15.h"

#include <utility>
#include <vector>

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>

#include "catalogue/angle_catalogue.h"
#include "qt/look.h"
#include "qt/sizing_dialog.h"
#include "window/look.h"

namespace kneebrace {

namespace {

using window::ControlKind;

// The size list: editable, but only a choice from the list is a pick. A pick in the open
// list (mouse or keys) and the arrows or wheel on the closed box emit `activated`, as a
// classic Windows combo's click does; typed text never does, whether it ends with Enter,
// with the focus leaving, or happens to equal an entry. Nothing typed joins the list.
QComboBox* MakeSizeList(QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // The inline completer would turn a typed prefix into an entry and activate it.
    combo->setCompleter(nullptr);
    // QComboBox turns Enter and the field losing the focus into `activated` when the text
    // equals an entry. Cut exactly those two paths; the tests check that typing stays
    // silent, so a Qt that wires this differently is noticed.
    const bool enterCut =
        QObject::disconnect(combo->lineEdit(), &QLineEdit::returnPressed, combo, nullptr);
    const bool focusOutCut =
        QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
    if (!enterCut || !focusOutCut)
        qWarning(
            "kneebrace: the size list's field is wired differently in this Qt; "
            "typing may select a size");
    // The catalogue's order; the control never sorts it.
    for (const AngleSection& row : AngleCatalogue()) combo->addItem(FromUtf8(row.designation));
    return combo;
}

// An input box's colours: the window's, or pale red while marked as read in part, in
// every state. The gap box, locked until its check box is ticked, shows the button face
// while locked and keeps its mark then too. Stated here rather than left to a theme.
void PaintInputBox(QLineEdit& box, const window::ControlRow& row, bool marked) {
    QPalette palette;  // the application's
    if (row.disabledAtStart) {
        const QColor windowBackground = palette.color(QPalette::Active, QPalette::Base);
        palette.setColor(QPalette::Disabled, QPalette::Base,
                         palette.color(QPalette::Active, QPalette::Button));
        palette.setColor(QPalette::Active, QPalette::Base, windowBackground);
        palette.setColor(QPalette::Inactive, QPalette::Base, windowBackground);
    }
    if (marked) palette.setColor(QPalette::Base, Colour(window::kMarkedBox));
    box.setPalette(palette);
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
    : QWidget(parent), presenter_(*this), reportFault_(std::move(reportFault)) {
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(FromUtf8(window::kWindowTitle));
    // The controls sit at fixed twip positions, so the client area does not resize.
    setFixedSize(ClientSize());
    // Before the controls exist, so that they are polished once, with it in place.
    setStyleSheet(WindowStyleSheet());
    for (const window::ControlRow& row : window::Form15Controls()) {
        QWidget* w = MakeControl(row, row.parent.empty() ? this : Find(row.parent));
        w->setObjectName(FromUtf8(row.name));
        w->setGeometry(PixelRect(row.rect));
        if (row.fontPoints > 0) w->setFont(SongFont(row.fontPoints));
        if (!row.tooltip.empty()) w->setToolTip(FromUtf8(row.tooltip));
        w->setEnabled(!row.disabledAtStart);
        w->setFocusPolicy(window::TakesFocus(row.kind) ? Qt::StrongFocus : Qt::NoFocus);
    }
    // The calculator's picture, as on its button.
    setWindowIcon(Find<QToolButton>("Command1")->icon());
    const std::vector<const window::ControlRow*> order = window::FocusOrder();
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(Find(order[i - 1]->name), Find(order[i]->name));
    reportMenu_ = new ReportMenu(*this, *Find<QPlainTextEdit>("Text8"), std::move(reportDialogs));
    presenter_.Load();
}

Form15::~Form15() {
    // QWidget's destructor closes the window, and the size field losing the focus then
    // would report to a presenter already destroyed.
    disconnect(Find<QComboBox>("Combo1")->lineEdit(), nullptr, this, nullptr);
}

// One row of the table as a Qt widget wired to the presenter, without its name, place
// or font.
QWidget* Form15::MakeControl(const window::ControlRow& row, QWidget* parent) {
    const QString caption = FromUtf8(row.caption);
    const std::string_view name = row.name;
    switch (row.kind) {
        case ControlKind::PictureBox: {
            // A one-pixel sunken frame, the drawing unscaled from its inner top left.
            auto* picture = new QLabel(parent);
            picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            const QSize size(window::kDiagramWidthPixels, window::kDiagramHeightPixels);
            picture->setPixmap(Artwork(row.artwork).pixmap(size));
            return picture;
        }
        case ControlKind::Frame: return new QGroupBox(caption, parent);
        case ControlKind::Label: {
            // A classic label draws its caption from the top left; the layout sets labels
            // a little lower than their boxes so that the texts line up.
            auto* label = new QLabel(caption, parent);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case ControlKind::InputBox: {
            auto* box = new QLineEdit(caption, parent);
            if (row.disabledAtStart) PaintInputBox(*box, row, false);
            // QLineEdit emits returnPressed for both Enter keys; a text set by the program
            // does not emit textEdited.
            connect(box, &QLineEdit::returnPressed, this,
                    [this, name] { presenter_.EnterPressed(name); });
            connect(box, &QLineEdit::textEdited, this,
                    [this, name] { presenter_.BoxEdited(name); });
            return box;
        }
        case ControlKind::OptionButton: {
            auto* option = new QRadioButton(caption, parent);
            option->setChecked(row.selectedAtStart);
            // Options exclude each other within their frame. Qt looks for partners among
            // all buttons below the parent, nested frames included, so the arrangement
            // options in Frame3 would join the grade options of Frame1, and a click on the
            // grade already chosen would clear it: one explicit group per frame.
            auto* group = parent->findChild<QButtonGroup*>(QString(), Qt::FindDirectChildrenOnly);
            (group != nullptr ? group : new QButtonGroup(parent))->addButton(option);
            connect(option, &QRadioButton::clicked, this,
                    [this, name] { presenter_.Clicked(name); });
            return option;
        }
        case ControlKind::CheckBox: {
            auto* check = new QCheckBox(caption, parent);
            check->setChecked(row.selectedAtStart);
            connect(check, &QCheckBox::clicked, this, [this, name](bool ticked) {
                presenter_.Clicked(
                    name, ticked ? window::CheckValue::Ticked : window::CheckValue::Cleared);
            });
            return check;
        }
        case ControlKind::SizeList: {
            QComboBox* combo = MakeSizeList(parent);
            connect(combo, &QComboBox::activated, this,
                    [this](int place) { presenter_.SizePicked(static_cast<std::size_t>(place)); });
            // Enter and the focus leaving both end in editingFinished, Enter twice
            // (QComboBox forwards the key back to the field): the presenter settles only
            // what was typed, once.
            connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                    [this] { presenter_.SizeFieldEdited(); });
            connect(combo->lineEdit(), &QLineEdit::editingFinished, this,
                    [this] { presenter_.SizeFieldFinished(); });
            return combo;
        }
        case ControlKind::PropertiesBox:
        case ControlKind::ReportBox: {
            // Only shows text: the user can select and copy, not edit. Report lines are
            // longer than the box is wide; they scroll rather than wrap, so that each
            // printed line stays one line.
            auto* box = new QPlainTextEdit(caption, parent);
            box->setReadOnly(true);
            box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
            box->setTabChangesFocus(true);
            const bool report = row.kind == ControlKind::ReportBox;
            box->setVerticalScrollBarPolicy(report ? Qt::ScrollBarAlwaysOn
                                                   : Qt::ScrollBarAlwaysOff);
            box->setHorizontalScrollBarPolicy(box->verticalScrollBarPolicy());
            if (report) box->setLineWrapMode(QPlainTextEdit::NoWrap);
            return box;
        }
        case ControlKind::StaleNote: {
            // Its colour comes from the window's style sheet.
            auto* note = new QLabel(caption, parent);
            note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            note->hide();  // until a report no longer matches the inputs
            return note;
        }
        case ControlKind::PictureButton: {
            auto* button = new QToolButton(parent);
            button->setText(caption);
            button->setIcon(Artwork(row.artwork));
            button->setIconSize(
                QSize(window::kPictureButtonIconPixels, window::kPictureButtonIconPixels));
            button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            button->setProperty("picture", true);
            connect(button, &QToolButton::clicked, this,
                    [this, name] { presenter_.Pressed(name); });
            return button;
        }
    }
    return nullptr;
}

std::string Form15::Text(std::string_view control) const {
    QWidget* w = Find(control);
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText().toStdString();
    if (auto* box = qobject_cast<QLineEdit*>(w)) return box->text().toStdString();
    return {};
}

void Form15::SetText(std::string_view control, std::string_view utf8) {
    QWidget* w = Find(control);
    // CR LF arrives as it is: a text box treats it as one line break and draws no CR.
    if (auto* box = qobject_cast<QPlainTextEdit*>(w)) box->setPlainText(FromUtf8(utf8));
    if (auto* combo = qobject_cast<QComboBox*>(w)) combo->setEditText(FromUtf8(utf8));
    if (auto* box = qobject_cast<QLineEdit*>(w)) box->setText(FromUtf8(utf8));
}

void Form15::ShowMark(std::string_view box, bool marked, std::string_view tooltip) {
    auto* edit = Find<QLineEdit>(box);
    PaintInputBox(*edit, *window::FindControl(box), marked);
    edit->setToolTip(FromUtf8(tooltip));
}

void Form15::Enable(std::string_view control, bool enabled) { Find(control)->setEnabled(enabled); }

bool Form15::Checked(std::string_view control) const {
    const auto* button = Find<QAbstractButton>(control);
    return button != nullptr && button->isChecked();
}

// The options' button group clears the other option of the frame; no click is emitted.
void Form15::SetChecked(std::string_view control, bool checked) {
    if (auto* button = Find<QAbstractButton>(control)) button->setChecked(checked);
}

void Form15::SelectSize(std::size_t place) {
    // Setting the entry never emits activated: no pick runs.
    Find<QComboBox>("Combo1")->setCurrentIndex(static_cast<int>(place));
}

void Form15::FocusAndSelectAll(std::string_view control) {
    // Taken when the window first becomes active; until then Qt keeps it as the window's
    // focus widget.
    Find(control)->setFocus();
    if (auto* box = Find<QLineEdit>(control)) box->selectAll();
}

void Form15::ShowFault(const window::FaultMessage& fault) {
    reportFault_(this, FromUtf8(fault.title), FromUtf8(fault.text));
}

std::optional<std::string> Form15::RunSizingDialog(SizingView view) {
    SizingDialog dialog(std::move(view), this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.adopted();
}

void Form15::ReportShown(const std::string& reportText, std::string_view /*size*/) {
    reportMenu_->ReportShown(
        ShownMember(presenter_.CurrentMember(), presenter_.state(), reportText));
}

void Form15::ReportStale(bool stale) {
    // The style sheet greys the text by this property; under a style sheet a palette set
    // on the box would not reach the text it draws.
    auto* report = Find<QPlainTextEdit>("Text8");
    report->setProperty("stale", stale);
    report->style()->unpolish(report);
    report->style()->polish(report);
    Find("Label8")->setVisible(stale);
    // The commands stay greyed until the next Calculate, and say why.
    for (const char* command : {"printReport", "exportPdf"}) {
        auto* action = findChild<QAction*>(QLatin1String(command));
        action->setEnabled(!stale);
        action->setToolTip(stale ? QStringLiteral("输入已更改：请先按“计算”，再打印或导出")
                                 : QString());
    }
}

}  // namespace kneebrace

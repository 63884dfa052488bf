#include "qt_probe.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "qt/look.h"
#include "qt/sizing_dialog.h"
#include "window/control_table.h"

namespace windowtest {

namespace {

using kneebrace::FromUtf8;

// Works the sizing dialog as the answer says: a header click, then 选用 by Enter or by a
// double click on the row, or 取消 by Esc.
void Answer(kneebrace::SizingDialog& dialog, const SizingAnswer& answer) {
    if (!QTest::qWaitForWindowExposed(&dialog)) qWarning("the sizing dialog was never shown");
    auto* table = dialog.findChild<QTableView*>(QStringLiteral("sizingTable"));
    if (answer.sortBy) {
        QHeaderView* header = table->horizontalHeader();
        const int column = static_cast<int>(*answer.sortBy);
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                   header->height() / 2));
    }
    if (!answer.adopt) return QTest::keyClick(table, Qt::Key_Escape);
    if (answer.row.empty()) return QTest::keyClick(table, Qt::Key_Return);
    const QModelIndexList found = table->model()->match(
        table->model()->index(0, 0), Qt::DisplayRole, FromUtf8(answer.row), 1, Qt::MatchExactly);
    if (found.isEmpty()) return QTest::keyClick(table, Qt::Key_Escape);
    table->scrollTo(found[0]);
    // As a mouse sends it: a click, then the double click.
    const QPoint centre = table->visualRect(found[0]).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centre);
}

// The offscreen platform says, at every popup and dialog, that it cannot raise a window
// or grab the keyboard: thousands of lines that would hide what a failure says.
QtMessageHandler earlierHandler = nullptr;
void DropOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support")))
        return;
    earlierHandler(type, context, text);
}

}  // namespace

QtProbe::QtProbe() {
    static const bool quiet = (earlierHandler = qInstallMessageHandler(DropOffscreenNotes), true);
    (void)quiet;
    kneebrace::ReportDialogs dialogs;
    dialogs.choosePdfFile = [](QWidget*, const QString&) { return QString(); };
    dialogs.setUpPrinter = [](QWidget*, QPrinter&, int) { return false; };
    dialogs.report = [](QWidget*, const QString&, const QString&) {};
    window_ = std::make_unique<kneebrace::Form15>(
        [this](QWidget*, const QString& title, const QString& text) {
            faults_.push_back({title.toStdString(), text.toStdString()});
        },
        dialogs);
    window_->show();
    Activate();
}

// Focus changes, and with them the size field's commit, need an active window.
void QtProbe::Activate() {
    window_->activateWindow();
    QCoreApplication::processEvents();
    if (!window_->isActiveWindow()) qWarning("the window never became active");
}

QtProbe::~QtProbe() = default;

QWidget* QtProbe::Get(std::string_view control) const {
    return window_->findChild<QWidget*>(FromUtf8(control));
}

// Where a click would put the focus. A control that cannot take it keeps it where it is.
void QtProbe::MoveFocusTo(QWidget* control) {
    if (control == nullptr || !control->isEnabled() || control->focusPolicy() == Qt::NoFocus)
        return;
    if (!control->isAncestorOf(QApplication::focusWidget()))
        control->setFocus(Qt::MouseFocusReason);
}

// The field's text selected and typed over, through the input method, which takes any
// text; typing nothing deletes the selection.
void QtProbe::TypeInto(QWidget* field, std::string_view utf8) {
    auto* edit = qobject_cast<QLineEdit*>(field);
    if (edit == nullptr || !edit->isEnabled()) return;
    edit->selectAll();
    if (utf8.empty()) return QTest::keyClick(edit, Qt::Key_Delete);
    QInputMethodEvent typed;
    typed.setCommitString(FromUtf8(utf8));
    QApplication::sendEvent(edit, &typed);
}

void QtProbe::Type(std::string_view box, std::string_view utf8) {
    QWidget* edit = Get(box);
    MoveFocusTo(edit);
    TypeInto(edit, utf8);
}

void QtProbe::Click(std::string_view control) {
    QWidget* w = Get(control);
    if (w == nullptr) return;
    // Options and the check box are wider than their captions; a click on the blank
    // right of a caption does nothing, so the click goes to the indicator.
    if (qobject_cast<QRadioButton*>(w) != nullptr || qobject_cast<QCheckBox*>(w) != nullptr)
        return QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
    QTest::mouseClick(w, Qt::LeftButton);
}

void QtProbe::Press(std::string_view control, Key key) {
    QWidget* w = Get(control);
    MoveFocusTo(w);
    QWidget* target = QApplication::focusWidget();
    if (w == nullptr || target == nullptr || (w != target && !w->isAncestorOf(target))) return;
    switch (key) {
        case Key::Enter: return QTest::keyClick(target, Qt::Key_Return);
        case Key::KeypadEnter: return QTest::keyClick(target, Qt::Key_Enter, Qt::KeypadModifier);
        case Key::Space: return QTest::keyClick(target, Qt::Key_Space);
        case Key::Tab: return QTest::keyClick(target, Qt::Key_Tab);
        case Key::BackTab: return QTest::keyClick(target, Qt::Key_Backtab, Qt::ShiftModifier);
    }
}

void QtProbe::Pick(std::string_view designation) {
    auto* combo = qobject_cast<QComboBox*>(Get("Combo1"));
    const int place =
        combo->findText(FromUtf8(designation), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (place < 0) return;
    MoveFocusTo(combo);
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    const QModelIndex item = list->model()->index(place, 0);
    list->scrollTo(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
}

void QtProbe::TypeSize(std::string_view utf8, bool enter) {
    auto* combo = qobject_cast<QComboBox*>(Get("Combo1"));
    MoveFocusTo(combo);
    TypeInto(combo->lineEdit(), utf8);
    QTest::keyClick(combo->lineEdit(), enter ? Qt::Key_Return : Qt::Key_Tab);
}

bool QtProbe::Sizing(const SizingAnswer& answer) {
    // The dialog runs its own event loop; the answer comes from a timer inside it. A
    // dialog left open is rejected after five seconds, so that no test hangs.
    bool seen = false;
    QTimer::singleShot(0, window_.get(), [&] {
        if (auto* dialog =
                qobject_cast<kneebrace::SizingDialog*>(QApplication::activeModalWidget())) {
            seen = true;
            Answer(*dialog, answer);
        }
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    watchdog.start(5000);
    Click("Command2");
    QCoreApplication::processEvents();  // the timer, when no dialog ran a loop
    // A window manager gives the window back the activation the dialog took; offscreen
    // there is none to do it.
    Activate();
    return seen;
}

std::string QtProbe::Text(std::string_view control) const {
    QWidget* w = Get(control);
    QString text;
    if (auto* box = qobject_cast<QPlainTextEdit*>(w)) {
        // The box hands back LF alone; it was given CR LF.
        text = box->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        text = combo->currentText();
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        text = edit->text();
    } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
        text = frame->title();
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        text = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        text = button->text();
    }
    return text.toStdString();
}

bool QtProbe::Enabled(std::string_view control) const {
    const QWidget* w = Get(control);
    return w != nullptr && w->isEnabled();
}

bool QtProbe::Checked(std::string_view control) const {
    const auto* button = qobject_cast<const QAbstractButton*>(Get(control));
    return button != nullptr && button->isChecked();
}

bool QtProbe::Marked(std::string_view box) const {
    const QWidget* w = Get(box);
    return w != nullptr &&
           w->palette().color(QPalette::Base) == kneebrace::Colour(kneebrace::window::kMarkedBox);
}

std::string QtProbe::Tooltip(std::string_view box) const {
    const QWidget* w = Get(box);
    return w == nullptr ? std::string() : w->toolTip().toStdString();
}

std::string QtProbe::Focus() const {
    // The size list's field is a child of the list.
    for (const QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
        std::string name = w->objectName().toStdString();
        if (kneebrace::window::FindControl(name) != nullptr) return name;
    }
    return {};
}

// The note shown and the text greyed go together; either alone reads as the opposite of
// what the note says, so that no expectation passes on half of it.
bool QtProbe::ReportStale() const {
    const bool note = Get("Label8")->isVisibleTo(window_.get());
    // The viewport draws the text.
    const QWidget* text = qobject_cast<QPlainTextEdit*>(Get("Text8"))->viewport();
    const bool grey =
        text->palette().color(QPalette::Text) == kneebrace::Colour(kneebrace::window::kStaleReport);
    return note == grey ? note : !note;
}

bool QtProbe::Printable() const {
    const auto* print = window_->findChild<QAction*>(QStringLiteral("printReport"));
    return print != nullptr && print->isEnabled();
}

}  // namespace windowtest

// The calculator's one window. It owns the design record for its whole life; its
// handlers copy what the user set into the record or the engine's input texts, call the
// engine, and show what the engine left in the record.
#pragma once

#include <functional>
#include <string_view>

#include <QString>
#include <QWidget>

#include "core/calculation_run.h"
#include "core/design_state.h"
#include "window/input_marks.h"
#include "qt/report_menu.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QToolButton;

namespace kneebrace {

class PictureBox;

// Tells the user why a calculation was abandoned: the kind of fault as a short title and
// the message naming the input concerned. The window calls it while the user's inputs
// are still on screen, so they can correct them and press Calculate again.
using FaultReporter =
    std::function<void(QWidget* parent, const QString& kindTitle, const QString& message)>;

// The program's reporter: a modal warning box with a Chinese button.
FaultReporter MessageBoxReporter();

class Form15 : public QWidget {
public:
    // The dialogs of printing and export are passed in, like the fault reporter, so that
    // tests can answer them.
    explicit Form15(FaultReporter reportFault = MessageBoxReporter(),
                    ReportDialogs reportDialogs = SystemReportDialogs(), QWidget* parent = nullptr);
    ~Form15() override;

    const DesignState& designState() const { return state_; }

private:
    template <typename W>
    W* Find(std::string_view name) const;
    void CreateControls();
    void SetTabOrder();
    void ConnectHandlers();
    void Load();

    void Check1Click();
    void Combo1Click();
    void Combo1Commit();
    void Command1Click();
    void ShowMark(QLineEdit& box, const window::BoxMark& mark);
    void Command2Click();
    void AdoptSize(std::string_view designation);
    InputTexts ReadInputs() const;

    DesignState state_;
    FaultReporter reportFault_;

    // Named as the controls are named everywhere else; each objectName is the same.
    PictureBox* Picture1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QCheckBox* Check1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* Text9 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Text6 = nullptr;
    QComboBox* Combo1 = nullptr;
    QPlainTextEdit* Text7 = nullptr;
    QPlainTextEdit* Text8 = nullptr;
    QToolButton* Command1 = nullptr;
    QToolButton* Command2 = nullptr;
    QToolButton* Command3 = nullptr;
};

}  // namespace kneebrace

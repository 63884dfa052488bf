// What the Win32 window does, driven with messages as a user's mouse and keys reach it:
// start-up, the option groups, the gap box, picking and typing a size, Calculate with
// and without a fault, Enter, Tab, the report box, DPI changes and Close.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "catalogue/angle_catalogue.h"
#include "core/calculation_run.h"
#include "core/fault.h"
#include "support/text_diff.h"
#include "win32/artwork.h"
#include "win32/fault_dialog.h"
#include "win32/look.h"
#include "win32/utf.h"
#include "window/control_table.h"
#include "window/input_marks.h"
#include "window_driver.h"

namespace {

using kneebrace::DesignState;
using kneebrace::InputTexts;
using kneebrace::window::ControlKind;
using kneebrace::window::ControlRow;
using kneebrace::window::Form15Controls;
using win32test::WindowDriver;

// What the engine reports for the start-up record and texts with one change applied:
// the window must show exactly that.
std::string EngineReport(const std::function<void(DesignState&, InputTexts&)>& change = {}) {
    DesignState s = kneebrace::StartupDesignState();
    InputTexts in = kneebrace::StartupInputTexts();
    if (change) change(s, in);
    kneebrace::RunCalculation(s, in);
    return s.reportText;
}

RECT ClientRectOf(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    auto* handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    GetObjectW(handle, sizeof(font), &font);
    return font;
}

// The colour the window paints a control's background with, as it answers the
// control's colour request.
COLORREF Background(HWND control, UINT message) {
    HDC dc = GetDC(control);
    auto* brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(control), message,
                                                        reinterpret_cast<WPARAM>(dc),
                                                        reinterpret_cast<LPARAM>(control)));
    LOGBRUSH info{};
    GetObjectW(brush, sizeof(info), &info);
    ReleaseDC(control, dc);
    return info.lbColor;
}

// The tooltip the window's tooltip control holds for a control.
std::string TooltipOf(const WindowDriver& ui, const char* name) {
    HWND tooltips = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM out) {
            wchar_t name[64]{};
            GetClassNameW(hwnd, name, 64);
            if (std::wstring(name) == TOOLTIPS_CLASSW) *reinterpret_cast<HWND*>(out) = hwnd;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tooltips));
    wchar_t text[512]{};
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = GetParent(ui.Get(name));
    info.uId = reinterpret_cast<UINT_PTR>(ui.Get(name));
    info.lpszText = text;
    SendMessageW(tooltips, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&info));
    return kneebrace::win32::Narrow(text);
}

// ---------------------------------------------------------------------------------------
// Start-up

TEST(Win32Window, OpensWithTheTableTextsAndTheStartUpRecord) {
    WindowDriver ui;
    EXPECT_EQ(win32test::WindowTextUtf8(ui.window().hwnd()),
              std::string(kneebrace::window::kWindowTitle));
    ASSERT_EQ(ui.window().dpi(), 96u) << "the test prefix runs at 96 dpi";
    RECT client{};
    GetClientRect(ui.window().hwnd(), &client);
    EXPECT_EQ(client.right, 854);
    EXPECT_EQ(client.bottom, 590);

    for (const ControlRow& entry : Form15Controls()) {
        SCOPED_TRACE(std::string(entry.name));
        ASSERT_NE(ui.Get(entry.name), nullptr);
        if (entry.kind == ControlKind::OptionButton) {
            EXPECT_EQ(ui.Checked(entry.name), entry.selectedAtStart);
        }
        EXPECT_EQ(IsWindowEnabled(ui.Get(entry.name)) == FALSE, entry.disabledAtStart);
        if (entry.kind != ControlKind::PropertiesBox && entry.kind != ControlKind::PictureBox) {
            EXPECT_EQ(ui.Text(entry.name), std::string(entry.caption));
        }
    }
    EXPECT_FALSE(ui.Checked("Check1"));
    EXPECT_EQ(ui.Text("Text7"), kneebrace::StartupDesignState().anglePropsText);
    EXPECT_EQ(ui.Report(), "计算结果\r\n");

    // The size list: the catalogue, in its order, the first chosen.
    HWND combo = ui.Get("Combo1");
    const auto catalogue = kneebrace::AngleCatalogue();
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(catalogue.size()));
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        wchar_t item[32]{};
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(kneebrace::win32::Narrow(item), std::string(catalogue[i].designation));
    }
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ui.window().designState().A0, 265.0f);
}

TEST(Win32Window, FocusStartsInTheDesignationWithItsTextSelected) {
    WindowDriver ui;
    EXPECT_EQ(ui.FocusName(), "Text1");
    DWORD start = 1;
    DWORD end = 0;
    SendMessageW(ui.Get("Text1"), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthW(ui.Get("Text1"))));
}

// ---------------------------------------------------------------------------------------
// Calculate

TEST(Win32Window, CalculateAfterStartUpShowsTheStartUpReport) {
    WindowDriver ui;
    ui.Calculate();
    const std::string expected = EngineReport();
    EXPECT_EQ(testsupport::DescribeDifference(expected, ui.Report()), "");
    EXPECT_NE(ui.Report().find("L0=704.3mm\r\n"), std::string::npos);
    ui.Calculate();  // replaces, never appends
    EXPECT_EQ(ui.Report(), expected);
    EXPECT_TRUE(ui.faults().empty());
}

// The Song face with the GB2312 set at the table's size, or the window's 9 pt.
TEST(Win32Window, EveryControlHasTheSongFaceAtItsSize) {
    WindowDriver ui;
    const UINT dpi = ui.window().dpi();
    for (const ControlRow& entry : Form15Controls()) {
        SCOPED_TRACE(std::string(entry.name));
        const LOGFONTW font = FontOf(ui.Get(entry.name));
        EXPECT_EQ(std::wstring(font.lfFaceName), L"宋体");
        EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
        EXPECT_EQ(font.lfWeight, FW_NORMAL);
        const double points =
            entry.fontPoints > 0 ? entry.fontPoints : kneebrace::window::kWindowFontPoints;
        EXPECT_EQ(font.lfHeight, -std::lround(points * dpi / 72.0)) << points << " pt";
    }
}

// Blue where the window states it: every frame's caption (a frame below another in the
// Z order would be painted over) and the properties text; the picture buttons orange.
TEST(Win32Window, PaintsBlueCaptionsAndOrangeButtons) {
    WindowDriver ui;
    HWND main = ui.window().hwnd();
    RedrawWindow(main, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    HDC dc = GetDC(main);
    const auto bluePixels = [dc](const RECT& r) {
        int blue = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = GetPixel(dc, x, y);
                if (GetBValue(c) > GetRValue(c) + 60 && GetBValue(c) > GetGValue(c) + 60) ++blue;
            }
        }
        return blue;
    };
    for (const char* frame : {"Frame1", "Frame2", "Frame3"}) {
        RECT caption = ClientRectOf(ui.Get(frame));
        caption.bottom = caption.top + 14;
        EXPECT_GT(bluePixels(caption), 20) << frame;
    }
    EXPECT_GT(bluePixels(ClientRectOf(ui.Get("Text7"))), 200) << "the properties text";
    for (const char* button : {"Command1", "Command2", "Command3"}) {
        const RECT r = ClientRectOf(ui.Get(button));
        EXPECT_EQ(GetPixel(dc, r.left + 2, r.top + 2), RGB(255, 192, 128)) << button;
    }
    ReleaseDC(main, dc);
}

// The drawing is painted into the picture box: many colours, not an empty face.
TEST(Win32Window, PictureBoxShowsTheDiagram) {
    WindowDriver ui;
    HWND picture = ui.Get("Picture1");
    RedrawWindow(picture, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    HDC dc = GetDC(picture);
    int dark = 0;
    int white = 0;
    for (int y = 1; y <= kneebrace::win32::kDiagramHeight; y += 3) {
        for (int x = 1; x <= kneebrace::win32::kDiagramWidth; x += 3) {
            const COLORREF c = GetPixel(dc, x, y);
            if (c == RGB(255, 255, 255)) ++white;
            else if (GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128) ++dark;
        }
    }
    ReleaseDC(picture, dc);
    EXPECT_GT(white, 5000) << "the drawing's white ground";
    EXPECT_GT(dark, 50) << "the drawing's lines";
}

// ---------------------------------------------------------------------------------------
// Option groups, the gap box, the size list

struct OptionClicks {
    std::vector<const char*> clicks;
    int grade;   // 1 Q235 (Option1), 2 Q345 (Option2)
    int layout;  // 1 both sides (Option3), 2 one side (Option4)
};

class OptionGroups : public ::testing::TestWithParam<OptionClicks> {};

// The grade and the arrangement are two independent groups; a click writes its code
// and text at once and leaves the report alone until the next Calculate. The tab stop
// follows the chosen option of each group.
TEST_P(OptionGroups, AreIndependentAndWriteTheirCodes) {
    WindowDriver ui;
    for (const char* name : GetParam().clicks) ui.Click(name);
    const DesignState& s = ui.window().designState();
    const int grade = GetParam().grade;
    const int layout = GetParam().layout;
    EXPECT_EQ(s.gradeCode, grade);
    EXPECT_EQ(s.gradeText, grade == 1 ? ",材质Q235" : ",材质Q345");
    EXPECT_EQ(s.layoutCode, layout);
    EXPECT_EQ(s.layoutText, layout == 1 ? "双侧" : "单侧");
    const std::string chosen[] = {"Option" + std::to_string(grade),
                                  "Option" + std::to_string(2 + layout)};
    for (const char* name : {"Option1", "Option2", "Option3", "Option4"}) {
        const bool on = chosen[0] == name || chosen[1] == name;
        EXPECT_EQ(ui.Checked(name), on) << name;
        EXPECT_EQ((GetWindowLongPtrW(ui.Get(name), GWL_STYLE) & WS_TABSTOP) != 0, on) << name;
    }
    EXPECT_EQ(ui.Report(), "计算结果\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, OptionGroups,
    ::testing::Values(OptionClicks{{"Option2"}, 2, 1}, OptionClicks{{"Option2", "Option1"}, 1, 1},
                      OptionClicks{{"Option4"}, 1, 2}, OptionClicks{{"Option4", "Option2"}, 2, 2},
                      OptionClicks{{"Option4", "Option3"}, 1, 1},
                      // The nested frame's options stay out of the grade group.
                      OptionClicks{{"Option4", "Option1"}, 1, 2}));

// Ticked, the gap box can be edited on the window colour; cleared again, it is locked
// on the button face and keeps a changed gap, which the run reads either way.
TEST(Win32Window, GapBoxFollowsTheCheckBox) {
    WindowDriver ui;
    HWND gap = ui.Get("Text2");
    const auto shown = [&] {
        return Background(gap, IsWindowEnabled(gap) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
    };
    EXPECT_FALSE(IsWindowEnabled(gap));
    EXPECT_EQ(shown(), GetSysColor(COLOR_BTNFACE));
    ui.Click("Check1");
    EXPECT_TRUE(IsWindowEnabled(gap));
    EXPECT_EQ(shown(), GetSysColor(COLOR_WINDOW));
    ui.Click("Check1");
    EXPECT_FALSE(IsWindowEnabled(gap));
    EXPECT_EQ(shown(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ui.Text("Text2"), "10");

    ui.Click("Check1");
    SetFocus(gap);
    SendMessageW(gap, EM_SETSEL, 0, -1);
    ui.Type(L"25");
    ui.Click("Check1");
    EXPECT_EQ(ui.Text("Text2"), "25");
    ui.Calculate();
    EXPECT_EQ(ui.Report(), EngineReport([](DesignState&, InputTexts& in) { in.Text2 = "25"; }));
}

struct TypedSizeCase {
    const char* pickedFirst;  // nullptr: none
    const wchar_t* typed;
    bool enter;              // Enter in the field, else the focus leaves it
    const char* fieldAfter;  // what the field shows afterwards
    bool picks;              // whether the typed size was applied
};

class TypedSizes : public ::testing::TestWithParam<TypedSizeCase> {};

// A size typed into the field never disagrees with the size in force: an exact list
// entry is picked, anything else gives way to the size in force.
TEST_P(TypedSizes, ArePickedOrReplaced) {
    const TypedSizeCase& c = GetParam();
    WindowDriver ui;
    if (c.pickedFirst != nullptr) ui.Pick(c.pickedFirst);
    const DesignState before = ui.window().designState();
    const std::string propsBefore = ui.Text("Text7");
    HWND combo = ui.Get("Combo1");
    SetFocus(combo);
    SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    ui.Type(c.typed);
    if (c.enter) ui.Key(VK_RETURN);
    else SetFocus(ui.Get("Text1"));
    win32test::PumpMessages();
    EXPECT_EQ(ui.Text("Combo1"), c.fieldAfter);
    const DesignState& s = ui.window().designState();
    if (c.picks) {
        EXPECT_EQ(s.angleModel, c.fieldAfter);
        DesignState expected = kneebrace::StartupDesignState();
        kneebrace::SelectAngle(expected, c.fieldAfter);
        EXPECT_EQ(ui.Text("Text7"), expected.anglePropsText);
    } else {
        EXPECT_EQ(s.angleModel, before.angleModel);
        EXPECT_EQ(s.A0, before.A0);
        EXPECT_EQ(ui.Text("Text7"), propsBefore);
    }
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    wchar_t item[32]{};
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(kneebrace::win32::Narrow(item), c.fieldAfter) << "the list selects the size in force";
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 53) << "typing adds no entry";
    EXPECT_EQ(ui.Report(), "计算结果\r\n") << "Enter in the size list does not calculate";
}

INSTANTIATE_TEST_SUITE_P(Typed, TypedSizes,
                         ::testing::Values(TypedSizeCase{nullptr, L"L63X5", true, "L63X5", true},
                                           TypedSizeCase{nullptr, L"L63X5", false, "L63X5", true},
                                           TypedSizeCase{nullptr, L"l63x5", true, "L45X3", false},
                                           TypedSizeCase{nullptr, L"L6", false, "L45X3", false},
                                           TypedSizeCase{"L56X4", L"L99X9", true, "L56X4", false},
                                           TypedSizeCase{"L56X4", L"L63X5 ", false, "L56X4", false},
                                           TypedSizeCase{"L56X4", L"L100X10", false, "L100X10",
                                                         true}));

// ---------------------------------------------------------------------------------------
// Calculate

struct BoxInput {
    const char* box;
    const char* text;
    std::string InputTexts::*field;
};

class Faults : public ::testing::TestWithParam<BoxInput> {};

// A run that fails shows the kind as the title and the engine's message as the text;
// the report box keeps the last report and the inputs stay as typed.
TEST_P(Faults, ShowTheirMessageAndKeepTheReport) {
    const BoxInput& c = GetParam();
    WindowDriver ui;
    ui.Calculate();
    const std::string report = ui.Report();
    ui.SetText(c.box, c.text);
    ui.Calculate();
    ASSERT_EQ(ui.faults().size(), 1u);
    DesignState s = kneebrace::StartupDesignState();
    InputTexts in = kneebrace::StartupInputTexts();
    in.*(c.field) = c.text;
    try {
        kneebrace::RunCalculation(s, in);
        FAIL() << "the engine accepts " << c.text;
    } catch (const kneebrace::CalculationFault& fault) {
        EXPECT_EQ(ui.faults()[0].title, kneebrace::FaultKindTitle(fault.kind()));
        EXPECT_EQ(ui.faults()[0].text, fault.what());
    }
    EXPECT_EQ(ui.Report(), report);
    EXPECT_EQ(ui.Text(c.box), c.text);
}

INSTANTIATE_TEST_SUITE_P(Inputs, Faults,
                         ::testing::Values(BoxInput{"Text1", "500x200x6", &InputTexts::Text1},
                                           BoxInput{"Text1", "500x2OO x6x12", &InputTexts::Text1},
                                           BoxInput{"Text5", "90", &InputTexts::Text5},
                                           BoxInput{"Text6", "-14", &InputTexts::Text6},
                                           BoxInput{"Text3", "1e39", &InputTexts::Text3}));

// The program's own fault message: the kind as the title, the message as the text and
// one button "确定", here pressed as soon as the message is shown.
TEST(Win32Window, FaultDialogHasTheKindAsTitleAndAChineseButton) {
    WindowDriver ui;
    const kneebrace::window::FaultMessage fault{"夹角超出范围",
                                                "与腹板夹角=90 不在 0 与 90 度之间"};
    std::string title;
    std::vector<std::string> texts;
    kneebrace::win32::ShowFaultDialog(ui.window().hwnd(), fault, [&](HWND dialog) {
        title = win32test::WindowTextUtf8(dialog);
        EnumChildWindows(
            dialog,
            [](HWND child, LPARAM list) {
                reinterpret_cast<std::vector<std::string>*>(list)->push_back(
                    win32test::WindowTextUtf8(child));
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&texts));
        PostMessageW(dialog, TDM_CLICK_BUTTON, kneebrace::win32::kFaultDialogButton, 0);
    });
    EXPECT_EQ(title, fault.title);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "确定"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), fault.text), texts.end());
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "OK"), texts.end());
}

// ---------------------------------------------------------------------------------------
// Keys

class EnterInBox : public ::testing::TestWithParam<std::tuple<std::string, bool>> {};

// Enter, or keypad Enter, in any input box presses Calculate.
TEST_P(EnterInBox, Calculates) {
    const auto& [box, keypad] = GetParam();
    WindowDriver ui;
    if (!IsWindowEnabled(ui.Get(box))) ui.Click("Check1");
    SetFocus(ui.Get(box));
    ui.Key(VK_RETURN, keypad);
    EXPECT_EQ(ui.Report(), EngineReport());
}

std::vector<std::string> InputBoxes() {
    std::vector<std::string> boxes;
    for (const ControlRow& entry : Form15Controls())
        if (entry.kind == ControlKind::InputBox) boxes.emplace_back(entry.name);
    return boxes;
}

INSTANTIATE_TEST_SUITE_P(Boxes, EnterInBox,
                         ::testing::Combine(::testing::ValuesIn(InputBoxes()), ::testing::Bool()));

// Enter where there is nothing to type calculates nothing; on a button it presses it.
TEST(Win32Window, EnterElsewhere) {
    WindowDriver ui;
    for (const char* name : {"Text7", "Text8", "Option1", "Check1"}) {
        SetFocus(ui.Get(name));
        ui.Key(VK_RETURN);
        EXPECT_EQ(ui.Report(), "计算结果\r\n") << name;
    }
    SetFocus(ui.Get("Command1"));
    ui.Key(VK_RETURN);
    EXPECT_EQ(ui.Report(), EngineReport());
}

// The focus cycle as Tab walks it: the table's tab order without the controls that
// cannot take the focus, the locked gap box and the option not chosen in each group.
std::vector<std::string> ExpectedCycle(const WindowDriver& ui) {
    std::vector<std::string> cycle;
    for (const ControlRow* entry : kneebrace::window::FocusOrder()) {
        if (!IsWindowEnabled(ui.Get(entry->name))) continue;
        if (entry->kind == ControlKind::OptionButton && !ui.Checked(entry->name)) continue;
        cycle.emplace_back(entry->name);
    }
    return cycle;
}

std::vector<std::string> WalkWithTab(WindowDriver& ui, std::size_t steps, bool back) {
    std::vector<std::string> walked{ui.FocusName()};
    for (std::size_t i = 0; i < steps; ++i) {
        ui.Key(VK_TAB, false, back);
        walked.push_back(ui.FocusName());
    }
    return walked;
}

TEST(Win32Window, TabWalksTheTabOrderRoundAndBack) {
    WindowDriver ui;
    for (int round = 0; round < 3; ++round) {
        // Start-up; then with the gap box unlocked; then with the other options chosen.
        if (round == 1) ui.Click("Check1");
        if (round == 2) {
            ui.Click("Option2");
            ui.Click("Option4");
        }
        SetFocus(ui.Get("Text1"));
        const std::vector<std::string> cycle = ExpectedCycle(ui);
        const auto start = std::find(cycle.begin(), cycle.end(), "Text1");
        ASSERT_NE(start, cycle.end());
        std::vector<std::string> expected(start, cycle.end());
        expected.insert(expected.end(), cycle.begin(), start + 1);  // round to Text1 again
        EXPECT_EQ(WalkWithTab(ui, cycle.size(), false), expected) << "round " << round;
        std::reverse(expected.begin(), expected.end());
        EXPECT_EQ(WalkWithTab(ui, cycle.size(), true), expected) << "round " << round;
    }
}

// ---------------------------------------------------------------------------------------
// The report box

TEST(Win32Window, ReportBoxIsReadOnlyScrollsBothWaysAndCopies) {
    WindowDriver ui;
    HWND report = ui.Get("Text8");
    const LONG_PTR style = GetWindowLongPtrW(report, GWL_STYLE);
    EXPECT_NE(style & ES_READONLY, 0);
    EXPECT_NE(style & WS_HSCROLL, 0);
    EXPECT_NE(style & WS_VSCROLL, 0);
    EXPECT_NE(style & ES_AUTOHSCROLL, 0) << "lines scroll, they do not wrap";
    EXPECT_GT(SendMessageW(report, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);

    ui.Calculate();
    const std::string expected = EngineReport();
    // One line of the box per report line: nothing wrapped.
    const auto lines = static_cast<LRESULT>(std::count(expected.begin(), expected.end(), '\n'));
    EXPECT_EQ(SendMessageW(report, EM_GETLINECOUNT, 0, 0), lines + 1);

    SetFocus(report);
    ui.Type(L"x\b");
    EXPECT_EQ(ui.Report(), expected) << "typing changes nothing";

    ui.Type(L"\x01");  // Ctrl+A
    DWORD start = 1;
    DWORD end = 0;
    SendMessageW(report, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthW(report)));

    ui.Type(L"\x03");  // Ctrl+C
    ASSERT_TRUE(OpenClipboard(ui.window().hwnd()));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    std::string copied;
    if (data != nullptr) {
        copied = kneebrace::win32::Narrow(static_cast<const wchar_t*>(GlobalLock(data)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    EXPECT_EQ(copied, expected);
}

// ---------------------------------------------------------------------------------------
// DPI and Close

// Moved to a monitor of 144 dpi, everything grows by half: window, controls, fonts,
// icons and the drawing's rendering.
TEST(Win32Window, RelaysItselfOutForANewDpi) {
    WindowDriver ui;
    std::vector<RECT> at96;
    for (const ControlRow& entry : Form15Controls())
        at96.push_back(ClientRectOf(ui.Get(entry.name)));
    RECT suggested{40, 30, 1400, 1000};
    SendMessageW(ui.window().hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(ui.window().dpi(), 144u);
    RECT client{};
    GetClientRect(ui.window().hwnd(), &client);
    EXPECT_EQ(client.right, 1281);  // 12810 x 8850 twips at 144 dpi
    EXPECT_EQ(client.bottom, 885);
    RECT frame{};
    GetWindowRect(ui.window().hwnd(), &frame);
    EXPECT_EQ(frame.left, suggested.left);
    EXPECT_EQ(frame.top, suggested.top);

    std::size_t i = 0;
    for (const ControlRow& entry : Form15Controls()) {
        SCOPED_TRACE(std::string(entry.name));
        const RECT was = at96[i++];
        const RECT now = ClientRectOf(ui.Get(entry.name));
        EXPECT_NEAR(now.left, was.left * 1.5, 1.0);
        EXPECT_NEAR(now.top, was.top * 1.5, 1.0);
        EXPECT_NEAR(now.right - now.left, (was.right - was.left) * 1.5, 2.0);
        if (entry.kind != ControlKind::SizeList) {
            EXPECT_NEAR(now.bottom - now.top, (was.bottom - was.top) * 1.5, 2.0);
        }
        const double points =
            entry.fontPoints > 0 ? entry.fontPoints : kneebrace::window::kWindowFontPoints;
        EXPECT_EQ(FontOf(ui.Get(entry.name)).lfHeight, -std::lround(points * 2));
    }
}

// Close ends the program: the window is gone and the loop is told to quit.
TEST(Win32Window, CloseDestroysTheWindowAndQuits) {
    WindowDriver ui;
    HWND hwnd = ui.window().hwnd();
    SendMessageW(ui.Get("Command3"), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(ui.window().hwnd(), nullptr);
    MSG msg{};
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// ---------------------------------------------------------------------------------------
// Marks and tooltips

constexpr COLORREF kMark = RGB(0xFF, 0xD7, 0xD7);

struct MarkCase {
    const char* box;
    std::string InputTexts::*field;
    const char* text;
    const char* used;  // the mark's line; nullptr: read whole, no mark
};

class Marks : public ::testing::TestWithParam<MarkCase> {};

// After Calculate a number box read in part turns pale red and its tooltip starts with
// the value used; the report is what the engine gives. An edit takes the mark away.
TEST_P(Marks, ShowTheValueUsedUntilTheBoxIsEdited) {
    const MarkCase& c = GetParam();
    WindowDriver ui;
    HWND box = ui.Get(c.box);
    const auto background = [&] {
        return Background(box, IsWindowEnabled(box) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
    };
    const std::string own(kneebrace::window::FindControl(c.box)->tooltip);
    EXPECT_EQ(TooltipOf(ui, c.box), own);
    const COLORREF unmarked = background();
    ui.SetText(c.box, c.text);
    ui.Calculate();
    EXPECT_TRUE(ui.faults().empty());
    EXPECT_EQ(ui.Report(),
              EngineReport([&](DesignState&, InputTexts& in) { in.*(c.field) = c.text; }));
    if (c.used == nullptr) {
        EXPECT_EQ(background(), unmarked);
        EXPECT_EQ(TooltipOf(ui, c.box), own);
        return;
    }
    EXPECT_EQ(background(), kMark);
    EXPECT_EQ(TooltipOf(ui, c.box), std::string(c.used) + "\n" + own);
    ui.SetText(c.box, "1");
    EXPECT_EQ(background(), unmarked);
    EXPECT_EQ(TooltipOf(ui, c.box), own);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Marks,
    ::testing::Values(MarkCase{"Text9", &InputTexts::Text9, "35mm", "按 35 计算"},
                      MarkCase{"Text6", &InputTexts::Text6, "M14", "按 0 计算"},
                      MarkCase{"Text5", &InputTexts::Text5, "45度", "按 45 计算"},
                      MarkCase{"Text3", &InputTexts::Text3, "", "按 0 计算"},
                      MarkCase{"Text2", &InputTexts::Text2, "10 mm", "按 10 计算"},  // locked
                      MarkCase{"Text4", &InputTexts::Text4, "50", nullptr},
                      MarkCase{"Text6", &InputTexts::Text6, "14.0", nullptr}));

// The marks are on screen when the fault message shows; they stay until their own box is
// edited.
TEST(Win32Window, MarksShowWithTheFaultMessageAndStayUntilTheirBoxIsEdited) {
    WindowDriver ui;
    HWND e2 = ui.Get("Text9");
    bool markedDuringMessage = false;
    ui.onFault = [&] { markedDuringMessage = Background(e2, WM_CTLCOLOREDIT) == kMark; };
    ui.SetText("Text9", "35mm");
    ui.SetText("Text1", "500x200");
    ui.Calculate();
    ASSERT_EQ(ui.faults().size(), 1u);
    EXPECT_TRUE(markedDuringMessage);
    // Another box's edit leaves the mark; the next run still reads E2 in part.
    ui.SetText("Text1", "500x200x6x12");
    EXPECT_EQ(Background(e2, WM_CTLCOLOREDIT), kMark);
    ui.Calculate();
    EXPECT_EQ(Background(e2, WM_CTLCOLOREDIT), kMark);
}

// Each input box and the size list explain what they hold.
TEST(Win32Window, InputBoxesHaveTheirTooltips) {
    WindowDriver ui;
    for (const ControlRow& entry : Form15Controls()) {
        if (entry.tooltip.empty()) continue;
        EXPECT_EQ(TooltipOf(ui, std::string(entry.name).c_str()), std::string(entry.tooltip))
            << entry.name;
    }
}

}  // namespace

// The sizing button and its dialog in the Win32 window, played as sessions: the dialog
// opens on the lightest passing size, header clicks sort by value, and the row left by
// a double-click, Enter or 选用 is picked and calculated, while 取消, Esc or closing
// changes nothing. A fault no size can mend shows the fault message instead; the
// keyboard alone works.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/angle_catalogue.h"
#include "core/calculation_run.h"
#include "win32/sizing_dialog.h"
#include "win32/utf.h"
#include "window/form_actions.h"
#include "window/sizing_view.h"
#include "window_driver.h"

namespace {

using kneebrace::DesignState;
using kneebrace::InputTexts;
using win32test::WindowDriver;

constexpr int kStrength = static_cast<int>(kneebrace::kSizingFirstCheckColumn) + 2;
constexpr int kVerdict = static_cast<int>(kneebrace::kSizingConclusionColumn);

struct Session {
    const char* name;
    const char* section;  // Text1
    const char* angle;    // Text5
    const char* bolt;     // Text6
    int sortColumn;       // -1: no header click
    int clicks;           // on the header; 2 turns the order round
    int down;             // rows moved down before leaving
    const char* leave;    // dclick, enter, adopt; cancel, esc, close
    bool keys;            // the button reached by Tab and pressed by Space
    bool sizeFault;       // a fault no size can mend: the message, no dialog
};

std::ostream& operator<<(std::ostream& os, const Session& s) { return os << s.name; }

const Session kSessions[] = {
    {"StartUpLightestAsOffered", "500x200x6x12", "45", "14", -1, 0, 0, "adopt", false, false},
    {"FarDownDoubleClick", "2000x300x10x20", "60", "24", -1, 0, 5, "dclick", false, false},
    {"NearTheEndKeysOnly", "2400x250x10x16", "60", "14", -1, 0, 3, "enter", true, false},
    {"NonePassesByA0Enter", "1000x400x12x30", "45", "14", 1, 1, 13, "enter", false, false},
    {"FaultedSizesStrengthDown", "500x200x6x12", "45", "100", kStrength, 2, 52, "adopt", false,
     false},
    {"ByVerdictThenCancel", "500x200x6x12", "45", "14", kVerdict, 1, 7, "cancel", false, false},
    {"BySizeDownThenEsc", "500x200x6x12", "45", "14", 0, 2, 2, "esc", true, false},
    {"ClosedFromTheTitleBar", "2000x300x10x20", "60", "24", -1, 0, 1, "close", false, false},
    {"UnreadableDesignation", "abc", "45", "14", -1, 0, 0, "", false, true},
    {"AngleOf90Degrees", "500x200x6x12", "90", "14", -1, 0, 0, "", true, true},
};

// A key pressed in the dialog, through the dialog manager as its modal loop passes it.
void DialogKey(HWND dialog, WPARAM key) {
    for (const UINT message : {WM_KEYDOWN, WM_KEYUP}) {
        MSG msg{};
        msg.hwnd = GetFocus();
        msg.message = message;
        msg.wParam = key;
        msg.lParam = message == WM_KEYUP ? LPARAM{1} | (LPARAM{3} << 30) : 1;
        if (!IsDialogMessageW(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

std::string Cell(HWND list, int position, int column) {
    wchar_t text[128]{};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 128;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(position),
                 reinterpret_cast<LPARAM>(&item));
    return kneebrace::win32::Narrow(text);
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void Mouse(HWND target, UINT message, POINT at) {
    SendMessageW(target, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(at.x, at.y));
}

// The ground a row is painted on, next to the right end of its last cell in view, where
// no text reaches.
COLORREF RowGround(HWND list, int position) {
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    RECT row{};
    ListView_GetItemRect(list, position, &row, LVIR_BOUNDS);
    RECT client{};
    GetClientRect(list, &client);
    HDC dc = GetDC(list);
    const COLORREF ground =
        GetPixel(dc, std::min(row.right, client.right) - 4, (row.top + row.bottom) / 2);
    ReleaseDC(list, dc);
    return ground;
}

class SizingSessions : public ::testing::TestWithParam<Session> {};

TEST_P(SizingSessions, AdoptOrLeaveAsTheUserChose) {
    const Session& t = GetParam();
    WindowDriver ui;
    ui.SetText("Text1", t.section);
    ui.SetText("Text5", t.angle);
    ui.SetText("Text6", t.bolt);
    ui.Calculate();
    InputTexts in = kneebrace::StartupInputTexts();
    in.Text1 = t.section;
    in.Text5 = t.angle;
    in.Text6 = t.bolt;
    const DesignState before = ui.window().designState();
    const std::string report = ui.Report();
    const std::string listText = ui.Text("Combo1");
    const std::size_t faultsBefore = ui.faults().size();

    std::string chosen;
    ui.onSizing = [&](HWND d) {
        HWND list = GetDlgItem(d, kneebrace::win32::kSizingListId);
        const kneebrace::SizingView view = kneebrace::BuildSizingView(before, in);
        const std::optional<std::size_t> lightest =
            kneebrace::LightestPassing(kneebrace::SizeAngles(before, in));
        EXPECT_EQ(win32test::WindowTextUtf8(d), "角钢选型");
        EXPECT_EQ(win32test::WindowTextUtf8(GetDlgItem(d, kneebrace::win32::kSizingInputsId)),
                  view.inputsLine);
        EXPECT_EQ(win32test::WindowTextUtf8(GetDlgItem(d, kneebrace::win32::kSizingMessageId)),
                  view.message);
        EXPECT_EQ(GetFocus(), list);
        EXPECT_FALSE(IsWindowEnabled(ui.window().hwnd())) << "modal";
        ASSERT_EQ(ListView_GetItemCount(list), 53);
        EXPECT_EQ(ListView_GetSelectedCount(list), 1u);

        // Opens on the lightest passing size (else the first), selected, focused and in
        // view, on its darker green.
        const int at = ListView_GetNextItem(list, -1, LVNI_SELECTED);
        EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), at);
        const std::string opened = Cell(list, at, 0);
        EXPECT_EQ(opened, lightest ? view.rows[*lightest].designation : std::string("L45X3"));
        EXPECT_TRUE(at >= ListView_GetTopIndex(list) &&
                    at < ListView_GetTopIndex(list) + ListView_GetCountPerPage(list));
        EXPECT_EQ(RowGround(list, at), lightest ? kneebrace::win32::kSizingLightestSelectedGround
                                                : kneebrace::win32::kSizingSelectedGround);

        HWND header = ListView_GetHeader(list);
        for (int c = 0; c < t.clicks; ++c) {
            RECT r{};
            Header_GetItemRect(header, t.sortColumn, &r);
            Mouse(header, WM_LBUTTONDOWN, Centre(r));
            Mouse(header, WM_LBUTTONUP, Centre(r));
        }
        if (t.sortColumn >= 0) {
            const std::vector<std::size_t> order = kneebrace::SortedSizingRows(
                view, static_cast<std::size_t>(t.sortColumn), t.clicks == 2);
            double last = t.clicks == 2 ? 1e300 : -1e300;
            for (int r = 0; r < 53; ++r) {
                const auto& row = view.rows[order[static_cast<std::size_t>(r)]];
                EXPECT_EQ(Cell(list, r, 0), row.designation) << r;
                // The figures themselves, not their texts, are in order ("9.5%" before
                // "10.2%").
                const std::string text = Cell(list, r, t.sortColumn);
                if (t.sortColumn == 1 || (t.sortColumn == kStrength && !row.fault)) {
                    const double value = std::strtod(text.c_str(), nullptr);
                    EXPECT_TRUE(t.clicks == 2 ? value <= last : value >= last) << r << " " << text;
                    last = value;
                }
            }
        }
        // The selection stays with its size.
        EXPECT_EQ(Cell(list, ListView_GetNextItem(list, -1, LVNI_SELECTED), 0), opened);

        for (int k = 0; k < t.down; ++k) DialogKey(d, VK_DOWN);
        const int target = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
        chosen = Cell(list, target, 0);
        if (lightest && Cell(list, target, 0) != view.rows[*lightest].designation) {
            EXPECT_EQ(RowGround(list, target), kneebrace::win32::kSizingSelectedGround);
        }
        const std::string leave = t.leave;
        if (leave == "dclick") {
            RECT r{};
            ListView_GetItemRect(list, target, &r, LVIR_BOUNDS);
            Mouse(list, WM_LBUTTONDBLCLK, Centre(r));
            Mouse(list, WM_LBUTTONUP, Centre(r));
        } else if (leave == "enter" || leave == "esc") {
            DialogKey(d, leave == "enter" ? VK_RETURN : VK_ESCAPE);
        } else if (leave == "close") {
            SendMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0);
            win32test::PumpMessages();  // the cancel the dialog manager posts for it
        } else {
            SendMessageW(GetDlgItem(d, leave == "adopt" ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
        }
        EXPECT_FALSE(IsWindowVisible(d)) << "the dialog is closed";
    };
    if (t.keys) {
        SetFocus(ui.Get("Command1"));
        ui.Key(VK_TAB);
        ASSERT_EQ(ui.FocusName(), "Command2");
        ui.Key(VK_SPACE);
    } else {
        ui.Click("Command2");
    }
    EXPECT_EQ(ui.sizingDialogsShown(), t.sizeFault ? 0 : 1);

    // Adopted: as a pick of that size and Calculate (which may fault on it) leave it.
    const std::string leave = t.leave;
    const bool adopted = leave == "dclick" || leave == "enter" || leave == "adopt";
    DesignState expected = before;
    std::optional<kneebrace::window::FaultMessage> fault;
    if (adopted) {
        kneebrace::window::PickSize(expected, chosen);
        fault = kneebrace::window::Calculate(expected, in);
    } else if (t.sizeFault) {
        fault = kneebrace::window::Calculate(expected, in);
    }
    ASSERT_EQ(ui.faults().size(), faultsBefore + (fault ? 1 : 0));
    if (fault) {
        EXPECT_EQ(ui.faults().back().title, fault->title);
        EXPECT_EQ(ui.faults().back().text, fault->text);
    }
    const DesignState& now = ui.window().designState();
    EXPECT_EQ(now.A0, expected.A0);
    EXPECT_EQ(now.anglePropsText, expected.anglePropsText);
    EXPECT_EQ(now.reportText, expected.reportText);
    EXPECT_EQ(ui.Text("Text7"), expected.anglePropsText);
    EXPECT_EQ(ui.Report(), fault ? report : expected.reportText);
    if (adopted) {
        EXPECT_EQ(ui.Text("Combo1"), chosen);
        const LRESULT place = SendMessageW(ui.Get("Combo1"), CB_GETCURSEL, 0, 0);
        ASSERT_GE(place, 0);
        EXPECT_EQ(kneebrace::AngleCatalogue()[static_cast<std::size_t>(place)].designation, chosen);
    } else {
        EXPECT_EQ(ui.Text("Combo1"), listText);
    }
    EXPECT_TRUE(IsWindowEnabled(ui.window().hwnd()));
}

INSTANTIATE_TEST_SUITE_P(Win32Sizing, SizingSessions, ::testing::ValuesIn(kSessions),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

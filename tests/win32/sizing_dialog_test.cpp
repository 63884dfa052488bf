// The sizing button and its dialog in the Win32 window, played as the shared sessions:
// the dialog draws the table's state (the rows in its order, the selected row on its
// ground, scrolled into view, the header's arrow), the user's clicks and keys reach it,
// and the row adopted is picked and calculated while 取消, Esc or closing change nothing.
// The state's own rules are tested once, in tests/window.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>

#include "catalogue/angle_catalogue.h"
#include "support/sizing_sessions.h"
#include "win32/look.h"
#include "win32/sizing_dialog.h"
#include "win32/sizing_list.h"
#include "win32/utf.h"
#include "window/sizing_view.h"
#include "window_driver.h"

namespace testsupport {
// A session in GoogleTest's messages: its name.
void PrintTo(const SizingSession& s, std::ostream* os) { *os << s.name; }
void PrintTo(const CodesSession& s, std::ostream* os) { *os << s.name; }
}  // namespace testsupport

namespace {

using kneebrace::SizingTable;
using testsupport::SizingSession;
using win32test::WindowDriver;

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

// The selected row is drawn as the state says: selected and focused in the list, on its
// ground, in view from the row the state puts at the top.
void CheckSelectionDrawn(HWND list, const SizingTable& state, bool opening) {
    const int at = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    ASSERT_EQ(std::optional<std::size_t>(static_cast<std::size_t>(at)), state.selected());
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), at);
    EXPECT_EQ(ListView_GetSelectedCount(list), 1u);
    const std::optional<kneebrace::SizingColour> ground =
        state.LookOf(static_cast<std::size_t>(at), 0).ground;
    EXPECT_EQ(RowGround(list, at),
              ground ? kneebrace::win32::ToColorRef(*ground) : GetSysColor(COLOR_WINDOW));
    const int top = ListView_GetTopIndex(list);
    const int perPage = ListView_GetCountPerPage(list);
    EXPECT_TRUE(at >= top && at < top + perPage) << at << " from " << top;
    if (opening) {
        EXPECT_EQ(static_cast<std::size_t>(top),
                  state.FirstRowShown(0, static_cast<std::size_t>(perPage), true));
    }
}

class SizingSessions : public ::testing::TestWithParam<SizingSession> {};

TEST_P(SizingSessions, AdoptOrLeaveAsTheUserChose) {
    const SizingSession& t = GetParam();
    WindowDriver ui;
    ui.Click("Check2");  // the seven alone, as the expectation is built from the record
    ui.SetText("Text1", t.section);
    ui.SetText("Text5", t.angle);
    ui.SetText("Text6", t.bolt);
    ui.Calculate();
    const kneebrace::DesignState before = ui.window().designState();
    const std::string report = ui.Report();
    const std::string listText = ui.Text("Combo1");
    const std::size_t faultsBefore = ui.faults().size();

    std::string chosen;
    ui.onSizing = [&](HWND d) {
        HWND list = GetDlgItem(d, kneebrace::win32::kSizingListId);
        const SizingTable* state = kneebrace::win32::SizingDialogTable(d);
        ASSERT_NE(state, nullptr);
        const kneebrace::SizingView& view = state->view();
        EXPECT_EQ(win32test::WindowTextUtf8(d), "角钢选型");
        EXPECT_EQ(win32test::WindowTextUtf8(GetDlgItem(d, kneebrace::win32::kSizingInputsId)),
                  view.inputsLine);
        EXPECT_EQ(win32test::WindowTextUtf8(GetDlgItem(d, kneebrace::win32::kSizingMessageId)),
                  view.message);
        EXPECT_EQ(GetFocus(), list);
        EXPECT_FALSE(IsWindowEnabled(ui.window().hwnd())) << "modal";
        ASSERT_EQ(ListView_GetItemCount(list), 53);
        CheckSelectionDrawn(list, *state, true);
        const std::string opened = Cell(list, ListView_GetNextItem(list, -1, LVNI_SELECTED), 0);

        HWND header = ListView_GetHeader(list);
        for (int c = 0; c < t.clicks; ++c) {
            RECT r{};
            Header_GetItemRect(header, t.sortColumn, &r);
            Mouse(header, WM_LBUTTONDOWN, Centre(r));
            Mouse(header, WM_LBUTTONUP, Centre(r));
        }
        if (t.sortColumn >= 0) {
            EXPECT_EQ(state->sortColumn(), std::optional<std::size_t>(t.sortColumn));
            EXPECT_EQ(state->descending(), t.clicks == 2);
            HDITEMW item{};
            item.mask = HDI_FORMAT;
            Header_GetItem(header, t.sortColumn, &item);
            EXPECT_EQ(item.fmt & (HDF_SORTUP | HDF_SORTDOWN),
                      t.clicks == 2 ? HDF_SORTDOWN : HDF_SORTUP);
            for (int r = 0; r < 53; ++r) {
                const auto position = static_cast<std::size_t>(r);
                EXPECT_EQ(Cell(list, r, 0), state->RowAt(position).designation) << r;
                EXPECT_EQ(Cell(list, r, t.sortColumn),
                          state->TextAt(position, static_cast<std::size_t>(t.sortColumn)))
                    << r;
            }
        }
        EXPECT_EQ(Cell(list, ListView_GetNextItem(list, -1, LVNI_SELECTED), 0), opened);
        CheckSelectionDrawn(list, *state, false);

        for (int k = 0; k < t.down; ++k) DialogKey(d, VK_DOWN);
        CheckSelectionDrawn(list, *state, false);
        const int target = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
        chosen = Cell(list, target, 0);
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
    EXPECT_EQ(ui.sizingDialogsShown(), *t.fault ? 0 : 1);

    const testsupport::SizingAfter after = testsupport::ExpectedAfter(t, before, chosen);
    ASSERT_EQ(ui.faults().size(), faultsBefore + (after.fault ? 1 : 0));
    if (after.fault) {
        EXPECT_EQ(ui.faults().back().title, after.fault->title);
        EXPECT_EQ(ui.faults().back().text, after.fault->text);
    }
    if (*t.fault) {
        EXPECT_EQ(ui.faults().back().title, t.fault);
    }
    const kneebrace::DesignState& now = ui.window().designState();
    EXPECT_EQ(now.A0, after.state.A0);
    EXPECT_EQ(now.anglePropsText, after.state.anglePropsText);
    EXPECT_EQ(now.reportText, after.state.reportText);
    EXPECT_EQ(ui.Text("Text7"), after.state.anglePropsText);
    EXPECT_EQ(ui.Report(), after.fault ? report : after.state.reportText);
    if (testsupport::Adopts(t)) {
        EXPECT_EQ(ui.Text("Combo1"), chosen);
        const LRESULT place = SendMessageW(ui.Get("Combo1"), CB_GETCURSEL, 0, 0);
        ASSERT_GE(place, 0);
        EXPECT_EQ(kneebrace::AngleCatalogue()[static_cast<std::size_t>(place)].designation, chosen);
    } else {
        EXPECT_EQ(ui.Text("Combo1"), listText);
    }
    EXPECT_TRUE(IsWindowEnabled(ui.window().hwnd()));
}

// The tip `tips` shows at `at` in `owner`'s client area; empty where it shows none.
std::string TipAt(HWND tips, HWND owner, POINT at) {
    wchar_t text[512]{};
    TTHITTESTINFOW hit{};
    hit.hwnd = owner;
    hit.pt = at;
    hit.ti.cbSize = sizeof(hit.ti);
    if (!SendMessageW(tips, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit))) return {};
    hit.ti.lpszText = text;
    SendMessageW(tips, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&hit.ti));
    std::string tip = kneebrace::win32::Narrow(text);
    std::erase(tip, '\r');  // the tip breaks its lines at CR LF
    return tip;
}

class CodesSessions : public ::testing::TestWithParam<testsupport::CodesSession> {};

TEST_P(CodesSessions, ColumnsTipsAndMessage) {
    const kneebrace::SizingView view = testsupport::CodesSessionView(GetParam());
    WindowDriver ui;
    bool seen = false;
    kneebrace::win32::ShowSizingDialog(ui.window().hwnd(), view, 96, [&](HWND d) {
        seen = true;
        HWND list = GetDlgItem(d, kneebrace::win32::kSizingListId);
        HWND header = ListView_GetHeader(list);
        const SizingTable& state = *kneebrace::win32::SizingDialogTable(d);
        HWND tips = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
        while (tips != nullptr && GetWindow(tips, GW_OWNER) != d)
            tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr);
        ASSERT_NE(tips, nullptr);
        ASSERT_EQ(std::size_t(Header_GetItemCount(header)), view.columnCount());
        RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const int top = ListView_GetTopIndex(list);
        for (int c = 0; c < Header_GetItemCount(header); ++c) {
            RECT r{};
            Header_GetItemRect(header, c, &r);
            EXPECT_EQ(TipAt(tips, header, Centre(r)), view.headerTips[std::size_t(c)]) << c;
            for (int p = top; p < top + ListView_GetCountPerPage(list); ++p) {
                ListView_GetSubItemRect(list, p, c, LVIR_LABEL, &r);  // column 0 alone
                EXPECT_EQ(Cell(list, p, c), state.TextAt(std::size_t(p), std::size_t(c)));
                EXPECT_EQ(TipAt(tips, list, Centre(r)), state.TipAt(std::size_t(p), std::size_t(c)))
                    << p << ", " << c;
            }
        }
        // The message over all its lines, each as tall as the inputs line; the table below.
        RECT inputs{}, message{}, table{};
        GetWindowRect(GetDlgItem(d, kneebrace::win32::kSizingInputsId), &inputs);
        GetWindowRect(GetDlgItem(d, kneebrace::win32::kSizingMessageId), &message);
        GetWindowRect(list, &table);
        EXPECT_EQ(win32test::WindowTextUtf8(GetDlgItem(d, kneebrace::win32::kSizingMessageId)),
                  view.message);
        EXPECT_EQ(message.bottom - message.top,
                  LONG(testsupport::MessageLines(view)) * (inputs.bottom - inputs.top));
        EXPECT_GE(table.top, message.bottom);
        SendMessageW(GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(seen);
}

INSTANTIATE_TEST_SUITE_P(Win32SizingCodes, CodesSessions,
                         ::testing::ValuesIn(testsupport::kCodesSessions),
                         [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Win32Sizing, SizingSessions,
                         ::testing::ValuesIn(testsupport::kSizingSessions),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

#include "win32/sizing_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <cwchar>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "win32/look.h"
#include "win32/utf.h"
#include "window/control_table.h"

namespace kneebrace::win32 {

namespace {

// Posted from WM_INITDIALOG: handled once the modal loop runs. The dialog is shown as
// soon as WM_INITDIALOG returns (WS_VISIBLE), not when the loop first finds the queue
// empty, so that it is on screen by then.
constexpr UINT kShownMessage = WM_APP + 1;
constexpr DWORD kDialogStyle =
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME;
// Rows the table shows without scrolling when the dialog opens.
constexpr int kRowsShown = 18;
// Lengths at 96 dpi.
constexpr int kMargin = 10;
constexpr int kGap = 6;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 28;
constexpr int kCellRoom = 16;    // beside a cell's text, the list's own inner margins
constexpr int kHeaderRoom = 30;  // beside a header's text
// Beside the sorted column's header text, for its arrow where the header draws it there
// (wine does; a themed Windows header draws it above the text).
constexpr int kArrowRoom = 14;
constexpr int kRowRoom = 6;  // above and below a row's text together

// An empty frame with the title; the controls are made in WM_INITDIALOG, in pixels for
// the monitor's DPI, which a template's dialog units cannot give.
std::vector<WORD> DialogTemplate(std::wstring_view title) {
    DLGTEMPLATE head{};
    head.style = kDialogStyle;
    constexpr std::size_t kHeadWords = sizeof(DLGTEMPLATE) / sizeof(WORD);
    // The head, no menu, the default class, the title and its terminating zero.
    std::vector<WORD> words(kHeadWords + 2 + title.size() + 1, 0);
    std::memcpy(words.data(), &head, sizeof(head));
    for (std::size_t i = 0; i < title.size(); ++i)
        words[kHeadWords + 2 + i] = static_cast<WORD>(title[i]);
    return words;
}

int TextWidth(HDC dc, HFONT font, const std::wstring& text) {
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    return size.cx;
}

int LineHeight(HDC dc, HFONT font) {
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    return metrics.tmHeight;
}

class SizingDialog {
public:
    SizingDialog(const SizingView& view, UINT dpi, const std::function<void(HWND)>& onShown)
        : view_(view),
          order_(SortedSizingRows(view, kSizingColumnCount, false)),  // catalogue order
          dpi_(dpi == 0 ? 96 : dpi),
          onShown_(onShown) {
        cells_.reserve(view_.rows.size());
        for (const SizingViewRow& row : view_.rows) {
            std::array<std::wstring, kSizingColumnCount> texts;
            for (std::size_t c = 0; c < kSizingColumnCount; ++c)
                texts[c] = Widen(row.cells[c].text);
            cells_.push_back(std::move(texts));
        }
    }
    SizingDialog(const SizingDialog&) = delete;
    SizingDialog& operator=(const SizingDialog&) = delete;
    ~SizingDialog() { DeleteFonts(); }

    std::optional<std::string> Run(HWND owner) {
        const std::vector<WORD> layout = DialogTemplate(Widen(kSizingTitle));
        auto* instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
        const INT_PTR result =
            DialogBoxIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(layout.data()),
                                    owner, &SizingDialog::Proc, reinterpret_cast<LPARAM>(this));
        if (result <= 0) return std::nullopt;
        return adopted_;
    }

private:
    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            reinterpret_cast<SizingDialog*>(lParam)->dialog_ = dialog;
        }
        auto* self = reinterpret_cast<SizingDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (self == nullptr) return FALSE;
        return self->Handle(message, wParam, lParam);
    }

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_INITDIALOG:
                // No exception may cross the system's call into this procedure.
                try {
                    Create();
                } catch (const std::exception&) {
                    End(-1);
                }
                return FALSE;  // the focus is set: on the table
            case kShownMessage:
                if (onShown_) {
                    // Painted first, so that whoever looks at it sees what the user does.
                    RedrawWindow(dialog_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                    onShown_(dialog_);
                }
                return TRUE;
            case WM_COMMAND:
                if (LOWORD(wParam) == kSizingAdoptId) Adopt(CurrentPosition());
                else if (LOWORD(wParam) == kSizingCancelId) End(0);
                return TRUE;
            case WM_NOTIFY: {
                const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
                if (header.hwndFrom != list_) return FALSE;
                const LRESULT result = OnListNotify(lParam);
                SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, result);
                return TRUE;
            }
            case WM_CTLCOLORSTATIC:
                // That no size passes is said in red, as a failed check is.
                if (reinterpret_cast<HWND>(lParam) == message_ && !view_.lightest) {
                    auto* dc = reinterpret_cast<HDC>(wParam);
                    SetTextColor(dc, kSizingFailingText);
                    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
                }
                return FALSE;
            case WM_SIZE: Layout(); return TRUE;
            case WM_GETMINMAXINFO:
                if (minimumFrame_.cx > 0) {
                    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
                    info->ptMinTrackSize = POINT{minimumFrame_.cx, minimumFrame_.cy};
                }
                return TRUE;
            case WM_DPICHANGED: {
                // Laid out anew for the new monitor, rather than stretched by the dialog
                // manager.
                ApplyDpi(LOWORD(wParam));
                const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
                SetWindowPos(dialog_, nullptr, suggested.left, suggested.top,
                             std::max(suggested.right - suggested.left, minimumFrame_.cx),
                             std::max(suggested.bottom - suggested.top, minimumFrame_.cy),
                             SWP_NOZORDER | SWP_NOACTIVATE);
                return TRUE;
            }
            default: return FALSE;
        }
    }

    HWND Make(DWORD exStyle, const wchar_t* windowClass, const std::wstring& text, DWORD style,
              int id) {
        HWND control = CreateWindowExW(
            exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
            reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog_, GWLP_HINSTANCE)), nullptr);
        if (control == nullptr) throw std::runtime_error("a control of the sizing dialog failed");
        return control;
    }

    void Create() {
        // Creation order is the tab order: the table, 选用, 取消.
        inputs_ = Make(0, L"STATIC", Widen(view_.inputsLine), SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                       kSizingInputsId);
        message_ = Make(0, L"STATIC", Widen(view_.message), SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                        kSizingMessageId);
        // A virtual list: the rows are the view's, drawn in the order of the last header
        // click, with no copy of the texts to reorder.
        list_ = Make(
            WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
            WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
            kSizingListId);
        SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                     LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
        for (std::size_t c = 0; c < kSizingColumnCount; ++c) {
            std::wstring header = Widen(view_.headers[c]);
            LVCOLUMNW column{};
            column.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
            // Figures line up on the right; the size and the verdict are words.
            column.fmt = c == 0                         ? LVCFMT_LEFT
                         : c == kSizingConclusionColumn ? LVCFMT_CENTER
                                                        : LVCFMT_RIGHT;
            column.pszText = header.data();
            column.iSubItem = static_cast<int>(c);
            SendMessageW(list_, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
        }
        SendMessageW(list_, LVM_SETITEMCOUNT, order_.size(), LVSICF_NOINVALIDATEALL);
        adopt_ = Make(0, L"BUTTON", Widen(kSizingAdoptCaption),
                      WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, kSizingAdoptId);
        cancel_ = Make(0, L"BUTTON", Widen(kSizingCancelCaption), WS_TABSTOP | BS_PUSHBUTTON,
                       kSizingCancelId);
        CreateHeaderTips();

        ApplyDpi(dpi_);
        PlaceOverOwner();
        // The lightest passing size is where the user starts; without one, the first
        // row, so that the arrows have somewhere to start from.
        std::size_t start = 0;
        if (view_.lightest) start = PositionOf(*view_.lightest);
        Select(static_cast<int>(start));
        CentreInView(static_cast<int>(start));
        SetFocus(list_);
        PostMessageW(dialog_, kShownMessage, 0, 0);
    }

    // One tooltip per column header, saying what its figure is.
    void CreateHeaderTips() {
        tips_ =
            CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, dialog_, nullptr, nullptr, nullptr);
        if (tips_ == nullptr) return;
        HWND header = ListView_GetHeader(list_);
        for (std::size_t c = 0; c < kSizingColumnCount; ++c) {
            std::wstring text = Widen(view_.headerTips[c]);
            TTTOOLINFOW info{};
            info.cbSize = sizeof(info);
            info.uFlags = TTF_SUBCLASS;
            info.hwnd = header;
            info.uId = c;
            info.lpszText = text.data();
            SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        }
    }

    // The tips' areas follow the columns' widths, which the user may drag.
    void UpdateHeaderTips() const {
        if (tips_ == nullptr) return;
        HWND header = ListView_GetHeader(list_);
        for (std::size_t c = 0; c < kSizingColumnCount; ++c) {
            TTTOOLINFOW info{};
            info.cbSize = sizeof(info);
            info.hwnd = header;
            info.uId = c;
            Header_GetItemRect(header, static_cast<int>(c), &info.rect);
            SendMessageW(tips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
        }
    }

    void DeleteFonts() {
        if (font_ != nullptr) DeleteObject(font_);
        if (bold_ != nullptr) DeleteObject(bold_);
        font_ = bold_ = nullptr;
    }

    // Fonts, column widths and the dialog's size for `dpi`: every column wide enough for
    // its widest text, the table tall enough for kRowsShown rows.
    void ApplyDpi(UINT dpi) {
        dpi_ = dpi;
        HFONT oldFont = font_;
        HFONT oldBold = bold_;
        font_ = CreateSongFont(window::kWindowFontPoints, dpi_);
        LOGFONTW bold{};
        GetObjectW(font_, sizeof(bold), &bold);
        bold.lfWeight = FW_BOLD;
        bold_ = CreateFontIndirectW(&bold);
        for (HWND control : {inputs_, message_, list_, adopt_, cancel_, tips_})
            if (control != nullptr)
                SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
        if (tips_ != nullptr) SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, ScaleFor(480, dpi_));
        if (oldFont != nullptr) DeleteObject(oldFont);
        if (oldBold != nullptr) DeleteObject(oldBold);

        HDC dc = GetDC(list_);
        line_ = LineHeight(dc, font_);
        // A report list's rows are as tall as its font or its small images, whichever is
        // taller: an image list of blank one-pixel-wide images gives the rows air.
        HIMAGELIST rows = ImageList_Create(1, line_ + ScaleFor(kRowRoom, dpi_), ILC_COLOR32, 0, 0);
        if (HIMAGELIST old = ListView_SetImageList(list_, rows, LVSIL_SMALL); old != nullptr)
            ImageList_Destroy(old);
        int tableWidth = ScaleFor(kArrowRoom, dpi_);
        for (std::size_t c = 0; c < kSizingColumnCount; ++c) {
            int width = TextWidth(dc, font_, Widen(view_.headers[c])) + ScaleFor(kHeaderRoom, dpi_);
            for (const auto& texts : cells_)
                width = std::max(width, TextWidth(dc, bold_, texts[c]) + ScaleFor(kCellRoom, dpi_));
            columnWidths_[c] = width;
            tableWidth += width;
        }
        for (std::size_t c = 0; c < kSizingColumnCount; ++c) SizeColumn(c);
        const int lineWidth = std::max(TextWidth(dc, font_, Widen(view_.inputsLine)),
                                       TextWidth(dc, font_, Widen(view_.message)));
        ReleaseDC(list_, dc);

        // The table: its columns, a vertical scroll bar, the sunken edge.
        const int edge = GetSystemMetricsForDpi(SM_CXEDGE, dpi_);
        tableWidth += GetSystemMetricsForDpi(SM_CXVSCROLL, dpi_) + 2 * edge;
        RECT row{};
        row.left = LVIR_BOUNDS;
        int rowHeight = line_ + ScaleFor(4, dpi_);
        if (SendMessageW(list_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)) != FALSE)
            rowHeight = row.bottom - row.top;
        RECT headerArea{0, 0, tableWidth, 10000};
        WINDOWPOS headerPlace{};
        HDLAYOUT headerLayout{&headerArea, &headerPlace};
        Header_Layout(ListView_GetHeader(list_), &headerLayout);
        const int tableHeight = headerPlace.cy + kRowsShown * rowHeight + 2 * edge;

        const int margin = ScaleFor(kMargin, dpi_);
        const int gap = ScaleFor(kGap, dpi_);
        const SIZE client{
            2 * margin + std::max(tableWidth, lineWidth),
            2 * margin + 2 * (line_ + gap) + tableHeight + gap + ScaleFor(kButtonHeight, dpi_)};
        RECT frame{0, 0, client.cx, client.cy};
        AdjustWindowRectExForDpi(&frame, kDialogStyle, FALSE, 0, dpi_);
        minimumFrame_ = SIZE{frame.right - frame.left, frame.bottom - frame.top};
        // Never larger than the screen: on a small one the table scrolls sideways.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        HWND anchor = GetWindow(dialog_, GW_OWNER);
        if (anchor == nullptr) anchor = dialog_;
        if (GetMonitorInfoW(MonitorFromWindow(anchor, MONITOR_DEFAULTTONEAREST), &monitor)) {
            minimumFrame_.cx = std::min(
                minimumFrame_.cx, static_cast<LONG>(monitor.rcWork.right - monitor.rcWork.left));
            minimumFrame_.cy = std::min(
                minimumFrame_.cy, static_cast<LONG>(monitor.rcWork.bottom - monitor.rcWork.top));
        }
        SetWindowPos(dialog_, nullptr, 0, 0, minimumFrame_.cx, minimumFrame_.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Layout();
    }

    // The room for the sort arrow goes with the sorted column; before any sort the
    // verdict column holds it. The table's width stays the same either way.
    std::size_t ArrowColumn() const {
        return sortColumn_ >= 0 ? static_cast<std::size_t>(sortColumn_) : kSizingConclusionColumn;
    }

    void SizeColumn(std::size_t column) const {
        const int width =
            columnWidths_[column] + (column == ArrowColumn() ? ScaleFor(kArrowRoom, dpi_) : 0);
        SendMessageW(list_, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0));
    }

    // Centred over the window, and inside the monitor's work area.
    void PlaceOverOwner() const {
        HWND owner = GetWindow(dialog_, GW_OWNER);
        RECT own{};
        RECT self{};
        if (owner == nullptr || !GetWindowRect(owner, &own)) return;
        GetWindowRect(dialog_, &self);
        const int width = self.right - self.left;
        const int height = self.bottom - self.top;
        int left = (own.left + own.right - width) / 2;
        int top = (own.top + own.bottom - height) / 2;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        if (GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
            const RECT& work = monitor.rcWork;
            left = std::max(std::min(left, static_cast<int>(work.right) - width),
                            static_cast<int>(work.left));
            top = std::max(std::min(top, static_cast<int>(work.bottom) - height),
                           static_cast<int>(work.top));
        }
        SetWindowPos(dialog_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // The two lines on top, the table taking what is left, the buttons at the bottom
    // right.
    void Layout() const {
        if (list_ == nullptr) return;
        RECT client{};
        GetClientRect(dialog_, &client);
        const int margin = ScaleFor(kMargin, dpi_);
        const int gap = ScaleFor(kGap, dpi_);
        const int buttonWidth = ScaleFor(kButtonWidth, dpi_);
        const int buttonHeight = ScaleFor(kButtonHeight, dpi_);
        const int width = client.right - 2 * margin;
        const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        SetWindowPos(inputs_, nullptr, margin, margin, width, line_, flags);
        SetWindowPos(message_, nullptr, margin, margin + line_ + gap, width, line_, flags);
        const int tableTop = margin + 2 * (line_ + gap);
        const int buttonTop = client.bottom - margin - buttonHeight;
        SetWindowPos(list_, nullptr, margin, tableTop, width, buttonTop - gap - tableTop, flags);
        const int right = client.right - margin;
        SetWindowPos(cancel_, nullptr, right - buttonWidth, buttonTop, buttonWidth, buttonHeight,
                     flags);
        SetWindowPos(adopt_, nullptr, right - 2 * buttonWidth - gap, buttonTop, buttonWidth,
                     buttonHeight, flags);
    }

    LRESULT OnListNotify(LPARAM lParam) {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        switch (header.code) {
            case LVN_GETDISPINFOW: {
                LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
                if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr &&
                    item.cchTextMax > 0 && InRange(item.iItem) && item.iSubItem >= 0 &&
                    item.iSubItem < static_cast<int>(kSizingColumnCount)) {
                    const std::wstring& text = cells_[order_[static_cast<std::size_t>(item.iItem)]]
                                                     [static_cast<std::size_t>(item.iSubItem)];
                    lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
                }
                return 0;
            }
            case LVN_ODFINDITEMW:
                return FindByDesignation(reinterpret_cast<const NMLVFINDITEMW*>(lParam)->lvfi,
                                         reinterpret_cast<const NMLVFINDITEMW*>(lParam)->iStart);
            case NM_CUSTOMDRAW: return CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
            case LVN_COLUMNCLICK:
                SortBy(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
                return 0;
            case NM_DBLCLK: {
                const int item = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
                if (InRange(item)) Adopt(item);
                return 0;
            }
            default: return 0;
        }
    }

    // Typing a size's first characters in the table goes to it, as in the size list.
    LRESULT FindByDesignation(const LVFINDINFOW& find, int start) const {
        if ((find.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.psz == nullptr) return -1;
        const std::size_t typed = std::wcslen(find.psz);
        const std::size_t count = order_.size();
        const std::size_t from = InRange(start) ? static_cast<std::size_t>(start) : 0;
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t position = (from + k) % count;
            const std::wstring& designation = cells_[order_[position]][0];
            if (designation.size() >= typed && _wcsnicmp(designation.c_str(), find.psz, typed) == 0)
                return static_cast<LRESULT>(position);
        }
        return -1;
    }

    // The list would paint a selected row in the system's highlight, over the red
    // figures and the lightest row's green: each cell is given its colours here, and the
    // selection is shown as a change of ground only.
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) {
        switch (draw.nmcd.dwDrawStage) {
            case CDDS_PREPAINT: UpdateHeaderTips(); return CDRF_NOTIFYITEMDRAW;
            case CDDS_ITEMPREPAINT:
            case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
                const auto position = static_cast<int>(draw.nmcd.dwItemSpec);
                if (!InRange(position)) return CDRF_DODEFAULT;
                const std::size_t row = order_[static_cast<std::size_t>(position)];
                const bool lightest = view_.lightest == row;
                const bool selected = ListView_GetItemState(list_, position, LVIS_SELECTED) != 0;
                draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED);
                if (lightest)
                    draw.clrTextBk =
                        selected ? kSizingLightestSelectedGround : kSizingLightestGround;
                else draw.clrTextBk = selected ? kSizingSelectedGround : GetSysColor(COLOR_WINDOW);
                const std::size_t column =
                    draw.iSubItem >= 0 ? static_cast<std::size_t>(draw.iSubItem) : 0;
                const bool failing =
                    column < kSizingColumnCount && view_.rows[row].cells[column].failing;
                draw.clrText = failing ? kSizingFailingText : GetSysColor(COLOR_WINDOWTEXT);
                SelectObject(draw.nmcd.hdc, lightest ? bold_ : font_);
                if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
                    return CDRF_NOTIFYSUBITEMDRAW | CDRF_NEWFONT;
                return CDRF_NEWFONT;
            }
            default: return CDRF_DODEFAULT;
        }
    }

    // A header click orders the rows by that column, smallest first; a second click on
    // the same column turns the order round. The current row keeps its size.
    void SortBy(int column) {
        if (column < 0 || column >= static_cast<int>(kSizingColumnCount)) return;
        if (column == sortColumn_) {
            descending_ = !descending_;
        } else {
            const std::size_t before = ArrowColumn();
            sortColumn_ = column;
            descending_ = false;
            SizeColumn(before);
            SizeColumn(ArrowColumn());
        }
        const int current = CurrentPosition();
        const std::optional<std::size_t> kept =
            InRange(current) ? std::optional(order_[static_cast<std::size_t>(current)])
                             : std::nullopt;
        order_ = SortedSizingRows(view_, static_cast<std::size_t>(column), descending_);
        HWND header = ListView_GetHeader(list_);
        for (int c = 0; c < static_cast<int>(kSizingColumnCount); ++c) {
            HDITEMW item{};
            item.mask = HDI_FORMAT;
            Header_GetItem(header, c, &item);
            item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
            if (c == sortColumn_) item.fmt |= descending_ ? HDF_SORTDOWN : HDF_SORTUP;
            Header_SetItem(header, c, &item);
        }
        if (kept) {
            const int position = static_cast<int>(PositionOf(*kept));
            Select(position);
            ListView_EnsureVisible(list_, position, FALSE);
        }
        InvalidateRect(list_, nullptr, FALSE);
    }

    void Select(int position) const {
        ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_SetItemState(list_, position, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        ListView_SetSelectionMark(list_, position);
    }

    // Scrolls the row to the middle of the table, where the eye looks first.
    void CentreInView(int position) const {
        ListView_EnsureVisible(list_, position, FALSE);
        const int perPage = ListView_GetCountPerPage(list_);
        const int count = static_cast<int>(order_.size());
        const int wantedTop = std::max(0, std::min(position - perPage / 2, count - perPage));
        const int top = ListView_GetTopIndex(list_);
        RECT row{};
        row.left = LVIR_BOUNDS;
        if (wantedTop == top || !ListView_GetItemRect(list_, 0, &row, LVIR_BOUNDS)) return;
        ListView_Scroll(list_, 0, (wantedTop - top) * (row.bottom - row.top));
    }

    // The row the keys act on: the focused one, else the selected one.
    int CurrentPosition() const {
        int position = ListView_GetNextItem(list_, -1, LVNI_FOCUSED);
        if (position < 0) position = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
        return position;
    }

    std::size_t PositionOf(std::size_t viewRow) const {
        const auto it = std::find(order_.begin(), order_.end(), viewRow);
        return it == order_.end() ? 0 : static_cast<std::size_t>(it - order_.begin());
    }

    bool InRange(int position) const {
        return position >= 0 && static_cast<std::size_t>(position) < order_.size();
    }

    void Adopt(int position) {
        if (ended_ || !InRange(position)) return;
        adopted_ = view_.rows[order_[static_cast<std::size_t>(position)]].designation;
        End(1);
    }

    // The first way out decides: a command that arrives after it (a double-click's
    // second half, a cancel sent to be sure) changes nothing.
    void End(INT_PTR result) {
        if (ended_) return;
        ended_ = true;
        EndDialog(dialog_, result);
    }

    const SizingView& view_;
    std::vector<std::array<std::wstring, kSizingColumnCount>> cells_;  // by view row
    std::vector<std::size_t> order_;                                   // list position -> view row
    int sortColumn_ = -1;                                              // none: catalogue order
    bool descending_ = false;
    UINT dpi_;
    const std::function<void(HWND)>& onShown_;
    HWND dialog_ = nullptr;
    HWND inputs_ = nullptr;
    HWND message_ = nullptr;
    HWND list_ = nullptr;
    HWND adopt_ = nullptr;
    HWND cancel_ = nullptr;
    HWND tips_ = nullptr;
    HFONT font_ = nullptr;
    HFONT bold_ = nullptr;
    int line_ = 0;                                        // a text line's height
    std::array<int, kSizingColumnCount> columnWidths_{};  // for their texts, at dpi_
    SIZE minimumFrame_{};
    std::optional<std::string> adopted_;
    bool ended_ = false;
};

}  // namespace

std::optional<std::string> ShowSizingDialog(HWND owner, const SizingView& view, UINT dpi,
                                            const std::function<void(HWND dialog)>& onShown) {
    SizingDialog dialog(view, dpi, onShown);
    return dialog.Run(owner);
}

}  // namespace kneebrace::win32

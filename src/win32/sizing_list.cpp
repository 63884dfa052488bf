#include "win32/sizing_list.h"

#include <algorithm>
#include <cwchar>
#include <stdexcept>
#include <utility>

#include "win32/look.h"
#include "win32/sizing_layout.h"
#include "win32/utf.h"

namespace kneebrace::win32 {

namespace {

// Lengths at 96 dpi.
constexpr int kCellRoom = 16;    // beside a cell's text, the list's own inner margins
constexpr int kHeaderRoom = 30;  // beside a header's text
// Beside the sorted column's header text, for its arrow where the header draws it there
// (wine does; a themed Windows header draws it above the text).
constexpr int kArrowRoom = 14;

int ColumnFormat(std::size_t column) {
    switch (SizingColumnAlignment(column)) {
        case SizingAlignment::Left: return LVCFMT_LEFT;
        case SizingAlignment::Centre: return LVCFMT_CENTER;
        case SizingAlignment::Right: break;
    }
    return LVCFMT_RIGHT;
}

}  // namespace

SizingList::SizingList(SizingTable& state) : state_(state) {
    cells_.reserve(state_.view().rows.size());
    for (const SizingViewRow& row : state_.view().rows) {
        std::vector<std::wstring>& texts = cells_.emplace_back();
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            texts.push_back(Widen(row.cells[c].text));
            if (!row.cells[c].tip.empty() &&
                std::find(tipColumns_.begin(), tipColumns_.end(), c) == tipColumns_.end())
                tipColumns_.push_back(c);
        }
    }
}

void SizingList::Create(HWND dialog, int id) {
    // A virtual list: the rows are the state's, drawn in its order, with no copy of the
    // texts to reorder.
    list_ = MakeChild(
        dialog, WC_LISTVIEWW, L"",
        WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA, id,
        WS_EX_CLIENTEDGE);
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
    for (std::size_t c = 0; c < state_.columnCount(); ++c) {
        std::wstring header = Widen(state_.view().headers[c]);
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = ColumnFormat(c);
        column.pszText = header.data();
        column.iSubItem = static_cast<int>(c);
        SendMessageW(list_, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    SendMessageW(list_, LVM_SETITEMCOUNT, state_.size(), LVSICF_NOINVALIDATEALL);
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, nullptr, nullptr);
    // One tip per column header, saying what its figure is.
    for (std::size_t c = 0; c < state_.columnCount(); ++c)
        SetTip(ListView_GetHeader(list_), c, RECT{}, state_.view().headerTips[c], true);
}

// A tool of the tips over `owner`, `area` in its client coordinates; added when `add`,
// else given its new area and text. Line breaks as the tip draws them.
void SizingList::SetTip(HWND owner, UINT_PTR id, const RECT& area, const std::string& text,
                        bool add) const {
    if (tips_ == nullptr) return;
    std::wstring wide;
    for (const wchar_t c : Widen(text)) {
        if (c == L'\n') wide.push_back(L'\r');
        wide.push_back(c);
    }
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = id;
    info.rect = area;
    info.lpszText = wide.data();
    SendMessageW(tips_, add ? TTM_ADDTOOLW : TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info));
}

// The tips' areas follow the columns' widths, which the user may drag, and the cells'
// tips the rows in view, which scroll and sort under them: one tool per place in view.
void SizingList::UpdateTips() {
    if (tips_ == nullptr) return;
    HWND header = ListView_GetHeader(list_);
    for (std::size_t c = 0; c < state_.columnCount(); ++c) {
        RECT area{};
        Header_GetItemRect(header, static_cast<int>(c), &area);
        SetTip(header, c, area, state_.view().headerTips[c], false);
    }
    if (tipColumns_.empty()) return;
    const int top = ListView_GetTopIndex(list_);
    const auto places = static_cast<std::size_t>(ListView_GetCountPerPage(list_) + 1);
    for (std::size_t place = 0; place < places; ++place) {
        for (std::size_t k = 0; k < tipColumns_.size(); ++k) {
            const std::size_t tool = place * tipColumns_.size() + k;
            const int position = top + static_cast<int>(place);
            RECT area{};
            std::string text;
            if (InRange(position)) {
                ListView_GetSubItemRect(list_, position, static_cast<int>(tipColumns_[k]),
                                        LVIR_BOUNDS, &area);
                text = state_.TipAt(static_cast<std::size_t>(position), tipColumns_[k]);
            }
            if (text.empty()) area = RECT{};
            SetTip(list_, kCellTipIds + tool, area, text, tool >= cellTools_);
        }
    }
    cellTools_ = std::max(cellTools_, places * tipColumns_.size());
}

void SizingList::ApplyFonts(HFONT font, HFONT bold, UINT dpi) {
    font_ = font;
    bold_ = bold;
    dpi_ = dpi;
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    if (tips_ != nullptr) {
        SendMessageW(tips_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
        SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, ScaleFor(480, dpi_));
    }
    HDC dc = GetDC(list_);
    const int line = LineHeight(dc, font_);
    // A report list's rows are as tall as its font or its small images, whichever is
    // taller: an image list of blank one-pixel-wide images gives the rows air. The list
    // destroys the last one with itself.
    HIMAGELIST rows = ImageList_Create(1, line + ScaleFor(kSizingRowRoom, dpi_), ILC_COLOR32, 0, 0);
    if (HIMAGELIST old = ListView_SetImageList(list_, rows, LVSIL_SMALL); old != nullptr)
        ImageList_Destroy(old);
    const std::vector<std::size_t> measured = state_.MeasureColumns(
        [&](const std::string& text, bool isBold) {
            return TextWidth(dc, isBold ? bold_ : font_, Widen(text));
        },
        SizingRoom{ScaleFor(kCellRoom, dpi_), ScaleFor(kHeaderRoom, dpi_),
                   ScaleFor(kArrowRoom, dpi_)});
    ReleaseDC(list_, dc);
    SizeColumns(measured);
    RECT row{};
    row.left = LVIR_BOUNDS;
    rowHeight_ = line + ScaleFor(4, dpi_);
    if (SendMessageW(list_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)) != FALSE)
        rowHeight_ = row.bottom - row.top;
}

SIZE SizingList::PreferredSize() const {
    const int edge = GetSystemMetricsForDpi(SM_CXEDGE, dpi_);
    int width = GetSystemMetricsForDpi(SM_CXVSCROLL, dpi_) + 2 * edge;
    for (int column : state_.ColumnWidths()) width += column;
    RECT headerArea{0, 0, width, 10000};
    WINDOWPOS headerPlace{};
    HDLAYOUT headerLayout{&headerArea, &headerPlace};
    Header_Layout(ListView_GetHeader(list_), &headerLayout);
    return SIZE{width, headerPlace.cy + static_cast<int>(kSizingRowsShown) * rowHeight_ + 2 * edge};
}

void SizingList::SizeColumns(const std::vector<std::size_t>& columns) const {
    const std::vector<int> widths = state_.ColumnWidths();
    for (std::size_t c : columns)
        SendMessageW(list_, LVM_SETCOLUMNWIDTH, c, MAKELPARAM(widths[c], 0));
}

void SizingList::DrawArrows() const {
    HWND header = ListView_GetHeader(list_);
    for (std::size_t c = 0; c < state_.columnCount(); ++c) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, static_cast<int>(c), &item);
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        const SizingArrow arrow = state_.ArrowOn(c);
        if (arrow == SizingArrow::Up) item.fmt |= HDF_SORTUP;
        if (arrow == SizingArrow::Down) item.fmt |= HDF_SORTDOWN;
        Header_SetItem(header, static_cast<int>(c), &item);
    }
}

void SizingList::SortBy(int column) {
    if (column < 0) return;
    SizeColumns(state_.ClickHeader(static_cast<std::size_t>(column)));  // the arrow's room
    DrawArrows();
    ShowSelection(false);
    InvalidateRect(list_, nullptr, FALSE);
}

void SizingList::Select(int position) const {
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(list_, position, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetSelectionMark(list_, position);
}

void SizingList::ShowSelection(bool centre) {
    const std::optional<std::size_t> at = state_.selected();
    if (!at) return;
    const int position = static_cast<int>(*at);
    Select(position);
    const int top = ListView_GetTopIndex(list_);
    const auto first = static_cast<int>(
        state_.FirstRowShown(static_cast<std::size_t>(top),
                             static_cast<std::size_t>(ListView_GetCountPerPage(list_)), centre));
    RECT row{};
    row.left = LVIR_BOUNDS;
    if (first == top || !ListView_GetItemRect(list_, 0, &row, LVIR_BOUNDS)) return;
    ListView_Scroll(list_, 0, (first - top) * (row.bottom - row.top));
}

bool SizingList::InRange(int position) const {
    return position >= 0 && static_cast<std::size_t>(position) < state_.size();
}

LRESULT SizingList::OnNotify(LPARAM lParam, bool& adopt) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
            if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0 &&
                InRange(item.iItem) && item.iSubItem >= 0 &&
                item.iSubItem < static_cast<int>(state_.columnCount())) {
                const std::wstring& text =
                    cells_[state_.ViewRowAt(static_cast<std::size_t>(item.iItem))]
                          [static_cast<std::size_t>(item.iSubItem)];
                lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
            }
            return 0;
        }
        case LVN_ITEMCHANGED: {
            // The row the keys or the mouse moved to is the state's selection, whose
            // ground the rows are drawn on.
            const auto& change = *reinterpret_cast<const NMLISTVIEW*>(lParam);
            if ((change.uChanged & LVIF_STATE) != 0 && (change.uNewState & LVIS_FOCUSED) != 0 &&
                InRange(change.iItem))
                state_.Select(static_cast<std::size_t>(change.iItem));
            return 0;
        }
        case LVN_ODFINDITEMW: {
            const auto& find = *reinterpret_cast<const NMLVFINDITEMW*>(lParam);
            return FindByDesignation(find.lvfi, find.iStart);
        }
        case NM_CUSTOMDRAW: return CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        case LVN_COLUMNCLICK:
            SortBy(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
            return 0;
        case NM_DBLCLK: {
            const int item = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
            if (InRange(item)) {
                state_.Select(static_cast<std::size_t>(item));
                adopt = true;
            }
            return 0;
        }
        default: return 0;
    }
}

// Typing a size's first characters in the table goes to it, as in the size list.
LRESULT SizingList::FindByDesignation(const LVFINDINFOW& find, int start) const {
    if ((find.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.psz == nullptr) return -1;
    const std::size_t typed = std::wcslen(find.psz);
    const std::size_t count = state_.size();
    const std::size_t from = InRange(start) ? static_cast<std::size_t>(start) : 0;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t position = (from + k) % count;
        const std::wstring& designation = cells_[state_.ViewRowAt(position)][0];
        if (designation.size() >= typed && _wcsnicmp(designation.c_str(), find.psz, typed) == 0)
            return static_cast<LRESULT>(position);
    }
    return -1;
}

// The list would paint the selected row in the system's highlight: each cell gets the
// state's colours and weight instead, the selection included.
LRESULT SizingList::CustomDraw(NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT: UpdateTips(); return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
            const auto position = static_cast<int>(draw.nmcd.dwItemSpec);
            if (!InRange(position)) return CDRF_DODEFAULT;
            const auto column = static_cast<std::size_t>(std::max(draw.iSubItem, 0));
            const SizingCellLook look = state_.LookOf(static_cast<std::size_t>(position), column);
            draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED);
            draw.clrTextBk = look.ground ? ToColorRef(*look.ground) : GetSysColor(COLOR_WINDOW);
            draw.clrText = look.text ? ToColorRef(*look.text) : GetSysColor(COLOR_WINDOWTEXT);
            SelectObject(draw.nmcd.hdc, look.bold ? bold_ : font_);
            if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
                return CDRF_NOTIFYSUBITEMDRAW | CDRF_NEWFONT;
            return CDRF_NEWFONT;
        }
        default: return CDRF_DODEFAULT;
    }
}

}  // namespace kneebrace::win32

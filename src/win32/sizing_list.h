// The sizing dialog's table in Win32: a virtual report-view list drawing the shared
// table state (the rows in its order, each cell's colours and weight, the sort arrow,
// the selection) and telling it of the user's clicks and keys.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "window/sizing_view.h"

namespace kneebrace::win32 {

class SizingList {
public:
    explicit SizingList(SizingTable& state);
    SizingList(const SizingList&) = delete;
    SizingList& operator=(const SizingList&) = delete;

    // The list as the dialog's child `id`, with its columns and tips; throws
    // std::runtime_error when the control cannot be made.
    void Create(HWND dialog, int id);
    HWND hwnd() const { return list_; }

    // The fonts (the dialog's, which keeps them) and the lengths for `dpi`: the rows'
    // height and the columns' widths.
    void ApplyFonts(HFONT font, HFONT bold, UINT dpi);
    // Every column in full and kSizingRowsShown rows, with the scroll bar and the edge.
    SIZE PreferredSize() const;

    // Selects the state's selected row and scrolls it into view: to the middle when
    // `centre`.
    void ShowSelection(bool centre);

    // WM_NOTIFY from the list; the result for DWLP_MSGRESULT. `adopt` is set when the
    // user double-clicked a row, which is then the state's selected one.
    LRESULT OnNotify(LPARAM lParam, bool& adopt);

private:
    void SetTip(HWND owner, UINT_PTR id, const RECT& area, const std::string& text, bool add) const;
    void UpdateTips();
    // The given columns to the state's widths: a width the user dragged stays unless the
    // sort arrow comes or goes.
    void SizeColumns(const std::vector<std::size_t>& columns) const;
    void DrawArrows() const;
    void SortBy(int column);
    void Select(int position) const;
    LRESULT FindByDesignation(const LVFINDINFOW& find, int start) const;
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);
    bool InRange(int position) const;

    SizingTable& state_;
    // The cells' tips' tools over the list: ids from here, one per place in view and
    // column with tips (tipColumns_); none without such a column.
    static constexpr UINT_PTR kCellTipIds = 1000;

    std::vector<std::vector<std::wstring>> cells_;  // by view row
    std::vector<std::size_t> tipColumns_;           // the columns some cell has a tip in
    std::size_t cellTools_ = 0;                     // the cells' tools added so far
    HWND list_ = nullptr;
    HWND tips_ = nullptr;  // the headers' and the cells' tips
    HFONT font_ = nullptr;
    HFONT bold_ = nullptr;
    UINT dpi_ = 96;
    int rowHeight_ = 0;
};

}  // namespace kneebrace::win32

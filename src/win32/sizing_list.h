// The sizing dialog's table in Win32: a virtual report-view list drawing the shared
// table state (the rows in its order, each cell's colours and weight, the sort arrow,
// the selection) and telling it of the user's clicks and keys.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "window/sizing_view.h"

namespace kneebrace::win32 {

COLORREF ToColorref(const SizingColour& colour);

class SizingList {
public:
    explicit SizingList(SizingTable& state);
    SizingList(const SizingList&) = delete;
    SizingList& operator=(const SizingList&) = delete;

    // The list as the dialog's child `id`, with its columns and header tips; throws
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
    void CreateHeaderTips(HWND dialog);
    void UpdateHeaderTips() const;
    // The columns whose width differs from `before`: a width the user dragged stays
    // unless the sort arrow comes or goes.
    void SizeColumns(const std::array<int, kSizingColumnCount>& before) const;
    void DrawArrows() const;
    void SortBy(int column);
    void Select(int position) const;
    LRESULT FindByDesignation(const LVFINDINFOW& find, int start) const;
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) const;
    bool InRange(int position) const;

    SizingTable& state_;
    std::vector<std::array<std::wstring, kSizingColumnCount>> cells_;  // by view row
    HWND list_ = nullptr;
    HWND tips_ = nullptr;
    HFONT font_ = nullptr;
    HFONT bold_ = nullptr;
    UINT dpi_ = 96;
    int rowHeight_ = 0;
};

}  // namespace kneebrace::win32

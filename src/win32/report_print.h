// The calculation book on paper from the Win32 window: the report box's context menu, the
// 打印计算书… command (also Ctrl+P anywhere in the window), the system's print dialog and
// the GDI drawing of the pages. What goes where on which page comes from
// window/report_pages, as in the Qt window; this file measures the Song face on the
// printer and draws what the layout returns. The window has no PDF export of its own:
// the system's PDF printer gives one.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "window/form_actions.h"
#include "window/report_book.h"
#include "window/report_pages.h"

namespace kneebrace::win32 {

// What the print dialog hands back when the user chose to print.
struct PrintJob {
    HDC printer = nullptr;              // the chosen printer; deleted once the book is printed
    std::vector<PageRange> pageRanges;  // the pages asked for; empty for all of them
};

// Opens the print dialog over `owner` for a book of about `pageCount` pages. Nothing when
// the user cancels or no printer can be used.
using PrintDialog = std::function<std::optional<PrintJob>(HWND owner, int pageCount)>;

// The system's print dialog (PrintDlgEx), with A4 portrait set in the printer's defaults.
PrintDialog SystemPrintDialog();

// Where the lines go on a device's page: the sheet inside 20 mm margins, in the device's
// pixels as a DC draws (origin at the top left of the printable area).
struct PageArea {
    int dpiX = 96;
    int dpiY = 96;
    RECT usable{};
};

// The area for a sheet of `sheet` pixels whose printable part of `printable` pixels
// starts at `offset` from the sheet's corner. Margins the printer cannot reach shrink to
// what it can; the area keeps at least one pixel each way.
PageArea AreaOnSheet(SIZE sheet, POINT offset, SIZE printable, int dpiX, int dpiY);

// The area on a printer's page from its device capabilities. A device that tells no
// sheet size (a metafile, the screen) is taken for a whole A4 sheet at its resolution.
PageArea PrinterPageArea(HDC dc);

// A4 portrait at this resolution, printable to its edges, origin at the sheet's corner.
PageArea A4PageArea(int dpiX, int dpiY);

// The book laid out on a page of `area`, measured with the report's Song face at the
// area's resolution on `dc`, which is used for measuring only.
ReportBook LayOutReport(HDC dc, const PageArea& area, const BookContent& content,
                        const Timestamp& printed, const std::vector<PageRange>& ranges = {});

// How pages come into being on a device: a printer starts and ends each page on its one
// DC, a test makes a metafile per page. startPage gives the DC to draw the page on (null
// to give up), endPage finishes it (false to give up).
struct PageTarget {
    std::function<HDC(int pageNumber)> startPage;
    std::function<bool(HDC dc, int pageNumber)> endPage;
};

// The one drawing routine of the book, for the printer and the tests: draws the book's
// selected pages, laid out on `area`, in order: lines, rules, the diagram from the
// window's rendered artwork, header and footer. Returns the pages drawn, or -1 when the
// target gave up.
int DrawBook(const ReportBook& book, const PageArea& area, const PageTarget& target);

// The local clock to the minute.
Timestamp LocalTimestamp();

// Prints the book on the job's printer as one document and deletes the printer's DC.
// Returns why nothing was printed, if so; nothing is left half spooled then. A document the
// user cancelled in the printer driver's own dialog is no fault.
std::optional<BookFault> PrintReport(const PrintJob& job, const BookContent& content,
                                     const Timestamp& printed);

// The report box's menu and the print command of one window.
class ReportPrint {
public:
    // Reports why nothing was printed.
    using Reporter = std::function<void(HWND owner, const window::FaultMessage& message)>;

    ReportPrint(HWND window, HWND reportBox, Reporter report);
    ~ReportPrint();
    ReportPrint(const ReportPrint&) = delete;
    ReportPrint& operator=(const ReportPrint&) = delete;

    void SetPrintDialog(PrintDialog dialog) { dialog_ = std::move(dialog); }

    // The report box shows a new report: printing acts on its member from now on.
    void ReportShown(BookMember member);
    // Who signs the window's book: asked at each print.
    void SetHeadingSource(std::function<BookHeading()> source) {
        shown_.SetHeadingSource(std::move(source));
    }
    // A report that no longer matches the inputs is not printed until the next Calculate.
    void ReportStale(bool stale) { stale_ = stale; }
    bool CanPrint() const { return shown_.Shown() && !stale_; }

    // The box's context menu as it would open now; the caller destroys it.
    HMENU CreateContextMenu() const;

    // 打印计算书…: the print dialog, then the book on the chosen printer.
    void Print();
    // The print dialog, then `book` (a project's, say) on the chosen printer.
    void PrintBook(const BookContent& book);

    // Ctrl+P anywhere in the window, before the dialog manager sees the key. True when
    // the message was the shortcut (it does nothing while printing is greyed).
    bool PreTranslate(const MSG& msg);

private:
    static LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);
    void ShowContextMenu(LPARAM where);

    HWND window_;
    HWND box_;
    Reporter report_;
    PrintDialog dialog_;
    ShownBook shown_;  // what prints: the member last shown
    bool stale_ = false;
};

}  // namespace kneebrace::win32

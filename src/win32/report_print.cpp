#include "win32/report_print.h"

// The COM declarations first: without them commdlg.h leaves out PrintDlgEx.
#include <objbase.h>

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <exception>

#include "win32/com_scope.h"
#include "win32/fault_dialog.h"
#include "win32/look.h"
#include "win32/utf.h"
#include "window/control_table.h"

namespace kneebrace::win32 {

namespace {

constexpr wchar_t kBookTitle[] = L"隅撑计算书";
constexpr int kMarginTenthsMm = 200;  // 20 mm all round
constexpr int kA4WidthTenthsMm = 2100;
constexpr int kA4HeightTenthsMm = 2970;
// The footer sits in a band two lines high at the foot of the area: one blank line
// between the report and the footer, then the footer itself.
constexpr int kFooterBandLines = 2;
// Beside the window's own subclass of its edit boxes.
constexpr UINT_PTR kBoxSubclassId = 2;
constexpr UINT kCopyCommand = 1;
constexpr UINT kSelectAllCommand = 2;
constexpr UINT kPrintCommand = 3;
// The page ranges the print dialog can hand back.
constexpr DWORD kMaxPageRanges = 32;

int TenthsMmToPixels(int tenths, int dpi) { return MulDiv(tenths, dpi, 254); }

// The report box's face and size: the printed lines look as the box shows them.
double ReportPoints() {
    const window::ControlRow* box = window::FindControl("Text8");
    return box != nullptr && box->fontPoints > 0 ? box->fontPoints : window::kWindowFontPoints;
}

// The default printer's settings with A4 portrait asked for, for the dialog to start
// from; the user may still pick another paper there, and the book is then laid out
// for that. Without a default printer the dialog starts from its own defaults.
void AskForA4(PRINTDLGEXW& dialog) {
    PRINTDLGEXW defaults{};
    defaults.lStructSize = sizeof(defaults);
    defaults.hwndOwner = dialog.hwndOwner;
    defaults.Flags = PD_RETURNDEFAULT;
    defaults.nStartPage = START_PAGE_GENERAL;
    if (FAILED(PrintDlgExW(&defaults)) || defaults.hDevMode == nullptr) return;
    if (auto* mode = static_cast<DEVMODEW*>(GlobalLock(defaults.hDevMode))) {
        mode->dmPaperSize = DMPAPER_A4;
        mode->dmOrientation = DMORIENT_PORTRAIT;
        mode->dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
        mode->dmFields &= ~static_cast<DWORD>(DM_PAPERLENGTH | DM_PAPERWIDTH | DM_FORMNAME);
        GlobalUnlock(defaults.hDevMode);
    }
    dialog.hDevMode = defaults.hDevMode;
    dialog.hDevNames = defaults.hDevNames;
}

std::optional<PrintJob> ShowSystemPrintDialog(HWND owner, int pageCount) {
    const ComScope com;
    std::array<PRINTPAGERANGE, kMaxPageRanges> ranges{};
    ranges[0] = {1, static_cast<DWORD>(std::max(pageCount, 1))};
    PRINTDLGEXW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    AskForA4(dialog);
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOCURRENTPAGE | PD_USEDEVMODECOPIESANDCOLLATE;
    dialog.nMinPage = 1;
    dialog.nMaxPage = ranges[0].nToPage;
    dialog.nPageRanges = 1;
    dialog.nMaxPageRanges = kMaxPageRanges;
    dialog.lpPageRanges = ranges.data();
    dialog.nCopies = 1;
    dialog.nStartPage = START_PAGE_GENERAL;
    const HRESULT result = PrintDlgExW(&dialog);
    if (dialog.hDevMode != nullptr) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames != nullptr) GlobalFree(dialog.hDevNames);
    if (FAILED(result) || dialog.dwResultAction != PD_RESULT_PRINT || dialog.hDC == nullptr) {
        if (dialog.hDC != nullptr) DeleteDC(dialog.hDC);
        // Cancel is no failure; a dialog that cannot open would otherwise leave the
        // command without any answer.
        if (FAILED(result)) {
            ShowFaultDialog(owner, {"无法打印",
                                    "打印对话框无法打开，计算书没有打印。\n"
                                    "请确认系统中已添加打印机后再试。"});
        }
        return std::nullopt;
    }
    PrintJob job;
    job.printer = dialog.hDC;
    if ((dialog.Flags & PD_PAGENUMS) != 0) {
        for (DWORD i = 0; i < dialog.nPageRanges && i < kMaxPageRanges; ++i)
            job.pageRanges.push_back(
                {static_cast<int>(ranges[i].nFromPage), static_cast<int>(ranges[i].nToPage)});
    }
    return job;
}

// Draws one page of the layout on `dc`, which has the resolution the layout was made for.
void DrawPage(HDC dc, const ReportLayout& layout, const ReportPage& page) {
    const int saved = SaveDC(dc);
    HFONT font = CreateFontIndirectW(&layout.font);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    SetGraphicsMode(dc, GM_ADVANCED);
    ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);

    // Each character's advance measured at full size and handed to the drawing: scaled
    // by the transform, a line is then exactly as wide as the layout counted it, whatever
    // the device's rounding of a shrunken face would make of it.
    std::vector<std::wstring> texts;
    std::vector<std::vector<INT>> advances;
    for (const std::string& line : page.lines) {
        std::wstring text = Widen(line);
        std::vector<INT> ends(text.size());
        SIZE extent{};
        GetTextExtentExPointW(dc, text.c_str(), static_cast<int>(text.size()), 0, nullptr,
                              ends.data(), &extent);
        std::vector<INT> steps(text.size());
        for (std::size_t i = 0; i < text.size(); ++i)
            steps[i] = ends[i] - (i > 0 ? ends[i - 1] : 0);
        texts.push_back(std::move(text));
        advances.push_back(std::move(steps));
    }

    const RECT& area = layout.area.usable;
    const auto scale = static_cast<FLOAT>(layout.fit.scale);
    const XFORM lines{
        scale, 0, 0, scale, static_cast<FLOAT>(area.left), static_cast<FLOAT>(area.top)};
    SetWorldTransform(dc, &lines);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].empty()) continue;
        ExtTextOutW(dc, 0, static_cast<int>(i) * layout.lineHeight, 0, nullptr, texts[i].c_str(),
                    static_cast<UINT>(texts[i].size()), advances[i].data());
    }

    ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
    const std::wstring footer = Widen(page.footer);
    SIZE extent{};
    GetTextExtentPoint32W(dc, footer.c_str(), static_cast<int>(footer.size()), &extent);
    const LONG x = area.left + std::max<LONG>(0, (area.right - area.left - extent.cx) / 2);
    ExtTextOutW(dc, x, area.bottom - layout.lineHeight, 0, nullptr, footer.c_str(),
                static_cast<UINT>(footer.size()), nullptr);

    RestoreDC(dc, saved);
    DeleteObject(font);
}

}  // namespace

PrintDialog SystemPrintDialog() { return ShowSystemPrintDialog; }

PageArea AreaOnSheet(SIZE sheet, POINT offset, SIZE printable, int dpiX, int dpiY) {
    const int marginX = TenthsMmToPixels(kMarginTenthsMm, dpiX);
    const int marginY = TenthsMmToPixels(kMarginTenthsMm, dpiY);
    // On the sheet first, cut to what the printer reaches, then moved to the DC's origin
    // at the corner of the printable part.
    const LONG left = std::max<LONG>(marginX, offset.x);
    const LONG top = std::max<LONG>(marginY, offset.y);
    const LONG right = std::min<LONG>(sheet.cx - marginX, offset.x + printable.cx);
    const LONG bottom = std::min<LONG>(sheet.cy - marginY, offset.y + printable.cy);
    PageArea area;
    area.dpiX = dpiX;
    area.dpiY = dpiY;
    area.usable.left = left - offset.x;
    area.usable.top = top - offset.y;
    area.usable.right = std::max<LONG>(right, left + 1) - offset.x;
    area.usable.bottom = std::max<LONG>(bottom, top + 1) - offset.y;
    return area;
}

PageArea A4PageArea(int dpiX, int dpiY) {
    const SIZE sheet{TenthsMmToPixels(kA4WidthTenthsMm, dpiX),
                     TenthsMmToPixels(kA4HeightTenthsMm, dpiY)};
    return AreaOnSheet(sheet, POINT{0, 0}, sheet, dpiX, dpiY);
}

PageArea PrinterPageArea(HDC dc) {
    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    const SIZE sheet{GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT)};
    if (sheet.cx <= 0 || sheet.cy <= 0) return A4PageArea(dpiX, dpiY);
    return AreaOnSheet(
        sheet, POINT{GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY)},
        SIZE{GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)}, dpiX, dpiY);
}

ReportLayout LayOutReport(HDC dc, const PageArea& area, std::string_view reportText,
                          const Timestamp& printed) {
    ReportLayout layout;
    layout.area = area;
    HFONT font = CreateSongFont(ReportPoints(), static_cast<UINT>(area.dpiY));
    GetObjectW(font, sizeof(layout.font), &layout.font);
    const int saved = SaveDC(dc);
    SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    layout.lineHeight = std::max(1, static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading));

    // The advance of one half-width column, chosen so that every line is at most its
    // column count times this wide. The pagination counts columns as the Song face draws
    // them; measuring the real lines as well keeps a line from being cut where a stand-in
    // face draws a character wider than the count assumes.
    const std::vector<std::string> lines = SplitReportLines(reportText);
    SIZE digit{};
    GetTextExtentPoint32W(dc, L"0", 1, &digit);
    double columnWidth = std::max(1, static_cast<int>(digit.cx));
    for (const std::string& line : lines) {
        const std::size_t columns = DisplayColumns(line);
        if (columns == 0) continue;
        const std::wstring text = Widen(line);
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        columnWidth = std::max(columnWidth, extent.cx / static_cast<double>(columns));
    }
    RestoreDC(dc, saved);
    DeleteObject(font);

    const double width = area.usable.right - area.usable.left;
    // An area too small for the footer still gets one line a page rather than none.
    const double height =
        std::max<LONG>(area.usable.bottom - area.usable.top - kFooterBandLines * layout.lineHeight,
                       layout.lineHeight);
    layout.fit = FitToPage(WidestLineColumns(lines), width, height, columnWidth, layout.lineHeight);
    layout.pages = PaginateLines(lines, layout.fit.linesPerPage, printed);
    return layout;
}

std::vector<int> SelectedPages(const std::vector<PageRange>& ranges, int pageCount) {
    std::vector<int> pages;
    if (ranges.empty()) {
        for (int page = 1; page <= pageCount; ++page) pages.push_back(page);
        return pages;
    }
    for (const PageRange& range : ranges) {
        for (int page = std::max(range.first, 1); page <= std::min(range.last, pageCount); ++page)
            if (std::find(pages.begin(), pages.end(), page) == pages.end()) pages.push_back(page);
    }
    // The dialog counts pages on an A4 sheet at screen resolution; the printer's own
    // layout may come out a page shorter. A range wholly beyond the end then prints the
    // last page rather than an empty job that looks as if it had printed.
    if (pages.empty() && pageCount > 0) pages.push_back(pageCount);
    return pages;
}

int DrawReportPages(HDC measure, const PageArea& area, std::string_view reportText,
                    const Timestamp& printed, const PageTarget& target,
                    const std::vector<PageRange>& ranges) {
    const ReportLayout layout = LayOutReport(measure, area, reportText, printed);
    int drawn = 0;
    for (const int number : SelectedPages(ranges, static_cast<int>(layout.pages.size()))) {
        HDC dc = target.startPage(number);
        if (dc == nullptr) return -1;
        DrawPage(dc, layout, layout.pages[static_cast<std::size_t>(number - 1)]);
        if (!target.endPage(dc, number)) return -1;
        ++drawn;
    }
    return drawn;
}

Timestamp LocalTimestamp() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
}

bool PrintReport(const PrintJob& job, std::string_view reportText, const Timestamp& printed) {
    HDC dc = job.printer;
    if (dc == nullptr) return false;
    DOCINFOW document{};
    document.cbSize = sizeof(document);
    document.lpszDocName = kBookTitle;
    bool printedAll = false;
    if (StartDocW(dc, &document) > 0) {
        const PageTarget pages{
            [dc](int) { return StartPage(dc) > 0 ? dc : nullptr; },
            [](HDC page, int) { return EndPage(page) > 0; },
        };
        int drawn = -1;
        try {
            drawn = DrawReportPages(dc, PrinterPageArea(dc), reportText, printed, pages,
                                    job.pageRanges);
        } catch (const std::exception&) {
            drawn = -1;
        }
        if (drawn < 0) AbortDoc(dc);
        else printedAll = EndDoc(dc) > 0;
    }
    DeleteDC(dc);
    return printedAll;
}

ReportPrint::ReportPrint(HWND window, HWND reportBox, Reporter report)
    : window_(window), box_(reportBox), report_(std::move(report)), dialog_(SystemPrintDialog()) {
    SetWindowSubclass(box_, &ReportPrint::BoxProc, kBoxSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
}

ReportPrint::~ReportPrint() {
    if (box_ != nullptr) RemoveWindowSubclass(box_, &ReportPrint::BoxProc, kBoxSubclassId);
}

void ReportPrint::ReportShown(std::string_view reportText) { reportText_ = reportText; }

HMENU ReportPrint::CreateContextMenu() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(box_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto greyedUnless = [](bool enabled) { return enabled ? MF_ENABLED : MF_GRAYED; };
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING | greyedUnless(start != end), kCopyCommand, L"复制\tCtrl+C");
    AppendMenuW(menu, MF_STRING, kSelectAllCommand, L"全选\tCtrl+A");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | greyedUnless(CanPrint()), kPrintCommand, L"打印计算书…\tCtrl+P");
    return menu;
}

void ReportPrint::Print() {
    if (!CanPrint()) return;
    // No exception may cross the system's call into the window: a failure is the
    // printer's message.
    bool printed = true;
    try {
        // The dialog offers the pages of the book on an A4 sheet at the screen's
        // resolution; the chosen printer's own layout may differ by a line a page, and
        // pages asked for past its end are left out.
        HDC screen = GetDC(nullptr);
        const int pageCount =
            static_cast<int>(LayOutReport(screen,
                                          A4PageArea(GetDeviceCaps(screen, LOGPIXELSX),
                                                     GetDeviceCaps(screen, LOGPIXELSY)),
                                          reportText_, LocalTimestamp())
                                 .pages.size());
        ReleaseDC(nullptr, screen);
        const std::optional<PrintJob> job = dialog_ ? dialog_(window_, pageCount) : std::nullopt;
        if (!job) return;
        // The footers carry the time the pages were made, after the dialog.
        printed = PrintReport(*job, reportText_, LocalTimestamp());
    } catch (const std::exception&) {
        printed = false;
    }
    if (!printed && report_) {
        report_(window_,
                {"无法打印", "打印机没有接受计算书，什么也没有打印。\n请检查打印机的设置后再试。"});
    }
}

bool ReportPrint::PreTranslate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != 'P') return false;
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    if (msg.hwnd != window_ && IsChild(window_, msg.hwnd) == FALSE) return false;
    Print();
    return true;
}

void ReportPrint::ShowContextMenu(LPARAM where) {
    POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (at.x == -1 && at.y == -1) {
        // From the keyboard (Shift+F10, the menu key): at the caret, inside the box.
        RECT client{};
        GetClientRect(box_, &client);
        GetCaretPos(&at);
        at.x = std::clamp(at.x, client.left, client.right);
        at.y = std::clamp(at.y, client.top, client.bottom);
        ClientToScreen(box_, &at);
    }
    HMENU menu = CreateContextMenu();
    const UINT command = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, window_, nullptr));
    DestroyMenu(menu);
    switch (command) {
        case kCopyCommand: SendMessageW(box_, WM_COPY, 0, 0); break;
        case kSelectAllCommand: SendMessageW(box_, EM_SETSEL, 0, -1); break;
        case kPrintCommand: Print(); break;
        default: break;
    }
}

LRESULT CALLBACK ReportPrint::BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self) {
    auto* print = reinterpret_cast<ReportPrint*>(self);
    switch (message) {
        case WM_CONTEXTMENU: print->ShowContextMenu(lParam); return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &ReportPrint::BoxProc, id);
            print->box_ = nullptr;
            break;
        default: break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace kneebrace::win32

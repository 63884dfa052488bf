#include "win32/report_print.h"

// The COM declarations first: without them commdlg.h leaves out PrintDlgEx.
#include <objbase.h>

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>

#include "win32/artwork.h"
#include "win32/com_scope.h"
#include "win32/fault_dialog.h"
#include "win32/look.h"
#include "win32/utf.h"

namespace kneebrace::win32 {

namespace {

// Beside the window's own subclass of its edit boxes.
constexpr UINT_PTR kBoxSubclassId = 2;
constexpr UINT kCopyCommand = 1;
constexpr UINT kSelectAllCommand = 2;
constexpr UINT kPrintCommand = 3;
// The page ranges the print dialog can hand back.
constexpr DWORD kMaxPageRanges = 32;

int MillimetresToPixels(double millimetres, int dpi) {
    return static_cast<int>(std::lround(millimetres * dpi / 25.4));
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
    // 打印到文件 is hidden: the book is spooled to the printer and StartDoc is given no file
    // name, so a job meant for a file would come out on paper.
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOCURRENTPAGE | PD_USEDEVMODECOPIESANDCOLLATE |
                   PD_HIDEPRINTTOFILE;
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
        if (FAILED(result))
            ShowFaultDialog(owner, BookFaultMessage(BookFault::PrintDialogUnavailable, false));
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

// Draws one page of the book on `dc`, which has the resolution of `area`.
void DrawPage(HDC dc, const PageArea& area, const ReportBook& book, const BookPage& page,
              const Picture& diagram) {
    const int saved = SaveDC(dc);
    HFONT font = CreateSongFont(ReportFontPoints(), static_cast<UINT>(area.dpiY));
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
    SetGraphicsMode(dc, GM_ADVANCED);
    ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);

    // Each character's advance measured at full size, before any transform, and handed to
    // the drawing: scaled by the transform, a line is then exactly as wide as the layout
    // measured it, whatever the device's rounding of a shrunken face would make of it.
    struct Measured {
        std::wstring text;
        std::vector<INT> steps;
    };
    const auto measure = [dc](const std::string& line) {
        Measured m{Widen(line), {}};
        if (m.text.empty()) return m;
        std::vector<INT> ends(m.text.size());
        SIZE extent{};
        GetTextExtentExPointW(dc, m.text.c_str(), static_cast<int>(m.text.size()), 0, nullptr,
                              ends.data(), &extent);
        m.steps.resize(m.text.size());
        for (std::size_t i = 0; i < m.text.size(); ++i)
            m.steps[i] = ends[i] - (i > 0 ? ends[i - 1] : 0);
        return m;
    };
    const auto draw = [dc](double x, double baseline, const Measured& m) {
        if (m.text.empty()) return;
        ExtTextOutW(dc, static_cast<int>(std::lround(x)), static_cast<int>(std::lround(baseline)),
                    0, nullptr, m.text.c_str(), static_cast<UINT>(m.text.size()), m.steps.data());
    };
    std::vector<Measured> texts;
    texts.reserve(page.lines.size());
    for (const BookLine& line : page.lines) texts.push_back(measure(line.text));
    const Measured header = measure(page.header.text);
    const Measured footer = measure(page.footer.text);

    const auto left = static_cast<FLOAT>(area.usable.left);
    const auto top = static_cast<FLOAT>(area.usable.top);
    const auto factor = static_cast<FLOAT>(book.scale);
    const XFORM lines{factor, 0, 0, factor, left, top};
    SetWorldTransform(dc, &lines);
    for (std::size_t i = 0; i < page.lines.size(); ++i)
        draw(page.lines[i].x, page.lines[i].baseline, texts[i]);
    HPEN pen = CreatePen(PS_SOLID, static_cast<int>(std::lround(book.ruleWidth)), RGB(0, 0, 0));
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    const auto at = [](double v) { return static_cast<int>(std::lround(v)); };
    for (const BookRule& rule : page.rules) {
        MoveToEx(dc, at(rule.x1), at(rule.y1), nullptr);
        LineTo(dc, at(rule.x2), at(rule.y2));
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    for (const BookDiagram& box : page.diagrams)
        DrawPicture(dc, diagram,
                    RECT{at(box.x), at(box.y), at(box.x + box.width), at(box.y + box.height)});
    const XFORM fullSize{1, 0, 0, 1, left, top};
    SetWorldTransform(dc, &fullSize);
    draw(page.header.x, page.header.baseline, header);
    draw(page.footer.x, page.footer.baseline, footer);

    RestoreDC(dc, saved);
    DeleteObject(font);
}

enum class Spooled { Done, Refused, Cancelled };

// The book as one document on the printer. Refused when the printer refused the document
// or a page; Cancelled when the user cancelled the driver's own dialog as the document
// started (a PDF printer asks for its file name then). Nothing is left half spooled.
Spooled SpoolBook(HDC dc, const PageArea& area, const ReportBook& book) {
    const std::wstring title = Widen(book.title);
    DOCINFOW document{};
    document.cbSize = sizeof(document);
    document.lpszDocName = title.c_str();
    if (StartDocW(dc, &document) <= 0)
        return GetLastError() == ERROR_CANCELLED ? Spooled::Cancelled : Spooled::Refused;
    const PageTarget pages{
        [dc](int) { return StartPage(dc) > 0 ? dc : nullptr; },
        [](HDC page, int) { return EndPage(page) > 0; },
    };
    if (DrawBook(book, area, pages) < 0) {
        AbortDoc(dc);
        return Spooled::Refused;
    }
    return EndDoc(dc) > 0 ? Spooled::Done : Spooled::Refused;
}

}  // namespace

PrintDialog SystemPrintDialog() { return ShowSystemPrintDialog; }

PageArea AreaOnSheet(SIZE sheet, POINT offset, SIZE printable, int dpiX, int dpiY) {
    const int marginX = MillimetresToPixels(kBookMarginMm, dpiX);
    const int marginY = MillimetresToPixels(kBookMarginMm, dpiY);
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
    const SIZE sheet{MillimetresToPixels(kBookSheetWidthMm, dpiX),
                     MillimetresToPixels(kBookSheetHeightMm, dpiY)};
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

ReportBook LayOutReport(HDC dc, const PageArea& area, const BookContent& content,
                        const Timestamp& printed, const std::vector<PageRange>& ranges) {
    HFONT font = CreateSongFont(ReportFontPoints(), static_cast<UINT>(area.dpiY));
    const int saved = SaveDC(dc);
    SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const PageMetrics page{static_cast<double>(area.usable.right - area.usable.left),
                           static_cast<double>(area.usable.bottom - area.usable.top),
                           static_cast<double>(metrics.tmHeight + metrics.tmExternalLeading),
                           static_cast<double>(metrics.tmAscent)};
    const auto measure = [dc](std::string_view line) {
        const std::wstring text = Widen(line);
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        return static_cast<double>(extent.cx);
    };
    ReportBook book = LayOutBook(content, page, measure, printed, ranges);
    RestoreDC(dc, saved);
    DeleteObject(font);
    return book;
}

int DrawBook(const ReportBook& book, const PageArea& area, const PageTarget& target) {
    // The largest rendering of the diagram: paper takes more pixels than any screen.
    const Picture diagram =
        LoadDiagram(GetModuleHandleW(nullptr), "diagram.svg", std::end(kDiagramScales)[-1]);
    int drawn = 0;
    for (const int number : book.selected) {
        HDC dc = target.startPage(number);
        if (dc == nullptr) return -1;
        DrawPage(dc, area, book, book.pages[static_cast<std::size_t>(number - 1)], diagram);
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

std::optional<BookFault> PrintReport(const PrintJob& job, const BookContent& content,
                                     const Timestamp& printed) {
    HDC dc = job.printer;
    if (dc == nullptr) return BookFault::PrinterRefused;
    std::optional<BookFault> fault = BookFault::PrinterRefused;
    try {
        // Laid out for the paper and printer the user chose.
        const PageArea area = PrinterPageArea(dc);
        const ReportBook book = LayOutReport(dc, area, content, printed, job.pageRanges);
        if (book.fault) {
            fault = book.fault;
        } else if (SpoolBook(dc, area, book) != Spooled::Refused) {
            fault = std::nullopt;  // printed, or the user cancelled: nothing to tell
        }
    } catch (const std::exception&) {
        fault = BookFault::PrinterRefused;
    }
    DeleteDC(dc);
    return fault;
}

ReportPrint::ReportPrint(HWND window, HWND reportBox, Reporter report)
    : window_(window), box_(reportBox), report_(std::move(report)), dialog_(SystemPrintDialog()) {
    SetWindowSubclass(box_, &ReportPrint::BoxProc, kBoxSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
}

ReportPrint::~ReportPrint() {
    if (box_ != nullptr) RemoveWindowSubclass(box_, &ReportPrint::BoxProc, kBoxSubclassId);
}

void ReportPrint::ReportShown(BookMember member) { shown_.Show(std::move(member)); }

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
    if (CanPrint()) PrintBook(shown_.Content(LocalTimestamp()));
}

void ReportPrint::PrintBook(const BookContent& content) {
    // No exception may cross the system's call into the window: a failure is the
    // printer's message.
    std::optional<BookFault> fault;
    try {
        // The dialog offers the pages of the book on an A4 sheet at the screen's
        // resolution; the chosen printer's own layout may differ by a line a page.
        HDC screen = GetDC(nullptr);
        const ReportBook offered = LayOutReport(
            screen,
            A4PageArea(GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)),
            content, LocalTimestamp());
        ReleaseDC(nullptr, screen);
        fault = offered.fault;
        if (!fault) {
            const std::optional<PrintJob> job =
                dialog_ ? dialog_(window_, static_cast<int>(offered.pages.size())) : std::nullopt;
            if (!job) return;
            // The footers carry the time the pages were made, after the dialog.
            fault = PrintReport(*job, content, LocalTimestamp());
        }
    } catch (const std::exception&) {
        fault = BookFault::PrinterRefused;
    }
    if (fault && report_) report_(window_, BookFaultMessage(*fault, false));
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

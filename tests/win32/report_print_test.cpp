// The calculation book on paper from the Win32 window: the pages drawn into one enhanced
// metafile each (wine has no printer) read back record by record against the layout,
// the margins on printers' sheets, and the report box's menu and Ctrl+P, greyed until
// there is a report.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "win32/look.h"
#include "win32/report_print.h"
#include "win32/utf.h"
#include "window/form_actions.h"
#include "window/report_book.h"
#include "window/report_pages.h"
#include "window_driver.h"

namespace {

using kneebrace::PageRange;
using kneebrace::win32::PageArea;
using kneebrace::win32::PrintJob;
using win32test::WindowDriver;

constexpr kneebrace::Timestamp kPrinted{2026, 12, 7, 14, 30};

// Plays a page back: its texts in the order drawn, each checked to lie inside the area's
// sides, from its reference point and its characters' advances under the world transform
// in force (wine's recorded bounds leave the transform out), and the smallest scale a
// text was drawn at.
struct Playback {
    RECT area;
    XFORM transform{1, 0, 0, 1, 0, 0};
    std::vector<std::string> texts;
    double smallestScale = 1;
    int pictures = 0;                                     // bitmaps drawn
    std::vector<std::pair<std::wstring, double>> widths;  // each text and its advances' sum
};

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
    auto& play = *reinterpret_cast<Playback*>(data);
    const auto* bytes = reinterpret_cast<const BYTE*>(record);
    if (record->iType == EMR_SETWORLDTRANSFORM) {
        play.transform = reinterpret_cast<const EMRSETWORLDTRANSFORM*>(record)->xform;
    } else if (record->iType == EMR_MODIFYWORLDTRANSFORM) {
        EXPECT_EQ(reinterpret_cast<const EMRMODIFYWORLDTRANSFORM*>(record)->iMode, MWT_IDENTITY);
        play.transform = XFORM{1, 0, 0, 1, 0, 0};
    } else if (record->iType == EMR_STRETCHBLT || record->iType == EMR_BITBLT) {
        ++play.pictures;
    } else if (record->iType == EMR_EXTTEXTOUTW) {
        const EMRTEXT& text = reinterpret_cast<const EMREXTTEXTOUTW*>(record)->emrtext;
        play.texts.push_back(kneebrace::win32::Narrow(
            {reinterpret_cast<const wchar_t*>(bytes + text.offString), text.nChars}));
        const auto* advances = reinterpret_cast<const INT*>(bytes + text.offDx);
        double width = 0;
        for (DWORD i = 0; i < text.nChars; ++i) width += advances[i];
        play.widths.emplace_back(
            std::wstring(reinterpret_cast<const wchar_t*>(bytes + text.offString), text.nChars),
            width);
        play.smallestScale = std::min<double>(play.smallestScale, play.transform.eM11);
        const double left = play.transform.eDx + play.transform.eM11 * text.ptlReference.x;
        EXPECT_GE(left, play.area.left) << play.texts.back();
        EXPECT_LE(left + play.transform.eM11 * width, play.area.right) << play.texts.back();
    }
    return 1;
}

// The book the window prints for the member it shows: as typed, as run, as the box shows it.
kneebrace::BookContent WindowBook(WindowDriver& ui) {
    auto& window = ui.window();
    // Without a project only the date is filled in: the day it prints.
    kneebrace::BookHeading heading;
    heading.date = kneebrace::DateText(kneebrace::win32::LocalTimestamp());
    return kneebrace::MemberBook(
        heading, kneebrace::ShownMember(window.presenter().CurrentMember(), window.designState(),
                                        ui.Report()));
}

kneebrace::BookContent StartupBook() {
    WindowDriver ui;
    ui.Calculate();
    return WindowBook(ui);
}

// A check whose second line is far wider than the sheet.
kneebrace::BookContent WideReport() {
    std::string report = "(1).宽\r\n宽行";
    for (int i = 0; i < 60; ++i) report += " " + std::to_string(i);
    return kneebrace::ReportBlocks(report + "\r\n短行\r\n");
}

// The designation typed with 1,000 blanks after it, which the header prints.
kneebrace::BookContent BlanksBook() {
    WindowDriver ui;
    ui.SetText("Text1", "500x200x6x12" + std::string(1000, ' '));
    ui.Calculate();
    return WindowBook(ui);
}

struct BookCase {
    const char* name;
    kneebrace::BookContent (*content)();
    std::vector<PageRange> ranges;
    std::vector<int> pages;  // the pages drawn, in order (their footers tell)
    int pageCount;           // the book's
};

class MetafilePages : public ::testing::TestWithParam<BookCase> {};

// One A4 metafile a page at the screen's resolution. Page for page what the layout
// gave, the pages selected in order: the lines (empty ones draw nothing), then the
// header and the footer, and the diagram's picture where the layout put it; no text
// beyond the area's sides (checked in the playback), however wide the line, and none
// drawn smaller than 9 pt.
TEST_P(MetafilePages, HoldTheLaidOutLinesAndTheirFooters) {
    const BookCase& c = GetParam();
    const kneebrace::BookContent content = c.content();
    HDC screen = GetDC(nullptr);
    const PageArea area = kneebrace::win32::A4PageArea(GetDeviceCaps(screen, LOGPIXELSX),
                                                       GetDeviceCaps(screen, LOGPIXELSY));
    const kneebrace::ReportBook book =
        kneebrace::win32::LayOutReport(screen, area, content, kPrinted, c.ranges);
    ReleaseDC(nullptr, screen);
    ASSERT_FALSE(book.fault) << static_cast<int>(*book.fault);
    std::vector<std::vector<std::string>> pages;
    std::vector<int> pictures;
    double smallestScale = 1;
    const kneebrace::win32::PageTarget target{
        [](int) {
            const RECT a4{0, 0, 21000, 29700};  // hundredths of a millimetre
            return CreateEnhMetaFileW(nullptr, nullptr, &a4, nullptr);
        },
        [&](HDC dc, int) {
            HENHMETAFILE page = CloseEnhMetaFile(dc);
            Playback play;
            play.area = area.usable;
            EnumEnhMetaFile(nullptr, page, CollectText, &play, nullptr);
            pages.push_back(play.texts);
            // Each text as wide as the layout measured it: advances taken at full size,
            // not from the face the transform shrinks (under wine up to a tenth narrower).
            HDC screen = GetDC(nullptr);
            HFONT font = kneebrace::win32::CreateSongFont(kneebrace::ReportFontPoints(),
                                                          static_cast<UINT>(area.dpiY));
            const HGDIOBJ before = SelectObject(screen, font);
            for (const auto& [text, width] : play.widths) {
                SIZE size{};
                GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size);
                EXPECT_EQ(width, size.cx) << kneebrace::win32::Narrow(text);
            }
            SelectObject(screen, before);
            DeleteObject(font);
            ReleaseDC(nullptr, screen);
            pictures.push_back(play.pictures);
            smallestScale = std::min(smallestScale, play.smallestScale);
            return DeleteEnhMetaFile(page) != FALSE;
        }};
    ASSERT_EQ(kneebrace::win32::DrawBook(book, area, target), static_cast<int>(c.pages.size()));
    ASSERT_EQ(static_cast<int>(book.pages.size()), c.pageCount);
    EXPECT_EQ(book.selected, c.pages);
    EXPECT_GE(smallestScale, 9 / kneebrace::ReportFontPoints() - 1e-6);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const kneebrace::BookPage& page = book.pages[static_cast<std::size_t>(c.pages[i] - 1)];
        std::vector<std::string> want;
        for (const kneebrace::BookLine& line : page.lines)
            if (!line.text.empty()) want.push_back(line.text);
        if (!page.header.text.empty()) want.push_back(page.header.text);
        EXPECT_EQ(pictures[i], static_cast<int>(page.diagrams.size())) << "page " << c.pages[i];
        want.push_back("第 " + std::to_string(page.number) + " 页 共 " +
                       std::to_string(c.pageCount) + " 页    2026-12-07 14:30");
        EXPECT_EQ(pages[i], want) << "page " << c.pages[i];
    }
}

INSTANTIATE_TEST_SUITE_P(
    Books, MetafilePages,
    ::testing::Values(BookCase{"StartUp", StartupBook, {}, {1, 2, 3}, 3},
                      BookCase{
                          "RangesInTheOrderGiven", StartupBook, {{2, 5}, {1, 2}}, {2, 3, 1}, 3},
                      BookCase{"WideLine", WideReport, {}, {1}, 1},
                      BookCase{"ThousandBlanksAfterTheDesignation", BlanksBook, {}, {1, 2, 3}, 3}),
    [](const auto& info) { return std::string(info.param.name); });

// At 600 dpi 20 mm are 472 pixels, counted from the sheet's edge: a printer's own border
// counts towards them, and one wider than the margin leaves the lines at its edge.
TEST(PageArea, PutsTheLinesTwentyMillimetresFromTheSheetsEdge) {
    struct Sheet {
        SIZE sheet;
        POINT offset;
        SIZE printable;
        std::vector<LONG> usable;
    };
    for (const Sheet& s :
         std::vector<Sheet>{{{4961, 7016}, {0, 0}, {4961, 7016}, {472, 472, 4489, 6544}},
                            {{4961, 7016}, {150, 150}, {4661, 6716}, {322, 322, 4339, 6394}},
                            {{4961, 7016}, {600, 500}, {3761, 6016}, {0, 0, 3761, 6016}}}) {
        const RECT r =
            kneebrace::win32::AreaOnSheet(s.sheet, s.offset, s.printable, 600, 600).usable;
        EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), s.usable);
    }
}

// ---------------------------------------------------------------------------------------
// The window's menu and Ctrl+P

// The menu on screen, read while it is up, then closed: each item's text followed by +
// when enabled or - when greyed; a line is "|".
std::vector<std::string> g_menu;

void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    auto* menu =
        reinterpret_cast<HMENU>(SendMessageW(FindWindowW(L"#32768", nullptr), MN_GETHMENU, 0, 0));
    for (int i = 0; menu != nullptr && i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64]{};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        g_menu.push_back(kneebrace::win32::Narrow(text) + ((state & MF_SEPARATOR) != 0 ? "|"
                                                           : (state & MF_GRAYED) != 0  ? "-"
                                                                                       : "+"));
    }
    EndMenu();
}

struct MenuCase {
    const char* name;
    std::vector<const char*> sections;  // typed into Text1, one Calculate each
    bool selectAll;                     // the whole box selected before the menu opens
    const char* states;                 // each item's last character in g_menu
};

class ReportMenu : public ::testing::TestWithParam<MenuCase> {};

// A right click in the box opens the program's menu, not the edit control's own: 打印计算书…
// greyed until Calculate has shown a report and again once the inputs no longer match it
// (a fault after a change keeps the report, greyed). Enabled, Ctrl+P reaches it from any control
// and opens the dialog with the book's page count; a printer that refuses the book (a memory DC
// cannot start a document) gets the message.
TEST_P(ReportMenu, PrintFollowsTheReport) {
    const MenuCase& c = GetParam();
    WindowDriver ui;
    std::vector<int> offered;
    ui.window().reportPrint().SetPrintDialog([&offered](HWND, int pageCount) {
        offered.push_back(pageCount);
        return std::optional<PrintJob>(PrintJob{CreateCompatibleDC(nullptr), {}});
    });
    for (const char* section : c.sections) {
        ui.SetText("Text1", section);
        ui.Calculate();
    }
    HWND box = ui.Get("Text8");
    if (c.selectAll) SendMessageW(box, EM_SETSEL, 0, -1);
    g_menu.clear();
    SetTimer(nullptr, 0, 50, ReadOpenMenu);
    RECT r{};
    GetWindowRect(box, &r);
    SendMessageW(box, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(box), MAKELPARAM(r.left, r.top));
    const char* texts[] = {"复制\tCtrl+C", "全选\tCtrl+A", "", "打印计算书…\tCtrl+P"};
    std::vector<std::string> want;
    for (int i = 0; i < 4; ++i) want.push_back(texts[i] + std::string(1, c.states[i]));
    EXPECT_EQ(g_menu, want);

    const std::size_t faults = ui.faults().size();
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    for (const char* focus : {"Text1", "Combo1", "Text8"}) {
        SetFocus(ui.Get(focus));
        ui.Key('P');
    }
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    const bool enabled = c.states[3] == '+';
    EXPECT_EQ(offered, (enabled ? std::vector<int>{3, 3, 3} : std::vector<int>{}));
    ASSERT_EQ(ui.faults().size(), faults + offered.size());
    if (enabled) {
        EXPECT_EQ(ui.faults().back().title, "无法打印");
    }
}

INSTANTIATE_TEST_SUITE_P(
    States, ReportMenu,
    ::testing::Values(MenuCase{"StartUpTextAfterAFault", {"500x200x6"}, false, "-+|-"},
                      MenuCase{"Report", {"500x200x6x12"}, true, "++|+"},
                      MenuCase{"ReportThenFault", {"500x200x6x12", "500x200x6"}, false, "-+|-"}),
    [](const auto& info) { return std::string(info.param.name); });

// The printer driver's own dialog as the document starts (a PDF printer asks for the
// file's name there) cancelled: nothing printed and nothing told. A document refused for
// another reason gets the message. The driver is stood in for by the DC's abort
// procedure, which StartDoc asks first and which fails the document with its error.
BOOL CALLBACK CancelledInTheDriver(HDC, int) {
    SetLastError(ERROR_CANCELLED);
    return FALSE;
}

BOOL CALLBACK RefusedByTheDriver(HDC, int) {
    SetLastError(ERROR_NOT_READY);
    return FALSE;
}

TEST(ReportPrint, DocumentCancelledInTheDriverIsNoFault) {
    struct Row {
        const char* name;
        ABORTPROC driver;
        std::size_t told;
    };
    const Row rows[] = {
        {"cancelled", CancelledInTheDriver, 0},
        {"refused", RefusedByTheDriver, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WindowDriver ui;
        int offered = 0;
        ui.window().reportPrint().SetPrintDialog([&](HWND, int) {
            ++offered;
            HDC dc = CreateCompatibleDC(nullptr);
            SetAbortProc(dc, row.driver);
            return std::optional<PrintJob>(PrintJob{dc, {}});
        });
        ui.SetText("Text1", "500x200x6x12");
        ui.Calculate();
        const std::size_t faults = ui.faults().size();
        ui.window().reportPrint().Print();
        EXPECT_EQ(offered, 1);
        ASSERT_EQ(ui.faults().size(), faults + row.told);
        if (row.told != 0) {
            EXPECT_EQ(ui.faults().back().title, "无法打印");
        }
    }
}

}  // namespace

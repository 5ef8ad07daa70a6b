// "打印..." on the real default printer, a CUPS queue whose jobs end as PDF
// files, and "打印设置".
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "app/resource.h"
#include "documents/DocumentWindow.h"
#include "editor/DocumentEditor.h"
#include "editor/logic/Tools.h"
#include "output/Printer.h"
#include "support/Dialogs.h"
#include "support/Files.h"
#include "support/Pixels.h"
#include "support/Printing.h"
#include "support/UiTest.h"

namespace snapora::test {
namespace {

using PrintCommand = MainWindowTest;
using PageSetupCommand = MainWindowTest;

constexpr std::uint32_t kRed = 0xC00000;
constexpr std::uint32_t kBlue = 0x0000C0;
constexpr std::uint32_t kGreen = 0x00A000;
constexpr std::uint32_t kBlack = 0x000000;

// Quarters of distinct colours, so a turned or mirrored print shows.
Picture QuarteredPicture(int width, int height) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool left = x < width / 2;
            const bool top = y < height / 2;
            pixels.push_back(top ? (left ? kRed : kBlue) : (left ? kGreen : kBlack));
        }
    }
    return PictureOf(width, height, pixels);
}

// What poppler makes of the newest PDF with `token` in its name: its page count and the first page
// as an RGB raster at 72 dpi.
struct RenderedPdf {
    int pages = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB
    [[nodiscard]] std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

RenderedPdf RenderPdf(const std::string& token) {
    RenderedPdf rendered;
    // Named by the job, which no other run shares: a folder left from an
    // earlier run must never be read as this one's answer.
    const std::string work = "/tmp/snapora-print-" + token;
    const std::string script = "rm -rf " + work + " && mkdir -p " + work + " && cd " + work + " && f=\"$(ls -t " + UnixPdfFolder() + "/*" + token +
                               "*.pdf | head -n 1)\" && pdfinfo \"$f\" > info.txt && pdftoppm -r 72 -f 1 -l 1 \"$f\" page"
                               " && mv page*.ppm page.ppm; touch done";
    std::wstring command = L"Z:\\bin\\sh -c \"";
    for (char c : script) command += c == '"' ? std::wstring(L"\\\"") : std::wstring(1, static_cast<wchar_t>(c));
    command += L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    // Wine starts the Unix shell but cannot wait on it: the marker file says
    // when it is done.
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return rendered;
    }
    if (process.hProcess) ::CloseHandle(process.hProcess);
    if (process.hThread) ::CloseHandle(process.hThread);
    const std::wstring folder = WinePath(work);
    PumpUntil([&] { return ::GetFileAttributesW((folder + L"\\done").c_str()) != INVALID_FILE_ATTRIBUTES; },
              std::chrono::seconds(60));

    std::istringstream lines(ReadWholeFile(folder + L"\\info.txt"));
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Pages:", 0) == 0) rendered.pages = std::atoi(line.c_str() + 6);
    }
    const auto ppm = ReadWholeFile(folder + L"\\page.ppm");
    for (const wchar_t* name : {L"\\info.txt", L"\\page.ppm", L"\\done"}) ::DeleteFileW((folder + name).c_str());
    ::RemoveDirectoryW(folder.c_str());
    std::istringstream header(ppm.substr(0, 64));
    std::string magic;
    int maxValue = 0;
    header >> magic >> rendered.width >> rendered.height >> maxValue;
    const auto start = static_cast<std::size_t>(header.tellg()) + 1;
    const std::size_t count = static_cast<std::size_t>(rendered.width) * static_cast<std::size_t>(rendered.height);
    if (magic != "P6" || maxValue != 255 || ppm.size() < start + count * 3) return rendered;
    for (std::size_t i = 0; i < count; ++i) {
        const auto* p = reinterpret_cast<const unsigned char*>(&ppm[start + i * 3]);
        rendered.pixels.push_back(static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2]);
    }
    return rendered;
}

bool IsInk(std::uint32_t rgb) {
    return ((rgb >> 16) & 0xFF) < 200 || ((rgb >> 8) & 0xFF) < 200 || (rgb & 0xFF) < 200;
}

// Where the printed picture lies, as fractions of the page.
struct PageBox {
    double left = 1, top = 1, right = 0, bottom = 0;
};

PageBox InkBox(const RenderedPdf& page) {
    PageBox box;
    for (int y = 0; y < page.height; ++y) {
        for (int x = 0; x < page.width; ++x) {
            if (!IsInk(page.At(x, y))) continue;
            box.left = std::min(box.left, static_cast<double>(x) / page.width);
            box.right = std::max(box.right, static_cast<double>(x + 1) / page.width);
            box.top = std::min(box.top, static_cast<double>(y) / page.height);
            box.bottom = std::max(box.bottom, static_cast<double>(y + 1) / page.height);
        }
    }
    return box;
}

// Where the picture should lie: the printable area's corner, and the size
// the layout gives, in fractions of the physical page.
PageBox ExpectedBox(const Picture& picture) {
    CurrentPrinter printer(L"probe");  // never starts a document
    EXPECT_TRUE(printer.IsOpen());
    EXPECT_TRUE(printer.SetOrientation(OrientationForPicture(picture.Width(), picture.Height())));
    const HDC dc = printer.Dc();
    const double pageWidth = ::GetDeviceCaps(dc, PHYSICALWIDTH);
    const double pageHeight = ::GetDeviceCaps(dc, PHYSICALHEIGHT);
    const double left = ::GetDeviceCaps(dc, PHYSICALOFFSETX);
    const double top = ::GetDeviceCaps(dc, PHYSICALOFFSETY);
    const DeviceExtent area = printer.PrintableArea();
    const auto printed =
        FitToPrintableArea(DeviceExtent{picture.Width(), picture.Height(), 96, 96}, area).value_or(PrintedSize{});
    return PageBox{left / pageWidth, top / pageHeight, (left + printed.width) / pageWidth,
                   (top + printed.height) / pageHeight};
}

void ExpectNear(const PageBox& actual, const PageBox& expected) {
    constexpr double kTolerance = 0.006;  // about 3 points on A4
    EXPECT_NEAR(actual.left, expected.left, kTolerance);
    EXPECT_NEAR(actual.top, expected.top, kTolerance);
    EXPECT_NEAR(actual.right, expected.right, kTolerance);
    EXPECT_NEAR(actual.bottom, expected.bottom, kTolerance);
}

// Runs the print command; whether it showed any dialog or message box,
// each of which is cancelled.
bool PrintShowsADialog(MainWindow& main) {
    return CancelDialogsDuring([&] {
        main.Execute(ID_FILE_PRINT);
        PumpFor(std::chrono::milliseconds(100));
    }) > 0;
}

RenderedPdf PrintAndRender(MainWindow& main) {
    const std::string token = UniqueJobToken(DocumentWindow::FromHandle(main.ActiveChild())->Handle());
    const auto before = PdfFiles();
    EXPECT_FALSE(PrintShowsADialog(main));
    const std::wstring pdf = WaitForNewPdf(before, std::chrono::seconds(60), token);
    EXPECT_FALSE(pdf.empty()) << "no PDF from the printer";
    if (pdf.empty()) return {};
    RenderedPdf page = RenderPdf(token);
    EXPECT_EQ(page.pages, 1);
    return page;
}

// The page prints what the window shows: a redaction (遮盖) drawn over
// the red quarter, from (50, 20) to (199, 79), leaves only its fill there.
TEST_F(PrintCommand, WidePictureFillsTheWidthOfALandscapePageFromTheTop) {
    const Picture expectedFrom = QuarteredPicture(1000, 200);
    const PageBox expected = ExpectedBox(expectedFrom);
    DocumentWindow* document = OpenPictureDocument(Main(), QuarteredPicture(1000, 200));
    ASSERT_NE(document, nullptr);
    auto redaction = editor::ToolRowOf(editor::ToolKind::Redact).start(PixelPoint{50, 20}, editor::Style{});
    redaction->Extend(PixelPoint{199, 79});
    ASSERT_TRUE(DocumentEditor::Of(document->Handle())->EditModel().Add(std::move(redaction)));
    const RenderedPdf page = PrintAndRender(Main());
    ASSERT_FALSE(page.pixels.empty());
    EXPECT_GT(page.width, page.height);  // landscape
    const PageBox box = InkBox(page);
    ExpectNear(box, expected);
    // A fifth as high as wide, measured on the paper.
    EXPECT_NEAR((box.bottom - box.top) * page.height, (box.right - box.left) * page.width / 5, 3.0);
    // Upright: red at the top left, black at the bottom right.
    const auto at = [&](double fx, double fy) {
        return page.At(static_cast<int>((box.left + (box.right - box.left) * fx) * page.width),
                       static_cast<int>((box.top + (box.bottom - box.top) * fy) * page.height));
    };
    EXPECT_EQ(at(0.25, 0.25) & 0xF0F0F0, kRed & 0xF0F0F0);
    EXPECT_EQ(at(0.75, 0.25) & 0xF0F0F0, kBlue & 0xF0F0F0);
    EXPECT_EQ(at(0.25, 0.75) & 0xF0F0F0, kGreen & 0xF0F0F0);
    EXPECT_EQ(at(0.75, 0.75) & 0xF0F0F0, kBlack & 0xF0F0F0);
    // Inside the redaction, two pixels in from its edges, where the page's
    // scaling and compression blend nothing in: black, within what the
    // compression leaves, and nothing of the red.
    for (int y = static_cast<int>((box.top + (box.bottom - box.top) * 0.1) * page.height) + 2;
         y < static_cast<int>((box.top + (box.bottom - box.top) * 0.4) * page.height) - 2; ++y) {
        for (int x = static_cast<int>((box.left + (box.right - box.left) * 0.05) * page.width) + 2;
             x < static_cast<int>((box.left + (box.right - box.left) * 0.2) * page.width) - 2; ++x) {
            ASSERT_EQ(page.At(x, y) & 0xE0E0E0, 0u) << x << "," << y << ": " << std::hex << page.At(x, y);
        }
    }
}

TEST_F(PrintCommand, TallPictureFillsThePortraitHeightLeavingTheRightFree) {
    const PageBox expected = ExpectedBox(QuarteredPicture(200, 1000));
    ASSERT_NE(OpenPictureDocument(Main(), QuarteredPicture(200, 1000)), nullptr);
    const RenderedPdf page = PrintAndRender(Main());
    ASSERT_FALSE(page.pixels.empty());
    EXPECT_LT(page.width, page.height);  // portrait
    const PageBox box = InkBox(page);
    ExpectNear(box, expected);
    EXPECT_LT(box.right, 0.5);
}

TEST_F(PrintCommand, PictureShapedLikeThePrintableAreaFillsIt) {
    DeviceExtent area;
    {
        CurrentPrinter printer(L"probe");
        ASSERT_TRUE(printer.IsOpen());
        ASSERT_TRUE(printer.SetOrientation(PageOrientation::Portrait));
        area = printer.PrintableArea();
    }
    ASSERT_EQ(area.unitsPerInchX, area.unitsPerInchY);
    ASSERT_LT(area.width, area.height);
    // The smallest picture with exactly the area's ratio.
    int divisor = 1;
    for (int d = 2; d <= area.width; ++d) {
        if (area.width % d == 0 && area.height % d == 0) divisor = d;
    }
    const int width = area.width / divisor;
    const int height = area.height / divisor;
    const PageBox expected = ExpectedBox(QuarteredPicture(width, height));
    ASSERT_NE(OpenPictureDocument(Main(), QuarteredPicture(width, height)), nullptr);
    const RenderedPdf page = PrintAndRender(Main());
    ASSERT_FALSE(page.pixels.empty());
    ExpectNear(InkBox(page), expected);
}

TEST_F(PrintCommand, SendsNothingWithoutAPicture) {
    const auto before = PdfFiles();
    Main().Execute(ID_FILE_PRINT);  // no document
    DocumentWindow* document = OpenPictureDocument(Main(), QuarteredPicture(10, 10));
    ASSERT_NE(document, nullptr);
    document->ClearPicture();
    const std::string token = UniqueJobToken(document->Handle());
    Main().Execute(ID_FILE_PRINT);
    EXPECT_TRUE(WaitForNewPdf(before, std::chrono::seconds(6), token).empty());
}

// A printer whose port asks for a file name runs a dialog inside StartDoc,
// where the pointer-area preview replaces the picture and the user may close
// the document. The job prints what is there afterwards, or nothing.
TEST_F(PrintCommand, APictureReplacedOrClosedWhileTheJobStartsPrintsNothingFreed) {
    DocumentWindow* document = OpenPictureDocument(Main(), QuarteredPicture(300, 200));
    ASSERT_NE(document, nullptr);
    std::string token = UniqueJobToken(document->Handle());
    auto before = PdfFiles();
    bool disabledMeanwhile = false;
    EXPECT_TRUE(PrintDocument(mainWindow_, document->Handle(), [&] {
        disabledMeanwhile = !::IsWindowEnabled(mainWindow_);
        document->SetPicture(PictureOf(240, 160, std::vector<std::uint32_t>(240 * 160, kGreen)));
    }));
    EXPECT_TRUE(disabledMeanwhile) << "the main window took input during the job";
    EXPECT_TRUE(::IsWindowEnabled(mainWindow_));
    ASSERT_FALSE(WaitForNewPdf(before, std::chrono::seconds(60), token).empty());
    const RenderedPdf page = RenderPdf(token);
    ASSERT_FALSE(page.pixels.empty());
    const PageBox box = InkBox(page);
    EXPECT_EQ(page.At(static_cast<int>((box.left + box.right) / 2 * page.width),
                      static_cast<int>((box.top + box.bottom) / 2 * page.height)) & 0xF0F0F0,
              kGreen & 0xF0F0F0);

    DocumentWindow* second = OpenPictureDocument(Main(), QuarteredPicture(300, 200));
    ASSERT_NE(second, nullptr);
    const HWND closing = second->Handle();
    token = UniqueJobToken(closing);
    before = PdfFiles();
    EXPECT_FALSE(PrintDocument(mainWindow_, closing, [&] {
        ::SendMessageW(Main().MdiClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(closing), 0);
    }));
    EXPECT_FALSE(::IsWindow(closing));
    EXPECT_TRUE(::IsWindowEnabled(mainWindow_));
    // The program goes on: the document left prints.
    EXPECT_FALSE(PrintAndRender(Main()).pixels.empty());
    EXPECT_TRUE(WaitForNewPdf(before, std::chrono::seconds(2), token).empty());
}

// Runs only under a Wine that sees no printer at all, which the test
// command sets up for it (see scripts/failure-tests.sh).
TEST_F(PrintCommand, DISABLED_WithNoPrinterEndsQuietlyAndKeepsTheDocument) {
    DWORD length = 0;
    const bool hasDefault = !::GetDefaultPrinterW(nullptr, &length) && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER;
    ASSERT_FALSE(hasDefault) << "a default printer exists";
    DWORD needed = 0;
    DWORD count = 0;
    ::EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    ASSERT_EQ(needed, 0u) << "a printer is installed";

    DocumentWindow* document = OpenPictureDocument(Main(), QuarteredPicture(40, 30));
    ASSERT_NE(document, nullptr);
    const std::vector<std::uint32_t> before = document->GetPicture().ReadPixels();
    EXPECT_FALSE(PrintShowsADialog(Main()));
    ASSERT_TRUE(::IsWindow(document->Handle()));
    EXPECT_EQ(DocumentWindow::FromHandle(Main().ActiveChild()), document);
    EXPECT_TRUE(document->IsDirty());
    EXPECT_EQ(document->GetPicture().ReadPixels(), before);
}

TEST_F(PageSetupCommand, ShowsThePrinterDialogOnlyWithAChildWindow) {
    int shown = 0;
    std::wstring title;
    int ticksSeen = 0;
    DialogScript script({[&] {
        const auto dialogs = ThreadDialogs();
        if (dialogs.empty()) return false;
        // Let the dialog finish setting itself up before reading it.
        if (++ticksSeen < 5) return false;
        ticksSeen = 0;
        for (HWND dialog : dialogs) {
            ++shown;
            title = WindowText(dialog);
            Press(dialog, IDCANCEL);
        }
        return false;
    }});
    Main().Execute(ID_FILE_PAGE_SETUP);
    EXPECT_EQ(shown, 0);
    ASSERT_NE(OpenPictureDocument(Main(), QuarteredPicture(4, 4)), nullptr);
    Main().Execute(ID_FILE_PAGE_SETUP);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(title, L"Page Setup");
}

}  // namespace
}  // namespace snapora::test

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

#include "HtmlViewTestUtil.h"
#include "htmlview/HtmlPrinter.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/StandardClasses.h"
#include "platform/image/PngFile.h"

namespace {

using HtmlPrint = HtmlViewFixture;

bool HavePdfToText() { return std::system("command -v pdftotext > /dev/null 2>&1") == 0; }

// The text of a PDF by pdftotext; pages are separated by form feeds.
std::string PdfText(const std::string& pdf) {
    std::string text;
    FILE* p = popen(("pdftotext -enc UTF-8 '" + pdf + "' - 2>/dev/null").c_str(), "r");
    if (!p) return text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, p)) > 0) text.append(buffer, n);
    pclose(p);
    return text;
}

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + what.size()))
        ++n;
    return n;
}

// Answers the dialog as a user who picks the PDF destination and a file would.
std::function<bool(PRINTDLG*)> SaveTo(const std::string& file, PRINTDLG* seen = nullptr,
                                      DWORD flags = 0, WORD from = 1, WORD to = 1) {
    return [=](PRINTDLG* pd) {
        if (seen) *seen = *pd;
        pd->destination = 0;
        pd->fileName = file;
        if (flags) {
            pd->Flags = flags;
            pd->nFromPage = from;
            pd->nToPage = to;
        }
        return true;
    };
}

TEST_F(HtmlPrint, ThePdfHoldsTheDocumentsKazakhText) {
    if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    Load(Write("Dar1.htm",
               "<html><body><h1>Қазақстан статистикасы</h1><p>Өңірлер бойынша ақпарат.</p>"
               "<table border=\"1\"><tr><td>Ұлттық</td><td>шот</td></tr></table></body></html>"));
    PRINTDLG seen;
    const std::string pdf = PathOf("out.pdf");
    view_->printDialog = SaveTo(pdf, &seen);
    EXPECT_EQ(view_->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER), HTMLVIEW_OK);
    ASSERT_GE(seen.destinations.size(), 1u);
    EXPECT_EQ(seen.destinations[0].name, "Save as PDF");
    EXPECT_TRUE(seen.destinations[0].toFile);
    EXPECT_TRUE(seen.fileName.ends_with("/statistika-Dar1.pdf")) << seen.fileName;
    EXPECT_EQ(seen.nMaxPage, 1);
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("Қазақстан статистикасы"), std::string::npos) << text;
    EXPECT_NE(text.find("Өңірлер бойынша ақпарат."), std::string::npos);
    EXPECT_NE(text.find("Ұлттық"), std::string::npos);
    EXPECT_EQ(Count(text, "\f"), 1u);
}

TEST_F(HtmlPrint, ALongDocumentSpreadsOverPagesWithoutCuttingALine) {
    if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    std::string html = "<html><body>";
    for (int i = 0; i < 200; ++i)
        html += "<p style=\"margin:0\">Жол " + std::to_string(i) + " мәтіні</p>";
    Load(Write("long.htm", html + "</body></html>"));
    const std::string pdf = PathOf("long.pdf");
    view_->printDialog = SaveTo(pdf);
    ASSERT_EQ(view_->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER), HTMLVIEW_OK);
    const std::string text = PdfText(pdf);
    EXPECT_GE(Count(text, "\f"), 3u);
    // A line cut by a page break would be drawn, clipped, on both pages.
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(Count(text, "Жол " + std::to_string(i) + " мәтіні"), 1u) << i;
}

TEST_F(HtmlPrint, APageRangePrintsOnlyThosePages) {
    if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    std::string html;
    for (int i = 0; i < 200; ++i) html += "<p style=\"margin:0\">Жол " + std::to_string(i) + "</p>";
    Load(Write("long.htm", html));
    const std::string pdf = PathOf("range.pdf");
    view_->printDialog = SaveTo(pdf, nullptr, PD_PAGENUMS, 2, 2);
    ASSERT_EQ(view_->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER), HTMLVIEW_OK);
    const std::string text = PdfText(pdf);
    EXPECT_EQ(Count(text, "\f"), 1u);
    EXPECT_EQ(text.find("Жол 0\n"), std::string::npos);
    // A range past the last page prints nothing and says so.
    view_->printDialog = SaveTo(PathOf("none.pdf"), nullptr, PD_PAGENUMS, 50, 60);
    EXPECT_EQ(view_->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER), HTMLVIEW_FAIL);
    EXPECT_FALSE(std::filesystem::exists(PathOf("none.pdf")));
}

TEST_F(HtmlPrint, NoDocumentPrintsOneBlankPage) {
    if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    PRINTDLG seen;
    const std::string pdf = PathOf("blank.pdf");
    view_->printDialog = SaveTo(pdf, &seen);
    EXPECT_EQ(view_->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER), HTMLVIEW_OK);
    EXPECT_TRUE(seen.fileName.ends_with("/statistika-document.pdf")) << seen.fileName;
    const std::string text = PdfText(pdf);
    EXPECT_EQ(Count(text, "\f"), 1u);
    EXPECT_EQ(text.find_first_not_of("\f\n "), std::string::npos) << text;
}

TEST_F(HtmlPrint, CancellingPrintsNothingAndIsNotAFailure) {
    Load(Write("a.htm", "<p>a</p>"));
    bool asked = false;
    view_->printDialog = [&](PRINTDLG* pd) {
        asked = true;
        pd->fileName = PathOf("never.pdf");
        return false;
    };
    EXPECT_EQ(view_->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER), HTMLVIEW_OK);
    EXPECT_TRUE(asked);
    EXPECT_FALSE(std::filesystem::exists(PathOf("never.pdf")));
}

TEST_F(HtmlPrint, FailuresToPrintAreReported) {
    Load(Write("a.htm", "<p>a</p>"));
    struct Case {
        const char* name;
        std::function<bool(PRINTDLG*)> answer;
    };
    const Case cases[] = {
        {"folder that does not exist", SaveTo(PathOf("no/such/folder/x.pdf"))},
        {"a folder as the file", SaveTo(dir_)},
        {"no file name", SaveTo("")},
        {"destination out of range",
         [](PRINTDLG* pd) {
             pd->destination = int(pd->destinations.size()) + 3;
             return true;
         }},
    };
    for (const Case& c : cases) {
        view_->printDialog = c.answer;
        EXPECT_EQ(view_->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER), HTMLVIEW_FAIL) << c.name;
    }
    // A failed print leaves nothing behind: no half-written file beside the destination, and
    // the folder that stood in for a file holds what it held.
    EXPECT_FALSE(std::filesystem::exists(dir_ + ".part"));
    EXPECT_FALSE(std::filesystem::exists(PathOf("no/such/folder/x.pdf.part")));
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir_))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1u) << "only the document itself";
    EXPECT_EQ(view_->ExecWB(5, 0), HTMLVIEW_FAIL) << "only printing is offered";
}

TEST_F(HtmlPrint, PageBreaksFallOnTheTopOfTheLineThatWouldBeCut) {
    // A4 less two 20 mm margins is 842 - 2 * 56.69 = 728.6 pt, 971 CSS px at 0.75 pt each.
    // Pictures of 50 px: a page holds 19 whole ones, so the first break moves up from row 971
    // to row 950, the top of line 19, the next from 1921 to 1900, and so on; 3000 rows make
    // four pages.
    Bitmap strip(10, 50, 24);
    strip.Fill(RGB(0, 0, 0));
    const std::vector<uint8_t> png = EncodePNG(strip);
    Write("strip.png", std::string(png.begin(), png.end()));
    std::string html = "<html><body style=\"margin:0\">";
    for (int i = 0; i < 60; ++i) html += "<img src=\"strip.png\" style=\"display:block\">";
    THtmlPrinter printer(html + "</body></html>", PathOf("x.htm"));
    const int pageHeight = int((kPageHeightPt - 2 * kPageMarginPt) / kPtPerPx);
    ASSERT_EQ(pageHeight, 971);
    ASSERT_EQ(printer.PageCount(), 4);
    EXPECT_EQ(printer.PageTop(1), 950);
    EXPECT_EQ(printer.PageTop(2), 1900);
    EXPECT_EQ(printer.PageTop(3), 2850);
    EXPECT_EQ(printer.PageTop(4), 3000);
}

TEST_F(HtmlPrint, APrinterGetsAPdfWithTheChosenCopiesAndCollation) {
    Load(Write("Dar3.htm", "<p>Баға индекстері</p>"));
    PRINTDLG seen;
    view_->printDialog = [&](PRINTDLG* pd) {
        seen = *pd;
        pd->destination = 1;
        pd->nCopies = 3;
        pd->Flags |= PD_COLLATE;
        return true;
    };
    EXPECT_EQ(view_->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER), HTMLVIEW_OK);
    ASSERT_EQ(seen.destinations.size(), 2u);
    EXPECT_EQ(seen.destinations[0].name, "Save as PDF");
    EXPECT_EQ(seen.destinations[1].name, "Kafedra");
    ASSERT_EQ(jobs_.size(), 1u);
    EXPECT_EQ(jobs_[0].printer, "Kafedra");
    EXPECT_EQ(jobs_[0].copies, 3);
    EXPECT_TRUE(jobs_[0].collate);
    EXPECT_EQ(jobs_[0].title, "statistika-Dar3.pdf");
    EXPECT_TRUE(jobPdfExisted_);
    // The temporary file goes once the job is handed over.
    EXPECT_FALSE(std::filesystem::exists(jobs_[0].pdfPath));

    acceptJobs_ = false;
    EXPECT_EQ(view_->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER), HTMLVIEW_FAIL);
    EXPECT_FALSE(std::filesystem::exists(jobs_[1].pdfPath));
}

TEST_F(HtmlPrint, TheRealDialogAsksAndPrintsWhatTheUserChose) {
    if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    RegisterStandardClasses();
    Load(Write("Dar7.htm", "<p>Ұлттық шоттар жүйесі</p>"));
    view_->printDialog = PrintDlg;
    const std::string pdf = PathOf("chosen.pdf");
    std::string offered;
    // Each time the dialog's loop waits, the next step plays; with none left the loop ends.
    std::vector<std::function<void()>> steps = {[&] {
                                                    const HWND d = GetActiveWindow();
                                                    offered = GetDlgItemText(d, IDC_PRINT_FILE);
                                                    SetDlgItemText(d, IDC_PRINT_FILE, pdf);
                                                },
                                                [] { KeyPress(VK_RETURN); }};
    size_t next = 0;
    Headless()->SetDriver([&] {
        if (next >= steps.size()) return false;
        steps[next++]();
        return true;
    });
    const HRESULT result = view_->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER);
    Headless()->SetDriver(nullptr);
    EXPECT_EQ(result, HTMLVIEW_OK);
    EXPECT_TRUE(offered.ends_with("/statistika-Dar7.pdf")) << offered;
    EXPECT_NE(PdfText(pdf).find("Ұлттық шоттар жүйесі"), std::string::npos);
}

} // namespace

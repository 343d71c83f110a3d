#pragma once
// Printing a document: laid out again for A4 paper by a container that draws with cairo,
// cut into pages, written as a PDF file or handed to a CUPS printer.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialogs/PrintDialog.h"
#include "platform/host/Printers.h"

namespace litehtml {
class document;
}
class TPrintContainer;

// A4 in points and the margin around the printed area (20 mm).
constexpr double kPageWidthPt = 595.0;
constexpr double kPageHeightPt = 842.0;
constexpr double kPageMarginPt = 20.0 * 72.0 / 25.4;
// One CSS pixel is 1/96 inch: 0.75 pt.
constexpr double kPtPerPx = 0.75;

// "Save as PDF" first, then every printer CUPS reports (none where no CUPS server runs).
std::vector<PrintDestination> PrintDestinations();
// ~/statistika-<document name>.pdf, "document" when there is none.
std::string DefaultPdfPath(const std::string& documentPath);

// A printer job: the PDF to print (a temporary file, removed after submission) and options.
using TPrintJob = PrintJob;
using TJobSubmitter = std::function<bool(const TPrintJob& job, std::string* error)>;

class THtmlPrinter {
  public:
    // An empty html prints one blank page. A document that cannot be laid out prints nothing:
    // Print and WritePdf fail with the reason.
    THtmlPrinter(const std::string& html, const std::string& documentPath);
    ~THtmlPrinter();
    THtmlPrinter(const THtmlPrinter&) = delete;
    THtmlPrinter& operator=(const THtmlPrinter&) = delete;

    int PageCount() const { return int(breaks_.size()) - 1; }
    // Page i (0-based) covers document rows [PageTop(i), PageTop(i + 1)) in CSS pixels.
    int PageTop(int page) const { return breaks_[size_t(page)]; }

    // Prints as the dialog's answer says: the chosen destination, page range, copies and
    // collation. False when the document cannot be laid out or drawn, the file cannot be
    // written or the printer refuses the job.
    bool Print(const PRINTDLG& choice, const TJobSubmitter& submit = SubmitPrintJob,
               std::string* error = nullptr);
    // Writes pages first..last (1-based, inclusive, clamped) to a PDF file at a host path. On
    // failure no file is left there (one that was there before stays as it was).
    bool WritePdf(const std::string& hostPath, int first, int last, std::string* error);

  private:
    void ComputeBreaks();

    std::string documentPath_;
    std::unique_ptr<TPrintContainer> container_;
    std::shared_ptr<litehtml::document> document_;
    int widthPx_ = 0;
    int pageHeightPx_ = 0;
    std::vector<int> breaks_; // page tops and, last, the document's end
    std::string layoutError_; // why the document could not be laid out; empty when it was
};

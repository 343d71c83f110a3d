#include "htmlview/HtmlPrinter.h"

#include <algorithm>
#include <cairo-pdf.h>
#include <cairo.h>
#include <cmath>
#include <cstdio>
#include <litehtml.h>

#include "htmlview/DocumentSource.h"
#include "htmlview/MasterStyle.h"
#include "htmlview/PrintContainer.h"
#include "platform/core/FileSystem.h"
#include "platform/host/HostFolders.h"

namespace {

void CollectLeafBoxes(const litehtml::element::ptr& el, std::vector<std::pair<int, int>>& boxes,
                      int depth) {
    if (!el || depth > kMaxNestingDepth + 8) return;
    const size_t n = el->get_children_count();
    if (n == 0) {
        const litehtml::position p = el->get_placement();
        if (p.height > 0) boxes.emplace_back(p.y, p.bottom());
        return;
    }
    for (size_t i = 0; i < n; ++i) CollectLeafBoxes(el->get_child(int(i)), boxes, depth + 1);
}

// "~/x" and Windows-style text become host paths.
std::string HostFilePath(const std::string& fileName) {
    if (fileName.starts_with("~/")) return HomeFolder() + fileName.substr(1);
    return HostPath(fileName);
}

} // namespace

std::vector<PrintDestination> PrintDestinations() {
    std::vector<PrintDestination> list{{"Save as PDF", true}};
    for (std::string& name : PrinterNames()) list.push_back({std::move(name), false});
    return list;
}

std::string DefaultPdfPath(const std::string& documentPath) {
    std::string name = documentPath.substr(documentPath.find_last_of("\\/") == std::string::npos
                                               ? 0
                                               : documentPath.find_last_of("\\/") + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name = name.substr(0, dot);
    if (name.empty()) name = "document";
    return HomeFolder() + "/statistika-" + name + ".pdf";
}

THtmlPrinter::THtmlPrinter(const std::string& html, const std::string& documentPath)
    : documentPath_(documentPath) {
    widthPx_ = int((kPageWidthPt - 2 * kPageMarginPt) / kPtPerPx);
    pageHeightPx_ = int((kPageHeightPt - 2 * kPageMarginPt) / kPtPerPx);
    if (!html.empty()) {
        container_ = std::make_unique<TPrintContainer>(documentPath, widthPx_, pageHeightPx_);
        try {
            document_ = litehtml::document::createFromUTF8(html.c_str(), container_.get(),
                                                           &HtmlMasterContext());
            if (!document_)
                layoutError_ = "the document cannot be laid out for printing";
            else
                document_->render(widthPx_);
        } catch (const std::exception& e) {
            // A blank page would pass for a printed document: the print fails instead.
            document_.reset();
            layoutError_ = std::string("the document cannot be laid out for printing: ") + e.what();
        }
    }
    ComputeBreaks();
}

THtmlPrinter::~THtmlPrinter() {
    document_.reset();
    container_.reset();
}

void THtmlPrinter::ComputeBreaks() {
    breaks_ = {0};
    const int height = document_ ? std::max(document_->height(), 0) : 0;
    std::vector<std::pair<int, int>> boxes;
    if (document_) CollectLeafBoxes(document_->root(), boxes, 0);
    int top = 0;
    while (top + pageHeightPx_ < height) {
        int cut = top + pageHeightPx_;
        // A line of text or a picture that straddles the cut moves to the next page, as long
        // as the page keeps something.
        for (const auto& [boxTop, boxBottom] : boxes)
            if (boxTop < cut && boxBottom > cut && boxTop > top) cut = std::min(cut, boxTop);
        breaks_.push_back(cut);
        top = cut;
    }
    breaks_.push_back(std::max(height, top + 1));
}

bool THtmlPrinter::WritePdf(const std::string& hostPath, int first, int last, std::string* error) {
    if (!layoutError_.empty()) {
        if (error) *error = layoutError_;
        return false;
    }
    first = std::clamp(first, 1, PageCount());
    last = std::clamp(last, first, PageCount());
    // The pages go to a file beside the destination, which takes its name only when every
    // page was drawn: a failure leaves no partial file behind.
    const std::string partPath = hostPath + ".part";
    cairo_surface_t* surface =
        cairo_pdf_surface_create(partPath.c_str(), kPageWidthPt, kPageHeightPt);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        if (error) *error = cairo_status_to_string(cairo_surface_status(surface));
        cairo_surface_destroy(surface);
        std::remove(partPath.c_str());
        return false;
    }
    std::string drawError;
    cairo_t* cr = cairo_create(surface);
    if (container_) container_->SetContext(cr);
    for (int page = first - 1; page < last; ++page) {
        const int top = PageTop(page);
        const int height = PageTop(page + 1) - top;
        if (document_) {
            cairo_save(cr);
            cairo_translate(cr, kPageMarginPt, kPageMarginPt);
            cairo_scale(cr, kPtPerPx, kPtPerPx);
            cairo_rectangle(cr, 0, 0, widthPx_, height);
            cairo_clip(cr);
            const litehtml::position clip(0, 0, widthPx_, height);
            try {
                document_->draw(reinterpret_cast<litehtml::uint_ptr>(cr), 0, -top, &clip);
            } catch (const std::exception& e) {
                drawError = std::string("page ") + std::to_string(page + 1) +
                            " cannot be drawn: " + e.what();
            }
            cairo_restore(cr);
            if (!drawError.empty()) break;
        }
        cairo_show_page(cr);
    }
    if (container_) container_->SetContext(nullptr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (drawError.empty() && status != CAIRO_STATUS_SUCCESS)
        drawError = cairo_status_to_string(status);
    if (drawError.empty() && std::rename(partPath.c_str(), hostPath.c_str()) != 0)
        drawError = "the file cannot be written";
    if (!drawError.empty()) {
        std::remove(partPath.c_str());
        if (error) *error = drawError;
        return false;
    }
    return true;
}

bool THtmlPrinter::Print(const PRINTDLG& choice, const TJobSubmitter& submit, std::string* error) {
    int first = 1, last = PageCount();
    if (choice.Flags & PD_PAGENUMS) {
        first = choice.nFromPage;
        last = choice.nToPage;
        if (first < 1 || first > last || first > PageCount()) {
            if (error) *error = "the page range holds no page";
            return false;
        }
    }
    if (choice.destination < 0 || size_t(choice.destination) >= choice.destinations.size()) {
        if (error) *error = "no such destination";
        return false;
    }
    const PrintDestination& dest = choice.destinations[size_t(choice.destination)];
    if (dest.toFile) {
        // A PDF file is one copy: a reader prints as many as it is asked to.
        if (choice.fileName.empty()) {
            if (error) *error = "no file name";
            return false;
        }
        return WritePdf(HostFilePath(choice.fileName), first, last, error);
    }
    const std::string pdf = MakeTemporaryFile("statistika-print-");
    if (pdf.empty()) {
        if (error) *error = "no temporary file";
        return false;
    }
    bool ok = WritePdf(pdf, first, last, error);
    if (ok) {
        TPrintJob job;
        job.printer = dest.name;
        job.pdfPath = pdf;
        const std::string file = DefaultPdfPath(documentPath_);
        job.title = file.substr(file.find_last_of('/') + 1);
        job.copies = std::max<int>(choice.nCopies, 1);
        job.collate = (choice.Flags & PD_COLLATE) != 0;
        ok = submit && submit(job, error);
    }
    std::remove(pdf.c_str());
    return ok;
}

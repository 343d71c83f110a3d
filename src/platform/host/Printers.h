#pragma once
// The system's printers (CUPS): their names, and a print job handed to one of them.
#include <string>
#include <vector>

// A file to print (a PDF at a host path) and the options it goes with.
struct PrintJob {
    std::string printer;
    std::string pdfPath; // host path
    std::string title;
    int copies = 1;
    bool collate = false;
};

// Every printer CUPS reports; none where no CUPS server runs.
std::vector<std::string> PrinterNames();
// Hands the job to CUPS; false, with CUPS's reason, when it refuses the job (or no server runs).
bool SubmitPrintJob(const PrintJob& job, std::string* error);

#include "platform/host/Printers.h"

#include <algorithm>
#include <cups/cups.h>

std::vector<std::string> PrinterNames() {
    std::vector<std::string> names;
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests(&dests);
    for (int i = 0; i < count; ++i)
        if (dests[i].name) names.emplace_back(dests[i].name);
    cupsFreeDests(count, dests);
    return names;
}

bool SubmitPrintJob(const PrintJob& job, std::string* error) {
    cups_option_t* options = nullptr;
    int count = 0;
    count =
        cupsAddOption("copies", std::to_string(std::max(job.copies, 1)).c_str(), count, &options);
    count = cupsAddOption("collate", job.collate ? "true" : "false", count, &options);
    const int id =
        cupsPrintFile(job.printer.c_str(), job.pdfPath.c_str(), job.title.c_str(), count, options);
    cupsFreeOptions(count, options);
    if (id == 0 && error) *error = cupsLastErrorString();
    return id != 0;
}

// The system's printers through CUPS: their queues and media, and print jobs of PDF documents.
// Set VX_PRINTERS=off to leave the system's printers out (scripts and tests that must see the
// same device list on every machine).
#pragma once

#include <string>
#include <vector>

#include "plot/device_config.h"

namespace vx::plot {

struct SystemPrinter {
    std::string queue;          // "name" or "name/instance"
    std::wstring description;   // printer-info
    std::vector<Medium> media;  // canonical = the PWG media name ("iso_a4_210x297mm")
};

// The printers the CUPS scheduler knows; none when it does not answer.
std::vector<SystemPrinter> systemPrinters();

// The name users see for a PWG media name: "A4", "JIS B4", "Letter (8.5 x 11 in)", "Custom 100 x 200 mm".
std::wstring pwgDisplayName(const std::string& pwg);

// Media of one printer with display names: CUPS's own localisation when it has one, else
// pwgDisplayName; a name already given to an earlier medium gets the rest of the PWG name
// ("A1 (borderless)"), media with margins first so that "A1" is the sheet a printer can print on.
std::vector<Medium> namedMedia(const std::vector<Medium>& media, const std::vector<std::wstring>& localized);

struct PrintJob {
    std::string queue;
    std::string title;
    std::string pdf;            // the document
    std::string media;          // PWG name; empty for the printer's default
    int copies = 1;
};

// Sends a PDF document as one job. The job id, or 0 with a reason.
int submitPdfJob(const PrintJob& job, std::string& error);

}  // namespace vx::plot

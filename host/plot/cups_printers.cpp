// libcups: destinations, their media, and a job per document (create job, start document,
// write, finish). Chosen over QtPrintSupport because the engine already has the PDF in memory,
// the job goes out as the PDF itself (no re-rendering through QPrinter), the medium is a PWG name
// the plot settings can store, and it works without a QGuiApplication.
#include "plot/cups_printers.h"

#include <cups/cups.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "text/encoding.h"

namespace vx::plot {

namespace {

bool printersOff() {
    const char* v = std::getenv("VX_PRINTERS");
    return v && (std::strcmp(v, "off") == 0 || std::strcmp(v, "0") == 0 || std::strcmp(v, "none") == 0);
}

struct DestsDeleter {
    int count;
    void operator()(cups_dest_t* d) const { cupsFreeDests(count, d); }
};

struct InfoDeleter {
    void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};
using DestInfo = std::unique_ptr<cups_dinfo_t, InfoDeleter>;

struct DestDeleter {
    void operator()(cups_dest_t* d) const { cupsFreeDests(1, d); }
};
using NamedDest = std::unique_ptr<cups_dest_t, DestDeleter>;

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

// "8.5x11in" -> "8.5 x 11 in".
std::string spacedSize(const std::string& size) {
    const size_t x = size.find('x');
    size_t unit = size.size();
    while (unit > 0 && std::isalpha(static_cast<unsigned char>(size[unit - 1]))) --unit;
    if (x == std::string::npos || x >= unit) return size;
    return size.substr(0, x) + " x " + size.substr(x + 1, unit - x - 1) + " " + size.substr(unit);
}

std::vector<Medium> mediaOf(cups_dest_t* dest, cups_dinfo_t* info, std::vector<std::wstring>& localized) {
    std::vector<Medium> media;
    if (!info) return media;
    const int count = cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, dest, info, 0);
    for (int i = 0; i < count; ++i) {
        cups_size_t size{};
        if (!cupsGetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest, info, i, 0, &size)) continue;
        const double w = size.width / 100.0, h = size.length / 100.0;
        if (!(w > 0 && h > 0)) continue;
        const double l = size.left / 100.0, b = size.bottom / 100.0, r = size.right / 100.0, t = size.top / 100.0;
        if (l + r >= w || b + t >= h) continue;
        media.push_back(makeMedium(text::fromUtf8(size.media), std::wstring(), w, h, l, b, r, t));
        const char* local = cupsLocalizeDestMedia(CUPS_HTTP_DEFAULT, dest, info, 0, &size);
        localized.push_back(local ? text::fromUtf8(local) : std::wstring());
    }
    return media;
}

}  // namespace

std::wstring pwgDisplayName(const std::string& pwg) {
    // class_name_size[_variant]
    const size_t a = pwg.find('_');
    const size_t b = a == std::string::npos ? a : pwg.find('_', a + 1);
    if (b == std::string::npos) return text::fromUtf8(pwg);
    const std::string klass = pwg.substr(0, a), name = pwg.substr(a + 1, b - a - 1);
    const size_t c = pwg.find('_', b + 1);
    const std::string size = pwg.substr(b + 1, c == std::string::npos ? c : c - b - 1);
    std::string shown;
    if (klass == "iso") shown = upper(name);
    else if (klass == "jis") shown = "JIS " + upper(name);
    else if (klass == "custom") shown = "Custom " + spacedSize(size);
    else {
        shown = name;
        std::replace(shown.begin(), shown.end(), '-', ' ');
        if (!shown.empty()) shown[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(shown[0])));
        shown += " (" + spacedSize(size) + ")";
    }
    return text::fromUtf8(shown);
}

std::vector<Medium> namedMedia(const std::vector<Medium>& media, const std::vector<std::wstring>& localized) {
    std::vector<size_t> order(media.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    auto hasMargins = [&](size_t i) {
        const Medium& m = media[i];
        return m.printableMm.x0 > 0 || m.printableMm.y0 > 0 || m.printableMm.x1 < m.widthMm || m.printableMm.y1 < m.heightMm;
    };
    std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) { return hasMargins(x) && !hasMargins(y); });
    std::vector<Medium> out = media;
    std::vector<std::wstring> taken;
    for (size_t i : order) {
        const std::string pwg = text::toUtf8(media[i].canonical);
        std::wstring name = i < localized.size() && !localized[i].empty() ? localized[i] : pwgDisplayName(pwg);
        if (std::find(taken.begin(), taken.end(), name) != taken.end()) {
            // The part after the size names the variant ("borderless", "photo" ...).
            size_t at = pwg.find('_');
            for (int k = 0; k < 2 && at != std::string::npos; ++k) at = pwg.find('_', at + 1);
            name += L" (" + text::fromUtf8(at == std::string::npos ? pwg : pwg.substr(at + 1)) + L")";
        }
        taken.push_back(name);
        out[i].display = name;
    }
    return out;
}

std::vector<SystemPrinter> systemPrinters() {
    std::vector<SystemPrinter> printers;
    if (printersOff()) return printers;
    cups_dest_t* raw = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &raw);
    std::unique_ptr<cups_dest_t, DestsDeleter> dests(raw, DestsDeleter{count});
    for (int i = 0; i < count; ++i) {
        cups_dest_t* d = &raw[i];
        SystemPrinter p;
        p.queue = d->instance ? std::string(d->name) + "/" + d->instance : std::string(d->name);
        const char* info = cupsGetOption("printer-info", d->num_options, d->options);
        p.description = text::fromUtf8(info ? info : "");
        DestInfo dinfo(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, d));
        std::vector<std::wstring> localized;
        const std::vector<Medium> media = mediaOf(d, dinfo.get(), localized);
        p.media = namedMedia(media, localized);
        printers.push_back(std::move(p));
    }
    return printers;
}

int submitPdfJob(const PrintJob& job, std::string& error) {
    const size_t slash = job.queue.find('/');
    const std::string name = job.queue.substr(0, slash);
    const std::string instance = slash == std::string::npos ? std::string() : job.queue.substr(slash + 1);
    NamedDest dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), instance.empty() ? nullptr : instance.c_str()));
    if (!dest) {
        error = "the printer " + job.queue + " is not known to the print system";
        return 0;
    }
    DestInfo info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest.get()));
    if (!info) {
        error = "the printer " + job.queue + " does not answer: " + cupsLastErrorString();
        return 0;
    }
    cups_option_t* options = nullptr;
    int count = 0;
    if (!job.media.empty()) count = cupsAddOption(CUPS_MEDIA, job.media.c_str(), count, &options);
    if (job.copies > 1) count = cupsAddOption(CUPS_COPIES, std::to_string(job.copies).c_str(), count, &options);
    int id = 0;
    const ipp_status_t created =
        cupsCreateDestJob(CUPS_HTTP_DEFAULT, dest.get(), info.get(), &id, job.title.c_str(), count, options);
    if (created > IPP_STATUS_OK_CONFLICTING || id <= 0) {
        error = "the printer " + job.queue + " refused the job: " + cupsLastErrorString();
        cupsFreeOptions(count, options);
        return 0;
    }
    bool sent = cupsStartDestDocument(CUPS_HTTP_DEFAULT, dest.get(), info.get(), id, job.title.c_str(), CUPS_FORMAT_PDF,
                                      count, options, 1) == HTTP_STATUS_CONTINUE;
    sent = sent && cupsWriteRequestData(CUPS_HTTP_DEFAULT, job.pdf.data(), job.pdf.size()) == HTTP_STATUS_CONTINUE;
    const bool finished =
        cupsFinishDestDocument(CUPS_HTTP_DEFAULT, dest.get(), info.get()) <= IPP_STATUS_OK_CONFLICTING;
    cupsFreeOptions(count, options);
    if (!sent || !finished) {
        error = "the document could not be sent to " + job.queue + ": " + cupsLastErrorString();
        cupsCancelDestJob(CUPS_HTTP_DEFAULT, dest.get(), id);
        return 0;
    }
    return id;
}

}  // namespace vx::plot

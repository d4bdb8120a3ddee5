// The host's shipped plot files, made from tables here.
#include "plot/host_plot_files.h"

#include <sys/stat.h>

#include <cstdio>

#include "plot/output_file.h"
#include "plot/paper_sizes.h"
#include "plot/plot_style_file.h"
#include "text/encoding.h"
#include "win32/paths.h"
#include "win32/registry_store.h"

namespace vx::plot {

namespace {

struct HostDevice {
    const wchar_t* name;  // without ".pc3"; its media file has the same name
    DriverKind driver;
    const wchar_t* description;
};

// The PNG and DWFx writers carry the names under which hosts list their web and ePlot devices.
const HostDevice kDevices[] = {
    {L"Vorlix PDF", DriverKind::Pdf, L"PDF files, fonts embedded, text searchable"},
    {L"Vorlix SVG", DriverKind::Svg, L"SVG drawings with real text"},
    {L"PublishToWeb PNG", DriverKind::Png, L"PNG images at 100 dpi"},
    {L"Vorlix HPGL2 Plotter", DriverKind::Plt, L"HP-GL/2 plot files for pen plotters and print shops"},
    {L"DWFx ePlot (XPS Compatible)", DriverKind::Dwfx, L"DWFx sheets that XPS viewers open"},
};

const char* const kIsoNames[] = {"A0", "A1", "A2", "A3", "A4"};

std::wstring sizeText(double w, double h) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f x %.2f", w, h);
    return text::fromUtf8(buf);
}

std::wstring canonicalSizeText(double w, double h) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "(%.2f_x_%.2f_MM)", w, h);
    return text::fromUtf8(buf);
}

PlotStyleFile monochromeFile() {
    PlotStyleFile file = asDrawnStyleFile("Everything black, lineweights as drawn");
    for (StyleEntry& s : file.styles) s.objectColor = false;
    return file;
}

PlotStyleFile grayscaleFile() {
    PlotStyleFile file = asDrawnStyleFile("Colours as greys of equal brightness, lineweights as drawn");
    for (StyleEntry& s : file.styles) s.grayscale = true;
    return file;
}

PlotStyleFile colourFile() { return asDrawnStyleFile("Colours and lineweights as drawn (white plots black)"); }

bool exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

bool isFolder(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::vector<Medium> isoMedia() {
    std::vector<Medium> media;
    for (const char* name : kIsoNames) {
        const IsoSheet* sheet = isoSheet(name);
        if (!sheet) continue;
        for (bool landscape : {true, false}) {
            const double w = landscape ? sheet->longMm : sheet->shortMm;
            const double h = landscape ? sheet->shortMm : sheet->longMm;
            const std::wstring n = text::fromUtf8(name);
            media.push_back(makeMedium(L"ISO_full_bleed_" + n + L"_" + canonicalSizeText(w, h),
                                       L"ISO full bleed " + n + L" (" + sizeText(w, h) + L" mm)", w, h));
        }
    }
    return media;
}

std::vector<PlotFile> hostPlotFiles() {
    std::vector<PlotFile> files;
    std::string bytes, error;
    for (const HostDevice& d : kDevices) {
        DeviceConfig config;
        config.description = d.description;
        config.driver = d.driver;
        config.extension = defaultExtension(d.driver);
        config.plotToFile = defaultPlotToFile(d.driver);
        config.resolution = defaultResolution(d.driver);
        config.mediaFile = std::wstring(d.name) + L".pmp";
        if (writeDeviceConfig(config, bytes, error)) files.push_back({win32::kPlottersFolder, std::wstring(d.name) + L".pc3", bytes});
        MediaFile media;
        media.description = L"ISO sheets for " + std::wstring(d.name);
        media.media = isoMedia();
        if (writeMediaFile(media, bytes, error)) files.push_back({win32::kPmpFolder, config.mediaFile, bytes});
    }
    const std::pair<const wchar_t*, PlotStyleFile> tables[] = {
        {L"monochrome.ctb", monochromeFile()}, {L"grayscale.ctb", grayscaleFile()}, {L"Vorlix Colour.ctb", colourFile()}};
    for (const auto& [name, table] : tables)
        if (writePlotStyleFile(table, bytes, error)) files.push_back({win32::kPlotStylesFolder, name, bytes});
    return files;
}

int installHostPlotFiles(const std::string& root) {
    if (root.empty()) return 0;
    int written = 0;
    for (const PlotFile& f : hostPlotFiles()) {
        const std::string folder = root + f.folder;
        const std::string path = folder + "/" + text::toUtf8(f.name);
        // Windows finds names without regard to case: "Monochrome.ctb" is the user's copy.
        if (!isFolder(folder) || exists(win32::resolveCase(path))) continue;
        std::string error;
        if (writeOutputFile(path, f.bytes, error)) ++written;
    }
    return written;
}

}  // namespace vx::plot

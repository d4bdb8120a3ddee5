// Reading the roamable root's plotters and style tables, and the system's printers.
#include "plot/device_catalog.h"

#include <sys/stat.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <set>

#include "plot/cups_printers.h"
#include "plot/host_plot_files.h"
#include "plot/plot_style_file.h"
#include "text/encoding.h"
#include "win32/file_io.h"
#include "win32/paths.h"
#include "win32/registry_store.h"

namespace vx::plot {

struct DeviceCatalog::Snapshot {
    std::string root;
    std::vector<long long> folderTimes;  // of the three folders, to see files added or removed
    std::vector<std::shared_ptr<const Device>> devices;
    std::vector<StyleSheetFile> sheets;
};

namespace {

bool lessName(const std::wstring& a, const std::wstring& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](wchar_t x, wchar_t y) { return std::towlower(x) < std::towlower(y); });
}

bool endsWith(const std::wstring& name, const wchar_t* ext) {
    const size_t n = std::wcslen(ext);
    return name.size() > n && sameName(name.substr(name.size() - n), ext);
}

// Files of a folder with one of the extensions, by name without regard to case.
std::vector<std::pair<std::wstring, std::string>> filesOf(const std::string& folder,
                                                          std::initializer_list<const wchar_t*> extensions) {
    std::vector<std::pair<std::wstring, std::string>> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (!entry.is_regular_file(ec)) continue;
        const std::wstring name = text::fromUtf8(entry.path().filename().string());
        for (const wchar_t* ext : extensions)
            if (endsWith(name, ext)) files.emplace_back(name, entry.path().string());
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return lessName(a.first, b.first); });
    return files;
}

std::shared_ptr<const Device> noDevice() {
    auto d = std::make_shared<Device>();
    d->name = kNoDeviceName;
    d->config.driver = DriverKind::None;
    d->config.plotToFile = 0;
    d->config.extension.clear();
    d->problem = "the device \"None\" plots nothing";
    return d;
}

std::shared_ptr<const Device> printerDevice(const SystemPrinter& p) {
    auto d = std::make_shared<Device>();
    d->name = text::fromUtf8(p.queue);
    d->systemPrinter = true;
    d->config.description = p.description;
    d->config.driver = DriverKind::Printer;
    d->config.extension = defaultExtension(DriverKind::Printer);
    d->config.plotToFile = defaultPlotToFile(DriverKind::Printer);
    d->config.resolution = defaultResolution(DriverKind::Printer);
    d->config.printerQueue = p.queue;
    d->media = p.media;
    if (d->media.empty()) d->problem = "the printer " + p.queue + " reports no media";
    return d;
}

std::shared_ptr<const Device> configDevice(const std::wstring& name, const std::string& path, const std::string& root,
                                           const std::vector<SystemPrinter>& printers) {
    auto d = std::make_shared<Device>();
    d->name = name;
    d->configPath = path;
    std::string bytes, error;
    std::vector<std::string> warnings;
    if (!win32::readWholeFile(path, bytes) || !readDeviceConfig(bytes, d->config, warnings, error)) {
        d->problem = text::toUtf8(name) + ": " + (error.empty() ? "cannot be read" : error);
        return d;
    }
    if (!d->config.mediaFile.empty()) {
        const std::string pmp = win32::resolveCase(root + win32::kPmpFolder + "/" + text::toUtf8(d->config.mediaFile));
        MediaFile media;
        if (win32::readWholeFile(pmp, bytes) && readMediaFile(bytes, media, warnings, error))
            d->media = media.media;
        else if (d->config.media.empty())
            d->problem = "its media file \"" + text::toUtf8(d->config.mediaFile) + "\" is missing or unreadable";
    }
    d->media.insert(d->media.end(), d->config.media.begin(), d->config.media.end());
    if (d->config.driver == DriverKind::Printer && d->media.empty()) {
        const auto p = std::find_if(printers.begin(), printers.end(),
                                    [&](const SystemPrinter& s) { return s.queue == d->config.printerQueue; });
        if (p != printers.end()) d->media = p->media;
    }
    if (d->media.empty() && d->problem.empty()) d->problem = text::toUtf8(name) + " has no media";
    return d;
}

std::vector<long long> folderTimes(const std::string& root) {
    std::vector<long long> times;
    for (const char* folder : {win32::kPlottersFolder, win32::kPmpFolder, win32::kPlotStylesFolder}) {
        struct stat st;
        const bool there = !root.empty() && ::stat((root + folder).c_str(), &st) == 0;
        times.push_back(there ? static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec : -1);
    }
    return times;
}

std::set<std::string>& installedRoots() {
    static std::set<std::string> roots;
    return roots;
}

}  // namespace

bool sameName(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

const Medium* Device::medium(const std::wstring& canonical) const {
    for (const Medium& m : media)
        if (m.canonical == canonical) return &m;
    for (const Medium& m : media)
        if (sameName(m.canonical, canonical)) return &m;
    return nullptr;
}

std::shared_ptr<const DeviceCatalog::Snapshot> DeviceCatalog::snapshot() {
    std::lock_guard<std::mutex> lock(m_mutex);
    // Files added to or removed from the folders are seen at once; printers on refresh().
    const std::string root = win32::roamableRootFolder();
    if (!root.empty() && installedRoots().insert(root).second) installHostPlotFiles(root);
    if (m_snapshot && m_snapshot->root == root && m_snapshot->folderTimes == folderTimes(root)) return m_snapshot;
    auto s = std::make_shared<Snapshot>();
    s->root = root;
    s->folderTimes = folderTimes(root);
    s->devices.push_back(noDevice());
    std::vector<SystemPrinter> printers = systemPrinters();
    std::sort(printers.begin(), printers.end(), [](const SystemPrinter& a, const SystemPrinter& b) {
        return lessName(text::fromUtf8(a.queue), text::fromUtf8(b.queue));
    });
    for (const SystemPrinter& p : printers) s->devices.push_back(printerDevice(p));
    if (!root.empty()) {
        for (const auto& [name, path] : filesOf(root + win32::kPlottersFolder, {L".pc3"}))
            s->devices.push_back(configDevice(name, path, root, printers));
        for (const auto& [name, path] : filesOf(root + win32::kPlotStylesFolder, {L".ctb", L".stb"}))
            s->sheets.push_back({name, path});
    }
    m_snapshot = s;
    return m_snapshot;
}

std::vector<std::shared_ptr<const Device>> DeviceCatalog::devices() { return snapshot()->devices; }

std::shared_ptr<const Device> DeviceCatalog::find(const std::wstring& name) {
    const auto s = snapshot();
    const std::wstring wanted = sameName(name, kNoDeviceStored) ? std::wstring(kNoDeviceName) : name;
    for (const auto& d : s->devices)
        if (sameName(d->name, wanted)) return d;
    for (const auto& d : s->devices)
        if (!d->configPath.empty() && sameName(d->name, wanted + L".pc3")) return d;
    return nullptr;
}

std::vector<StyleSheetFile> DeviceCatalog::styleSheets() { return snapshot()->sheets; }

std::shared_ptr<const PlotStyleTable> DeviceCatalog::styleTable(const std::wstring& name, std::string& error) {
    if (name.empty()) return std::make_shared<const PlotStyleTable>(asDrawnTable());
    const auto s = snapshot();
    const auto sheet = std::find_if(s->sheets.begin(), s->sheets.end(),
                                    [&](const StyleSheetFile& f) { return sameName(f.name, name); });
    if (sheet == s->sheets.end()) {
        error = "the plot style table \"" + text::toUtf8(name) + "\" is not in Plot Styles";
        return nullptr;
    }
    struct stat st;
    if (::stat(sheet->path.c_str(), &st) != 0) {
        error = "the plot style table \"" + text::toUtf8(name) + "\" is gone";
        return nullptr;
    }
    const long long mtime = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const CachedTable& c : m_tables)
        if (c.path == sheet->path && c.mtime == mtime && c.size == st.st_size) return c.table;
    std::string bytes;
    PlotStyleFile file;
    if (!win32::readWholeFile(sheet->path, bytes) || !readPlotStyleFile(bytes, file, error)) {
        error = "the plot style table \"" + text::toUtf8(name) + "\" cannot be read" + (error.empty() ? "" : ": " + error);
        return nullptr;
    }
    auto table = std::make_shared<const PlotStyleTable>(tableOf(file));
    m_tables.erase(std::remove_if(m_tables.begin(), m_tables.end(), [&](const CachedTable& c) { return c.path == sheet->path; }),
                   m_tables.end());
    m_tables.push_back({sheet->path, mtime, st.st_size, table});
    return table;
}

void DeviceCatalog::refresh() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_snapshot.reset();
}

DeviceCatalog& deviceCatalog() {
    static DeviceCatalog catalog;
    return catalog;
}

}  // namespace vx::plot

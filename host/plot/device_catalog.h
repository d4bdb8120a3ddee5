// The devices and plot style tables the host offers: "None", the system's printers and the
// .pc3 files of the roamable root folder's "Plotters" (their media from "Plotters/PMP Files"),
// and the .ctb/.stb files of "Plot Styles". Read on first use and again on refresh(); the host's
// own files are installed on first use where they are missing.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "plot/device_config.h"
#include "plot/plot_style.h"

namespace vx::plot {

// The name the device lists give the device that plots nothing, and how plot settings store it.
constexpr const wchar_t* kNoDeviceName = L"None";
constexpr const wchar_t* kNoDeviceStored = L"none_device";

struct Device {
    std::wstring name;              // as listed: "DWG TO PDF.pc3", a printer's queue, "None"
    bool systemPrinter = false;
    std::string configPath;         // native .pc3 path; empty for printers and "None"
    DeviceConfig config;            // driver, extension, plot-to-file, resolution, queue
    std::vector<Medium> media;
    std::string problem;            // why the device cannot plot (unreadable file ...); empty when it can

    bool plots() const { return config.driver != DriverKind::None && problem.empty(); }
    // By canonical name (exact, else without regard to case); null when the device has none.
    const Medium* medium(const std::wstring& canonical) const;
};

struct StyleSheetFile {
    std::wstring name;              // file name, as listed
    std::string path;
};

class DeviceCatalog {
public:
    // Every device in list order: "None", printers, then .pc3 files (names without regard to case).
    std::vector<std::shared_ptr<const Device>> devices();
    // By list name without regard to case; "none_device" and a .pc3 name without its extension
    // are taken too. Null when there is no such device.
    std::shared_ptr<const Device> find(const std::wstring& name);
    std::vector<StyleSheetFile> styleSheets();
    // The table of a listed style sheet (empty name: as drawn). Null with a reason when the file
    // is missing or unreadable. Tables are read once per file version.
    std::shared_ptr<const PlotStyleTable> styleTable(const std::wstring& name, std::string& error);
    // Reads everything again.
    void refresh();

private:
    struct Snapshot;
    std::shared_ptr<const Snapshot> snapshot();
    std::mutex m_mutex;
    std::shared_ptr<const Snapshot> m_snapshot;
    struct CachedTable {
        std::string path;
        long long mtime = 0, size = 0;
        std::shared_ptr<const PlotStyleTable> table;
    };
    std::vector<CachedTable> m_tables;
};

DeviceCatalog& deviceCatalog();

// Case-insensitive comparison of names (devices, media, style sheets), as Windows compares them.
bool sameName(const std::wstring& a, const std::wstring& b);

}  // namespace vx::plot

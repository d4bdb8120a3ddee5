// What the host's plotter configuration files say. Our keys (the commercial hosts' driver keys
// belong to their closed drivers):
//
// .pc3  description="..."
//       device{ driver=pdf|svg|png|plt|dwfx|printer  default_extension=".pdf
//               plot_to_file=0|1|2  resolution=DPI  media_file="NAME.pmp  printer="CUPS QUEUE }
//       media{ ... }                            (optional, as in a .pmp)
// .pmp  description="..."
//       media{ 0{ name="CANONICAL  localized_name="DISPLAY  width=MM  height=MM
//                 printable_bounds_llx=MM  printable_bounds_lly=MM
//                 printable_bounds_urx=MM  printable_bounds_ury=MM } 1{ ... } }
//
// Printable bounds are measured from the sheet's lower left corner; without them the whole sheet
// is printable.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "render/geometry.h"

namespace vx::plot {

enum class DriverKind { None, Pdf, Svg, Png, Plt, Dwfx, Printer };

const char* driverName(DriverKind kind);
bool driverFromName(const std::string& name, DriverKind& kind);
// What a driver writes by default: ".pdf" ..., and whether it must write a file (2) or may (1).
const wchar_t* defaultExtension(DriverKind kind);
int defaultPlotToFile(DriverKind kind);
unsigned defaultResolution(DriverKind kind);

struct Medium {
    std::wstring canonical;     // what plot settings store
    std::wstring display;       // what users see and choose ("A1")
    double widthMm = 0, heightMm = 0;
    render::Box2 printableMm;   // within the sheet
};

struct DeviceConfig {
    std::wstring description;
    DriverKind driver = DriverKind::Pdf;
    std::wstring extension;     // with its dot
    int plotToFile = 2;         // 0 never, 1 may, 2 must
    unsigned resolution = 0;    // dpi
    std::wstring mediaFile;     // a .pmp in "Plotters/PMP Files"; empty: only the media below
    std::string printerQueue;   // driver printer: the CUPS queue
    std::vector<Medium> media;
};

struct MediaFile {
    std::wstring description;
    std::vector<Medium> media;
};

// Readers skip media they cannot use (no name, no size, a printable area outside the sheet) and
// say why in `warnings`; false (with `error`) for a file that is not a .pc3/.pmp of ours.
bool readDeviceConfig(std::string_view bytes, DeviceConfig& config, std::vector<std::string>& warnings,
                      std::string& error);
bool readMediaFile(std::string_view bytes, MediaFile& file, std::vector<std::string>& warnings, std::string& error);
bool writeDeviceConfig(const DeviceConfig& config, std::string& bytes, std::string& error);
bool writeMediaFile(const MediaFile& file, std::string& bytes, std::string& error);

// A medium of w x h mm with margins (left, bottom, right, top).
Medium makeMedium(const std::wstring& canonical, const std::wstring& display, double widthMm, double heightMm,
                  double left = 0, double bottom = 0, double right = 0, double top = 0);

}  // namespace vx::plot

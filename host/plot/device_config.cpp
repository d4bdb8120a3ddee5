// .pc3/.pmp bodies of the host's own devices.
#include "plot/device_config.h"

#include <cmath>
#include <cstdio>

#include "plot/pia_file.h"
#include "plot/pia_tree.h"
#include "text/encoding.h"

namespace vx::plot {

namespace {

constexpr double kMaxSheetMm = 100000;

struct DriverEntry {
    DriverKind kind;
    const char* name;
    const wchar_t* extension;
    int plotToFile;
    unsigned resolution;
};

const DriverEntry kDrivers[] = {
    {DriverKind::None, "none", L"", 0, 0},
    {DriverKind::Pdf, "pdf", L".pdf", 2, 1200},
    {DriverKind::Svg, "svg", L".svg", 2, 254},
    {DriverKind::Png, "png", L".png", 2, 100},
    {DriverKind::Plt, "plt", L".plt", 2, 1016},
    {DriverKind::Dwfx, "dwfx", L".dwfx", 2, 96},
    {DriverKind::Printer, "printer", L".pdf", 1, 600},
};

const DriverEntry& entryOf(DriverKind kind) {
    for (const auto& d : kDrivers)
        if (d.kind == kind) return d;
    return kDrivers[0];
}

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    return buf;
}

std::wstring wide(const std::string& s) { return text::fromUtf8(s); }
std::string narrow(const std::wstring& s) { return text::toUtf8(s); }

bool readMedium(const PiaNode& node, Medium& m, std::string& why) {
    m.canonical = wide(node.textOf("name"));
    m.display = wide(node.textOf("localized_name", node.textOf("name")));
    m.widthMm = node.numberOf("width", 0);
    m.heightMm = node.numberOf("height", 0);
    if (m.canonical.empty()) {
        why = "a medium has no name";
        return false;
    }
    const std::string label = "medium \"" + narrow(m.canonical) + "\"";
    if (!(m.widthMm > 0 && m.heightMm > 0 && m.widthMm <= kMaxSheetMm && m.heightMm <= kMaxSheetMm)) {
        why = label + " has no usable width and height";
        return false;
    }
    m.printableMm = render::Box2{};
    m.printableMm.add(render::Vec2{node.numberOf("printable_bounds_llx", 0), node.numberOf("printable_bounds_lly", 0)});
    m.printableMm.add(render::Vec2{node.numberOf("printable_bounds_urx", m.widthMm), node.numberOf("printable_bounds_ury", m.heightMm)});
    const render::Box2& p = m.printableMm;
    const double slack = 1e-6;
    if (!(std::isfinite(p.x0) && std::isfinite(p.y0) && std::isfinite(p.x1) && std::isfinite(p.y1)) || p.x0 < -slack ||
        p.y0 < -slack || p.x1 > m.widthMm + slack || p.y1 > m.heightMm + slack || p.width() <= 0 || p.height() <= 0) {
        why = label + " has a printable area outside its sheet";
        return false;
    }
    return true;
}

void readMedia(const PiaNode* group, std::vector<Medium>& media, std::vector<std::string>& warnings) {
    if (!group) return;
    for (const PiaNode& node : group->children) {
        if (!node.group) continue;
        Medium m;
        std::string why;
        if (readMedium(node, m, why)) media.push_back(m);
        else warnings.push_back(why);
    }
}

void writeMedia(PiaNode& root, const std::vector<Medium>& media) {
    PiaNode& group = root.addGroup("media");
    for (size_t i = 0; i < media.size(); ++i) {
        const Medium& m = media[i];
        PiaNode& n = group.addGroup(std::to_string(i));
        n.addText("name", narrow(m.canonical));
        n.addText("localized_name", narrow(m.display));
        n.addValue("width", number(m.widthMm));
        n.addValue("height", number(m.heightMm));
        const render::Box2 p = m.printableMm.empty() ? render::Box2{0, 0, m.widthMm, m.heightMm} : m.printableMm;
        n.addValue("printable_bounds_llx", number(p.x0));
        n.addValue("printable_bounds_lly", number(p.y0));
        n.addValue("printable_bounds_urx", number(p.x1));
        n.addValue("printable_bounds_ury", number(p.y1));
    }
}

bool bodyOf(std::string_view bytes, PiaKind wanted, PiaNode& root, std::string& error) {
    PiaKind kind;
    std::string body;
    if (!readPia(bytes, kind, body, error)) return false;
    if (kind != wanted) {
        error = std::string("a ") + piaKindTag(kind) + " file where a " + piaKindTag(wanted) + " file belongs";
        return false;
    }
    return parsePiaBody(body, root, error);
}

}  // namespace

const char* driverName(DriverKind kind) { return entryOf(kind).name; }

bool driverFromName(const std::string& name, DriverKind& kind) {
    for (const auto& d : kDrivers) {
        if (name == d.name) {
            kind = d.kind;
            return true;
        }
    }
    return false;
}

const wchar_t* defaultExtension(DriverKind kind) { return entryOf(kind).extension; }
int defaultPlotToFile(DriverKind kind) { return entryOf(kind).plotToFile; }
unsigned defaultResolution(DriverKind kind) { return entryOf(kind).resolution; }

Medium makeMedium(const std::wstring& canonical, const std::wstring& display, double widthMm, double heightMm,
                  double left, double bottom, double right, double top) {
    Medium m;
    m.canonical = canonical;
    m.display = display;
    m.widthMm = widthMm;
    m.heightMm = heightMm;
    m.printableMm = render::Box2{left, bottom, widthMm - right, heightMm - top};
    return m;
}

bool readDeviceConfig(std::string_view bytes, DeviceConfig& config, std::vector<std::string>& warnings,
                      std::string& error) {
    PiaNode root;
    if (!bodyOf(bytes, PiaKind::Pc3, root, error)) return false;
    const PiaNode* device = root.child("device");
    if (!device || !device->group) {
        error = "the configuration has no device{} group of this host";
        return false;
    }
    config = DeviceConfig{};
    config.description = wide(root.textOf("description"));
    const std::string driver = device->textOf("driver");
    if (!driverFromName(driver, config.driver) || config.driver == DriverKind::None) {
        error = "unknown driver \"" + driver + "\" (pdf, svg, png, plt, dwfx or printer)";
        return false;
    }
    config.extension = wide(device->textOf("default_extension", narrow(defaultExtension(config.driver))));
    if (!config.extension.empty() && config.extension[0] != L'.') config.extension.insert(0, 1, L'.');
    config.plotToFile = static_cast<int>(device->integerOf("plot_to_file", defaultPlotToFile(config.driver)));
    if (config.plotToFile < 0 || config.plotToFile > 2) {
        warnings.push_back("plot_to_file must be 0, 1 or 2");
        config.plotToFile = defaultPlotToFile(config.driver);
    }
    // A file writer cannot print; a printer may also write what it would print.
    if (config.driver != DriverKind::Printer && config.plotToFile != 2) {
        warnings.push_back("a file driver always plots to a file (plot_to_file=2)");
        config.plotToFile = 2;
    }
    const long long dpi = device->integerOf("resolution", defaultResolution(config.driver));
    config.resolution = dpi > 0 && dpi <= 9600 ? static_cast<unsigned>(dpi) : defaultResolution(config.driver);
    config.mediaFile = wide(device->textOf("media_file"));
    config.printerQueue = device->textOf("printer");
    if (config.driver == DriverKind::Printer && config.printerQueue.empty()) {
        error = "a printer configuration names no printer";
        return false;
    }
    readMedia(root.child("media"), config.media, warnings);
    return true;
}

bool readMediaFile(std::string_view bytes, MediaFile& file, std::vector<std::string>& warnings, std::string& error) {
    PiaNode root;
    if (!bodyOf(bytes, PiaKind::Pmp, root, error)) return false;
    file = MediaFile{};
    file.description = wide(root.textOf("description"));
    readMedia(root.child("media"), file.media, warnings);
    return true;
}

bool writeDeviceConfig(const DeviceConfig& config, std::string& bytes, std::string& error) {
    PiaNode root;
    root.group = true;
    root.addText("description", narrow(config.description));
    PiaNode& device = root.addGroup("device");
    device.addValue("driver", driverName(config.driver));
    device.addText("default_extension", narrow(config.extension));
    device.addValue("plot_to_file", std::to_string(config.plotToFile));
    device.addValue("resolution", std::to_string(config.resolution));
    device.addText("media_file", narrow(config.mediaFile));
    if (!config.printerQueue.empty()) device.addText("printer", config.printerQueue);
    if (!config.media.empty()) writeMedia(root, config.media);
    std::string body;
    if (!writePiaBody(root, body, error)) return false;
    bytes = writePia(PiaKind::Pc3, body);
    return true;
}

bool writeMediaFile(const MediaFile& file, std::string& bytes, std::string& error) {
    PiaNode root;
    root.group = true;
    root.addText("description", narrow(file.description));
    writeMedia(root, file.media);
    std::string body;
    if (!writePiaBody(root, body, error)) return false;
    bytes = writePia(PiaKind::Pmp, body);
    return true;
}

}  // namespace vx::plot

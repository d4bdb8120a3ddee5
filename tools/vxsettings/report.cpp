// Prints the settings record the way a newcomer wants to see it: where things are, then each
// part of the template description in the order the module uses it.
#include "report.h"

#include <algorithm>
#include <iomanip>
#include <sstream>

#include "actext.h"
#include "settings/settings.h"
#include "win32.h"

namespace vxsettings {

int displayWidth(const std::wstring& text) {
    int width = 0;
    for (wchar_t c : text)
        width += (c >= 0x1100 && (c <= 0x115F || (c >= 0x2E80 && c <= 0xA4CF) ||
                                  (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                                  (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                                  (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000))
                     ? 2
                     : 1;
    return width;
}

std::string utf8(const std::wstring& text) { return AcString(text).utf8(); }

std::string padded(const std::wstring& text, int width) {
    int gap = width - displayWidth(text);
    return utf8(text) + std::string(gap > 0 ? static_cast<size_t>(gap) : 0u, ' ');
}

namespace {

bool exists(const std::wstring& path) {
    return !path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// "found", "missing", or for a drawing named .dwg that exists as .dxf, what is read instead.
std::wstring fileState(const std::wstring& path) {
    if (path.empty()) return L"";
    if (exists(path)) return L"found";
    const std::wstring dwg = L".dwg";
    if (path.size() > dwg.size() && path.compare(path.size() - dwg.size(), dwg.size(), dwg) == 0 &&
        exists(path.substr(0, path.size() - dwg.size()) + L".dxf"))
        return L"read as TK.dxf";
    return L"missing";
}

void line(std::ostream& out, const std::wstring& label, const std::wstring& value,
          const std::wstring& note = L"") {
    out << "  " << padded(label, 22) << utf8(value.empty() ? L"(none)" : value);
    if (!note.empty()) out << "   [" << utf8(note) << "]";
    out << "\n";
}

// The attribute tags a plot-name format refers to, in order.
std::wstring formatTags(const std::wstring& format) {
    std::wstring tags;
    for (size_t open = format.find(L'<'); open != std::wstring::npos; open = format.find(L'<', open + 1)) {
        size_t close = format.find(L'>', open);
        if (close == std::wstring::npos) break;
        tags += (tags.empty() ? L"" : L", ") + format.substr(open + 1, close - open - 1);
    }
    return tags;
}

void printLocations(std::ostream& out) {
    const vorlix::SettingsRecord& r = vorlix::settings();
    out << "Locations (as the module builds them; the host reads \"\\\" as \"/\")\n";
    line(out, L"module folder", r.moduleFolder());
    line(out, L"settings file", r.settingsFilePath(), fileState(r.settingsFilePath()));
    line(out, L"template drawing", r.templateDrawingPath(), fileState(r.templateDrawingPath()));
    line(out, L"template description", r.templateDescriptionPath(),
         fileState(r.templateDescriptionPath()));
    line(out, L"organisation code", r.organisationCode());
}

void printItems(std::ostream& out) {
    const auto& items = vorlix::settings().titleBlockItems();
    out << "\nTitle-block items (" << items.size() << ", in the order the content dialog lists them)\n";
    for (const auto& [key, tag] : items) out << "  " << padded(key, 8) << utf8(tag) << "\n";
}

void printFrameSizes(std::ostream& out) {
    const vorlix::SettingsRecord& r = vorlix::settings();
    out << "\nFrame sizes (" << r.frameSizes().size() << ")\n";
    const std::wstring code = r.organisationCode().empty() ? L"<code>" : r.organisationCode();
    for (const std::wstring& size : r.frameSizes())
        out << "  " << padded(size, 10) << "block " << utf8(code + L"-" + size) << "\n";
}

void printCatalogue(std::ostream& out) {
    const vorlix::CatalogueLayout& c = vorlix::settings().catalogueLayout();
    out << "\nDrawing catalogue (table block " << utf8(vorlix::settings().organisationCode())
        << "-目录单)\n";
    out << "  " << padded(L"column", 14) << padded(L"list width", 12) << "table width\n";
    size_t rows = std::max({c.atts.size(), c.tableWidths.size(), c.lens.size()});
    auto cell = [](const auto& list, size_t i) {
        return i < list.size() ? std::to_wstring(list[i]) : std::wstring(L"-");
    };
    if (rows == 0) out << "  (no columns: the description names no titles in atts)\n";
    for (size_t i = 0; i < rows; ++i)
        out << "  " << padded(i < c.atts.size() ? c.atts[i] : L"-", 14)
            << padded(cell(c.tableWidths, i), 12) << utf8(cell(c.lens, i)) << "\n";
    std::ostringstream offset;
    offset << std::fixed << std::setprecision(4) << "(" << c.disOffX << ", " << c.disOffY << ")";
    const std::string offsetText = offset.str();
    line(out, L"text style", c.fontType);
    line(out, L"text height", std::to_wstring(c.fontsize));
    line(out, L"row pitch", std::to_wstring(c.rowHeight));
    line(out, L"rows per sheet", std::to_wstring(c.maxNUm));
    line(out, L"first cell offset", std::wstring(offsetText.begin(), offsetText.end()));
}

void printPlotNames(std::ostream& out) {
    const std::wstring& format = vorlix::settings().plotNameFormat();
    out << "\nPlot file names\n";
    line(out, L"format", format);
    line(out, L"attributes used", formatTags(format));
}

}  // namespace

void printRecord(std::ostream& out, bool loaded) {
    printLocations(out);
    if (!loaded) {
        out << "\nNo template description is known: set SYSEMSET/SHEETTEMPPATH in the settings file.\n";
        return;
    }
    printItems(out);
    printFrameSizes(out);
    printCatalogue(out);
    printPlotNames(out);
}

}  // namespace vxsettings

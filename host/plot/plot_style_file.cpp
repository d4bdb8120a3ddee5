// .ctb/.stb bodies: header values, the ACI name table, the styles, the lineweight table.
#include "plot/plot_style_file.h"

#include <cstdint>
#include <cstdio>

#include "plot/pia_file.h"
#include "plot/pia_tree.h"

namespace vx::plot {

namespace {

constexpr int kAciCount = 255;
constexpr uint32_t kColorRgb = 0xC2u;
// The values files use for "the object's colour": -1, and the ACI-typed white.
constexpr int32_t kObjectColor = -1;
constexpr int32_t kObjectColorAci = static_cast<int32_t>(0xC3FFFFFFu);

const double kStandardLineweights[] = {0.00, 0.05, 0.09, 0.10, 0.13, 0.15, 0.18, 0.20, 0.25,
                                       0.30, 0.35, 0.40, 0.45, 0.50, 0.53, 0.60, 0.65, 0.70,
                                       0.80, 0.90, 1.00, 1.06, 1.20, 1.40, 1.58, 2.00, 2.11};

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.4g", v);
    std::string s = buf;
    if (s.find_first_of(".e") == std::string::npos) s += ".0";
    return s;
}

std::string colorName(int index) { return "Color_" + std::to_string(index + 1); }

int32_t packColor(const StyleEntry& s) {
    if (s.objectColor) return kObjectColor;
    return static_cast<int32_t>(kColorRgb << 24 | uint32_t(s.r) << 16 | uint32_t(s.g) << 8 | s.b);
}

StyleEntry readStyle(const PiaNode& node, int index) {
    StyleEntry s;
    s.name = node.textOf("name", colorName(index));
    s.localizedName = node.textOf("localized_name", s.name);
    s.description = node.textOf("description");
    const auto color = static_cast<int32_t>(node.integerOf("color", kObjectColor));
    // mode_color holds the colour as chosen; color may carry another type byte.
    const auto mode = static_cast<int32_t>(node.integerOf("mode_color", color));
    s.objectColor = color == kObjectColor || color == kObjectColorAci || mode == kObjectColor;
    if (!s.objectColor) {
        const auto bits = static_cast<uint32_t>(mode);
        s.r = static_cast<uint8_t>(bits >> 16), s.g = static_cast<uint8_t>(bits >> 8), s.b = static_cast<uint8_t>(bits);
    }
    const long long policy = node.integerOf("color_policy", 1);
    s.dither = (policy & 1) != 0;
    s.grayscale = (policy & 2) != 0;
    s.screening = static_cast<int>(node.integerOf("screen", 100));
    if (s.screening < 0 || s.screening > 100) s.screening = 100;
    s.physicalPen = static_cast<int>(node.integerOf("physical_pen_number", 0));
    s.virtualPen = static_cast<int>(node.integerOf("virtual_pen_number", 0));
    s.linetype = static_cast<int>(node.integerOf("linetype", kObjectLinetypeIndex));
    s.adaptiveLinetype = node.flagOf("adaptive_linetype", true);
    s.linepatternSize = node.numberOf("linepattern_size", 0.5);
    s.lineweight = static_cast<int>(node.integerOf("lineweight", kObjectLineweightIndex));
    s.fillStyle = static_cast<int>(node.integerOf("fill_style", 73));
    s.endStyle = static_cast<int>(node.integerOf("end_style", 4));
    s.joinStyle = static_cast<int>(node.integerOf("join_style", 5));
    return s;
}

void writeStyle(PiaNode& parent, const StyleEntry& s, int index) {
    PiaNode& n = parent.addGroup(std::to_string(index));
    n.addText("name", s.name);
    n.addText("localized_name", s.localizedName);
    n.addText("description", s.description);
    n.addValue("color", std::to_string(packColor(s)));
    if (!s.objectColor) n.addValue("mode_color", std::to_string(packColor(s)));
    n.addValue("color_policy", std::to_string((s.dither ? 1 : 0) | (s.grayscale ? 2 : 0)));
    n.addValue("physical_pen_number", std::to_string(s.physicalPen));
    n.addValue("virtual_pen_number", std::to_string(s.virtualPen));
    n.addValue("screen", std::to_string(s.screening));
    n.addValue("linepattern_size", number(s.linepatternSize));
    n.addValue("linetype", std::to_string(s.linetype));
    n.addValue("adaptive_linetype", s.adaptiveLinetype ? "TRUE" : "FALSE");
    n.addValue("lineweight", std::to_string(s.lineweight));
    n.addValue("fill_style", std::to_string(s.fillStyle));
    n.addValue("end_style", std::to_string(s.endStyle));
    n.addValue("join_style", std::to_string(s.joinStyle));
}

// Children of a group in the order of their numeric keys ("0", "1" ...); others are skipped.
std::vector<const PiaNode*> numbered(const PiaNode* group) {
    std::vector<const PiaNode*> out;
    if (!group) return out;
    for (const PiaNode& c : group->children) {
        if (c.key.empty() || c.key.find_first_not_of("0123456789") != std::string::npos || c.key.size() > 6) continue;
        const size_t i = std::stoul(c.key);
        if (out.size() <= i) out.resize(i + 1, nullptr);
        out[i] = &c;
    }
    return out;
}

PlotStyle plotStyleOf(const StyleEntry& s, const std::vector<double>& lineweights) {
    PlotStyle p;
    p.objectColor = s.objectColor;
    p.r = s.r, p.g = s.g, p.b = s.b;
    p.grayscale = s.grayscale;
    p.screening = s.screening;
    if (s.lineweight != kObjectLineweightIndex && s.lineweight > 0 &&
        static_cast<size_t>(s.lineweight) < lineweights.size() && lineweights[static_cast<size_t>(s.lineweight)] >= 0)
        p.lineweightMm = lineweights[static_cast<size_t>(s.lineweight)];
    return p;
}

}  // namespace

std::vector<double> standardLineweights() { return {std::begin(kStandardLineweights), std::end(kStandardLineweights)}; }

PlotStyleFile asDrawnStyleFile(const std::string& description) {
    PlotStyleFile file;
    file.description = description;
    file.lineweights = standardLineweights();
    for (int i = 0; i < kAciCount; ++i) {
        StyleEntry s;
        s.name = s.localizedName = colorName(i);
        file.styles.push_back(s);
    }
    return file;
}

bool readPlotStyleFile(std::string_view bytes, PlotStyleFile& file, std::string& error) {
    PiaKind kind;
    std::string body;
    if (!readPia(bytes, kind, body, error)) return false;
    if (kind != PiaKind::Ctb && kind != PiaKind::Stb) {
        error = std::string("a ") + piaKindTag(kind) + " file is no plot style table";
        return false;
    }
    PiaNode root;
    if (!parsePiaBody(body, root, error)) return false;
    file = PlotStyleFile{};
    file.colorDependent = kind == PiaKind::Ctb;
    file.description = root.textOf("description");
    file.scaleFactor = root.numberOf("scale_factor", 1);
    file.applyFactor = root.flagOf("apply_factor", false);
    file.lineweightUnits = static_cast<int>(root.integerOf("custom_lineweight_display_units", 0));
    file.lineweights = standardLineweights();
    const std::vector<const PiaNode*> weights = numbered(root.child("custom_lineweight_table"));
    for (size_t i = 0; i < weights.size(); ++i) {
        if (!weights[i]) continue;
        if (file.lineweights.size() <= i) file.lineweights.resize(i + 1, -1);
        char* end = nullptr;
        const double mm = std::strtod(weights[i]->value.c_str(), &end);
        if (end && *end == '\0' && mm >= 0 && mm < 100) file.lineweights[i] = mm;
    }
    const std::vector<const PiaNode*> styles = numbered(root.child("plot_style"));
    if (file.colorDependent) {
        // Every ACI colour has a style, whatever the file lists.
        const PlotStyleFile asDrawn = asDrawnStyleFile("");
        for (int i = 0; i < kAciCount; ++i) {
            const PiaNode* node = static_cast<size_t>(i) < styles.size() ? styles[static_cast<size_t>(i)] : nullptr;
            file.styles.push_back(node ? readStyle(*node, i) : asDrawn.styles[static_cast<size_t>(i)]);
        }
    } else {
        for (size_t i = 0; i < styles.size(); ++i)
            if (styles[i]) file.styles.push_back(readStyle(*styles[i], static_cast<int>(i)));
        if (file.styles.empty()) {
            error = "the named plot style table holds no style";
            return false;
        }
    }
    return true;
}

bool writePlotStyleFile(const PlotStyleFile& file, std::string& bytes, std::string& error) {
    PiaNode root;
    root.group = true;
    root.addText("description", file.description);
    root.addValue("aci_table_available", file.colorDependent ? "TRUE" : "FALSE");
    root.addValue("scale_factor", number(file.scaleFactor));
    root.addValue("apply_factor", file.applyFactor ? "TRUE" : "FALSE");
    root.addValue("custom_lineweight_display_units", std::to_string(file.lineweightUnits));
    if (file.colorDependent) {
        PiaNode& aci = root.addGroup("aci_table");
        for (size_t i = 0; i < file.styles.size(); ++i) aci.addText(std::to_string(i), file.styles[i].name);
    }
    PiaNode& styles = root.addGroup("plot_style");
    for (size_t i = 0; i < file.styles.size(); ++i) writeStyle(styles, file.styles[i], static_cast<int>(i));
    PiaNode& weights = root.addGroup("custom_lineweight_table");
    const std::vector<double> table = file.lineweights.empty() ? standardLineweights() : file.lineweights;
    for (size_t i = 0; i < table.size(); ++i) weights.addValue(std::to_string(i), number(table[i]));
    std::string body;
    if (!writePiaBody(root, body, error)) return false;
    bytes = writePia(file.colorDependent ? PiaKind::Ctb : PiaKind::Stb, body);
    return true;
}

PlotStyleTable tableOf(const PlotStyleFile& file) {
    PlotStyleTable table;
    if (file.styles.empty()) return asDrawnTable();
    if (!file.colorDependent) {
        const PlotStyle normal = plotStyleOf(file.styles.front(), file.lineweights);
        table.aci.fill(normal);
        table.trueColor = normal;
    } else {
        for (size_t i = 0; i < file.styles.size() && i < static_cast<size_t>(kAciCount); ++i)
            table.aci[i + 1] = plotStyleOf(file.styles[i], file.lineweights);
        // True colours have no style of their own: they keep their colour unless the table
        // gives every colour the same one (monochrome), and turn grey when it turns all grey.
        bool oneColor = true, allGrey = true;
        for (int aci = 1; aci <= kAciCount; ++aci) {
            const PlotStyle& s = table.aci[static_cast<size_t>(aci)];
            const PlotStyle& first = table.aci[1];
            oneColor = oneColor && !s.objectColor && s.r == first.r && s.g == first.g && s.b == first.b;
            allGrey = allGrey && s.grayscale;
        }
        table.trueColor = PlotStyle{};
        if (oneColor) table.trueColor = table.aci[1], table.trueColor.lineweightMm = kObjectLineweight;
        table.trueColor.grayscale = allGrey;
    }
    // White on a dark screen is black on white paper.
    PlotStyle& white = table.aci[7];
    if (white.objectColor) white.objectColor = false, white.r = white.g = white.b = 0;
    return table;
}

}  // namespace vx::plot

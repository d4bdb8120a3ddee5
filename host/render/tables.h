// What entities refer to by name or record, resolved once per drawing state: layers, linetypes,
// text styles (to fonts), dimension styles and the header variables drawing depends on.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dbdatabase.h"
#include "dbents.h"
#include "render/fonts.h"
#include "render/primitives.h"

namespace vx::db {
class Store;
}

namespace vx::render {

// A linetype's pattern in drawing units: > 0 a dash, < 0 a gap, 0 a dot. Shapes and text
// elements of complex linetypes are left out (their gaps stay).
struct Linetype {
    std::wstring name;
    std::vector<double> pattern;
    double length = 0;
    bool continuous() const { return pattern.empty() || !(length > 0); }
};

struct LayerInfo {
    Color color;
    int16_t lineweight = 25;            // resolved: "default" is $LWDEFAULT
    const Linetype* linetype = nullptr; // null: continuous
    bool off = false, frozen = false, plottable = true, defpoints = false, zero = false;
    // Whether what lies on the layer is drawn (frozen layers are not even measured by views).
    bool shown(bool plotting) const { return !off && !frozen && !(plotting && (!plottable || defpoints)); }
};

struct TextStyle {
    FontId font = 0;
    FontKind kind = FontKind::Outline;
    double fixedHeight = 0, widthFactor = 1, oblique = 0;  // oblique in radians
    bool backwards = false, upsideDown = false;
};

struct HeaderVars {
    double ltscale = 1;
    bool psltscale = true;
    int16_t lwdefault = 25;
    int pdmode = 0;
    double pdsize = 0;
};

class Tables {
public:
    // `db` may be null (an entity outside any database): defaults throughout.
    explicit Tables(const AcDbDatabase* db);
    ~Tables();
    Tables(const Tables&) = delete;
    Tables& operator=(const Tables&) = delete;

    // Forgets what was resolved when the drawing's tables or header changed since.
    void refresh();
    // Moves whenever refresh() found the tables changed.
    uint64_t signature() const { return m_signature; }

    const HeaderVars& header() const { return m_header; }
    const LayerInfo& layer(const AcDbObject* record);
    // The linetype an entity names: sets byLayer/byBlock for those names; null for continuous
    // and for names the table lacks.
    const Linetype* linetype(std::string_view raw, bool utf8, bool& byLayer, bool& byBlock);
    const TextStyle& style(const AcDbObject* record);
    // The style of a name (MTEXT and dimension texts name theirs); the standard style for none.
    const TextStyle& styleNamed(std::wstring_view name);
    // The font of an MTEXT font switch (\f family, \F file).
    FontId font(const FontRequest& request);
    // Arrow size of leaders drawn with a dimension style (DIMASZ x DIMSCALE).
    double arrowSize(std::wstring_view dimstyle);
    // The block a reference names (group 2 as stored), with its base point; null when none.
    struct Block {
        const AcDbBlockTableRecord* record = nullptr;
        AcGePoint3d origin;
    };
    const Block& block(std::string_view rawName, bool utf8);
    const vx::db::Store* store() const { return m_store; }

private:
    void readHeader();
    const Linetype* linetypeByName(const std::wstring& upper);

    const vx::db::Store* m_store;
    uint64_t m_signature = 0;
    HeaderVars m_header;
    LayerInfo m_defaultLayer;
    TextStyle m_defaultStyle;
    bool m_defaultStyleReady = false;
    std::unordered_map<const AcDbObject*, LayerInfo> m_layers;
    std::unordered_map<const AcDbObject*, TextStyle> m_styles;
    std::unordered_map<std::wstring, std::unique_ptr<Linetype>> m_linetypes;  // upper-case name
    std::unordered_map<std::wstring, const AcDbObject*> m_styleNames;
    std::unordered_map<std::wstring, double> m_arrows;
    bool m_namesReady = false;
    std::unordered_map<std::string, Block> m_blocks;  // by the raw name as stored
    std::unordered_map<std::wstring, const AcDbBlockTableRecord*> m_blockNames;
    bool m_blockNamesReady = false;
};

// A name in upper case for lookups that ignore case.
std::wstring upperName(std::wstring_view name);

}  // namespace vx::render

#include "db/layouts.h"

#include <algorithm>
#include <climits>
#include <cwctype>
#include <memory>

#include "db/access.h"
#include "db/registry.h"
#include "db/symbols.h"

namespace vx::db {
namespace {

Field lo(int16_t code) { return Field{"AcDbLayout", 0, code}; }
const Field kPaperFlag{"AcDbEntity", 0, 67};
const Field kLayoutPointer{"AcDbBlockTableRecord", 0, 340};
constexpr const wchar_t* kPaperSpace = L"*Paper_Space";

AcDbDictionary* layoutDictionary(const Store& st) {
    if (!st.nod) return nullptr;
    AcDbObjectId id;
    if (st.nod->getAt(L"ACAD_LAYOUT", id) != Acad::eOk) return nullptr;
    return AcDbDictionary::cast(id.object());
}

AcDbBlockTableRecord* blockOfLayout(const AcDbLayout* layout) {
    return AcDbBlockTableRecord::cast(layout->getBlockTableRecordId().object());
}

bool isPaperBlock(const Store& st, const AcDbBlockTableRecord* b) {
    return b && b != st.modelSpace && b->isLayout();
}

// The value tag of a header variable, -1 when the header lacks it.
int headerValue(const Store& st, std::string_view name) {
    size_t n = Access::tagCount(st.header);
    for (size_t i = 0; i + 1 < n; ++i) {
        TagRef t = Access::tag(st.header, i);
        if (t.code == 9 && trim(t.value) == name) return static_cast<int>(i + 1);
    }
    return -1;
}

void setTilemode(Store& st, bool model) {
    if (!st.header) return;
    const std::string value = model ? "1" : "0";
    int at = headerValue(st, "$TILEMODE");
    if (at >= 0) {
        if (Access::tag(st.header, static_cast<size_t>(at)).value == value) return;
        Access::edit(st.header).tags[static_cast<size_t>(at)].value = value;
        return;
    }
    OwnTags& own = Access::edit(st.header);
    own.tags.push_back({9, false, "$TILEMODE"});
    own.tags.push_back({70, false, value});
}

bool tilemode(const Store& st) {
    if (!st.header) return true;
    int at = headerValue(st, "$TILEMODE");
    long long v = 1;
    return at < 0 || !parseInt(Access::tag(st.header, static_cast<size_t>(at)).value, v) || v != 0;
}

// The paper-space flag where CAD hosts write it: first after the entity's subclass marker.
void markPaperSpace(AcDbObject* o) {
    OwnTags& own = Access::edit(o);
    for (size_t i = 0; i < own.tags.size(); ++i)
        if (own.tags[i].code == 100 && own.tags[i].value == "AcDbEntity") {
            own.tags.insert(own.tags.begin() + static_cast<long>(i) + 1, OwnTag{67, false, "1"});
            return;
        }
    setInt(o, kPaperFlag, 1);
}

// "*Paper_Space0", "*Paper_Space1" ...: the first name no block record has.
std::wstring freePaperSpaceName(const Store& st) {
    for (int n = 0;; ++n) {
        std::wstring name = kPaperSpace + std::to_wstring(n);
        if (!findRecord(st.blockTable, name)) return name;
    }
}

// Block records are renamed while nobody has them open: the names of layout blocks are the
// host's business, not the caller's.
Acad::ErrorStatus rename(AcDbBlockTableRecord* block, const std::wstring& name) {
    AcDbObject* opened = nullptr;
    Acad::ErrorStatus es = Access::open(block, AcDb::kForWrite, opened);
    if (es != Acad::eOk) return es;
    es = block->setName(name.c_str());
    block->close();
    return es;
}

// The paper-space view itself (viewport id 1) over the whole paper; R2007 added the lighting
// and grid codes at the end.
AcDbEntity* mainViewport(const Store& st, const PlotConfiguration& c) {
    const std::string cx = formatDouble(c.paperWidth / 2), cy = formatDouble(c.paperHeight / 2);
    const std::string w = formatDouble(c.paperWidth), h = formatDouble(c.paperHeight);
    std::vector<OwnTag> tags = {
        {0, false, "VIEWPORT"}, {5, false, "0"}, {330, false, "0"}, {100, false, "AcDbEntity"},
        {67, false, "1"}, {8, false, "0"}, {100, false, "AcDbViewport"},
        {10, false, cx}, {20, false, cy}, {30, false, "0.0"}, {40, false, w}, {41, false, h},
        {68, false, "1"}, {69, false, "1"}, {12, false, cx}, {22, false, cy}, {13, false, "0.0"},
        {23, false, "0.0"}, {14, false, "10.0"}, {24, false, "10.0"}, {15, false, "10.0"}, {25, false, "10.0"},
        {16, false, "0.0"}, {26, false, "0.0"}, {36, false, "1.0"}, {17, false, "0.0"}, {27, false, "0.0"},
        {37, false, "0.0"}, {42, false, "50.0"}, {43, false, "0.0"}, {44, false, "0.0"}, {45, false, h},
        {50, false, "0.0"}, {51, false, "0.0"}, {72, false, "1000"}, {90, false, "32864"}, {1, false, ""},
        {281, false, "0"}, {71, false, "1"}, {74, false, "0"}, {110, false, "0.0"}, {120, false, "0.0"},
        {130, false, "0.0"}, {111, false, "1.0"}, {121, false, "0.0"}, {131, false, "0.0"}, {112, false, "0.0"},
        {122, false, "1.0"}, {132, false, "0.0"}, {79, false, "0"}, {146, false, "0.0"}, {170, false, "0"},
    };
    if (st.versionNumber >= 1021)
        tags.insert(tags.end(), {{61, false, "5"}, {292, false, "1"}, {282, false, "1"}, {141, false, "0.0"},
                                 {142, false, "0.0"}, {63, false, "250"}});
    AcDbEntity* vp = static_cast<AcDbEntity*>(newObject(kViewport));
    Access::edit(vp).tags = std::move(tags);
    return vp;
}

// Readers that know classes only from the CLASSES section need the LAYOUT entry.
void ensureLayoutClass(Store& st) {
    Section& classes = st.ensureSection(SectionKind::Classes);
    for (AcDbObject* o : classes.items)
        if (Access::kind(o) == kClass && getText(o, Field{nullptr, 0, 1}) == L"LAYOUT") return;
    AcDbObject* cls = newObject(kClass);
    setRaw(cls, Field{nullptr, 0, 1}, "LAYOUT", false);
    setRaw(cls, Field{nullptr, 0, 2}, "AcDbLayout", false);
    if (st.versionNumber < 1018) removeField(cls, Field{nullptr, 0, 91});
    Access::setDatabase(cls, st.db);
    st.objects.emplace_back(cls);
    classes.items.push_back(cls);
}

// A new layout's record: reactor and owner the layout dictionary (set when it is added).
AcDbLayout* newLayoutObject() {
    auto* layout = new AcDbLayout();
    OwnTags& own = Access::edit(layout);
    own.tags.insert(own.tags.begin() + 2, {{102, false, "{ACAD_REACTORS"}, {330, false, "0"}, {102, false, "}"}});
    return layout;
}

}  // namespace

const PlotConfiguration& defaultPlotConfiguration() {
    static const PlotConfiguration config{L"none_device", L"ISO_A3_(420.00_x_297.00_MM)", 420, 297, 0, 0, 0, 0};
    return config;
}

Acad::ErrorStatus applyPlotConfiguration(AcDbLayout* layout, const PlotConfiguration& c) {
    if (!layout) return Acad::eNullObjectPointer;
    if (!layout->isWriteEnabled()) return Acad::eNotOpenForWrite;
    layout->setPlotCfgName(c.device.c_str());
    layout->setCanonicalMediaName(c.media.c_str());
    layout->setPlotPaperMargins(c.marginLeft, c.marginBottom, c.marginRight, c.marginTop);
    layout->setPlotPaperSize(c.paperWidth, c.paperHeight);
    layout->setPlotOrigin(0, 0);
    layout->setPlotWindowArea(0, 0, 0, 0);
    layout->setCustomPrintScale(1, 1);
    layout->setPlotPaperUnits(AcDbPlotSettings::kMillimeters);
    layout->setPlotRotation(AcDbPlotSettings::k0degrees);
    layout->setPlotType(AcDbPlotSettings::kLayout);
    layout->setStdScaleType(16);
    layout->setStdScale(1.0);
    // The limits are the paper, its origin the lower left corner of the printable area.
    setPoint(layout, lo(10), AcGePoint3d(-c.marginLeft, -c.marginBottom, 0), false);
    setPoint(layout, lo(11), AcGePoint3d(c.paperWidth - c.marginLeft, c.paperHeight - c.marginBottom, 0), false);
    return Acad::eOk;
}

std::vector<AcDbLayout*> layouts(const Store& st) {
    std::vector<AcDbLayout*> out;
    AcDbDictionary* dict = layoutDictionary(st);
    if (!dict) return out;
    std::unique_ptr<AcDbDictionaryIterator> it(dict->newIterator());
    for (; !it->done(); it->next())
        if (auto* layout = AcDbLayout::cast(it->objectId().object())) out.push_back(layout);
    std::stable_sort(out.begin(), out.end(),
                     [](const AcDbLayout* a, const AcDbLayout* b) { return a->getTabOrder() < b->getTabOrder(); });
    return out;
}

AcDbLayout* findLayout(const Store& st, std::wstring_view name) {
    for (AcDbLayout* layout : layouts(st)) {
        AcString n;
        layout->getLayoutName(n);
        if (sameName(n.str(), name)) return layout;
    }
    return nullptr;
}

AcDbLayout* layoutOfBlock(const Store& st, const AcDbBlockTableRecord* block) {
    if (!block) return nullptr;
    for (AcDbLayout* layout : layouts(st))
        if (blockOfLayout(layout) == block) return layout;
    return nullptr;
}

AcDbLayout* currentLayout(const Store& st) {
    return layoutOfBlock(st, tilemode(st) ? st.modelSpace : st.paperSpace);
}

std::wstring nextLayoutName(const Store& st, std::wstring_view prefix) {
    long long largest = 0;
    for (AcDbLayout* layout : layouts(st)) {
        AcString n;
        layout->getLayoutName(n);
        std::wstring name = n.str();
        if (name.size() <= prefix.size() || !sameName(std::wstring_view(name).substr(0, prefix.size()), prefix)) continue;
        long long number = 0;
        bool digits = true;
        for (size_t i = prefix.size(); i < name.size() && digits; ++i) {
            digits = name[i] >= L'0' && name[i] <= L'9' && number < INT_MAX;
            number = number * 10 + (name[i] - L'0');
        }
        if (digits && number < INT_MAX) largest = std::max(largest, number);
    }
    std::wstring name;
    do name = std::wstring(prefix) + std::to_wstring(++largest);
    while (findLayout(st, name));
    return name;
}

Acad::ErrorStatus createLayout(Store& st, const std::wstring& name, AcDbLayout*& layoutOut,
                               AcDbBlockTableRecord*& blockOut) {
    layoutOut = nullptr;
    blockOut = nullptr;
    if (st.versionNumber <= 1009) return Acad::eInvalidDwgVersion;
    if (!validSymbolName(name) || sameName(name, L"Model")) return Acad::eInvalidInput;
    if (findLayout(st, name)) return Acad::eDuplicateKey;
    AcDbDictionary* found = layoutDictionary(st);
    if (!found || !st.blockTable) return Acad::eNullObjectId;
    // Everything that may refuse comes before the first change.
    AcDbDictionary* dict = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(dict, found->objectId(), AcDb::kForWrite);
    if (es != Acad::eOk) return es;

    int tab = 0;
    for (AcDbLayout* existing : layouts(st)) tab = std::max(tab, existing->getTabOrder());

    auto* block = new AcDbBlockTableRecord();
    block->setName(st.paperSpace ? freePaperSpaceName(st).c_str() : kPaperSpace);
    st.adopt(block, st.blockTable);
    Access::records(st.blockTable).push_back(block);
    attachBlockEnds(st, block);
    for (AcDbObject* end : {Access::blockBegin(block), Access::blockEnd(block)}) markPaperSpace(end);
    if (!st.paperSpace) st.paperSpace = block;

    const PlotConfiguration& config = defaultPlotConfiguration();
    AcDbLayout* layout = newLayoutObject();
    layout->setLayoutName(name.c_str());
    layout->setTabOrder(tab + 1);
    applyPlotConfiguration(layout, config);
    AcDbObjectId layoutId;
    dict->setAt(name.c_str(), layout, layoutId);
    dict->close();
    setHandle(layout, lo(330), Access::handle(block));
    setHandle(block, kLayoutPointer, Access::handle(layout));

    AcDbEntity* viewport = mainViewport(st, config);
    appendEntity(st, block, viewport);
    setHandle(layout, lo(331), Access::handle(viewport));
    layout->close();

    ensureLayoutClass(st);
    layoutOut = layout;
    blockOut = block;
    return Acad::eOk;
}

Acad::ErrorStatus setCurrentLayout(Store& st, AcDbLayout* layout) {
    if (!layout) return Acad::eNullObjectPointer;
    if (Access::store(layout) != &st) return Acad::eWrongDatabase;
    AcDbBlockTableRecord* block = blockOfLayout(layout);
    if (!block) return Acad::eNullObjectId;
    if (block == st.modelSpace) {
        setTilemode(st, true);
        return Acad::eOk;
    }
    if (!isPaperBlock(st, block)) return Acad::eInvalidInput;
    if (block != st.paperSpace) {
        if (st.paperSpace) {
            const std::wstring itsName = block->name().str();
            const std::wstring parked = freePaperSpaceName(st);
            Acad::ErrorStatus es = rename(st.paperSpace, parked);
            if (es == Acad::eOk) es = rename(block, kPaperSpace);
            if (es == Acad::eOk) es = rename(st.paperSpace, itsName);
            if (es != Acad::eOk) return es;
        }
        st.paperSpace = block;
        // The active paper space is written in ENTITIES, whatever section its entities came from.
        for (AcDbEntity* e : block->entities()) Access::setFlag(e, fFromBlocks, false);
    }
    setTilemode(st, false);
    return Acad::eOk;
}

}  // namespace vx::db

// Files that hold only some of a drawing (common exports: ENTITIES alone, no TABLES or BLOCKS)
// are completed before they are read: the missing sections and tables are written as DXF text
// after the file's bytes and their tags spliced in where they belong, so the loader reads a
// whole drawing and the writer writes the additions like any other record.
#include <algorithm>
#include <functional>
#include <set>

#include "db/access.h"
#include "dxf/dxf.h"
#include "dxf/tokenizer.h"
#include "text/encoding.h"

namespace vx::dxf {

using namespace vx::db;

namespace {

constexpr const char* kSectionOrder[] = {"HEADER", "CLASSES", "TABLES", "BLOCKS", "ENTITIES", "OBJECTS"};
constexpr const char* kTableOrder[] = {"VPORT", "LTYPE", "LAYER", "STYLE", "VIEW", "UCS", "APPID", "DIMSTYLE", "BLOCK_RECORD"};

int rank(std::string_view section) {
    for (int k = 0; k < 6; ++k)
        if (section == kSectionOrder[k]) return k;
    return 6;
}

struct SectionAt {
    std::string name;
    size_t begin, end;  // tag of "0 SECTION", tag of its "0 ENDSEC" (or where the next one starts)
};

// The DXF text of the additions, handles numbered from `next`.
class Text {
public:
    Text(bool r12, uint64_t next, std::string eol) : r12_(r12), next_(next), eol_(std::move(eol)) {}
    void tag(int code, std::string_view v) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%3d", code);
        out_ += buf;
        out_ += eol_;
        out_.append(v.data(), v.size());
        out_ += eol_;
    }
    // A record's head: type, handle, owner and subclass markers (R12: the type alone).
    uint64_t head(const char* type, uint64_t owner, std::initializer_list<const char*> subclasses, int handleCode = 5,
                  uint64_t handle = 0) {
        tag(0, type);
        if (r12_) return 0;
        uint64_t h = handle ? handle : next_++;
        tag(handleCode, formatHex(h));
        tag(330, formatHex(owner));
        for (const char* s : subclasses) tag(100, s);
        return h;
    }
    uint64_t take() { return next_++; }
    std::string& str() { return out_; }
    bool r12() const { return r12_; }

private:
    bool r12_;
    uint64_t next_;
    std::string eol_;
    std::string out_;
};

struct Plan {
    Store& st;
    std::vector<SectionAt> sections;
    std::set<std::string> tables;        // tables present
    size_t tablesEnd = 0;                // ENDSEC of TABLES
    size_t eofAt = 0;                    // the EOF record (or the end)
    std::set<uint64_t> handles;
    int version = 1009;
    uint64_t maxHandle = 0;
    uint64_t modelOwner = 0;             // the owner the first model-space entity names
    std::vector<std::string_view> layers;  // raw names entities use
    std::string_view val(size_t k) const { return st.value(st.tags[k]); }
    int code(size_t k) const { return st.tags[k].code; }
    bool has(const char* section) const {
        for (const SectionAt& s : sections)
            if (s.name == section) return true;
        return false;
    }
};

// The file's sections, tables and version; with `collect`, also its handles and the layers its
// entities name (only wanted when something is added).
void scan(Plan& p, bool collect) {
    const size_t n = p.st.tags.size();
    std::set<std::string> seenLayers;
    SectionAt* cur = nullptr;
    bool acadver = false, firstEntity = true;
    p.sections.clear();
    p.tables.clear();
    for (size_t k = 0; k < n; ++k) {
        const int c = p.code(k);
        if (c == 0) {
            std::string_view v = trim(p.val(k));
            if (v == "SECTION") {
                size_t at = k + 1;
                while (at < n && p.code(at) == 999) ++at;
                p.sections.push_back({at < n && p.code(at) == 2 ? std::string(trim(p.val(at))) : std::string(), k, n});
                cur = &p.sections.back();
            } else if (v == "ENDSEC" || v == "EOF") {
                if (v == "EOF") p.eofAt = k;
                if (cur && cur->name == "TABLES") p.tablesEnd = k;
                cur = nullptr;
            } else if (v == "TABLE" && cur && cur->name == "TABLES") {
                for (size_t at = k + 1; at < n && p.code(at) != 0; ++at)
                    if (p.code(at) == 2) {
                        p.tables.insert(std::string(trim(p.val(at))));
                        break;
                    }
            }
            continue;
        }
        if (!cur) continue;
        if (c == 9 && cur->name == "HEADER" && k + 1 < n && trim(p.val(k)) == "$ACADVER") {
            int ver = versionNumberOf(p.val(k + 1));
            if (ver) p.version = ver, acadver = true;
        }
        if (!collect) continue;
        std::string_view v = trim(p.val(k));
        uint64_t h = 0;
        if ((c == 5 || c == 105) && cur->name != "HEADER" && parseHex(v, h)) {
            p.maxHandle = std::max(p.maxHandle, h);
            p.handles.insert(h);
        }
        if (cur->name == "ENTITIES" || cur->name == "BLOCKS") {
            if (c == 8 && v != "0" && seenLayers.insert(std::string(v)).second) p.layers.push_back(v);
            if (cur->name == "ENTITIES" && c == 330 && firstEntity) {
                parseHex(v, p.modelOwner);
                firstEntity = false;
            }
        }
    }
    if (!acadver) p.version = 1009;
}

void table(Text& t, const char* name, uint64_t& tableHandle, size_t entries) {
    t.tag(0, "TABLE");
    t.tag(2, name);
    if (!t.r12()) {
        tableHandle = t.take();
        t.tag(5, formatHex(tableHandle));
        t.tag(330, "0");
        t.tag(100, "AcDbSymbolTable");
    }
    t.tag(70, std::to_string(entries));
}

void record(Text& t, const char* type, uint64_t owner, const char* subclass, std::string_view name, int code105 = 5,
            uint64_t handle = 0) {
    t.head(type, owner, {"AcDbSymbolTableRecord", subclass}, code105, handle);
    t.tag(2, name);
    t.tag(70, "0");
}

// The standard tables the file lacks, with their standard entries.
void writeTables(Text& t, Plan& p, uint64_t modelRecord, uint64_t paperRecord, uint64_t modelLayout,
                 uint64_t paperLayout, std::vector<std::wstring>& added) {
    for (const char* name : kTableOrder) {
        if (p.tables.count(name) || (t.r12() && std::string_view(name) == "BLOCK_RECORD")) continue;
        added.push_back(vx::text::fromUtf8(name));
        uint64_t th = 0;
        std::string_view n(name);
        if (n == "VPORT") {
            table(t, name, th, 1);
            record(t, "VPORT", th, "AcDbViewportTableRecord", "*ACTIVE");
            for (auto [c, v] : {std::pair{12, "0.0"}, {22, "0.0"}, {40, "1000.0"}, {41, "1.5"}}) t.tag(c, v);
        } else if (n == "LTYPE") {
            table(t, name, th, 3);
            for (const char* lt : {"ByBlock", "ByLayer", "Continuous"}) {
                record(t, "LTYPE", th, "AcDbLinetypeTableRecord", lt);
                for (auto [c, v] : {std::pair{3, ""}, {72, "65"}, {73, "0"}, {40, "0.0"}}) t.tag(c, v);
            }
        } else if (n == "LAYER") {
            table(t, name, th, 1 + p.layers.size());
            std::vector<std::string_view> names{"0"};
            names.insert(names.end(), p.layers.begin(), p.layers.end());
            for (std::string_view layer : names) {
                record(t, "LAYER", th, "AcDbLayerTableRecord", layer);
                t.tag(62, "7");
                t.tag(6, "Continuous");
            }
        } else if (n == "STYLE") {
            table(t, name, th, 1);
            record(t, "STYLE", th, "AcDbTextStyleTableRecord", "Standard");
            for (auto [c, v] : {std::pair{40, "0.0"}, {41, "1.0"}, {50, "0.0"}, {71, "0"}, {42, "2.5"}, {3, "txt"}, {4, ""}})
                t.tag(c, v);
        } else if (n == "APPID") {
            table(t, name, th, 1);
            record(t, "APPID", th, "AcDbRegAppTableRecord", "ACAD");
        } else if (n == "DIMSTYLE") {
            table(t, name, th, 1);
            record(t, "DIMSTYLE", th, "AcDbDimStyleTableRecord", "Standard", 105);
        } else if (n == "BLOCK_RECORD") {
            table(t, name, th, 2);
            record(t, "BLOCK_RECORD", th, "AcDbBlockTableRecord", "*Model_Space", 5, modelRecord);
            t.tag(340, formatHex(modelLayout));
            record(t, "BLOCK_RECORD", th, "AcDbBlockTableRecord", "*Paper_Space", 5, paperRecord);
            t.tag(340, formatHex(paperLayout));
        } else {
            table(t, name, th, 0);
        }
        t.tag(0, "ENDTAB");
    }
}

void writeBlocks(Text& t, uint64_t modelRecord, uint64_t paperRecord) {
    const bool r12 = t.r12();
    for (int paper = 0; paper < 2; ++paper) {
        const char* name = r12 ? (paper ? "$PAPER_SPACE" : "$MODEL_SPACE") : (paper ? "*Paper_Space" : "*Model_Space");
        uint64_t owner = paper ? paperRecord : modelRecord;
        t.head("BLOCK", owner, {"AcDbEntity"});
        if (paper) t.tag(67, "1");
        t.tag(8, "0");
        if (!r12) t.tag(100, "AcDbBlockBegin");
        t.tag(2, name);
        for (auto [c, v] : {std::pair{70, "0"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"}}) t.tag(c, v);
        t.tag(3, name);
        t.tag(1, "");
        t.head("ENDBLK", owner, {"AcDbEntity"});
        if (paper) t.tag(67, "1");
        t.tag(8, "0");
        if (!r12) t.tag(100, "AcDbBlockEnd");
    }
}

void writeLayout(Text& t, uint64_t handle, uint64_t dict, const char* name, int tab, uint64_t record) {
    t.tag(0, "LAYOUT");
    t.tag(5, formatHex(handle));
    t.tag(102, "{ACAD_REACTORS");
    t.tag(330, formatHex(dict));
    t.tag(102, "}");
    t.tag(330, formatHex(dict));
    t.tag(100, "AcDbPlotSettings");
    for (auto [c, v] : {std::pair{1, ""}, {2, "none_device"}, {4, ""}, {6, ""}, {40, "0.0"}, {41, "0.0"}, {42, "0.0"},
                        {43, "0.0"}, {44, "0.0"}, {45, "0.0"}, {46, "0.0"}, {47, "0.0"}, {48, "0.0"}, {49, "0.0"},
                        {140, "0.0"}, {141, "0.0"}, {142, "1.0"}, {143, "1.0"}, {70, "688"}, {72, "0"}, {73, "0"},
                        {74, "5"}, {7, ""}, {75, "16"}, {147, "1.0"}, {148, "0.0"}, {149, "0.0"}})
        t.tag(c, v);
    t.tag(100, "AcDbLayout");
    t.tag(1, name);
    t.tag(70, "1");
    t.tag(71, std::to_string(tab));
    for (auto [c, v] : {std::pair{10, "0.0"}, {20, "0.0"}, {11, "420.0"}, {21, "297.0"}, {12, "0.0"}, {22, "0.0"},
                        {32, "0.0"}, {14, "1e+20"}, {24, "1e+20"}, {34, "1e+20"}, {15, "-1e+20"}, {25, "-1e+20"},
                        {35, "-1e+20"}, {146, "0.0"}, {13, "0.0"}, {23, "0.0"}, {33, "0.0"}, {16, "1.0"}, {26, "0.0"},
                        {36, "0.0"}, {17, "0.0"}, {27, "1.0"}, {37, "0.0"}, {76, "0"}})
        t.tag(c, v);
    t.tag(330, formatHex(record));
}

// The root dictionary with the group and layout dictionaries, and the two layouts.
void writeObjects(Text& t, uint64_t modelRecord, uint64_t paperRecord, uint64_t modelLayout, uint64_t paperLayout) {
    uint64_t root = t.take(), groups = t.take(), layouts = t.take();
    auto dict = [&](uint64_t h, uint64_t owner, std::initializer_list<std::pair<const char*, uint64_t>> entries) {
        t.tag(0, "DICTIONARY");
        t.tag(5, formatHex(h));
        t.tag(330, formatHex(owner));
        t.tag(100, "AcDbDictionary");
        t.tag(281, "1");
        for (auto& e : entries) {
            t.tag(3, e.first);
            t.tag(350, formatHex(e.second));
        }
    };
    dict(root, 0, {{"ACAD_GROUP", groups}, {"ACAD_LAYOUT", layouts}});
    dict(groups, root, {});
    dict(layouts, root, {{"Layout1", paperLayout}, {"Model", modelLayout}});
    writeLayout(t, modelLayout, layouts, "Model", 0, modelRecord);
    writeLayout(t, paperLayout, layouts, "Layout1", 1, paperRecord);
}

}  // namespace

void complete(Store& st) {
    Plan p{st, {}, {}, 0, st.tags.size(), {}, 1009, 0, 0, {}};
    scan(p, false);
    const bool r12 = p.version <= 1009;
    const bool needed = !p.has("TABLES") || !p.tables.count("LAYER") || (!r12 && !p.tables.count("BLOCK_RECORD"));
    if (!needed || !p.has("ENTITIES")) return;
    scan(p, true);
    Text t(r12, p.maxHandle + 1, st.eol);
    // The entities name their model space by a handle the file lacks: the new record takes it.
    const bool ownerFree = p.modelOwner && !p.handles.count(p.modelOwner);
    const uint64_t modelRecord = r12 ? 0 : (ownerFree ? p.modelOwner : t.take());
    const uint64_t paperRecord = r12 ? 0 : t.take(), modelLayout = r12 ? 0 : t.take(), paperLayout = r12 ? 0 : t.take();
    // (tag index to insert before, text) in file order.
    std::vector<std::pair<size_t, std::string>> pieces;
    auto before = [&](std::string_view section) {
        for (const SectionAt& s : p.sections)
            if (rank(s.name) > rank(section)) return s.begin;
        return p.eofAt;
    };
    auto section = [&](const char* name, const std::function<void()>& body) {
        t.str().clear();
        t.tag(0, "SECTION");
        t.tag(2, name);
        body();
        t.tag(0, "ENDSEC");
        pieces.emplace_back(before(name), t.str());
        st.note(std::wstring(L"the file has no ") + vx::text::fromUtf8(name) + L" section; one was added");
    };
    if (!p.has("HEADER")) {
        std::string cp = vx::text::ansiCodePage();
        section("HEADER", [&] {
            t.tag(9, "$ACADVER");
            t.tag(1, "AC1009");
            std::string name = dwgCodePageName(cp);
            if (!name.empty()) {
                t.tag(9, "$DWGCODEPAGE");
                t.tag(3, name);
            }
        });
    }
    std::vector<std::wstring> added;
    if (!p.has("TABLES")) {
        section("TABLES", [&] { writeTables(t, p, modelRecord, paperRecord, modelLayout, paperLayout, added); });
    } else {
        t.str().clear();
        writeTables(t, p, modelRecord, paperRecord, modelLayout, paperLayout, added);
        pieces.emplace_back(p.tablesEnd, t.str());
    }
    for (const std::wstring& name : added) st.note(L"table " + name + L" was missing; it was added with its standard entries");
    if (!p.layers.empty() && !p.tables.count("LAYER"))
        st.note(L"layers named by the entities were added to the layer table: " + std::to_wstring(p.layers.size()));
    if (!p.has("BLOCKS")) section("BLOCKS", [&] { writeBlocks(t, modelRecord, paperRecord); });
    if (!r12 && !p.has("OBJECTS"))
        section("OBJECTS", [&] { writeObjects(t, modelRecord, paperRecord, modelLayout, paperLayout); });
    // The additions' tags, each piece spliced in before its tag.
    std::stable_sort(pieces.begin(), pieces.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Tag> merged;
    merged.reserve(st.tags.size() + 256);
    size_t from = 0;
    for (auto& [at, text] : pieces) {
        merged.insert(merged.end(), st.tags.begin() + static_cast<long>(from), st.tags.begin() + static_cast<long>(at));
        from = at;
        size_t start = st.buffer.size();
        if (start > 0 && st.buffer.back() != '\n') {
            st.buffer += st.eol;
            start = st.buffer.size();
        }
        st.buffer += text;
        TokenizeResult tr;
        tokenize(st.buffer, start, merged, tr);
    }
    merged.insert(merged.end(), st.tags.begin() + static_cast<long>(from), st.tags.end());
    st.tags.swap(merged);
}

}  // namespace vx::dxf

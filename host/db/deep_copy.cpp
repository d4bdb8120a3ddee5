// Deep copy between databases. Copies are made in two passes: the first decides for every
// source object reached what it becomes in the target (a new copy, or the target's own record
// of the same name), the second writes each copy's tags with every handle translated. Name
// clashes keep the target's definition, as CAD hosts do when a drawing is inserted.
#include "db/deep_copy.h"

#include <algorithm>
#include <cwctype>

#include "db/access.h"
#include "db/r12_convert.h"
#include "db/registry.h"
#include "db/symbols.h"
#include "text/encoding.h"

namespace vx::db {

namespace {

const Field kEntityLayer{"AcDbEntity", 0, 8};

bool isPointer(int c) {
    return (c >= 330 && c <= 369) || (c >= 390 && c <= 399) || c == 480 || c == 481 || c == 1005;
}
bool isOwnerPointer(int c) { return (c >= 350 && c <= 369); }
bool isHardOwner(int c) { return c >= 360 && c <= 369; }

bool isTableRecordKind(Kind k) {
    return k == kBlockRecord || k == kLayer || k == kTextStyle || k == kLinetype || k == kRegApp ||
           k == kDimStyle || k == kVportRec || k == kViewRec || k == kUcsRec;
}
bool isEntityKind(Kind k) { return k >= kLine && k <= kUnknownEntity; }
bool isTextKind(Kind k) { return k == kText || k == kMText || k == kAttDef || k == kAttrib; }

bool needsTranscoding(std::string_view v) {
    for (char c : v)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return v.find("\\U+") != std::string_view::npos || v.find("\\u+") != std::string_view::npos ||
           v.find("\\M+") != std::string_view::npos || v.find("\\m+") != std::string_view::npos;
}

bool isDefaultName(Kind k, std::wstring_view n) {
    if (k == kLayer) return n == L"0";
    if (k == kLinetype) return sameName(n, L"ByLayer") || sameName(n, L"ByBlock") || sameName(n, L"Continuous");
    return false;
}

// Skips a "102 {NAME ... 102 }" group starting at i; returns the index of its closing tag.
size_t groupEnd(const AcDbObject* o, size_t i) {
    size_t n = Access::tagCount(o);
    while (i + 1 < n) {
        ++i;
        TagRef t = Access::tag(o, i);
        if (t.code == 102 && t.value == "}") return i;
    }
    return n - 1;
}

// A record of unknown type named like a file structure marker (a damaged file's "SECTION"
// inside a block) cannot be written among entities: the copy would cut the target's file.
bool copyableEntity(const AcDbObject* e) {
    if (Access::kind(e) != kUnknownEntity) return true;
    std::string_view t = trim(Access::typeName(e));
    for (const char* reserved : {"SECTION", "ENDSEC", "EOF", "TABLE", "ENDTAB", "BLOCK", "ENDBLK"})
        if (t == reserved) return false;
    return true;
}

}  // namespace

DeepCopy::DeepCopy(Store& source, Store& target) : src_(source), dst_(target) {}

AcDbSymbolTable* DeepCopy::targetTable(const AcDbObject* t) const {
    const std::pair<AcDbSymbolTable* Store::*, AcDbSymbolTable*> slots[] = {
        {&Store::blockTable, dst_.blockTable},       {&Store::layerTable, dst_.layerTable},
        {&Store::styleTable, dst_.styleTable},       {&Store::linetypeTable, dst_.linetypeTable},
        {&Store::appidTable, dst_.appidTable},       {&Store::dimstyleTable, dst_.dimstyleTable},
        {&Store::vportTable, dst_.vportTable},       {&Store::viewTable, dst_.viewTable},
        {&Store::ucsTable, dst_.ucsTable},
    };
    for (const auto& s : slots)
        if (src_.*s.first == t) return s.second;
    return nullptr;
}

std::wstring DeepCopy::freeAnonymousName(const std::wstring& sourceName) {
    // "*D12" keeps its kind letter ("*D") and gets the first number free in the target.
    size_t end = 1;
    while (end < sourceName.size() && !std::iswdigit(static_cast<wint_t>(sourceName[end]))) ++end;
    std::wstring prefix = sourceName.substr(0, end);
    if (prefix.size() < 2) prefix = L"*U";
    for (unsigned k = 1;; ++k) {
        std::wstring name = prefix + std::to_wstring(k);
        bool taken = findRecord(dst_.blockTable, name) != nullptr;
        for (const std::wstring& t : takenNames_) taken = taken || sameName(t, name);
        if (!taken) {
            takenNames_.push_back(name);
            return name;
        }
    }
}

AcDbObject* DeepCopy::copyOf(AcDbObject* from, AcDbObject* owner) {
    AcDbObject* to = makeObject(Access::kind(from));
    Access::setHandle(to, dst_.newHandle());
    map_[from] = to;
    copies_.push_back({from, to, owner});
    return to;
}

AcDbObject* DeepCopy::resolveName(AcDbSymbolTable* table, std::wstring_view name) {
    if (!table || name.empty()) return nullptr;
    AcDbSymbolTableRecord* r = findRecord(table, name);
    return r ? resolveRecord(r) : nullptr;
}

AcDbObject* DeepCopy::resolveRecord(AcDbSymbolTableRecord* from) {
    auto it = map_.find(from);
    if (it != map_.end()) return it->second;
    AcDbSymbolTable* table = targetTable(Access::owner(from));
    if (!table) return nullptr;
    Kind k = Access::kind(from);
    std::wstring name = from->name().str();
    if (k == kBlockRecord) {
        auto* b = static_cast<AcDbBlockTableRecord*>(from);
        if (b == src_.modelSpace) return map_[from] = dst_.modelSpace;
        if (b == src_.paperSpace) return map_[from] = dst_.paperSpace;
        if (b->isLayout()) return nullptr;  // other layouts are not carried along
        if (b->isAnonymous()) {
            // Anonymous blocks (dimensions, dynamic blocks) never match by name.
            renamed_[from] = freeAnonymousName(name);
            return copyOf(from, table);
        }
    }
    if (AcDbSymbolTableRecord* existing = findRecord(table, name)) return map_[from] = existing;
    // The defaults belong to every drawing; one the target lacks is not made from the source's.
    if (isDefaultName(k, name)) return nullptr;
    return copyOf(from, table);
}

AcDbObject* DeepCopy::resolve(AcDbObject* from, int code, AcDbObject* referrer) {
    if (!from) return nullptr;
    auto it = map_.find(from);
    if (it != map_.end()) return it->second;
    Kind k = Access::kind(from);
    if (k == kTable) return targetTable(from);
    if (isTableRecordKind(k)) return resolveRecord(static_cast<AcDbSymbolTableRecord*>(from));
    if (isEntityKind(k)) return nullptr;  // entities come only with their block or the request
    // An object: copied when the referrer owns it (extension dictionaries, dictionary entries).
    if (dst_.versionNumber <= 1009) return nullptr;
    bool owned = isHardOwner(code) || (Access::kind(referrer) == kDictionary && isOwnerPointer(code));
    if (!owned || Access::owner(from) != referrer) return nullptr;
    return copyOf(from, map_[referrer]);
}

bool DeepCopy::fitsTarget(const AcDbEntity* e) const {
    // R12 lacks the newer types (the ones it can draw otherwise are converted before this); an
    // unknown type from an R2000+ drawing would be a record no R12 reader takes.
    return dst_.versionNumber > 1009 || Access::kind(e) != kUnknownEntity || src_.versionNumber <= 1009;
}

std::vector<AcDbObject*> DeepCopy::place(AcDbEntity* from, AcDbObject* owner) {
    if (!copyableEntity(from)) return {};
    std::wstring type = vx::text::fromUtf8(trim(Access::typeName(from)));
    if (dst_.versionNumber <= 1009 && needsR12Conversion(Access::kind(from))) {
        R12Conversion r = convertForR12(from);
        if (r.entities.empty()) {
            ++report_.leftOut[type + L" (" + r.leftOutBecause + L")"];
            return {};
        }
        ++report_.converted[type + L" to " + vx::text::fromUtf8(Access::typeName(r.entities.front().get()))];
        std::vector<AcDbObject*> made;
        for (auto& e : r.entities) {
            made.push_back(copyOf(e.get(), owner));
            replacements_.push_back(std::move(e));
        }
        return made;
    }
    if (!fitsTarget(from)) {
        ++report_.leftOut[type + L" (R12 has no such entity)"];
        return {};
    }
    return {copyOf(from, owner)};
}

void DeepCopy::addEntity(AcDbEntity* entity, AcDbBlockTableRecord* targetBlock) {
    if (!entity || map_.count(entity)) return;
    for (AcDbObject* o : place(entity, targetBlock)) top_.push_back(static_cast<AcDbEntity*>(o));
}

std::wstring CopyReport::text() const {
    if (empty()) return {};
    std::wstring s = L"The drawing is R12:";
    auto list = [&](const wchar_t* what, const std::map<std::wstring, int>& m) {
        if (m.empty()) return;
        s += what;
        bool first = true;
        for (const auto& kv : m) {
            s += (first ? L" " : L", ") + std::to_wstring(kv.second) + L" " + kv.first;
            first = false;
        }
        s += L".";
    };
    list(L" converted", converted);
    list(L" Left out", leftOut);
    return s;
}

// What a copy depends on: named definitions and the targets of its pointers.
void DeepCopy::discover(const Copy& c) {
    AcDbObject* o = c.from;
    Kind k = Access::kind(o);
    size_t n = Access::tagCount(o);
    bool xdata = false;
    for (size_t i = 1; i < n; ++i) {
        TagRef t = Access::tag(o, i);
        if (t.code == 102 && t.value == "{ACAD_REACTORS") {
            i = groupEnd(o, i);
            continue;
        }
        if (t.code == 1001) {
            xdata = true;
            resolveName(src_.appidTable, decodeText(t, &src_));
            continue;
        }
        if (isPointer(t.code)) {
            uint64_t h = 0;
            if (parseHex(t.value, h) && h) resolve(src_.byHandleOrNull(h), t.code, o);
            continue;
        }
        if (xdata) continue;
        if (isEntityKind(k)) {
            if (t.code == 8) resolveName(src_.layerTable, decodeText(t, &src_));
            else if (t.code == 6) resolveName(src_.linetypeTable, decodeText(t, &src_));
            else if (t.code == 7 && isTextKind(k)) resolveName(src_.styleTable, decodeText(t, &src_));
            else if (t.code == 2 && (k == kInsert || k == kDimension)) resolveName(src_.blockTable, decodeText(t, &src_));
            else if (t.code == 3 && k == kDimension) resolveName(src_.dimstyleTable, decodeText(t, &src_));
        } else if (k == kLayer && t.code == 6) {
            resolveName(src_.linetypeTable, decodeText(t, &src_));
        }
    }
    // A block brings its BLOCK / ENDBLK pair and its contents.
    if (k == kBlockRecord) {
        auto* b = static_cast<AcDbBlockTableRecord*>(o);
        auto* tb = static_cast<AcDbBlockTableRecord*>(c.to);
        if (AcDbObject* bb = Access::blockBegin(b)) copyOf(bb, tb);
        for (AcDbEntity* e : b->entities())
            if (!e->isErased()) place(e, tb);
        if (AcDbObject* be = Access::blockEnd(b)) copyOf(be, tb);
    }
    std::vector<AcDbEntity*> kids;
    Access::children(o, kids);
    for (AcDbEntity* kid : kids)
        if (!kid->isErased()) copyOf(kid, c.to);
}

// The copy's tags: the source's, with handles translated, names re-encoded for the target's
// file, reactors left out (the target's owners are not the source's) and pointers that lead
// outside the copy dropped.
void DeepCopy::build(const Copy& c) {
    AcDbObject* o = c.from;
    Kind k = Access::kind(o);
    OwnTags& own = Access::edit(c.to);
    own.tags.clear();
    size_t n = Access::tagCount(o);
    own.tags.reserve(n);
    bool handleDone = false, ownerDone = false, inHatch = false, xdata = false, inEntity = true;
    long lastCount = -1;  // index of the hatch's "97" before its boundary objects
    auto rename = renamed_.end();
    const bool named = k == kInsert || k == kDimension || k == kBlockRecord || k == kBlockBegin;
    std::wstring newName;
    if (k == kBlockRecord || k == kBlockBegin) {
        const AcDbObject* rec = k == kBlockRecord ? o : Access::owner(o);
        rename = renamed_.find(rec);
    }
    for (size_t i = 0; i < n; ++i) {
        TagRef t = Access::tag(o, i);
        const auto code = static_cast<int16_t>(t.code);
        if (t.code == 102 && t.value == "{ACAD_REACTORS") {
            i = groupEnd(o, i);
            continue;
        }
        if (t.code == 100) {
            inHatch = t.value == "AcDbHatch";
            inEntity = t.value == "AcDbEntity";
        }
        if (t.code == 1001) xdata = true;
        if (!handleDone && i > 0 && (t.code == 5 || t.code == 105)) {
            handleDone = true;
            own.tags.push_back({code, false, formatHex(Access::handle(c.to))});
            continue;
        }
        if (isPointer(t.code)) {
            uint64_t h = 0;
            parseHex(t.value, h);
            if (!ownerDone && t.code == 330 && !xdata) {
                // The record's own owner: the target owner, whatever the source said.
                ownerDone = true;
                own.tags.push_back({330, false, formatHex(c.owner ? Access::handle(c.owner) : 0)});
                continue;
            }
            if (h == 0) {
                own.tags.push_back({code, false, std::string(t.value)});
                continue;
            }
            auto it = map_.find(src_.byHandleOrNull(h));
            if (it != map_.end() && it->second) {
                own.tags.push_back({code, false, formatHex(Access::handle(it->second))});
                continue;
            }
            if (k == kLayer && dst_.layerTable) {
                // A layer's plot style and material live in the target's own dictionaries.
                if (AcDbSymbolTableRecord* zero = findRecord(dst_.layerTable, L"0")) {
                    int at = findField(zero, Field{nullptr, 0, static_cast<int16_t>(t.code)});
                    if (at >= 0) {
                        TagRef z = Access::tag(zero, static_cast<size_t>(at));
                        own.tags.push_back({code, z.utf8, std::string(z.value)});
                        continue;
                    }
                }
            }
            if (inHatch && t.code == 330 && lastCount >= 0) {
                // One boundary object fewer: keep the count in step with the handles.
                long long cnt = 0;
                OwnTag& c97 = own.tags[static_cast<size_t>(lastCount)];
                if (parseInt(c97.value, cnt) && cnt > 0) c97.value = std::to_string(cnt - 1);
            }
            continue;
        }
        // Which space an entity is in is the target's business (attach sets paper space).
        if (isEntityKind(k) && inEntity && !xdata && t.code == 67) continue;
        if (inHatch && t.code == 97) lastCount = static_cast<long>(own.tags.size());
        if (named && !xdata && t.code == 2) {
            if (k == kInsert || k == kDimension) {
                AcDbSymbolTableRecord* b = findRecord(src_.blockTable, decodeText(t, &src_));
                auto r = b ? renamed_.find(b) : renamed_.end();
                if (r != renamed_.end()) {
                    own.tags.push_back({2, true, vx::text::toUtf8(r->second)});
                    continue;
                }
            } else if (rename != renamed_.end()) {
                own.tags.push_back({2, true, vx::text::toUtf8(rename->second)});
                continue;
            }
        }
        if (k == kBlockBegin && t.code == 3 && rename != renamed_.end()) {
            own.tags.push_back({3, true, vx::text::toUtf8(rename->second)});
            continue;
        }
        if (t.utf8 || !needsTranscoding(t.value)) {
            own.tags.push_back({code, t.utf8, std::string(t.value)});
        } else {
            own.tags.push_back({code, true, vx::text::toUtf8(decodeText(t, &src_))});
        }
    }
}

// Puts the finished copy where the target keeps objects of its kind.
void DeepCopy::attach(const Copy& c) {
    AcDbObject* to = c.to;
    Kind k = Access::kind(to);
    if (isTableRecordKind(k)) {
        auto* table = static_cast<AcDbSymbolTable*>(c.owner);
        dst_.adopt(to, table);
        Access::records(table).push_back(static_cast<AcDbSymbolTableRecord*>(to));
        if (k == kBlockRecord) {
            auto* b = static_cast<AcDbBlockTableRecord*>(to);
            if (dst_.versionNumber <= 1009) Access::setFlag(b, fSynthetic, true);
            Section& blocks = dst_.ensureSection(SectionKind::Blocks);
            blocks.items.push_back(b);
        }
        return;
    }
    if (k == kBlockBegin || k == kBlockEnd) {
        auto* b = static_cast<AcDbBlockTableRecord*>(c.owner);
        dst_.adopt(to, b);
        (k == kBlockBegin ? Access::blockBegin(b) : Access::blockEnd(b)) = to;
        return;
    }
    if (isEntityKind(k)) {
        auto* e = static_cast<AcDbEntity*>(to);
        dst_.adopt(e, c.owner);
        Access::setLayerOf(e, ensureLayer(dst_, getText(e, kEntityLayer, L"0")));
        Kind ok = Access::kind(c.owner);
        if (ok == kInsert || ok == kPolyline) {
            Access::setFlag(e, fOwnedByParent, true);
            if (dst_.paperSpace && Access::owner(c.owner) == dst_.paperSpace) setInt(e, Field{"AcDbEntity", 0, 67}, 1);
            if (k == kSeqEnd) {
                if (ok == kInsert) Access::seqend(static_cast<AcDbBlockReference*>(c.owner)) = e;
                else Access::seqend(static_cast<AcDb2dPolyline*>(c.owner)) = e;
            } else if (ok == kInsert) {
                Access::attributes(static_cast<AcDbBlockReference*>(c.owner)).push_back(e);
            } else {
                Access::vertices(static_cast<AcDb2dPolyline*>(c.owner)).push_back(e);
            }
            return;
        }
        auto* block = static_cast<AcDbBlockTableRecord*>(c.owner);
        if (block != dst_.modelSpace && block != dst_.paperSpace) Access::setFlag(e, fFromBlocks, true);
        if (block == dst_.paperSpace && dst_.paperSpace) setInt(e, Field{"AcDbEntity", 0, 67}, 1);
        Access::entities(block).push_back(e);
        return;
    }
    dst_.adopt(to, c.owner);
    dst_.ensureSection(SectionKind::Objects).items.push_back(to);
}

std::vector<AcDbEntity*> DeepCopy::run() {
    // copies_ grows while it is walked: discovery appends what each copy needs.
    for (size_t i = 0; i < copies_.size(); ++i) {
        Copy c = copies_[i];  // by value: discovery appends to copies_
        discover(c);
    }
    for (const Copy& c : copies_) build(c);
    // Tables and blocks first, so that entities find their layers and blocks when attached.
    std::stable_sort(copies_.begin(), copies_.end(), [](const Copy& a, const Copy& b) {
        return isTableRecordKind(Access::kind(a.from)) && !isTableRecordKind(Access::kind(b.from));
    });
    for (const Copy& c : copies_) attach(c);
    dst_.modified = true;
    return top_;
}

}  // namespace vx::db

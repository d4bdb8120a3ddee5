// Writes the drawing as DXF: untouched records byte for byte from the file's buffer, edited
// and new records from their tags in the file's encoding.
#include <algorithm>

#include "db/access.h"
#include "db/registry.h"
#include "dxf/dxf.h"
#include "text/encoding.h"

namespace vx::dxf {

using namespace vx::db;

namespace {

struct Writer {
    Store& st;
    std::string& out;
    const Sink* sink;
    std::vector<AcDbEntity*> kids;
    bool failed = false;

    // Hands full chunks to the sink, so a large drawing is never held twice in memory.
    void drain(bool all = false) {
        if (!sink || failed || (!all && out.size() < (4u << 20))) return;
        if (!(*sink)(out.data(), out.size())) failed = true;
        out.clear();
    }

    void rec(const AcDbObject* o) {
        if (!o || (Access::flags(o) & fSynthetic)) return;
        drain();
        if (!Access::isEdited(o) && Access::srcEnd(o) > Access::srcBegin(o)) {
            out.append(st.buffer, Access::srcBegin(o), Access::srcEnd(o) - Access::srcBegin(o));
            // The last record of a cut file may lack its line end (EOF may, as it came).
            if (out.back() != '\n' && o != st.eof) out += st.eol;
            return;
        }
        size_t n = Access::tagCount(o);
        for (size_t i = 0; i < n; ++i) {
            TagRef t = Access::tag(o, i);
            char code[16];
            int len = std::snprintf(code, sizeof code, "%3d", t.code);
            out.append(code, static_cast<size_t>(len));
            out += st.eol;
            if (t.utf8) out += encodeText(vx::text::fromUtf8(t.value), &st);
            else out.append(t.value.data(), t.value.size());
            out += st.eol;
        }
    }

    void raw(const char* type) {
        out += "  0";
        out += st.eol;
        out += type;
        out += st.eol;
    }

    void entity(AcDbEntity* e) {
        if (e->isErased()) return;
        rec(e);
        Access::children(e, kids);
        std::vector<AcDbEntity*> mine = kids;
        bool any = false;
        for (AcDbEntity* k : mine)
            if (!k->isErased() && Access::kind(k) != kSeqEnd) any = true;
        if (!any && Access::kind(e) == kInsert) return;
        for (AcDbEntity* k : mine)
            if (!k->isErased()) rec(k);
    }

    bool inEntitiesSection(const AcDbEntity* e, const AcDbBlockTableRecord* b) const {
        return (b == st.modelSpace || b == st.paperSpace) && !(Access::flags(e) & fFromBlocks);
    }

    void section(Section& s) {
        rec(s.begin);
        switch (s.kind) {
        case SectionKind::Header:
            break;
        case SectionKind::Classes:
        case SectionKind::Objects:
        case SectionKind::Other:
            for (AcDbObject* o : s.items)
                if (!o->isErased()) rec(o);
            break;
        case SectionKind::Tables:
            for (AcDbObject* o : s.items) {
                auto* t = static_cast<AcDbSymbolTable*>(o);
                rec(t);
                for (AcDbSymbolTableRecord* r : t->records())
                    if (!r->isErased()) rec(r);
                if (Access::tableEnd(t)) rec(Access::tableEnd(t));
                else raw("ENDTAB");
            }
            break;
        case SectionKind::Blocks:
            for (AcDbObject* o : s.items) {
                auto* b = static_cast<AcDbBlockTableRecord*>(o);
                if (b->isErased()) continue;
                rec(Access::blockBegin(b));
                for (AcDbEntity* e : b->entities())
                    if (!inEntitiesSection(e, b)) entity(e);
                if (Access::blockEnd(b)) rec(Access::blockEnd(b));
                else raw("ENDBLK");
            }
            break;
        case SectionKind::Entities: {
            static const std::vector<AcDbEntity*> none;
            const auto& ms = st.modelSpace ? st.modelSpace->entities() : none;
            const auto& ps = st.paperSpace ? st.paperSpace->entities() : none;
            size_t a = 0, b = 0;
            while (a < ms.size() || b < ps.size()) {
                bool takeModel = b >= ps.size() || (a < ms.size() && Access::seq(ms[a]) < Access::seq(ps[b]));
                AcDbEntity* e = takeModel ? ms[a++] : ps[b++];
                if (inEntitiesSection(e, takeModel ? st.modelSpace : st.paperSpace)) entity(e);
            }
            break;
        }
        }
        if (s.end) rec(s.end);
        else raw("ENDSEC");
    }
};

// Header variable: the value tag after "9 name", or -1.
int headerVar(const AcDbObject* h, std::string_view name) {
    size_t n = Access::tagCount(h);
    for (size_t i = 0; i + 1 < n; ++i) {
        TagRef t = Access::tag(h, i);
        if (t.code == 9 && trim(t.value) == name) return static_cast<int>(i + 1);
    }
    return -1;
}

// An edited file tells other readers the code page its names are written in.
void declareCodePage(Store& st) {
    if (!st.header || !st.modified || st.codePageDeclared || st.utf8 || st.versionNumber >= 1021) return;
    std::string name = dwgCodePageName(st.codePage);
    if (name.empty()) return;
    int at = headerVar(st.header, "$ACADVER");
    OwnTags& own = Access::edit(st.header);
    size_t pos = at >= 0 ? static_cast<size_t>(at) + 1 : std::min<size_t>(2, own.tags.size());
    own.tags.insert(own.tags.begin() + static_cast<long>(pos), {{9, false, "$DWGCODEPAGE"}, {3, false, name}});
    st.codePageDeclared = true;
}

// What must be true of every saved file, whatever was edited.
void prepare(Store& st) {
    declareCodePage(st);
    if (st.header && (st.versionNumber > 1009 || st.handles)) {
        std::string seed = formatHex(st.nextHandle);
        int at = headerVar(st.header, "$HANDSEED");
        if (at < 0) {
            OwnTags& own = Access::edit(st.header);
            own.tags.push_back({9, false, "$HANDSEED"});
            own.tags.push_back({5, false, seed});
        } else {
            uint64_t old = 0;
            parseHex(Access::tag(st.header, static_cast<size_t>(at)).value, old);
            if (old < st.nextHandle) Access::edit(st.header).tags[static_cast<size_t>(at)].value = seed;
        }
    }
    // A block with attributes to fill carries flag bit 2, or attribute tools do not see it.
    if (st.blockTable)
        for (AcDbSymbolTableRecord* r : st.blockTable->records()) {
            auto* b = AcDbBlockTableRecord::cast(r);
            AcDbObject* begin = b ? Access::blockBegin(b) : nullptr;
            if (!begin || b->isErased()) continue;
            bool attdefs = false;
            for (AcDbEntity* e : b->entities())
                if (!e->isErased() && Access::kind(e) == kAttDef && !static_cast<AcDbAttributeDefinition*>(e)->isConstant())
                    attdefs = true;
            long long flags = getInt(begin, Field{nullptr, 0, 70}, 0);
            if (attdefs && !(flags & 2)) setInt(begin, Field{nullptr, 0, 70}, flags | 2);
        }
    // The attribute chain flag follows the attributes that remain.
    for (auto& o : st.objects) {
        if (Access::kind(o.get()) != kInsert || o->isErased()) continue;
        std::vector<AcDbEntity*> kids;
        Access::children(o.get(), kids);
        bool any = false;
        for (AcDbEntity* k : kids)
            if (!k->isErased() && Access::kind(k) == kAttrib) any = true;
        Field f{"AcDbBlockReference", 0, 66};
        long long v = getInt(o.get(), f, 0);
        if (any && v != 1) setInt(o.get(), f, 1);
        if (!any && v == 1) removeField(o.get(), f);
    }
}

}  // namespace

Acad::ErrorStatus write(Store& st, const Sink& sink) {
    std::string buf;
    buf.reserve(5u << 20);
    prepare(st);
    Writer w{st, buf, &sink, {}};
    w.rec(st.prologue);
    for (Section& s : st.sections) w.section(s);
    if (st.eof) w.rec(st.eof);
    else w.raw("EOF");
    buf += st.trailer;
    w.drain(true);
    return w.failed ? Acad::eFileAccessErr : Acad::eOk;
}

Acad::ErrorStatus write(Store& st, std::string& out) {
    out.clear();
    out.reserve(st.buffer.size() + 4096);
    return write(st, [&](const char* p, size_t n) {
        out.append(p, n);
        return true;
    });
}

}  // namespace vx::dxf

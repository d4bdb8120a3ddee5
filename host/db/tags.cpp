// Tag access for database objects: loaded views or edited copies, text coding, typed fields.
#include <charconv>
#include <cstring>

#include "db/access.h"
#include "text/encoding.h"
#include "text/strings.h"

namespace vx::db {

size_t Access::tagCount(const AcDbObject* o) {
    if (!o->m_own && (o->m_flags & fNewTemplate)) fillTemplate(const_cast<AcDbObject*>(o));
    return o->m_own ? o->m_own->tags.size() : o->m_tagCount;
}

TagRef Access::tag(const AcDbObject* o, size_t i) {
    if (!o->m_own && (o->m_flags & fNewTemplate)) fillTemplate(const_cast<AcDbObject*>(o));
    if (o->m_own) {
        const OwnTag& t = o->m_own->tags[i];
        return {t.code, t.value, t.utf8};
    }
    const Store& st = o->m_db->store();
    const Tag& t = st.tags[o->m_tagFirst + i];
    return {t.code, st.value(t), false};
}

OwnTags& Access::edit(AcDbObject* o) {
    if (Store* st = store(o)) {
        st->modified = true;
        st->blockChanges.objectChanged(o);
    }
    touch(o);
    if (!o->m_own && (o->m_flags & fNewTemplate)) fillTemplate(o);
    if (!o->m_own) {
        auto own = std::make_unique<OwnTags>();
        own->tags.reserve(o->m_tagCount + 4);
        for (size_t i = 0; i < o->m_tagCount; ++i) {
            TagRef t = tag(o, i);
            own->tags.push_back({static_cast<int16_t>(t.code), false, std::string(t.value)});
        }
        o->m_own = std::move(own);
    }
    return *o->m_own;
}

std::string_view Access::typeName(const AcDbObject* o) {
    if (tagCount(o) == 0) return {};
    TagRef t = tag(o, 0);
    return t.code == 0 ? t.value : std::string_view();
}

void Access::children(const AcDbObject* o, std::vector<AcDbEntity*>& out) {
    out.clear();
    switch (kind(o)) {
    case kInsert: {
        auto* r = const_cast<AcDbBlockReference*>(static_cast<const AcDbBlockReference*>(o));
        out = r->m_attributes;
        if (r->m_seqend) out.push_back(r->m_seqend);
        break;
    }
    case kPolyline: {
        auto* p = const_cast<AcDb2dPolyline*>(static_cast<const AcDb2dPolyline*>(o));
        out = p->m_vertices;
        if (p->m_seqend) out.push_back(p->m_seqend);
        break;
    }
    default:
        break;
    }
}

// ---- numbers -------------------------------------------------------------------------------

std::string_view trim(std::string_view s) { return vx::text::trim(s, " \t\r"); }

bool parseDouble(std::string_view s, double& out) {
    s = trim(s);
    if (s.empty()) return false;
    if (s[0] == '+') s.remove_prefix(1);
    auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool parseInt(std::string_view s, long long& out) {
    s = trim(s);
    if (s.empty()) return false;
    if (s[0] == '+') s.remove_prefix(1);
    auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    if (r.ec == std::errc() && r.ptr == s.data() + s.size()) return true;
    // Integers written as floats ("1.0") are read by their value.
    double d;
    if (parseDouble(s, d) && d > -9.2e18 && d < 9.2e18) {
        out = static_cast<long long>(d);
        return true;
    }
    return false;
}

bool parseHex(std::string_view s, uint64_t& out) {
    s = trim(s);
    if (s.empty() || s.size() > 16) return false;
    auto r = std::from_chars(s.data(), s.data() + s.size(), out, 16);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

std::string formatDouble(double v) {
    if (v == 0.0) return "0.0";
    char buf[40];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    std::string s(buf, r.ptr);
    if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
    return s;
}

std::string formatHex(uint64_t v) {
    char buf[20];
    auto r = std::to_chars(buf, buf + sizeof buf, v, 16);
    std::string s(buf, r.ptr);
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// ---- text ----------------------------------------------------------------------------------

namespace {

const char* mbcsCodePage(int n) {
    switch (n) {
    case 1: return "CP932";
    case 2: return "CP950";
    case 3: return "CP949";
    case 4: return "JOHAB";
    case 5: return "GBK";
    default: return nullptr;
    }
}

int hexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

bool hexRun(std::wstring_view s, size_t at, size_t n, unsigned& out) {
    if (at + n > s.size()) return false;
    out = 0;
    for (size_t i = 0; i < n; ++i) {
        int h = hexValue(s[at + i]);
        if (h < 0) return false;
        out = out * 16 + static_cast<unsigned>(h);
    }
    return true;
}

}  // namespace

std::wstring unescapeDxf(std::wstring_view s) {
    if (s.find(L'\\') == std::wstring_view::npos) return std::wstring(s);
    std::wstring out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned v;
        if (s[i] == L'\\' && i + 2 < s.size() && (s[i + 1] == L'U' || s[i + 1] == L'u') && s[i + 2] == L'+' &&
            hexRun(s, i + 3, 4, v)) {
            out += static_cast<wchar_t>(v);
            i += 6;
            continue;
        }
        if (s[i] == L'\\' && i + 2 < s.size() && (s[i + 1] == L'M' || s[i + 1] == L'm') && s[i + 2] == L'+' &&
            i + 3 < s.size() && mbcsCodePage(s[i + 3] - L'0') && hexRun(s, i + 4, 4, v)) {
            char bytes[2] = {static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
            bool lossy = false;
            std::wstring w = vx::text::fromCodePage(std::string_view(bytes, 2), mbcsCodePage(s[i + 3] - L'0'), &lossy);
            if (!lossy && !w.empty()) {
                out += w;
                i += 7;
                continue;
            }
        }
        out += s[i];
    }
    // Two \U+ escapes may form a surrogate pair (characters beyond the basic plane).
    for (size_t i = 0; i + 1 < out.size(); ++i) {
        if (out[i] >= 0xD800 && out[i] < 0xDC00 && out[i + 1] >= 0xDC00 && out[i + 1] < 0xE000) {
            wchar_t c = static_cast<wchar_t>(0x10000 + ((out[i] - 0xD800) << 10) + (out[i + 1] - 0xDC00));
            out.replace(i, 2, 1, c);
        }
    }
    return out;
}

std::wstring decodeText(const TagRef& t, const Store* st) {
    std::string_view v = t.value;
    bool ascii = true;
    for (char c : v)
        if (static_cast<unsigned char>(c) >= 0x80) { ascii = false; break; }
    std::wstring w;
    if (ascii) {
        w.assign(v.begin(), v.end());
    } else if (t.utf8 || !st || st->utf8) {
        w = vx::text::fromUtf8(v);
    } else {
        w = vx::text::fromCodePage(v, st->codePage);
    }
    if (t.utf8) return w;
    return unescapeDxf(w);
}

namespace {
void appendEscape(std::string& out, unsigned v) {
    char buf[12];
    std::snprintf(buf, sizeof buf, "\\U+%04X", v & 0xFFFF);
    out += buf;
}
}  // namespace

std::string encodeText(std::wstring_view text, const Store* st) {
    if (!st || st->utf8) return vx::text::toUtf8(text);
    std::string out;
    if (vx::text::toCodePage(text, st->codePage, out)) return out;
    // Characters the code page lacks become \U+ escapes; nothing is dropped.
    out.clear();
    for (wchar_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        std::string one;
        if (vx::text::toCodePage(std::wstring_view(&c, 1), st->codePage, one)) {
            out += one;
        } else if (static_cast<unsigned>(c) > 0xFFFF) {
            unsigned u = static_cast<unsigned>(c) - 0x10000;
            appendEscape(out, 0xD800 + (u >> 10));
            appendEscape(out, 0xDC00 + (u & 0x3FF));
        } else {
            appendEscape(out, static_cast<unsigned>(c));
        }
    }
    return out;
}

bool sameName(std::wstring_view a, std::wstring_view b) { return vx::text::equalNoCase(a, b); }

// ---- fields --------------------------------------------------------------------------------

namespace {

bool hasMarkers(const AcDbObject* o, size_t n) {
    for (size_t i = 1; i < n; ++i)
        if (Access::tag(o, i).code == 100) return true;
    return false;
}

// Calls fn(index, tag) for the tags of the field's section(s); stops when fn returns true.
// Returns the insertion index for the field (end of its first section) through `insertAt`
// and whether a matching section exists.
template <class Fn>
bool walkSection(const AcDbObject* o, const Field& f, Fn fn, size_t* insertAt, bool* sectionFound) {
    size_t n = Access::tagCount(o);
    bool markers = f.subclass && hasMarkers(o, n);
    bool in = !markers;
    bool found = !markers;
    int occ = 0;
    size_t insert = n;
    bool insertSet = false;
    for (size_t i = 1; i < n; ++i) {
        TagRef t = Access::tag(o, i);
        if (t.code == 102 && !t.value.empty() && t.value[0] == '{') {
            while (i + 1 < n && !(Access::tag(o, i + 1).code == 102 && Access::tag(o, i + 1).value == "}")) ++i;
            ++i;
            continue;
        }
        if (t.code == 1001 || t.code == 101) {
            if (!insertSet) insert = i;
            insertSet = true;
            break;
        }
        if (markers && t.code == 100) {
            if (in && found && !insertSet) {
                insert = i;
                insertSet = true;
            }
            bool match = t.value == f.subclass;
            if (match) ++occ;
            in = match && (f.occurrence == 0 || occ == f.occurrence);
            if (in && !found) found = true;
            continue;
        }
        if (in && fn(i, t)) return true;
    }
    if (insertAt) *insertAt = insert;
    if (sectionFound) *sectionFound = found;
    return false;
}

}  // namespace

int findField(const AcDbObject* o, const Field& f) {
    int at = -1;
    walkSection(o, f, [&](size_t i, const TagRef& t) {
        if (t.code != f.code) return false;
        at = static_cast<int>(i);
        return true;
    }, nullptr, nullptr);
    return at;
}

bool hasField(const AcDbObject* o, const Field& f) { return findField(o, f) >= 0; }

double getReal(const AcDbObject* o, const Field& f, double def) {
    int i = findField(o, f);
    double v;
    return i >= 0 && parseDouble(Access::tag(o, static_cast<size_t>(i)).value, v) ? v : def;
}

long long getInt(const AcDbObject* o, const Field& f, long long def) {
    int i = findField(o, f);
    long long v;
    return i >= 0 && parseInt(Access::tag(o, static_cast<size_t>(i)).value, v) ? v : def;
}

std::wstring getText(const AcDbObject* o, const Field& f, const wchar_t* def) {
    int i = findField(o, f);
    if (i < 0) return def;
    return decodeText(Access::tag(o, static_cast<size_t>(i)), Access::store(o));
}

uint64_t getHandle(const AcDbObject* o, const Field& f) {
    int i = findField(o, f);
    uint64_t h = 0;
    if (i >= 0) parseHex(Access::tag(o, static_cast<size_t>(i)).value, h);
    return h;
}

AcGePoint3d getPoint(const AcDbObject* o, const Field& f, const AcGePoint3d& def) {
    int i = findField(o, f);
    if (i < 0) return def;
    AcGePoint3d p(0, 0, 0);
    size_t n = Access::tagCount(o);
    parseDouble(Access::tag(o, static_cast<size_t>(i)).value, p.x);
    for (size_t j = static_cast<size_t>(i) + 1; j < n && j <= static_cast<size_t>(i) + 2; ++j) {
        TagRef t = Access::tag(o, j);
        if (t.code == f.code + 10) parseDouble(t.value, p.y);
        else if (t.code == f.code + 20) parseDouble(t.value, p.z);
        else break;
    }
    return p;
}

AcGeVector3d getVector(const AcDbObject* o, const Field& f, const AcGeVector3d& def) {
    if (findField(o, f) < 0) return def;
    AcGePoint3d p = getPoint(o, f);
    return p.asVector();
}

void setRaw(AcDbObject* o, const Field& f, std::string value, bool utf8) {
    int i = findField(o, f);
    OwnTags& own = Access::edit(o);
    if (i >= 0) {
        own.tags[static_cast<size_t>(i)].value = std::move(value);
        own.tags[static_cast<size_t>(i)].utf8 = utf8;
        return;
    }
    size_t at = own.tags.size();
    bool found = true;
    walkSection(o, f, [](size_t, const TagRef&) { return false; }, &at, &found);
    if (!found) {
        own.tags.insert(own.tags.begin() + static_cast<long>(at), OwnTag{100, false, f.subclass});
        ++at;
    }
    own.tags.insert(own.tags.begin() + static_cast<long>(at), OwnTag{f.code, utf8, std::move(value)});
}

void setReal(AcDbObject* o, const Field& f, double v) { setRaw(o, f, formatDouble(v), false); }
void setInt(AcDbObject* o, const Field& f, long long v) { setRaw(o, f, std::to_string(v), false); }
void setHandle(AcDbObject* o, const Field& f, uint64_t h) { setRaw(o, f, formatHex(h), false); }
void setText(AcDbObject* o, const Field& f, std::wstring_view v) { setRaw(o, f, vx::text::toUtf8(v), true); }

void setPoint(AcDbObject* o, const Field& f, const AcGePoint3d& p, bool withZ) {
    setReal(o, f, p.x);
    size_t i = static_cast<size_t>(findField(o, f));
    OwnTags& own = Access::edit(o);
    const double vals[2] = {p.y, p.z};
    for (int k = 0; k < 2; ++k) {
        size_t j = i + 1 + static_cast<size_t>(k);
        int16_t code = static_cast<int16_t>(f.code + 10 * (k + 1));
        if (j < own.tags.size() && own.tags[j].code == code) {
            own.tags[j].value = formatDouble(vals[k]);
            own.tags[j].utf8 = false;
        } else if (k == 0 || withZ) {
            own.tags.insert(own.tags.begin() + static_cast<long>(j), OwnTag{code, false, formatDouble(vals[k])});
        }
    }
}

void removeField(AcDbObject* o, const Field& f) {
    int i = findField(o, f);
    if (i < 0) return;
    OwnTags& own = Access::edit(o);
    own.tags.erase(own.tags.begin() + i);
}

}  // namespace vx::db

// AcDbDatabase: building, reading and saving a drawing, and its well-known objects.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <fstream>

#include "db/access.h"
#include "db/default_drawing.h"
#include "db/read_progress.h"
#include "db/symbols.h"
#include "dxf/dxf.h"
#include "text/encoding.h"
#include "win32/paths.h"
#include "win32/safe_file.h"

using namespace vx::db;

namespace {

thread_local std::wstring g_lastReadMessage;

// In pieces, so that a listener hears how far the read got (a large drawing takes a while from
// a network drive) and may stop it.
constexpr std::streamoff kReadPiece = 8 << 20;

bool readAll(const std::string& path, std::string& out) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return false;
    f.seekg(0, std::ios::end);
    std::streamoff size = f.tellg();
    f.seekg(0, std::ios::beg);
    if (size > 0) {
        out.resize(static_cast<size_t>(size));
        std::streamoff got = 0;
        while (got < size && f) {
            f.read(&out[static_cast<size_t>(got)], std::min(kReadPiece, size - got));
            got += f.gcount();
            if (!reportRead(static_cast<uint64_t>(got), 3 * static_cast<uint64_t>(size))) break;
        }
        out.resize(static_cast<size_t>(got));
    }
    return !f.bad();
}

bool exists(const std::string& p) {
    struct stat sb;
    return ::stat(p.c_str(), &sb) == 0 && S_ISREG(sb.st_mode);
}

bool endsWithNoCase(const std::string& s, const char* suffix) {
    size_t n = std::strlen(suffix);
    if (s.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - n + i])) != suffix[i]) return false;
    return true;
}

AcDbObjectId idOf(const AcDbObject* o) { return AcDbObjectId::fromObject(o); }

template <class T>
Acad::ErrorStatus openTable(AcDbSymbolTable* t, T*& out, AcDb::OpenMode mode) {
    out = nullptr;
    if (!t) return Acad::eNullObjectId;
    return acdbOpenObject(out, idOf(t), mode);
}

AcDbDictionary* namedDict(const Store& st, const wchar_t* key) {
    if (!st.nod) return nullptr;
    AcDbObjectId id;
    if (st.nod->getAt(key, id) != Acad::eOk) return nullptr;
    return AcDbDictionary::cast(id.object());
}

AcDbObject* headerRecord(const Store& st, std::string_view var, const AcDbSymbolTable* table) {
    if (!st.header || !table) return nullptr;
    size_t n = Access::tagCount(st.header);
    for (size_t i = 0; i + 1 < n; ++i) {
        TagRef t = Access::tag(st.header, i);
        if (t.code == 9 && trim(t.value) == var)
            return findRecord(table, decodeText(Access::tag(st.header, i + 1), &st));
    }
    return nullptr;
}

Acad::ErrorStatus setHeaderName(Store& st, std::string_view var, int code, const AcDbSymbolTableRecord* rec) {
    if (!st.header || !rec) return Acad::eInvalidInput;
    size_t n = Access::tagCount(st.header);
    for (size_t i = 0; i + 1 < n; ++i) {
        TagRef t = Access::tag(st.header, i);
        if (t.code == 9 && trim(t.value) == var) {
            OwnTags& own = Access::edit(st.header);
            own.tags[i + 1].value = vx::text::toUtf8(rec->name().str());
            own.tags[i + 1].utf8 = true;
            return Acad::eOk;
        }
    }
    OwnTags& own = Access::edit(st.header);
    own.tags.push_back({9, false, std::string(var)});
    own.tags.push_back({static_cast<int16_t>(code), true, vx::text::toUtf8(rec->name().str())});
    return Acad::eOk;
}

}  // namespace

const wchar_t* vx::db::lastReadMessage() { return g_lastReadMessage.c_str(); }

AcDbDatabase::AcDbDatabase(bool buildDefaultDrawing, bool) : m_store(std::make_unique<Store>(this)) {
    if (!buildDefaultDrawing) return;
    std::wstring msg;
    vx::dxf::read(*m_store, vx::db::defaultDrawingDxf(), msg);
    m_store->modified = false;
}

AcDbDatabase::~AcDbDatabase() = default;

Acad::ErrorStatus AcDbDatabase::readDwgFile(const ACHAR* fileName, int, bool, const wchar_t*) {
    Store& st = *m_store;
    st.message.clear();
    g_lastReadMessage.clear();
    auto fail = [&](Acad::ErrorStatus es, std::wstring msg) {
        st.message = std::move(msg);
        g_lastReadMessage = st.message;
        return es;
    };
    if (!fileName || !*fileName) return fail(Acad::eInvalidInput, L"no file name was given");
    std::string path = vx::win32::nativePath(fileName);
    if (!exists(path) && endsWithNoCase(path, ".dwg")) {
        std::string dxf = path.substr(0, path.size() - 4) + ".dxf";
        if (exists(dxf)) path = dxf;
    }
    std::wstring shown = vx::text::fromUtf8(path);
    struct stat sb;
    if (::stat(path.c_str(), &sb) != 0)
        return errno == ENOENT || errno == ENOTDIR ? fail(Acad::eFileNotFound, shown + L": no such file")
                                                   : fail(Acad::eFileAccessErr, shown + L": the file cannot be read");
    if (S_ISDIR(sb.st_mode)) return fail(Acad::eFileAccessErr, shown + L" is a folder, not a drawing file");
    // A device or pipe (/dev/null, a FIFO) is no drawing, and reading one could block.
    if (!S_ISREG(sb.st_mode)) return fail(Acad::eFileAccessErr, shown + L" is not a drawing file");
    vx::win32::removeStaleTemporaries(vx::win32::resolveForWrite(path));  // left by a killed save
    std::string bytes;
    beginRead();
    if (!readAll(path, bytes)) return fail(Acad::eFileAccessErr, shown + L": the file cannot be read");
    if (readStopped()) return fail(Acad::eUserBreak, shown + L": the load was cancelled");
    if (bytes.compare(0, 4, "AC10") == 0 || bytes.compare(0, 4, "AC1.") == 0)
        return fail(Acad::eUnsupportedFileFormat,
                    shown + L" is a DWG file; this host reads DXF: save the drawing as DXF");
    // Read into a scratch store first, so that a failed read leaves this database as it was.
    // Objects reach their store through this database, so the scratch store is installed
    // while it is read and the old one put back when the read fails.
    auto old = std::make_unique<Store>(this);
    m_store.swap(old);
    std::wstring msg;
    Acad::ErrorStatus es = vx::dxf::read(*m_store, std::move(bytes), msg);
    if (es != Acad::eOk) {
        m_store.swap(old);
        return fail(es, shown + L": " + msg);
    }
    // The old contents go with the old store (their objects still name this database, so
    // references leave their attributes to the store that owns them).
    m_store->blockChanges.takeListeners(old->blockChanges);
    m_store->blockChanges.replaced();
    old.reset();
    m_store->fileName = vx::text::fromUtf8(path);
    m_store->modified = false;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::saveAs(const ACHAR* fileName) {
    Store& st = *m_store;
    st.message.clear();
    if (!fileName || !*fileName) {
        st.message = L"no file name was given";
        return Acad::eInvalidInput;
    }
    if (!st.header) {
        st.message = L"the database holds no drawing";
        return Acad::eNoDatabase;
    }
    std::string path = vx::win32::nativePath(fileName);
    Acad::ErrorStatus es = vx::dxf::saveFile(
        path, [&](const vx::dxf::Sink& sink) { return vx::dxf::write(st, sink); }, st.message);
    if (es != Acad::eOk) return es;
    st.fileName = vx::text::fromUtf8(path);
    st.modified = false;
    return Acad::eOk;
}

const ACHAR* AcDbDatabase::lastReadMessage() const { return m_store->message.c_str(); }
const std::vector<std::wstring>& AcDbDatabase::readAudit() const { return m_store->audit; }
Acad::ErrorStatus AcDbDatabase::getFilename(const ACHAR*& name) const {
    name = m_store->fileName.c_str();
    return Acad::eOk;
}
AcString AcDbDatabase::versionString() const {
    return AcString(std::wstring(m_store->version.begin(), m_store->version.end()));
}
bool AcDbDatabase::isModified() const { return m_store->modified; }

Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbBlockTable*& t, AcDb::OpenMode m) { return openTable(m_store->blockTable, t, m); }
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbLayerTable*& t, AcDb::OpenMode m) { return openTable(m_store->layerTable, t, m); }
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbTextStyleTable*& t, AcDb::OpenMode m) { return openTable(m_store->styleTable, t, m); }
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbLinetypeTable*& t, AcDb::OpenMode m) { return openTable(m_store->linetypeTable, t, m); }
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbRegAppTable*& t, AcDb::OpenMode m) { return openTable(m_store->appidTable, t, m); }
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbDimStyleTable*& t, AcDb::OpenMode m) { return openTable(m_store->dimstyleTable, t, m); }
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbViewportTable*& t, AcDb::OpenMode m) { return openTable(m_store->vportTable, t, m); }
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbViewTable*& t, AcDb::OpenMode m) { return openTable(m_store->viewTable, t, m); }
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbUCSTable*& t, AcDb::OpenMode m) { return openTable(m_store->ucsTable, t, m); }

AcDbObjectId AcDbDatabase::blockTableId() const { return idOf(m_store->blockTable); }
AcDbObjectId AcDbDatabase::layerTableId() const { return idOf(m_store->layerTable); }
AcDbObjectId AcDbDatabase::textStyleTableId() const { return idOf(m_store->styleTable); }
AcDbObjectId AcDbDatabase::linetypeTableId() const { return idOf(m_store->linetypeTable); }
AcDbObjectId AcDbDatabase::regAppTableId() const { return idOf(m_store->appidTable); }
AcDbObjectId AcDbDatabase::dimStyleTableId() const { return idOf(m_store->dimstyleTable); }
AcDbObjectId AcDbDatabase::viewportTableId() const { return idOf(m_store->vportTable); }
AcDbObjectId AcDbDatabase::viewTableId() const { return idOf(m_store->viewTable); }
AcDbObjectId AcDbDatabase::UCSTableId() const { return idOf(m_store->ucsTable); }

AcDbObjectId AcDbDatabase::namedObjectsDictionaryId() const { return idOf(m_store->nod); }
Acad::ErrorStatus AcDbDatabase::getNamedObjectsDictionary(AcDbDictionary*& d, AcDb::OpenMode m) {
    d = nullptr;
    if (!m_store->nod) return Acad::eNullObjectId;
    return acdbOpenObject(d, idOf(m_store->nod), m);
}
AcDbObjectId AcDbDatabase::layoutDictionaryId() const { return idOf(namedDict(*m_store, L"ACAD_LAYOUT")); }
Acad::ErrorStatus AcDbDatabase::getLayoutDictionary(AcDbDictionary*& d, AcDb::OpenMode m) {
    d = nullptr;
    AcDbObjectId id = layoutDictionaryId();
    return id.isNull() ? Acad::eNullObjectId : acdbOpenObject(d, id, m);
}
AcDbObjectId AcDbDatabase::plotSettingsDictionaryId() const { return idOf(namedDict(*m_store, L"ACAD_PLOTSETTINGS")); }
Acad::ErrorStatus AcDbDatabase::getPlotSettingsDictionary(AcDbDictionary*& d, AcDb::OpenMode m) {
    d = nullptr;
    AcDbObjectId id = plotSettingsDictionaryId();
    return id.isNull() ? Acad::eNullObjectId : acdbOpenObject(d, id, m);
}

AcDbObjectId AcDbDatabase::modelSpaceId() const { return idOf(m_store->modelSpace); }
AcDbObjectId AcDbDatabase::paperSpaceId() const { return idOf(m_store->paperSpace); }
AcDbObjectId AcDbDatabase::currentSpaceId() const { return tilemode() ? modelSpaceId() : paperSpaceId(); }

AcDbObjectId AcDbDatabase::clayer() const {
    AcDbObject* r = headerRecord(*m_store, "$CLAYER", m_store->layerTable);
    return idOf(r ? r : findRecord(m_store->layerTable, L"0"));
}
Acad::ErrorStatus AcDbDatabase::setClayer(AcDbObjectId id) {
    return setHeaderName(*m_store, "$CLAYER", 8, AcDbLayerTableRecord::cast(id.object()));
}
AcDbObjectId AcDbDatabase::textstyle() const {
    AcDbObject* r = headerRecord(*m_store, "$TEXTSTYLE", m_store->styleTable);
    return idOf(r ? r : findRecord(m_store->styleTable, L"Standard"));
}
Acad::ErrorStatus AcDbDatabase::setTextstyle(AcDbObjectId id) {
    return setHeaderName(*m_store, "$TEXTSTYLE", 7, AcDbTextStyleTableRecord::cast(id.object()));
}
AcDbObjectId AcDbDatabase::byLayerLinetype() const { return idOf(findRecord(m_store->linetypeTable, L"ByLayer")); }
AcDbObjectId AcDbDatabase::byBlockLinetype() const { return idOf(findRecord(m_store->linetypeTable, L"ByBlock")); }
AcDbObjectId AcDbDatabase::continuousLinetype() const { return idOf(findRecord(m_store->linetypeTable, L"Continuous")); }

bool AcDbDatabase::tilemode() const {
    const Store& st = *m_store;
    if (!st.header) return true;
    size_t n = Access::tagCount(st.header);
    for (size_t i = 0; i + 1 < n; ++i) {
        TagRef t = Access::tag(st.header, i);
        long long v = 1;
        if (t.code == 9 && trim(t.value) == "$TILEMODE" && parseInt(Access::tag(st.header, i + 1).value, v)) return v != 0;
    }
    return true;
}

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& id, bool, const AcDbHandle& h, uint32_t) {
    id = AcDbObjectId::fromObject(m_store->byHandleOrNull(h.value()));
    return id.isNull() ? Acad::eUnknownHandle : Acad::eOk;
}

AcDbHandle AcDbDatabase::handseed() const { return AcDbHandle(m_store->nextHandle); }

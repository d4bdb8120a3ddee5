// The storage behind an AcDbDatabase: the file's bytes, the raw tags as views into them, every
// object the database owns, the handle map, the file's section layout and the read audit.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "db/block_changes.h"
#include "db/block_extents.h"
#include "db/block_index.h"
#include "dbdatabase.h"
#include "dbents.h"

namespace vx::db {

// One loaded tag (8 bytes): group code and the value's bytes in Store::buffer (line end
// excluded). A value runs to the end of its line, so a length too long for 16 bits is found
// again from the buffer (kLongValue).
struct Tag {
    int16_t code;
    uint16_t len;
    uint32_t off;
};
constexpr uint16_t kLongValue = 0xFFFF;

// A tag of an edited or new record. `utf8` values were set through the API and are encoded
// for the file when written; the others are the file's own bytes.
struct OwnTag {
    int16_t code;
    bool utf8;
    std::string value;
};
struct OwnTags {
    std::vector<OwnTag> tags;
};

// What a record is; decides its C++ class and where it lives in the file.
enum Kind : uint16_t {
    kGeneric = 0,
    kSectionBegin, kSectionEnd, kEof, kClass, kTable, kTableEnd, kBlockBegin, kBlockEnd,
    kBlockRecord, kLayer, kTextStyle, kLinetype, kRegApp, kDimStyle, kVportRec, kViewRec, kUcsRec,
    kLine, kCircle, kArc, kEllipse, kPoint, kSolid, kLwPolyline, kPolyline, kVertex, kSeqEnd,
    kText, kMText, kAttDef, kAttrib, kInsert, kHatch, kDimension, kViewport, kUnknownEntity,
    kDictionary, kLayout, kPlotSettings, kXrecord, kUnknownObject,
};

// Object flags (AcDbObject::m_flags).
// fFromBlocks: read inside a BLOCK (written back there even for a layout block).
// fNewTemplate: made by a constructor; its tags are the template of its kind, filled in on
// first use (a reader gives the object its loaded tags instead, and never pays for them).
enum : uint8_t { fErased = 1, fSynthetic = 2, fOwnedByParent = 4, fFromBlocks = 8, fNewTemplate = 16 };

enum class SectionKind { Header, Classes, Tables, Blocks, Entities, Objects, Other };

struct Section {
    SectionKind kind;
    AcDbObject* begin = nullptr;        // "0 SECTION / 2 NAME" (HEADER: with the variables)
    std::vector<AcDbObject*> items;     // classes, tables, block records, objects, raw records
    AcDbObject* end = nullptr;          // ENDSEC
};

// A cache another part keeps over one drawing (the renderer's spatial index for selection),
// owned by the store so that it lives and dies with the drawing it describes.
class Attachment {
public:
    virtual ~Attachment() = default;
};

class Store {
public:
    explicit Store(AcDbDatabase* db);

    std::string_view value(const Tag& t) const {
        if (t.len != kLongValue) return std::string_view(buffer.data() + t.off, t.len);
        size_t e = buffer.find('\n', t.off);
        if (e == std::string::npos) e = buffer.size();
        if (e > t.off && buffer[e - 1] == '\r') --e;
        return std::string_view(buffer.data() + t.off, e - t.off);
    }

    // Takes ownership and gives the object a new handle when it has none.
    void adopt(AcDbObject* obj, AcDbObject* owner);
    uint64_t newHandle() { return nextHandle++; }
    AcDbObject* byHandleOrNull(uint64_t h) const {
        auto it = byHandle.find(h);
        return it == byHandle.end() ? nullptr : it->second;
    }
    void registerHandle(AcDbObject* obj);
    Section* section(SectionKind k);
    Section& ensureSection(SectionKind k);
    void note(std::wstring msg) { audit.push_back(std::move(msg)); }
    void clear();

    AcDbDatabase* db;
    std::string buffer;   // the file as read (a binary file converted to text), then the reader's additions
    size_t fileSize = 0;  // where the file ends in `buffer`
    std::vector<Tag> tags;
    std::vector<std::unique_ptr<AcDbObject>> objects;
    std::unordered_map<uint64_t, AcDbObject*> byHandle;
    uint64_t nextHandle = 1;
    // Handles for R12 records written without one: never written, and above every real handle.
    uint64_t internalHandle = 1ULL << 62;
    uint32_t nextSeq = 1;

    // File properties.
    std::string version = "AC1024";
    int versionNumber = 1024;    // the digits of $ACADVER
    bool utf8 = true;            // how strings of the file are encoded
    std::string codePage;        // iconv name when !utf8
    bool codePageDeclared = true;  // the header names it ($DWGCODEPAGE); else named on the first edited save
    std::string eol = "\n";
    bool handles = true;         // records carry handles (R12 may not)
    bool binary = false;
    std::string trailer;         // bytes after EOF, written back

    std::vector<Section> sections;
    AcDbObject* header = nullptr;  // the HEADER section record
    AcDbObject* prologue = nullptr;  // comments (999) before the first section
    AcDbObject* eof = nullptr;

    AcDbSymbolTable* blockTable = nullptr;
    AcDbSymbolTable* layerTable = nullptr;
    AcDbSymbolTable* styleTable = nullptr;
    AcDbSymbolTable* linetypeTable = nullptr;
    AcDbSymbolTable* appidTable = nullptr;
    AcDbSymbolTable* dimstyleTable = nullptr;
    AcDbSymbolTable* vportTable = nullptr;
    AcDbSymbolTable* viewTable = nullptr;
    AcDbSymbolTable* ucsTable = nullptr;
    AcDbBlockTableRecord* modelSpace = nullptr;
    AcDbBlockTableRecord* paperSpace = nullptr;
    AcDbDictionary* nod = nullptr;

    std::vector<std::wstring> audit;
    std::wstring message;
    std::wstring fileName;
    bool modified = false;
    // Caches over the drawing (the render scene) compare these: `serial` names this store in
    // the process (a database that reads another file gets a new store; `clear` a new serial),
    // `revision` moves with every change of an object and every object added.
    uint64_t serial;
    uint64_t revision = 0;

    // Derived from the block definitions: the change hook first, the caches that follow it after.
    BlockChanges blockChanges;
    BlockIndex blockIndex;
    BlockExtents blockExtents{blockChanges};
    // Declared last: destroyed first, while the objects it points at still exist.
    std::unique_ptr<Attachment> spatialIndex;
};

// Version number from "AC1024" (0 when unreadable).
int versionNumberOf(std::string_view acadver);

}  // namespace vx::db

// AcDbDatabase: one drawing — its tables, dictionaries, objects and the DXF file it came from.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "dbdict.h"
#include "dbsymtb.h"

#ifndef _SH_DENYRW
#define _SH_DENYRW 0x10
#define _SH_DENYWR 0x20
#define _SH_DENYRD 0x30
#define _SH_DENYNO 0x40
#endif

namespace vx::db {
class Store;
// The reason the last failed read gave, for the editor to print ("" after a good read).
const wchar_t* lastReadMessage();
// What the last insert or wblock on this thread had to convert or leave out because the target
// is an older drawing (R12), as one line for the command line; "" when everything was copied.
const wchar_t* lastCopyReport();
}  // namespace vx::db

class AcDbDatabase : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbDatabase);
    // buildDefaultDrawing: the tables, blocks, dictionaries and layouts of an empty drawing
    // (AC1024). Without it the database is empty until a drawing is read into it.
    explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    ~AcDbDatabase() override;
    AcDbDatabase(const AcDbDatabase&) = delete;
    AcDbDatabase& operator=(const AcDbDatabase&) = delete;

    // Reads a DXF drawing (ASCII of any version from R12, or binary) whatever the file is
    // called; a missing "X.dwg" is read as "X.dxf". A DWG file fails with
    // eUnsupportedFileFormat. Repairs made to a damaged file are listed in readAudit().
    Acad::ErrorStatus readDwgFile(const ACHAR* fileName, int shmode = _SH_DENYWR,
                                  bool allowCPConversion = false, const wchar_t* password = nullptr);
    // Writes DXF in the version that was read (new drawings AC1024): a temporary file beside
    // the target, flushed and renamed over it; the previous file is kept as NAME.bak.
    Acad::ErrorStatus saveAs(const ACHAR* fileName);
    // The message of the last failed read or save on this database, "" when none failed.
    const ACHAR* lastReadMessage() const;
    const std::vector<std::wstring>& readAudit() const;
    Acad::ErrorStatus getFilename(const ACHAR*& name) const;
    // "AC1024" ...
    AcString versionString() const;
    // True after any change since the drawing was read, created or saved.
    bool isModified() const;

    Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& t, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbLayerTable*& t, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbTextStyleTable*& t, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbLinetypeTable*& t, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbRegAppTable*& t, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbDimStyleTable*& t, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbViewportTable*& t, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbViewTable*& t, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbUCSTable*& t, AcDb::OpenMode mode);
    Acad::ErrorStatus getBlockTable(AcDbBlockTable*& t, AcDb::OpenMode mode) { return getSymbolTable(t, mode); }
    Acad::ErrorStatus getLayerTable(AcDbLayerTable*& t, AcDb::OpenMode mode) { return getSymbolTable(t, mode); }
    Acad::ErrorStatus getTextStyleTable(AcDbTextStyleTable*& t, AcDb::OpenMode mode) { return getSymbolTable(t, mode); }
    Acad::ErrorStatus getLinetypeTable(AcDbLinetypeTable*& t, AcDb::OpenMode mode) { return getSymbolTable(t, mode); }

    AcDbObjectId blockTableId() const;
    AcDbObjectId layerTableId() const;
    AcDbObjectId textStyleTableId() const;
    AcDbObjectId linetypeTableId() const;
    AcDbObjectId regAppTableId() const;
    AcDbObjectId dimStyleTableId() const;
    AcDbObjectId viewportTableId() const;
    AcDbObjectId viewTableId() const;
    AcDbObjectId UCSTableId() const;

    AcDbObjectId namedObjectsDictionaryId() const;
    Acad::ErrorStatus getNamedObjectsDictionary(AcDbDictionary*& dict, AcDb::OpenMode mode);
    AcDbObjectId layoutDictionaryId() const;
    Acad::ErrorStatus getLayoutDictionary(AcDbDictionary*& dict, AcDb::OpenMode mode);
    AcDbObjectId plotSettingsDictionaryId() const;
    Acad::ErrorStatus getPlotSettingsDictionary(AcDbDictionary*& dict, AcDb::OpenMode mode);

    // The model-space and (active) paper-space block records.
    AcDbObjectId modelSpaceId() const;
    AcDbObjectId paperSpaceId() const;
    AcDbObjectId currentSpaceId() const;
    AcDbObjectId clayer() const;
    Acad::ErrorStatus setClayer(AcDbObjectId layer);
    AcDbObjectId textstyle() const;
    Acad::ErrorStatus setTextstyle(AcDbObjectId style);
    AcDbObjectId byLayerLinetype() const;
    AcDbObjectId byBlockLinetype() const;
    AcDbObjectId continuousLinetype() const;
    bool tilemode() const;

    // The object of a handle; eUnknownHandle when there is none.
    Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound, const AcDbHandle& handle,
                                      uint32_t xRefId = 0);
    // The next handle a new object gets.
    AcDbHandle handseed() const;

    // Copies the objects (entities of one space) and what they need into a new database,
    // relative to the base point.
    Acad::ErrorStatus wblock(AcDbDatabase*& output, const AcDbObjectIdArray& ids, const AcGePoint3d& basePoint);
    // Copies the model space of `source` into this database's model space under the transform.
    Acad::ErrorStatus insert(const AcGeMatrix3d& xform, AcDbDatabase* source, bool preserveSourceDatabase = true);

    // For the host.
    vx::db::Store& store() const { return *m_store; }

private:
    std::unique_ptr<vx::db::Store> m_store;
};

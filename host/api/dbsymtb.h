// Symbol tables (blocks, layers, text styles, linetypes ...) and their records and iterators.
// Names compare without regard to case, as the host does.
#pragma once

#include <vector>

#include "dbobject.h"

class AcDbSymbolTableRecord;
class AcDbSymbolTableIterator;
class AcDbBlockTableRecordIterator;

class AcDbSymbolTable : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTable);

    Acad::ErrorStatus getAt(const ACHAR* name, AcDbObjectId& id, bool getErased = false) const;
    Acad::ErrorStatus getAt(const ACHAR* name, AcDbSymbolTableRecord*& rec, AcDb::OpenMode mode,
                            bool openErased = false) const;
    bool has(const ACHAR* name) const;
    bool has(AcDbObjectId id) const;
    // The table must be open for write; eDuplicateRecordName-like eDuplicateKey on a name clash,
    // eInvalidSymbolTableName for an empty or ill-formed name, eAlreadyInDb for a stored record.
    Acad::ErrorStatus add(AcDbSymbolTableRecord* rec);
    Acad::ErrorStatus add(AcDbObjectId& id, AcDbSymbolTableRecord* rec);
    Acad::ErrorStatus newIterator(AcDbSymbolTableIterator*& it, bool atBeginning = true,
                                  bool skipErased = true) const;
    // Records in table order (erased ones included), for the host.
    const std::vector<AcDbSymbolTableRecord*>& records() const { return m_records; }
    AcDbSymbolTable();

private:
    friend class vx::db::Access;
    std::vector<AcDbSymbolTableRecord*> m_records;
    AcDbObject* m_end = nullptr;  // the ENDTAB record
};

class AcDbSymbolTableIterator : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTableIterator);
    explicit AcDbSymbolTableIterator(const AcDbSymbolTable* table, bool atBeginning = true,
                                     bool skipErased = true);
    void start(bool atBeginning = true, bool skipErased = true);
    bool done() const;
    void step(bool forward = true, bool skipErased = true);
    Acad::ErrorStatus getRecordId(AcDbObjectId& id) const;
    Acad::ErrorStatus getRecord(AcDbSymbolTableRecord*& rec, AcDb::OpenMode mode, bool openErased = false) const;
    Acad::ErrorStatus seek(AcDbObjectId id);

protected:
    void skip(bool forward, bool skipErased);
    const AcDbSymbolTable* m_table;
    int m_pos = 0;
};

class AcDbSymbolTableRecord : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord);
    Acad::ErrorStatus getName(AcString& name) const;
    // Points into the record; valid until the name changes or the record closes.
    Acad::ErrorStatus getName(const ACHAR*& name) const;
    AcString name() const;
    Acad::ErrorStatus setName(const ACHAR* name);
    bool isDependent() const;
    bool isResolved() const { return true; }

protected:
    AcDbSymbolTableRecord();

private:
    mutable AcString m_nameCache;
};

// Declares a table class with typed getAt/add/newIterator and its iterator class.
#define VX_DECLARE_SYMBOL_TABLE(TABLE, RECORD, ITERATOR)                                              \
    class RECORD;                                                                                    \
    class ITERATOR : public AcDbSymbolTableIterator {                                                 \
    public:                                                                                          \
        ACRX_DECLARE_MEMBERS(ITERATOR);                                                              \
        using AcDbSymbolTableIterator::AcDbSymbolTableIterator;                                      \
        using AcDbSymbolTableIterator::getRecord;                                                    \
        Acad::ErrorStatus getRecord(RECORD*& rec, AcDb::OpenMode mode, bool openErased = false) const; \
    };                                                                                               \
    class TABLE : public AcDbSymbolTable {                                                           \
    public:                                                                                          \
        ACRX_DECLARE_MEMBERS(TABLE);                                                                 \
        TABLE();                                                                                     \
        using AcDbSymbolTable::getAt;                                                                \
        using AcDbSymbolTable::add;                                                                  \
        using AcDbSymbolTable::newIterator;                                                          \
        Acad::ErrorStatus getAt(const ACHAR* name, RECORD*& rec, AcDb::OpenMode mode,                \
                                bool openErased = false) const;                                      \
        Acad::ErrorStatus newIterator(ITERATOR*& it, bool atBeginning = true, bool skipErased = true) const; \
    };

VX_DECLARE_SYMBOL_TABLE(AcDbBlockTable, AcDbBlockTableRecord, AcDbBlockTableIterator)
VX_DECLARE_SYMBOL_TABLE(AcDbLayerTable, AcDbLayerTableRecord, AcDbLayerTableIterator)
VX_DECLARE_SYMBOL_TABLE(AcDbTextStyleTable, AcDbTextStyleTableRecord, AcDbTextStyleTableIterator)
VX_DECLARE_SYMBOL_TABLE(AcDbLinetypeTable, AcDbLinetypeTableRecord, AcDbLinetypeTableIterator)
VX_DECLARE_SYMBOL_TABLE(AcDbRegAppTable, AcDbRegAppTableRecord, AcDbRegAppTableIterator)
VX_DECLARE_SYMBOL_TABLE(AcDbDimStyleTable, AcDbDimStyleTableRecord, AcDbDimStyleTableIterator)
VX_DECLARE_SYMBOL_TABLE(AcDbViewportTable, AcDbViewportTableRecord, AcDbViewportTableIterator)
VX_DECLARE_SYMBOL_TABLE(AcDbViewTable, AcDbViewTableRecord, AcDbViewTableIterator)
VX_DECLARE_SYMBOL_TABLE(AcDbUCSTable, AcDbUCSTableRecord, AcDbUCSTableIterator)

#define ACDB_MODEL_SPACE L"*Model_Space"
#define ACDB_PAPER_SPACE L"*Paper_Space"

class AcDbBlockTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockTableRecord);
    AcDbBlockTableRecord();
    ~AcDbBlockTableRecord() override;

    // The record must be open for write and in a database; the entity (new, not in a database)
    // is then owned by the database, open for write: the caller closes it.
    Acad::ErrorStatus appendAcDbEntity(AcDbEntity* ent);
    Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& id, AcDbEntity* ent);
    Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& it, bool atBeginning = true,
                                  bool skipErased = true) const;
    // References to this block (directOnly) or also references to blocks that contain one.
    Acad::ErrorStatus getBlockReferenceIds(AcDbObjectIdArray& ids, bool directOnly = true,
                                           bool forceValidity = false) const;
    bool hasAttributeDefinitions() const;
    bool isLayout() const;
    bool isAnonymous() const;
    bool isFromExternalReference() const;
    AcGePoint3d origin() const;
    Acad::ErrorStatus setOrigin(const AcGePoint3d& p);
    AcDbObjectId getLayoutId() const;
    Acad::ErrorStatus setLayoutId(AcDbObjectId layout);
    // Entities in block order (erased ones included), for the host.
    const std::vector<AcDbEntity*>& entities() const { return m_entities; }

private:
    friend class vx::db::Access;
    std::vector<AcDbEntity*> m_entities;
    AcDbObject* m_begin = nullptr;  // BLOCK
    AcDbObject* m_end = nullptr;    // ENDBLK
};

class AcDbBlockTableRecordIterator : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockTableRecordIterator);
    AcDbBlockTableRecordIterator(const AcDbBlockTableRecord* block, bool atBeginning, bool skipErased);
    void start(bool atBeginning = true, bool skipErased = true);
    bool done() const;
    void step(bool forward = true, bool skipErased = true);
    Acad::ErrorStatus getEntityId(AcDbObjectId& id) const;
    Acad::ErrorStatus getEntity(AcDbEntity*& ent, AcDb::OpenMode mode, bool openErased = false) const;
    Acad::ErrorStatus seek(AcDbObjectId id);
    const AcDbBlockTableRecord* blockTableRecord() const { return m_block; }

private:
    void skip(bool forward, bool skipErased);
    const AcDbBlockTableRecord* m_block;
    size_t m_pos = 0;
};

class AcDbLayerTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbLayerTableRecord);
    AcDbLayerTableRecord();
    AcCmColor color() const;
    Acad::ErrorStatus setColor(const AcCmColor& c);
    bool isOff() const;
    Acad::ErrorStatus setIsOff(bool off);
    bool isFrozen() const;
    Acad::ErrorStatus setIsFrozen(bool frozen);
    bool isLocked() const;
    Acad::ErrorStatus setIsLocked(bool locked);
    bool isPlottable() const;
    Acad::ErrorStatus setIsPlottable(bool plot);
    AcDbObjectId linetypeObjectId() const;
    Acad::ErrorStatus setLinetypeObjectId(AcDbObjectId id);
};

class AcDbTextStyleTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbTextStyleTableRecord);
    AcDbTextStyleTableRecord();
    double textSize() const;
    Acad::ErrorStatus setTextSize(double h);
    double xScale() const;
    Acad::ErrorStatus setXScale(double s);
    double obliquingAngle() const;  // radians
    Acad::ErrorStatus setObliquingAngle(double a);
    Acad::ErrorStatus fileName(AcString& name) const;
    Acad::ErrorStatus fileName(const ACHAR*& name) const;
    Acad::ErrorStatus setFileName(const ACHAR* name);
    Acad::ErrorStatus bigFontFileName(AcString& name) const;
    Acad::ErrorStatus setBigFontFileName(const ACHAR* name);
    bool isShapeFile() const;
    bool isVertical() const;

private:
    mutable AcString m_fileCache;
};

// Tables the host keeps as data: their records carry names and every stored value.
#define VX_DECLARE_DATA_RECORD(RECORD)          \
    class RECORD : public AcDbSymbolTableRecord { \
    public:                                     \
        ACRX_DECLARE_MEMBERS(RECORD);           \
        RECORD();                               \
    };
VX_DECLARE_DATA_RECORD(AcDbLinetypeTableRecord)
VX_DECLARE_DATA_RECORD(AcDbRegAppTableRecord)
VX_DECLARE_DATA_RECORD(AcDbDimStyleTableRecord)
VX_DECLARE_DATA_RECORD(AcDbViewportTableRecord)
VX_DECLARE_DATA_RECORD(AcDbViewTableRecord)
VX_DECLARE_DATA_RECORD(AcDbUCSTableRecord)

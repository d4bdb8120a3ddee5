// Copying objects between databases (wblock / insert) lands here with its own files; until
// then both calls say so instead of pretending to copy.
#include "dbdatabase.h"

Acad::ErrorStatus AcDbDatabase::wblock(AcDbDatabase*& output, const AcDbObjectIdArray&, const AcGePoint3d&) {
    output = nullptr;
    return Acad::eNotImplementedYet;
}

Acad::ErrorStatus AcDbDatabase::insert(const AcGeMatrix3d&, AcDbDatabase*, bool) { return Acad::eNotImplementedYet; }

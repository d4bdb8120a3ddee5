// Small building blocks for the sample drawings: tables, blocks and entities through the
// database API, everything closed before each call returns.
#pragma once

#include <string>
#include <vector>

#include "acdb.h"

namespace mksamples {

AcDbObjectId addLayer(AcDbDatabase& db, const wchar_t* name, int color);
AcDbObjectId addTextStyle(AcDbDatabase& db, const wchar_t* name, const wchar_t* font, const wchar_t* bigFont,
                          double widthFactor);
// A new, empty block definition.
AcDbObjectId addBlock(AcDbDatabase& db, const wchar_t* name);
// Appends to a block record (model space included); the entity is closed.
AcDbObjectId append(AcDbObjectId block, AcDbEntity* e, const wchar_t* layer = nullptr);

AcDbPolyline* rectangle(double x0, double y0, double x1, double y1);
AcDbPolyline* polyline(const std::vector<AcGePoint2d>& pts, bool closed);
AcDbLine* line(double x0, double y0, double x1, double y1);
// Single-line text centred on (x, y) when `centred`, else left on its baseline.
AcDbText* text(double x, double y, double height, const wchar_t* s, AcDbObjectId style, bool centred);
AcDbAttributeDefinition* attdef(double x, double y, double height, const wchar_t* tag, AcDbObjectId style);

// A reference of `block` at p with one attribute per attribute definition of the block (texts
// empty, placed as the definitions), appended to model space on `layer`.
AcDbObjectId insertWithAttributes(AcDbDatabase& db, AcDbObjectId block, const AcGePoint3d& p, const wchar_t* layer);
// Sets the text of the reference's attribute with that tag; false when it has none.
bool setAttribute(AcDbObjectId reference, const wchar_t* tag, const wchar_t* value);

// The drawing as an R2000 file in the GBK code page, as Chinese offices exchange them.
bool makeR2000Gbk(AcDbDatabase& db);

}  // namespace mksamples

#include "commands/plt_catalog_sheet.h"

#include <memory>

#include "aced.h"
#include "commands/vorlix_jig.h"
#include "dbapserv.h"
#include "frames/drawing_utils.h"
#include "frames/take_block_refs.h"

namespace vorlix {
namespace {

void putOnLayer(AcDbBlockReference* reference, AcDbObjectId layer) {
    reference->setLayer(layer, true);
    std::unique_ptr<AcDbObjectIterator> it(reference->attributeIterator());
    for (it->start(); !it->done(); it->step()) {
        AcDbAttribute* attribute = nullptr;
        if (reference->openAttribute(attribute, it->objectId(), AcDb::kForWrite) != Acad::eOk) continue;
        attribute->setLayer(layer, true);
        attribute->close();
    }
}

}  // namespace

SheetPlacement placeTableBlock(const std::wstring& templateDrawing, const std::wstring& blockName,
                               AcDbObjectId layer, AcGePoint3d& placedAt) {
    std::unique_ptr<AcDbDatabase> taken(takeBlockReferences(templateDrawing.c_str(), blockName.c_str()));
    if (!taken) return SheetPlacement::NoTableBlock;
    AcDbDatabase* working = acdbHostApplicationServices()->workingDatabase();
    if (!working || working->insert(AcGeMatrix3d::kIdentity, taken.get(), true) != Acad::eOk)
        return SheetPlacement::NoReference;
    taken.reset();

    ads_name last;
    AcDbObjectId id;
    if (acdbEntLast(last) != RTNORM || acdbGetObjectId(id, last) != Acad::eOk) return SheetPlacement::NoReference;
    AcDbObjectPointer<AcDbBlockReference> reference(id, AcDb::kForWrite);
    if (reference.openStatus() != Acad::eOk) return SheetPlacement::NoReference;
    // The drag moves the attributes by the distance the reference moved.
    if (dragReference(reference.object()) != PlaceResult::Placed) return SheetPlacement::Cancelled;
    placedAt = reference->position();
    putOnLayer(reference.object(), layer);
    return SheetPlacement::Placed;
}

void writeSheetTexts(const std::vector<PlacedText>& texts, double height, AcDbObjectId style) {
    for (const PlacedText& placed : texts) {
        auto* text = new AcDbText();
        text->setTextString(placed.text.c_str());
        text->setHorizontalMode(AcDb::kTextMid);
        text->setVerticalMode(AcDb::kTextBase);
        text->setAlignmentPoint(placed.at);
        text->setHeight(height);
        if (!style.isNull()) text->setTextStyle(style);
        // The first point follows the alignment point, for readers that look only at it.
        text->adjustAlignment();
        if (appendToModelSpace(text).isNull()) delete text;
    }
}

}  // namespace vorlix

#include "frames/frame_attributes.h"

#include <functional>
#include <memory>

namespace vorlix {
namespace {

// Walks the attributes of a block reference, each opened in `mode`; the visitor returns false
// to stop. False when the object is not a block reference that opens.
bool forEachAttribute(AcDbObjectId id, AcDb::OpenMode mode, const std::function<bool(AcDbAttribute*)>& visit) {
    AcDbObjectPointer<AcDbBlockReference> ref(id, AcDb::kForRead);
    if (ref.openStatus() != Acad::eOk) return false;
    std::unique_ptr<AcDbObjectIterator> it(ref->attributeIterator());
    if (!it) return true;
    for (it->start(); !it->done(); it->step()) {
        AcDbAttribute* att = nullptr;
        // An attribute that does not open is skipped; the rest are still visited.
        if (ref->openAttribute(att, it->objectId(), mode) != Acad::eOk) continue;
        const bool more = visit(att);
        att->close();
        if (!more) break;
    }
    return true;
}

}  // namespace

AttributeMap readAttributeMap(AcDbObjectId id) {
    AttributeMap map;
    forEachAttribute(id, AcDb::kForRead, [&](AcDbAttribute* att) {
        map.emplace(att->tag().str(), att->textString().str());  // emplace keeps the first
        return true;
    });
    return map;
}

std::wstring attributeText(const AttributeMap& map, const std::wstring& tag) {
    auto it = map.find(tag);
    return it == map.end() ? std::wstring() : it->second;
}

bool writeAttribute(AcDbObjectId id, const std::wstring& tag, const std::wstring& text) {
    bool written = false;
    forEachAttribute(id, AcDb::kForWrite, [&](AcDbAttribute* att) {
        if (att->tag().str() != tag) return true;
        written = att->setTextString(text.c_str()) == Acad::eOk;
        return false;
    });
    return written;
}

int fillAttributes(AcDbObjectId id, const AttributeMap& content) {
    int written = 0;
    forEachAttribute(id, AcDb::kForWrite, [&](AcDbAttribute* att) {
        auto it = content.find(att->tag().str());
        if (it != content.end() && att->setTextString(it->second.c_str()) == Acad::eOk) ++written;
        return true;
    });
    return written;
}

}  // namespace vorlix

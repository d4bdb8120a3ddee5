// MTEXT: contents in 250-character chunks (code 3, then the final code 1), box and placement.
#include <cmath>

#include "db/access.h"
#include "db/text_metrics.h"
#include "text/encoding.h"

using namespace vx::db;

namespace {
const char* const kSub = "AcDbMText";
const Field kLoc{kSub, 0, 10};
const Field kHeight{kSub, 0, 40};
const Field kWidth{kSub, 0, 41};
const Field kAttach{kSub, 0, 71};
const Field kStyle{kSub, 0, 7};
const Field kRot{kSub, 0, 50};
const Field kDir{kSub, 0, 11};
const Field kNormal{kSub, 0, 210};

// Indexes of the content tags (3 ... 1) inside the MTEXT subclass.
std::vector<size_t> contentTags(const AcDbObject* o) {
    std::vector<size_t> out;
    size_t n = Access::tagCount(o);
    bool in = false, markers = false;
    for (size_t i = 1; i < n; ++i) markers = markers || Access::tag(o, i).code == 100;
    in = !markers;
    for (size_t i = 1; i < n; ++i) {
        TagRef t = Access::tag(o, i);
        if (t.code == 101 || t.code == 1001) break;
        if (t.code == 100) { in = t.value == kSub; continue; }
        if (in && (t.code == 3 || t.code == 1)) {
            out.push_back(i);
            if (t.code == 1) break;
        }
    }
    return out;
}

}  // namespace

AcDbMText::AcDbMText() { Access::initNew(this, kMText); }

AcString AcDbMText::contents() const {
    std::wstring s;
    Store* st = Access::store(this);
    for (size_t i : contentTags(this)) s += decodeText(Access::tag(this, i), st);
    return AcString(s);
}

Acad::ErrorStatus AcDbMText::setContents(const ACHAR* text) {
    WRITE_GUARD();
    std::wstring s = text ? text : L"";
    std::vector<size_t> at = contentTags(this);
    OwnTags& own = Access::edit(this);
    size_t pos;
    if (at.empty()) {
        setText(this, Field{kSub, 0, 1}, L"");
        at = contentTags(this);
    }
    pos = at.front();
    for (auto it = at.rbegin(); it != at.rend(); ++it) own.tags.erase(own.tags.begin() + static_cast<long>(*it));
    // Chunks split on characters, never inside a multi-byte sequence.
    std::vector<OwnTag> chunks;
    size_t i = 0;
    while (s.size() - i > 250) {
        chunks.push_back({3, true, vx::text::toUtf8(std::wstring_view(s).substr(i, 250))});
        i += 250;
    }
    chunks.push_back({1, true, vx::text::toUtf8(std::wstring_view(s).substr(i))});
    own.tags.insert(own.tags.begin() + static_cast<long>(pos), chunks.begin(), chunks.end());
    return Acad::eOk;
}

AcString AcDbMText::text() const { return AcString(mtextPlain(contents().str())); }
AcGePoint3d AcDbMText::location() const { return getPoint(this, kLoc); }
Acad::ErrorStatus AcDbMText::setLocation(const AcGePoint3d& p) {
    WRITE_GUARD();
    setPoint(this, kLoc, p);
    return Acad::eOk;
}
double AcDbMText::textHeight() const { return getReal(this, kHeight, 2.5); }
Acad::ErrorStatus AcDbMText::setTextHeight(double h) {
    WRITE_GUARD();
    if (!(h > 0)) return Acad::eInvalidInput;
    setReal(this, kHeight, h);
    return Acad::eOk;
}
double AcDbMText::width() const { return getReal(this, kWidth, 0.0); }
Acad::ErrorStatus AcDbMText::setWidth(double w) {
    WRITE_GUARD();
    if (w < 0) return Acad::eInvalidInput;
    setReal(this, kWidth, w);
    return Acad::eOk;
}
AcDbMText::AttachmentPoint AcDbMText::attachment() const {
    long long a = getInt(this, kAttach, 1);
    return a >= 1 && a <= 9 ? static_cast<AttachmentPoint>(a) : kTopLeft;
}
Acad::ErrorStatus AcDbMText::setAttachment(AttachmentPoint a) {
    WRITE_GUARD();
    setInt(this, kAttach, a);
    return Acad::eOk;
}
double AcDbMText::rotation() const {
    if (hasField(this, kDir)) {
        AcGeVector3d d = direction();
        return std::atan2(d.y, d.x);
    }
    return getReal(this, kRot, 0.0);
}
Acad::ErrorStatus AcDbMText::setRotation(double a) {
    WRITE_GUARD();
    if (hasField(this, kDir)) setPoint(this, kDir, AcGePoint3d(std::cos(a), std::sin(a), 0));
    else setReal(this, kRot, a);
    return Acad::eOk;
}
AcGeVector3d AcDbMText::direction() const {
    if (!hasField(this, kDir)) {
        double r = getReal(this, kRot, 0.0);
        return AcGeVector3d(std::cos(r), std::sin(r), 0);
    }
    return getVector(this, kDir, AcGeVector3d(1, 0, 0)).normal();
}
AcGeVector3d AcDbMText::normal() const { return getVector(this, kNormal, AcGeVector3d(0, 0, 1)); }
AcDbObjectId AcDbMText::textStyle() const {
    Store* st = Access::store(this);
    if (!st || !st->styleTable) return AcDbObjectId::kNull;
    std::wstring name = getText(this, kStyle, L"Standard");
    for (AcDbSymbolTableRecord* r : st->styleTable->records())
        if (!r->isErased() && sameName(r->name().str(), name)) return r->objectId();
    return AcDbObjectId::kNull;
}
Acad::ErrorStatus AcDbMText::setTextStyle(AcDbObjectId id) {
    WRITE_GUARD();
    auto* rec = AcDbTextStyleTableRecord::cast(id.object());
    if (!rec) return Acad::eInvalidInput;
    setText(this, kStyle, rec->name().str());
    return Acad::eOk;
}

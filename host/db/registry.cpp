// Run-time classes of the database objects and the table of record types.
#include "db/registry.h"

#include <cstring>

#include "db/access.h"

#define VX_DEFINE_MEMBERS(CLS, PARENT, DXF)                    \
    AcRxClass* CLS::desc() {                                   \
        static AcRxClass c(L## #CLS, L##DXF, PARENT::desc());  \
        return &c;                                             \
    }                                                          \
    AcRxClass* CLS::isA() const { return desc(); }

AcRxClass* AcRxObject::desc() {
    static AcRxClass c(L"AcRxObject", L"", nullptr);
    return &c;
}

VX_DEFINE_MEMBERS(AcDbObject, AcRxObject, "")
VX_DEFINE_MEMBERS(AcDbEntity, AcDbObject, "")
VX_DEFINE_MEMBERS(AcDbObjectIterator, AcRxObject, "")
VX_DEFINE_MEMBERS(AcDbSymbolTable, AcDbObject, "TABLE")
VX_DEFINE_MEMBERS(AcDbSymbolTableIterator, AcRxObject, "")
VX_DEFINE_MEMBERS(AcDbSymbolTableRecord, AcDbObject, "")
VX_DEFINE_MEMBERS(AcDbBlockTable, AcDbSymbolTable, "TABLE")
VX_DEFINE_MEMBERS(AcDbLayerTable, AcDbSymbolTable, "TABLE")
VX_DEFINE_MEMBERS(AcDbTextStyleTable, AcDbSymbolTable, "TABLE")
VX_DEFINE_MEMBERS(AcDbLinetypeTable, AcDbSymbolTable, "TABLE")
VX_DEFINE_MEMBERS(AcDbRegAppTable, AcDbSymbolTable, "TABLE")
VX_DEFINE_MEMBERS(AcDbDimStyleTable, AcDbSymbolTable, "TABLE")
VX_DEFINE_MEMBERS(AcDbViewportTable, AcDbSymbolTable, "TABLE")
VX_DEFINE_MEMBERS(AcDbViewTable, AcDbSymbolTable, "TABLE")
VX_DEFINE_MEMBERS(AcDbUCSTable, AcDbSymbolTable, "TABLE")
VX_DEFINE_MEMBERS(AcDbBlockTableIterator, AcDbSymbolTableIterator, "")
VX_DEFINE_MEMBERS(AcDbLayerTableIterator, AcDbSymbolTableIterator, "")
VX_DEFINE_MEMBERS(AcDbTextStyleTableIterator, AcDbSymbolTableIterator, "")
VX_DEFINE_MEMBERS(AcDbLinetypeTableIterator, AcDbSymbolTableIterator, "")
VX_DEFINE_MEMBERS(AcDbRegAppTableIterator, AcDbSymbolTableIterator, "")
VX_DEFINE_MEMBERS(AcDbDimStyleTableIterator, AcDbSymbolTableIterator, "")
VX_DEFINE_MEMBERS(AcDbViewportTableIterator, AcDbSymbolTableIterator, "")
VX_DEFINE_MEMBERS(AcDbViewTableIterator, AcDbSymbolTableIterator, "")
VX_DEFINE_MEMBERS(AcDbUCSTableIterator, AcDbSymbolTableIterator, "")
VX_DEFINE_MEMBERS(AcDbBlockTableRecord, AcDbSymbolTableRecord, "BLOCK_RECORD")
VX_DEFINE_MEMBERS(AcDbBlockTableRecordIterator, AcRxObject, "")
VX_DEFINE_MEMBERS(AcDbLayerTableRecord, AcDbSymbolTableRecord, "LAYER")
VX_DEFINE_MEMBERS(AcDbTextStyleTableRecord, AcDbSymbolTableRecord, "STYLE")
VX_DEFINE_MEMBERS(AcDbLinetypeTableRecord, AcDbSymbolTableRecord, "LTYPE")
VX_DEFINE_MEMBERS(AcDbRegAppTableRecord, AcDbSymbolTableRecord, "APPID")
VX_DEFINE_MEMBERS(AcDbDimStyleTableRecord, AcDbSymbolTableRecord, "DIMSTYLE")
VX_DEFINE_MEMBERS(AcDbViewportTableRecord, AcDbSymbolTableRecord, "VPORT")
VX_DEFINE_MEMBERS(AcDbViewTableRecord, AcDbSymbolTableRecord, "VIEW")
VX_DEFINE_MEMBERS(AcDbUCSTableRecord, AcDbSymbolTableRecord, "UCS")
VX_DEFINE_MEMBERS(AcDbCurve, AcDbEntity, "")
VX_DEFINE_MEMBERS(AcDbLine, AcDbCurve, "LINE")
VX_DEFINE_MEMBERS(AcDbCircle, AcDbCurve, "CIRCLE")
VX_DEFINE_MEMBERS(AcDbArc, AcDbCurve, "ARC")
VX_DEFINE_MEMBERS(AcDbEllipse, AcDbCurve, "ELLIPSE")
VX_DEFINE_MEMBERS(AcDbPoint, AcDbEntity, "POINT")
VX_DEFINE_MEMBERS(AcDbSolid, AcDbEntity, "SOLID")
VX_DEFINE_MEMBERS(AcDbPolyline, AcDbCurve, "LWPOLYLINE")
VX_DEFINE_MEMBERS(AcDbSequenceEnd, AcDbEntity, "SEQEND")
VX_DEFINE_MEMBERS(AcDbVertex, AcDbEntity, "VERTEX")
VX_DEFINE_MEMBERS(AcDb2dVertex, AcDbVertex, "VERTEX")
VX_DEFINE_MEMBERS(AcDb2dPolyline, AcDbCurve, "POLYLINE")
VX_DEFINE_MEMBERS(AcDbText, AcDbEntity, "TEXT")
VX_DEFINE_MEMBERS(AcDbAttributeDefinition, AcDbText, "ATTDEF")
VX_DEFINE_MEMBERS(AcDbAttribute, AcDbText, "ATTRIB")
VX_DEFINE_MEMBERS(AcDbMText, AcDbEntity, "MTEXT")
VX_DEFINE_MEMBERS(AcDbBlockReference, AcDbEntity, "INSERT")
VX_DEFINE_MEMBERS(AcDbHatch, AcDbEntity, "HATCH")
VX_DEFINE_MEMBERS(AcDbDimension, AcDbEntity, "DIMENSION")
VX_DEFINE_MEMBERS(AcDbViewport, AcDbEntity, "VIEWPORT")
VX_DEFINE_MEMBERS(AcDbBlockBegin, AcDbEntity, "BLOCK")
VX_DEFINE_MEMBERS(AcDbBlockEnd, AcDbEntity, "ENDBLK")
VX_DEFINE_MEMBERS(AcDbUnknownEntity, AcDbEntity, "")
VX_DEFINE_MEMBERS(AcDbDictionary, AcDbObject, "DICTIONARY")
VX_DEFINE_MEMBERS(AcDbDictionaryIterator, AcRxObject, "")
VX_DEFINE_MEMBERS(AcDbPlotSettings, AcDbObject, "PLOTSETTINGS")
VX_DEFINE_MEMBERS(AcDbLayout, AcDbPlotSettings, "LAYOUT")
VX_DEFINE_MEMBERS(AcDbXrecord, AcDbObject, "XRECORD")
VX_DEFINE_MEMBERS(AcDbUnknownObject, AcDbObject, "")
VX_DEFINE_MEMBERS(AcDbDatabase, AcRxObject, "")

namespace vx::db {
namespace {

template <class T>
AcDbObject* make() { return new T(); }

// A plain object for structural records (SECTION, ENDSEC, CLASS, ENDTAB ...).
class StructuralRecord : public AcDbObject {
public:
    StructuralRecord() = default;
};
AcDbObject* makeStructural() { return new StructuralRecord(); }

#define ENT "5=0|330=0|100=AcDbEntity|8=0|"
#define REC "5=0|330=0|100=AcDbSymbolTableRecord|"

const char* const kPlotSettingsTags =
    "100=AcDbPlotSettings|1=|2=none_device|4=|6=|40=0.0|41=0.0|42=0.0|43=0.0|44=0.0|45=0.0|46=0.0|47=0.0|"
    "48=0.0|49=0.0|140=0.0|141=0.0|142=1.0|143=1.0|70=688|72=0|73=0|74=5|7=|75=16|76=0|77=2|78=300|147=1.0|"
    "148=0.0|149=0.0";

const KindInfo kKinds[] = {
    {kGeneric, "", makeStructural, ""},
    {kSectionBegin, "SECTION", makeStructural, "0=SECTION|2="},
    {kSectionEnd, "ENDSEC", makeStructural, "0=ENDSEC"},
    {kEof, "EOF", makeStructural, "0=EOF"},
    {kClass, "CLASS", makeStructural, "0=CLASS|1=|2=|3=ObjectDBX Classes|90=0|91=0|280=0|281=0"},
    {kTable, "TABLE", make<AcDbSymbolTable>, "0=TABLE|2=|5=0|330=0|100=AcDbSymbolTable|70=0"},
    {kTableEnd, "ENDTAB", makeStructural, "0=ENDTAB"},
    {kBlockBegin, "BLOCK", make<AcDbBlockBegin>,
     "0=BLOCK|" ENT "100=AcDbBlockBegin|2=|70=0|10=0.0|20=0.0|30=0.0|3=|1="},
    {kBlockEnd, "ENDBLK", make<AcDbBlockEnd>, "0=ENDBLK|" ENT "100=AcDbBlockEnd"},
    {kBlockRecord, "BLOCK_RECORD", make<AcDbBlockTableRecord>,
     "0=BLOCK_RECORD|" REC "100=AcDbBlockTableRecord|2=|340=0|70=0|280=1|281=0"},
    {kLayer, "LAYER", make<AcDbLayerTableRecord>,
     "0=LAYER|" REC "100=AcDbLayerTableRecord|2=|70=0|62=7|6=Continuous|370=-3"},
    {kTextStyle, "STYLE", make<AcDbTextStyleTableRecord>,
     "0=STYLE|" REC "100=AcDbTextStyleTableRecord|2=|70=0|40=0.0|41=1.0|50=0.0|71=0|42=2.5|3=txt|4="},
    {kLinetype, "LTYPE", make<AcDbLinetypeTableRecord>,
     "0=LTYPE|" REC "100=AcDbLinetypeTableRecord|2=|70=0|3=|72=65|73=0|40=0.0"},
    {kRegApp, "APPID", make<AcDbRegAppTableRecord>, "0=APPID|" REC "100=AcDbRegAppTableRecord|2=|70=0"},
    {kDimStyle, "DIMSTYLE", make<AcDbDimStyleTableRecord>,
     "0=DIMSTYLE|105=0|330=0|100=AcDbSymbolTableRecord|100=AcDbDimStyleTableRecord|2=|70=0"},
    {kVportRec, "VPORT", make<AcDbViewportTableRecord>, "0=VPORT|" REC "100=AcDbViewportTableRecord|2=|70=0"},
    {kViewRec, "VIEW", make<AcDbViewTableRecord>, "0=VIEW|" REC "100=AcDbViewTableRecord|2=|70=0"},
    {kUcsRec, "UCS", make<AcDbUCSTableRecord>, "0=UCS|" REC "100=AcDbUCSTableRecord|2=|70=0"},
    {kLine, "LINE", make<AcDbLine>,
     "0=LINE|" ENT "100=AcDbLine|10=0.0|20=0.0|30=0.0|11=0.0|21=0.0|31=0.0"},
    {kCircle, "CIRCLE", make<AcDbCircle>, "0=CIRCLE|" ENT "100=AcDbCircle|10=0.0|20=0.0|30=0.0|40=1.0"},
    {kArc, "ARC", make<AcDbArc>,
     "0=ARC|" ENT "100=AcDbCircle|10=0.0|20=0.0|30=0.0|40=1.0|100=AcDbArc|50=0.0|51=0.0"},
    {kEllipse, "ELLIPSE", make<AcDbEllipse>,
     "0=ELLIPSE|" ENT "100=AcDbEllipse|10=0.0|20=0.0|30=0.0|11=1.0|21=0.0|31=0.0|40=1.0|41=0.0|42=6.283185307179586"},
    {kPoint, "POINT", make<AcDbPoint>, "0=POINT|" ENT "100=AcDbPoint|10=0.0|20=0.0|30=0.0"},
    {kSolid, "SOLID", make<AcDbSolid>,
     "0=SOLID|" ENT "100=AcDbTrace|10=0.0|20=0.0|30=0.0|11=0.0|21=0.0|31=0.0|12=0.0|22=0.0|32=0.0|13=0.0|23=0.0|33=0.0"},
    {kLwPolyline, "LWPOLYLINE", make<AcDbPolyline>, "0=LWPOLYLINE|" ENT "100=AcDbPolyline|90=0|70=0"},
    {kPolyline, "POLYLINE", make<AcDb2dPolyline>,
     "0=POLYLINE|" ENT "100=AcDb2dPolyline|66=1|10=0.0|20=0.0|30=0.0|70=0"},
    {kVertex, "VERTEX", make<AcDb2dVertex>,
     "0=VERTEX|" ENT "100=AcDbVertex|100=AcDb2dVertex|10=0.0|20=0.0|30=0.0|70=0"},
    {kSeqEnd, "SEQEND", make<AcDbSequenceEnd>, "0=SEQEND|" ENT},
    {kText, "TEXT", make<AcDbText>,
     "0=TEXT|" ENT "100=AcDbText|10=0.0|20=0.0|30=0.0|40=2.5|1=|100=AcDbText"},
    {kMText, "MTEXT", make<AcDbMText>,
     "0=MTEXT|" ENT "100=AcDbMText|10=0.0|20=0.0|30=0.0|40=2.5|41=0.0|71=1|72=5|1="},
    {kAttDef, "ATTDEF", make<AcDbAttributeDefinition>,
     "0=ATTDEF|" ENT "100=AcDbText|10=0.0|20=0.0|30=0.0|40=2.5|1=|100=AcDbAttributeDefinition|280=0|3=|2=|70=0"},
    {kAttrib, "ATTRIB", make<AcDbAttribute>,
     "0=ATTRIB|" ENT "100=AcDbText|10=0.0|20=0.0|30=0.0|40=2.5|1=|100=AcDbAttribute|280=0|2=|70=0"},
    {kInsert, "INSERT", make<AcDbBlockReference>,
     "0=INSERT|" ENT "100=AcDbBlockReference|2=|10=0.0|20=0.0|30=0.0"},
    {kHatch, "HATCH", make<AcDbHatch>,
     "0=HATCH|" ENT "100=AcDbHatch|10=0.0|20=0.0|30=0.0|210=0.0|220=0.0|230=1.0|2=SOLID|70=1|71=0|91=0|75=1|76=1|98=0"},
    {kDimension, "DIMENSION", make<AcDbDimension>, "0=DIMENSION|" ENT "100=AcDbDimension|2=|10=0.0|20=0.0|30=0.0|70=0"},
    {kViewport, "VIEWPORT", make<AcDbViewport>,
     "0=VIEWPORT|5=0|330=0|100=AcDbEntity|67=1|8=0|100=AcDbViewport|10=0.0|20=0.0|30=0.0|40=0.0|41=0.0|68=1|69=1"},
    {kUnknownEntity, "", make<AcDbUnknownEntity>, ""},
    {kDictionary, "DICTIONARY", make<AcDbDictionary>, "0=DICTIONARY|5=0|330=0|100=AcDbDictionary|281=1"},
    {kLayout, "LAYOUT", make<AcDbLayout>, nullptr},
    {kPlotSettings, "PLOTSETTINGS", make<AcDbPlotSettings>, nullptr},
    {kXrecord, "XRECORD", make<AcDbXrecord>, "0=XRECORD|5=0|330=0|100=AcDbXrecord|280=1"},
    {kUnknownObject, "", make<AcDbUnknownObject>, ""},
};

const std::string& layoutTemplate() {
    static const std::string s = std::string("0=LAYOUT|5=0|330=0|") + kPlotSettingsTags +
        "|100=AcDbLayout|1=Layout1|70=1|71=1|10=0.0|20=0.0|11=420.0|21=297.0|12=0.0|22=0.0|32=0.0|"
        "14=1e+20|24=1e+20|34=1e+20|15=-1e+20|25=-1e+20|35=-1e+20|146=0.0|13=0.0|23=0.0|33=0.0|"
        "16=1.0|26=0.0|36=0.0|17=0.0|27=1.0|37=0.0|76=0|330=0";
    return s;
}
const std::string& plotSettingsTemplate() {
    static const std::string s = std::string("0=PLOTSETTINGS|5=0|330=0|") + kPlotSettingsTags;
    return s;
}

}  // namespace

const KindInfo& kindInfo(Kind k) {
    for (const KindInfo& i : kKinds)
        if (i.kind == k) return i;
    return kKinds[0];
}

Kind kindOfType(std::string_view type, bool entitySection) {
    if (type == "ACDBDICTIONARYWDFLT") return kDictionary;
    for (const KindInfo& i : kKinds)
        if (i.dxfName[0] && type == i.dxfName) return i.kind;
    return entitySection ? kUnknownEntity : kUnknownObject;
}

AcDbObject* makeObject(Kind k) {
    AcDbObject* o = kindInfo(k).make();
    Access::setKind(o, k);
    Access::dropTemplate(o);
    return o;
}

AcDbObject* newObject(Kind k) {
    AcDbObject* o = makeObject(k);
    Access::initNew(o, k);
    return o;
}

void Access::initNew(AcDbObject* o, Kind k) {
    o->m_kind = k;
    o->m_flags |= fNewTemplate;
}

void Access::fillTemplate(AcDbObject* o) {
    dropTemplate(o);
    const auto k = static_cast<Kind>(o->m_kind);
    const char* t = kindInfo(k).tmpl;
    if (k == kLayout) t = layoutTemplate().c_str();
    if (k == kPlotSettings) t = plotSettingsTemplate().c_str();
    if (!t || !*t) return;
    auto own = std::make_unique<OwnTags>();
    const char* p = t;
    while (*p) {
        const char* end = std::strchr(p, '|');
        if (!end) end = p + std::strlen(p);
        std::string_view item(p, static_cast<size_t>(end - p));
        size_t eq = item.find('=');
        long long code = 0;
        parseInt(item.substr(0, eq), code);
        std::string value = eq == std::string_view::npos ? std::string() : std::string(item.substr(eq + 1));
        own->tags.push_back({static_cast<int16_t>(code), false, std::move(value)});
        p = *end ? end + 1 : end;
    }
    o->m_own = std::move(own);
}

void Access::fitToVersion(AcDbObject* o, const Store& st) {
    if (!o->m_own && (o->m_flags & fNewTemplate)) fillTemplate(o);
    if (!o->m_own) return;
    auto& tags = o->m_own->tags;
    if (st.versionNumber <= 1009) {
        std::vector<OwnTag> kept;
        kept.reserve(tags.size());
        for (size_t i = 0; i < tags.size(); ++i) {
            const OwnTag& t = tags[i];
            if (t.code == 102 && !t.value.empty() && t.value[0] == '{') {
                while (i + 1 < tags.size() && !(tags[i + 1].code == 102 && tags[i + 1].value == "}")) ++i;
                ++i;
                continue;
            }
            if (t.code == 100 || (t.code >= 330 && t.code <= 369) || t.code == 280 || t.code == 281) continue;
            if ((t.code == 5 || t.code == 105) && !st.handles) continue;
            kept.push_back(t);
        }
        tags.swap(kept);
        return;
    }
    if (st.versionNumber < 1024 && (o->m_kind == kAttrib || o->m_kind == kAttDef)) {
        // The attribute version number (280 right after the subclass marker) came with R2010.
        for (size_t i = 1; i + 1 < tags.size(); ++i)
            if (tags[i].code == 100 && (tags[i].value == "AcDbAttribute" || tags[i].value == "AcDbAttributeDefinition") &&
                tags[i + 1].code == 280) {
                tags.erase(tags.begin() + static_cast<long>(i) + 1);
                break;
            }
    }
}

}  // namespace vx::db

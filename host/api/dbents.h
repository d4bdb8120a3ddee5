// Entities of the drawing database. Angles are radians here (drawing files store degrees for
// text, insert and arc angles); points are world coordinates unless a method says otherwise.
#pragma once

#include "dbobject.h"

namespace AcDb {
enum TextHorzMode { kTextLeft = 0, kTextCenter = 1, kTextRight = 2, kTextAlign = 3, kTextMid = 4, kTextFit = 5 };
enum TextVertMode { kTextBase = 0, kTextBottom = 1, kTextVertMid = 2, kTextTop = 3 };
enum Poly2dType { k2dSimplePoly = 0, k2dFitCurvePoly = 1, k2dQuadSplinePoly = 2, k2dCubicSplinePoly = 3 };
}  // namespace AcDb

class AcDbCurve : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbCurve);

protected:
    AcDbCurve() = default;
};

class AcDbLine : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbLine);
    AcDbLine();
    AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end);
    AcGePoint3d startPoint() const;
    Acad::ErrorStatus setStartPoint(const AcGePoint3d& p);
    AcGePoint3d endPoint() const;
    Acad::ErrorStatus setEndPoint(const AcGePoint3d& p);
    AcGeVector3d normal() const;
    double thickness() const;
};

class AcDbCircle : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbCircle);
    AcDbCircle();
    AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius);
    AcGePoint3d center() const;  // world
    Acad::ErrorStatus setCenter(const AcGePoint3d& p);
    double radius() const;
    Acad::ErrorStatus setRadius(double r);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& n);
};

class AcDbArc : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbArc);
    AcDbArc();
    AcDbArc(const AcGePoint3d& center, double radius, double startAngle, double endAngle);
    AcGePoint3d center() const;
    Acad::ErrorStatus setCenter(const AcGePoint3d& p);
    double radius() const;
    Acad::ErrorStatus setRadius(double r);
    double startAngle() const;
    Acad::ErrorStatus setStartAngle(double a);
    double endAngle() const;
    Acad::ErrorStatus setEndAngle(double a);
    AcGeVector3d normal() const;
};

class AcDbEllipse : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbEllipse);
    AcDbEllipse();
    AcDbEllipse(const AcGePoint3d& center, const AcGeVector3d& normal, const AcGeVector3d& majorAxis,
                double radiusRatio, double startParam = 0.0, double endParam = 6.283185307179586);
    AcGePoint3d center() const;
    AcGeVector3d majorAxis() const;
    AcGeVector3d minorAxis() const;
    AcGeVector3d normal() const;
    double radiusRatio() const;
    double startAngle() const;  // parameters of the ellipse
    double endAngle() const;
    Acad::ErrorStatus set(const AcGePoint3d& center, const AcGeVector3d& normal, const AcGeVector3d& majorAxis,
                          double radiusRatio, double startParam = 0.0, double endParam = 6.283185307179586);
};

class AcDbPoint : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbPoint);
    AcDbPoint();
    explicit AcDbPoint(const AcGePoint3d& p);
    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& p);
};

class AcDbSolid : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbSolid);
    AcDbSolid();
    AcDbSolid(const AcGePoint3d& p0, const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3);
    Acad::ErrorStatus getPointAt(uint16_t index, AcGePoint3d& p) const;  // index 0..3, plane coordinates
    Acad::ErrorStatus setPointAt(uint16_t index, const AcGePoint3d& p);
    AcGeVector3d normal() const;
};

// LWPOLYLINE: 2D vertices in the plane of its normal, at its elevation.
class AcDbPolyline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbPolyline);
    AcDbPolyline();
    explicit AcDbPolyline(unsigned int numVerts);
    unsigned int numVerts() const;
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint2d& p) const;
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint3d& p) const;  // world
    Acad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
    Acad::ErrorStatus getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const;
    Acad::ErrorStatus addVertexAt(unsigned int index, const AcGePoint2d& p, double bulge = 0.0,
                                  double startWidth = -1.0, double endWidth = -1.0);
    Acad::ErrorStatus removeVertexAt(unsigned int index);
    Acad::ErrorStatus setPointAt(unsigned int index, const AcGePoint2d& p);
    Acad::ErrorStatus setBulgeAt(unsigned int index, double bulge);
    bool isClosed() const;
    void setClosed(bool closed);
    double elevation() const;
    void setElevation(double z);
    AcGeVector3d normal() const;
    Acad::ErrorStatus getConstantWidth(double& width) const;
};

class AcDbSequenceEnd : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbSequenceEnd);
    AcDbSequenceEnd();
};

class AcDbVertex : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbVertex);

protected:
    AcDbVertex() = default;
};

class AcDb2dVertex : public AcDbVertex {
public:
    ACRX_DECLARE_MEMBERS(AcDb2dVertex);
    AcDb2dVertex();
    explicit AcDb2dVertex(const AcGePoint3d& position, double bulge = 0.0);
    AcGePoint3d position() const;  // plane coordinates of the polyline
    Acad::ErrorStatus setPosition(const AcGePoint3d& p);
    double bulge() const;
    Acad::ErrorStatus setBulge(double b);
};

// POLYLINE with VERTEX records and a SEQEND.
class AcDb2dPolyline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDb2dPolyline);
    AcDb2dPolyline();
    ~AcDb2dPolyline() override;
    AcDbObjectIterator* vertexIterator() const;  // the caller deletes it
    Acad::ErrorStatus appendVertex(AcDb2dVertex* vertex);
    Acad::ErrorStatus appendVertex(AcDbObjectId& id, AcDb2dVertex* vertex);
    Acad::ErrorStatus openVertex(AcDb2dVertex*& vertex, AcDbObjectId id, AcDb::OpenMode mode,
                                 bool openErased = false) const;
    bool isClosed() const;
    Acad::ErrorStatus makeClosed();
    Acad::ErrorStatus makeOpen();
    double elevation() const;
    AcGeVector3d normal() const;
    AcDb::Poly2dType polyType() const;
    Acad::ErrorStatus erase(bool erasing = true) override;

private:
    friend class vx::db::Access;
    std::vector<AcDbEntity*> m_vertices;  // owned by the database once the polyline is in one
    AcDbEntity* m_seqend = nullptr;
};

class AcDbText : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbText);
    AcDbText();
    AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style = AcDbObjectId::kNull,
             double height = 0.0, double rotation = 0.0);

    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& p);
    AcGePoint3d alignmentPoint() const;
    Acad::ErrorStatus setAlignmentPoint(const AcGePoint3d& p);
    bool isDefaultAlignment() const;
    double height() const;
    Acad::ErrorStatus setHeight(double h);
    double widthFactor() const;
    Acad::ErrorStatus setWidthFactor(double f);
    double rotation() const;
    Acad::ErrorStatus setRotation(double a);
    double oblique() const;
    Acad::ErrorStatus setOblique(double a);
    AcString textString() const;
    // Points into the object; valid until the text changes or the object closes.
    const ACHAR* textStringConst() const;
    Acad::ErrorStatus setTextString(const ACHAR* text);
    AcDbObjectId textStyle() const;
    Acad::ErrorStatus setTextStyle(AcDbObjectId style);
    AcDb::TextHorzMode horizontalMode() const;
    Acad::ErrorStatus setHorizontalMode(AcDb::TextHorzMode m);
    AcDb::TextVertMode verticalMode() const;
    Acad::ErrorStatus setVerticalMode(AcDb::TextVertMode m);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& n);
    double thickness() const;
    bool isMirroredInX() const;
    bool isMirroredInY() const;
    // For a text aligned other than left/baseline: recomputes the position from the alignment
    // point, as readers that show the position expect.
    Acad::ErrorStatus adjustAlignment(const AcDbDatabase* db = nullptr);

private:
    mutable AcString m_textCache;
};

class AcDbAttributeDefinition : public AcDbText {
public:
    ACRX_DECLARE_MEMBERS(AcDbAttributeDefinition);
    AcDbAttributeDefinition();
    AcDbAttributeDefinition(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag,
                            const ACHAR* prompt, AcDbObjectId style = AcDbObjectId::kNull);
    AcString tag() const;
    const ACHAR* tagConst() const;
    Acad::ErrorStatus setTag(const ACHAR* tag);
    AcString prompt() const;
    Acad::ErrorStatus setPrompt(const ACHAR* prompt);
    bool isInvisible() const;
    Acad::ErrorStatus setInvisible(bool on);
    bool isConstant() const;
    Acad::ErrorStatus setConstant(bool on);
    bool isVerifiable() const;
    bool isPreset() const;
    bool lockPositionInBlock() const;
    Acad::ErrorStatus setLockPositionInBlock(bool on);

private:
    mutable AcString m_tagCache;
};

class AcDbAttribute : public AcDbText {
public:
    ACRX_DECLARE_MEMBERS(AcDbAttribute);
    AcDbAttribute();
    AcDbAttribute(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag,
                  AcDbObjectId style = AcDbObjectId::kNull);
    AcString tag() const;
    const ACHAR* tagConst() const;
    Acad::ErrorStatus setTag(const ACHAR* tag);
    bool isInvisible() const;
    Acad::ErrorStatus setInvisible(bool on);
    bool isConstant() const;
    bool isVerifiable() const;
    bool isPreset() const;
    bool lockPositionInBlock() const;
    Acad::ErrorStatus setLockPositionInBlock(bool on);
    // Takes text, style, modes and flags from the definition, placed by the block transform.
    Acad::ErrorStatus setAttributeFromBlock(const AcDbAttributeDefinition* def, const AcGeMatrix3d& blockXform);

private:
    mutable AcString m_tagCache;
};

class AcDbMText : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbMText);
    AcDbMText();
    enum AttachmentPoint {
        kTopLeft = 1, kTopCenter, kTopRight, kMiddleLeft, kMiddleCenter, kMiddleRight,
        kBottomLeft, kBottomCenter, kBottomRight
    };
    // With formatting codes, as stored.
    AcString contents() const;
    Acad::ErrorStatus setContents(const ACHAR* text);
    // Without formatting codes: paragraphs become line breaks, stacked fractions "a/b".
    AcString text() const;
    AcGePoint3d location() const;
    Acad::ErrorStatus setLocation(const AcGePoint3d& p);
    double textHeight() const;
    Acad::ErrorStatus setTextHeight(double h);
    double width() const;
    Acad::ErrorStatus setWidth(double w);
    AttachmentPoint attachment() const;
    Acad::ErrorStatus setAttachment(AttachmentPoint a);
    double rotation() const;
    Acad::ErrorStatus setRotation(double a);
    AcGeVector3d direction() const;
    AcGeVector3d normal() const;
    AcDbObjectId textStyle() const;
    Acad::ErrorStatus setTextStyle(AcDbObjectId style);
};

class AcDbAttribute;

class AcDbBlockReference : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockReference);
    AcDbBlockReference();
    AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId block);
    ~AcDbBlockReference() override;

    AcDbObjectId blockTableRecord() const;
    Acad::ErrorStatus setBlockTableRecord(AcDbObjectId block);
    AcGePoint3d position() const;  // world
    Acad::ErrorStatus setPosition(const AcGePoint3d& p);
    AcGeScale3d scaleFactors() const;
    Acad::ErrorStatus setScaleFactors(const AcGeScale3d& s);
    double rotation() const;
    Acad::ErrorStatus setRotation(double a);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& n);
    // Block coordinates (relative to the block's origin) to world.
    AcGeMatrix3d blockTransform() const;

    // The caller deletes the iterator. Erased attributes are skipped.
    AcDbObjectIterator* attributeIterator() const;
    // The reference must be open for write; the attribute (new) is then owned with it.
    Acad::ErrorStatus appendAttribute(AcDbAttribute* attr);
    Acad::ErrorStatus appendAttribute(AcDbObjectId& id, AcDbAttribute* attr);
    Acad::ErrorStatus openAttribute(AcDbAttribute*& attr, AcDbObjectId id, AcDb::OpenMode mode,
                                    bool openErased = false) const;
    Acad::ErrorStatus openSequenceEnd(AcDbSequenceEnd*& seqend, AcDb::OpenMode mode) const;
    Acad::ErrorStatus erase(bool erasing = true) override;

private:
    friend class vx::db::Access;
    std::vector<AcDbEntity*> m_attributes;
    AcDbEntity* m_seqend = nullptr;
};

class AcDbHatch : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbHatch);
    AcDbHatch();
    AcString patternName() const;
    int numLoops() const;
    bool isSolid() const;
};

class AcDbDimension : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbDimension);
    AcDbDimension();
    // The anonymous block that holds the dimension's picture.
    AcDbObjectId dimBlockId() const;
    AcGePoint3d textPosition() const;
    AcString dimensionText() const;
};

class AcDbViewport : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbViewport);
    AcDbViewport();
    AcGePoint3d centerPoint() const;
    Acad::ErrorStatus setCenterPoint(const AcGePoint3d& p);
    double width() const;
    Acad::ErrorStatus setWidth(double w);
    double height() const;
    Acad::ErrorStatus setHeight(double h);
    int number() const;
};

// BLOCK and ENDBLK records of a block definition.
class AcDbBlockBegin : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockBegin);
    AcDbBlockBegin();
};
class AcDbBlockEnd : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockEnd);
    AcDbBlockEnd();
};

// An entity type the host keeps verbatim (3DFACE, SPLINE, LEADER, proxies, unknown types ...).
class AcDbUnknownEntity : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbUnknownEntity);
    AcDbUnknownEntity();
};

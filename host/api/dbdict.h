// Non-graphic objects: dictionaries, plot settings and layouts (kept as data), and the object
// types the host keeps verbatim.
#pragma once

#include "dbobject.h"

class AcDbDictionaryIterator;

// Keys compare without regard to case.
class AcDbDictionary : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbDictionary);
    AcDbDictionary();

    Acad::ErrorStatus getAt(const ACHAR* key, AcDbObjectId& id) const;
    Acad::ErrorStatus getAt(const ACHAR* key, AcDbObject*& obj, AcDb::OpenMode mode) const;
    bool has(const ACHAR* key) const;
    bool has(AcDbObjectId id) const;
    Acad::ErrorStatus nameAt(AcDbObjectId id, AcString& key) const;
    uint32_t numEntries() const;
    // The dictionary must be open for write and in a database. A new object becomes part of the
    // database (owned by this dictionary); an existing key gets the new object, the old one erased.
    Acad::ErrorStatus setAt(const ACHAR* key, AcDbObject* value, AcDbObjectId& id);
    Acad::ErrorStatus remove(const ACHAR* key);
    Acad::ErrorStatus remove(const ACHAR* key, AcDbObjectId& id);
    bool isTreatElementsAsHard() const;
    // The caller deletes the iterator.
    AcDbDictionaryIterator* newIterator() const;
};

class AcDbDictionaryIterator : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbDictionaryIterator);
    explicit AcDbDictionaryIterator(const AcDbDictionary* dict);
    const ACHAR* name() const;
    AcDbObjectId objectId() const;
    Acad::ErrorStatus getObject(AcDbObject*& obj, AcDb::OpenMode mode);
    bool done() const;
    bool next();

private:
    void settle();
    AcArray<AcString> m_names;
    AcDbObjectIdArray m_ids;
    int m_pos = 0;
};

class AcDbPlotSettings : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbPlotSettings);
    AcDbPlotSettings();
    explicit AcDbPlotSettings(bool modelType);

    enum PlotPaperUnits { kInches = 0, kMillimeters = 1, kPixels = 2 };
    enum PlotRotation { k0degrees = 0, k90degrees = 1, k180degrees = 2, k270degrees = 3 };
    enum PlotType { kDisplay = 0, kExtents = 1, kLimits = 2, kView = 3, kWindow = 4, kLayout = 5 };
    // Standard scales: paper units to drawing units (k1_100 plots 1 paper unit per 100 drawing
    // units); the inch scales read as paper inches to drawing feet.
    enum StdScaleType {
        kScaleToFit = 0, k1_128in, k1_64in, k1_32in, k1_16in, k3_32in, k1_8in, k3_16in, k1_4in, k3_8in,
        k1_2in, k3_4in, k1in, k3in, k6in, k1ft, k1_1, k1_2, k1_4, k1_8, k1_10, k1_16, k1_20, k1_30,
        k1_40, k1_50, k1_100, k2_1, k4_1, k8_1, k10_1, k100_1, k1000_1, k1and1_2in
    };
    // Bits of the layout flags (group 70).
    enum PlotFlags {
        kPlotViewportBorders = 1, kShowPlotStyles = 2, kPlotCentered = 4, kPlotHidden = 8,
        kUseStandardScale = 16, kPlotPlotStyles = 32, kScaleLineweights = 64, kPrintLineweights = 128,
        kDrawViewportsFirst = 512, kModelType = 1024
    };

    Acad::ErrorStatus getPlotSettingsName(AcString& name) const;
    Acad::ErrorStatus setPlotSettingsName(const ACHAR* name);
    Acad::ErrorStatus getPlotCfgName(AcString& name) const;
    Acad::ErrorStatus setPlotCfgName(const ACHAR* name);
    Acad::ErrorStatus getCanonicalMediaName(AcString& name) const;
    Acad::ErrorStatus setCanonicalMediaName(const ACHAR* name);
    Acad::ErrorStatus getCurrentStyleSheet(AcString& name) const;
    Acad::ErrorStatus setCurrentStyleSheet(const ACHAR* name);
    Acad::ErrorStatus getPlotViewName(AcString& name) const;
    Acad::ErrorStatus setPlotViewName(const ACHAR* name);
    // Millimetres (or inches, by the paper units).
    Acad::ErrorStatus getPlotPaperMargins(double& left, double& bottom, double& right, double& top) const;
    Acad::ErrorStatus setPlotPaperMargins(double left, double bottom, double right, double top);
    Acad::ErrorStatus getPlotPaperSize(double& width, double& height) const;
    Acad::ErrorStatus setPlotPaperSize(double width, double height);
    Acad::ErrorStatus getPlotOrigin(double& x, double& y) const;
    Acad::ErrorStatus setPlotOrigin(double x, double y);
    Acad::ErrorStatus getPlotWindowArea(double& xmin, double& ymin, double& xmax, double& ymax) const;
    Acad::ErrorStatus setPlotWindowArea(double xmin, double ymin, double xmax, double ymax);
    Acad::ErrorStatus getCustomPrintScale(double& numerator, double& denominator) const;
    Acad::ErrorStatus setCustomPrintScale(double numerator, double denominator);
    double stdScale() const;
    Acad::ErrorStatus setStdScale(double s);
    int stdScaleType() const;
    Acad::ErrorStatus setStdScaleType(int t);
    PlotPaperUnits plotPaperUnits() const;
    Acad::ErrorStatus setPlotPaperUnits(PlotPaperUnits u);
    PlotRotation plotRotation() const;
    Acad::ErrorStatus setPlotRotation(PlotRotation r);
    PlotType plotType() const;
    Acad::ErrorStatus setPlotType(PlotType t);
    int plotFlags() const;
    Acad::ErrorStatus setPlotFlags(int flags);
    bool plotCentered() const { return (plotFlags() & kPlotCentered) != 0; }
    Acad::ErrorStatus setPlotCentered(bool on);
    bool useStandardScale() const { return (plotFlags() & kUseStandardScale) != 0; }
    Acad::ErrorStatus setUseStandardScale(bool on);
    bool modelType() const { return (plotFlags() & kModelType) != 0; }
    // Takes every plot setting of another AcDbPlotSettings (an AcDbLayout too); this object must be
    // open for write. Pointers into another drawing (the shade plot object) are left out.
    Acad::ErrorStatus copyFrom(const AcRxObject* other) override;
};

class AcDbLayout : public AcDbPlotSettings {
public:
    ACRX_DECLARE_MEMBERS(AcDbLayout);
    AcDbLayout();
    Acad::ErrorStatus getLayoutName(AcString& name) const;
    Acad::ErrorStatus getLayoutName(const ACHAR*& name) const;
    Acad::ErrorStatus setLayoutName(const ACHAR* name);
    AcDbObjectId getBlockTableRecordId() const;
    Acad::ErrorStatus setBlockTableRecordId(AcDbObjectId id);
    int getTabOrder() const;
    Acad::ErrorStatus setTabOrder(int order);
    // The layout's main viewport (group 331), null when it has none.
    AcDbObjectId viewportId() const;

private:
    mutable AcString m_nameCache;
};

class AcDbXrecord : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbXrecord);
    AcDbXrecord();
};

// An object type the host keeps verbatim.
class AcDbUnknownObject : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbUnknownObject);
    AcDbUnknownObject();
};

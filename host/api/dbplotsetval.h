// The plot settings validator: the one way to change the device, medium, plot area, scale,
// rotation and style sheet of an AcDbPlotSettings (a layout or a copy of one) so that they stay
// consistent with the device. The host hands it out:
// acdbHostApplicationServices()->plotSettingsValidator().
//
// Devices are the host's plotter configurations (".pc3" files in the roamable root folder's
// "Plotters", listed by file name, "DWG TO PDF.pc3") and the system's printers (by queue name);
// "None" is listed first and plots nothing. Names returned as `const ACHAR*` stay valid for the
// life of the process.
#pragma once

#include "acadstrc.h"
#include "acarray.h"
#include "actext.h"
#include "adesk.h"
#include "dbdict.h"

class AcDbPlotSettingsValidator {
public:
    virtual ~AcDbPlotSettingsValidator() = default;

    // Makes `deviceName` the device. The medium becomes `mediaName` when the device has it,
    // otherwise the current medium when the device has that one, otherwise the device's first;
    // paper size and margins follow the medium. eInvalidInput for an unknown device (nothing
    // changes).
    virtual Acad::ErrorStatus setPlotCfgName(AcDbPlotSettings* settings, const ACHAR* deviceName,
                                             const ACHAR* mediaName = nullptr) = 0;
    // Sets the medium by its canonical name and fills paper size and printable margins from it.
    // eInvalidInput when the device has no such medium: the medium is then cleared (paper size
    // 0 x 0), so that a plot never goes out on a sheet left over from an earlier choice.
    virtual Acad::ErrorStatus setCanonicalMediaName(AcDbPlotSettings* settings, const ACHAR* mediaName) = 0;
    // Of the device's media, the one of this size (either way round) whose name comes first;
    // eInvalidInput when none is within 0.5 mm.
    virtual Acad::ErrorStatus setClosestMediaName(AcDbPlotSettings* settings, double paperWidth, double paperHeight,
                                                  AcDbPlotSettings::PlotPaperUnits units, bool matchPrintableArea) = 0;
    // Offset of the plot from the printable area's lower left corner, in paper units; used when
    // the plot is not centred.
    virtual Acad::ErrorStatus setPlotOrigin(AcDbPlotSettings* settings, double x, double y) = 0;
    virtual Acad::ErrorStatus setPlotPaperUnits(AcDbPlotSettings* settings,
                                                AcDbPlotSettings::PlotPaperUnits units) = 0;
    // Counter-clockwise turn of the plot on the medium.
    virtual Acad::ErrorStatus setPlotRotation(AcDbPlotSettings* settings, AcDbPlotSettings::PlotRotation rotation) = 0;
    virtual Acad::ErrorStatus setPlotCentered(AcDbPlotSettings* settings, Adesk::Boolean centered) = 0;
    virtual Acad::ErrorStatus setPlotType(AcDbPlotSettings* settings, AcDbPlotSettings::PlotType type) = 0;
    // The window in display coordinates (acedTrans code 2) of the layout's space; corners in any
    // order. eInvalidInput for coordinates that are not finite.
    virtual Acad::ErrorStatus setPlotWindowArea(AcDbPlotSettings* settings, double xmin, double ymin, double xmax,
                                                double ymax) = 0;
    virtual Acad::ErrorStatus setPlotViewName(AcDbPlotSettings* settings, const ACHAR* viewName) = 0;
    virtual Acad::ErrorStatus setUseStandardScale(AcDbPlotSettings* settings, Adesk::Boolean useStandard) = 0;
    // Paper units per drawing unit as a fraction; both parts above zero.
    virtual Acad::ErrorStatus setCustomPrintScale(AcDbPlotSettings* settings, double numerator,
                                                  double denominator) = 0;
    virtual Acad::ErrorStatus setStdScaleType(AcDbPlotSettings* settings, AcDbPlotSettings::StdScaleType type) = 0;
    virtual Acad::ErrorStatus setStdScale(AcDbPlotSettings* settings, double scale) = 0;
    // A file name of plotStyleSheetList ("monochrome.ctb"); empty for none. eInvalidInput for a
    // table the host does not have.
    virtual Acad::ErrorStatus setCurrentStyleSheet(AcDbPlotSettings* settings, const ACHAR* styleSheetName) = 0;
    // The device "None" with no medium.
    virtual Acad::ErrorStatus setDefaultPlotConfig(AcDbPlotSettings* settings) = 0;

    // "None", the system's printers, then the .pc3 files (names without regard to case).
    virtual Acad::ErrorStatus plotDeviceList(AcArray<const ACHAR*>& deviceList) = 0;
    // Canonical names of the media of the settings' device, in the device's order.
    virtual Acad::ErrorStatus canonicalMediaNameList(AcDbPlotSettings* settings, AcArray<const ACHAR*>& mediaList) = 0;
    // The name a user sees for a medium of the settings' device (by canonical name or by its
    // index in canonicalMediaNameList). eInvalidInput when the device has no such medium.
    virtual Acad::ErrorStatus getLocaleMediaName(AcDbPlotSettings* settings, const ACHAR* canonicalName,
                                                 const ACHAR*& localeName) = 0;
    virtual Acad::ErrorStatus getLocaleMediaName(AcDbPlotSettings* settings, int index, const ACHAR*& localeName) = 0;
    // The plot style tables of the roamable root folder's "Plot Styles" (.ctb and .stb file
    // names, without regard to case).
    virtual Acad::ErrorStatus plotStyleSheetList(AcArray<const ACHAR*>& styleList) = 0;
    // Reads the devices, their media and the style tables again (files added or removed,
    // printers that came or went).
    virtual void refreshLists(AcDbPlotSettings* settings) = 0;
};

// Plot device configurations: what a device is (a .pc3 file of the host or a system printer),
// whether it writes files, with which extension. acplPlotConfigManagerPtr() hands out the
// host's manager; the configurations it gives belong to it.
#pragma once

#include "acadstrc.h"
#include "acarray.h"
#include "actext.h"
#include "rxobject.h"

class AcPlPlotConfig : public AcRxObject {
public:
    enum PlotToFileCapability { kNoPlotToFile = 0, kPlotToFileAllowed = 1, kMustPlotToFile = 2 };
    enum DeviceType { kSystemPrinter = 0, kPC3File = 1, kOneOffConfig = 2, kUninitialized = -1 };

    // The name the device lists show ("DWG TO PDF.pc3", a printer's queue name).
    virtual const ACHAR* deviceName() const = 0;
    // The configuration file's path (native); empty for a system printer.
    virtual const ACHAR* fullPath() const = 0;
    virtual DeviceType deviceType() const = 0;
    virtual PlotToFileCapability plotToFileCapability() const = 0;
    // Whether a plot goes to a file unless the plot says otherwise: set for devices that must.
    virtual bool isPlotToFile() const = 0;
    // eInvalidInput when the device cannot plot to a file, or must.
    virtual Acad::ErrorStatus setPlotToFile(bool plotToFile) = 0;
    // The extension of the files the device writes, with its dot (".pdf"); a printer's is ".pdf"
    // too (what it prints to a file is the PDF it would send).
    virtual void getDefaultFileExtension(const ACHAR*& extension) const = 0;
    // Raster devices: dots per inch; vector devices: the resolution of their coordinates.
    virtual unsigned int maxDeviceDPI() const = 0;
    // Canonical names of the device's media, in the device's order.
    virtual void getCanonicalMediaNameList(AcArray<const ACHAR*>& mediaList) const = 0;
    // eInvalidInput when the device has no such medium.
    virtual Acad::ErrorStatus getLocalMediaName(const ACHAR* canonicalName, const ACHAR*& localName) const = 0;
};

class AcPlPlotConfigManager {
public:
    enum RefreshCode { kAll = 0, kRefreshDevicesList = 1, kRefreshStyleList = 2, kRefreshSystemDevicesList = 3,
                       kRefreshPC3DevicesList = 4 };

    virtual ~AcPlPlotConfigManager() = default;
    // Names of every device, as AcDbPlotSettingsValidator::plotDeviceList gives them.
    virtual void getDevicesList(AcArray<const ACHAR*>& deviceList) = 0;
    // Makes the named device current and gives its configuration (owned by the manager, valid
    // until the lists are refreshed). False, and `config` null, when there is no such device.
    virtual bool setCurrentConfig(AcPlPlotConfig*& config, const ACHAR* deviceName) = 0;
    // The current configuration, null before any was set.
    virtual AcPlPlotConfig* curPlotConfig() = 0;
    virtual void refreshList(RefreshCode code = kAll) = 0;
};

AcPlPlotConfigManager* acplPlotConfigManagerPtr();

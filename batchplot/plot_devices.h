// The host's plot devices, style tables and media as the batch plot dialog offers them. Every
// change goes to the dialog's own copy of the layout's plot settings, never to a layout.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "acplot.h"

namespace vorlix {

// Display name -> canonical name of the current device's media; of two media with one display
// name the first the host lists is kept. Ordered by plain code-unit comparison.
using PaperMap = std::map<std::wstring, std::wstring>;

// The devices a user may choose: every device of the host but system and web devices (names
// holding "Default Windows System Printer", "DWF6 ePlot", "DWFx ePlot", "PublishToWeb" or
// "Microsoft", case-sensitive), in the host's order.
std::vector<std::wstring> offeredDevices(const std::vector<std::wstring>& hostDevices);
std::vector<std::wstring> hostDeviceList();
std::vector<std::wstring> hostStyleSheetList();

// What a device change settles.
struct DeviceState {
    PaperMap paperMap;
    std::wstring extension;   // with the dot the host reports it with
    bool plotToFile = false;  // the device plots to files only
};

// Makes `device` the device of `settings`, refreshes the validator's lists and fills the paper
// map. Extension and plot-to-file flag are the device configuration's; a device the
// configuration manager does not know leaves both as they were.
void changeDevice(AcDbPlotSettings* settings, const std::wstring& device, DeviceState& state);

}  // namespace vorlix

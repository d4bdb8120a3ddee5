#include "batchplot/plot_devices.h"

#include "dbapserv.h"

namespace vorlix {
namespace {

const wchar_t* const kHiddenDeviceWords[] = {L"Default Windows System Printer", L"DWF6 ePlot", L"DWFx ePlot",
                                             L"PublishToWeb", L"Microsoft"};

AcDbPlotSettingsValidator* validator() { return acdbHostApplicationServices()->plotSettingsValidator(); }

std::vector<std::wstring> texts(const AcArray<const ACHAR*>& list) {
    std::vector<std::wstring> out;
    for (int i = 0; i < list.length(); ++i)
        if (list[i]) out.emplace_back(list[i]);
    return out;
}

}  // namespace

std::vector<std::wstring> offeredDevices(const std::vector<std::wstring>& hostDevices) {
    std::vector<std::wstring> offered;
    for (const std::wstring& name : hostDevices) {
        bool hidden = false;
        for (const wchar_t* word : kHiddenDeviceWords) hidden = hidden || name.find(word) != std::wstring::npos;
        if (!hidden) offered.push_back(name);
    }
    return offered;
}

std::vector<std::wstring> hostDeviceList() {
    AcArray<const ACHAR*> list;
    validator()->plotDeviceList(list);
    return texts(list);
}

std::vector<std::wstring> hostStyleSheetList() {
    AcArray<const ACHAR*> list;
    validator()->plotStyleSheetList(list);
    return texts(list);
}

void changeDevice(AcDbPlotSettings* settings, const std::wstring& device, DeviceState& state) {
    AcDbPlotSettingsValidator* v = validator();
    v->setPlotCfgName(settings, device.c_str());
    v->refreshLists(settings);
    state.paperMap.clear();
    AcArray<const ACHAR*> media;
    v->canonicalMediaNameList(settings, media);
    for (int i = 0; i < media.length(); ++i) {
        const ACHAR* display = nullptr;
        if (media[i] && v->getLocaleMediaName(settings, media[i], display) == Acad::eOk && display)
            state.paperMap.emplace(display, media[i]);
    }
    AcPlPlotConfig* config = nullptr;
    AcPlPlotConfigManager* manager = acplPlotConfigManagerPtr();
    if (!manager || !manager->setCurrentConfig(config, device.c_str()) || !config) return;
    const ACHAR* extension = nullptr;
    config->getDefaultFileExtension(extension);
    if (extension && *extension) state.extension = extension;
    switch (config->plotToFileCapability()) {
    case AcPlPlotConfig::kMustPlotToFile: state.plotToFile = true; break;
    case AcPlPlotConfig::kNoPlotToFile:
    case AcPlPlotConfig::kPlotToFileAllowed: state.plotToFile = false; break;
    }
}

}  // namespace vorlix

// AcPlPlotConfigManager over the device catalogue. Configurations handed out stay valid for the
// life of the process (a caller may keep one across a refresh).
#include <deque>
#include <memory>
#include <mutex>

#include "acplplotconfig.h"
#include "plot/device_catalog.h"
#include "plot/validated_plot.h"
#include "plot/string_pool.h"
#include "text/encoding.h"

namespace vx::plot {

namespace {

class PlotConfig : public AcPlPlotConfig {
public:
    explicit PlotConfig(std::shared_ptr<const Device> device)
        : m_device(std::move(device)), m_toFile(m_device->config.plotToFile == kMustPlotToFile) {}

    const ACHAR* deviceName() const override { return internName(m_device->name); }
    const ACHAR* fullPath() const override { return internName(text::fromUtf8(m_device->configPath)); }
    DeviceType deviceType() const override {
        if (m_device->systemPrinter) return kSystemPrinter;
        return m_device->configPath.empty() ? kUninitialized : kPC3File;
    }
    PlotToFileCapability plotToFileCapability() const override {
        return static_cast<PlotToFileCapability>(m_device->config.plotToFile);
    }
    bool isPlotToFile() const override { return m_toFile; }
    Acad::ErrorStatus setPlotToFile(bool toFile) override {
        const PlotToFileCapability c = plotToFileCapability();
        if ((toFile && c == kNoPlotToFile) || (!toFile && c == kMustPlotToFile)) return Acad::eInvalidInput;
        m_toFile = toFile;
        return Acad::eOk;
    }
    void getDefaultFileExtension(const ACHAR*& extension) const override {
        extension = internName(m_device->config.extension);
    }
    unsigned int maxDeviceDPI() const override { return m_device->config.resolution; }
    void getCanonicalMediaNameList(AcArray<const ACHAR*>& list) const override {
        list.removeAll();
        for (const Medium& m : m_device->media) list.append(internName(m.canonical));
    }
    Acad::ErrorStatus getLocalMediaName(const ACHAR* canonical, const ACHAR*& local) const override {
        const Medium* m = canonical ? m_device->medium(canonical) : nullptr;
        local = m ? internName(m->display) : nullptr;
        return m ? Acad::eOk : Acad::eInvalidInput;
    }
    const std::shared_ptr<const Device>& device() const { return m_device; }

private:
    std::shared_ptr<const Device> m_device;
    bool m_toFile;
};

class ConfigManager : public AcPlPlotConfigManager {
public:
    void getDevicesList(AcArray<const ACHAR*>& list) override {
        list.removeAll();
        for (const auto& d : deviceCatalog().devices()) list.append(internName(d->name));
    }
    bool setCurrentConfig(AcPlPlotConfig*& config, const ACHAR* deviceName) override {
        config = nullptr;
        const auto device = deviceName ? deviceCatalog().find(deviceName) : nullptr;
        if (!device) return false;
        m_current = const_cast<PlotConfig*>(configOf(device));
        config = m_current;
        return true;
    }
    AcPlPlotConfig* curPlotConfig() override { return m_current; }
    const PlotConfig* configOf(const std::shared_ptr<const Device>& device) {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (auto& c : m_configs)
            if (c->device() == device) return c.get();
        m_configs.push_back(std::make_unique<PlotConfig>(device));
        return m_configs.back().get();
    }
    void refreshList(RefreshCode) override { deviceCatalog().refresh(); }

private:
    std::mutex m_mutex;
    std::deque<std::unique_ptr<PlotConfig>> m_configs;  // never shrinks: callers keep pointers
    PlotConfig* m_current = nullptr;
};

ConfigManager& manager() {
    static ConfigManager instance;
    return instance;
}

}  // namespace

const AcPlPlotConfig* plotConfigOf(const std::shared_ptr<const Device>& device) { return manager().configOf(device); }

std::shared_ptr<const Device> deviceOfConfig(const AcPlPlotConfig* config) {
    const auto* ours = dynamic_cast<const PlotConfig*>(config);
    return ours ? ours->device() : nullptr;
}

}  // namespace vx::plot

AcPlPlotConfigManager* acplPlotConfigManagerPtr() { return &vx::plot::manager(); }

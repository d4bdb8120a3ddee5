// AcDbPlotSettingsValidator over the device catalogue: every change is checked against the
// settings' device, and a medium always brings its paper size and margins along.
#include <cmath>

#include "dbapserv.h"
#include "dbplotsetval.h"
#include "plot/device_catalog.h"
#include "plot/string_pool.h"

namespace vx::plot {

namespace {

constexpr double kMmPerInch = 25.4;

// What each standard scale plots: paper units per drawing unit (the inch scales as paper
// inches per drawing foot).
const double kStandardScales[] = {
    1,          1.0 / 1536, 1.0 / 768, 1.0 / 384, 1.0 / 192, 1.0 / 128, 1.0 / 96, 1.0 / 64, 1.0 / 48,
    1.0 / 32,   1.0 / 24,   1.0 / 16,  1.0 / 12,  1.0 / 4,   1.0 / 2,   1.0 / 12, 1,        1.0 / 2,
    1.0 / 4,    1.0 / 8,    1.0 / 10,  1.0 / 16,  1.0 / 20,  1.0 / 30,  1.0 / 40, 1.0 / 50, 1.0 / 100,
    2,          4,          8,         10,        100,       1000,      1.0 / 8,
};
constexpr int kStandardScaleCount = static_cast<int>(sizeof kStandardScales / sizeof kStandardScales[0]);

std::wstring deviceNameOf(const AcDbPlotSettings* s) {
    AcString name;
    s->getPlotCfgName(name);
    return name.kACharPtr();
}

std::shared_ptr<const Device> deviceOf(const AcDbPlotSettings* s) { return deviceCatalog().find(deviceNameOf(s)); }

Acad::ErrorStatus applyMedium(AcDbPlotSettings* s, const Medium* m) {
    Acad::ErrorStatus es = s->setCanonicalMediaName(m ? m->canonical.c_str() : L"");
    if (es != Acad::eOk) return es;
    if (!m) {
        s->setPlotPaperSize(0, 0);
        return s->setPlotPaperMargins(0, 0, 0, 0);
    }
    s->setPlotPaperSize(m->widthMm, m->heightMm);
    const render::Box2 p = m->printableMm.empty() ? render::Box2{0, 0, m->widthMm, m->heightMm} : m->printableMm;
    return s->setPlotPaperMargins(p.x0, p.y0, m->widthMm - p.x1, m->heightMm - p.y1);
}

bool finite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

class Validator : public AcDbPlotSettingsValidator {
public:
    Acad::ErrorStatus setPlotCfgName(AcDbPlotSettings* s, const ACHAR* deviceName, const ACHAR* mediaName) override {
        if (!s || !deviceName) return Acad::eInvalidInput;
        const auto device = deviceCatalog().find(deviceName);
        if (!device) return Acad::eInvalidInput;
        AcString current;
        s->getCanonicalMediaName(current);
        Acad::ErrorStatus es = s->setPlotCfgName(
            device->config.driver == DriverKind::None ? kNoDeviceStored : device->name.c_str());
        if (es != Acad::eOk) return es;
        const Medium* m = mediaName ? device->medium(mediaName) : nullptr;
        if (!m) m = device->medium(current.kACharPtr());
        if (!m && !device->media.empty()) m = &device->media.front();
        return applyMedium(s, m);
    }

    Acad::ErrorStatus setCanonicalMediaName(AcDbPlotSettings* s, const ACHAR* mediaName) override {
        if (!s) return Acad::eInvalidInput;
        const auto device = deviceOf(s);
        const Medium* m = device && mediaName ? device->medium(mediaName) : nullptr;
        const Acad::ErrorStatus es = applyMedium(s, m);
        if (es != Acad::eOk) return es;
        return m ? Acad::eOk : Acad::eInvalidInput;
    }

    Acad::ErrorStatus setClosestMediaName(AcDbPlotSettings* s, double w, double h, AcDbPlotSettings::PlotPaperUnits units,
                                          bool) override {
        if (!s || !finite({w, h})) return Acad::eInvalidInput;
        const double k = units == AcDbPlotSettings::kInches ? kMmPerInch : 1;
        w *= k, h *= k;
        const auto device = deviceOf(s);
        if (!device) return Acad::eInvalidInput;
        const Medium* found = nullptr;
        for (bool turned : {false, true}) {
            for (const Medium& m : device->media) {
                const double mw = turned ? m.heightMm : m.widthMm, mh = turned ? m.widthMm : m.heightMm;
                if (!found && std::fabs(mw - w) < 0.5 && std::fabs(mh - h) < 0.5) found = &m;
            }
        }
        if (!found) return Acad::eInvalidInput;
        return applyMedium(s, found);
    }

    Acad::ErrorStatus setPlotOrigin(AcDbPlotSettings* s, double x, double y) override {
        if (!s || !finite({x, y})) return Acad::eInvalidInput;
        return s->setPlotOrigin(x, y);
    }

    Acad::ErrorStatus setPlotPaperUnits(AcDbPlotSettings* s, AcDbPlotSettings::PlotPaperUnits units) override {
        if (!s || units < AcDbPlotSettings::kInches || units > AcDbPlotSettings::kPixels) return Acad::eInvalidInput;
        return s->setPlotPaperUnits(units);
    }

    Acad::ErrorStatus setPlotRotation(AcDbPlotSettings* s, AcDbPlotSettings::PlotRotation r) override {
        if (!s || r < AcDbPlotSettings::k0degrees || r > AcDbPlotSettings::k270degrees) return Acad::eInvalidInput;
        return s->setPlotRotation(r);
    }

    Acad::ErrorStatus setPlotCentered(AcDbPlotSettings* s, Adesk::Boolean centered) override {
        if (!s) return Acad::eInvalidInput;
        return s->setPlotCentered(centered);
    }

    Acad::ErrorStatus setPlotType(AcDbPlotSettings* s, AcDbPlotSettings::PlotType t) override {
        if (!s || t < AcDbPlotSettings::kDisplay || t > AcDbPlotSettings::kLayout) return Acad::eInvalidInput;
        return s->setPlotType(t);
    }

    Acad::ErrorStatus setPlotWindowArea(AcDbPlotSettings* s, double x0, double y0, double x1, double y1) override {
        if (!s || !finite({x0, y0, x1, y1})) return Acad::eInvalidInput;
        return s->setPlotWindowArea(std::fmin(x0, x1), std::fmin(y0, y1), std::fmax(x0, x1), std::fmax(y0, y1));
    }

    Acad::ErrorStatus setPlotViewName(AcDbPlotSettings* s, const ACHAR* viewName) override {
        if (!s) return Acad::eInvalidInput;
        return s->setPlotViewName(viewName ? viewName : L"");
    }

    Acad::ErrorStatus setUseStandardScale(AcDbPlotSettings* s, Adesk::Boolean useStandard) override {
        if (!s) return Acad::eInvalidInput;
        return s->setUseStandardScale(useStandard);
    }

    Acad::ErrorStatus setCustomPrintScale(AcDbPlotSettings* s, double numerator, double denominator) override {
        if (!s || !finite({numerator, denominator}) || numerator <= 0 || denominator <= 0) return Acad::eInvalidInput;
        return s->setCustomPrintScale(numerator, denominator);
    }

    Acad::ErrorStatus setStdScaleType(AcDbPlotSettings* s, AcDbPlotSettings::StdScaleType t) override {
        if (!s || t < 0 || t >= kStandardScaleCount) return Acad::eInvalidInput;
        const Acad::ErrorStatus es = s->setStdScaleType(t);
        if (es != Acad::eOk || t == AcDbPlotSettings::kScaleToFit) return es;
        return s->setStdScale(kStandardScales[t]);
    }

    Acad::ErrorStatus setStdScale(AcDbPlotSettings* s, double scale) override {
        if (!s || !finite({scale}) || scale <= 0) return Acad::eInvalidInput;
        return s->setStdScale(scale);
    }

    Acad::ErrorStatus setCurrentStyleSheet(AcDbPlotSettings* s, const ACHAR* name) override {
        if (!s) return Acad::eInvalidInput;
        if (!name || !*name) return s->setCurrentStyleSheet(L"");
        for (const StyleSheetFile& f : deviceCatalog().styleSheets())
            if (sameName(f.name, name)) return s->setCurrentStyleSheet(f.name.c_str());
        return Acad::eInvalidInput;
    }

    Acad::ErrorStatus setDefaultPlotConfig(AcDbPlotSettings* s) override { return setPlotCfgName(s, kNoDeviceName, nullptr); }

    Acad::ErrorStatus plotDeviceList(AcArray<const ACHAR*>& list) override {
        list.removeAll();
        for (const auto& d : deviceCatalog().devices()) list.append(internName(d->name));
        return Acad::eOk;
    }

    Acad::ErrorStatus canonicalMediaNameList(AcDbPlotSettings* s, AcArray<const ACHAR*>& list) override {
        list.removeAll();
        if (!s) return Acad::eInvalidInput;
        const auto device = deviceOf(s);
        if (!device) return Acad::eInvalidInput;
        for (const Medium& m : device->media) list.append(internName(m.canonical));
        return Acad::eOk;
    }

    Acad::ErrorStatus getLocaleMediaName(AcDbPlotSettings* s, const ACHAR* canonical, const ACHAR*& local) override {
        local = nullptr;
        if (!s || !canonical) return Acad::eInvalidInput;
        const auto device = deviceOf(s);
        const Medium* m = device ? device->medium(canonical) : nullptr;
        if (!m) return Acad::eInvalidInput;
        local = internName(m->display);
        return Acad::eOk;
    }

    Acad::ErrorStatus getLocaleMediaName(AcDbPlotSettings* s, int index, const ACHAR*& local) override {
        local = nullptr;
        if (!s) return Acad::eInvalidInput;
        const auto device = deviceOf(s);
        if (!device || index < 0 || static_cast<size_t>(index) >= device->media.size()) return Acad::eInvalidInput;
        local = internName(device->media[static_cast<size_t>(index)].display);
        return Acad::eOk;
    }

    Acad::ErrorStatus plotStyleSheetList(AcArray<const ACHAR*>& list) override {
        list.removeAll();
        for (const StyleSheetFile& f : deviceCatalog().styleSheets()) list.append(internName(f.name));
        return Acad::eOk;
    }

    void refreshLists(AcDbPlotSettings*) override { deviceCatalog().refresh(); }
};

}  // namespace

}  // namespace vx::plot

AcDbPlotSettingsValidator* AcDbHostApplicationServices::plotSettingsValidator() const {
    static vx::plot::Validator validator;
    return &validator;
}

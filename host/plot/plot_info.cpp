// AcPlPlotInfo and its validator: the layout and override settings become a ValidatedPlot.
#include <cmath>

#include "acplplotinfo.h"
#include "dbdatabase.h"
#include "dbdict.h"
#include "dbobject.h"
#include "plot/validated_plot.h"
#include "text/encoding.h"

using vx::plot::ValidatedPlot;

AcPlPlotInfo::AcPlPlotInfo() = default;

AcPlPlotInfo::~AcPlPlotInfo() {
    delete m_overrides;
    delete m_validatedSettings;
}

void AcPlPlotInfo::invalidate() { setValidatedPlot(nullptr, nullptr); }

void AcPlPlotInfo::setLayout(const AcDbObjectId& layoutId) {
    m_layout = layoutId;
    invalidate();
}

AcDbObjectId AcPlPlotInfo::layout() const { return m_layout; }

void AcPlPlotInfo::setOverrideSettings(const AcDbPlotSettings* overrides) {
    delete m_overrides;
    m_overrides = nullptr;
    if (overrides) {
        m_overrides = new AcDbPlotSettings();
        if (m_overrides->copyFrom(overrides) != Acad::eOk) {
            delete m_overrides;
            m_overrides = nullptr;
        }
    }
    invalidate();
}

const AcDbPlotSettings* AcPlPlotInfo::overrideSettings() const { return m_overrides; }

void AcPlPlotInfo::setDeviceOverride(const AcPlPlotConfig* config) {
    m_device = config;
    invalidate();
}

const AcPlPlotConfig* AcPlPlotInfo::deviceOverride() const { return m_device; }

bool AcPlPlotInfo::isValidated() const { return m_validated != nullptr; }

const AcDbPlotSettings* AcPlPlotInfo::validatedSettings() const { return m_validated ? m_validatedSettings : nullptr; }

const AcPlPlotConfig* AcPlPlotInfo::validatedConfig() const {
    return m_validated ? vx::plot::plotConfigOf(m_validated->device) : nullptr;
}

const ValidatedPlot* AcPlPlotInfo::validatedPlot() const { return m_validated.get(); }

void AcPlPlotInfo::setValidatedPlot(std::unique_ptr<ValidatedPlot> plot, const AcDbPlotSettings* settings) {
    m_validated = std::move(plot);
    delete m_validatedSettings;
    m_validatedSettings = nullptr;
    if (m_validated && settings) {
        m_validatedSettings = new AcDbPlotSettings();
        m_validatedSettings->copyFrom(settings);
    }
}

namespace {

constexpr double kMmPerInch = 25.4;

struct Failure {
    Acad::ErrorStatus status;
    std::wstring message;
};

// The medium of the settings on the device, or with matching, the device's medium of the
// settings' paper size (the same way round first).
const vx::plot::Medium* mediumFor(const vx::plot::Device& device, const AcDbPlotSettings& s, bool matching) {
    AcString name;
    s.getCanonicalMediaName(name);
    if (const vx::plot::Medium* m = device.medium(name.kACharPtr())) return m;
    if (!matching) return nullptr;
    double w = 0, h = 0;
    s.getPlotPaperSize(w, h);
    if (!(w > 0 && h > 0)) return nullptr;
    for (bool turned : {false, true})
        for (const vx::plot::Medium& m : device.media) {
            const double mw = turned ? m.heightMm : m.widthMm, mh = turned ? m.widthMm : m.heightMm;
            if (std::fabs(mw - w) < 0.5 && std::fabs(mh - h) < 0.5) return &m;
        }
    return nullptr;
}

bool settle(const AcDbLayout& layout, const AcDbPlotSettings& s, const AcPlPlotConfig* deviceOverride, bool matching,
            ValidatedPlot& plot, Failure& failure) {
    using namespace vx::plot;
    AcString cfg;
    s.getPlotCfgName(cfg);
    plot.device = deviceOverride ? deviceOfConfig(deviceOverride) : deviceCatalog().find(cfg.kACharPtr());
    if (!plot.device) {
        failure = {Acad::eDeviceNotFound, L"no plot device \"" + std::wstring(cfg.kACharPtr()) + L"\""};
        return false;
    }
    if (!plot.device->plots()) {
        failure = {Acad::eInvalidPlotInfo, vx::text::fromUtf8(plot.device->problem)};
        return false;
    }
    const Medium* medium = mediumFor(*plot.device, s, matching);
    if (!medium) {
        AcString name;
        s.getCanonicalMediaName(name);
        const std::wstring asked = name.kACharPtr();
        failure = {Acad::eInvalidPlotInfo, asked.empty() ? L"no paper size was chosen for " + plot.device->name
                                                         : plot.device->name + L" has no paper size \"" + asked + L"\""};
        return false;
    }
    plot.medium = *medium;

    const bool inches = s.plotPaperUnits() == AcDbPlotSettings::kInches;
    const double unit = inches ? kMmPerInch : 1;
    plot.space = layout.getBlockTableRecordId();
    plot.modelSpace = layout.modelType() || plot.space == layout.database()->modelSpaceId();
    switch (s.plotType()) {
    case AcDbPlotSettings::kWindow: {
        double x0, y0, x1, y1;
        s.getPlotWindowArea(x0, y0, x1, y1);
        plot.area = PlotArea::Window;
        plot.window = vx::render::Box2{};
        plot.window.add(vx::render::Vec2{x0, y0});
        plot.window.add(vx::render::Vec2{x1, y1});
        if (!(plot.window.width() > 0 && plot.window.height() > 0) ||
            !std::isfinite(plot.window.width() + plot.window.height())) {
            failure = {Acad::eInvalidPlotArea, L"the plot window has no area"};
            return false;
        }
        break;
    }
    case AcDbPlotSettings::kView:
        failure = {Acad::eInvalidPlotArea, L"named views are not plotted by this host"};
        return false;
    case AcDbPlotSettings::kLayout:
        if (!plot.modelSpace) {
            // A layout's paper space is drawn in paper units from the printable area's corner.
            plot.area = PlotArea::Layout;
            const vx::render::Box2& p = medium->printableMm.empty()
                                        ? vx::render::Box2{0, 0, medium->widthMm, medium->heightMm}
                                        : medium->printableMm;
            plot.window = vx::render::Box2{0, 0, p.width() / unit, p.height() / unit};
            break;
        }
        plot.area = PlotArea::Extents;
        break;
    default:
        plot.area = PlotArea::Extents;
        break;
    }

    plot.rotationDegrees = 90 * static_cast<int>(s.plotRotation());
    plot.centred = s.plotCentered() && plot.area != PlotArea::Layout;
    double ox = 0, oy = 0;
    s.getPlotOrigin(ox, oy);
    plot.originMm = {ox * unit, oy * unit};
    if (!std::isfinite(plot.originMm.x) || !std::isfinite(plot.originMm.y)) plot.originMm = {};
    plot.scaleToFit = plot.area != PlotArea::Layout && s.useStandardScale() &&
                      s.stdScaleType() == AcDbPlotSettings::kScaleToFit;
    if (plot.area == PlotArea::Layout) {
        plot.mmPerUnit = unit;
    } else if (s.useStandardScale()) {
        plot.mmPerUnit = s.stdScale() * unit;
    } else {
        double numerator = 0, denominator = 0;
        s.getCustomPrintScale(numerator, denominator);
        plot.mmPerUnit = denominator != 0 ? numerator / denominator * unit : 0;
    }
    if (!plot.scaleToFit && !(std::isfinite(plot.mmPerUnit) && plot.mmPerUnit > 0)) {
        failure = {Acad::eInvalidPlotSettings, L"the plot scale is no number above zero"};
        return false;
    }

    AcString sheet;
    s.getCurrentStyleSheet(sheet);
    plot.styleSheet = sheet.kACharPtr();
    const bool withStyles = (s.plotFlags() & AcDbPlotSettings::kPlotPlotStyles) != 0;
    std::string why;
    plot.styleTable = deviceCatalog().styleTable(withStyles ? plot.styleSheet : std::wstring(), why);
    if (!plot.styleTable) {
        failure = {Acad::eInvalidPlotSettings, vx::text::fromUtf8(why)};
        return false;
    }
    if (!(s.plotFlags() & AcDbPlotSettings::kPrintLineweights)) {
        // Without lineweights every line is the device's thinnest.
        auto thin = std::make_shared<PlotStyleTable>(*plot.styleTable);
        for (PlotStyle& st : thin->aci) st.lineweightMm = 0;
        thin->trueColor.lineweightMm = 0;
        plot.styleTable = thin;
    }
    plot.lineweightScale =
        (s.plotFlags() & AcDbPlotSettings::kScaleLineweights) && !plot.scaleToFit ? plot.mmPerUnit : 1;
    return true;
}

}  // namespace

Acad::ErrorStatus AcPlPlotInfoValidator::validate(AcPlPlotInfo& info) {
    info.setValidatedPlot(nullptr, nullptr);
    m_message.clear();
    AcDbObjectPointer<AcDbLayout> layout(info.layout(), AcDb::kForRead);
    if (info.layout().isNull() || layout.openStatus() != Acad::eOk) {
        m_message = L"the plot names no layout of a drawing";
        info.setValidationFailure(m_message);
        return Acad::eInvalidPlotInfo;
    }
    const AcDbPlotSettings* settings = info.overrideSettings() ? info.overrideSettings() : layout.object();
    auto plot = std::make_unique<ValidatedPlot>();
    plot->database = layout->database();
    plot->layout = info.layout();
    AcString name;
    layout->getLayoutName(name);
    plot->layoutName = name.kACharPtr();
    Failure failure{Acad::eOk, L""};
    if (!settle(*layout, *settings, info.deviceOverride(), m_policy != kMatchDisabled, *plot, failure)) {
        m_message = failure.message;
        info.setValidationFailure(m_message);
        return failure.status;
    }
    info.setValidationFailure(std::wstring());
    // The validated settings carry the medium actually used.
    AcDbPlotSettings settled;
    settled.copyFrom(settings);
    settled.setCanonicalMediaName(plot->medium.canonical.c_str());
    settled.setPlotPaperSize(plot->medium.widthMm, plot->medium.heightMm);
    info.setValidatedPlot(std::move(plot), &settled);
    return Acad::eOk;
}

const ACHAR* AcPlPlotInfoValidator::validationMessage() const { return m_message.c_str(); }

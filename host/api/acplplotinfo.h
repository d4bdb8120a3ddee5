// What one plot is made of: the layout to plot, the settings that override the layout's own
// (the layout itself is never changed), and the validation that turns both into the settings
// the engine plots with.
#pragma once

#include <memory>
#include <string>

#include "acadstrc.h"
#include "dbid.h"

class AcDbPlotSettings;
class AcPlPlotConfig;

namespace vx::plot {
struct ValidatedPlot;
}

class AcPlPlotInfo {
public:
    AcPlPlotInfo();
    ~AcPlPlotInfo();
    AcPlPlotInfo(const AcPlPlotInfo&) = delete;
    AcPlPlotInfo& operator=(const AcPlPlotInfo&) = delete;

    // The layout (an AcDbLayout id, model or paper space) whose space is plotted.
    void setLayout(const AcDbObjectId& layoutId);
    AcDbObjectId layout() const;
    // Settings to plot with instead of the layout's. The plot info keeps a copy taken now: later
    // changes of `overrides` need another call.
    void setOverrideSettings(const AcDbPlotSettings* overrides);
    const AcDbPlotSettings* overrideSettings() const;
    // Another device than the settings name.
    void setDeviceOverride(const AcPlPlotConfig* config);
    const AcPlPlotConfig* deviceOverride() const;

    // Set by AcPlPlotInfoValidator::validate; cleared by every change above.
    bool isValidated() const;
    // The settings validation settled on (the medium matched, the device's paper); null before.
    const AcDbPlotSettings* validatedSettings() const;
    const AcPlPlotConfig* validatedConfig() const;

    // The host's view of a validated plot, for the engine; set by the validator with the
    // settings it settled on.
    const vx::plot::ValidatedPlot* validatedPlot() const;
    void setValidatedPlot(std::unique_ptr<vx::plot::ValidatedPlot> plot, const AcDbPlotSettings* settings);
    // Why the last validation failed; empty after a success or before any.
    const std::wstring& validationFailure() const { return m_failure; }
    void setValidationFailure(const std::wstring& why) { m_failure = why; }

private:
    void invalidate();
    AcDbObjectId m_layout;
    AcDbPlotSettings* m_overrides = nullptr;
    const AcPlPlotConfig* m_device = nullptr;
    std::unique_ptr<vx::plot::ValidatedPlot> m_validated;
    AcDbPlotSettings* m_validatedSettings = nullptr;
    std::wstring m_failure;
};

// Page information filled by the engine at beginPage.
class AcPlPlotPageInfo {
public:
    AcPlPlotPageInfo() = default;
    // Entities of the plotted space that the page may show (filled by beginGenerateGraphics).
    long entityCount() const { return m_entities; }
    long rasterCount() const { return 0; }
    long oleObjectCount() const { return 0; }
    long gradientCount() const { return 0; }
    void setEntityCount(long count) { m_entities = count; }

private:
    long m_entities = 0;
};

class AcPlPlotInfoValidator {
public:
    // What to do when the device has no medium of the settings' canonical name: with matching,
    // the device's medium of the same size (either way round) is taken.
    enum MatchingPolicy { kMatchDisabled = 1, kMatchEnabled = 2, kMatchEnabledCustom = 3, kMatchEnabledTmpCustom = 4 };

    AcPlPlotInfoValidator() = default;
    void setMediaMatchingPolicy(MatchingPolicy policy) { m_policy = policy; }
    MatchingPolicy matchingPolicy() const { return m_policy; }
    // Checks the layout, device, medium, plot area and scale and settles them. eOk, or
    // eInvalidPlotInfo (no layout, no layout of that id, the device "None", no medium),
    // eDeviceNotFound, eInvalidPlotArea (an empty window), eInvalidPlotSettings (a scale that is
    // no number above zero); the plot info is then not validated. validationMessage() says why.
    Acad::ErrorStatus validate(AcPlPlotInfo& info);
    const ACHAR* validationMessage() const;

private:
    MatchingPolicy m_policy = kMatchDisabled;
    std::wstring m_message;
};

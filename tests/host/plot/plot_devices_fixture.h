// A profile with a device of the test's own, as the module ships them: "DWG TO PDF.pc3" whose
// media (in "Plotters/PMP Files/DWG TO PDF.pmp") carry the frame sizes as display names.
#pragma once

#include <fstream>
#include <string>

#include "plot/device_config.h"
#include "plot/pia_file.h"
#include "plot_profile_fixture.h"
#include "win32/registry_store.h"

namespace vx::plot::test {

class PlotDevices : public PlotProfile {
protected:
    void SetUp() override {
        PlotProfile::SetUp();
        const std::string base = win32::roamableRootFolder();
        ASSERT_EQ(base, root());
        DeviceConfig pdf;
        pdf.description = L"frames to PDF";
        pdf.driver = DriverKind::Pdf;
        pdf.extension = L".pdf";
        pdf.resolution = 1200;
        pdf.mediaFile = L"DWG TO PDF.pmp";
        write(base + "Plotters/DWG TO PDF.pc3", pdf);
        MediaFile media;
        media.media = {makeMedium(L"A1_landscape", L"A1", 841, 594), makeMedium(L"A1_portrait", L"A1", 594, 841),
                       makeMedium(L"A3_landscape", L"A3", 420, 297, 5, 5, 5, 5),
                       makeMedium(L"A2+1/4", L"A2+1/4", 743, 420)};
        std::string bytes, error;
        ASSERT_TRUE(writeMediaFile(media, bytes, error));
        std::ofstream(base + "Plotters/PMP Files/DWG TO PDF.pmp", std::ios::binary) << bytes;
        deviceCatalog().refresh();
    }

    void write(const std::string& path, const DeviceConfig& config) {
        std::string bytes, error;
        ASSERT_TRUE(writeDeviceConfig(config, bytes, error)) << error;
        std::ofstream(path, std::ios::binary) << bytes;
    }
};

}  // namespace vx::plot::test

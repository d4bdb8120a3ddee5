// The plot drivers the module ships in its folder's "plotters": three configurations ("DWG TO
// DWF", "DWG TO PDF", "DWG TO PLT", each a .pc3 with its .pmp) and the usage document that says
// how to install them by hand.
#pragma once

#include <string>
#include <vector>

namespace vorlix {

enum class DriverPair { Dwf, Pdf, Plt };

// Background plotting off: the batch plot waits for each sheet before it begins the next.
void plotInForeground();

// The load's install step: each driver file the host's per-user plotter folders (below the
// profile's "RoamableRootFolder") do not have yet is copied there from the module folder. An
// existing file is never replaced and no folder is made; nothing is reported. Background
// plotting is switched off in every case.
void installPlotDrivers(const std::wstring& moduleFolder);

// Copies the chosen pairs (.pmp, then .pc3) and the usage document into `folder`, leaving files
// that are there already as they are. The files that are not in the folder afterwards.
std::vector<std::wstring> exportPlotDrivers(const std::wstring& moduleFolder, const std::vector<DriverPair>& pairs,
                                            const std::wstring& folder);

}  // namespace vorlix

// The host's per-user profile, which stands in for the registry: the file
// $XDG_CONFIG_HOME/vxhost/registry.ini holds one section per key below HKEY_CURRENT_USER
// ("[Software\Vorlix\vxhost\R18.0]") with its string values, read and written with the host's
// private-profile functions (so through its safe file writer). The product key's
// "RoamableRootFolder" names the folder of the user's plotters and plot styles.
#pragma once

#include <string>

namespace vx::win32 {

// $XDG_CONFIG_HOME/vxhost (default ~/.config/vxhost), native, without a trailing separator.
std::string hostProfileFolder();
std::string registryFilePath();

// Key paths compare without regard to case; a key exists when it or a key below it has values.
bool registryKeyExists(const std::wstring& key);
bool readRegistryValue(const std::wstring& key, const std::wstring& name, std::wstring& value);
// False when the profile cannot be written (the reason is in GetLastError).
bool writeRegistryValue(const std::wstring& key, const std::wstring& name, const std::wstring& value);

// The first use of a profile without "RoamableRootFolder" in the product key stores the default
// ($XDG_DATA_HOME/vxhost/, default ~/.local/share/vxhost/, with the trailing separator the host
// stores it with) and creates its folder tree: "Plotters", "Plotters/PMP Files", "Plot Styles".
// Later uses change nothing, so a folder the user removed stays removed.
void ensureHostProfile();

// The roamable root folder as stored (native, ends with a separator); empty when the profile
// has none and cannot be made.
std::string roamableRootFolder();

// Folder names below the roamable root folder.
constexpr const char* kPlottersFolder = "Plotters";
constexpr const char* kPmpFolder = "Plotters/PMP Files";
constexpr const char* kPlotStylesFolder = "Plot Styles";

}  // namespace vx::win32

// vxsettings TEMPLATE_FOLDER [--module-dir DIR]
//
// Makes the module folder's SHEETCONFIG.INI name TEMPLATE_FOLDER as the office's template folder
// (as the system settings command would), runs the module's settings reload and prints what it
// read. The module folder defaults to the build's, where VorlixDesign.arx and the default
// TKATT.ini are put.
#include <filesystem>
#include <iostream>
#include <string>

#include "report.h"
#include "settings/settings.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: vxsettings TEMPLATE_FOLDER [--module-dir DIR]\n"
    "  Points the module folder's SHEETCONFIG.INI at TEMPLATE_FOLDER (the folder holding TK.dwg\n"
    "  and TKATT.ini) and shows what the module reads from it. The module folder defaults to\n"
    "  " VX_MODULE_DIR ".\n";

// The sample office's organisation code: its template drawing names the frame blocks CODE-A0 ...
constexpr const wchar_t* kSampleOrganisationCode = L"CODE";

struct Options {
    fs::path templateFolder, moduleFolder = VX_MODULE_DIR;
};

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--module-dir" && i + 1 < argc) {
            options.moduleFolder = argv[++i];
        } else if (arg.empty() || arg[0] == '-' || !options.templateFolder.empty()) {
            return false;
        } else {
            options.templateFolder = arg;
        }
    }
    return !options.templateFolder.empty();
}

// Writes SHEETTEMPPATH (and a missing organisation code) the way the settings command does,
// leaving the other settings as the user has them. Returns what was changed, for the report.
bool pointAtTemplateFolder(const fs::path& folder, std::string& changes) {
    vorlix::SystemSettings system = vorlix::readSystemSettings();
    const std::wstring wanted = folder.wstring();
    if (system.sheetTempPath == wanted && !system.departCode.empty()) return true;
    if (system.sheetTempPath != wanted) {
        changes += "SHEETTEMPPATH";
        system.sheetTempPath = wanted;
    }
    if (system.departCode.empty()) {
        changes += changes.empty() ? "DEPARTCODE" : " and DEPARTCODE";
        system.departCode = kSampleOrganisationCode;
    }
    return vorlix::writeSystemSettings(system);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::cerr << kUsage;
        return 2;
    }
    std::error_code ec;
    fs::path folder = fs::weakly_canonical(fs::absolute(options.templateFolder), ec);
    if (ec || !fs::is_directory(folder)) {
        std::cerr << "vxsettings: " << options.templateFolder.string() << " is not a folder\n";
        return 2;
    }
    fs::create_directories(options.moduleFolder, ec);
    fs::path moduleFolder = fs::weakly_canonical(fs::absolute(options.moduleFolder), ec);
    if (ec || !fs::is_directory(moduleFolder)) {
        std::cerr << "vxsettings: cannot use the module folder " << options.moduleFolder.string() << "\n";
        return 2;
    }

    vorlix::settings().computeLocations((moduleFolder / "VorlixDesign.arx").wstring());
    std::string changes;
    if (!pointAtTemplateFolder(folder, changes)) {
        std::cerr << "vxsettings: could not write " << vxsettings::utf8(vorlix::settings().settingsFilePath())
                  << "\n";
        return 1;
    }
    const bool loaded = vorlix::settings().reload();

    std::cout << "Vorlix settings: the module's view of the template folder " << folder.string() << "\n";
    if (!changes.empty()) std::cout << "(wrote " << changes << " into the settings file)\n";
    std::cout << "\n";
    vxsettings::printRecord(std::cout, loaded);
    if (!fs::exists(folder / "TKATT.ini"))
        std::cout << "\nThe template folder has no TKATT.ini, so every value above is a default. The system\n"
                     "settings command (VXSET) would copy the module folder's generic TKATT.ini there.\n";
    return loaded ? 0 : 1;
}

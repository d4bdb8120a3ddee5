// A host profile of the test's own: XDG_CONFIG_HOME, XDG_DATA_HOME and XDG_CACHE_HOME point into a
// temporary folder for the test's life, the system's printers are left out (unless the test
// asks for them), and the device catalogue is read afresh.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <map>
#include <string>

#include "plot/device_catalog.h"
#include "plot_test_support.h"

namespace vx::plot::test {

class ScopedEnv {
public:
    void set(const char* name, const std::string& value) {
        remember(name);
        ::setenv(name, value.c_str(), 1);
    }
    void unset(const char* name) {
        remember(name);
        ::unsetenv(name);
    }
    ~ScopedEnv() {
        for (const auto& [name, value] : m_saved) {
            if (value.first) ::setenv(name.c_str(), value.second.c_str(), 1);
            else ::unsetenv(name.c_str());
        }
    }

private:
    void remember(const char* name) {
        if (m_saved.count(name)) return;
        const char* v = std::getenv(name);
        m_saved[name] = {v != nullptr, v ? v : ""};
    }
    std::map<std::string, std::pair<bool, std::string>> m_saved;
};

class PlotProfile : public ::testing::Test {
protected:
    void SetUp() override {
        env.set("XDG_CONFIG_HOME", folder.file("config"));
        env.set("XDG_DATA_HOME", folder.file("data"));
        env.set("XDG_CACHE_HOME", folder.file("cache"));
        env.set("VX_PRINTERS", "off");
        deviceCatalog().refresh();
    }
    void TearDown() override { deviceCatalog().refresh(); }

    // The roamable root a fresh profile gets, with its trailing separator.
    std::string root() const { return folder.file("data") + "/vxhost/"; }

    TempFolder folder;
    ScopedEnv env;
};

}  // namespace vx::plot::test

// Runs dialogs on the script backend: feeds action lines, captures the transcript, and
// registers test resource scripts under this test binary's own instance.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/command_line.h"
#include "text/encoding.h"
#include "ui/resource_registry.h"
#include "ui/resource_stack.h"

namespace vx::ui::test {

class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& cl = vx::editor::CommandLine::get();
        cl.reset();
        cl.setEchoToStdout(false);
        cl.setCapture(&transcript);
    }
    void TearDown() override {
        vx::editor::CommandLine::get().reset();
        while (resourceStackDepth() > 0) popResourceHandle();
        unregisterResources(instance());
    }
    static HINSTANCE instance() { return vxThisModuleHandle(); }
    void actions(std::vector<std::wstring> lines) {
        vx::editor::CommandLine::get().pushSource(vx::editor::linesSource(std::move(lines)));
    }
    int unusable() const { return vx::editor::CommandLine::get().unusableLines(); }
    // Registers the script (UTF-8 text) under this binary and makes it the current resources.
    void useScript(const std::string& rc, std::vector<std::pair<std::string, std::string>> more = {}) {
        more.insert(more.begin(), {"test.rc", rc});
        std::string error;
        ASSERT_TRUE(registerResources(instance(), more, error)) << error;
        pushResourceHandle(instance());
    }
    bool saw(const std::wstring& text) const { return transcript.find(text) != std::wstring::npos; }

    std::wstring transcript;
};

}  // namespace vx::ui::test

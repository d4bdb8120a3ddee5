// Feeds answers to the editor and captures what it prints.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/command_line.h"
#include "editor/input.h"

namespace vx::editor::test {

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        CommandLine& cl = CommandLine::get();
        cl.reset();
        cl.setEchoToStdout(false);
        cl.setCapture(&transcript);
        clearInputEnded();
    }
    void TearDown() override {
        CommandLine::get().reset();
        clearInputEnded();
    }
    void answers(std::vector<std::wstring> lines) { CommandLine::get().pushSource(linesSource(std::move(lines))); }
    int unusable() const { return CommandLine::get().unusableLines(); }

    std::wstring transcript;
};

}  // namespace vx::editor::test

// The text body of a PIA file: lines "key=value" (texts are written key="value, with an opening
// quote only) and nested groups "name{" ... "}". Read into a tree of nodes and written back.
#pragma once

#include <string>
#include <vector>

namespace vx::plot {

struct PiaNode {
    std::string key;
    std::string value;       // UTF-8; empty for groups
    bool text = false;       // written with the opening quote
    bool group = false;
    std::vector<PiaNode> children;

    // The first child of that key, or null.
    const PiaNode* child(const std::string& name) const;
    PiaNode* child(const std::string& name);
    // Appends and returns a child.
    PiaNode& addGroup(const std::string& name);
    PiaNode& addText(const std::string& name, const std::string& text);
    PiaNode& addValue(const std::string& name, const std::string& value);

    // Values of children by key; `fallback` when the child is missing or not a number.
    std::string textOf(const std::string& name, const std::string& fallback = std::string()) const;
    double numberOf(const std::string& name, double fallback) const;
    long long integerOf(const std::string& name, long long fallback) const;
    bool flagOf(const std::string& name, bool fallback) const;
};

// Parses a body (UTF-8, or the host's ANSI code page when it is not valid UTF-8). Unbalanced
// braces are forgiven (a missing "}" closes at the end, a stray one is skipped); lines that are
// neither are skipped. False only for nesting deeper than 64 levels.
bool parsePiaBody(const std::string& body, PiaNode& root, std::string& error);
// The body text; false (and nothing written) when a key or value holds a line break, which the
// format cannot carry.
bool writePiaBody(const PiaNode& root, std::string& body, std::string& error);

}  // namespace vx::plot

// PIA body lines and groups.
#include "plot/pia_tree.h"

#include <charconv>
#include <cstdlib>

#include "text/encoding.h"

namespace vx::plot {

namespace {

constexpr int kMaxDepth = 64;

std::string trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
    return s.substr(b, e - b);
}

bool hasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

bool writeNode(const PiaNode& node, int depth, std::string& out, std::string& error) {
    if (hasLineBreak(node.key) || hasLineBreak(node.value)) {
        error = "the value of \"" + node.key + "\" holds a line break";
        return false;
    }
    const std::string indent(static_cast<size_t>(depth), ' ');
    if (node.group) {
        out += indent + node.key + "{\n";
        for (const PiaNode& c : node.children)
            if (!writeNode(c, depth + 1, out, error)) return false;
        out += indent + "}\n";
    } else {
        out += indent + node.key + (node.text ? "=\"" : "=") + node.value + "\n";
    }
    return true;
}

}  // namespace

const PiaNode* PiaNode::child(const std::string& name) const {
    for (const PiaNode& c : children)
        if (c.key == name) return &c;
    return nullptr;
}

PiaNode* PiaNode::child(const std::string& name) {
    for (PiaNode& c : children)
        if (c.key == name) return &c;
    return nullptr;
}

PiaNode& PiaNode::addGroup(const std::string& name) {
    children.push_back(PiaNode{name, std::string(), false, true, {}});
    return children.back();
}

PiaNode& PiaNode::addText(const std::string& name, const std::string& text) {
    children.push_back(PiaNode{name, text, true, false, {}});
    return children.back();
}

PiaNode& PiaNode::addValue(const std::string& name, const std::string& value) {
    children.push_back(PiaNode{name, value, false, false, {}});
    return children.back();
}

std::string PiaNode::textOf(const std::string& name, const std::string& fallback) const {
    const PiaNode* c = child(name);
    return c && !c->group ? c->value : fallback;
}

double PiaNode::numberOf(const std::string& name, double fallback) const {
    const PiaNode* c = child(name);
    if (!c || c->group || c->value.empty()) return fallback;
    char* end = nullptr;
    const double v = std::strtod(c->value.c_str(), &end);
    return end && *end == '\0' ? v : fallback;
}

long long PiaNode::integerOf(const std::string& name, long long fallback) const {
    const PiaNode* c = child(name);
    if (!c || c->group) return fallback;
    long long v = 0;
    const char* first = c->value.data();
    const char* last = first + c->value.size();
    if (first != last && *first == '+') ++first;
    auto r = std::from_chars(first, last, v);
    return r.ec == std::errc() && r.ptr == last ? v : fallback;
}

bool PiaNode::flagOf(const std::string& name, bool fallback) const {
    const PiaNode* c = child(name);
    if (!c || c->group) return fallback;
    if (c->value == "TRUE" || c->value == "true" || c->value == "1") return true;
    if (c->value == "FALSE" || c->value == "false" || c->value == "0") return false;
    return fallback;
}

bool parsePiaBody(const std::string& body, PiaNode& root, std::string& error) {
    const std::string utf8 = text::isValidUtf8(body) ? body : text::toUtf8(text::fromAnsi(body));
    root = PiaNode{};
    root.group = true;
    std::vector<PiaNode*> stack{&root};
    size_t pos = 0;
    while (pos < utf8.size()) {
        size_t end = utf8.find('\n', pos);
        if (end == std::string::npos) end = utf8.size();
        const std::string line = trim(utf8.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty()) continue;
        if (line == "}") {
            if (stack.size() > 1) stack.pop_back();
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos && line.back() == '{') {
            if (static_cast<int>(stack.size()) > kMaxDepth) {
                error = "groups nested deeper than 64 levels";
                return false;
            }
            stack.push_back(&stack.back()->addGroup(trim(line.substr(0, line.size() - 1))));
            continue;
        }
        if (eq == std::string::npos) continue;
        const std::string key = trim(line.substr(0, eq));
        std::string value = line.substr(eq + 1);
        if (!value.empty() && value[0] == '"') {
            value.erase(0, 1);
            // Files written by hand may close the quote too.
            if (!value.empty() && value.back() == '"') value.pop_back();
            stack.back()->addText(key, value);
        } else {
            stack.back()->addValue(key, trim(value));
        }
    }
    return true;
}

bool writePiaBody(const PiaNode& root, std::string& body, std::string& error) {
    std::string out;
    for (const PiaNode& c : root.children)
        if (!writeNode(c, 0, out, error)) return false;
    body = std::move(out);
    return true;
}

}  // namespace vx::plot

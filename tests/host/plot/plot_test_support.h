// Shared by the output tests: a temporary folder, running the independent checking programs,
// reading files, and a page with a bit of everything drawn on it.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "plot/page.h"

namespace vx::plot::test {

class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/vx_plot_XXXXXX";
        const char* made = mkdtemp(pattern);
        m_path = made ? made : "";
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// Runs a shell command; its standard output, or "" with `status` set non-zero on failure.
inline std::string runCommand(const std::string& command, int* status = nullptr) {
    std::string out;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) {
        if (status) *status = -1;
        return out;
    }
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
    const int rc = pclose(pipe);
    if (status) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return out;
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The page size pdfinfo reports for page `page`, in millimetres.
inline bool pdfPageSizeMm(const std::string& pdf, int page, double& w, double& h) {
    const std::string info =
        runCommand("pdfinfo -f " + std::to_string(page) + " -l " + std::to_string(page) + " '" + pdf + "'");
    const std::string key = "Page" + std::string(page < 10 ? "    " : "   ") + std::to_string(page) + " size:";
    size_t at = info.find(key);
    if (at == std::string::npos) return false;
    double pw = 0, ph = 0;
    if (std::sscanf(info.c_str() + at + key.size(), " %lf x %lf", &pw, &ph) != 2) return false;
    w = pw * 25.4 / 72, h = ph * 25.4 / 72;
    return true;
}

constexpr const wchar_t* kTitleText = L"建施-01 首层平面图";
constexpr const char* kTitleTextUtf8 = "建施-01 首层平面图";

inline render::Pen testPen(uint8_t r, uint8_t g, uint8_t b, uint8_t aci, int16_t lineweight) {
    return {{r, g, b, aci}, lineweight};
}

// A 1:1 page of `w` x `h` mm: a hairline diagonal from the lower left to the upper right, a
// 1 mm red horizontal line at three quarters of the height, a square with a hole, a text and
// two dots.
inline PageSetup samplePage(double w, double h) {
    PageSetup setup;
    setup.placement.window = {0, 0, w, h};
    setup.placement.paper = {w, h, {}};
    setup.placement.rotation = PlotRotation::Deg0;
    setup.title = L"首层平面图";
    return setup;
}

inline void drawSample(render::PrimitiveSink& sink, double w, double h) {
    render::Geometry diagonal;
    diagonal.lines.push_back({{{0, 0}, {w, h}}, false});
    sink.add(testPen(255, 255, 255, 7, 0), diagonal, {});
    render::Geometry red;
    red.lines.push_back({{{w * 0.1, h * 0.75}, {w * 0.9, h * 0.75}}, false});
    sink.add(testPen(255, 0, 0, 1, 100), red, {});
    render::Geometry fill;
    fill.fills.push_back({{{{w * 0.6, h * 0.1}, {w * 0.8, h * 0.1}, {w * 0.8, h * 0.3}, {w * 0.6, h * 0.3}},
                           {{w * 0.65, h * 0.15}, {w * 0.75, h * 0.15}, {w * 0.75, h * 0.25}, {w * 0.65, h * 0.25}}}});
    sink.add(testPen(0, 0, 255, 5, 0), fill, {});
    render::Geometry text;
    text.texts.push_back({kTitleText, 1, render::Affine::scaling(h / 30, h / 30).then(render::Affine::translation(w * 0.1, h * 0.5)),
                          8.6, true, false});
    sink.add(testPen(255, 255, 255, 7, 25), text, {});
    render::Geometry dots;
    dots.dots = {{w * 0.2, h * 0.2}, {w * 0.3, h * 0.2}};
    sink.add(testPen(0, 0, 0, 250, 0), dots, {});
}

inline PrimitiveSource sampleSource(double w, double h) {
    return [w, h](render::PrimitiveSink& sink, const render::Box2&, double) { drawSample(sink, w, h); };
}

}  // namespace vx::plot::test

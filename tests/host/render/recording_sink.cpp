#include "recording_sink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "../dxf/ezdxf_check.h"

namespace vxtest {

std::vector<Polyline> RecordingSink::lines() const {
    std::vector<Polyline> out;
    for (const Call& c : calls)
        for (const Polyline& l : c.geometry.lines) {
            Polyline m{{}, l.closed};
            for (Vec2 p : l.points) m.points.push_back(c.toWorld.map(p));
            out.push_back(m);
        }
    return out;
}

std::vector<Polyline> RecordingSink::linesOf(const Pen& pen) const {
    std::vector<Polyline> out;
    for (const Call& c : calls) {
        if (!(c.pen == pen)) continue;
        for (const Polyline& l : c.geometry.lines) {
            Polyline m{{}, l.closed};
            for (Vec2 p : l.points) m.points.push_back(c.toWorld.map(p));
            out.push_back(m);
        }
    }
    return out;
}

std::vector<Polyline> RecordingSink::linesWithAci(int aci) const {
    std::vector<Polyline> out;
    for (const Call& c : calls) {
        if (c.pen.color.aci != aci) continue;
        for (const Polyline& l : c.geometry.lines) {
            Polyline m{{}, l.closed};
            for (Vec2 p : l.points) m.points.push_back(c.toWorld.map(p));
            out.push_back(m);
        }
    }
    return out;
}

std::vector<std::vector<Vec2>> RecordingSink::rings() const {
    std::vector<std::vector<Vec2>> out;
    for (const Call& c : calls)
        for (const Polygon& poly : c.geometry.fills)
            for (const auto& r : poly.rings) {
                std::vector<Vec2> m;
                for (Vec2 p : r) m.push_back(c.toWorld.map(p));
                out.push_back(m);
            }
    return out;
}

std::vector<TextRun> RecordingSink::texts() const {
    std::vector<TextRun> out;
    for (const Call& c : calls)
        for (const TextRun& t : c.geometry.texts) {
            TextRun m = t;
            m.toLocal = t.toLocal.then(c.toWorld);
            out.push_back(m);
        }
    return out;
}

std::vector<Vec2> RecordingSink::dots() const {
    std::vector<Vec2> out;
    for (const Call& c : calls)
        for (Vec2 d : c.geometry.dots) out.push_back(c.toWorld.map(d));
    return out;
}

std::vector<Pen> RecordingSink::pens() const {
    std::vector<Pen> out;
    for (const Call& c : calls) {
        bool seen = false;
        for (const Pen& p : out) seen = seen || p == c.pen;
        if (!seen) out.push_back(c.pen);
    }
    return out;
}

Box2 RecordingSink::box() const {
    Box2 b;
    for (const Polyline& l : lines())
        for (Vec2 p : l.points) b.add(p);
    for (const auto& r : rings())
        for (Vec2 p : r) b.add(p);
    for (Vec2 d : dots()) b.add(d);
    for (const TextRun& t : texts())
        for (double x : {0.0, t.advance})
            for (double y : {0.0, 1.0}) b.add(t.toLocal.map(Vec2{x, y}));
    return b;
}

size_t RecordingSink::segmentCount() const {
    size_t n = 0;
    for (const Polyline& l : lines()) n += l.points.empty() ? 0 : l.points.size() - 1 + (l.closed ? 1 : 0);
    return n;
}

std::unique_ptr<AcDbDatabase> ezdxfDrawing(const std::string& name, const std::string& body, const std::string& version,
                                           std::string* printed) {
    const std::string path = tempDir("render-" + name) + "/" + name + ".dxf";
    std::string script = "import ezdxf, math\ndoc = ezdxf.new('" + version + "')\nmsp = doc.modelspace()\n"
                         "def out(key, pts):\n    print(key, ' '.join('%.12g,%.12g' % (p[0], p[1]) for p in pts))\n";
    script += body;
    script += "\ndoc.saveas(r'" + path + "')\nprint('ok')\n";
    std::string out;
    if (runPython(script, out) != 0 || out.find("ok") == std::string::npos) {
        ADD_FAILURE() << "ezdxf script failed:\n" << out;
        return nullptr;
    }
    if (printed) *printed = out;
    auto db = std::make_unique<AcDbDatabase>(false);
    if (db->readDwgFile(wide(path).c_str()) != Acad::eOk) {
        ADD_FAILURE() << "drawing does not read: " << path;
        return nullptr;
    }
    return db;
}

vx::render::DrawStats drawModel(AcDbDatabase& db, RecordingSink& sink, double tolerance, bool plotting, double pixel) {
    auto scene = vx::render::makeScene(db);
    Box2 window = scene->extents(db.modelSpaceId());
    if (window.empty()) window = Box2{-1e6, -1e6, 1e6, 1e6};
    const double grow = std::max(1.0, std::max(window.width(), window.height()));
    window = Box2{window.x0 - grow, window.y0 - grow, window.x1 + grow, window.y1 + grow};
    vx::render::DrawOptions o;
    o.tolerance = tolerance;
    o.plotting = plotting;
    o.pixel = pixel;
    o.view = window;
    vx::render::DrawStats stats;
    scene->draw(db.modelSpaceId(), window, o, sink, stats);
    return stats;
}

double pathLength(const Polyline& p) {
    double len = 0;
    for (size_t i = 1; i < p.points.size(); ++i) len += distance(p.points[i - 1], p.points[i]);
    if (p.closed && p.points.size() > 2) len += distance(p.points.back(), p.points.front());
    return len;
}

double distance(Vec2 a, Vec2 b) { return std::hypot(a.x - b.x, a.y - b.y); }

namespace {
double toSegment(Vec2 p, Vec2 a, Vec2 b) {
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = std::max(0.0, std::min(1.0, t));
    return distance(p, Vec2{a.x + dx * t, a.y + dy * t});
}
}  // namespace

double farthestFrom(const std::vector<Polyline>& a, const std::vector<Polyline>& b) {
    double worst = 0;
    for (const Polyline& l : a)
        for (Vec2 p : l.points) {
            double best = INFINITY;
            for (const Polyline& m : b) {
                const size_t n = m.points.size();
                if (n == 1) best = std::min(best, distance(p, m.points[0]));
                for (size_t i = 1; i < n; ++i) best = std::min(best, toSegment(p, m.points[i - 1], m.points[i]));
                if (m.closed && n > 2) best = std::min(best, toSegment(p, m.points[n - 1], m.points[0]));
            }
            worst = std::max(worst, best);
        }
    return worst;
}

std::vector<std::pair<std::string, Polyline>> parsePolylines(const std::string& text) {
    std::vector<std::pair<std::string, Polyline>> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key, xy;
        if (!(words >> key)) continue;
        Polyline p;
        while (words >> xy) {
            const size_t comma = xy.find(',');
            if (comma == std::string::npos) continue;
            p.points.push_back(Vec2{std::stod(xy.substr(0, comma)), std::stod(xy.substr(comma + 1))});
        }
        if (!p.points.empty()) out.emplace_back(key, p);
    }
    return out;
}

}  // namespace vxtest

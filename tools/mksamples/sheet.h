// The draughtsman's pen: entities placed in model space from local coordinates (millimetres of
// the building, of the site or of the paper), with sizes of texts and symbols given in paper
// millimetres, whatever the drawing's scale.
#pragma once

#include <string>
#include <vector>

#include "acdb.h"
#include "drawings.h"
#include "hatch.h"

namespace mksamples {

struct Styles {
    AcDbObjectId hz;     // simplex + hztxt, width 0.7: every note, name and number
    AcDbObjectId hei;    // 黑体: drawing titles and table heads
    AcDbObjectId dim100, dim50, dim20, dim500;  // dimension styles per scale
};

// The drawing being built and what its sheets share.
struct Drawing {
    AcDbDatabase& db;
    Styles styles;
    int dimensionBlocks = 0;
};

// A frame placed in model space: its lower left corner and size, in model units.
struct Frame {
    double x, y, w, h;
    // The inner border's edges: binding edge on the left, margins elsewhere.
    double left() const { return x + 2500; }
    double right() const { return x + w - margin(); }
    double bottom() const { return y + margin(); }
    double top() const { return y + h - margin(); }
    double margin() const { return w >= 59400 ? 1000 : 500; }
    // The title block's top edge (it fills 180 mm at the inner lower right).
    double titleTop() const { return bottom() + 7000; }
    double titleLeft() const { return right() - 18000; }
};

enum class Align { Left, Centre, Right, MiddleLeft, Middle, MiddleRight };

// One drawing on a sheet: local (x, y) lands at origin + scale * (x, y) in model space.
class Sheet {
public:
    // `denominator` is the drawing's scale, 1:denominator; model units are paper mm x 100.
    Sheet(Drawing& d, AcGePoint2d origin, double denominator);
    Sheet moved(double dx, double dy) const;  // the same scale, origin moved in local units

    AcGePoint2d at(double x, double y) const;
    AcGePoint3d at3(double x, double y) const;
    double scale() const { return m_scale; }
    // Paper millimetres in local units.
    double mm(double paperMm) const { return paperMm * kUnits / m_scale; }
    Drawing& drawing() const { return m_d; }

    AcDbObjectId line(const wchar_t* layer, double x0, double y0, double x1, double y1) const;
    // `width` in local units (a wall's thickness); 0 draws a plain line.
    AcDbObjectId polyline(const wchar_t* layer, const std::vector<AcGePoint2d>& pts, bool closed,
                          double width = 0) const;
    AcDbObjectId rect(const wchar_t* layer, double x0, double y0, double x1, double y1) const;
    AcDbObjectId circle(const wchar_t* layer, double x, double y, double r) const;
    // Angles in degrees, counter-clockwise from start to end.
    AcDbObjectId arc(const wchar_t* layer, double x, double y, double r, double a0, double a1) const;
    AcDbObjectId ellipse(const wchar_t* layer, double x, double y, double rx, double ry) const;
    AcDbObjectId text(const wchar_t* layer, double x, double y, double heightMm, const std::wstring& s,
                      Align align = Align::Left, double rotation = 0, bool bold = false) const;
    // MTEXT at its top left corner, wrapped to widthMm; "\P" breaks paragraphs.
    AcDbObjectId note(const wchar_t* layer, double x, double y, double heightMm, double widthMm,
                      const std::wstring& s) const;
    AcDbObjectId solid(const wchar_t* layer, const std::vector<Loop>& loops) const;
    AcDbObjectId ansi31(const wchar_t* layer, const std::vector<Loop>& loops, double spacingMm) const;
    AcDbObjectId place(AcDbObjectId block, const wchar_t* layer, double x, double y, double rotation = 0,
                       double scale = 1) const;
    // A block reference with its attributes filled in order of their definitions.
    AcDbObjectId placeWithTexts(AcDbObjectId block, const wchar_t* layer, double x, double y,
                                const std::vector<std::wstring>& texts, double rotation = 0) const;
    // A linear dimension between two points, its line at `at` (y for a horizontal one, x for a
    // vertical one), on layer 标注 with the style of this drawing's scale.
    AcDbObjectId dimension(double x1, double y1, double x2, double y2, double at, bool vertical) const;
    // A chain of dimensions through the given x (or y) values.
    void dimensionChain(const std::vector<double>& stops, double from, double at, bool vertical) const;

    // The drawing's title under it: name in 黑体 over a thick and a thin line, scale beside it.
    void title(double x, double y, const std::wstring& name, const wchar_t* scaleText) const;

private:
    AcDbObjectId append(AcDbEntity* e, const wchar_t* layer) const;
    Drawing& m_d;
    AcGePoint2d m_origin;
    double m_scale;
    double m_denominator;
};

}  // namespace mksamples

// The XPS package: content types, the package relationship to the fixed document sequence, one
// fixed document, a FixedPage part per page, and the core properties with the title.
#include "plot/xps_canvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/number_text.h"
#include "plot/output_file.h"
#include "plot/text_decoration.h"
#include "plot/zip_writer.h"
#include "text/encoding.h"

namespace vx::plot {

namespace {

constexpr double kXpsUnitsPerMm = 96 / 25.4;  // XPS units are 1/96 inch
constexpr int kDecimals = 3;                  // micrometres on the paper
constexpr double kTextToleranceMm = 0.05;
constexpr double kSmallestDotMm = 0.1;

const char kContentTypes[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"fdseq\" ContentType=\"application/vnd.ms-package.xps-fixeddocumentsequence+xml\"/>"
    "<Default Extension=\"fdoc\" ContentType=\"application/vnd.ms-package.xps-fixeddocument+xml\"/>"
    "<Default Extension=\"fpage\" ContentType=\"application/vnd.ms-package.xps-fixedpage+xml\"/>"
    "<Override PartName=\"/docProps/core.xml\" "
    "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
    "</Types>";

const char kPackageRels[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"R1\" Type=\"http://schemas.microsoft.com/xps/2005/06/fixedrepresentation\" "
    "Target=\"/FixedDocumentSequence.fdseq\"/>"
    "<Relationship Id=\"R2\" "
    "Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties\" "
    "Target=\"/docProps/core.xml\"/>"
    "</Relationships>";

const char kSequence[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<FixedDocumentSequence xmlns=\"http://schemas.microsoft.com/xps/2005/06\">"
    "<DocumentReference Source=\"/FixedDocument.fdoc\"/>"
    "</FixedDocumentSequence>";

const char kXpsNamespace[] = "http://schemas.microsoft.com/xps/2005/06";

void appendEscaped(std::string& out, const std::string& utf8) {
    for (char c : utf8) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default:
                // Control characters cannot appear in XML 1.0.
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n') out.push_back(c);
        }
    }
}

void appendColour(std::string& out, const render::OutputPen& pen) {
    static const char kHex[] = "0123456789ABCDEF";
    out.push_back('#');
    for (uint8_t c : {pen.r, pen.g, pen.b}) {
        out.push_back(kHex[c >> 4]);
        out.push_back(kHex[c & 15]);
    }
}

void appendPoint(std::string& out, render::Vec2 p) {
    appendDecimal(out, p.x, kDecimals);
    out.push_back(',');
    appendDecimal(out, p.y, kDecimals);
}

// Path mini-language: "M x,y L x,y x,y ... [Z]".
void appendFigure(std::string& out, const std::vector<render::Vec2>& points, bool close) {
    if (points.empty()) return;
    if (!out.empty() && out.back() != '"') out.push_back(' ');
    out += "M ";
    appendPoint(out, points[0]);
    if (points.size() > 1) out += " L";
    for (size_t i = 1; i < points.size(); ++i) {
        out.push_back(' ');
        appendPoint(out, points[i]);
    }
    if (close) out += " Z";
}

class XpsCanvas : public FileCanvas {
public:
    XpsCanvas(std::string path, render::FontLibrary& fonts) : m_path(std::move(path)), m_fonts(fonts) {}

    bool beginPage(const render::PageSpec& page) override {
        if (m_inPage || m_finished) return fail("a page was begun out of order");
        if (!(page.widthMm > 0 && page.heightMm > 0) || !std::isfinite(page.widthMm) || !std::isfinite(page.heightMm))
            return fail("the paper has no size");
        if (m_pages.empty()) m_title = page.title;
        m_pages.push_back({page, {}});
        std::string& out = m_pages.back().body;
        out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<FixedPage xmlns=\"";
        out += kXpsNamespace;
        out += "\" xml:lang=\"und\" Width=\"";
        appendDecimal(out, page.widthMm * kXpsUnitsPerMm, kDecimals);
        out += "\" Height=\"";
        appendDecimal(out, page.heightMm * kXpsUnitsPerMm, kDecimals);
        // White paper, then the drawing in millimetres with y up.
        out += "\"><Path Data=\"M 0,0 L ";
        appendDecimal(out, page.widthMm * kXpsUnitsPerMm, kDecimals);
        out += ",0 ";
        appendPoint(out, {page.widthMm * kXpsUnitsPerMm, page.heightMm * kXpsUnitsPerMm});
        out += " 0,";
        appendDecimal(out, page.heightMm * kXpsUnitsPerMm, kDecimals);
        out += " Z\" Fill=\"#FFFFFF\"/><Canvas RenderTransform=\"";
        appendDecimal(out, kXpsUnitsPerMm, 9);
        out += ",0,0,-";
        appendDecimal(out, kXpsUnitsPerMm, 9);
        out += ",0,";
        appendDecimal(out, page.heightMm * kXpsUnitsPerMm, kDecimals);
        out += "\"";
        if (!page.clipMm.empty()) {
            const auto& c = page.clipMm;
            out += " Clip=\"";
            appendFigure(out, {{c.x0, c.y0}, {c.x1, c.y0}, {c.x1, c.y1}, {c.x0, c.y1}}, true);
            out += "\"";
        }
        out += ">";
        m_inPage = true;
        return true;
    }

    void fillPolygons(const render::OutputPen& pen, const std::vector<render::Polygon>& polygons) override {
        if (!m_inPage) return;
        std::string& out = m_pages.back().body;
        const size_t start = out.size();
        out += "<Path Data=\"F0";  // even-odd
        const size_t data = out.size();
        for (const auto& polygon : polygons)
            for (const auto& ring : polygon.rings)
                if (ring.size() >= 3) appendFigure(out, ring, true);
        if (out.size() == data) return out.resize(start);
        out += "\" Fill=\"";
        appendColour(out, pen);
        out += "\"/>";
    }

    void strokePolylines(const render::OutputPen& pen, const std::vector<render::Polyline>& lines) override {
        if (!m_inPage) return;
        std::string& out = m_pages.back().body;
        const size_t start = out.size();
        out += "<Path Data=\"";
        const size_t data = out.size();
        for (const auto& line : lines) {
            if (line.points.size() == 1) appendFigure(out, {line.points[0], line.points[0]}, false);
            else appendFigure(out, line.points, line.closed);
        }
        if (out.size() == data) return out.resize(start);
        out += "\" Stroke=\"";
        appendColour(out, pen);
        out += "\" StrokeThickness=\"";
        appendDecimal(out, std::max(pen.widthMm, kXpsThinnestLineMm), kDecimals);
        out += "\" StrokeLineJoin=\"Round\" StrokeStartLineCap=\"Round\" StrokeEndLineCap=\"Round\"/>";
    }

    void drawTexts(const render::OutputPen& pen, const std::vector<render::PlacedText>& texts) override {
        if (!m_inPage) return;
        std::vector<render::Polygon> fills;
        std::vector<render::Polyline> strokes;
        for (const auto& text : texts) textGeometryOnPaper(m_fonts, text, kTextToleranceMm, fills, strokes);
        if (!fills.empty()) fillPolygons(pen, fills);
        if (!strokes.empty()) strokePolylines(pen, strokes);
    }

    void drawDots(const render::OutputPen& pen, const std::vector<render::Vec2>& dots) override {
        // Small octagons: a filled mark of the pen's width, never smaller than 0.1 mm.
        const double r = std::max(pen.widthMm, kSmallestDotMm) / 2;
        std::vector<render::Polygon> marks;
        for (const auto& d : dots) {
            render::Polygon mark;
            mark.rings.emplace_back();
            for (int k = 0; k < 8; ++k) {
                const double a = (k + 0.5) * M_PI / 4;
                mark.rings.back().push_back({d.x + r * std::cos(a), d.y + r * std::sin(a)});
            }
            marks.push_back(std::move(mark));
        }
        fillPolygons(pen, marks);
    }

    bool endPage() override {
        if (!m_inPage) return fail("a page was ended that was not begun");
        m_pages.back().body += "</Canvas></FixedPage>";
        m_inPage = false;
        return true;
    }

    bool finish(std::string& error) override {
        if (m_finished) return (error = "the package was already finished"), false;
        m_finished = true;
        if (m_pages.empty() || m_inPage) {
            error = m_error.empty() ? "the package has no complete page" : m_error;
            return false;
        }
        ZipWriter zip;
        std::string document = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<FixedDocument xmlns=\"";
        document += kXpsNamespace;
        document += "\">";
        for (size_t i = 0; i < m_pages.size(); ++i) {
            const auto& spec = m_pages[i].spec;
            document += "<PageContent Source=\"/Pages/" + std::to_string(i + 1) + ".fpage\" Width=\"";
            appendDecimal(document, spec.widthMm * kXpsUnitsPerMm, kDecimals);
            document += "\" Height=\"";
            appendDecimal(document, spec.heightMm * kXpsUnitsPerMm, kDecimals);
            document += "\"/>";
        }
        document += "</FixedDocument>";
        std::string core =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
            "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>";
        appendEscaped(core, text::toUtf8(m_title));
        core += "</dc:title><dc:creator>Vorlix</dc:creator></cp:coreProperties>";

        bool ok = zip.add("[Content_Types].xml", kContentTypes, error) && zip.add("_rels/.rels", kPackageRels, error) &&
                  zip.add("FixedDocumentSequence.fdseq", kSequence, error) &&
                  zip.add("FixedDocument.fdoc", document, error) && zip.add("docProps/core.xml", core, error);
        for (size_t i = 0; ok && i < m_pages.size(); ++i)
            ok = zip.add("Pages/" + std::to_string(i + 1) + ".fpage", m_pages[i].body, error);
        if (!ok) return false;
        return writeOutputFile(m_path, zip.finish(), error);
    }

private:
    struct Page {
        render::PageSpec spec;
        std::string body;
    };

    std::string m_path;
    render::FontLibrary& m_fonts;
    std::vector<Page> m_pages;
    std::wstring m_title;
    bool m_inPage = false, m_finished = false;
};

}  // namespace

std::unique_ptr<FileCanvas> makeXpsCanvas(const std::string& path, render::FontLibrary& fonts) {
    return std::make_unique<XpsCanvas>(path, fonts);
}

}  // namespace vx::plot

// PDF through QPdfWriter, SVG through QSvgGenerator, PNG through QImage. Each paints into memory
// and hands the bytes to the output file writer in finish(), so a failed plot never leaves a
// half-written file behind.
#include "plot/qt_canvases.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

#include "plot/output_file.h"
#include "plot/painter_canvas.h"

namespace vx::plot {

namespace {

constexpr double kMmPerInch = 25.4;
// PDF device units: fine enough that coordinates keep 0.02 mm.
constexpr int kPdfDpi = 1200;
// SVG user units: a hundred per millimetre (coordinates are written as whole units), so a paper
// of whole hundredths of a millimetre has an exact size.
constexpr int kSvgDpi = 2540;
constexpr int kPngQuality = 50;
// A larger raster is refused rather than exhausting memory (about 1.6 GB of pixels).
constexpr double kMaxRasterPixels = 400e6;

bool validPaper(const render::PageSpec& page) {
    return page.widthMm > 0 && page.heightMm > 0 && std::isfinite(page.widthMm) && std::isfinite(page.heightMm);
}

class PdfCanvas : public PainterCanvas {
public:
    PdfCanvas(std::string path, render::FontLibrary& fonts) : PainterCanvas(fonts, false), m_path(std::move(path)) {
        m_buffer.setBuffer(&m_bytes);
    }
    ~PdfCanvas() override {
        if (m_painter.isActive()) m_painter.end();
    }

    bool beginPage(const render::PageSpec& page) override {
        if (m_finished || m_inPage) return fail("a page was begun out of order");
        if (!validPaper(page)) return fail("the paper has no size");
        const bool landscape = page.widthMm > page.heightMm;
        const QSizeF portrait(std::min(page.widthMm, page.heightMm), std::max(page.widthMm, page.heightMm));
        const QPageLayout layout(QPageSize(portrait, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                                 landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
        if (!m_writer) {
            m_buffer.open(QIODevice::WriteOnly);
            m_writer = std::make_unique<QPdfWriter>(&m_buffer);
            m_writer->setResolution(kPdfDpi);
            m_writer->setCreator(QStringLiteral("Vorlix"));
            m_writer->setTitle(QString::fromStdWString(page.title));
            m_writer->setPageLayout(layout);
            if (!m_painter.begin(m_writer.get())) return fail("the PDF writer could not start");
        } else {
            m_writer->setPageLayout(layout);
            if (!m_writer->newPage()) return fail("the PDF writer could not add a page");
        }
        m_inPage = true;
        setUpPage(page, kPdfDpi / kMmPerInch, page.heightMm * kPdfDpi / kMmPerInch);
        return true;
    }

    bool endPage() override {
        if (!m_inPage) return fail("a page was ended that was not begun");
        m_inPage = false;
        ++m_pages;
        return true;
    }

    bool finish(std::string& error) override {
        if (m_finished) return (error = "the PDF was already finished"), false;
        m_finished = true;
        if (m_pages == 0 || m_inPage) {
            error = m_error.empty() ? "the PDF has no complete page" : m_error;
            return false;
        }
        m_painter.end();
        m_writer.reset();
        m_buffer.close();
        return writeOutputFile(m_path, std::string_view(m_bytes.constData(), static_cast<size_t>(m_bytes.size())),
                               error);
    }

private:
    std::string m_path;
    QByteArray m_bytes;
    QBuffer m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
    int m_pages = 0;
    bool m_inPage = false, m_finished = false;
};

// SVG and PNG files hold one page.
class SinglePageCanvas : public PainterCanvas {
public:
    SinglePageCanvas(std::string path, render::FontLibrary& fonts, bool raster, const char* kind)
        : PainterCanvas(fonts, raster), m_path(std::move(path)), m_kind(kind) {}

    bool beginPage(const render::PageSpec& page) override {
        if (m_state != State::Empty)
            return fail(std::string("a ") + m_kind + " file holds one page; plot further pages to files of their own");
        if (!validPaper(page)) return fail("the paper has no size");
        if (!start(page)) return false;
        m_state = State::Painting;
        return true;
    }

    bool endPage() override {
        if (m_state != State::Painting) return fail("a page was ended that was not begun");
        m_painter.end();
        m_state = State::Done;
        return true;
    }

    bool finish(std::string& error) override {
        if (m_state != State::Done) {
            if (m_painter.isActive()) m_painter.end();
            error = m_error.empty() ? std::string("the ") + m_kind + " file has no complete page" : m_error;
            m_state = State::Finished;
            return false;
        }
        m_state = State::Finished;
        QByteArray bytes;
        if (!encode(bytes, error)) return false;
        return writeOutputFile(m_path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), error);
    }

protected:
    virtual bool start(const render::PageSpec& page) = 0;
    virtual bool encode(QByteArray& bytes, std::string& error) = 0;

private:
    enum class State { Empty, Painting, Done, Finished };
    std::string m_path;
    const char* m_kind;
    State m_state = State::Empty;
};

class SvgCanvas : public SinglePageCanvas {
public:
    SvgCanvas(std::string path, render::FontLibrary& fonts) : SinglePageCanvas(std::move(path), fonts, false, "SVG") {
        m_buffer.setBuffer(&m_bytes);
    }
    ~SvgCanvas() override {
        if (m_painter.isActive()) m_painter.end();
    }

protected:
    bool start(const render::PageSpec& page) override {
        const double perMm = kSvgDpi / kMmPerInch;
        const double w = page.widthMm * perMm, h = page.heightMm * perMm;
        m_generator.setOutputDevice(&m_buffer);
        m_generator.setResolution(kSvgDpi);
        m_generator.setSize(QSize(static_cast<int>(std::lround(w)), static_cast<int>(std::lround(h))));
        m_generator.setViewBox(QRectF(0, 0, w, h));
        m_generator.setTitle(QString::fromStdWString(page.title));
        m_generator.setDescription(QStringLiteral("Plotted by Vorlix"));
        if (!m_painter.begin(&m_generator)) return fail("the SVG writer could not start");
        setUpPage(page, perMm, h);
        m_clip = page.clipMm.empty() ? QRectF()
                                     : QRectF(page.clipMm.x0 * perMm, h - page.clipMm.y1 * perMm,
                                              page.clipMm.width() * perMm, page.clipMm.height() * perMm);
        return true;
    }

    bool encode(QByteArray& bytes, std::string&) override {
        bytes = m_bytes;
        // Qt's SVG writer drops the painter's clip: the plot window is added as a clip path.
        const int defsEnd = bytes.indexOf("</defs>");
        const int svgEnd = bytes.lastIndexOf("</svg>");
        if (m_clip.isNull() || defsEnd < 0 || svgEnd < defsEnd) return true;
        const QByteArray clip = QStringLiteral("<clipPath id=\"plotWindow\"><rect x=\"%1\" y=\"%2\" width=\"%3\" "
                                               "height=\"%4\"/></clipPath>\n")
                                    .arg(m_clip.x()).arg(m_clip.y()).arg(m_clip.width()).arg(m_clip.height())
                                    .toUtf8();
        bytes.insert(svgEnd, "</g>\n");
        bytes.insert(defsEnd + 7, "\n<g clip-path=\"url(#plotWindow)\">");
        bytes.insert(defsEnd, clip);
        return true;
    }

private:
    QByteArray m_bytes;
    QBuffer m_buffer;
    QSvgGenerator m_generator;
    QRectF m_clip;  // in SVG units
};

class PngCanvas : public SinglePageCanvas {
public:
    PngCanvas(std::string path, render::FontLibrary& fonts) : SinglePageCanvas(std::move(path), fonts, true, "PNG") {}
    ~PngCanvas() override {
        if (m_painter.isActive()) m_painter.end();
    }

protected:
    bool start(const render::PageSpec& page) override {
        const double dpi = page.rasterDpi > 0 && std::isfinite(page.rasterDpi) ? page.rasterDpi : kDefaultRasterDpi;
        const double perMm = dpi / kMmPerInch;
        const double w = std::ceil(page.widthMm * perMm), h = std::ceil(page.heightMm * perMm);
        if (w * h > kMaxRasterPixels)
            return fail("the page is too large for a raster at " + std::to_string(std::lround(dpi)) +
                        " dpi; choose a lower resolution");
        m_image = QImage(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
        if (m_image.isNull()) return fail("not enough memory for the page's raster");
        const int dotsPerMetre = static_cast<int>(std::lround(dpi / kMmPerInch * 1000));
        m_image.setDotsPerMeterX(dotsPerMetre);
        m_image.setDotsPerMeterY(dotsPerMetre);
        m_image.fill(Qt::white);  // white paper
        if (!m_painter.begin(&m_image)) return fail("the raster could not be painted");
        setUpPage(page, perMm, page.heightMm * perMm);
        return true;
    }

    bool encode(QByteArray& bytes, std::string& error) override {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        // Quality 50 is zlib level 4: the size of the default level 6 for a plot (mostly paper),
        // in about two thirds of the time.
        if (!m_image.save(&buffer, "PNG", kPngQuality)) {
            error = "the PNG could not be encoded";
            return false;
        }
        return true;
    }

private:
    QImage m_image;
};

}  // namespace

std::unique_ptr<FileCanvas> makePdfCanvas(const std::string& path, render::FontLibrary& fonts) {
    return std::make_unique<PdfCanvas>(path, fonts);
}

std::unique_ptr<FileCanvas> makeSvgCanvas(const std::string& path, render::FontLibrary& fonts) {
    return std::make_unique<SvgCanvas>(path, fonts);
}

std::unique_ptr<FileCanvas> makePngCanvas(const std::string& path, render::FontLibrary& fonts) {
    return std::make_unique<PngCanvas>(path, fonts);
}

}  // namespace vx::plot

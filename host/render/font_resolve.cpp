// Font resolution. `substituted` is set whenever the font used is not the one named (a table
// stand-in included): the plot transcript can then say which fonts were replaced.
#include "render/font_resolve.h"

#include <algorithm>

#include "render/font_catalog.h"
#include "render/font_table.h"
#include "render/outline_face.h"
#include "text/encoding.h"
#include "text/strings.h"

namespace vx::render::font {

namespace {

bool isShxName(const std::string& n) { return hasExtension(normalizeFontName(n), ".shx"); }
bool isFileName(const std::string& n) {
    std::string key = normalizeFontName(n);
    return (!n.empty() && n[0] == '/') || fontNameStem(key) != key;
}

// Cap heights outside this range are damaged metrics, not designs.
double clampedHeight(double h) { return std::clamp(h, 0.1, 2.0); }

class Resolver {
public:
    Resolver(FontSources& sources, bool bold, bool italic) : m_src(sources), m_bold(bold), m_italic(italic) {}

    ResolvedFont outlineFont(const std::string& family, const std::string& file);
    ResolvedFont strokeFont(const std::string& file, const std::string& big);

private:
    // An outline face for a family, a font file name or an absolute path; null when not installed.
    OutlineFace* outline(const std::string& name) {
        if (name.empty() || isShxName(name)) return nullptr;
        const FontCatalog& catalog = m_src.catalog();
        if (isFileName(name)) {
            std::string path = catalog.file(name);
            if (path.empty()) return nullptr;
            const InstalledFace* f = catalog.faceOfFile(path);
            return m_src.face(path, f ? f->index : 0);
        }
        const InstalledFace* f = catalog.family(name, m_bold, m_italic);
        return f ? m_src.face(f->file, f->index) : nullptr;
    }
    std::shared_ptr<const ShxFile> shx(const std::string& name, bool big) {
        if (!isShxName(name)) return nullptr;
        std::string path = m_src.catalog().file(name);
        auto f = path.empty() ? nullptr : m_src.shx(path);
        return f && (f->kind == ShxKind::BigFont) == big ? f : nullptr;
    }
    OutlineFace* firstOutline(const std::vector<std::string>* names) {
        if (names)
            for (const std::string& n : *names)
                if (OutlineFace* f = outline(n)) return f;
        return nullptr;
    }
    OutlineFace* anyOutline() {
        if (OutlineFace* f = firstOutline(&m_src.table().reserved("*"))) return f;
        const InstalledFace* f = m_src.catalog().any();
        return f ? m_src.face(f->file, f->index) : nullptr;
    }
    OutlineFace* cjkFallback() {
        if (OutlineFace* f = firstOutline(&m_src.table().reserved("*cjk"))) return f;
        const InstalledFace* f = m_src.catalog().anyCjk();
        return f ? m_src.face(f->file, f->index) : nullptr;
    }
    // The stand-in of a missing SHX file: another SHX file or an outline face, from the table
    // row of its name, else from the reserved row.
    void standIn(const std::string& name, const char* reserved, bool big, std::shared_ptr<const ShxFile>& shxOut,
                 OutlineFace*& faceOut) {
        for (const auto* list : {m_src.table().find(name), &m_src.table().reserved(reserved)}) {
            if (!list) continue;
            for (const std::string& candidate : *list) {
                if (isShxName(candidate)) shxOut = shx(candidate, big);
                else faceOut = outline(candidate);
                if (shxOut || faceOut) return;
            }
        }
    }

    ResolvedFont outlineResult(OutlineFace& primary, OutlineFace* fallback, double em, bool substituted) {
        ResolvedFont r;
        if (fallback == &primary) fallback = nullptr;
        r.font = makeOutlineFont(primary, fallback, em);
        r.info.kind = FontKind::Outline;
        r.info.file = primary.file();
        r.info.faceIndex = primary.index();
        r.info.family = primary.family();
        r.info.style = primary.style();
        r.info.emPerHeight = em;
        r.info.substituted = substituted;
        if (fallback) {
            r.info.fallbackFile = fallback->file();
            r.info.fallbackFaceIndex = fallback->index();
            r.info.fallbackFamily = fallback->family();
            r.info.fallbackStyle = fallback->style();
        }
        return r;
    }
    static ResolvedFont approximate() {
        ResolvedFont r;
        r.font = makeApproximateFont();
        r.info.kind = FontKind::Stroke;
        r.info.substituted = true;
        return r;
    }

    FontSources& m_src;
    bool m_bold, m_italic;
};

ResolvedFont Resolver::outlineFont(const std::string& family, const std::string& file) {
    OutlineFace* primary = outline(family);
    if (!primary && isFileName(file)) primary = outline(file);
    const bool asNamed = primary != nullptr;
    for (const std::string& name : {family, file})
        if (!primary && !name.empty()) primary = firstOutline(m_src.table().find(name));
    if (!primary) primary = anyOutline();
    if (!primary) return approximate();
    return outlineResult(*primary, cjkFallback(), 1 / clampedHeight(primary->capHeight()), !asNamed);
}

ResolvedFont Resolver::strokeFont(const std::string& file, const std::string& big) {
    std::shared_ptr<const ShxFile> main = shx(file, false), bigFile = big.empty() ? nullptr : shx(big, true);
    const bool substituted = !main || (!big.empty() && !bigFile);
    OutlineFace *latin = nullptr, *cjk = nullptr;
    if (!main) standIn(file, "*shx", false, main, latin);
    if (!big.empty() && !bigFile) standIn(big, "*bigfont", true, bigFile, cjk);
    if (!cjk) cjk = cjkFallback();

    if (main || bigFile) {
        if (!main && !latin) latin = anyOutline();
        StrokeParts parts;
        parts.main = main;
        parts.big = bigFile;
        if (bigFile) parts.bigCodePage = m_src.table().bigFontCodePage(bigFile->path);
        parts.latin = latin;
        parts.cjk = cjk;
        ResolvedFont r;
        r.font = makeStrokeFont(std::move(parts));
        r.info.kind = FontKind::Stroke;
        r.info.file = main ? main->path : bigFile->path;
        r.info.family = main ? main->name : bigFile->name;
        r.info.substituted = substituted;
        return r;
    }
    // Neither shape file: an outline font. Text set in a big font is mostly ideographs and was
    // laid out for ideographs one text height tall, so such a font is sized by its ideographs.
    if (!big.empty() && cjk) {
        double h = cjk->ideographHeight() > 0 ? cjk->ideographHeight() : cjk->capHeight();
        return outlineResult(*cjk, latin, 1 / clampedHeight(h), true);
    }
    OutlineFace* primary = latin ? latin : anyOutline();
    if (!primary) return approximate();
    return outlineResult(*primary, cjk, 1 / clampedHeight(primary->capHeight()), true);
}

std::string trimmed(const std::wstring& s) { return text::toUtf8(std::wstring(text::trim(s, L" \t"))); }

}  // namespace

ResolvedFont resolveFont(const FontRequest& request, FontSources& sources) {
    std::string family = trimmed(request.family);
    std::string file = normalizeFontName(text::toUtf8(request.fontFile));
    std::string big = normalizeFontName(text::toUtf8(request.bigFontFile));
    // A style names its shape fonts with or without ".shx"; an empty style font is "txt".
    if (!big.empty() && big.find('.') == std::string::npos) big += ".shx";
    if (file.empty() && family.empty()) file = "txt";
    if (!file.empty() && file.find('.') == std::string::npos && family.empty()) file += ".shx";
    Resolver resolver(sources, request.bold, request.italic);
    if (family.empty() && hasExtension(file, ".shx")) return resolver.strokeFont(file, big);
    return resolver.outlineFont(family, file);
}

}  // namespace vx::render::font

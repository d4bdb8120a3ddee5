// The catalogue is made once from fontconfig's listing (system fonts) and fontconfig's FreeType
// query of the files in the host's folders, so that a family name in any language finds its face.
#include "render/font_catalog.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "render/font_table.h"

namespace vx::render::font {

namespace {

constexpr const char* kOutlineExtensions[] = {".ttf", ".ttc", ".otf", ".otc"};
// Characters of Chinese title blocks: a face with all of them shows Chinese.
constexpr FcChar32 kCjkProbe[] = {0x4E2D, 0x56FD, 0x56FE, 0x5C42, 0x8BBE};

bool isOutlineFile(const std::string& lowerName) {
    for (const char* ext : kOutlineExtensions)
        if (hasExtension(lowerName, ext)) return true;
    return false;
}

std::string lowerFileName(const std::string& path) { return normalizeFontName(path); }

// A catalogue entry from a fontconfig pattern; false for what the backends cannot draw from a
// file (bitmap and Type 1 fonts, instances of variable fonts).
bool toFace(FcPattern* p, bool hostFolder, InstalledFace& face) {
    FcChar8* s = nullptr;
    if (FcPatternGetString(p, FC_FILE, 0, &s) != FcResultMatch) return false;
    face.file = reinterpret_cast<const char*>(s);
    if (!isOutlineFile(lowerFileName(face.file))) return false;
    if (FcPatternGetString(p, FC_FONTFORMAT, 0, &s) == FcResultMatch) {
        std::string format = reinterpret_cast<const char*>(s);
        if (format != "TrueType" && format != "CFF") return false;
    }
    int index = 0;
    FcPatternGetInteger(p, FC_INDEX, 0, &index);
    if (index < 0 || (index >> 16) != 0) return false;
    face.index = index;
    for (int n = 0; FcPatternGetString(p, FC_FAMILY, n, &s) == FcResultMatch; ++n)
        face.families.emplace_back(reinterpret_cast<const char*>(s));
    if (face.families.empty()) return false;
    double weight = FC_WEIGHT_REGULAR;
    if (int w; FcPatternGetInteger(p, FC_WEIGHT, 0, &w) == FcResultMatch) weight = w;
    else FcPatternGetDouble(p, FC_WEIGHT, 0, &weight);
    face.weight = static_cast<int>(weight);
    FcPatternGetInteger(p, FC_SLANT, 0, &face.slant);
    FcCharSet* chars = nullptr;
    if (FcPatternGetCharSet(p, FC_CHARSET, 0, &chars) == FcResultMatch) {
        face.cjk = std::all_of(std::begin(kCjkProbe), std::end(kCjkProbe),
                               [&](FcChar32 c) { return FcCharSetHasChar(chars, c); });
    }
    face.hostFolder = hostFolder;
    return true;
}

struct FontSetDeleter {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct ObjectSetDeleter {
    void operator()(FcObjectSet* o) const { FcObjectSetDestroy(o); }
};
struct ConfigDeleter {
    void operator()(FcConfig* c) const { FcConfigDestroy(c); }
};

}  // namespace

std::string familyKey(std::string_view family) {
    std::string out;
    for (char c : family) {
        if (c == ' ') continue;
        out += (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    }
    return out;
}

FontCatalog::FontCatalog(const std::vector<std::string>& folders, bool systemFonts) {
    for (const std::string& folder : folders) addFolder(folder);
    if (systemFonts) addSystem();
    std::stable_sort(m_faces.begin(), m_faces.end(), [](const InstalledFace& a, const InstalledFace& b) {
        if (a.hostFolder != b.hostFolder) return a.hostFolder;
        return a.file != b.file ? a.file < b.file : a.index < b.index;
    });
}

void FontCatalog::addFolder(const std::string& folder) {
    std::error_code ec;
    std::vector<std::string> files;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    for (const std::string& path : files) {
        std::string name = lowerFileName(path);
        m_folderFiles.emplace(name, path);  // of "A.shx" and "a.shx" the first in name order
        if (!isOutlineFile(name)) continue;
        std::unique_ptr<FcFontSet, FontSetDeleter> set(FcFontSetCreate());
        int count = 0;
        FcFreeTypeQueryAll(reinterpret_cast<const FcChar8*>(path.c_str()), static_cast<unsigned>(-1), nullptr, &count,
                           set.get());
        for (int i = 0; i < set->nfont; ++i) {
            InstalledFace face;
            if (toFace(set->fonts[i], true, face)) m_faces.push_back(std::move(face));
        }
    }
}

void FontCatalog::addSystem() {
    // A configuration of our own: the process's default one belongs to whoever else uses
    // fontconfig (Qt), and is never released.
    std::unique_ptr<FcConfig, ConfigDeleter> config(FcInitLoadConfigAndFonts());
    if (!config) return;
    std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
    std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(FcObjectSetBuild(
        FC_FILE, FC_INDEX, FC_FAMILY, FC_WEIGHT, FC_SLANT, FC_FONTFORMAT, FC_CHARSET, static_cast<char*>(nullptr)));
    std::unique_ptr<FcFontSet, FontSetDeleter> set(FcFontList(config.get(), pattern.get(), objects.get()));
    if (!set) return;
    for (int i = 0; i < set->nfont; ++i) {
        InstalledFace face;
        if (!toFace(set->fonts[i], false, face)) continue;
        m_systemFiles.emplace(lowerFileName(face.file), face.file);
        m_faces.push_back(std::move(face));
    }
}

const InstalledFace* FontCatalog::family(std::string_view name, bool bold, bool italic) const {
    std::string key = familyKey(name);
    if (key.empty()) return nullptr;
    const int wantWeight = bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR, wantSlant = italic ? FC_SLANT_ITALIC : 0;
    const InstalledFace* best = nullptr;
    int bestScore = 0;
    for (const InstalledFace& f : m_faces) {
        bool named = std::any_of(f.families.begin(), f.families.end(),
                                 [&](const std::string& n) { return familyKey(n) == key; });
        if (!named) continue;
        int score = std::abs(f.weight - wantWeight) + 2 * std::abs(f.slant - wantSlant);
        if (!best || score < bestScore) best = &f, bestScore = score;
    }
    return best;
}

std::string FontCatalog::file(std::string_view name) const {
    std::string path(name);
    if (!path.empty() && path[0] == '/') {
        std::error_code ec;
        return std::filesystem::is_regular_file(path, ec) ? path : std::string();
    }
    std::string key = normalizeFontName(name);
    for (const auto* files : {&m_folderFiles, &m_systemFiles}) {
        auto it = files->find(key);
        if (it != files->end()) return it->second;
    }
    return {};
}

const InstalledFace* FontCatalog::faceOfFile(const std::string& path) const {
    const InstalledFace* best = nullptr;
    for (const InstalledFace& f : m_faces)
        if (f.file == path && (!best || f.index < best->index)) best = &f;
    return best;
}

const InstalledFace* FontCatalog::anyCjk() const {
    const InstalledFace* best = nullptr;
    for (const InstalledFace& f : m_faces)
        if (f.cjk && (!best || std::abs(f.weight - FC_WEIGHT_REGULAR) < std::abs(best->weight - FC_WEIGHT_REGULAR)))
            best = &f;
    return best;
}

const InstalledFace* FontCatalog::any() const {
    for (const InstalledFace& f : m_faces)
        if (f.weight == FC_WEIGHT_REGULAR && f.slant == 0) return &f;
    return m_faces.empty() ? nullptr : &m_faces.front();
}

}  // namespace vx::render::font

// The process's font library: resolved fonts by id, the faces and shape files they share, and
// the host profile's table and folders. Ids are never reused; id 0 is the approximation, the
// answer for ids the library never gave out.
#include "render/font_library.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>
#include <vector>

#include "render/font_catalog.h"
#include "render/font_resolve.h"
#include "render/font_table.h"
#include "render/outline_face.h"
#include "text/encoding.h"
#include "win32/file_io.h"

namespace vx::render {

namespace {

using namespace font;

struct Entry {
    FontInfo info;
    std::unique_ptr<TextFont> font;
};

std::string requestKey(const FontRequest& r) {
    return text::toUtf8(r.fontFile) + '\n' + text::toUtf8(r.bigFontFile) + '\n' + familyKey(text::toUtf8(r.family)) +
           '\n' + (r.bold ? 'b' : '-') + (r.italic ? 'i' : '-');
}

class Library final : public FontLibrary, private FontSources {
public:
    explicit Library(FontLibraryConfig config) : m_config(std::move(config)) {
        m_table.load(m_config.tableFile);
        auto approximation = std::make_unique<Entry>();
        approximation->font = makeApproximateFont();
        approximation->info.kind = FontKind::Stroke;
        approximation->info.substituted = true;
        m_entries.push_back(std::move(approximation));
    }

    FontId resolve(const FontRequest& request) override {
        std::string key = requestKey(request);
        {
            std::shared_lock<std::shared_mutex> lock(m_mutex);
            auto it = m_ids.find(key);
            if (it != m_ids.end()) return it->second;
        }
        // One resolution at a time: two threads asking for one style get one id.
        std::lock_guard<std::mutex> resolving(m_resolveMutex);
        {
            std::shared_lock<std::shared_mutex> lock(m_mutex);
            auto it = m_ids.find(key);
            if (it != m_ids.end()) return it->second;
        }
        ResolvedFont resolved = resolveFont(request, *this);
        auto entry = std::make_unique<Entry>();
        entry->info = std::move(resolved.info);
        entry->font = std::move(resolved.font);
        std::unique_lock<std::shared_mutex> lock(m_mutex);
        FontId id = static_cast<FontId>(m_entries.size());
        m_entries.push_back(std::move(entry));
        m_ids.emplace(std::move(key), id);
        return id;
    }

    const FontInfo& info(FontId id) const override { return entry(id).info; }

    double advance(FontId id, std::wstring_view line) override {
        TextFont& f = *entry(id).font;
        double x = 0;
        for (wchar_t c : line) x += f.advance(static_cast<char32_t>(c));
        return x;
    }
    double ascent(FontId id) override { return entry(id).font->ascent(); }
    double descent(FontId id) override { return entry(id).font->descent(); }

    void glyphs(FontId id, std::wstring_view line, double tolerance, GlyphGeometry& out) override {
        TextFont& f = *entry(id).font;
        double x = 0;
        for (wchar_t c : line) {
            f.glyph(static_cast<char32_t>(c), x, tolerance, out);
            x += f.advance(static_cast<char32_t>(c));
        }
    }

private:
    const Entry& entry(FontId id) const {
        std::shared_lock<std::shared_mutex> lock(m_mutex);
        return *m_entries[id < m_entries.size() ? id : 0];
    }

    // FontSources: called with m_resolveMutex held.
    const FontTable& table() override { return m_table; }
    const FontCatalog& catalog() override {
        if (!m_catalog) {
            std::vector<std::string> folders = m_config.folders;
            folders.insert(folders.end(), m_table.folders().begin(), m_table.folders().end());
            m_catalog = std::make_unique<FontCatalog>(folders, m_config.systemFonts);
        }
        return *m_catalog;
    }
    OutlineFace* face(const std::string& file, int index) override {
        auto key = std::make_pair(file, index);
        auto it = m_faces.find(key);
        if (it == m_faces.end()) it = m_faces.emplace(key, OutlineFace::open(m_freetype, file, index)).first;
        return it->second.get();
    }
    std::shared_ptr<const ShxFile> shx(const std::string& path) override {
        auto it = m_shx.find(path);
        if (it != m_shx.end()) return it->second;
        std::shared_ptr<const ShxFile> parsed;
        std::error_code ec;
        auto size = std::filesystem::file_size(path, ec);
        std::string bytes, error;
        if (!ec && size <= kMaxShxBytes && win32::readWholeFile(path, bytes)) {
            if (auto f = parseShx(std::move(bytes), error)) {
                f->path = path;
                parsed = std::make_shared<const ShxFile>(std::move(*f));
            }
        }
        m_shx.emplace(path, parsed);
        return parsed;
    }

    FontLibraryConfig m_config;
    FontTable m_table;
    std::unique_ptr<FontCatalog> m_catalog;
    // Faces close before the FreeType library that opened them.
    FreeTypeLibrary m_freetype;
    std::map<std::pair<std::string, int>, std::unique_ptr<OutlineFace>> m_faces;
    std::map<std::string, std::shared_ptr<const ShxFile>> m_shx;
    std::mutex m_resolveMutex;

    mutable std::shared_mutex m_mutex;  // guards the two below
    std::vector<std::unique_ptr<Entry>> m_entries;
    std::unordered_map<std::string, FontId> m_ids;
};

std::string environmentFolder(const char* variable, const char* homeRelative) {
    const char* value = std::getenv(variable);
    if (value && *value == '/') return value;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/" + homeRelative;
}

}  // namespace

FontLibraryConfig profileFontConfig() {
    FontLibraryConfig config;
    config.tableFile = environmentFolder("XDG_CONFIG_HOME", ".config") + "/vxhost/fonts.ini";
    config.folders.push_back(environmentFolder("XDG_DATA_HOME", ".local/share") + "/vxhost/Fonts");
    return config;
}

std::unique_ptr<FontLibrary> makeFontLibrary(const FontLibraryConfig& config) {
    return std::make_unique<Library>(config);
}

FontLibrary& profileFontLibrary() {
    static const std::unique_ptr<FontLibrary> library = makeFontLibrary(profileFontConfig());
    return *library;
}

}  // namespace vx::render

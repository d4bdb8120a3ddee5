// Font files -> Qt application fonts, cached per process.
#include "plot/qt_fonts.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>
#include <map>
#include <string>

namespace vx::plot {

namespace {

// Families Qt found in a file (several for a collection); empty when Qt cannot load it.
const QStringList& familiesOfFile(const std::string& file) {
    static std::map<std::string, QStringList> loaded;
    auto found = loaded.find(file);
    if (found != loaded.end()) return found->second;
    QStringList families;
    const int id = file.empty() ? -1 : QFontDatabase::addApplicationFont(QString::fromStdString(file));
    if (id >= 0) families = QFontDatabase::applicationFontFamilies(id);
    return loaded.emplace(file, families).first->second;
}

// The Qt family name of a face of a font file: the family the font library named when Qt knows
// it, else the file's face by index; the name itself when Qt cannot load the file.
QString familyOf(const std::string& file, int faceIndex, const std::string& family) {
    const QStringList& families = familiesOfFile(file);
    const QString wanted = QString::fromStdString(family);
    if (families.isEmpty() || families.contains(wanted)) return wanted;
    return families[faceIndex >= 0 && faceIndex < families.size() ? faceIndex : 0];
}

QFont makeFont(const render::FontInfo& info) {
    QStringList families{familyOf(info.file, info.faceIndex, info.family)};
    // Characters the face lacks come from the library's fallback face, as advance() measured them.
    if (!info.fallbackFile.empty() || !info.fallbackFamily.empty())
        families << familyOf(info.fallbackFile, info.fallbackFaceIndex, info.fallbackFamily);
    QFont font;
    font.setFamilies(families);
    if (!info.style.empty()) font.setStyleName(QString::fromStdString(info.style));
    font.setPixelSize(kQtFontPixelSize);
    // Glyphs must advance as the font library measured them: no kerning, no hinting.
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

}  // namespace

const QtFont& QtFontCache::get(render::FontId id) {
    auto found = m_cache.find(id);
    if (found != m_cache.end()) return found->second;
    const render::FontInfo& info = m_fonts.info(id);
    QtFont qt{makeFont(info), info.emPerHeight > 0 ? info.emPerHeight : 1.0};
    return m_cache.emplace(id, qt).first->second;
}

}  // namespace vx::plot

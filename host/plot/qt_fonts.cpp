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

QFont makeFont(const render::FontInfo& info) {
    const QStringList& families = familiesOfFile(info.file);
    const QString wanted = QString::fromStdString(info.family);
    QString family = wanted;
    if (!families.isEmpty() && !families.contains(wanted)) {
        const int face = info.faceIndex >= 0 && info.faceIndex < families.size() ? info.faceIndex : 0;
        family = families[face];
    }
    QFont font(family);
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

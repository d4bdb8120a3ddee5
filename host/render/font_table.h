// The one font substitution table: names a drawing asks for (TrueType file names, Windows
// family names, SHX files) -> candidates to use instead, first installed wins. Built-in rows
// cover the common Windows and CAD names; an office extends or overrides them with the file
// "fonts.ini" in the host profile:
//
//   [Substitutes]
//   simsun.ttc = AR PL SungtiL GB, Noto Serif CJK SC
//   hztxt.shx  = gbhzfs.shx, WenQuanYi Micro Hei
//   [Folders]
//   Office = /srv/cad/fonts; /home/shared/fonts
//   [BigFontCodePages]
//   chineset.shx = BIG5
//
// A candidate is a family name, a font file name (looked up in the fonts folders and among the
// system's font files) or an absolute path. Reserved names: "*" (any other outline font),
// "*shx" (an SHX font that is missing), "*bigfont" (a big font that is missing), "*cjk" (where
// characters a font lacks come from).
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vx::render::font {

// Lower-case ASCII, folder removed, blanks around trimmed: "C:\Fonts\SimSun.TTC" -> "simsun.ttc".
std::string normalizeFontName(std::string_view name);
// A normalised name without a font file extension: "simsun.ttc" -> "simsun".
std::string fontNameStem(std::string_view normalized);
bool hasExtension(std::string_view normalized, std::string_view ext);

class FontTable {
public:
    FontTable();  // the built-in rows
    // Reads an office file over the built-in rows; a missing file changes nothing.
    void load(const std::string& iniFile);

    // Candidates for a name: the exact (normalised) name, then its stem; null when none.
    const std::vector<std::string>* find(std::string_view name) const;
    // Candidates of a reserved name ("*", "*shx", "*bigfont", "*cjk").
    const std::vector<std::string>& reserved(std::string_view key) const;
    // The code page of a big font's double-byte codes (an iconv name).
    std::string bigFontCodePage(std::string_view fileName) const;
    // Fonts folders the office file adds (native paths).
    const std::vector<std::string>& folders() const { return m_folders; }

    void set(std::string_view name, std::string_view candidates);

private:
    std::map<std::string, std::vector<std::string>> m_rows;
    std::map<std::string, std::string> m_codePages;
    std::vector<std::string> m_folders;
};

// "a, b; c" -> {"a", "b", "c"}
std::vector<std::string> splitCandidates(std::string_view list, std::string_view separators = ",;");

}  // namespace vx::render::font

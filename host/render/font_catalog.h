// The fonts this machine has: the files in the host's fonts folders (SHX and outline fonts a
// user or office put there) and the system's outline fonts as fontconfig lists them. Lookups
// are exact (by a family's names or a file's name, without regard to case): fontconfig's own
// matching would answer "DejaVu Sans" for "SimSun", which is the job of the substitution table.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vx::render::font {

struct InstalledFace {
    std::string file;                   // absolute path
    int index = 0;                      // face in a collection
    std::vector<std::string> families;  // every name of the family (each language), as written
    int weight = 80;                    // fontconfig's scale: 80 regular, 200 bold
    int slant = 0;                      // 0 roman, 100 italic, 110 oblique
    bool cjk = false;                   // shows common simplified Chinese
    bool hostFolder = false;
};

class FontCatalog {
public:
    // `folders` are searched before the system; `systemFonts` false leaves the system out.
    FontCatalog(const std::vector<std::string>& folders, bool systemFonts);

    // The face of a family nearest to the style; null when no face has that family name.
    const InstalledFace* family(std::string_view name, bool bold, bool italic) const;
    // A file by name (no folder, any case): the fonts folders first, then the system's font
    // files; an absolute path is taken when it exists. Empty when not found.
    std::string file(std::string_view name) const;
    // The catalogued face of a file (index 0 of a collection), if the file is an outline font.
    const InstalledFace* faceOfFile(const std::string& path) const;
    // Some face that shows Chinese / any outline face at all; null when there is none.
    const InstalledFace* anyCjk() const;
    const InstalledFace* any() const;
    bool empty() const { return m_faces.empty(); }

private:
    void addFolder(const std::string& folder);
    void addSystem();

    std::vector<InstalledFace> m_faces;  // host folders first, then by path
    std::unordered_map<std::string, std::string> m_folderFiles, m_systemFiles;  // lower-case name -> path
};

// "Noto Sans CJK SC" and "noto sans cjk sc" and "NotoSans CJKSC" name one family.
std::string familyKey(std::string_view family);

}  // namespace vx::render::font

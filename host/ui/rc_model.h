// What a resource script holds once parsed: dialog templates with their controls, string
// tables and bitmaps, and the symbols its headers defined.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vx::ui::rc {

struct Control {
    std::wstring statement;  // PUSHBUTTON, EDITTEXT, CONTROL ...
    std::wstring text;
    int id = -1;
    std::wstring className;  // Button, Edit, Static, ComboBox, ListBox, SysListView32, MFCGridCtrl ...
    uint32_t style = 0, exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    int line = 0;
};

struct Dialog {
    int id = -1;        // -1 for a dialog named by text
    std::wstring name;  // the text name, when it has one
    bool extended = false;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::wstring caption;
    uint32_t style = 0, exStyle = 0;
    double fontPoints = 8;
    std::wstring fontFace;
    int fontWeight = 400;
    bool italic = false;
    std::vector<Control> controls;
    std::string file;
    int line = 0;
};

struct Bitmap {
    int id = -1;
    std::wstring name;
    std::string path;   // as the script wrote it
    std::string bytes;  // the file's content
};

struct Script {
    std::vector<Dialog> dialogs;
    std::map<int, std::wstring> strings;
    std::vector<Bitmap> bitmaps;
    std::map<std::string, long long> symbols;  // numeric #defines

    const Dialog* dialog(int id) const;
    const Bitmap* bitmap(int id) const;
};

// Reads a file the script names (#include, BITMAP): `path` is as written in the script,
// `from` the file that names it. Fills `resolved` (the name used in messages) and `bytes`.
using FileReader =
    std::function<bool(const std::string& from, const std::string& path, std::string& resolved, std::string& bytes)>;

struct ParseError {
    std::string file;
    int line = 0;
    std::string message;
    std::string text() const { return file + ":" + std::to_string(line) + ": " + message; }
};

// Parses the script `mainFile` (read through `reader`). On failure `error` names the file and
// line; nothing is left half-filled in `out`.
bool parse(const std::string& mainFile, const FileReader& reader, Script& out, ParseError& error);
// Parses script text given directly (the file name is only used in messages).
bool parseText(const std::string& fileName, const std::string& bytes, const FileReader& reader, Script& out,
               ParseError& error);

// A reader for files on disk, relative to the naming file's folder (backslashes accepted).
FileReader diskReader();

}  // namespace vx::ui::rc

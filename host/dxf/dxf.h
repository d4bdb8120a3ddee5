// DXF reading and writing for the drawing database.
#pragma once

#include <functional>
#include <string>

#include "acadstrc.h"
#include "db/store.h"

namespace vx::dxf {

// Builds the store from a file's bytes (ASCII or binary DXF). A damaged file loads what can be
// loaded and lists the repairs in st.audit; a file that cannot be read fails with a message
// naming the line.
Acad::ErrorStatus read(vx::db::Store& st, std::string bytes, std::wstring& message);
// Adds the sections and tables that a partial drawing (ENTITIES alone ...) lacks to the store's
// tags, before the loader runs; the additions are listed in st.audit.
void complete(vx::db::Store& st);
// Receives the file in chunks; false stops the write.
using Sink = std::function<bool(const char* data, size_t size)>;
// The drawing as DXF text in the store's version and encoding.
Acad::ErrorStatus write(vx::db::Store& st, const Sink& sink);
Acad::ErrorStatus write(vx::db::Store& st, std::string& out);
// Saves through vx::win32::SafeFile (the producer feeds the sink): a read-only target is refused,
// a symbolic link written through, mode and owner kept; the previous file is kept as NAME.bak.
// A refused or failed save leaves the target and its NAME.bak as they were.
Acad::ErrorStatus saveFile(const std::string& path, const std::function<Acad::ErrorStatus(const Sink&)>& produce,
                           std::wstring& message);
// The previous version's name: the file name with its extension replaced by ".bak".
std::string backupName(const std::string& path);
// Binary DXF (the 22-byte sentinel) converted to DXF text; false with a message when damaged.
bool binaryToText(const std::string& in, std::string& out, std::wstring& message);
// The iconv name of a $DWGCODEPAGE value ("ANSI_936" -> "GBK"); empty when unknown.
std::string iconvCodePage(std::string_view dwgCodePage);
// The $DWGCODEPAGE value of an iconv name ("GBK" -> "ANSI_936"); empty when there is none.
std::string dwgCodePageName(std::string_view iconvName);

}  // namespace vx::dxf

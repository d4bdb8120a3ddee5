// Thin wrappers over the platform's private-profile calls, so that each caller states only the
// section, the key, the default and the buffer size the file format gives for that value.
#pragma once

#include <string>

namespace vorlix::profile {

// The value as the platform reads it into a buffer of `bufferSize` characters (so at most
// bufferSize - 1 characters come back), or `defaultValue` when file, section or key is missing.
std::wstring readText(const std::wstring& file, const wchar_t* section, const std::wstring& key,
                      const wchar_t* defaultValue, unsigned bufferSize);

// A decimal integer value, or `defaultValue`. Negative values come back negative.
int readInt(const std::wstring& file, const wchar_t* section, const std::wstring& key,
            int defaultValue);

// Writes the value unchanged (an empty value leaves "key=" in the file). False when the
// platform reports the write as failed.
bool writeText(const std::wstring& file, const wchar_t* section, const std::wstring& key,
               const std::wstring& value);

// Whether `key` can be stored as a key line and found again: not empty, no line break, no
// "=", no leading "[" or ";" (a section line, a comment), no surrounding blanks.
bool isStorableKey(const std::wstring& key);

// Whether `value` reads back as written through a buffer of `bufferSize` characters: no line
// break (which would end the line and start another one in the file) and short enough.
bool isStorableValue(const std::wstring& value, unsigned bufferSize);

}  // namespace vorlix::profile

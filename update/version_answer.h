// The version query and what the service's answer means: no update ("-1", "0", no answer), or
// the fields of an update, which become the updater's parameters.
#pragma once

#include <string>
#include <vector>

namespace vorlix {

constexpr const wchar_t* kModuleVersion = L"2.3";

// The service's base address ends in "/"; the query asks about this module's version.
std::wstring versionQueryAddress(const std::wstring& baseAddress);

struct VersionAnswer {
    bool update = false;
    std::vector<std::wstring> fields;
};

// `status` is CWebCommand's, `ansiBody` its body. Not an update: a failed request, an answer
// that is "-1" or "0" (blanks and line ends around it do not count), or one holding control
// characters (binary data is no version answer). Otherwise the answer, double quotes removed,
// split at every "&".
VersionAnswer interpretAnswer(int status, const std::string& ansiBody);

// Field 0, then each further field longer than one character, separated by single blanks.
std::wstring updaterParameters(const std::vector<std::wstring>& fields);

}  // namespace vorlix

// The download folder of the update check ("downdir" in the module folder): made for the user
// alone, and its files moved into the module folder at every load, but only when nobody else
// could have put them there.
#pragma once

#include <string>

namespace vorlix {

enum class DownloadFolder {
    Ready,     // a folder of the user's own (new or existing): its files may be moved
    Absent,    // none, and none could be made
    Unsafe,    // a link, or a folder others may write into: its files are left alone
};

// Makes the folder when it is missing, with access for its owner only.
DownloadFolder prepareDownloadFolder(const std::wstring& folder);

// Moves every regular file of the folder into `moduleFolder`, replacing a file of the same
// name there. Folders, links, pipes and devices stay, as do names that would lead out of the
// module folder. Returns how many files were moved; failures are skipped.
int moveDownloadedFiles(const std::wstring& folder, const std::wstring& moduleFolder);

}  // namespace vorlix

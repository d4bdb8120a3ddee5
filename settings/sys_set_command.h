// The system settings command: the dialog, the template description check, the SYSEMSET
// writes and the settings reload.
#pragma once

#include <string>

namespace vorlix {

enum class TemplateDescriptionCheck {
    Present,    // the template folder has its TKATT.ini
    Copied,     // it had none; the module folder's default was copied there
    Missing,    // it had none, and no copy was made (no default, or the copy failed)
    NoFolder,   // no template folder is set: nothing to look for, nothing copied
};

// Looks for "<templateFolder>\TKATT.ini" and, when it is missing, copies the module folder's
// default without overwriting anything.
TemplateDescriptionCheck checkTemplateDescription(const std::wstring& templateFolder,
                                                  const std::wstring& moduleFolder);

// VXSET.
void runSysemSet();

}  // namespace vorlix

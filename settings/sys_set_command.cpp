#include "settings/sys_set_command.h"

#include "aced.h"
#include "afx.h"
#include "settings/settings_file.h"
#include "settings/settings_record.h"
#include "settings/sys_set_dlg.h"
#include "win32.h"

namespace vorlix {
namespace {

bool fileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    // A link that leads nowhere reports itself alone (REPARSE_POINT): there is no file to read.
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           attributes != FILE_ATTRIBUTE_REPARSE_POINT;
}

void message(const wchar_t* text) { AfxMessageBox(text, MB_OK); }

}  // namespace

TemplateDescriptionCheck checkTemplateDescription(const std::wstring& templateFolder,
                                                  const std::wstring& moduleFolder) {
    // An empty folder would make the name "\TKATT.ini": a file at the root of the file system,
    // which is never the office's template description and must not receive a copy.
    if (templateFolder.empty()) return TemplateDescriptionCheck::NoFolder;
    const std::wstring target = templateFolder + L"\\TKATT.ini";
    if (fileExists(target)) return TemplateDescriptionCheck::Present;
    const std::wstring source = moduleFolder + L"\\TKATT.ini";
    if (!moduleFolder.empty() && fileExists(source) && CopyFileW(source.c_str(), target.c_str(), TRUE))
        return TemplateDescriptionCheck::Copied;
    return TemplateDescriptionCheck::Missing;
}

void runSysemSet() {
    CAcModuleResourceOverride resources;
    CSysSetDlg dialog(acedGetAcadFrame());
    if (dialog.DoModal() != IDOK) return;

    SettingsRecord& record = settings();
    const std::wstring folder = dialog.templateFolder().GetString();
    const TemplateDescriptionCheck check = checkTemplateDescription(folder, record.moduleFolder());
    if (check == TemplateDescriptionCheck::Copied || check == TemplateDescriptionCheck::Missing)
        message(L"该目录下无图框配置的INI文件，请联系管理员生成！");

    SystemSettings values;
    values.rootPath = dialog.rootPath().GetString();
    values.userName = dialog.userName().GetString();
    values.departCode = dialog.departCode().GetString();
    values.specName = dialog.discipline().GetString();
    values.sheetTempPath = folder;
    const bool written = writeSystemSettings(values);

    // Reloaded also after a failed write, so that memory shows what the file really holds.
    const bool described = record.reload();
    if (!written) {
        CString text;
        text.Format(L"无法写入设置文件 %s！", record.shownSettingsFilePath());
        message(text.GetString());
        return;
    }
    if (described && record.templateDescriptionUnreadable()) {
        CString text;
        text.Format(L"设置已保存，但无法读取图框配置文件 %s！", record.shownTemplateDescriptionPath());
        message(text.GetString());
        return;
    }
    message(described ? L"设置成功！"
                      : L"未发现图框的配置文件，可能会影响生成图纸目录等功能，如需配置请联系管理员！");
}

}  // namespace vorlix

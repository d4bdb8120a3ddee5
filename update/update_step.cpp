#include "update/update_step.h"

#include <vector>

#include "aced.h"
#include "afxwin.h"
#include "frames/shown_path.h"
#include "shellapi.h"
#include "update/download_folder.h"
#include "update/version_answer.h"
#include "update/web_command.h"
#include "winuser.h"

namespace vorlix {
namespace {

// No office runs a service at this address: the ".example" name is reserved, so an unset host
// setting never sends a query to anybody. An office's own service is named by the setting.
constexpr const wchar_t* kServiceBaseAddress = L"http://update.vorlix.example/";
constexpr const wchar_t* kServiceSetting = L"VX_UPDATE_SERVICE";
constexpr const wchar_t* kUpdaterName = L"updatesoft.exe";
constexpr const wchar_t* kDownloadFolderName = L"downdir";

void showStartFailure(const std::wstring& moduleFolder) {
    CString message;
    message.Format(L"无法启动升级程序 %s，将继续使用当前版本！", shownPath(moduleFolder, kUpdaterName).c_str());
    AfxMessageBox(message, MB_OK);
}

// Asks, then starts the updater; true when it runs.
bool offerUpgrade(const std::wstring& moduleFolder, const std::wstring& parameters) {
    if (MessageBoxW(nullptr, L"若选择升级，程序将自动关闭当前CAD", L"是否升级", MB_OKCANCEL) != IDOK) return false;
    const std::wstring updater = moduleFolder + L"\\" + kUpdaterName;
    HINSTANCE started =
        ShellExecuteW(GetDesktopWindow(), L"open", updater.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<intptr_t>(started) > 32) return true;
    showStartFailure(moduleFolder);
    return false;
}

}  // namespace

std::wstring updateServiceAddress() {
    std::vector<wchar_t> buffer(1024);
    DWORD n = GetEnvironmentVariableW(kServiceSetting, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return GetLastError() == ERROR_ENVVAR_NOT_FOUND ? kServiceBaseAddress : L"";
    if (n >= buffer.size()) {
        buffer.resize(n);
        n = GetEnvironmentVariableW(kServiceSetting, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0 || n >= buffer.size()) return L"";
    }
    return std::wstring(buffer.data(), n);
}

UpdateResult runUpdateStep(const std::wstring& moduleFolder) {
    const std::wstring downloads = moduleFolder + L"\\" + kDownloadFolderName;
    const DownloadFolder folder = prepareDownloadFolder(downloads);

    const std::wstring service = updateServiceAddress();
    if (!service.empty()) {
        VersionAnswer answer;
        {
            CWebCommand web;
            std::string body;
            const CWebCommand::Status status = web.Get(versionQueryAddress(service), body);
            answer = interpretAnswer(status, body);
        }
        if (answer.update && !answer.fields.empty() && offerUpgrade(moduleFolder, updaterParameters(answer.fields)))
            return UpdateResult::HandedOver;
    }

    if (folder == DownloadFolder::Ready) {
        moveDownloadedFiles(downloads, moduleFolder);
    } else if (folder == DownloadFolder::Unsafe) {
        acutPrintf(L"\n下载文件夹 %s 是链接或可被其他用户写入，其中的文件未移入程序文件夹。",
                   shownPath(moduleFolder, kDownloadFolderName).c_str());
    }
    return UpdateResult::Continue;
}

}  // namespace vorlix

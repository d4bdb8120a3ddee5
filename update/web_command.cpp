#include "update/web_command.h"

#include <vector>

namespace vorlix {
namespace {

constexpr const wchar_t* kAgent = L"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; .NET CLR 2.0.50727)";

CWebCommand::Status statusOfError() {
    return GetLastError() == ERROR_INTERNET_TIMEOUT ? CWebCommand::kTimedOut : CWebCommand::kFailed;
}

// UTF-8 to the ANSI code page; false when the bytes are not UTF-8.
bool utf8ToAnsi(const std::string& utf8, std::string& ansi) {
    ansi.clear();
    if (utf8.empty()) return true;
    const int length = static_cast<int>(utf8.size());
    const int wideSize = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    if (wideSize <= 0) return false;
    std::vector<wchar_t> wide(static_cast<size_t>(wideSize));
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), wideSize);
    const int ansiSize = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    if (ansiSize <= 0) return false;
    ansi.resize(static_cast<size_t>(ansiSize));
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideSize, &ansi[0], ansiSize, nullptr, nullptr);
    return true;
}

}  // namespace

CWebCommand::CWebCommand() : m_session(std::make_unique<CInternetSession>(kAgent, 1, PRE_CONFIG_INTERNET_ACCESS, nullptr, nullptr, 0)) {
    setTimeouts(kConnectTimeoutMs, kAnswerTimeoutMs);
}

CWebCommand::~CWebCommand() {
    if (m_file) m_file->Close();
    m_file.reset();
    if (m_session) m_session->Close();
}

void CWebCommand::setTimeouts(DWORD connectMs, DWORD answerMs) {
    m_session->SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, connectMs);
    m_session->SetOption(INTERNET_OPTION_RECEIVE_TIMEOUT, answerMs);
}

CWebCommand::Status CWebCommand::Get(const std::wstring& address, std::string& body) {
    body.clear();
    m_file.reset(m_session->OpenURL(address.c_str(), 1, INTERNET_FLAG_TRANSFER_ASCII, nullptr, 0));
    if (!m_file) return GetLastError() == ERROR_SUCCESS ? kRead : statusOfError();
    // A service's error page is no answer to the query.
    DWORD httpStatus = 0;
    auto* http = dynamic_cast<CHttpFile*>(m_file.get());
    Status status = kRead;
    if (http && (!http->QueryInfoStatusCode(httpStatus) || httpStatus != 200)) status = kFailed;
    std::string utf8;
    char block[kBlockSize];
    while (status == kRead) {
        const UINT n = m_file->Read(block, kBlockSize);
        if (n == 0) {
            if (GetLastError() != ERROR_SUCCESS) status = statusOfError();
            break;
        }
        utf8.append(block, n);
        if (utf8.size() > kMaxAnswerBytes) status = kFailed;
    }
    m_file->Close();
    m_file.reset();
    if (status == kRead && !utf8ToAnsi(utf8, body)) status = kFailed;
    if (status != kRead) body.clear();
    return status;
}

}  // namespace vorlix

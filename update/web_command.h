// The HTTP client of the update check: one internet session per client, owned with the file
// of a request while it runs, all closed when the client goes.
#pragma once

#include <memory>
#include <string>

#include "afxinet.h"

namespace vorlix {

class CWebCommand {
public:
    enum Status { kRead = 0, kFailed = 1, kTimedOut = 2 };

    static constexpr DWORD kConnectTimeoutMs = 4000;
    // The whole answer: a service that accepts the connection and then trickles or never
    // answers must not hold up the module's load.
    static constexpr DWORD kAnswerTimeoutMs = 10000;
    static constexpr UINT kBlockSize = 4096;
    // A version answer is a few fields; anything longer is not one, and is not read to its end.
    static constexpr size_t kMaxAnswerBytes = 64 * 1024;

    CWebCommand();
    CWebCommand(const CWebCommand&) = delete;
    CWebCommand& operator=(const CWebCommand&) = delete;
    ~CWebCommand();

    // kRead with the body in the ANSI code page when a 200 answer was read completely;
    // kTimedOut when the service did not answer in time; kFailed for every other failure,
    // including answers that are not HTTP 200, not UTF-8, or longer than kMaxAnswerBytes.
    Status Get(const std::wstring& address, std::string& body);

    // For tests: shorter bounds than the module's.
    void setTimeouts(DWORD connectMs, DWORD answerMs);

private:
    std::unique_ptr<CInternetSession> m_session;
    std::unique_ptr<CStdioFile> m_file;
};

}  // namespace vorlix

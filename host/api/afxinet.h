// The platform's internet session (MFC's CInternetSession and its files), here on libcurl.
// Nothing throws across the host API: where MFC throws a CInternetException, OpenURL gives null
// and Read gives 0, with GetLastError() holding the WinINet error code (ERROR_INTERNET_TIMEOUT
// ...); Read gives 0 with ERROR_SUCCESS at the end of the answer.
#pragma once

#include <memory>

#include "afx.h"

typedef uintptr_t DWORD_PTR;

constexpr DWORD INTERNET_OPEN_TYPE_PRECONFIG = 0, INTERNET_OPEN_TYPE_DIRECT = 1, INTERNET_OPEN_TYPE_PROXY = 3;
constexpr DWORD PRE_CONFIG_INTERNET_ACCESS = INTERNET_OPEN_TYPE_PRECONFIG;
constexpr DWORD INTERNET_FLAG_TRANSFER_ASCII = 0x1, INTERNET_FLAG_TRANSFER_BINARY = 0x2;
// Name lookup and connection, in milliseconds.
constexpr DWORD INTERNET_OPTION_CONNECT_TIMEOUT = 2;
// Milliseconds the whole answer may take, from the opening of the address to its last byte.
// (WinINet bounds each receive; a service that trickles its answer would then never time out.)
constexpr DWORD INTERNET_OPTION_RECEIVE_TIMEOUT = 6;

constexpr DWORD ERROR_INTERNET_TIMEOUT = 12002, ERROR_INTERNET_INTERNAL_ERROR = 12004,
                ERROR_INTERNET_INVALID_URL = 12005, ERROR_INTERNET_UNRECOGNIZED_SCHEME = 12006,
                ERROR_INTERNET_NAME_NOT_RESOLVED = 12007, ERROR_INTERNET_CANNOT_CONNECT = 12029,
                ERROR_INTERNET_CONNECTION_ABORTED = 12030, ERROR_INTERNET_CONNECTION_RESET = 12031,
                ERROR_HTTP_REDIRECT_FAILED = 12156, ERROR_INTERNET_SECURITY_CHANNEL_ERROR = 12157,
                ERROR_HTTP_INVALID_SERVER_RESPONSE = 12152;

// A file opened for reading; the opener deletes it.
class CStdioFile {
public:
    CStdioFile() = default;
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;
    virtual ~CStdioFile() = default;
    // Up to `count` bytes, as soon as some are there; 0 at the end or on an error (see above).
    virtual UINT Read(void* buffer, UINT count) = 0;
    virtual void Close() = 0;
};

// The answer to an address opened through a session.
class CInternetFile : public CStdioFile {
public:
    ~CInternetFile() override;
    UINT Read(void* buffer, UINT count) override;
    void Close() override;

    struct Transfer;
    explicit CInternetFile(std::unique_ptr<Transfer> transfer);

protected:
    std::unique_ptr<Transfer> m_transfer;
};

class CHttpFile : public CInternetFile {
public:
    using CInternetFile::CInternetFile;
    ~CHttpFile() override;
    // The HTTP status of the answer (200 ...); FALSE before one has come.
    BOOL QueryInfoStatusCode(DWORD& status) const;
};

class CInternetSession {
public:
    // The agent text is sent with every request; PRE_CONFIG access uses the system's proxy
    // settings (the http_proxy ... environment), DIRECT none, PROXY the given proxy.
    explicit CInternetSession(LPCWSTR agent = nullptr, DWORD_PTR context = 1,
                              DWORD accessType = PRE_CONFIG_INTERNET_ACCESS, LPCWSTR proxyName = nullptr,
                              LPCWSTR proxyBypass = nullptr, DWORD flags = 0);
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;
    virtual ~CInternetSession();

    // INTERNET_OPTION_CONNECT_TIMEOUT and INTERNET_OPTION_RECEIVE_TIMEOUT; other options FALSE.
    BOOL SetOption(DWORD option, DWORD value, DWORD flags = 0);
    // Opens an http:// or https:// address (redirects followed) and waits for the answer's
    // headers; the caller deletes the file. Null on failure (see above).
    CStdioFile* OpenURL(LPCWSTR url, DWORD_PTR context = 1, DWORD flags = INTERNET_FLAG_TRANSFER_ASCII,
                        LPCWSTR headers = nullptr, DWORD headersLength = 0);
    void Close();

private:
    std::wstring m_agent, m_proxy, m_bypass;
    DWORD m_access;
    DWORD m_connectTimeout = 0, m_receiveTimeout = 0;  // 0: none
    bool m_open = true;
};

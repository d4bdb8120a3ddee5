// CInternetSession on libcurl. Each opened address is one transfer driven step by step (a multi
// handle), so a file is read as the answer arrives and at most one network read is held ahead
// of the caller.
#include <curl/curl.h>

#include <cstring>
#include <cwchar>
#include <string>

#include "afxinet.h"
#include "text/encoding.h"

namespace {

void globalInit() {
    static const bool done = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)done;
}

DWORD internetError(CURLcode code) {
    switch (code) {
    case CURLE_OPERATION_TIMEDOUT: return ERROR_INTERNET_TIMEOUT;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY: return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_COULDNT_CONNECT: return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_URL_MALFORMAT: return ERROR_INTERNET_INVALID_URL;
    case CURLE_UNSUPPORTED_PROTOCOL: return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
    case CURLE_TOO_MANY_REDIRECTS: return ERROR_HTTP_REDIRECT_FAILED;
    case CURLE_GOT_NOTHING:
    case CURLE_WEIRD_SERVER_REPLY: return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    case CURLE_SEND_ERROR: return ERROR_INTERNET_CONNECTION_RESET;
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE: return ERROR_INTERNET_CONNECTION_ABORTED;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR: return ERROR_INTERNET_SECURITY_CHANNEL_ERROR;
    case CURLE_OUT_OF_MEMORY: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ERROR_INTERNET_INTERNAL_ERROR;
    }
}

}  // namespace

struct CInternetFile::Transfer {
    CURL* easy = nullptr;
    CURLM* multi = nullptr;
    curl_slist* headers = nullptr;  // extra request headers, in use until the transfer ends
    std::string pending;   // received, not yet read
    size_t taken = 0;      // of `pending`, already handed to the reader
    bool headersDone = false;
    bool done = false;
    CURLcode result = CURLE_OK;

    Transfer() = default;
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;
    ~Transfer() {
        if (multi && easy) curl_multi_remove_handle(multi, easy);
        if (easy) curl_easy_cleanup(easy);
        if (multi) curl_multi_cleanup(multi);
        curl_slist_free_all(headers);
    }

    static size_t onBody(char* data, size_t size, size_t count, void* self) {
        auto* t = static_cast<Transfer*>(self);
        t->pending.append(data, size * count);
        return size * count;
    }

    // A blank line ends a block of headers; a redirect's block is followed by the next one.
    static size_t onHeader(char* data, size_t size, size_t count, void* self) {
        auto* t = static_cast<Transfer*>(self);
        const size_t n = size * count;
        if (n <= 2 && (n == 0 || data[0] == '\r' || data[0] == '\n')) {
            long status = 0;
            curl_easy_getinfo(t->easy, CURLINFO_RESPONSE_CODE, &status);
            if (status < 300 || status >= 400) t->headersDone = true;
        }
        return n;
    }

    // Runs the transfer until `ready` holds or it ends.
    template <class Ready>
    void pump(Ready ready) {
        while (!done && !ready()) {
            int running = 0;
            if (curl_multi_perform(multi, &running) != CURLM_OK) {
                finish(CURLE_RECV_ERROR);
                break;
            }
            int left = 0;
            while (CURLMsg* m = curl_multi_info_read(multi, &left))
                if (m->msg == CURLMSG_DONE && m->easy_handle == easy) finish(m->data.result);
            if (done || ready()) break;
            curl_multi_poll(multi, nullptr, 0, 100, nullptr);
        }
    }

    void finish(CURLcode code) {
        done = true;
        result = code;
    }
};

CInternetFile::CInternetFile(std::unique_ptr<Transfer> transfer) : m_transfer(std::move(transfer)) {}
CInternetFile::~CInternetFile() = default;

UINT CInternetFile::Read(void* buffer, UINT count) {
    if (!m_transfer || !buffer) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Transfer& t = *m_transfer;
    if (t.taken == t.pending.size()) {
        t.pending.clear();
        t.taken = 0;
        t.pump([&] { return !t.pending.empty(); });
    }
    const size_t n = std::min<size_t>(count, t.pending.size() - t.taken);
    if (n == 0) {
        SetLastError(t.result == CURLE_OK ? ERROR_SUCCESS : internetError(t.result));
        return 0;
    }
    std::memcpy(buffer, t.pending.data() + t.taken, n);
    t.taken += n;
    SetLastError(ERROR_SUCCESS);
    return static_cast<UINT>(n);
}

void CInternetFile::Close() { m_transfer.reset(); }

CHttpFile::~CHttpFile() = default;

BOOL CHttpFile::QueryInfoStatusCode(DWORD& status) const {
    long code = 0;
    if (!m_transfer || curl_easy_getinfo(m_transfer->easy, CURLINFO_RESPONSE_CODE, &code) != CURLE_OK || code == 0)
        return FALSE;
    status = static_cast<DWORD>(code);
    return TRUE;
}

CInternetSession::CInternetSession(LPCWSTR agent, DWORD_PTR, DWORD accessType, LPCWSTR proxyName,
                                   LPCWSTR proxyBypass, DWORD)
    : m_agent(agent ? agent : L""), m_proxy(proxyName ? proxyName : L""),
      m_bypass(proxyBypass ? proxyBypass : L""), m_access(accessType) {
    globalInit();
}

CInternetSession::~CInternetSession() { Close(); }

void CInternetSession::Close() { m_open = false; }

BOOL CInternetSession::SetOption(DWORD option, DWORD value, DWORD) {
    if (option == INTERNET_OPTION_CONNECT_TIMEOUT) m_connectTimeout = value;
    else if (option == INTERNET_OPTION_RECEIVE_TIMEOUT) m_receiveTimeout = value;
    else {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

CStdioFile* CInternetSession::OpenURL(LPCWSTR url, DWORD_PTR, DWORD, LPCWSTR headers, DWORD headersLength) {
    if (!m_open || !url || !*url) {
        SetLastError(m_open ? ERROR_INTERNET_INVALID_URL : ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto t = std::make_unique<CInternetFile::Transfer>();
    t->easy = curl_easy_init();
    t->multi = curl_multi_init();
    if (!t->easy || !t->multi) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    CURL* e = t->easy;
    const std::string address = vx::text::toUtf8(url), agent = vx::text::toUtf8(m_agent);
    curl_easy_setopt(e, CURLOPT_URL, address.c_str());
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    if (!agent.empty()) curl_easy_setopt(e, CURLOPT_USERAGENT, agent.c_str());
    if (m_connectTimeout) curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_connectTimeout));
    if (m_receiveTimeout) curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, static_cast<long>(m_receiveTimeout));
    if (m_access == INTERNET_OPEN_TYPE_DIRECT) curl_easy_setopt(e, CURLOPT_NOPROXY, "*");
    const std::string proxy = vx::text::toUtf8(m_proxy), bypass = vx::text::toUtf8(m_bypass);
    if (m_access == INTERNET_OPEN_TYPE_PROXY) {
        curl_easy_setopt(e, CURLOPT_PROXY, proxy.c_str());
        if (!bypass.empty()) curl_easy_setopt(e, CURLOPT_NOPROXY, bypass.c_str());
    }
    // Extra request headers, one per line.
    if (headers && *headers) {
        std::wstring all(headers, headersLength && headersLength != static_cast<DWORD>(-1) ? headersLength
                                                                                             : std::wcslen(headers));
        size_t start = 0;
        while (start < all.size()) {
            size_t end = all.find_first_of(L"\r\n", start);
            if (end == std::wstring::npos) end = all.size();
            if (end > start) t->headers = curl_slist_append(t->headers, vx::text::toUtf8(all.substr(start, end - start)).c_str());
            start = end + 1;
        }
        curl_easy_setopt(e, CURLOPT_HTTPHEADER, t->headers);
    }
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &CInternetFile::Transfer::onBody);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, t.get());
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &CInternetFile::Transfer::onHeader);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, t.get());
    curl_multi_add_handle(t->multi, e);

    CInternetFile::Transfer& transfer = *t;
    transfer.pump([&] { return transfer.headersDone; });
    if (transfer.done && transfer.result != CURLE_OK) {
        SetLastError(internetError(transfer.result));
        return nullptr;
    }
    SetLastError(ERROR_SUCCESS);
    return new CHttpFile(std::move(t));
}

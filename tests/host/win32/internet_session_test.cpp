// The internet session against a server on 127.0.0.1: answers read in blocks as they come,
// the agent text sent, status codes, and the time-outs that bound a service that stalls.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "../../http_stub.h"
#include "afxinet.h"

namespace {

using vx::test::HttpStub;
using Clock = std::chrono::steady_clock;

std::wstring wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// Reads the whole answer in blocks of `block`; the error code of the read that ended it.
DWORD readAll(CStdioFile& file, std::string& body, UINT block = 4096) {
    std::string buf(block, '\0');
    for (;;) {
        const UINT n = file.Read(&buf[0], block);
        if (n == 0) return GetLastError();
        EXPECT_LE(n, block);
        body.append(buf.data(), n);
    }
}

TEST(InternetSession, AnAnswerIsReadToItsEndWithTheAgentAndStatusKnown) {
    HttpStub server({HttpStub::ok("\"a.zip\"&\"2.4\""), HttpStub::status(404, "missing")});
    CInternetSession session(L"Agent/1.0 (test)");
    std::unique_ptr<CStdioFile> file(session.OpenURL(wide(server.baseUrl() + "Vorlix/Q?V=2.3").c_str()));
    ASSERT_TRUE(file);
    DWORD status = 0;
    ASSERT_TRUE(dynamic_cast<CHttpFile*>(file.get())->QueryInfoStatusCode(status));
    EXPECT_EQ(200u, status);
    std::string body;
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), readAll(*file, body, 3));
    EXPECT_EQ("\"a.zip\"&\"2.4\"", body);
    EXPECT_EQ(0u, file->Read(&body[0], 1)) << "the end stays the end";
    file->Close();
    const std::string request = server.requests().at(0);
    EXPECT_EQ(0u, request.find("GET /Vorlix/Q?V=2.3 HTTP/1.1\r\n"));
    EXPECT_NE(std::string::npos, request.find("User-Agent: Agent/1.0 (test)\r\n"));

    // An error page is an answer too; its status tells it apart.
    std::unique_ptr<CStdioFile> missing(session.OpenURL(wide(server.baseUrl()).c_str()));
    ASSERT_TRUE(missing);
    ASSERT_TRUE(dynamic_cast<CHttpFile*>(missing.get())->QueryInfoStatusCode(status));
    EXPECT_EQ(404u, status);
}

TEST(InternetSession, FailuresGiveNullWithTheWinInetCode) {
    CInternetSession session(L"x");
    session.SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, 2000);
    // A port nobody listens on: refused at once.
    int closedPort = 0;
    {
        HttpStub gone({});
        closedPort = std::stoi(gone.baseUrl().substr(17));
    }
    EXPECT_EQ(nullptr, session.OpenURL(wide("http://127.0.0.1:" + std::to_string(closedPort) + "/").c_str()));
    EXPECT_EQ(ERROR_INTERNET_CANNOT_CONNECT, GetLastError());
    EXPECT_EQ(nullptr, session.OpenURL(L"ftp://127.0.0.1/x"));
    EXPECT_EQ(ERROR_INTERNET_UNRECOGNIZED_SCHEME, GetLastError());
    EXPECT_EQ(nullptr, session.OpenURL(L"http://no-such-host.invalid/"));
    EXPECT_EQ(ERROR_INTERNET_NAME_NOT_RESOLVED, GetLastError());
    EXPECT_FALSE(session.SetOption(99, 1));
}

TEST(InternetSession, TheAnswerTimeOutBoundsAServiceThatStallsOrTrickles) {
    HttpStub server({HttpStub::Reply{"", 0, 5000},
                     HttpStub::Reply{"HTTP/1.0 200 OK\r\n\r\n" + std::string(500, 'x'), 10, 0}});
    CInternetSession session(L"x");
    session.SetOption(INTERNET_OPTION_RECEIVE_TIMEOUT, 1000);
    auto start = Clock::now();
    EXPECT_EQ(nullptr, session.OpenURL(wide(server.baseUrl()).c_str())) << "no headers ever came";
    EXPECT_EQ(ERROR_INTERNET_TIMEOUT, GetLastError());
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(3000));

    // Headers come, then a byte every 10 ms: each read returns what has come, and the whole
    // answer still ends at the bound.
    start = Clock::now();
    std::unique_ptr<CStdioFile> file(session.OpenURL(wide(server.baseUrl()).c_str()));
    ASSERT_TRUE(file);
    std::string body;
    EXPECT_EQ(ERROR_INTERNET_TIMEOUT, readAll(*file, body));
    EXPECT_LT(body.size(), 500u);
    EXPECT_GT(body.size(), 0u);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(3000));
}

TEST(InternetSession, ALargeAnswerIsHandedOutAsItArrives) {
    const std::string big(3 << 20, 'y');
    HttpStub server({HttpStub::ok(big)});
    CInternetSession session(L"x");
    std::unique_ptr<CStdioFile> file(session.OpenURL(wide(server.baseUrl()).c_str()));
    ASSERT_TRUE(file);
    std::string body;
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), readAll(*file, body, 4096));
    EXPECT_EQ(big.size(), body.size());
    // Closing early is allowed: the rest is never read.
    HttpStub again({HttpStub::ok(big)});
    std::unique_ptr<CStdioFile> early(session.OpenURL(wide(again.baseUrl()).c_str()));
    ASSERT_TRUE(early);
    char block[4096];
    EXPECT_GT(early->Read(block, sizeof block), 0u);
    early->Close();
    EXPECT_EQ(0u, early->Read(block, sizeof block));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

}  // namespace

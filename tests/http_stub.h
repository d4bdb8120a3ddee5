// A small HTTP server on 127.0.0.1 for tests of the internet session and the update check: each
// connection gets the next scripted reply (raw bytes, sent at once or byte by byte, or silence).
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vx::test {

class HttpStub {
public:
    struct Reply {
        std::string bytes;
        int byteDelayMs = 0;   // > 0: one byte at a time
        int silenceMs = 0;     // > 0: say nothing for that long, or until the client hangs up
    };

    static Reply ok(const std::string& body) {
        return {"HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body};
    }
    static Reply status(int code, const std::string& body) {
        return {"HTTP/1.0 " + std::to_string(code) + " X\r\nContent-Length: " + std::to_string(body.size()) +
                "\r\n\r\n" + body};
    }

    explicit HttpStub(std::vector<Reply> replies) : m_replies(std::move(replies)) {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        socklen_t len = sizeof addr;
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
        ::listen(m_listener, 8);
        m_thread = std::thread([this] { run(); });
    }
    ~HttpStub() {
        m_stop = true;
        m_thread.join();
        ::close(m_listener);
    }
    HttpStub(const HttpStub&) = delete;
    HttpStub& operator=(const HttpStub&) = delete;

    std::string baseUrl() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/"; }
    std::vector<std::string> requests() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }
    // How long the last connection lasted, from its acceptance to the client's hang-up or the
    // end of the reply.
    std::chrono::milliseconds lastConnection() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_lastConnection;
    }

private:
    bool wait(int fd, short events, int ms) {
        pollfd p{fd, events, 0};
        return ::poll(&p, 1, ms) > 0;
    }

    void run() {
        size_t next = 0;
        while (!m_stop) {
            if (!wait(m_listener, POLLIN, 50)) continue;
            const int fd = ::accept(m_listener, nullptr, nullptr);
            if (fd < 0) continue;
            const auto start = std::chrono::steady_clock::now();
            std::string head;
            char buf[1024];
            while (head.find("\r\n\r\n") == std::string::npos && wait(fd, POLLIN, 2000)) {
                const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
                if (n <= 0) break;
                head.append(buf, static_cast<size_t>(n));
            }
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_requests.push_back(head);
            }
            const Reply reply = next < m_replies.size() ? m_replies[next++] : ok("-1");
            serve(fd, reply);
            ::close(fd);
            std::lock_guard<std::mutex> lock(m_mutex);
            m_lastConnection =
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        }
    }

    void serve(int fd, const Reply& reply) {
        if (reply.silenceMs > 0) {
            // Until the client hangs up (readable with nothing to read) or the time is over.
            const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(reply.silenceMs);
            char c;
            while (!m_stop && std::chrono::steady_clock::now() < end)
                if (wait(fd, POLLIN, 50) && ::recv(fd, &c, 1, 0) <= 0) return;
            return;
        }
        if (reply.byteDelayMs <= 0) {
            for (size_t sent = 0; sent < reply.bytes.size() && !m_stop;) {
                const ssize_t n = ::send(fd, reply.bytes.data() + sent, reply.bytes.size() - sent, MSG_NOSIGNAL);
                if (n <= 0) return;
                sent += static_cast<size_t>(n);
            }
            return;
        }
        for (char c : reply.bytes) {
            if (m_stop || ::send(fd, &c, 1, MSG_NOSIGNAL) != 1) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(reply.byteDelayMs));
        }
    }

    std::vector<Reply> m_replies;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
    std::chrono::milliseconds m_lastConnection{0};
    std::thread m_thread;
};

}  // namespace vx::test

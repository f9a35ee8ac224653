#pragma once

// A scripted HTTP server on 127.0.0.1 for tests. It listens on a free port
// from construction to destruction, records every request byte for byte and
// answers each one from a script: the queued replies in order, then the
// handler (if set), then the fallback reply. Replies are raw bytes, so a test
// can send anything: odd headers, gzip bodies, bodies cut short.
//
//   LoopbackServer server;
//   server.enqueue(LoopbackReply::http(200, "Content-Type: text/html\r\n", "<p>hi</p>"));
//   ... fetch server.url("/page") ...
//   EXPECT_EQ(server.requests().at(0), "GET /page HTTP/1.1\r\n...");
//
// A connection is kept open for further requests until the client closes it
// or a reply ends it (closeAfter, dropAfterBytes, stall). Destruction stops
// the server and ends every connection, stalled ones included.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <limits>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace rankminer::testing {

struct LoopbackReply {
    std::string bytes;                   // sent as they are
    std::chrono::milliseconds delay{0};  // pause before sending anything
    // Sends only this many bytes, then closes the connection.
    std::size_t dropAfterBytes = std::numeric_limits<std::size_t>::max();
    bool stall = false;       // after sending, holds the connection open, sending nothing
    bool closeAfter = false;  // closes the connection after sending

    // A complete response: status line "HTTP/1.1 <status> <reason>", the given
    // header lines (each ending in "\r\n"), "Content-Length" and the body.
    static LoopbackReply http(int status, std::string_view headers = {},
                              std::string_view body = {});
};

class LoopbackServer {
public:
    LoopbackServer();  // listens at once; port() is 0 if that failed
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return port_; }
    // "http://127.0.0.1:<port>" followed by path.
    std::string url(std::string_view path = "/") const;

    void enqueue(LoopbackReply reply);
    // Answers requests when the queue is empty; gets the raw request.
    void setHandler(std::function<LoopbackReply(const std::string& request)> handler);
    // The reply when neither queue nor handler answers (default: 404, no body).
    void setFallback(LoopbackReply reply);

    // Raw requests (request line, headers, blank line, body) in arrival order.
    std::vector<std::string> requests() const;
    // Waits until at least count requests arrived; false at the deadline.
    bool waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const;
    // Waits until every connection the server accepted has been closed (by
    // either side); false at the deadline.
    bool waitForIdle(std::chrono::milliseconds timeout) const;
    // Connections accepted so far.
    std::size_t connectionCount() const;

private:
    void acceptLoop();
    void serve(int client);
    LoopbackReply nextReply(const std::string& request);
    // Sleeps until the time passes or the server stops; false when stopping.
    bool pause(std::chrono::milliseconds time);

    int listener_ = -1;
    int port_ = 0;
    int wakePipe_[2] = {-1, -1};
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<LoopbackReply> queue_;
    std::function<LoopbackReply(const std::string&)> handler_;
    LoopbackReply fallback_;
    std::vector<std::string> requests_;
    std::size_t accepted_ = 0;
    std::size_t open_ = 0;
    std::vector<std::thread> workers_;
    std::thread acceptor_;
};

}  // namespace rankminer::testing

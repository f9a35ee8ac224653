#include "support/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <charconv>
#include <utility>

namespace rankminer::testing {

namespace {

bool lowerEquals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// The Content-Length of a request head, 0 when it names none.
std::size_t contentLength(std::string_view head) {
    std::size_t start = 0;
    while (start < head.size()) {
        const std::size_t end = head.find("\r\n", start);
        const std::string_view line = head.substr(start, end - start);
        start = end == std::string_view::npos ? head.size() : end + 2;
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos &&
            lowerEquals(line.substr(0, colon), "content-length")) {
            std::string_view value = line.substr(colon + 1);
            while (!value.empty() && value.front() == ' ') {
                value.remove_prefix(1);
            }
            std::size_t length = 0;
            std::from_chars(value.data(), value.data() + value.size(), length);
            return length;
        }
    }
    return 0;
}

}  // namespace

LoopbackReply LoopbackReply::http(int status, std::string_view headers, std::string_view body) {
    std::string reason = status == 200 ? "OK" : status == 302 ? "Found" : "Status";
    LoopbackReply reply;
    reply.bytes = "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\n" +
                  std::string(headers) + "Content-Length: " + std::to_string(body.size()) +
                  "\r\n\r\n" + std::string(body);
    return reply;
}

LoopbackServer::LoopbackServer() {
    fallback_ = LoopbackReply::http(404);
    if (pipe(wakePipe_) != 0) {
        return;
    }
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener_ < 0) {
        return;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 64) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return;
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

LoopbackServer::~LoopbackServer() {
    if (wakePipe_[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = write(wakePipe_[1], &byte, 1);
    }
    if (acceptor_.joinable()) {
        acceptor_.join();
    }
    for (std::thread& worker : workers_) {
        worker.join();
    }
    for (int fd : {listener_, wakePipe_[0], wakePipe_[1]}) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

std::string LoopbackServer::url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

void LoopbackServer::enqueue(LoopbackReply reply) {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(reply));
}

void LoopbackServer::setHandler(std::function<LoopbackReply(const std::string&)> handler) {
    std::lock_guard lock(mutex_);
    handler_ = std::move(handler);
}

void LoopbackServer::setFallback(LoopbackReply reply) {
    std::lock_guard lock(mutex_);
    fallback_ = std::move(reply);
}

std::vector<std::string> LoopbackServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

bool LoopbackServer::waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return requests_.size() >= count; });
}

bool LoopbackServer::waitForIdle(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return open_ == 0; });
}

std::size_t LoopbackServer::connectionCount() const {
    std::lock_guard lock(mutex_);
    return accepted_;
}

void LoopbackServer::acceptLoop() {
    while (true) {
        pollfd fds[2] = {{listener_, POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN) != 0) {
            return;
        }
        const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            continue;
        }
        std::lock_guard lock(mutex_);
        ++accepted_;
        ++open_;
        workers_.emplace_back([this, client] { serve(client); });
    }
}

bool LoopbackServer::pause(std::chrono::milliseconds time) {
    pollfd wake{wakePipe_[0], POLLIN, 0};
    return poll(&wake, 1, static_cast<int>(time.count())) == 0;
}

LoopbackReply LoopbackServer::nextReply(const std::string& request) {
    std::function<LoopbackReply(const std::string&)> handler;
    {
        std::lock_guard lock(mutex_);
        if (!queue_.empty()) {
            LoopbackReply reply = std::move(queue_.front());
            queue_.erase(queue_.begin());
            return reply;
        }
        if (!handler_) {
            return fallback_;
        }
        handler = handler_;
    }
    return handler(request);
}

void LoopbackServer::serve(int client) {
    std::string pending;
    char buffer[4096];
    bool open = true;
    // Reads until the buffer holds what is asked for; false on close or stop.
    const auto readMore = [&]() {
        pollfd fds[2] = {{client, POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
        if (poll(fds, 2, -1) <= 0 || (fds[1].revents & POLLIN) != 0) {
            return false;
        }
        const ssize_t got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) {
            return false;
        }
        pending.append(buffer, static_cast<std::size_t>(got));
        return true;
    };
    while (open) {
        std::size_t headEnd;
        while ((headEnd = pending.find("\r\n\r\n")) == std::string::npos) {
            if (!readMore()) {
                open = false;
                break;
            }
        }
        if (!open) {
            break;
        }
        const std::size_t total =
            headEnd + 4 + contentLength(std::string_view(pending).substr(0, headEnd));
        while (pending.size() < total && (open = readMore())) {
        }
        if (!open) {
            break;
        }
        std::string request = pending.substr(0, total);
        pending.erase(0, total);
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
        }
        changed_.notify_all();

        const LoopbackReply reply = nextReply(request);
        if (!pause(reply.delay)) {
            break;
        }
        const std::size_t toSend = std::min(reply.bytes.size(), reply.dropAfterBytes);
        std::size_t sent = 0;
        while (sent < toSend) {
            const ssize_t n = send(client, reply.bytes.data() + sent, toSend - sent, MSG_NOSIGNAL);
            if (n <= 0) {
                break;
            }
            sent += static_cast<std::size_t>(n);
        }
        if (reply.stall) {
            // Hold the connection until the client gives up or the server stops.
            while (readMore()) {
            }
            break;
        }
        open = sent == reply.bytes.size() && !reply.closeAfter;
    }
    close(client);
    {
        std::lock_guard lock(mutex_);
        --open_;
    }
    changed_.notify_all();
}

}  // namespace rankminer::testing

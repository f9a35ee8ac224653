#include "net/fetch.h"

#include <atomic>
#include <memory>
#include <system_error>
#include <thread>

#include "net/curl_handles.h"
#include "net/request.h"
#include "platform/message_pump.h"
#include "platform/waiter.h"
#include "text/gbk.h"

namespace rankminer {

namespace {

constexpr int kDefaultLimitSeconds = 60;

// Shared by the caller and the worker, so that a worker abandoned at the time
// limit still has its record until it ends.
struct FetchJob {
    RequestRecord record;
    std::atomic<bool> abort{false};
    WaitSignal done;
};

}  // namespace

std::string fetchPage(std::string& url, const FetchOptions& options) {
    if (trimBlanks(url).empty()) {
        return {};
    }
    if (url.compare(0, 7, "http://") != 0 && url.compare(0, 8, "https://") != 0) {
        url.insert(0, "http://");
    }
    auto job = std::make_shared<FetchJob>();
    RequestRecord& record = job->record;
    record.url = url;
    record.method = options.method == 1 ? "POST" : "GET";
    record.proxy = options.proxy;
    record.extraHeaders = options.extraHeaders;
    record.postData = options.postData;
    record.cookies = options.cookies;
    record.forbidRedirects = options.forbidRedirects;

    // curl's global set-up is not thread-safe; it must run here, not in the worker.
    ensureCurlInitialised();
    const auto start = Clock::now();
    const auto limit = std::chrono::milliseconds(
        static_cast<long long>(options.timeLimitSeconds.value_or(kDefaultLimitSeconds)) * 1000);
    try {
        std::thread([job] {
            performRequest(job->record, &job->abort);
            job->done.set();
        }).detach();
    } catch (const std::system_error&) {
        return {};
    }

    bool timedOut = false;
    while (true) {
        const std::shared_ptr<Waiter> waiter = currentWaiter();
        waiter->waitFor(job->done, start + limit);
        const bool finished = job->done.isSet();
        // A worker that ends after the limit counts as late, even when the
        // wait saw it end.
        timedOut = Clock::now() - start >= limit;
        pumpMessagesNow();
        if (timedOut || finished) {
            break;
        }
    }
    if (timedOut) {
        job->abort = true;
        return {};
    }
    if (options.headersOut != nullptr) {
        *options.headersOut = record.responseHeaders;
    }
    if (options.cookiesOut != nullptr) {
        *options.cookiesOut = record.cookiesOut;
    }
    return std::move(record.body);
}

}  // namespace rankminer

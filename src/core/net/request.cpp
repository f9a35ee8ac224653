#include "net/request.h"

#include "net/cookie_store.h"
#include "net/curl_handles.h"
#include "net/header_block.h"
#include "text/gbk.h"

namespace rankminer {

namespace {

// Redirect chains longer than this end with the last response received.
constexpr long kMaxRedirects = 20;

struct Transfer {
    RequestRecord* record;
    const std::atomic<bool>* abort;
};

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user) {
    std::string& body = static_cast<Transfer*>(user)->record->body;
    const std::size_t bytes = size * count;
    const std::size_t room = kMaxBodyBytes - std::min(body.size(), kMaxBodyBytes);
    body.append(data, std::min(bytes, room));
    // Returning less than given ends the transfer once the cap is reached.
    return bytes <= room ? bytes : 0;
}

std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* user) {
    std::string& headers = static_cast<Transfer*>(user)->record->responseHeaders;
    const std::size_t bytes = size * count;
    const std::string_view line(data, bytes);
    // Each response (redirect hops, interim 1xx answers) starts with its status
    // line; only the last one's headers are reported.
    if (line.substr(0, 5) == "HTTP/") {
        headers.clear();
    }
    if (headers.size() + bytes <= kMaxBodyBytes) {
        headers.append(line);
    }
    return bytes;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const std::atomic<bool>* abort = static_cast<Transfer*>(user)->abort;
    return abort != nullptr && abort->load() ? 1 : 0;
}

// The header block as curl header lines. curl drops a line whose value is
// blank; the "Name;" form makes it send "Name:" with an empty value instead.
// The trailing lines switch off the headers curl would add of its own.
CurlHeaderList headerLines(std::string_view block, bool keepBodyHeaders, bool keepCookie) {
    CurlHeaderList list;
    std::size_t start = 0;
    while (start < block.size()) {
        std::size_t end = block.find("\r\n", start);
        if (end == std::string_view::npos) {
            end = block.size();
        }
        std::string line(block.substr(start, end - start));
        start = end + 2;
        if (line.empty()) {
            continue;
        }
        const bool bodyHeader = equalsIgnoreCase(line.substr(0, 13), "Content-Type:") ||
                                equalsIgnoreCase(line.substr(0, 15), "Content-Length:");
        if ((bodyHeader && !keepBodyHeaders) ||
            (!keepCookie && equalsIgnoreCase(line.substr(0, 7), "Cookie:"))) {
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon != std::string::npos && colon > 0 &&
            line.find_first_not_of(" \t", colon + 1) == std::string::npos) {
            line.resize(colon);
            line += ';';
        }
        list.append(line);
    }
    for (const char* off :
         {"Accept:", "Expect:", "Content-Type:", "Content-Length:", "Proxy-Connection:"}) {
        list.append(off);
    }
    return list;
}

std::string connectUrl(bool secure, const std::string& host, int port, std::string_view path) {
    std::string url = secure ? "https://" : "http://";
    url += host;
    // Port 0 (a port that is no number) means the scheme's default.
    if (port != 0) {
        url += ':' + std::to_string(port);
    }
    url += path.substr(0, path.find('#'));
    return url;
}

bool isRedirect(long status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

}  // namespace

void performRequest(RequestRecord& record, const std::atomic<bool>* abort) {
    record.body.clear();
    record.responseHeaders.clear();
    record.cookiesOut.clear();

    const bool secure = containsText(toLowerAscii(record.url), "https://");
    const std::string host = urlHost(record.url);
    const std::string path = urlPath(record.url);
    const int port = secure ? 443 : urlPort(record.url);
    const bool ownCookies = !trimBlanks(record.cookies).empty();
    const bool isPost = record.method == "POST";

    CurlEasy easy = makeCurlEasy();
    if (!easy || host.empty()) {
        return;
    }
    CURL* handle = easy.get();
    Transfer transfer{&record, abort};
    const std::string url = connectUrl(secure, host, port, path);
    const std::string userAgent = chooseUserAgent(record.extraHeaders);
    const std::string block = buildHeaderBlock(record);
    CurlHeaderList lines = headerLines(block, true, true);
    const bool proxied = !secure && !record.proxy.empty();
    // The request target is sent exactly as the URL names it (fragment and
    // all); through a proxy it is the absolute form.
    const std::string target = proxied ? connectUrl(false, host, port, "") + path : path;

    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_REQUEST_TARGET, target.c_str());
    curl_easy_setopt(handle, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    // An empty proxy also keeps curl from taking one from the environment.
    curl_easy_setopt(handle, CURLOPT_PROXY, proxied ? record.proxy.c_str() : "");
    curl_easy_setopt(handle, CURLOPT_USERAGENT, userAgent.c_str());
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, lines.get());
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &onBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &onHeader);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &onProgress);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, kMaxRedirects);
    if (!ownCookies && !CookieStore::instance().attachTo(handle)) {
        return;
    }
    if (isPost && !record.postData.empty()) {
        curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(record.postData.size()));
        curl_easy_setopt(handle, CURLOPT_POSTFIELDS, record.postData.data());
    } else if (record.method != "GET") {
        curl_easy_setopt(handle, CURLOPT_CUSTOMREQUEST, record.method.c_str());
    }

    // The first hop is made with our own request target, which curl would
    // repeat on every hop it followed; so the first redirect is taken here and
    // curl follows the rest with targets of its own.
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_perform(handle);
    long status = 0;
    char* location = nullptr;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_getinfo(handle, CURLINFO_REDIRECT_URL, &location);
    const bool aborted = abort != nullptr && abort->load();
    CurlHeaderList followLines;
    if (!record.forbidRedirects && !aborted && isRedirect(status) && location != nullptr) {
        const std::string next = location;
        // A form posted to a 301, 302 or 303 is fetched again with GET.
        const bool becomesGet = isPost && status != 307 && status != 308;
        // The caller's cookies go to the host they were meant for only.
        const bool sameHost = urlHost(next) == host;
        followLines = headerLines(block, !becomesGet, sameHost);
        record.body.clear();
        curl_easy_setopt(handle, CURLOPT_URL, next.c_str());
        curl_easy_setopt(handle, CURLOPT_REQUEST_TARGET, nullptr);
        curl_easy_setopt(handle, CURLOPT_HTTPHEADER, followLines.get());
        curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
        if (becomesGet) {
            curl_easy_setopt(handle, CURLOPT_HTTPGET, 1L);
        }
        if (toLowerAscii(next).rfind("https://", 0) == 0) {
            // The proxy serves plain HTTP only.
            curl_easy_setopt(handle, CURLOPT_PROXY, "");
        }
        curl_easy_perform(handle);
    }
    easy.reset();

    const std::vector<std::string> setCookies = setCookieValues(record.responseHeaders);
    record.cookiesOut = cookiePairs(setCookies);
    if (setCookies.empty()) {
        return;
    }
    CookieStore& store = CookieStore::instance();
    if (ownCookies) {
        // The caller's cookies kept the store out of the exchange; the cookies
        // received still go into it, for later requests to this host.
        for (const std::string& value : setCookies) {
            store.setCookieFromHeader(host, value);
        }
    }
    store.notifyChanged();
}

}  // namespace rankminer

#include "net/curl_handles.h"

#include <mutex>
#include <utility>

namespace rankminer {

void ensureCurlInitialised() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

CurlEasy makeCurlEasy() {
    ensureCurlInitialised();
    return CurlEasy(curl_easy_init());
}

CurlHeaderList::~CurlHeaderList() {
    if (list_ != nullptr) {
        curl_slist_free_all(list_);
    }
}

CurlHeaderList::CurlHeaderList(CurlHeaderList&& other) noexcept
    : list_(std::exchange(other.list_, nullptr)) {}

CurlHeaderList& CurlHeaderList::operator=(CurlHeaderList&& other) noexcept {
    if (this != &other) {
        if (list_ != nullptr) {
            curl_slist_free_all(list_);
        }
        list_ = std::exchange(other.list_, nullptr);
    }
    return *this;
}

bool CurlHeaderList::append(const std::string& line) {
    curl_slist* grown = curl_slist_append(list_, line.c_str());
    if (grown == nullptr) {
        return false;
    }
    list_ = grown;
    return true;
}

}  // namespace rankminer

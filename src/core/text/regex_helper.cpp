#include "text/regex_helper.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <map>
#include <mutex>
#include <tuple>
#include <utility>

#include "text/gbk.h"

namespace rankminer {

namespace {

struct CodeDeleter {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct CompileContextDeleter {
    void operator()(pcre2_compile_context* context) const { pcre2_compile_context_free(context); }
};
struct MatchContextDeleter {
    void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
};
struct MatchDataDeleter {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
struct JitStackDeleter {
    void operator()(pcre2_jit_stack* stack) const { pcre2_jit_stack_free(stack); }
};

using CodePtr = std::unique_ptr<pcre2_code, CodeDeleter>;
using CompileContextPtr = std::unique_ptr<pcre2_compile_context, CompileContextDeleter>;
using MatchContextPtr = std::unique_ptr<pcre2_match_context, MatchContextDeleter>;
using MatchDataPtr = std::unique_ptr<pcre2_match_data, MatchDataDeleter>;
using JitStackPtr = std::unique_ptr<pcre2_jit_stack, JitStackDeleter>;

// Compiled code is immutable once JIT compilation is done, so helpers on any
// thread may match with the same code; only the cache itself needs the lock.
// Parsers compile the same few patterns for every page and row, and JIT
// compilation costs far more than a typical match.
class PatternCache {
public:
    std::shared_ptr<const pcre2_code> find(const std::u16string& pattern, std::uint32_t options) {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto found = entries_.find(Key{pattern, options});
        return found == entries_.end() ? nullptr : found->second;
    }

    void insert(const std::u16string& pattern, std::uint32_t options,
                std::shared_ptr<const pcre2_code> code) {
        const std::lock_guard<std::mutex> lock(mutex_);
        // Programs use a handful of fixed patterns; a caller compiling
        // endless distinct ones must not make the cache grow without end.
        if (entries_.size() >= kMaxEntries) {
            entries_.clear();
        }
        entries_.emplace(Key{pattern, options}, std::move(code));
    }

private:
    using Key = std::pair<std::u16string, std::uint32_t>;
    static constexpr std::size_t kMaxEntries = 64;
    std::mutex mutex_;
    std::map<Key, std::shared_ptr<const pcre2_code>> entries_;
};

PatternCache& patternCache() {
    static PatternCache cache;
    return cache;
}

std::shared_ptr<const pcre2_code> compilePattern(const std::u16string& pattern,
                                                 std::uint32_t options) {
    if (auto cached = patternCache().find(pattern, options)) {
        return cached;
    }
    const CompileContextPtr context(pcre2_compile_context_create(nullptr));
    if (!context) {
        return nullptr;
    }
    pcre2_set_newline(context.get(), PCRE2_NEWLINE_ANYCRLF);
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    CodePtr code(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                               options, &errorCode, &errorOffset, context.get()));
    if (!code) {
        return nullptr;
    }
    // Without JIT support the interpreter serves; the result is the same.
    pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE);
    std::shared_ptr<const pcre2_code> shared(code.release(), CodeDeleter{});
    patternCache().insert(pattern, options, shared);
    return shared;
}

// Limits that stop a pathological pattern long before memory or patience run
// out, yet leave every ordinary match on a page of several megabytes alone.
constexpr std::uint32_t kMatchLimit = 50'000'000;
constexpr std::uint32_t kHeapLimitKiB = 256 * 1024;
constexpr PCRE2_SIZE kJitStackStart = 32 * 1024;
constexpr PCRE2_SIZE kJitStackMax = 64 * 1024 * 1024;

// One replace call's matching state: match data, limits and, only when the
// machine stack of the JIT code runs short, a larger JIT stack.
class Matcher {
public:
    explicit Matcher(const pcre2_code* code)
        : code_(code),
          data_(pcre2_match_data_create(1, nullptr)),
          context_(pcre2_match_context_create(nullptr)) {
        if (context_) {
            pcre2_set_match_limit(context_.get(), kMatchLimit);
            pcre2_set_heap_limit(context_.get(), kHeapLimitKiB);
        }
    }

    bool ready() const { return data_ && context_; }

    // pcre2_match's result; the match is ovector()[0..1].
    int match(std::u16string_view subject, std::size_t start) {
        std::uint32_t options = checkedUtf_ ? PCRE2_NO_UTF_CHECK : 0;
        if (useInterpreter_) {
            options |= PCRE2_NO_JIT;
        }
        int rc = run(subject, start, options);
        if (rc == PCRE2_ERROR_JIT_STACKLIMIT && !jitStack_) {
            jitStack_.reset(pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr));
            if (jitStack_) {
                pcre2_jit_stack_assign(context_.get(), nullptr, jitStack_.get());
                rc = run(subject, start, options);
            }
        }
        if (rc == PCRE2_ERROR_JIT_STACKLIMIT) {
            // The interpreter keeps its backtracking frames on the heap.
            useInterpreter_ = true;
            rc = run(subject, start, options | PCRE2_NO_JIT);
        }
        if (rc >= 0 || rc == PCRE2_ERROR_NOMATCH) {
            checkedUtf_ = true;
        }
        return rc;
    }

    const PCRE2_SIZE* ovector() const { return pcre2_get_ovector_pointer(data_.get()); }

private:
    int run(std::u16string_view subject, std::size_t start, std::uint32_t options) {
        return pcre2_match(code_, reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(),
                           start, options, data_.get(), context_.get());
    }

    const pcre2_code* code_;
    MatchDataPtr data_;
    MatchContextPtr context_;
    JitStackPtr jitStack_;
    bool checkedUtf_ = false;
    bool useInterpreter_ = false;
};

std::size_t characterLength(std::u16string_view text, std::size_t at) {
    const char16_t unit = text[at];
    if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < text.size()) {
        return 2;
    }
    return 1;
}

}  // namespace

struct RegexHelper::State {
    std::shared_ptr<const pcre2_code> code;
    bool global = true;
};

RegexHelper::RegexHelper() : state_(std::make_unique<State>()) {}
RegexHelper::~RegexHelper() = default;
RegexHelper::RegexHelper(RegexHelper&&) noexcept = default;
RegexHelper& RegexHelper::operator=(RegexHelper&&) noexcept = default;

bool RegexHelper::compile(std::string_view pattern, bool ignoreCase, bool multiline, bool global) {
    if (!state_) {
        state_ = std::make_unique<State>();
    }
    std::uint32_t options = PCRE2_UTF | PCRE2_NEVER_BACKSLASH_C;
    if (ignoreCase) {
        options |= PCRE2_CASELESS;
    }
    // Without multiline, "$" is the end of the text only, not also the place
    // before a final line break.
    options |= multiline ? PCRE2_MULTILINE : PCRE2_DOLLAR_ENDONLY;
    state_->code = compilePattern(gbkToUtf16(pattern), options);
    state_->global = global;
    return state_->code != nullptr;
}

bool RegexHelper::isCompiled() const {
    return state_ && state_->code;
}

std::string RegexHelper::replace(std::string_view text, std::string_view replacement) const {
    if (!isCompiled()) {
        return std::string(text);
    }
    Matcher matcher(state_->code.get());
    if (!matcher.ready()) {
        return std::string(text);
    }
    const std::u16string subject = gbkToUtf16(text);
    std::u16string replacement16;
    std::u16string out;
    bool replaced = false;
    std::size_t copied = 0;  // subject[0, copied) is already in out
    std::size_t start = 0;
    while (start <= subject.size()) {
        if (matcher.match(subject, start) < 0) {
            break;  // no further match, or the engine gave up: keep the rest
        }
        const PCRE2_SIZE matchStart = matcher.ovector()[0];
        const PCRE2_SIZE matchEnd = matcher.ovector()[1];
        if (matchStart < copied || matchEnd < matchStart) {
            break;  // only possible with \K tricks; keep the rest as it is
        }
        if (!replaced) {
            replacement16 = gbkToUtf16(replacement);
            out.reserve(subject.size());
            replaced = true;
        }
        out.append(subject, copied, matchStart - copied);
        out.append(replacement16);
        copied = matchEnd;
        if (!state_->global) {
            break;
        }
        if (matchEnd == matchStart) {
            // An empty match: keep the next character and search after it,
            // so the loop always moves on.
            if (matchStart >= subject.size()) {
                break;
            }
            const std::size_t next = matchStart + characterLength(subject, matchStart);
            out.append(subject, matchStart, next - matchStart);
            copied = next;
            start = next;
        } else {
            start = matchEnd;
        }
    }
    if (!replaced) {
        return std::string(text);
    }
    out.append(subject, copied, std::u16string::npos);
    return utf16ToGbk(out);
}

}  // namespace rankminer

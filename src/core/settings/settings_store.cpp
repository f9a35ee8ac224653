#include "settings/settings_store.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <utility>

#include "platform/files.h"
#include "settings/settings_layout.h"
#include "text/gbk.h"

namespace rankminer {

namespace {

// "┊*┊": how a line break is kept inside a one-line value.
constexpr std::string_view kStoredLineBreak = "\xA9\xAE*\xA9\xAE";

// A section that still cannot be found after this many appends is given up.
constexpr int kMaxSectionAppends = 11;

const std::string& trueText() {
    static const std::string text = gbk("真");
    return text;
}

const std::string& falseText() {
    static const std::string text = gbk("假");
    return text;
}

std::string numberText(double value) {
    if (value == 0) {
        return "0";  // also for -0
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string("0");
}

std::size_t commonPrefix(std::string_view a, std::string_view b) {
    const auto mismatch =
        std::mismatch(a.begin(), a.begin() + std::min(a.size(), b.size()), b.begin());
    return static_cast<std::size_t>(mismatch.first - a.begin());
}

}  // namespace

SettingsStore::SettingsStore() = default;

SettingsStore::~SettingsStore() {
    file_.close();
}

bool SettingsStore::open(std::string_view gbkPath) {
    file_.close();
    path_ = std::string(gbkPath);
    mirror_.clear();
    unsyncedFrom_ = std::string::npos;
    if (path_.empty()) {
        return false;
    }
    const std::string name = fileSystemPath(path_);
    if (file_.open(name)) {
        // Read through the locked descriptor, so nobody changes the file
        // between the read and the lock.
        if (!file_.readAll(mirror_)) {
            // Writing at offsets computed from a mirror that does not match
            // the file would corrupt it: stay read-only.
            file_.close();
            mirror_.clear();
        }
    } else {
        readWholeFile(name, mirror_);
    }
    return isWritable();
}

void SettingsStore::setSection(std::string_view name) {
    section_ = std::string(name);
}

void SettingsStore::setMessageSink(MessageSink sink) {
    sink_ = std::move(sink);
}

bool SettingsStore::findValue(std::string_view key, std::string_view& value) const {
    const KeyLocation location = locateKey(mirror_, section_, key);
    if (!location.keyFound) {
        return false;
    }
    value = std::string_view(mirror_).substr(location.valueBegin,
                                             location.valueEnd - location.valueBegin);
    return true;
}

void SettingsStore::writeText(std::string_view key, std::string_view value) {
    queueWrite(key, replaceAllText(value, kLineBreak, kStoredLineBreak));
}

std::string SettingsStore::readText(std::string_view key, std::string_view defaultValue) const {
    std::string_view value;
    if (!findValue(key, value)) {
        return std::string(defaultValue);
    }
    return replaceAllText(value, kStoredLineBreak, kLineBreak);
}

void SettingsStore::writeNumber(std::string_view key, double value) {
    queueWrite(key, numberText(value));
}

double SettingsStore::readNumber(std::string_view key, double defaultValue) const {
    std::string_view value;
    return findValue(key, value) ? leadingNumber(value) : defaultValue;
}

void SettingsStore::writeFlag(std::string_view key, bool value) {
    queueWrite(key, value ? trueText() : falseText());
}

bool SettingsStore::readFlag(std::string_view key, bool defaultValue) const {
    std::string_view value;
    return findValue(key, value) ? value == trueText() : defaultValue;
}

std::string SettingsStore::sideFilePath(std::string_view key) const {
    const auto unusable = [](std::string_view part) {
        return part.find('/') != std::string_view::npos ||
               part.find('\0') != std::string_view::npos;
    };
    if (path_.empty() || unusable(section_) || unusable(key)) {
        return {};
    }
    const std::size_t slash = path_.rfind('/');
    std::string path = slash == std::string::npos ? std::string(".") : path_.substr(0, slash);
    path += "/inibin/";
    path += section_;
    path += '-';
    path += key;
    path += ".ibn";
    return path;
}

void SettingsStore::writeBytes(std::string_view key, std::string_view bytes) {
    const std::string target = sideFilePath(key);
    if (!isWritable() || target.empty()) {
        return;
    }
    createDirectory(target.substr(0, target.rfind('/')));
    // A fresh file renamed over the old one: a reader never sees half a value.
    const std::string temporary = target + ".tmp";
    if (writeWholeFile(temporary, bytes)) {
        std::rename(fileSystemPath(temporary).c_str(), fileSystemPath(target).c_str());
    }
}

std::string SettingsStore::readBytes(std::string_view key, std::string_view defaultValue) const {
    const std::string source = sideFilePath(key);
    std::string bytes;
    if (source.empty() || !readWholeFile(fileSystemPath(source), bytes) || bytes.empty()) {
        return std::string(defaultValue);
    }
    return bytes;
}

void SettingsStore::queueWrite(std::string_view key, std::string value) {
    pending_.push_back({section_, std::string(key), std::move(value)});
    if (applying_) {
        return;  // re-entered from a message box: the outer drain applies it
    }
    applying_ = true;
    while (!pending_.empty()) {
        const PendingWrite write = std::move(pending_.front());
        pending_.pop_front();
        applyWrite(write);
    }
    applying_ = false;
}

bool SettingsStore::applyWrite(const PendingWrite& write) {
    int appends = 0;
    bool keyInserted = false;
    for (;;) {
        const KeyLocation location = locateKey(mirror_, write.section, write.key);
        if (location.keyFound) {
            replaceInMirror(location.valueBegin, location.valueEnd - location.valueBegin,
                            write.value);
            return true;
        }
        if (location.sectionFound) {
            if (keyInserted) {
                return false;  // unreachable with the layout's rules; never loop
            }
            std::string keyLine(kLineBreak);
            keyLine += write.key;
            keyLine += '=';
            // A value runs to the next line break: when the header is followed
            // by more than a line break (a file with bare line feeds, or text
            // after the "]"), close the new line so it does not swallow that.
            const std::string_view after = std::string_view(mirror_).substr(location.headerEnd);
            if (!after.empty() && after.substr(0, kLineBreak.size()) != kLineBreak) {
                keyLine += kLineBreak;
            }
            replaceInMirror(location.headerEnd, 0, keyLine);
            keyInserted = true;
            continue;
        }
        if (appends == kMaxSectionAppends) {
            giveUp();
            return false;
        }
        std::string header = mirror_.empty() ? std::string() : std::string(kLineBreak);
        header += '[';
        header += write.section;
        header += ']';
        replaceInMirror(mirror_.size(), 0, header);
        ++appends;
    }
}

void SettingsStore::replaceInMirror(std::size_t offset, std::size_t removed,
                                    std::string_view inserted) {
    const std::size_t oldSize = mirror_.size();
    const std::string_view old = std::string_view(mirror_).substr(offset, removed);
    const std::size_t firstChange = offset + commonPrefix(old, inserted);
    const bool sameSize = removed == inserted.size();
    if (sameSize && firstChange == offset + removed) {
        return;  // the same bytes
    }
    std::size_t lastChange = offset + removed;  // one past, for a same-size change
    if (sameSize) {
        while (lastChange > firstChange &&
               mirror_[lastChange - 1] == inserted[lastChange - 1 - offset]) {
            --lastChange;
        }
    }
    mirror_.replace(offset, removed, inserted);
    if (!isWritable()) {
        return;
    }
    bool written;
    if (sameSize && unsyncedFrom_ == std::string::npos) {
        written = file_.writeRange(mirror_, firstChange, lastChange);
    } else {
        // Only the changed tail is written; the file takes care that a crash
        // leaves it whole (see SettingsFile). After a failed write the file's
        // size is unknown and the file is asked for it.
        const bool synced = unsyncedFrom_ == std::string::npos;
        written = file_.writeTail(mirror_, std::min(firstChange, unsyncedFrom_),
                                  synced ? oldSize : std::string::npos);
    }
    unsyncedFrom_ = written ? std::string::npos : std::min(firstChange, unsyncedFrom_);
}

void SettingsStore::giveUp() {
    if (!sink_) {
        return;
    }
    static const std::string text = gbk("配置模块出现意外，可能导致无法正常保存！详情请咨询青杞。");
    static const std::string title = gbk("青杞：");
    static const std::string plainTitle = gbk("信息：");
    // Copies: the sink may pump messages and a handler may write meanwhile.
    const MessageSink sink = sink_;
    sink(text, title, true);
    const std::string mirror = mirror_;
    sink(mirror, plainTitle, false);
}

}  // namespace rankminer

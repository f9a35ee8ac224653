#include "settings/settings_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <utility>

namespace rankminer {

namespace {

UpdateStepProbe updateStepProbe = nullptr;

void probeStep() {
    if (updateStepProbe != nullptr) {
        updateStepProbe();
    }
}

// The line that covers the bytes a shrinking update gives up: a line break
// and then blanks. It has no "=" and no "[", so it is neither a key line nor
// a header, and the line break ends the last value where the new content does.
constexpr std::string_view kBlankLineBreak = "\r\n";
constexpr char kBlankFill = ' ';

// A killed process can stop inside one write(2) at a page boundary (the
// kernel copies page by page and checks for a fatal signal in between), so
// only a write within one page lands whole or not at all. 4096 is the
// smallest page size; any larger page holds whole 4096-byte ones.
constexpr std::size_t kPageSize = 4096;

bool withinOnePage(std::size_t from, std::size_t to) {
    return to <= from || from / kPageSize == (to - 1) / kPageSize;
}

// The replacement file written beside the settings file before it is renamed
// over it.
std::string replacementName(const std::string& name) {
    return name + ".new";
}

bool readFromDescriptor(int fd, std::string& content) {
    content.clear();
    char buffer[65536];
    off_t offset = 0;
    for (;;) {
        const ssize_t got = ::pread(fd, buffer, sizeof buffer, offset);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            content.clear();
            return false;
        }
        if (got == 0) {
            return true;
        }
        content.append(buffer, static_cast<std::size_t>(got));
        offset += got;
    }
}

bool writeAt(int fd, std::string_view bytes, std::size_t offset) {
    while (!bytes.empty()) {
        const ssize_t written =
            ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += static_cast<std::size_t>(written);
    }
    return true;
}

// Writes the settings file in place one page at a time, the pieces a kill
// may separate, with the probe between them.
bool writeInPlace(int fd, std::string_view bytes, std::size_t offset) {
    while (!bytes.empty()) {
        const std::size_t piece = std::min(bytes.size(), kPageSize - offset % kPageSize);
        if (!writeAt(fd, bytes.substr(0, piece), offset)) {
            return false;
        }
        bytes.remove_prefix(piece);
        offset += piece;
        if (!bytes.empty()) {
            probeStep();
        }
    }
    return true;
}

bool lockExclusive(int fd) {
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    return locked == 0;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

SettingsFile::~SettingsFile() {
    close();
}

SettingsFile::SettingsFile(SettingsFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), name_(std::move(other.name_)) {}

SettingsFile& SettingsFile::operator=(SettingsFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        name_ = std::move(other.name_);
    }
    return *this;
}

bool SettingsFile::open(const std::string& fileSystemName) {
    close();
    if (fileSystemName.empty()) {
        return false;
    }
    // A holder of the lock may rename a new file over the name: a lock taken
    // on the file it replaced keeps nobody out, so try again on the new one.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = ::open(fileSystemName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            return false;
        }
        // flock belongs to the open file description, so a second store in
        // the same process is kept out as well as another process.
        if (!lockExclusive(fd)) {
            ::close(fd);
            return false;
        }
        struct stat opened {};
        struct stat named {};
        if (::fstat(fd, &opened) == 0 && ::stat(fileSystemName.c_str(), &named) == 0 &&
            sameFile(opened, named)) {
            fd_ = fd;
            // Replacements go beside the real file, so a link keeps pointing at it.
            char* real = ::realpath(fileSystemName.c_str(), nullptr);
            name_ = real != nullptr ? std::string(real) : fileSystemName;
            std::free(real);
            ::unlink(replacementName(name_).c_str());  // left by a crash mid-replacement
            return true;
        }
        ::close(fd);
    }
    return false;
}

bool SettingsFile::readAll(std::string& content) const {
    return fd_ >= 0 && readFromDescriptor(fd_, content);
}

bool SettingsFile::writeTail(std::string_view content, std::size_t from, std::size_t oldSize) {
    if (fd_ < 0 || from > content.size()) {
        return false;
    }
    if (oldSize == std::string::npos) {
        struct stat status {};
        if (::fstat(fd_, &status) != 0) {
            return false;
        }
        oldSize = static_cast<std::size_t>(status.st_size);
    }
    const bool shrinks = content.size() < oldSize;
    std::string tail(content.substr(from));
    if (shrinks) {
        // Shrinking takes a write and a truncation. Cut between the two, the
        // file would end in stale bytes that run on from the last value (and
        // may pass for key lines of its section). So the same write also
        // covers the old end with a line the reader ignores.
        tail += kBlankLineBreak;
        if (oldSize - content.size() > kBlankLineBreak.size()) {
            tail.append(oldSize - content.size() - kBlankLineBreak.size(), kBlankFill);
        }
    }
    // Where no replacement can be made (a folder we may not write in), the
    // update still goes in place.
    if (!withinOnePage(from, from + tail.size()) && replaceWith(content)) {
        return true;
    }
    if (!writeInPlace(fd_, tail, from)) {
        return false;
    }
    if (!shrinks) {
        return true;
    }
    probeStep();
    int truncated;
    do {
        truncated = ::ftruncate(fd_, static_cast<off_t>(content.size()));
    } while (truncated != 0 && errno == EINTR);
    return truncated == 0;
}

bool SettingsFile::writeRange(std::string_view content, std::size_t from, std::size_t to) {
    if (fd_ < 0 || from > to || to > content.size()) {
        return false;
    }
    if (!withinOnePage(from, to) && replaceWith(content)) {
        return true;
    }
    return writeInPlace(fd_, content.substr(from, to - from), from);
}

bool SettingsFile::replaceWith(std::string_view content) {
    struct stat status {};
    if (name_.empty() || ::fstat(fd_, &status) != 0) {
        return false;
    }
    const std::string temporary = replacementName(name_);
    const mode_t mode = status.st_mode & 07777;
    const int fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) {
        return false;
    }
    // Locked before it takes the name, so no other store ever finds it free.
    bool replaced = ::fchmod(fd, mode) == 0 && lockExclusive(fd) && writeAt(fd, content, 0);
    if (replaced) {
        probeStep();
        replaced = ::rename(temporary.c_str(), name_.c_str()) == 0;
    }
    if (!replaced) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return false;
    }
    ::close(fd_);
    fd_ = fd;
    return true;
}

void SettingsFile::close() {
    if (fd_ >= 0) {
        ::close(fd_);  // also releases the lock
        fd_ = -1;
    }
    name_.clear();
}

void setUpdateStepProbe(UpdateStepProbe probe) {
    updateStepProbe = probe;
}

bool readWholeFile(const std::string& fileSystemName, std::string& content) {
    content.clear();
    const int fd = ::open(fileSystemName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool ok = readFromDescriptor(fd, content);
    ::close(fd);
    return ok;
}

}  // namespace rankminer

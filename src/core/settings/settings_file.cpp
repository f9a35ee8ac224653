#include "settings/settings_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace rankminer {

namespace {

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

}  // namespace

SettingsFile::~SettingsFile() {
    close();
}

SettingsFile::SettingsFile(SettingsFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

SettingsFile& SettingsFile::operator=(SettingsFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

bool SettingsFile::open(const std::string& fileSystemName) {
    close();
    if (fileSystemName.empty()) {
        return false;
    }
    const int fd = ::open(fileSystemName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    // flock belongs to the open file description, so a second store in the
    // same process is kept out as well as another process.
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

bool SettingsFile::readAll(std::string& content) const {
    return fd_ >= 0 && readFromDescriptor(fd_, content);
}

bool SettingsFile::writeTail(std::string_view content, std::size_t from, std::size_t oldSize) {
    if (fd_ < 0 || from > content.size()) {
        return false;
    }
    if (!writeAt(fd_, content.substr(from), from)) {
        return false;
    }
    if (content.size() < oldSize) {
        int truncated;
        do {
            truncated = ::ftruncate(fd_, static_cast<off_t>(content.size()));
        } while (truncated != 0 && errno == EINTR);
        return truncated == 0;
    }
    return true;
}

bool SettingsFile::writeRange(std::string_view content, std::size_t from, std::size_t to) {
    if (fd_ < 0 || from > to || to > content.size()) {
        return false;
    }
    return writeAt(fd_, content.substr(from, to - from), from);
}

void SettingsFile::close() {
    if (fd_ >= 0) {
        ::close(fd_);  // also releases the lock
        fd_ = -1;
    }
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

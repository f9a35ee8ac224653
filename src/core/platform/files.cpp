#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "text/gbk.h"

namespace rankminer {

std::string fileSystemPath(std::string_view gbkPath) {
    return gbkToUtf8(gbkPath);
}

std::string programPath(std::string_view fileSystemName) {
    return utf8ToGbk(fileSystemName);
}

OutputFile::~OutputFile() {
    close();
}

OutputFile::OutputFile(OutputFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

bool OutputFile::open(std::string_view gbkPath) {
    close();
    if (gbkPath.empty()) {
        return false;
    }
    const std::string name = fileSystemPath(gbkPath);
    fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd_ >= 0;
}

bool OutputFile::write(std::string_view bytes) {
    if (fd_ < 0) {
        return false;
    }
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void OutputFile::close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

bool pathExists(std::string_view gbkPath) {
    struct stat info {};
    return !gbkPath.empty() && ::stat(fileSystemPath(gbkPath).c_str(), &info) == 0;
}

bool isDirectory(std::string_view gbkPath) {
    struct stat info {};
    return !gbkPath.empty() && ::stat(fileSystemPath(gbkPath).c_str(), &info) == 0 &&
           S_ISDIR(info.st_mode);
}

bool createDirectory(std::string_view gbkPath) {
    if (gbkPath.empty()) {
        return false;
    }
    const std::string name = fileSystemPath(gbkPath);
    if (::mkdir(name.c_str(), 0755) == 0) {
        return true;
    }
    return errno == EEXIST && isDirectory(gbkPath);
}

bool writeWholeFile(std::string_view gbkPath, std::string_view bytes) {
    OutputFile file;
    if (!file.open(gbkPath)) {
        return false;
    }
    const bool ok = file.write(bytes);
    file.close();
    return ok;
}

bool directoryWritable(std::string_view gbkPath) {
    return isDirectory(gbkPath) && ::access(fileSystemPath(gbkPath).c_str(), W_OK) == 0;
}

std::string programDirectory() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return programPath(std::filesystem::current_path(error).string());
    }
    return programPath(exe.parent_path().string());
}

std::string homeDirectory() {
    const char* home = std::getenv("HOME");
    return programPath(home != nullptr && *home != '\0' ? home : "/tmp");
}

namespace {
std::string xdgDirectory(const char* variable, const char* fallbackBelowHome) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value == '/') {
        return programPath(value);
    }
    return homeDirectory() + fallbackBelowHome;
}
}  // namespace

std::string documentsDirectory() {
    const std::string documents = xdgDirectory("XDG_DOCUMENTS_DIR", "/Documents");
    return isDirectory(documents) ? documents : homeDirectory();
}

std::string configDirectory() {
    return xdgDirectory("XDG_CONFIG_HOME", "/.config") + "/rankminer";
}

std::string dataDirectory() {
    return xdgDirectory("XDG_DATA_HOME", "/.local/share") + "/rankminer";
}

}  // namespace rankminer

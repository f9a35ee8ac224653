#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rankminer {

// The settings file held open for the whole run, with an exclusive advisory
// lock (flock) that keeps other cooperating writers out; readers are never
// blocked. Movable, not copyable; closed (and unlocked) on destruction.
class SettingsFile {
public:
    SettingsFile() = default;
    ~SettingsFile();
    SettingsFile(SettingsFile&& other) noexcept;
    SettingsFile& operator=(SettingsFile&& other) noexcept;
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    // Opens the file for reading and writing, creating it when missing and
    // never truncating it, and takes the lock. False (nothing held) when the
    // file cannot be opened or another open description holds the lock.
    bool open(const std::string& fileSystemName);
    bool isOpen() const { return fd_ >= 0; }
    // The whole content; false on a read error.
    bool readAll(std::string& content) const;
    // Makes the file equal `content`, given that it already equals it before
    // offset `from` and that its present size is `oldSize`: one pwrite of
    // content[from, end) followed, when the file shrinks, by one ftruncate.
    // A crash between the two leaves the new bytes followed by stale ones,
    // which the settings format still reads. False on any failure.
    bool writeTail(std::string_view content, std::size_t from, std::size_t oldSize);
    // Writes content[from, to) at offset `from`; for changes that keep the size.
    bool writeRange(std::string_view content, std::size_t from, std::size_t to);
    void close();

private:
    int fd_ = -1;
};

// Reads a whole file by its file-system name; false when it cannot be read.
bool readWholeFile(const std::string& fileSystemName, std::string& content);

}  // namespace rankminer

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rankminer {

// The settings file held open for the whole run, with an exclusive advisory
// lock (flock) that keeps other cooperating writers out; readers are never
// blocked. Movable, not copyable; closed (and unlocked) on destruction.
//
// A process killed at any moment leaves the file as it was before or after
// the update in progress: an update is done in place only when it is one
// write within one page (plus, when the file shrinks, a truncation that the
// written bytes make harmless to skip); any other update writes the whole
// content to "<name>.new", locked, and renames it over the file.
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
    // offset `from` and that its present size is `oldSize` (npos: unknown, ask
    // the file). False on any failure.
    bool writeTail(std::string_view content, std::size_t from, std::size_t oldSize);
    // Makes the file equal `content` when only content[from, to) changed and
    // the size stays.
    bool writeRange(std::string_view content, std::size_t from, std::size_t to);
    void close();

private:
    // Writes `content` to the replacement file and renames it over the
    // settings file, whose lock it then holds. False, with the settings file
    // untouched, when any step fails.
    bool replaceWith(std::string_view content);

    int fd_ = -1;
    std::string name_;  // resolved file-system name, while open
};

// Test seam: called at each point inside an update where a kill would stop
// it (between the pages of an in-place write, before a truncation, before a
// rename), so a test can read the file as a crash there would leave it.
// Null (the default): nothing is called.
using UpdateStepProbe = void (*)();
void setUpdateStepProbe(UpdateStepProbe probe);

// Reads a whole file by its file-system name; false when it cannot be read.
bool readWholeFile(const std::string& fileSystemName, std::string& content);

}  // namespace rankminer

#pragma once

// The program's settings file: an INI-like GBK text read whole at open, held
// open (and locked against other writers) for the whole run and updated in
// place on every write, so the file on disk always equals the in-memory copy.
//
// Layout: a section header "[name]" counts only at the first byte of the file
// or right after "\r\n"; key lines are "\r\n" + key + "=" + value, so the line
// right after a header is its section's first key. Only "\r\n" separates lines.

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "settings/settings_file.h"

namespace rankminer {

class SettingsStore {
public:
    // (text, title, warning icon) of a message box.
    using MessageSink =
        std::function<void(std::string_view text, std::string_view title, bool warning)>;

    SettingsStore();
    ~SettingsStore();  // closes the file
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Reads the whole file into the mirror (empty when it is missing or
    // unreadable), then holds it open for writing, created when missing, never
    // truncated. Returns whether the file is open for writing: false when it
    // cannot be created or another store (in this or another process) holds
    // it; reads then still work and writes change only the mirror.
    bool open(std::string_view gbkPath);
    const std::string& path() const { return path_; }
    // The file is open for writing and locked by us.
    bool isWritable() const { return file_.isOpen(); }

    // The section every single-value read and write applies to.
    void setSection(std::string_view name);
    const std::string& section() const { return section_; }

    // Reads never fail: a missing section or key gives the default; a key
    // present with an empty value reads as empty.
    // Text values store each "\r\n" as "┊*┊" and read it back as "\r\n".
    void writeText(std::string_view key, std::string_view value);
    std::string readText(std::string_view key, std::string_view defaultValue = {}) const;
    // Numbers are stored as their shortest decimal text; a value that is not a
    // number reads as 0.
    void writeNumber(std::string_view key, double value);
    double readNumber(std::string_view key, double defaultValue = 0) const;
    // Flags are stored as "真" / "假"; exactly "真" reads as true.
    void writeFlag(std::string_view key, bool value);
    bool readFlag(std::string_view key, bool defaultValue = false) const;
    // Raw bytes live in a side file beside the settings file:
    // <settings folder>/inibin/<section>-<key>.ibn. readBytes gives the default
    // when the side file is missing or empty. Only a writable store writes side
    // files; a section or key holding "/" or a zero byte has no side file.
    void writeBytes(std::string_view key, std::string_view bytes);
    std::string readBytes(std::string_view key, std::string_view defaultValue = {}) const;

    // Exactly the bytes of the settings file (or what they would be, for a
    // store that could not open the file for writing).
    const std::string& mirror() const { return mirror_; }

    // Shown when a section cannot be established after 11 appends: first the
    // warning (title "青杞："), then a plain box with the whole mirror (title
    // "信息："). Default: nothing is shown. The sink may pump messages; writes
    // made from inside it are queued and applied after the current one.
    void setMessageSink(MessageSink sink);

    // The side file's path for a key of the current section (GBK); empty when
    // there is none.
    std::string sideFilePath(std::string_view key) const;

private:
    struct PendingWrite {
        std::string section;
        std::string key;
        std::string value;
    };

    // The raw value bytes of a key of the current section; false when the
    // section or key is missing.
    bool findValue(std::string_view key, std::string_view& value) const;
    void queueWrite(std::string_view key, std::string value);
    bool applyWrite(const PendingWrite& write);
    void replaceInMirror(std::size_t offset, std::size_t removed, std::string_view inserted);
    void giveUp();

    std::string path_;
    SettingsFile file_;
    std::string mirror_;
    std::string section_;
    // The lowest offset at which the file may differ from the mirror after a
    // failed write; npos while the two are equal.
    std::size_t unsyncedFrom_ = std::string::npos;
    std::deque<PendingWrite> pending_;
    bool applying_ = false;
    MessageSink sink_;
};

}  // namespace rankminer

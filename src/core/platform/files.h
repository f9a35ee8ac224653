#pragma once

// Files as the jobs use them. Paths are program text (GBK); they are converted
// to the file system's UTF-8 names here and nowhere else.

#include <string>
#include <string_view>

namespace rankminer {

// The file system's name for a GBK path.
std::string fileSystemPath(std::string_view gbkPath);
// The GBK path for a file-system name.
std::string programPath(std::string_view fileSystemName);

// An output file written line by line. Every write goes straight to the
// operating system in one call, so a killed process leaves only whole lines.
// Movable, not copyable; closed on destruction.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&& other) noexcept;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates or truncates the file for writing; false when it cannot.
    bool open(std::string_view gbkPath);
    bool isOpen() const { return fd_ >= 0; }
    // Writes the bytes whole; false when nothing is open or the write failed.
    bool write(std::string_view bytes);
    void close();

private:
    int fd_ = -1;
};

bool pathExists(std::string_view gbkPath);
bool isDirectory(std::string_view gbkPath);
// Creates one directory level; true when it exists afterwards.
bool createDirectory(std::string_view gbkPath);
// Creates or replaces the file with the bytes; false on any failure.
bool writeWholeFile(std::string_view gbkPath, std::string_view bytes);
// True when a file can be created in the directory.
bool directoryWritable(std::string_view gbkPath);

// Folders, GBK, without a trailing separator. The program folder is the
// executable's; the others follow the XDG conventions with $HOME fallbacks.
std::string programDirectory();
std::string homeDirectory();
std::string documentsDirectory();
std::string configDirectory();  // ~/.config/rankminer
std::string dataDirectory();    // ~/.local/share/rankminer

}  // namespace rankminer

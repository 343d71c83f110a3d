#pragma once
// The program holds paths as Windows-style text ("C:\Skins\Pavo\Options.dat"). Every file
// access goes through these functions, which map such text onto the host file system:
// backslashes become slashes, a drive prefix ("C:") stands for the host's root, and where a
// component of the exact name does not exist a case-insensitive match in its folder is used,
// as a Windows file system would find it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Maps Windows-style path text to a host path (absolute or relative to the current directory).
std::string HostPath(std::string_view windowsPath);
// The inverse for an absolute or relative host path: slashes become backslashes and an
// absolute path gets the drive prefix "C:".
std::string WindowsPath(std::string_view hostPath);

bool FileExists(std::string_view windowsPath);
bool DirectoryExists(std::string_view windowsPath);

struct TDirEntry {
    std::string Name;
    bool IsDirectory = false;
};
// The entries of a folder in the order the host file system lists them, without "." and "..";
// empty when the folder cannot be read.
std::vector<TDirEntry> ListDirectory(std::string_view windowsPath);

struct TFileReadResult {
    std::vector<uint8_t> Data;
    std::string Error; // empty on success
    bool Ok() const { return Error.empty(); }
};
// Reads a whole file; refuses files larger than maxBytes with an error rather than reading them.
TFileReadResult ReadFileBytes(std::string_view windowsPath, size_t maxBytes);
bool WriteFileBytes(std::string_view windowsPath, const std::vector<uint8_t>& data);

// The folder of the running program file as Windows-style text with a trailing backslash.
std::string ProgramFolder();
// The process's current directory as Windows-style text without a trailing backslash.
std::string CurrentDirectory();
// Makes a folder (Windows-style or host path) the current directory; false when it cannot.
bool SetCurrentDirectory(std::string_view path);

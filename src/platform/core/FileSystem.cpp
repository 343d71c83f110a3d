#include "platform/core/FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool HasDrivePrefix(std::string_view p) {
    return p.size() >= 2 && p[1] == ':' &&
           ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'));
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool Exists(const std::string& hostPath) {
    struct stat st;
    return ::stat(hostPath.c_str(), &st) == 0;
}

// Finds a directory entry of `dir` whose name matches `name` without regard to ASCII case.
std::optional<std::string> FindCaseInsensitive(const std::string& dir, std::string_view name) {
    std::unique_ptr<DIR, int (*)(DIR*)> d(::opendir(dir.empty() ? "." : dir.c_str()), ::closedir);
    if (!d) return std::nullopt;
    while (dirent* e = ::readdir(d.get()))
        if (SameIgnoringAsciiCase(e->d_name, name)) return std::string(e->d_name);
    return std::nullopt;
}

std::string JoinHost(const std::string& dir, std::string_view name) {
    if (dir.empty()) return std::string(name);
    if (dir.back() == '/') return dir + std::string(name);
    return dir + "/" + std::string(name);
}

} // namespace

std::string HostPath(std::string_view path) {
    bool absolute = false;
    if (HasDrivePrefix(path)) {
        path.remove_prefix(2);
        absolute = true;
    }
    if (!path.empty() && IsSeparator(path.front())) absolute = true;

    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }

    // Each component keeps its exact name when that exists; otherwise a case-insensitive
    // match is looked for; once a component is not found, the rest is appended unchanged.
    std::string result = absolute ? "/" : "";
    bool resolving = true;
    for (std::string_view part : parts) {
        std::string exact = JoinHost(result, part);
        if (resolving && part != "." && part != ".." && !Exists(exact)) {
            if (auto match = FindCaseInsensitive(result, part)) {
                result = JoinHost(result, *match);
                continue;
            }
            resolving = false;
        }
        result = std::move(exact);
    }
    return result.empty() ? std::string(".") : result;
}

std::string WindowsPath(std::string_view hostPath) {
    std::string out;
    if (!hostPath.empty() && hostPath.front() == '/') out = "C:";
    for (char c : hostPath) out += c == '/' ? '\\' : c;
    return out;
}

bool FileExists(std::string_view windowsPath) {
    struct stat st;
    return ::stat(HostPath(windowsPath).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(std::string_view windowsPath) {
    struct stat st;
    return ::stat(HostPath(windowsPath).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<TDirEntry> ListDirectory(std::string_view windowsPath) {
    std::vector<TDirEntry> entries;
    std::string dir = HostPath(windowsPath);
    std::unique_ptr<DIR, int (*)(DIR*)> d(::opendir(dir.c_str()), ::closedir);
    if (!d) return entries;
    while (dirent* e = ::readdir(d.get())) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        struct stat st;
        bool isDir = ::stat(JoinHost(dir, name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        entries.push_back({std::move(name), isDir});
    }
    return entries;
}

TFileReadResult ReadFileBytes(std::string_view windowsPath, size_t maxBytes) {
    TFileReadResult result;
    std::string host = HostPath(windowsPath);
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(host.c_str(), "rb"), std::fclose);
    if (!f) {
        result.Error = std::string(windowsPath) + ": " + std::strerror(errno);
        return result;
    }
    struct stat st;
    if (::fstat(::fileno(f.get()), &st) != 0 || !S_ISREG(st.st_mode)) {
        result.Error = std::string(windowsPath) + ": not a regular file";
        return result;
    }
    if (size_t(st.st_size) > maxBytes) {
        result.Error = std::string(windowsPath) + ": file is larger than " +
                       std::to_string(maxBytes) + " bytes";
        return result;
    }
    result.Data.resize(size_t(st.st_size));
    if (!result.Data.empty() &&
        std::fread(result.Data.data(), 1, result.Data.size(), f.get()) != result.Data.size()) {
        result.Data.clear();
        result.Error = std::string(windowsPath) + ": read error";
    }
    return result;
}

bool WriteFileBytes(std::string_view windowsPath, const std::vector<uint8_t>& data) {
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(HostPath(windowsPath).c_str(), "wb"),
                                            std::fclose);
    if (!f) return false;
    if (!data.empty() && std::fwrite(data.data(), 1, data.size(), f.get()) != data.size())
        return false;
    return std::fflush(f.get()) == 0;
}

std::string ProgramFolder() {
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return CurrentDirectory() + "\\";
    std::string exe(buf, size_t(n));
    std::string folder = exe.substr(0, exe.rfind('/') + 1);
    return WindowsPath(folder);
}

bool SetCurrentDirectory(std::string_view path) { return ::chdir(HostPath(path).c_str()) == 0; }

std::string CurrentDirectory() {
    char buf[4096];
    if (!::getcwd(buf, sizeof buf)) return ".";
    std::string dir = WindowsPath(buf);
    // Without a trailing backslash except at a drive root.
    if (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
    if (dir == "C:") dir = "C:\\";
    return dir;
}

#include "platform/host/HostFolders.h"

#include <cstdlib>
#include <unistd.h>
#include <vector>

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? home : ".";
}

std::string MakeTemporaryFile(const std::string& stem) {
    const char* tmp = std::getenv("TMPDIR");
    const std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + stem + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return {};
    ::close(fd);
    return name.data();
}

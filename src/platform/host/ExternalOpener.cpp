#include "platform/host/ExternalOpener.h"

#include <cstdlib>
#include <string>

#ifdef __unix__
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::string FindInPath(const char* program) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const std::string candidate = dirs.substr(start, end - start) + "/" + program;
        if (end > start && ::access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return {};
}

} // namespace

bool OpenExternalUrl(const std::string& url) {
    const std::string opener = FindInPath("xdg-open");
    if (opener.empty() || url.empty() || url[0] == '-') return false;
    // A middle process starts the opener and ends at once, so the opener is never our child
    // and never left as a zombie while we do not wait for it.
    const pid_t middle = ::fork();
    if (middle < 0) return false;
    if (middle == 0) {
        pid_t child = 0;
        char* const argv[] = {const_cast<char*>(opener.c_str()), const_cast<char*>(url.c_str()),
                              nullptr};
        const int rc = ::posix_spawn(&child, opener.c_str(), nullptr, nullptr, argv, environ);
        ::_exit(rc == 0 ? 0 : 1);
    }
    int status = 0;
    ::waitpid(middle, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
#else
bool OpenExternalUrl(const std::string&) { return false; }
#endif

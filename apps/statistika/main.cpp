// The textbook: the splash window with the movie, the main window with the course, and the
// About window, on the real desktop through SDL2. It reads no arguments; the content folder is
// the current directory.
#include <cstdio>
#include <memory>
#include <string>

#include "platform/backends/SdlBackend.h"
#include "platform/window/WindowSystem.h"
#include "shell/Program.h"

int main() {
    std::string error;
    std::unique_ptr<SdlBackend> backend = SdlBackend::Create(&error);
    if (!backend) {
        std::fprintf(stderr, "statistika: no display to show the textbook on (%s)\n",
                     error.c_str());
        return 1;
    }
    SetBackend(std::move(backend));
    RunTextbookProgram();
    ProcessPendingMessages();
    return 0;
}

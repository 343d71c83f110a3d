#pragma once
// The user's folders on the host: home, and new temporary files.
#include <string>

// $HOME, or "." when it is not set.
std::string HomeFolder();
// Creates an empty file of its own under $TMPDIR (or /tmp) whose name starts with `stem`, and
// gives its host path; empty when none can be made. The caller removes it.
std::string MakeTemporaryFile(const std::string& stem);

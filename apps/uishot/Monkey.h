#pragma once
// The monkey test: the textbook on the headless screen gets random user actions (clicks and
// drags anywhere on its windows, keys, the wheel, waits on the virtual clock) from a seeded
// generator, and after each action the program must still hold together: at most one modal
// window, every shown window on the screen, the main window there. A broken rule, a crash or a
// sanitizer report prints the seed and the last actions, so the run can be played again.
#include <cstdint>
#include <string>

struct MonkeyOptions {
    int actions = 0;
    uint32_t seed = 0;
    std::string content; // the course folder; empty: the current folder
    std::string scratch; // where prints go; empty: a fresh temporary folder, removed afterwards
};

// 0 when every action was played with every rule holding; 1 otherwise.
int RunMonkey(const MonkeyOptions& options);

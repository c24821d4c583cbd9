#pragma once

#include <cstring>

// "--short" anywhere on the command line: the test suite's run, which only proves the
// work still succeeds (fewer items, no 4800-baud pacing). Taken out of argv so the
// positional arguments keep their places.
inline bool takeShortFlag(int &argc, char **argv)
{
    bool found = false;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--short") == 0)
            found = true;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    argv[argc] = nullptr;
    return found;
}

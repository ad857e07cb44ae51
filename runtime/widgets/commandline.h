#pragma once

#include <optional>

// Answers the options that every command takes, before anything needs a
// display or an application: --help (-h, --help-all) prints the usage and
// --version (-v) the program's name and version, on standard output. The
// program then ends with the returned status, 0. Returns none when the
// program is to start: Qt's own options (-platform, -style, ...) and
// anything else are left to the application, as before.
std::optional<int> answerCommandLine(int argc, char *argv[], const char *name, const char *version,
                                     const char *description);

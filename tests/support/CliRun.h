// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace mitoran::test {

// What one run of the command line gave: its status and both outputs.
struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

} // namespace mitoran::test

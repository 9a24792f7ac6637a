// SPDX-License-Identifier: MIT
// What the long-play tests measure of their own process.
#pragma once

#include <fstream>
#include <string>

namespace numora::testsupport {

// Resident memory in KiB, or -1 where /proc does not tell.
inline long residentkib()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key)
        if (key == "VmRSS:" && status >> value)
            return value;
    return -1;
}

}  // namespace numora::testsupport

// SPDX-License-Identifier: MIT
// What the long-play tests measure of their own process.
#pragma once

#include <fstream>
#include <stdexcept>
#include <string>

namespace numora::testsupport {

// AddressSanitizer holds freed memory in quarantine, so resident memory grows under it
// whatever the program does, and it replaces malloc, whose counts then read 0: the
// footprint checks only mean something without it.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kFootprintIsMeaningful = false;
#else
inline constexpr bool kFootprintIsMeaningful = true;
#endif

// Resident memory in KiB. Throws where /proc does not tell, so that a footprint check
// never compares two readings that both failed.
inline long residentkib()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key)
        if (key == "VmRSS:" && status >> value)
            return value;
    throw std::runtime_error("no VmRSS in /proc/self/status");
}

}  // namespace numora::testsupport

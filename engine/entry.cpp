// SPDX-License-Identifier: MIT
#include "engine/entry.h"

#include "engine/tables.h"

namespace numora {

bool Entry::type(int digit)
{
    if (digit < 0 || digit > 9 || typed.size() > 3)
        return false;
    // Admissible once completed by the smallest digits not typed yet, or never.
    std::string completed = typed + static_cast<char>('0' + digit);
    for (char d = '0'; completed.size() < 4; ++d)
        if (completed.find(d) == std::string::npos)
            completed += d;
    if (!admissible(completed))
        return false;
    typed += static_cast<char>('0' + digit);
    return true;
}

std::optional<int> Entry::takeback()
{
    if (typed.empty())
        return std::nullopt;
    const int digit = typed.back() - '0';
    typed.pop_back();
    return digit;
}

bool Entry::inuse(int digit) const
{
    return typed.find(static_cast<char>('0' + digit)) != std::string::npos;
}

}  // namespace numora

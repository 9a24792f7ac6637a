// SPDX-License-Identifier: MIT
#include "engine/tables.h"

namespace numora {

void buildcandidates(CandidateTable &candidates)
{
    int codecount = 0;
    for (int d0 = 1; d0 <= 9; ++d0)
        for (int d1 = 0; d1 <= 9; ++d1)
            for (int d2 = 0; d2 <= 9; ++d2)
                for (int d3 = 0; d3 <= 9; ++d3)
                    if (d0 != d1 && d0 != d2 && d0 != d3 && d1 != d2 && d1 != d3 && d2 != d3)
                        candidates.at(codecount++) = {static_cast<std::uint8_t>(d0), static_cast<std::uint8_t>(d1),
                                                      static_cast<std::uint8_t>(d2), static_cast<std::uint8_t>(d3)};
}

int signcode(const Digits &a, const Digits &b)
{
    int signvalue = 0;
    for (int j = 0; j < 4; ++j)
        if (a[j] == b[j])
            signvalue += 10;
    for (int j = 0; j < 4; ++j)
        for (int k = 0; k < 4; ++k)
            if (k != j && a[j] == b[k])
                ++signvalue;
    return signvalue;
}

std::string textform(const Digits &number)
{
    std::string text(4, '0');
    for (int j = 0; j < 4; ++j)
        text[j] = static_cast<char>('0' + number[j]);
    return text;
}

bool admissible(const std::string &text)
{
    if (text.size() != 4 || text[0] == '0')
        return false;
    for (int j = 0; j < 4; ++j) {
        if (text[j] < '0' || text[j] > '9')
            return false;
        for (int k = 0; k < j; ++k)
            if (text[k] == text[j])
                return false;
    }
    return true;
}

Digits digitsof(const std::string &text)
{
    Digits number{};
    for (int j = 0; j < 4; ++j)
        number[j] = static_cast<std::uint8_t>(text.at(j) - '0');
    return number;
}

}  // namespace numora

// SPDX-License-Identifier: MIT
// The game exactly as a player starts it, except that the computer's number and its
// choices among equally good guesses come from SEED: a test that plays it by ear hears
// the same game on every run.
//   seeded_game SEED
#include "ui/main_window/game.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: seeded_game SEED\n");
        return 2;
    }
    return numora::rungame(argv, std::strtoull(argv[1], nullptr, 10));
}

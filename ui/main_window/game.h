// SPDX-License-Identifier: MIT
// The game as a player starts it: the window system chosen, the desktop's look
// prepared, the application set up and the game window opened.
#pragma once

#include <cstdint>
#include <optional>

namespace numora {

// Runs the game until its window closes and returns Qt's exit code. The game takes no
// command line: only argv[0] reaches Qt, whose own options would load a style sheet from
// a file or mirror the windows. `seed` fixes the computer's number and its choices, as
// in Form1.
int rungame(char *argv[], std::optional<std::uint64_t> seed = std::nullopt);

}  // namespace numora

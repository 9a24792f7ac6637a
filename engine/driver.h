// SPDX-License-Identifier: MIT
// Runs games turn by turn. The driver calls nobody: each operation returns what it did
// in the game, in order, and its caller shows that. When what happened ends with
// ComputerThinksNext, the caller calls makeguess once it has shown it.
//   Driver d; show(d.startgame()); ...
//   show(d.confirmnumber("1234").happened); ... show(d.makeguess()); ...
//   show(d.confirmsigns(1, 2).happened);
#pragma once

#include "engine/computerplayer.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <variant>
#include <vector>

namespace numora {

enum class Side : std::uint8_t { Player, Computer };  // whose guesses a board holds

// One board row: a guess and the answer it got.
struct AnsweredGuess {
    Digits guess{};
    int plus = 0;
    int minus = 0;

    bool operator==(const AnsweredGuess &) const = default;
};

// The rows of `side`'s board in the game's record, oldest first.
std::vector<AnsweredGuess> boardrows(const Module1 &m, Side side);

enum class Outcome : std::uint8_t { Lost, Won, Draw };

// What happened in a game, one step at a time; an operation returns them in order.
struct GameStarted {};  // both boards empty, no guess shown, nobody thinking, no entry open
struct RowAdded {       // `row` has become the last of boardrows(state(), side)
    Side side = Side::Player;
    AnsweredGuess row;
};
struct GuessShown {  // the computer's guess, or the one number left that it has worked out
    Digits guess{};
};
struct GuessCleared {};
struct ThinkingBegun {};
struct ThinkingEnded {};
struct ComputerThinksNext {};  // makeguess is due once what happened is shown
struct NumberEntryOpened {};
struct SignEntryOpened {};  // for the guess shown, with no answer chosen yet
struct Beeped {};
struct GameEnded {
    Outcome outcome = Outcome::Lost;
    std::string mynumber;  // of a loss: the computer's hidden number, shown at last
};
struct AnswersContradict {};  // no number fits the player's answers; badsignsok starts anew
using Happening =
    std::variant<GameStarted, RowAdded, GuessShown, GuessCleared, ThinkingBegun, ThinkingEnded, ComputerThinksNext,
                 NumberEntryOpened, SignEntryOpened, Beeped, GameEnded, AnswersContradict>;
using Happenings = std::vector<Happening>;

// One callable of several, for std::visit over a Happening: one lambda for each kind.
template <typename... Shows> struct Overloaded : Shows... {
    using Shows::operator()...;
};
template <typename... Shows> Overloaded(Shows...) -> Overloaded<Shows...>;

enum class Phase : std::uint8_t { Idle, NumberEntry, Thinking, SignEntry, Ended, Contradiction };
enum class NumberResult : std::uint8_t { Accepted, Incomplete, Repeated, Refused };
enum class SignsResult : std::uint8_t { Accepted, Impossible, Refused };

struct NumberAnswer {
    NumberResult result;
    Happenings happened;  // nothing unless Accepted
};

struct SignsAnswer {
    SignsResult result;
    Happenings happened;  // nothing unless Accepted
};

class Driver {
public:
    // `score` rates the pool for the computer as in ComputerPlayer; nullptr: the game's own.
    explicit Driver(std::optional<std::uint64_t> seed = std::nullopt, Score score = nullptr);

    Happenings startgame();  // also New: the running game is dropped at once
    NumberAnswer confirmnumber(const std::string &guesstext);
    // The computer's turn: it thinks over the answers and shows its guess, or ends the
    // game. Due after ComputerThinksNext; at any other time it does nothing.
    Happenings makeguess();
    SignsAnswer confirmsigns(int pluscount, int minuscount);
    Happenings yes();         // YES in an end window
    Happenings badsignsok();  // OK on the contradiction message

    Phase phase() const { return phase_; }
    const Module1 &state() const { return m_; }

private:
    void youlost(Happenings &happened) { gameover(Outcome::Lost, happened); }
    void youwon(Happenings &happened) { gameover(Outcome::Won, happened); }
    void itsadraw(Happenings &happened) { gameover(Outcome::Draw, happened); }
    void badsigns(Happenings &happened);
    void gameover(Outcome outcome, Happenings &happened);

    std::unique_ptr<Module1> record_ = std::make_unique<Module1>();
    const Module1 &m_ = *record_;  // what the driver reads
    PlayerHalf &mine_ = *record_;  // what it writes
    ComputerPlayer player_;        // the writer of the other half
    std::optional<std::uint64_t> seed_;
    std::uint64_t games_ = 0;
    std::mt19937_64 rng_;
    Phase phase_ = Phase::Idle;
};

}  // namespace numora

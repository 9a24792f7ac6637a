// SPDX-License-Identifier: MIT
// Runs games turn by turn. Nothing blocks: a wait opens an entry on the window and
// returns, and confirmnumber / confirmsigns continue the game.
//   Driver d(window); d.startgame(); ... d.confirmnumber("1234"); ... d.confirmsigns(1, 2);
#pragma once

#include "engine/computerplayer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace numora {

enum class Board : std::uint8_t { Picture1, Picture2 };  // the player's board, the computer's board

// One board row: a guess and the answer it got.
struct AnsweredGuess {
    Digits guess{};
    int plus = 0;
    int minus = 0;

    bool operator==(const AnsweredGuess &) const = default;
};

// The rows of `board` in the game's record, oldest first.
std::vector<AnsweredGuess> boardrows(const Module1 &m, Board board);

enum class Outcome : std::uint8_t { Lost, Won, Draw, Contradiction };

// What the driver needs from the game window. The driver tells what happened; the
// window words it.
class GameWindow {
public:
    virtual ~GameWindow() = default;
    virtual void form_load() = 0;                 // empty displays and boards, lock both keypads, close end windows
    virtual void setthinking(bool thinking) = 0;  // the status line: "Thinking..." or empty
    virtual void setlabel8(std::optional<Digits> guess) = 0;  // the computer's guess, or empty
    // `row` has become the last of boardrows(state(), board).
    virtual void addrow(Board board, const AnsweredGuess &row) = 0;
    virtual void wait2() = 0;                                // open the number entry
    virtual void wait() = 0;                                 // open the sign entry for the guess shown in Label8
    virtual void afterpump(std::function<void()> step) = 0;  // run step once pending events are handled
    virtual void beep() = 0;
    virtual void showend(Outcome outcome) = 0;  // Lost: the window reads the number from state().mynumber
};

enum class Phase : std::uint8_t { Idle, NumberEntry, Thinking, SignEntry, Ended, Contradiction };
enum class NumberResult : std::uint8_t { Accepted, Incomplete, Repeated, Refused };
enum class SignsResult : std::uint8_t { Accepted, Impossible, Refused };

struct NumberAnswer {
    NumberResult result;
    int plus = 0;
    int minus = 0;
};

class Driver {
public:
    explicit Driver(GameWindow &window, std::optional<std::uint64_t> seed = std::nullopt);

    void startgame();  // also New: the running game is dropped at once
    NumberAnswer confirmnumber(const std::string &guesstext);
    SignsResult confirmsigns(int pluscount, int minuscount);
    void yes();         // YES in an end window
    void badsignsok();  // OK on the contradiction message

    Phase phase() const { return phase_; }
    const Module1 &state() const { return *m_; }

private:
    void makeguess(std::uint64_t ticket);
    void youlost() { gameover(Outcome::Lost); }
    void youwon() { gameover(Outcome::Won); }
    void itsadraw() { gameover(Outcome::Draw); }
    void badsigns() { gameover(Outcome::Contradiction); }
    void gameover(Outcome outcome);
    void computerfound(const Digits &number);

    GameWindow &window_;
    std::unique_ptr<Module1> m_;
    ComputerPlayer player_{*m_};
    std::optional<std::uint64_t> seed_;
    std::uint64_t games_ = 0;
    std::uint64_t ticket_ = 0;  // makes a pending step of a dropped game do nothing
    std::mt19937_64 rng_;
    Phase phase_ = Phase::Idle;
};

}  // namespace numora

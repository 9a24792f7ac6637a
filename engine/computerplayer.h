// SPDX-License-Identifier: MIT
// The computer's side of a game, kept in a Module1 whose ComputerHalf it alone writes: it
// draws a guess, takes it out of the pool, records the answer, and assesses the answers
// before the next draw in a Scratch of its own.
//   ComputerPlayer player(m); player.newgame(); NextGuess next;
//   while ((next = player.nextguess(rng, false)).result == Guessed::Guess)
//       player.recordanswer(signcode(next.number, secret));
#pragma once

#include "engine/guesser.h"
#include "engine/strategies.h"

#include <cstdint>
#include <memory>
#include <random>

namespace numora {

enum class Guessed : std::uint8_t { Guess, OnePossible, NoPossible };

struct NextGuess {
    Guessed result = Guessed::Guess;
    Digits number{};  // the guess, or the one number that fits every answer
    int row = -1;     // of a guess: the pool row it came from
};

class ComputerPlayer {
public:
    // Rated by `score`, or by ratepool, the game's own rating, when it is nullptr.
    explicit ComputerPlayer(Module1 &m, Score score = nullptr) : m_(m), mine_(m), score_(score) {}

    void newgame();  // the whole table in the pool, no guess made

    // Assesses the answers recorded so far, then draws the next guess, takes it out of
    // the pool and writes it to myguesses(myguesscount). Before the first answer every
    // number is as likely; after it one of the best-rated pool rows, or, for a last
    // chance (the player has found the computer's number), one of the possibles.
    // Precondition: every earlier guess has its answer recorded.
    NextGuess nextguess(std::mt19937_64 &rng, bool lastchance);

    // Makes `guess`, which must still be in the pool, the next guess instead of a drawn one.
    void takeguess(const Digits &guess);

    // The answer to the latest guess, 10 * plus + minus; the guess is then counted.
    void recordanswer(int code);

    // Whether any number not guessed yet fits every answer; leaves them in possibles.
    bool anypossible();

    const Scratch &scratch() const { return *s_; }  // the latest assessment

private:
    int poolrow(const Digits &number) const;  // poollast() + 1 when it is not in the pool
    void take(int row);
    // Whether the latest guess awaits its answer: it has left the pool, and myguesscount
    // has not counted it yet.
    bool awaitinganswer() const { return m_.poolcount + m_.myguesscount < kCandidates; }

    const Module1 &m_;    // what the assessment reads: the whole record
    ComputerHalf &mine_;  // what this player writes
    Score score_;
    std::unique_ptr<Scratch> s_ = std::make_unique<Scratch>();
};

// Seeds `rng` for game number `game` of a run seeded with `seed`, from all 64 bits of
// both. std::seed_seq takes 32-bit words: the low halves come first and the high halves
// follow only when one is set, so a seed and a game below 2^32 give the games that
// std::seed_seq{seed, game} gives.
void seedgame(std::mt19937_64 &rng, std::uint64_t seed, std::uint64_t game);

}  // namespace numora

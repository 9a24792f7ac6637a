// SPDX-License-Identifier: MIT
#include "engine/computerplayer.h"

#include <algorithm>
#include <cassert>

namespace numora {

void ComputerPlayer::newgame()
{
    buildcandidates(mine_.candidates);
    mine_.poolcount = kCandidates;
    mine_.myguesscount = 0;
}

NextGuess ComputerPlayer::nextguess(std::mt19937_64 &rng, bool lastchance)
{
    const Module1 &m = m_;
    Scratch &s = *s_;
    int row = 0;
    if (m.myguesscount == 0) {
        row = std::uniform_int_distribution<int>(0, kCandidates - 1)(rng);
    } else {
        switch (countclasses(m, s)) {
        case Assessment::NoPossible:
            return {Guessed::NoPossible};
        case Assessment::OnePossible:
            return {Guessed::OnePossible, s.possibles[0]};
        case Assessment::Counted:
            break;
        }
        if (lastchance) {
            row = poolrow(s.possibles[std::uniform_int_distribution<int>(0, s.possiblecount - 1)(rng)]);
        } else {
            if (score_)
                scorepool(m, s, score_);
            else
                ratepool(m, s);
            pickbest(m, s);
            row = s.bestlist.at(std::uniform_int_distribution<int>(0, s.bestcount - 1)(rng));
        }
    }
    NextGuess next{Guessed::Guess, m.candidates[row], row};
    take(row);
    return next;
}

void ComputerPlayer::takeguess(const Digits &guess)
{
    const int row = poolrow(guess);
    assert(row <= m_.poollast() && "guessed before");
    take(row);
}

int ComputerPlayer::poolrow(const Digits &number) const
{
    const auto pool = m_.candidates.begin();
    return static_cast<int>(std::find(pool, pool + m_.poollast() + 1, number) - pool);
}

void ComputerPlayer::take(int row)
{
    assert(!awaitinganswer() && "the last guess has no answer yet");
    // The pool's last row moves into the gap, and the pool ends a row earlier.
    mine_.myguesses.at(mine_.myguesscount) = mine_.candidates.at(row);
    mine_.candidates[row] = mine_.candidates[mine_.poollast()];
    --mine_.poolcount;
}

void ComputerPlayer::recordanswer(int code)
{
    assert(awaitinganswer() && "no guess to answer");
    mine_.mysigns.at(mine_.myguesscount) = code;
    ++mine_.myguesscount;
}

bool ComputerPlayer::anypossible()
{
    findpossibles(m_, *s_);
    return s_->possiblecount > 0;
}

void seedgame(std::mt19937_64 &rng, std::uint64_t seed, std::uint64_t game)
{
    const auto low = [](std::uint64_t v) { return static_cast<std::uint32_t>(v); };
    const auto high = [](std::uint64_t v) { return static_cast<std::uint32_t>(v >> 32); };
    if (high(seed) == 0 && high(game) == 0) {
        std::seed_seq seq{low(seed), low(game)};
        rng.seed(seq);
    } else {
        std::seed_seq seq{low(seed), low(game), high(seed), high(game)};
        rng.seed(seq);
    }
}

}  // namespace numora

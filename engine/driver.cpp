// SPDX-License-Identifier: MIT
#include "engine/driver.h"

#include <chrono>

namespace numora {

Driver::Driver(std::optional<std::uint64_t> seed, Score score) : player_(*record_, score), seed_(seed) {}

std::vector<AnsweredGuess> boardrows(const Module1 &m, Side side)
{
    std::vector<AnsweredGuess> rows;
    if (side == Side::Player) {
        for (int i = 0; i < m.yourguesscount; ++i)
            rows.push_back({digitsof(m.yourguesses[i]), m.yourplus[i], m.yourminus[i]});
    } else {
        for (int i = 0; i < m.myguesscount; ++i)
            rows.push_back({m.myguesses[i], m.mysigns[i] / 10, m.mysigns[i] % 10});
    }
    return rows;
}

Happenings Driver::startgame()
{
    mine_.youfound = false;
    mine_.yourguesscount = 0;
    player_.newgame();
    if (seed_) {
        seedgame(rng_, *seed_, games_);
    } else {
        rng_.seed(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    }
    ++games_;
    mine_.mynumber = textform(m_.candidates[std::uniform_int_distribution<int>(0, kCandidates - 1)(rng_)]);
    phase_ = Phase::NumberEntry;
    return {GameStarted{}, NumberEntryOpened{}};
}

NumberAnswer Driver::confirmnumber(const std::string &guesstext)
{
    if (phase_ != Phase::NumberEntry)
        return {NumberResult::Refused, {}};
    if (guesstext.size() < 4)
        return {NumberResult::Incomplete, {}};
    if (!admissible(guesstext) || m_.yourguesscount >= kRecords)
        return {NumberResult::Refused, {}};
    for (int i = 0; i < m_.yourguesscount; ++i)
        if (m_.yourguesses[i] == guesstext)
            return {NumberResult::Repeated, {}};
    const Digits guess = digitsof(guesstext);
    const int code = signcode(guess, digitsof(m_.mynumber));
    const int n = mine_.yourguesscount++;
    mine_.yourguesses[n] = guesstext;
    mine_.yourplus[n] = code / 10;
    mine_.yourminus[n] = code % 10;
    mine_.youfound = code == kHit;
    phase_ = Phase::Thinking;
    NumberAnswer answer{NumberResult::Accepted, {RowAdded{Side::Player, {guess, code / 10, code % 10}}}};
    if (m_.myguesscount > 0)  // the first guess has no answer to think over
        answer.happened.emplace_back(ThinkingBegun{});
    answer.happened.emplace_back(ComputerThinksNext{});
    return answer;
}

Happenings Driver::makeguess()
{
    if (phase_ != Phase::Thinking)
        return {};  // the game it was due in has been dropped
    Happenings happened;
    const bool thought = m_.myguesscount > 0;
    const NextGuess next = player_.nextguess(rng_, m_.youfound);
    switch (next.result) {
    case Guessed::NoPossible:
        badsigns(happened);
        return happened;
    case Guessed::OnePossible:
        // The computer has worked out the number: counted as found with its next guess.
        happened.insert(happened.end(), {ThinkingEnded{}, GuessShown{next.number}});
        if (m_.youfound && m_.myguesscount == m_.yourguesscount - 1)
            itsadraw(happened);
        else
            youlost(happened);
        return happened;
    case Guessed::Guess:
        break;
    }
    if (thought)
        happened.emplace_back(ThinkingEnded{});
    happened.insert(happened.end(), {Beeped{}, GuessShown{next.number}, SignEntryOpened{}});
    phase_ = Phase::SignEntry;
    return happened;
}

SignsAnswer Driver::confirmsigns(int pluscount, int minuscount)
{
    if (phase_ != Phase::SignEntry)
        return {SignsResult::Refused, {}};
    if (!possibleanswer(pluscount, minuscount))
        return {SignsResult::Impossible, {}};
    const Digits guess = m_.myguesses.at(m_.myguesscount);
    player_.recordanswer(10 * pluscount + minuscount);
    SignsAnswer answer{SignsResult::Accepted,
                       {RowAdded{Side::Computer, {guess, pluscount, minuscount}}, GuessCleared{}}};
    Happenings &happened = answer.happened;
    if (pluscount == 4) {
        if (m_.youfound)
            itsadraw(happened);
        else
            youlost(happened);
    } else if (m_.youfound) {
        // The last chance missed; the answers must still leave a number not guessed yet.
        if (player_.anypossible())
            youwon(happened);
        else
            badsigns(happened);
    } else if (m_.myguesscount == kRecords) {
        // Both sides have used their ten guesses without a hit.
        itsadraw(happened);
    } else {
        phase_ = Phase::NumberEntry;
        happened.emplace_back(NumberEntryOpened{});
    }
    return answer;
}

void Driver::gameover(Outcome outcome, Happenings &happened)
{
    phase_ = Phase::Ended;
    happened.insert(happened.end(), {GameEnded{outcome, outcome == Outcome::Lost ? m_.mynumber : ""}, Beeped{}});
}

void Driver::badsigns(Happenings &happened)
{
    phase_ = Phase::Contradiction;
    happened.emplace_back(AnswersContradict{});
}

Happenings Driver::yes()
{
    if (phase_ != Phase::Ended)
        return {};
    return startgame();
}

Happenings Driver::badsignsok()
{
    if (phase_ != Phase::Contradiction)
        return {};
    return startgame();
}

}  // namespace numora

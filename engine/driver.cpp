// SPDX-License-Identifier: MIT
#include "engine/driver.h"

#include <chrono>

namespace numora {

Driver::Driver(GameWindow &window, std::optional<std::uint64_t> seed)
    : window_(window), m_(std::make_unique<Module1>()), seed_(seed)
{
}

std::vector<AnsweredGuess> boardrows(const Module1 &m, Board board)
{
    std::vector<AnsweredGuess> rows;
    if (board == Board::Picture1) {
        for (int i = 0; i < m.yourguesscount; ++i)
            rows.push_back({digitsof(m.yourguesses[i]), m.yourplus[i], m.yourminus[i]});
    } else {
        for (int i = 0; i < m.myguesscount; ++i)
            rows.push_back({m.myguesses[i], m.mysigns[i] / 10, m.mysigns[i] % 10});
    }
    return rows;
}

void Driver::startgame()
{
    ++ticket_;
    Module1 &m = *m_;
    phase_ = Phase::Idle;  // the window loads with no entry open
    m.youfound = false;
    m.yourguesscount = 0;
    player_.newgame();
    window_.form_load();  // with both boards' records empty
    window_.setthinking(false);
    if (seed_) {
        seedgame(rng_, *seed_, games_);
    } else {
        rng_.seed(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    }
    ++games_;
    m.mynumber = textform(m.candidates[std::uniform_int_distribution<int>(0, kCandidates - 1)(rng_)]);
    phase_ = Phase::NumberEntry;
    window_.wait2();
}

NumberAnswer Driver::confirmnumber(const std::string &guesstext)
{
    Module1 &m = *m_;
    if (phase_ != Phase::NumberEntry)
        return {NumberResult::Refused};
    if (guesstext.size() < 4)
        return {NumberResult::Incomplete};
    if (!admissible(guesstext) || m.yourguesscount >= kRecords)
        return {NumberResult::Refused};
    for (int i = 0; i < m.yourguesscount; ++i)
        if (m.yourguesses[i] == guesstext)
            return {NumberResult::Repeated};
    const int code = signcode(digitsof(guesstext), digitsof(m.mynumber));
    const NumberAnswer answer{NumberResult::Accepted, code / 10, code % 10};
    m.yourguesses[m.yourguesscount] = guesstext;
    m.yourplus[m.yourguesscount] = answer.plus;
    m.yourminus[m.yourguesscount] = answer.minus;
    ++m.yourguesscount;
    window_.addrow(Board::Picture1, {digitsof(guesstext), answer.plus, answer.minus});
    m.youfound = answer.plus == 4;
    phase_ = Phase::Thinking;
    if (m.myguesscount > 0)  // the first guess has no answer to think over
        window_.setthinking(true);
    const auto ticket = ticket_;
    window_.afterpump([this, ticket] { makeguess(ticket); });
    return answer;
}

void Driver::makeguess(std::uint64_t ticket)
{
    if (ticket != ticket_ || phase_ != Phase::Thinking)
        return;
    Module1 &m = *m_;
    const bool thought = m.myguesscount > 0;
    const NextGuess next = player_.nextguess(rng_, m.youfound);
    switch (next.result) {
    case Guessed::NoPossible:
        badsigns();
        return;
    case Guessed::OnePossible:
        computerfound(next.number);
        return;
    case Guessed::Guess:
        break;
    }
    if (thought)
        window_.setthinking(false);
    window_.beep();
    window_.setlabel8(next.number);
    phase_ = Phase::SignEntry;
    window_.wait();
}

void Driver::computerfound(const Digits &number)
{
    Module1 &m = *m_;
    window_.setthinking(false);
    window_.setlabel8(number);
    if (m.youfound && m.myguesscount == m.yourguesscount - 1)
        itsadraw();
    else
        youlost();
}

SignsResult Driver::confirmsigns(int pluscount, int minuscount)
{
    Module1 &m = *m_;
    if (phase_ != Phase::SignEntry)
        return SignsResult::Refused;
    if (!possibleanswer(pluscount, minuscount))
        return SignsResult::Impossible;
    const Digits guess = m.myguesses.at(m.myguesscount);
    player_.recordanswer(10 * pluscount + minuscount);
    window_.addrow(Board::Picture2, {guess, pluscount, minuscount});
    window_.setlabel8(std::nullopt);
    if (pluscount == 4) {
        if (m.youfound)
            itsadraw();
        else
            youlost();
        return SignsResult::Accepted;
    }
    if (m.youfound) {
        // The last chance missed; the answers must still leave a number not guessed yet.
        if (player_.anypossible())
            youwon();
        else
            badsigns();
        return SignsResult::Accepted;
    }
    if (m.myguesscount == kRecords) {
        // Both sides have used their ten guesses without a hit.
        itsadraw();
        return SignsResult::Accepted;
    }
    phase_ = Phase::NumberEntry;
    window_.wait2();
    return SignsResult::Accepted;
}

void Driver::gameover(Outcome outcome)
{
    const bool contradiction = outcome == Outcome::Contradiction;
    phase_ = contradiction ? Phase::Contradiction : Phase::Ended;
    window_.showend(outcome);
    if (!contradiction)
        window_.beep();
}

void Driver::yes()
{
    if (phase_ != Phase::Ended)
        return;
    startgame();
}

void Driver::badsignsok()
{
    if (phase_ == Phase::Contradiction)
        startgame();
}

}  // namespace numora

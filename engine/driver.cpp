// SPDX-License-Identifier: MIT
#include "driver.h"

#include <chrono>

namespace numora
{

std::string boardrow(const std::string &guess, int plus, int minus)
{
    std::string row = " " + guess + " " + std::string(plus, '+');
    for (int i = 0; i < minus; ++i)
        row += " -";
    return row;
}

Driver::Driver(GameWindow &window, std::optional<std::uint64_t> seed)
    : window_(window), m_(std::make_unique<Module1>()), seed_(seed)
{
}

void Driver::startgame()
{
    ++ticket_;
    Module1 &m = *m_;
    window_.form_load();
    window_.setlabel6("");
    m.youfound = false;
    m.myguesscount = 0;
    m.yourguesscount = 0;
    buildcandidates(m.candidates);
    if (seed_) {
        std::seed_seq seq{*seed_, games_};
        rng_.seed(seq);
    } else {
        rng_.seed(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    }
    ++games_;
    m.mynumber = textform(m.candidates[std::uniform_int_distribution<int>(0, kCandidates - 1)(rng_)]);
    m.bestcount = kCandidates;
    m.inputdone = false;
    m.digitmode = true;
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
    NumberAnswer answer{NumberResult::Accepted};
    for (int j = 0; j < 4; ++j) {
        const auto foundat = m.mynumber.find(guesstext[j]);
        if (foundat == static_cast<std::size_t>(j))
            ++answer.plus;
        else if (foundat != std::string::npos)
            ++answer.minus;
    }
    m.yourguesses[m.yourguesscount] = guesstext;
    m.yourplus[m.yourguesscount] = answer.plus;
    m.yourminus[m.yourguesscount] = answer.minus;
    window_.addrow(Board::Picture1, boardrow(guesstext, answer.plus, answer.minus));
    ++m.yourguesscount;
    m.youfound = answer.plus == 4;
    m.digitmode = false;
    m.inputdone = true;
    phase_ = Phase::Thinking;
    if (m.yourguesscount == 1) {
        const auto ticket = ticket_;
        window_.afterpump([this, ticket] {
            if (ticket == ticket_)
                makeguess();
        });
    } else {
        ++m.myguesscount; // the answered guess has left the pool
        window_.setlabel6("Thinking...");
        const auto ticket = ticket_;
        window_.afterpump([this, ticket] { think(ticket); });
    }
    return answer;
}

void Driver::think(std::uint64_t ticket)
{
    if (ticket != ticket_ || phase_ != Phase::Thinking)
        return;
    Module1 &m = *m_;
    switch (countclasses(m)) {
    case Assessment::NoPossible:
        badsigns();
        return;
    case Assessment::OnePossible:
        computerfound();
        return;
    case Assessment::Counted:
        break;
    }
    ratepool(m);
    pickbest(m);
    window_.setlabel6("");
    makeguess();
}

void Driver::computerfound()
{
    Module1 &m = *m_;
    window_.setlabel6("");
    window_.setlabel8(textform(m.possibles[0]));
    if (m.youfound && m.myguesscount == m.yourguesscount - 1)
        itsadraw();
    else
        youlost();
}

void Driver::makeguess()
{
    Module1 &m = *m_;
    Digits guess{};
    lastchance_ = m.youfound;
    if (m.youfound) {
        if (m.myguesscount == 0) {
            guessrow_ = std::uniform_int_distribution<int>(0, kCandidates - 1)(rng_);
            guess = m.candidates[guessrow_];
        } else {
            guess = m.possibles[std::uniform_int_distribution<int>(0, m.possiblecount - 1)(rng_)];
            for (int p = 0; p <= m.poollast(); ++p)
                if (m.candidates[p] == guess)
                    guessrow_ = p;
        }
    } else {
        guessrow_ = drawbestrow(m, rng_);
        guess = m.candidates[guessrow_];
        removefrompool(m, guessrow_);
    }
    m.myguesses.at(m.myguesscount) = guess;
    window_.beep();
    window_.setlabel8(textform(guess));
    m.inputdone = false;
    phase_ = Phase::SignEntry;
    window_.wait();
}

SignsResult Driver::confirmsigns(int pluscount, int minuscount)
{
    Module1 &m = *m_;
    if (phase_ != Phase::SignEntry)
        return SignsResult::Refused;
    if (!possibleanswer(pluscount, minuscount))
        return SignsResult::Impossible;
    m.mysigns.at(m.myguesscount) = 10 * pluscount + minuscount;
    window_.addrow(Board::Picture2, boardrow(textform(m.myguesses[m.myguesscount]), pluscount, minuscount));
    window_.setlabel8("");
    if (pluscount == 4) {
        if (m.youfound)
            itsadraw();
        else
            youlost();
        return SignsResult::Accepted;
    }
    if (m.youfound) {
        // The last chance missed. Its guess leaves the pool, so the check sees
        // exactly the numbers not guessed yet.
        removefrompool(m, guessrow_);
        ++m.myguesscount;
        findpossibles(m);
        if (m.possiblecount == 0)
            badsigns();
        else
            youwon();
        return SignsResult::Accepted;
    }
    if (m.myguesscount == kRecords - 1) {
        // Both sides have used their ten guesses without a hit.
        ++m.myguesscount;
        itsadraw();
        return SignsResult::Accepted;
    }
    m.digitmode = true;
    m.inputdone = true;
    phase_ = Phase::NumberEntry;
    window_.wait2();
    return SignsResult::Accepted;
}

void Driver::youlost()
{
    m_->playagain = false;
    phase_ = Phase::Ended;
    window_.showlost(" You have lost! My number was : " + m_->mynumber);
    window_.beep();
}

void Driver::youwon()
{
    m_->playagain = false;
    phase_ = Phase::Ended;
    window_.showwon();
    window_.beep();
}

void Driver::itsadraw()
{
    m_->playagain = false;
    phase_ = Phase::Ended;
    window_.showdraw();
    window_.beep();
}

void Driver::badsigns()
{
    phase_ = Phase::Contradiction;
    window_.showbadsigns("No valid number matches the information you gave!\r\nPlease be more careful next time.");
}

void Driver::yes()
{
    if (phase_ != Phase::Ended)
        return;
    m_->playagain = true;
    startgame();
}

void Driver::badsignsok()
{
    if (phase_ == Phase::Contradiction)
        startgame();
}

} // namespace numora

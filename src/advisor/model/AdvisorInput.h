#pragma once

#include "advisor/model/StakeAdvisor.h"

#include <QString>
#include <QStringView>
#include <optional>

// The advisor's inputs as the window's fields and tavek-cli's options give
// them: decimal texts, read exactly, with the message of a refusal.
namespace tavek::advice {

// A decimal text ("0.125", "12.5", "3", ".5") as an exact fraction; nothing
// for any other text or one with more than 9 integer or 9 decimal digits.
std::optional<Fraction> exactDecimal(QStringView text);

// How the bettor states the chance of the bet.
enum class ProbForm {
    Probability,  // P itself, 0.25
    Percent,      // P in percent, 25
    FairOdds,     // the odds that would be fair, 1 / P: 4.0
};

// A reading: the value, or the refusal (Japanese, as the window shows it).
template <class T>
struct Reading {
    T value{};
    QString refusal;
    bool ok() const { return refusal.isEmpty(); }
};

// P strictly between 0 and 1. Each read of a fraction refuses a text that
// exactDecimal does not read (1e-5, 0.999999999999) by saying what form it
// takes, and a value out of range by saying the range.
Reading<Fraction> readProbability(QStringView text, ProbForm form);
// W: a whole number of yen from 100 to kMaxYen.
Reading<long long> readBankroll(QStringView text);
// F: above 0 and at most 1.
Reading<Fraction> readKellyFraction(QStringView text);
// A stake, a curve end or a dutching total: a multiple of 100 yen from
// `least` to kMaxYen; `what` names it in the refusal.
Reading<long long> readStake(QStringView text, long long least, const QString& what);

}  // namespace tavek::advice

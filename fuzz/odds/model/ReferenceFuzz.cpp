// The reference lists of a vote-count record of any length and content: the
// totals and the ranked exacta and trio lines, highest votes first.
//
// Input: the record bytes.
#include "support/FuzzInput.h"

#include "odds/model/ReferenceSheet.h"
#include "pools/VotePools.h"

using namespace tavek;

namespace {

// The votes column of a ranked line: rank (3), blank, combination, votes (10,
// with thousands separators), share (6), "%".
constexpr int kVotesWidth = 10;
constexpr int kShareWidth = 6;

qlonglong votesOf(const QString& line, int combination)
{
    // A view: a copy of each of up to 1,122 lines per input cost more than the lists.
    qlonglong votes = 0;
    for (const QChar c : QStringView(line).mid(4 + combination, kVotesWidth))
        if (c.isDigit())
            votes = votes * 10 + c.digitValue();
    return votes;
}

void checkRanked(const QStringList& list, int maxLines, int combination, const char* which)
{
    if (list.size() > maxLines)
        fuzz::fail(which, QStringLiteral("%1 lines").arg(list.size()));
    // Only a line of its full width can be read back: a hundred million votes
    // or a share of 100,000 % (a damaged record's) overflow their columns,
    // which a record JRA writes never does. Each full line is checked against
    // the last full line before it.
    const qsizetype width = 4 + combination + kVotesWidth + kShareWidth + 1;
    const QString* previous = nullptr;
    for (const QString& line : list) {
        if (line.size() != width)
            continue;
        if (previous && votesOf(line, combination) > votesOf(*previous, combination))
            fuzz::fail(which, QStringLiteral("\"%1\" ranked below \"%2\"").arg(*previous, line));
        previous = &line;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView record(reinterpret_cast<const char*>(data), qsizetype(size));
    const sim::ReferenceSheet sheet = sim::referenceSheet(record);
    checkRanked(sheet.exacta, pools::pool(pools::Pool::Exacta).entries, 5, "exacta list");
    checkRanked(sheet.trio, pools::pool(pools::Pool::Trio).entries, 8, "trio list");
    for (int t = 0; t < pools::kVoteCountPools; ++t)
        if (sheet.totals[size_t(t)].isEmpty())
            fuzz::fail("an empty total (a blank shows as one space)");
    if (!sheet.totals[size_t(pools::Pool::Trifecta)].isEmpty())
        fuzz::fail("a trifecta total without the trifecta's record");
    return 0;
}

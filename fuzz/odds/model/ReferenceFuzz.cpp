// The reference lists of a vote-count record of any length and content: the
// totals and the ranked exacta and trio lines, highest votes first.
//
// Input: the record bytes.
#include "support/FuzzInput.h"

#include "odds/model/ReferenceSheet.h"
#include "pools/VotePools.h"

using namespace tavek;

namespace {

// The votes column of a ranked line: rank (3), blank, combination, votes (10).
qlonglong votesOf(const QString& line, int combination)
{
    // A view: a copy of each of up to 1,122 lines per input cost more than the lists.
    return QStringView(line).mid(4 + combination, 10).trimmed().toLongLong();
}

void checkRanked(const QStringList& list, int maxLines, int combination, const char* which)
{
    if (list.size() > maxLines)
        fuzz::fail(which, QStringLiteral("%1 lines").arg(list.size()));
    for (qsizetype i = 1; i < list.size(); ++i)
        if (votesOf(list[i], combination) > votesOf(list[i - 1], combination))
            fuzz::fail(which, QStringLiteral("\"%1\" ranked below \"%2\"").arg(list[i - 1], list[i]));
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

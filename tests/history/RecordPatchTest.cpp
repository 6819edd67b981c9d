#include "history/RecordPatch.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace tavek;
using history::applyPatch;
using history::patchBetween;

// Records of every length up to 40 bytes with changes everywhere, nowhere,
// at either end and a few kept bytes apart.
TEST(RecordPatch, TurnsAnyRecordIntoAnyOtherOfItsLength)
{
    QRandomGenerator random(7);
    for (int round = 0; round < 2000; ++round) {
        QByteArray from(round % 41, '0'), to = from;
        for (qsizetype i = 0; i < from.size(); ++i) {
            from[i] = char('0' + random.bounded(10));
            to[i] = random.bounded(1 + round % 5) == 0 ? char('0' + random.bounded(10)) : from[i];
        }
        QByteArray patched = from;
        ASSERT_TRUE(applyPatch(patched, patchBetween(from, to)));
        ASSERT_EQ(patched, to) << from.constData();
    }
    EXPECT_EQ(patchBetween("0123456789", "0x23x5678y"), QByteArray("\x01\x04x23x\x04\x01y", 9))
        << "one run over two kept bytes, a new one after four";
}

TEST(RecordPatch, RefusesAPatchThatDoesNotFit)
{
    const QByteArray patches[] = {
        QByteArray("\x08\x03xyz", 5),                   // a run past the end
        QByteArray("\x00\x04xyz", 5),                   // fewer bytes than the run says
        QByteArray("\x00\x81", 2),                      // a count cut off
        QByteArray("\x00\xff\xff\xff\xff\xff\x01", 7),  // a count of six bytes
        QByteArray("\x00\x01x\x09\x01y", 6),            // a second run past the end
    };
    for (const QByteArray& patch : patches) {
        QByteArray record("0123456789");
        EXPECT_FALSE(applyPatch(record, patch)) << patch.toHex().constData();
    }
}

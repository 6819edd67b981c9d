#include "history/RecordPatch.h"

#include <algorithm>
#include <cstring>

namespace tavek::history {

namespace {

// A run goes on over this many kept bytes into the next change: two runs
// cost more to apply, and hardly less room.
constexpr int kMaxGap = 2;

void appendCount(QByteArray& out, qsizetype count)
{
    auto n = static_cast<quint64>(count);
    while (n >= 0x80) {
        out.append(static_cast<char>(n | 0x80));
        n >>= 7;
    }
    out.append(static_cast<char>(n));
}

// Reads one count at `at`; false when the patch ends within it or it holds
// more than a record can.
bool readCount(QByteArrayView patch, qsizetype& at, qsizetype& count)
{
    constexpr int kMaxBytes = 5;  // 35 bits, more than any record's length
    quint64 n = 0;
    for (int i = 0; i < kMaxBytes && at < patch.size(); ++i) {
        const auto byte = static_cast<unsigned char>(patch[at++]);
        n |= quint64(byte & 0x7f) << (7 * i);
        if (!(byte & 0x80)) {
            count = static_cast<qsizetype>(n);
            return true;
        }
    }
    return false;
}

}  // namespace

QByteArray patchBetween(QByteArrayView from, QByteArrayView to)
{
    QByteArray out;
    const qsizetype n = std::min(from.size(), to.size());
    qsizetype end = 0;  // of the last run
    for (qsizetype i = 0; i < n;) {
        if (from[i] == to[i]) {
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        for (;;) {
            while (j < n && from[j] != to[j])
                ++j;
            qsizetype next = j;  // the next change, if at most kMaxGap bytes on
            while (next < n && next - j < kMaxGap && from[next] == to[next])
                ++next;
            if (next == n || from[next] == to[next])
                break;
            j = next;
        }
        appendCount(out, i - end);
        appendCount(out, j - i);
        out.append(to.sliced(i, j - i));
        end = i = j;
    }
    return out;
}

bool applyPatch(QByteArray& record, QByteArrayView patch)
{
    char* bytes = record.data();
    const qsizetype length = record.size();
    qsizetype at = 0, offset = 0;
    while (at < patch.size()) {
        qsizetype kept = 0, count = 0;
        if (!readCount(patch, at, kept) || !readCount(patch, at, count))
            return false;
        if (kept > length - offset || count > length - offset - kept || count > patch.size() - at)
            return false;
        offset += kept;
        // Most runs are a few digits: a loop of their own beats a call of memcpy.
        const char* from = patch.data() + at;
        if (count <= 16)
            std::copy_n(from, count, bytes + offset);
        else
            std::memcpy(bytes + offset, from, size_t(count));
        offset += count;
        at += count;
    }
    return true;
}

}  // namespace tavek::history

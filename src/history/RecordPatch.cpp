#include "history/RecordPatch.h"

#include <algorithm>
#include <cstring>

namespace tavek::history {

namespace {

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

// Walks the runs of `patch` over a record of `length` bytes, handing each to
// `run` (its offset in the record, its offset in the patch, its length).
// False when a run reaches past the record or the patch.
template <typename Run>
bool forEachRun(QByteArrayView patch, qsizetype length, Run run)
{
    qsizetype at = 0, offset = 0;
    while (at < patch.size()) {
        qsizetype kept = 0, bytes = 0;
        if (!readCount(patch, at, kept) || !readCount(patch, at, bytes))
            return false;
        if (kept > length - offset || bytes > length - offset - kept || bytes > patch.size() - at)
            return false;
        offset += kept;
        run(offset, at, bytes);
        offset += bytes;
        at += bytes;
    }
    return true;
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
            if (j + 1 < n && from[j + 1] != to[j + 1])
                ++j;  // over one kept byte into the next change
            else
                break;
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
    // Every run is checked before the first is written.
    if (!forEachRun(patch, record.size(), [](qsizetype, qsizetype, qsizetype) {}))
        return false;
    char* bytes = record.data();
    forEachRun(patch, record.size(), [&](qsizetype offset, qsizetype at, qsizetype length) {
        std::memcpy(bytes + offset, patch.data() + at, static_cast<size_t>(length));
    });
    return true;
}

}  // namespace tavek::history

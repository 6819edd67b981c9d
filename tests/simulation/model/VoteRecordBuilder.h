#pragma once

#include "racedata/NumberFormat.h"
#include "racedata/RecordLayout.h"

#include <QByteArray>

// Builds an H1 vote-count record of blanks with the fields a test sets.
class VoteRecordBuilder {
public:
    explicit VoteRecordBuilder(const char* date = "20050416")
        : record_(tavek::layout::kH1Length - 2, ' ')
    {
        record_ += "\r\n";
        put(1, "H1");
        put(3, "2");
        put(tavek::layout::kYear, date);
        put(tavek::layout::kCourse, "05020811");
        put(tavek::layout::kRegistered, "18");
        put(tavek::layout::kStarters, "18");
    }

    VoteRecordBuilder& votes(int position, long long value)
    {
        put(position, QByteArray::number(value).rightJustified(tavek::layout::kVoteLen, '0'));
        return *this;
    }
    VoteRecordBuilder& put(int position, QByteArrayView text)
    {
        tavek::layout::put(record_, position, text);
        return *this;
    }
    VoteRecordBuilder& quinella(int k, long long v) { return votes(tavek::layout::quinellaVotes(k), v); }
    VoteRecordBuilder& bracket(int k, long long v) { return votes(tavek::layout::bracketVotes(k), v); }
    VoteRecordBuilder& exacta(int i, int a, int b, long long v)
    {
        put(tavek::layout::exactaEntry(i), two(a) + two(b));
        return votes(tavek::layout::exactaVotes(i), v);
    }
    VoteRecordBuilder& trio(int i, int a, int b, int c, long long v)
    {
        put(tavek::layout::trioEntry(i), two(a) + two(b) + two(c));
        return votes(tavek::layout::trioVotes(i), v);
    }

    const QByteArray& record() const { return record_; }
    operator QByteArrayView() const { return record_; }

private:
    static QByteArray two(int n) { return QByteArray::number(n).rightJustified(2, '0'); }

    QByteArray record_;
};

#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <exception>
#include <thread>
#include <vector>

// A span of the data folder's race days, read by several threads at once:
// what tavek-cli's figures over seasons (stats, check-payouts) share.
namespace tavek::dayfiles {

// The date texts of the days of `dataFolder` (dateList) from `from` to `to`,
// both included, oldest first; an invalid date leaves that end open. Throws
// std::runtime_error naming the folder when it cannot be read, and naming
// the days when a day of the span has a race file that is no regular file:
// figures that left a day out without a word would mislead.
QStringList datesBetween(const QString& dataFolder, const QDate& from, const QDate& to);

// Reads `dates` in consecutive blocks, one thread each (as many as the
// processor's cores, at most 8): `addDay(part, date)` adds one day to its
// block's Part. The parts come back in the order of their days. A day that
// throws stops its block; the first block's failure is the one thrown.
template <typename Part, typename AddDay>
std::vector<Part> readInBlocks(const QStringList& dates, AddDay addDay)
{
    const qsizetype blocks = std::clamp<qsizetype>(std::thread::hardware_concurrency(), 1, 8);
    std::vector<Part> parts(size_t(std::min(blocks, std::max<qsizetype>(dates.size(), 1))));
    std::vector<std::exception_ptr> failures(parts.size());
    std::vector<std::thread> threads;
    for (size_t b = 0; b < parts.size(); ++b)
        threads.emplace_back([&, b] {
            const qsizetype first = dates.size() * qsizetype(b) / qsizetype(parts.size());
            const qsizetype end = dates.size() * qsizetype(b + 1) / qsizetype(parts.size());
            try {
                for (qsizetype d = first; d < end; ++d)
                    addDay(parts[b], dates[d]);
            } catch (...) {
                failures[b] = std::current_exception();
            }
        });
    for (std::thread& t : threads)
        t.join();
    for (const std::exception_ptr& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
    return parts;
}

}  // namespace tavek::dayfiles

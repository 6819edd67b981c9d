// The store path of a batch acquisition: one year of the emulated service's
// race data (about 3,500 races) through the read loop into empty day files,
// against writing the same final files once.
#include "jvlink/client/BatchAcquisition.h"
#include "jvlink/emulator/GeneratedSource.h"
#include "racedata/Cp932.h"
#include "racedata/RecordLines.h"
#include "support/NullBatchView.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <vector>

using namespace tavek;

namespace {

// The emulated service's files of one year, in the order it delivers them:
// per race day its race details (RA, SE) and its vote counts (H1, HR).
std::vector<std::vector<QByteArray>> yearOfFiles()
{
    using Kind = jvlink::GeneratedSource::FileKind;
    std::vector<std::vector<QByteArray>> files;
    for (QDate d(2023, 1, 1); d.year() == 2023; d = d.addDays(1)) {
        for (const Kind kind : {Kind::RaceDetails, Kind::VoteCounts}) {
            const QByteArray all = jvlink::GeneratedSource::dayFile(d, kind);
            if (all.isEmpty())
                continue;
            std::vector<QByteArray> records;
            for (qsizetype from = 0; from < all.size();) {
                const QByteArrayView record = recordlines::recordAt(all, from);
                records.push_back(record.toByteArray());
                from += record.size();
            }
            files.push_back(std::move(records));
        }
    }
    return files;
}

const std::vector<std::vector<QByteArray>>& year()
{
    static const auto files = yearOfFiles();
    return files;
}

// Serves the files record by record, -1 between them, 0 at the end.
class ReplayJVLink : public jvlink::JVDTLabLib_TLB {
public:
    explicit ReplayJVLink(const std::vector<std::vector<QByteArray>>& files)
    {
        for (const auto& file : files) {
            for (const QByteArray& r : file)
                stream_.push_back(cp932::decode(r));
            stream_.push_back(QString());
        }
    }
    int32_t JVInit(const QString&) override { return 0; }
    int32_t JVSetUIProperties() override { return 0; }
    int32_t JVOpen(const QString&, const QString&, int32_t, int32_t& rc, int32_t& dc, QString& stamp) override
    {
        rc = int32_t(year().size());
        dc = 0;
        stamp.clear();
        next_ = 0;
        return 0;
    }
    int32_t JVRTOpen(const QString&, const QString&) override { return -1; }
    int32_t JVStatus() override { return 0; }
    int32_t JVRead(QString& buff, int32_t&, QString&) override
    {
        if (next_ == stream_.size())
            return 0;
        buff = stream_[next_++];
        return buff.isEmpty() ? -1 : int32_t(buff.size());
    }
    void JVCancel() override {}
    int32_t JVClose() override { return 0; }

private:
    std::vector<QString> stream_;
    size_t next_ = 0;
};

void ReadLoopIntoEmptyDayFiles(benchmark::State& state)
{
    ReplayJVLink jv(year());
    bench::NullBatchView view;
    for (auto _ : state) {
        QTemporaryDir dir;
        TIniGT settings;
        settings.FileName = dir.filePath("TavekJ.ini");
        jvlink::BatchAcquisition run(jv, view, dir.filePath("Data"), settings);
        run.runHeadless(QDateTime(QDate(2023, 1, 1), QTime(0, 0)));
        if (run.storedCount() == 0)
            state.SkipWithError("nothing stored");
    }
    size_t races = 0;
    for (const auto& file : year())
        races += std::count_if(file.begin(), file.end(), [](const QByteArray& r) { return r.startsWith("RA"); });
    state.counters["races"] = double(races);
}

void WriteFinalFilesOnce(benchmark::State& state)
{
    // The final content of every day file, built outside the timing by
    // storing the year once.
    QTemporaryDir built;
    {
        ReplayJVLink jv(year());
        bench::NullBatchView view;
        TIniGT settings;
        settings.FileName = built.filePath("TavekJ.ini");
        jvlink::BatchAcquisition(jv, view, built.filePath("Data"), settings)
            .runHeadless(QDateTime(QDate(2023, 1, 1), QTime(0, 0)));
    }
    std::map<QString, QByteArray> finals;
    const QDir builtData(built.filePath("Data"));
    for (const QString& name : builtData.entryList(QDir::Files)) {
        QFile f(builtData.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            finals[name] = f.readAll();
    }
    size_t bytes = 0;
    for (const auto& [name, content] : finals)
        bytes += content.size();
    state.counters["files"] = double(finals.size());
    state.counters["MB"] = double(bytes) / 1e6;
    for (auto _ : state) {
        QTemporaryDir dir;
        const QString data = dir.filePath("Data");
        QDir().mkpath(data);
        for (const auto& [name, bytes] : finals) {
            QSaveFile f(data + u'/' + name);
            if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
                state.SkipWithError("write failed");
        }
    }
}

}  // namespace

BENCHMARK(ReadLoopIntoEmptyDayFiles)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(WriteFinalFilesOnce)->Unit(benchmark::kMillisecond)->MinTime(3);

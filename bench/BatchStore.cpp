// The store path of a batch acquisition: one year of race data (about 3,500
// races, an RA and an H1 record each) through the read loop into empty day
// files, against writing the same final files once.
#include "jvlink/core/BatchAcquisition.h"
#include "racedata/Cp932.h"
#include "racedata/DayFiles.h"
#include "racedata/RecordLayout.h"

#include <QDate>
#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <vector>

using namespace tavek;

namespace {

QByteArray twoDigits(int n)
{
    return QByteArray::number(n).rightJustified(2, '0');
}

QByteArray record(const char* type, int length, const QByteArray& key)
{
    QByteArray r(length, ' ');
    layout::put(r, layout::kRecordType, type);
    layout::put(r, layout::kDataCategory, "720051231");
    layout::put(r, layout::kRaceKey, key);
    // Digits across the record, so the files are as large as real ones.
    for (int p = 40; p + 11 < length - 2; p += 15)
        layout::put(r, p, "00000012345");
    layout::put(r, length - 1, "\r\n");
    return r;
}

// A year of weekends with two or three courses of twelve races, as files of
// one day and record kind each, in the order JV-Link delivers them.
std::vector<std::vector<QByteArray>> yearOfFiles()
{
    std::vector<std::vector<QByteArray>> files;
    int day = 0;
    for (QDate d(2005, 1, 1); d.year() == 2005; d = d.addDays(1)) {
        if (d.dayOfWeek() < 6)
            continue;
        const int courses = ++day % 4 == 0 ? 2 : 3;
        std::vector<QByteArray> ra, h1;
        for (int c = 0; c < courses; ++c) {
            for (int race = 1; race <= 12; ++race) {
                const QByteArray key = d.toString("yyyyMMdd").toLatin1() + twoDigits(c * 3 + 1) + "0" + QByteArray::number(day % 5 + 1)
                                     + twoDigits(day % 8 + 1) + twoDigits(race);
                ra.push_back(record("RA", layout::kRaLength, key));
                h1.push_back(record("H1", layout::kH1Length, key));
            }
        }
        files.push_back(std::move(ra));
        files.push_back(std::move(h1));
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

struct NullView : jvlink::BatchView {
    void showStatus(const QString&) override {}
    void setDownloadProgress(int, int) override {}
    void setReadProgress(int, int) override {}
    void clearList() override {}
    void addListLine(const QString&) override {}
    void information(const QString&) override {}
    bool confirm(const QString&) override { return false; }
    void beep() override {}
    void setRunning(bool) override {}
    void setPolling(bool) override {}
    void processEvents() override {}
    void showStartPoint(const QDateTime&) override {}
};

void ReadLoopIntoEmptyDayFiles(benchmark::State& state)
{
    ReplayJVLink jv(year());
    NullView view;
    for (auto _ : state) {
        QTemporaryDir dir;
        TIniGT settings;
        settings.FileName = dir.filePath("TavekJ.ini");
        jvlink::BatchAcquisition run(jv, view, dir.filePath("Data"), settings);
        run.start(QDateTime(QDate(2005, 1, 1), QTime(0, 0)));
        if (run.storedCount() == 0)
            state.SkipWithError("nothing stored");
    }
    size_t records = 0;
    for (const auto& file : year())
        records += file.size();
    state.counters["records"] = double(records);
}

void WriteFinalFilesOnce(benchmark::State& state)
{
    // The final content of every day file, built outside the timing.
    std::map<QString, QByteArray> finals;
    for (const auto& file : year()) {
        QByteArray all;
        for (const QByteArray& r : file)
            all += r;
        finals[dayfiles::fileName(file.front())] = all;
    }
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

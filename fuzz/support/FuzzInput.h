#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <stdexcept>

// What the fuzz targets share: cutting one input into parts and a scratch
// folder for the files a target writes.
namespace tavek::fuzz {

// Separates the parts of an input ("|\x01|": short, so the fuzzer finds and
// moves it, and never part of a record).
inline constexpr char kSeparator[] = "|\x01|";

// An input as its parts: the bytes between separators, the first `fixed`
// bytes (control bytes that steer the target) taken off the front first.
class Input {
public:
    Input(const uint8_t* data, size_t size, int fixed);
    // Control byte i (0 when the input is shorter).
    uint8_t control(int i) const;
    // Part i of the rest (empty when there are fewer parts).
    QByteArrayView part(int i) const;

private:
    QByteArrayView controls_;
    QList<QByteArrayView> parts_;
};

// Joins control bytes and parts into one input (for the seed corpora).
QByteArray join(QByteArrayView controls, const QList<QByteArray>& parts);

// A folder of this process for the files a target writes, in memory when
// /dev/shm exists; emptied by clean().
QString scratchFolder();
void clean(const QString& folder);
void writeFile(const QString& path, QByteArrayView bytes);
QByteArray readFile(const QString& path);

// Stops the process so that libFuzzer reports the input (an invariant broke).
[[noreturn]] void fail(const char* what, const QString& detail = {});

// Runs `step`, for which a std::runtime_error with a message is an allowed
// outcome (model code reports bad data that way); any other exception is not.
template <typename Step>
void allowFailure(Step step)
{
    try {
        step();
    } catch (const std::runtime_error& e) {
        if (!*e.what())
            fail("a failure without a message");
    }
}

}  // namespace tavek::fuzz

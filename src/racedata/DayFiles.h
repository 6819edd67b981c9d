#pragma once

#include "platform/RegularFile.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The day files of the data folder: one ".jvRA", one ".jvH1" and, where the
// trifecta's votes were acquired, one ".jvH6" file per race day, and one
// ".jvHR" where the payouts were, named by the race date
// (2005年04月16日.jvRA), one record per line in CP932, sorted, at most one
// line per race key.
namespace tavek::dayfiles {

inline constexpr char kRaceSuffix[] = ".jvRA";
inline constexpr char kVoteSuffix[] = ".jvH1";
inline constexpr char kTrifectaSuffix[] = ".jvH6";
inline constexpr char kResultSuffix[] = ".jvHR";
// A day file that held lines that are not whole records is kept under its
// own name with this added (2005年04月16日.jvRA.damaged) before a store
// rewrites it without them.
inline constexpr char kDamagedSuffix[] = ".damaged";
// A day holds at most 36 races, each with one line per file; a day file of
// more lines than this is no day file, and neither the store nor the day
// load reads it (a 1 GB file would otherwise be read whole).
inline constexpr int kMaxDayFileLines = 200;
// The trifecta's records are 102,890 bytes each: its day file holds at most
// this many lines (36 races and some slack), about 4.9 MB.
inline constexpr int kMaxTrifectaFileLines = 48;

// Who stores a record: the quick report also drops a blank first line.
enum class Writer { Batch, QuickReport };

// The file name of a record's day file, "2005年04月16日.jvRA". Throws
// std::runtime_error for a record that cannot be stored: not an RA, H1, H6 or
// HR record of its full length, a record with a CR or LF before its own CR LF,
// or a race date (positions 12-19) that is not all digits.
QString fileName(QByteArrayView record);

// Stores one record (as JV-Link delivered it, CR LF at its end) into its day
// file: replaces the line of the same race key or appends it, sorts the lines
// (case ignored) and rewrites the file atomically, creating the data folder
// and the file when missing. A lock on the data folder itself keeps two
// processes storing at once from losing a record. Lines of the old file that
// are not whole records (an empty line, a fragment) are left out; the old
// file is then kept beside it with kDamagedSuffix. A payout record (HR) that
// replaces another of its race with other payouts keeps the earlier one in
// the returned text. That text (empty otherwise) says each, a line for each,
// for the error log. A day file that is a link or
// not a regular file is never written. Throws std::runtime_error (naming the
// file) when the record is refused or the file cannot be locked, read or
// written; the file is then unchanged.
QString storeRecord(const QString& dataFolder, QByteArrayView record, Writer writer);

// Stores several records of the day file `name` (as fileName() gives it) with
// one read and one atomic rewrite; the file ends exactly as if they had been
// stored one by one, in order, by the batch writer. Returns and throws like
// storeRecord.
QString storeRecords(const QString& dataFolder, const QString& name, const std::vector<QByteArray>& records);

// The date texts of the days that have a ".jvRA" file, newest first: only
// names of real dates (yyyy年MM月dd日.jvRA), in UTF-8 or, as a zip made on
// Windows leaves them, in CP932. A data folder that exists but cannot be
// read lists nothing and, when `problem` is given, sets it to say why. A day
// whose ".jvRA" name holds no regular file (a folder, a FIFO, a broken link) is
// no day; `leftOut`, when given, receives those dates, newest first, so that
// no day goes missing without a word (leftOutNote).
QStringList dateList(const QString& dataFolder, QString* problem = nullptr, QStringList* leftOut = nullptr);

// The sentence that names the days dateList left out of `dataFolder`.
QString leftOutNote(const QString& dataFolder, const QStringList& dates);

// True when `line` (a day file line without its line end) is one whole
// record of `type` ("RA", "H1", "H6" or "HR"): of the record's length less its CR LF and
// starting with its type. The store keeps and the day load reads no others.
bool isWholeRecordLine(QByteArrayView line, QByteArrayView type);

// A line of a day file that is no whole record, for messages: "3行目（0バイト）".
QString lineLabel(int number, qsizetype bytes);
// Such labels joined for a message: the first five named, the rest counted.
QString joinedLineLabels(const QStringList& labels);

// Where a day file of a date text is: the UTF-8 name, or its CP932 spelling
// when only that exists. `native` is the path's bytes for the system,
// `shown` the path for messages.
struct Location {
    QByteArray native;
    QString shown;
};
Location locate(const QString& dataFolder, const QString& dateText, const char* suffix);

// Whether a link is followed when a day file is read.
using Links = regularfile::Links;

// The bytes of the day file at `where`; nothing when there is no such file.
// Never waits on a FIFO or device. Throws std::runtime_error naming the file
// when it is not a regular file, a link (with Links::Refuse), longer than
// `maxBytes`, or cannot be read. The bytes go into the memory of `storage`
// when it can take them (platform::SafeFile::read).
std::optional<QByteArray> readDayFile(const Location& where, qint64 maxBytes, Links links, QByteArray storage = {});

// A day file of a date text as the day load reads it: where locate() finds
// it and its bytes as readDayFile() gives them. The UTF-8 name is opened
// straight away; only when nothing is there is the CP932 spelling looked for,
// which spares the usual load a look-up per file.
struct DayFile {
    Location where;
    std::optional<QByteArray> bytes;
};
DayFile readDayFile(const QString& dataFolder, const QString& dateText, const char* suffix, Links links,
                    QByteArray storage = {});

// The most bytes a day file of record `type` may have (kMaxDayFileLines
// lines, kMaxTrifectaFileLines of H6).
qint64 maxDayFileBytes(QByteArrayView type);

// The record type of a day file's suffix ("RA", "H1", "H6", "HR").
QByteArrayView typeOfSuffix(const char* suffix);

// The day files of a date text.
QString raceFilePath(const QString& dataFolder, const QString& dateText);
QString voteFilePath(const QString& dataFolder, const QString& dateText);
QString trifectaFilePath(const QString& dataFolder, const QString& dateText);
QString resultFilePath(const QString& dataFolder, const QString& dateText);

// The date text of a date given as listed (2005年04月16日) or as 2005-04-16;
// empty when `date` is neither.
QString dateText(const QString& date);

}  // namespace tavek::dayfiles

#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <vector>

// The day files of the data folder: one ".jvRA" and one ".jvH1" file per race
// day, named by the race date (2005年04月16日.jvRA), one record per line in
// CP932, sorted, at most one line per race key.
namespace tavek::dayfiles {

inline constexpr char kRaceSuffix[] = ".jvRA";
inline constexpr char kVoteSuffix[] = ".jvH1";
// The lock file that stores take in the data folder.
inline constexpr char kStoreLockName[] = ".store-lock";

// Who stores a record: the quick report also drops a blank first line.
enum class Writer { Batch, QuickReport };

// The file name of a record's day file, "2005年04月16日.jvRA". Throws
// std::runtime_error for a record that cannot be stored: not an RA or H1
// record of its full length, a record with a CR or LF before its own CR LF,
// or a race date (positions 12-19) that is not all digits.
QString fileName(QByteArrayView record);

// Stores one record (as JV-Link delivered it, CR LF at its end) into its day
// file: replaces the line of the same race key or appends it, sorts the lines
// (case ignored) and rewrites the file atomically, creating the data folder
// and the file when missing. A lock on the data folder's kStoreLockName file
// keeps two processes storing at once from losing a record. Throws
// std::runtime_error (naming the file) when the record is refused or the file
// cannot be locked, read or written; the file is then unchanged.
void storeRecord(const QString& dataFolder, QByteArrayView record, Writer writer);

// Stores several records of the day file `name` (as fileName() gives it) with
// one read and one atomic rewrite; the file ends exactly as if they had been
// stored one by one, in order, by the batch writer. Throws like storeRecord.
void storeRecords(const QString& dataFolder, const QString& name, const std::vector<QByteArray>& records);

// The date texts of the days that have a ".jvRA" file, newest first.
QStringList dateList(const QString& dataFolder);

// The day files of a date text.
QString raceFilePath(const QString& dataFolder, const QString& dateText);
QString voteFilePath(const QString& dataFolder, const QString& dateText);

// The date text of a date given as listed (2005年04月16日) or as 2005-04-16;
// empty when `date` is neither.
QString dateText(const QString& date);

}  // namespace tavek::dayfiles

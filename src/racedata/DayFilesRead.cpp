// Finding and reading the day files: the date list, where a date's files
// are, and reading one without hanging on what is not a regular file
// (platform/RegularFile).
#include "platform/RawNames.h"
#include "platform/RegularFile.h"
#include "racedata/Cp932.h"
#include "racedata/DayFiles.h"
#include "racedata/SystemError.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace tavek::dayfiles {

namespace {

using syserror::failure;

// "2005年04月16日" of a real date, else nothing.
bool isDateText(const QString& text)
{
    static const QRegularExpression listed(QStringLiteral("^([0-9]{4})年([0-9]{2})月([0-9]{2})日$"));
    const auto m = listed.match(text);
    return m.hasMatch() && QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()).isValid();
}

// The date text of a raw file name with `suffix`, read as UTF-8 or as CP932;
// empty when the name is no day file name.
QString dateOfRawName(QByteArrayView name, QByteArrayView suffix)
{
    if (!name.endsWith(suffix))
        return {};
    const QByteArrayView stem = name.chopped(suffix.size());
    for (const QString& text : {QString::fromUtf8(stem), cp932::decode(stem)}) {
        if (isDateText(text))
            return text;
    }
    return {};
}

}  // namespace

QStringList dateList(const QString& dataFolder, QString* problem, QStringList* leftOut)
{
    // Read by their raw names: Qt would turn a CP932 name into replacement
    // characters. A folder or a broken link under a day file's name is no day.
    const auto isDayName = [](QByteArrayView name) { return !dateOfRawName(name, kRaceSuffix).isEmpty(); };
    const platform::FolderFiles files = platform::regularFiles(QFile::encodeName(dataFolder), isDayName);
    if (files.state != platform::FolderFiles::State::Listed) {
        if (problem && files.state == platform::FolderFiles::State::Failed)
            *problem = QStringLiteral("データフォルダ %1 を読めません：%2").arg(dataFolder, files.reason);
        return {};
    }
    const auto newestFirst = [](const QList<QByteArray>& names) {
        QStringList dates;
        for (const QByteArray& name : names)
            dates.append(dateOfRawName(name, kRaceSuffix));
        std::sort(dates.begin(), dates.end(), std::greater<>());
        dates.erase(std::unique(dates.begin(), dates.end()), dates.end());
        return dates;
    };
    const QStringList dates = newestFirst(files.names);
    if (leftOut) {
        // A day with a regular file under its other name (UTF-8 or CP932) is listed.
        *leftOut = newestFirst(files.others);
        leftOut->removeIf([&](const QString& date) { return dates.contains(date); });
    }
    return dates;
}

QString leftOutNote(const QString& dataFolder, const QStringList& dates)
{
    QStringList names;
    for (const QString& date : dates)
        names.append(date + QLatin1String(kRaceSuffix));
    return QStringLiteral("データフォルダ %1 の %2 は通常のファイルではないため、その日を一覧に入れていません")
        .arg(QDir::toNativeSeparators(dataFolder), names.join(QStringLiteral("、")));
}

Location locate(const QString& dataFolder, const QString& dateText, const char* suffix)
{
    const QString path = QDir(dataFolder).filePath(dateText + QLatin1String(suffix));
    const QByteArray utf8 = QFile::encodeName(path);
    if (!platform::existsOrIsLink(utf8) && isDateText(dateText)) {
        const QByteArray cp932Path = QFile::encodeName(QDir(dataFolder).path()) + '/' + cp932::encode(dateText)
                                     + suffix;
        if (platform::existsOrIsLink(cp932Path))
            return {cp932Path, path};
    }
    return {utf8, path};
}

std::optional<QByteArray> readDayFile(const Location& where, qint64 maxBytes, Links links, QByteArray storage)
{
    regularfile::Contents file = regularfile::read(where.native, maxBytes, links, std::move(storage));
    switch (file.status) {
    case regularfile::Status::Read:
        return std::move(file.bytes);
    case regularfile::Status::Missing:  // no file, or no data folder
        return std::nullopt;
    case regularfile::Status::Link:
        throw failure(QStringLiteral("日ファイル %1 はシンボリックリンクです。データフォルダの外を"
                                     "書き換えないよう、これには保存しません")
                          .arg(where.shown));
    case regularfile::Status::NotRegular:
        throw failure(QStringLiteral("日ファイル %1 は通常のファイルではありません").arg(where.shown));
    case regularfile::Status::TooLarge:
        throw failure(QStringLiteral("日ファイル %1 は %2 バイトあり、日ファイルとしては大きすぎるので読みません"
                                     "（上限 %3 バイト）")
                          .arg(where.shown)
                          .arg(file.size)
                          .arg(maxBytes));
    case regularfile::Status::OpenFailed:
        throw failure(QStringLiteral("日ファイル %1 を開けません：%2").arg(where.shown, file.reason));
    case regularfile::Status::ReadFailed:
        break;
    }
    throw failure(QStringLiteral("日ファイル %1 を読めません：%2").arg(where.shown, file.reason));
}

DayFile readDayFile(const QString& dataFolder, const QString& dateText, const char* suffix, Links links,
                    QByteArray storage)
{
    const QString path = QDir(dataFolder).filePath(dateText + QLatin1String(suffix));
    const qint64 maxBytes = maxDayFileBytes(typeOfSuffix(suffix));
    DayFile file{{QFile::encodeName(path), path}, std::nullopt};
    file.bytes = readDayFile(file.where, maxBytes, links, std::move(storage));
    if (!file.bytes) {
        const QByteArray utf8 = file.where.native;
        file.where = locate(dataFolder, dateText, suffix);
        if (file.where.native != utf8)
            file.bytes = readDayFile(file.where, maxBytes, links);
    }
    return file;
}

QString dateText(const QString& date)
{
    static const QRegularExpression iso(QStringLiteral("^([0-9]{4})-([0-9]{2})-([0-9]{2})$"));
    if (isDateText(date))
        return date;
    const auto m = iso.match(date);
    if (!m.hasMatch())
        return {};
    const QString text = m.captured(1) + u'年' + m.captured(2) + u'月' + m.captured(3) + u'日';
    return isDateText(text) ? text : QString();
}

}  // namespace tavek::dayfiles

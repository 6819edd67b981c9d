#include "appfiles/IniFile.h"

#include "platform/RegularFile.h"
#include "racedata/AtomicFile.h"
#include "racedata/Cp932.h"
#include "racedata/RecordLines.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <optional>
#include <stdexcept>

namespace tavek::ini {

namespace {

regularfile::Contents readFile(const QString& path)
{
    return regularfile::read(QFile::encodeName(path), kMaxFileBytes, regularfile::Links::Follow);
}

// Why a file that exists is not read; empty when it is.
QString whyNotRead(const regularfile::Contents& file)
{
    switch (file.status) {
    case regularfile::Status::Read:
    case regularfile::Status::Missing:
    case regularfile::Status::Link:  // links are followed
        return {};
    case regularfile::Status::NotRegular:
        return QStringLiteral("通常のファイルではありません");
    case regularfile::Status::TooLarge:
        return QStringLiteral("%1 バイトあり、設定ファイルとしては大きすぎます（上限 %2 バイト）")
            .arg(file.size)
            .arg(kMaxFileBytes);
    case regularfile::Status::OpenFailed:
    case regularfile::Status::ReadFailed:
        break;
    }
    return file.reason;
}

// The file's lines without their line ends; nothing when it is missing or not read.
std::optional<QList<QByteArray>> readLines(const regularfile::Contents& file)
{
    if (file.status != regularfile::Status::Read)
        return std::nullopt;
    return recordlines::lines(file.bytes);
}

bool sameName(const QByteArray& a, const QString& b)
{
    return QString::compare(cp932::decode(a), b.trimmed(), Qt::CaseInsensitive) == 0;
}

// The section name of a "[name]" line.
std::optional<QByteArray> sectionName(const QByteArray& line)
{
    const QByteArray t = line.trimmed();
    if (!t.startsWith('['))
        return std::nullopt;
    const qsizetype close = t.indexOf(']');
    return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

// The key of a "key=value" line.
std::optional<QByteArray> keyName(const QByteArray& line)
{
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    return line.left(eq).trimmed();
}

// Index of the section's header line, or -1.
qsizetype findSection(const QList<QByteArray>& lines, const QString& section)
{
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (auto name = sectionName(lines[i]); name && sameName(*name, section))
            return i;
    return -1;
}

// One past the section's last line (the next header or the end).
qsizetype sectionEnd(const QList<QByteArray>& lines, qsizetype header)
{
    qsizetype i = header + 1;
    while (i < lines.size() && !sectionName(lines[i]))
        ++i;
    return i;
}

qsizetype findKey(const QList<QByteArray>& lines, qsizetype from, qsizetype to, const QString& key)
{
    for (qsizetype i = from; i < to; ++i)
        if (auto name = keyName(lines[i]); name && sameName(*name, key))
            return i;
    return -1;
}

// Cuts a CP932 value at `limit` bytes without leaving half a double-byte character.
QByteArray cut(QByteArray value, int limit)
{
    if (value.size() <= limit)
        return value;
    value.truncate(limit);
    qsizetype i = 0;
    while (i < value.size()) {
        const bool lead = cp932::isLeadByte(static_cast<unsigned char>(value[i]));
        if (lead && i + 1 == value.size()) {
            value.chop(1);
            break;
        }
        i += lead ? 2 : 1;
    }
    return value;
}

// A line break inside a value would split it into two lines of the file.
QByteArray oneLine(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return cp932::encode(t);
}

[[noreturn]] void cannotWrite(const QString& path, const QString& why = {})
{
    const QString text = QStringLiteral("%1 に書き込めません").arg(path);
    throw std::runtime_error((why.isEmpty() ? text : text + QStringLiteral("：") + why).toStdString());
}

}  // namespace

QString problem(const QString& path)
{
    const QString why = whyNotRead(readFile(path));
    if (why.isEmpty())
        return {};
    return QStringLiteral("設定ファイル %1 は読みません：%2。既定の設定で続けます。").arg(path, why);
}

QString readString(const QString& path, const QString& section, const QString& key, const QString& fallback)
{
    const auto lines = readLines(readFile(path));
    if (!lines)
        return fallback;
    const qsizetype header = findSection(*lines, section);
    if (header < 0)
        return fallback;
    const qsizetype at = findKey(*lines, header + 1, sectionEnd(*lines, header), key);
    if (at < 0)
        return fallback;
    const QByteArray& line = (*lines)[at];
    return cp932::decode(cut(line.mid(line.indexOf('=') + 1).trimmed(), kMaxValueBytes));
}

void writeString(const QString& path, const QString& section, const QString& key, const QString& value)
{
    const QFileInfo info(path);
    QList<QByteArray> lines;
    if (info.exists()) {
        // A file that exists but is not read or cannot be written must not be replaced.
        const regularfile::Contents file = readFile(path);
        auto read = readLines(file);
        if (!read)
            cannotWrite(path, whyNotRead(file));
        if (!info.isWritable())
            cannotWrite(path);
        lines = std::move(*read);
    }
    const QByteArray entry = oneLine(key) + '=' + oneLine(value);
    const qsizetype header = findSection(lines, section);
    if (header < 0) {
        lines.append('[' + oneLine(section) + ']');
        lines.append(entry);
    } else {
        const qsizetype end = sectionEnd(lines, header);
        const qsizetype at = findKey(lines, header + 1, end, key);
        if (at >= 0) {
            lines[at] = entry;
        } else {
            qsizetype insertAt = end;
            while (insertAt > header + 1 && lines[insertAt - 1].trimmed().isEmpty())
                --insertAt;
            lines.insert(insertAt, entry);
        }
    }
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + "\r\n";
    if (!atomicfile::replace(path, text, nullptr, true))
        cannotWrite(path);
}

}  // namespace tavek::ini

#include "appfiles/IniGT.h"

#include "appfiles/AppFolder.h"
#include "appfiles/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <climits>

namespace tavek {

namespace {
// Half-width corner brackets, single bytes A2 and A3 in CP932.
const QChar kOpenBracket(0xFF62);
const QChar kCloseBracket(0xFF63);
const QChar kQuote(u'"');
}  // namespace

int iniInteger(const QString& text, int def)
{
    QString t = text;
    if (t.size() > 2 && t[0] == u'0' && (t[1] == u'x' || t[1] == u'X'))
        t = u'$' + t.mid(2);
    bool negative = false;
    if (!t.isEmpty() && (t[0] == u'-' || t[0] == u'+')) {
        negative = t[0] == u'-';
        t.remove(0, 1);
    }
    bool ok = false;
    long long value = 0;
    if (t.startsWith(u'$')) {
        // Hexadecimal takes up to 32 bits and wraps into the signed range.
        const QString digits = t.mid(1);
        const unsigned long long raw = digits.size() <= 8 ? digits.toULongLong(&ok, 16) : 0;
        value = static_cast<int>(static_cast<unsigned int>(raw));
        ok = ok && !digits.startsWith(u'+') && !digits.startsWith(u'-');
    } else {
        value = t.toLongLong(&ok, 10);
        ok = ok && !t.startsWith(u'+') && !t.startsWith(u'-');
    }
    if (negative)
        value = -value;
    if (!ok || value < INT_MIN || value > INT_MAX)
        return def;
    return static_cast<int>(value);
}

QString TIniGT::path() const
{
    QString name = FileName;
    if (name.isEmpty()) {
        const QFileInfo exe(appfolder::executablePath());
        const QString base = exe.suffix().isEmpty() ? exe.fileName() : exe.completeBaseName();
        name = base + QStringLiteral(".ini");
    }
    if (name.contains(u'/'))
        return name;
    return QDir(appfolder::path()).filePath(name);
}

int TIniGT::ReadInteger(const QString& section, const QString& key, int def) const
{
    return iniInteger(ini::readString(path(), section, key, QString()), def);
}

void TIniGT::WriteInteger(const QString& section, const QString& key, int value) const
{
    ini::writeString(path(), section, key, QString::number(value));
}

QString TIniGT::ReadString(const QString& section, const QString& key, const QString& def) const
{
    const QString text = ini::readString(path(), section, key, kOpenBracket + def + kCloseBracket);
    if (text.size() == 2
        && ((text[0] == kQuote && text[1] == kQuote) || (text[0] == kOpenBracket && text[1] == kCloseBracket)))
        return QString();
    if (text.size() > 2
        && ((text.front() == kQuote && text.back() == kQuote)
            || (text.front() == kOpenBracket && text.back() == kCloseBracket)))
        return text.mid(1, text.size() - 2);
    return text;
}

void TIniGT::WriteString(const QString& section, const QString& key, const QString& value) const
{
    ini::writeString(path(), section, key, value);
}

}  // namespace tavek

#include "manual/ShotSyntax.h"

#include <QRegularExpression>

#include <stdexcept>

namespace tavek::manual {

namespace {

const QRegularExpression kPicture(QStringLiteral(R"(^!\[([^\]]*)\]\(shot:([a-z0-9][a-z0-9-]*)\)$)"));
const QRegularExpression kItem(QStringLiteral(R"(^ {0,3}\d{1,9}[.)][ \t]+(.*)$)"));
const QRegularExpression kCallout(
    QStringLiteral(R"(^\{([A-Za-z_][A-Za-z0-9_]*(?:/[A-Za-z_][A-Za-z0-9_]*)*)\}[ \t]*(.*)$)"));

bool isBlank(const QString& line)
{
    return line.trimmed().isEmpty();
}

bool isFence(const QString& line)
{
    return line.trimmed().startsWith(QStringLiteral("```"));
}

// A line that ends a list item instead of continuing it lazily: the start of
// a block of another kind.
bool startsOtherBlock(const QString& line)
{
    static const QRegularExpression block(QStringLiteral(R"(^(#|```|\||[-*+>] |!\[))"));
    return block.match(line).hasMatch();
}

QRegularExpressionMatch calloutItem(const QString& line)
{
    const QRegularExpressionMatch item = kItem.match(line);
    return item.hasMatch() ? kCallout.match(item.captured(1)) : QRegularExpressionMatch();
}

[[noreturn]] void fail(qsizetype index, const QString& what)
{
    throw std::runtime_error(QStringLiteral("line %1: %2").arg(index + 1).arg(what).toStdString());
}

struct Reading {
    std::vector<Shot> shots;
    QStringList typeset;

    void separate()
    {
        if (!typeset.isEmpty() && !isBlank(typeset.last()))
            typeset.append(QString());
    }
};

// The callout list that starts at line `from`; returns the line after it.
qsizetype readCallouts(const QStringList& lines, qsizetype from, Shot& shot, Reading& r)
{
    qsizetype j = from;
    while (j < lines.size()) {
        const QString& line = lines[j];
        if (kItem.match(line).hasMatch()) {
            const QRegularExpressionMatch c = calloutItem(line);
            if (!c.hasMatch())
                fail(j, QStringLiteral("every item of a callout list begins with {objectName}"));
            shot.callouts.push_back({c.captured(1).split(u'/'), int(j) + 1});
            r.separate();
            r.typeset.append(QStringLiteral("![%1](marker:%1) %2").arg(shot.callouts.size()).arg(c.captured(2)));
        } else if (isBlank(line)) {
            // A blank line between items keeps the list; before anything else it ends it.
            qsizetype next = j;
            while (next < lines.size() && isBlank(lines[next]))
                ++next;
            if (next == lines.size() || !kItem.match(lines[next]).hasMatch())
                return j;
            j = next;
            continue;
        } else if (line.front().isSpace() || !startsOtherBlock(line)) {
            r.typeset.append(line.trimmed());
        } else {
            return j;
        }
        ++j;
    }
    return j;
}

Reading read(const QString& markdown)
{
    QStringList lines = markdown.split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    Reading r;
    bool fenced = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (isFence(line))
            fenced = !fenced;
        if (fenced || isFence(line)) {
            r.typeset.append(line);
            continue;
        }
        if (!line.contains(QStringLiteral("](shot:"))) {
            if (calloutItem(line).hasMatch())
                fail(i, QStringLiteral("a callout list belongs directly after a picture ![caption](shot:name)"));
            r.typeset.append(line);
            continue;
        }
        const QRegularExpressionMatch m = kPicture.match(line.trimmed());
        if (!m.hasMatch())
            fail(i, QStringLiteral("a picture is written ![caption](shot:name) alone on its line, the name in "
                                   "lower-case letters, digits and hyphens"));
        const bool aloneBefore = i == 0 || isBlank(lines[i - 1]) || lines[i - 1].startsWith(u'#');
        const bool aloneAfter = i + 1 == lines.size() || isBlank(lines[i + 1]) || kItem.match(lines[i + 1]).hasMatch();
        if (!aloneBefore || !aloneAfter)
            fail(i, QStringLiteral("a picture is a paragraph of its own: leave a blank line before and after it"));

        Shot shot{m.captured(2), m.captured(1), int(i) + 1, {}};
        r.separate();
        // The name as the alternative text: Qt's reader drops an image without one.
        r.typeset.append(QStringLiteral("![%1](shot:%1)").arg(shot.name));
        if (!shot.caption.isEmpty())
            r.typeset << QString() << shot.caption;
        qsizetype next = i + 1;
        while (next < lines.size() && isBlank(lines[next]))
            ++next;
        if (next < lines.size() && calloutItem(lines[next]).hasMatch())
            i = readCallouts(lines, next, shot, r) - 1;
        r.shots.push_back(std::move(shot));
    }
    return r;
}

}  // namespace

std::vector<Shot> shotsIn(const QString& markdown)
{
    return read(markdown).shots;
}

QString typesetSource(const QString& markdown)
{
    return read(markdown).typeset.join(u'\n');
}

}  // namespace tavek::manual

#include "make-manual/PdfNavigation.h"

#include <QFile>
#include <QRegularExpression>

#include <stdexcept>

namespace tavek::pdfnav {

namespace {

[[noreturn]] void unreadable(const QString& path, const QString& what)
{
    throw std::runtime_error(
        QStringLiteral("%1: %2, not as Qt's PDF writer lays out a file").arg(path, what).toStdString());
}

QRegularExpressionMatch find(const QByteArray& text, const QString& pattern)
{
    return QRegularExpression(pattern).match(QString::fromLatin1(text));
}

// "/Root 2 0 R" in `dict` gives 2; 0 when missing.
int reference(const QByteArray& dict, const QString& key)
{
    const QRegularExpressionMatch m = find(dict, key + QStringLiteral(R"(\s+(\d+)\s+0\s+R)"));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// The body of object `number` (between "N 0 obj" and "endobj"); empty when missing.
QByteArray body(const QByteArray& pdf, int number)
{
    const QByteArray head = '\n' + QByteArray::number(number) + " 0 obj\n";
    const qsizetype at = pdf.indexOf(head);
    if (at < 0)
        return {};
    const qsizetype from = at + head.size();
    const qsizetype end = pdf.indexOf("endobj", from);
    return end < 0 ? QByteArray() : pdf.mid(from, end - from);
}

// A text string as PDF writes any Unicode: UTF-16BE in hex after its byte order mark.
QByteArray textString(const QString& text)
{
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + '>';
}

// `dict` ("<< ... >>") with `entries` added before its end.
QByteArray withEntries(QByteArray dict, const QByteArray& entries)
{
    return dict.insert(dict.lastIndexOf(">>"), entries);
}

// The end of the dictionary that opens at `open` ("<<"), nested ones included.
qsizetype dictEnd(const QByteArray& text, qsizetype open)
{
    int depth = 0;
    for (qsizetype i = open; i + 1 < text.size(); ++i) {
        if (text[i] == '<' && text[i + 1] == '<') {
            ++depth;
            ++i;
        } else if (text[i] == '>' && text[i + 1] == '>') {
            ++i;
            if (--depth == 0)
                return i + 1;
        }
    }
    return -1;
}

struct Document {
    QString path;
    QByteArray pdf;
    std::vector<int> pages;  // object numbers, in order
    qreal pageHeight = 0;
    int size = 0;  // the trailer's /Size: the next free object number

    QByteArray destination(const QString& name, const std::map<QString, Target>& targets) const
    {
        const auto t = targets.find(name);
        if (t == targets.end())
            throw std::runtime_error(QStringLiteral("%1: a link leads to \"%2\", which is no heading of the manual")
                                         .arg(path, name)
                                         .toStdString());
        if (t->second.page < 0 || t->second.page >= int(pages.size()))
            unreadable(path, QStringLiteral("no page %1").arg(t->second.page + 1));
        return QByteArray::number(pages[size_t(t->second.page)]) + " 0 R /XYZ null "
               + QByteArray::number(pageHeight - t->second.top, 'f', 2) + " null";
    }
};

Document read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("cannot read %1").arg(path).toStdString());
    Document d{path, file.readAll(), {}, 0, 0};
    const qsizetype trailer = d.pdf.lastIndexOf("trailer");
    if (trailer < 0)
        unreadable(path, QStringLiteral("no trailer"));
    const QByteArray dict = d.pdf.mid(trailer);
    d.size = find(dict, QStringLiteral(R"(/Size\s+(\d+))")).captured(1).toInt();
    const QByteArray catalog = body(d.pdf, reference(dict, QStringLiteral("/Root")));
    const QByteArray pages = body(d.pdf, reference(catalog, QStringLiteral("/Pages")));
    const QRegularExpressionMatch kids = find(pages, QStringLiteral(R"(/Kids\s*\[([^\]]*)\])"));
    static const QRegularExpression ref(QStringLiteral(R"((\d+)\s+0\s+R)"));
    for (const QRegularExpressionMatch& m : ref.globalMatch(kids.captured(1)))
        d.pages.push_back(m.captured(1).toInt());
    if (d.size <= 0 || d.pages.empty())
        unreadable(path, QStringLiteral("no page tree"));
    const QRegularExpressionMatch box = find(body(d.pdf, d.pages.front()),
                                             QStringLiteral(R"(/MediaBox\s*\[\s*\S+\s+\S+\s+\S+\s+(\S+)\s*\])"));
    d.pageHeight = box.captured(1).toDouble();
    if (d.pageHeight <= 0)
        unreadable(path, QStringLiteral("no page size"));
    return d;
}

// New versions of the link annotations to "#name" (Qt 6.4: an address on the
// web) or to the named destination "name" (later Qt versions): a jump to the
// page and height instead.
std::map<int, QByteArray> jumps(const Document& d, const std::map<QString, Target>& targets)
{
    static const QRegularExpression internal(QStringLiteral(R"(/URI\s*\(#([^)]*)\)|/Dest\s*\(([^)]*)\))"));
    std::map<int, QByteArray> changed;
    for (qsizetype at = d.pdf.indexOf("/Subtype /Link"); at >= 0; at = d.pdf.indexOf("/Subtype /Link", at + 1)) {
        const qsizetype head = d.pdf.lastIndexOf(" 0 obj\n", at);
        const qsizetype line = d.pdf.lastIndexOf('\n', head) + 1;
        const qsizetype end = d.pdf.indexOf("endobj", at);
        if (head < 0 || end < 0)
            unreadable(d.path, QStringLiteral("a link outside an object"));
        const int number = d.pdf.mid(line, head - line).toInt();
        QByteArray annot = d.pdf.mid(head + 7, end - head - 7).trimmed();
        const QRegularExpressionMatch m = internal.match(QString::fromLatin1(annot));
        if (!m.hasMatch())
            continue;  // an address on the web stays one
        const QString name = m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
        if (m.captured(1).isEmpty()) {
            annot.remove(m.capturedStart(), m.capturedLength());
        } else {
            static const QRegularExpression actionKey(QStringLiteral(R"(/A\s*<<)"));
            const qsizetype action = actionKey.match(QString::fromLatin1(annot)).capturedStart();
            const qsizetype actionEnd = action < 0 ? -1 : dictEnd(annot, annot.indexOf("<<", action));
            if (actionEnd < 0)
                unreadable(d.path, QStringLiteral("a link without its action"));
            annot.remove(action, actionEnd - action);
        }
        changed[number] = withEntries(annot, "/Dest [" + d.destination(name, targets) + "]\n") + '\n';
    }
    return changed;
}

// The outline's objects from number `first` on, and the number of its root.
std::map<int, QByteArray> outlineObjects(const Document& d, const std::vector<OutlineEntry>& entries,
                                         const std::map<QString, Target>& targets, int first)
{
    const int root = first;
    auto number = [first](size_t i) { return QByteArray::number(first + 1 + int(i)) + " 0 R"; };
    std::vector<size_t> chapters;
    std::vector<std::vector<size_t>> sections;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].level > 1 && !chapters.empty()) {
            sections.back().push_back(i);
        } else {
            chapters.push_back(i);
            sections.emplace_back();
        }
    }
    std::map<int, QByteArray> objects;
    // Siblings in order, under `parent`; closed chapters keep the list to one screen.
    auto link = [&](const std::vector<size_t>& siblings, const QByteArray& parent, const std::vector<size_t>* kids) {
        for (size_t s = 0; s < siblings.size(); ++s) {
            const size_t i = siblings[s];
            QByteArray item = "<<\n/Title " + textString(entries[i].title) + "\n/Parent " + parent + "\n/Dest ["
                              + d.destination(entries[i].target, targets) + "]\n";
            if (s > 0)
                item += "/Prev " + number(siblings[s - 1]) + '\n';
            if (s + 1 < siblings.size())
                item += "/Next " + number(siblings[s + 1]) + '\n';
            if (kids && !kids[s].empty())
                item += "/First " + number(kids[s].front()) + "\n/Last " + number(kids[s].back()) + "\n/Count -"
                        + QByteArray::number(kids[s].size()) + '\n';
            objects[first + 1 + int(i)] = item + ">>\n";
        }
    };
    const QByteArray rootRef = QByteArray::number(root) + " 0 R";
    link(chapters, rootRef, sections.data());
    for (size_t c = 0; c < chapters.size(); ++c)
        link(sections[c], number(chapters[c]), nullptr);
    if (!chapters.empty())
        objects[root] = "<<\n/Type /Outlines\n/First " + number(chapters.front()) + "\n/Last " + number(chapters.back())
                        + "\n/Count " + QByteArray::number(chapters.size()) + "\n>>\n";
    return objects;
}

}  // namespace

void addNavigation(const QString& path, const std::map<QString, Target>& targets,
                   const std::vector<OutlineEntry>& outline)
{
    const Document d = read(path);
    std::map<int, QByteArray> objects = jumps(d, targets);
    if (!outline.empty()) {
        const qsizetype trailer = d.pdf.lastIndexOf("trailer");
        const int root = reference(d.pdf.mid(trailer), QStringLiteral("/Root"));
        objects.merge(outlineObjects(d, outline, targets, d.size));
        objects[root] = withEntries(body(d.pdf, root).trimmed(),
                                    "/Outlines " + QByteArray::number(d.size) + " 0 R\n/PageMode /UseOutlines\n")
                        + '\n';
    }
    if (objects.empty())
        return;

    // The update: the objects, their cross-reference section in runs of
    // consecutive numbers, and a trailer that points back at the first one.
    QByteArray update = d.pdf.endsWith('\n') ? QByteArray() : QByteArray("\n");
    std::map<int, qsizetype> offsets;
    for (const auto& [number, text] : objects) {
        offsets[number] = d.pdf.size() + update.size();
        update += QByteArray::number(number) + " 0 obj\n" + text + "endobj\n";
    }
    const qsizetype xref = d.pdf.size() + update.size();
    update += "xref\n";
    for (auto run = offsets.begin(); run != offsets.end();) {
        auto end = run;
        int count = 0;
        while (end != offsets.end() && end->first == run->first + count) {
            ++end;
            ++count;
        }
        update += QByteArray::number(run->first) + ' ' + QByteArray::number(count) + '\n';
        for (; run != end; ++run)
            update += QByteArray::number(run->second).rightJustified(10, '0') + " 00000 n \n";
    }
    const qsizetype oldXref = d.pdf.lastIndexOf("startxref");
    const QByteArray previous = d.pdf.mid(oldXref + 9).trimmed().split('\n').front().trimmed();
    QByteArray trailer = d.pdf.mid(d.pdf.lastIndexOf("trailer") + 7, oldXref - d.pdf.lastIndexOf("trailer") - 7);
    trailer = QString::fromLatin1(trailer)
                  .remove(QRegularExpression(QStringLiteral(R"(/(Size|Prev)\s+\d+\s*)")))
                  .toLatin1()
                  .trimmed();
    const int size = std::max(d.size, objects.rbegin()->first + 1);
    update += "trailer\n" + withEntries(trailer, "/Size " + QByteArray::number(size) + "\n/Prev " + previous + '\n')
              + "\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";

    QFile file(path);
    if (!file.open(QIODevice::Append) || file.write(update) != update.size() || !file.flush())
        throw std::runtime_error(QStringLiteral("cannot write %1").arg(path).toStdString());
}

}  // namespace tavek::pdfnav

// The links within the manual and its outline, added to the PDF Qt wrote.
#include "make-manual/PdfNavigation.h"
#include "support/TestFiles.h"

#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <stdexcept>

using namespace tavek;

namespace {

// Two pages; the first links to "#two" and to a web address.
QString twoPages(const QTemporaryDir& dir, const QString& link = QStringLiteral("#two"))
{
    const QString path = dir.filePath(QStringLiteral("nav.pdf"));
    QPdfWriter pdf(path);
    QTextDocument doc;
    doc.setMarkdown(QStringLiteral("[次へ](%1) [web](https://tavek.example.jp/)").arg(link));
    QPainter painter(&pdf);
    doc.drawContents(&painter);
    pdf.newPage();
    painter.drawText(100, 100, QStringLiteral("two"));
    painter.end();
    return path;
}

QString text(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes);
}

// The offsets the last cross-reference section gives, by object number.
std::map<int, qsizetype> lastSection(const QByteArray& pdf)
{
    const qsizetype start = pdf.mid(pdf.lastIndexOf("startxref") + 9).trimmed().split('\n').front().toLongLong();
    std::map<int, qsizetype> offsets;
    const QStringList lines = text(pdf.mid(start, pdf.indexOf("trailer", start) - start)).split(u'\n');
    EXPECT_EQ(lines.front(), QStringLiteral("xref"));
    int number = 0;
    for (const QString& line : lines.mid(1)) {
        const QStringList parts = line.split(u' ', Qt::SkipEmptyParts);
        if (parts.size() == 2)
            number = parts[0].toInt();
        else if (parts.size() == 3)
            offsets[number++] = parts[0].toLongLong();
    }
    return offsets;
}

}  // namespace

TEST(PdfNavigation, LinksJumpToTheirPageAndTheOutlineListsTheChapters)
{
    QTemporaryDir dir;
    const QString path = twoPages(dir);
    const QByteArray before = test::readFile(path);
    pdfnav::addNavigation(
        path, {{QStringLiteral("two"), {1, 100}}},
        {{QStringLiteral("二"), QStringLiteral("two"), 1}, {QStringLiteral("節"), QStringLiteral("two"), 2}});
    const QByteArray after = test::readFile(path);

    // Appended, never rewritten: what Qt wrote stays byte for byte.
    ASSERT_TRUE(after.startsWith(before));
    const QByteArray update = after.mid(before.size());
    // Every object of the update is where its cross-reference entry says.
    const std::map<int, qsizetype> offsets = lastSection(after);
    ASSERT_FALSE(offsets.empty());
    for (const auto& [number, offset] : offsets)
        EXPECT_TRUE(after.mid(offset).startsWith(QByteArray::number(number) + " 0 obj\n")) << number;

    const QRegularExpression kids(QStringLiteral(R"(/Kids\s*\[\s*(\d+) 0 R\s+(\d+) 0 R)"));
    const QString secondPage = kids.match(text(before)).captured(2);
    ASSERT_FALSE(secondPage.isEmpty());
    const QString jump = QStringLiteral("/Dest [%1 0 R /XYZ null 742.00 null]").arg(secondPage);
    EXPECT_EQ(text(update).count(QStringLiteral("/Subtype /Link")), text(before).count(QStringLiteral("/URI (#two)")));
    EXPECT_TRUE(text(update).contains(jump)) << update.toStdString();
    EXPECT_FALSE(text(update).contains(QStringLiteral("/URI"))) << "the web link keeps its address";
    EXPECT_TRUE(text(update).contains(QStringLiteral("/Outlines ")));
    EXPECT_TRUE(text(update).contains(QStringLiteral("/Title <FEFF4E8C>")));
    EXPECT_TRUE(text(update).contains(QStringLiteral("/Count -1")));  // the chapter, closed over its section
    const QByteArray previous = before.mid(before.lastIndexOf("startxref") + 9).trimmed().split('\n').front().trimmed();
    EXPECT_TRUE(update.contains("/Prev " + previous + '\n'));
}

TEST(PdfNavigation, ALinkToNoHeadingIsAnError)
{
    QTemporaryDir dir;
    const QString path = twoPages(dir, QStringLiteral("#gone"));
    try {
        pdfnav::addNavigation(path, {{QStringLiteral("two"), {1, 100}}}, {});
        FAIL() << "accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("\"gone\""))) << e.what();
    }
}

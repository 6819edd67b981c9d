// Where the manual's pages end: never inside a line, a table row or a
// heading with what follows it; a chapter on a new page, a table's heading
// row again where the table goes on; the contents naming the right pages.
#include "make-manual/ManualPages.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ManualPages, PagesEndOnlyWhereAReaderCanTurnThePage)
{
    QString markdown = QStringLiteral("# 題\n\n前書きです。\n\n## 一\n\n");
    for (int i = 1; i <= 12; ++i)
        markdown += QStringLiteral("段落 %1 は、行の途中でページが変わらないことを確かめるための、"
                                   "二行以上に折り返す長さの文章です。")
                        .arg(i)
                        .repeated(3)
                    + QStringLiteral("\n\n");
    markdown += QStringLiteral("### 表\n\n| 列 | 内容 |\n|---|---|\n");
    for (int i = 1; i <= 40; ++i)
        markdown += QStringLiteral("| %1 | 折り返すほど長い説明の行です。折り返すほど長い説明の行です。 |\n").arg(i);
    markdown += QStringLiteral("\n## 二\n\n最後の章です。\n");

    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath(QStringLiteral("manual.pdf")));
    pdf.setResolution(600);
    ManualDocument manual(markdown, dir.path(), pdf, 4000);
    const qreal height = 2400;  // a small page: many breaks
    const ManualPages pages = ManualPages::numbered(manual, height);
    const auto& p = pages.pages();
    ASSERT_GT(p.size(), 4u);

    EXPECT_EQ(p.front().top, 0);
    EXPECT_NEAR(p.back().bottom, manual.height(), 0.5);
    bool repeated = false;
    for (size_t i = 0; i < p.size(); ++i) {
        if (i + 1 < p.size()) {
            EXPECT_EQ(p[i].bottom, p[i + 1].top) << i;
        }
        const qreal header = p[i].repeated ? p[i].repeated->bottom - p[i].repeated->top : 0;
        EXPECT_LE(p[i].bottom - p[i].top + header, height + 0.5) << "page " << i + 1 << " overflows";
        for (const ManualDocument::Span& s : manual.unbreakable())
            if (s.bottom - s.top < height) {
                EXPECT_FALSE(s.top + 0.5 < p[i].bottom && p[i].bottom < s.bottom - 0.5)
                    << "page " << i + 1 << " ends inside " << s.top << "-" << s.bottom;
            }
        for (const ManualDocument::Table& t : manual.tables())
            if (p[i].top > t.header.bottom - 0.5 && p[i].top < t.whole.bottom - 0.5) {
                ASSERT_TRUE(p[i].repeated) << "page " << i + 1 << " goes on with the table without its heading";
                EXPECT_EQ(p[i].repeated->top, t.header.top);
                repeated = true;
            }
    }
    EXPECT_TRUE(repeated) << "the table fits one page; the case is not tested";

    const QString contents = manual.document().toPlainText();
    for (const ManualDocument::Heading& h : manual.headings()) {
        if (h.level != 2)
            continue;
        const int page = pages.pageOf(manual.headingTop(h));
        EXPECT_NEAR(p[size_t(page)].top, manual.headingTop(h), 0.5) << h.title.toStdString() << " begins no page";
        EXPECT_TRUE(contents.contains(h.title + u'\t' + QString::number(page + 1))) << h.title.toStdString();
    }
    EXPECT_EQ(manual.headings()[1].title, QStringLiteral("1. 一"));
}

// The manual as make-manual typesets it: pictures at one scale and kept with
// their captions, callout items behind their markers, the contents linked.
#include "make-manual/ManualDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A picture as manual-shots writes it: twice the window's pixels, and says so.
void writePicture(const QTemporaryDir& dir, const QString& name, QSize window)
{
    QImage picture(window * 2, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    const int dotsPerMeter = qRound(2 * 96 / 0.0254);
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
    ASSERT_TRUE(picture.save(dir.filePath(name + QStringLiteral(".png"))));
}

QTextBlock blockWithImage(const QTextDocument& doc, const QString& name)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat() && it.fragment().charFormat().toImageFormat().name() == name)
                return b;
    return {};
}

}  // namespace

TEST(ManualDocument, PicturesAtOneScaleWithTheirCaptionsAndMarkersBeforeTheirItems)
{
    QTemporaryDir dir;
    writePicture(dir, QStringLiteral("main"), {855, 600});
    writePicture(dir, QStringLiteral("about"), {300, 150});
    QPdfWriter pdf(dir.filePath(QStringLiteral("m.pdf")));
    pdf.setResolution(600);
    const qreal width = 4000;
    ManualDocument manual(QStringLiteral("# 題\n\n## 章\n\n![メイン画面](shot:main)\n\n1. {A} 一つめ\n2. {B} 二つめ\n\n"
                                         "![](shot:about)\n"),
                          QString(dir.path()), pdf, width);
    const QTextDocument& doc = manual.document();
    auto rect = [&](const QTextBlock& b) { return doc.documentLayout()->blockBoundingRect(b); };

    // The widest window fills the text's width, the others at its scale.
    const QTextBlock main = blockWithImage(doc, QStringLiteral("shot:main"));
    const QTextBlock about = blockWithImage(doc, QStringLiteral("shot:about"));
    ASSERT_TRUE(main.isValid() && about.isValid());
    EXPECT_NEAR(rect(main).height(), 600 * width / 855, 2);
    EXPECT_NEAR(rect(about).height(), 150 * width / 855, 2);

    // A page never ends between a picture and its caption.
    const QTextBlock caption = main.next();
    EXPECT_EQ(caption.text(), QStringLiteral("メイン画面"));
    bool kept = false;
    for (const ManualDocument::Span& s : manual.unbreakable())
        kept |= s.top <= rect(main).top() && s.bottom >= rect(caption).bottom();
    EXPECT_TRUE(kept);

    // Each item hangs its marker left of its text.
    for (int n = 1; n <= 2; ++n) {
        const QTextBlock item = blockWithImage(doc, QStringLiteral("marker:%1").arg(n));
        ASSERT_TRUE(item.isValid()) << n;
        EXPECT_EQ(item.text().mid(1).trimmed(), n == 1 ? QStringLiteral("一つめ") : QStringLiteral("二つめ"));
        EXPECT_LT(item.blockFormat().textIndent(), 0);
        EXPECT_EQ(item.blockFormat().leftMargin(), -item.blockFormat().textIndent());
    }

    // The contents before the first chapter lead to it.
    const ManualDocument::Heading& chapter = manual.headings()[1];
    EXPECT_EQ(chapter.title, QStringLiteral("1. 章"));
    const QTextBlock entry = chapter.block.previous();
    EXPECT_TRUE(entry.text().startsWith(chapter.title + u'\t'));
    EXPECT_EQ(entry.begin().fragment().charFormat().anchorHref(), u'#' + chapter.target);
}

TEST(ManualDocument, APictureNotTakenIsNamed)
{
    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath(QStringLiteral("m.pdf")));
    try {
        ManualDocument manual(QStringLiteral("## 章\n\n![x](shot:timeline)\n"), dir.path(), pdf, 4000);
        FAIL() << "typeset without its picture";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(dir.filePath(QStringLiteral("timeline.png")))) << e.what();
    }
}

// Renders the user manual from its Markdown source into Tavek.pdf at build
// time, with the pictures manual-shots took of the program's windows:
//
//   make-manual <source.md> <pictures folder> <output.pdf>
//
// The source marks pictures and their callouts as manual/ShotSyntax.h says:
// a paragraph ![caption](shot:NAME) shows <pictures folder>/NAME.png, and an
// ordered list right after it whose items begin with {objectName} explains
// the numbered markers manual-shots drew; here each item begins with the same
// marker instead of its braces. The PDF is A4 with a contents list linked to
// the chapters, the chapters numbered and each on a new page, the page number
// on every page and the outline a viewer shows beside the pages.
#include "make-manual/ManualDocument.h"
#include "make-manual/ManualPages.h"
#include "make-manual/PdfNavigation.h"

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>

#include <cstdio>
#include <stdexcept>

namespace {

int render(const QString& sourcePath, const QString& pictures, const QString& output)
{
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + sourcePath.toStdString());
    const QString markdown = QString::fromUtf8(source.readAll());

    QPdfWriter pdf(output);
    pdf.setTitle(QStringLiteral("Tavek 使用解説書"));
    pdf.setCreator(QStringLiteral("Tavek"));
    pdf.setResolution(600);
    // The margins are the pages' own: the running head and the page number live in them.
    pdf.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
    const qreal mm = pdf.logicalDpiX() / 25.4;
    const QRectF text(20 * mm, 24 * mm, pdf.width() - 40 * mm, pdf.height() - 24 * mm - 22 * mm);

    ManualDocument manual(markdown, pictures, pdf, text.width());
    const ManualPages pages = ManualPages::numbered(manual, text.height());
    pages.print(manual, pdf, text);

    std::map<QString, tavek::pdfnav::Target> targets;
    std::vector<tavek::pdfnav::OutlineEntry> outline;
    const qreal points = 72.0 / pdf.logicalDpiY();
    for (const ManualDocument::Heading& h : manual.headings()) {
        const qreal top = manual.headingTop(h);
        const int page = pages.pageOf(top);
        targets[h.target] = {page, (text.top() + pages.offsetOn(page, top)) * points};
        if (h.level >= 2)
            outline.push_back({h.title, h.target, h.level - 1});
    }
    tavek::pdfnav::addNavigation(output, targets, outline);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: make-manual <source.md> <pictures folder> <output.pdf>\n");
        return 2;
    }
    // Fonts need a platform, never a display: the build may run anywhere.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        return render(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
                      QString::fromLocal8Bit(argv[3]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-manual: %s\n", e.what());
        QFile::remove(QString::fromLocal8Bit(argv[3]));
        return 1;
    }
}

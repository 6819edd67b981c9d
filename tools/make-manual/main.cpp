// Renders the user manual from its Markdown source into Tavek.pdf at build
// time: make-manual <source.md> <output.pdf>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

// The chapters ("## ") are numbered here, in their order, so that a chapter
// added or moved in the source never repeats or skips a number.
static QString numberChapters(const QString& markdown)
{
    QStringList lines = markdown.split(u'\n');
    int chapter = 0;
    bool fenced = false;
    for (QString& line : lines) {
        if (line.startsWith(QStringLiteral("```")))
            fenced = !fenced;
        else if (!fenced && line.startsWith(QStringLiteral("## ")))
            line.insert(3, QStringLiteral("%1. ").arg(++chapter));
    }
    return lines.join(u'\n');
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-manual <source.md> <output.pdf>\n");
        return 2;
    }
    // Fonts need a platform, never a display: the build may run anywhere.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make-manual: cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument doc;
    QFont body(QStringLiteral("IPAPGothic"));
    body.setPointSize(10);
    doc.setDefaultFont(body);
    doc.setMarkdown(numberChapters(QString::fromUtf8(source.readAll())));

    QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
    pdf.setTitle(QStringLiteral("Tavek 使用解説書"));
    pdf.setCreator(QStringLiteral("Tavek"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                                  QPageLayout::Millimeter));
    doc.print(&pdf);
    if (!QFile::exists(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "make-manual: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

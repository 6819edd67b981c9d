#pragma once

#include <QTextBlock>
#include <QTextDocument>
#include <map>
#include <memory>
#include <vector>

class ManualPictures;
class QTextTable;
class QPaintDevice;

// The user manual as one long QTextDocument in its printed look, laid out for
// the width of a page's text on the PDF writer: the chapters ("## ") numbered
// in their order, a contents list before the first chapter whose entries link
// to the chapters and sections, headings, tables, pictures and callout
// markers styled for reading on screen and on A4. ManualPages cuts it into
// pages at the places this class says a page may end.
class ManualDocument {
public:
    struct Heading {
        int level = 0;   // 1 the title (#), 2 a chapter (##), 3 a section (###)
        QString title;   // as printed, a chapter with its number
        QString target;  // the name the contents' links and the outline lead to
        QTextBlock block;
    };
    // A stretch of the document from top to bottom, in its coordinates.
    struct Span {
        qreal top = 0;
        qreal bottom = 0;
    };
    struct Table {
        Span whole;
        Span header;  // its first row, repeated on a page the table continues on
    };
    // Drawn behind the text: the colour band of a chapter heading, the bar
    // beside a section heading, the rule under the title.
    struct Decoration {
        enum class Kind { Band, Bar, Rule };
        Kind kind;
        QRectF rect;
    };

    // `markdown` is the manual's source; its pictures are read from `pictures`
    // (manual-shots' folder). Throws std::runtime_error for a picture that
    // breaks the rules of ShotSyntax.h or is missing.
    ManualDocument(const QString& markdown, const QString& pictures, QPaintDevice& device, qreal width);
    ~ManualDocument();
    ManualDocument(const ManualDocument&) = delete;
    ManualDocument& operator=(const ManualDocument&) = delete;

    QTextDocument& document() { return doc_; }
    qreal height() const;
    const std::vector<Heading>& headings() const { return headings_; }
    // Where a heading's page begins for a reader following a link: the top of
    // its band or bar.
    qreal headingTop(const Heading& heading) const;

    // Where pages must break: before every chapter.
    std::vector<qreal> chapterStarts() const;
    // Stretches a page must not end inside: a line of text, a table row, a
    // picture with its caption, a heading with what follows it.
    std::vector<Span> unbreakable() const;
    std::vector<Table> tables() const;
    std::vector<Decoration> decorations() const;

    // Writes the page of each chapter and section into the contents (`pages`
    // by target, counted from 1). The contents take the same room whatever
    // the numbers, so the pages stay where they were.
    void setPageNumbers(const std::map<QString, int>& pages);

private:
    struct Figure {
        QTextBlock picture;
        QTextBlock caption;  // invalid when the picture has none
    };

    void style();
    void findHeadings();
    void addContents();
    void relayout();
    QRectF rect(const QTextBlock& block) const;
    Span rowSpan(const QTextTable* table, int row) const;
    std::vector<const QTextTable*> allTables() const;
    // The bottom of the first line a reader sees after `block`.
    qreal firstLineBottomAfter(const QTextBlock& block) const;

    QTextDocument doc_;
    std::unique_ptr<ManualPictures> pictures_;
    std::vector<bool> captioned_;  // per picture, from the source
    std::vector<Heading> headings_;
    std::vector<Figure> figures_;
    std::vector<QTextBlock> contents_;  // the contents' entries, one per chapter and section
    QTextBlock contentsTitle_;
    qreal width_;
    qreal pt_;    // device units per point: the layout's coordinates, and the
                  // left and right margins and indents of blocks
    qreal unit_;  // format units per point: the layout scales the other
                  // lengths of formats (top and bottom margins, padding,
                  // borders, tab stops) from pixels of a 96-dpi screen
};

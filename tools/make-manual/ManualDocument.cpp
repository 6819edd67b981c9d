#include "make-manual/ManualDocument.h"

#include "make-manual/ManualPictures.h"
#include "manual/ShotSyntax.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextList>
#include <QTextTable>

#include <algorithm>

namespace {

const QString kBodyFont = QStringLiteral("IPAPGothic");
const QString kFixedFont = QStringLiteral("IPAGothic");
const QColor kInk(0x1B, 0x1F, 0x24);
const QColor kAccent(0x1F, 0x3A, 0x5F);  // chapter bands, section bars, the title
const QColor kMuted(0x4A, 0x55, 0x62);
const QColor kTableHead(0xE4, 0xEA, 0xF2);
const QColor kTableRule(0x9A, 0xA5, 0xB1);
const QColor kCode(0xEE, 0xF0, 0xF3);
const QString kContentsTitle = QStringLiteral("目次");

// Points of room above and below a chapter's title inside its band.
constexpr qreal kBandPad = 7;
// Japanese text wants more room between its lines than Latin.
constexpr qreal kLineSpacing = 155;

// The chapters ("## ") are numbered here, in their order, so that a chapter
// added or moved in the source never repeats or skips a number.
QString numberChapters(const QString& markdown)
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

bool inTable(const QTextBlock& block)
{
    return QTextCursor(block).currentTable() != nullptr;
}

QString imageName(const QTextBlock& block)
{
    const QTextBlock::iterator first = block.begin();
    if (first.atEnd() || !first.fragment().charFormat().isImageFormat())
        return {};
    return first.fragment().charFormat().toImageFormat().name();
}

// `format` over each piece of the block's text. The reader gives headings a
// size relative to the document's font, which would override ours: it goes.
void formatText(const QTextBlock& block, const QTextCharFormat& format)
{
    auto restyle = [&](QTextCharFormat f) {
        f.clearProperty(QTextFormat::FontSizeAdjustment);
        f.merge(format);
        return f;
    };
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment piece = it.fragment();
        QTextCursor c(block);
        c.setPosition(piece.position());
        c.setPosition(piece.position() + piece.length(), QTextCursor::KeepAnchor);
        c.setCharFormat(restyle(piece.charFormat()));
    }
    QTextCursor(block).setBlockCharFormat(restyle(block.charFormat()));
}

// Inline code in the fixed-width font on a pale ground; the rest left as it is.
void formatCode(const QTextBlock& block)
{
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (!f.charFormat().fontFixedPitch() && f.charFormat().fontFamilies().toStringList().join(u' ') != "monospace")
            continue;
        QTextCharFormat code;
        code.setFontFamilies({kFixedFont});
        code.setBackground(kCode);
        QTextCursor c(block);
        c.setPosition(f.position());
        c.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
        c.mergeCharFormat(code);
    }
}

}  // namespace

ManualDocument::ManualDocument(const QString& markdown, const QString& pictures, QPaintDevice& device, qreal width)
    : width_(width), pt_(device.logicalDpiY() / 72.0), unit_(96.0 / 72.0)
{
    const QString numbered = numberChapters(markdown);
    QStringList names;
    for (const tavek::manual::Shot& shot : tavek::manual::shotsIn(numbered)) {
        names.append(shot.name);
        captioned_.push_back(!shot.caption.isEmpty());
    }
    pictures_ = std::make_unique<ManualPictures>(pictures, names, width);

    doc_.documentLayout()->setPaintDevice(&device);
    doc_.documentLayout()->registerHandler(QTextFormat::ImageObject, pictures_.get());
    QFont body(kBodyFont);
    body.setPointSizeF(10);
    doc_.setDefaultFont(body);
    doc_.setDocumentMargin(0);
    doc_.setIndentWidth(16 * unit_);
    doc_.setMarkdown(tavek::manual::typesetSource(numbered), QTextDocument::MarkdownDialectGitHub);
    doc_.setTextWidth(width);
    {
        // One layout for all the changes, not one after each of them.
        QTextCursor edit(&doc_);
        edit.beginEditBlock();
        style();
        findHeadings();
        addContents();
        edit.endEditBlock();
    }
    findHeadings();
    relayout();
}

ManualDocument::~ManualDocument()
{
    // The layout keeps the handler until the document goes.
    doc_.documentLayout()->unregisterHandler(QTextFormat::ImageObject);
}

void ManualDocument::style()
{
    bool captionNext = false;
    for (const QTextTable* table : allTables()) {
        QTextTableFormat tf = table->format();
        // Rules between the rows only, a stronger one around the heading row:
        // the eye follows a row across without a grid in the way.
        tf.setBorder(0);
        tf.setBorderCollapse(true);
        tf.setCellPadding(3.5 * unit_);
        tf.setCellSpacing(0);
        tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        tf.setTopMargin(4 * unit_);
        tf.setBottomMargin(10 * unit_);
        const_cast<QTextTable*>(table)->setFormat(tf);
        for (int row = 0; row < table->rows(); ++row)
            for (int c = 0; c < table->columns(); ++c) {
                QTextTableCell cell = table->cellAt(row, c);
                QTextTableCellFormat rule = cell.format().toTableCellFormat();
                rule.setBottomBorder((row == 0 ? 1.2 : 0.6) * unit_);
                rule.setBottomBorderBrush(row == 0 ? kAccent : kTableRule);
                rule.setBottomBorderStyle(QTextFrameFormat::BorderStyle_Solid);
                if (row == 0) {
                    rule.setTopBorder(1.2 * unit_);
                    rule.setTopBorderBrush(kAccent);
                    rule.setTopBorderStyle(QTextFrameFormat::BorderStyle_Solid);
                    rule.setBackground(kTableHead);
                }
                cell.setFormat(rule);
            }
        for (int c = 0; c < table->columns(); ++c) {
            QTextTableCell cell = table->cellAt(0, c);
            for (QTextBlock b = cell.firstCursorPosition().block(); b.isValid(); b = b.next()) {
                QTextCharFormat bold;
                bold.setFontWeight(QFont::Bold);
                formatText(b, bold);
                if (b == cell.lastCursorPosition().block())
                    break;
            }
        }
    }
    for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat bf = b.blockFormat();
        QTextCharFormat cf;
        cf.setForeground(kInk);
        const int level = bf.headingLevel();
        const QString image = imageName(b);
        if (inTable(b)) {
            cf.setFontPointSize(9.5);
            bf.setLineHeight(135, QTextBlockFormat::ProportionalHeight);
        } else if (level == 1) {
            cf.setFontPointSize(24);
            cf.setFontWeight(QFont::Bold);
            cf.setForeground(kAccent);
            bf.setTopMargin(24 * unit_);
            bf.setBottomMargin(22 * unit_);
        } else if (level == 2) {
            cf.setFontPointSize(15);
            cf.setFontWeight(QFont::Bold);
            cf.setForeground(Qt::white);
            bf.setTopMargin(kBandPad * unit_);
            bf.setBottomMargin((kBandPad + 12) * unit_);
            bf.setLeftMargin(10 * pt_);
            bf.setRightMargin(10 * pt_);
        } else if (level >= 3) {
            cf.setFontPointSize(level == 3 ? 12.5 : 11);
            cf.setFontWeight(QFont::Bold);
            cf.setForeground(kAccent);
            bf.setTopMargin(16 * unit_);
            bf.setBottomMargin(6 * unit_);
            bf.setLeftMargin(level == 3 ? 12 * pt_ : 0);
        } else if (image.startsWith(QStringLiteral("shot:"))) {
            bf.setAlignment(Qt::AlignHCenter);
            bf.setLineHeight(100, QTextBlockFormat::ProportionalHeight);
            bf.setTopMargin(8 * unit_);
            captionNext = captioned_[figures_.size()];
            bf.setBottomMargin((captionNext ? 4 : 12) * unit_);
            figures_.push_back({b, {}});
        } else if (captionNext) {
            captionNext = false;
            cf.setFontPointSize(9);
            cf.setForeground(kMuted);
            bf.setAlignment(Qt::AlignHCenter);
            bf.setTopMargin(0);
            bf.setBottomMargin(12 * unit_);
            figures_.back().caption = b;
        } else if (image.startsWith(QStringLiteral("marker:"))) {
            // The marker hangs left of the item, whose lines keep one edge.
            const qreal marker = QFontMetricsF(doc_.defaultFont(), doc_.documentLayout()->paintDevice()).height()
                                 * 1.05;
            const qreal hang = marker + 5 * pt_;
            bf.setLeftMargin(hang);
            bf.setTextIndent(-hang);
            bf.setTopMargin(0);
            bf.setBottomMargin(4 * unit_);
            bf.setLineHeight(kLineSpacing, QTextBlockFormat::ProportionalHeight);
        } else {
            bf.setLineHeight(kLineSpacing, QTextBlockFormat::ProportionalHeight);
            bf.setTopMargin(0);
            bf.setBottomMargin((b.textList() ? 3 : 7) * unit_);
        }
        QTextCursor(b).setBlockFormat(bf);
        formatText(b, cf);
        formatCode(b);
    }
}

void ManualDocument::findHeadings()
{
    headings_.clear();
    int chapter = 0, section = 0;
    for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next()) {
        const int level = b.blockFormat().headingLevel();
        if (level == 1 && headings_.empty()) {
            headings_.push_back({1, b.text(), QStringLiteral("title"), b});
        } else if (level == 2) {
            section = 0;
            headings_.push_back({2, b.text(), QStringLiteral("chapter-%1").arg(++chapter), b});
        } else if (level == 3 && chapter > 0) {
            headings_.push_back({3, b.text(), QStringLiteral("section-%1-%2").arg(chapter).arg(++section), b});
        }
    }
}

void ManualDocument::addContents()
{
    const auto first = std::find_if(headings_.begin(), headings_.end(), [](const Heading& h) { return h.level == 2; });
    if (first == headings_.end())
        return;
    QTextCursor c(first->block);
    c.insertBlock();
    c.movePosition(QTextCursor::PreviousBlock);

    QTextBlockFormat title;
    title.setTopMargin((kBandPad + 14) * unit_);
    title.setBottomMargin((kBandPad + 10) * unit_);
    title.setLeftMargin(10 * pt_);
    QTextCharFormat titleText;
    titleText.setFontPointSize(15);
    titleText.setFontWeight(QFont::Bold);
    titleText.setForeground(Qt::white);
    c.setBlockFormat(title);
    c.setBlockCharFormat(titleText);
    c.insertText(kContentsTitle, titleText);
    contentsTitle_ = c.block();

    for (const Heading& h : headings_) {
        if (h.level < 2)
            continue;
        const bool chapter = h.level == 2;
        QTextBlockFormat entry;
        const qreal indent = (chapter ? 0 : 16) * pt_;
        // A tab stop on the very edge would push the number onto a line of its own.
        entry.setTabPositions({QTextOption::Tab((width_ - indent) * unit_ / pt_ - unit_, QTextOption::RightTab)});
        entry.setLeftMargin(indent);
        entry.setTopMargin((chapter ? 6 : 0) * unit_);
        entry.setBottomMargin(1.5 * unit_);
        entry.setLineHeight(140, QTextBlockFormat::ProportionalHeight);
        QTextCharFormat link;
        link.setAnchor(true);
        link.setAnchorHref(u'#' + h.target);
        link.setFontPointSize(chapter ? 11 : 10);
        link.setFontWeight(chapter ? QFont::Bold : QFont::Normal);
        link.setForeground(chapter ? kInk : kMuted);
        c.insertBlock(entry, link);
        // Room for a page number of three digits; setPageNumbers fills it in.
        c.insertText(h.title + QStringLiteral("\t000"), link);
        contents_.push_back(c.block());
    }
}

qreal ManualDocument::height() const
{
    return doc_.documentLayout()->documentSize().height();
}

QRectF ManualDocument::rect(const QTextBlock& block) const
{
    return doc_.documentLayout()->blockBoundingRect(block);
}

qreal ManualDocument::headingTop(const Heading& heading) const
{
    return rect(heading.block).top() - (heading.level == 2 ? kBandPad * pt_ : 0);
}

std::vector<const QTextTable*> ManualDocument::allTables() const
{
    std::vector<const QTextTable*> tables;
    for (const QTextFrame* frame : doc_.rootFrame()->childFrames())
        if (const auto* table = qobject_cast<const QTextTable*>(frame))
            tables.push_back(table);
    return tables;
}

ManualDocument::Span ManualDocument::rowSpan(const QTextTable* table, int row) const
{
    const QTextTableFormat format = table->format();
    const qreal pad = (format.cellPadding() + format.border() + 1.2 * unit_) * pt_ / unit_;
    Span span{1e18, -1e18};
    for (int c = 0; c < table->columns(); ++c) {
        const QTextTableCell cell = table->cellAt(row, c);
        span.top = std::min(span.top, rect(cell.firstCursorPosition().block()).top() - pad);
        span.bottom = std::max(span.bottom, rect(cell.lastCursorPosition().block()).bottom() + pad);
    }
    return span;
}

std::vector<qreal> ManualDocument::chapterStarts() const
{
    std::vector<qreal> starts;
    for (const Heading& h : headings_)
        if (h.level == 2)
            starts.push_back(headingTop(h));
    return starts;
}

qreal ManualDocument::firstLineBottomAfter(const QTextBlock& block) const
{
    QTextBlock next = block.next();
    while (next.isValid() && next.length() <= 1 && !inTable(next))
        next = next.next();
    if (!next.isValid())
        return rect(block).bottom();
    if (const QTextTable* table = QTextCursor(next).currentTable())
        return rowSpan(table, std::min(1, table->rows() - 1)).bottom;
    const QRectF r = rect(next);
    return next.layout()->lineCount() > 0 ? r.top() + next.layout()->lineAt(0).rect().bottom() : r.bottom();
}

std::vector<ManualDocument::Span> ManualDocument::unbreakable() const
{
    std::vector<Span> spans;
    for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next()) {
        if (inTable(b))
            continue;
        const QRectF r = rect(b);
        for (int i = 0; i < b.layout()->lineCount(); ++i) {
            const QRectF line = b.layout()->lineAt(i).rect();
            spans.push_back({r.top() + line.top(), r.top() + line.bottom()});
        }
    }
    for (const QTextTable* table : allTables()) {
        for (int row = 0; row < table->rows(); ++row)
            spans.push_back(rowSpan(table, row));
        // A heading row alone at the foot of a page says nothing.
        if (table->rows() > 1)
            spans.push_back({rowSpan(table, 0).top, rowSpan(table, 1).bottom});
    }
    for (const Figure& f : figures_)
        spans.push_back({rect(f.picture).top(), rect(f.caption.isValid() ? f.caption : f.picture).bottom()});
    for (const Heading& h : headings_)
        spans.push_back({headingTop(h), firstLineBottomAfter(h.block)});
    if (contentsTitle_.isValid())
        spans.push_back({rect(contentsTitle_).top() - kBandPad * pt_, firstLineBottomAfter(contentsTitle_)});
    return spans;
}

std::vector<ManualDocument::Table> ManualDocument::tables() const
{
    std::vector<Table> tables;
    for (const QTextTable* table : allTables()) {
        const Span header = rowSpan(table, 0);
        tables.push_back({{header.top, rowSpan(table, table->rows() - 1).bottom}, header});
    }
    return tables;
}

std::vector<ManualDocument::Decoration> ManualDocument::decorations() const
{
    using Kind = Decoration::Kind;
    std::vector<Decoration> d;
    auto band = [&](const QTextBlock& block) {
        const QRectF r = rect(block);
        d.push_back({Kind::Band, QRectF(0, r.top() - kBandPad * pt_, width_, r.height() + 2 * kBandPad * pt_)});
    };
    for (const Heading& h : headings_) {
        const QRectF r = rect(h.block);
        if (h.level == 1)
            d.push_back({Kind::Rule, QRectF(0, r.bottom() + 8 * pt_, width_, 1.5 * pt_)});
        else if (h.level == 2)
            band(h.block);
        else
            d.push_back({Kind::Bar, QRectF(0, r.top() + 1 * pt_, 4 * pt_, r.height() - 2 * pt_)});
    }
    if (contentsTitle_.isValid())
        band(contentsTitle_);
    return d;
}

void ManualDocument::setPageNumbers(const std::map<QString, int>& pages)
{
    QTextCursor edit(&doc_);
    edit.beginEditBlock();
    size_t entry = 0;
    for (const Heading& h : headings_) {
        if (h.level < 2 || entry >= contents_.size())
            continue;
        const QTextBlock block = contents_[entry++];
        const auto page = pages.find(h.target);
        QTextCursor c(block);
        c.setPosition(block.position() + int(block.text().lastIndexOf(u'\t')) + 1);
        c.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        c.insertText(page == pages.end() ? QString() : QString::number(page->second));
    }
    edit.endEditBlock();
    relayout();
}

void ManualDocument::relayout()
{
    // Formats changed block by block leave the blocks after them where they
    // were; the pages are cut from a layout of the whole.
    doc_.markContentsDirty(0, doc_.characterCount());
    doc_.documentLayout()->documentSize();
}

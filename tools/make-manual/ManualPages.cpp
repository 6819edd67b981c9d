#include "make-manual/ManualPages.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <map>
#include <stdexcept>

namespace {

const QColor kAccent(0x1F, 0x3A, 0x5F);
const QColor kMuted(0x5A, 0x64, 0x70);
// Below this, two lengths are the same: the layout works in fractions of a device pixel.
constexpr qreal kSame = 0.5;

}  // namespace

ManualPages::ManualPages(const ManualDocument& manual, qreal height)
{
    using Span = ManualDocument::Span;
    const qreal end = manual.height();
    std::vector<Span> spans = manual.unbreakable();
    const std::vector<qreal> starts = manual.chapterStarts();
    const std::vector<ManualDocument::Table> tables = manual.tables();
    // A short table is read as one: it goes to the next page whole.
    for (const ManualDocument::Table& t : tables)
        if (t.whole.bottom - t.whole.top < height * 0.4)
            spans.push_back(t.whole);
    auto chapterAt = [&](qreal y) {
        QString chapter;
        for (const ManualDocument::Heading& h : manual.headings())
            if (h.level == 2 && manual.headingTop(h) <= y + kSame)
                chapter = h.title;
        return chapter;
    };

    // Whether anything shows between `from` and `to`: every line is a stretch.
    auto shows = [&](qreal from, qreal to) {
        return std::any_of(spans.begin(), spans.end(),
                           [&](const Span& s) { return s.bottom > from + kSame && s.top < to - kSame; });
    };
    qreal top = 0;
    std::optional<Span> repeated;
    while (top < end - kSame) {
        // The space after a chapter's last line is no page of its own.
        const auto next = std::find_if(starts.begin(), starts.end(), [&](qreal s) { return s > top + kSame; });
        const qreal stretchEnd = next == starts.end() ? end : *next;
        if (!shows(top, stretchEnd)) {
            top = stretchEnd;
            repeated.reset();
            continue;
        }
        const qreal room = height - (repeated ? repeated->bottom - repeated->top : 0);
        qreal cut = std::min(end, top + room);
        bool chapter = false;
        for (const qreal start : starts)
            if (start > top + kSame && start < cut) {
                cut = start;
                chapter = true;
                break;
            }
        // Up to the top of whatever the cut would split, again and again, as
        // stretches overlap; one taller than a page is split where the page ends.
        for (bool moved = !chapter && cut < end; moved;) {
            moved = false;
            for (const Span& s : spans)
                if (s.top < cut - kSame && cut < s.bottom - kSame && s.top > top + kSame) {
                    cut = s.top;
                    moved = true;
                }
        }
        pages_.push_back({top, cut, repeated, pages_.empty() ? QString() : chapterAt(top)});
        repeated.reset();
        for (const ManualDocument::Table& t : tables)
            if (cut > t.header.bottom - kSame && cut < t.whole.bottom - kSame)
                repeated = t.header;
        top = cut;
    }
}

ManualPages ManualPages::numbered(ManualDocument& manual, qreal height)
{
    // The numbers take the same room whatever they are: a second cut
    // confirms the first.
    std::map<QString, int> numbers;
    for (int pass = 0;; ++pass) {
        ManualPages pages(manual, height);
        std::map<QString, int> found;
        for (const ManualDocument::Heading& h : manual.headings())
            found[h.target] = pages.pageOf(manual.headingTop(h)) + 1;
        if (found == numbers || pass == 3)
            return pages;
        numbers = found;
        manual.setPageNumbers(numbers);
    }
}

int ManualPages::pageOf(qreal y) const
{
    for (size_t i = 0; i < pages_.size(); ++i)
        if (y < pages_[i].bottom - kSame)
            return int(i);
    return int(pages_.size()) - 1;
}

qreal ManualPages::offsetOn(int page, qreal y) const
{
    const Page& p = pages_[size_t(page)];
    return (p.repeated ? p.repeated->bottom - p.repeated->top : 0) + y - p.top;
}

void ManualPages::print(ManualDocument& manual, QPdfWriter& pdf, const QRectF& text) const
{
    QPainter painter;
    if (!painter.begin(&pdf))
        throw std::runtime_error("cannot write the PDF");
    const qreal pt = pdf.logicalDpiY() / 72.0;
    const std::vector<ManualDocument::Decoration> decorations = manual.decorations();
    QAbstractTextDocumentLayout* layout = manual.document().documentLayout();
    const QString manualTitle = manual.headings().empty() || manual.headings().front().level != 1
                                    ? QString()
                                    : manual.headings().front().title;
    QFont small(QStringLiteral("IPAPGothic"));
    small.setPointSizeF(8.5);

    for (size_t i = 0; i < pages_.size(); ++i) {
        if (i > 0)
            pdf.newPage();
        const Page& page = pages_[i];
        qreal y = text.top();
        auto slice = [&](qreal from, qreal to) {
            painter.save();
            painter.translate(text.left(), y - from);
            // Short of the cut by a hair: what begins right at it belongs to
            // the next page, and a viewer's smoothing would show its edge here.
            const QRectF clip(0, from, text.width(), to - from - 2);
            painter.setClipRect(clip);
            for (const ManualDocument::Decoration& d : decorations)
                if (d.rect.intersects(clip))
                    painter.fillRect(d.rect, kAccent);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = clip;
            layout->draw(&painter, context);
            painter.restore();
            y += to - from;
        };
        if (page.repeated)
            slice(page.repeated->top, page.repeated->bottom);
        slice(page.top, page.bottom);

        painter.setFont(small);
        painter.setPen(kMuted);
        if (!page.chapter.isEmpty()) {
            const QRectF head(text.left(), text.top() - 16 * pt, text.width(), 10 * pt);
            painter.drawText(head, Qt::AlignLeft | Qt::AlignBottom, manualTitle);
            painter.drawText(head, Qt::AlignRight | Qt::AlignBottom, page.chapter);
            painter.setPen(QPen(kMuted, 0.5 * pt));
            painter.drawLine(QPointF(text.left(), text.top() - 4 * pt), QPointF(text.right(), text.top() - 4 * pt));
            painter.setPen(kMuted);
        }
        painter.drawText(QRectF(text.left(), text.bottom() + 10 * pt, text.width(), 12 * pt),
                         Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("%1 / %2").arg(i + 1).arg(pages_.size()));
    }
    if (!painter.end())
        throw std::runtime_error("cannot write the PDF");
}

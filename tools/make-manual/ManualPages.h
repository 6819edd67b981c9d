#pragma once

#include "make-manual/ManualDocument.h"

#include <QRectF>
#include <optional>
#include <vector>

class QPdfWriter;

// The manual's pages: where the long document is cut so that no line, table
// row or picture is split and no heading is left at the foot of a page, each
// chapter on a new page and a table's heading row repeated where the table
// goes on; and the printing of them with a running head (the chapter) and the
// page number on every page.
class ManualPages {
public:
    struct Page {
        qreal top = 0;  // the stretch of the document the page shows
        qreal bottom = 0;
        std::optional<ManualDocument::Span> repeated;  // a table's heading row above it
        QString chapter;                               // the running head; empty on the first page
    };

    // Cuts `manual` into pages of `height` (document units).
    ManualPages(const ManualDocument& manual, qreal height);
    // The same, after writing into the manual's contents the page of each
    // chapter and section.
    static ManualPages numbered(ManualDocument& manual, qreal height);

    const std::vector<Page>& pages() const { return pages_; }
    // The page that shows `y`, from 0; and where on that page (from the
    // text's top) it appears.
    int pageOf(qreal y) const;
    qreal offsetOn(int page, qreal y) const;

    // Prints every page onto `pdf` (which has no margins of its own) with the
    // text in `text`, the rest of the page left for the running head and the
    // page number.
    void print(ManualDocument& manual, QPdfWriter& pdf, const QRectF& text) const;

private:
    std::vector<Page> pages_;
};

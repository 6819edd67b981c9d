#pragma once

#include <QString>
#include <map>
#include <vector>

// What Qt's PDF writer cannot write: links within the document and the
// outline (the bookmarks a viewer lists beside the pages). QTextDocument
// writes a link to "#name" as a link to that address on the web; this turns
// each such link into a jump to the page and height of `name`, and adds the
// outline, as an incremental update appended to the file (the PDF
// standard's way of changing a finished file: new versions of the changed
// objects and a cross-reference section of their own), so that nothing Qt
// wrote is rewritten in place.
namespace tavek::pdfnav {

struct Target {
    int page = 0;   // from 0
    qreal top = 0;  // points from the top of the page
};

struct OutlineEntry {
    QString title;
    QString target;  // a name of `targets`
    int level = 1;   // 1 chapter, 2 section of the chapter before it
};

// Adds the jumps and the outline to the PDF at `path`. Throws
// std::runtime_error when the file is not laid out as Qt writes it or names a
// target that `targets` lacks.
void addNavigation(const QString& path, const std::map<QString, Target>& targets,
                   const std::vector<OutlineEntry>& outline);

}  // namespace tavek::pdfnav

#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The pictures of the user manual, as its Markdown source marks them. The
// manual's writers follow these rules; manual-shots takes the pictures and
// draws the markers, make-manual prints them, both from this one reading:
//
//   A paragraph that is only `![caption](shot:NAME)` shows the screen NAME
//   (the screens are listed by `manual-shots --list`). The caption may be empty.
//
//   Directly after it (blank lines between are fine) may come an ordered list
//   whose every item begins with a widget's objectName in braces:
//
//     1. {DateCombo} **開催日**：新しい日付ほど上に並びます。
//     2. {Panel5/Label3D12} **レース名**：…
//
//   manual-shots draws marker N, a filled circle with the number, on the widget
//   of item N of the picture; make-manual prints the same marker in place of
//   the braces. `{A/B}` names the widget B inside a widget A, for a name that is
//   not unique on the screen; only widgets visible in the picture count. A name
//   that the screen does not show stops the build, naming the screen and the name.
//
// Lines inside ``` fences are never read as pictures or callouts.
namespace tavek::manual {

struct Callout {
    QStringList path;  // {A/B}: "A", "B"
    int line = 0;      // of the item, from 1
};

struct Shot {
    QString name;
    QString caption;
    int line = 0;  // of the picture paragraph, from 1
    std::vector<Callout> callouts;
};

// Every picture of `markdown` with its callouts, in the order of the source.
// Throws std::runtime_error naming the line of a picture or callout list that
// breaks the rules above, so that a slip never reaches the reader unnoticed.
std::vector<Shot> shotsIn(const QString& markdown);

// `markdown` as make-manual typesets it: each callout item becomes a paragraph
// of its own that begins with the inline image `marker:N` instead of its
// braces, and each picture becomes a paragraph of the image `shot:NAME`
// followed by a paragraph of its caption (none for an empty caption).
QString typesetSource(const QString& markdown);

}  // namespace tavek::manual

// The manual's picture and callout syntax, as manual-shots and make-manual
// both read it.
#include "manual/ShotSyntax.h"

#include <gtest/gtest.h>

#include <stdexcept>

using tavek::manual::Shot;
using tavek::manual::shotsIn;
using tavek::manual::typesetSource;

namespace {

// A shot as "name|caption|line|A/B@line,C@line".
QString summary(const std::vector<Shot>& shots)
{
    QStringList out;
    for (const Shot& s : shots) {
        QStringList marks;
        for (const auto& c : s.callouts)
            marks.append(c.path.join(u'/') + u'@' + QString::number(c.line));
        out.append(QStringLiteral("%1|%2|%3|%4").arg(s.name, s.caption).arg(s.line).arg(marks.join(u',')));
    }
    return out.join(u'\n');
}

struct Accepted {
    const char* what;
    const char* source;
    const char* shots;
};

const Accepted kAccepted[] = {
    {"a picture, its callouts by name and by path, an item going on over two lines",
     "## 章\n\n![メイン画面](shot:main)\n\n1. {DateCombo} **開催日**：説明\n2. {Panel5/Label3D12} 名前\n   続き\n3. "
     "{A/B/C} 深い\n\n次の段落\n",
     "main|メイン画面|3|DateCombo@5,Panel5/Label3D12@6,A/B/C@8"},
    {"blank lines between the items keep the list; any number is its position",
     "![](shot:about)\n\n1. {A} one\n\n1. {B} two\n\n\n7. {C} three\n", "about||1|A@3,B@5,C@8"},
    {"a list right after the picture, a picture right after a heading",
     "### 節\n![x](shot:fetch)\n1. {ButtonStart} 開始\n", "fetch|x|2|ButtonStart@3"},
    {"an ordered list of steps after a picture is no callout list",
     "![x](shot:main)\n\n1. 日付を選びます。\n2. レースを選びます。\n", "main|x|1|"},
    {"fenced lines are never read", "```\n![x](shot:Bad Name)\n1. {X} y\n```\n\n![y](shot:value)\n", "value|y|6|"},
    {"Windows line ends", "![a](shot:main)\r\n\r\n1. {JVBtn} b\r\n", "main|a|1|JVBtn@3"},
    {"two pictures, the callouts of each", "![a](shot:main)\n\n1. {A} a\n\n![b](shot:advisor)\n\n1. {B} b\n",
     "main|a|1|A@3\nadvisor|b|5|B@7"},
};

struct Refused {
    const char* what;
    const char* source;
    const char* message;
};

const Refused kRefused[] = {
    {"a name with capitals", "text\n\n![x](shot:Main)\n", "line 3: a picture is written"},
    {"a picture inside a sentence", "見てください ![x](shot:main)\n", "line 1: a picture is written"},
    {"text right after the picture", "![x](shot:main)\n説明\n", "line 1: a picture is a paragraph of its own"},
    {"text right before the picture", "説明\n![x](shot:main)\n", "line 2: a picture is a paragraph of its own"},
    {"callouts without a picture", "手順\n\n1. {DateCombo} 日付\n", "line 3: a callout list belongs directly after"},
    {"an item without its widget", "![x](shot:main)\n\n1. {A} a\n2. b\n", "line 4: every item of a callout list"},
    {"a malformed path", "![x](shot:main)\n\n1. {A} a\n2. {A//B} b\n", "line 4: every item of a callout list"},
};

}  // namespace

TEST(ShotSyntax, ReadsPicturesAndTheirCallouts)
{
    for (const Accepted& c : kAccepted)
        EXPECT_EQ(summary(shotsIn(QString::fromUtf8(c.source))), QString::fromUtf8(c.shots)) << c.what;
}

TEST(ShotSyntax, RefusesWhatBreaksTheRulesNamingTheLine)
{
    for (const Refused& c : kRefused) {
        try {
            shotsIn(QString::fromUtf8(c.source));
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const std::runtime_error& e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(QString::fromUtf8(c.message)))
                << c.what << ": " << e.what();
        }
    }
}

TEST(ShotSyntax, TypesetsEachCalloutAsAParagraphBehindItsMarker)
{
    const QString source = QStringLiteral(
        "## 章\n\n![メイン画面](shot:main)\n\n1. {DateCombo} **開催日**：説明\n2. {lbRace} レース\n   続き\n\n"
        "```\n1. {Code} stays\n```\n\n![](shot:about)\n");
    EXPECT_EQ(typesetSource(source), QStringLiteral("## 章\n\n![main](shot:main)\n\nメイン画面\n\n"
                                                    "![1](marker:1) **開催日**：説明\n\n![2](marker:2) レース\n続き\n\n"
                                                    "```\n1. {Code} stays\n```\n\n![about](shot:about)\n"));
}

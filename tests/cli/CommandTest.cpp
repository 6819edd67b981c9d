// The argument readings the commands share (cli/Command).
#include "cli/Command.h"

#include <gtest/gtest.h>

using namespace tavek;
using pools::PairKind;

// "A-B" as the pair commands and the stake advisor take it, each naming the
// pair's kind in its own words.
TEST(Command, PairIndexTakesOnlyPairsOfTheKind)
{
    struct Case {
        PairKind kind;
        const char* text;
        int index;            // 0: refused
        const char* message;  // of the refusal
    };
    const Case cases[] = {
        {PairKind::Quinella, "1-2", 1, ""},
        {PairKind::Quinella, "17-18", 153, ""},
        {PairKind::Quinella, "01-02", 1, ""},
        {PairKind::Bracket, "1-1", 1, ""},
        {PairKind::Bracket, "8-8", 36, ""},
        {PairKind::Quinella, "3-3", 0, "\"3-3\" は馬連の組番ではありません（A-B で A < B）"},
        {PairKind::Quinella, "7-3", 0, "\"7-3\" は馬連の組番ではありません（A-B で A < B）"},
        {PairKind::Bracket, "3-2", 0, "\"3-2\" は枠連の組番ではありません（A-B で A <= B）"},
        {PairKind::Bracket, "9-9", 0, "\"9-9\" は枠連の組番ではありません（A-B で A <= B）"},
        {PairKind::Quinella, "3", 0, "\"3\" は馬連の組番ではありません（A-B で A < B）"},
        {PairKind::Quinella, "1-2-3", 0, "\"1-2-3\" は馬連の組番ではありません（A-B で A < B）"},
        {PairKind::Quinella, "-1-2", 0, "\"-1-2\" は馬連の組番ではありません（A-B で A < B）"},
        {PairKind::Quinella, "0-3", 0, "組番 A-B に \"0\" は使えません（1〜18）"},
        {PairKind::Quinella, "3-19", 0, "組番 A-B に \"19\" は使えません（1〜18）"},
        {PairKind::Quinella, "+1-2", 0, "組番 A-B に \"+1\" は使えません（1〜18）"},
        {PairKind::Quinella, "1- 2", 0, "組番 A-B に \" 2\" は使えません（1〜18）"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            EXPECT_EQ(cli::pairIndex(c.kind, QString::fromLatin1(c.text),
                                     c.kind == PairKind::Quinella ? QStringLiteral("馬連") : QStringLiteral("枠連")),
                      c.index);
            EXPECT_NE(c.index, 0) << "accepted";
        } catch (const cli::BadInput& e) {
            EXPECT_EQ(c.index, 0) << "refused";
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

#include "core/texts/TextSearch.h"

#include <QList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TextSearch searchFor(const QString& text, const QString& replacement = {}, bool markers = false,
                     bool sentenceBreak = false) {
    TextSearch s;
    s.setTarget({markers, text});
    s.setReplacement({sentenceBreak, replacement});
    return s;
}

} // namespace

TEST(TextSearch, FindWalksEveryMatchThenWrapsAround) {
    TextSearch s = searchFor(u"ab"_s);
    const QString body = u"ab-ab-ab"_s;
    QList<qsizetype> starts;
    for (int i = 0; i < 4; ++i)
        starts.append(s.findNext(body).match.start);
    EXPECT_EQ(starts, (QList<qsizetype>{0, 3, 6, 0}));
    s.setCaret(4);
    EXPECT_EQ(s.findNext(body).match.start, 6);
    EXPECT_EQ(s.findNext(u"xyz"_s).message, u"検索（置換元）文字列が見つかりません"_s);
    EXPECT_EQ(searchFor({}).findNext(body).message, u"検索（置換元）文字列を指定してください"_s);
    TextSearch markers = searchFor({}, {}, true);
    const auto first = markers.findNext(u"a◆b▲c▼"_s).match;
    EXPECT_EQ(first.start, 1);
    EXPECT_EQ(first.length, 1);
    EXPECT_EQ(markers.findNext(u"a◆b▲c▼"_s).match.start, 3);
}

TEST(TextSearch, ReplaceAllCountsEveryMatchFromTheFirstCharacter) {
    struct Case {
        QString body, target, replacement;
        bool markers, sentenceBreak;
        QString after, message;
    };
    const Case cases[] = {
        // A match at the very start and one right after a replacement are both replaced.
        {u"aa"_s, u"a"_s, u"b"_s, false, false, u"bb"_s, u"2 箇所置換しました"_s},
        // A replacement that holds the target is not replaced again.
        {u"a-a"_s, u"a"_s, u"aa"_s, false, false, u"aa-aa"_s, u"2 箇所置換しました"_s},
        {u"x▼y◆z▲"_s, {}, {}, true, true, u"x。\n　y。\n　z。\n　"_s, u"3 箇所置換しました"_s},
        {u"abc"_s, u"b"_s, {}, false, false, u"ac"_s, u"1 箇所置換しました"_s},
        {u"abc"_s, u"q"_s, u"r"_s, false, false, u"abc"_s, u"検索（置換元）文字列が見つかりません"_s},
    };
    for (const Case& c : cases) {
        TextSearch s = searchFor(c.target, c.replacement, c.markers, c.sentenceBreak);
        QString body = c.body;
        EXPECT_EQ(s.replaceAll(body).message, c.message) << c.body.toStdString();
        EXPECT_EQ(body, c.after) << c.body.toStdString();
        EXPECT_EQ(s.position(), 0);
    }
}

TEST(TextSearch, ReplaceNextReplacesOnlyTheFoundMatch) {
    TextSearch s = searchFor(u"ab"_s, u"X"_s);
    QString body = u"ab ab"_s;
    // Nothing found yet: the first press only finds.
    TextSearch::Match m = s.replaceNext(body, 0, 0).match;
    EXPECT_EQ(body, u"ab ab"_s);
    EXPECT_EQ(m.start, 0);
    m = s.replaceNext(body, m.start, m.length).match;
    EXPECT_EQ(body, u"X ab"_s);
    EXPECT_EQ(m.start, 2);
    // A selection the user moved elsewhere is not replaced.
    m = s.replaceNext(body, 0, 1).match;
    EXPECT_EQ(body, u"X ab"_s);
    TextSearch breaks = searchFor({}, {}, true, true);
    breaks.setLineBreak(u"\r\n"_s);
    QString marked = u"a▼b"_s;
    m = breaks.findNext(marked).match;
    breaks.replaceNext(marked, m.start, m.length);
    EXPECT_EQ(marked, u"a。\r\n　b"_s);
}

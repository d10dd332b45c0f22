#include "core/texts/TextSearch.h"

#include <QList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TextSearch searchFor(const QString& text, const QString& replacement = {}, bool markers = false, bool breaks = false) {
    TextSearch s;
    s.setTarget({markers, text});
    s.setReplacement({breaks, replacement});
    return s;
}

} // namespace

TEST(TextSearch, FindWalksEveryMatchThenWrapsAround) {
    TextSearch s = searchFor(u"ab"_s);
    QList<qsizetype> starts;
    for (int i = 0; i < 4; ++i)
        starts.append(s.findNext(u"ab-ab-ab"_s).match.start);
    s.setCaret(4);
    starts.append(s.findNext(u"ab-ab-ab"_s).match.start);
    TextSearch markers = searchFor({}, {}, true);
    starts.append(markers.findNext(u"a◆b▲c▼"_s).match.start);
    starts.append(markers.findNext(u"a◆b▲c▼"_s).match.start);
    EXPECT_EQ(starts, (QList<qsizetype>{0, 3, 6, 0, 6, 1, 3}));
    EXPECT_EQ(s.findNext(u"xyz"_s).message + searchFor({}).findNext(u"ab"_s).message,
              u"検索（置換元）文字列が見つかりません検索（置換元）文字列を指定してください"_s);
}

TEST(TextSearch, ReplaceAllCountsEveryMatchFromTheFirstCharacter) {
    struct Case {
        QString body, target, replacement;
        bool markers;
        QString after, message;
    };
    const Case cases[] = {
        // A match at the very start and one right after a replacement are both replaced.
        {u"aa"_s, u"a"_s, u"b"_s, false, u"bb"_s, u"2 箇所置換しました"_s},
        // A replacement that holds the target is not replaced again.
        {u"a-a"_s, u"a"_s, u"aa"_s, false, u"aa-aa"_s, u"2 箇所置換しました"_s},
        {u"x▼y◆z▲"_s, {}, {}, true, u"x。\n　y。\n　z。\n　"_s, u"3 箇所置換しました"_s},
        {u"abc"_s, u"q"_s, u"r"_s, false, u"abc"_s, u"検索（置換元）文字列が見つかりません"_s},
    };
    for (const Case& c : cases) {
        TextSearch s = searchFor(c.target, c.replacement, c.markers, c.markers);
        QString body = c.body;
        EXPECT_EQ(s.replaceAll(body).message, c.message) << c.body.toStdString();
        EXPECT_EQ(body, c.after) << c.body.toStdString();
    }
}

TEST(TextSearch, ReplaceNextReplacesOnlyTheFoundMatch) {
    TextSearch s = searchFor(u"ab"_s, u"X"_s);
    QString body = u"ab ab"_s;
    const TextSearch::Match m = s.replaceNext(body, 0, 0).match; // nothing found yet: only finds
    EXPECT_EQ(s.replaceNext(body, m.start, m.length).match.start, 2);
    s.replaceNext(body, 0, 1); // a selection the user moved elsewhere stays
    EXPECT_EQ(body, u"X ab"_s);
}

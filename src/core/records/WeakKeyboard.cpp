#include "core/records/WeakKeyboard.h"

#include <QHash>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace WeakKeyboard {

QList<Key> layout() {
    // Unshifted and shifted characters of each key, row by row, with each row's indent in quarter keys.
    struct Row {
        int indent;
        QStringList keys;
    };
    const Row rows[] = {
        {0,
         {u"1!"_s, u"2\""_s, u"3#"_s, u"4$"_s, u"5%"_s, u"6&"_s, u"7'"_s, u"8("_s, u"9)"_s, u"0"_s, u"-="_s, u"^~"_s,
          u"¥|"_s}},
        {6,
         {u"qQ"_s, u"wW"_s, u"eE"_s, u"rR"_s, u"tT"_s, u"yY"_s, u"uU"_s, u"iI"_s, u"oO"_s, u"pP"_s, u"@`"_s, u"[{"_s}},
        {7,
         {u"aA"_s, u"sS"_s, u"dD"_s, u"fF"_s, u"gG"_s, u"hH"_s, u"jJ"_s, u"kK"_s, u"lL"_s, u";+"_s, u":*"_s, u"]}"_s}},
        {9, {u"zZ"_s, u"xX"_s, u"cC"_s, u"vV"_s, u"bB"_s, u"nN"_s, u"mM"_s, u",<"_s, u".>"_s, u"/?"_s, u"\\_"_s}},
    };
    QList<Key> keys;
    int rowNumber = 0;
    for (const Row& row : rows) {
        int left = row.indent;
        for (const QString& k : row.keys) {
            keys.append({rowNumber, left, 4, k});
            left += 4;
        }
        ++rowNumber;
    }
    keys.append({4, 16, 24, u" "_s});
    return keys;
}

QList<Key> withCounts(const QList<WeaknessLog::WeakChar>& english) {
    QList<Key> keys = layout();
    QHash<char16_t, qsizetype> keyOf;
    for (qsizetype i = 0; i < keys.size(); ++i)
        for (const QChar c : keys[i].characters)
            keyOf.insert(c.unicode(), i);
    for (const WeaknessLog::WeakChar& w : english) {
        const auto it = keyOf.constFind(w.character);
        if (it == keyOf.constEnd()) continue;
        keys[*it].met += w.met;
        keys[*it].missed += w.missed;
    }
    return keys;
}

double highestRate(const QList<Key>& keys, double floor) {
    double highest = floor;
    for (const Key& k : keys)
        highest = std::max(highest, k.rate());
    return highest;
}

} // namespace WeakKeyboard

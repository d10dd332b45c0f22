#include "core/texts/SampleTexts.h"

#include "core/texts/TextStats.h"

#include <QFile>

#include <array>
#include <mutex>

using namespace Qt::StringLiterals;

namespace SampleTexts {
namespace {

struct MenuEntry {
    const char16_t* caption;
    const char16_t* title; // after the source and an ideographic space
};

// Indexed by menu index; separators have no caption.
constexpr std::array<MenuEntry, MenuItemCount> Menu = {{
    {u"1 国際連合憲章 前文(&A)", u"国際連合憲章 前文"},
    {u"2 UN Charter Preamble(&B)", u"Charter of the United Nations Preamble"},
    {nullptr, nullptr},
    {u"3 世界人権宣言 前文(&C)", u"世界人権宣言（仮訳文） 前文"},
    {u"4 UDHR Preamble(&D)", u"Universal Declaration of Human Rights Preamble"},
    {nullptr, nullptr},
    {u"5 国際人権Ｂ規約 前文(&E)", u"国際人権Ｂ規約 前文"},
    {u"6 ICCPR Preamble(&F)", u"ICCPR Preamble"},
    {nullptr, nullptr},
    {u"7 人種差別撤廃条約 前文(&G)", u"人種差別撤廃条約 前文"},
    {u"8 ICERD Preamble(&H)", u"ICERD Preamble"},
    {nullptr, nullptr},
    {u"9 拷問等禁止条約 前文(&I)", u"拷問等禁止条約 前文"},
    {u"10 CAT Preamble(&J)", u"CAT Preamble"},
    {nullptr, nullptr},
    {u"11 女子差別撤廃条約 前文(&K)", u"女子差別撤廃条約 前文"},
    {u"12 CEDAW Preamble(&L)", u"CEDAW Preamble"},
    {nullptr, nullptr},
    {u"13 児童の権利条約 前文(&M)", u"児童の権利条約 前文"},
    {u"14 CRC Preamble(&N)", u"CRC Preamble"},
}};

// "腕試し１" .. "腕試し９" take a full-width digit, "腕試し10" .. "腕試し14" half-width ones.
QString sourceLine(int number) {
    if (number < 10) return u"腕試し"_s + QChar(char16_t(u'０' + number));
    return u"腕試し"_s + QString::number(number);
}

// The paragraphs are compiled in as UTF-8, one paragraph a line.
QStringList readParagraphs(int menuIndex) {
    QFile file(u":/samples/%1.txt"_s.arg(menuIndex, 2, 10, QChar(u'0')));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QString text = QString::fromUtf8(file.readAll());
    QStringList paragraphs;
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        // A practice text never holds an empty paragraph line: it would end the text early.
        if (!line.trimmed().isEmpty()) paragraphs.append(line.toString());
    }
    return paragraphs;
}

QStringList buildLines(int menuIndex) {
    const QStringList paragraphs = readParagraphs(menuIndex);
    CharCounts whole;
    for (const QString& p : paragraphs)
        whole += classifyChars(p);

    const QString source = sourceLine(sampleNumber(menuIndex));
    QStringList lines;
    lines.reserve(5 + paragraphs.size());
    lines << source << u"000000"_s << source + QChar(u'　') + QString::fromUtf16(Menu[size_t(menuIndex)].title)
          << countsLine(whole) << QString::fromUtf16(NoRecordLine);
    lines += paragraphs;
    return lines;
}

} // namespace

bool isSeparator(int menuIndex) {
    return menuIndex >= 0 && menuIndex < MenuItemCount && menuIndex % 3 == 2;
}

bool isSample(int menuIndex) {
    return menuIndex >= 0 && menuIndex < MenuItemCount && menuIndex % 3 != 2;
}

QString menuCaption(int menuIndex) {
    if (!isSample(menuIndex)) return {};
    return QString::fromUtf16(Menu[size_t(menuIndex)].caption);
}

int sampleNumber(int menuIndex) {
    if (!isSample(menuIndex)) return 0;
    // Every group of three menu items holds two samples and a separator.
    return menuIndex / 3 * 2 + menuIndex % 3 + 1;
}

QStringList sampleLines(int menuIndex) {
    if (!isSample(menuIndex)) return {};
    // Each sample is read and counted the first time it is chosen, not all fourteen at start-up.
    static std::array<std::once_flag, MenuItemCount> once;
    static std::array<QStringList, MenuItemCount> cache;
    const auto i = size_t(menuIndex);
    std::call_once(once[i], [&] { cache[i] = buildLines(menuIndex); });
    return cache[i];
}

} // namespace SampleTexts

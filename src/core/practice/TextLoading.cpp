#include "core/practice/TextLoading.h"

#include "core/settings/Options.h"
#include "core/texts/SampleTexts.h"
#include "core/util/BasicFunctions.h"
#include "core/util/Cp932.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace TextLoading {

void updateActiveTarget(Session& m) {
    m.activeTarget =
        m.settings.number(isJapaneseText(m.text.counts) ? Options::TargetJapanese : Options::TargetEnglish);
}

namespace {

constexpr int First = CurrentText::FirstParagraphLine;

QString paragraphLabel(int paragraphNumber) {
    return basic::RightAligned(paragraphNumber, 3);
}

bool isTypeable(QChar c) {
    const char16_t u = c.unicode();
    return u >= 0x20 && u != 0x7F && u != 0xFFFD && !c.isSurrogate();
}

// Blank lines after the last paragraph end the file harmlessly and are dropped. A blank line with
// paragraphs after it means the file was edited by hand: practising only the paragraphs before it
// while the statistics line describes the whole would mislead. Returns that line's number (from 1).
int blankLineInsideText(QStringList& lines, bool moreText) {
    if (!moreText)
        while (lines.size() > First && basic::RTrim(lines.last()).isEmpty())
            lines.removeLast();
    for (int i = First; i < lines.size(); ++i)
        if (basic::RTrim(lines[i]).isEmpty()) return i + 1;
    return 0;
}

int clampedParagraph(const Session& m, int index) {
    return std::clamp(index, 0, std::max(0, m.text.paragraphCount() - 1));
}

// Target speed and usable standards for the kind of what is practised.
void applyTextKind(Session& m) {
    updateActiveTarget(m);
    if (!isJapaneseText(m.text.counts) && m.settings.number(Options::Standard) > 2)
        m.settings.setNumber(Options::Standard, 0);
}

void selectParagraph(Session& m, int index) {
    index = clampedParagraph(m, index);
    m.settings.setNumber(Options::CurrentParagraph, index);
    m.text.currentLine = index + First;
    m.text.counts = classifyChars(m.text.line(m.text.currentLine));
    applyTextKind(m);
}

BestTimes storedBestTimes(const Session& m) {
    if (!m.settings[Options::CurrentFile].address.isEmpty()) return BestTimesLine::parse(m.text.line(4));
    const int sample = m.settings.number(Options::ChosenSample);
    if (!SampleTexts::isSample(sample)) return BestTimesLine::empty();
    return BestTimesLine::parse(m.settings[Options::SampleBestLines + sample].address);
}

// The loading steps common to a file and a sample, once the lines are in place.
void prepareLoadedText(Session& m) {
    CurrentText& t = m.text;
    if (m.settings.number(Options::PracticeMode) != 0) {
        selectParagraph(m, m.settings.number(Options::CurrentParagraph));
    } else {
        t.currentLine = First;
        t.counts = wholeTextCounts(t);
        applyTextKind(m);
    }
    if (!isJapaneseText(t.counts) && m.settings.number(Options::EndSpace) == 1)
        for (int i = First; i < t.lineCount; ++i)
            t.textLines[i] += u' ';
    t.bestTimes = storedBestTimes(m);
}

} // namespace

CharCounts wholeTextCounts(const CurrentText& t) {
    CharCounts counts = parseStatisticsLine(t.line(3));
    if (counts.total <= 0) {
        // An unreadable statistics line would leave nothing to divide by: count the paragraphs.
        counts = {};
        for (int i = First; i < t.lineCount; ++i)
            counts += classifyChars(t.line(i));
    }
    return counts;
}

bool isPlainFileName(const QString& name) {
    if (name.isEmpty() || name.size() > 255 || name == u"." || name == u"..") return false;
    for (QChar c : name)
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20) return false;
    return true;
}

int segmentCellCount(QStringView line) {
    return int(withoutReadings(line).size());
}

QString checkPracticeLines(const QStringList& lines) {
    const int paragraphs = int(lines.size()) - First;
    if (paragraphs < 1) return u"段落がありません。"_s;
    if (paragraphs > MaxParagraphs) return u"段落数が200段落を超えています。"_s;
    for (int p = 0; p < paragraphs; ++p) {
        const QString& line = lines[p + First];
        const int cells = segmentCellCount(line);
        if (cells > MaxParagraphChars) return u"第"_s + paragraphLabel(p + 1) + u"段落が800文字を超えています。"_s;
        if (cells == 0) return u"第"_s + paragraphLabel(p + 1) + u"段落に練習する文字がありません。"_s;
        if (!std::all_of(line.begin(), line.end(), isTypeable))
            return u"第"_s + paragraphLabel(p + 1) + u"段落に入力できない文字が含まれています。"_s;
    }
    return {};
}

QStringList readPracticeFile(const QString& fileBox, const QString& name, QString* error) {
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return QStringList();
    };
    const QString quoted = u"練習テキスト「"_s + name + u"」"_s;
    if (!isPlainFileName(name)) return fail(quoted + u"はFileBoxのファイル名ではないため開けません。"_s);
    const QFileInfo info(fileBox + u'/' + name);
    if (!info.exists() && !info.isSymLink()) return fail(quoted + u"が見つかりません。"_s);
    if (info.isSymLink() || !info.isFile()) return fail(quoted + u"は通常のファイルではないため開けません。"_s);
    if (info.size() > MaxFileBytes) return fail(quoted + u"は大きすぎるため練習できません。"_s);
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly)) return fail(quoted + u"を読み込めませんでした。"_s);
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (bytes.size() > MaxFileBytes) return fail(quoted + u"は大きすぎるため練習できません。"_s);
    QString problem;
    const QStringList lines = practiceLinesFromBytes(bytes, &problem);
    if (lines.isEmpty()) return fail(quoted + problem);
    return lines;
}

QStringList practiceLinesFromBytes(QByteArrayView bytes, QString* problem) {
    bool valid = false;
    const QString text = cp932::decode(bytes, &valid);
    if (!valid) {
        if (problem) *problem = u"の文字コードがShift_JIS（CP932）ではないため練習できません。"_s;
        return {};
    }
    bool moreText = false;
    QStringList lines = basic::splitLines(text, CurrentText::MaxLines, &moreText);
    QString why;
    if (const int blankLine = blankLineInsideText(lines, moreText))
        why = QString::number(blankLine) + u"行目が空行です。段落と段落の間に空行は置けません。"_s;
    else
        why = checkPracticeLines(lines);
    if (!why.isEmpty()) {
        if (problem) *problem = u"は練習できません。\n"_s + why;
        return {};
    }
    return lines;
}

bool loadOwnText(Session& m, QString* error) {
    const QStringList lines = readPracticeFile(m.fileBoxPath(), m.settings[Options::CurrentFile].address, error);
    if (lines.isEmpty()) return false;
    m.text.textLines = lines;
    m.text.lineCount = int(lines.size());
    prepareLoadedText(m);
    return true;
}

void loadSampleText(Session& m, int menuIndex) {
    if (!SampleTexts::isSample(menuIndex)) {
        menuIndex = 0;
        m.settings.setNumber(Options::ChosenSample, 0);
    }
    m.text.textLines = SampleTexts::sampleLines(menuIndex);
    m.text.lineCount = int(m.text.textLines.size());
    prepareLoadedText(m);
}

void chooseSample(Session& m, int menuIndex) {
    if (!SampleTexts::isSample(menuIndex)) menuIndex = 0;
    m.settings.setNumber(Options::CurrentParagraph, 0);
    m.settings[Options::CurrentFile].address.clear();
    m.settings.setNumber(Options::ChosenSample, menuIndex);
    loadSampleText(m, menuIndex);
}

LoadResult loadCurrentText(Session& m, QString* error) {
    if (error) error->clear();
    LoadResult result = LoadResult::Sample;
    QString& name = m.settings[Options::CurrentFile].address;
    if (!name.isEmpty()) {
        if (loadOwnText(m, error)) return LoadResult::OwnText;
        // A text deleted outside the program is no damage: the chosen sample takes its place.
        const QFileInfo info(m.fileBoxPath() + u'/' + name);
        result =
            isPlainFileName(name) && !info.exists() && !info.isSymLink() ? LoadResult::Missing : LoadResult::Unusable;
        name.clear();
    }
    loadSampleText(m, m.settings.number(Options::ChosenSample));
    return result;
}

void wholeTextPractice(Session& m) {
    m.settings.setNumber(Options::PracticeMode, 0);
    m.text.currentLine = First;
    m.text.counts = wholeTextCounts(m.text);
    applyTextKind(m);
    m.text.bestTimes = storedBestTimes(m);
}

void paragraphPractice(Session& m, int index) {
    m.settings.setNumber(Options::PracticeMode, 1);
    selectParagraph(m, index);
}

void nextParagraph(Session& m) {
    const int current = m.settings.number(Options::CurrentParagraph);
    if (current + 1 < m.text.paragraphCount()) selectParagraph(m, current + 1);
}

void previousParagraph(Session& m) {
    const int current = m.settings.number(Options::CurrentParagraph);
    if (current > 0) selectParagraph(m, current - 1);
}

QString targetLine(qint32 totalChars, qint32 target) {
    if (target < 1) return {};
    const double seconds = basic::Val(basic::Format(double(totalChars) * 60.0 / target, u"#0"));
    const double minutes = basic::Int(seconds / 60.0);
    return u"目標："_s + basic::Format(minutes, u"#0") + u"分"_s + basic::Format(seconds - 60.0 * minutes, u"00") +
           u"秒 "_s + QString::number(target) + u"CPM"_s;
}

QString withoutReadings(QStringView line) {
    QString out;
    out.reserve(line.size());
    bool reading = false;
    for (QChar c : line) {
        if (c == u'《')
            reading = true;
        else if (c == u'》')
            reading = false;
        else if (!reading)
            out += c;
    }
    return out;
}

TextView view(const Session& m) {
    const CurrentText& t = m.text;
    const bool paragraphMode = m.settings.number(Options::PracticeMode) != 0;
    TextView v;
    v.title = t.line(2);
    if (!paragraphMode && m.preferences.examMinutes > 0)
        v.modeLine = u"試験モード（"_s + QString::number(m.preferences.examMinutes) + u"分間・全 "_s +
                     QString::number(t.paragraphCount()) + u" 段落）"_s;
    else if (paragraphMode)
        v.modeLine = u"段落別練習 (第 "_s + QString::number(t.currentLine - First + 1) + u" 段落)"_s;
    else
        v.modeLine = u"全文通し練習（全 "_s + QString::number(t.paragraphCount()) + u" 段落）"_s;
    v.paragraphPanel = paragraphMode;
    v.totalChars = QString::number(t.counts.total);
    v.countCaption = characterCountCaption(t.counts);
    v.kanjiCaption = kanjiRatioCaption(t.counts);
    v.halfCaption = halfRatioCaption(t.counts);
    v.eligibility = eligibility(t.counts);
    v.eligibilityCaption = eligibilityCaption(v.eligibility);
    v.targetLine = targetLine(t.counts.total, m.activeTarget);

    MenuState& menus = v.menus;
    menus.wholeChecked = !paragraphMode;
    menus.paragraphChecked = paragraphMode;
    menus.paragraphEnabled = !paragraphMode;
    menus.chooseParagraphEnabled = paragraphMode;
    menus.previousEnabled = paragraphMode && t.currentLine > First;
    menus.nextEnabled = paragraphMode && t.currentLine < t.lineCount - 1;
    menus.detailsEnabled = !paragraphMode;
    const bool ownText = !m.settings[Options::CurrentFile].address.isEmpty();
    menus.editCurrentEnabled = ownText;
    const bool japanese = isJapaneseText(t.counts);
    menus.standardEnabled = {true, true, true, japanese, japanese};
    menus.standardChecked = m.settings.number(Options::Standard);
    menus.sampleChecked = ownText ? -1 : m.settings.number(Options::ChosenSample);
    return v;
}

} // namespace TextLoading

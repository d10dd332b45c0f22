#include "core/records/RecordFiles.h"

#include "core/practice/Session.h"
#include "core/practice/TextLoading.h"
#include "core/settings/Options.h"
#include "core/texts/SampleTexts.h"
#include "core/util/AtomicFile.h"
#include "core/util/BasicFunctions.h"
#include "core/util/Cp932.h"
#include "core/util/Folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

using namespace Qt::StringLiterals;

namespace RecordFiles {

using ResultComputation::ResultFigures;

namespace {

constexpr int IdLength = 12;
constexpr int KeyLength = 13; // language letter and ID

QString at(QStringView text, int width) {
    return basic::FormatAt(text, QString(width, u'@'));
}

QString withReason(const QString& message, const QString& reason) {
    return reason.isEmpty() ? message : message + u"（"_s + reason + u"）"_s;
}

// The key of a raw line: its first 13 characters. Decoding 26 bytes is enough for 13 characters.
QString rawLineKey(const QByteArray& line) {
    return basic::Left(cp932::decode(line.left(2 * KeyLength)), KeyLength);
}

bool isAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

// Trailing half-width spaces of a raw line. 0x20 is never the second byte of a double-byte character.
QByteArray rawRTrim(const QByteArray& line) {
    qsizetype end = line.size();
    while (end > 0 && line[end - 1] == ' ')
        --end;
    return line.left(end);
}

} // namespace

// ---- Identifiers and names ---------------------------------------------------------------

QString TextKey::recordFileName() const {
    return isSample() ? id + u".txt"_s : fileName;
}

QString sampleTextId(int menuIndex) {
    const int number = SampleTexts::sampleNumber(menuIndex);
    if (number < 1) return {};
    return u"0000000000"_s + basic::Format(number, u"00");
}

QString textIdForFileName(QStringView fileName) {
    const QString id = basic::Left(fileName, IdLength);
    return id + QString(IdLength - id.size(), u' ');
}

TextKey currentTextKey(const Session& m) {
    TextKey key;
    key.fileName = m.settings[Options::CurrentFile].address;
    if (!key.fileName.isEmpty()) {
        key.id = textIdForFileName(key.fileName);
        return key;
    }
    key.sampleMenuIndex = m.settings.number(Options::ChosenSample);
    // The loader falls back to the first sample for an index that holds none; the records follow it.
    if (!SampleTexts::isSample(key.sampleMenuIndex)) key.sampleMenuIndex = 0;
    key.id = sampleTextId(key.sampleMenuIndex);
    return key;
}

QString practiceLogName(const QDate& date) {
    return date.toString(u"yyyyMM") + QString::fromUtf16(PracticeLogSuffix);
}

QString detailFilePath(const Session& m, int detailMode) {
    const QString folder = m.logBoxPath() + u'/';
    if (detailMode == ParagraphDetails) return folder + QString::fromUtf16(TempFileName);
    return folder + (detailMode == BestAttemptDetails ? u"b"_s : u"d"_s) + currentTextKey(m).recordFileName();
}

// ---- Lines --------------------------------------------------------------------------------

bool isJapaneseMark(const CharCounts& counts) {
    return 2 * qint64(counts.half) <= qint64(counts.total);
}

QString resultFields(const ResultFigures& f, qint32 characters, FieldLayout layout) {
    const bool best = layout == FieldLayout::BestRec;
    const QString ownLevel = f.ownLevel == QStringView(NoOwnLevel) ? u" -"_s : f.ownLevel;
    QString s;
    s.reserve(80);
    s += at(QString::number(characters), best ? 7 : 6);
    s += at(f.keystrokes, 6);
    s += at(f.cpm, 8);
    s += u' ';
    s += f.grade;
    s += at(f.scr, 8);
    s += u' ';
    s += at(ownLevel, 2);
    const auto& rows = f.rows;
    using namespace ResultComputation;
    if (f.japaneseOperations) {
        s += at(rows[Conversion].rate, best ? 7 : 6) + rows[Conversion].mark;
        s += at(rows[Confirmation].rate, 5) + rows[Confirmation].mark;
        s += at(rows[Correction].rate, 5) + rows[Correction].mark;
        s += at(rows[Revision].rate, 5) + rows[Revision].mark;
    } else {
        s += best ? u"      -　    -　"_s : u"     -　    -　"_s;
        s += at(rows[Correction].rate, 5) + rows[Correction].mark;
        s += u"    -"_s;
    }
    return s;
}

QString practiceLogLine(QStringView id, const CharCounts& counts, const QDate& date, int paragraphNumber,
                        const ResultFigures& f) {
    QString s = id.toString() + (isJapaneseMark(counts) ? u"日"_s : u"英"_s) + u' ' + date.toString(u"yyMMdd");
    if (paragraphNumber <= 0)
        s += u" 通し 全体"_s;
    else
        s += u" 第"_s + at(QString::number(paragraphNumber), 3) + u"段落"_s;
    return s + resultFields(f, counts.total, FieldLayout::Log);
}

QString bestRecLine(QStringView id, const CharCounts& counts, const QDate& date, const ResultFigures& f) {
    return (isJapaneseMark(counts) ? u"j"_s : u"e"_s) + id.toString() + u"   "_s + date.toString(u"yyMMdd") +
           resultFields(f, counts.total, FieldLayout::BestRec);
}

QString withoutLeadingTeisei(QStringView operations) {
    qsizetype start = 0;
    while (start < operations.size() && operations[start] == u'≪')
        ++start;
    return operations.mid(start).toString();
}

QStringList detailLines(const ResultFigures& whole, qint32 wholeCharacters, const QStringList& paragraphs,
                        std::span<const ParagraphResult> rows, int standard) {
    const qsizetype count = std::min<qsizetype>(paragraphs.size(), qsizetype(rows.size()));
    QStringList lines;
    lines.reserve(2 * count + 2);
    lines.append(u"通し 全体"_s + resultFields(whole, wholeCharacters, FieldLayout::Log));
    for (qsizetype p = 0; p < count; ++p) {
        const ParagraphResult& r = rows[size_t(p)];
        ResultComputation::ResultInput in;
        in.counts = classifyChars(paragraphs[p]);
        in.elapsedMs = r.timeMs;
        in.keystrokes = r.keystrokes;
        in.operations = {r.conversions, r.confirmations, r.teisei, r.shusei};
        in.standard = standard;
        in.ownLevelStart = QString::fromUtf16(NoOwnLevelInBestList);
        const ResultFigures f = ResultComputation::computeResult(in);
        lines.append(u"第"_s + at(QString::number(p + 1), 3) + u"段落"_s +
                     resultFields(f, in.counts.total, FieldLayout::Log));
    }
    lines.append(QString());
    // One line per paragraph even when a string is empty: the details window splits the file in
    // half, so the operation strings must be exactly as many as the paragraph lines.
    for (qsizetype p = 0; p < count; ++p)
        lines.append(withoutLeadingTeisei(rows[size_t(p)].operations));
    return lines;
}

// ---- Raw lines ----------------------------------------------------------------------------

QList<QByteArray> splitRawLines(QByteArrayView bytes) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        lines.append(bytes.sliced(start, end - start).toByteArray());
        if (end < n && bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

QByteArray joinRawLines(const QList<QByteArray>& lines) {
    QByteArray out;
    qsizetype size = 0;
    for (const QByteArray& line : lines)
        size += line.size() + 2;
    out.reserve(size);
    for (const QByteArray& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

bool readWholeFile(const QString& path, QByteArray* bytes, QString* error, qint64 maxBytes) {
    QString reason;
    qint64 size = 0;
    switch (readRegularFile(path, maxBytes, bytes, &reason, &size)) {
    case ReadStatus::Read:
        return true;
    case ReadStatus::Missing:
        reason = fileErrorReason(ENOENT);
        break;
    case ReadStatus::TooLarge:
        reason = tooLargeReason(size, maxBytes);
        break;
    case ReadStatus::Failed:
        break;
    }
    bytes->clear();
    if (error) *error = reason;
    return false;
}

QString tooLargeReason(qint64 size, qint64 maxBytes) {
    auto megabytes = [](qint64 n) { return QString::number(double(n) / (1024 * 1024), 'f', 1); };
    return u"大きすぎます（%1 MB、上限 %2 MB）"_s.arg(megabytes(size), megabytes(maxBytes));
}

// ---- Writing ------------------------------------------------------------------------------

bool ensureLogBox(const QString& logBox, QString* error) {
    if (ensureFolder(logBox)) return true;
    if (error) *error = u"記録フォルダ LogBox を作成できないため、記録を保存できませんでした。"_s;
    return false;
}

bool appendLine(const QString& path, const QString& line, QString* error) {
    return appendToFile(path, cp932::encode(line) + "\r\n", "\r\n", error);
}

bool updateBestRec(const QString& path, const QString& line, QString* error) {
    QByteArray old;
    QString reason;
    qint64 size = 0;
    // A missing file is created; anything else that cannot be read whole is left alone.
    switch (readRegularFile(path, MaxBestRecBytes, &old, &reason, &size)) {
    case ReadStatus::Read:
    case ReadStatus::Missing:
        break;
    case ReadStatus::TooLarge:
        if (error) *error = tooLargeReason(size, MaxBestRecBytes);
        return false;
    case ReadStatus::Failed:
        if (error) *error = reason;
        return false;
    }
    QList<QByteArray> lines = splitRawLines(old);
    const QByteArray replacement = cp932::encode(line);
    // Compare with the key as it reads back from the file, so that a character code page 932
    // cannot hold (written as "?") still finds its own line next time.
    const QString key = rawLineKey(replacement);
    // No double-byte or invalid sequence reads back as ASCII, so an ASCII key (every ID the program
    // makes) matches exactly the lines that start with its bytes; decoding each line is the slow way.
    const QByteArray keyBytes = replacement.left(KeyLength);
    const bool asciiKey = keyBytes.size() == KeyLength && isAscii(keyBytes);
    bool replaced = false;
    for (QByteArray& existing : lines) {
        if (existing.size() < KeyLength) continue;
        if (asciiKey ? existing.startsWith(keyBytes) : rawLineKey(existing) == key) {
            existing = replacement;
            replaced = true;
        }
    }
    if (!replaced) lines.append(replacement);
    return writeFileAtomically(path, joinRawLines(lines), error);
}

bool writeLinesAtomically(const QString& path, const QStringList& lines, QString* error) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += cp932::encode(line);
        bytes += "\r\n";
    }
    return writeFileAtomically(path, bytes, error);
}

bool rewriteBestTimesLineOfFile(const QString& path, const QString& line, QString* error) {
    const QFileInfo info(path);
    const QString quoted = u"練習テキスト「"_s + info.fileName() + u"」"_s;
    auto fail = [&](const QString& why) {
        if (error) *error = quoted + why;
        return false;
    };
    // Recreating a text that was deleted while loaded would leave a file of five lines.
    if (!info.exists() && !info.isSymLink()) return fail(u"が見つからないため、ベストタイムを保存できませんでした。"_s);
    if (info.isSymLink() || !info.isFile())
        return fail(u"は通常のファイルではないため、ベストタイムを保存できませんでした。"_s);
    if (info.size() > TextLoading::MaxFileBytes)
        return fail(u"は大きすぎるため、ベストタイムを保存できませんでした。"_s);
    QByteArray bytes;
    QString reason;
    if (!readWholeFile(path, &bytes, &reason, TextLoading::MaxFileBytes))
        return fail(withReason(u"を読み込めないため、ベストタイムを保存できませんでした。"_s, reason));
    const QList<QByteArray> lines = splitRawLines(bytes);
    constexpr int Header = CurrentText::FirstParagraphLine;
    if (lines.size() < Header) return fail(u"の形式が正しくないため、ベストタイムを保存できませんでした。"_s);
    QList<QByteArray> out;
    out.reserve(lines.size());
    for (int i = 0; i < Header - 1; ++i)
        out.append(rawRTrim(lines[i]));
    out.append(cp932::encode(line));
    for (qsizetype i = Header; i < lines.size(); ++i) {
        const QByteArray paragraph = rawRTrim(lines[i]);
        if (paragraph.isEmpty()) break; // the text ends at its first empty paragraph line
        out.append(paragraph);
    }
    if (!writeFileAtomically(path, joinRawLines(out), &reason))
        return fail(withReason(u"に書き込めないため、ベストタイムを保存できませんでした。"_s, reason));
    return true;
}

QString storedBestTimesLine(const Session& m) {
    const TextKey key = currentTextKey(m);
    if (key.isSample()) return m.settings[Options::SampleBestLines + key.sampleMenuIndex].address;
    return m.text.line(CurrentText::FirstParagraphLine - 1);
}

bool storeBestTimesLine(Session& m, const QString& line, QString* error) {
    const TextKey key = currentTextKey(m);
    constexpr int LineIndex = CurrentText::FirstParagraphLine - 1;
    if (key.isSample()) {
        // The settings file keeps it; it is written when the program closes.
        m.settings[Options::SampleBestLines + key.sampleMenuIndex].address = line;
    } else {
        if (!TextLoading::isPlainFileName(key.fileName)) {
            if (error) *error = u"練習テキスト「"_s + key.fileName + u"」にベストタイムを保存できませんでした。"_s;
            return false;
        }
        if (!rewriteBestTimesLineOfFile(m.fileBoxPath() + u'/' + key.fileName, line, error)) return false;
    }
    if (m.text.textLines.size() > LineIndex) m.text.textLines[LineIndex] = line;
    return true;
}

RecordOutcome writeAttemptRecords(Session& m, const AttemptSummary& summary, std::span<const ParagraphResult> rows,
                                  const ResultComputation::AttemptResult& result, const QDateTime& now) {
    RecordOutcome out;
    const TextKey key = currentTextKey(m);
    const QDate today = now.date();
    const QString logBox = m.logBoxPath();
    QString reason;

    QString folderError;
    const bool logBoxReady = ensureLogBox(logBox, &folderError);
    if (!logBoxReady) out.errors.append(folderError);
    auto logPath = [&](const QString& name) { return logBox + u'/' + name; };
    auto failed = [&](const QString& message) {
        out.errors.append(withReason(message, reason));
        reason.clear();
    };

    const bool whole = result.wholeText;
    if (logBoxReady) {
        const int paragraphNumber = whole ? 0 : summary.currentLine - CurrentText::FirstParagraphLine + 1;
        const QString name = practiceLogName(today);
        out.practiceLog = appendLine(
            logPath(name), practiceLogLine(key.id, m.text.counts, today, paragraphNumber, result.figures), &reason);
        if (!out.practiceLog) failed(u"練習ログ "_s + name + u" に書き込めませんでした。"_s);
    }

    if (!whole) {
        if (!logBoxReady) return out;
        const int row = std::clamp(summary.firstRow, 0, int(rows.size()) - 1);
        const QString operations = rows.empty() ? QString() : withoutLeadingTeisei(rows[size_t(row)].operations);
        out.tempFile = writeLinesAtomically(logPath(QString::fromUtf16(TempFileName)), {operations}, &reason);
        if (out.tempFile)
            m.detailMode = ParagraphDetails;
        else
            failed(u"段落別の結果 Temp.txt を書き込めませんでした。"_s);
        return out;
    }

    const ResultComputation::BestTimesUpdate& best = result.best;
    if (best.newBest && logBoxReady) {
        out.bestRec = updateBestRec(logPath(QString::fromUtf16(BestRecFileName)),
                                    bestRecLine(key.id, m.text.counts, today, result.figures), &reason);
        if (!out.bestRec) failed(u"最高成績ファイル BestRec.log を更新できませんでした。"_s);
    }
    if (best.row >= 0) {
        m.text.bestTimes = best.times;
        out.bestTimesLine = storeBestTimesLine(m, BestTimesLine::format(best.times), &reason);
        if (!out.bestTimesLine) {
            out.errors.append(reason);
            reason.clear();
        }
    }
    if (!logBoxReady) return out;

    const int first = CurrentText::FirstParagraphLine;
    const QStringList paragraphs = m.text.textLines.mid(first, std::max(0, m.text.lineCount - first));
    const QStringList lines =
        detailLines(result.figures, m.text.counts.total, paragraphs, rows, m.settings.number(Options::Standard));
    const QString detailName = u"d"_s + key.recordFileName();
    QByteArray detailBytes;
    for (const QString& line : lines)
        detailBytes += cp932::encode(line) + "\r\n";
    out.detailFile = writeFileAtomically(logPath(detailName), detailBytes, &reason);
    if (out.detailFile)
        m.detailMode = LastAttemptDetails;
    else
        failed(u"成績詳細ファイル "_s + detailName + u" を書き込めませんでした。"_s);

    // The best copy comes from this attempt's details only; an older "d" file would pass off
    // another attempt as the best one.
    if (best.newBest && out.detailFile) {
        const QString bestName = u"b"_s + key.recordFileName();
        out.bestDetailFile = writeFileAtomically(logPath(bestName), detailBytes, &reason);
        if (!out.bestDetailFile) failed(u"最高成績詳細ファイル "_s + bestName + u" を書き込めませんでした。"_s);
    }
    return out;
}

} // namespace RecordFiles

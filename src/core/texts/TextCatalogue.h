#pragma once

#include "core/texts/TextStats.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

/**
 * The user's texts in FileBox as the text picker lists them: pages of N texts, newest first,
 * narrowed to one source or keyword, one row per text with its level and record count. Only
 * the head of a file (its first five lines) is read, once, when its page is first shown.
 */
class TextCatalogue {
public:
    /** The page sizes the user can choose; a stored value that is none of them means 100. */
    static constexpr int PageSizes[] = {20, 50, 100, 200, 500, 1000};
    static constexpr int DefaultPageSize = 100;
    static int pageSizeOrDefault(qint32 stored);

    /** The level label (two characters at most) of a text with these counts and this best time in seconds. */
    using LevelFunction = QString (*)(const CharCounts& counts, float bestSeconds);

    /** The head of a text's file: lines 1 to 5, empty where the file has none. */
    struct Head {
        QString source;
        QString dateAndKeyword;
        QString title;
        QString statistics;
        QString bestTimes;
        QString issueDate() const { return dateAndKeyword.left(6); }
        QString keyword() const { return dateAndKeyword.mid(6); }
    };
    /** The head of a file's bytes (code page 932, CR LF, CR or LF). */
    static Head headFromBytes(QByteArrayView bytes);

    /** Text cut to a width in columns (full-width characters take two), ending in "‥" when cut. */
    static QString cutToColumns(QStringView text, int budget, int* widthTaken);
    /** The count of best times set from the first on: "1".."9", "*" for ten, " " for none. */
    static QChar recordCountMark(QStringView bestTimesLine);
    /** The row of one text: creation date, [level and records], title, 〔source/issue date〕. */
    static QString row(const QString& fileName, const Head& head, LevelFunction level);

    TextCatalogue(QString fileBox, int pageSize, LevelFunction level);

    /** Lists FileBox again (regular files in name order); the heads already read are forgotten. */
    void refresh();
    int fileCount() const { return int(m_names.size()); }
    int pageSize() const { return m_pageSize; }
    int pageCount() const;
    /** "Page  1", "Page  2" ... */
    QStringList pageLabels() const;
    /** "File" and the number of files in five characters. */
    QString fileCountLabel() const;

    /** A row of the list and the file it stands for. */
    struct Row {
        int fileIndex;
        QString text;
    };
    /** The rows of page `page` (from 0), newest first, whose source and keyword match (nullopt: any). */
    QList<Row> rows(int page, const std::optional<QString>& source, const std::optional<QString>& keyword);

    QString fileName(int fileIndex) const { return m_names.at(size_t(fileIndex)); }
    QString path(int fileIndex) const { return m_fileBox + u'/' + fileName(fileIndex); }
    /** The file's head, read on first use. */
    const Head& head(int fileIndex);

    /** "文字数 " and the text's count, "段落数 " and its paragraph count, read from the whole file. */
    struct CountLabels {
        QString characters;
        QString paragraphs;
    };
    CountLabels countLabels(int fileIndex) const;

private:
    struct Entry {
        bool read = false;
        Head head;
        QString row;
    };
    Entry& entry(int fileIndex);

    QString m_fileBox;
    int m_pageSize;
    LevelFunction m_level;
    std::vector<QString> m_names;
    std::vector<Entry> m_entries;
};

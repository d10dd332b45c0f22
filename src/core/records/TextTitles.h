#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

/**
 * The titles of the texts that record lines name. A line names its text by the 12-character
 * ID (BestRec.log) or by the eight characters the log window shows (characters 5 to 12 of the
 * ID); the title is the third line of the first file of FileBox, in name order, whose name
 * starts with that ID, or the title of the built-in sample with that ID.
 */
class TextTitles {
public:
    /** What a line whose text is gone shows. */
    static constexpr char16_t NotFound[] = u"テキストが見つかりません";

    /** Lists FileBox once; the titles themselves are read when asked for. */
    explicit TextTitles(const QString& fileBox);

    /** Title for the first 12 characters of a best-records line. */
    QString forId(QStringView line) const;
    /** Title for the first 8 characters of a log-window line. */
    QString forShortId(QStringView line) const;

    /** The third line of a practice-text file (its title); empty when it has none or cannot be read. */
    static QString titleOfFile(const QString& path);
    /** The title of the sample whose number (1 .. 14) the ID's digits give; empty for any other ID. */
    static QString sampleTitle(QStringView id, int digits);

private:
    QString lookUp(const QHash<QString, QString>& files, QStringView id, int digits) const;

    QString m_fileBox;
    QHash<QString, QString> m_byId;      ///< first 12 characters of a name -> the first such file
    QHash<QString, QString> m_byShortId; ///< characters 5 to 12 -> the first such file
};

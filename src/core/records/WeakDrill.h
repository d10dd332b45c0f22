#pragma once

#include "core/records/OwnTexts.h"
#include "core/records/WeaknessLog.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

struct Session;

/**
 * A practice text for one's weak characters: the paragraphs of the own texts and the samples
 * in which the ten weakest characters are densest, saved as an ordinary own text whose source
 * is "苦手文字練習", so that practice, records and editing treat it like any other.
 */
namespace WeakDrill {

inline constexpr char16_t Source[] = u"苦手文字練習";
inline constexpr int WeakestCount = 10;
inline constexpr int MaxParagraphs = 10;

/** The first `count` characters of a ranking. */
QString weakestCharacters(const QList<WeaknessLog::WeakChar>& ranking, int count = WeakestCount);

/** The paragraphs of every readable text in FileBox, then of the samples. */
QStringList availableParagraphs(const QString& fileBox);

/**
 * Up to MaxParagraphs paragraphs of the language asked for, densest in `characters` first
 * (a short paragraph is not favoured for being short), each once, none over the length an
 * own text allows and together within a text's character limit.
 */
QStringList pickParagraphs(const QStringList& paragraphs, QStringView characters, bool japanese);

/** Builds and saves the drill for the ranking of one language; the saved text is the one to practise. */
OwnTexts::SaveResult makeDrill(Session& m, const QList<WeaknessLog::WeakChar>& ranking, bool japanese,
                               const QDateTime& now);

} // namespace WeakDrill

#pragma once

#include "core/settings/SettingsTable.h"

#include <QString>
#include <QStringList>

#include <array>

/**
 * The working copy of the known sources (with their web addresses) and keywords that the
 * sources window edits page by page, and the rules by which it is stored back.
 */
class SourceBook {
public:
    static constexpr int PageCount = 5;
    static constexpr int SourcesPerPage = 12;
    static constexpr int KeywordsPerPage = 24;
    static constexpr int FirstKeyword = 200;

    /** What one page shows: source names, their addresses and keywords. */
    struct Page {
        std::array<QString, SourcesPerPage> sources;
        std::array<QString, SourcesPerPage> addresses;
        std::array<QString, KeywordsPerPage> keywords;
        bool operator==(const Page&) const = default;
    };

    explicit SourceBook(const SettingsTable& settings);

    Page page(int index) const;
    /** Keeps what the boxes of page `index` hold, as typed. */
    void setPage(int index, const Page& page);

    /**
     * Writes the entries this window reaches (sources 0..59, keywords 200..319) into the
     * settings: CR and LF removed, spaces trimmed, an emptied box empties the entry. Entries
     * beyond them, which saving texts may have filled, stay as they are.
     */
    void storeInto(SettingsTable& settings) const;

private:
    std::array<QString, SettingsTable::EntryCount> m_names;
    std::array<QString, SettingsTable::EntryCount> m_addresses;
};

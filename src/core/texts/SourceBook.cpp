#include "core/texts/SourceBook.h"

#include "core/texts/TextEditing.h"

SourceBook::SourceBook(const SettingsTable& settings) {
    for (int i = 0; i < SettingsTable::EntryCount; ++i) {
        m_names[size_t(i)] = settings[i].name;
        m_addresses[size_t(i)] = settings[i].address;
    }
}

SourceBook::Page SourceBook::page(int index) const {
    Page p;
    for (int i = 0; i < SourcesPerPage; ++i) {
        p.sources[size_t(i)] = m_names[size_t(index * SourcesPerPage + i)];
        p.addresses[size_t(i)] = m_addresses[size_t(index * SourcesPerPage + i)];
    }
    for (int i = 0; i < KeywordsPerPage; ++i)
        p.keywords[size_t(i)] = m_names[size_t(FirstKeyword + index * KeywordsPerPage + i)];
    return p;
}

void SourceBook::setPage(int index, const Page& p) {
    for (int i = 0; i < SourcesPerPage; ++i) {
        m_names[size_t(index * SourcesPerPage + i)] = p.sources[size_t(i)];
        m_addresses[size_t(index * SourcesPerPage + i)] = p.addresses[size_t(i)];
    }
    for (int i = 0; i < KeywordsPerPage; ++i)
        m_names[size_t(FirstKeyword + index * KeywordsPerPage + i)] = p.keywords[size_t(i)];
}

void SourceBook::storeInto(SettingsTable& settings) const {
    for (int i = 0; i < PageCount * SourcesPerPage; ++i) {
        settings[i].name = TextEditing::cleaned(m_names[size_t(i)]);
        settings[i].address = TextEditing::cleaned(m_addresses[size_t(i)]);
    }
    for (int i = FirstKeyword; i < FirstKeyword + PageCount * KeywordsPerPage; ++i)
        settings[i].name = TextEditing::cleaned(m_names[size_t(i)]);
}

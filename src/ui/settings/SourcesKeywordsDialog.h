#pragma once

#include "core/texts/SourceBook.h"
#include "ui/common/DialogFrame.h"

#include <array>

class QLineEdit;
class QPushButton;
struct Session;

/**
 * Edits the known sources, their web addresses and the keywords, five pages of 12 sources
 * and 24 keywords. "保存(&S)" stores them and writes the settings file (accepted); ｷｬﾝｾﾙ
 * changes nothing.
 */
class SourcesKeywordsDialog : public DialogFrame {
    Q_OBJECT

public:
    SourcesKeywordsDialog(Session& session, QWidget* owner);

    int shownPage() const { return m_page; }
    /** Shows page `page` (from 0), keeping what the boxes of the shown page hold. */
    void showPage(int page);
    void save();

private:
    SourceBook::Page boxes() const;

    Session& m;
    SourceBook m_book;
    int m_page = 0;
    std::array<QLineEdit*, SourceBook::SourcesPerPage> m_sources{};
    std::array<QLineEdit*, SourceBook::SourcesPerPage> m_addresses{};
    std::array<QLineEdit*, SourceBook::KeywordsPerPage> m_keywords{};
    std::array<QPushButton*, SourceBook::PageCount> m_pageButtons{};
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
};

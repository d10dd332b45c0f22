#include "ui/settings/SourcesKeywordsDialog.h"

#include "core/practice/Session.h"
#include "ui/common/PlainText.h"
#include "ui/common/Twips.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

constexpr int RowTop = 450;
constexpr int RowPitch = 375;
constexpr int BoxHeight = 345;
constexpr int SourceLeft = 120;
constexpr int SourceWidth = 2700;
constexpr int AddressLeft = SourceLeft + SourceWidth + 90;
constexpr int AddressWidth = 4200;
constexpr int KeywordLeft = AddressLeft + AddressWidth + 240;
constexpr int KeywordWidth = 2100;
constexpr int ClientWidth = KeywordLeft + 2 * KeywordWidth + 90 + 120;
constexpr int PagerTop = RowTop + 12 * RowPitch + 120;
constexpr int ClientHeight = PagerTop + 375 + 150;

const QString CurrentPageStyle = u"color: rgb(255, 0, 0); font-weight: bold;"_s;

} // namespace

SourcesKeywordsDialog::SourcesKeywordsDialog(Session& session, QWidget* owner)
    : DialogFrame(u"SourcesKeywordsDialog"_s, u"出所・キーワード 編集"_s, owner), m(session), m_book(session.settings) {
    addLabel(u"sourceHeader"_s, u"出所 "_s, SourceLeft, 120, SourceWidth, 285);
    addLabel(u"addressHeader"_s, u"出所サイト (URL)  "_s, AddressLeft, 120, AddressWidth, 285);
    addLabel(u"keywordHeader"_s, u"キーワード"_s, KeywordLeft, 120, KeywordWidth, 285);
    auto box = [this](const QString& name, int l, int t, int w) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        twips::place(e, l, t, w, BoxHeight);
        return e;
    };
    for (int i = 0; i < SourceBook::SourcesPerPage; ++i) {
        const int top = RowTop + i * RowPitch;
        m_sources[size_t(i)] = box(u"sourceEdits(%1)"_s.arg(i), SourceLeft, top, SourceWidth);
        m_addresses[size_t(i)] = box(u"addressEdits(%1)"_s.arg(i), AddressLeft, top, AddressWidth);
    }
    for (int i = 0; i < SourceBook::KeywordsPerPage; ++i)
        m_keywords[size_t(i)] = box(u"keywordEdits(%1)"_s.arg(i), KeywordLeft + (i / 12) * (KeywordWidth + 90),
                                    RowTop + (i % 12) * RowPitch, KeywordWidth);
    // The pager: ≪ 1 2 3 4 5 ≫, flat buttons the keyboard reaches as well.
    auto pager = [this](const QString& name, const QString& caption, int left) {
        QPushButton* b = addButton(name, caption, left, PagerTop, 420);
        b->setFlat(true);
        b->setAutoDefault(false);
        return b;
    };
    m_previous = pager(u"previousPageButton"_s, u"≪"_s, SourceLeft);
    m_previous->setToolTip(u"前ページへ"_s);
    for (int i = 0; i < SourceBook::PageCount; ++i) {
        m_pageButtons[size_t(i)] =
            pager(u"pageButtons(%1)"_s.arg(i), QString::number(i + 1), SourceLeft + 450 * (i + 1));
        connect(m_pageButtons[size_t(i)], &QPushButton::clicked, this, [this, i] { showPage(i); });
    }
    m_next = pager(u"nextPageButton"_s, u"≫"_s, SourceLeft + 450 * (SourceBook::PageCount + 1));
    m_next->setToolTip(u"次ページへ"_s);
    connect(m_previous, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });

    QPushButton* saveButton = addButton(u"saveButton"_s, u"保存(&S)"_s, ClientWidth - 2 * ButtonWidth - 240, PagerTop);
    QPushButton* cancelButton = addButton(u"cancelButton"_s, u"ｷｬﾝｾﾙ"_s, ClientWidth - ButtonWidth - 120, PagerTop);
    connect(saveButton, &QPushButton::clicked, this, &SourcesKeywordsDialog::save);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    setClientSize(ClientWidth, ClientHeight);
    m_page = -1;
    showPage(0);
    m_sources[0]->setFocus();
}

SourceBook::Page SourcesKeywordsDialog::boxes() const {
    SourceBook::Page p;
    for (size_t i = 0; i < m_sources.size(); ++i) {
        p.sources[i] = m_sources[i]->text();
        p.addresses[i] = m_addresses[i]->text();
    }
    for (size_t i = 0; i < m_keywords.size(); ++i)
        p.keywords[i] = m_keywords[i]->text();
    return p;
}

void SourcesKeywordsDialog::showPage(int page) {
    if (page < 0 || page >= SourceBook::PageCount || page == m_page) return;
    if (m_page >= 0) m_book.setPage(m_page, boxes());
    m_page = page;
    const SourceBook::Page p = m_book.page(page);
    for (size_t i = 0; i < m_sources.size(); ++i) {
        m_sources[i]->setText(p.sources[i]);
        m_addresses[i]->setText(p.addresses[i]);
    }
    for (size_t i = 0; i < m_keywords.size(); ++i)
        m_keywords[i]->setText(p.keywords[i]);
    for (int i = 0; i < SourceBook::PageCount; ++i)
        m_pageButtons[size_t(i)]->setStyleSheet(i == page ? CurrentPageStyle : QString());
    m_previous->setEnabled(page > 0);
    m_next->setEnabled(page < SourceBook::PageCount - 1);
}

void SourcesKeywordsDialog::save() {
    m_book.setPage(m_page, boxes());
    m_book.storeInto(m.settings);
    SettingsFile file(m.settingsPath());
    QString error;
    if (!file.save(m.settings, &error)) plaintext::message(this, QMessageBox::Warning, u"Rinvale QX"_s, error);
    accept();
}

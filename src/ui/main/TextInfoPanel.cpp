#include "ui/main/TextInfoPanel.h"

#include "ui/common/Twips.h"
#include "ui/main/PanelParts.h"

#include <QFrame>
#include <QLabel>

using namespace Qt::StringLiterals;
using namespace MainLayout;
using panelparts::makeLabel;

namespace {
// The statistics cover the result's operation rows, which start below the result values.
constexpr int StatisticsTop = 900 + 3 * 315 + 60;
} // namespace

TextInfoPanel::TextInfoPanel(QWidget* form) {
    m_title = makeLabel(form, u"titleLabel"_s, {}, LeftColumn, 90, PanelWidth, 360);
    QFont titleFont = m_title->font();
    titleFont.setPointSize(12);
    titleFont.setBold(true);
    twips::setFont(m_title, titleFont);

    m_mode = makeLabel(form, u"modeLabel"_s, {}, RightColumn, 90, RightWidth, 360);
    QFont modeFont = m_mode->font();
    modeFont.setPointSize(11);
    twips::setFont(m_mode, modeFont);
    m_paragraphNotice = panelparts::makePanel(form, u"paragraphNoticePanel"_s, true);
    twips::place(m_paragraphNotice, RightColumn, 480, RightWidth, 330);
    auto* notice = new QLabel(u"段落別練習の記録は保存不可"_s, m_paragraphNotice);
    notice->setObjectName(u"paragraphNoticeLabel"_s);
    notice->setAlignment(Qt::AlignCenter);
    twips::place(notice, 0, 0, RightWidth, 300);

    m_statistics = panelparts::makePanel(form, u"textInfoPanel"_s, true);
    twips::place(m_statistics, RightColumn, StatisticsTop, RightWidth, 270 * 5 + 60);
    m_charCount = makeLabel(m_statistics, u"charCountLabel"_s, {}, 120, 30, 4000, 270);
    m_kanjiRatio = makeLabel(m_statistics, u"kanjiRatioLabel"_s, {}, 120, 300, 4000, 270);
    m_halfWidthRatio = makeLabel(m_statistics, u"halfWidthRatioLabel"_s, {}, 120, 570, 4000, 270);
    m_eligibility = makeLabel(m_statistics, u"eligibilityLabel"_s, {}, 120, 840, 4000, 300);
    m_eligibility->setToolTip(
        u"総文字数200字以上、漢字含有率25％以上、半角含有率10％未満の条件をすべて満たしている場合に判定可能"_s);
}

void TextInfoPanel::show(const TextLoading::TextView& v) {
    m_title->setText(v.title);
    m_mode->setText(v.modeLine);
    m_paragraphNotice->setVisible(v.paragraphPanel);
    m_charCount->setText(v.countCaption);
    m_kanjiRatio->setText(v.kanjiCaption);
    m_halfWidthRatio->setText(v.halfCaption);
    m_eligibility->setText(v.eligibilityCaption);
}

void TextInfoPanel::setStatisticsVisible(bool visible) {
    m_statistics->setVisible(visible);
}

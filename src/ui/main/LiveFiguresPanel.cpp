#include "ui/main/LiveFiguresPanel.h"

#include "ui/common/Twips.h"
#include "ui/main/PanelParts.h"

#include <QFrame>
#include <QLabel>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace MainLayout;
using panelparts::makeLabel;

LiveFiguresPanel::LiveFiguresPanel(QWidget* form) {
    struct Figure {
        const char16_t* captionName;
        const char16_t* caption;
        const char16_t* valueName;
        const char16_t* value;
    };
    const Figure figures[] = {{u"elapsedCaption", u"タイム", u"elapsedLabel", u"0"},
                              {u"keystrokesCaption", u"打数", u"keystrokesLabel", u"0"},
                              {u"typedCharsCaption", u"入力状況(文字数)", u"typedCharsLabel", u"0"},
                              {u"speedCaption", u"スピード(字／分)", u"speedLabel", u"0.0"}};
    QLabel* values[4];
    QLabel* captions[4];
    for (int i = 0; i < 4; ++i) {
        const int left = LeftColumn + (i % 2) * 4965;
        const int top = FiguresTop + (i / 2) * 420;
        captions[i] = makeLabel(form, QString::fromUtf16(figures[i].captionName),
                                QString::fromUtf16(figures[i].caption), left, top, 1800, 330);
        values[i] = makeLabel(form, QString::fromUtf16(figures[i].valueName), QString::fromUtf16(figures[i].value),
                              left + 1800, top, 750, 330, Qt::AlignRight | Qt::AlignVCenter);
    }
    m_elapsedCaption = captions[0];
    m_elapsed = values[0];
    m_keystrokes = values[1];
    m_typedChars = values[2];
    m_speed = values[3];
    // The second row's bars: time and keystrokes have none.
    for (const auto& [name, bar, left] : {std::tuple{u"progressTrack"_s, u"progressBar"_s, LeftColumn},
                                          std::tuple{u"speedGaugeTrack"_s, u"speedGauge"_s, LeftColumn + 4965}}) {
        QFrame* track = panelparts::makePanel(form, name, true);
        twips::place(track, left + 2700, FiguresTop + 420 + 60, 2100, 210);
        auto* fill = new QFrame(track);
        fill->setObjectName(bar);
        fill->setAutoFillBackground(true);
        QPalette barPalette = fill->palette();
        barPalette.setColor(QPalette::Window, barPalette.color(QPalette::Highlight));
        fill->setPalette(barPalette);
        fill->setGeometry(0, 0, 0, track->height());
        (bar == u"progressBar" ? m_progressBar : m_speedGauge) = fill;
    }
    m_detailsLink = makeLabel(form, u"detailsLink"_s, u"詳細[F3].."_s, LeftColumn, FiguresTop + 900, 1500, 300);
    m_detailsLink->setEnabled(false);
}

void LiveFiguresPanel::reset() {
    m_typedChars->setText(u"0"_s);
    m_speed->setText(u"0.0"_s);
    m_keystrokes->setText(u"0"_s);
    m_elapsed->setText(u"0"_s);
    m_progressBar->resize(0, m_progressBar->parentWidget()->height());
    m_speedGauge->resize(0, m_speedGauge->parentWidget()->height());
}

void LiveFiguresPanel::show(const LiveFigures& f) {
    m_typedChars->setText(f.typedChars);
    m_speed->setText(f.cpm);
    m_progressBar->resize(f.progressWidth, m_progressBar->parentWidget()->height());
    m_speedGauge->resize(f.gaugeWidth, m_speedGauge->parentWidget()->height());
    QPalette gauge = m_speedGauge->palette();
    gauge.setColor(QPalette::Window, QColor::fromRgb(gaugeRgb(f.gaugeColour)));
    m_speedGauge->setPalette(gauge);
}

void LiveFiguresPanel::setElapsed(const QString& seconds) {
    m_elapsed->setText(seconds);
}

void LiveFiguresPanel::setRemaining(const QString& remaining, bool final) {
    m_elapsed->setText(remaining);
    markFinalSeconds(final);
}

void LiveFiguresPanel::showRemainingTime(bool exam) {
    m_elapsedCaption->setText(exam ? u"残り時間"_s : u"タイム"_s);
    if (!exam) markFinalSeconds(false);
}

void LiveFiguresPanel::markFinalSeconds(bool final) {
    if (final == m_finalSeconds) return;
    m_finalSeconds = final;
    // The last seconds stand out in red and bold, whatever the style's colours.
    QPalette palette = m_elapsed->parentWidget()->palette();
    if (final) palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    // Only the weight is set: the size follows the window's zoom.
    QFont font;
    font.setBold(final);
    m_elapsed->setPalette(palette);
    m_elapsed->setFont(font);
}

void LiveFiguresPanel::setKeystrokes(int keystrokes) {
    m_keystrokes->setText(QString::number(keystrokes));
}

void LiveFiguresPanel::setTypedChars(const QString& chars) {
    m_typedChars->setText(chars);
}

void LiveFiguresPanel::setSpeed(const QString& cpm) {
    m_speed->setText(cpm);
}

void LiveFiguresPanel::fillProgress() {
    m_progressBar->resize(m_progressBar->parentWidget()->width(), m_progressBar->parentWidget()->height());
}

void LiveFiguresPanel::rescaleBars(double factor) {
    for (QFrame* bar : {m_progressBar, m_speedGauge})
        bar->resize(std::min(bar->parentWidget()->width(), qRound(bar->width() * factor)),
                    bar->parentWidget()->height());
}

int LiveFiguresPanel::trackWidth() const {
    return m_progressBar->parentWidget()->width();
}

int LiveFiguresPanel::gaugeWidth() const {
    return m_speedGauge->width();
}

#include "ui/main/InputPanel.h"

#include "ui/common/FontCellMetrics.h"
#include "ui/common/Twips.h"
#include "ui/main/InputBox.h"
#include "ui/main/PanelParts.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace MainLayout;
using panelparts::makePanel;

InputPanel::InputPanel(QWidget* form) {
    m_panel = makePanel(form, u"inputPanel"_s, true);
    m_box = new InputBox(m_panel);
    m_box->setObjectName(u"inputEdit"_s);
    m_box->setEnabled(false);

    m_startPanel = makePanel(m_panel, u"startPanel"_s, false);
    m_countdownLabel = new QLabel(m_startPanel);
    m_countdownLabel->setObjectName(u"countdownLabel"_s);
    m_countdownLabel->setAlignment(Qt::AlignCenter);
    QFont digitFont = m_countdownLabel->font();
    digitFont.setPointSize(20);
    digitFont.setBold(true);
    twips::setFont(m_countdownLabel, digitFont);
    m_startHint = new QLabel(u"スペースキーでスタート"_s, m_startPanel);
    m_startHint->setObjectName(u"startHint"_s);
    m_startHint->setAlignment(Qt::AlignCenter);
    QFont hintFont = m_startHint->font();
    hintFont.setPointSize(12);
    twips::setFont(m_startHint, hintFont);
    m_retryHint = new QLabel(m_startPanel);
    m_retryHint->setObjectName(u"retryHint"_s);
    m_retryHint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_targetLabel = new QLabel(m_startPanel);
    m_targetLabel->setObjectName(u"targetLabel"_s);
    m_targetLabel->setAlignment(Qt::AlignCenter);

    m_pausePanel = makePanel(m_panel, u"pausePanel"_s, false);
    m_resumeButton = new QPushButton(u"再開"_s, m_pausePanel);
    m_resumeButton->setObjectName(u"resumeButton"_s);
    m_resumeButton->setAutoDefault(false);
    m_pausePanel->hide();
}

void InputPanel::applyFontLayout(const Options::FontLayout& layout, int top) {
    twips::setFont(m_box, FontCellMetrics::cellFont(layout.pointSize));
    twips::place(m_panel, LeftColumn, top, PanelWidth, layout.inputHeight + 90);
    twips::place(m_box, layout.textCanvasLeft + 30, 45, PanelWidth - 90 - layout.textCanvasLeft, layout.inputHeight);
    twips::place(m_startPanel, 30, 45, PanelWidth - 90, layout.startPanelHeight);
    const int width = PanelWidth - 90;
    twips::place(m_countdownLabel, 0, 0, width, layout.startPanelHeight / 2);
    twips::place(m_startHint, 0, layout.startPanelHeight / 2 - 330, width, 420);
    twips::place(m_targetLabel, 0, layout.targetLabelTop - 180, width, 270);
    twips::place(m_retryHint, 0, layout.startPanelHeight - 300, width - 120, 270);
    m_pausePanel->setGeometry(m_startPanel->geometry());
    m_resumeButton->setGeometry(m_pausePanel->width() / 2 - 60, m_pausePanel->height() / 2 - 16, 120, 32);
}

void InputPanel::setColours(const QColor& systemText, const QColor& inputText, const QColor& inputBackground) {
    panelparts::setColours(m_box, inputText, inputBackground);
    for (QWidget* w :
         {static_cast<QWidget*>(m_panel), static_cast<QWidget*>(m_startPanel), static_cast<QWidget*>(m_startHint),
          static_cast<QWidget*>(m_retryHint), static_cast<QWidget*>(m_targetLabel)})
        panelparts::setColours(w, systemText, inputBackground);
}

void InputPanel::applyControls(const StateControls& c) {
    m_box->setEnabled(c.inputEnabled);
    m_startPanel->setVisible(c.startPanel);
    m_startHint->setVisible(c.hints);
    m_retryHint->setVisible(c.hints);
    m_pausePanel->setVisible(c.pausePanel);
}

void InputPanel::showFinished(bool targetLine) {
    m_box->setEnabled(false);
    m_startHint->show();
    m_retryHint->show();
    m_targetLabel->setVisible(targetLine);
}

void InputPanel::setCountdown(const QString& digit) {
    m_countdownLabel->setText(digit);
}

void InputPanel::setRetryHint(const QString& hint) {
    m_retryHint->setText(hint);
}

void InputPanel::setTargetLine(const QString& line) {
    m_targetLabel->setText(line);
    m_targetLabel->setVisible(!line.isEmpty());
}

void InputPanel::hideStartPanel(bool hidden) {
    m_startPanel->setVisible(!hidden);
}

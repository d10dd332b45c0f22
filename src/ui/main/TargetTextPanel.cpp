#include "ui/main/TargetTextPanel.h"

#include "ui/common/CharCellView.h"
#include "ui/common/FontCellMetrics.h"
#include "ui/common/PlainText.h"
#include "ui/common/Twips.h"
#include "ui/main/PanelParts.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QScrollBar>

using namespace Qt::StringLiterals;
using namespace MainLayout;
using panelparts::makePanel;

TargetTextPanel::TargetTextPanel(QWidget* form) {
    m_textPanel = makePanel(form, u"textPanel"_s, true);
    m_cellView = new CharCellView(m_textPanel);
    m_scrollBar = new QScrollBar(Qt::Vertical, m_textPanel);
    m_scrollBar->setObjectName(u"textScrollBar"_s);
    m_scrollBar->setEnabled(false);
    m_scrollBar->setFocusPolicy(Qt::NoFocus);

    m_previewPanel = makePanel(form, u"nextParagraphPanel"_s, true);
    m_previewLabel = new QLabel(m_previewPanel);
    m_previewLabel->setObjectName(u"nextParagraphLabel"_s);
    m_previewLabel->setTextFormat(Qt::PlainText);

    // The ruby box floats over the text panel near the reading's first character.
    m_rubyBox = makePanel(form, u"rubyBox"_s, true);
    m_rubyLabel = new QLabel(m_rubyBox);
    m_rubyLabel->setObjectName(u"rubyLabel"_s);
    m_rubyLabel->setTextFormat(Qt::PlainText);
    m_rubyBox->hide();
}

int TargetTextPanel::applyFontLayout(const Options::FontLayout& layout) {
    m_cellView->setPointSize(layout.pointSize);
    twips::setFont(m_previewLabel, FontCellMetrics::cellFont(layout.pointSize));
    int top = TextPanelTop;
    twips::place(m_textPanel, LeftColumn, top, PanelWidth, layout.textPanelHeight);
    // The cells carry their own 15-twip top; the view starts at the panel's top.
    twips::place(m_cellView, layout.textCanvasLeft, 0, PanelWidth - 300 - layout.textCanvasLeft,
                 layout.textPanelHeight - 30);
    twips::place(m_scrollBar, PanelWidth - 285, 30, 255, layout.textPanelHeight - 75);
    top += layout.textPanelHeight + 60;

    twips::place(m_previewPanel, LeftColumn, top, PanelWidth, layout.nextParagraphHeight + 60);
    twips::place(m_previewLabel, layout.textCanvasLeft + 60, 30, PanelWidth - 120, layout.nextParagraphHeight);
    return top + layout.nextParagraphHeight + 120;
}

void TargetTextPanel::setColours(const QColor& text, const QColor& typed, const QColor& miss,
                                 const QColor& background) {
    panelparts::setColours(m_textPanel, text, background);
    // The scroll bar is a control on the panel, not its text: it keeps the style's colours.
    QPalette style = m_textPanel->parentWidget()->palette();
    style.setResolveMask(~QPalette::ResolveMask(0)); // every role its own, none from the panel
    m_scrollBar->setPalette(style);
    m_cellView->setBackgroundColour(background);
    m_cellView->setStateColours(text, typed, miss);
}

void TargetTextPanel::setRubyColours(const QColor& text, const QColor& background) {
    panelparts::setColours(m_rubyBox, text, background);
    panelparts::setColours(m_rubyLabel, text, background);
}

void TargetTextPanel::setPreviewColours(const QColor& text, const QColor& background) {
    panelparts::setColours(m_previewLabel, text, background);
    panelparts::setColours(m_previewPanel, text, background);
}

void TargetTextPanel::showPreview(const TargetDisplay& display) {
    // Only whole characters: a glyph cut at the panel's edge reads as another character.
    m_previewLabel->setText(plaintext::wholeCharactersThatFit(display.previewText, m_previewLabel->fontMetrics(),
                                                              m_previewLabel->contentsRect().width()));
}

void TargetTextPanel::showSegment(const TargetDisplay& display) {
    showPreview(display);
    m_scrollBar->setValue(0);
    m_scrollBar->setMaximum(display.scrollMaximum);
    m_scrollBar->setEnabled(display.scrollEnabled);
}

RubyFrame TargetTextPanel::rubyFrame(const Options::FontLayout& layout) const {
    RubyFrame frame;
    const double zoom = twips::zoomOf(m_textPanel);
    frame.textPanelLeft = twips::fromPixels(m_textPanel->x(), zoom);
    frame.textPanelTop = twips::fromPixels(m_textPanel->y(), zoom);
    frame.textPanelHeight = layout.textPanelHeight;
    frame.textCanvasLeft = layout.textCanvasLeft;
    frame.textCanvasTop = m_cellView->scrollOffsetTwips();
    frame.windowInnerWidth = ClientWidth;
    const QFontMetrics metrics(m_rubyLabel->font());
    frame.labelWidth = [metrics, zoom](const QString& text) {
        return twips::fromPixels(metrics.horizontalAdvance(text) + 4, zoom);
    };
    return frame;
}

void TargetTextPanel::showRuby(const RubyBox& box, const TargetDisplay& display) {
    if (!box.visible || box.reading < 0 || box.reading >= display.rubyTexts.size()) {
        m_rubyBox->hide();
        return;
    }
    m_rubyLabel->setText(display.rubyTexts[box.reading]);
    const int height = twips::fromPixels(QFontMetrics(m_rubyLabel->font()).height() + 4, twips::zoomOf(m_rubyBox));
    twips::place(m_rubyBox, box.left, box.top, box.width, height);
    m_rubyLabel->setGeometry(2, 1, m_rubyBox->width() - 2, m_rubyBox->height() - 2);
    m_rubyBox->raise();
    m_rubyBox->show();
}

void TargetTextPanel::hideRuby() {
    m_rubyBox->hide();
}

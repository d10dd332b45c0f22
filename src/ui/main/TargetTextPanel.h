#pragma once

#include "core/practice/SegmentLayout.h"
#include "core/settings/Options.h"

#include <QColor>

class CharCellView;
class QFrame;
class QLabel;
class QScrollBar;
class QWidget;

/**
 * The text to type: the panel of character cells with its scroll bar, the ruby box that
 * floats over it and the preview of the next paragraph. It shows the layout core made.
 */
class TargetTextPanel {
public:
    explicit TargetTextPanel(QWidget* form);

    /** Places the panels for a font size; returns the top (twips) of what comes below them. */
    int applyFontLayout(const Options::FontLayout& layout);
    void setColours(const QColor& text, const QColor& typed, const QColor& miss, const QColor& background);
    void setRubyColours(const QColor& text, const QColor& background);
    void setPreviewColours(const QColor& text, const QColor& background);

    /** A new segment: the preview shows what fits of the next paragraph, the scroll bar starts at the top. */
    void showSegment(const TargetDisplay& display);
    /** The preview cut again to what fits, after the panel's zoom changed. */
    void showPreview(const TargetDisplay& display);
    void showRuby(const RubyBox& box, const TargetDisplay& display);
    void hideRuby();
    /** Where the ruby box may go, for the font layout in use. */
    RubyFrame rubyFrame(const Options::FontLayout& layout) const;

    QScrollBar* scrollBar() const { return m_scrollBar; }
    CharCellView* cellView() const { return m_cellView; }

private:
    QFrame* m_textPanel;
    CharCellView* m_cellView;
    QScrollBar* m_scrollBar;
    QFrame* m_rubyBox;
    QLabel* m_rubyLabel;
    QFrame* m_previewPanel;
    QLabel* m_previewLabel;
};

#pragma once

#include "core/settings/ColourSettings.h"
#include "ui/common/DialogFrame.h"

#include <QColor>
#include <QPalette>

#include <array>

class QButtonGroup;
class QFrame;
class QLabel;
class QScrollBar;

/**
 * "文字色・背景色設定": the text and background colours of the practice window. The window edits
 * a working copy; "決定" stores it in the settings and accepts, "ｷｬﾝｾﾙ", Esc and the close box
 * leave the settings as they were.
 */
class ColourSettingsDialog : public DialogFrame {
    Q_OBJECT

public:
    ColourSettingsDialog(SettingsTable& settings, QWidget* owner);

    /** Opens the window over `owner`; true when "決定" stored new colours. */
    static bool edit(SettingsTable& settings, QWidget* owner);

    /**
     * The colour of every item as the practice window shows it. The style's text colour stands
     * for the desktop's button text and its base colour for the window background, so light and
     * dark styles both stay readable.
     */
    static std::array<QColor, ColourSettings::ItemCount> practiceColours(const SettingsTable& settings,
                                                                         const QPalette& style);

    const ColourSettings::Editor& editor() const { return m_editor; }

private:
    void buildItems();
    void buildSliders();
    void buildPalette();
    void buildPreview();
    void buildButtons();

    void select(int item);
    void sliderMoved();
    void swatchClicked(int swatch);
    void resetSelected();
    void resetAll();
    void store();
    /** Sliders, value labels and preview as the working copy says, without counting as an edit. */
    void showSelected();

    SettingsTable& m_settings;
    ColourSettings::Editor m_editor;
    ColourSettings::SystemColours m_system;
    bool m_showing = false; ///< the window itself is moving the sliders
    QButtonGroup* m_items = nullptr;
    std::array<QScrollBar*, 3> m_sliders{};
    std::array<QLabel*, 3> m_values{};
    QFrame* m_previewFrame = nullptr;
    QLabel* m_previewLabel = nullptr;
    QFrame* m_rubyPreview = nullptr;
    QLabel* m_rubyPreviewLabel = nullptr;
};

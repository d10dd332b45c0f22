#include "ui/settings/ColourSettingsDialog.h"

#include "ui/common/Twips.h"
#include "ui/main/PanelParts.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace ColourSettings;

namespace {

constexpr const char16_t* ItemCaptions[ItemCount] = {
    u"練習テキスト文字色", u"練習テキスト背景色", u"次段落文字色", u"次段落背景色", u"入力文字色",
    u"入力文字背景色",     u"正解文字色",         u"ミス文字色",   u"ルビ文字色",   u"ルビ背景色"};

const QString PreviewText = u"あいうえおアイウエオ  １２３４５壱弐参四五abcdefghijklmnopqrst  ABCDEFGHIJKLMNOPQRST"_s;

// Layout in twips: the items on the left, sliders and palette on the right, the preview and the
// buttons across the bottom.
constexpr int Margin = DialogFrame::Margin;
constexpr int ItemsWidth = 2700;
constexpr int ItemPitch = 330;
constexpr int ItemsHeight = ItemCount * ItemPitch + 300;
constexpr int RightLeft = Margin + ItemsWidth + 240;
constexpr int SliderTop = 300;
constexpr int SliderPitch = 390;
constexpr int ChannelWidth = 300;
constexpr int SliderWidth = 3960;
constexpr int SliderHeight = 255;
constexpr int ValueWidth = 540;
constexpr int RightWidth = ChannelWidth + SliderWidth + 60 + ValueWidth;
constexpr int PaletteTop = SliderTop + 3 * SliderPitch + 90;
constexpr int SwatchPitchX = RightWidth / 8;
constexpr int SwatchPitchY = 345;
constexpr int SwatchGap = 60;
constexpr int ClientWidth = RightLeft + RightWidth + Margin;
constexpr int PreviewTop = Margin + ItemsHeight + 180;
constexpr int PreviewHeight = 690;
constexpr int RubyWidth = 1800;
constexpr int ButtonTop = PreviewTop + PreviewHeight + 240;
constexpr int ClientHeight = ButtonTop + DialogFrame::ButtonHeight + Margin;
constexpr int WideButton = 1320;

QColor toQColor(Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

Rgb toRgb(const QColor& colour) {
    return {colour.red(), colour.green(), colour.blue()};
}

} // namespace

bool ColourSettingsDialog::edit(SettingsTable& settings, QWidget* owner) {
    ColourSettingsDialog dialog(settings, owner);
    return dialog.exec() == QDialog::Accepted;
}

std::array<QColor, ItemCount> ColourSettingsDialog::practiceColours(const SettingsTable& settings,
                                                                    const QPalette& style) {
    const std::array<Rgb, ItemCount> shown =
        shownColours(settings, {toRgb(style.color(QPalette::Text)), toRgb(style.color(QPalette::Base))});
    std::array<QColor, ItemCount> colours;
    for (size_t i = 0; i < colours.size(); ++i)
        colours[i] = toQColor(shown[i]);
    return colours;
}

ColourSettingsDialog::ColourSettingsDialog(SettingsTable& settings, QWidget* owner)
    : DialogFrame(u"ColourSettingsDialog"_s, u"文字色・背景色設定"_s, owner), m_settings(settings), m_editor(settings) {
    // The previews are fitted to their frames in pixels.
    keepDesignSize();
    const QPalette style = palette();
    m_system = {toRgb(style.color(QPalette::Text)), toRgb(style.color(QPalette::Base))};
    setClientSize(ClientWidth, ClientHeight);
    buildItems();
    buildSliders();
    buildPalette();
    buildPreview();
    buildButtons();
    select(PracticeText);
    m_items->button(PracticeText)->setFocus();
}

void ColourSettingsDialog::buildItems() {
    auto* frame = new QGroupBox(this);
    frame->setObjectName(u"itemFrame"_s);
    twips::place(frame, Margin, Margin, ItemsWidth, ItemsHeight);
    auto* column = new QVBoxLayout(frame);
    m_items = new QButtonGroup(this);
    for (int item = 0; item < ItemCount; ++item) {
        auto* button = new QRadioButton(QString::fromUtf16(ItemCaptions[item]), frame);
        button->setObjectName(panelparts::indexed(u"itemButtons"_s, item));
        m_items->addButton(button, item);
        column->addWidget(button);
    }
    connect(m_items, &QButtonGroup::idToggled, this, [this](int item, bool checked) {
        if (checked && item != m_editor.selected()) select(item);
    });
}

void ColourSettingsDialog::buildSliders() {
    const std::array<QString, 3> names = {u"red"_s, u"green"_s, u"blue"_s};
    const std::array<QString, 3> channels = {u"R"_s, u"G"_s, u"B"_s};
    const std::array<QColor, 3> inks = {QColor(230, 0, 0), QColor(0, 150, 0), QColor(40, 90, 255)};
    for (size_t c = 0; c < 3; ++c) {
        const int top = SliderTop + int(c) * SliderPitch;
        QLabel* channel =
            addLabel(names[c] + u"Channel"_s, channels[c], RightLeft, top, ChannelWidth, SliderHeight, Qt::AlignCenter);
        QFont bold = channel->font();
        bold.setBold(true);
        channel->setFont(bold);
        panelparts::setTextColour(channel, inks[c]);

        auto* slider = new QScrollBar(Qt::Horizontal, this);
        slider->setObjectName(names[c] + u"Slider"_s);
        slider->setRange(0, 255);
        slider->setPageStep(16);
        // Scroll bars take no focus by default; here they are the keyboard's way to a colour.
        slider->setFocusPolicy(Qt::StrongFocus);
        slider->setAccessibleName(channels[c]);
        twips::place(slider, RightLeft + ChannelWidth, top, SliderWidth, SliderHeight);
        connect(slider, &QScrollBar::valueChanged, this, &ColourSettingsDialog::sliderMoved);
        m_sliders[c] = slider;

        m_values[c] = addLabel(names[c] + u"Value"_s, u"0"_s, RightLeft + ChannelWidth + SliderWidth + 60, top,
                               ValueWidth, SliderHeight, Qt::AlignRight | Qt::AlignVCenter);
    }
}

void ColourSettingsDialog::buildPalette() {
    for (int swatch = 0; swatch < PaletteSize; ++swatch) {
        const QColor colour = toQColor(paletteColour(swatch));
        auto* button = new QPushButton(this);
        button->setObjectName(panelparts::indexed(u"paletteSwatches"_s, swatch));
        // The sliders reach every colour from the keyboard; the swatches are for the mouse.
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(colour.name().toUpper());
        button->setAccessibleName(colour.name().toUpper());
        button->setStyleSheet(u"QPushButton { background-color: %1; border: 1px solid #808080; }"
                              u"QPushButton:hover { border: 2px solid palette(highlight); }"_s.arg(colour.name()));
        twips::place(button, RightLeft + (swatch % 8) * SwatchPitchX, PaletteTop + (swatch / 8) * SwatchPitchY,
                     SwatchPitchX - SwatchGap, SwatchPitchY - SwatchGap);
        connect(button, &QPushButton::clicked, this, [this, swatch] { swatchClicked(swatch); });
    }
}

void ColourSettingsDialog::buildPreview() {
    m_previewFrame = panelparts::makePanel(this, u"previewFrame"_s, true);
    twips::place(m_previewFrame, Margin, PreviewTop, ClientWidth - 2 * Margin - RubyWidth - 120, PreviewHeight);
    m_previewLabel = new QLabel(PreviewText, m_previewFrame);
    m_previewLabel->setObjectName(u"previewLabel"_s);
    m_previewLabel->setTextFormat(Qt::PlainText);
    m_previewLabel->setWordWrap(true);
    m_previewLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_previewLabel->setGeometry(m_previewFrame->rect().adjusted(6, 2, -6, -2));

    m_rubyPreview = panelparts::makePanel(this, u"rubyPreview"_s, true);
    twips::place(m_rubyPreview, ClientWidth - Margin - RubyWidth, PreviewTop, RubyWidth, PreviewHeight);
    m_rubyPreviewLabel = new QLabel(u"あいうえお"_s, m_rubyPreview);
    m_rubyPreviewLabel->setObjectName(u"rubyPreviewLabel"_s);
    m_rubyPreviewLabel->setAlignment(Qt::AlignCenter);
    m_rubyPreviewLabel->setGeometry(m_rubyPreview->rect());
    m_rubyPreview->hide();
}

void ColourSettingsDialog::buildButtons() {
    QPushButton* resetAllButton = addButton(u"allDefaultButton"_s, u"ｵｰﾙﾃﾞﾌｫﾙﾄ"_s, Margin, ButtonTop, WideButton);
    QPushButton* resetButton =
        addButton(u"defaultButton"_s, u"ﾃﾞﾌｫﾙﾄ"_s, Margin + WideButton + ButtonGap, ButtonTop, WideButton);
    QPushButton* cancel =
        addButton(u"cancelButton"_s, u"ｷｬﾝｾﾙ"_s, ClientWidth - Margin - WideButton, ButtonTop, WideButton);
    QPushButton* apply = addButton(u"applyButton"_s, u"決定"_s, ClientWidth - Margin - 2 * WideButton - ButtonGap,
                                   ButtonTop, WideButton);
    apply->setDefault(true);
    connect(resetAllButton, &QPushButton::clicked, this, &ColourSettingsDialog::resetAll);
    connect(resetButton, &QPushButton::clicked, this, &ColourSettingsDialog::resetSelected);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(apply, &QPushButton::clicked, this, &ColourSettingsDialog::store);
}

void ColourSettingsDialog::select(int item) {
    m_editor.select(item);
    if (!m_items->button(item)->isChecked()) m_items->button(item)->setChecked(true);
    showSelected();
}

void ColourSettingsDialog::showSelected() {
    const Rgb values = m_editor.sliderValues();
    m_showing = true;
    const std::array<int, 3> channels = {values.red, values.green, values.blue};
    for (size_t c = 0; c < 3; ++c) {
        m_sliders[c]->setValue(channels[c]);
        m_values[c]->setText(QString::number(m_sliders[c]->value()));
    }
    m_showing = false;

    const int item = m_editor.selected();
    const std::array<Rgb, ItemCount> shown = m_editor.shownColours(m_system);
    const QColor text = toQColor(shown[size_t(previewTextItem(item))]);
    const QColor background = toQColor(shown[size_t(previewBackgroundItem(item))]);
    panelparts::setColours(m_previewFrame, text, background);
    panelparts::setColours(m_previewLabel, text, background);
    const bool ruby = item == RubyText || item == RubyBackground;
    m_rubyPreview->setVisible(ruby);
    if (ruby) {
        panelparts::setColours(m_rubyPreview, toQColor(shown[RubyText]), toQColor(shown[RubyBackground]));
        panelparts::setColours(m_rubyPreviewLabel, toQColor(shown[RubyText]), toQColor(shown[RubyBackground]));
    }
}

void ColourSettingsDialog::sliderMoved() {
    for (size_t c = 0; c < 3; ++c)
        m_values[c]->setText(QString::number(m_sliders[c]->value()));
    // Only the user's moves are edits: choosing an item moves the sliders too.
    if (m_showing) return;
    m_editor.setColour({m_sliders[0]->value(), m_sliders[1]->value(), m_sliders[2]->value()});
    showSelected();
}

void ColourSettingsDialog::swatchClicked(int swatch) {
    m_editor.pickSwatch(swatch);
    showSelected();
}

void ColourSettingsDialog::resetSelected() {
    m_editor.resetSelected();
    showSelected();
}

void ColourSettingsDialog::resetAll() {
    m_editor.resetAll();
    select(m_editor.selected());
}

void ColourSettingsDialog::store() {
    m_editor.writeBack(m_settings);
    accept();
}

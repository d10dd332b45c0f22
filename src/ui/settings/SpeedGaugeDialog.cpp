#include "ui/settings/SpeedGaugeDialog.h"

#include "core/practice/TextLoading.h"
#include "core/settings/Options.h"
#include "ui/common/Twips.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>

using namespace Qt::StringLiterals;
using namespace GaugeTargets;

namespace {

// Layout in twips: the instruction, then per row a heading, the grade list and the value, and
// below them the slider between its scale marks.
constexpr int Margin = DialogFrame::Margin;
constexpr int ClientWidth = 6600;
constexpr int InnerWidth = ClientWidth - 2 * Margin;
constexpr int RowHeight = 300;
constexpr int FirstRowTop = 660;
constexpr int RowPitch = 1320;
constexpr int HeadingWidth = 900;
constexpr int ComboLeft = Margin + HeadingWidth + 60;
constexpr int ComboWidth = 1260;
constexpr int ValueLeft = ComboLeft + ComboWidth + 120;
constexpr int ValueWidth = 720;
constexpr int SliderOffset = 480;
constexpr int MarkWidth = 300;
constexpr int SliderLeft = Margin + MarkWidth + 60;
constexpr int SliderWidth = ClientWidth - Margin - SliderLeft;
constexpr int SliderHeight = 255;
constexpr int ScaleWidth = 720;
constexpr int ButtonTop = FirstRowTop + 2 * RowPitch + 120;
constexpr int ClientHeight = ButtonTop + DialogFrame::ButtonHeight + Margin;

} // namespace

bool SpeedGaugeDialog::edit(Session& session, QWidget* owner) {
    SpeedGaugeDialog dialog(session, owner);
    return dialog.exec() == QDialog::Accepted;
}

SpeedGaugeDialog::SpeedGaugeDialog(Session& session, QWidget* owner)
    : DialogFrame(u"SpeedGaugeDialog"_s, u"スピードゲージ設定"_s, owner), m(session) {
    setClientSize(ClientWidth, ClientHeight);
    addLabel(u"instructionLabel"_s, u"目標とするスピード（文字数/分）を設定します。"_s, Margin, 180, InnerWidth,
             RowHeight);
    const int standard = m.settings.number(Options::Standard);
    m_japanese.grades = grades(standard, Row::Japanese);
    m_english.grades = grades(standard, Row::English);
    buildRow(m_japanese, u"japanese"_s, u"和文用"_s, u"和"_s, FirstRowTop);
    buildRow(m_english, u"english"_s, u"英文用"_s, u"英"_s, FirstRowTop + RowPitch);

    // Only standards with an English scale offer English grades; the row's mark stays readable.
    if (!hasEnglishRow(standard))
        for (QWidget* w : findChildren<QWidget*>(QRegularExpression(u"^english(?!Mark)"_s)))
            w->setEnabled(false);

    QPushButton* ok = addButton(u"okButton"_s, u"OK"_s, ClientWidth - Margin - 2 * ButtonWidth - ButtonGap, ButtonTop);
    QPushButton* cancel = addButton(u"cancelButton"_s, u"ｷｬﾝｾﾙ"_s, ClientWidth - Margin - ButtonWidth, ButtonTop);
    ok->setDefault(true);
    m_okButton = ok;
    connect(ok, &QPushButton::clicked, this, &SpeedGaugeDialog::store);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_japanese.combo->setFocus();
}

void SpeedGaugeDialog::buildRow(TargetRow& row, const QString& name, const QString& heading, const QString& mark,
                                int top) {
    addLabel(name + u"Heading"_s, heading, Margin, top, HeadingWidth, RowHeight);

    row.combo = new QComboBox(this);
    row.combo->setObjectName(name + u"GradeCombo"_s);
    row.combo->setPlaceholderText(QString::fromUtf16(NoGradeText));
    for (const Grade& grade : row.grades)
        row.combo->addItem(grade.label.toString());
    row.combo->setCurrentIndex(-1);
    row.combo->setAccessibleName(heading);
    row.combo->installEventFilter(this);
    twips::place(row.combo, ComboLeft, top - 30, ComboWidth, RowHeight + 60);

    row.value = addLabel(name + u"Value"_s, u"0"_s, ValueLeft, top, ValueWidth, RowHeight);

    const int sliderTop = top + SliderOffset;
    addLabel(name + u"Mark"_s, mark, Margin, sliderTop, MarkWidth, SliderHeight, Qt::AlignCenter);
    row.slider = new QScrollBar(Qt::Horizontal, this);
    row.slider->setObjectName(name + u"Slider"_s);
    row.slider->setRange(0, maximum(row.row));
    row.slider->setPageStep(LargeChange);
    row.slider->setFocusPolicy(Qt::StrongFocus);
    row.slider->setAccessibleName(heading);
    twips::place(row.slider, SliderLeft, sliderTop, SliderWidth, SliderHeight);

    const int scaleTop = sliderTop + SliderHeight;
    const int most = maximum(row.row);
    addLabel(name + u"Scale(0)"_s, u"0"_s, SliderLeft, scaleTop, ScaleWidth, RowHeight);
    addLabel(name + u"Scale(1)"_s, QString::number(most / 2), SliderLeft + (SliderWidth - ScaleWidth) / 2, scaleTop,
             ScaleWidth, RowHeight, Qt::AlignCenter);
    addLabel(name + u"Scale(2)"_s, QString::number(most), SliderLeft + SliderWidth - ScaleWidth, scaleTop, ScaleWidth,
             RowHeight, Qt::AlignRight | Qt::AlignVCenter);

    const int stored = clampedTarget(
        m.settings.number(row.row == Row::Japanese ? Options::TargetJapanese : Options::TargetEnglish), row.row);
    row.slider->setValue(stored);
    sliderMoved(row);
    connect(row.slider, &QScrollBar::valueChanged, this, [this, &row] { sliderMoved(row); });
    connect(row.combo, &QComboBox::activated, this, [this, &row] { gradePicked(row); });
}

void SpeedGaugeDialog::sliderMoved(TargetRow& row) {
    row.value->setText(QString::number(row.slider->value()));
    if (row.grades.empty()) return;
    row.combo->setCurrentIndex(row.combo->findText(gradeReached(row.grades, row.slider->value())));
}

void SpeedGaugeDialog::gradePicked(TargetRow& row) {
    if (const std::optional<int> target = targetOf(row.grades, row.combo->currentText())) row.slider->setValue(*target);
    m_okButton->setFocus();
}

bool SpeedGaugeDialog::eventFilter(QObject* watched, QEvent* event) {
    // The grade lists change only by picking: typing neither edits them nor searches them. The
    // keys that open and walk the list still work.
    if (event->type() == QEvent::KeyPress && (watched == m_japanese.combo || watched == m_english.combo)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (!text.isEmpty() && text != u" "_s && text.at(0).isPrint()) return true;
    }
    return DialogFrame::eventFilter(watched, event);
}

void SpeedGaugeDialog::store() {
    m.settings.setNumber(Options::TargetJapanese, m_japanese.slider->value());
    // A disabled row keeps what is stored, even a value outside its range.
    if (m_english.slider->isEnabled()) m.settings.setNumber(Options::TargetEnglish, m_english.slider->value());
    TextLoading::updateActiveTarget(m);
    accept();
}

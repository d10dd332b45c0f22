#include "ui/practice/ExamResultDialog.h"

#include "ui/common/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// Layout in twips.
constexpr int ClientWidth = 6600;
constexpr int HeadingTop = 180;
constexpr int HeadingHeight = 480;
constexpr int RowsTop = HeadingTop + HeadingHeight + 120;
constexpr int RowHeight = 330;
constexpr int CaptionWidth = 4200;
constexpr int ValueWidth = ClientWidth - 2 * DialogFrame::Margin - CaptionWidth;

// The judgement standards, in the order of their grades.
constexpr const char16_t* StandardNames[StandardCount] = {u"MSパソコン入力コンクール", u"NSビジネスキーボード認定",
                                                          u"NKパソコンスピード認定", u"ZSワープロ実務検定",
                                                          u"NK日本語ワープロ検定"};

} // namespace

ExamResultDialog::ExamResultDialog(const ExamResult::Figures& f, QWidget* owner)
    : DialogFrame(u"ExamResultDialog"_s, u"Rinvale QX"_s, owner) {
    const QString heading =
        QString::number(f.minutes) + (f.timeUp ? u"分の試験が終わりました"_s : u"分の試験：全文を入力しました"_s);
    QLabel* headingLabel = addLabel(u"headingLabel"_s, heading, Margin, HeadingTop, ClientWidth - 2 * Margin,
                                    HeadingHeight, Qt::AlignCenter);
    QFont big = headingLabel->font();
    big.setPointSize(big.pointSize() + 3);
    big.setBold(true);
    headingLabel->setFont(big);

    struct Row {
        const char16_t* name;
        QString caption;
        QString value;
    };
    QList<Row> rows = {
        {u"typedValue", u"入力文字数"_s, QString::number(f.tally.typed)},
        {u"errorsValue", u"残った誤り"_s, QString::number(f.tally.errorsLeft)},
        {u"correctionsValue", u"訂正"_s, QString::number(f.tally.corrections)},
        {u"netValue", u"純字数（入力文字数－誤り）"_s, QString::number(f.net)},
        {u"netCpmValue", u"純字数／分"_s, f.netCpmText},
    };
    if (!f.timeUp) rows.append({u"timeUsedValue", u"入力時間"_s, QString::number(f.elapsedMs / 1000) + u"秒"_s});
    for (int k = 0; k < StandardCount; ++k)
        rows.append({nullptr, QString::fromUtf16(StandardNames[k]), f.grades[size_t(k)].trimmed()});

    int top = RowsTop;
    for (int i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        // A gap between the figures and the grades.
        if (!row.name && (i == 0 || rows[i - 1].name)) top += RowHeight / 2;
        const QString name = row.name ? QString::fromUtf16(row.name) : u"gradeValue(%1)"_s.arg(i - rows.size() + 5);
        addLabel(name + u"Caption"_s, row.caption, Margin, top, CaptionWidth, RowHeight);
        addLabel(name, row.value, Margin + CaptionWidth, top, ValueWidth, RowHeight, Qt::AlignRight | Qt::AlignVCenter);
        top += RowHeight;
    }
    m_recordError = addLabel(u"recordErrorLabel"_s, {}, Margin, top + 60, ClientWidth - 2 * Margin, 2 * RowHeight);
    m_recordError->hide();
    const int buttonTop = top + 60 + 2 * RowHeight + 60;
    QPushButton* close = addButton(u"closeButton"_s, u"閉じる(Esc)"_s, (ClientWidth - 1320) / 2, buttonTop, 1320);
    close->setAutoDefault(false);
    close->setDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    setClientSize(ClientWidth, buttonTop + ButtonHeight + Margin);
    close->setFocus();
}

void ExamResultDialog::setRecordError(const QString& text) {
    m_recordError->setText(text);
    m_recordError->setVisible(!text.isEmpty());
}

void ExamResultDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    DialogFrame::keyPressEvent(event);
}

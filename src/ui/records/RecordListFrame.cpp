#include "ui/records/RecordListFrame.h"

#include "ui/common/FontCellMetrics.h"
#include "ui/common/Twips.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QRadioButton>
#include <QStringListModel>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int RecordPointSize = 10;
constexpr int HeaderHeight = 285;

} // namespace

RecordListFrame::RecordListFrame(const QString& name, const QString& caption, QWidget* owner)
    : DialogFrame(name, caption, owner) {
    // The header captions and the option groups are sized in pixels from their texts.
    keepDesignSize();
}

QFont RecordListFrame::recordFont() {
    return FontCellMetrics::cellFont(RecordPointSize);
}

QStringList RecordListFrame::rows() const {
    return m_rows ? m_rows->stringList() : QStringList();
}

QListView* RecordListFrame::addRecordList(const QString& header, std::span<const HeaderColumn> halfWidthColumns,
                                          bool japaneseDisplay, int left, int top, int width, int height) {
    const QFont font = recordFont();
    m_textList = new QListView(this);
    m_textList->setObjectName(u"textList"_s);
    m_textList->setFont(font);
    // Tens of thousands of rows of one height: no row is measured on its own.
    m_textList->setUniformItemSizes(true);
    m_textList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_textList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_rows = new QStringListModel(this);
    m_textList->setModel(m_rows);
    twips::place(m_textList, left, top + HeaderHeight, width, height - HeaderHeight);
    connect(m_textList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { showTitleOf(current.row()); });

    // The header starts where the rows' text does: inside the list's frame and item margin.
    const int inset = m_textList->frameWidth() + m_textList->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
    if (japaneseDisplay) {
        QLabel* label = addLabel(u"headerLabel"_s, header, left, top, width, HeaderHeight);
        label->setWordWrap(false);
        label->setFont(font);
        label->setContentsMargins(inset, 0, 0, 0);
    } else {
        auto* row = new QWidget(this);
        row->setObjectName(u"halfWidthHeader"_s);
        twips::place(row, left, top, width, HeaderHeight);
        const qreal column = QFontMetricsF(font).horizontalAdvance(u'0');
        for (const HeaderColumn& c : halfWidthColumns) {
            auto* label = new QLabel(QString::fromUtf16(c.caption), row);
            label->setFont(font);
            // A caption over one column starts there; one over a field ends where the field does.
            const bool leftAligned = c.first == c.last;
            label->setAlignment((leftAligned ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            const int captionWidth = std::max(qRound((c.last - c.first + 1) * column), label->sizeHint().width());
            const int x = leftAligned ? qRound((c.first - 1) * column) : qRound(c.last * column) - captionWidth;
            label->setGeometry(inset + x, 0, captionWidth, row->height());
        }
    }
    return m_textList;
}

QWidget* RecordListFrame::addOptionGroup(const QString& name, const QString& title, const QStringList& captions,
                                         int checked, int left, int top, int height, std::function<void(int)> chosen) {
    auto* frame = new QGroupBox(title, this);
    frame->setObjectName(name);
    auto* layout = new QHBoxLayout(frame);
    layout->setContentsMargins(8, 2, 8, 2);
    auto* group = new QButtonGroup(frame);
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QRadioButton(captions[i], frame);
        button->setObjectName(name + u"Option"_s + QString::number(i));
        button->setChecked(i == checked);
        group->addButton(button, i);
        layout->addWidget(button);
    }
    connect(group, &QButtonGroup::idClicked, this, [chosen = std::move(chosen)](int id) { chosen(id); });
    // As wide as its captions need in the font the desktop gives them.
    const QRect place = twips::rect(left, top, 0, height);
    frame->setGeometry(place.left(), place.top(), frame->sizeHint().width(), place.height());
    return frame;
}

void RecordListFrame::showRows(const QStringList& rows, const QString& emptyText) {
    m_rows->setStringList(rows);
    if (rows.isEmpty()) {
        m_titleLabel->setText(emptyText);
        return;
    }
    // The new rows reset the current row, so choosing the first one always shows its title.
    m_textList->setCurrentIndex(m_rows->index(0));
    m_textList->scrollToTop();
}

void RecordListFrame::showTitleOf(int row) {
    const QStringList& rows = m_rows->stringList();
    if (row >= 0 && row < rows.size()) m_titleLabel->setText(titleFor(rows[row]));
}

int RecordListFrame::after(const QWidget* frame) {
    return twips::fromPixels(frame->geometry().right() + 1) + 120;
}

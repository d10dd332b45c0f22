#include "ui/records/AttemptDetailsDialog.h"

#include "core/practice/Session.h"
#include "core/records/RecordFiles.h"
#include "core/texts/TextStats.h"
#include "ui/common/FontCellMetrics.h"
#include "ui/common/PlainText.h"
#include "ui/common/Twips.h"
#include "ui/records/DetailCellView.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

using namespace Qt::StringLiterals;
using namespace DetailAnalysis;

namespace {

// Layout in twips.
constexpr int Left = 120;
constexpr int ScrollBarWidth = 255;
constexpr int ListWidth = ViewportWidth + ScrollBarWidth;
constexpr int ClientWidth = ListWidth + 2 * Left;
constexpr int HeadingTop = 90;
constexpr int WholeListTop = 360;
constexpr int WholeListHeight = 330;
constexpr int ParagraphListTop = 750;
constexpr int ParagraphListHeight = 1800;
constexpr int ViewportTop = 2655;
constexpr int LowerRowTop = ViewportTop + ViewportHeight + 90;
constexpr int LabelHeight = 300;
constexpr int CloseButtonWidth = 1320;
constexpr int ClientHeight = LowerRowTop + DialogFrame::ButtonHeight + 150;
// A paragraph attempt has no record lines: the grid moves to the top and the window shrinks.
constexpr int ParagraphAttemptShift = 2505;
constexpr int ParagraphAttemptViewportTop = 150;
constexpr int ParagraphAttemptDrop = 2370;
constexpr int ParagraphAverageLeft = 2160;
constexpr int ListFontPoints = 9;

const QString Heading = u"           字数  打数    CPM  LVL    SCR  RV   変換   確定   訂正   修正"_s;

// The column headings of the half-width list lines: each caption ends where its column ends.
struct EnglishHeading {
    const char16_t* caption;
    int endColumn;
};
constexpr EnglishHeading EnglishHeadings[] = {{u"字数", 15}, {u"打数", 21}, {u"CPM", 29},  {u"LVL", 33},
                                              {u"SCR", 41},  {u"RV", 44},   {u"変換", 50}, {u"確定", 56},
                                              {u"訂正", 62}, {u"修正", 68}};

} // namespace

AttemptDetailsDialog::AttemptDetailsDialog(const AttemptDetails::DetailsRequest& request, const QString& path,
                                           const QString& caption, QWidget* owner)
    : DialogFrame(u"AttemptDetailsDialog"_s, caption, owner), m_request(request),
      m_grid(std::make_unique<DetailGrid>()), m_paragraphAttempt(request.mode == RecordFiles::ParagraphDetails) {
    // The paragraph layout and the cell grid are moved and measured in pixels.
    keepDesignSize();
    setClientSize(ClientWidth, ClientHeight);
    buildControls();
    m_content = AttemptDetails::loadDetails(request, path);
    showContent();
    m_blinkTimer = new QTimer(this);
    m_blinkTimer->setObjectName(u"blinkTimer"_s);
    m_blinkTimer->setInterval(600);
    connect(m_blinkTimer, &QTimer::timeout, this, &AttemptDetailsDialog::blinkTick);
    m_blinkTimer->start();
    connect(this, &QDialog::finished, m_blinkTimer, &QTimer::stop);
}

AttemptDetailsDialog::~AttemptDetailsDialog() = default;

void AttemptDetailsDialog::open(Session& m, DetailsOpening how, bool japaneseDisplay, QWidget* owner) {
    QString caption = u"段落別結果詳細"_s;
    if (how == DetailsOpening::LastAttemptMenu) {
        m.detailMode = RecordFiles::LastAttemptDetails;
        caption = u"前回の成績詳細"_s;
    } else if (how == DetailsOpening::BestAttemptMenu) {
        m.detailMode = RecordFiles::BestAttemptDetails;
        caption = u"最高成績詳細"_s;
    }
    const AttemptDetails::DetailsRequest request{m.detailMode, japaneseDisplay,
                                                 eligibility(m.text.counts) != Eligibility::Unavailable, m.text.counts};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    AttemptDetailsDialog dialog(request, RecordFiles::detailFilePath(m, m.detailMode), caption, owner);
    QApplication::restoreOverrideCursor();
    dialog.exec();
}

void AttemptDetailsDialog::buildControls() {
    const QFont listFont = FontCellMetrics::cellFont(ListFontPoints);
    m_columnHeading = addLabel(u"columnHeading"_s, Heading, Left + 60, HeadingTop, ListWidth, 240);
    m_columnHeading->setWordWrap(false);
    m_columnHeading->setFont(listFont);

    m_englishHeadingPanel = new QWidget(this);
    m_englishHeadingPanel->setObjectName(u"englishHeadingPanel"_s);
    twips::place(m_englishHeadingPanel, Left + 60, HeadingTop, ListWidth, 240);
    const int column = QFontMetrics(listFont).horizontalAdvance(u'0');
    for (const EnglishHeading& heading : EnglishHeadings) {
        auto* label = new QLabel(QString::fromUtf16(heading.caption), m_englishHeadingPanel);
        label->setFont(listFont);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int width = QFontMetrics(listFont).horizontalAdvance(label->text());
        label->setGeometry(heading.endColumn * column - width, 0, width, m_englishHeadingPanel->height());
    }

    auto makeList = [&](const QString& name, int top, int height) {
        auto* list = new QListWidget(this);
        list->setObjectName(name);
        list->setFont(listFont);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        twips::place(list, Left, top, ListWidth, height);
        return list;
    };
    m_wholeTextList = makeList(u"wholeTextList"_s, WholeListTop, WholeListHeight);
    m_wholeTextList->setFocusPolicy(Qt::NoFocus);
    m_wholeTextList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_paragraphList = makeList(u"paragraphList"_s, ParagraphListTop, ParagraphListHeight);
    connect(m_paragraphList, &QListWidget::currentRowChanged, this, &AttemptDetailsDialog::showParagraph);

    m_viewport = new QWidget(this);
    m_viewport->setObjectName(u"cellViewport"_s);
    twips::place(m_viewport, Left, ViewportTop, ViewportWidth, ViewportHeight);
    m_cellGrid = new DetailCellView(m_viewport);
    m_cellGrid->setGeometry(m_viewport->rect());
    m_cellGrid->setGrid(m_grid.get());
    m_cellGrid->installEventFilter(this);
    m_gridScrollBar = new QScrollBar(Qt::Vertical, this);
    m_gridScrollBar->setObjectName(u"gridScrollBar"_s);
    twips::place(m_gridScrollBar, Left + ViewportWidth, ViewportTop, ScrollBarWidth, ViewportHeight);
    m_gridScrollBar->setSingleStep(RowPitch);
    m_gridScrollBar->setPageStep(VisibleRows * RowPitch);
    connect(m_gridScrollBar, &QScrollBar::valueChanged, this,
            [this](int value) { m_cellGrid->setScrollOffsetTwips(-value); });

    m_conversionHeading =
        addLabel(u"conversionHeading"_s, u"一括変換平均文字数"_s, Left, LowerRowTop, 2000, LabelHeight);
    m_wholeAverageCaption = addLabel(u"wholeAverageCaption"_s, u"全体"_s, 2160, LowerRowTop, 480, LabelHeight);
    m_wholeAverageValue = addLabel(u"wholeAverageValue"_s, {}, 2640, LowerRowTop, 600, LabelHeight);
    m_paragraphAverageCaption = addLabel(u"paragraphAverageCaption"_s, {}, 3360, LowerRowTop, 1080, LabelHeight);
    m_paragraphAverageValue = addLabel(u"paragraphAverageValue"_s, {}, 4440, LowerRowTop, 600, LabelHeight);
    m_noCorrectionLabel = addLabel(u"noCorrectionLabel"_s, u"No Correction !"_s, Left, LowerRowTop, 2000, LabelHeight);
    m_partlyHiddenLabel = addLabel(u"partlyHiddenLabel"_s, u"一部表示不可"_s, 5160, LowerRowTop, 1500, LabelHeight);
    m_noDataLabel = addLabel(u"noDataLabel"_s, QString::fromUtf16(AttemptDetails::NoDataText), Left, LowerRowTop, 4000,
                             LabelHeight);
    QPalette warning = m_partlyHiddenLabel->palette();
    warning.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_partlyHiddenLabel->setPalette(warning);
    for (QLabel* value : {m_wholeAverageValue, m_paragraphAverageValue})
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_noCorrectionLabel->hide();
    m_partlyHiddenLabel->hide();
    m_noDataLabel->hide();

    m_closeButton = addButton(u"closeButton"_s, u"閉じる(Esc)"_s, ClientWidth - Left - CloseButtonWidth, LowerRowTop,
                              CloseButtonWidth);
    m_closeButton->setAutoDefault(false);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);
    plaintext::makeLabelsPlain(this);
}

void AttemptDetailsDialog::showContent() {
    const bool japanese = m_request.japaneseDisplay;
    m_columnHeading->setVisible(japanese);
    m_englishHeadingPanel->setVisible(!japanese);
    if (m_paragraphAttempt) {
        arrangeForParagraphAttempt();
        showGrid(m_content.operations.value(0));
        m_conversionHeading->setVisible(m_content.paragraphAverageShown);
        m_paragraphAverageValue->setVisible(m_content.paragraphAverageShown);
        m_paragraphAverageValue->setText(m_content.paragraphAverage);
        m_noCorrectionLabel->setVisible(m_content.found && m_content.noCorrectionPossible && !m_grid->hasCorrection);
        m_noDataLabel->setVisible(!m_content.found);
        m_closeButton->setFocus();
        return;
    }
    if (!m_content.wholeRow.isEmpty()) m_wholeTextList->addItem(m_content.wholeRow);
    m_paragraphList->addItems(m_content.paragraphRows);
    for (QWidget* w : std::initializer_list<QWidget*>{m_conversionHeading, m_wholeAverageCaption, m_wholeAverageValue,
                                                      m_paragraphAverageCaption, m_paragraphAverageValue})
        w->setVisible(m_content.averagesShown);
    m_wholeAverageValue->setText(m_content.wholeAverage);
    m_paragraphList->setCurrentRow(0);
    m_paragraphList->setFocus();
}

void AttemptDetailsDialog::arrangeForParagraphAttempt() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_columnHeading, m_englishHeadingPanel, m_wholeTextList, m_paragraphList,
                                         m_wholeAverageCaption, m_wholeAverageValue, m_paragraphAverageCaption})
        w->hide();
    m_viewport->move(m_viewport->x(), twips::toPixels(ParagraphAttemptViewportTop));
    m_gridScrollBar->move(m_gridScrollBar->x(), twips::toPixels(ParagraphAttemptViewportTop));
    m_paragraphAverageValue->move(twips::toPixels(ParagraphAverageLeft), m_paragraphAverageValue->y());
    m_paragraphAverageValue->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Every control of the lower row moves up, "一部表示不可" included, so none is left outside.
    for (QWidget* w : std::initializer_list<QWidget*>{m_conversionHeading, m_paragraphAverageValue, m_noCorrectionLabel,
                                                      m_partlyHiddenLabel, m_noDataLabel, m_closeButton})
        w->move(w->x(), w->y() - twips::toPixels(ParagraphAttemptShift));
    setClientSize(ClientWidth, ClientHeight - ParagraphAttemptShift);
}

void AttemptDetailsDialog::showParagraph(int row) {
    if (row < 0 || row >= m_content.operations.size()) {
        showGrid({});
        return;
    }
    const QString& operations = m_content.operations[row];
    const QString average = averageCharacters(conversionStats(operations));
    m_paragraphAverageCaption->setText(AttemptDetails::paragraphCaption(row + 1));
    // A paragraph without a batch conversion has no average: its own "-", never the previous paragraph's.
    m_paragraphAverageValue->setText(average.isEmpty() ? u"-"_s : average);
    showGrid(operations);
}

void AttemptDetailsDialog::showGrid(const QString& operations) {
    buildGrid(*m_grid, operations, m_cellGrid->metrics());
    m_partlyHiddenLabel->setVisible(m_grid->truncated);
    m_gridScrollBar->setValue(0);
    m_gridScrollBar->setRange(0, m_grid->scrollMaximum);
    m_gridScrollBar->setEnabled(m_grid->scrollEnabled);
    m_cellGrid->setScrollOffsetTwips(0);
    m_cellGrid->refreshAll();
}

void AttemptDetailsDialog::blinkTick() {
    std::vector<int> changed;
    DetailAnalysis::blinkTick(*m_grid, changed);
    m_cellGrid->refreshCells(changed);
}

void AttemptDetailsDialog::showEvent(QShowEvent* event) {
    DialogFrame::showEvent(event);
    // Centred across the window that opened it, level with its top; a paragraph attempt's shorter
    // window lower down.
    if (const QWidget* owner = parentWidget()) {
        const QRect frame = owner->window()->frameGeometry();
        const int drop = m_paragraphAttempt ? twips::toPixels(ParagraphAttemptDrop) : 0;
        move(frame.left() + (frame.width() - frameGeometry().width()) / 2, frame.top() + drop);
    }
}

bool AttemptDetailsDialog::eventFilter(QObject* watched, QEvent* event) {
    // The wheel over the cells scrolls them.
    if (watched == m_cellGrid && event->type() == QEvent::Wheel && m_gridScrollBar->isEnabled()) {
        QApplication::sendEvent(m_gridScrollBar, event);
        return true;
    }
    return DialogFrame::eventFilter(watched, event);
}

#pragma once

#include "core/records/AttemptDetails.h"
#include "core/records/DetailAnalysis.h"
#include "ui/common/DialogFrame.h"

#include <memory>

class DetailCellView;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollBar;
class QTimer;
struct Session;

/** How the details were asked for: a menu of the results, or the result of the attempt just made. */
enum class DetailsOpening { LastAttemptMenu, BestAttemptMenu, AfterResult };

/**
 * The replay of an attempt with advice: the record lines of the whole text and of each
 * paragraph, the selected paragraph's operations as cells (`cellGrid`) whose advice cells blink,
 * and the average characters per batch conversion. The last paragraph attempt shows its cells
 * alone in a shorter window.
 */
class AttemptDetailsDialog : public DialogFrame {
    Q_OBJECT

public:
    /** The window on the details file at `path`, read at once. */
    AttemptDetailsDialog(const AttemptDetails::DetailsRequest& request, const QString& path, const QString& caption,
                         QWidget* owner);
    ~AttemptDetailsDialog() override;

    /** Sets the details mode the way asks for, shows the hourglass while the file loads, and shows the window. */
    static void open(Session& m, DetailsOpening how, bool japaneseDisplay, QWidget* owner);

    /** One tick of `blinkTimer`: the advice cells change phase. */
    void blinkTick();
    const DetailAnalysis::DetailGrid& grid() const { return *m_grid; }
    const AttemptDetails::DetailsContent& content() const { return m_content; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void showContent();
    /** Draws paragraph `row` of the list (from 0) and shows its conversion average. */
    void showParagraph(int row);
    void showGrid(const QString& operations);
    /** Moves the window's lower controls up for the single paragraph of a paragraph attempt. */
    void arrangeForParagraphAttempt();

    AttemptDetails::DetailsRequest m_request;
    AttemptDetails::DetailsContent m_content;
    std::unique_ptr<DetailAnalysis::DetailGrid> m_grid;
    bool m_paragraphAttempt = false;

    QLabel* m_columnHeading = nullptr;
    QWidget* m_englishHeadingPanel = nullptr;
    QListWidget* m_wholeTextList = nullptr;
    QListWidget* m_paragraphList = nullptr;
    QWidget* m_viewport = nullptr;
    DetailCellView* m_cellGrid = nullptr;
    QScrollBar* m_gridScrollBar = nullptr;
    QLabel* m_conversionHeading = nullptr;
    QLabel* m_wholeAverageCaption = nullptr;
    QLabel* m_wholeAverageValue = nullptr;
    QLabel* m_paragraphAverageCaption = nullptr;
    QLabel* m_paragraphAverageValue = nullptr;
    QLabel* m_noCorrectionLabel = nullptr;
    QLabel* m_partlyHiddenLabel = nullptr;
    QLabel* m_noDataLabel = nullptr;
    QPushButton* m_closeButton = nullptr;
    QTimer* m_blinkTimer = nullptr;
};

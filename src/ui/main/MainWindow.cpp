#include "ui/main/MainWindow.h"

#include "core/practice/Judgement.h"
#include "core/practice/KeyCodes.h"
#include "core/practice/TextLoading.h"
#include "core/records/AttemptRecorder.h"
#include "core/records/RecordDeletion.h"
#include "core/records/RecordFiles.h"
#include "core/scoring/GradeScales.h"
#include "core/settings/ColourSettings.h"
#include "core/settings/Options.h"
#include "core/settings/WindowPosition.h"
#include "core/texts/SampleTexts.h"
#include "core/util/BasicFunctions.h"
#include "core/util/Folders.h"
#include "platform/AlertSound.h"
#include "platform/InputMethod.h"
#include "platform/KeyboardMonitor.h"
#include "platform/ShellOpen.h"
#include "ui/common/CharCellView.h"
#include "ui/common/FontCellMetrics.h"
#include "ui/common/PlainText.h"
#include "ui/common/Twips.h"
#include "ui/main/InputBox.h"
#include "ui/practice/AttemptFinishedDialog.h"
#include "ui/practice/ParagraphPickerDialog.h"
#include "ui/records/DeleteRecordsDialog.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <set>

using namespace Qt::StringLiterals;

namespace {

// Window and panel geometry, in twips.
constexpr int ClientWidth = 14700;
constexpr int ClientHeight = 6480;
constexpr int LeftColumn = 120;
constexpr int PanelWidth = 9930;
constexpr int TextPanelTop = 510;
constexpr int FiguresTop = 3930;
constexpr int RightColumn = 10260;
constexpr int RightWidth = 4320;

// Commands whose windows are not in the program yet: their items stay disabled.
const std::set<QString> NotYetAvailable = {
    u"newTextAction"_s,        u"editCurrentTextAction"_s, u"pickToPractiseAction"_s, u"pickToEditAction"_s,
    u"pickToDeleteAction"_s,   u"editSourcesAction"_s,     u"lastDetailsAction"_s,    u"bestDetailsAction"_s,
    u"bestRecordsAction"_s,    u"practiceLogAction"_s,     u"speedGaugeAction"_s,     u"textListSizeAction"_s,
    u"colourSettingsAction"_s,
};

// The author's page, opened by "ホームへ接続(&C)".
const QString HomePageAddress = u"https://rinvale.jp/"_s;

// The result values, in the order of m_resultValues.
constexpr const char16_t* ResultValueNames[] = {u"cpmValue",      u"gradeValue",      u"scoreValue",
                                                u"ownLevelValue", u"keystrokesValue", u"textCharsValue"};

QString indexed(const QString& arrayName, int index) {
    return arrayName + u'(' + QString::number(index) + u')';
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, int left, int top, int width, int height,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(align);
    twips::place(label, left, top, width, height);
    return label;
}

QFrame* makePanel(QWidget* parent, const QString& name, bool border) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    if (border) frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    return frame;
}

QColor toColor(const std::optional<ColourSettings::Rgb>& rgb, const QColor& fallback) {
    return rgb ? QColor(rgb->red, rgb->green, rgb->blue) : fallback;
}

void setColours(QWidget* w, const QColor& text, const QColor& background) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::Base, background);
    w->setPalette(p);
}

} // namespace

MainWindow::MainWindow(Session& module, Platform& platform, QWidget* parent)
    : QMainWindow(parent), m(module), m_platform(platform), m_attempt(module, platform.clock),
      m_counting(m_attempt.counters), m_keyStream([this](int code, int ownCode, quint32 waited, const KeyState& held) {
          keyDown(code, ownCode, waited, held);
      }) {
    setObjectName(u"MainWindow"_s);
    setWindowTitle(QString::fromUtf16(Caption));
    m_showMessage = [this](const QString& text) {
        plaintext::message(this, QMessageBox::Information, QString::fromUtf16(Caption), text);
    };
    buildMenus();
    buildControls();

    auto makeTimer = [this](const char16_t* name, int interval, void (MainWindow::*handler)()) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QString::fromUtf16(name));
        timer->setInterval(interval);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, handler);
        return timer;
    };
    m_runTimer = makeTimer(u"runTimer", 10, &MainWindow::runTick);
    m_countdownTimer = makeTimer(u"countdownTimer", 10, &MainWindow::countdownTick);
    m_inputMethodGuardTimer = makeTimer(u"inputMethodGuardTimer", 20, &MainWindow::inputMethodGuardTick);
    m_recolourTimer = makeTimer(u"recolourTimer", 500, &MainWindow::recolourTick);

    // The window sees every key before its controls; physical presses come first, from the
    // display, while the window itself has the keyboard.
    qApp->installEventFilter(this);
    m_platform.keyboard.setRawPressHandler([this](int keyCode, quint32 nativeKey, const KeySnapshot& held) {
        // Keys for an open menu or dialog are not the practice's keys.
        if (!isActiveWindow() || QApplication::activeModalWidget() || QApplication::activePopupWidget()) return;
        if (keyCode != KeyCode::Alt && held.isHeld(KeyCode::Alt)) {
            // Alt+letter is a menu's. The input method would swallow the letter into a
            // composition and leave the menu bar holding the keyboard, so the composition goes
            // first (this runs before the input method sees the key).
            dropComposition();
            return;
        }
        m_keyStream.rawPress(keyCode, nativeKey, m_platform.clock.nowMs(), held);
    });
    m_platform.keyboard.setRawReleaseHandler(
        [this](quint32 nativeKey) { m_keyStream.rawRelease(nativeKey, m_platform.clock.nowMs()); });
    // A menu closed with Esc leaves the menu bar holding the keyboard: typing goes back to the box.
    for (QMenu* menu : std::as_const(m_menus)) {
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { m_trace.line(u"menu "_s + menu->objectName()); });
        connect(menu, &QMenu::aboutToHide, this, [this] {
            QTimer::singleShot(0, this, [this] {
                if (m_inputEdit->isEnabled() && isActiveWindow() && !QApplication::activePopupWidget())
                    m_inputEdit->setFocus();
            });
        });
    }
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    m_platform.keyboard.setRawPressHandler({});
    m_platform.keyboard.setRawReleaseHandler({});
}

// ---- Building the window -------------------------------------------------------------

QAction* MainWindow::addItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    m_actions.insert(name, a);
    return a;
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    auto topMenu = [&](const QString& name, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        m_menus.insert(name, menu);
        return menu;
    };

    QMenu* file = topMenu(u"fileMenu"_s, u"ファイル(&F)"_s);
    addItem(file, u"newTextAction"_s, u"テキスト新規作成(&N)"_s);
    addItem(file, u"editCurrentTextAction"_s, u"現在のテキストを編集(&E)"_s);
    file->addSeparator();
    addItem(file, u"pickToPractiseAction"_s, u"テキスト選択→練習(&T)"_s);
    addItem(file, u"pickToEditAction"_s, u"テキスト選択→編集(&C)"_s);
    addItem(file, u"pickToDeleteAction"_s, u"テキスト選択→削除(&D)"_s);
    file->addSeparator();
    addItem(file, u"editSourcesAction"_s, u"出所･キーワード編集(&O)"_s);
    connect(addItem(file, u"deleteRecordsAction"_s, u"記録の削除(&R)"_s), &QAction::triggered, this,
            &MainWindow::deleteRecords);
    file->addSeparator();
    connect(addItem(file, u"quitAction"_s, u"終了(&X)"_s), &QAction::triggered, this, &QWidget::close);

    QMenu* trial = topMenu(u"practiceMenu"_s, u"トライアル(&T)"_s);
    connect(addItem(trial, u"startAction"_s, u"スタート(&S)"_s), &QAction::triggered, this, &MainWindow::startAttempt);
    connect(addItem(trial, u"pauseAction"_s, u"中断(&P)"_s), &QAction::triggered, this, &MainWindow::togglePause);
    connect(addItem(trial, u"retryAction"_s, u"やり直し(&R)"_s), &QAction::triggered, this, &MainWindow::retry);
    trial->addSeparator();
    QAction* whole = addItem(trial, u"wholeTextAction"_s, u"全文通し練習(&T)"_s);
    QAction* paragraph = addItem(trial, u"paragraphsAction"_s, u"段落別練習(&K)"_s);
    whole->setCheckable(true);
    paragraph->setCheckable(true);
    auto* modes = new QActionGroup(trial);
    modes->addAction(whole);
    modes->addAction(paragraph);
    connect(paragraph, &QAction::triggered, this, &MainWindow::chooseParagraph);
    connect(addItem(trial, u"chooseParagraphAction"_s, u"- 段落指定(&G)..."_s), &QAction::triggered, this,
            &MainWindow::chooseParagraph);
    QAction* previous = addItem(trial, u"previousParagraphAction"_s, u"--- 前の段落に戻る(&U)"_s);
    QAction* next = addItem(trial, u"nextParagraphAction"_s, u"--- 次の段落に進む(&D)"_s);
    connect(whole, &QAction::triggered, this, [this] {
        TextLoading::wholeTextPractice(m);
        showText();
    });
    connect(previous, &QAction::triggered, this, [this] {
        TextLoading::previousParagraph(m);
        showText();
    });
    connect(next, &QAction::triggered, this, [this] {
        TextLoading::nextParagraph(m);
        showText();
    });

    QMenu* samples = topMenu(u"samplesMenu"_s, u"腕試し(&S)"_s);
    auto* sampleGroup = new QActionGroup(samples);
    for (int i = 0; i < SampleTexts::MenuItemCount; ++i) {
        if (SampleTexts::isSeparator(i)) {
            samples->addSeparator()->setObjectName(indexed(u"sampleActions"_s, i));
            continue;
        }
        QAction* a = addItem(samples, indexed(u"sampleActions"_s, i), SampleTexts::menuCaption(i));
        a->setCheckable(true);
        sampleGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { sampleChosen(i); });
    }

    QMenu* results = topMenu(u"resultsMenu"_s, u"結果表示(&K)"_s);
    addItem(results, u"lastDetailsAction"_s, u"通し前回の成績詳細(&P)"_s);
    addItem(results, u"bestDetailsAction"_s, u"通し最高成績詳細(&B)"_s);
    results->addSeparator();
    addItem(results, u"bestRecordsAction"_s, u"テキスト別最高成績一覧(&F)"_s);
    addItem(results, u"practiceLogAction"_s, u"練習結果全ログ(&L)"_s);

    addOptionMenus(topMenu(u"optionsMenu"_s, u"オプション(&O)"_s));

    QMenu* help = topMenu(u"helpMenu"_s, u"ヘルプ(&H)"_s);
    connect(addItem(help, u"helpAction"_s, u"ヘルプ(&H)"_s), &QAction::triggered, this,
            [this] { openBesideProgram(u"Help.txt"_s); });
    connect(addItem(help, u"readMeAction"_s, u"ReadMe(&R)"_s), &QAction::triggered, this,
            [this] { openBesideProgram(u"ReadMe.txt"_s); });
    help->addSeparator();
    connect(addItem(help, u"homePageAction"_s, u"ホームへ接続(&C)"_s), &QAction::triggered, this, [this] {
        if (!m_platform.shell.open(HomePageAddress)) message(u"ホームページを開けませんでした。\n"_s + HomePageAddress);
    });

    for (QAction* a : std::as_const(m_actions))
        if (NotYetAvailable.count(a->objectName())) a->setEnabled(false);
}

void MainWindow::addOptionMenus(QMenu* options) {
    for (const Options::Group& group : Options::groups()) {
        const QString arrayName = QString::fromUtf16(group.arrayName);
        QMenu* sub = options->addMenu(QString::fromUtf16(group.submenuCaption));
        sub->setObjectName(QString::fromUtf16(group.submenuName));
        sub->menuAction()->setObjectName(sub->objectName());
        // One value per array: its items are radio items, and choosing the checked one keeps it.
        auto* choices = new QActionGroup(sub);
        for (const Options::Item& item : group.items) {
            if (item.caption[0] == 0) {
                sub->addSeparator()->setObjectName(indexed(arrayName, item.index));
                continue;
            }
            QAction* a = addItem(sub, indexed(arrayName, item.index), QString::fromUtf16(item.caption));
            a->setCheckable(true);
            choices->addAction(a);
            const int entry = group.entry;
            const int index = item.index;
            connect(a, &QAction::triggered, this, [this, entry, index] { optionChosen(entry, index); });
        }
        if (group.entry == Options::MissSound) {
            QMenu* standards = options->addMenu(u"能力判定基準(&H)"_s);
            standards->setObjectName(u"standardMenu"_s);
            standards->menuAction()->setObjectName(u"standardMenu"_s);
            auto* standardGroup = new QActionGroup(standards);
            for (const Options::Item& item : Options::standards()) {
                QAction* a =
                    addItem(standards, indexed(u"standardActions"_s, item.index), QString::fromUtf16(item.caption));
                a->setCheckable(true);
                standardGroup->addAction(a);
                const int index = item.index;
                connect(a, &QAction::triggered, this, [this, index] { standardChosen(index); });
            }
        }
    }
    options->addSeparator()->setObjectName(u"optionsSeparator"_s);
    addItem(options, u"speedGaugeAction"_s, u"スピードゲージ設定(&G)..."_s);
    addItem(options, u"textListSizeAction"_s, u"テキストリスト表示設定(&T)..."_s);
    addItem(options, u"colourSettingsAction"_s, u"文字色・背景色設定(&C)..."_s);
}

void MainWindow::buildControls() {
    auto* form = new QWidget(this);
    form->setObjectName(u"form"_s);
    setCentralWidget(form);
    form->setFixedSize(twips::toPixels(ClientWidth), twips::toPixels(ClientHeight));

    m_titleLabel = makeLabel(form, u"titleLabel"_s, {}, LeftColumn, 90, PanelWidth, 360);
    QFont titleFont = m_titleLabel->font();
    titleFont.setPointSize(12);
    titleFont.setBold(true);
    m_titleLabel->setFont(titleFont);

    // Text panel with its inner panel and scroll bar.
    m_textPanel = makePanel(form, u"textPanel"_s, true);
    m_cellView = new CharCellView(m_textPanel);
    m_cellView->setDisplay(&m_display);
    m_textScrollBar = new QScrollBar(Qt::Vertical, m_textPanel);
    m_textScrollBar->setObjectName(u"textScrollBar"_s);
    m_textScrollBar->setEnabled(false);
    m_textScrollBar->setFocusPolicy(Qt::NoFocus);
    connect(m_textScrollBar, &QScrollBar::valueChanged, this, &MainWindow::scrollTo);

    m_nextParagraphPanel = makePanel(form, u"nextParagraphPanel"_s, true);
    m_nextParagraphLabel = new QLabel(m_nextParagraphPanel);
    m_nextParagraphLabel->setObjectName(u"nextParagraphLabel"_s);
    m_nextParagraphLabel->setTextFormat(Qt::PlainText);

    m_inputPanel = makePanel(form, u"inputPanel"_s, true);
    m_inputEdit = new InputBox(m_inputPanel);
    m_inputEdit->setObjectName(u"inputEdit"_s);
    m_inputEdit->setEnabled(false);
    connect(m_inputEdit, &InputBox::textChanged, this, &MainWindow::inputChanged);

    m_startPanel = makePanel(m_inputPanel, u"startPanel"_s, false);
    m_countdownLabel = new QLabel(m_startPanel);
    m_countdownLabel->setObjectName(u"countdownLabel"_s);
    m_countdownLabel->setAlignment(Qt::AlignCenter);
    QFont digitFont = m_countdownLabel->font();
    digitFont.setPointSize(20);
    digitFont.setBold(true);
    m_countdownLabel->setFont(digitFont);
    m_startHint = new QLabel(u"スペースキーでスタート"_s, m_startPanel);
    m_startHint->setObjectName(u"startHint"_s);
    m_startHint->setAlignment(Qt::AlignCenter);
    QFont hintFont = m_startHint->font();
    hintFont.setPointSize(12);
    m_startHint->setFont(hintFont);
    m_retryHint = new QLabel(m_startPanel);
    m_retryHint->setObjectName(u"retryHint"_s);
    m_retryHint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_targetLabel = new QLabel(m_startPanel);
    m_targetLabel->setObjectName(u"targetLabel"_s);
    m_targetLabel->setAlignment(Qt::AlignCenter);

    m_pausePanel = makePanel(m_inputPanel, u"pausePanel"_s, false);
    m_resumeButton = new QPushButton(u"再開"_s, m_pausePanel);
    m_resumeButton->setObjectName(u"resumeButton"_s);
    m_resumeButton->setAutoDefault(false);
    connect(m_resumeButton, &QPushButton::clicked, this, [this] {
        if (m_attempt.state() == AttemptState::Paused) togglePause();
    });
    m_pausePanel->hide();

    // Live figures under the input panel.
    struct Figure {
        const char16_t* captionName;
        const char16_t* caption;
        const char16_t* valueName;
        const char16_t* value;
    };
    const Figure figures[] = {{u"elapsedCaption", u"タイム", u"elapsedLabel", u"0"},
                              {u"keystrokesCaption", u"打数", u"keystrokesLabel", u"0"},
                              {u"typedCharsCaption", u"入力状況(文字数)", u"typedCharsLabel", u"0"},
                              {u"speedCaption", u"スピード(字／分)", u"speedLabel", u"0.0"}};
    for (int i = 0; i < 4; ++i) {
        const int left = LeftColumn + (i % 2) * 4965;
        const int top = FiguresTop + (i / 2) * 420;
        makeLabel(form, QString::fromUtf16(figures[i].captionName), QString::fromUtf16(figures[i].caption), left, top,
                  1800, 330);
        makeLabel(form, QString::fromUtf16(figures[i].valueName), QString::fromUtf16(figures[i].value), left + 1800,
                  top, 750, 330, Qt::AlignRight | Qt::AlignVCenter);
    }
    m_elapsedLabel = form->findChild<QLabel*>(u"elapsedLabel"_s);
    m_keystrokesLabel = form->findChild<QLabel*>(u"keystrokesLabel"_s);
    m_typedCharsLabel = form->findChild<QLabel*>(u"typedCharsLabel"_s);
    m_speedLabel = form->findChild<QLabel*>(u"speedLabel"_s);
    for (const auto& [name, bar, top] : {std::tuple{u"progressTrack"_s, u"progressBar"_s, FiguresTop + 420},
                                         std::tuple{u"speedGaugeTrack"_s, u"speedGauge"_s, FiguresTop + 420}}) {
        QFrame* track = makePanel(form, name, true);
        const int left = name == u"progressTrack" ? LeftColumn : LeftColumn + 4965;
        twips::place(track, left + 2700, top + 60, 2100, 210);
        auto* fill = new QFrame(track);
        fill->setObjectName(bar);
        fill->setAutoFillBackground(true);
        QPalette barPalette = fill->palette();
        barPalette.setColor(QPalette::Window, barPalette.color(QPalette::Highlight));
        fill->setPalette(barPalette);
        fill->setGeometry(0, 0, 0, track->height());
        (bar == u"progressBar" ? m_progressBar : m_speedGauge) = fill;
    }
    // The first row's bars: time and keystrokes have none.
    makeLabel(form, u"detailsLink"_s, u"詳細[F3].."_s, LeftColumn, FiguresTop + 900, 1500, 300)->setEnabled(false);

    // Right column: practice mode, paragraph panel, results and the best-records list.
    m_modeLabel = makeLabel(form, u"modeLabel"_s, {}, RightColumn, 90, RightWidth, 360);
    QFont modeFont = m_modeLabel->font();
    modeFont.setPointSize(11);
    m_modeLabel->setFont(modeFont);
    m_paragraphNoticePanel = makePanel(form, u"paragraphNoticePanel"_s, true);
    twips::place(m_paragraphNoticePanel, RightColumn, 480, RightWidth, 330);
    auto* m_paragraphNoticeLabel = new QLabel(u"段落別練習の記録は保存不可"_s, m_paragraphNoticePanel);
    m_paragraphNoticeLabel->setObjectName(u"paragraphNoticeLabel"_s);
    m_paragraphNoticeLabel->setAlignment(Qt::AlignCenter);
    m_paragraphNoticeLabel->setGeometry(twips::rect(0, 0, RightWidth, 300));

    struct Cell {
        int index;
        const char16_t* caption;
    };
    const Cell results[] = {{5, u"CPM"}, {7, u"LVL"}, {6, u"SCR"}, {8, u"RV"}, {0, u"打数"}, {9, u"文字数"}};
    for (int i = 0; i < 6; ++i) {
        const int left = RightColumn + (i % 2) * 2160;
        const int top = 900 + (i / 2) * 315;
        makeLabel(form, indexed(u"resultCaptions"_s, results[i].index), QString::fromUtf16(results[i].caption), left,
                  top, 720, 300);
        m_resultValues.append(nullptr);
    }
    for (int v = 0; v < 6; ++v) {
        // m_resultValues[v] sits beside the caption of the same row order: CPM, LVL, SCR, RV, 打数, 文字数.
        const int left = RightColumn + (v % 2) * 2160 + 720;
        const int top = 900 + (v / 2) * 315;
        m_resultValues[v] = makeLabel(form, QString::fromUtf16(ResultValueNames[v]), {}, left, top, 1350, 300,
                                      Qt::AlignRight | Qt::AlignVCenter);
    }
    const int operationsTop = 900 + 3 * 315 + 60;
    makeLabel(form, indexed(u"resultCaptions"_s, 10), u"打数"_s, RightColumn + 1200, operationsTop, 900, 270,
              Qt::AlignRight | Qt::AlignVCenter);
    makeLabel(form, indexed(u"resultCaptions"_s, 11), u"％"_s, RightColumn + 2100, operationsTop, 1000, 270,
              Qt::AlignRight | Qt::AlignVCenter);
    const char16_t* operations[] = {u"変換", u"確定", u"訂正", u"修正"};
    const char16_t* rowArrays[] = {u"conversionRow", u"confirmationRow", u"correctionRow", u"revisionRow"};
    for (int r = 0; r < 4; ++r) {
        const int top = operationsTop + 270 * (r + 1);
        makeLabel(form, indexed(u"resultCaptions"_s, r + 1), QString::fromUtf16(operations[r]), RightColumn, top, 1000,
                  270);
        for (int c = 0; c < 3; ++c)
            makeLabel(form, indexed(QString::fromUtf16(rowArrays[r]), c), {}, RightColumn + 1200 + c * 900, top,
                      c == 2 ? 600 : 900, 270, Qt::AlignRight | Qt::AlignVCenter);
    }

    // The text-information panel covers the operation rows while no result is shown.
    m_textInfoPanel = makePanel(form, u"textInfoPanel"_s, true);
    twips::place(m_textInfoPanel, RightColumn, operationsTop, RightWidth, 270 * 5 + 60);
    m_charCountLabel = makeLabel(m_textInfoPanel, u"charCountLabel"_s, {}, 120, 30, 4000, 270);
    m_kanjiRatioLabel = makeLabel(m_textInfoPanel, u"kanjiRatioLabel"_s, {}, 120, 300, 4000, 270);
    m_halfWidthRatioLabel = makeLabel(m_textInfoPanel, u"halfWidthRatioLabel"_s, {}, 120, 570, 4000, 270);
    m_eligibilityLabel = makeLabel(m_textInfoPanel, u"eligibilityLabel"_s, {}, 120, 840, 4000, 300);
    m_eligibilityLabel->setToolTip(
        u"総文字数200字以上、漢字含有率25％以上、半角含有率10％未満の条件をすべて満たしている場合に判定可能"_s);

    const int bestTop = operationsTop + 270 * 5 + 180;
    const char16_t* bestColumns[] = {u"CPM", u"LVL", u"SCR", u"RV"};
    const char16_t* bestArrays[] = {u"bestCpm", u"bestGrade", u"bestScore", u"bestOwnLevel"};
    for (int c = 0; c < 4; ++c)
        makeLabel(form, u"bestHeader"_s + QString::number(c), QString::fromUtf16(bestColumns[c]),
                  RightColumn + 600 + c * 930, bestTop, 900, 255, Qt::AlignCenter);
    for (int row = 0; row < 10; ++row) {
        const int top = bestTop + 255 * (row + 1);
        makeLabel(form, indexed(u"bestRank"_s, row), QString::number(row + 1), RightColumn, top, 500, 255,
                  Qt::AlignRight | Qt::AlignVCenter);
        for (int c = 0; c < 4; ++c)
            makeLabel(form, indexed(QString::fromUtf16(bestArrays[c]), row), {}, RightColumn + 600 + c * 930, top, 900,
                      255, Qt::AlignCenter);
    }

    // The ruby box floats over the text panel near the reading's first character.
    m_rubyBox = makePanel(form, u"rubyBox"_s, true);
    m_rubyLabel = new QLabel(m_rubyBox);
    m_rubyLabel->setObjectName(u"rubyLabel"_s);
    m_rubyLabel->setTextFormat(Qt::PlainText);
    m_rubyBox->hide();

    // Titles, paragraphs and readings come from files: no label ever reads them as markup.
    plaintext::makeLabelsPlain(this);
    setFixedSize(sizeHint());
}

// ---- Start-up and shutdown ---------------------------------------------------------------

void MainWindow::startUp() {
    measureJapaneseDisplay();
    ensureFolder(m.fileBoxPath());
    ensureFolder(m.logBoxPath());
    makeOwnerWritable(m.fileBoxPath());
    makeOwnerWritable(m.logBoxPath());

    SettingsFile file(m.settingsPath());
    QString error;
    if (!file.load(m.settings, &error)) message(error);
    Options::applyStartupDefaults(m.settings);

    placeWindow();
    applyColours();
    checkStoredOptions();
    m_retryHint->setText(Options::retryHint(m.settings.number(Options::RetryKey)));
    applyFontLayout();

    // A text deleted outside the program quietly gives way to the chosen sample; one that is
    // still there but cannot be practised is worth a word.
    if (TextLoading::loadCurrentText(m, &error) == TextLoading::LoadResult::Unusable)
        message(error + u"\n腕試しのテキストを読み込みます。"_s);
    showText();
}

bool MainWindow::shutDown() {
    m_unloaded = true;
    // The frame's top left relative to the screen, the very point placeWindow() moves the frame
    // to: whatever panels or window frames the desktop adds, the window reopens where it was.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QPoint frame = pos() - (screen ? screen->geometry().topLeft() : QPoint());
    const WindowPosition::TopLeft stored =
        WindowPosition::toStored({twips::fromPixels(frame.y()), twips::fromPixels(frame.x())});
    m.settings.setNumber(Options::WindowTop, stored.top);
    m.settings.setNumber(Options::WindowLeft, stored.left);
    SettingsFile file(m.settingsPath());
    QString error;
    if (file.save(m.settings, &error)) return true;
    message(error);
    return false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_unloaded) shutDown();
    event->accept();
}

void MainWindow::measureJapaneseDisplay() {
    m_japaneseDisplay = FontCellMetrics(16).fullWidthRendered();
}

void MainWindow::placeWindow() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect whole = screen ? screen->geometry() : QRect(0, 0, 1280, 1024);
    const QRect available = screen ? screen->availableGeometry() : whole;
    const QSize frame = frameGeometry().size().expandedTo(size());
    const int windowW = twips::fromPixels(frame.width());
    const int windowH = twips::fromPixels(frame.height());
    const int top = m.settings.number(Options::WindowTop);
    const int left = m.settings.number(Options::WindowLeft);
    if (WindowPosition::restored(top, left, twips::fromPixels(whole.width()), twips::fromPixels(whole.height()),
                                 windowW)) {
        move(whole.topLeft() + QPoint(twips::toPixels(left), twips::toPixels(top)));
        return;
    }
    // A new or unreachable position: the middle of the area that panels and docks leave free.
    const WindowPosition::TopLeft centred = WindowPosition::centred(
        twips::fromPixels(available.width()), twips::fromPixels(available.height()), windowW, windowH);
    move(available.topLeft() + QPoint(twips::toPixels(centred.left), twips::toPixels(centred.top)));
}

void MainWindow::applyColours() {
    using namespace ColourSettings;
    // The style's text and base colours stand for the desktop's text and window colours: every
    // panel here is a text area, so light and dark styles both keep their text legible.
    const QPalette system = palette();
    const QColor systemText = system.color(QPalette::Text);
    const QColor window = system.color(QPalette::Base);
    auto colour = [&](int item, const QColor& fallback) { return toColor(customColour(m.settings, item), fallback); };

    const QColor practiceText = colour(PracticeText, systemText);
    const QColor practiceBackground = colour(PracticeBackground, window);
    // Typed characters recede behind the ones still to type, yet stay readable.
    const Rgb typed =
        recedingTextColour({practiceText.red(), practiceText.green(), practiceText.blue()},
                           {practiceBackground.red(), practiceBackground.green(), practiceBackground.blue()});
    setColours(m_textPanel, practiceText, practiceBackground);
    m_cellView->setBackgroundColour(practiceBackground);
    m_cellView->setStateColours(practiceText, colour(CorrectText, QColor(typed.red, typed.green, typed.blue)),
                                colour(MissText, QColor(255, 0, 0)));
    setColours(m_rubyBox, colour(RubyText, systemText), colour(RubyBackground, window));
    setColours(m_rubyLabel, colour(RubyText, systemText), colour(RubyBackground, window));
    setColours(m_nextParagraphLabel, colour(NextText, systemText), colour(NextBackground, window));
    setColours(m_nextParagraphPanel, colour(NextText, systemText), colour(NextBackground, window));
    const QColor inputBackground = colour(InputBackground, window);
    setColours(m_inputEdit, colour(InputText, systemText), inputBackground);
    for (QWidget* w :
         {static_cast<QWidget*>(m_inputPanel), static_cast<QWidget*>(m_startPanel), static_cast<QWidget*>(m_startHint),
          static_cast<QWidget*>(m_retryHint), static_cast<QWidget*>(m_targetLabel)})
        setColours(w, systemText, inputBackground);
}

void MainWindow::applyFontLayout() {
    const Options::FontLayout& layout = Options::fontLayout(m.settings.number(Options::FontSize));
    m_charsPerLine = layout.charsPerLine;
    m_visibleRows = layout.visibleRows;

    m_metrics = std::make_unique<FontCellMetrics>(layout.pointSize);
    const QFont font = FontCellMetrics::cellFont(layout.pointSize);
    m_cellView->setPointSize(layout.pointSize);
    m_nextParagraphLabel->setFont(font);
    m_inputEdit->setFont(font);

    int top = TextPanelTop;
    twips::place(m_textPanel, LeftColumn, top, PanelWidth, layout.textPanelHeight);
    // The cells carry their own 15-twip top; the view starts at the panel's top.
    twips::place(m_cellView, layout.textCanvasLeft, 0, PanelWidth - 300 - layout.textCanvasLeft,
                 layout.textPanelHeight - 30);
    twips::place(m_textScrollBar, PanelWidth - 285, 30, 255, layout.textPanelHeight - 75);
    top += layout.textPanelHeight + 60;

    twips::place(m_nextParagraphPanel, LeftColumn, top, PanelWidth, layout.nextParagraphHeight + 60);
    twips::place(m_nextParagraphLabel, layout.textCanvasLeft + 60, 30, PanelWidth - 120, layout.nextParagraphHeight);
    top += layout.nextParagraphHeight + 120;

    twips::place(m_inputPanel, LeftColumn, top, PanelWidth, layout.inputHeight + 90);
    twips::place(m_inputEdit, layout.textCanvasLeft + 30, 45, PanelWidth - 90 - layout.textCanvasLeft,
                 layout.inputHeight);
    twips::place(m_startPanel, 30, 45, PanelWidth - 90, layout.startPanelHeight);
    const int width = PanelWidth - 90;
    twips::place(m_countdownLabel, 0, 0, width, layout.startPanelHeight / 2);
    twips::place(m_startHint, 0, layout.startPanelHeight / 2 - 330, width, 420);
    twips::place(m_targetLabel, 0, layout.targetLabelTop - 180, width, 270);
    twips::place(m_retryHint, 0, layout.startPanelHeight - 300, width - 120, 270);
    m_pausePanel->setGeometry(m_startPanel->geometry());
    m_resumeButton->setGeometry(m_pausePanel->width() / 2 - 60, m_pausePanel->height() / 2 - 16, 120, 32);
}

// ---- Menus -----------------------------------------------------------------------------

void MainWindow::checkArray(const QString& arrayName, int count, int checkedIndex) {
    for (int i = 0; i < count; ++i)
        if (QAction* a = action(indexed(arrayName, i))) a->setChecked(i == checkedIndex);
}

void MainWindow::checkStoredOptions() {
    for (const Options::Group& group : Options::groups()) {
        const int checked = Options::indexForValue(group, m.settings.number(group.entry));
        checkArray(QString::fromUtf16(group.arrayName), int(group.items.back().index) + 1, checked);
    }
    checkArray(u"standardActions"_s, 5, m.settings.number(Options::Standard));
}

void MainWindow::optionChosen(int entry, int index) {
    const Options::Group* group = Options::groupForEntry(entry);
    if (!group) return;
    checkArray(QString::fromUtf16(group->arrayName), int(group->items.back().index) + 1, index);
    m.settings.setNumber(entry, group->valueOf(index));
    switch (entry) {
    case Options::FontSize:
        applyFontLayout();
        layoutSegment();
        break;
    case Options::EndSpace:
        reloadCurrentText();
        break;
    case Options::RetryKey:
        m_retryHint->setText(Options::retryHint(m.settings.number(Options::RetryKey)));
        break;
    default:
        break;
    }
}

void MainWindow::standardChosen(int index) {
    checkArray(u"standardActions"_s, 5, index);
    m.settings.setNumber(Options::Standard, index);
    // With a result on show, the last attempt is graded again under the new standard.
    if (m_resultShown && m_lastElapsedMs > 0)
        m_resultValues[1]->setText(ResultComputation::regrade(m_lastCounts, m_lastElapsedMs, index));
    showBestList(QString::fromUtf16(NoOwnLevelAfterStandardChange));
}

void MainWindow::sampleChosen(int index) {
    TextLoading::chooseSample(m, index);
    showText();
}

void MainWindow::reloadCurrentText() {
    QString error;
    // While the program runs the text on show changes under the user's eyes: always say why.
    const TextLoading::LoadResult result = TextLoading::loadCurrentText(m, &error);
    if (result == TextLoading::LoadResult::Missing || result == TextLoading::LoadResult::Unusable)
        message(error + u"\n腕試しのテキストを読み込みます。"_s);
    showText();
}

void MainWindow::applyMenuState() {
    const TextLoading::MenuState state = TextLoading::view(m).menus;
    auto set = [&](const QString& name, bool enabled, std::optional<bool> checked = std::nullopt) {
        QAction* a = action(name);
        if (!a) return;
        a->setEnabled(enabled && !NotYetAvailable.count(name));
        if (checked) a->setChecked(*checked);
    };
    set(u"wholeTextAction"_s, true, state.wholeChecked);
    set(u"paragraphsAction"_s, state.paragraphEnabled, state.paragraphChecked);
    set(u"chooseParagraphAction"_s, state.chooseParagraphEnabled);
    set(u"previousParagraphAction"_s, state.previousEnabled);
    set(u"nextParagraphAction"_s, state.nextEnabled);
    set(u"bestDetailsAction"_s, state.detailsEnabled);
    set(u"lastDetailsAction"_s, state.detailsEnabled);
    set(u"editCurrentTextAction"_s, state.editCurrentEnabled);
    for (int k = 0; k < 5; ++k)
        set(indexed(u"standardActions"_s, k), state.standardEnabled[size_t(k)], k == state.standardChecked);
    checkArray(u"sampleActions"_s, SampleTexts::MenuItemCount, state.sampleChecked);
}

// ---- The loaded text -------------------------------------------------------------------

void MainWindow::showText() {
    const TextLoading::TextView v = TextLoading::view(m);
    m_titleLabel->setText(v.title);
    m_modeLabel->setText(v.modeLine);
    m_paragraphNoticePanel->setVisible(v.paragraphPanel);
    m_resultValues[5]->setText(v.totalChars);
    m_charCountLabel->setText(v.countCaption);
    m_kanjiRatioLabel->setText(v.kanjiCaption);
    m_halfWidthRatioLabel->setText(v.halfCaption);
    m_eligibility = v.eligibility;
    m_eligibilityLabel->setText(v.eligibilityCaption);
    m_hasTargetLine = !v.targetLine.isEmpty();
    m_targetLabel->setText(v.targetLine);
    m_targetLabel->setVisible(!v.targetLine.isEmpty());

    setResultShown(false);
    m_redRow = -1;
    clearResultPanel();
    returnToReady();
    layoutSegment();
}

void MainWindow::openBesideProgram(const QString& fileName) {
    for (const QString& folder : {m.programFolder, QCoreApplication::applicationDirPath()}) {
        const QString path = folder + u'/' + fileName;
        if (QFileInfo(path).isFile()) {
            if (!m_platform.shell.open(path)) message(fileName + u"を開けませんでした。"_s);
            return;
        }
    }
    message(fileName + u"が見つかりません。"_s);
}

void MainWindow::message(const QString& text) {
    m_showMessage(text);
}

// ---- The attempt -----------------------------------------------------------------------

void MainWindow::applyAttemptState() {
    const AttemptState state = m_attempt.state();
    const StateControls c = controlsFor(state);
    auto run = [](QTimer* timer, bool on) {
        if (!on)
            timer->stop();
        else if (!timer->isActive())
            timer->start();
    };
    run(m_runTimer, c.runTimerOn);
    run(m_countdownTimer, c.countdownTimerOn);
    run(m_inputMethodGuardTimer, c.inputMethodGuardOn);
    if (state == AttemptState::Ready) m_recolourTimer->stop();
    m_inputEdit->setEnabled(c.inputEnabled);
    m_startPanel->setVisible(c.startPanel);
    m_startHint->setVisible(c.hints);
    m_retryHint->setVisible(c.hints);
    m_pausePanel->setVisible(c.pausePanel);

    auto enable = [this](const QString& name, bool enabled) {
        if (QAction* a = action(name)) a->setEnabled(enabled && !NotYetAvailable.count(name));
    };
    enable(u"startAction"_s, c.startEnabled);
    enable(u"pauseAction"_s, c.pauseEnabled);
    action(u"pauseAction"_s)->setText(QString::fromUtf16(c.pauseCaption));
    enable(u"retryAction"_s, c.retryEnabled);
    for (const char16_t* menu : {u"resultsMenu", u"optionsMenu", u"helpMenu", u"samplesMenu"})
        m_menus.value(QString::fromUtf16(menu))->menuAction()->setEnabled(c.otherMenus);
    for (const char16_t* item : {u"newTextAction", u"pickToPractiseAction", u"pickToEditAction", u"editSourcesAction",
                                 u"pickToDeleteAction", u"deleteRecordsAction"})
        enable(QString::fromUtf16(item), c.otherMenus);
    if (state == AttemptState::Ready) {
        applyMenuState();
    } else {
        // Mode changes and paragraph steps wait for the ready state.
        for (const char16_t* item : {u"editCurrentTextAction", u"wholeTextAction", u"paragraphsAction",
                                     u"chooseParagraphAction", u"previousParagraphAction", u"nextParagraphAction"})
            enable(QString::fromUtf16(item), false);
    }
}

void MainWindow::clearAttemptDisplay() {
    m_counting.reset();
    m_keyStream.clear();
    m_recolourTimer->stop();
    resetLiveFigures();
    setResultShown(false);
    m_countdownLabel->clear();
}

void MainWindow::setResultShown(bool shown) {
    m_resultShown = shown;
    // The result takes the place of the text information.
    m_textInfoPanel->setVisible(!shown);
}

void MainWindow::resetLiveFigures() {
    m_typedCharsLabel->setText(u"0"_s);
    m_speedLabel->setText(u"0.0"_s);
    m_keystrokesLabel->setText(u"0"_s);
    m_elapsedLabel->setText(u"0"_s);
    m_progressBar->resize(0, m_progressBar->height());
    m_speedGauge->resize(0, m_speedGauge->height());
}

void MainWindow::layoutSegment() {
    const CurrentText& t = m.text;
    ::layoutSegment(m_display, t.line(t.currentLine), t.line(t.currentLine + 1),
                    m.settings.number(Options::PracticeMode) != 0, *m_metrics, TextPanelWidth, m_visibleRows);
    // A composition under way belongs to the next paragraph: clearing must not end it.
    m_inputEdit->clearInput();
    // Only whole characters: a glyph cut at the panel's edge reads as another character.
    m_nextParagraphLabel->setText(plaintext::wholeCharactersThatFit(
        m_display.previewText, m_nextParagraphLabel->fontMetrics(), m_nextParagraphLabel->contentsRect().width()));
    m_textScrollBar->setValue(0);
    m_textScrollBar->setMaximum(m_display.scrollMaximum);
    m_textScrollBar->setEnabled(m_display.scrollEnabled);
    scrollTo(0);
    m_cellView->refreshAll();
    showBestList(QString::fromUtf16(NoOwnLevelInBestList));
}

void MainWindow::startAttempt() {
    if (m_attempt.state() != AttemptState::Ready) return;
    m_attempt.startAttempt();
    m_lastPreedit.clear();
    m_trace.line(u"start"_s);
    m_textScrollBar->setValue(0);
    clearAttemptDisplay();
    applyAttemptState();
}

void MainWindow::countdownTick() {
    const AttemptControl::CountdownStep step = m_attempt.countdownTick();
    if (!step.digit.isEmpty()) m_countdownLabel->setText(step.digit);
    if (!step.beginTyping) return;
    m_countdownLabel->clear();
    const int mode = initialInputMode(m.settings.number(Options::InputMode), m_display.cells[0].width);
    m_platform.inputMethod.setInputMode(mode);
    m_trace.line(u"typing mode="_s + QString::number(mode));
    applyAttemptState();
    m_inputEdit->setFocus();
    showRuby(rubyAtStart(m_display, m_charsPerLine, m.settings.number(Options::RubyDisplay), rubyFrame()));
}

void MainWindow::runTick() {
    if (m_attempt.checksOnTick()) {
        checkSegment();
        if (m_attempt.state() != AttemptState::Running) return;
    }
    if (!m_resultShown) m_elapsedLabel->setText(m_attempt.clockTick());
}

void MainWindow::checkSegment() {
    if (m_attempt.state() != AttemptState::Running || m_inputEdit->text() != m_display.segmentText) return;
    const QString operations = m_counting.operationString();
    m_trace.line(u"segment ops="_s + operations);
    switch (m_attempt.checkSegment(m_inputEdit->text(), m_display.segmentText, operations)) {
    case AttemptControl::SegmentOutcome::Incomplete:
        break;
    case AttemptControl::SegmentOutcome::Advanced:
        layoutSegment();
        showRuby(rubyAtStart(m_display, m_charsPerLine, m.settings.number(Options::RubyDisplay), rubyFrame()));
        break;
    case AttemptControl::SegmentOutcome::Ended:
        endAttempt();
        break;
    }
}

void MainWindow::endAttempt() {
    const AttemptSummary summary = m_attempt.summary();
    m_runTimer->stop();
    m_recolourTimer->stop();
    setResultShown(true);
    m_inputEdit->setEnabled(false);
    m_rubyBox->hide();
    if (QAction* start = action(u"startAction"_s)) start->setEnabled(true);
    m_startHint->show();
    m_retryHint->show();
    m_targetLabel->setVisible(m.activeTarget > 0 && m_hasTargetLine);
    m_progressBar->resize(m_progressBar->parentWidget()->width(), m_progressBar->height());
    m_typedCharsLabel->setText(
        QString::number(m.text.counts.total + extraCharacters(m.text.counts, m.settings.number(Options::EndSpace),
                                                              summary.practiceMode != 0, m.text.lineCount)));

    const ResultComputation::AttemptResult result = ResultComputation::computeAttempt(m.text, m.settings, summary);
    showResult(result.figures);
    m_lastElapsedMs = result.figures.elapsedMs;
    m_lastCounts = m.text.counts;
    // The best-times line is stored before the other records (see AttemptRecorder).
    const AttemptRecorder::Outcome records =
        AttemptRecorder::record(m, summary, m_attempt.paragraphResults, result, QDateTime::currentDateTime());
    if (!records.settingsError.isEmpty()) message(records.settingsError);
    if (result.wholeText) m_redRow = result.best.row;

    if (summary.practiceMode == 0) m.text.currentLine = CurrentText::FirstParagraphLine;
    m_startPanel->hide();
    layoutSegment();
    m_startPanel->show();
    if (!records.files.ok()) message(records.files.errorMessage());

    AttemptFinishedDialog dialog(this);
    dialog.setInputTime(inputTimeCaption(summary.elapsedMs));
    // The result-details window is not in the program yet: its button stays disabled until it is.
    dialog.setDetailsAvailable(false);
    dialog.exec();
    // The result-details window opens here when dialog.detailsRequested().
    returnToReady();
}

void MainWindow::togglePause() {
    const AttemptState state = m_attempt.state();
    if (state != AttemptState::Running && state != AttemptState::Paused) return;
    m_attempt.togglePause();
    applyAttemptState();
    if (m_attempt.state() == AttemptState::Paused) {
        m_resumeButton->setFocus();
    } else {
        // Typing goes on where it stopped: the input stays, nothing selected, caret at the end.
        m_inputEdit->setFocus(Qt::OtherFocusReason);
        m_inputEdit->moveCaretToEnd();
    }
}

void MainWindow::retry() {
    if (m_attempt.state() == AttemptState::Ready) return;
    m_attempt.retry();
    m_trace.line(u"ready"_s);
    clearAttemptDisplay();
    m_rubyBox->hide();
    applyAttemptState();
    layoutSegment();
}

void MainWindow::returnToReady() {
    m_attempt.returnToReady();
    m_trace.line(u"ready"_s);
    m_rubyBox->hide();
    m_countdownLabel->clear();
    applyAttemptState();
}

void MainWindow::inputChanged() {
    const QString input = m_inputEdit->text();
    const bool running = m_attempt.state() == AttemptState::Running;
    const JudgementResult r =
        judgeInput(m_display, input, m.settings.number(Options::JudgementWindow), running,
                   m.settings.number(Options::MissSound) == 0,
                   {m_attempt.correctPrefix, m_attempt.mismatchCount, m_attempt.previousMismatchCount});
    if (r.startRecolour && !m_recolourTimer->isActive()) m_recolourTimer->start();
    // Characters past the paragraph's end keep it from completing: show them as misses.
    const int segmentLength = int(m_display.segmentText.size());
    m_inputEdit->markSurplus(
        running && input.size() > segmentLength ? segmentLength : -1,
        toColor(ColourSettings::customColour(m.settings, ColourSettings::MissText), QColor(255, 0, 0)));
    if (!running) return;
    if (m_textScrollBar->isEnabled()) {
        if (const auto value = scrollWhileTyping(m_display, int(input.size()),
                                                 m.settings.number(Options::ScrollPosition), m_visibleRows))
            m_textScrollBar->setValue(*value);
    }
    showRuby(rubyOnInput(m_display, int(input.size()), m_charsPerLine, m.settings.number(Options::RubyDisplay),
                         rubyFrame()));
    if (r.missSound) m_platform.sound.play();
    if (r.firstChanged >= 0) m_cellView->refreshCells(r.firstChanged, r.lastChanged);
    showLiveFigures();
}

void MainWindow::showLiveFigures() {
    LiveFigureInput in;
    in.doneChars = m_attempt.doneChars;
    in.correctPrefix = m_attempt.correctPrefix;
    in.total = m.text.counts.total;
    in.extra = extraCharacters(m.text.counts, m.settings.number(Options::EndSpace),
                               m.settings.number(Options::PracticeMode) != 0, m.text.lineCount);
    in.lastTick = m_attempt.lastTick;
    in.attemptStart = m_attempt.attemptStart;
    in.trackWidth = m_progressBar->parentWidget()->width();
    in.targetSpeed = m.activeTarget;
    in.gaugeWidth = m_speedGauge->width();
    const LiveFigures f = liveFigures(in);
    m_typedCharsLabel->setText(f.typedChars);
    m_speedLabel->setText(f.cpm);
    m_progressBar->resize(f.progressWidth, m_progressBar->height());
    m_speedGauge->resize(f.gaugeWidth, m_speedGauge->height());
    QPalette gauge = m_speedGauge->palette();
    gauge.setColor(QPalette::Window, QColor::fromRgb(gaugeRgb(f.gaugeColour)));
    m_speedGauge->setPalette(gauge);
}

void MainWindow::inputMethodGuardTick() {
    // Space and Enter must reach the window between attempts, not an open input method.
    if (inputMethodGuardCloses(m_runTimer->isActive(), m_countdownTimer->isActive(), m_platform.inputMethod.status()))
        m_platform.inputMethod.close();
}

void MainWindow::recolourTick() {
    const JudgementResult r = recolourBeforeWindow(
        m_display, m_inputEdit->text(), m.settings.number(Options::JudgementWindow), m_attempt.mismatchCount);
    if (r.firstChanged >= 0) m_cellView->refreshCells(r.firstChanged, r.lastChanged);
}

void MainWindow::scrollTo(int value) {
    const int pointSize = m.settings.number(Options::FontSize);
    m_cellView->setScrollOffsetTwips(scrollOffsetTwips(value, pointSize));
    if (m_attempt.state() == AttemptState::Running && !m_display.rubyTexts.isEmpty()) {
        if (const auto box = rubyOnScroll(m_display, int(m_inputEdit->text().size()), m_charsPerLine, rubyFrame()))
            showRuby(*box);
    }
}

RubyFrame MainWindow::rubyFrame() const {
    const Options::FontLayout& layout = Options::fontLayout(m.settings.number(Options::FontSize));
    RubyFrame frame;
    frame.textPanelLeft = twips::fromPixels(m_textPanel->x());
    frame.textPanelTop = twips::fromPixels(m_textPanel->y());
    frame.textPanelHeight = layout.textPanelHeight;
    frame.textCanvasLeft = layout.textCanvasLeft;
    frame.textCanvasTop = m_cellView->scrollOffsetTwips();
    frame.windowInnerWidth = ClientWidth;
    const QFontMetrics metrics(m_rubyLabel->font());
    frame.labelWidth = [metrics](const QString& text) {
        return twips::fromPixels(metrics.horizontalAdvance(text) + 4);
    };
    return frame;
}

void MainWindow::showRuby(const RubyBox& box) {
    if (!box.visible || box.reading < 0 || box.reading >= m_display.rubyTexts.size()) {
        m_rubyBox->hide();
        return;
    }
    m_rubyLabel->setText(m_display.rubyTexts[box.reading]);
    const int height = twips::fromPixels(QFontMetrics(m_rubyLabel->font()).height() + 4);
    twips::place(m_rubyBox, box.left, box.top, box.width, height);
    m_rubyLabel->setGeometry(2, 1, m_rubyBox->width() - 2, m_rubyBox->height() - 2);
    m_rubyBox->raise();
    m_rubyBox->show();
}

void MainWindow::chooseParagraph() {
    ParagraphPickerDialog dialog(m.text, this);
    if (dialog.exec() != QDialog::Accepted || dialog.chosenParagraph() < 0) {
        // Cancelled: the paragraph item checked itself when chosen; the mode is unchanged.
        applyMenuState();
        return;
    }
    TextLoading::paragraphPractice(m, dialog.chosenParagraph());
    showText();
}

// ---- Keys ------------------------------------------------------------------------------

bool MainWindow::handleKey(QKeyEvent* event) {
    const int keyCode = KeyCodes::virtualKeyCode(event->key());
    m_platform.keyboard.noteKeyEvent(keyCode, true);
    m_keyModifiers = event->modifiers();
    m_keyConsumed = false;
    // The key-down comes first: the input method ignored this key, so it has its own code.
    m_keyStream.keyEventArrived(keyCode, event->nativeScanCode(), m_platform.clock.nowMs(), m_platform.keyboard);
    if (m_keyConsumed) return true;

    const QString text = event->text();
    if (text.size() != 1) return false;
    const QChar character = text[0];
    switch (keyPressAction(m_attempt.state(), character.unicode())) {
    case KeyAction::Start:
        startAttempt();
        return true;
    case KeyAction::CheckSegment:
        checkSegment();
        return true;
    case KeyAction::Counting:
        m_counting.keyPress(character, m_platform.inputMethod.status());
        return false;
    default:
        return false;
    }
}

void MainWindow::keyDown(int keyCode, int ownCode, quint32 waitedMs, const KeyState& heldAtPress) {
    const AttemptState state = m_attempt.state();
    const QAction* pause = action(u"pauseAction"_s);
    switch (keyDownAction(state, keyCode, KeyCodes::shiftState(m_keyModifiers), m.settings.number(Options::RetryKey),
                          pause && pause->isEnabled())) {
    case KeyAction::Retry:
        m_keyConsumed = true;
        retry();
        return;
    case KeyAction::TogglePause:
        m_keyConsumed = true;
        togglePause();
        return;
    case KeyAction::ShowRuby:
        m_keyConsumed = true;
        if (state == AttemptState::Running) {
            if (const auto box = rubyOnF5(m_display, int(m_inputEdit->text().size()), m_charsPerLine,
                                          m.settings.number(Options::RubyDisplay), rubyFrame()))
                showRuby(*box);
        }
        return;
    case KeyAction::Counting: {
        const bool counted =
            m_counting.keyDown(keyCode, heldAtPress, m_platform.inputMethod.status(), m_inputEdit->text().isEmpty());
        m_keystrokesLabel->setText(QString::number(m_attempt.counters.keystrokes));
        if (m_trace.enabled()) {
            m_trace.line(u"keydown code=%1 own=%2 waited=%3 counted=%4"_s.arg(keyCode).arg(ownCode).arg(waitedMs).arg(
                int(counted)));
            traceCounts();
        }
        return;
    }
    default:
        return;
    }
}

void MainWindow::traceCounts() {
    const AttemptCounters& c = m_attempt.counters;
    m_trace.line(u"counts keystrokes=%1 conversions=%2 confirmations=%3 teisei=%4 shusei=%5"_s.arg(c.keystrokes)
                     .arg(c.conversions)
                     .arg(c.confirmations)
                     .arg(c.correctionCount)
                     .arg(c.revisionCount));
}

void MainWindow::dropComposition() {
    if (m_lastPreedit.isEmpty()) return;
    // reset() makes the input method commit the composition before forgetting it; that
    // commit is swallowed, then the box is told the composition is gone.
    m_droppingComposition = true;
    QGuiApplication::inputMethod()->reset();
    m_droppingComposition = false;
    m_lastPreedit.clear();
    QInputMethodEvent gone;
    m_ownInputMethodEvent = true;
    QCoreApplication::sendEvent(m_inputEdit, &gone);
    m_ownInputMethodEvent = false;
    m_trace.line(u"composition dropped"_s);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::InputMethod && watched == m_inputEdit) {
        if (m_ownInputMethodEvent) return false;
        const auto* im = static_cast<QInputMethodEvent*>(event);
        if (m_droppingComposition) return !im->commitString().isEmpty();
        // An input-method event is the outcome of a key the input method used: its key-down
        // is counted first, then the characters it commits, then the input box changes.
        const QString preedit = im->preeditString();
        const bool changes = !im->commitString().isEmpty() || preedit != m_lastPreedit || im->replacementLength() != 0;
        m_lastPreedit = preedit;
        if (m_trace.enabled())
            m_trace.line(u"im commit=%1 preedit=%2 changes=%3"_s.arg(im->commitString(), preedit).arg(int(changes)));
        m_keyModifiers = QGuiApplication::keyboardModifiers();
        m_keyStream.inputMethodEventArrived({changes, !im->commitString().isEmpty(), !preedit.isEmpty()},
                                            m_platform.clock.nowMs());
        if (m_attempt.state() == AttemptState::Running)
            for (QChar c : im->commitString())
                if (c != u'\r') m_counting.keyPress(c, m_platform.inputMethod.status());
        return false;
    }
    if (event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        QWidget* focus = QApplication::focusWidget();
        const bool first = focus ? watched == focus : watched == this;
        if (first && qobject_cast<QWidget*>(watched) && static_cast<QWidget*>(watched)->window() == this) {
            // Every press before this key was let go has had its outcome by now.
            m_keyStream.keyReleaseArrived(key->nativeScanCode(), m_platform.clock.nowMs());
            if (!key->isAutoRepeat()) {
                m_platform.keyboard.noteKeyEvent(KeyCodes::virtualKeyCode(key->key()), false);
                m_counting.keyUp(m_platform.keyboard);
            }
        }
        return false;
    }
    // Presses made for another window will never be answered here.
    if (event->type() == QEvent::WindowDeactivate && watched == this) m_keyStream.clear();
    if (event->type() == QEvent::KeyPress) {
        // Only the key's first receiver in this window: a key passed on to a parent is the same key.
        auto* widget = qobject_cast<QWidget*>(watched);
        QWidget* focus = QApplication::focusWidget();
        const bool first = focus ? watched == focus : watched == this;
        if (widget && first && widget->window() == this) return handleKey(static_cast<QKeyEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Results and records ---------------------------------------------------------------

QLabel* MainWindow::label(const QString& name) const {
    return findChild<QLabel*>(name);
}

void MainWindow::clearResultPanel() {
    for (int i = 0; i < 5; ++i)
        m_resultValues[i]->clear();
    for (const char16_t* row : {u"conversionRow", u"confirmationRow", u"correctionRow", u"revisionRow"})
        for (int c = 0; c < 3; ++c)
            label(indexed(QString::fromUtf16(row), c))->clear();
}

void MainWindow::showResult(const ResultComputation::ResultFigures& f) {
    const QPalette system = palette();
    const QColor text = system.color(QPalette::ButtonText);
    const QColor shadow = system.color(QPalette::Dark);
    m_resultValues[4]->setText(f.keystrokes);
    const char16_t* rows[] = {u"conversionRow", u"confirmationRow", u"correctionRow", u"revisionRow"};
    for (int r = 0; r < 4; ++r) {
        const QString name = QString::fromUtf16(rows[r]);
        label(indexed(name, 0))->setText(f.rows[size_t(r)].count);
        label(indexed(name, 1))->setText(f.rows[size_t(r)].rate);
        QLabel* mark = label(indexed(name, 2));
        mark->setText(f.rows[size_t(r)].mark);
        setColours(mark, f.greyGrades ? shadow : text, mark->palette().color(QPalette::Window));
    }
    m_resultValues[0]->setText(f.cpm);
    m_speedLabel->setText(f.cpm);
    m_resultValues[1]->setText(f.grade);
    m_resultValues[2]->setText(f.scr);
    m_resultValues[3]->setText(f.ownLevel);
    for (int i : {1, 3})
        setColours(m_resultValues[i], f.greyGrades ? shadow : text,
                   m_resultValues[i]->palette().color(QPalette::Window));
}

void MainWindow::showBestList(const QString& ownLevelStart) {
    ResultComputation::BestListInput in;
    in.times = m.text.bestTimes;
    in.counts = TextLoading::wholeTextCounts(m.text);
    in.standard = m.settings.number(Options::Standard);
    in.ownLevelStart = ownLevelStart;
    in.eligibility = m_eligibility;
    in.redRow = m_redRow;
    const ResultComputation::BestList list = ResultComputation::bestList(in);
    const QPalette system = palette();
    const QColor text = system.color(QPalette::ButtonText);
    const QColor shadow = system.color(QPalette::Dark);
    const QColor red(255, 0, 0);
    for (int i = 0; i < 10; ++i) {
        const ResultComputation::BestListRow& row = list[size_t(i)];
        QLabel* cells[] = {label(indexed(u"bestRank"_s, i)), label(indexed(u"bestCpm"_s, i)),
                           label(indexed(u"bestGrade"_s, i)), label(indexed(u"bestScore"_s, i)),
                           label(indexed(u"bestOwnLevel"_s, i))};
        cells[1]->setText(row.cpm);
        cells[1]->setToolTip(plaintext::toolTip(row.cpmTip));
        cells[2]->setText(row.grade);
        cells[3]->setText(row.scr);
        cells[3]->setToolTip(plaintext::toolTip(row.scrTip));
        cells[4]->setText(row.ownLevel);
        for (int c = 0; c < 5; ++c) {
            const bool graded = c == 2 || c == 4;
            const QColor colour = row.red ? red : graded && row.greyGrades ? shadow : text;
            setColours(cells[c], colour, cells[c]->palette().color(QPalette::Window));
        }
    }
}

void MainWindow::deleteRecords() {
    DeleteRecordsDialog dialog(m, this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_redRow = -1;
    showBestList(QString::fromUtf16(NoOwnLevelInBestList));
    if (!dialog.errorMessage().isEmpty()) message(dialog.errorMessage());
}

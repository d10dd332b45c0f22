#include "ui/main/MainWindow.h"

#include "core/util/BasicFunctions.h"
#include "core/settings/Options.h"
#include "core/settings/WindowPosition.h"
#include "ui/practice/AttemptFinishedDialog.h"
#include "core/settings/ColourSettings.h"
#include "platform/AlertSound.h"
#include "platform/InputMethod.h"
#include "platform/KeyboardMonitor.h"
#include "core/util/Folders.h"
#include "platform/ShellOpen.h"
#include "core/practice/Judgement.h"
#include "core/practice/KeyCodes.h"
#include "core/practice/TextLoading.h"
#include "ui/practice/ParagraphPickerDialog.h"
#include "ui/common/CharCellView.h"
#include "ui/common/FontCellMetrics.h"
#include "ui/main/InputBox.h"
#include "core/records/RecordDeletion.h"
#include "core/records/RecordFiles.h"
#include "ui/records/DeleteRecordsDialog.h"
#include "core/scoring/GradeScales.h"
#include "core/texts/SampleTexts.h"
#include "ui/common/PlainText.h"
#include "ui/common/Twips.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDialog>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
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
    u"mnuNew"_s,    u"mnuEdit1"_s,  u"mnuSelect"_s, u"mnuEdit2"_s, u"mnuDelet"_s, u"mnuEdit3"_s,
    u"mnuDtlP"_s,   u"mnuDtlB"_s,   u"mnuJ100"_s,   u"mnuLog"_s,   u"mnuGauge"_s, u"mnuT"_s,
    u"mnuIro"_s,
};

// The author's page, opened by "ホームへ接続(&C)".
const QString HomePageAddress = u"https://rinvale.jp/"_s;

QString indexed(const QString& arrayName, int index) { return arrayName + u'(' + QString::number(index) + u')'; }

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

frmMain::frmMain(Session& module, Platform& platform, QWidget* parent)
    : QMainWindow(parent), m(module), m_platform(platform), m_attempt(module, platform.clock),
      m_counting(m_attempt.counters),
      m_keyStream([this](int code, int ownCode, quint32 waited, const KeyState& held) {
          keyDown(code, ownCode, waited, held);
      }) {
    setObjectName(u"frmMain"_s);
    setWindowTitle(QString::fromUtf16(Caption));
    m_showMessage = [this](const QString& text) {
        plaintext::message(this, QMessageBox::Information, QString::fromUtf16(Caption), text);
    };
    buildMenus();
    buildControls();

    auto makeTimer = [this](const char16_t* name, int interval, void (frmMain::*handler)()) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QString::fromUtf16(name));
        timer->setInterval(interval);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, handler);
        return timer;
    };
    Timer1 = makeTimer(u"Timer1", 10, &frmMain::RunTick);
    Timer2 = makeTimer(u"Timer2", 10, &frmMain::CountdownTick);
    Timer3 = makeTimer(u"Timer3", 20, &frmMain::Timer3Tick);
    Timer4 = makeTimer(u"Timer4", 500, &frmMain::Timer4Tick);

    // The window sees every key before its controls; physical presses come first, from the
    // display, while the window itself has the keyboard.
    qApp->installEventFilter(this);
    m_platform.keyboard.setRawPressHandler([this](int keyCode, quint32 nativeKey, const KeySnapshot& held) {
        // Keys for an open menu or dialog are not the practice's keys.
        if (!isActiveWindow() || QApplication::activeModalWidget() || QApplication::activePopupWidget()) return;
        if (keyCode != KeyCode::Alt && held.isDown(KeyCode::Alt)) {
            // Alt+letter is a menu's. The input method would swallow the letter into a
            // composition and leave the menu bar holding the keyboard, so the composition goes
            // first (this runs before the input method sees the key).
            dropComposition();
            return;
        }
        m_keyStream.rawPress(keyCode, nativeKey, m_platform.clock.timeGetTime(), held);
    });
    m_platform.keyboard.setRawReleaseHandler(
        [this](quint32 nativeKey) { m_keyStream.rawRelease(nativeKey, m_platform.clock.timeGetTime()); });
    // A menu closed with Esc leaves the menu bar holding the keyboard: typing goes back to the box.
    for (QMenu* menu : std::as_const(m_menus)) {
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { m_trace.line(u"menu "_s + menu->objectName()); });
        connect(menu, &QMenu::aboutToHide, this, [this] {
            QTimer::singleShot(0, this, [this] {
                if (Text1->isEnabled() && isActiveWindow() && !QApplication::activePopupWidget()) Text1->setFocus();
            });
        });
    }
}

frmMain::~frmMain() {
    qApp->removeEventFilter(this);
    m_platform.keyboard.setRawPressHandler({});
    m_platform.keyboard.setRawReleaseHandler({});
}

// ---- Building the window -------------------------------------------------------------

QAction* frmMain::addItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    m_actions.insert(name, a);
    return a;
}

void frmMain::buildMenus() {
    QMenuBar* bar = menuBar();
    auto topMenu = [&](const QString& name, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        m_menus.insert(name, menu);
        return menu;
    };

    QMenu* file = topMenu(u"mnuFile"_s, u"ファイル(&F)"_s);
    addItem(file, u"mnuNew"_s, u"テキスト新規作成(&N)"_s);
    addItem(file, u"mnuEdit1"_s, u"現在のテキストを編集(&E)"_s);
    file->addSeparator();
    addItem(file, u"mnuSelect"_s, u"テキスト選択→練習(&T)"_s);
    addItem(file, u"mnuEdit2"_s, u"テキスト選択→編集(&C)"_s);
    addItem(file, u"mnuDelet"_s, u"テキスト選択→削除(&D)"_s);
    file->addSeparator();
    addItem(file, u"mnuEdit3"_s, u"出所･キーワード編集(&O)"_s);
    connect(addItem(file, u"mnuDE"_s, u"記録の削除(&R)"_s), &QAction::triggered, this, &frmMain::deleteRecords);
    file->addSeparator();
    connect(addItem(file, u"mnuEnd"_s, u"終了(&X)"_s), &QAction::triggered, this, &QWidget::close);

    QMenu* trial = topMenu(u"mnuJissen"_s, u"トライアル(&T)"_s);
    connect(addItem(trial, u"mnuStart"_s, u"スタート(&S)"_s), &QAction::triggered, this, &frmMain::StartAttempt);
    connect(addItem(trial, u"mnuPause"_s, u"中断(&P)"_s), &QAction::triggered, this, &frmMain::TogglePause);
    connect(addItem(trial, u"mnuRetry"_s, u"やり直し(&R)"_s), &QAction::triggered, this, &frmMain::Retry);
    trial->addSeparator();
    QAction* whole = addItem(trial, u"mnuTh"_s, u"全文通し練習(&T)"_s);
    QAction* paragraph = addItem(trial, u"mnuPa"_s, u"段落別練習(&K)"_s);
    whole->setCheckable(true);
    paragraph->setCheckable(true);
    auto* modes = new QActionGroup(trial);
    modes->addAction(whole);
    modes->addAction(paragraph);
    connect(paragraph, &QAction::triggered, this, &frmMain::chooseParagraph);
    connect(addItem(trial, u"mnuSitei"_s, u"- 段落指定(&G)..."_s), &QAction::triggered, this,
            &frmMain::chooseParagraph);
    QAction* previous = addItem(trial, u"mnuPrev"_s, u"--- 前の段落に戻る(&U)"_s);
    QAction* next = addItem(trial, u"mnuNext"_s, u"--- 次の段落に進む(&D)"_s);
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

    QMenu* samples = topMenu(u"mnuSample"_s, u"腕試し(&S)"_s);
    auto* sampleGroup = new QActionGroup(samples);
    for (int i = 0; i < SampleTexts::MenuItemCount; ++i) {
        if (SampleTexts::isSeparator(i)) {
            samples->addSeparator()->setObjectName(indexed(u"mnuSPL"_s, i));
            continue;
        }
        QAction* a = addItem(samples, indexed(u"mnuSPL"_s, i), SampleTexts::menuCaption(i));
        a->setCheckable(true);
        sampleGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { sampleChosen(i); });
    }

    QMenu* results = topMenu(u"mnuHyouji"_s, u"結果表示(&K)"_s);
    addItem(results, u"mnuDtlP"_s, u"通し前回の成績詳細(&P)"_s);
    addItem(results, u"mnuDtlB"_s, u"通し最高成績詳細(&B)"_s);
    results->addSeparator();
    addItem(results, u"mnuJ100"_s, u"テキスト別最高成績一覧(&F)"_s);
    addItem(results, u"mnuLog"_s, u"練習結果全ログ(&L)"_s);

    addOptionMenus(topMenu(u"mnuOption"_s, u"オプション(&O)"_s));

    QMenu* help = topMenu(u"mnuHelp"_s, u"ヘルプ(&H)"_s);
    connect(addItem(help, u"mnuHelpa"_s, u"ヘルプ(&H)"_s), &QAction::triggered, this,
            [this] { openBesideProgram(u"Help.txt"_s); });
    connect(addItem(help, u"mnuReadMe"_s, u"ReadMe(&R)"_s), &QAction::triggered, this,
            [this] { openBesideProgram(u"ReadMe.txt"_s); });
    help->addSeparator();
    connect(addItem(help, u"mnuHome"_s, u"ホームへ接続(&C)"_s), &QAction::triggered, this, [this] {
        if (!m_platform.shell.open(HomePageAddress))
            message(u"ホームページを開けませんでした。\n"_s + HomePageAddress);
    });

    for (QAction* a : std::as_const(m_actions))
        if (NotYetAvailable.count(a->objectName())) a->setEnabled(false);
}

void frmMain::addOptionMenus(QMenu* options) {
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
            standards->setObjectName(u"mnuStandard"_s);
            standards->menuAction()->setObjectName(u"mnuStandard"_s);
            auto* standardGroup = new QActionGroup(standards);
            for (const Options::Item& item : Options::standards()) {
                QAction* a = addItem(standards, indexed(u"mnuKijun"_s, item.index), QString::fromUtf16(item.caption));
                a->setCheckable(true);
                standardGroup->addAction(a);
                const int index = item.index;
                connect(a, &QAction::triggered, this, [this, index] { standardChosen(index); });
            }
        }
    }
    options->addSeparator()->setObjectName(u"mnuJ"_s);
    addItem(options, u"mnuGauge"_s, u"スピードゲージ設定(&G)..."_s);
    addItem(options, u"mnuT"_s, u"テキストリスト表示設定(&T)..."_s);
    addItem(options, u"mnuIro"_s, u"文字色・背景色設定(&C)..."_s);
}

void frmMain::buildControls() {
    auto* form = new QWidget(this);
    form->setObjectName(u"form"_s);
    setCentralWidget(form);
    form->setFixedSize(twips::toPixels(ClientWidth), twips::toPixels(ClientHeight));

    Label1 = makeLabel(form, u"Label1"_s, {}, LeftColumn, 90, PanelWidth, 360);
    QFont titleFont = Label1->font();
    titleFont.setPointSize(12);
    titleFont.setBold(true);
    Label1->setFont(titleFont);

    // Text panel with its inner panel and scroll bar.
    Picture1 = makePanel(form, u"Picture1"_s, true);
    lblJi = new CharCellView(Picture1);
    lblJi->setDisplay(&m_display);
    VScroll1 = new QScrollBar(Qt::Vertical, Picture1);
    VScroll1->setObjectName(u"VScroll1"_s);
    VScroll1->setEnabled(false);
    VScroll1->setFocusPolicy(Qt::NoFocus);
    connect(VScroll1, &QScrollBar::valueChanged, this, &frmMain::scrollTo);

    Picture3 = makePanel(form, u"Picture3"_s, true);
    Label2 = new QLabel(Picture3);
    Label2->setObjectName(u"Label2"_s);
    Label2->setTextFormat(Qt::PlainText);

    Picture4 = makePanel(form, u"Picture4"_s, true);
    Text1 = new InputBox(Picture4);
    Text1->setObjectName(u"Text1"_s);
    Text1->setEnabled(false);
    connect(Text1, &InputBox::textChanged, this, &frmMain::Text1_Change);

    Picture5 = makePanel(Picture4, u"Picture5"_s, false);
    Label3 = new QLabel(Picture5);
    Label3->setObjectName(u"Label3"_s);
    Label3->setAlignment(Qt::AlignCenter);
    QFont digitFont = Label3->font();
    digitFont.setPointSize(20);
    digitFont.setBold(true);
    Label3->setFont(digitFont);
    Label15 = new QLabel(u"スペースキーでスタート"_s, Picture5);
    Label15->setObjectName(u"Label15"_s);
    Label15->setAlignment(Qt::AlignCenter);
    QFont hintFont = Label15->font();
    hintFont.setPointSize(12);
    Label15->setFont(hintFont);
    Label22 = new QLabel(Picture5);
    Label22->setObjectName(u"Label22"_s);
    Label22->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label23 = new QLabel(Picture5);
    Label23->setObjectName(u"Label23"_s);
    Label23->setAlignment(Qt::AlignCenter);

    Picture10 = makePanel(Picture4, u"Picture10"_s, false);
    Command1 = new QPushButton(u"再開"_s, Picture10);
    Command1->setObjectName(u"Command1"_s);
    Command1->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, [this] {
        if (m_attempt.state() == AttemptState::Paused) TogglePause();
    });
    Picture10->hide();

    // Live figures under the input panel.
    struct Figure {
        const char16_t* captionName;
        const char16_t* caption;
        const char16_t* valueName;
        const char16_t* value;
    };
    const Figure figures[] = {{u"Label10", u"タイム", u"Label4", u"0"},
                              {u"Label6", u"打数", u"Label7", u"0"},
                              {u"Label8", u"入力状況(文字数)", u"Label11", u"0"},
                              {u"Label9", u"スピード(字／分)", u"Label12", u"0.0"}};
    for (int i = 0; i < 4; ++i) {
        const int left = LeftColumn + (i % 2) * 4965;
        const int top = FiguresTop + (i / 2) * 420;
        makeLabel(form, QString::fromUtf16(figures[i].captionName), QString::fromUtf16(figures[i].caption), left, top,
                  1800, 330);
        makeLabel(form, QString::fromUtf16(figures[i].valueName), QString::fromUtf16(figures[i].value), left + 1800,
                  top, 750, 330, Qt::AlignRight | Qt::AlignVCenter);
    }
    Label4 = form->findChild<QLabel*>(u"Label4"_s);
    Label7 = form->findChild<QLabel*>(u"Label7"_s);
    Label11 = form->findChild<QLabel*>(u"Label11"_s);
    Label12 = form->findChild<QLabel*>(u"Label12"_s);
    for (const auto& [name, bar, top] : {std::tuple{u"Picture6"_s, u"Shape1"_s, FiguresTop + 420},
                                         std::tuple{u"Picture7"_s, u"Shape2"_s, FiguresTop + 420}}) {
        QFrame* track = makePanel(form, name, true);
        const int left = name == u"Picture6" ? LeftColumn : LeftColumn + 4965;
        twips::place(track, left + 2700, top + 60, 2100, 210);
        auto* fill = new QFrame(track);
        fill->setObjectName(bar);
        fill->setAutoFillBackground(true);
        QPalette barPalette = fill->palette();
        barPalette.setColor(QPalette::Window, barPalette.color(QPalette::Highlight));
        fill->setPalette(barPalette);
        fill->setGeometry(0, 0, 0, track->height());
        (bar == u"Shape1" ? Shape1 : Shape2) = fill;
    }
    // The first row's bars: time and keystrokes have none.
    makeLabel(form, u"Label16"_s, u"詳細[F3].."_s, LeftColumn, FiguresTop + 900, 1500, 300)->setEnabled(false);

    // Right column: practice mode, paragraph panel, results and the best-records list.
    Label21 = makeLabel(form, u"Label21"_s, {}, RightColumn, 90, RightWidth, 360);
    QFont modeFont = Label21->font();
    modeFont.setPointSize(11);
    Label21->setFont(modeFont);
    Picture9 = makePanel(form, u"Picture9"_s, true);
    twips::place(Picture9, RightColumn, 480, RightWidth, 330);
    auto* Label14 = new QLabel(u"段落別練習の記録は保存不可"_s, Picture9);
    Label14->setObjectName(u"Label14"_s);
    Label14->setAlignment(Qt::AlignCenter);
    Label14->setGeometry(twips::rect(0, 0, RightWidth, 300));

    struct Cell {
        int index;
        const char16_t* caption;
    };
    const Cell results[] = {{5, u"CPM"}, {7, u"LVL"}, {6, u"SCR"}, {8, u"RV"}, {0, u"打数"}, {9, u"文字数"}};
    for (int i = 0; i < 6; ++i) {
        const int left = RightColumn + (i % 2) * 2160;
        const int top = 900 + (i / 2) * 315;
        makeLabel(form, indexed(u"Lab1"_s, results[i].index), QString::fromUtf16(results[i].caption), left, top, 720,
                  300);
        Lab2.append(nullptr);
    }
    for (int v = 0; v < 6; ++v) {
        // Lab2(v) sits beside the caption of the same row order: CPM, LVL, SCR, RV, 打数, 文字数.
        const int left = RightColumn + (v % 2) * 2160 + 720;
        const int top = 900 + (v / 2) * 315;
        Lab2[v] = makeLabel(form, indexed(u"Lab2"_s, v), {}, left, top, 1350, 300, Qt::AlignRight | Qt::AlignVCenter);
    }
    const int operationsTop = 900 + 3 * 315 + 60;
    makeLabel(form, indexed(u"Lab1"_s, 10), u"打数"_s, RightColumn + 1200, operationsTop, 900, 270,
              Qt::AlignRight | Qt::AlignVCenter);
    makeLabel(form, indexed(u"Lab1"_s, 11), u"％"_s, RightColumn + 2100, operationsTop, 1000, 270,
              Qt::AlignRight | Qt::AlignVCenter);
    const char16_t* operations[] = {u"変換", u"確定", u"訂正", u"修正"};
    const char16_t* rowArrays[] = {u"Lab3", u"Lab4", u"Lab5", u"Lab6"};
    for (int r = 0; r < 4; ++r) {
        const int top = operationsTop + 270 * (r + 1);
        makeLabel(form, indexed(u"Lab1"_s, r + 1), QString::fromUtf16(operations[r]), RightColumn, top, 1000, 270);
        for (int c = 0; c < 3; ++c)
            makeLabel(form, indexed(QString::fromUtf16(rowArrays[r]), c), {}, RightColumn + 1200 + c * 900, top,
                      c == 2 ? 600 : 900, 270, Qt::AlignRight | Qt::AlignVCenter);
    }

    // The text-information panel covers the operation rows while no result is shown.
    Picture8 = makePanel(form, u"Picture8"_s, true);
    twips::place(Picture8, RightColumn, operationsTop, RightWidth, 270 * 5 + 60);
    Label18 = makeLabel(Picture8, u"Label18"_s, {}, 120, 30, 4000, 270);
    Label17 = makeLabel(Picture8, u"Label17"_s, {}, 120, 300, 4000, 270);
    Label19 = makeLabel(Picture8, u"Label19"_s, {}, 120, 570, 4000, 270);
    Label20 = makeLabel(Picture8, u"Label20"_s, {}, 120, 840, 4000, 300);
    Label20->setToolTip(
        u"総文字数200字以上、漢字含有率25％以上、半角含有率10％未満の条件をすべて満たしている場合に判定可能"_s);

    const int bestTop = operationsTop + 270 * 5 + 180;
    const char16_t* bestColumns[] = {u"CPM", u"LVL", u"SCR", u"RV"};
    const char16_t* bestArrays[] = {u"lblCPM", u"lblHan", u"lblSPM", u"lblRVL"};
    for (int c = 0; c < 4; ++c)
        makeLabel(form, u"bestHeader"_s + QString::number(c), QString::fromUtf16(bestColumns[c]),
                  RightColumn + 600 + c * 930, bestTop, 900, 255, Qt::AlignCenter);
    for (int row = 0; row < 10; ++row) {
        const int top = bestTop + 255 * (row + 1);
        makeLabel(form, indexed(u"lblA"_s, row), QString::number(row + 1), RightColumn, top, 500, 255,
                  Qt::AlignRight | Qt::AlignVCenter);
        for (int c = 0; c < 4; ++c)
            makeLabel(form, indexed(QString::fromUtf16(bestArrays[c]), row), {}, RightColumn + 600 + c * 930, top, 900,
                      255, Qt::AlignCenter);
    }

    // The ruby box floats over the text panel near the reading's first character.
    PicRubi = makePanel(form, u"PicRubi"_s, true);
    lblRubi = new QLabel(PicRubi);
    lblRubi->setObjectName(u"lblRubi"_s);
    lblRubi->setTextFormat(Qt::PlainText);
    PicRubi->hide();

    // Titles, paragraphs and readings come from files: no label ever reads them as markup.
    plaintext::makeLabelsPlain(this);
    setFixedSize(sizeHint());
}

// ---- Start-up and shutdown ---------------------------------------------------------------

void frmMain::Form_Load() {
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
    Label22->setText(Options::retryHint(m.settings.number(Options::RetryKey)));
    applyFontLayout();

    // A text deleted outside the program quietly gives way to the chosen sample; one that is
    // still there but cannot be practised is worth a word.
    if (TextLoading::loadCurrentText(m, &error) == TextLoading::LoadResult::Unusable)
        message(error + u"\n腕試しのテキストを読み込みます。"_s);
    showText();
}

bool frmMain::Form_Unload() {
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

void frmMain::closeEvent(QCloseEvent* event) {
    if (!m_unloaded) Form_Unload();
    event->accept();
}

void frmMain::measureJapaneseDisplay() {
    m_japaneseDisplay = FontCellMetrics(16).fullWidthRendered();
}

void frmMain::placeWindow() {
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

void frmMain::applyColours() {
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
    setColours(Picture1, practiceText, practiceBackground);
    lblJi->setBackgroundColour(practiceBackground);
    lblJi->setStateColours(practiceText, colour(CorrectText, QColor(typed.red, typed.green, typed.blue)),
                           colour(MissText, QColor(255, 0, 0)));
    setColours(PicRubi, colour(RubyText, systemText), colour(RubyBackground, window));
    setColours(lblRubi, colour(RubyText, systemText), colour(RubyBackground, window));
    setColours(Label2, colour(NextText, systemText), colour(NextBackground, window));
    setColours(Picture3, colour(NextText, systemText), colour(NextBackground, window));
    const QColor inputBackground = colour(InputBackground, window);
    setColours(Text1, colour(InputText, systemText), inputBackground);
    for (QWidget* w : {static_cast<QWidget*>(Picture4), static_cast<QWidget*>(Picture5), static_cast<QWidget*>(Label15),
                       static_cast<QWidget*>(Label22), static_cast<QWidget*>(Label23)})
        setColours(w, systemText, inputBackground);
}

void frmMain::applyFontLayout() {
    const Options::FontLayout& layout = Options::fontLayout(m.settings.number(Options::FontSize));
    m_charsPerLine = layout.charsPerLine;
    m_visibleRows = layout.visibleRows;

    m_metrics = std::make_unique<FontCellMetrics>(layout.pointSize);
    const QFont font = FontCellMetrics::cellFont(layout.pointSize);
    lblJi->setPointSize(layout.pointSize);
    Label2->setFont(font);
    Text1->setFont(font);

    int top = TextPanelTop;
    twips::place(Picture1, LeftColumn, top, PanelWidth, layout.picture1Height);
    // The cells carry their own 15-twip top; the view starts at the panel's top.
    twips::place(lblJi, layout.picture2Left, 0, PanelWidth - 300 - layout.picture2Left, layout.picture1Height - 30);
    twips::place(VScroll1, PanelWidth - 285, 30, 255, layout.picture1Height - 75);
    top += layout.picture1Height + 60;

    twips::place(Picture3, LeftColumn, top, PanelWidth, layout.label2Height + 60);
    twips::place(Label2, layout.picture2Left + 60, 30, PanelWidth - 120, layout.label2Height);
    top += layout.label2Height + 120;

    twips::place(Picture4, LeftColumn, top, PanelWidth, layout.text1Height + 90);
    twips::place(Text1, layout.picture2Left + 30, 45, PanelWidth - 90 - layout.picture2Left, layout.text1Height);
    twips::place(Picture5, 30, 45, PanelWidth - 90, layout.picture5Height);
    const int width = PanelWidth - 90;
    twips::place(Label3, 0, 0, width, layout.picture5Height / 2);
    twips::place(Label15, 0, layout.picture5Height / 2 - 330, width, 420);
    twips::place(Label23, 0, layout.label23Top - 180, width, 270);
    twips::place(Label22, 0, layout.picture5Height - 300, width - 120, 270);
    Picture10->setGeometry(Picture5->geometry());
    Command1->setGeometry(Picture10->width() / 2 - 60, Picture10->height() / 2 - 16, 120, 32);
}

// ---- Menus -----------------------------------------------------------------------------

void frmMain::checkArray(const QString& arrayName, int count, int checkedIndex) {
    for (int i = 0; i < count; ++i)
        if (QAction* a = action(indexed(arrayName, i))) a->setChecked(i == checkedIndex);
}

void frmMain::checkStoredOptions() {
    for (const Options::Group& group : Options::groups()) {
        const int checked = Options::indexForValue(group, m.settings.number(group.entry));
        checkArray(QString::fromUtf16(group.arrayName), int(group.items.back().index) + 1, checked);
    }
    checkArray(u"mnuKijun"_s, 5, m.settings.number(Options::Standard));
}

void frmMain::optionChosen(int entry, int index) {
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
        Label22->setText(Options::retryHint(m.settings.number(Options::RetryKey)));
        break;
    default:
        break;
    }
}

void frmMain::standardChosen(int index) {
    checkArray(u"mnuKijun"_s, 5, index);
    m.settings.setNumber(Options::Standard, index);
    // With a result on show, the last attempt is graded again under the new standard.
    if (Picture8->isHidden() && m_lastElapsedMs > 0)
        Lab2[1]->setText(ResultComputation::regrade(m_lastCounts, m_lastElapsedMs, index));
    showBestList(QString::fromUtf16(NoOwnLevelAfterStandardChange));
}

void frmMain::sampleChosen(int index) {
    TextLoading::chooseSample(m, index);
    showText();
}

void frmMain::reloadCurrentText() {
    QString error;
    // While the program runs the text on show changes under the user's eyes: always say why.
    const TextLoading::LoadResult result = TextLoading::loadCurrentText(m, &error);
    if (result == TextLoading::LoadResult::Missing || result == TextLoading::LoadResult::Unusable)
        message(error + u"\n腕試しのテキストを読み込みます。"_s);
    showText();
}

void frmMain::applyMenuState() {
    const TextLoading::MenuState state = TextLoading::view(m).menus;
    auto set = [&](const QString& name, bool enabled, std::optional<bool> checked = std::nullopt) {
        QAction* a = action(name);
        if (!a) return;
        a->setEnabled(enabled && !NotYetAvailable.count(name));
        if (checked) a->setChecked(*checked);
    };
    set(u"mnuTh"_s, true, state.wholeChecked);
    set(u"mnuPa"_s, state.paragraphEnabled, state.paragraphChecked);
    set(u"mnuSitei"_s, state.chooseParagraphEnabled);
    set(u"mnuPrev"_s, state.previousEnabled);
    set(u"mnuNext"_s, state.nextEnabled);
    set(u"mnuDtlB"_s, state.detailsEnabled);
    set(u"mnuDtlP"_s, state.detailsEnabled);
    set(u"mnuEdit1"_s, state.editCurrentEnabled);
    for (int k = 0; k < 5; ++k)
        set(indexed(u"mnuKijun"_s, k), state.standardEnabled[size_t(k)], k == state.standardChecked);
    checkArray(u"mnuSPL"_s, SampleTexts::MenuItemCount, state.sampleChecked);
}

// ---- The loaded text -------------------------------------------------------------------

void frmMain::showText() {
    const TextLoading::TextView v = TextLoading::view(m);
    Label1->setText(v.title);
    Label21->setText(v.modeLine);
    Picture9->setVisible(v.paragraphPanel);
    Lab2[5]->setText(v.totalChars);
    Label18->setText(v.countCaption);
    Label17->setText(v.kanjiCaption);
    Label19->setText(v.halfCaption);
    Label20->setText(v.eligibility);
    Label23->setText(v.targetLine);
    Label23->setVisible(!v.targetLine.isEmpty());

    Picture8->show();
    m_redRow = -1;
    clearResultPanel();
    ReturnToReady();
    layoutSegment();
}

void frmMain::openBesideProgram(const QString& fileName) {
    for (const QString& folder : {m.programFolder, QCoreApplication::applicationDirPath()}) {
        const QString path = folder + u'/' + fileName;
        if (QFileInfo(path).isFile()) {
            if (!m_platform.shell.open(path)) message(fileName + u"を開けませんでした。"_s);
            return;
        }
    }
    message(fileName + u"が見つかりません。"_s);
}

void frmMain::message(const QString& text) { m_showMessage(text); }

// ---- The attempt -----------------------------------------------------------------------

void frmMain::applyAttemptState() {
    const AttemptState state = m_attempt.state();
    const StateControls c = controlsFor(state);
    auto run = [](QTimer* timer, bool on) {
        if (!on)
            timer->stop();
        else if (!timer->isActive())
            timer->start();
    };
    run(Timer1, c.timer1);
    run(Timer2, c.timer2);
    run(Timer3, c.timer3);
    if (state == AttemptState::Ready) Timer4->stop();
    Text1->setEnabled(c.text1Enabled);
    Picture5->setVisible(c.startPanel);
    Label15->setVisible(c.hints);
    Label22->setVisible(c.hints);
    Picture10->setVisible(c.pausePanel);

    auto enable = [this](const QString& name, bool enabled) {
        if (QAction* a = action(name)) a->setEnabled(enabled && !NotYetAvailable.count(name));
    };
    enable(u"mnuStart"_s, c.startEnabled);
    enable(u"mnuPause"_s, c.pauseEnabled);
    action(u"mnuPause"_s)->setText(QString::fromUtf16(c.pauseCaption));
    enable(u"mnuRetry"_s, c.retryEnabled);
    for (const char16_t* menu : {u"mnuHyouji", u"mnuOption", u"mnuHelp", u"mnuSample"})
        m_menus.value(QString::fromUtf16(menu))->menuAction()->setEnabled(c.otherMenus);
    for (const char16_t* item : {u"mnuNew", u"mnuSelect", u"mnuEdit2", u"mnuEdit3", u"mnuDelet", u"mnuDE"})
        enable(QString::fromUtf16(item), c.otherMenus);
    if (state == AttemptState::Ready) {
        applyMenuState();
    } else {
        // Mode changes and paragraph steps wait for the ready state.
        for (const char16_t* item : {u"mnuEdit1", u"mnuTh", u"mnuPa", u"mnuSitei", u"mnuPrev", u"mnuNext"})
            enable(QString::fromUtf16(item), false);
    }
}

void frmMain::resetLiveFigures() {
    Label11->setText(u"0"_s);
    Label12->setText(u"0.0"_s);
    Label7->setText(u"0"_s);
    Label4->setText(u"0"_s);
    Shape1->resize(0, Shape1->height());
    Shape2->resize(0, Shape2->height());
}

void frmMain::layoutSegment() {
    const CurrentText& t = m.text;
    LayoutSegment(m_display, t.line(t.CurrentLine), t.line(t.CurrentLine + 1),
                  m.settings.number(Options::PracticeMode) != 0, *m_metrics, TextPanelWidth, m_visibleRows);
    // A composition under way belongs to the next paragraph: clearing must not end it.
    Text1->clearInput();
    // Only whole characters: a glyph cut at the panel's edge reads as another character.
    Label2->setText(plaintext::wholeCharactersThatFit(m_display.previewText, Label2->fontMetrics(),
                                                      Label2->contentsRect().width()));
    VScroll1->setValue(0);
    VScroll1->setMaximum(m_display.scrollMaximum);
    VScroll1->setEnabled(m_display.scrollEnabled);
    scrollTo(0);
    lblJi->refreshAll();
    showBestList(QString::fromUtf16(NoOwnLevelInBestList));
}

void frmMain::StartAttempt() {
    if (m_attempt.state() != AttemptState::Ready) return;
    m_attempt.StartAttempt();
    m_counting.reset();
    m_keyStream.clear();
    m_lastPreedit.clear();
    m_trace.line(u"start"_s);
    VScroll1->setValue(0);
    Timer4->stop();
    resetLiveFigures();
    Picture8->show();
    Label3->clear();
    applyAttemptState();
}

void frmMain::CountdownTick() {
    const AttemptControl::CountdownStep step = m_attempt.CountdownTick();
    if (!step.digit.isEmpty()) Label3->setText(step.digit);
    if (!step.beginTyping) return;
    Label3->clear();
    const int mode = initialInputMode(m.settings.number(Options::InputMode), m_display.cells[0].width);
    m_platform.inputMethod.setInputMode(mode);
    m_trace.line(u"typing mode="_s + QString::number(mode));
    applyAttemptState();
    Text1->setFocus();
    showRuby(rubyAtStart(m_display, m_charsPerLine, m.settings.number(Options::RubyDisplay), rubyFrame()));
}

void frmMain::RunTick() {
    if (m_attempt.checksOnTick()) {
        CheckSegment();
        if (m_attempt.state() != AttemptState::Running) return;
    }
    if (!Picture8->isHidden()) Label4->setText(m_attempt.clockTick());
}

void frmMain::CheckSegment() {
    if (m_attempt.state() != AttemptState::Running || Text1->text() != m_display.SegmentText) return;
    const QString operations = m_counting.operationString();
    m_trace.line(u"segment ops="_s + operations);
    switch (m_attempt.CheckSegment(Text1->text(), m_display.SegmentText, operations)) {
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

void frmMain::endAttempt() {
    const AttemptSummary summary = m_attempt.summary();
    Timer1->stop();
    Timer4->stop();
    Picture8->hide();
    Text1->setEnabled(false);
    PicRubi->hide();
    if (QAction* start = action(u"mnuStart"_s)) start->setEnabled(true);
    Label15->show();
    Label22->show();
    Label23->setVisible(m.activeTarget > 0 && !Label23->text().isEmpty());
    Shape1->resize(Shape1->parentWidget()->width(), Shape1->height());
    Label11->setText(QString::number(
        m.text.counts.total + extraCharacters(m.text.counts, m.settings.number(Options::EndSpace),
                                              summary.practiceMode != 0, m.text.LineCount)));

    const ResultComputation::AttemptResult result = ResultComputation::computeAttempt(m.text, m.settings, summary);
    showResult(result.figures);
    m_lastElapsedMs = result.figures.elapsedMs;
    m_lastCounts = m.text.counts;
    // A changed best-times line is on disk before BestRec.log and the "b" file follow from it:
    // a crash at any moment then leaves the stored times at least as fast as the best record,
    // so a slower attempt after a restart can never replace that record. A sample keeps its
    // line in the settings file, which is saved here and not only at exit. writeAttemptRecords
    // stores the same line again and reports a failure.
    if (result.wholeText && result.best.row >= 0) {
        QString ignored;
        RecordFiles::storeBestTimesLine(m, BestTimesLine::format(result.best.times), &ignored);
        if (RecordFiles::currentTextKey(m).isSample()) {
            SettingsFile file(m.settingsPath());
            QString error;
            if (!file.save(m.settings, &error)) message(error);
        }
    }
    const RecordFiles::RecordOutcome records = RecordFiles::writeAttemptRecords(
        m, summary, m_attempt.ParagraphResults, result, QDateTime::currentDateTime());
    if (result.wholeText) m_redRow = result.best.row;

    if (summary.practiceMode == 0) m.text.CurrentLine = CurrentText::FirstParagraphLine;
    Picture5->hide();
    layoutSegment();
    Picture5->show();
    if (!records.ok()) message(records.errorMessage());

    frmUchikiri dialog(this);
    dialog.setInputTime(inputTimeCaption(summary.elapsedMs));
    // The result-details window is not in the program yet: its button stays disabled until it is.
    dialog.setDetailsAvailable(false);
    dialog.exec();
    // The result-details window opens here when dialog.detailsRequested().
    ReturnToReady();
}

void frmMain::TogglePause() {
    const AttemptState state = m_attempt.state();
    if (state != AttemptState::Running && state != AttemptState::Paused) return;
    m_attempt.TogglePause();
    applyAttemptState();
    if (m_attempt.state() == AttemptState::Paused) {
        Command1->setFocus();
    } else {
        // Typing goes on where it stopped: the input stays, nothing selected, caret at the end.
        Text1->setFocus(Qt::OtherFocusReason);
        Text1->moveCaretToEnd();
    }
}

void frmMain::Retry() {
    if (m_attempt.state() == AttemptState::Ready) return;
    m_attempt.Retry();
    m_counting.reset();
    m_keyStream.clear();
    m_trace.line(u"ready"_s);
    Timer4->stop();
    resetLiveFigures();
    Picture8->show();
    Label3->clear();
    PicRubi->hide();
    applyAttemptState();
    layoutSegment();
}

void frmMain::ReturnToReady() {
    m_attempt.ReturnToReady();
    m_trace.line(u"ready"_s);
    PicRubi->hide();
    Label3->clear();
    applyAttemptState();
}

void frmMain::Text1_Change() {
    const QString input = Text1->text();
    const bool running = m_attempt.state() == AttemptState::Running;
    const JudgementResult r =
        judgeInput(m_display, input, m.settings.number(Options::JudgementWindow), running,
                   m.settings.number(Options::MissSound) == 0,
                   {m_attempt.CorrectPrefix, m_attempt.MismatchCount, m_attempt.PrevMismatchCount});
    if (r.enableTimer4 && !Timer4->isActive()) Timer4->start();
    // Characters past the paragraph's end keep it from completing: show them as misses.
    const int segmentLength = int(m_display.SegmentText.size());
    Text1->markSurplus(running && input.size() > segmentLength ? segmentLength : -1,
                       toColor(ColourSettings::customColour(m.settings, ColourSettings::MissText), QColor(255, 0, 0)));
    if (!running) return;
    if (VScroll1->isEnabled()) {
        if (const auto value = scrollWhileTyping(m_display, int(input.size()), m.settings.number(Options::ScrollPosition),
                                                 m_visibleRows))
            VScroll1->setValue(*value);
    }
    showRuby(rubyOnInput(m_display, int(input.size()), m_charsPerLine, m.settings.number(Options::RubyDisplay),
                         rubyFrame()));
    if (r.missSound) m_platform.sound.play();
    if (r.firstChanged >= 0) lblJi->refreshCells(r.firstChanged, r.lastChanged);
    showLiveFigures();
}

void frmMain::showLiveFigures() {
    LiveFigureInput in;
    in.DoneChars = m_attempt.DoneChars;
    in.CorrectPrefix = m_attempt.CorrectPrefix;
    in.total = m.text.counts.total;
    in.extra = extraCharacters(m.text.counts, m.settings.number(Options::EndSpace),
                               m.settings.number(Options::PracticeMode) != 0, m.text.LineCount);
    in.LastTick = m_attempt.LastTick;
    in.AttemptStart = m_attempt.AttemptStart;
    in.trackWidth = Shape1->parentWidget()->width();
    in.targetSpeed = m.activeTarget;
    in.gaugeWidth = Shape2->width();
    const LiveFigures f = liveFigures(in);
    Label11->setText(f.Label11);
    Label12->setText(f.Label12);
    Shape1->resize(f.Shape1Width, Shape1->height());
    Shape2->resize(f.Shape2Width, Shape2->height());
    QPalette gauge = Shape2->palette();
    gauge.setColor(QPalette::Window, QColor::fromRgb(gaugeRgb(f.gaugeColour)));
    Shape2->setPalette(gauge);
}

void frmMain::Timer3Tick() {
    // Space and Enter must reach the window between attempts, not an open input method.
    if (inputMethodGuardCloses(Timer1->isActive(), Timer2->isActive(), m_platform.inputMethod.IMEStatus()))
        m_platform.inputMethod.close();
}

void frmMain::Timer4Tick() {
    const JudgementResult r = recolourBeforeWindow(m_display, Text1->text(),
                                                   m.settings.number(Options::JudgementWindow), m_attempt.MismatchCount);
    if (r.firstChanged >= 0) lblJi->refreshCells(r.firstChanged, r.lastChanged);
}

void frmMain::scrollTo(int value) {
    const int pointSize = m.settings.number(Options::FontSize);
    lblJi->setScrollOffsetTwips(scrollOffsetTwips(value, pointSize));
    if (m_attempt.state() == AttemptState::Running && !m_display.RubyTexts.isEmpty()) {
        if (const auto box = rubyOnScroll(m_display, int(Text1->text().size()), m_charsPerLine, rubyFrame()))
            showRuby(*box);
    }
}

RubyFrame frmMain::rubyFrame() const {
    const Options::FontLayout& layout = Options::fontLayout(m.settings.number(Options::FontSize));
    RubyFrame frame;
    frame.picture1Left = twips::fromPixels(Picture1->x());
    frame.picture1Top = twips::fromPixels(Picture1->y());
    frame.picture1Height = layout.picture1Height;
    frame.picture2Left = layout.picture2Left;
    frame.picture2Top = lblJi->scrollOffsetTwips();
    frame.windowInnerWidth = ClientWidth;
    const QFontMetrics metrics(lblRubi->font());
    frame.labelWidth = [metrics](const QString& text) { return twips::fromPixels(metrics.horizontalAdvance(text) + 4); };
    return frame;
}

void frmMain::showRuby(const RubyBox& box) {
    if (!box.visible || box.reading < 0 || box.reading >= m_display.RubyTexts.size()) {
        PicRubi->hide();
        return;
    }
    lblRubi->setText(m_display.RubyTexts[box.reading]);
    const int height = twips::fromPixels(QFontMetrics(lblRubi->font()).height() + 4);
    twips::place(PicRubi, box.left, box.top, box.width, height);
    lblRubi->setGeometry(2, 1, PicRubi->width() - 2, PicRubi->height() - 2);
    PicRubi->raise();
    PicRubi->show();
}

void frmMain::chooseParagraph() {
    frmDanraku dialog(m.text, this);
    if (dialog.exec() != QDialog::Accepted || dialog.chosenParagraph() < 0) {
        // Cancelled: the paragraph item checked itself when chosen; the mode is unchanged.
        applyMenuState();
        return;
    }
    TextLoading::paragraphPractice(m, dialog.chosenParagraph());
    showText();
}

// ---- Keys ------------------------------------------------------------------------------

bool frmMain::handleKey(QKeyEvent* event) {
    const int keyCode = KeyCodes::virtualKeyCode(event->key());
    m_platform.keyboard.noteKeyEvent(keyCode, true);
    m_keyModifiers = event->modifiers();
    m_keyConsumed = false;
    // The key-down comes first: the input method ignored this key, so it has its own code.
    m_keyStream.keyEventArrived(keyCode, event->nativeScanCode(), m_platform.clock.timeGetTime(),
                                m_platform.keyboard);
    if (m_keyConsumed) return true;

    const QString text = event->text();
    if (text.size() != 1) return false;
    const QChar character = text[0];
    switch (keyPressAction(m_attempt.state(), character.unicode())) {
    case KeyAction::Start:
        StartAttempt();
        return true;
    case KeyAction::CheckSegment:
        CheckSegment();
        return true;
    case KeyAction::Counting:
        m_counting.keyPress(character, m_platform.inputMethod.IMEStatus());
        return false;
    default:
        return false;
    }
}

void frmMain::keyDown(int keyCode, int ownCode, quint32 waitedMs, const KeyState& heldAtPress) {
    const AttemptState state = m_attempt.state();
    const QAction* pause = action(u"mnuPause"_s);
    switch (keyDownAction(state, keyCode, KeyCodes::shiftState(m_keyModifiers), m.settings.number(Options::RetryKey),
                          pause && pause->isEnabled())) {
    case KeyAction::Retry:
        m_keyConsumed = true;
        Retry();
        return;
    case KeyAction::TogglePause:
        m_keyConsumed = true;
        TogglePause();
        return;
    case KeyAction::ShowRuby:
        m_keyConsumed = true;
        if (state == AttemptState::Running) {
            if (const auto box = rubyOnF5(m_display, int(Text1->text().size()), m_charsPerLine,
                                          m.settings.number(Options::RubyDisplay), rubyFrame()))
                showRuby(*box);
        }
        return;
    case KeyAction::Counting: {
        const bool counted = m_counting.keyDown(keyCode, heldAtPress, m_platform.inputMethod.IMEStatus(),
                                                Text1->text().isEmpty());
        Label7->setText(QString::number(m_attempt.counters.Keystrokes));
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

void frmMain::traceCounts() {
    const AttemptCounters& c = m_attempt.counters;
    m_trace.line(u"counts keystrokes=%1 conversions=%2 confirmations=%3 teisei=%4 shusei=%5"_s.arg(c.Keystrokes)
                     .arg(c.Conversions)
                     .arg(c.Confirmations)
                     .arg(c.TeiseiCount)
                     .arg(c.ShuseiCount));
}

void frmMain::dropComposition() {
    if (m_lastPreedit.isEmpty()) return;
    // reset() makes the input method commit the composition before forgetting it; that
    // commit is swallowed, then the box is told the composition is gone.
    m_droppingComposition = true;
    QGuiApplication::inputMethod()->reset();
    m_droppingComposition = false;
    m_lastPreedit.clear();
    QInputMethodEvent gone;
    m_ownInputMethodEvent = true;
    QCoreApplication::sendEvent(Text1, &gone);
    m_ownInputMethodEvent = false;
    m_trace.line(u"composition dropped"_s);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::InputMethod && watched == Text1) {
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
                                            m_platform.clock.timeGetTime());
        if (m_attempt.state() == AttemptState::Running)
            for (QChar c : im->commitString())
                if (c != u'\r') m_counting.keyPress(c, m_platform.inputMethod.IMEStatus());
        return false;
    }
    if (event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        QWidget* focus = QApplication::focusWidget();
        const bool first = focus ? watched == focus : watched == this;
        if (first && qobject_cast<QWidget*>(watched) && static_cast<QWidget*>(watched)->window() == this) {
            // Every press before this key was let go has had its outcome by now.
            m_keyStream.keyReleaseArrived(key->nativeScanCode(), m_platform.clock.timeGetTime());
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

QLabel* frmMain::label(const QString& name) const { return findChild<QLabel*>(name); }

void frmMain::clearResultPanel() {
    for (int i = 0; i < 5; ++i) Lab2[i]->clear();
    for (const char16_t* row : {u"Lab3", u"Lab4", u"Lab5", u"Lab6"})
        for (int c = 0; c < 3; ++c) label(indexed(QString::fromUtf16(row), c))->clear();
}

void frmMain::showResult(const ResultComputation::ResultFigures& f) {
    const QPalette system = palette();
    const QColor text = system.color(QPalette::ButtonText);
    const QColor shadow = system.color(QPalette::Dark);
    Lab2[4]->setText(f.keystrokes);
    const char16_t* rows[] = {u"Lab3", u"Lab4", u"Lab5", u"Lab6"};
    for (int r = 0; r < 4; ++r) {
        const QString name = QString::fromUtf16(rows[r]);
        label(indexed(name, 0))->setText(f.rows[size_t(r)].count);
        label(indexed(name, 1))->setText(f.rows[size_t(r)].rate);
        QLabel* mark = label(indexed(name, 2));
        mark->setText(f.rows[size_t(r)].mark);
        setColours(mark, f.greyGrades ? shadow : text, mark->palette().color(QPalette::Window));
    }
    Lab2[0]->setText(f.cpm);
    Label12->setText(f.cpm);
    Lab2[1]->setText(f.grade);
    Lab2[2]->setText(f.scr);
    Lab2[3]->setText(f.ownLevel);
    for (int i : {1, 3}) setColours(Lab2[i], f.greyGrades ? shadow : text, Lab2[i]->palette().color(QPalette::Window));
}

void frmMain::showBestList(const QString& ownLevelStart) {
    ResultComputation::BestListInput in;
    in.times = m.text.bestTimes;
    in.counts = TextLoading::wholeTextCounts(m.text);
    in.standard = m.settings.number(Options::Standard);
    in.ownLevelStart = ownLevelStart;
    in.eligibility = Label20->text();
    in.redRow = m_redRow;
    const ResultComputation::BestList list = ResultComputation::bestList(in);
    const QPalette system = palette();
    const QColor text = system.color(QPalette::ButtonText);
    const QColor shadow = system.color(QPalette::Dark);
    const QColor red(255, 0, 0);
    for (int i = 0; i < 10; ++i) {
        const ResultComputation::BestListRow& row = list[size_t(i)];
        QLabel* cells[] = {label(indexed(u"lblA"_s, i)), label(indexed(u"lblCPM"_s, i)),
                           label(indexed(u"lblHan"_s, i)), label(indexed(u"lblSPM"_s, i)),
                           label(indexed(u"lblRVL"_s, i))};
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

void frmMain::deleteRecords() {
    frmKeikoku3 dialog(m, this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_redRow = -1;
    showBestList(QString::fromUtf16(NoOwnLevelInBestList));
    if (!dialog.errorMessage().isEmpty()) message(dialog.errorMessage());
}

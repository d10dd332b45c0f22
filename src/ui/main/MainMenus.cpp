#include "ui/main/MainMenus.h"

#include "core/settings/Options.h"
#include "core/settings/Preferences.h"
#include "core/texts/SampleTexts.h"
#include "ui/main/PanelParts.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

using namespace Qt::StringLiterals;

namespace {

using panelparts::indexed;

using Item = MainMenus::OptionItem;
constexpr Item FontSizeItems[] = {{0, u"最大(&G)"}, {1, u"大(&L)"}, {2, u"中(&M)"}, {3, u"小(&S)"}, {4, u"最小(&A)"}};
constexpr Item CountItems[] = {{0, u"３秒後にスタート(&3)"},
                               {1, u"２秒後にスタート(&2)"},
                               {2, u"１秒後にスタート(&1)"},
                               {3, u"すぐにスタート(&0)"}};
constexpr Item MissItems[] = {{0, u"音を出す(&Y)"}, {1, u"音を出さない(&N)"}};
constexpr Item RubyItems[] = {{0, u"常に表示する(&Y)"}, {1, u"適宜[F5]で表示する(&T)"}};
constexpr Item ChangeItems[] = {{0, u"改行キーを使用しない(&N)"}, {1, u"改行キーを使用する(&Y)"}};
constexpr Item AddItems[] = {{0, u"付加しない(&N)"}, {1, u"段落末に付加する(&Y)"}};
constexpr Item JudgementItems[] = {
    {0, u"全文字(&A)"}, {1, u"直近400文字(&B)"}, {2, u"直近200文字(&C)"}, {3, u"直近100文字(&D)"}};
constexpr Item ScrollItems[] = {{0, u"最終行(&A)"}, {1, u"下から 2行目(&B)"}, {2, u"下から 3行目(&C)"}};
constexpr Item InputModeItems[] = {{0, u"自動切替(&A)"},     {1, u""},
                                   {2, u"直接入力(&D)"},     {4, u"ひらがな(&H)"},
                                   {5, u"全角カタカナ(&K)"}, {6, u"半角カタカナ(&I)"},
                                   {7, u"全角英数(&L)"},     {8, u"半角英数(&P)"}};
constexpr Item RetryKeyItems[] = {{0, u"[Esc]キー(&E)"}, {1, u"[Shift]+[Esc]キー(&S)"}};

constexpr Item StandardItems[] = {{0, u"MSパソコン入力コンクール[Mパソ](&M)"},
                                  {1, u"NSビジネスキーボード認定[N商](&N)"},
                                  {2, u"NKパソコンスピード認定[N検](&S)"},
                                  {3, u"ZSワープロ実務検定[Z商](&Z)"},
                                  {4, u"NK日本語ワープロ検定[N検](&K)"}};
static_assert(std::size(StandardItems) == Options::StandardCount);

const MainMenus::OptionMenu OptionMenus[] = {
    {Options::FontSize, u"fontSizeActions", u"fontSizeMenu", u"フォントサイズ設定(&F)", FontSizeItems},
    {Options::Countdown, u"countdownActions", u"countdownMenu", u"カウントダウン設定(&D)", CountItems},
    {Options::MissSound, u"missSoundActions", u"missSoundMenu", u"ミス音設定(&M)", MissItems},
    {Options::RubyDisplay, u"rubyActions", u"rubyMenu", u"ルビ表示設定(&R)", RubyItems},
    {Options::ParagraphChange, u"enterKeyActions", u"enterKeyMenu", u"次段落移行設定(&N)", ChangeItems},
    {Options::EndSpace, u"endSpaceActions", u"endSpaceMenu", u"スペース付加（英文）設定(&A)", AddItems},
    {Options::JudgementWindow, u"judgementWindowActions", u"judgementWindowMenu", u"正誤判断文字数設定(&P)",
     JudgementItems},
    {Options::ScrollPosition, u"scrollRowActions", u"scrollRowMenu", u"スクロール位置設定(&S)", ScrollItems},
    {Options::InputMode, u"inputModeActions", u"inputModeMenu", u"入力モード初期設定(&I)", InputModeItems},
    {Options::RetryKey, u"retryKeyActions", u"retryKeyMenu", u"やり直しキー設定(&E)", RetryKeyItems},
};

const MainMenus::OptionMenu* optionMenuFor(int entry) {
    for (const MainMenus::OptionMenu& menu : OptionMenus)
        if (menu.entry == entry) return &menu;
    return nullptr;
}

// Items of an array run from 0 to the last one's index.
int itemCount(const MainMenus::OptionMenu& menu) {
    return menu.items.back().index + 1;
}

} // namespace

std::span<const MainMenus::OptionMenu> MainMenus::optionMenus() {
    return OptionMenus;
}

MainMenus::MainMenus(QMenuBar* bar, QObject* parent) : QObject(parent) {
    auto topMenu = [&](const QString& name, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        m_menus.insert(name, menu);
        return menu;
    };
    auto command = [this](QMenu* menu, const QString& name, const QString& caption, void (MainMenus::*signal)()) {
        connect(addItem(menu, name, caption), &QAction::triggered, this, signal);
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
    command(file, u"deleteRecordsAction"_s, u"記録の削除(&R)"_s, &MainMenus::deleteRecordsRequested);
    file->addSeparator();
    command(file, u"quitAction"_s, u"終了(&X)"_s, &MainMenus::quitRequested);

    QMenu* trial = topMenu(u"practiceMenu"_s, u"トライアル(&T)"_s);
    command(trial, u"startAction"_s, u"スタート(&S)"_s, &MainMenus::startRequested);
    command(trial, u"pauseAction"_s, u"中断(&P)"_s, &MainMenus::pauseRequested);
    command(trial, u"retryAction"_s, u"やり直し(&R)"_s, &MainMenus::retryRequested);
    trial->addSeparator();
    QAction* whole = addItem(trial, u"wholeTextAction"_s, u"全文通し練習(&T)"_s);
    QAction* paragraph = addItem(trial, u"paragraphsAction"_s, u"段落別練習(&K)"_s);
    whole->setCheckable(true);
    paragraph->setCheckable(true);
    auto* modes = new QActionGroup(trial);
    modes->addAction(whole);
    modes->addAction(paragraph);
    connect(whole, &QAction::triggered, this, &MainMenus::wholeTextRequested);
    connect(paragraph, &QAction::triggered, this, &MainMenus::paragraphRequested);
    // The timed exam: the whole text against the clock, a third mode beside the two above.
    QMenu* exam = trial->addMenu(u"試験モード(&X)"_s);
    exam->setObjectName(u"examMenu"_s);
    exam->menuAction()->setObjectName(u"examMenu"_s);
    m_actions.insert(u"examMenu"_s, exam->menuAction());
    constexpr const char16_t* ExamCaptions[] = {u"1分間(&1)", u"3分間(&3)", u"5分間(&5)", u"10分間(&0)", u"15分間(&F)"};
    static_assert(std::size(ExamCaptions) == std::size(Preferences::ExamChoices));
    for (int i = 0; i < int(std::size(ExamCaptions)); ++i) {
        QAction* a = addItem(exam, indexed(u"examActions"_s, i), QString::fromUtf16(ExamCaptions[i]));
        a->setCheckable(true);
        modes->addAction(a);
        const int minutes = Preferences::ExamChoices[i];
        connect(a, &QAction::triggered, this, [this, minutes] { Q_EMIT examRequested(minutes); });
    }
    command(trial, u"chooseParagraphAction"_s, u"- 段落指定(&G)..."_s, &MainMenus::paragraphRequested);
    command(trial, u"previousParagraphAction"_s, u"--- 前の段落に戻る(&U)"_s, &MainMenus::previousParagraphRequested);
    command(trial, u"nextParagraphAction"_s, u"--- 次の段落に進む(&D)"_s, &MainMenus::nextParagraphRequested);

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
        connect(a, &QAction::triggered, this, [this, i] { Q_EMIT sampleChosen(i); });
    }

    QMenu* results = topMenu(u"resultsMenu"_s, u"結果表示(&K)"_s);
    command(results, u"lastDetailsAction"_s, u"通し前回の成績詳細(&P)"_s, &MainMenus::lastDetailsRequested);
    command(results, u"bestDetailsAction"_s, u"通し最高成績詳細(&B)"_s, &MainMenus::bestDetailsRequested);
    results->addSeparator();
    command(results, u"bestRecordsAction"_s, u"テキスト別最高成績一覧(&F)"_s, &MainMenus::bestRecordsRequested);
    command(results, u"practiceLogAction"_s, u"練習結果全ログ(&L)"_s, &MainMenus::practiceLogRequested);
    command(results, u"progressChartAction"_s, u"上達グラフ(&G)"_s, &MainMenus::progressChartRequested);
    command(results, u"weakCharactersAction"_s, u"苦手文字(&W)"_s, &MainMenus::weakCharactersRequested);

    addOptionMenus(topMenu(u"optionsMenu"_s, u"オプション(&O)"_s));

    QMenu* help = topMenu(u"helpMenu"_s, u"ヘルプ(&H)"_s);
    connect(addItem(help, u"helpAction"_s, u"ヘルプ(&H)"_s), &QAction::triggered, this,
            [this] { Q_EMIT fileBesideProgramRequested(u"Help.txt"_s); });
    connect(addItem(help, u"readMeAction"_s, u"ReadMe(&R)"_s), &QAction::triggered, this,
            [this] { Q_EMIT fileBesideProgramRequested(u"ReadMe.txt"_s); });
    help->addSeparator();
    command(help, u"homePageAction"_s, u"ホームへ接続(&C)"_s, &MainMenus::homePageRequested);
}

QAction* MainMenus::addItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    m_actions.insert(name, a);
    return a;
}

void MainMenus::addOptionMenus(QMenu* options) {
    for (const OptionMenu& menu : OptionMenus) {
        const QString arrayName = QString::fromUtf16(menu.arrayName);
        QMenu* sub = options->addMenu(QString::fromUtf16(menu.submenuCaption));
        sub->setObjectName(QString::fromUtf16(menu.submenuName));
        sub->menuAction()->setObjectName(sub->objectName());
        // One value per array: its items are radio items, and choosing the checked one keeps it.
        auto* choices = new QActionGroup(sub);
        for (const OptionItem& item : menu.items) {
            if (item.caption[0] == 0) {
                sub->addSeparator()->setObjectName(indexed(arrayName, item.index));
                continue;
            }
            QAction* a = addItem(sub, indexed(arrayName, item.index), QString::fromUtf16(item.caption));
            a->setCheckable(true);
            choices->addAction(a);
            const int entry = menu.entry;
            const int index = item.index;
            connect(a, &QAction::triggered, this, [this, entry, index] { Q_EMIT optionChosen(entry, index); });
        }
        if (menu.entry == Options::MissSound) {
            QMenu* standards = options->addMenu(u"能力判定基準(&H)"_s);
            standards->setObjectName(u"standardMenu"_s);
            standards->menuAction()->setObjectName(u"standardMenu"_s);
            auto* standardGroup = new QActionGroup(standards);
            for (const OptionItem& item : StandardItems) {
                QAction* a =
                    addItem(standards, indexed(u"standardActions"_s, item.index), QString::fromUtf16(item.caption));
                a->setCheckable(true);
                standardGroup->addAction(a);
                const int index = item.index;
                connect(a, &QAction::triggered, this, [this, index] { Q_EMIT standardChosen(index); });
            }
        }
    }
    options->addSeparator()->setObjectName(u"optionsSeparator"_s);
    connect(addItem(options, u"speedGaugeAction"_s, u"スピードゲージ設定(&G)..."_s), &QAction::triggered, this,
            &MainMenus::speedGaugeRequested);
    addItem(options, u"textListSizeAction"_s, u"テキストリスト表示設定(&T)..."_s);
    connect(addItem(options, u"colourSettingsAction"_s, u"文字色・背景色設定(&C)..."_s), &QAction::triggered, this,
            &MainMenus::colourSettingsRequested);
}

void MainMenus::checkArray(const QString& arrayName, int count, int checkedIndex) {
    for (int i = 0; i < count; ++i)
        if (QAction* a = action(indexed(arrayName, i))) a->setChecked(i == checkedIndex);
}

void MainMenus::checkStoredOptions(const SettingsTable& settings) {
    for (const OptionMenu& menu : OptionMenus) {
        const Options::Group* group = Options::groupForEntry(menu.entry);
        const int checked = group ? Options::indexForValue(*group, settings.number(menu.entry)) : -1;
        checkArray(QString::fromUtf16(menu.arrayName), itemCount(menu), checked);
    }
    checkStandard(settings.number(Options::Standard));
}

void MainMenus::checkOption(int entry, int index) {
    if (const OptionMenu* menu = optionMenuFor(entry))
        checkArray(QString::fromUtf16(menu->arrayName), itemCount(*menu), index);
}

void MainMenus::checkStandard(int index) {
    checkArray(u"standardActions"_s, Options::StandardCount, index);
}

void MainMenus::enable(const QString& name, bool enabled, std::optional<bool> checked) {
    QAction* a = action(name);
    if (!a) return;
    a->setEnabled(enabled);
    if (checked) a->setChecked(*checked);
}

void MainMenus::applyTextState(const TextLoading::MenuState& state) {
    enable(u"wholeTextAction"_s, true, state.wholeChecked && m_examIndex < 0);
    enable(u"examMenu"_s, true);
    for (int i = 0; i < int(std::size(Preferences::ExamChoices)); ++i)
        enable(indexed(u"examActions"_s, i), true, state.wholeChecked && i == m_examIndex);
    enable(u"paragraphsAction"_s, state.paragraphEnabled, state.paragraphChecked);
    enable(u"chooseParagraphAction"_s, state.chooseParagraphEnabled);
    enable(u"previousParagraphAction"_s, state.previousEnabled);
    enable(u"nextParagraphAction"_s, state.nextEnabled);
    enable(u"bestDetailsAction"_s, state.detailsEnabled);
    enable(u"lastDetailsAction"_s, state.detailsEnabled);
    enable(u"editCurrentTextAction"_s, state.editCurrentEnabled);
    for (int k = 0; k < 5; ++k)
        enable(indexed(u"standardActions"_s, k), state.standardEnabled[size_t(k)], k == state.standardChecked);
    checkArray(u"sampleActions"_s, SampleTexts::MenuItemCount, state.sampleChecked);
}

void MainMenus::applyAttemptState(AttemptState state, const StateControls& c) {
    enable(u"startAction"_s, c.startEnabled);
    enable(u"pauseAction"_s, c.pauseEnabled);
    action(u"pauseAction"_s)->setText(QString::fromUtf16(c.pauseCaption));
    enable(u"retryAction"_s, c.retryEnabled);
    for (const char16_t* menu : {u"resultsMenu", u"optionsMenu", u"helpMenu", u"samplesMenu"})
        m_menus.value(QString::fromUtf16(menu))->menuAction()->setEnabled(c.otherMenus);
    for (const char16_t* item : {u"newTextAction", u"pickToPractiseAction", u"pickToEditAction", u"editSourcesAction",
                                 u"pickToDeleteAction", u"deleteRecordsAction"})
        enable(QString::fromUtf16(item), c.otherMenus);
    if (state != AttemptState::Ready) {
        // Mode changes and paragraph steps wait for the ready state.
        for (const char16_t* item : {u"editCurrentTextAction", u"wholeTextAction", u"paragraphsAction", u"examMenu",
                                     u"chooseParagraphAction", u"previousParagraphAction", u"nextParagraphAction"})
            enable(QString::fromUtf16(item), false);
    }
}

void MainMenus::setExamChoice(int index) {
    m_examIndex = index;
}

bool MainMenus::pauseEnabled() const {
    const QAction* pause = action(u"pauseAction"_s);
    return pause && pause->isEnabled();
}

#include "ui/main/MainWindow.h"

#include "core/practice/TextLoading.h"
#include "core/settings/Options.h"
#include "core/settings/WindowPosition.h"
#include "platform/ProgramFolder.h"
#include "platform/ShellOpen.h"
#include "ui/common/FontCellMetrics.h"
#include "ui/common/PlainText.h"
#include "ui/common/Twips.h"
#include "ui/main/BestListPanel.h"
#include "ui/main/InputBox.h"
#include "ui/main/InputPanel.h"
#include "ui/main/LiveFiguresPanel.h"
#include "ui/main/MainMenus.h"
#include "ui/main/PanelParts.h"
#include "ui/main/ResultPanel.h"
#include "ui/main/TargetTextPanel.h"
#include "ui/main/TextInfoPanel.h"
#include "ui/main/WindowZoom.h"
#include "ui/practice/ParagraphPickerDialog.h"
#include "ui/records/AttemptDetailsDialog.h"
#include "ui/records/BestRecordsDialog.h"
#include "ui/records/DeleteRecordsDialog.h"
#include "ui/records/PracticeLogDialog.h"
#include "ui/records/ProgressChartDialog.h"
#include "ui/records/WeakCharactersDialog.h"
#include "ui/settings/ColourSettingsDialog.h"
#include "ui/settings/SpeedGaugeDialog.h"
#include "ui/texts/TextWindows.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace MainLayout;

namespace {
// The author's page, opened by "ホームへ接続(&C)".
const QString HomePageAddress = u"https://rinvale.jp/"_s;
} // namespace

MainWindow::MainWindow(Session& session, Platform& platform, QWidget* parent)
    : QMainWindow(parent), m(session), m_platform(platform) {
    setObjectName(u"MainWindow"_s);
    setWindowTitle(QString::fromUtf16(Caption));
    m_showMessage = [this](const QString& text) {
        plaintext::message(this, QMessageBox::Information, QString::fromUtf16(Caption), text);
    };
    m_menus = new MainMenus(menuBar(), this);

    auto* form = new QWidget(this);
    form->setObjectName(u"form"_s);
    m_zoom = new WindowZoom(this, form, {ClientWidth, ClientHeight}, m.preferences, [this](double factor) {
        applyFontLayout();
        m_practice->zoomChanged(factor);
    });
    // In this order: the text statistics cover the result's operation rows.
    m_target = std::make_unique<TargetTextPanel>(form);
    m_input = std::make_unique<InputPanel>(form);
    m_figures = std::make_unique<LiveFiguresPanel>(form);
    m_result = std::make_unique<ResultPanel>(form);
    m_textInfo = std::make_unique<TextInfoPanel>(form);
    m_bestList = std::make_unique<BestListPanel>(form);
    // Titles, paragraphs and readings come from files: no label ever reads them as markup.
    plaintext::makeLabelsPlain(this);

    m_practice = new PracticeController(
        m, m_platform, {*m_target, *m_input, *m_figures, *m_textInfo, *m_result, *m_bestList}, *m_menus, this);
    m_practice->setMessageHandler([this](const QString& text) { message(text); });
    m_keys = new KeyRouter(this, m_input->box(), *m_practice, *m_menus, m.settings, m_platform);
    m_practice->setPendingKeysReset([this](bool starting) { m_keys->resetPendingKeys(starting); });
    m_zoom->setHandZoomAllowed([this] { return attempt().state() != AttemptState::Running; });
    connectMenus();
}

MainWindow::~MainWindow() {
    // The router stops listening before the controller and the panels it reaches go.
    delete m_keys;
    delete m_practice;
}

QAction* MainWindow::action(const QString& name) const {
    return m_menus->action(name);
}

void MainWindow::connectMenus() {
    PracticeController* practice = m_practice;
    connect(m_menus, &MainMenus::deleteRecordsRequested, this, &MainWindow::deleteRecords);
    new TextWindows(*this, m, m_platform); // the user's own texts: editor, picker, sources, list size
    connect(m_menus, &MainMenus::quitRequested, this, &QWidget::close);
    connect(m_menus, &MainMenus::startRequested, practice, &PracticeController::startAttempt);
    connect(m_menus, &MainMenus::pauseRequested, practice, &PracticeController::togglePause);
    connect(m_menus, &MainMenus::retryRequested, practice, &PracticeController::retry);
    connect(m_menus, &MainMenus::paragraphRequested, this, &MainWindow::chooseParagraph);
    connect(m_menus, &MainMenus::examRequested, practice, &PracticeController::chooseExam);
    auto changeText = [this, practice](void (MainMenus::*signal)(), void (*change)(Session&)) {
        connect(m_menus, signal, this, [this, practice, change] {
            change(m);
            practice->showText();
        });
    };
    changeText(&MainMenus::wholeTextRequested, &TextLoading::wholeTextPractice);
    changeText(&MainMenus::previousParagraphRequested, &TextLoading::previousParagraph);
    changeText(&MainMenus::nextParagraphRequested, &TextLoading::nextParagraph);
    connect(m_menus, &MainMenus::sampleChosen, this, [this, practice](int index) {
        TextLoading::chooseSample(m, index);
        practice->showText();
    });
    auto details = [this](DetailsOpening how) {
        return [this, how] { AttemptDetailsDialog::open(m, how, m_japaneseDisplay, this); };
    };
    connect(m_menus, &MainMenus::lastDetailsRequested, this, details(DetailsOpening::LastAttemptMenu));
    connect(m_menus, &MainMenus::bestDetailsRequested, this, details(DetailsOpening::BestAttemptMenu));
    connect(practice, &PracticeController::detailsRequested, this, details(DetailsOpening::AfterResult));
    connect(m_menus, &MainMenus::optionChosen, this, &MainWindow::optionChosen);
    connect(m_menus, &MainMenus::standardChosen, this, &MainWindow::standardChosen);
    connect(m_menus, &MainMenus::colourSettingsRequested, this, [this] {
        if (ColourSettingsDialog::edit(m.settings, this)) applyColours();
    });
    connect(m_menus, &MainMenus::speedGaugeRequested, this, [this, practice] {
        if (SpeedGaugeDialog::edit(m, this)) practice->showTargetLine();
    });
    connect(m_menus, &MainMenus::fileBesideProgramRequested, this, &MainWindow::openBesideProgram);
    connect(m_menus, &MainMenus::bestRecordsRequested, this,
            [this] { BestRecordsDialog::open(m, m_japaneseDisplay, this); });
    connect(m_menus, &MainMenus::practiceLogRequested, this,
            [this] { PracticeLogDialog::open(m, m_japaneseDisplay, this); });
    connect(m_menus, &MainMenus::progressChartRequested, this, [this] { ProgressChartDialog::open(m, this); });
    connect(m_menus, &MainMenus::weakCharactersRequested, this, [this, practice] {
        if (WeakCharactersDialog::open(m, this)) practice->showText();
    });
    connect(m_menus, &MainMenus::homePageRequested, this, [this] {
        if (!m_platform.shell.open(HomePageAddress)) message(u"ホームページを開けませんでした。\n"_s + HomePageAddress);
    });
    // A menu closed with Esc leaves the menu bar holding the keyboard: typing goes back to the box.
    for (QMenu* menu : m_menus->menus()) {
        connect(menu, &QMenu::aboutToShow, this,
                [practice, menu] { practice->trace().line(u"menu "_s + menu->objectName()); });
        connect(menu, &QMenu::aboutToHide, this, [this] {
            QTimer::singleShot(0, this, [this] {
                InputBox* box = m_input->box();
                if (box->isEnabled() && isActiveWindow() && !QApplication::activePopupWidget()) box->setFocus();
            });
        });
    }
}

// ---- Start-up and exit -----------------------------------------------------------------

void MainWindow::startUp() {
    m_japaneseDisplay = FontCellMetrics(16).fullWidthRendered();
    m_zoom->restore();
    placeWindow();
    applyColours();
    m_menus->checkStoredOptions(m.settings);
    m_input->setRetryHint(Options::retryHint(m.settings.number(Options::RetryKey)));
    applyFontLayout();
    m_practice->showText();
}

void MainWindow::storePosition() {
    m_zoom->store();
    // The frame's top left relative to the screen, the very point placeWindow() moves the frame
    // to: whatever panels or window frames the desktop adds, the window reopens where it was.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QPoint frame = pos() - (screen ? screen->geometry().topLeft() : QPoint());
    const WindowPosition::TopLeft stored =
        WindowPosition::toStored({twips::fromPixels(frame.y()), twips::fromPixels(frame.x())});
    m.settings.setNumber(Options::WindowTop, stored.top);
    m.settings.setNumber(Options::WindowLeft, stored.left);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_closed) {
        m_closed = true;
        storePosition();
        Q_EMIT closing();
    }
    event->accept();
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
    const std::array<QColor, ItemCount> c = ColourSettingsDialog::practiceColours(m.settings, palette());
    m_target->setColours(c[PracticeText], c[CorrectText], c[MissText], c[PracticeBackground]);
    m_target->setRubyColours(c[RubyText], c[RubyBackground]);
    m_target->setPreviewColours(c[NextText], c[NextBackground]);
    // The start panel's hints share the input background: in the style's text colour, or in the
    // input text's where that reads better, as with a light input background on a dark desktop.
    auto rgb = [](const QColor& q) { return Rgb{q.red(), q.green(), q.blue()}; };
    const Rgb hint = moreLegible(rgb(c[InputBackground]), rgb(palette().color(QPalette::Text)), rgb(c[InputText]));
    m_input->setColours(QColor(hint.red, hint.green, hint.blue), c[InputText], c[InputBackground]);
    m_input->box()->setSurplusColour(c[MissText]);
}

void MainWindow::applyFontLayout() {
    const Options::FontLayout& layout = Options::fontLayout(m.settings.number(Options::FontSize));
    m_practice->setFontLayout(layout.pointSize, layout.charsPerLine, layout.visibleRows);
    m_input->applyFontLayout(layout, m_target->applyFontLayout(layout));
}

// ---- Menu commands ---------------------------------------------------------------------

void MainWindow::optionChosen(int entry, int index) {
    const Options::Group* group = Options::groupForEntry(entry);
    if (!group) return;
    m_menus->checkOption(entry, index);
    m.settings.setNumber(entry, group->valueOf(index));
    switch (entry) {
    case Options::FontSize:
        applyFontLayout();
        m_practice->layoutSegment();
        break;
    case Options::EndSpace:
        reloadCurrentText();
        break;
    case Options::RetryKey:
        m_input->setRetryHint(Options::retryHint(m.settings.number(Options::RetryKey)));
        break;
    default:
        break;
    }
}

void MainWindow::standardChosen(int index) {
    m_menus->checkStandard(index);
    m.settings.setNumber(Options::Standard, index);
    m_practice->standardChanged(index);
}

void MainWindow::reloadCurrentText() {
    QString error;
    // While the program runs the text on show changes under the user's eyes: always say why.
    const TextLoading::LoadResult result = TextLoading::loadCurrentText(m, &error);
    if (result == TextLoading::LoadResult::Missing || result == TextLoading::LoadResult::Unusable)
        message(error + u"\n腕試しのテキストを読み込みます。"_s);
    m_practice->showText();
}

void MainWindow::chooseParagraph() {
    ParagraphPickerDialog dialog(m.text, this);
    if (dialog.exec() != QDialog::Accepted || dialog.chosenParagraph() < 0) {
        // Cancelled: the paragraph item checked itself when chosen; the mode is unchanged.
        m_menus->applyTextState(TextLoading::view(m).menus);
        return;
    }
    TextLoading::paragraphPractice(m, dialog.chosenParagraph());
    m_practice->showText();
}

void MainWindow::deleteRecords() {
    DeleteRecordsDialog dialog(m, this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_practice->recordsDeleted();
    if (!dialog.errorMessage().isEmpty()) message(dialog.errorMessage());
}

void MainWindow::openBesideProgram(const QString& fileName) {
    for (const QString& folder : documentFolders(m.programFolder)) {
        const QString path = folder + u'/' + fileName;
        if (QFileInfo(path).isFile()) {
            if (!m_platform.shell.open(path)) message(fileName + u"を開けませんでした。"_s);
            return;
        }
    }
    message(fileName + u"が見つかりません。"_s);
}

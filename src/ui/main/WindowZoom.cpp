#include "ui/main/WindowZoom.h"

#include "core/settings/Preferences.h"
#include "ui/common/Twips.h"

#include <QAction>
#include <QEvent>
#include <QKeySequence>
#include <QMainWindow>
#include <QScreen>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The area's preferred size is the form's, so the window opens just around it.
class ZoomArea : public QWidget {
public:
    ZoomArea(QWidget* parent, QWidget*& form) : QWidget(parent), m_form(form) {}
    QSize sizeHint() const override { return m_form ? m_form->size() : QWidget::sizeHint(); }

private:
    QWidget*& m_form;
};

constexpr double MinZoom = Preferences::MinZoom / 100.0;
constexpr double MaxZoom = Preferences::MaxZoom / 100.0;

} // namespace

WindowZoom::WindowZoom(QMainWindow* window, QWidget* form, QSize designTwips, Preferences& preferences,
                       std::function<void(double)> relayout)
    : QObject(window), m_window(window), m_form(form), m_design(designTwips), m_preferences(preferences),
      m_relayout(std::move(relayout)) {
    m_area = new ZoomArea(window, m_form);
    m_area->setObjectName(u"zoomArea"_s);
    m_window->setCentralWidget(m_area);
    m_form->setParent(m_area);
    m_baseFont = m_form->font();
    m_form->setFixedSize(twips::rect(0, 0, m_design.width(), m_design.height()).size());
    m_area->setMinimumSize(twips::rect(0, 0, m_design.width(), m_design.height(), MinZoom).size());
    m_area->installEventFilter(this);

    struct Command {
        const char16_t* name;
        QList<QKeySequence> keys;
        void (WindowZoom::*run)();
    };
    // Each key once: a key given twice to one action is ambiguous to Qt, which then does nothing.
    // Ctrl + ";" is Ctrl + "+" on a Japanese keyboard without Shift.
    const Command commands[] = {
        {u"zoomInAction",
         {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus),
          QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Semicolon)},
         &WindowZoom::zoomIn},
        {u"zoomOutAction", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &WindowZoom::zoomOut},
        {u"zoomResetAction", {QKeySequence(Qt::CTRL | Qt::Key_0)}, &WindowZoom::resetZoom},
    };
    for (const Command& command : commands) {
        auto* action = new QAction(m_window);
        action->setObjectName(QString::fromUtf16(command.name));
        action->setShortcuts(command.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, command.run);
        m_window->addAction(action);
    }
}

void WindowZoom::restore() {
    setZoom(m_preferences.zoomPercent / 100.0);
    if (m_preferences.windowWidth > 0 && m_preferences.windowHeight > 0) {
        QSize size(m_preferences.windowWidth, m_preferences.windowHeight);
        // A size kept on a larger screen is cut to this one, though never below the design size.
        if (const QScreen* screen = m_window->screen()) size = size.boundedTo(screen->availableGeometry().size());
        const QSize design = twips::rect(0, 0, m_design.width(), m_design.height()).size();
        m_window->resize(size.expandedTo(m_window->sizeHint() - m_form->size() + design));
    } else {
        m_window->resize(m_window->sizeHint());
    }
    if (m_preferences.maximised) m_window->setWindowState(m_window->windowState() | Qt::WindowMaximized);
}

void WindowZoom::store() {
    m_preferences.zoomPercent =
        std::clamp(int(std::lround(m_zoom * 100)), int(Preferences::MinZoom), int(Preferences::MaxZoom));
    m_preferences.maximised = m_window->isMaximized();
    const QSize normal = m_window->isMaximized() ? m_window->normalGeometry().size() : m_window->size();
    m_preferences.windowWidth = normal.width();
    m_preferences.windowHeight = normal.height();
}

void WindowZoom::setZoom(double zoom) {
    zoom = std::clamp(zoom, MinZoom, MaxZoom);
    if (std::abs(zoom - m_zoom) < 0.001) return;
    const double previous = m_zoom;
    m_zoom = zoom;
    m_form->setFont(twips::zoomed(m_baseFont, zoom));
    twips::rezoom(m_window, zoom);
    m_form->setFixedSize(twips::rect(0, 0, m_design.width(), m_design.height(), zoom).size());
    if (m_relayout) m_relayout(zoom / previous);
    centreForm();
}

double WindowZoom::fittingZoom() const {
    const QSize design = twips::rect(0, 0, m_design.width(), m_design.height()).size();
    return std::min(double(m_area->width()) / design.width(), double(m_area->height()) / design.height());
}

void WindowZoom::zoomByHand(int direction) {
    if (m_handZoomAllowed && !m_handZoomAllowed()) return;
    const int percent = int(std::lround(m_zoom * 100));
    const double wanted = direction == 0 ? 1.0 : Preferences::zoomStep(percent, direction) / 100.0;
    if (m_window->isMaximized() || m_window->isFullScreen()) {
        // The screen is the limit: the form never runs off it.
        setZoom(std::min(wanted, fittingZoom()));
        return;
    }
    setZoom(wanted);
    // The window wraps the form at its new size.
    m_window->resize(m_window->size() + m_form->size() - m_area->size());
}

void WindowZoom::centreForm() {
    m_form->move(std::max(0, (m_area->width() - m_form->width()) / 2),
                 std::max(0, (m_area->height() - m_form->height()) / 2));
}

bool WindowZoom::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_area && event->type() == QEvent::Resize) {
        // The zoom follows the window's size; a zoom set by hand stays while the form still fits
        // and fills the area to within a step's rounding.
        const double fit = fittingZoom();
        const bool fits = m_form->width() <= m_area->width() && m_form->height() <= m_area->height();
        if (!fits || fit - m_zoom > 0.02) setZoom(fit);
        centreForm();
    }
    return QObject::eventFilter(watched, event);
}

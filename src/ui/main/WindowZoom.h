#pragma once

#include <QFont>
#include <QObject>
#include <QSize>

#include <functional>

struct Preferences;
class QMainWindow;
class QWidget;

/**
 * The main window's zoom. The form, designed in twips, sits centred in a resizable area; every
 * widget of the form is placed at one zoom factor, which follows the window's size (it is
 * maximised, or dragged larger) or is set by hand with Ctrl + "+", Ctrl + "-" and Ctrl + "0".
 * The character layout is measured at the design size, so every row keeps its character count.
 */
class WindowZoom : public QObject {
    Q_OBJECT

public:
    /**
     * Puts `form` into a resizable area of `window`. `relayout` places again what the window
     * lays out itself (the font-size layout of the panels) after the zoom grew by its argument.
     */
    WindowZoom(QMainWindow* window, QWidget* form, QSize designTwips, Preferences& preferences,
               std::function<void(double)> relayout);

    double zoom() const { return m_zoom; }
    /** Before the window is shown: its size, maximised state and zoom as last stored. */
    void restore();
    /** The zoom and the window's normal size and maximised state, into the preferences. */
    void store();

    /** Whether the zoom keys act now; while typing they are keystrokes of the attempt and nothing more. */
    void setHandZoomAllowed(std::function<bool()> allowed) { m_handZoomAllowed = std::move(allowed); }

    void zoomIn() { zoomByHand(1); }
    void zoomOut() { zoomByHand(-1); }
    void resetZoom() { zoomByHand(0); }
    /** Lays the form out at `zoom` (clamped to the range the preferences allow). */
    void setZoom(double zoom);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /** The largest zoom at which the form fits the area. */
    double fittingZoom() const;
    void zoomByHand(int direction);
    void centreForm();

    QMainWindow* m_window;
    QWidget* m_area;
    QWidget* m_form;
    QSize m_design; ///< twips
    Preferences& m_preferences;
    std::function<void(double)> m_relayout;
    std::function<bool()> m_handZoomAllowed;
    QFont m_baseFont;
    double m_zoom = 1.0;
};

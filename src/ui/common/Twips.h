#pragma once

#include <QFont>
#include <QRect>
#include <QVariant>
#include <QWidget>

/**
 * The window geometry is designed in twips; 15 twips make one logical pixel at 96 dpi, times
 * the zoom of the window a widget belongs to. A window without a zoom of its own (every dialog)
 * shows at 1. Widgets placed and given fonts through place() and setFont() remember their
 * design, so that rezoom() can lay a whole window out again at a new zoom.
 */
namespace twips {

constexpr int toPixels(int twips) {
    return (twips >= 0 ? twips + 7 : twips - 7) / 15;
}
constexpr int fromPixels(int pixels) {
    return pixels * 15;
}

/** Pixels of `twips` at `zoom`, rounded to the nearest pixel; exactly toPixels() at 1. */
inline int toPixels(int twips, double zoom) {
    return zoom == 1.0 ? toPixels(twips) : qRound(twips * zoom / 15.0);
}
/** Twips of `pixels` at `zoom`. */
inline int fromPixels(int pixels, double zoom) {
    return zoom == 1.0 ? fromPixels(pixels) : qRound(pixels * 15.0 / zoom);
}

inline constexpr char ZoomProperty[] = "twipsZoom";
inline constexpr char GeometryProperty[] = "twipsGeometry";
inline constexpr char FontProperty[] = "twipsFont";

/** The zoom of the window `w` belongs to. */
inline double zoomOf(const QWidget* w) {
    const QVariant zoom = w ? w->window()->property(ZoomProperty) : QVariant();
    return zoom.isValid() ? zoom.toDouble() : 1.0;
}

inline QRect rect(int left, int top, int width, int height, double zoom = 1.0) {
    if (zoom == 1.0) return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
    // Edges, not sizes, are rounded, so that neighbours stay flush at any zoom.
    const int x = toPixels(left, zoom), y = toPixels(top, zoom);
    return QRect(x, y, toPixels(left + width, zoom) - x, toPixels(top + height, zoom) - y);
}

/** Places `w` in its parent at the zoom of its window, and remembers the design. */
inline void place(QWidget* w, int left, int top, int width, int height) {
    w->setProperty(GeometryProperty, QRect(left, top, width, height));
    w->setGeometry(rect(left, top, width, height, zoomOf(w)));
}

/** `font` at `zoom`, sized in points or in pixels as it was. */
inline QFont zoomed(QFont font, double zoom) {
    if (zoom == 1.0) return font;
    if (font.pixelSize() > 0)
        font.setPixelSize(qMax(1, qRound(font.pixelSize() * zoom)));
    else if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * zoom);
    return font;
}

/** Gives `w` the design font `font`, its size scaled by the zoom of its window. */
inline void setFont(QWidget* w, const QFont& font) {
    w->setProperty(FontProperty, font);
    w->setFont(zoomed(font, zoomOf(w)));
}

/**
 * Sets the zoom of `window` and lays out again every widget under it that was placed or given a
 * font through this namespace. Widgets that keep pixel state of their own are the caller's.
 */
inline void rezoom(QWidget* window, double zoom) {
    window->setProperty(ZoomProperty, zoom);
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const QVariant geometry = w->property(GeometryProperty);
        if (geometry.isValid()) {
            const QRect r = geometry.toRect();
            w->setGeometry(rect(r.x(), r.y(), r.width(), r.height(), zoom));
        }
        const QVariant font = w->property(FontProperty);
        if (font.isValid()) setFont(w, font.value<QFont>());
    }
}

} // namespace twips

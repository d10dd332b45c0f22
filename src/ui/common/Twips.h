#pragma once

#include <QRect>
#include <QWidget>

/** The window geometry is designed in twips; 15 twips make one logical pixel at 96 dpi. */
namespace twips {

constexpr int toPixels(int twips) {
    return (twips >= 0 ? twips + 7 : twips - 7) / 15;
}
constexpr int fromPixels(int pixels) {
    return pixels * 15;
}

inline QRect rect(int left, int top, int width, int height) {
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

inline void place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(rect(left, top, width, height));
}

} // namespace twips

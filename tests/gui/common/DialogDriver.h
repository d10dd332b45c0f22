#pragma once

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Drives a modal dialog from inside its own loop, as a user would.
namespace dialogdriver {

using Action = std::function<void(QDialog&)>;

constexpr int StillOpen = -1; // the result when the action left the dialog open

template <typename T = QWidget> T* child(const QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

inline Action click(const char* name) {
    return [name](QDialog& d) {
        if (auto* b = child<QPushButton>(d, name)) b->click();
    };
}

/** A key pressed and released on `control`, or on the dialog's focus. */
inline Action key(int key, const char* control = nullptr) {
    return [key, control](QDialog& d) {
        QWidget* target = control ? child(d, control) : d.focusWidget() ? d.focusWidget() : &d;
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier), up(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(target, &down);
        QApplication::sendEvent(target, &up);
    };
}

inline const Action closeBox = [](QDialog& d) { d.close(); };

inline int execAndAct(QDialog& dialog, const Action& act) {
    QTimer::singleShot(0, &dialog, [&dialog, act] {
        act(dialog);
        if (dialog.isVisible()) dialog.done(StillOpen);
    });
    return dialog.exec();
}

} // namespace dialogdriver

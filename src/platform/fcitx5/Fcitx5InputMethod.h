#pragma once

#include "platform/InputMethod.h"

#include <QElapsedTimer>
#include <QObject>

/**
 * fcitx5 through its controller on the session bus. Every call is asynchronous so a busy
 * or missing input method never freezes the window; the status is the last answer, asked
 * again at most every few tens of milliseconds.
 */
class Fcitx5InputMethod final : public QObject, public InputMethod {
    Q_OBJECT

public:
    /** The fcitx5 controller when the program types through fcitx and a session bus exists, else nullptr. */
    static Fcitx5InputMethod* create(QObject* parent);

    int status() const override;
    void close() override;
    void setInputMode(int mode) override;

private:
    explicit Fcitx5InputMethod(QObject* parent);
    void call(const QString& method) const;
    void refresh() const;

    mutable int m_state = -1; ///< fcitx's State: 0 no focused input, 1 off, 2 on; -1 not known yet
    mutable bool m_queryPending = false;
    mutable QElapsedTimer m_sinceQuery;
};

#pragma once

#include "core/records/WeakKeyboard.h"

#include <QWidget>

/**
 * A keyboard drawn with each key coloured by the miss rate of its characters: white for none,
 * deeper red up to the highest rate shown, grey for a key never met.
 */
class WeakKeyboardView : public QWidget {
    Q_OBJECT

public:
    explicit WeakKeyboardView(QWidget* parent = nullptr);

    void setKeys(const QList<WeakKeyboard::Key>& keys);
    const QList<WeakKeyboard::Key>& keys() const { return m_keys; }
    /** The rate drawn in the deepest colour. */
    double highestRate() const { return m_highest; }

    /** The fill of a key at `rate` when `highest` is drawn deepest; a key never met is grey. */
    static QColor fillFor(const WeakKeyboard::Key& key, double highest);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<WeakKeyboard::Key> m_keys;
    double m_highest = 0.05;
};

#pragma once

#include <QObject>

#include <functional>

class QLabel;

/**
 * Makes a label a link to the attempt details: blue, white while the pointer is over it, a hand
 * pointer, and `activated` on a click. A disabled label takes no clicks.
 */
class DetailsLink : public QObject {
    Q_OBJECT

public:
    /** The link lives as long as the label. */
    DetailsLink(QLabel* label, std::function<void()> activated);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setColour(bool hovered);

    QLabel* m_label;
    std::function<void()> m_activated;
};

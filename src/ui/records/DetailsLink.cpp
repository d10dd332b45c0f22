#include "ui/records/DetailsLink.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

DetailsLink::DetailsLink(QLabel* label, std::function<void()> activated)
    : QObject(label), m_label(label), m_activated(std::move(activated)) {
    m_label->setCursor(Qt::PointingHandCursor);
    m_label->installEventFilter(this);
    setColour(false);
}

void DetailsLink::setColour(bool hovered) {
    QPalette palette = m_label->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, hovered ? Qt::white : Qt::blue);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, Qt::blue);
    m_label->setPalette(palette);
}

bool DetailsLink::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_label) return false;
    switch (event->type()) {
    case QEvent::Enter:
        setColour(true);
        break;
    case QEvent::Leave:
    case QEvent::EnabledChange:
        setColour(false);
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && m_label->isEnabled() &&
            m_label->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
            setColour(false);
            m_activated();
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

#include "ui/records/WeakKeyboardView.h"

#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int Rows = 5;

// The right edge of the widest row, in quarter keys.
int quarterKeysAcross(const QList<WeakKeyboard::Key>& keys) {
    int across = 1;
    for (const WeakKeyboard::Key& k : keys)
        across = std::max(across, k.left + k.width);
    return across;
}

} // namespace

WeakKeyboardView::WeakKeyboardView(QWidget* parent) : QWidget(parent), m_keys(WeakKeyboard::layout()) {
    setObjectName(u"keyboardView"_s);
    setMinimumSize(quarterKeysAcross(m_keys) * 8, Rows * 32);
}

void WeakKeyboardView::setKeys(const QList<WeakKeyboard::Key>& keys) {
    m_keys = keys;
    m_highest = WeakKeyboard::highestRate(keys);
    update();
}

QColor WeakKeyboardView::fillFor(const WeakKeyboard::Key& key, double highest) {
    if (key.met == 0) return QColor(0xE4, 0xE4, 0xE4);
    const double share = std::clamp(highest > 0 ? key.rate() / highest : 0.0, 0.0, 1.0);
    // White through orange to a deep red, so a weak key stands out also to eyes weak in red.
    const int green = int(255 - share * 215);
    const int blue = int(255 - share * 245);
    const int red = int(255 - share * 55);
    return QColor(red, green, blue);
}

void WeakKeyboardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double quarter = double(width() - 2) / quarterKeysAcross(m_keys);
    const double rowHeight = double(height() - 2) / Rows;
    QFont small = font();
    small.setPointSizeF(std::max(6.0, font().pointSizeF() * 0.8));
    for (const WeakKeyboard::Key& key : m_keys) {
        const QRectF r(1 + key.left * quarter + 2, 1 + key.row * rowHeight + 2, key.width * quarter - 4, rowHeight - 4);
        const QColor fill = fillFor(key, m_highest);
        painter.setPen(QPen(palette().color(QPalette::Mid), 1));
        painter.setBrush(fill);
        painter.drawRoundedRect(r, 4, 4);
        const bool dark = fill.lightness() < 110;
        painter.setPen(dark ? Qt::white : Qt::black);
        painter.setFont(font());
        const QString& chars = key.characters;
        QString legend = chars == u" "_s ? u"Space"_s : chars.left(1).toUpper();
        if (chars.size() > 1 && chars[1] != chars[0].toUpper()) legend = chars.left(1) + u' ' + chars.mid(1);
        painter.drawText(r.adjusted(4, 2, -4, -r.height() / 2), Qt::AlignLeft | Qt::AlignVCenter, legend);
        if (key.met > 0) {
            painter.setFont(small);
            painter.drawText(r.adjusted(4, r.height() / 2, -4, -2), Qt::AlignRight | Qt::AlignVCenter,
                             QString::number(key.rate() * 100, 'f', 0) + u'%');
        }
    }
}

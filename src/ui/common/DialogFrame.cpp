#include "ui/common/DialogFrame.h"

#include "ui/common/Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Message row and button row of MessageFrame, in twips. The message is two lines high, so a
// longer message wraps instead of being cut off.
constexpr int MessageTop = 150;
constexpr int MessageHeight = 660;
constexpr int ButtonRowTop = MessageTop + MessageHeight + 180;
constexpr int MessageClientHeight = ButtonRowTop + DialogFrame::ButtonHeight + DialogFrame::Margin;

} // namespace

// ---- DialogFrame ------------------------------------------------------------------------

QPoint DialogFrame::centredOver(const QRect& owner, const QSize& own) {
    return {owner.left() + (owner.width() - own.width()) / 2, owner.top() + (owner.height() - own.height()) / 2};
}

DialogFrame::DialogFrame(const QString& name, const QString& caption, QWidget* owner) : QDialog(owner) {
    setObjectName(name);
    setWindowTitle(caption);
    setModal(true);
    // A fixed-size dialog has no use for maximise or context-help buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // The dialog keeps its layout and grows with the zoom of the window that opens it.
    m_ownerZoom = twips::zoomOf(owner);
    m_designFont = font();
    if (m_ownerZoom != 1.0) applyZoom(m_ownerZoom);
}

void DialogFrame::applyZoom(double zoom) {
    setFont(twips::zoomed(m_designFont, zoom));
    twips::rezoom(this, zoom);
}

void DialogFrame::keepDesignSize() {
    if (m_ownerZoom != 1.0) applyZoom(1.0);
    m_ownerZoom = 1.0;
}

void DialogFrame::setClientSize(int widthTwips, int heightTwips) {
    double zoom = m_ownerZoom;
    if (zoom != 1.0) {
        // Never larger than the screen it opens on.
        const QScreen* screen = parentWidget() ? parentWidget()->screen() : nullptr;
        const QSize room = screen ? screen->availableGeometry().size() * 0.9 : QSize(1 << 20, 1 << 20);
        const QSize design = twips::rect(0, 0, widthTwips, heightTwips).size();
        zoom = std::clamp(std::min(double(room.width()) / design.width(), double(room.height()) / design.height()), 1.0,
                          zoom);
        if (zoom != twips::zoomOf(this)) applyZoom(zoom);
    }
    setFixedSize(twips::rect(0, 0, widthTwips, heightTwips, zoom).size());
}

QLabel* DialogFrame::addLabel(const QString& name, const QString& text, int left, int top, int width, int height,
                              Qt::Alignment alignment) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(alignment);
    twips::place(label, left, top, width, height);
    return label;
}

QPushButton* DialogFrame::addButton(const QString& name, const QString& caption, int left, int top, int width) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    twips::place(button, left, top, width, ButtonHeight);
    return button;
}

void DialogFrame::addIcon(QStyle::StandardPixmap icon) {
    auto* label = new QLabel(this);
    label->setObjectName(u"icon"_s);
    const int size = twips::toPixels(IconSize, twips::zoomOf(this));
    label->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(size, size));
    twips::place(label, Margin, Margin, IconSize, IconSize);
}

void DialogFrame::showEvent(QShowEvent* event) {
    // Centred on every showing rather than at construction: the opener may change the width or
    // move its own window first. The platform window is not mapped yet, so it appears in place.
    if (const QWidget* owner = parentWidget())
        move(centredOver(owner->window()->frameGeometry(), frameGeometry().size()));
    QDialog::showEvent(event);
}

// ---- MessageFrame -----------------------------------------------------------------------

MessageFrame::MessageFrame(const QString& name, const QString& caption, QWidget* owner, QStyle::StandardPixmap icon,
                           const QString& message, const QStringList& buttonCaptions, int widthTwips)
    : DialogFrame(name, caption, owner) {
    addIcon(icon);
    m_label = addLabel(u"messageLabel"_s, message, TextLeft, MessageTop, 0, MessageHeight);
    for (int i = 0; i < buttonCaptions.size(); ++i)
        m_buttons.append(
            addButton(i == 0 ? u"acceptButton"_s : u"rejectButton"_s, buttonCaptions.at(i), 0, ButtonRowTop));
    setFormWidth(widthTwips);
    // As on the desktop the program was designed for, the first button starts with the focus,
    // so Enter presses it.
    if (!m_buttons.isEmpty()) m_buttons.first()->setFocus();
}

void MessageFrame::setMessage(const QString& text) {
    m_label->setText(text);
}

void MessageFrame::setFormWidth(int widthTwips) {
    setClientSize(widthTwips, MessageClientHeight);
    twips::place(m_label, TextLeft, MessageTop, widthTwips - TextLeft - Margin, MessageHeight);
    const int count = int(m_buttons.size());
    const int rowWidth = count * ButtonWidth + (count - 1) * ButtonGap;
    for (int i = 0; i < count; ++i)
        twips::place(m_buttons.at(i), (widthTwips - rowWidth) / 2 + i * (ButtonWidth + ButtonGap), ButtonRowTop,
                     ButtonWidth, ButtonHeight);
}

#include "ui/main/PanelParts.h"

#include "ui/common/Twips.h"

#include <QFrame>
#include <QLabel>

namespace panelparts {

QString indexed(const QString& arrayName, int index) {
    return arrayName + u'(' + QString::number(index) + u')';
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, int left, int top, int width, int height,
                  Qt::Alignment align) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(align);
    twips::place(label, left, top, width, height);
    return label;
}

QFrame* makePanel(QWidget* parent, const QString& name, bool border) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    if (border) frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    return frame;
}

void setColours(QWidget* w, const QColor& text, const QColor& background) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::Base, background);
    w->setPalette(p);
}

void setTextColour(QWidget* w, const QColor& text) {
    setColours(w, text, w->palette().color(QPalette::Window));
}

} // namespace panelparts

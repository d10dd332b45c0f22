#pragma once

#include <QColor>
#include <QString>
#include <Qt>

class QFrame;
class QLabel;
class QWidget;

/** Geometry of the main window's client area and its columns, in twips. */
namespace MainLayout {
constexpr int ClientWidth = 14700;
constexpr int ClientHeight = 6480;
constexpr int LeftColumn = 120;
constexpr int PanelWidth = 9930;
constexpr int TextPanelTop = 510;
constexpr int FiguresTop = 3930;
constexpr int RightColumn = 10260;
constexpr int RightWidth = 4320;
} // namespace MainLayout

/** Small helpers the main window's panels build their widgets with. */
namespace panelparts {

/** "name(index)", the name of one item of a numbered group of controls. */
QString indexed(const QString& arrayName, int index);
/** A plain-text label placed in twips. */
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, int left, int top, int width, int height,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
/** A frame that paints its own background, with a border when asked. */
QFrame* makePanel(QWidget* parent, const QString& name, bool border);
/** The widget's text and background colours. */
void setColours(QWidget* w, const QColor& text, const QColor& background);
/** Only the text colour; the background stays. */
void setTextColour(QWidget* w, const QColor& text);

} // namespace panelparts

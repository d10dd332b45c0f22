#pragma once

#include <QDialog>
#include <QStringList>
#include <QStyle>

class QLabel;
class QPushButton;

/**
 * Common frame of the small warning and confirmation dialogs: a fixed client area laid out
 * in twips, a caption, modality, and centring over the window that opens the dialog each
 * time it is shown.
 */
class DialogFrame : public QDialog {
    Q_OBJECT

public:
    /** Top-left corner that centres a window of size `own` over the window at `owner`. */
    static QPoint centredOver(const QRect& owner, const QSize& own);

    // Shared measures in twips, so that the dialogs line up with each other.
    static constexpr int Margin = 240;
    static constexpr int IconSize = 480;
    /** Left edge of a text beside the icon. */
    static constexpr int TextLeft = Margin + IconSize + 240;
    static constexpr int ButtonWidth = 960;
    static constexpr int ButtonHeight = 375;
    static constexpr int ButtonGap = 120;

protected:
    DialogFrame(const QString& name, const QString& caption, QWidget* owner);

    /**
     * Keeps this dialog at its design size whatever the zoom of the window that opens it: for
     * windows that place some of their parts in pixels of their own. Call it first.
     */
    void keepDesignSize();
    /** Fixes the client area; the dialogs never resize themselves. */
    void setClientSize(int widthTwips, int heightTwips);
    /** A word-wrapped plain-text label. */
    QLabel* addLabel(const QString& name, const QString& text, int left, int top, int width, int height,
                     Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    /** A push button of the standard height. */
    QPushButton* addButton(const QString& name, const QString& caption, int left, int top, int width = ButtonWidth);
    /** The style's message-box icon in the top-left corner. */
    void addIcon(QStyle::StandardPixmap icon);

    void showEvent(QShowEvent* event) override;

private:
    void applyZoom(double zoom);

    double m_ownerZoom = 1.0;
    QFont m_designFont;
};

/**
 * The shape most dialogs share: an icon, the message `messageLabel` beside it and a row of
 * buttons (`acceptButton`, then `rejectButton`) centred below.
 */
class MessageFrame : public DialogFrame {
    Q_OBJECT

protected:
    MessageFrame(const QString& name, const QString& caption, QWidget* owner, QStyle::StandardPixmap icon,
                 const QString& message, const QStringList& buttonCaptions, int widthTwips);

    void setMessage(const QString& text);
    /** Lays the dialog out again for a new client width, the buttons centred. */
    void setFormWidth(int widthTwips);
    /** Button `Command<number>`, numbered from 1. */
    QPushButton* button(int number) const { return m_buttons.at(number - 1); }

private:
    QLabel* m_label = nullptr;
    QList<QPushButton*> m_buttons;
};

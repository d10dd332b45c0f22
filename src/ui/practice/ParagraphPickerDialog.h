#pragma once

#include "core/practice/Module1.h"

#include <QDialog>

class QListWidget;

/**
 * The paragraph selection window: lists the paragraphs by number and opening words and
 * makes the accepted one the practised paragraph (setting ParagraphChosen).
 */
class frmDanraku : public QDialog {
    Q_OBJECT

public:
    frmDanraku(Module1& module, QWidget* owner);

    /** OK or Enter: practise the selected paragraph and close. */
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Module1& m;
    QListWidget* List1 = nullptr;
};

#include "ui/practice/ParagraphPickerDialog.h"

#include "core/practice/ParagraphSelection.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

frmDanraku::frmDanraku(const CurrentText& text, QWidget* owner) : QDialog(owner) {
    setObjectName(u"frmDanraku"_s);
    setWindowTitle(u"段落指定"_s);
    setModal(true);

    List1 = new QListWidget(this);
    List1->setObjectName(u"List1"_s);
    QFont fixed(u"IPAGothic"_s, 10);
    fixed.setFamilies({u"IPAGothic"_s, u"Noto Sans Mono CJK JP"_s});
    fixed.setStyleHint(QFont::Monospace);
    List1->setFont(fixed);
    List1->addItems(ParagraphSelection::rows(text));
    List1->setCurrentRow(std::clamp(text.CurrentLine - CurrentText::FirstParagraphLine, 0, List1->count() - 1));
    const int rowWidth = QFontMetrics(fixed).horizontalAdvance(QString(48, u'0'));
    List1->setMinimumSize(rowWidth + 40, 320);
    connect(List1, &QListWidget::itemDoubleClicked, this, &frmDanraku::accept);

    auto* ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"Command2"_s);
    auto* cancel = new QPushButton(u"ｷｬﾝｾﾙ"_s, this);
    cancel->setObjectName(u"Command1"_s);
    for (QPushButton* b : {ok, cancel}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(96);
    }
    connect(ok, &QPushButton::clicked, this, &frmDanraku::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(List1);
    layout->addLayout(buttons);

    adjustSize();
    if (owner) {
        const QRect o = owner->frameGeometry();
        move(o.left() + (o.width() - width()) / 2, o.top() + (o.height() - height()) / 2);
    }
}

void frmDanraku::accept() {
    const int index = List1->currentRow();
    if (index < 0) return;
    m_chosen = index;
    QDialog::accept();
}

void frmDanraku::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

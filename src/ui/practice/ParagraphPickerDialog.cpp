#include "ui/practice/ParagraphPickerDialog.h"

#include "core/practice/ParagraphSelection.h"
#include "ui/common/Twips.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

ParagraphPickerDialog::ParagraphPickerDialog(const CurrentText& text, QWidget* owner) : QDialog(owner) {
    setObjectName(u"ParagraphPickerDialog"_s);
    setWindowTitle(u"段落指定"_s);
    setModal(true);
    // The layout follows the text, which follows the zoom of the practice window.
    const double zoom = twips::zoomOf(owner);
    setFont(twips::zoomed(font(), zoom));

    m_paragraphList = new QListWidget(this);
    m_paragraphList->setObjectName(u"paragraphList"_s);
    QFont fixed(u"IPAGothic"_s, 10);
    fixed.setFamilies({u"IPAGothic"_s, u"Noto Sans Mono CJK JP"_s});
    fixed.setStyleHint(QFont::Monospace);
    fixed = twips::zoomed(fixed, zoom);
    m_paragraphList->setFont(fixed);
    m_paragraphList->addItems(ParagraphSelection::rows(text));
    m_paragraphList->setCurrentRow(
        std::clamp(text.currentLine - CurrentText::FirstParagraphLine, 0, m_paragraphList->count() - 1));
    const int rowWidth = QFontMetrics(fixed).horizontalAdvance(QString(48, u'0'));
    m_paragraphList->setMinimumSize(rowWidth + 40, qRound(320 * zoom));
    connect(m_paragraphList, &QListWidget::itemDoubleClicked, this, &ParagraphPickerDialog::accept);

    auto* ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"okButton"_s);
    auto* cancel = new QPushButton(u"ｷｬﾝｾﾙ"_s, this);
    cancel->setObjectName(u"cancelButton"_s);
    for (QPushButton* b : {ok, cancel}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(qRound(96 * zoom));
    }
    connect(ok, &QPushButton::clicked, this, &ParagraphPickerDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_paragraphList);
    layout->addLayout(buttons);

    adjustSize();
    if (owner) {
        const QRect o = owner->frameGeometry();
        move(o.left() + (o.width() - width()) / 2, o.top() + (o.height() - height()) / 2);
    }
}

void ParagraphPickerDialog::accept() {
    const int index = m_paragraphList->currentRow();
    if (index < 0) return;
    m_chosen = index;
    QDialog::accept();
}

void ParagraphPickerDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

#include "ui/settings/TextListSizeDialog.h"

#include "core/practice/Session.h"
#include "core/settings/Options.h"
#include "core/texts/TextCatalogue.h"
#include "ui/common/Twips.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {

constexpr int ClientWidth = 4800;
constexpr int FrameTop = 600;
constexpr int FrameHeight = 1500;
constexpr int ButtonTop = FrameTop + FrameHeight + 240;

} // namespace

TextListSizeDialog::TextListSizeDialog(Session& session, QWidget* owner)
    : DialogFrame(u"TextListSizeDialog"_s, u"テキストリスト表示設定"_s, owner), m(session) {
    addLabel(u"instructionLabel"_s, u"リストに一括表示するテキストの数を設定します。"_s, Margin, 150,
             ClientWidth - 2 * Margin, 360);
    auto* frame = new QGroupBox(this);
    frame->setObjectName(u"sizeFrame"_s);
    twips::place(frame, Margin, FrameTop, ClientWidth - 2 * Margin, FrameHeight);
    const int stored = TextCatalogue::pageSizeOrDefault(m.settings.number(Options::TextsPerPage));
    for (size_t i = 0; i < m_options.size(); ++i) {
        const int size = TextCatalogue::PageSizes[i];
        auto* option = new QRadioButton(QString::number(size).rightJustified(4, u' ') + u"件"_s, frame);
        option->setObjectName(u"sizeOptions(%1)"_s.arg(size));
        twips::place(option, 360 + int(i / 3) * 2100, 180 + int(i % 3) * 420, 1800, 360);
        option->setChecked(size == stored);
        m_options[i] = option;
    }
    const int left = (ClientWidth - 2 * ButtonWidth - ButtonGap) / 2;
    QPushButton* ok = addButton(u"acceptButton"_s, u"OK"_s, left, ButtonTop);
    QPushButton* cancel = addButton(u"rejectButton"_s, u"ｷｬﾝｾﾙ"_s, left + ButtonWidth + ButtonGap, ButtonTop);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        m.settings.setNumber(Options::TextsPerPage, selectedSize());
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setClientSize(ClientWidth, ButtonTop + ButtonHeight + Margin);
}

int TextListSizeDialog::selectedSize() const {
    for (size_t i = 0; i < m_options.size(); ++i)
        if (m_options[i]->isChecked()) return TextCatalogue::PageSizes[i];
    return TextCatalogue::DefaultPageSize;
}

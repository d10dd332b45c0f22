#pragma once

#include "ui/common/DialogFrame.h"

#include <array>

class QRadioButton;
struct Session;

/** Sets how many texts the text picker lists on one page (20 to 1000). OK stores the choice. */
class TextListSizeDialog : public DialogFrame {
    Q_OBJECT

public:
    TextListSizeDialog(Session& session, QWidget* owner);

    /** The size selected now. */
    int selectedSize() const;

private:
    Session& m;
    std::array<QRadioButton*, 6> m_options{};
};

#pragma once

#include "core/practice/Session.h"
#include "core/settings/GaugeTargets.h"
#include "ui/common/DialogFrame.h"

#include <span>

class QComboBox;
class QLabel;
class QScrollBar;

/**
 * "スピードゲージ設定": the target speeds of the Japanese and English texts, set with a slider
 * or by picking a grade of the standard in use. "OK" stores both and makes the loaded text's
 * target the active one; "ｷｬﾝｾﾙ", Esc and the close box store nothing.
 */
class SpeedGaugeDialog : public DialogFrame {
    Q_OBJECT

public:
    SpeedGaugeDialog(Session& session, QWidget* owner);

    /** Opens the window over `owner`; true when "OK" stored the targets. */
    static bool edit(Session& session, QWidget* owner);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /** The widgets of one row and the grades its list offers. */
    struct TargetRow {
        GaugeTargets::Row row;
        std::span<const GaugeTargets::Grade> grades;
        QComboBox* combo = nullptr;
        QScrollBar* slider = nullptr;
        QLabel* value = nullptr;
    };

    void buildRow(TargetRow& row, const QString& name, const QString& heading, const QString& mark, int top);
    void sliderMoved(TargetRow& row);
    void gradePicked(TargetRow& row);
    void store();

    Session& m;
    TargetRow m_japanese{GaugeTargets::Row::Japanese, {}};
    TargetRow m_english{GaugeTargets::Row::English, {}};
    QWidget* m_okButton = nullptr;
};

#include "core/practice/TextLoading.h"
#include "support/MainWindowTest.h"
#include "support/ProgramFolderTest.h"
#include "ui/settings/ColourSettingsDialog.h"
#include "ui/settings/SpeedGaugeDialog.h"

#include <QComboBox>
#include <QRadioButton>
#include <QScrollBar>

#include "gui/common/DialogDriver.h"

using namespace Qt::StringLiterals;
using namespace dialogdriver;

using SettingsDialogTest = ProgramFolderTest;

TEST_F(SettingsDialogTest, ColoursAreStoredOnlyByTheApplyButton) {
    QWidget owner;
    const QByteArray before = m.settings.toBytes();
    ColourSettingsDialog cancelled(m.settings, &owner);
    EXPECT_EQ(execAndAct(cancelled,
                         [](QDialog& d) {
                             child<QRadioButton>(d, "itemButtons(1)")->click();
                             child<QScrollBar>(d, "redSlider")->setValue(200);
                             EXPECT_EQ(child<QLabel>(d, "redValue")->text(), u"200"_s);
                             child<QPushButton>(d, "cancelButton")->click();
                         }),
              QDialog::Rejected);
    EXPECT_EQ(m.settings.toBytes(), before);

    ColourSettingsDialog dialog(m.settings, &owner);
    EXPECT_EQ(execAndAct(dialog,
                         [](QDialog& d) {
                             child<QRadioButton>(d, "itemButtons(8)")->click();
                             EXPECT_TRUE(child(d, "rubyPreview")->isVisible());
                             child<QRadioButton>(d, "itemButtons(0)")->click();
                             EXPECT_FALSE(child(d, "rubyPreview")->isVisible());
                             child<QPushButton>(d, "paletteSwatches(17)")->click();
                             EXPECT_EQ(child(d, "previewLabel")->palette().color(QPalette::WindowText), Qt::red);
                             key(Qt::Key_Return)(d);
                         }),
              QDialog::Accepted);
    const auto number = [this](int entry) { return m.settings.number(entry); };
    EXPECT_EQ(std::tuple(number(14), number(20), number(21), number(22), number(15), number(49)),
              std::tuple(1, 255, 0, 0, 0, 0));
}

TEST_F(SettingsDialogTest, GaugeGradesSetTheTargetsOfTheStandardsRows) {
    QWidget owner;
    m.settings.setNumber(Options::Standard, 2);
    m.settings.setNumber(Options::TargetEnglish, 170);
    SpeedGaugeDialog dialog(m, &owner);
    auto* combo = child<QComboBox>(dialog, "japaneseGradeCombo");
    auto* slider = child<QScrollBar>(dialog, "japaneseSlider");
    EXPECT_EQ(child<QComboBox>(dialog, "englishGradeCombo")->currentText(), u" 2級"_s);
    combo->setCurrentIndex(combo->findText(u" 3級"_s));
    Q_EMIT combo->activated(combo->currentIndex());
    EXPECT_EQ(child<QLabel>(dialog, "japaneseValue")->text(), u"50"_s);
    for (const auto& [value, grade] : {std::pair{69, u" 3級"_s}, std::pair{70, u" 2級"_s}}) {
        slider->setValue(value);
        EXPECT_EQ(combo->currentText(), grade);
    }
    EXPECT_EQ(execAndAct(dialog, click("okButton")), QDialog::Accepted);
    EXPECT_EQ(std::tuple(m.settings.number(Options::TargetJapanese), m.settings.number(Options::TargetEnglish)),
              std::tuple(70, 170));

    m.settings.setNumber(Options::Standard, 3);
    m.settings.setNumber(Options::TargetEnglish, 5000); // out of range, kept as it is
    SpeedGaugeDialog noEnglish(m, &owner);
    EXPECT_FALSE(child(noEnglish, "englishSlider")->isEnabled());
    EXPECT_TRUE(child(noEnglish, "englishMark")->isEnabled());
    EXPECT_EQ(execAndAct(noEnglish, click("okButton")), QDialog::Accepted);
    EXPECT_EQ(m.settings.number(Options::TargetEnglish), 5000);
}

TEST_F(MainWindowTest, ColoursAndTargetTakeEffectOnApplying) {
    start();
    whenModal([](QWidget* d) {
        child<QPushButton>(*d, "paletteSwatches(17)")->click();
        child<QPushButton>(*d, "applyButton")->click();
    });
    trigger(u"colourSettingsAction"_s);
    EXPECT_EQ(window->findChild<QWidget*>(u"textPanel"_s)->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_TRUE(window->findChild<QLabel*>(u"targetLabel"_s)->isHidden());
    whenModal([](QWidget* d) {
        child<QScrollBar>(*d, "japaneseSlider")->setValue(100);
        child<QPushButton>(*d, "okButton")->click();
    });
    trigger(u"speedGaugeAction"_s);
    EXPECT_EQ(label(u"targetLabel"_s), TextLoading::targetLine(session->text.counts.total, 100)); // a Japanese text
    EXPECT_FALSE(window->findChild<QLabel*>(u"targetLabel"_s)->isHidden());
}

#include "support/MainWindowTest.h"
#include "ui/common/CharCellView.h"
#include "ui/main/WindowZoom.h"

#include <QSettings>

using namespace Qt::StringLiterals;

// Growing the window zooms the panels together; each row keeps its character count at every
// font size, and its cells still fit the panel.
TEST_F(MainWindowTest, ResizingZoomsTheCellsAndRowsKeepTheirCounts) {
    writeOwnText(u"長文"_s, {QString(120, u'あ')});
    start(true);
    auto* cells = window->findChild<CharCellView*>(u"cellView"_s);
    auto* form = window->findChild<QWidget*>(u"form"_s);
    const QSize designForm = form->size();
    const QSize chrome = window->size() - designForm;
    const int designCell = cells->cellRect(0).width();
    window->resize(designForm * 2 + chrome);
    QApplication::processEvents();
    EXPECT_NEAR(window->zoom().zoom(), 2.0, 0.02);
    EXPECT_NEAR(form->width(), designForm.width() * 2, 4);
    for (int size = 0; size < 5; ++size) {
        SCOPED_TRACE(size);
        trigger(u"fontSizeActions(%1)"_s.arg(size));
        const int perRow = Options::fontLayout(session->settings.number(Options::FontSize)).charsPerLine;
        const TargetDisplay& d = window->display();
        // Cell perRow starts the second row; the first row's last cell ends inside the view.
        EXPECT_EQ(std::pair(d.cells[size_t(perRow - 1)].top, d.cells[size_t(perRow)].top),
                  std::pair(15, 15 + 30 + d.cells[0].height));
        EXPECT_LE(cells->cellRect(perRow - 1).right(), cells->width());
    }
    trigger(u"fontSizeActions(2)"_s);
    EXPECT_NEAR(cells->cellRect(0).width(), designCell * 2, 2);
    auto* preview = window->findChild<QLabel*>(u"nextParagraphLabel"_s);
    EXPECT_EQ(preview->font().pixelSize(), 32); // 12 points, 16 pixels at the design size
    // Ctrl + "0" returns to the design size and the window wraps it again; Ctrl + "+" steps up.
    auto zoomKey = [this](const QString& name) { window->findChild<QAction*>(name)->trigger(); };
    zoomKey(u"zoomResetAction"_s);
    EXPECT_EQ(std::pair(form->size(), window->zoom().zoom()), std::pair(designForm, 1.0));
    zoomKey(u"zoomInAction"_s);
    QApplication::processEvents();
    EXPECT_EQ(std::pair(window->zoom().zoom(), form->size()), std::pair(1.1, window->centralWidget()->size()));
    startTyping(); // while typing the zoom keys are keystrokes only
    zoomKey(u"zoomInAction"_s);
    stop();
    const QSettings ini(folder() + u"/RinvaleQX.ini"_s, QSettings::IniFormat);
    EXPECT_EQ(ini.value(u"MainWindow/zoomPercent"_s).toInt(), 110);
}

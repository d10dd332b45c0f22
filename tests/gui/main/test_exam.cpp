#include "support/MainWindowTest.h"

#include <QInputMethodEvent>
#include <QTextBlock>
#include <QTextLayout>

using namespace Qt::StringLiterals;

namespace {

class ExamTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        writeOwnText(u"試験"_s, {u"あいう"_s, u"えおか"_s},
                     [](SettingsTable& t) { t.setNumber(Options::Countdown, 2); });
        start();
    }
    QLabel* clock() const { return window->findChild<QLabel*>(u"elapsedLabel"_s); }
};

} // namespace

TEST_F(ExamTest, TimeUpInTheMiddleOfACompositionEndsAndRecordsTheExam) {
    trigger(u"examActions(0)"_s);
    EXPECT_EQ(std::tuple(item(u"examActions(0)"_s)->isChecked(), item(u"wholeTextAction"_s)->isChecked()),
              std::tuple(true, false));
    EXPECT_EQ(std::pair(label(u"elapsedCaption"_s), clock()->text()), std::pair(u"残り時間"_s, u"1:00"_s));
    // Retry abandons an exam as any attempt: nothing is recorded.
    startTyping();
    trigger(u"retryAction"_s);
    EXPECT_EQ(std::pair(state(), QFile::exists(folder() + u"/LogBox/ExamLog.tsv"_s)),
              std::pair(AttemptState::Ready, false));

    startTyping();
    inputEdit->setText(u"あいう"_s);
    tick();
    inputEdit->setText(u"えX"_s);
    fakes.clock.advance(50500);
    tick();
    EXPECT_EQ(std::pair(clock()->text(), clock()->font().bold()), std::pair(u"0:10"_s, true));
    QInputMethodEvent composing(u"か"_s, {});
    QApplication::sendEvent(inputEdit, &composing);
    fakes.clock.advance(10000);
    QStringList shown;
    whenModal([&](QWidget* dialog) {
        for (const char16_t* name : {u"typedValue", u"errorsValue", u"netValue", u"netCpmValue", u"gradeValue(4)"})
            shown << dialog->findChild<QLabel*>(QString::fromUtf16(name))->text();
        dialog->close();
    });
    tick();
    // Three characters done, "えX" typed with one error; the composition was not typed.
    EXPECT_EQ(shown, (QStringList{u"5"_s, u"1"_s, u"4"_s, u"4.0"_s, u"-"_s}));
    EXPECT_EQ(std::tuple(state(), inputEdit->text(), inputEdit->textCursor().block().layout()->preeditAreaText()),
              std::tuple(AttemptState::Ready, QString(), QString()));
    EXPECT_TRUE(readAll(folder() + u"/LogBox/ExamLog.tsv"_s).endsWith("\t240101000000.txt\t試験\tJ\n"));
    // The exam's miss at "お" counts towards the weak characters.
    EXPECT_TRUE(readAll(folder() + u"/LogBox/WeakChars.log"_s).contains("\tお\t1\t1\n"));
    expectNoMessages();
    trigger(u"wholeTextAction"_s);
    EXPECT_EQ(std::pair(label(u"elapsedCaption"_s), session->preferences.examMinutes), std::pair(u"タイム"_s, 0));
}

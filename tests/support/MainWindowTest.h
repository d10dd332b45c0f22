#pragma once

#include "core/practice/SessionFiles.h"
#include "core/settings/Options.h"
#include "core/texts/TextStats.h"
#include "core/util/Cp932.h"
#include "support/FakePlatform.h"
#include "support/TestFiles.h"
#include "ui/main/InputBox.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

/** The main window in a program folder of its own with fake platform services, started and closed as the application
 *  does it (the session's files read first, the settings file written at closing); messages are collected. */
class MainWindowTest : public ::testing::Test {
protected:
    using Configure = std::function<void(SettingsTable&)>;

    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    void TearDown() override { stop(); }

    QString folder() const { return m_dir.path(); }
    QString settingsPath() const { return folder() + u"/RudUZ.rvl"_s; }
    SettingsTable storedSettings() const { return SettingsTable::fromBytes(readAll(settingsPath())); }

    /** A settings file; the program, if it runs, closes first, as its exit would overwrite it. */
    void writeSettings(const Configure& configure) {
        stop();
        SettingsTable table;
        if (configure) configure(table);
        writeAll(settingsPath(), table.toBytes());
    }
    /** A text of the user's own in FileBox (lines as the editor writes them), made current. */
    void writeOwnText(const QString& title, const QStringList& paragraphs, const Configure& configure = {},
                      const QString& name = u"240101000000.txt"_s, const QString& bestTimes = {}) {
        QDir().mkpath(folder() + u"/FileBox"_s);
        const QStringList lines =
            QStringList{u"出所"_s, u"240101"_s, title, countsLine(classifyChars(paragraphs.join(QString()))),
                        bestTimes.isEmpty() ? QStringList(10, u"99999.99"_s).join(u',') : bestTimes}
            << paragraphs;
        writeAll(folder() + u"/FileBox/"_s + name, cp932::encode(lines.join(u"\r\n"_s) + u"\r\n"_s));
        writeSettings([&](SettingsTable& table) {
            table[Options::CurrentFile].address = name;
            if (configure) configure(table);
        });
    }

    /** Starts the program; `shown` puts the window on screen as the active window. */
    void start(bool shown = false) {
        stop();
        session = std::make_unique<Session>();
        session->programFolder = folder();
        window = std::make_unique<MainWindow>(*session, fakes.platform);
        window->setMessageHandler([this](const QString& text) { messages.append(text); });
        for (const QString& problem : SessionFiles::open(*session))
            window->message(problem);
        QObject::connect(window.get(), &MainWindow::closing, [this] {
            QString error;
            if (!SessionFiles::save(*session, &error)) window->message(error);
        });
        window->startUp();
        if (shown) {
            window->show();
            QApplication::setActiveWindow(window.get());
        }
        inputEdit = window->findChild<InputBox*>(u"inputEdit"_s);
    }
    /** Closes the window, which writes the settings file. */
    void stop() {
        if (window) window->close();
        window.reset();
    }
    void expectNoMessages() const { EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString(); }

    PracticeController& practice() { return window->practice(); }
    AttemptState state() const { return window->attempt().state(); }
    QString label(const QString& name) const { return window->findChild<QLabel*>(name)->text(); }
    QAction* item(const QString& name) const {
        QAction* a = window->action(name);
        EXPECT_NE(a, nullptr) << name.toStdString();
        return a;
    }
    void trigger(const QString& name) const { item(name)->trigger(); }
    /** A key press (and its release, when asked) sent to `target`, the main window by default. */
    void key(int qtKey, const QString& text = {}, QWidget* target = nullptr, quint32 native = 0, bool release = false) {
        target = target ? target : window.get();
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, native, 0, 0, text),
            up(QEvent::KeyRelease, qtKey, Qt::NoModifier, native, 0, 0, text);
        QApplication::sendEvent(target, &press);
        if (release) QApplication::sendEvent(target, &up);
    }
    /** Space (or the practice's own start), then the countdown to its end. */
    void startTyping(bool bySpace = true) {
        if (bySpace)
            key(Qt::Key_Space, u" "_s);
        else
            practice().startAttempt();
        for (int i = 0; i < 400 && state() == AttemptState::Countdown; ++i) {
            fakes.clock.advance(10);
            practice().countdownTick();
        }
        ASSERT_EQ(state(), AttemptState::Running);
    }
    void tick(int times = 1) {
        for (int i = 0; i < times; ++i) {
            fakes.clock.advance(10);
            practice().runTick();
        }
    }
    /** Answers the next modal window once it is up. */
    void whenModal(std::function<void(QWidget*)> answer) {
        QTimer::singleShot(0, [answer] {
            if (QWidget* modal = QApplication::activeModalWidget()) answer(modal);
        });
    }

    QTemporaryDir m_dir;
    FakePlatform fakes;
    std::unique_ptr<Session> session;
    QStringList messages;
    std::unique_ptr<MainWindow> window;
    InputBox* inputEdit = nullptr;
};

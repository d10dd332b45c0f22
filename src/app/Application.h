#pragma once

#include "core/practice/Session.h"

class QApplication;

/**
 * The program once Qt runs: it finds the program folder, makes sure only one copy works in
 * it, wires the real platform services, owns the session, reads its files at start-up and
 * writes the settings at exit, and opens the main window.
 */
class Application {
public:
    explicit Application(QApplication& qt);

    /** Runs the program to its end; the process exit code. */
    int run();

private:
    QApplication& m_qt;
    Session m_session;
};

#pragma once

#include <QString>

#include <memory>

class QFile;

/**
 * An optional log of the practice window's key handling, one line per event, written when
 * the environment variable RINVALE_KEY_LOG names a file. The end-to-end tests read it to
 * check what the program counted and how long a key took from the keyboard to the count.
 */
class KeyTrace {
public:
    KeyTrace();
    ~KeyTrace();
    bool enabled() const { return m_file != nullptr; }
    /** Appends one line (flushed at once, so a test reads it while the program runs). */
    void line(const QString& text);

private:
    std::unique_ptr<QFile> m_file;
};

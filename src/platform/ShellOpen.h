#pragma once

#include <QString>

/** Opens a file or a web address with the desktop's default application. */
class ShellOpen {
public:
    virtual ~ShellOpen() = default;
    /** Returns false when the desktop could not open it. */
    virtual bool open(const QString& fileOrAddress) = 0;
};

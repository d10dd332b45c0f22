#pragma once

#include <QtGlobal>

/** The millisecond clock of all attempt timing (nowMs). Values wrap at 2^32. */
class Clock {
public:
    virtual ~Clock() = default;
    virtual quint32 nowMs() const = 0;
};

/** Milliseconds from `earlier` to `later`, right across the 32-bit wrap of the clock. */
constexpr qint32 elapsedMs(quint32 earlier, quint32 later) {
    return static_cast<qint32>(later - earlier);
}

#pragma once

#include "core/util/Clock.h"

/** The machine's monotonic clock. */
class SystemClock final : public Clock {
public:
    quint32 nowMs() const override;
};

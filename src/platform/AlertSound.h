#pragma once

/** The system alert sound (the miss sound of the practice window). */
class AlertSound {
public:
    virtual ~AlertSound() = default;
    virtual void play() = 0;
};

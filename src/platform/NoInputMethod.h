#pragma once

#include "platform/InputMethod.h"

/** No input method on this desktop: every key is its own and the input method counts as off. */
class NoInputMethod final : public InputMethod {
public:
    int status() const override { return 2; }
    void close() override {}
    void setInputMode(int) override {}
};

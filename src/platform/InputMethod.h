#pragma once

/**
 * The system input method as the practice sees it: its status, opening and closing it,
 * and the input mode the input box starts with.
 */
class InputMethod {
public:
    virtual ~InputMethod() = default;

    /** 0 no input method, 2 off, 4 on (Japanese input); finer modes may report 4. */
    virtual int status() const = 0;

    /** Closes the input method (switches Japanese input off). */
    virtual void close() = 0;

    /**
     * The input box's input mode at the start of typing: 0 leaves it as it is, 2 closes the
     * input method, 4 to 8 open it (hiragana, katakana, alphanumeric modes are the input
     * method's own business once it is open).
     */
    virtual void setInputMode(int mode) = 0;
};

#pragma once
#include <exception>
#include <string>

// The common base of every error this program reports to the user. The only
// content is the message, which is what the user sees in place of a result
// (8-bit text; code page 932 is allowed).
class myexception : public std::exception {
public:
    explicit myexception(const std::string& message) : m_message(message) {}

    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

// Raised when there is not enough memory: for evaluating a text (Calculator)
// or for the clipboard to take the result text.
class memory_error : public myexception {
public:
    explicit memory_error(const std::string& message) : myexception(message) {}
};

// "メモリエラー。" in code page 932.
inline constexpr const char* memoryErrorMessage = "\x83\x81\x83\x82\x83\x8A\x83\x47\x83\x89\x81\x5B\x81\x42";

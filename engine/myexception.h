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

// Raised when the clipboard cannot take the result text.
class memory_error : public myexception {
public:
    explicit memory_error(const std::string& message) : myexception(message) {}
};

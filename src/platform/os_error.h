#pragma once
#include <stdexcept>
#include <string>

// A failure the operating system reported, with its error code and its own message text.
// Callers that must tell it apart from other failures (a game that cannot be started)
// catch this type.
class OsError : public std::runtime_error {
public:
    OsError(unsigned long code, const std::string& message) : std::runtime_error(message), code_(code) {}
    unsigned long Code() const { return code_; }

private:
    unsigned long code_;
};

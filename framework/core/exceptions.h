#pragma once

#include <stdexcept>
#include <string>

// Raised whenever a nil object is used: a missing window, control, picture or folder item.
class NilObjectException : public std::runtime_error {
public:
    NilObjectException() : std::runtime_error("NilObjectException: an object that is used is nil") {}
    explicit NilObjectException(const std::string& what)
        : std::runtime_error("NilObjectException: " + what) {}
};

// A misuse of the framework that is the program's fault, not the user's: a malformed layout
// property list, a handler whose signature does not match its event, a cast to a wrong class.
class FrameworkError : public std::runtime_error {
public:
    explicit FrameworkError(const std::string& what) : std::runtime_error(what) {}
};

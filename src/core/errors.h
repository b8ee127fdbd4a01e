#pragma once

#include <stdexcept>
#include <string>

namespace lumo {

// Every error the system raises derives from this one base; its message is the
// system's own text (UTF-8), ready to be shown to the examiner.
class LumoError : public std::runtime_error {
public:
    explicit LumoError(const std::string& message) : std::runtime_error(message) {}
};

// A text that should have been a number, a colour or a date.
class EConvertError : public LumoError {
public:
    using LumoError::LumoError;
};

// A file that cannot be read, written or understood.
class EInOutError : public LumoError {
public:
    using LumoError::LumoError;
};

// An index outside a list, or a list that cannot take another entry.
class EListError : public LumoError {
public:
    using LumoError::LumoError;
};

}  // namespace lumo

#pragma once
// A raised error: the number, source and description that the system's components
// report when an operation fails and the caller must be told.

#include <cstdint>
#include <stdexcept>
#include <string>

class RaisedError : public std::runtime_error {
public:
    RaisedError(std::int32_t number, std::string source, std::string description)
        : std::runtime_error(description),
          number_(number),
          source_(std::move(source)),
          description_(std::move(description)) {}

    std::int32_t Number() const { return number_; }
    const std::string& Source() const { return source_; }
    const std::string& Description() const { return description_; }

private:
    std::int32_t number_;
    std::string source_;
    std::string description_;
};

#pragma once
// The values that travel between the main program and an add-in: the arguments of its
// methods and the results of its members. An add-in written for the automation model
// answers with whatever it likes, so the program converts each answer to the type it
// needs with the conversion rules of that model.

#include <cstdint>
#include <string>
#include <variant>

// Empty (no value), a boolean, a whole number, a floating number or a text.
using AutomationValue = std::variant<std::monostate, bool, std::int32_t, double, std::string>;

// The boolean meaning of VALUE: empty is false, numbers are true when not 0, texts
// "True"/"False" (any case) or numeric texts count as such. Any other text raises a
// "Type mismatch" error (number 13) with SOURCE as its source.
bool toBoolean(const AutomationValue& value, const std::string& source);

#pragma once
// Reading numbers that users type into a dialog's text field, as the language's own
// conversions read them: a text "is a number" only as a whole, while the value kept is
// the number the text starts with.

#include <optional>
#include <string_view>

namespace numericText {

// The number TEXT stands for as a whole: blanks (spaces and tabs) around it, an optional
// sign, digits with at most one decimal point and at least one digit ("2.5", " -3 ",
// ".5"). Nothing when any other character is in it or no digit is.
std::optional<double> valueOf(std::string_view text);

// The number TEXT starts with, after leading blanks and an optional sign; 0 when it starts
// with none ("7x" gives 7, "x" gives 0).
double leadingValue(std::string_view text);

}  // namespace numericText

#pragma once

#include <optional>
#include <string>

namespace hitungrama {

// What the entry keys make of the display text. The display keeps a number
// as it is typed ("1.050" stays so) in typed form: an optional "-", digits
// without a leading zero (a single 0 before a point or alone), an optional
// point and fraction digits. A numeral with leading zeros (a binary numeral)
// is read in typed form first: "00000101" is 101. These rules see only the
// text; the engine decides what the number is from it.

// The most digits a typed number holds; the 0 of a leading "0." does not count.
inline constexpr int kMaxTypedDigits = 15;

struct EntryEdit {
    enum class Kind {
        Text,      // the display becomes `text`
        Unchanged, // nothing to do (a point on a number that has one)
        Refused,   // nothing changes, and the key is refused
        NewNumber, // no number to extend: `text` starts a new one
    };
    Kind kind;
    std::string text;
};

// A digit typed onto the display. A digit on "0" replaces it; a number that
// holds kMaxTypedDigits digits, and an exponent form ("1E+20"), refuse it; on
// a text that is no number (a message, "Infinity", "NaN") it starts a new
// number.
EntryEdit typeDigit(const std::string &display, int digit);

// The decimal point typed onto the display: appended to a typed number
// without one ("." on an empty display); refused on an exponent form; "0."
// as a new number on a text that is no number.
EntryEdit typePoint(const std::string &display);

// Back-Space: a typed number without its last character ("12.5" gives
// "12.", "-123" gives "-12"); no sign is left before a zero ("-0.5" gives
// "0.") and a text left without a digit is "0". An empty display and a text
// that is no number give "0". Nothing for an exponent form, which Back-Space
// divides by ten instead.
std::optional<std::string> backSpaceText(const std::string &display);

} // namespace hitungrama

// Fuzzes the paste rule: no input may crash it, an accepted number is finite
// (a whole number of 0s and 1s in binary mode), and every display text of an
// accepted number pastes back as the number it shows.
#include "engine/engineerror.h"
#include "engine/numbertext.h"
#include "engine/pastedtext.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

[[noreturn]] void fail(const char *what, const std::string &text)
{
    std::fprintf(stderr, "%s: \"%s\"\n", what, text.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the mode; the rest is the clipboard's text.
    const bool binary = (data[0] & 1) != 0;
    const std::string text(reinterpret_cast<const char *>(data + 1), size - 1);
    const std::optional<double> value = hitungrama::readPastedText(text, binary);
    if (!value)
        return 0;
    if (!std::isfinite(*value) || (*value == 0 && std::signbit(*value)))
        fail("accepted a non-finite value or -0", text);
    if (binary && (*value < 0 || std::floor(*value) != *value))
        fail("binary mode accepted more than 0s and 1s", text);
    const std::string shown = hitungrama::formatGeneral(*value);
    const std::optional<double> again = hitungrama::readPastedText(shown, false);
    if (!again || *again != hitungrama::parseStrict(shown))
        fail("a display text does not paste back", shown);
    return 0;
}

#include "testsupport/displayrule.h"

#include "engine/engineerror.h"
#include "engine/enginetexts.h"
#include "engine/numbertext.h"

namespace hitungrama::DisplayRule {

std::string normalised(const std::string &text)
{
    std::string result = text;
    if (!result.empty() && result.back() == '.')
        result.pop_back();
    const std::size_t first = result.find_first_not_of('0');
    return first == std::string::npos ? std::string() : result.substr(first);
}

bool accepts(const std::string &display)
{
    const std::string text = normalised(display);
    if (text.empty() || text == enginetext::kMemoryRefusesZero || text == enginetext::kDivisionByZero)
        return true;
    try {
        parseStrict(text);
        return true;
    } catch (const EngineError &) {
        return false;
    }
}

} // namespace hitungrama::DisplayRule

#include "engine/calculation.h"

#include "engine/engineerror.h"
#include "engine/numbertext.h"

namespace hitungrama {

namespace {

const std::string kBinaryConversionStart = "BIN(";

} // namespace

std::string binaryConversion(const std::string &operand)
{
    return kBinaryConversionStart + operand + ")";
}

bool isBinaryConversion(const std::string &expression)
{
    return expression.compare(0, kBinaryConversionStart.size(), kBinaryConversionStart) == 0;
}

// Every number the engine writes reads back (numbertext.h); no message does.
bool isMessageResult(const std::string &result)
{
    try {
        parseStrict(result);
        return false;
    } catch (const EngineError &) {
        return true;
    }
}

} // namespace hitungrama

#include "tapeview/taperecorder.h"

#include "engine/enginetexts.h"
#include "tape/tapestore.h"
#include "i18n/translationtable.h"

#include <utility>

namespace hitungrama {

TapeRecorder::TapeRecorder(std::function<TapeStore *()> tape, std::function<bool()> binaryMode)
    : m_tape(std::move(tape))
    , m_binaryMode(std::move(binaryMode))
{
}

void TapeRecorder::calculationFinished(const Calculation &calculation)
{
    TapeLine line;
    line.time = QDateTime::currentDateTimeUtc();
    line.expression = QString::fromStdString(calculation.expression);
    // A line is a record: its words stay in the language installed when it
    // was made. A conversion from binary is written under its button's name.
    const std::string &decimal = enginetext::kDecimalFunction;
    if (calculation.expression.compare(0, decimal.size() + 1, decimal + '(') == 0)
        line.expression.replace(0, int(decimal.size()), TranslationTable::engine().translated(decimal));
    line.result = calculation.resultIsMessage ? TranslationTable::engine().translated(calculation.result)
                                              : QString::fromStdString(calculation.result);
    line.binary = m_binaryMode();
    m_tape()->append(line);
}

} // namespace hitungrama

#include "window/taperecorder.h"

#include "tape/tapestore.h"

#include <utility>

namespace hitungrama {

TapeRecorder::TapeRecorder(TapeStore &store, std::function<bool()> binaryMode)
    : m_store(store)
    , m_binaryMode(std::move(binaryMode))
{
}

void TapeRecorder::calculationFinished(const Calculation &calculation)
{
    TapeLine line;
    line.time = QDateTime::currentDateTimeUtc();
    line.expression = QString::fromStdString(calculation.expression);
    line.result = QString::fromStdString(calculation.result);
    line.binary = m_binaryMode();
    m_store.append(line);
}

} // namespace hitungrama

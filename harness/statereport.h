#pragma once

#include "harness/recordingmessageboxservice.h"

#include <QString>

#include <vector>

namespace hitungrama {

class Form1;

// One line of the replay harness's output: the action, the engine's numbers,
// the visible state of the window, the boxes and beeps of the action, the
// focused control, whether the program has ended and, last, the tape as
// committed. Keys keep a fixed order.
namespace StateReport {

// How long a report waits for the tape's queued writes, and how many of its
// newest lines it shows.
constexpr int kTapeSettleMs = 2000;
constexpr int kTapeLastLines = 3;

struct Extras {
    std::vector<RecordingMessageBoxService::Record> boxes;
    int beeps = 0;
    bool exited = false;
    QString error; // added as "error" when not empty
};

QString build(const Form1 &form, const QString &action, const Extras &extras);

// printf's %.17g of the value, or "inf", "-inf", "nan".
QString formatNumber(double value);
// The control's name, with "(index)" for a group member; "" for none.
QString focusName(const Form1 &form);

} // namespace StateReport

} // namespace hitungrama

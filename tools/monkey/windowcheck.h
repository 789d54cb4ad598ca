#pragma once

#include "harness/recordingmessageboxservice.h"

#include <QString>

#include <vector>

namespace hitungrama {

class Form1;

// What holds after any action, checked on the window itself: the outer width
// is the narrow or the wide one, a wide window shows its width toggle, the
// toggle reads "->" or "<-", every box has a title and an answer its buttons
// offer, the display holds what DisplayRule accepts, and the tape window,
// once opened, watches the tape exactly while it is open and shows the
// tape's notice when there is one.
namespace WindowCheck {

// Empty when the window is sound, else what is wrong. The boxes are those of
// the last action.
QString problem(const Form1 &form, const std::vector<RecordingMessageBoxService::Record> &boxes);

} // namespace WindowCheck

} // namespace hitungrama

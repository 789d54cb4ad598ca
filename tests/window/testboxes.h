#pragma once

#include "window/recordingmessageboxservice.h"

#include <gtest/gtest.h>

namespace hitungrama::test {

// A recorder that fails the test when a box arrives that the test did not
// announce with expect(); the box is still answered, so nothing hangs.
class TestBoxes : public RecordingMessageBoxService {
public:
    void expect(int count = 1) { m_expected += count; }

    MessageAnswer show(QWidget *parent, const MessageBoxRequest &request) override
    {
        if (m_expected == 0)
            ADD_FAILURE() << "unexpected message box \"" << request.title.toStdString()
                          << "\": " << request.text.toStdString();
        else
            --m_expected;
        return RecordingMessageBoxService::show(parent, request);
    }

private:
    int m_expected = 0;
};

} // namespace hitungrama::test

#pragma once

#include "harness/recordingmessageboxservice.h"
#include "form/form1.h"
#include "app/programstart.h"

#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace hitungrama::test {

// A recorder that fails the test when a box arrives that the test did not
// announce with expect(); the box is still answered, so nothing hangs.
class TestBoxes : public RecordingMessageBoxService {
public:
    void expect(int count = 1) { m_expected += count; }
    // Runs while a box is open, before it is answered.
    std::function<void()> whileOpen;

    MessageAnswer show(QWidget *parent, const MessageBoxRequest &request) override
    {
        if (m_expected == 0)
            ADD_FAILURE() << "unexpected message box \"" << request.title.toStdString()
                          << "\": " << request.text.toStdString();
        else
            --m_expected;
        if (whileOpen)
            whileOpen();
        return RecordingMessageBoxService::show(parent, request);
    }

private:
    int m_expected = 0;
};

// A fresh Form1 created as the program creates it, answering boxes through
// TestBoxes.
struct WindowSetup {
    TestBoxes boxes;
    std::unique_ptr<Form1> form = ProgramStart::createWindow("window_tests", boxes);

    // Shows the window as the program does and waits until it takes keyboard
    // input.
    bool show()
    {
        if (form == nullptr)
            return false;
        ProgramStart::show(*form);
        form->activateWindow();
        return QTest::qWaitForWindowActive(form.get(), 2000);
    }
};

} // namespace hitungrama::test

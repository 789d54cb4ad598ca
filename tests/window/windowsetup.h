#pragma once

#include "testboxes.h"
#include "window/form1.h"
#include "window/layoutloader.h"

#include <QTest>

#include <memory>

namespace hitungrama::test {

// A fresh Form1 from the compiled-in layout, answering boxes through TestBoxes.
struct WindowSetup {
    TestBoxes boxes;
    std::unique_ptr<Form1> form;

    WindowSetup()
    {
        const LayoutLoader::Result &layout = LayoutLoader::builtIn();
        EXPECT_TRUE(layout.ok()) << layout.error.toStdString();
        form = std::make_unique<Form1>(layout.layout, boxes);
    }

    // Shows the window and waits until it takes keyboard input.
    bool show()
    {
        form->centreOnScreen();
        form->show();
        form->activateWindow();
        return QTest::qWaitForWindowActive(form.get(), 2000);
    }
};

} // namespace hitungrama::test

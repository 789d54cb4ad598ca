#include "testhost.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

using namespace hitungrama;
using namespace hitungrama::test;

TEST(Probe, hover)
{
    TestHost host;
    EventLog log(host.first());
    TestHost::movePointerTo(host.first(), QPoint(10, 10));
    qDebug() << log.lines() << QApplication::widgetAt(QCursor::pos()) << QCursor::pos() << host.first()->mapToGlobal(QPoint(10,10));
    TestHost::movePointerTo(host.first(), QPoint(11, 10));
    TestHost::movePointerTo(host.first(), QPoint(12, 10));
    qDebug() << log.take();
    host.movePointerAway();
    waitFor([&]{ return log.lines().size() > 0; });
    qDebug() << log.take();
    TestHost::doubleClick(host.first(), QPoint(5, 5));
    qDebug() << log.take();
    TestHost::click(host.first(), QPoint(5, 5));
    TestHost::click(host.first(), QPoint(5, 5));
    qDebug() << log.take();
    TestHost::press(host.first(), QPoint(5, 5));
    TestHost::movePointerTo(host.first(), QPoint(6, 5));
    TestHost::movePointerTo(host.first(), QPoint(7, 5));
    TestHost::movePointerTo(host.first(), QPoint(-7, 5));
    qDebug() << log.take();
    waitFor([&]{ return log.lines().size() > 0; });
    TestHost::movePointerTo(host.first(), QPoint(7, 5));
    TestHost::release(host.first(), QPoint(7, 5));
    TestHost::movePointerTo(host.first(), QPoint(8, 5));
    qDebug() << log.take();
    host.first()->setCaption("&Save");
    QTest::keyClick(host.window(), Qt::Key_S, Qt::AltModifier);
    qDebug() << log.take() << QApplication::focusWidget();
}

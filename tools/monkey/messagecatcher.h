#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace hitungrama {

// Collects Qt's warnings during the run: the window warns only when
// something went wrong (an exception stopped at a handler, a picture that
// would not load), so every warning fails the action that caused it. The
// offscreen platform's notes about features it lacks are dropped.
class MessageCatcher {
public:
    static void install();
    static QStringList take();

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message);
};

} // namespace hitungrama

#include "messagecatcher.h"

#include <mutex>

namespace hitungrama {

namespace {

std::mutex caughtMutex;
QStringList caught;
QtMessageHandler previousHandler = nullptr;

} // namespace

void MessageCatcher::install()
{
    const QtMessageHandler previous = qInstallMessageHandler(&MessageCatcher::handle);
    if (previous != &MessageCatcher::handle)
        previousHandler = previous;
}

QStringList MessageCatcher::take()
{
    const std::lock_guard<std::mutex> lock(caughtMutex);
    QStringList messages;
    messages.swap(caught);
    return messages;
}

void MessageCatcher::handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (type == QtWarningMsg || type == QtCriticalMsg) {
        const std::lock_guard<std::mutex> lock(caughtMutex);
        caught << message;
    }
    if (previousHandler != nullptr)
        previousHandler(type, context, message);
}

} // namespace hitungrama

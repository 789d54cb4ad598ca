#include "harness/harnessapplication.h"

#include <QLocale>

#include <clocale>
#include <mutex>

namespace hitungrama {

namespace {

constexpr int kKeptWarnings = 100;

std::mutex warningsMutex;
QStringList warnings;
QtMessageHandler previousHandler = nullptr;

void filterMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (type == QtWarningMsg || type == QtCriticalMsg) {
        const std::lock_guard<std::mutex> lock(warningsMutex);
        if (warnings.size() >= kKeptWarnings)
            warnings.removeFirst();
        warnings << message;
    }
    if (previousHandler != nullptr)
        previousHandler(type, context, message);
}

} // namespace

HarnessApplication::HarnessApplication(int &argc, char **argv, Language language)
    : QApplication(prepareEnvironment(argc), argv)
{
    // QApplication took the locale from the environment; numbers and texts
    // must not.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    LanguageSetup::install(language);
}

int &HarnessApplication::prepareEnvironment(int &argc)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QtMessageHandler previous = qInstallMessageHandler(&filterMessage);
    if (previous != &filterMessage)
        previousHandler = previous;
    return argc;
}

QStringList HarnessApplication::takeWarnings()
{
    const std::lock_guard<std::mutex> lock(warningsMutex);
    QStringList taken;
    taken.swap(warnings);
    return taken;
}

} // namespace hitungrama

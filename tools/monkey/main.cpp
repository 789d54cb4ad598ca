// hitungrama-monkey: random actions on the real window with a check after
// each; see Monkey.
#include "monkey.h"

#include "harness/harnessapplication.h"
#include "harness/temporaryhome.h"

#include <QCommandLineParser>

#include <cstdio>
#include <optional>
#include <type_traits>

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer holds freed memory back (256 MB by default) and returns
// it in large batches, each taking 80 to 250 ms of processor time at some
// random action: far above the time limit, and nothing to do with the
// window. A 16 MB hold still catches a use of memory freed shortly before,
// which is where a fault of one action shows. ASAN_OPTIONS in the
// environment overrides this.
extern "C" const char *__asan_default_options()
{
    return "quarantine_size_mb=16";
}
#endif

namespace {

using hitungrama::Monkey;

std::optional<Monkey::Options> readOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Performs random actions on the real window and checks it after each; an action taking\n"
        "more processor time than the limit fails the run. A failure prints the seed and the\n"
        "last actions."));
    parser.addHelpOption();
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the actions (default %1).")
                                      .arg(Monkey::Options::kDefaultSeed), QStringLiteral("S"));
    const QCommandLineOption actions(QStringLiteral("actions"), QStringLiteral("Number of actions (default 20000)."),
                                     QStringLiteral("N"));
    const QCommandLineOption maxMs(QStringLiteral("max-ms"),
                                   QStringLiteral("Processor time limit of one action in ms (default 100)."),
                                   QStringLiteral("M"));
    const QCommandLineOption settleMs(QStringLiteral("settle-ms"),
                                      QStringLiteral("Time each pointer move lets the hover timers run (default %1).")
                                          .arg(Monkey::Options().settleMs), QStringLiteral("T"));
    const QCommandLineOption trace(QStringLiteral("trace"),
                                   QStringLiteral("Print every action with its wall, processor and queued time."));
    parser.addOptions({seed, actions, maxMs, settleMs, trace});
    parser.process(arguments);
    if (!parser.positionalArguments().isEmpty())
        parser.showHelp(2);

    // Whole numbers written with digits only: toULongLong would also take
    // signs, blanks and "0x".
    const auto read = [&parser](const QCommandLineOption &option, qulonglong low, qulonglong high,
                                auto &field) {
        if (!parser.isSet(option))
            return true;
        const QString text = parser.value(option);
        bool digits = !text.isEmpty();
        for (const QChar c : text)
            digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        bool ok = false;
        const qulonglong value = text.toULongLong(&ok, 10);
        if (digits && ok && value >= low && value <= high) {
            field = static_cast<std::decay_t<decltype(field)>>(value);
            return true;
        }
        std::fprintf(stderr, "hitungrama-monkey: --%s takes a whole number from %llu to %llu\n",
                     qPrintable(option.names().first()), low, high);
        return false;
    };
    Monkey::Options options;
    if (!read(seed, 0, 0xFFFFFFFFull, options.seed) || !read(actions, 0, 1000000000ull, options.actions)
        || !read(maxMs, 1, 600000, options.maxActionMs) || !read(settleMs, 0, 1000, options.settleMs))
        return std::nullopt;
    options.trace = parser.isSet(trace);
    return options;
}

} // namespace

int main(int argc, char *argv[])
{
    // Twenty thousand actions write a long tape: never the user's.
    const hitungrama::TemporaryHome home;
    hitungrama::HarnessApplication app(argc, argv);
    const std::optional<Monkey::Options> options = readOptions(QCoreApplication::arguments());
    if (!options)
        return 2;
    int code = 0;
    {
        Monkey monkey(*options);
        code = monkey.run();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return code;
}

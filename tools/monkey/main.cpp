// hitungrama-monkey: random actions on the real window with a check after
// each; see Monkey.
#include "monkey.h"

#include "harness/harnessapplication.h"

#include <QCommandLineParser>

#include <algorithm>
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

// A whole number from low to high written with digits only.
std::optional<unsigned long long> count(const QString &text, unsigned long long low,
                                        unsigned long long high)
{
    bool ok = false;
    const unsigned long long value = text.toULongLong(&ok);
    const bool digits = !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit() && c.unicode() < 0x80; });
    if (!ok || !digits || value < low || value > high)
        return std::nullopt;
    return value;
}

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

    Monkey::Options options;
    const auto take = [&parser](const QCommandLineOption &option, unsigned long long low,
                                unsigned long long high, auto &field) {
        if (!parser.isSet(option))
            return true;
        const auto value = count(parser.value(option), low, high);
        if (!value) {
            std::fprintf(stderr, "hitungrama-monkey: --%s takes a whole number from %llu to %llu\n",
                         qPrintable(option.names().first()), low, high);
            return false;
        }
        field = static_cast<std::decay_t<decltype(field)>>(*value);
        return true;
    };
    if (!take(seed, 0, 0xFFFFFFFFull, options.seed) || !take(actions, 0, 1000000000ull, options.actions)
        || !take(maxMs, 1, 600000, options.maxActionMs) || !take(settleMs, 0, 1000, options.settleMs))
        return std::nullopt;
    options.trace = parser.isSet(trace);
    return options;
}

} // namespace

int main(int argc, char *argv[])
{
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

#include "monkeyoptions.h"

namespace hitungrama {

namespace {

// Digits only: QString's own conversions accept signs, blanks and "0x".
bool readCount(const QString &text, unsigned long long limit, unsigned long long *value)
{
    if (text.isEmpty() || text.size() > 20)
        return false;
    unsigned long long result = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        result = result * 10 + static_cast<unsigned>(c.unicode() - '0');
        if (result > limit)
            return false;
    }
    *value = result;
    return true;
}

} // namespace

MonkeyOptions MonkeyOptions::parse(const QStringList &arguments)
{
    MonkeyOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.help = true;
            continue;
        }
        if (argument == QLatin1String("--trace")) {
            options.trace = true;
            continue;
        }
        QString name = argument;
        QString value;
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        if (argument.startsWith(QLatin1String("--")) && equals > 0) {
            name = argument.left(equals);
            value = argument.mid(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments.at(i + 1);
        }
        const bool separate = name == argument;

        unsigned long long number = 0;
        if (name == QLatin1String("--seed")) {
            if (!readCount(value, 0xFFFFFFFFull, &number))
                options.error = QStringLiteral("--seed takes a whole number from 0 to 4294967295");
            options.seed = static_cast<std::uint32_t>(number);
        } else if (name == QLatin1String("--actions")) {
            if (!readCount(value, 1000000000ull, &number))
                options.error = QStringLiteral("--actions takes a whole number from 0 to 1000000000");
            options.actions = static_cast<long long>(number);
        } else if (name == QLatin1String("--max-ms")) {
            if (!readCount(value, 600000ull, &number) || number == 0)
                options.error = QStringLiteral("--max-ms takes a whole number from 1 to 600000");
            options.maxActionMs = static_cast<int>(number);
        } else {
            options.error = QStringLiteral("unknown argument \"%1\"").arg(argument);
        }
        if (!options.error.isEmpty())
            return options;
        if (separate)
            ++i;
    }
    return options;
}

QString MonkeyOptions::usage()
{
    return QStringLiteral(
        "usage: hitungrama-monkey [--seed S] [--actions N] [--max-ms M] [--trace]\n"
        "Performs N random actions (default 20000) drawn from seed S (default %1) on the\n"
        "real window and checks the state after each; an action slower than M ms\n"
        "(default 100) fails the run. A failure prints the seed and the last actions.\n"
        "--trace prints every action with its wall, processor and queued time in ms.\n")
        .arg(kDefaultSeed);
}

} // namespace hitungrama

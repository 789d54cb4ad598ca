#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace hitungrama {

// The command line: --seed S, --actions N, --max-ms M, --trace, --help.
struct MonkeyOptions {
    static constexpr std::uint32_t kDefaultSeed = 20261206;

    std::uint32_t seed = kDefaultSeed;
    long long actions = 20000;
    int maxActionMs = 100;
    bool trace = false; // print each action with its time
    bool help = false;
    QString error; // empty when the command line was understood

    // The arguments without the program name.
    static MonkeyOptions parse(const QStringList &arguments);
    static QString usage();
};

} // namespace hitungrama

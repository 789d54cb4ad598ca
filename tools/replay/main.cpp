// hitungrama-replay: reads actions from standard input, performs each on the
// real window through input events and writes one JSON line per result.
#include "harness/actionrunner.h"
#include "harness/harnessapplication.h"
#include "harness/recordingmessageboxservice.h"
#include "form/form1.h"
#include "i18n/languagesetup.h"
#include "app/programstart.h"

#include <QCommandLineParser>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char *argv[])
{
    using namespace hitungrama;
    HarnessApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads actions from standard input, performs each on the real window and writes "
        "one JSON line per result."));
    parser.addHelpOption();
    const QCommandLineOption languageOption(
        QStringLiteral("language"),
        QStringLiteral("The language of the window's texts: id (the default) or en."),
        QStringLiteral("code"), LanguageSetup::code(Language::Indonesian));
    parser.addOption(languageOption);
    parser.process(app);
    const std::optional<Language> language = LanguageSetup::fromCode(parser.value(languageOption));
    if (!language) {
        std::fprintf(stderr, "hitungrama-replay: unknown language \"%s\"; known: id, en\n",
                     qPrintable(parser.value(languageOption)));
        return 2;
    }
    LanguageSetup::install(*language);

    RecordingMessageBoxService boxes;
    const std::unique_ptr<Form1> form = ProgramStart::createWindow("hitungrama-replay", boxes);
    if (form == nullptr)
        return 1;
    ActionRunner runner(*form, boxes);
    runner.showWindow();

    std::string line;
    while (!runner.exited() && std::getline(std::cin, line)) {
        for (const QString &result : runner.perform(QString::fromUtf8(line.data(), int(line.size())))) {
            const QByteArray bytes = result.toUtf8();
            std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
            std::fputc('\n', stdout);
        }
        std::fflush(stdout);
    }
    return 0;
}

#pragma once

// The QApplication of the harness programs, the monkey and the GUI tests.
// Beyond what the program itself does (ProgramStart), it picks Qt's offscreen
// platform unless QT_QPA_PLATFORM names another, reads and writes numbers in
// the C locale whatever the environment says, shows Indonesian texts (the
// replay language names buttons by their captions) unless told otherwise,
// and drops the offscreen platform's notes about window features it lacks
// (raising, size hints), which say nothing about a run.

#include "i18n/languagesetup.h"

#include <QApplication>
#include <QStringList>

namespace hitungrama {

class HarnessApplication : public QApplication {
    Q_OBJECT

public:
    // The language is installed before any window exists; ProgramStart keeps
    // it. LanguageSetup::install() switches it later.
    HarnessApplication(int &argc, char **argv, Language language = Language::Indonesian);

    // Qt's warnings and critical messages since the last call (the most
    // recent ones when there were very many). The window warns only when
    // something went wrong, so a run can fail on any of them.
    static QStringList takeWarnings();

private:
    // Runs before QApplication's constructor, which reads the platform.
    static int &prepareEnvironment(int &argc);
};

} // namespace hitungrama

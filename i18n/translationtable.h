#pragma once

#include <QString>
#include <QStringList>

#include <string>

namespace hitungrama {

// The translatable texts that come as data rather than as tr() calls in the
// code that shows them: the words of the window layout and the engine's
// texts. Each table is a list of QT_TRANSLATE_NOOP entries of one context,
// which lupdate reads. A text the table holds is shown in the installed
// language; any other text (a number, a symbol, a caption that stays the same
// in every language) is shown as it is.
class TranslationTable {
public:
    // The layout's words (the window's title, captions, tooltips), in the
    // window's context "hitungrama::Form1"; applied where the controls are
    // created.
    static const TranslationTable &layout();
    // The engine's texts (enginetext::all()) in the context "Engine";
    // applied where they reach the screen and the tape.
    static const TranslationTable &engine();

    QString translated(const QString &text) const;
    QString translated(const std::string &text) const;

    // The source texts, as the table lists them.
    QStringList sources() const;

private:
    template <std::size_t N>
    TranslationTable(const char *context, const char *const (&sources)[N])
        : m_context(context)
        , m_sources(sources)
        , m_count(N)
    {
    }

    const char *m_context;
    const char *const *m_sources;
    std::size_t m_count;
};

} // namespace hitungrama

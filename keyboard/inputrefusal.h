#pragma once

#include <QObject>

namespace hitungrama {

// An input the window refuses: a key of a disabled button, a paste that is no
// number, an entry the engine turns down. Beeps and tells; while quiet it
// only counts (the repeats of a held key after its first refusal).
class InputRefusal : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    void refuse();
    // Every refusal so far, quiet ones included.
    int count() const { return m_count; }
    void setQuiet(bool quiet) { m_quiet = quiet; }

signals:
    // After the beep.
    void refused();

private:
    int m_count = 0;
    bool m_quiet = false;
};

} // namespace hitungrama

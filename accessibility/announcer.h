#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class QWidget;

namespace hitungrama {

class AnnouncementNotice;

// Tells a screen reader what just appeared in a window: a result, a message,
// the memory's new state. Qt 6.4 has no announcement event, so the text
// goes out as an object of role notification that becomes showing, which
// screen readers speak at once. An announcement less than kCoalesceMs after
// the previous one waits that long and is replaced by any later one, so a
// held key never queues utterances. Nothing happens, and nothing is
// created, while no assistive technology listens.
class Announcer : public QObject {
    Q_OBJECT

public:
    static constexpr int kCoalesceMs = 150;

    // Announces inside `window`, which owns the notification object.
    explicit Announcer(QWidget &window);

    void announce(const QString &text);

    // Whether a screen reader listens. Tests on a platform without an
    // accessibility bridge (offscreen) make every announcer act as if one did.
    static bool listening();
    static void setListeningForTests(bool listening);

signals:
    // A text went out to the screen reader.
    void presented(const QString &text);

private:
    void present();

    QWidget &m_window;
    AnnouncementNotice *m_notice = nullptr;
    QString m_waiting;
    QTimer m_hold;
    QElapsedTimer m_sincePresented;
};

} // namespace hitungrama

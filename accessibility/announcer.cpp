#include "accessibility/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

#include <utility>

namespace hitungrama {

// The object a screen reader hears: invisible to the eye (no size, no
// paint, no input), a notification with the text as its name.
class AnnouncementNotice : public QWidget {
    Q_OBJECT

public:
    explicit AnnouncementNotice(QWidget *parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("announcement"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, 1, 1);
        hide();
    }

    QString text;
};

namespace {

bool g_listeningForTests = false;

class NoticeAccessible : public QAccessibleWidget {
public:
    explicit NoticeAccessible(AnnouncementNotice *notice)
        : QAccessibleWidget(notice, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<AnnouncementNotice *>(widget())->text : QString();
    }
};

QAccessibleInterface *noticeFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("hitungrama::AnnouncementNotice") && object->isWidgetType())
        return new NoticeAccessible(static_cast<AnnouncementNotice *>(object));
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget &window)
    : QObject(&window)
    , m_window(window)
{
    m_hold.setSingleShot(true);
    connect(&m_hold, &QTimer::timeout, this, &Announcer::present);
}

bool Announcer::listening()
{
    return g_listeningForTests || QAccessible::isActive();
}

void Announcer::setListeningForTests(bool listening)
{
    g_listeningForTests = listening;
}

void Announcer::announce(const QString &text)
{
    if (text.isEmpty() || !listening())
        return;
    m_waiting = text;
    if (m_sincePresented.isValid() && m_sincePresented.elapsed() < kCoalesceMs) {
        if (!m_hold.isActive())
            m_hold.start(static_cast<int>(kCoalesceMs - m_sincePresented.elapsed()));
        return;
    }
    present();
}

void Announcer::present()
{
    if (m_notice == nullptr) {
        static const bool installed = [] {
            QAccessible::installFactory(noticeFactory);
            return true;
        }();
        Q_UNUSED(installed);
        m_notice = new AnnouncementNotice(&m_window);
    }
    m_notice->hide();
    m_notice->text = m_waiting;
    m_notice->show();
    m_sincePresented.start();
    emit presented(std::exchange(m_waiting, QString()));
}

} // namespace hitungrama

#include "announcer.moc"

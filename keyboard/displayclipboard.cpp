#include "keyboard/displayclipboard.h"

#include "engine/pastedtext.h"
#include "keyboard/inputrefusal.h"
#include "keyboard/keyboardhost.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

#include <optional>

namespace hitungrama {

namespace {

// The clipboard's text as UTF-8, or none when it holds no text. QMimeData's
// text() would ask the owner up to three times (two text formats, then a
// list of addresses), and on X11 Qt asks again for the list of formats before
// each of them while that list has not come: against a silent owner that is
// three waits of 5 s. Here the formats come first, then exactly one text
// format, preferring the one with a known encoding.
std::optional<std::string> clipboardText()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (data == nullptr)
        return std::nullopt;
    const QStringList formats = data->formats();
    QString chosen;
    for (const QString &format : formats) {
        if (format.compare(QLatin1String("text/plain;charset=utf-8"), Qt::CaseInsensitive) == 0) {
            chosen = format;
            break;
        }
        if (format == QLatin1String("text/plain"))
            chosen = format;
    }
    if (chosen.isEmpty())
        return std::nullopt;
    // Qt hands "text/plain" over as UTF-8 whatever the owner sent it in.
    const QByteArray bytes = data->data(chosen);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

DisplayClipboard::DisplayClipboard(KeyboardHost &host, InputRefusal &refusal, QLineEdit &display)
    : QObject(&display)
    , m_host(host)
    , m_refusal(refusal)
    , m_display(display)
{
    // Read-only keeps the text selectable and readable by screen readers.
    m_display.setReadOnly(true);
    m_display.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&m_display, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        QMenu *menu = createMenu(&m_display);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(m_display.mapToGlobal(pos));
    });
}

void DisplayClipboard::copy()
{
    const QString text = m_display.hasSelectedText() ? m_display.selectedText() : m_display.text();
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

void DisplayClipboard::paste()
{
    if (m_host.hasExited())
        return;
    const std::optional<std::string> text = clipboardText();
    if (!text) {
        m_refusal.refuse();
        return;
    }
    pasteUtf8(*text);
}

void DisplayClipboard::pasteFromKey(quint64 eventTime)
{
    // Presses made while a paste waited (a held key's repeats among them)
    // queue up behind it; each would wait for the owner again. Platform
    // clocks are 32 bits wide and wrap.
    const quint32 since = static_cast<quint32>(eventTime - m_keyPasteTime);
    if (m_keyPasteSpanMs >= 0 && since > 0 && since < m_keyPasteSpanMs)
        return;
    QElapsedTimer span;
    span.start();
    paste();
    m_keyPasteTime = eventTime;
    m_keyPasteSpanMs = span.elapsed() + kKeyArrivalMs;
}

bool DisplayClipboard::pasteText(const QString &text)
{
    if (m_host.hasExited())
        return false;
    return pasteUtf8(text.toStdString());
}

bool DisplayClipboard::pasteUtf8(const std::string &text)
{
    const std::optional<double> value = readPastedText(text, m_host.isBinaryMode());
    if (!value) {
        m_refusal.refuse();
        return false;
    }
    m_host.numberPasted(*value);
    return true;
}

QMenu *DisplayClipboard::createMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    connect(menu->addAction(tr("Salin")), &QAction::triggered, this, &DisplayClipboard::copy);
    connect(menu->addAction(tr("Tempel")), &QAction::triggered, this, &DisplayClipboard::paste);
    menu->addSeparator();
    QAction *tape = menu->addAction(tr("Riwayat"));
    tape->setShortcut(KeyMap::shortcut(KeyMap::Command::TapeWindow));
    connect(tape, &QAction::triggered, this, [this] { m_host.runCommand(KeyMap::Command::TapeWindow); });
    return menu;
}

} // namespace hitungrama

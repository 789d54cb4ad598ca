#include "window/displayclipboard.h"

#include "window/form1.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>

namespace hitungrama {

namespace {

QString firstLine(const QString &text)
{
    qsizetype end = 0;
    while (end < text.size() && text.at(end) != QLatin1Char('\n') && text.at(end) != QLatin1Char('\r'))
        ++end;
    return text.left(end);
}

qsizetype characterCount(const QString &text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        ++count;
    }
    return count;
}

} // namespace

DisplayClipboard::DisplayClipboard(Form1 &form, QLineEdit &display)
    : QObject(&form)
    , m_form(form)
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
    if (m_form.hasExited())
        return;
    const QString line = firstLine(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
    if (line.isEmpty() || characterCount(line) > kLongestPaste) {
        m_form.refuseInput();
        return;
    }
    m_display.setText(line);
    emit m_form.displayTyped(line);
}

QMenu *DisplayClipboard::createMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    connect(menu->addAction(QStringLiteral("Salin")), &QAction::triggered, this,
            &DisplayClipboard::copy);
    connect(menu->addAction(QStringLiteral("Tempel")), &QAction::triggered, this,
            &DisplayClipboard::paste);
    return menu;
}

} // namespace hitungrama

#include "tapeview/tapewindow.h"

#include "tape/tapemodel.h"
#include "tape/tapestore.h"
#include "accessibility/announcer.h"
#include "keyboard/keymap.h"
#include "layout/controlnames.h"
#include "tapeview/tapehost.h"
#include "tapeview/tapelinedelegate.h"
#include "tapeview/tapewindowplacement.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace hitungrama {

namespace {

// The size it opens at the first time, in average character widths; as
// high as the main window.
constexpr int kWidthCharacters = 60;
// The longest search text: longer ones find nothing a tape line holds, and
// every character makes the search slower.
constexpr int kSearchMaxLength = 200;

bool isReturn(const QKeyEvent &key)
{
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

} // namespace

TapeWindow::TapeWindow(TapeHost &host, TapeStore &store)
    : QWidget(nullptr, Qt::Window), m_host(host), m_store(store), m_actions(host, store, *this)
{
    // The main window alone decides when the program ends.
    setAttribute(Qt::WA_QuitOnClose, false);
    setObjectName(QStringLiteral("tapeWindow"));
    setWindowTitle(tr("Riwayat"));
    setWindowIcon(host.mainWindow().windowIcon());
    createControls();
    createCommands();
    layOut();
    m_announcer = new Announcer(*this);
    connect(&m_store, &TapeStore::noticeChanged, this, &TapeWindow::showNotice);
    showNotice();
}

TapeWindow::~TapeWindow()
{
    if (isVisible()) {
        TapeWindowPlacement::save(*this);
        m_store.setWatching(false);
    }
}

void TapeWindow::createControls()
{
    m_notice = new QLabel(this);
    m_notice->setTextFormat(Qt::PlainText);
    // Wrapped, the whole notice shows at any width; it does not widen the window.
    m_notice->setWordWrap(true);
    m_notice->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Minimum);

    m_search = new QLineEdit(this);
    m_search->setPlaceholderText(tr("Cari"));
    m_search->setAccessibleName(tr("Cari di riwayat"));
    m_search->setClearButtonEnabled(true);
    m_search->setMaxLength(kSearchMaxLength);
    m_search->installEventFilter(this);
    connect(m_search, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_useWhenLoaded = false;
        if (m_model != nullptr)
            m_model->setSearch(text);
    });

    m_list = new QListView(this);
    m_list->setAccessibleName(tr("Baris riwayat"));
    m_list->setItemDelegate(new TapeLineDelegate(m_list));
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->installEventFilter(this);
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { useRow(index.row()); });
    QScrollBar *bar = m_list->verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this, [this] {
        const QScrollBar *bar = m_list->verticalScrollBar();
        m_atBottom = m_model != nullptr && !m_model->canFetchNewer() && bar->value() == bar->maximum();
        if (bar->value() != bar->minimum())
            m_atTop = false;
        queueFetch();
    });
    // The scroll bar's own "Top" and "Bottom" reach the ends of the tape.
    connect(bar, &QScrollBar::actionTriggered, this, [this](int action) {
        if (action == QAbstractSlider::SliderToMinimum)
            QTimer::singleShot(0, this, &TapeWindow::goToOldest);
        else if (action == QAbstractSlider::SliderToMaximum)
            QTimer::singleShot(0, this, &TapeWindow::goToNewest);
    });
    connect(bar, &QScrollBar::rangeChanged, this, [this] {
        if (m_atBottom)
            m_list->verticalScrollBar()->setValue(m_list->verticalScrollBar()->maximum());
        queueFetch();
    });

    m_keeping = new QCheckBox(tr("Simpan &riwayat"), this);
    m_keeping->setAccessibleName(tr("Simpan riwayat"));
    connect(m_keeping, &QCheckBox::clicked, this, [this](bool on) {
        m_actions.setKeeping(on);
        m_keeping->setChecked(m_store.isKeeping());
    });
}

void TapeWindow::createCommands()
{
    struct Entry {
        Command command;
        const char *text;
        QKeySequence key;
    };
    // Enter acts in the list only (eventFilter): elsewhere it belongs to the
    // search field and the focused button. The other keys act anywhere in
    // the window but in the search field, which takes the keys it edits with.
    const Entry entries[] = {
        {Command::Use, QT_TR_NOOP("&Pakai"), QKeySequence(Qt::Key_Return)},
        {Command::Copy, QT_TR_NOOP("&Salin"), QKeySequence(QKeySequence::Copy)},
        {Command::Remove, QT_TR_NOOP("&Hapus"), QKeySequence(Qt::Key_Delete)},
        {Command::RemoveAll, QT_TR_NOOP("Hapus se&mua"),
         QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Delete)},
        {Command::Export, QT_TR_NOOP("&Ekspor…"), QKeySequence(QKeySequence::Save)},
    };
    for (const Entry &entry : entries) {
        auto *button = new QPushButton(tr(entry.text), this);
        const QString name = QString(button->text()).remove(QLatin1Char('&'));
        button->setAccessibleName(name);
        const QString key = entry.key.toString(QKeySequence::NativeText);
        //: A button's tool tip: what it does, then its key.
        button->setToolTip(tr("%1 (%2)").arg(name, key));
        button->setAccessibleDescription(key);
        // Return on a focused button presses it, as Space does.
        button->setAutoDefault(true);
        const Command command = entry.command;
        connect(button, &QPushButton::clicked, this, [this, command] { run(command); });
        m_buttons << button;
    }

    const auto addKey = [this](const QList<QKeySequence> &keys, auto slot) {
        auto *action = new QAction(this);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setAutoRepeat(false);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    for (const Entry &entry : entries) {
        const Command command = entry.command;
        if (command != Command::Use)
            addKey({entry.key}, [this, command] { run(command); });
    }
    // Ctrl+H opens the tape from the main window and closes it here.
    addKey({KeyMap::shortcut(KeyMap::Command::TapeWindow), QKeySequence(Qt::Key_Escape)},
           [this] { close(); });
    addKey({QKeySequence(QKeySequence::Find)}, [this] {
        m_search->setFocus(Qt::ShortcutFocusReason);
        m_search->selectAll();
    });
    // The main window's key for OFF asks the same question here.
    const KeyMap keys;
    if (const KeyMap::Binding *binding = keys.find(ControlId{controlname::kOffButton})) {
        addKey({QKeySequence::fromString(binding->keys.first(), QKeySequence::PortableText)},
               [this] { m_host.quit(); });
    }
}

void TapeWindow::layOut()
{
    // The buttons for the selected lines in one row, those for the whole
    // tape in the next, beside "Simpan riwayat": narrow enough to stand
    // beside the main window on a small screen.
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_notice);
    layout->addWidget(m_search);
    layout->addWidget(m_list, 1);
    auto *lineRow = new QHBoxLayout;
    for (const Command command : {Command::Use, Command::Copy, Command::Remove})
        lineRow->addWidget(button(command));
    lineRow->addStretch();
    auto *tapeRow = new QHBoxLayout;
    tapeRow->addWidget(m_keeping);
    tapeRow->addStretch();
    for (const Command command : {Command::RemoveAll, Command::Export})
        tapeRow->addWidget(button(command));
    layout->addLayout(lineRow);
    layout->addLayout(tapeRow);

    const QList<QWidget *> order = {m_search,         m_list,    button(Command::Use),
                                    button(Command::Copy), button(Command::Remove), m_keeping,
                                    button(Command::RemoveAll), button(Command::Export)};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

QPushButton *TapeWindow::button(Command command) const
{
    return m_buttons.value(int(command));
}

QList<TapeLine> TapeWindow::selectedLines() const
{
    QList<TapeLine> lines;
    if (m_model == nullptr)
        return lines;
    QModelIndexList rows = m_list->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    for (const QModelIndex &index : std::as_const(rows))
        lines << m_model->line(index.row());
    return lines;
}

void TapeWindow::open(bool activate)
{
    if (!isVisible()) {
        if (!TapeWindowPlacement::restore(*this))
            placeBeside();
        setAttribute(Qt::WA_ShowWithoutActivating, !activate);
        show();
    }
    if (!activate) {
        // Where the platform activates new windows all the same.
        m_host.mainWindow().activateWindow();
        return;
    }
    raise();
    activateWindow();
    m_list->setFocus(Qt::OtherFocusReason);
}

void TapeWindow::placeBeside()
{
    const QFontMetrics metrics(font());
    const QWidget &main = m_host.mainWindow();
    const QRect mainFrame = main.frameGeometry();
    resize(std::max(sizeHint().width(), kWidthCharacters * metrics.averageCharWidth()),
           std::max(sizeHint().height(), main.height()));
    if (!TapeWindowPlacement::placesWindows())
        return;
    const QScreen *screen = main.screen();
    if (screen == nullptr)
        return;
    // Not shown yet, this window has no frame: take the main window's.
    const QSize margins = mainFrame.size() - main.size();
    const QRect place = TapeWindowPlacement::beside(mainFrame, size() + margins,
                                                    minimumSizeHint().width() + margins.width(),
                                                    screen->availableGeometry());
    resize(place.size() - margins);
    move(place.topLeft());
}

void TapeWindow::closeWithMainWindow()
{
    m_closingWithMain = true;
    close();
    m_closingWithMain = false;
}

void TapeWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A window shown again after being minimised is the same open window.
    if (event->spontaneous())
        return;
    TapeWindowPlacement::setOpen(true);
    m_keeping->setChecked(m_store.isKeeping());
    attachModel();
    m_store.setWatching(true);
}

void TapeWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    TapeWindowPlacement::save(*this);
    if (!m_closingWithMain) {
        TapeWindowPlacement::setOpen(false);
        // The keyboard goes back where the user came from.
        m_host.mainWindow().activateWindow();
    }
    m_store.setWatching(false);
    detachModel();
}

void TapeWindow::run(Command command)
{
    switch (command) {
    case Command::Use: {
        // Only a selected line is used: the current line may have lost its
        // selection (a click with Ctrl).
        const QModelIndex current = m_list->currentIndex();
        useRow(current.isValid() && m_list->selectionModel()->isSelected(current) ? current.row() : -1);
        break;
    }
    case Command::Copy:
        m_actions.copy(selectedLines());
        break;
    case Command::Remove:
        remove();
        break;
    case Command::RemoveAll:
        m_actions.removeAll();
        break;
    case Command::Export:
        m_actions.exportTape();
        break;
    }
}

// The deleted lines go once the store has deleted them; then the line that
// took their place is selected: the older neighbour, or the newer one when
// the oldest line went.
void TapeWindow::remove()
{
    const QList<TapeLine> lines = selectedLines();
    m_removal = Removal();
    if (!lines.isEmpty()) {
        const QItemSelectionModel &selection = *m_list->selectionModel();
        const int oldest = m_model->rowOf(lines.first().id);
        int next = oldest - 1;
        if (next < 0) {
            next = m_model->rowOf(lines.last().id) + 1;
            while (next < m_model->rowCount() && selection.isRowSelected(next))
                ++next;
        }
        for (const TapeLine &line : lines)
            m_removal.ids << line.id;
        m_removal.next = next < m_model->rowCount() ? m_model->line(next).id : 0;
    }
    m_actions.remove(lines);
}

void TapeWindow::useRow(int row)
{
    if (m_model == nullptr || row < 0 || row >= m_model->rowCount()) {
        m_host.refuseInput();
        return;
    }
    // The calculation goes on in the main window.
    if (m_actions.use(m_model->line(row)))
        m_host.mainWindow().activateWindow();
}

void TapeWindow::useNewest()
{
    if (m_model != nullptr && m_model->rowCount() == 0 && m_model->isLoading()) {
        m_useWhenLoaded = true;
        return;
    }
    useRow(m_model != nullptr ? m_model->rowCount() - 1 : -1);
}

void TapeWindow::showNotice()
{
    const QString &notice = m_store.notice();
    m_notice->setVisible(!notice.isEmpty());
    m_notice->setAccessibleName(notice);
    // A path may break after each '/' (a zero-width space there), as words
    // break at spaces.
    QString shown = notice;
    shown.replace(QLatin1Char('/'), QStringLiteral("/\u200B"));
    m_notice->setText(shown);
}

bool TapeWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Escape in a search field that holds text clears it: the field takes
    // the key before the window's Escape (close) does.
    if (watched == m_search && event->type() == QEvent::ShortcutOverride) {
        const auto &key = static_cast<const QKeyEvent &>(*event);
        if (key.key() == Qt::Key_Escape && key.modifiers() == Qt::NoModifier && !m_search->text().isEmpty()) {
            event->accept();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto &key = static_cast<QKeyEvent &>(*event);
    if (watched == m_search) {
        if (key.key() == Qt::Key_Escape && key.modifiers() == Qt::NoModifier) {
            m_search->clear();
            return true;
        }
        if (key.key() == Qt::Key_Down && key.modifiers() == Qt::NoModifier) {
            m_list->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (isReturn(key)) {
            if (!key.isAutoRepeat())
                useNewest();
            return true;
        }
        return false;
    }
    if (watched == m_list) {
        if (isReturn(key)) {
            if (!key.isAutoRepeat())
                run(Command::Use);
            return true;
        }
        // Home and End, with Ctrl or without, go to the ends of the tape (of
        // the search), not of the lines loaded.
        const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
        if ((key.key() == Qt::Key_Home || key.key() == Qt::Key_End)
            && (modifiers == Qt::NoModifier || modifiers == Qt::ControlModifier)) {
            if (key.key() == Qt::Key_Home)
                goToOldest();
            else
                goToNewest();
            return true;
        }
        // Typing in the list types into the search.
        const QString text = key.text();
        if (!text.isEmpty() && text.at(0).isPrint() && !text.at(0).isSpace()
            && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            m_search->setFocus(Qt::OtherFocusReason);
            m_search->end(false);
            QCoreApplication::sendEvent(m_search, event);
            return true;
        }
    }
    return false;
}

} // namespace hitungrama

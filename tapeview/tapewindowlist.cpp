// The tape window's list as it follows the tape: the model over the store
// while the window is open, the rows kept in place while lines come and go,
// the newest line followed, the ends of the tape reached at once, older and
// newer pages fetched at the list's edges.
#include "tapeview/tapewindow.h"

#include "accessibility/announcer.h"
#include "tape/tapemodel.h"
#include "tape/tapestore.h"

#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QTimer>

#include <utility>

namespace hitungrama {

void TapeWindow::attachModel()
{
    if (m_model != nullptr)
        return;
    m_model = new TapeModel(m_store, this);
    m_model->setSearch(m_search->text());
    QItemSelectionModel *oldSelection = m_list->selectionModel();
    m_list->setModel(m_model);
    delete oldSelection;
    connect(m_model, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex &, int first) {
                keepAnchor(first);
                m_onNewest = !m_atTop && first == m_model->rowCount() && isOnNewest();
                // Rows below the newest line the model held are new lines.
                m_newLines = first == m_model->rowCount() && m_model->isCatchingUp();
            });
    connect(m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &, int first) { keepAnchor(first); });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] {
        returnToAnchor();
        if (m_atTop) {
            m_list->scrollToTop();
            if (!m_list->currentIndex().isValid())
                selectRow(0);
        } else if (std::exchange(m_onNewest, false)) {
            selectNewest();
        }
        // A line that comes while the user is here is heard.
        if (std::exchange(m_newLines, false) && isActiveWindow())
            m_announcer->announce(m_model->index(m_model->rowCount() - 1).data(TapeModel::TextRole).toString());
    });
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, [this] {
        returnToAnchor();
        selectAfterRemove();
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_removal = Removal();
        if (m_jumpingToOldest) {
            m_atBottom = false;
            m_anchor = Anchor();
        } else {
            m_atTop = false;
            followBottom();
        }
    });
    connect(m_model, &TapeModel::loadingChanged, this, &TapeWindow::modelLoadingChanged);
    // "Simpan riwayat" is shared, and another program may have changed it:
    // the next line here moves the tape (a reset) or adds a row.
    const auto showKeeping = [this] { m_keeping->setChecked(m_store.isKeeping()); };
    connect(m_model, &QAbstractItemModel::modelReset, this, showKeeping);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, showKeeping);
    followBottom();
}

void TapeWindow::modelLoadingChanged(bool loading)
{
    if (loading)
        return;
    if (m_useWhenLoaded) {
        m_useWhenLoaded = false;
        useNewest();
    }
    queueFetch();
}

void TapeWindow::detachModel()
{
    if (m_model == nullptr)
        return;
    QItemSelectionModel *selection = m_list->selectionModel();
    m_list->setModel(nullptr);
    delete selection;
    delete m_model;
    m_model = nullptr;
    m_useWhenLoaded = false;
}

void TapeWindow::followBottom()
{
    m_atBottom = true;
    m_anchor = Anchor();
    m_list->scrollToBottom();
    selectNewest();
}

// A window in the background keeps its selection: moving it would move
// what a screen reader follows. The newest line is selected when the user
// comes back.
void TapeWindow::selectNewest()
{
    if (!isActiveWindow()) {
        m_selectNewestOnActivation = true;
        return;
    }
    if (m_model != nullptr)
        selectRow(m_model->rowCount() - 1);
}

void TapeWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()
        && std::exchange(m_selectNewestOnActivation, false))
        selectNewest();
}

void TapeWindow::selectRow(int row)
{
    // The selection model's own call: the view's would read the keyboard's
    // modifiers, and Ctrl held in the main window would add to the selection.
    if (m_model == nullptr || row < 0 || row >= m_model->rowCount())
        return;
    m_list->selectionModel()->setCurrentIndex(m_model->index(row), QItemSelectionModel::ClearAndSelect);
}

// Ctrl+Home: the oldest line at once, loading only its page.
void TapeWindow::goToOldest()
{
    if (m_model == nullptr)
        return;
    m_atTop = true;
    m_atBottom = false;
    if (m_model->canFetchOlder()) {
        m_jumpingToOldest = true;
        m_model->jumpToOldest();
        m_jumpingToOldest = false;
        return;
    }
    m_list->scrollToTop();
    selectRow(0);
}

// Ctrl+End: the newest line, as the window opens.
void TapeWindow::goToNewest()
{
    if (m_model == nullptr)
        return;
    m_atTop = false;
    if (m_model->canFetchNewer())
        m_model->jumpToNewest();
    else
        followBottom();
}

// The keyboard starts at the newest line, and stays on the newest line as
// new ones come while the user has not moved from it.
bool TapeWindow::isOnNewest() const
{
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid())
        return true;
    const QModelIndexList selected = m_list->selectionModel()->selectedRows();
    return current.row() == m_model->rowCount() - 1 && selected.size() <= 1
        && (selected.isEmpty() || selected.first() == current);
}

void TapeWindow::selectAfterRemove()
{
    if (m_removal.next == 0)
        return;
    for (const qint64 id : std::as_const(m_removal.ids)) {
        if (m_model->rowOf(id) >= 0)
            return;
    }
    const int row = m_model->rowOf(std::exchange(m_removal, Removal()).next);
    if (!m_list->selectionModel()->hasSelection())
        selectRow(row);
}

// Scrolled to an end, the list asks for more lines there; a list that does
// not fill its view asks for older ones until it does. Queued, so that the
// rows that came in are laid out first.
void TapeWindow::queueFetch()
{
    if (m_fetchQueued)
        return;
    m_fetchQueued = true;
    QTimer::singleShot(0, this, &TapeWindow::fetchAtEdges);
}

void TapeWindow::fetchAtEdges()
{
    m_fetchQueued = false;
    if (m_model == nullptr || !m_list->isVisible())
        return;
    const QScrollBar *bar = m_list->verticalScrollBar();
    // The scroll bar dragged to an end reaches that end of the tape at once.
    if (bar->isSliderDown() && bar->value() == bar->minimum() && m_model->canFetchOlder()) {
        goToOldest();
        return;
    }
    if (bar->isSliderDown() && bar->value() == bar->maximum() && m_model->canFetchNewer()) {
        goToNewest();
        return;
    }
    if (m_model->isLoading())
        return;
    // The list lays new rows out later; its scroll range must count them.
    m_list->doItemsLayout();
    if (bar->value() == bar->minimum() && m_model->canFetchOlder())
        m_model->fetchOlder();
    else if (bar->value() == bar->maximum() && m_model->canFetchNewer())
        m_model->fetchNewer();
}

// Rows coming or going above the view would move the lines in it: remember
// the top one, to put it back where it was. At the bottom the list follows
// the newest line instead.
void TapeWindow::keepAnchor(int first)
{
    m_anchor = Anchor();
    if (m_atBottom || first != 0)
        return;
    const QModelIndex top = m_list->indexAt(QPoint(0, 0));
    if (!top.isValid())
        return;
    m_anchor.id = m_model->line(top.row()).id;
    m_anchor.top = m_list->visualRect(top).top();
}

void TapeWindow::returnToAnchor()
{
    const Anchor anchor = std::exchange(m_anchor, Anchor());
    if (anchor.id == 0 || m_model == nullptr)
        return;
    const int row = m_model->rowOf(anchor.id);
    if (row < 0)
        return;
    // visualRect lays the rows out first, which updates the scroll range.
    const int top = m_list->visualRect(m_model->index(row)).top();
    QScrollBar *bar = m_list->verticalScrollBar();
    bar->setValue(bar->value() + top - anchor.top);
}

} // namespace hitungrama

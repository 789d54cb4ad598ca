#pragma once

// TapeWindow: the tape ("Riwayat"), a top-level window of its own.
//
// Data flow: while the window is open it holds a TapeModel over the main
// window's TapeStore and shows it in a list, newest line at the bottom with
// its time (TapeLineDelegate). Scrolling to the top fetches older lines and
// keeps the rows in view where they were; at the bottom the list follows
// new lines. Home and End (with Ctrl too), and the scroll bar dragged to an
// end, have the model start over at that end of the tape, so the list holds
// only a window of the lines however long the tape is. The search field sets
// the model's search as the user types. The
// buttons and their keys hand the selected lines to TapeActions, which puts
// them into the display, on the clipboard, out of the tape or into a file.
// While open the window has the store watch for other programs' lines;
// closed, it holds no model and nothing of it runs. TapeWindowPlacement
// keeps its size, its place and whether it was open.

#include "tape/tapeline.h"
#include "tapeview/tapeactions.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace hitungrama {

class Announcer;
class TapeHost;
class TapeModel;
class TapeStore;

class TapeWindow : public QWidget {
    Q_OBJECT

public:
    // The buttons, each with its keys.
    enum class Command { Use, Copy, Remove, RemoveAll, Export };

    TapeWindow(TapeHost &host, TapeStore &store);
    ~TapeWindow() override;

    // Shows the window where it was kept, else beside the main window, with
    // the newest line at the bottom. With activate it is raised and takes
    // the keyboard, on the newest line.
    void open(bool activate = true);
    // Closes the window along with the main window: it stays kept as open.
    void closeWithMainWindow();

    // Null while the window is closed.
    TapeModel *model() const { return m_model; }
    QListView *list() const { return m_list; }
    // Tells a screen reader of the lines that come while the user is here.
    Announcer &announcer() const { return *m_announcer; }
    QLineEdit *searchField() const { return m_search; }
    QLabel *noticeLabel() const { return m_notice; }
    QCheckBox *keepingBox() const { return m_keeping; }
    QPushButton *button(Command command) const;
    TapeActions &actions() { return m_actions; }

    // The selected lines, oldest first.
    QList<TapeLine> selectedLines() const;

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showNotice();
    void modelLoadingChanged(bool loading);

    struct Anchor {
        qint64 id = 0; // none
        int top = 0;   // the row's top in the viewport
    };
    // Lines being deleted, and the line to select once they are gone.
    struct Removal {
        QList<qint64> ids;
        qint64 next = 0; // none
    };

    void createControls();
    void createCommands();
    void layOut();
    void placeBeside();
    void attachModel();
    void detachModel();
    void run(Command command);
    void remove();
    void selectAfterRemove();
    void useRow(int row);
    void useNewest();
    void queueFetch();
    void fetchAtEdges();
    void keepAnchor(int first);
    void returnToAnchor();
    void followBottom();
    bool isOnNewest() const;
    void selectNewest();
    void selectRow(int row);
    void goToOldest();
    void goToNewest();

    TapeHost &m_host;
    TapeStore &m_store;
    TapeActions m_actions;
    TapeModel *m_model = nullptr;
    QLabel *m_notice = nullptr;
    QLineEdit *m_search = nullptr;
    QListView *m_list = nullptr;
    QList<QPushButton *> m_buttons; // in Command order
    QCheckBox *m_keeping = nullptr;
    Anchor m_anchor;
    Removal m_removal;
    bool m_atBottom = true;
    // Since Ctrl+Home, the list stays at the top while the oldest lines load.
    bool m_atTop = false;
    bool m_jumpingToOldest = false;
    bool m_onNewest = false;
    // The newest line came while the window was in the background.
    bool m_selectNewestOnActivation = false;
    // The rows being inserted are lines new to the tape.
    bool m_newLines = false;
    Announcer *m_announcer = nullptr;
    bool m_fetchQueued = false;
    bool m_useWhenLoaded = false;
    bool m_closingWithMain = false;
};

} // namespace hitungrama

#pragma once

// Form1: the calculator's only window.
//
// Data flow: LayoutLoader turns the compiled-in layout into control
// descriptions; ControlFactory creates one widget per description (every
// XPButton through the read path of its saved property set) and
// ControlRegistry keeps them by name and index. A button's Click, the check
// box's click and the display's change are routed by control name and index
// to the Engine, which the window holds by value. The engine reaches back to
// the controls only through WindowPanel; its message boxes, the about box and
// the exit question go through the MessageBoxService the window was given.
// Keys reach the same Click handlers through KeyboardRouter and its KeyMap;
// a paste (DisplayClipboard) enters a number into the engine. Every
// calculation the engine finishes goes through TapeRecorder to the tape
// (TapeStore), made at its first use and opening its file then, once the
// window has been shown;
// the tape window (TapeWindow, Ctrl+H) shows it, a top-level window of its
// own that closes with this one. Texts are shown in the installed language:
// the window's own through tr(), the layout's words and the engine's texts
// through TranslationTable.

#include "boxes/messageboxservice.h"
#include "engine/engine.h"
#include "form/controlregistry.h"
#include "form/pictureloader.h"
#include "form/widthtoggle.h"
#include "form/windowpanel.h"
#include "keyboard/keyboardhost.h"
#include "layout/formlayout.h"
#include "tapeview/tapehost.h"
#include "tapeview/taperecorder.h"

#include <QColor>
#include <QWidget>

#include <memory>
#include <vector>

class QCheckBox;
class QLineEdit;

namespace hitungrama {

class Announcer;
class DisplayClipboard;
class InputRefusal;
class KeyboardRouter;
class TapeStore;
class TapeWindow;
class XPButton;

class Form1 : public QWidget, public KeyboardHost, public TapeHost {
    Q_OBJECT

public:
    // The layout must have been accepted by LayoutLoader.
    Form1(const FormLayout &layout, MessageBoxService &boxes, QWidget *parent = nullptr);
    ~Form1() override;

    // In the installed language.
    static QString aboutText();
    static QString exitQuestion();

    const ControlRegistry &controls() const { return m_controls; }
    const FormDescription &description() const { return m_form; }
    const Engine &engine() const { return m_engine; }
    QLineEdit *display() const { return m_display; }
    QCheckBox *binaryModeBox() const { return m_binaryMode; }
    // Whether binary mode is on: the check box ticked.
    bool isBinaryMode() const override;
    XPButton *widthToggleButton() const { return m_widthToggleButton; }
    KeyboardRouter &keyboard() const { return *m_keyboard; }
    DisplayClipboard &clipboard() const { return *m_clipboard; }
    // The tape, made at the first call (its file opens at its first use).
    TapeStore *tape() const;
    // Whether anything has used the tape yet.
    bool isTapeLoaded() const { return m_tape != nullptr; }
    // Null until the tape window is first opened.
    TapeWindow *tapeWindow() const { return m_tapeWindow.get(); }
    // Opens the tape window, or brings it forward; with activate it takes
    // the keyboard.
    void showTape(bool activate = true);

    // The outer width is the client width plus the border, in twips.
    int outerWidthTwips() const;
    void setOuterWidthTwips(int twips);
    void centreOnScreen();

    // True once "OFF" was answered Yes; from then on nothing reacts.
    bool hasExited() const override { return m_exited; }

    // Services of the window that WindowPanel forwards the engine's requests to.
    // The box stands over `over` (the tape window), else over this window.
    MessageAnswer showMessage(const MessageBoxRequest &request, QWidget *over = nullptr) override;
    SaveFileAnswer chooseSaveFile(const SaveFileRequest &request, QWidget *over = nullptr) override;
    void refuseInput() override;
    void displayChanged();
    // A number the paste rule accepted, entered as the engine's numberPasted.
    void numberPasted(double value) override;
    // Tells a screen reader what appeared in this window.
    Announcer &announcer() const { return *m_announcer; }
    // The list of keys, in an information box.
    void showKeyList();
    // True while one of the window's message boxes is open.
    bool isBoxOpen() const override { return m_boxesOpen > 0; }

    // The rest of what the keyboard and the tape window need of the window.
    XPButton *button(const ControlId &control) const override;
    void runCommand(KeyMap::Command command) override;
    QWidget &mainWindow() override { return *this; }
    bool useResult(const QString &result, bool binaryNumeral) override;
    void quit() override;

signals:
    // "OFF" answered Yes: the program must end at once.
    void exitRequested();
    // The engine refused an input (after the beep).
    void inputRefused();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct PaintedLine {
        QLine pixels;
        QColor colour;
    };

    void setUpWindow();
    void createControls(const FormLayout &layout);
    void connectControls();
    void applyTabOrder();
    void setUpKeyboard();
    void startPicture(qreal ratio);
    void routeClick(const ControlId &id);
    void announceStep(const ControlId &id);
    QString labelText(const QString &name, int index = -1) const;
    void showAbout();
    void askExit();
    void toggleWidth();
    // Sets the tape's file; it opens there at its first use.
    void openTapeFile() const;

    FormDescription m_form;
    MessageBoxService &m_boxes;
    // Declared before the engine and its recorder, so destroyed after them:
    // its destructor writes what is still queued. Made at the first use.
    mutable std::unique_ptr<TapeStore> m_tape;
    // Declared after the tape, so destroyed before it: it reads the tape.
    std::unique_ptr<TapeWindow> m_tapeWindow;
    ControlRegistry m_controls;
    std::vector<PaintedLine> m_lines;
    WindowPanel m_panel;
    Engine m_engine;
    TapeRecorder m_recorder;
    WidthToggle m_widthToggle;
    PictureLoader m_picture;
    QLineEdit *m_display = nullptr;
    QCheckBox *m_binaryMode = nullptr;
    XPButton *m_widthToggleButton = nullptr;
    DisplayClipboard *m_clipboard = nullptr;
    KeyboardRouter *m_keyboard = nullptr;
    Announcer *m_announcer = nullptr;
    // Made first and owned as a child, so that the keyboard's parts, its
    // other children, may tell it of refusals to the end.
    InputRefusal *m_refusal = nullptr;
    int m_boxesOpen = 0;
    bool m_exited = false;
    // The window has been shown: the tape opens its file at its first use.
    bool m_tapeOpened = false;
};

} // namespace hitungrama

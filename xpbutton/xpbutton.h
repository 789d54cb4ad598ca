#pragma once

// XPButton: an owner-drawn push button.
//
// Data flow: the host sets properties (directly or through the persistence
// notifications with a PropertyBag); every change that alters the look calls
// Repaint, which has XPButtonRenderer draw the whole button into the
// persistent QImage and then cuts the four corner pixels from the widget's
// mask. paintEvent only copies that image. Mouse, key, focus and hover-timer
// notifications update the private hover/focus/press state, ask Repaint for
// the matching look and raise the button's events as Qt signals.
//
// The image is made at the widget's device pixel ratio, the look laid out in
// logical pixels on a PixelGrid; the mask stays logical. Hover ends on Qt's
// Leave (or the button being hidden); the 1 ms HoverTimer runs only while a
// mouse button is held over a hovered button, when a grab holds Leave back.
//
// The members are defined by concern: xpbuttonproperties.cpp (properties and
// their persistence), xpbuttonsurface.cpp (the image, the shape and
// painting), xpbuttonpointer.cpp (the mouse and the hover state),
// xpbuttonkeys.cpp (focus, keys, and pairing a release with its repeat);
// xpbutton.cpp sets the button up, routes events and owns the access key.
//
// Naming: the button's published names (its properties Enabled, Font,
// Caption, ForeColor, ForeHover, its events Click, MouseDown, ... MouseOut,
// and the routines and flags its behaviour is described by: Measure,
// Repaint, ApplyWindowShape, IsPointerOver, UpdateAccessKey, HoverTimer,
// hoverFlag, moveLatch, ...) keep their given spelling; every name this code
// adds is camelCase.

#include "xpbutton/ambientproperties.h"
#include "xpbutton/fontunits.h"
#include "xpbutton/keyrepeat.h"
#include "xpbutton/pixelgrid.h"
#include "xpbutton/propertybag.h"
#include "xpbutton/xpbuttonrenderer.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

class QTimer;

namespace hitungrama {

class XPButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ isButtonEnabled WRITE setButtonEnabled)
    Q_PROPERTY(QFont Font READ buttonFont WRITE setButtonFont)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(quint32 ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(quint32 ForeHover READ foreHover WRITE setForeHover)

public:
    explicit XPButton(QWidget *parent = nullptr);
    ~XPButton() override;

    // Persistence notifications of the host.
    void initNewInstance(const AmbientProperties &ambient);
    void readProperties(const PropertyBag &bag, const AmbientProperties &ambient);
    void writeProperties(PropertyBag &bag, const AmbientProperties &ambient) const;

    bool isButtonEnabled() const;
    void setButtonEnabled(bool enabled);
    // The surface font, sized in pixels (see fontunits.h).
    QFont buttonFont() const;
    // The size of the surface font in points at 96 dpi, as it was given.
    double buttonFontPoints() const;
    void setButtonFont(const QFont &font);
    QString caption() const;
    void setCaption(const QString &caption);
    quint32 foreColor() const;
    void setForeColor(quint32 colour);
    quint32 foreHover() const;
    void setForeHover(quint32 colour);

    // The persistent image as last drawn, at the widget's device pixel ratio.
    const QImage &image() const;
    // The lower-case access key derived from the caption; empty when none.
    QString accessKey() const;

    // Presses the button as an access key does (used by assistive technology).
    void pressFromAccessibility();

    // A click from the host's keyboard map: shows the pressed face for
    // pressedMs (from a timer) and raises Click, leaving the focus and the
    // press state alone. Does nothing and yields false while the button is
    // disabled or hidden.
    bool clickFromKeyboard(int pressedMs);
    // The host's key for this button, such as "7" or "Ctrl+M" (portable key
    // text); screen readers announce it with the press action.
    QString keyHint() const;
    void setKeyHint(const QString &hint);

signals:
    // Tells the host that a property must be saved again.
    void propertyChanged(const QString &name);

    void Click();
    void MouseDown(short Button, short Shift, float X, float Y);
    void MouseMove(short Button, short Shift, float X, float Y);
    void MouseUp(short Button, short Shift, float X, float Y);
    void KeyPress(short KeyAscii);
    void KeyDown(short KeyCode, short Shift);
    void KeyUp(short KeyCode, short Shift);
    void MouseOver();
    void MouseOut();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void Measure();
    QSize deviceSize(qreal ratio) const;
    bool deviceGeometryChanged() const;
    void endHover();
    void Repaint(short pressRequested);
    void drawLook(const ButtonLook &look);
    ButtonLook currentLook(short pressRequested) const;
    void drawDeferredLook() const;
    void ApplyWindowShape();
    bool insideShape(QPoint local) const;
    bool IsPointerOver(QPoint local) const;
    void UpdateAccessKey();
    void refresh();
    void handleMouseDown(short button, short shift, float x, float y);
    void handleClick();
    void finishKeyUp();
    void finishWaitingKeyUp();
    void hoverTimerTick();
    void applyFont(const QFont &font);
    void showPressedFor(int milliseconds);

    // Surface. The look of the show-time repaint is drawn at the first paint
    // (or the first read of the image), so showing stays cheap.
    mutable QImage m_image;
    mutable ButtonLook m_deferredLook;
    mutable bool m_lookDeferred = false;
    qreal m_ratio = 1.0;     // device pixel ratio of the image
    PixelGrid m_columns;     // where the logical columns fall in the image
    PixelGrid m_rows;
    QFont m_font;
    double m_fontPoints = kDefaultFontPoints;
    quint32 m_foreColor = 0x80000006;
    QTimer *m_hoverTimer = nullptr;
    int m_accessShortcutId = 0;
    QString m_accessKey;
    QString m_keyHint;
    QTimer *m_pressedLookTimer = nullptr; // ends a keyboard click's pressed face

    // Geometry measured at the last resize.
    int m_clientWidth = 0;
    int m_clientHeight = 0;

    // Hover, focus and press state.
    bool m_hoverFlag = false;
    short m_moveLatch = 0;
    bool m_focusFlag = false;
    short m_pressButton = 0;
    short m_lastKeyCode = 0;
    bool m_pointerOver = false; // where the last pointer event put the pointer
    bool m_pressArmed = false;  // a press on this button awaits its release
    quint64 m_releaseSerial = 0; // counts releases, to spot one handled during a press
    // Tells a held key's repeats from new key-downs; a clicking release waits
    // on the timer for the press that would make it half of a repeat.
    KeyRepeat m_keyRepeat;
    QTimer *m_keyUpTimer = nullptr;
    short m_keyUpCode = 0;
    short m_keyUpShift = 0;

    // Persisted properties.
    bool m_enabledFlag = false;
    QString m_captionText;
    quint32 m_foreHoverColor = 0;
};

} // namespace hitungrama

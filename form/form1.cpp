#include "form/form1.h"

#include "accessibility/announcer.h"
#include "form/controlfactory.h"
#include "i18n/translationtable.h"
#include "keyboard/displayclipboard.h"
#include "keyboard/inputrefusal.h"
#include "keyboard/keyboardrouter.h"
#include "layout/controlnames.h"
#include "layout/twips.h"
#include "layout/windowresources.h"
#include "settings/programsettings.h"
#include "tape/tapestore.h"
#include "tapeview/tapewindow.h"
#include "tapeview/tapewindowplacement.h"
#include "xpbutton/systemcolor.h"
#include "xpbutton/xpbutton.h"

#include <QApplication>
#include <QCheckBox>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <exception>

namespace hitungrama {

namespace {

// "Simpan riwayat" lives in the program's settings, beside the window's.
TapeOptions tapeOptions()
{
    return TapeOptions(ProgramSettings::filePath());
}

} // namespace

Form1::Form1(const FormLayout &layout, MessageBoxService &boxes, QWidget *parent)
    : QWidget(parent)
    , m_form(layout.form)
    , m_boxes(boxes)
    , m_panel(*this)
    , m_engine(m_panel)
    , m_recorder([this] { return tape(); }, [this] { return isBinaryMode(); })
    , m_widthToggle(layout.form.narrowOuterWidth, layout.form.wideOuterWidth)
{
    m_refusal = new InputRefusal(this);
    connect(m_refusal, &InputRefusal::refused, this, &Form1::inputRefused);
    WindowResources::ensureRegistered();
    startPicture(devicePixelRatioF());
    setUpWindow();
    createControls(layout);
    connectControls();
    applyTabOrder();
    setUpKeyboard();
    m_engine.setCalculationListener(&m_recorder);
    // The window's load notification: the engine's initial state.
    m_engine.load();
}

Form1::~Form1() = default;

QString Form1::aboutText()
{
    //: The text of the box ABOUT opens.
    return tr("Hitungrama 1.0\nKalkulator ilmiah oleh Quodrel Zodir\nhttps://hitungrama.example.org");
}

QString Form1::exitQuestion()
{
    //: OFF asks this before the program ends; answered with Yes or No.
    return tr("Anda yakin akan menutup hitungrama ");
}

void Form1::setUpWindow()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setObjectName(m_form.name);
    setWindowTitle(TranslationTable::layout().translated(m_form.caption));
    setFont(m_form.font.toFont());
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colorFromOle(m_form.foreColor));
    palette.setColor(QPalette::Window, colorFromOle(m_form.backColor));
    setPalette(palette);
    setAutoFillBackground(true);
    setFixedSize(twips::toPixels(m_form.clientWidth), twips::toPixels(m_form.clientHeight));
    if (!m_form.icons.empty()) {
        // With its size given, an image is only decoded when it is asked for.
        QIcon icon;
        for (const IconFile &file : m_form.icons)
            icon.addFile(file.path, QSize(file.size, file.size));
        setWindowIcon(icon);
    }
}

void Form1::createControls(const FormLayout &layout)
{
    const ControlFactory factory(this, m_form);
    // Labels and lines are drawn on the window's own surface, beneath every
    // control that has a window of its own: create them first so that the
    // later siblings lie above them.
    for (const ControlDescription &control : layout.controls) {
        if (control.type == ControlType::Label) {
            m_controls.add(control, factory.create(control));
        } else if (control.type == ControlType::Line) {
            const QLine &l = control.line;
            m_lines.push_back({QLine(twips::toPixels(l.x1()), twips::toPixels(l.y1()),
                                     twips::toPixels(l.x2()), twips::toPixels(l.y2())),
                               colorFromOle(control.foreColor.value_or(m_form.foreColor))});
        }
    }
    for (const ControlDescription &control : layout.controls) {
        if (control.type != ControlType::Label && control.type != ControlType::Line)
            m_controls.add(control, factory.create(control));
    }
    m_display = m_controls.textBox(controlname::kDisplay);
    m_binaryMode = m_controls.checkBox(controlname::kBinaryMode);
    m_widthToggleButton = m_controls.button(controlname::kWidthToggleButton);
    // What a screen reader calls the display; its value is the number.
    if (m_display != nullptr)
        //: The accessible name of the display, where numbers and messages appear.
        m_display->setAccessibleName(tr("Layar"));
}

void Form1::connectControls()
{
    for (const ControlRegistry::Entry &entry : m_controls.entries()) {
        if (entry.type != ControlType::XPButton)
            continue;
        const ControlId id = entry.id;
        connect(static_cast<XPButton *>(entry.widget), &XPButton::Click, this,
                [this, id] { routeClick(id); });
    }
    if (m_display != nullptr)
        connect(m_display, &QLineEdit::textChanged, this, &Form1::displayChanged);
    if (m_binaryMode != nullptr) {
        connect(m_binaryMode, &QCheckBox::clicked, this, [this] {
            if (m_exited)
                return;
            const Qt::CheckState state = m_binaryMode->checkState();
            m_engine.binaryModeClicked(state == Qt::Checked ? 1
                                                            : (state == Qt::Unchecked ? 0 : 2));
        });
    }
}

void Form1::applyTabOrder()
{
    const std::vector<QWidget *> order = m_controls.tabOrder();
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    // The focus starts on the first control in tab order that can take it.
    const auto first = std::find_if(order.begin(), order.end(), [](QWidget *widget) {
        return !widget->isHidden() && widget->isEnabled() && widget->focusPolicy() != Qt::NoFocus;
    });
    if (first != order.end())
        (*first)->setFocus(Qt::OtherFocusReason);
}

void Form1::setUpKeyboard()
{
    if (m_display != nullptr)
        m_clipboard = new DisplayClipboard(*this, *m_refusal, *m_display);
    m_keyboard = new KeyboardRouter(*this, *this, *m_clipboard, *m_refusal);
    m_announcer = new Announcer(*this);
}

void Form1::startPicture(qreal ratio)
{
    // Only the top-left corner can ever be seen: decode no more than the
    // widest client area.
    const int widest = std::max(m_form.narrowOuterWidth, m_form.wideOuterWidth) - m_form.borderWidth;
    m_picture.start(m_form.picture,
                    QSize(twips::toPixels(widest), twips::toPixels(m_form.clientHeight)), ratio);
}

int Form1::outerWidthTwips() const
{
    return twips::fromPixels(width()) + m_form.borderWidth;
}

void Form1::setOuterWidthTwips(int twipsValue)
{
    const long long client = (static_cast<long long>(twipsValue) - m_form.borderWidth
                              + twips::kPerPixel / 2)
        / twips::kPerPixel;
    // Keeps the height and the top-left corner: the window grows to the right.
    setFixedWidth(static_cast<int>(std::clamp<long long>(client, 1, QWIDGETSIZE_MAX)));
}

void Form1::centreOnScreen()
{
    const QScreen *screen = this->screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                    screen->availableGeometry()));
}

MessageAnswer Form1::showMessage(const MessageBoxRequest &request, QWidget *over)
{
    // Ctrl's release would go to the box and leave the hints shown.
    m_keyboard->hideHints();
    ++m_boxesOpen;
    const auto closed = qScopeGuard([this] { --m_boxesOpen; });
    return m_boxes.show(over != nullptr ? over : this, request);
}

SaveFileAnswer Form1::chooseSaveFile(const SaveFileRequest &request, QWidget *over)
{
    m_keyboard->hideHints();
    ++m_boxesOpen;
    const auto closed = qScopeGuard([this] { --m_boxesOpen; });
    return m_boxes.chooseSaveFile(over != nullptr ? over : this, request);
}

TapeStore *Form1::tape() const
{
    if (m_tape == nullptr) {
        m_tape = std::make_unique<TapeStore>(tapeOptions());
        if (m_tapeOpened)
            openTapeFile();
    }
    return m_tape.get();
}

void Form1::openTapeFile() const
{
    m_tape->open(TapeStore::defaultPath());
}

void Form1::showTape(bool activate)
{
    if (m_exited)
        return;
    if (m_tapeWindow == nullptr) {
        m_tapeWindow = std::make_unique<TapeWindow>(*this, *tape());
    }
    m_tapeWindow->open(activate);
}

void Form1::showKeyList()
{
    const KeyMap &map = m_keyboard->keyMap();
    const QString text = map.describe([this](const ControlId &id) {
        const XPButton *button = m_controls.button(id.name, id.index);
        return button != nullptr ? button->caption() : id.toString();
    });
    //: The title of the list of keys (F1).
    showMessage({text, tr("Tombol keyboard"), MessageButtons::Ok,
                 MessageIcon::Information});
}

void Form1::refuseInput()
{
    m_refusal->refuse();
}

bool Form1::isBinaryMode() const
{
    return m_binaryMode != nullptr && m_binaryMode->checkState() == Qt::Checked;
}

XPButton *Form1::button(const ControlId &control) const
{
    return m_controls.button(control.name, control.index);
}

void Form1::runCommand(KeyMap::Command command)
{
    switch (command) {
    case KeyMap::Command::KeyList:
        showKeyList();
        break;
    case KeyMap::Command::TapeWindow:
        showTape();
        break;
    case KeyMap::Command::Copy:
        m_clipboard->copy();
        break;
    case KeyMap::Command::Paste:
        m_clipboard->paste();
        break;
    }
}

bool Form1::useResult(const QString &result, bool binaryNumeral)
{
    if (binaryNumeral && !isBinaryMode()) {
        refuseInput();
        return false;
    }
    return m_clipboard->pasteText(result);
}

void Form1::quit()
{
    m_keyboard->pressButton(ControlId{controlname::kOffButton});
}

void Form1::displayChanged()
{
    if (!m_exited)
        m_engine.displayChanged();
}

void Form1::numberPasted(double value)
{
    if (m_exited)
        return;
    m_engine.numberPasted(value);
    m_panel.takeOutcome();
    if (m_display != nullptr)
        m_announcer->announce(m_display->text());
}

void Form1::routeClick(const ControlId &id)
{
    if (m_exited)
        return;
    using Handler = void (*)(Form1 &, int);
    // Each button name has one handler; a group's handler gets the index,
    // which is the engine's key for it (the engine ignores unknown ones).
    static const QHash<QString, Handler> routes = {
        {controlname::kDigitButtons, [](Form1 &f, int i) { f.m_engine.digitClicked(i); }},
        {controlname::kOperatorButtons,
         [](Form1 &f, int i) { f.m_engine.operatorClicked(static_cast<Operator>(i)); }},
        {controlname::kOnButton, [](Form1 &f, int) { f.m_engine.onClicked(); }},
        {controlname::kOffButton, [](Form1 &f, int) { f.askExit(); }},
        {controlname::kClearEntryButton, [](Form1 &f, int) { f.m_engine.clearEntryClicked(); }},
        {controlname::kBackSpaceButton, [](Form1 &f, int) { f.m_engine.backSpaceClicked(); }},
        {controlname::kAboutButton, [](Form1 &f, int) { f.showAbout(); }},
        {controlname::kMemoryButtons,
         [](Form1 &f, int i) { f.m_engine.memoryClicked(static_cast<MemoryKey>(i)); }},
        {controlname::kFunctionButtons,
         [](Form1 &f, int i) { f.m_engine.functionClicked(static_cast<Function>(i)); }},
        {controlname::kDecimalPointButton, [](Form1 &f, int) { f.m_engine.decimalPointClicked(); }},
        {controlname::kToBinaryButton, [](Form1 &f, int) { f.m_engine.toBinaryClicked(); }},
        {controlname::kWidthToggleButton, [](Form1 &f, int) { f.toggleWidth(); }},
        {controlname::kToDecimalButton, [](Form1 &f, int) { f.m_engine.toDecimalClicked(); }},
    };
    const Handler handler = routes.value(id.name, nullptr);
    if (handler == nullptr)
        return;
    // Nothing may escape into Qt's event loop; the engine itself reports its
    // refusals, so this only guards against the unforeseen.
    try {
        m_panel.takeOutcome();
        handler(*this, id.index);
        announceStep(id);
    } catch (const std::exception &error) {
        qWarning("Form1: %s failed: %s", qPrintable(id.toString()), error.what());
        refuseInput();
    }
}

// Tells a screen reader what the step showed: the result or message in the
// display, or the memory's or the table's new state. Entry keys are heard
// through the screen reader's own key echo, and a box speaks for its step.
void Form1::announceStep(const ControlId &id)
{
    const WindowPanel::Outcome outcome = m_panel.takeOutcome();
    static const QStringList entryKeys = {controlname::kDigitButtons, controlname::kDecimalPointButton,
                                          controlname::kClearEntryButton, controlname::kWidthToggleButton};
    if (outcome.boxShown || entryKeys.contains(id.name))
        return;
    switch (outcome.shown) {
    case WindowPanel::Shown::MemoryStored:
        //: Heard when M+ has stored a number; %1 is the number.
        m_announcer->announce(tr("Memori %1").arg(labelText(controlname::kMemoryValue)));
        return;
    case WindowPanel::Shown::MemoryCleared:
        //: Heard when M- has emptied the memory.
        m_announcer->announce(tr("Memori kosong"));
        return;
    case WindowPanel::Shown::Table:
        //: Heard when Tbl shows the multiplication table; %1 is its number.
        m_announcer->announce(tr("Tabel perkalian %1").arg(labelText(controlname::kTableOperands, 0)));
        return;
    case WindowPanel::Shown::Nothing:
        // "=" tells the result even when it had nothing to compute.
        if (id.name != controlname::kOperatorButtons || id.index != static_cast<int>(Operator::Equals))
            return;
        break;
    case WindowPanel::Shown::Display:
        break;
    }
    if (m_display != nullptr)
        m_announcer->announce(m_display->text());
}

QString Form1::labelText(const QString &name, int index) const
{
    const QLabel *label = m_controls.label(name, index);
    return label != nullptr ? label->text() : QString();
}

void Form1::showAbout()
{
    //: The title of the box ABOUT opens.
    showMessage({aboutText(), tr("Info"), MessageButtons::Ok,
                 MessageIcon::Information});
}

void Form1::askExit()
{
    const MessageAnswer answer = showMessage(
        //: The title of the box OFF opens.
        {exitQuestion(), tr("Pertanyaan"), MessageButtons::YesNo, MessageIcon::None});
    if (answer == MessageAnswer::Yes) {
        m_exited = true;
        emit exitRequested();
        return;
    }
    m_engine.exitDeclined();
}

void Form1::toggleWidth()
{
    const WidthToggle::Step step = m_widthToggle.next(outerWidthTwips());
    setOuterWidthTwips(step.outerWidth);
    if (m_widthToggleButton != nullptr)
        m_widthToggleButton->setCaption(step.caption);
}

// Labels beyond the narrow window (the table) are hidden while it is
// narrow, so that a screen reader does not report them as showing.
void Form1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    for (const ControlRegistry::Entry &entry : m_controls.entries()) {
        if (entry.type == ControlType::Label)
            entry.widget->setVisible(rect().intersects(entry.widget->geometry()));
    }
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The tape's place is set once the window is up; it opens on its writer
    // thread at its first use (the first line, or a read), so it adds nothing
    // to start-up. Set here, before any input can finish a calculation: a
    // line queued before would go to an in-memory tape that the open then
    // leaves behind.
    if (!m_tapeOpened) {
        m_tapeOpened = true;
        if (isTapeLoaded())
            openTapeFile();
        // Open at the end of the last run: open again, without the keyboard.
        // The show event comes before this window is mapped, so the tape
        // window is mapped first and this one, mapped last, is the one that
        // window managers and compositors give the keyboard to.
        if (TapeWindowPlacement::wasOpen())
            showTape(false);
    }
}

void Form1::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (m_tapeWindow != nullptr && m_tapeWindow->isVisible())
        m_tapeWindow->closeWithMainWindow();
}

void Form1::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // The window may have moved to a screen with another ratio.
    const qreal ratio = devicePixelRatioF();
    if (m_picture.ratio() != ratio)
        startPicture(ratio);
    const QImage &picture = m_picture.image();
    if (ratio == 1.0) {
        const QRect area = event->rect().intersected(picture.rect());
        if (!area.isEmpty())
            painter.drawImage(area.topLeft(), picture, area);
    } else if (!picture.isNull()) {
        painter.drawImage(QPointF(0, 0), picture);
    }
    for (const PaintedLine &line : m_lines) {
        painter.setPen(QPen(line.colour, 0));
        painter.drawLine(line.pixels);
    }
}

} // namespace hitungrama

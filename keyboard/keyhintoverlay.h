#pragma once

#include <QWidget>

#include <vector>

namespace hitungrama {

class XPButton;

// Draws each button's key in a small label over the buttons, as a sibling
// above them: the buttons' own images stay untouched. Takes no input.
class KeyHintOverlay : public QWidget {
    Q_OBJECT

public:
    KeyHintOverlay(std::vector<XPButton *> buttons, QWidget *window);

    // Covers the whole window and shows the labels of the visible buttons.
    void showHints();

    // Where the label of a button is drawn, in window coordinates; empty for
    // a hidden button or one without a key.
    QRect labelRect(const XPButton *button) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<XPButton *> m_buttons;
};

} // namespace hitungrama

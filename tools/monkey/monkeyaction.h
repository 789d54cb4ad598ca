#pragma once

#include <QPoint>
#include <QString>

namespace hitungrama {

// One random action: a line of the replay harness's action language, or a
// click on a point of the window (which that language cannot name).
struct MonkeyAction {
    enum class Kind {
        ClickButtonByName,
        ClickButtonByCaption,
        ClickCheckBox,
        ClickDisplay,
        ClickLabel,
        ClickPoint,
        DoubleClick,
        PressAlone,
        ReleaseAlone,
        Type,
        Paste,
        Key,
        MoveToControl,
        MoveAway,
        AnswerYes,
        AnswerNo,
        MemoryWithYes,
        WidthToggle,
        Table,
        Tape,
        State,
    };
    static constexpr int kKindCount = static_cast<int>(Kind::State) + 1;

    Kind kind = Kind::State;
    QString line;
    QPoint point;                   // for ClickPoint, in window coordinates
    bool dropAnswersAfter = false;  // a "yes" meant for this action only
};

} // namespace hitungrama

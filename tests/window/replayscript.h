#pragma once

#include "harness/actionrunner.h"
#include "harness/recordingmessageboxservice.h"
#include "form/form1.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <memory>
#include <vector>

namespace hitungrama::test {

// A shown Form1 driven by the replay harness's runner, as the harness
// program drives it, with the results parsed back from JSON.
class ReplaySession {
public:
    ReplaySession();
    ~ReplaySession();

    // Runs the lines of a script; returns every result object in order.
    std::vector<QJsonObject> run(const QString &script);

    Form1 &form() { return *m_form; }

    // A value by a path such as "enabled|2" or "table|0|1" (captions hold dots and slashes).
    static QJsonValue at(const QJsonObject &object, const QString &path);

private:
    RecordingMessageBoxService m_boxes;
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<ActionRunner> m_runner;
};

} // namespace hitungrama::test

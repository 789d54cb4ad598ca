#include "replayscript.h"

#include "settings/programsettings.h"
#include "app/programstart.h"
#include "tapeview/tapewindowplacement.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSettings>

#include <gtest/gtest.h>

namespace hitungrama::test {

ReplaySession::ReplaySession()
{
    // Each session starts with the tape window closed, whatever the last left.
    ProgramSettings().remove(QLatin1String(TapeWindowPlacement::kSettingsGroup));
    m_form = ProgramStart::createWindow("window_tests", m_boxes);
    m_runner = std::make_unique<ActionRunner>(*m_form, m_boxes);
    m_runner->showWindow();
}

ReplaySession::~ReplaySession() = default;

std::vector<QJsonObject> ReplaySession::run(const QString &script)
{
    std::vector<QJsonObject> results;
    for (const QString &line : script.split(QLatin1Char('\n'))) {
        for (const QString &text : m_runner->perform(line)) {
            QJsonParseError error{};
            const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
            EXPECT_EQ(error.error, QJsonParseError::NoError) << text.toStdString();
            results.push_back(document.object());
        }
    }
    return results;
}

QJsonValue ReplaySession::at(const QJsonObject &object, const QString &path)
{
    QJsonValue value = object;
    for (const QString &part : path.split(QLatin1Char('|'))) {
        bool isIndex = false;
        const int index = part.toInt(&isIndex);
        if (value.isArray() && isIndex)
            value = value.toArray().at(index);
        else if (value.isObject())
            value = value.toObject().value(part);
        else
            return QJsonValue(QJsonValue::Undefined);
    }
    return value;
}

} // namespace hitungrama::test

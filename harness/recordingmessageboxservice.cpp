#include "harness/recordingmessageboxservice.h"

#include <QFileInfo>

#include <utility>

namespace hitungrama {

MessageAnswer RecordingMessageBoxService::show(QWidget *, const MessageBoxRequest &request)
{
    MessageAnswer answer = MessageAnswer::Ok;
    if (request.buttons == MessageButtons::YesNo) {
        answer = MessageAnswer::No;
        if (!m_answers.empty()) {
            answer = m_answers.front();
            m_answers.pop_front();
        }
    }
    m_records.push_back({request, answer});
    return answer;
}

SaveFileAnswer RecordingMessageBoxService::chooseSaveFile(QWidget *, const SaveFileRequest &request)
{
    m_saveRequests.push_back(request);
    if (m_files.empty())
        return {};
    SaveFileAnswer answer = m_files.front();
    m_files.pop_front();
    // As the save dialog does: a name typed without a dot gets the chosen
    // filter's suffix.
    const QString suffix = request.suffixes.value(answer.filter);
    if (!answer.path.isEmpty() && !suffix.isEmpty() && !QFileInfo(answer.path).fileName().contains(QLatin1Char('.')))
        answer.path += QLatin1Char('.') + suffix;
    return answer;
}

void RecordingMessageBoxService::queueAnswer(bool yes)
{
    m_answers.push_back(yes ? MessageAnswer::Yes : MessageAnswer::No);
}

std::vector<RecordingMessageBoxService::Record> RecordingMessageBoxService::takeRecords()
{
    return std::exchange(m_records, {});
}

} // namespace hitungrama

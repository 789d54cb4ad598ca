#pragma once

#include "boxes/messageboxservice.h"

#include <deque>
#include <vector>

namespace hitungrama {

// Answers message boxes without showing them and records each one. OK boxes
// are answered OK; a Yes/No box takes the oldest queued answer, or No when
// none is queued. A save dialog takes the oldest queued file as if typed
// into it (the chosen filter's suffix added to a name without a dot), or is
// cancelled when none is queued; its requests are kept apart.
class RecordingMessageBoxService : public MessageBoxService {
public:
    struct Record {
        MessageBoxRequest request;
        MessageAnswer answer;
    };

    MessageAnswer show(QWidget *parent, const MessageBoxRequest &request) override;
    SaveFileAnswer chooseSaveFile(QWidget *parent, const SaveFileRequest &request) override;

    void queueAnswer(bool yes);
    void clearQueuedAnswers() { m_answers.clear(); }
    void queueSaveFile(const SaveFileAnswer &answer) { m_files.push_back(answer); }
    const std::vector<SaveFileRequest> &saveRequests() const { return m_saveRequests; }

    const std::vector<Record> &records() const { return m_records; }
    std::vector<Record> takeRecords();

private:
    std::deque<MessageAnswer> m_answers;
    std::vector<Record> m_records;
    std::deque<SaveFileAnswer> m_files;
    std::vector<SaveFileRequest> m_saveRequests;
};

} // namespace hitungrama

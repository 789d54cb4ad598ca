#pragma once

#include "window/messageboxservice.h"

#include <deque>
#include <vector>

namespace hitungrama {

// Answers message boxes without showing them and records each one. OK boxes
// are answered OK; a Yes/No box takes the oldest queued answer, or No when
// none is queued.
class RecordingMessageBoxService : public MessageBoxService {
public:
    struct Record {
        MessageBoxRequest request;
        MessageAnswer answer;
    };

    MessageAnswer show(QWidget *parent, const MessageBoxRequest &request) override;

    void queueAnswer(bool yes);
    void clearQueuedAnswers() { m_answers.clear(); }

    const std::vector<Record> &records() const { return m_records; }
    std::vector<Record> takeRecords();

private:
    std::deque<MessageAnswer> m_answers;
    std::vector<Record> m_records;
};

} // namespace hitungrama

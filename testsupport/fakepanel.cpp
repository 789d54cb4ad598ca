#include "testsupport/fakepanel.h"

namespace hitungrama {

namespace {

// Label3 has one member; the table's label groups and the digits have ten.
int lastIndex(LabelGroup group)
{
    return group == LabelGroup::Label3 ? 0 : 9;
}

} // namespace

std::string FakePanel::caption(LabelGroup group, int index) const
{
    const auto found = captions.find({group, index});
    return found == captions.end() ? std::string() : found->second;
}

void FakePanel::clearHistory()
{
    displayWrites.clear();
    boxes.clear();
}

void FakePanel::setDisplayText(const std::string &text)
{
    display = text;
    displayWrites.push_back(text);
    if (m_engine != nullptr)
        m_engine->displayChanged();
}

void FakePanel::setLabelCaption(LabelGroup group, int index, const std::string &text)
{
    if (index < 0 || index > lastIndex(group)) {
        faults.push_back("label index out of range: " + std::to_string(index));
        return;
    }
    captions[{group, index}] = text;
}

void FakePanel::setDigitButtonEnabled(int index, bool enabled)
{
    if (index < 0 || index >= static_cast<int>(digitEnabled.size())) {
        faults.push_back("digit button index out of range: " + std::to_string(index));
        return;
    }
    digitEnabled[static_cast<std::size_t>(index)] = enabled;
}

MessageAnswer FakePanel::showMessage(const std::string &text, const std::string &title,
                                     MessageButtons buttons, MessageIcon icon)
{
    boxes.push_back({text, title, buttons, icon});
    if (title.empty())
        faults.push_back("message box without a title: " + text);
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (answers.empty()) {
        unscriptedQuestions.push_back(text);
        return MessageAnswer::No;
    }
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace hitungrama

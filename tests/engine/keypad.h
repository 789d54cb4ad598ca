#pragma once

#include "engine/engine.h"
#include "fakepanel.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

namespace hitungrama {

// Drives an engine by key names separated by blanks, as the user would:
// "12.5" enters digits and points one by one, operators and functions use
// their captions, "'text'" types text into the display, "Biner" and
// "Decimal-mode" set the mode check box, "OFF-No" declines the exit question.
class Keypad {
public:
    explicit Keypad(Engine &engine, FakePanel &panel)
        : m_engine(engine)
        , m_panel(panel)
    {
    }

    void press(const std::string &keys)
    {
        std::istringstream stream(keys);
        std::string key;
        while (stream >> key)
            pressOne(key);
    }

private:
    void pressOne(const std::string &key)
    {
        static const std::map<std::string, int> operators{
            {"+", 0}, {"-", 1}, {"*", 2}, {"/", 3}, {"=", 4}, {"x^y", 5}, {"mod", 6}};
        static const std::map<std::string, int> functions{
            {"Sin", 0}, {"x^2", 1}, {"x^3", 2}, {"Tan", 3}, {"Cos", 4}, {"Sqrt", 5},
            {"!", 6},   {"Tbl", 7}, {"Prm", 8}, {"+/-", 9}, {"%", 10},  {"log", 11}};
        static const std::map<std::string, int> memory{{"M+", 0}, {"M-", 1}, {"MRC", 2}};

        if (key.size() >= 2 && key.front() == '\'' && key.back() == '\'') {
            m_panel.type(key.substr(1, key.size() - 2));
        } else if (key.find_first_not_of("0123456789.") == std::string::npos) {
            for (const char c : key) {
                if (c == '.')
                    m_engine.decimalPointClicked();
                else
                    m_engine.digitClicked(c - '0');
            }
        } else if (const auto op = operators.find(key); op != operators.end()) {
            m_engine.operatorClicked(op->second);
        } else if (const auto fn = functions.find(key); fn != functions.end()) {
            m_engine.functionClicked(fn->second);
        } else if (const auto mem = memory.find(key); mem != memory.end()) {
            m_engine.memoryClicked(mem->second);
        } else if (key == "ON") {
            m_engine.onClicked();
        } else if (key == "BS") {
            m_engine.backSpaceClicked();
        } else if (key == "CE") {
            m_engine.clearEntryClicked();
        } else if (key == "BIN") {
            m_engine.toBinaryClicked();
        } else if (key == "Desimal") {
            m_engine.toDecimalClicked();
        } else if (key == "Biner") {
            m_engine.binaryModeClicked(1);
        } else if (key == "Decimal-mode") {
            m_engine.binaryModeClicked(0);
        } else if (key == "OFF-No") {
            m_engine.exitDeclined();
        } else {
            ADD_FAILURE() << "unknown key " << key;
        }
    }

    Engine &m_engine;
    FakePanel &m_panel;
};

// A freshly loaded engine wired to a fake panel.
class EngineTest : public ::testing::Test {
protected:
    EngineTest()
    {
        panel.attach(engine);
        engine.load();
    }

    void press(const std::string &keys) { keypad.press(keys); }

    FakePanel panel;
    Engine engine{panel};
    Keypad keypad{engine, panel};
};

} // namespace hitungrama

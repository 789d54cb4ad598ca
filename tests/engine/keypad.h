#pragma once

#include "engine/engine.h"
#include "fakepanel.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <utility>

namespace hitungrama {

// A freshly loaded engine wired to a fake panel, driven by key names separated
// by blanks: "12.5" enters digits and points one by one, operators and
// functions use their captions, "'text'" types text into the display, "Biner"
// and "Decimal-mode" set the mode check box, "OFF-No" declines the exit.
class EngineTest : public ::testing::Test {
protected:
    EngineTest()
    {
        panel.attach(engine);
        engine.load();
    }

    void press(const std::string &keys)
    {
        using Indexed = std::pair<void (Engine::*)(int), int>;
        static const std::map<std::string, Indexed> indexed{
            {"+", {&Engine::operatorClicked, 0}}, {"-", {&Engine::operatorClicked, 1}},
            {"*", {&Engine::operatorClicked, 2}}, {"/", {&Engine::operatorClicked, 3}},
            {"=", {&Engine::operatorClicked, 4}}, {"x^y", {&Engine::operatorClicked, 5}},
            {"mod", {&Engine::operatorClicked, 6}}, {"Sin", {&Engine::functionClicked, 0}},
            {"x^2", {&Engine::functionClicked, 1}}, {"x^3", {&Engine::functionClicked, 2}},
            {"Sqrt", {&Engine::functionClicked, 5}}, {"!", {&Engine::functionClicked, 6}},
            {"Tbl", {&Engine::functionClicked, 7}}, {"Prm", {&Engine::functionClicked, 8}},
            {"+/-", {&Engine::functionClicked, 9}}, {"%", {&Engine::functionClicked, 10}},
            {"log", {&Engine::functionClicked, 11}}, {"M+", {&Engine::memoryClicked, 0}},
            {"M-", {&Engine::memoryClicked, 1}}, {"MRC", {&Engine::memoryClicked, 2}},
            {"Biner", {&Engine::binaryModeClicked, 1}}, {"Decimal-mode", {&Engine::binaryModeClicked, 0}}};
        static const std::map<std::string, void (Engine::*)()> plain{
            {"ON", &Engine::onClicked}, {"BS", &Engine::backSpaceClicked}, {"CE", &Engine::clearEntryClicked},
            {"BIN", &Engine::toBinaryClicked}, {"Desimal", &Engine::toDecimalClicked},
            {"OFF-No", &Engine::exitDeclined}};

        std::istringstream stream(keys);
        std::string key;
        while (stream >> key) {
            if (key.size() >= 2 && key.front() == '\'' && key.back() == '\'') {
                panel.type(key.substr(1, key.size() - 2));
            } else if (key.find_first_not_of("0123456789.") == std::string::npos) {
                for (const char c : key)
                    c == '.' ? engine.decimalPointClicked() : engine.digitClicked(c - '0');
            } else if (const auto found = indexed.find(key); found != indexed.end()) {
                (engine.*found->second.first)(found->second.second);
            } else if (const auto single = plain.find(key); single != plain.end()) {
                (engine.*single->second)();
            } else {
                ADD_FAILURE() << "unknown key " << key;
            }
        }
    }

    FakePanel panel;
    Engine engine{panel};
};

} // namespace hitungrama

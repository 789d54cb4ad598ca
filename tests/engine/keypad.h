#pragma once

#include "engine/engine.h"
#include "engine/numbertext.h"
#include "testsupport/fakepanel.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <utility>

namespace hitungrama {

// A freshly loaded engine wired to a fake panel, driven by key names separated
// by blanks: "12.5" enters digits and points one by one, operators and
// functions use their captions, "'text'" types text into the display,
// "[number]" pastes the number (parseStrict reads it), "Biner"
// and "Decimal-mode" set the mode check box, "OFF-No" declines the exit.
class EngineTest : public ::testing::Test {
protected:
    EngineTest()
    {
        panel.attach(engine);
        engine.load();
    }

    void TearDown() override
    {
        EXPECT_TRUE(panel.faults.empty()) << panel.faults.front();
        EXPECT_TRUE(panel.unscriptedQuestions.empty()) << "unscripted question: "
                                                       << panel.unscriptedQuestions.front();
    }

    void press(const std::string &keys)
    {
        using Press = std::function<void(Engine &)>;
        const auto op = [](Operator o) -> Press { return [o](Engine &e) { e.operatorClicked(o); }; };
        const auto fn = [](Function f) -> Press { return [f](Engine &e) { e.functionClicked(f); }; };
        const auto mem = [](MemoryKey k) -> Press { return [k](Engine &e) { e.memoryClicked(k); }; };
        const auto mode = [](int v) -> Press { return [v](Engine &e) { e.binaryModeClicked(v); }; };
        const auto plain = [](void (Engine::*h)()) -> Press { return [h](Engine &e) { (e.*h)(); }; };
        static const std::map<std::string, Press> named{
            {"+", op(Operator::Add)}, {"-", op(Operator::Subtract)}, {"*", op(Operator::Multiply)},
            {"/", op(Operator::Divide)}, {"=", op(Operator::Equals)}, {"x^y", op(Operator::Power)},
            {"mod", op(Operator::Modulo)}, {"Sin", fn(Function::Sine)},
            {"Cos", fn(Function::Cosine)}, {"Tan", fn(Function::Tangent)}, {"x^2", fn(Function::Square)},
            {"x^3", fn(Function::Cube)}, {"Sqrt", fn(Function::SquareRoot)}, {"!", fn(Function::Factorial)},
            {"Tbl", fn(Function::Table)}, {"Prm", fn(Function::Prime)}, {"+/-", fn(Function::SignChange)},
            {"%", fn(Function::Percent)}, {"log", fn(Function::NaturalLog)}, {"M+", mem(MemoryKey::Store)},
            {"M-", mem(MemoryKey::Clear)}, {"MRC", mem(MemoryKey::Recall)}, {"Biner", mode(1)},
            {"Decimal-mode", mode(0)}, {"ON", plain(&Engine::onClicked)},
            {"BS", plain(&Engine::backSpaceClicked)}, {"CE", plain(&Engine::clearEntryClicked)},
            {"BIN", plain(&Engine::toBinaryClicked)}, {"Desimal", plain(&Engine::toDecimalClicked)},
            {"OFF-No", plain(&Engine::exitDeclined)}};

        std::istringstream stream(keys);
        std::string key;
        while (stream >> key) {
            if (key.size() >= 2 && key.front() == '\'' && key.back() == '\'') {
                panel.type(key.substr(1, key.size() - 2));
            } else if (key.size() >= 2 && key.front() == '[' && key.back() == ']') {
                engine.numberPasted(parseStrict(key.substr(1, key.size() - 2)));
            } else if (key.find_first_not_of("0123456789.") == std::string::npos) {
                for (const char c : key)
                    c == '.' ? engine.decimalPointClicked() : engine.digitClicked(c - '0');
            } else if (const auto found = named.find(key); found != named.end()) {
                found->second(engine);
            } else {
                ADD_FAILURE() << "unknown key " << key;
            }
        }
    }

    FakePanel panel;
    Engine engine{panel};
};

} // namespace hitungrama

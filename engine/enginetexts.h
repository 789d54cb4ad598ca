#pragma once

#include <string>
#include <vector>

// The texts the engine shows: the title of its boxes, the boxes' texts, the
// messages it writes into the display and the message results of finished
// calculations. They are in the program's source language, Indonesian; the
// engine knows no other. The window translates them where they reach the
// screen, through a table that must hold each of them.
namespace hitungrama::enginetext {

extern const std::string kAppTitle;
extern const std::string kDivisionByZero;
extern const std::string kOverflow;
extern const std::string kEnterNumber;
extern const std::string kNegativeRoot;
extern const std::string kNegativeLog;
extern const std::string kFactorialRange;
extern const std::string kNegativePrime;
extern const std::string kPrime;
extern const std::string kNotPrime;
extern const std::string kMemoryRefusesZero;
extern const std::string kReplaceMemory;
extern const std::string kCannotConvert;
// The name a finished conversion from binary is written under,
// "Desimal(00000101)": its button's caption.
extern const std::string kDecimalFunction;

// Every text above.
const std::vector<std::string> &all();

} // namespace hitungrama::enginetext

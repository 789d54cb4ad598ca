#include "engine/enginetexts.h"

namespace hitungrama::enginetext {

// Title of every box that has none of its own.
const std::string kAppTitle = "Hitungrama";

const std::string kDivisionByZero = "Tidak ada pembagian dengan nol";
const std::string kOverflow = "Hitungrama Overflow";
const std::string kEnterNumber = "Masukan bilangan ! ";
const std::string kNegativeRoot = "Tidak dapat mengkalkulasikan bilangan negatif ";
const std::string kNegativeLog = "Tidak dapat mengkalkulasikan bilangan negatif";
const std::string kFactorialRange = "Diluar batas masukkan bilangan 1 sampai 200";
const std::string kNegativePrime = "Tidak ada bilangan primer lebih kecil dari nol";
const std::string kPrime = "Merupakan bilangan primer";
const std::string kNotPrime = "Bukan bilangan primer";
const std::string kMemoryRefusesZero = "memory can't Accept 0";
const std::string kReplaceMemory = "Apakah Anda akan mengganti memory !";
const std::string kCannotConvert = "Tidak dapat mengkonvert bilangan tersebut";
const std::string kDecimalFunction = "Desimal";

const std::vector<std::string> &all()
{
    static const std::vector<std::string> texts = {
        kAppTitle,
        kDivisionByZero,
        kOverflow,
        kEnterNumber,
        kNegativeRoot,
        kNegativeLog,
        kFactorialRange,
        kNegativePrime,
        kPrime,
        kNotPrime,
        kMemoryRefusesZero,
        kReplaceMemory,
        kCannotConvert,
        kDecimalFunction,
    };
    return texts;
}

} // namespace hitungrama::enginetext

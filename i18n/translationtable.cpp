#include "i18n/translationtable.h"

#include <QAnyStringView>
#include <QCoreApplication>

namespace hitungrama {

namespace {

// The words of resources/form1.layout.json. Captions that are symbols or
// abbreviations (digits, operators, Sin, x^2, MRC, BIN, ON, ABOUT,
// Back-Space, Tbl, ...) are not here: they read the same in every language.
const char *const kLayoutTexts[] = {
    //: The window's title: the author's name and the program's name.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "Quodrel Zodir  Hitungrama"),
    //: The check box that turns binary mode on; it must fit in 80 pixels.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "Biner aktif"),
    //: The caption of the button that converts a binary numeral to a decimal
    //: number; it must fit in 100 pixels.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "Desimal"),
    //: Tooltip of CE.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "CLEAR"),
    //: Tooltip of MRC, which recalls the number in memory.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "MEMORY "),
    //: Tooltip of Sin.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "SINUS"),
    //: Tooltip of x^2, which squares the number (the Indonesian names the
    //: square root).
    QT_TRANSLATE_NOOP("hitungrama::Form1", "AKAR PANGKAT DUA"),
    //: Tooltip of x^3, which cubes the number (the Indonesian names the cube
    //: root).
    QT_TRANSLATE_NOOP("hitungrama::Form1", "AKAR PANGKAT TIGA"),
    //: Tooltip of Tan.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "TANGEN"),
    //: Tooltip of Cos.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "KOSINUS"),
    //: Tooltip of Sqrt.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "AKAR KUADRAT"),
    //: Tooltip of !.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "FAKTORIAL"),
    //: Tooltip of Tbl, which fills the multiplication table.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "GENERATE TABLE"),
    //: Tooltip of Prm, which tells whether the number is prime.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "PRIMER ATAU BUKAN PRIMER"),
    //: Tooltip of +/-, which changes the sign.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "MINUS"),
    //: Tooltip of %.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "PERSEN"),
    //: Tooltip of log, which is the natural logarithm.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "LOG"),
    //: Tooltip of BIN.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "KONVERT DARI DESIMAL KE BINER"),
    //: Tooltip of x^y.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "PANGKAT KE Y"),
    //: Tooltip of mod.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "SISA HASIL BAGI"),
    //: Tooltip of the button that converts a binary numeral to a decimal number.
    QT_TRANSLATE_NOOP("hitungrama::Form1", "KONVERT DARI BINER KE DESIMAL"),
};

// enginetext::all(), quoted exactly: a text that differs by a blank is not
// found and stays untranslated.
const char *const kEngineTexts[] = {
    //: The title of the calculator's boxes: the program's name.
    QT_TRANSLATE_NOOP("Engine", "Hitungrama"),
    //: Shown in the display after a division by zero; no digit may start it.
    QT_TRANSLATE_NOOP("Engine", "Tidak ada pembagian dengan nol"),
    //: A result beyond the number range (a box, and a tape line's result).
    QT_TRANSLATE_NOOP("Engine", "Hitungrama Overflow"),
    //: A function was pressed while the display reads 0.
    QT_TRANSLATE_NOOP("Engine", "Masukan bilangan ! "),
    //: Sqrt of zero or of a negative number.
    QT_TRANSLATE_NOOP("Engine", "Tidak dapat mengkalkulasikan bilangan negatif "),
    //: log of zero or of a negative number.
    QT_TRANSLATE_NOOP("Engine", "Tidak dapat mengkalkulasikan bilangan negatif"),
    //: ! of a number that is not a whole number from 1 to 200.
    QT_TRANSLATE_NOOP("Engine", "Diluar batas masukkan bilangan 1 sampai 200"),
    //: Prm of a negative number.
    QT_TRANSLATE_NOOP("Engine", "Tidak ada bilangan primer lebih kecil dari nol"),
    //: Prm's verdict (a box, and a tape line's result).
    QT_TRANSLATE_NOOP("Engine", "Merupakan bilangan primer"),
    //: Prm's verdict (a box, and a tape line's result).
    QT_TRANSLATE_NOOP("Engine", "Bukan bilangan primer"),
    //: Shown in the display when M+ meets 0; no digit may start it.
    QT_TRANSLATE_NOOP("Engine", "memory can't Accept 0"),
    //: The question before M+ replaces a stored number.
    QT_TRANSLATE_NOOP("Engine", "Apakah Anda akan mengganti memory !"),
    //: BIN or Desimal met a number it can't convert.
    QT_TRANSLATE_NOOP("Engine", "Tidak dapat mengkonvert bilangan tersebut"),
    //: A tape line's name for a conversion from binary, "Desimal(00000101) = 5":
    //: the caption of its button.
    QT_TRANSLATE_NOOP("Engine", "Desimal"),
};

} // namespace

const TranslationTable &TranslationTable::layout()
{
    static const TranslationTable table("hitungrama::Form1", kLayoutTexts);
    return table;
}

const TranslationTable &TranslationTable::engine()
{
    static const TranslationTable table("Engine", kEngineTexts);
    return table;
}

QString TranslationTable::translated(const QString &text) const
{
    for (std::size_t i = 0; i < m_count; ++i) {
        if (QAnyStringView::equal(text, QUtf8StringView(m_sources[i])))
            return QCoreApplication::translate(m_context, m_sources[i]);
    }
    return text;
}

QString TranslationTable::translated(const std::string &text) const
{
    return translated(QString::fromStdString(text));
}

QStringList TranslationTable::sources() const
{
    QStringList list;
    for (std::size_t i = 0; i < m_count; ++i)
        list << QString::fromUtf8(m_sources[i]);
    return list;
}

} // namespace hitungrama

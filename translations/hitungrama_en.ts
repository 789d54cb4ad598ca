<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="id">
<context>
    <name>Engine</name>
    <message>
        <source>Hitungrama</source>
        <extracomment>The title of the calculator&apos;s boxes: the program&apos;s name.</extracomment>
        <translation>Hitungrama</translation>
    </message>
    <message>
        <source>Tidak ada pembagian dengan nol</source>
        <extracomment>Shown in the display after a division by zero; no digit may start it.</extracomment>
        <translation>Cannot divide by zero</translation>
    </message>
    <message>
        <source>Hitungrama Overflow</source>
        <extracomment>A result beyond the number range (a box, and a tape line&apos;s result).</extracomment>
        <translation>Overflow: the number is too large</translation>
    </message>
    <message>
        <source>Masukan bilangan ! </source>
        <extracomment>A function was pressed while the display reads 0.</extracomment>
        <translation>Enter a number!</translation>
    </message>
    <message>
        <source>Tidak dapat mengkalkulasikan bilangan negatif </source>
        <extracomment>Sqrt of zero or of a negative number.</extracomment>
        <translation>The square root needs a number above zero</translation>
    </message>
    <message>
        <source>Tidak dapat mengkalkulasikan bilangan negatif</source>
        <extracomment>log of zero or of a negative number.</extracomment>
        <translation>The logarithm needs a number above zero</translation>
    </message>
    <message>
        <source>Diluar batas masukkan bilangan 1 sampai 200</source>
        <extracomment>! of a number that is not a whole number from 1 to 200.</extracomment>
        <translation>Out of range: enter a whole number from 1 to 200</translation>
    </message>
    <message>
        <source>Tidak ada bilangan primer lebih kecil dari nol</source>
        <extracomment>Prm of a negative number.</extracomment>
        <translation>There are no prime numbers below zero</translation>
    </message>
    <message>
        <source>Merupakan bilangan primer</source>
        <extracomment>Prm&apos;s verdict (a box, and a tape line&apos;s result).</extracomment>
        <translation>A prime number</translation>
    </message>
    <message>
        <source>Bukan bilangan primer</source>
        <extracomment>Prm&apos;s verdict (a box, and a tape line&apos;s result).</extracomment>
        <translation>Not a prime number</translation>
    </message>
    <message>
        <source>memory can&apos;t Accept 0</source>
        <extracomment>Shown in the display when M+ meets 0; no digit may start it.</extracomment>
        <translation>Memory can&apos;t accept 0</translation>
    </message>
    <message>
        <source>Apakah Anda akan mengganti memory !</source>
        <extracomment>The question before M+ replaces a stored number.</extracomment>
        <translation>Replace the number in memory?</translation>
    </message>
    <message>
        <source>Tidak dapat mengkonvert bilangan tersebut</source>
        <extracomment>BIN or Desimal met a number it can&apos;t convert.</extracomment>
        <translation>Cannot convert this number</translation>
    </message>
    <message>
        <source>Desimal</source>
        <extracomment>A tape line&apos;s name for a conversion from binary, &quot;Desimal(00000101) = 5&quot;: the caption of its button.</extracomment>
        <translation>Decimal</translation>
    </message>
</context>
<context>
    <name>KeyMap</name>
    <message>
        <source>Enter keypad</source>
        <extracomment>The key list: the Enter key of the numeric keypad.</extracomment>
        <translation>keypad Enter</translation>
    </message>
    <message>
        <source> atau </source>
        <extracomment>The key list: between two keys of one button, blanks included.</extracomment>
        <translation> or </translation>
    </message>
    <message>
        <source>Tombol keyboard menekan tombol kalkulator seperti klik mouse.</source>
        <translation>Keyboard keys press the calculator&apos;s buttons as a mouse click does.</translation>
    </message>
    <message>
        <source>Tombol dengan nama yang sama: %1</source>
        <extracomment>The key list: the buttons whose key is their caption, %1 those captions.</extracomment>
        <translation>Keys named as their buttons: %1</translation>
    </message>
    <message>
        <source>Tahan Ctrl untuk melihat tombol keyboard di atas tiap tombol.</source>
        <translation>Hold Ctrl to see each button&apos;s key over it.</translation>
    </message>
    <message>
        <source>Angka, titik, dan Back-Space berulang selama tombolnya ditahan; tombol lain bekerja sekali setiap kali ditekan.</source>
        <translation>Digits, the point and Back-Space repeat while their key is held; other keys act once per press.</translation>
    </message>
    <message>
        <source> (Enter pada tombol yang terfokus menekan tombol itu)</source>
        <extracomment>The key list, after the keys of &quot;=&quot;: Enter on a focused button presses that button instead.</extracomment>
        <translation> (Enter on a focused button presses that button)</translation>
    </message>
    <message>
        <source>Spasi pada tombol yang terfokus menekan tombol itu.</source>
        <translation>Space presses the focused button.</translation>
    </message>
    <message>
        <source>tempel teks ke layar.</source>
        <translation>paste text into the display.</translation>
    </message>
    <message>
        <source>salin teks layar.</source>
        <translation>copy the display&apos;s text.</translation>
    </message>
    <message>
        <source>jendela Riwayat, semua perhitungan yang tersimpan.</source>
        <translation>the History window, every calculation kept.</translation>
    </message>
</context>
<context>
    <name>TapeActions</name>
    <message>
        <source>Riwayat</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Hapus semua baris riwayat?</source>
        <translation>Delete every line of the history?</translation>
    </message>
    <message>
        <source>Ekspor riwayat</source>
        <translation>Export history</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>Teks (*.txt)</source>
        <translation>Text (*.txt)</translation>
    </message>
    <message>
        <source>Riwayat tidak dapat diekspor ke %1.
%2</source>
        <translation>The history could not be exported to %1.
%2</translation>
    </message>
    <message>
        <source>Riwayat tidak disimpan lagi. Hapus juga baris yang sudah tersimpan?</source>
        <translation>The history is no longer kept. Delete the lines already kept as well?</translation>
    </message>
    <message>
        <source>riwayat</source>
        <extracomment>The name an export suggests for its file, before the extension.</extracomment>
        <translation>history</translation>
    </message>
</context>
<context>
    <name>TapeExport</name>
    <message>
        <source>Ekspor gagal: %1</source>
        <translation>Export failed: %1</translation>
    </message>
    <message>
        <source>Ekspor gagal: riwayat tidak dapat dibaca.</source>
        <translation>Export failed: the history can&apos;t be read.</translation>
    </message>
</context>
<context>
    <name>XPButtonAccessible</name>
    <message>
        <source>Alt+%1</source>
        <extracomment>The access key as assistive technology announces it; &quot;Alt&quot; names the key.</extracomment>
        <translation>Alt+%1</translation>
    </message>
</context>
<context>
    <name>hitungrama::DisplayClipboard</name>
    <message>
        <source>Salin</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Tempel</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Riwayat</source>
        <translation>History</translation>
    </message>
</context>
<context>
    <name>hitungrama::Form1</name>
    <message>
        <source>Hitungrama 1.0
Kalkulator ilmiah oleh Quodrel Zodir
https://hitungrama.example.org</source>
        <extracomment>The text of the box ABOUT opens.</extracomment>
        <translation>Hitungrama 1.0
Scientific calculator by Quodrel Zodir
https://hitungrama.example.org</translation>
    </message>
    <message>
        <source>Anda yakin akan menutup hitungrama </source>
        <extracomment>OFF asks this before the program ends; answered with Yes or No.</extracomment>
        <translation>Are you sure you want to close Hitungrama?</translation>
    </message>
    <message>
        <source>Tombol keyboard</source>
        <extracomment>The title of the list of keys (F1).</extracomment>
        <translation>Keyboard keys</translation>
    </message>
    <message>
        <source>Info</source>
        <extracomment>The title of the box ABOUT opens.</extracomment>
        <translation>About</translation>
    </message>
    <message>
        <source>Pertanyaan</source>
        <extracomment>The title of the box OFF opens.</extracomment>
        <translation>Question</translation>
    </message>
    <message>
        <source>Quodrel Zodir  Hitungrama</source>
        <extracomment>The window&apos;s title: the author&apos;s name and the program&apos;s name.</extracomment>
        <translation>Quodrel Zodir  Hitungrama</translation>
    </message>
    <message>
        <source>Biner aktif</source>
        <extracomment>The check box that turns binary mode on; it must fit in 80 pixels.</extracomment>
        <translation>Binary mode</translation>
    </message>
    <message>
        <source>Desimal</source>
        <extracomment>The caption of the button that converts a binary numeral to a decimal number; it must fit in 100 pixels.</extracomment>
        <translation>Decimal</translation>
    </message>
    <message>
        <source>CLEAR</source>
        <extracomment>Tooltip of CE.</extracomment>
        <translation>CLEAR ENTRY</translation>
    </message>
    <message>
        <source>MEMORY </source>
        <extracomment>Tooltip of MRC, which recalls the number in memory.</extracomment>
        <translation>MEMORY RECALL</translation>
    </message>
    <message>
        <source>SINUS</source>
        <extracomment>Tooltip of Sin.</extracomment>
        <translation>SINE</translation>
    </message>
    <message>
        <source>AKAR PANGKAT DUA</source>
        <extracomment>Tooltip of x^2, which squares the number (the Indonesian names the square root).</extracomment>
        <translation>SQUARE</translation>
    </message>
    <message>
        <source>AKAR PANGKAT TIGA</source>
        <extracomment>Tooltip of x^3, which cubes the number (the Indonesian names the cube root).</extracomment>
        <translation>CUBE</translation>
    </message>
    <message>
        <source>TANGEN</source>
        <extracomment>Tooltip of Tan.</extracomment>
        <translation>TANGENT</translation>
    </message>
    <message>
        <source>KOSINUS</source>
        <extracomment>Tooltip of Cos.</extracomment>
        <translation>COSINE</translation>
    </message>
    <message>
        <source>AKAR KUADRAT</source>
        <extracomment>Tooltip of Sqrt.</extracomment>
        <translation>SQUARE ROOT</translation>
    </message>
    <message>
        <source>FAKTORIAL</source>
        <extracomment>Tooltip of !.</extracomment>
        <translation>FACTORIAL</translation>
    </message>
    <message>
        <source>GENERATE TABLE</source>
        <extracomment>Tooltip of Tbl, which fills the multiplication table.</extracomment>
        <translation>MULTIPLICATION TABLE</translation>
    </message>
    <message>
        <source>PRIMER ATAU BUKAN PRIMER</source>
        <extracomment>Tooltip of Prm, which tells whether the number is prime.</extracomment>
        <translation>PRIME OR NOT</translation>
    </message>
    <message>
        <source>MINUS</source>
        <extracomment>Tooltip of +/-, which changes the sign.</extracomment>
        <translation>CHANGE SIGN</translation>
    </message>
    <message>
        <source>PERSEN</source>
        <extracomment>Tooltip of %.</extracomment>
        <translation>PERCENT</translation>
    </message>
    <message>
        <source>LOG</source>
        <extracomment>Tooltip of log, which is the natural logarithm.</extracomment>
        <translation>NATURAL LOGARITHM</translation>
    </message>
    <message>
        <source>KONVERT DARI DESIMAL KE BINER</source>
        <extracomment>Tooltip of BIN.</extracomment>
        <translation>CONVERT DECIMAL TO BINARY</translation>
    </message>
    <message>
        <source>PANGKAT KE Y</source>
        <extracomment>Tooltip of x^y.</extracomment>
        <translation>TO THE POWER OF Y</translation>
    </message>
    <message>
        <source>SISA HASIL BAGI</source>
        <extracomment>Tooltip of mod.</extracomment>
        <translation>REMAINDER</translation>
    </message>
    <message>
        <source>KONVERT DARI BINER KE DESIMAL</source>
        <extracomment>Tooltip of the button that converts a binary numeral to a decimal number.</extracomment>
        <translation>CONVERT BINARY TO DECIMAL</translation>
    </message>
    <message>
        <source>Layar</source>
        <extracomment>The accessible name of the display, where numbers and messages appear.</extracomment>
        <translation>Display</translation>
    </message>
    <message>
        <source>Memori %1</source>
        <extracomment>Heard when M+ has stored a number; %1 is the number.</extracomment>
        <translation>Memory %1</translation>
    </message>
    <message>
        <source>Memori kosong</source>
        <extracomment>Heard when M- has emptied the memory.</extracomment>
        <translation>Memory empty</translation>
    </message>
    <message>
        <source>Tabel perkalian %1</source>
        <extracomment>Heard when Tbl shows the multiplication table; %1 is its number.</extracomment>
        <translation>Multiplication table of %1</translation>
    </message>
</context>
<context>
    <name>hitungrama::TapeExportProgress</name>
    <message>
        <source>Ekspor riwayat</source>
        <translation>Export history</translation>
    </message>
    <message>
        <source>Mengekspor riwayat ke %1…</source>
        <translation>Exporting the history to %1…</translation>
    </message>
    <message>
        <source>Batal</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>hitungrama::TapeModel</name>
    <message>
        <source>%1, %2</source>
        <extracomment>A tape line read by a screen reader: the line, then when it was made.</extracomment>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>hitungrama::TapeStore</name>
    <message>
        <source>Riwayat lama tidak terbaca dan disimpan sebagai %1; riwayat baru dimulai.</source>
        <translation>The old history could not be read and was kept as %1; a new history begins.</translation>
    </message>
    <message>
        <source>Riwayat %1 tidak terbaca dan tidak dapat dipindahkan; riwayat kali ini hanya ada di memori.</source>
        <translation>The history %1 could not be read or moved aside; this session&apos;s history is kept in memory only.</translation>
    </message>
    <message>
        <source>Riwayat %1 berasal dari versi Hitungrama yang lebih baru dan dibiarkan utuh; riwayat kali ini hanya ada di memori.</source>
        <translation>The history %1 comes from a newer version of Hitungrama and was left as it is; this session&apos;s history is kept in memory only.</translation>
    </message>
    <message>
        <source>Folder %1 tidak dapat ditulisi; riwayat kali ini hanya ada di memori.</source>
        <translation>The folder %1 can&apos;t be written to; this session&apos;s history is kept in memory only.</translation>
    </message>
    <message>
        <source>Disk penuh; riwayat kali ini hanya ada di memori.</source>
        <translation>The disk is full; this session&apos;s history is kept in memory only.</translation>
    </message>
    <message numerus="yes">
        <source>Riwayat dikunci program lain lebih dari %n detik; riwayat kali ini hanya ada di memori.</source>
        <translation>
            <numerusform>Another program has held the history locked for more than %n second; this session&apos;s history is kept in memory only.</numerusform>
            <numerusform>Another program has held the history locked for more than %n seconds; this session&apos;s history is kept in memory only.</numerusform>
        </translation>
    </message>
    <message>
        <source>Riwayat tidak dapat ditulis (%1); riwayat kali ini hanya ada di memori.</source>
        <translation>The history can&apos;t be written (%1); this session&apos;s history is kept in memory only.</translation>
    </message>
    <message>
        <source>Berkas riwayat tidak dapat dibaca (izin ditolak); riwayat kali ini hanya ada di memori.</source>
        <translation>The history file can&apos;t be read (permission denied); this run keeps its lines in memory.</translation>
    </message>
</context>
<context>
    <name>hitungrama::TapeWindow</name>
    <message>
        <source>Riwayat</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Cari</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Cari di riwayat</source>
        <translation>Search the history</translation>
    </message>
    <message>
        <source>Baris riwayat</source>
        <translation>History lines</translation>
    </message>
    <message>
        <source>Simpan &amp;riwayat</source>
        <translation>&amp;Keep history</translation>
    </message>
    <message>
        <source>Simpan riwayat</source>
        <translation>Keep history</translation>
    </message>
    <message>
        <source>&amp;Pakai</source>
        <translation>&amp;Use</translation>
    </message>
    <message>
        <source>&amp;Salin</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Hapus</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Hapus se&amp;mua</source>
        <translation>Delete &amp;all</translation>
    </message>
    <message>
        <source>&amp;Ekspor…</source>
        <translation>&amp;Export…</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <extracomment>A button&apos;s tool tip: what it does, then its key.</extracomment>
        <translation>%1 (%2)</translation>
    </message>
</context>
</TS>

#include "resources/string_table.h"

#include <array>

namespace res {

namespace {

// Texts in the instruments' own words are kept as they have always been shown, odd spacing
// and "%\ns" included: protocols and users' scripts compare against them.
constexpr std::array kTable{
    // Values that do not convert
    StringEntry{7601, "Invalid symbol(s)  %s  found in string  %s.\n", ""},
    // Export: the project's consent to an export
    StringEntry{7649, "The project data may be incomplete.\nContinue the export?",
                "Данные проекта могут быть неполными.\nПродолжить экспорт?"},

    // Serial receive
    StringEntry{9001, "COM", ""},
    StringEntry{9002, "%s\n Failed to open", ""},
    StringEntry{9003, "Failed UpdateData", ""},
    StringEntry{9006, "File %s already exists", ""},
    StringEntry{9008, " Error creating a secondary thread", ""},
    StringEntry{9011, "File %s\nReceived %u strings\nContinue ?", ""},

    // Export dialog
    StringEntry{9012, "File \"%s\" already exists.\nReplace it?",
                "Файл \"%s\" уже существует. \nЗаменить?"},

    // Import protocol
    StringEntry{9018, "File  \"%s\"\nmismatches required data format.\n",
                "Файл \"%s\" содержит данные в неизвестном формате.\n"},
    StringEntry{9019, "String does not contain ELTA R4 data", ""},
    StringEntry{9020, "THE FOLLOWING FILES ARE IMPORTED IN PROJECT:\n\n",
                "В ПРОЕКТ ИМПОРТИРОВАНЫ ФАЙЛЫ:\n\n"},
    StringEntry{9022, "File %\ns not exists", ""},
    StringEntry{9023, "Computer is ready to receiving\n.Press YES and start the device", ""},
    StringEntry{9024, "Text Files", ""},
    StringEntry{9025, "All Files", ""},
    StringEntry{9026, "File  %s, string  %ld:\n%s", ""},
    StringEntry{9027, "Can't convert to integer  %s", ""},
    StringEntry{9029, "Not blank after point  %\ns ", "За точкой\n%s\nнет пробела"},
    StringEntry{9032, "The file name is not given.", "Имя файла не задано."},

    // Import formats: captions of the files-of-type list
    StringEntry{9034, "TOPCON GTS-7", ""},
    StringEntry{9035, "SDR", ""},
    StringEntry{9036, "TOPCON GTS-6", ""},
    StringEntry{9037, "2TA5", ""},
    StringEntry{9038, "3TA5", ""},
    StringEntry{9039, "GEODIMETER, measurement", "GEODIMETER, измерения"},
    StringEntry{9041, "Error _getcwd();", ""},
    StringEntry{9042, "WILD LEICA", ""},

    // Import formats: file type names
    StringEntry{9043, "SDR files", "SDR"},
    StringEntry{9044, "2TA5 Files", "2TA5"},
    StringEntry{9045, "3TA5 Files", "3TA5"},
    StringEntry{9046, "GEODIMETER Files, measurement", "GEODIMETER, измерения"},
    StringEntry{9047, "LEICA Files", "LEICA"},
    StringEntry{9048, "NIKON RDF Files", "NIKON RDF"},
    StringEntry{9049, "TOPCON GTS-6 Files", "TOPCON GTS-6"},
    StringEntry{9050, "TOPCON GTS-7 Files", "TOPCON GTS-7"},

    // Import dialog and option sheet
    StringEntry{9051, "Options for import from ", "Настройки для импорта файлов формата "},
    StringEntry{9052, "File import from device", ""},
    StringEntry{9053, "ELTA R4", "Elta R4"},
    StringEntry{9054, "ELTA R5", "Elta R5"},
    StringEntry{9055, "4TA5 Files", "4TA5"},
    StringEntry{9056, "ELTA REC 500", "Elta  Rec 500"},
    StringEntry{9057, "ELTA R4 Files", "Elta R4"},
    StringEntry{9058, "ELTA R5 Files", "Elta R5"},
    StringEntry{9060, "ELTA REC 500 Files", "Elta  Rec 500"},
    StringEntry{9061, "GEODIMETER Files, points", "GEODIMETER, точки"},
    StringEntry{9062, "GEODIMETER, points", "GEODIMETER, точки"},
    StringEntry{9063, "File %s has already been imported into this project. Repeat import?", ""},
    StringEntry{9064, "ELTA REC M5 Files", "M5"},
    StringEntry{9065, "ELTA REC M5", "M5"},
    StringEntry{9066, "PENTAX, Files, points", "PENTAX, точки"},
    StringEntry{9067, "PENTAX, Files, measurement", "PENTAX, измерения"},
    StringEntry{9068, "PENTAX, Files, points", "PENTAX, точки"},
    StringEntry{9069, "PENTAX, Files, measurement", "PENTAX, измерения"},
    StringEntry{9070, "4TA5", ""},
    StringEntry{9072, "NIKON RDF", ""},
    StringEntry{9073, "File wil be not imported.\n", "Файл не может быть импортирован.\n"},

    // Export writers
    StringEntry{9074, "Change the coordinate presentation of the project.",
                "Измените представление координат проекта."},

    StringEntry{9075, "The value '%s' is out of range.\nAdmissible interval: %s ... %s.\n", ""},
    StringEntry{9076, "Can't allocate %d bytes", ""},
    StringEntry{9082, "Can't read from COM port\nCheck link", ""},
    StringEntry{9083, "Export to instrument formats.", "Экспорт в форматы приборов."},
    StringEntry{9084, "Linear values are exported in [metres] only.\nContinue?",
                "Экспорт линейных значений выполняется только в [метрах].\nПродолжить?"},

    // Leica reader
    StringEntry{9085, "Code false %s\n", "Ошибочный код %s\n"},
    StringEntry{9086, "Code false in word 41", "Неверное значение кода в слове 41\n"},
    StringEntry{9087, "Unknown LEICA format : %s\n", "Неизвестный LEICA формат : %s\n"},

    StringEntry{9088, "Put the destination file name", ""},
    StringEntry{9089, "Import", ""},
    StringEntry{9094, "Cancel", ""},

    // Tips of the option pages; those from 9104 on exist in Russian only.
    StringEntry{9095, "All names are unique", ""},
    StringEntry{9096, "Auto mode for VA formulae, instrument face and zero point", ""},
    StringEntry{9097, "Remove insignificant zeroes from names", ""},
    StringEntry{9098, "Use digital encoding", ""},
    StringEntry{9099, "Break lines by default", ""},
    StringEntry{9100, "Code spread mode", ""},
    StringEntry{9101, "Zone type (6 or 3 degree)", ""},
    StringEntry{9102, "Coordinate X", ""},
    StringEntry{9103, "Coordinate Y", ""},
    StringEntry{9104, "", "Координата Xo"},
    StringEntry{9105, "", "Координата Yo"},
    StringEntry{9106, "", "Номер зоны"},
    StringEntry{9107, "", "Система кодирования"},
    StringEntry{9108, "", "Отношение к рельефу"},
    StringEntry{9109, "", "Разделители кодов"},
    StringEntry{9110, "", "Признак ссылки"},
    StringEntry{9111, "", "Признак атрибута"},
    StringEntry{9112, "", "Значение атрибута"},
    StringEntry{9113, "", "Использовать 16-ти разрядное слово ( 8 разрядов по умолчанию )"},
    StringEntry{9115, "", "Взять код системы из проекта"},

    // Elta reader
    StringEntry{9116, "%s: no unit defined", ""},
    StringEntry{9117, "%s: no space symbol", ""},

    StringEntry{9118, "Format:", ""},
    StringEntry{9120, "Export data", "Данные для экспорта"},
    StringEntry{9121, "Export", "Экспортировать"},
    StringEntry{9122, "The name of point %s contains invalid characters\nor has an invalid length.",
                "Имя пункта %s содержит недопустимые символы\nили недопустимое количество "
                "символов."},
    StringEntry{9123, "Invalid coordinate value of point %s.",
                "Недопустимое значение координаты пункта %s."},

    StringEntry{9285, "Can't run OrvelPad.exe", "Не могу вызвать OrvelPad.exe"},
    // Control-point exchange files
    StringEntry{9286, "The point index is missing.", "Отсутствует индекс пункта."},
    StringEntry{9287, "The point name is missing.", "Отсутствует наименование пункта."},

    // Messages of this system's own, beyond the instruments' table
    StringEntry{
        9501,
        "The line is longer than %s characters; it is read in pieces, each counted as a line.\n",
        "Строка длиннее %s символов; она читается частями, каждая считается строкой.\n"},
    StringEntry{9502,
                "There is no reader for the format \"%s\" in this build; nothing was imported.\n",
                "Чтение формата \"%s\" в этой сборке отсутствует; ничего не импортировано.\n"},
    StringEntry{
        9503,
        "The name of point \"%s\" with its parents is longer than 1023 characters; its nearest "
        "parents are kept.\n",
        "Имя пункта \"%s\" с родителями длиннее 1023 символов; сохранены ближайшие родители.\n"},

    // Nothing is lost: outputs, locks, settings, receive (9600-)
    // end of 9600

    // Real files: encodings, codes, nameless records (9650-)
    // end of 9650

    // Speed: project files (9700-)
    // end of 9700

    // Survey processing (9720-)
    // end of 9720

    // Outputs to CAD, GIS and exchange formats (9780-)
    // end of 9780

    // The desktop program (9810-)
    // Menus: the menu title, then its items, apart by "|".
    StringEntry{9810, "&File|&New|&Open project...|&Save|Save &As...|&Recent files|&Quit",
                "&Файл|&Новый|&Открыть проект...|&Сохранить|Сохранить &как...|&Последние файлы|"
                "&Выход"},
    StringEntry{9811, "&Import|&Instrument files...|&Control points (CDX)...",
                "&Импорт|&Файлы приборов...|&Опорные пункты (CDX)..."},
    StringEntry{9812, "&Export|&Instrument formats...", "&Экспорт|&Форматы приборов..."},
    StringEntry{9813, "I&nstrument|&Receive...", "&Прибор|Прие&м..."},
    StringEntry{9814, "&Options|&Import options...", "&Настройки|&Настройки импорта..."},
    StringEntry{9815, "&Help|&About...|&Language|English|Русский",
                "&Справка|&О программе...|&Язык|English|Русский"},
    StringEntry{9816, "Project|Protocol|Plan|Control points|Survey points",
                "Проект|Протокол|План|Опорные пункты|Съемочные пункты"},
    StringEntry{9817, "Name|X|Y|H|Code", "Имя|X|Y|H|Код"},
    StringEntry{9818, "Station / target|Hz|V|Slope distance|Target height|Code",
                "Станция / цель|Hz|V|Наклонное расстояние|Высота цели|Код"},
    StringEntry{9819, "The project has unsaved changes. Save them?",
                "В проекте есть несохраненные изменения. Сохранить их?"},
    StringEntry{9820, "Cannot open the project %s:\n%s", "Не удается открыть проект %s:\n%s"},
    StringEntry{9821,
                "Tavrin %s\nImports, shows and exports the files of total stations and "
                "recorders.",
                "Таврин %s\nИмпорт, просмотр и экспорт файлов тахеометров и регистраторов."},
    StringEntry{9822, "Untitled", "Без имени"},
    StringEntry{9823, "Fit|Zoom in|Zoom out", "Весь план|Крупнее|Мельче"},
    StringEntry{9824, "%s, line %s", "%s, строка %s"},
    StringEntry{9825, "%s stations, %s observations, %s control points, %s survey points",
                "Станций: %s, измерений: %s, опорных пунктов: %s, съемочных пунктов: %s"},
    StringEntry{9826, "Projects (*.json)|Control points (*.cdx *.txt)|All files (*)",
                "Проекты (*.json)|Опорные пункты (*.cdx *.txt)|Все файлы (*)"},
    StringEntry{9827, "Cannot read %s:\n%s", "Не удается прочитать %s:\n%s"},
    StringEntry{9828, "This window is not available in the desktop program.",
                "Это окно недоступно в настольной программе."},
    StringEntry{9829, "%s points written to %s", "Записано пунктов: %s, файл %s"},
    StringEntry{9830, "No point could be written; no file was made.",
                "Ни один пункт не записан; файл не создан."},
    StringEntry{9831, "Cannot save the project %s:\n%s", "Не удается сохранить проект %s:\n%s"},
    StringEntry{9832, "OK|Cancel", "OK|Отмена"},
    // end of 9810

    // Install, version, help and fuzzing (9840-)
    // end of 9840

    // Format detection (9870-)
    StringEntry{9870, "  settings for this file: %s", "  настройки для этого файла: %s"},
    StringEntry{9871, "GSI words of %s characters on %s of %s lines",
                "слова GSI по %s символов в %s из %s строк"},
    StringEntry{9872, "label=value lines with station or measurement labels on %s of %s lines",
                "строки «метка=значение» с метками станций или измерений: %s из %s строк"},
    StringEntry{9873, "label=value lines of points only on %s of %s lines",
                "строки «метка=значение» только с точками: %s из %s строк"},
    StringEntry{9874, "Pentax keyword records on %s of %s lines",
                "записи Pentax с ключевыми словами: %s из %s строк"},
    StringEntry{9875, "Pentax point records on %s of %s lines",
                "записи точек Pentax: %s из %s строк"},
    StringEntry{9876, "SDR records (two-digit type and derivation code) on %s of %s lines",
                "записи SDR (двузначный тип и код происхождения): %s из %s строк"},
    StringEntry{9877, "GTS-7 keyword records with stations or shots on %s of %s lines",
                "записи GTS-7 с ключевыми словами, станциями или наблюдениями: %s из %s строк"},
    StringEntry{9878, "GTS-6 words separated by \"_\" on %s of %s words",
                "слова GTS-6, разделённые \"_\": %s из %s слов"},
    StringEntry{9879, "Nikon RDF records (CO, ST, SS, ...) on %s of %s lines",
                "записи Nikon RDF (CO, ST, SS, ...): %s из %s строк"},
    StringEntry{9880, "\"%s|\" records on %s of %s lines",
                "записи \"%s|\": %s из %s строк"},
    StringEntry{9881, "Rec 500 records (number, name, code, typed values without bars) on %s of %s lines",
                "записи Rec 500 (номер, имя, код, значения с типами без черт): %s из %s строк"},
    StringEntry{9882, "2TA5 header, point-name and measurement lines on %s of %s lines",
                "строки 2TA5 (заголовки, имена точек, измерения): %s из %s строк"},
    StringEntry{9883, "12-character 3TA5 records (angles in fields 5 and 6) on %s of %s lines",
                "записи 3TA5 из полей по 12 символов (углы в полях 5 и 6): %s из %s строк"},
    StringEntry{9884, "12-character 4TA5 records (angles in fields 4 and 5, up to 9 fields) on %s of %s lines",
                "записи 4TA5 из полей по 12 символов (углы в полях 4 и 5, до 9 полей): %s из %s строк"},
    StringEntry{9885, "a \"BEGIN POINTS\" section with %s point lines; %s lines fit",
                "раздел \"BEGIN POINTS\" с %s строками точек; подходят %s строк"},
    StringEntry{9886, "%s: %s \"%s\" (index %s), confidence %s: %s",
                "%s: %s \"%s\" (номер %s), уверенность %s: %s"},
    StringEntry{9887, "  runner-up: %s \"%s\", confidence %s: %s",
                "  следующий: %s \"%s\", уверенность %s: %s"},
    StringEntry{9888, "%s: no format recognised: %s",
                "%s: формат не распознан: %s"},
    StringEntry{9889, "%s could be %s or %s (confidence %s and %s). Import it as %s?",
                "%s может быть %s или %s (уверенность %s и %s). Импортировать как %s?"},
    StringEntry{9890, "the file cannot be read",
                "файл не читается"},
    StringEntry{9891, "the file is empty",
                "файл пуст"},
    StringEntry{9892, "binary data, not text",
                "двоичные данные, а не текст"},
    StringEntry{9893, "an XML or HTML document",
                "документ XML или HTML"},
    StringEntry{9894, "no sampled line has the shape of a known format",
                "ни одна из просмотренных строк не похожа на известный формат"},
    StringEntry{9895, "the nearest, %s, fits with confidence %s only: %s",
                "ближайший, %s, подходит лишь с уверенностью %s: %s"},
    StringEntry{9896, "%s was read as %s \"%s\"",
                "%s прочитан как %s \"%s\""},
    StringEntry{9897, "%s: skipped, no format recognised: %s",
                "%s: пропущен, формат не распознан: %s"},
    StringEntry{9898, "%s: skipped, %s or %s could not be told apart",
                "%s: пропущен, не удалось выбрать между %s и %s"},
    // end of 9870

    // House keeping (9900-)
    // end of 9900
};

constexpr bool SortedAndComplete() {
    for (size_t i = 0; i < kTable.size(); ++i) {
        if (kTable[i].en.empty() && kTable[i].ru.empty())
            return false;
        if (i > 0 && kTable[i - 1].id >= kTable[i].id)
            return false;
    }
    return true;
}
static_assert(SortedAndComplete(), "string table: ids must ascend and every id needs a text");

}  // namespace

std::span<const StringEntry> StringTable() {
    return kTable;
}

}  // namespace res

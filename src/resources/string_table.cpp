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
    StringEntry{9001, "COM", ""}, StringEntry{9002, "%s\n Failed to open", ""},
    StringEntry{9003, "Failed UpdateData", ""}, StringEntry{9006, "File %s already exists", ""},
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
    StringEntry{9024, "Text Files", ""}, StringEntry{9025, "All Files", ""},
    StringEntry{9026, "File  %s, string  %ld:\n%s", ""},
    StringEntry{9027, "Can't convert to integer  %s", ""},
    StringEntry{9029, "Not blank after point  %\ns ", "За точкой\n%s\nнет пробела"},
    StringEntry{9032, "The file name is not given.", "Имя файла не задано."},

    // Import formats: captions of the files-of-type list
    StringEntry{9034, "TOPCON GTS-7", ""}, StringEntry{9035, "SDR", ""},
    StringEntry{9036, "TOPCON GTS-6", ""}, StringEntry{9037, "2TA5", ""},
    StringEntry{9038, "3TA5", ""},
    StringEntry{9039, "GEODIMETER, measurement", "GEODIMETER, измерения"},
    StringEntry{9041, "Error _getcwd();", ""}, StringEntry{9042, "WILD LEICA", ""},

    // Import formats: file type names
    StringEntry{9043, "SDR files", "SDR"}, StringEntry{9044, "2TA5 Files", "2TA5"},
    StringEntry{9045, "3TA5 Files", "3TA5"},
    StringEntry{9046, "GEODIMETER Files, measurement", "GEODIMETER, измерения"},
    StringEntry{9047, "LEICA Files", "LEICA"}, StringEntry{9048, "NIKON RDF Files", "NIKON RDF"},
    StringEntry{9049, "TOPCON GTS-6 Files", "TOPCON GTS-6"},
    StringEntry{9050, "TOPCON GTS-7 Files", "TOPCON GTS-7"},

    // Import dialog and option sheet
    StringEntry{9051, "Options for import from ", "Настройки для импорта файлов формата "},
    StringEntry{9052, "File import from device", ""}, StringEntry{9053, "ELTA R4", "Elta R4"},
    StringEntry{9054, "ELTA R5", "Elta R5"}, StringEntry{9055, "4TA5 Files", "4TA5"},
    StringEntry{9056, "ELTA REC 500", "Elta  Rec 500"},
    StringEntry{9057, "ELTA R4 Files", "Elta R4"}, StringEntry{9058, "ELTA R5 Files", "Elta R5"},
    StringEntry{9060, "ELTA REC 500 Files", "Elta  Rec 500"},
    StringEntry{9061, "GEODIMETER Files, points", "GEODIMETER, точки"},
    StringEntry{9062, "GEODIMETER, points", "GEODIMETER, точки"},
    StringEntry{9063, "File %s has already been imported into this project. Repeat import?", ""},
    StringEntry{9064, "ELTA REC M5 Files", "M5"}, StringEntry{9065, "ELTA REC M5", "M5"},
    StringEntry{9066, "PENTAX, Files, points", "PENTAX, точки"},
    StringEntry{9067, "PENTAX, Files, measurement", "PENTAX, измерения"},
    StringEntry{9068, "PENTAX, Files, points", "PENTAX, точки"},
    StringEntry{9069, "PENTAX, Files, measurement", "PENTAX, измерения"},
    StringEntry{9070, "4TA5", ""}, StringEntry{9072, "NIKON RDF", ""},
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

    StringEntry{9088, "Put the destination file name", ""}, StringEntry{9089, "Import", ""},
    StringEntry{9094, "Cancel", ""},

    // Tips of the option pages; those from 9104 on exist in Russian only.
    StringEntry{9095, "All names are unique", ""},
    StringEntry{9096, "Auto mode for VA formulae, instrument face and zero point", ""},
    StringEntry{9097, "Remove insignificant zeroes from names", ""},
    StringEntry{9098, "Use digital encoding", ""}, StringEntry{9099, "Break lines by default", ""},
    StringEntry{9100, "Code spread mode", ""}, StringEntry{9101, "Zone type (6 or 3 degree)", ""},
    StringEntry{9102, "Coordinate X", ""}, StringEntry{9103, "Coordinate Y", ""},
    StringEntry{9104, "", "Координата Xo"}, StringEntry{9105, "", "Координата Yo"},
    StringEntry{9106, "", "Номер зоны"}, StringEntry{9107, "", "Система кодирования"},
    StringEntry{9108, "", "Отношение к рельефу"}, StringEntry{9109, "", "Разделители кодов"},
    StringEntry{9110, "", "Признак ссылки"}, StringEntry{9111, "", "Признак атрибута"},
    StringEntry{9112, "", "Значение атрибута"},
    StringEntry{9113, "", "Использовать 16-ти разрядное слово ( 8 разрядов по умолчанию )"},
    StringEntry{9115, "", "Взять код системы из проекта"},

    // Elta reader
    StringEntry{9116, "%s: no unit defined", ""}, StringEntry{9117, "%s: no space symbol", ""},

    StringEntry{9118, "Format:", ""}, StringEntry{9120, "Export data", "Данные для экспорта"},
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
    StringEntry{9600,
                "The settings file %s could not be used (%s); it was moved to %s and default "
                "settings are used.",
                "Файл настроек %s не прочитан (%s); он перемещён в %s, действуют настройки по "
                "умолчанию."},
    StringEntry{9601, "The settings file %s could not be read (%s); default settings are used.",
                "Файл настроек %s не прочитан (%s); действуют настройки по умолчанию."},
    StringEntry{9602,
                "%s is the same file as the input %s; it is not written over (choose another "
                "output)",
                "%s - тот же файл, что и исходный %s; он не будет перезаписан (выберите другой "
                "выходной файл)"},
    StringEntry{9603, "cannot read %s: there is no such file",
                "не удаётся прочитать %s: такого файла нет"},
    StringEntry{9604, "Waiting for another run that is writing %s...\n",
                "Ожидание другого запуска, который записывает %s...\n"},
    StringEntry{9605,
                "File %s has the same contents as %s, which has already been imported into this "
                "project. Repeat import?",
                "Файл %s совпадает по содержимому с файлом %s, уже импортированным в этот проект. "
                "Повторить импорт?"},
    StringEntry{9606, "Nothing was imported.\n", "Ничего не импортировано.\n"},
    StringEntry{9607, "Nothing was imported; %s is left as it was.\n",
                "Ничего не импортировано; %s оставлен без изменений.\n"},
    StringEntry{9608, " %s is left as it was.", " %s оставлен без изменений."},
    StringEntry{9609, " No file was made.", " Файл не создан."},
    StringEntry{9610, "The export was refused; nothing was written.",
                "Экспорт отменён; ничего не записано."},
    StringEntry{9611, "No point could be written.", "Ни один пункт не удалось записать."},
    StringEntry{9612, "the port was lost after %s lines", "связь с портом потеряна после %s строк"},
    StringEntry{9613, "The port %s was lost: %s", "Связь с портом %s потеряна: %s"},
    StringEntry{9614,
                "The receive ended on a write error: %s\n%s bytes were saved in %s; %s bytes "
                "could not be saved. Do not clear the instrument's memory.\n",
                "Приём прерван ошибкой записи: %s\nСохранено байт: %s в %s; не удалось "
                "сохранить байт: %s. Не очищайте память прибора.\n"},
    StringEntry{9615, "Nothing was received; %s is left as it was.\n",
                "Ничего не принято; %s оставлен без изменений.\n"},
    StringEntry{9616, "%s: the options page does not take %s (it would keep %s)",
                "%s: страница параметров не принимает %s (она сохранила бы %s)"},
    StringEntry{9617, "cannot save the settings: %s", "не удаётся сохранить настройки: %s"},
    StringEntry{9618, "imported file", "импортированный файл"},
    // end of 9600

    // Real files: encodings, codes, nameless records (9650-)
    // end of 9650

    // Speed: project files (9700-)
    StringEntry{9700, "not valid JSON at line %s, column %s: %s",
                "неверный JSON в строке %s, позиция %s: %s"},
    StringEntry{9701, "valid JSON, but not a project: the document is %s, a project is an object",
                "правильный JSON, но не проект: документ — %s, а проект — объект"},
    StringEntry{9702, "%s: the field \"%s\" is %s where %s is expected",
                "%s: поле \"%s\" — %s, а ожидается %s"},
    StringEntry{9703, "the text ends before the document does", "текст кончается раньше документа"},
    StringEntry{9704, "unexpected character %s", "неожиданный символ %s"},
    StringEntry{9705, "a number too large for this program", "число слишком велико для программы"},
    StringEntry{9706,
                "the file was written by a newer version (format %s; this version reads up to %s)",
                "файл записан более новой версией (формат %s; эта версия читает до %s)"},
    StringEntry{9707, "cannot read the file: %s", "не удаётся прочитать файл: %s"},
    StringEntry{9708, "an object", "объект"},
    StringEntry{9709, "a list", "список"},
    StringEntry{9710, "text", "текст"},
    StringEntry{9711, "a number", "число"},
    StringEntry{9712, "true or false", "true или false"},
    StringEntry{9713, "a whole number", "целое число"},
    StringEntry{9714, "the project", "проект"},
    StringEntry{9715, "control point", "опорный пункт"},
    StringEntry{9716, "survey point", "съёмочный пункт"},
    StringEntry{9717, "station", "станция"},
    StringEntry{9718, "observation", "наблюдение"},
    StringEntry{9719, "direction", "направление"},
    // end of 9700

    // Survey processing (9720-)
    // end of 9720

    // Outputs to CAD, GIS and exchange formats (9780-)
    StringEntry{9780, "Unknown output format \"%s\"; use one of: %s.\n",
                "Неизвестный формат вывода \"%s\"; допустимы: %s.\n"},
    StringEntry{9781,
                "The output format cannot be told from the name %s; give --format (one of: "
                "%s).\n",
                "Формат вывода нельзя определить по имени %s; укажите --format (один из: %s).\n"},
    StringEntry{9782,
                "%s needs a coordinate reference system: give --crs EPSG:NNNN. Nothing written.\n",
                "Для формата %s нужна система координат: укажите --crs EPSG:NNNN. Ничего не "
                "записано.\n"},
    StringEntry{9783, "The coordinate reference system \"%s\" is not known; give it as EPSG:NNNN.\n",
                "Система координат \"%s\" неизвестна; укажите её как EPSG:NNNN.\n"},
    StringEntry{9784,
                "The coordinate reference system %s is not projected; survey coordinates need "
                "one in metres on a plane.\n",
                "Система координат %s не проекционная; для съёмочных координат нужна система в "
                "метрах на плоскости.\n"},
    StringEntry{9785, "The output %s is the input %s; nothing written.\n",
                "Выходной файл %s совпадает с входным %s; ничего не записано.\n"},
    StringEntry{9786, "Cannot write %s: %s\nNothing was replaced.\n",
                "Не удалось записать %s: %s\nНичего не заменено.\n"},
    StringEntry{9787, "No point of the project is selected; nothing written.\n",
                "В проекте нет выбранных пунктов; ничего не записано.\n"},
    StringEntry{9788, "The coordinates cannot be transformed from %s to WGS 84: %s\n",
                "Координаты нельзя пересчитать из %s в WGS 84: %s\n"},
    StringEntry{9789, "Written: %s (%s)\n", "Записано: %s (%s)\n"},
    StringEntry{9790,
                "  control points: %s, survey points: %s, stations: %s, observations: %s, lines: "
                "%s\n",
                "  исходных пунктов: %s, съёмочных пунктов: %s, станций: %s, наблюдений: %s, "
                "линий: %s\n"},
    StringEntry{9791,
                "  %s features without coordinates are left out: the format cannot hold them.\n",
                "  Объектов без координат пропущено: %s (формат не может их хранить).\n"},
    StringEntry{9792, "The angle unit \"%s\" is not known; use deg, gon, dms or rad.\n",
                "Единица углов \"%s\" неизвестна; допустимы deg, gon, dms, rad.\n"},
    StringEntry{9793, "Cannot read the project %s: %s\n",
                "Не удалось прочитать проект %s: %s\n"},
    StringEntry{9794, "This build of GDAL has no %s driver; nothing written.\n",
                "В этой сборке GDAL нет драйвера %s; ничего не записано.\n"},
    // end of 9780

    // The desktop program (9810-)
    // end of 9810

    // Install, version, help and fuzzing (9840-)
    // end of 9840

    // Format detection (9870-)
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

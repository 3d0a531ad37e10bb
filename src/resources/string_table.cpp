#include "resources/string_table.h"

#include <iterator>

namespace res {

namespace {

// Texts in the instruments' own words are kept as they have always been shown, odd spacing
// and "%\ns" included: protocols and users' scripts compare against them.
constexpr StringEntry kTable[] = {
    // Values that do not convert
    StringEntry{7601, "Invalid symbol(s)  %s  found in string  %s.\n",
                "Недопустимые символы  %s  в строке  %s.\n"},
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
    StringEntry{9019, "String does not contain ELTA R4 data", "Строка не содержит данных ELTA R4"},
    StringEntry{9020, "THE FOLLOWING FILES ARE IMPORTED IN PROJECT:\n\n",
                "В ПРОЕКТ ИМПОРТИРОВАНЫ ФАЙЛЫ:\n\n"},
    StringEntry{9022, "File %\ns not exists", "Файл %\ns не существует"},
    StringEntry{9023, "Computer is ready to receiving\n.Press YES and start the device", ""},
    StringEntry{9024, "Text Files", ""},
    StringEntry{9025, "All Files", ""},
    StringEntry{9026, "File  %s, string  %ld:\n%s", "Файл  %s, строка  %ld:\n%s"},
    StringEntry{9027, "Can't convert to integer  %s", "Не удаётся преобразовать в целое  %s"},
    StringEntry{9029, "Not blank after point  %\ns ", "За точкой\n%s\nнет пробела"},
    StringEntry{9032, "The file name is not given.", "Имя файла не задано."},

    // Import formats: captions of the files-of-type list
    StringEntry{9034, "TOPCON GTS-7", ""}, StringEntry{9035, "SDR", ""},
    StringEntry{9036, "TOPCON GTS-6", ""}, StringEntry{9037, "2TA5", ""},
    StringEntry{9038, "3TA5", ""},
    StringEntry{9039, "GEODIMETER, measurement", "GEODIMETER, измерения"},
    StringEntry{9041, "Error _getcwd();", "Не удаётся прочитать текущую папку"},
    StringEntry{9042, "WILD LEICA", ""},

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
    StringEntry{9063, "File %s has already been imported into this project. Repeat import?",
                "Файл %s уже импортирован в этот проект. Повторить импорт?"},
    StringEntry{9064, "ELTA REC M5 Files", "M5"},
    StringEntry{9065, "ELTA REC M5", "M5"},
    StringEntry{9066, "PENTAX, Files, points", "PENTAX, точки"},
    StringEntry{9067, "PENTAX, Files, measurement", "PENTAX, измерения"},
    StringEntry{9068, "PENTAX, Files, points", "PENTAX, точки"},
    StringEntry{9069, "PENTAX, Files, measurement", "PENTAX, измерения"},
    StringEntry{9070, "4TA5", ""}, StringEntry{9072, "NIKON RDF", ""},
    StringEntry{9073, "File wil be not imported.\n", "Файл не может быть импортирован.\n"},

    // Export writers
    StringEntry{9074, "Change the coordinate presentation of the project.",
                "Измените представление координат проекта."},

    StringEntry{9075, "The value '%s' is out of range.\nAdmissible interval: %s ... %s.\n",
                "Значение '%s' вне допустимого диапазона.\nДопустимый интервал: %s ... %s.\n"},
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

    // Tips of the option pages, also the captions `tavrin options` shows.
    StringEntry{9095, "All names are unique", "Все имена уникальны"},
    StringEntry{9096, "Auto mode for VA formulae, instrument face and zero point",
                "Автоматическое определение формулы МО, круга и места нуля"},
    StringEntry{9097, "Remove insignificant zeroes from names",
                "Удаление незначащих нулей в именах пунктов"},
    StringEntry{9098, "Use digital encoding", "Цифровое кодирование"},
    StringEntry{9099, "Break lines by default", "Разрывать линии по умолчанию"},
    StringEntry{9100, "Code spread mode", "Распространение кода"},
    StringEntry{9101, "Zone type (6 or 3 degree)", "Тип зоны (6- или 3-градусная)"},
    StringEntry{9102, "Coordinate X", "Координата X"},
    StringEntry{9103, "Coordinate Y", "Координата Y"},
    StringEntry{9104, "Coordinate Xo", "Координата Xo"},
    StringEntry{9105, "Coordinate Yo", "Координата Yo"},
    StringEntry{9106, "Zone number", "Номер зоны"},
    StringEntry{9107, "Code system", "Система кодирования"},
    StringEntry{9108, "Relation to the relief", "Отношение к рельефу"},
    StringEntry{9109, "Code separators", "Разделители кодов"},
    StringEntry{9110, "Link mark", "Признак ссылки"},
    StringEntry{9111, "Attribute mark", "Признак атрибута"},
    StringEntry{9112, "Attribute value mark", "Значение атрибута"},
    StringEntry{9113, "Use the 16-digit word (8 digits by default)",
                "Использовать 16-ти разрядное слово ( 8 разрядов по умолчанию )"},
    StringEntry{9115, "Take the code system from the project", "Взять код системы из проекта"},

    // Elta reader
    StringEntry{9116, "%s: no unit defined", "%s: единица измерения не указана"},
    StringEntry{9117, "%s: no space symbol", "%s: нет пробела"},

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

    // Files the platform reads and writes (9520-)
    StringEntry{9520, "Cannot open '%s': it is a folder, not a file",
                "Не удаётся открыть '%s': это папка, а не файл"},
    StringEntry{9521, "Cannot open '%s': %s", "Не удаётся открыть '%s': %s"},
    StringEntry{9522, "Cannot create '%s': %s", "Не удаётся создать '%s': %s"},
    StringEntry{9523, "Cannot finish writing '%s': %s", "Не удаётся дописать '%s': %s"},
    StringEntry{9524, "Cannot read '%s': %s", "Не удаётся прочитать '%s': %s"},
    StringEntry{9525, "Cannot go back in '%s': %s", "Не удаётся вернуться назад в '%s': %s"},
    StringEntry{9526, "Cannot write to '%s': %s", "Не удаётся записать в '%s': %s"},
    StringEntry{9527, "cannot write %s: %s", "не удаётся записать %s: %s"},
    StringEntry{9528, "cannot lock %s: %s", "не удаётся заблокировать %s: %s"},
    StringEntry{9529, "Cannot move the unreadable settings file %s aside: %s",
                "Не удаётся отложить нечитаемый файл настроек %s: %s"},
    // end of 9520
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
    StringEntry{9650, "The record has no point name: its values are not imported.\n",
                "В записи нет имени пункта: её значения не импортированы.\n"},
    StringEntry{9651,
                "File \"%s\" states no angle unit; its angles look like %s: try --angle-unit "
                "%s\n",
                "В файле \"%s\" не указана единица углов; углы похожи на %s: попробуйте "
                "--angle-unit %s\n"},
    StringEntry{9652,
                "File \"%s\": no record yields a point name with the column settings %s.\n"
                "The first data line:\n%s\n%s\nChange the settings %s (or try options --guess).\n",
                "Файл \"%s\": ни одна запись не даёт имени пункта при настройках столбцов %s.\n"
                "Первая строка данных:\n%s\n%s\nИзмените настройки %s (или попробуйте options "
                "--guess).\n"},
    StringEntry{9653, "Imported %s file(s) as %s", "Импортировано файлов: %s, формат %s"},
    StringEntry{9654, "  stations:         %s", "  станций:          %s"},
    StringEntry{9655, "  observations:     %s", "  наблюдений:       %s"},
    StringEntry{9656, "  control points:   %s", "  исходных пунктов: %s"},
    StringEntry{9657, "  survey points:    %s", "  съёмочных точек:  %s"},
    StringEntry{9658, "  protocol entries: %s", "  записей протокола: %s"},
    StringEntry{9659, "  nameless records: %s (not imported)",
                "  записей без имени: %s (не импортированы)"},
    StringEntry{9660, "Project written to %s", "Проект записан в %s"},
    StringEntry{9661, "Nothing was imported.", "Ничего не импортировано."},
    StringEntry{9662, "--encoding takes utf-8 or cp1251, not \"%s\"",
                "--encoding принимает utf-8 или cp1251, а не \"%s\""},
    StringEntry{9663, "Column settings that give every record of %s a unique name:",
                "Настройки столбцов, дающие каждой записи %s уникальное имя:"},
    StringEntry{9664,
                "No column settings give every record of %s a unique name and numeric "
                "coordinates.",
                "Никакие настройки столбцов не дают каждой записи %s уникального имени и "
                "числовых координат."},
    StringEntry{9665, "--guess reads the columns of ELTAREC500 and ELTAC_M5 files only.",
                "--guess подбирает столбцы только для файлов ELTAREC500 и ELTAC_M5."},
    StringEntry{9666, "error: ", "ошибка: "},
    // end of 9650

    // Speed: project files (9700-)
    StringEntry{9667, "Import formats (tavrin import -f KEY|INDEX):",
                "Форматы импорта (tavrin import -f КЛЮЧ|НОМЕР):"},
    StringEntry{9668, "Export formats (tavrin export -f FORMAT):",
                "Форматы экспорта (tavrin export -f ФОРМАТ):"},
    StringEntry{9669, "Control points from %s", "Исходные пункты из %s"},
    StringEntry{9670, "  points read:      %s", "  прочитано пунктов: %s"},
    // The receive on the command line (9680-)
    StringEntry{9680, "Receiving from %s at %s baud into %s", "Приём из %s на скорости %s бод в %s"},
    StringEntry{9681, " (Ctrl-C stops)", " (Ctrl-C прерывает)"},
    StringEntry{9682, "%s strings received, %s/%s bytes of the next",
                "принято строк: %s, байт следующей: %s/%s"},
    StringEntry{9683, "Nothing was received.", "Ничего не принято."},
    StringEntry{9684, "Received %s strings into %s (%s)", "Принято строк: %s, файл %s (%s)"},
    StringEntry{9685, "stopped|the device fell silent|the device finished|no whole line arrived",
                "остановлено|прибор замолчал|прибор закончил передачу|ни одной целой строки"},
    StringEntry{9686, "Imported as 3TA5: %s stations, %s observations, %s points",
                "Импортировано как 3TA5: станций %s, наблюдений %s, пунктов %s"},
    // end of 9680
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
    StringEntry{9720, "Station %s: oriented on %s known point(s), orientation %s, spread %s.\n",
                "Станция %s: ориентирование по %s известным пунктам, дирекционный угол нуля %s, разброс %s.\n"},
    StringEntry{9721, "No known point and no backsight azimuth at station(s) %s: their horizontal circle readings are taken as bearings.\n",
                "На станциях %s нет известных пунктов и дирекционного угла на заднюю точку: отсчёты горизонтального круга приняты за дирекционные углы.\n"},
    StringEntry{9722, "Station %s: oriented by the backsight azimuth %s.\n",
                "Станция %s: ориентирование по дирекционному углу на заднюю точку %s.\n"},
    StringEntry{9723, "Station %s: the distance to %s is %s m as measured but %s m between the coordinates; that point is not used to orient the station.\n",
                "Станция %s: расстояние до %s измерено %s м, а по координатам %s м; этот пункт не используется для ориентирования.\n"},
    StringEntry{9724, "Station %s: free station on %s known point(s): X %s, Y %s, H %s, orientation %s, largest residual %s m.\n",
                "Станция %s: свободная станция по %s известным пунктам: X %s, Y %s, H %s, ориентирование %s, наибольшая невязка %s м.\n"},
    StringEntry{9725, "Station %s: point %s disagrees with the other known points by %s m and is left out of the free station.\n",
                "Станция %s: пункт %s расходится с остальными известными пунктами на %s м и исключён из свободной станции.\n"},
    StringEntry{9726, "Station %s has no coordinates and fewer than two known points measured; its targets are not computed.\n",
                "Станция %s не имеет координат, измерено меньше двух известных пунктов; её точки не вычислены.\n"},
    StringEntry{9727, "Station %s, point %s: the computed coordinates differ from those the instrument recorded by %s m in plan and %s m in height.\n",
                "Станция %s, точка %s: вычисленные координаты отличаются от записанных прибором на %s м в плане и %s м по высоте.\n"},
    StringEntry{9728, "Station %s: collimation error %s, index error %s.\n",
                "Станция %s: коллимационная ошибка %s, место зенита %s.\n"},
    StringEntry{9729, "Station %s, point %s: the two faces disagree by more than %s.\n",
                "Станция %s, точка %s: измерения при двух кругах расходятся больше чем на %s.\n"},
    StringEntry{9730, "Point %s was measured %s times; the measurements spread by %s m.\n",
                "Точка %s измерена %s раз; разброс измерений %s м.\n"},
    StringEntry{9731, "Station %s, known point %s: the measurement places it %s m from its coordinates.\n",
                "Станция %s, известный пункт %s: по измерению он лежит в %s м от своих координат.\n"},
    StringEntry{9732, "Code \"%s\" (point %s) is not in the code system %s.\n",
                "Код \"%s\" (точка %s) отсутствует в системе кодирования %s.\n"},
    StringEntry{9733, "Processed: %s station(s) placed (%s free), %s point(s) computed, %s line(s).\n",
                "Обработка: размещено станций %s (свободных %s), вычислено точек %s, линий %s.\n"},
    StringEntry{9734, "%s, line %s: a code needs a code and a name.\n",
                "%s, строка %s: для кода нужны код и название.\n"},
    StringEntry{9735, "%s, line %s: the kind \"%s\" is neither point nor line.\n",
                "%s, строка %s: вид \"%s\" не является ни точкой, ни линией.\n"},
    StringEntry{9736, "%s: the file holds no codes.\n",
                "%s: в файле нет кодов.\n"},
    StringEntry{9737, "All 11 code system slots of the project are in use.\n",
                "Все 11 мест для систем кодирования в проекте заняты.\n"},
    StringEntry{9738, "Code system \"%s\": %s code(s) in slot %s.\n",
                "Система кодирования \"%s\": кодов %s, место %s.\n"},
    StringEntry{9739, "The project has no code systems.\n",
                "В проекте нет систем кодирования.\n"},
    StringEntry{9740, "%s: cannot read the file.\n",
                "%s: не удаётся прочитать файл.\n"},
    StringEntry{9741, "%s, line %s: code \"%s\" appears twice.\n",
                "%s, строка %s: код \"%s\" встречается дважды.\n"},
    StringEntry{9742, "code item", "элемент кода"},
    StringEntry{9743, "line", "линия"},
    StringEntry{9744, "code system", "система кодирования"},
    StringEntry{9745, "processing settings", "настройки обработки"},
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
    StringEntry{9795, "Cannot open the conversion module %s: %s\nNothing was written.\n",
                "Не удалось открыть модуль преобразования %s: %s\nНичего не записано.\n"},
    StringEntry{9796, "it is not installed", "он не установлен"},
    // end of 9780

    // The desktop program (9810-)
    // Menus: the menu title, then its items, apart by "|".
    StringEntry{9810, "&File|&New|&Open project...|&Save|Save &As...|&Recent files|&Quit",
                "&Файл|&Новый|&Открыть проект...|&Сохранить|Сохранить &как...|&Последние файлы|"
                "&Выход"},
    StringEntry{9811, "&Import|&Instrument files...|&Control points (CDX)...",
                "&Импорт|&Файлы приборов...|&Опорные пункты (CDX)..."},
    StringEntry{9812, "&Export|&Instrument formats...|&GIS, CAD and LandXML...",
                "&Экспорт|&Форматы приборов...|&ГИС, САПР и LandXML..."},
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
    StringEntry{9833, "Coordinate reference system of the project (EPSG:NNNN):",
                "Система координат проекта (EPSG:NNNN):"},
    // end of 9810

    // Install, version, help and fuzzing (9840-)
    StringEntry{9840, "There is no help topic \"%s\"; topics: %s",
                "Раздела справки \"%s\" нет; разделы: %s"},
    StringEntry{9841, "tavrin %s (commit %s, %s build)",
                "tavrin %s (коммит %s, сборка %s)"},
    StringEntry{9842, "Settings of [%s] in %s:",
                "Настройки [%s] в %s:"},
    StringEntry{9843, "default %s; allowed %s",
                "по умолчанию %s; допустимо %s"},
    StringEntry{9844, "one character",
                "один символ"},
    StringEntry{9845, "any text",
                "любой текст"},
    StringEntry{9846, "%s allows %s, not \"%s\"",
                "%s допускает %s, а не \"%s\""},
    StringEntry{9848, "Station: block code (word 41)",
                "Станция: код блока (слово 41)"},
    StringEntry{9849, "Station: word of the block",
                "Станция: слово блока"},
    StringEntry{9850, "Instrument height: block code (word 41)",
                "Высота инструмента: код блока (слово 41)"},
    StringEntry{9851, "Instrument height: word of the block",
                "Высота инструмента: слово блока"},
    StringEntry{9852, "Target height: block code (word 41)",
                "Высота цели: код блока (слово 41)"},
    StringEntry{9853, "Target height: word of the block",
                "Высота цели: слово блока"},
    StringEntry{9854, "Point code: block code (word 41)",
                "Код пункта: код блока (слово 41)"},
    StringEntry{9855, "Point code: word of the block",
                "Код пункта: слово блока"},
    StringEntry{9856, "First column of the point name",
                "Первая позиция имени пункта"},
    StringEntry{9857, "Width of the point name",
                "Ширина имени пункта"},
    StringEntry{9858, "First column of the point code",
                "Первая позиция кода пункта"},
    StringEntry{9859, "Width of the point code",
                "Ширина кода пункта"},
    StringEntry{9860, "Standard station header",
                "Стандартный заголовок станции"},
    StringEntry{9861, "Station header \"O\"",
                "Заголовок станции \"O\""},
    StringEntry{9862, "Station header \"STN. KNOWN.\"",
                "Заголовок станции \"STN. KNOWN.\""},
    StringEntry{9863, "0 (off) or 1 (on)",
                "0 (нет) или 1 (да)"},
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
    StringEntry{9899, "Imported %s file(s), each read as its detected format",
                "Импортировано файлов: %s, каждый в распознанном формате"},
    // end of 9870

    // House keeping (9900-)
    // end of 9900
};

constexpr bool SortedAndComplete() {
    for (size_t i = 0; i < std::size(kTable); ++i) {
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

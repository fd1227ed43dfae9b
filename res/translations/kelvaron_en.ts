<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>CConverterDlg</name>
    <message>
        <source>Конвертировать</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>Конв. файл</source>
        <translation>Convert file</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Все</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Отм. выбор</source>
        <translation>Clear selection</translation>
    </message>
    <message>
        <source>Каналы</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>Используется коэффициент усиления </source>
        <translation>Gain factor is used </translation>
    </message>
    <message>
        <source>Канал</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>отс./с.</source>
        <translation>samples/s</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Доступно %1 Мб</source>
        <translation>Free %1 MB</translation>
    </message>
    <message>
        <source>Просмотр записей…</source>
        <translation>View recordings…</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All Files (*)</translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Остановить конвертирование после текущей трассы (Esc)</source>
        <translation>Stop the conversion after the trace file in hand (Esc)</translation>
    </message>
    <message>
        <source>Щёлкните, чтобы открыть отчёт о конвертировании</source>
        <translation>Click to open the conversion report</translation>
    </message>
    <message>
        <source>Отчёт о конвертировании</source>
        <translation>Conversion report</translation>
    </message>
</context>
<context>
    <name>messages</name>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Ошибка открытия файла %1</source>
        <translation>Cannot open file %1</translation>
    </message>
    <message>
        <source>Ошибка записи файла %1</source>
        <translation>Cannot write file %1</translation>
    </message>
    <message>
        <source>Недопустимое имя станции %1</source>
        <translation>Invalid station name %1</translation>
    </message>
    <message>
        <source>Недопустимое имя канала %1</source>
        <translation>Invalid channel name %1</translation>
    </message>
    <message>
        <source>Недопустимое время начала записи %1</source>
        <translation>Invalid recording start time %1</translation>
    </message>
    <message>
        <source>В файле нет имени станции</source>
        <translation>The file has no station name</translation>
    </message>
    <message>
        <source>Имя станции в файле &apos;%1&apos; не совпадает с выбранным(и)</source>
        <translation>The station name in file &apos;%1&apos; does not match the selected station(s)</translation>
    </message>
    <message>
        <source>Недопустимое время начала записи в файле %1</source>
        <translation>Invalid recording start time in file %1</translation>
    </message>
    <message>
        <source>Недопустимое время события в файле %1</source>
        <translation>Invalid event time in file %1</translation>
    </message>
    <message>
        <source>Дата или время начала записи в файле %1 невозможны</source>
        <translation>The recording start date or time in file %1 is impossible</translation>
    </message>
    <message>
        <source>Частота дискретизации в файле %1 не положительное конечное число</source>
        <translation>The sample rate in file %1 is not a positive finite number</translation>
    </message>
    <message>
        <source>Имя станции или канала в файле %1 содержит управляющие символы или знаки направления текста</source>
        <translation>A station or channel name in file %1 holds control characters or text direction marks</translation>
    </message>
    <message>
        <source>Ошибка инициализации базы данных</source>
        <translation>Cannot open the catalogue database</translation>
    </message>
    <message>
        <source>Введено ошибочное время</source>
        <translation>Invalid time entered</translation>
    </message>
    <message>
        <source>Связь с базой данных потеряна и не восстановлена, конвертирование остановлено
%1</source>
        <translation>The connection to the catalogue database was lost and could not be restored; the conversion has stopped
%1</translation>
    </message>
    <message>
        <source>использование: kelvaron-batch window [--start ВРЕМЯ] [--duration ДЛИНА | --end ВРЕМЯ]
                                     [--since ДЛИНА] [--channels ИМЯ,ИМЯ...] [СТАНЦИЯ...]
               kelvaron-batch files [--stations ИМЯ,ИМЯ...] [--channels ИМЯ,ИМЯ...] ФАЙЛ...
               kelvaron-batch sync [--from ВРЕМЯ] [--settle СЕКУНДЫ] [--channels ИМЯ,ИМЯ...]
                                   [СТАНЦИЯ...]
               kelvaron-batch watch [--settle СЕКУНДЫ] [--channels ИМЯ,ИМЯ...] [СТАНЦИЯ...]
               kelvaron-batch status [--max-age ДЛИНА] [--failed] [--json] [СТАНЦИЯ...]
               kelvaron-batch check [--fix] [СТАНЦИЯ...]
               kelvaron-batch catalogue init [--indexes] | catalogue upgrade
               kelvaron-batch config
               kelvaron-batch --help | --version
Параметры любого режима: -q, --quiet (без строки хода работы); -v, --verbose (окно
и каждая конвертированная запись); -n, --dry-run; --config ФАЙЛ (kelvaron.ini).
window, files, sync, watch: -j N, --jobs N - N станций сразу (sync и watch: по числу
процессоров, window и files: 1).
ВРЕМЯ: &quot;чч:мм:сс ДД/ММ/ГГГГ&quot;, 2024-03-15T10:00:00, &quot;2024-03-15 10:00&quot;, now или
-ДЛИНА (до текущего момента). ДЛИНА: секунды, 30m, 2h, 1d, чч:мм:сс или &quot;ДДД чч:мм:сс&quot;.
Время - по часам регистратора: местное время этой машины.
kelvaron.ini - это --config ФАЙЛ, $KELVARON_INI или ./kelvaron.ini в текущем каталоге;
tvx.ini - это $TVX_INI или /etc/tvx.ini.
Код завершения: 0 всё конвертировано, 1 ошибка файла или канала или работа остановлена,
2 ошибка вызова или базы данных. check: 0 всё сходится, 1 что-то не сходится.
status: 0 всё в порядке, 1 станция молчит дольше --max-age или запись с ошибкой.
watch работает до SIGTERM (код 0); SIGHUP - перечитать настройки.
</source>
        <translation>usage: kelvaron-batch window [--start TIME] [--duration LENGTH | --end TIME]
                             [--since LENGTH] [--channels NAME,NAME...] [STATION...]
       kelvaron-batch files [--stations NAME,NAME...] [--channels NAME,NAME...] FILE...
       kelvaron-batch sync [--from TIME] [--settle SECONDS] [--channels NAME,NAME...]
                           [STATION...]
       kelvaron-batch watch [--settle SECONDS] [--channels NAME,NAME...] [STATION...]
       kelvaron-batch status [--max-age LENGTH] [--failed] [--json] [STATION...]
       kelvaron-batch check [--fix] [STATION...]
       kelvaron-batch catalogue init [--indexes] | catalogue upgrade
       kelvaron-batch config
       kelvaron-batch --help | --version
Options of every mode: -q, --quiet (no progress line); -v, --verbose (the window
and each converted recording); -n, --dry-run; --config FILE (kelvaron.ini).
window, files, sync, watch: -j N, --jobs N converts N stations at once (sync and watch:
as many as processors, window and files: 1).
TIME: &quot;hh:mm:ss DD/MM/YYYY&quot;, 2024-03-15T10:00:00, &quot;2024-03-15 10:00&quot;, now or
-LENGTH (before now). LENGTH: seconds, 30m, 2h, 1d, hh:mm:ss or &quot;DDD hh:mm:ss&quot;.
Times are on the recorder&apos;s clock: this machine&apos;s local wall-clock time.
kelvaron.ini is --config FILE, $KELVARON_INI or ./kelvaron.ini in the working directory;
tvx.ini is $TVX_INI or /etc/tvx.ini.
Exit status: 0 all converted, 1 a file or channel failed or the run was stopped,
2 usage or catalogue error. check: 0 everything agrees, 1 something does not.
status: 0 all is well, 1 a station silent longer than --max-age or a recording failed.
watch runs until SIGTERM (exit 0); SIGHUP reads the settings again.
</translation>
    </message>
    <message>
        <source>использование: kelvaron-batch catalogue init [--indexes]
Создаёт таблицы eventlist, sitechan и FILELIST с индексами, нужными конвертеру,
в пустой базе данных, которую называет tvx.ini; отказывает, если хоть одна из них
есть. --indexes: в базе, где таблицы есть, добавляет недостающие индексы.
       kelvaron-batch catalogue upgrade
Добавляет в базу, где эти три таблицы есть, журнал записей (kelvaron_recordings и
kelvaron_recording_traces) и ничего больше; отказывает, если он уже есть.
</source>
        <translation>usage: kelvaron-batch catalogue init [--indexes]
Creates the tables eventlist, sitechan and FILELIST, with the indexes of the
converter&apos;s lookups, on the empty catalogue that tvx.ini names; refuses when
any of them exists. --indexes: on a catalogue that has the tables, adds the
indexes it lacks instead.
       kelvaron-batch catalogue upgrade
Adds the record of recordings (kelvaron_recordings and kelvaron_recording_traces),
and nothing else, to a catalogue that has the three tables; refuses when it is
there already.
</translation>
    </message>
    <message>
        <source>использование: kelvaron-batch config
Печатает действующие настройки (tvx.ini и каждая станция ./kelvaron.ini)
и проверяет таблицы и индексы базы данных.
</source>
        <translation>usage: kelvaron-batch config
Prints the settings in effect (tvx.ini, and each station of ./kelvaron.ini)
and checks the catalogue&apos;s tables and indexes.
</translation>
    </message>
    <message>
        <source>Предупреждение</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Станция %1, файл %2</source>
        <translation>Station %1, file %2</translation>
    </message>
    <message>
        <source>использование: kelvaron [--config ФАЙЛ]
               kelvaron --help | --version
kelvaron.ini - это --config ФАЙЛ, $KELVARON_INI или ./kelvaron.ini в текущем каталоге;
tvx.ini - это $TVX_INI или /etc/tvx.ini.
</source>
        <translation>usage: kelvaron [--config FILE]
       kelvaron --help | --version
kelvaron.ini is --config FILE, $KELVARON_INI or ./kelvaron.ini in the working directory;
tvx.ini is $TVX_INI or /etc/tvx.ini.
</translation>
    </message>
    <message>
        <source>Не удаётся прочитать файл %1: %2</source>
        <translation>File %1 cannot be read: %2</translation>
    </message>
    <message>
        <source>Не найден файл %1: каталог данных не задан</source>
        <translation>File %1 not found: no data directory is set</translation>
    </message>
    <message>
        <source>Каталог данных &apos;%1&apos; в файле %2 задан не абсолютным путём</source>
        <translation>The data directory &apos;%1&apos; in %2 is not an absolute path</translation>
    </message>
    <message>
        <source>Каталог данных &apos;%1&apos; в файле %2 - корень файловой системы</source>
        <translation>The data directory &apos;%1&apos; in %2 is the file system&apos;s root</translation>
    </message>
    <message>
        <source>Каталог данных &apos;%1&apos; из файла %2 не существует</source>
        <translation>The data directory &apos;%1&apos; of %2 does not exist</translation>
    </message>
    <message>
        <source>Каталог данных &apos;%1&apos; из файла %2 не является каталогом</source>
        <translation>The data directory &apos;%1&apos; of %2 is not a directory</translation>
    </message>
    <message>
        <source>Нет права записи в каталог данных &apos;%1&apos; из файла %2</source>
        <translation>The data directory &apos;%1&apos; of %2 is not writable</translation>
    </message>
    <message>
        <source>Станция %1 указана несколько раз и конвертируется один раз</source>
        <translation>Station %1 is listed more than once and is converted once</translation>
    </message>
    <message>
        <source>В файле %1 не задан каталог данных ([DATA] DIR)</source>
        <translation>File %1 sets no data directory ([DATA] DIR)</translation>
    </message>
    <message>
        <source>Для станции %1 не задан каталог исходных файлов (DIR)</source>
        <translation>Station %1 has no source directory (DIR)</translation>
    </message>
    <message>
        <source>каталог &apos;%1&apos; станции %2 недоступен</source>
        <translation>the source directory &apos;%1&apos; of station %2 cannot be read</translation>
    </message>
    <message>
        <source>Станция %1 не указана в kelvaron.ini</source>
        <translation>Station %1 is not listed in kelvaron.ini</translation>
    </message>
    <message>
        <source>Канала %1 нет ни в одной конвертированной записи</source>
        <translation>No converted recording carries channel %1</translation>
    </message>
    <message>
        <source>%1: нет места на диске</source>
        <translation>%1: no space left on device</translation>
    </message>
    <message>
        <source>%1: файловая система только для чтения</source>
        <translation>%1: read-only file system</translation>
    </message>
    <message>
        <source>%1: нет доступа</source>
        <translation>%1: permission denied</translation>
    </message>
    <message>
        <source>%1: слишком длинное имя</source>
        <translation>%1: file name too long</translation>
    </message>
    <message>
        <source>%1: не является каталогом</source>
        <translation>%1: not a directory</translation>
    </message>
    <message>
        <source>%1: нет такого каталога</source>
        <translation>%1: no such directory</translation>
    </message>
    <message>
        <source>%1: на этом месте каталог</source>
        <translation>%1: a directory is in the way</translation>
    </message>
    <message>
        <source>%1: файл слишком большой</source>
        <translation>%1: file too large</translation>
    </message>
    <message>
        <source>%1: ошибка ввода-вывода</source>
        <translation>%1: input/output error</translation>
    </message>
    <message>
        <source>%1: превышена дисковая квота</source>
        <translation>%1: disk quota exceeded</translation>
    </message>
    <message>
        <source>%1: нет такого файла или каталога</source>
        <translation>%1: no such file or directory</translation>
    </message>
    <message>
        <source>%1: файл уже существует</source>
        <translation>%1: file exists</translation>
    </message>
    <message>
        <source>%1: это каталог</source>
        <translation>%1: is a directory</translation>
    </message>
    <message>
        <source>%1: слишком много открытых файлов</source>
        <translation>%1: too many open files</translation>
    </message>
    <message>
        <source>%1: слишком много открытых файлов в системе</source>
        <translation>%1: too many open files in the system</translation>
    </message>
    <message>
        <source>%1: устройство или ресурс заняты</source>
        <translation>%1: device or resource busy</translation>
    </message>
    <message>
        <source>%1: файл занят</source>
        <translation>%1: text file busy</translation>
    </message>
    <message>
        <source>%1: слишком много уровней символических ссылок</source>
        <translation>%1: too many levels of symbolic links</translation>
    </message>
    <message>
        <source>нет места на диске</source>
        <translation>no space left on device</translation>
    </message>
    <message>
        <source>файловая система только для чтения</source>
        <translation>read-only file system</translation>
    </message>
    <message>
        <source>нет доступа</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>слишком длинное имя</source>
        <translation>file name too long</translation>
    </message>
    <message>
        <source>не является каталогом</source>
        <translation>not a directory</translation>
    </message>
    <message>
        <source>нет такого каталога</source>
        <translation>no such directory</translation>
    </message>
    <message>
        <source>на этом месте каталог</source>
        <translation>a directory is in the way</translation>
    </message>
    <message>
        <source>файл слишком большой</source>
        <translation>file too large</translation>
    </message>
    <message>
        <source>ошибка ввода-вывода</source>
        <translation>input/output error</translation>
    </message>
    <message>
        <source>превышена дисковая квота</source>
        <translation>disk quota exceeded</translation>
    </message>
    <message>
        <source>нет такого файла или каталога</source>
        <translation>no such file or directory</translation>
    </message>
    <message>
        <source>файл уже существует</source>
        <translation>file exists</translation>
    </message>
    <message>
        <source>это каталог</source>
        <translation>is a directory</translation>
    </message>
    <message>
        <source>слишком много открытых файлов</source>
        <translation>too many open files</translation>
    </message>
    <message>
        <source>слишком много открытых файлов в системе</source>
        <translation>too many open files in the system</translation>
    </message>
    <message>
        <source>устройство или ресурс заняты</source>
        <translation>device or resource busy</translation>
    </message>
    <message>
        <source>файл занят</source>
        <translation>text file busy</translation>
    </message>
    <message>
        <source>слишком много уровней символических ссылок</source>
        <translation>too many levels of symbolic links</translation>
    </message>
    <message>
        <source>Остановить конвертирование после текущей трассы?</source>
        <translation>Stop the conversion after the trace file in hand?</translation>
    </message>
    <message>
        <source>Идёт конвертирование. Остановить его и выйти?</source>
        <translation>A conversion is running. Stop it and quit?</translation>
    </message>
    <message>
        <source>%1/%2, станция %3/%4</source>
        <translation>%1/%2, station %3/%4</translation>
    </message>
    <message>
        <source>файл %1/%2</source>
        <translation>file %1/%2</translation>
    </message>
    <message>
        <source>Ничего не конвертировано</source>
        <translation>Nothing converted</translation>
    </message>
    <message>
        <source>Просмотрено %1, конвертировано %2, пропущено %3</source>
        <translation>Scanned %1, converted %2, skipped %3</translation>
    </message>
    <message>
        <source>конвертировано частично %1</source>
        <translation>partly converted %1</translation>
    </message>
    <message>
        <source>не конвертировано из-за ошибок %1</source>
        <translation>not converted through failures %1</translation>
    </message>
    <message>
        <source>трасс записано %1</source>
        <translation>trace files written %1</translation>
    </message>
    <message>
        <source>повторно записано в этом прогоне %1</source>
        <translation>written again in this run %1</translation>
    </message>
    <message>
        <source>Ошибок трасс %1, ошибок БД %2</source>
        <translation>Trace failures %1, catalogue errors %2</translation>
    </message>
    <message>
        <source>недоступных каталогов станций %1</source>
        <translation>station directories not readable %1</translation>
    </message>
    <message>
        <source>не конвертировано после остановки %1: %2</source>
        <translation>left unconverted by the stop %1: %2</translation>
    </message>
    <message>
        <source>Связь с базой данных потеряна и не восстановлена, конвертирование остановлено</source>
        <translation>The connection to the catalogue database was lost and could not be restored; the conversion has stopped</translation>
    </message>
    <message>
        <source>База данных не принимает записи, конвертирование остановлено</source>
        <translation>The catalogue database refuses writes; the conversion has stopped</translation>
    </message>
    <message>
        <source>нехватка памяти %1</source>
        <translation>out of memory %1</translation>
    </message>
    <message>
        <source>Файл %1 пуст</source>
        <translation>File %1 is empty</translation>
    </message>
    <message>
        <source>Файл %1 не является записью регистратора</source>
        <translation>File %1 is not a recorder file</translation>
    </message>
    <message>
        <source>Файл %1 не читается</source>
        <translation>File %1 cannot be read</translation>
    </message>
    <message>
        <source>Символическая ссылка %1 никуда не ведёт</source>
        <translation>Symbolic link %1 leads nowhere</translation>
    </message>
    <message>
        <source>В файле %1 нет даты или времени записи (FILE/DATE_INT, FILE/TIME_INT)</source>
        <translation>File %1 has no recording date or time (FILE/DATE_INT, FILE/TIME_INT)</translation>
    </message>
    <message>
        <source>Начало данных (HEADER/OFFSET_TO_DATA) вне файла %1</source>
        <translation>The data start (HEADER/OFFSET_TO_DATA) lies outside file %1</translation>
    </message>
    <message>
        <source>В файле %1 нет ни одного канала для конвертирования</source>
        <translation>File %1 has no channel to convert</translation>
    </message>
    <message>
        <source>В файле %1 нет отмеченных каналов</source>
        <translation>File %1 has none of the ticked channels</translation>
    </message>
    <message>
        <source>Блок данных файла %1 не читается</source>
        <translation>The data block of file %1 cannot be read</translation>
    </message>
    <message>
        <source>прочитано %1 МБ, записано %2 МБ, %3 с</source>
        <translation>read %1 MB, written %2 MB, %3 s</translation>
    </message>
    <message>
        <source>Остановлено</source>
        <translation>Stopped</translation>
    </message>
    <message>
        <source>другая станция</source>
        <translation>another station</translation>
    </message>
    <message>
        <source>вне окна</source>
        <translation>outside the window</translation>
    </message>
    <message>
        <source>нет имени, даты или времени</source>
        <translation>no name, date or time</translation>
    </message>
    <message>
        <source>не читается</source>
        <translation>unreadable</translation>
    </message>
    <message>
        <source>нет отмеченных каналов</source>
        <translation>no ticked channel</translation>
    </message>
    <message>
        <source>не изменилась</source>
        <translation>unchanged</translation>
    </message>
    <message>
        <source>ещё пишется</source>
        <translation>still arriving</translation>
    </message>
    <message>
        <source>занята другим конвертером</source>
        <translation>claimed by another converter</translation>
    </message>
    <message>
        <source>уже в архиве</source>
        <translation>already in the archive</translation>
    </message>
    <message>
        <source>В каталоге нет журнала записей: его добавляет kelvaron-batch catalogue upgrade</source>
        <translation>The catalogue has no record of recordings: kelvaron-batch catalogue upgrade adds it</translation>
    </message>
    <message>
        <source>Путь записи длиной %1 байт не помещается в журнал записей каталога</source>
        <translation>The catalogue&apos;s record of recordings cannot hold a source path of %1 bytes</translation>
    </message>
    <message>
        <source>частично конвертирован %1: трасс записано %2, ошибок трасс %3</source>
        <translation>partly converted %1: trace files written %2, trace failures %3</translation>
    </message>
    <message>
        <source>не конвертирован %1: ошибок трасс %2</source>
        <translation>not converted %1: trace failures %2</translation>
    </message>
    <message>
        <source>прерван %1</source>
        <translation>cut short %1</translation>
    </message>
    <message>
        <source>конвертировать %1</source>
        <translation>convert %1</translation>
    </message>
    <message>
        <source>конвертирован %1</source>
        <translation>converted %1</translation>
    </message>
    <message>
        <source>  запишет %1</source>
        <translation>  would write %1</translation>
    </message>
    <message>
        <source>  записан %1</source>
        <translation>  wrote %1</translation>
    </message>
    <message>
        <source>пропустить %1: %2</source>
        <translation>skip %1: %2</translation>
    </message>
    <message>
        <source>пропущен %1: %2</source>
        <translation>skipped %1: %2</translation>
    </message>
    <message>
        <source>файлов: %1, конвертировано: %2, трасс: %3</source>
        <translation>files: %1, converted: %2, traces: %3</translation>
    </message>
    <message>
        <source>kelvaron-batch: окно %1 + %2</source>
        <translation>kelvaron-batch: window %1 + %2</translation>
    </message>
    <message>
        <source>kelvaron-batch: прочитаны %1 и %2</source>
        <translation>kelvaron-batch: read %1 and %2</translation>
    </message>
    <message>
        <source>kelvaron-batch: каталог данных %1</source>
        <translation>kelvaron-batch: data directory %1</translation>
    </message>
    <message>
        <source>kelvaron-batch: станция %1: каталог записей %2, USEGAIN %3</source>
        <translation>kelvaron-batch: station %1: recordings in %2, USEGAIN %3</translation>
    </message>
    <message>
        <source>неизвестный параметр %1 для %2</source>
        <translation>unknown option %1 for %2</translation>
    </message>
    <message>
        <source>неизвестный параметр %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>--jobs &quot;%1&quot;: нужно целое число от 1 до 1024</source>
        <translation>--jobs &quot;%1&quot;: a whole number from 1 to 1024 is needed</translation>
    </message>
    <message>
        <source>параметр %1 не принимает значения</source>
        <translation>option %1 takes no value</translation>
    </message>
    <message>
        <source>параметру %1 нужно значение</source>
        <translation>option %1 needs a value</translation>
    </message>
    <message>
        <source>не задан режим</source>
        <translation>no mode given</translation>
    </message>
    <message>
        <source>неизвестный режим &apos;%1&apos;</source>
        <translation>unknown mode &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--channels не называет ни одного канала</source>
        <translation>--channels names no channel</translation>
    </message>
    <message>
        <source>--stations не называет ни одной станции</source>
        <translation>--stations names no station</translation>
    </message>
    <message>
        <source>не задан ФАЙЛ</source>
        <translation>no FILE given</translation>
    </message>
    <message>
        <source>catalogue требует команды init</source>
        <translation>catalogue needs the command init</translation>
    </message>
    <message>
        <source>лишний аргумент %1 для %2</source>
        <translation>unexpected argument %1 for %2</translation>
    </message>
    <message>
        <source>--since задаёт всё окно: --start, --end и --duration с ним не даются</source>
        <translation>--since gives the whole window: no --start, --end or --duration with it</translation>
    </message>
    <message>
        <source>--end и --duration исключают друг друга</source>
        <translation>--end and --duration exclude each other</translation>
    </message>
    <message>
        <source>--end раньше начала или больше чем через 999 дней после него</source>
        <translation>--end is before the start or more than 999 days after it</translation>
    </message>
    <message>
        <source>--since &quot;%1&quot; не подходит ни под одну из форм: СЕКУНДЫ, Ns, Nm, Nh, Nd, чч:мм:сс или &quot;ДДД чч:мм:сс&quot; (не больше 999 дней)</source>
        <translation>--since &quot;%1&quot; is none of SECONDS, Ns, Nm, Nh, Nd, hh:mm:ss or &quot;DDD hh:mm:ss&quot; (at most 999 days)</translation>
    </message>
    <message>
        <source>--duration &quot;%1&quot; не подходит ни под одну из форм: СЕКУНДЫ, Ns, Nm, Nh, Nd, чч:мм:сс или &quot;ДДД чч:мм:сс&quot; (не больше 999 дней)</source>
        <translation>--duration &quot;%1&quot; is none of SECONDS, Ns, Nm, Nh, Nd, hh:mm:ss or &quot;DDD hh:mm:ss&quot; (at most 999 days)</translation>
    </message>
    <message>
        <source>--start &quot;%1&quot; не подходит ни под одну из форм: &quot;чч:мм:сс ДД/ММ/ГГГГ&quot;, ГГГГ-ММ-ДД[Tчч:мм[:сс]], &quot;ГГГГ-ММ-ДД чч:мм[:сс]&quot;, now или -ДЛИНА</source>
        <translation>--start &quot;%1&quot; is none of &quot;hh:mm:ss DD/MM/YYYY&quot;, YYYY-MM-DD[Thh:mm[:ss]], &quot;YYYY-MM-DD hh:mm[:ss]&quot;, now or -LENGTH</translation>
    </message>
    <message>
        <source>--end &quot;%1&quot; не подходит ни под одну из форм: &quot;чч:мм:сс ДД/ММ/ГГГГ&quot;, ГГГГ-ММ-ДД[Tчч:мм[:сс]], &quot;ГГГГ-ММ-ДД чч:мм[:сс]&quot;, now или -ДЛИНА</source>
        <translation>--end &quot;%1&quot; is none of &quot;hh:mm:ss DD/MM/YYYY&quot;, YYYY-MM-DD[Thh:mm[:ss]], &quot;YYYY-MM-DD hh:mm[:ss]&quot;, now or -LENGTH</translation>
    </message>
    <message>
        <source>&apos;%1&apos; не может быть каталогом станции</source>
        <translation>&apos;%1&apos; cannot be a station&apos;s directory</translation>
    </message>
    <message>
        <source>нет [DATA] DIR в %1</source>
        <translation>no [DATA] DIR in %1</translation>
    </message>
    <message>
        <source>каталог данных %1 из %2 не является доступным каталогом</source>
        <translation>the data directory %1 of %2 is not a readable directory</translation>
    </message>
    <message>
        <source>каталог данных %1 пуст (не смонтирован?): ничего не удалено</source>
        <translation>the data directory %1 is empty (not mounted?): nothing is removed</translation>
    </message>
    <message>
        <source>Станция %1, каталог %2: конвертировано %3, частично %4, пропущено %5, ошибок %6; ждут конвертирования %7</source>
        <translation>Station %1, directory %2: converted %3, partly %4, skipped %5, failed %6; waiting %7</translation>
    </message>
    <message>
        <source>  новейшая конвертированная запись начинается %1 (%2 назад), последняя конвертация %3, конвертер %4</source>
        <translation>  newest converted recording starts %1 (%2 ago), last conversion %3 by %4</translation>
    </message>
    <message>
        <source>  ни одной конвертированной записи</source>
        <translation>  no recording converted</translation>
    </message>
    <message>
        <source>Станция %1: каталог %2 недоступен</source>
        <translation>Station %1: directory %2 is not accessible</translation>
    </message>
    <message>
        <source>  %1: не конвертирована (конвертер %2): %3</source>
        <translation>  %1: not converted (converter %2): %3</translation>
    </message>
    <message>
        <source>  %1: конвертирована частично (конвертер %2): %3</source>
        <translation>  %1: partly converted (converter %2): %3</translation>
    </message>
    <message>
        <source>Станция %1: новейшей конвертированной записи %2, больше допустимого %3</source>
        <translation>Station %1: the newest converted recording is %2 old, more than the allowed %3</translation>
    </message>
    <message>
        <source>Станция %1: ни одной конвертированной записи</source>
        <translation>Station %1: no recording converted</translation>
    </message>
    <message>
        <source>Станция %1: записей с ошибкой %2</source>
        <translation>Station %1: recordings failed %2</translation>
    </message>
    <message>
        <source>kelvaron-batch watch: следит за каталогами станций: %1</source>
        <translation>kelvaron-batch watch: watching the directories of stations: %1</translation>
    </message>
    <message>
        <source>kelvaron-batch watch: остановлен</source>
        <translation>kelvaron-batch watch: stopped</translation>
    </message>
    <message>
        <source>За каталогом %1 станции %2 следить нельзя; его записи найдёт полный проход</source>
        <translation>Directory %1 of station %2 cannot be watched; full passes will find its recordings</translation>
    </message>
    <message>
        <source>%1: %2 (удалено)</source>
        <translation>%1: %2 (removed)</translation>
    </message>
    <message>
        <source>%1: в исходном каталоге станции %2 нет записи с этим началом</source>
        <translation>%1: no recording of %2 with this start in its source directory</translation>
    </message>
    <message>
        <source>%1: будет записан заново из %2</source>
        <translation>%1: to be written again from %2</translation>
    </message>
    <message>
        <source>строка без файла</source>
        <translation>row without file</translation>
    </message>
    <message>
        <source>файл без строки</source>
        <translation>file without row</translation>
    </message>
    <message>
        <source>плохой заголовок</source>
        <translation>bad header</translation>
    </message>
    <message>
        <source>неверный размер</source>
        <translation>bad size</translation>
    </message>
    <message>
        <source>строка не сходится</source>
        <translation>row disagrees</translation>
    </message>
    <message>
        <source>неверное имя</source>
        <translation>bad name</translation>
    </message>
    <message>
        <source>забытый временный файл</source>
        <translation>stale temporary</translation>
    </message>
    <message>
        <source>повторная строка</source>
        <translation>duplicate row</translation>
    </message>
    <message>
        <source>трасс %1, строк %2: всё сходится</source>
        <translation>%1 trace files, %2 rows: everything agrees</translation>
    </message>
    <message>
        <source>трасс %1, строк %2: проблем %3 (%4)</source>
        <translation>%1 trace files, %2 rows: %3 problems (%4)</translation>
    </message>
    <message>
        <source>удалено строк %1 и временных файлов %2</source>
        <translation>removed %1 rows and %2 temporary files</translation>
    </message>
    <message>
        <source>короче заголовка TVX 4.0 (%1 байт)</source>
        <translation>shorter than a TVX 4.0 header (%1 bytes)</translation>
    </message>
    <message>
        <source>не заголовок TVX 4.0</source>
        <translation>not a TVX 4.0 header</translation>
    </message>
    <message>
        <source>размер %1 не равен 512 + 2 x число отсчётов за %2 при частоте %3</source>
        <translation>size %1 is not 512 + 2 x samples of %2 at SpS=%3</translation>
    </message>
    <message>
        <source>путь не по началу и каналу (%1)</source>
        <translation>path does not follow its start and channel (%1)</translation>
    </message>
    <message>
        <source>путь строки не ведёт внутрь каталога данных</source>
        <translation>row&apos;s path is not one below the data directory</translation>
    </message>
    <message>
        <source>файл трассы без строки</source>
        <translation>trace file without a row</translation>
    </message>
    <message>
        <source>строка не сходится: %1</source>
        <translation>row disagrees: %1</translation>
    </message>
    <message>
        <source>строка, файла которой нет</source>
        <translation>row without a file</translation>
    </message>
    <message>
        <source>временный файл записи, которая больше не идёт</source>
        <translation>temporary file of a writer that no longer runs</translation>
    </message>
    <message>
        <source>больше одной строки</source>
        <translation>more than one row</translation>
    </message>
    <message>
        <source>не обычный файл</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>не читается: %1</source>
        <translation>cannot be read: %1</translation>
    </message>
    <message>
        <source>каталог не читается: %1</source>
        <translation>directory cannot be read: %1</translation>
    </message>
    <message>
        <source>STA &apos;%1&apos; (файл: &apos;%2&apos;)</source>
        <translation>STA &apos;%1&apos; (file: &apos;%2&apos;)</translation>
    </message>
    <message>
        <source>CH &apos;%1&apos; (файл: &apos;%2&apos;)</source>
        <translation>CH &apos;%1&apos; (file: &apos;%2&apos;)</translation>
    </message>
    <message>
        <source>TBEGIN %1 (файл: %2)</source>
        <translation>TBEGIN %1 (file: %2)</translation>
    </message>
    <message>
        <source>SPS %1 (файл: %2)</source>
        <translation>SPS %1 (file: %2)</translation>
    </message>
    <message>
        <source>TQTY x SPS %1 отсч. (файл: %2)</source>
        <translation>TQTY x SPS %1 samples (file: %2)</translation>
    </message>
    <message>
        <source>без даты</source>
        <translation>without a date</translation>
    </message>
    <message>
        <source>не число</source>
        <translation>not a number</translation>
    </message>
    <message>
        <source>Записать их заново: %1</source>
        <translation>To write them again: %1</translation>
    </message>
    <message>
        <source>прочитан</source>
        <translation>read</translation>
    </message>
    <message>
        <source>не удаётся прочитать</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>не найден</source>
        <translation>not found</translation>
    </message>
    <message>
        <source>не найден: действуют значения по умолчанию</source>
        <translation>not found: the defaults apply</translation>
    </message>
    <message>
        <source> (по умолчанию)</source>
        <translation> (default)</translation>
    </message>
    <message>
        <source>не задан</source>
        <translation>not set</translation>
    </message>
    <message>
        <source>свой DIR</source>
        <translation>from its own DIR</translation>
    </message>
    <message>
        <source>из [KELVARON] DIR</source>
        <translation>from [KELVARON] DIR</translation>
    </message>
    <message>
        <source>  пользователь: %1</source>
        <translation>  user: %1</translation>
    </message>
    <message>
        <source>  пароль: ***%1</source>
        <translation>  password: ***%1</translation>
    </message>
    <message>
        <source>  каталог данных: %1</source>
        <translation>  data directory: %1</translation>
    </message>
    <message>
        <source>  станция %1: каталог записей %2 (%3), USEGAIN %4</source>
        <translation>  station %1: source directory %2 (%3), USEGAIN %4</translation>
    </message>
    <message>
        <source>база данных: подключена к %1</source>
        <translation>catalogue: connected to %1</translation>
    </message>
    <message>
        <source>база данных: подключена</source>
        <translation>catalogue: connected</translation>
    </message>
    <message>
        <source>  таблицы и индексы для поиска на месте</source>
        <translation>  the tables and the indexes of the lookups are in place</translation>
    </message>
    <message>
        <source>kelvaron-batch: catalogue %1: %2; ничего не изменено</source>
        <translation>kelvaron-batch: catalogue %1: %2; nothing changed</translation>
    </message>
    <message>
        <source>в базе данных уже есть %1 (--indexes добавляет недостающие индексы)</source>
        <translation>the catalogue already has %1 (--indexes adds the indexes it lacks)</translation>
    </message>
    <message>
        <source>в базе данных уже есть %1</source>
        <translation>the catalogue already has %1</translation>
    </message>
    <message>
        <source>в базе данных есть только %1</source>
        <translation>the catalogue has only %1</translation>
    </message>
    <message>
        <source>в базе данных нет %1 (catalogue init создаёт все таблицы в пустой базе)</source>
        <translation>the catalogue lacks %1 (catalogue init creates every table on an empty catalogue)</translation>
    </message>
    <message>
        <source>созданы таблицы eventlist, sitechan, FILELIST, kelvaron_recordings, kelvaron_recording_traces и kelvaron_source_listings (%1)</source>
        <translation>created the tables eventlist, sitechan, FILELIST, kelvaron_recordings, kelvaron_recording_traces and kelvaron_source_listings (%1)</translation>
    </message>
    <message>
        <source>созданы таблицы журнала записей: %1 (%2)</source>
        <translation>created the tables of the record of recordings: %1 (%2)</translation>
    </message>
    <message>
        <source>в базе данных есть все индексы, нужные для поиска</source>
        <translation>the catalogue has every index its lookups need</translation>
    </message>
    <message>
        <source>kelvaron-batch: предупреждение: в базе данных нет таблицы %1; создайте таблицы командой kelvaron-batch catalogue init</source>
        <translation>kelvaron-batch: warning: the catalogue has no table %1; create the tables with: kelvaron-batch catalogue init</translation>
    </message>
    <message>
        <source>kelvaron-batch: предупреждение: у %1 нет индекса по %2, и каждая замена строки просматривает всю таблицу; добавьте его: %3 (или: kelvaron-batch catalogue init --indexes)</source>
        <translation>kelvaron-batch: warning: %1 has no index on %2, so every row replace scans the whole table; add it with: %3 (or: kelvaron-batch catalogue init --indexes)</translation>
    </message>
    <message>
        <source>kelvaron-batch: предупреждение: таблицы базы данных не удалось проверить: %1</source>
        <translation>kelvaron-batch: warning: the catalogue&apos;s tables could not be checked: %1</translation>
    </message>
</context>
<context>
    <name>controls</name>
    <message>
        <source>Введено ошибочное время</source>
        <translation>Invalid time entered</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>CRecordingViewer</name>
    <message>
        <source>, частично: %1</source>
        <translation>, partly: %1</translation>
    </message>
    <message>
        <source>, не конвертировано из-за ошибок: %1</source>
        <translation>, not converted through failures: %1</translation>
    </message>
    <message>
        <source>Не конвертирована из-за ошибок: %1</source>
        <translation>Not converted through failures: %1</translation>
    </message>
    <message>
        <source>; других файлов в каталоге: %1</source>
        <translation>; other files in the directory: %1</translation>
    </message>
    <message>
        <source>Не учтены:</source>
        <translation>Left out:</translation>
    </message>
    <message>
        <source>не файлы (%1): %2</source>
        <translation>not files (%1): %2</translation>
    </message>
    <message>
        <source>не читаются (%1): %2</source>
        <translation>unreadable (%1): %2</translation>
    </message>
    <message>
        <source>не записи регистратора (%1): %2</source>
        <translation>not recorder files (%1): %2</translation>
    </message>
    <message>
        <source>записи других станций (%1): %2</source>
        <translation>other stations&apos; recordings (%1): %2</translation>
    </message>
    <message>
        <source>без времени начала (%1): %2</source>
        <translation>without a start time (%1): %2</translation>
    </message>
    <message>
        <source>%1
Начало: %2
Длительность: %3 с</source>
        <translation>%1
Start: %2
Length: %3 s</translation>
    </message>
    <message>
        <source>
Данных в файле: %1 с, не как в заголовке</source>
        <translation>
Samples in the file: %1 s, not as the header says</translation>
    </message>
    <message>
        <source>Окно конвертации</source>
        <translation>Conversion window</translation>
    </message>
    <message>
        <source>Весь день</source>
        <translation>Whole day</translation>
    </message>
    <message>
        <source>&lt; Предыдущая</source>
        <translation>&lt; Previous</translation>
    </message>
    <message>
        <source>Следующая &gt;</source>
        <translation>Next &gt;</translation>
    </message>
    <message>
        <source>Данных в файле: %1 с, не как в заголовке</source>
        <translation>Samples in the file: %1 s, not as the header says</translation>
    </message>
    <message>
        <source>Конвертированы: %1</source>
        <translation>Converted: %1</translation>
    </message>
    <message>
        <source>Не конвертированы: %1</source>
        <translation>Not converted: %1</translation>
    </message>
    <message>
        <source>Записи станции %1</source>
        <translation>Recordings of station %1</translation>
    </message>
    <message>
        <source>Чтение заголовков записей в %1…</source>
        <translation>Reading recording headers in %1…</translation>
    </message>
    <message>
        <source>Каталог &apos;%1&apos; станции %2 недоступен</source>
        <translation>Directory &apos;%1&apos; of station %2 is not accessible</translation>
    </message>
    <message>
        <source>; отметки о конвертации недоступны: %1</source>
        <translation>; conversion marks unavailable: %1</translation>
    </message>
    <message>
        <source>Записей: %1, из них конвертировано: %2</source>
        <translation>Recordings: %1, converted: %2</translation>
    </message>
    <message>
        <source>Чтение записи %1…</source>
        <translation>Reading recording %1…</translation>
    </message>
    <message>
        <source>  %1: %2</source>
        <translation>  %1: %2</translation>
    </message>
    <message>
        <source>Станция: %1</source>
        <translation>Station: %1</translation>
    </message>
    <message>
        <source>Начало: %1</source>
        <translation>Start: %1</translation>
    </message>
    <message>
        <source>Длительность: %1 с</source>
        <translation>Length: %1 s</translation>
    </message>
    <message>
        <source>Частота: %1 отс./с.</source>
        <translation>Rate: %1 samples/s</translation>
    </message>
    <message>
        <source>Каналы: %1</source>
        <translation>Channels: %1</translation>
    </message>
    <message>
        <source>Запуск: нет</source>
        <translation>Trigger: no</translation>
    </message>
    <message>
        <source>Запуск: да</source>
        <translation>Trigger: yes</translation>
    </message>
    <message>
        <source>Событие: %1</source>
        <translation>Event: %1</translation>
    </message>
    <message>
        <source>Событие: время не указано</source>
        <translation>Event: no time given</translation>
    </message>
    <message>
        <source>Коэффициент усиления:</source>
        <translation>Gain factor:</translation>
    </message>
    <message>
        <source>идёт конвертация</source>
        <translation>a conversion is running</translation>
    </message>
</context>
<context>
    <name>app::TimelineView</name>
    <message>
        <source>частично</source>
        <translation>partly</translation>
    </message>
    <message>
        <source>не конвертирована из-за ошибок</source>
        <translation>not converted through failures</translation>
    </message>
    <message>
        <source>длина не как в заголовке</source>
        <translation>length not as in the header</translation>
    </message>
    <message>
        <source>запись</source>
        <translation>recording</translation>
    </message>
    <message>
        <source>конвертирована</source>
        <translation>converted</translation>
    </message>
    <message>
        <source>перекрытие</source>
        <translation>overlap</translation>
    </message>
    <message>
        <source>пропуск</source>
        <translation>gap</translation>
    </message>
    <message>
        <source>окно конвертации</source>
        <translation>conversion window</translation>
    </message>
</context>
<context>
    <name>app::TraceView</name>
    <message>
        <source>Щёлкните запись на шкале вверху, чтобы увидеть её каналы</source>
        <translation>Click a recording on the timeline above to see its channels</translation>
    </message>
    <message>
        <source>%1  %2  %3 отсч.</source>
        <translation>%1  %2  %3 counts</translation>
    </message>
</context>
<context>
    <name>plot</name>
    <message>
        <source>время регистратора, ось от %1</source>
        <translation>recorder&apos;s clock, axis from %1</translation>
    </message>
    <message>
        <source>событие %1</source>
        <translation>event %1</translation>
    </message>
    <message>
        <source>конвертирован</source>
        <translation>converted</translation>
    </message>
    <message>
        <source>не конвертирован</source>
        <translation>not converted</translation>
    </message>
    <message>
        <source>   событие %1</source>
        <translation>   event %1</translation>
    </message>
    <message>
        <source>В файле &apos;%1&apos; нет имени станции</source>
        <translation>File &apos;%1&apos; has no station name</translation>
    </message>
    <message>
        <source>В файле &apos;%1&apos; нет времени начала записи</source>
        <translation>File &apos;%1&apos; has no recording start time</translation>
    </message>
    <message>
        <source>В файле &apos;%1&apos; начало данных лежит за концом файла</source>
        <translation>File &apos;%1&apos;: the data offset lies beyond the end of the file</translation>
    </message>
    <message>
        <source>Данные файла &apos;%1&apos; не помещаются в памяти</source>
        <translation>The data of file &apos;%1&apos; do not fit in memory</translation>
    </message>
    <message>
        <source>Заголовок файла &apos;%1&apos; не в формате TVX 4.0</source>
        <translation>The header of file &apos;%1&apos; is not in the TVX 4.0 format</translation>
    </message>
    <message>
        <source>амплитуда, отсчёты</source>
        <translation>amplitude, counts</translation>
    </message>
    <message>
        <source>нет данных</source>
        <translation>no data</translation>
    </message>
    <message>
        <source>%1   %2   %3   %4 отс./с.</source>
        <translation>%1   %2   %3   %4 samples/s</translation>
    </message>
</context>
<context>
    <name>kelvaron-plot</name>
    <message>
        <source>Использование: kelvaron-plot ФАЙЛ -o РИСУНОК.png [--channels КАНАЛ,КАНАЛ...] [--width ШИРИНА] [--height ВЫСОТА] [--config ФАЙЛ]</source>
        <translation>Usage: kelvaron-plot FILE -o PICTURE.png [--channels NAME,NAME...] [--width WIDTH] [--height HEIGHT] [--config FILE]</translation>
    </message>
    <message>
        <source>В файле &apos;%1&apos; станции %2 нет канала %3</source>
        <translation>File &apos;%1&apos; of station %2 has no channel %3</translation>
    </message>
    <message>
        <source>В файле &apos;%1&apos; станции %2 нет каналов для рисунка</source>
        <translation>File &apos;%1&apos; of station %2 has no channels to draw</translation>
    </message>
    <message>
        <source>Не удалось записать рисунок &apos;%1&apos;</source>
        <translation>Cannot write picture &apos;%1&apos;</translation>
    </message>
</context>
</TS>

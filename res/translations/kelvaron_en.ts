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
        <source>DATA_SEC: %1 с</source>
        <translation>DATA_SEC: %1 s</translation>
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
        <source>%1  %2  %3 отсч.</source>
        <translation>%1  %2  %3 counts</translation>
    </message>
</context>
<context>
    <name>plot</name>
    <message>
        <source>Файл &apos;%1&apos; не читается</source>
        <translation>File &apos;%1&apos; cannot be read</translation>
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
        <source>отсчёты</source>
        <translation>counts</translation>
    </message>
    <message>
        <source>нет данных</source>
        <translation>no data</translation>
    </message>
    <message>
        <source>%1   %2   %3 отс./с.</source>
        <translation>%1   %2   %3 samples/s</translation>
    </message>
</context>
<context>
    <name>kelvaron-plot</name>
    <message>
        <source>Использование: kelvaron-plot ФАЙЛ -o РИСУНОК.png [--channels КАНАЛ,КАНАЛ...] [--width ШИРИНА] [--height ВЫСОТА]</source>
        <translation>Usage: kelvaron-plot FILE -o PICTURE.png [--channels NAME,NAME...] [--width WIDTH] [--height HEIGHT]</translation>
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

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>MainWindow</name>
    <message>
        <source>Пульты</source>
        <translation>Remotes</translation>
    </message>
    <message>
        <source>Поиск по владельцу</source>
        <translation>Search by owner</translation>
    </message>
    <message>
        <source>Вставьте USB-stick...</source>
        <translation>Insert the USB-stick...</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Remote</translation>
    </message>
    <message>
        <source>Владелец</source>
        <translation>Owner</translation>
    </message>
    <message>
        <source>Статус</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Группа</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Определить пульт</source>
        <translation>Identify remote</translation>
    </message>
    <message>
        <source>Добавить пульт</source>
        <translation>Add remote</translation>
    </message>
    <message>
        <source>Редактировать пульт</source>
        <translation>Edit remote</translation>
    </message>
    <message>
        <source>Удалить пульт</source>
        <translation>Delete remote</translation>
    </message>
    <message>
        <source>Активировать пульт</source>
        <translation>Activate remote</translation>
    </message>
    <message>
        <source>Параметры ИУ</source>
        <translation>Actuator parameters</translation>
    </message>
    <message>
        <source>Значение параметра</source>
        <translation>Parameter value</translation>
    </message>
    <message>
        <source>Загрузить из устройства</source>
        <translation>Read from device</translation>
    </message>
    <message>
        <source>Сохранить в устройство</source>
        <translation>Write to device</translation>
    </message>
    <message>
        <source>Восстановить из устройства</source>
        <translation>Restore from device</translation>
    </message>
    <message>
        <source>Применить в устройстве</source>
        <translation>Apply in device</translation>
    </message>
    <message>
        <source>Восстановить заводские</source>
        <translation>Factory defaults</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Система контроля</source>
        <translation>Control system</translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Режим работы</source>
        <translation>Operating mode</translation>
    </message>
    <message>
        <source>Расширенные</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>Обновление</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Язык программы</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Автономия от БУ</source>
        <translation>Autonomy from the control unit</translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Загрузить...</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Сохранить как...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>Восстановить резервную копию...</source>
        <translation>Restore backup...</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Загрузить из USB-stick</source>
        <translation>Read from USB-stick</translation>
    </message>
    <message>
        <source>Сохранить в USB-stick</source>
        <translation>Write to USB-stick</translation>
    </message>
    <message>
        <source>Сохранить USB-stick в устройство</source>
        <translation>Copy USB-stick to device</translation>
    </message>
    <message>
        <source>Загрузить USB-stick из устройства</source>
        <translation>Copy device to USB-stick</translation>
    </message>
    <message>
        <source>Полная очистка памяти</source>
        <translation>Clear all memory</translation>
    </message>
    <message>
        <source>Состояние памяти</source>
        <translation>Memory status</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Firmware version</translation>
    </message>
    <message>
        <source>Пользователь</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Администратор</source>
        <translation>Administrator</translation>
    </message>
    <message>
        <source>Установить новый пароль</source>
        <translation>Set new password</translation>
    </message>
    <message>
        <source>Сбросить текущий пароль</source>
        <translation>Remove current password</translation>
    </message>
    <message>
        <source>Сбросить забытый пароль</source>
        <translation>Reset forgotten password</translation>
    </message>
    <message>
        <source>Сменить пароль</source>
        <translation>Change password</translation>
    </message>
    <message>
        <source>Обновить программу</source>
        <translation>Update program</translation>
    </message>
    <message>
        <source>Обновить прошивку USB-stick</source>
        <translation>Update USB-stick firmware</translation>
    </message>
    <message>
        <source>Обновить прошивку исполнительного устройства</source>
        <translation>Update actuator firmware</translation>
    </message>
    <message>
        <source>Обновить прошивку USB-stick из файла...</source>
        <translation>Update USB-stick firmware from file...</translation>
    </message>
    <message>
        <source>Обновить прошивку исполнительного устройства из файла...</source>
        <translation>Update actuator firmware from file...</translation>
    </message>
    <message>
        <source>О программе...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>Как работать с программой</source>
        <translation>How to use the program</translation>
    </message>
    <message>
        <source>Автономный режим</source>
        <translation>Autonomous mode</translation>
    </message>
    <message>
        <source>Автономный перенос пультов с USB-stick на ИУ</source>
        <translation>Autonomous transfer of remotes from USB-stick to actuator</translation>
    </message>
    <message>
        <source>Автономное обновление прошивки ИУ с USB-stick</source>
        <translation>Autonomous actuator firmware update from USB-stick</translation>
    </message>
    <message>
        <source>Автономное изменение параметров ИУ с USB-stick</source>
        <translation>Autonomous change of actuator parameters from USB-stick</translation>
    </message>
    <message>
        <source>Активен</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>Заблокирован</source>
        <translation>Blocked</translation>
    </message>
    <message>
        <source>Заблокировать пульт</source>
        <translation>Block remote</translation>
    </message>
    <message>
        <source>Информация о владельце пульта содержит символы, которые USB-stick не может сохранить: %1</source>
        <translation>The owner information contains characters that the USB-stick cannot store: %1</translation>
    </message>
    <message>
        <source>Информация о владельце пульта не помещается в память USB-stick: %1 байт при допустимых %2.</source>
        <translation>The owner information does not fit into the USB-stick memory: %1 bytes where %2 are allowed.</translation>
    </message>
    <message>
        <source>Источник данных - USB-stick</source>
        <translation>Data source - USB-stick</translation>
    </message>
    <message>
        <source>Источник данных - отключенный USB-stick</source>
        <translation>Data source - disconnected USB-stick</translation>
    </message>
    <message>
        <source>(Актуальный файл %1)</source>
        <translation>(Up-to-date file %1)</translation>
    </message>
    <message>
        <source>(Несохраненные изменения для файла %1)</source>
        <translation>(Unsaved changes for file %1)</translation>
    </message>
    <message>
        <source>Источник данных - USB-stick(актуальная резервная копия)</source>
        <translation>Data source - USB-stick (up-to-date backup)</translation>
    </message>
    <message>
        <source>Источник данных - резервная копия </source>
        <translation>Data source - backup </translation>
    </message>
    <message>
        <source>Источник данных - USB-stick(актуальный файл %1)</source>
        <translation>Data source - USB-stick (up-to-date file %1)</translation>
    </message>
    <message>
        <source>Источник данных - файл </source>
        <translation>Data source - file </translation>
    </message>
    <message>
        <source>Неизвестный источник данных</source>
        <translation>Unknown data source</translation>
    </message>
    <message>
        <source>Русский</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Руководство пользователя не найдено. Файл ищется здесь:
%1</source>
        <translation>The user manual was not found. The file is looked for here:
%1</translation>
    </message>
    <message>
        <source>Не удалось открыть руководство пользователя %1. Установите программу для просмотра файлов PDF.</source>
        <translation>The user manual %1 could not be opened. Install a program for viewing PDF files.</translation>
    </message>
    <message>
        <source>Экспорт в CSV...</source>
        <translation>Export to CSV...</translation>
    </message>
    <message>
        <source>Импорт из CSV...</source>
        <translation>Import from CSV...</translation>
    </message>
    <message>
        <source>Отменить импорт</source>
        <translation>Undo import</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>Журнал операций...</source>
        <translation>Operation log...</translation>
    </message>
    <message>
        <source>Сравнить с файлом...</source>
        <translation>Compare with file...</translation>
    </message>
    <message>
        <source>Сравнить с резервной копией...</source>
        <translation>Compare with backup...</translation>
    </message>
    <message>
        <source>Проверять таблицу после записи</source>
        <translation>Verify the table after writing</translation>
    </message>
    <message>
        <source>* — пульт в пешеходном режиме</source>
        <translation>* — the remote is in pedestrian mode</translation>
    </message>
    <message>
        <source>Программу нельзя закрыть, пока идёт операция: дождитесь её окончания</source>
        <translation>The program cannot be closed while an operation runs: wait until it ends</translation>
    </message>
    <message>
        <source>«%1»</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>Подождите, пока закончится операция: %1</source>
        <translation>Wait until the operation ends: %1</translation>
    </message>
    <message>
        <source>Нет связи с USB-stick. Вставьте USB-stick в разъём USB: программа найдёт его сама</source>
        <translation>No connection to the USB-stick. Plug the USB-stick into a USB port: the program finds it by itself</translation>
    </message>
    <message>
        <source>Нужен доступ администратора: выберите %1 и введите пароль</source>
        <translation>Administrator access is needed: choose %1 and enter the password</translation>
    </message>
    <message>
        <source>В таблице не пульты USB-stick: сначала загрузите их командой %1</source>
        <translation>The table does not hold the USB-stick&apos;s remotes: load them first with %1</translation>
    </message>
    <message>
        <source>Недоступно, пока исполнительное устройство в автономном режиме (%1)</source>
        <translation>Not available while the actuator is in autonomous mode (%1)</translation>
    </message>
    <message>
        <source>Пароль администратора не установлен; его устанавливают командой %1</source>
        <translation>No administrator password is set; set one with %1</translation>
    </message>
    <message>
        <source>Выберите пульт в таблице</source>
        <translation>Select a remote in the table</translation>
    </message>
    <message>
        <source>Отменять нечего: таблица не загружена из файла CSV или уже изменена</source>
        <translation>Nothing to undo: the table was not imported from a CSV file or has changed since</translation>
    </message>
</context>
<context>
    <name>PortAccessNotice</name>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Нет прав на открытие порта %1.
Добавьте пользователя в группу %2 (sudo usermod -aG %2 $USER), затем выйдите из системы и войдите снова.</source>
        <translation>No permission to open port %1.
Add the user to the group %2 (sudo usermod -aG %2 $USER), then log out and log in again.</translation>
    </message>
    <message>
        <source>Порт %1 занят другой программой.
Закройте программу, которая его использует: поиск USB-stick продолжается и найдёт его, когда порт освободится.</source>
        <translation>Port %1 is taken by another program.
Close the program that uses it: the search for the USB-stick goes on and finds it once the port is free.</translation>
    </message>
</context>
<context>
    <name>QAboutDialog</name>
    <message>
        <source>О программе</source>
        <translation>About the program</translation>
    </message>
    <message>
        <source>Настройка приводов ворот и рольставней через USB-stick: таблица пультов в USB-stick и исполнительном устройстве, параметры устройства, пароль администратора, обновление прошивки.</source>
        <translation>Setting up gate and roller-shutter drives through the USB-stick: the remote table in the USB-stick and in the actuator, device parameters, the administrator password, firmware updates.</translation>
    </message>
    <message>
        <source>Работает на Qt %1 (собрана с Qt %2).</source>
        <translation>Runs on Qt %1 (built with Qt %2).</translation>
    </message>
    <message>
        <source>Программа распространяется на условиях %1, версии 3 или более поздней, без каких-либо гарантий.</source>
        <translation>The program is distributed under the terms of the %1, version 3 or later, without any warranty.</translation>
    </message>
    <message>
        <source>Qt — библиотека The Qt Company Ltd., используется на условиях %1 версии 3.</source>
        <translation>Qt is a library of The Qt Company Ltd., used under the terms of the %1 version 3.</translation>
    </message>
</context>
<context>
    <name>QAddDeviceDialog</name>
    <message>
        <source>Новый пульт</source>
        <translation>New remote</translation>
    </message>
    <message>
        <source>Мастер добавления новых пультов</source>
        <translation>New remote wizard</translation>
    </message>
    <message>
        <source>Этап</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Прослушивание</source>
        <translation>Listening</translation>
    </message>
    <message>
        <source>Повторный поиск</source>
        <translation>Search again</translation>
    </message>
    <message>
        <source>Выбор типа пульта</source>
        <translation>Remote type</translation>
    </message>
    <message>
        <source>Обычный режим</source>
        <translation>Normal mode</translation>
    </message>
    <message>
        <source>Пешеходный режим</source>
        <translation>Pedestrian mode</translation>
    </message>
    <message>
        <source>Ок</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Назначение владельца</source>
        <translation>Assign owner</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Завершен</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Не пройден</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>Установка режима работы</source>
        <translation>Setting the operating mode</translation>
    </message>
    <message>
        <source>Адрес </source>
        <translation>Address </translation>
    </message>
    <message>
        <source>Поиск нового пульта... 
 Нажмите и удерживайте в течение 4 секунд на пульте кнопку.</source>
        <translation>Searching for a new remote... 
 Press and hold the button on the remote for 4 seconds.</translation>
    </message>
    <message>
        <source>Данный пульт уже зарегистрирован на пользователя &apos;</source>
        <translation>This remote is already registered to the user &apos;</translation>
    </message>
    <message>
        <source>&apos;. Поиск пульта будет автоматически продолжен.</source>
        <translation>&apos;. The search for a remote will continue automatically.</translation>
    </message>
    <message>
        <source>Информация о владельце пульта не должна быть длиннее 59 символов. Текущая длина </source>
        <translation>The owner information must not be longer than 59 characters. Current length </translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Введите имя владельца пульта</source>
        <translation>Enter the name of the remote&apos;s owner</translation>
    </message>
</context>
<context>
    <name>QAutoConnectTool</name>
    <message>
        <source>Закрыт порт </source>
        <translation>Port closed </translation>
    </message>
</context>
<context>
    <name>QCompareDialog</name>
    <message>
        <source>Сравнение USB-stick с файлом</source>
        <translation>Comparing the USB-stick with a file</translation>
    </message>
    <message>
        <source>Таблица USB-stick (последняя прочитанная) и «%1»</source>
        <translation>The USB-stick table (last read) and “%1”</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Remote</translation>
    </message>
    <message>
        <source>Отличие</source>
        <translation>Difference</translation>
    </message>
    <message>
        <source>В USB-stick</source>
        <translation>In the USB-stick</translation>
    </message>
    <message>
        <source>В файле</source>
        <translation>In the file</translation>
    </message>
    <message>
        <source>Применение запишет в USB-stick и удалит из него только эти пульты; остальные останутся как есть.</source>
        <translation>Applying writes to the USB-stick and deletes from it only these remotes; the others stay as they are.</translation>
    </message>
    <message>
        <source>Для применения нужен полный доступ к USB-stick.</source>
        <translation>Applying needs full access to the USB-stick.</translation>
    </message>
    <message>
        <source>Применить к USB-stick</source>
        <translation>Apply to USB-stick</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Только в USB-stick</source>
        <translation>Only in the USB-stick</translation>
    </message>
    <message>
        <source>Только в файле</source>
        <translation>Only in the file</translation>
    </message>
    <message>
        <source>Отличается: %1</source>
        <translation>Differs: %1</translation>
    </message>
    <message>
        <source>Таблицы совпадают</source>
        <translation>The tables match</translation>
    </message>
    <message>
        <source>Только в USB-stick: %1, только в файле: %2, отличаются: %3</source>
        <translation>Only in the USB-stick: %1, only in the file: %2, differ: %3</translation>
    </message>
    <message>
        <source>владелец</source>
        <translation>owner</translation>
    </message>
    <message>
        <source>группа</source>
        <translation>group</translation>
    </message>
    <message>
        <source>статус</source>
        <translation>status</translation>
    </message>
    <message>
        <source>режим работы</source>
        <translation>work mode</translation>
    </message>
    <message>
        <source>«%1», группа %2, %3</source>
        <translation>“%1”, group %2, %3</translation>
    </message>
    <message>
        <source>активен</source>
        <translation>active</translation>
    </message>
    <message>
        <source>заблокирован</source>
        <translation>blocked</translation>
    </message>
    <message>
        <source>, пешеходный режим</source>
        <translation>, pedestrian mode</translation>
    </message>
    <message>
        <source>... и еще %1</source>
        <translation>... and %1 more</translation>
    </message>
    <message>
        <source>№%1: только в USB-stick</source>
        <translation>No. %1: only in the USB-stick</translation>
    </message>
    <message>
        <source>№%1: нет в USB-stick</source>
        <translation>No. %1: not in the USB-stick</translation>
    </message>
    <message>
        <source>№%1: отличается (%2)</source>
        <translation>No. %1: differs (%2)</translation>
    </message>
</context>
<context>
    <name>QCsvImportDialog</name>
    <message>
        <source>Импорт из CSV</source>
        <translation>Import from CSV</translation>
    </message>
    <message>
        <source>Файл «%1»</source>
        <translation>File “%1”</translation>
    </message>
    <message>
        <source>Строка</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Remote</translation>
    </message>
    <message>
        <source>Владелец</source>
        <translation>Owner</translation>
    </message>
    <message>
        <source>Группа</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Статус</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Режим работы</source>
        <translation>Operating mode</translation>
    </message>
    <message>
        <source>Замечания</source>
        <translation>Remarks</translation>
    </message>
    <message>
        <source>Импортированные пульты заменят таблицу на экране; USB-stick не изменится. Импорт можно отменить.</source>
        <translation>The imported remotes will replace the table on the screen; the USB-stick will not change. The import can be undone.</translation>
    </message>
    <message>
        <source>Импортировать</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>строка не читается: кавычка не закрыта</source>
        <translation>line unreadable: a quote is not closed</translation>
    </message>
    <message>
        <source>строка не читается: полей %1 вместо %2</source>
        <translation>line unreadable: %1 fields instead of %2</translation>
    </message>
    <message>
        <source>нет номера пульта</source>
        <translation>no remote number</translation>
    </message>
    <message>
        <source>номер пульта не число: %1</source>
        <translation>remote number is not a number: %1</translation>
    </message>
    <message>
        <source>номер пульта вне диапазона 0..%1</source>
        <translation>remote number outside 0..%1</translation>
    </message>
    <message>
        <source>нет группы: взята 0</source>
        <translation>no group: 0 taken</translation>
    </message>
    <message>
        <source>группа не число: %1</source>
        <translation>group is not a number: %1</translation>
    </message>
    <message>
        <source>группа вне диапазона 0..255</source>
        <translation>group outside 0..255</translation>
    </message>
    <message>
        <source>нет статуса: пульт активен</source>
        <translation>no status: the remote is active</translation>
    </message>
    <message>
        <source>статус не распознан: %1</source>
        <translation>status not recognised: %1</translation>
    </message>
    <message>
        <source>нет режима работы: взят обычный</source>
        <translation>no work mode: normal taken</translation>
    </message>
    <message>
        <source>режим работы не распознан: %1</source>
        <translation>work mode not recognised: %1</translation>
    </message>
    <message>
        <source>нет владельца</source>
        <translation>no owner</translation>
    </message>
    <message>
        <source>владелец обрезан до %1 символов</source>
        <translation>owner cut to %1 characters</translation>
    </message>
    <message>
        <source>номер пульта уже есть в строке %1: строка пропущена</source>
        <translation>remote number already in line %1: line skipped</translation>
    </message>
</context>
<context>
    <name>QDbManipulator</name>
    <message>
        <source>Ошибка открытия файла </source>
        <translation>Error opening file </translation>
    </message>
    <message>
        <source>Неверный формат файла </source>
        <translation>Invalid file format </translation>
    </message>
    <message>
        <source>Неверный формат файла: дублирующие значения пультов. Загрузка отменена.</source>
        <translation>Invalid file format: duplicate remotes. Loading cancelled.</translation>
    </message>
    <message>
        <source>Нет ни одной резервной копии</source>
        <translation>There are no backups</translation>
    </message>
    <message>
        <source>Выбор резервной копии</source>
        <translation>Choose a backup</translation>
    </message>
    <message>
        <source>Выберите резервную копию для загрузки в программу</source>
        <translation>Choose a backup to load into the program</translation>
    </message>
    <message>
        <source>Не выбрана резервная копия файла</source>
        <translation>No backup was chosen</translation>
    </message>
    <message>
        <source>Ошибка загрузки резервной копии</source>
        <translation>Error loading the backup</translation>
    </message>
    <message>
        <source>null</source>
        <translation>null</translation>
    </message>
    <message>
        <source>логическое значение</source>
        <translation>a boolean</translation>
    </message>
    <message>
        <source>число</source>
        <translation>a number</translation>
    </message>
    <message>
        <source>строка</source>
        <translation>a string</translation>
    </message>
    <message>
        <source>массив</source>
        <translation>an array</translation>
    </message>
    <message>
        <source>объект</source>
        <translation>an object</translation>
    </message>
    <message>
        <source>нет значения</source>
        <translation>no value</translation>
    </message>
    <message>
        <source>поле «%1»: ожидается %2, в файле %3</source>
        <translation>field «%1»: %2 expected, the file has %3</translation>
    </message>
    <message>
        <source>поле «%1»: %2 не целое число в диапазоне 0..%3</source>
        <translation>field «%1»: %2 is not a whole number in the range 0..%3</translation>
    </message>
    <message>
        <source>ожидается объект, в файле %1</source>
        <translation>an object expected, the file has %1</translation>
    </message>
    <message>
        <source>нет ни одного поля пульта</source>
        <translation>no field of a remote</translation>
    </message>
    <message>
        <source>true или false</source>
        <translation>true or false</translation>
    </message>
    <message>
        <source>поле «%1»: %2</source>
        <translation>field «%1»: %2</translation>
    </message>
    <message>
        <source>строка %1, столбец %2</source>
        <translation>line %1, column %2</translation>
    </message>
    <message>
        <source>Файл не является документом JSON: %1: %2</source>
        <translation>The file is not a JSON document: %1: %2</translation>
    </message>
    <message>
        <source>В файле нет списка пультов «%1»</source>
        <translation>The file has no list of remotes «%1»</translation>
    </message>
    <message>
        <source>Пульт %1 (№%2)</source>
        <translation>Remote %1 (No. %2)</translation>
    </message>
    <message>
        <source>Пульт %1</source>
        <translation>Remote %1</translation>
    </message>
    <message>
        <source>... и еще пультов с ошибками: %1</source>
        <translation>... and %1 more remotes with errors</translation>
    </message>
    <message>
        <source>%1 — не читается</source>
        <translation>%1 — unreadable</translation>
    </message>
    <message>
        <source>%1 — пультов: %2</source>
        <translation>%1 — remotes: %2</translation>
    </message>
    <message>
        <source>, из USB-stick</source>
        <translation>, from the USB-stick</translation>
    </message>
    <message>
        <source>, из исполнительного устройства</source>
        <translation>, from the actuator</translation>
    </message>
    <message>
        <source>, из файла</source>
        <translation>, from a file</translation>
    </message>
</context>
<context>
    <name>QFlashController</name>
    <message>
        <source>Ошибка загрузки прошивки из файла</source>
        <translation>Error loading firmware from file</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Выбор файла прошивки</source>
        <translation>Choose a firmware file</translation>
    </message>
    <message>
        <source>Ошибка файла прошивки</source>
        <translation>Firmware file error</translation>
    </message>
    <message>
        <source>При обновлении прошивки возникла ошибка</source>
        <translation>An error occurred while updating the firmware</translation>
    </message>
    <message>
        <source>Данный файл прошивки не предназначен для обновления исполнительного устройства</source>
        <translation>This firmware file is not meant for updating the actuator</translation>
    </message>
    <message>
        <source>Данный файл прошивки не предназначен для обновления подключенного USB-stick</source>
        <translation>This firmware file is not meant for updating the connected USB-stick</translation>
    </message>
    <message>
        <source>На USB-stick установлена более новая версия прошивки, чем в текущем файле. Загрузить на USB-stick старую версию ПО?</source>
        <translation>The USB-stick has a newer firmware version than this file. Load the older version into the USB-stick?</translation>
    </message>
    <message>
        <source>На USB-stick установлена текущая версия прошивки. Загрузить заново на USB-stick текущую версию ПО?</source>
        <translation>The USB-stick already has this firmware version. Load the same version into the USB-stick again?</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>исполнительное устройство</source>
        <translation>the actuator</translation>
    </message>
    <message>
        <source>USB-stick</source>
        <translation>the USB-stick</translation>
    </message>
    <message>
        <source>Загрузка прошивки на </source>
        <translation>Loading firmware into </translation>
    </message>
    <message>
        <source>Ожидание применения прошивки на </source>
        <translation>Waiting for the firmware to start on </translation>
    </message>
    <message>
        <source>исполнительном устройстве</source>
        <translation>the actuator</translation>
    </message>
    <message>
        <source>Ошибка применения прошивки на исполнительном устройстве</source>
        <translation>Error starting the firmware on the actuator</translation>
    </message>
    <message>
        <source>Прошивка не записана.</source>
        <translation>The firmware was not written.</translation>
    </message>
    <message>
        <source>Записан только один файл прошивки: %1</source>
        <translation>Only one firmware file was written: %1</translation>
    </message>
    <message>
        <source>парного файла %1 нет</source>
        <translation>the paired file %1 does not exist</translation>
    </message>
    <message>
        <source>парный файл %1 не прочитан</source>
        <translation>the paired file %1 could not be read</translation>
    </message>
    <message>
        <source>Парный файл прошивки не подходит к записанному (другой тип, другая плата или более старая версия) и не будет записан.
%1</source>
        <translation>The paired firmware file does not match the one written (another type, another board or an older version) and will not be written.
%1</translation>
    </message>
    <message>
        <source>парный файл %1 не подходит</source>
        <translation>the paired file %1 does not match</translation>
    </message>
    <message>
        <source>Первый файл прошивки записан. Загрузить на исполнительное устройство парный файл?
%1
Версия %2.</source>
        <translation>The first firmware file has been written. Load the paired file into the actuator?
%1
Version %2.</translation>
    </message>
    <message>
        <source>парный файл %1 пропущен</source>
        <translation>the paired file %1 was skipped</translation>
    </message>
    <message>
        <source>На исполнительном устройстве установлена более новая версия прошивки, чем в текущем файле. Загрузить на исполнительное устройство старую версию ПО?</source>
        <translation>The actuator runs a newer firmware version than the one in this file. Load the older version into the actuator?</translation>
    </message>
    <message>
        <source>На исполнительном устройстве установлена текущая версия прошивки. Загрузить заново на исполнительное устройство текущую версию ПО?</source>
        <translation>The actuator already runs this firmware version. Load the same version into the actuator again?</translation>
    </message>
    <message>
        <source>Загрузить прошивку из файла на USB-stick?</source>
        <translation>Load the firmware from the file into the USB-stick?</translation>
    </message>
    <message>
        <source>Загрузить прошивку из файла на исполнительное устройство?</source>
        <translation>Load the firmware from the file into the actuator?</translation>
    </message>
    <message>
        <source>Установленная версия: %1. Версия в файле: %2.</source>
        <translation>Installed version: %1. Version in the file: %2.</translation>
    </message>
    <message>
        <source>неизвестна</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>Новая прошивка не применена: USB-stick применяет её только после записи всего файла и до тех пор работает с прежней. Повторите запись из того же файла; если USB-stick не находится или не отвечает, сначала отключите его от компьютера и подключите снова.</source>
        <translation>The new firmware was not applied: the USB-stick applies it only once the whole file is written and works with its previous firmware until then. Write the same file again; if the USB-stick is not found or does not answer, first unplug it from the computer and plug it in again.</translation>
    </message>
    <message>
        <source>Новая прошивка не применена: исполнительное устройство применяет её только после записи всего файла и до тех пор работает с прежней. Повторите запись из того же файла, когда USB-stick будет найден снова.</source>
        <translation>The new firmware was not applied: the actuator applies it only once the whole file is written and works with its previous firmware until then. Write the same file again once the USB-stick is found again.</translation>
    </message>
    <message>
        <source>Новая прошивка не применена: исполнительное устройство применяет её только после записи всего файла и до тех пор работает с прежней. Повторите запись из того же файла.</source>
        <translation>The new firmware was not applied: the actuator applies it only once the whole file is written and works with its previous firmware until then. Write the same file again.</translation>
    </message>
    <message>
        <source>Прошивка %1 записана в %2</source>
        <translation>Firmware %1 written to %2</translation>
    </message>
</context>
<context>
    <name>QFlashUpdater</name>
    <message>
        <source>Файл не открывается: %1</source>
        <translation>The file cannot be opened: %1</translation>
    </message>
    <message>
        <source>Это не файл прошивки: он больше %1 МБ.</source>
        <translation>This is not a firmware file: it is larger than %1 MB.</translation>
    </message>
    <message>
        <source>Это не файл прошивки: его заголовок не описывает образ прошивки.</source>
        <translation>This is not a firmware file: its header does not describe a firmware image.</translation>
    </message>
    <message>
        <source>Файл прошивки обрывается: его длина %1 байт, а по заголовку в нём должно быть больше данных. Вероятно, файл скопирован или загружен не полностью.</source>
        <translation>The firmware file is cut short: it is %1 bytes long, and its header says it holds more. The file was probably copied or downloaded only in part.</translation>
    </message>
    <message>
        <source>Это не файл прошивки: его длина %1 байт, меньше заголовка прошивки.</source>
        <translation>This is not a firmware file: it is %1 bytes long, shorter than a firmware header.</translation>
    </message>
    <message>
        <source>Это не файл прошивки: в нём нет данных для записи.</source>
        <translation>This is not a firmware file: it holds no data to write.</translation>
    </message>
</context>
<context>
    <name>QMemoryStatusDialog</name>
    <message>
        <source>Свободно: </source>
        <translation>Free: </translation>
    </message>
    <message>
        <source>Занято: </source>
        <translation>Used: </translation>
    </message>
    <message>
        <source>Емкость: </source>
        <translation>Capacity: </translation>
    </message>
    <message>
        <source>Состояние памяти</source>
        <translation>Memory status</translation>
    </message>
    <message>
        <source>Память устройств</source>
        <translation>Device memory</translation>
    </message>
    <message>
        <source>USB-stick, пульты</source>
        <translation>USB-stick, remotes</translation>
    </message>
    <message>
        <source>Устройство</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>QModemSession</name>
    <message>
        <source>Запрос прав доступа...</source>
        <translation>Requesting access rights...</translation>
    </message>
    <message>
        <source>Ввод пароля</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Введите пароль администратора для обеспечения полного доступа к USB-stick</source>
        <translation>Enter the administrator password for full access to the USB-stick</translation>
    </message>
    <message>
        <source>Авторизация</source>
        <translation>Log in</translation>
    </message>
    <message>
        <source>Ошибка авторизации</source>
        <translation>Log-in error</translation>
    </message>
    <message>
        <source>Ошибка при авторизации: неверный пароль либо отмена операции пользователем</source>
        <translation>Log-in error: wrong password or the operation was cancelled</translation>
    </message>
    <message>
        <source>Сброс авторизации</source>
        <translation>Log out</translation>
    </message>
    <message>
        <source>Ошибка сброса авторизации</source>
        <translation>Log-out error</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Пароль не может быть пустым</source>
        <translation>The password must not be empty</translation>
    </message>
    <message>
        <source>Пароль содержит недопустимые символы</source>
        <translation>The password contains characters that are not allowed</translation>
    </message>
    <message>
        <source>Ввод текущего пароля</source>
        <translation>Current password</translation>
    </message>
    <message>
        <source>Введите ваш текущий пароль полного доступа к USB-stick</source>
        <translation>Enter your current password for full access to the USB-stick</translation>
    </message>
    <message>
        <source>Ввод нового пароля</source>
        <translation>New password</translation>
    </message>
    <message>
        <source>Введите новый пароль полного доступа к USB-stick(6-10 символов)</source>
        <translation>Enter a new password for full access to the USB-stick (6-10 characters)</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>Пароль должен быть длиной от 6 до 10 символов</source>
        <translation>The password must be 6 to 10 characters long</translation>
    </message>
    <message>
        <source>Повтор нового пароля</source>
        <translation>Repeat new password</translation>
    </message>
    <message>
        <source>Повторно введите пароль полного доступа к USB-stick</source>
        <translation>Enter the password for full access to the USB-stick again</translation>
    </message>
    <message>
        <source>Пароли не совпадают</source>
        <translation>The passwords do not match</translation>
    </message>
    <message>
        <source>Удаление текущего пароля</source>
        <translation>Removing the current password</translation>
    </message>
    <message>
        <source>Применение нового пароля</source>
        <translation>Applying the new password</translation>
    </message>
    <message>
        <source>Удаление забытого пароля</source>
        <translation>Removing the forgotten password</translation>
    </message>
    <message>
        <source>Сброс забытого пароля...
Нажмите и удерживайте в течение 4 секунд на исполнительном устройстве кнопку для перехода в режим программирования. 
Далее нажмите и держите в течение 1 секунды кнопку для сброса забытого пароля</source>
        <translation>Resetting the forgotten password...
Press and hold the button on the actuator for 4 seconds to enter programming mode. 
Then press and hold the button for 1 second to reset the forgotten password</translation>
    </message>
    <message>
        <source>Восстановление исходного режима работы USB-stick</source>
        <translation>Restoring the USB-stick&apos;s original operating mode</translation>
    </message>
    <message>
        <source>Принят неверный ответ от USB-stick. Повторить попытку?</source>
        <translation>A wrong answer was received from the USB-stick. Try again?</translation>
    </message>
    <message>
        <source>Неверный пароль</source>
        <translation>Wrong password</translation>
    </message>
    <message>
        <source>Нет авторизации</source>
        <translation>Not logged in</translation>
    </message>
    <message>
        <source>У вас отсутствуют привилегии для выполнения этой команды</source>
        <translation>You do not have the privileges for this command</translation>
    </message>
    <message>
        <source>Связь с конечным устройством утеряна</source>
        <translation>The link to the end device is lost</translation>
    </message>
    <message>
        <source>Usb-stick не смог выполнить команду на конечном устройстве. Повторить попытку?</source>
        <translation>The USB-stick could not carry out the command on the end device. Try again?</translation>
    </message>
    <message>
        <source>Конечное устройство не содержит в памяти данный пульт</source>
        <translation>The end device does not hold this remote in its memory</translation>
    </message>
    <message>
        <source>Конечное устройство не смогло успешно выполнить команду</source>
        <translation>The end device could not carry out the command</translation>
    </message>
    <message>
        <source>Ошибка применения новой прошивки на USB-stick</source>
        <translation>Error starting the new firmware on the USB-stick</translation>
    </message>
    <message>
        <source>Инициализация устройства... Если устройство впервые используется с данным USB-stick, нажмите и удерживайте на нем в течение 4 секунд кнопку</source>
        <translation>Initialising the device... If the device is used with this USB-stick for the first time, press and hold its button for 4 seconds</translation>
    </message>
    <message>
        <source>Установка параметров USB-stick...</source>
        <translation>Setting USB-stick parameters...</translation>
    </message>
    <message>
        <source>Запрос функционала USB-stick...</source>
        <translation>Requesting USB-stick functions...</translation>
    </message>
    <message>
        <source>Запрос настроек USB-stick...</source>
        <translation>Requesting USB-stick settings...</translation>
    </message>
    <message>
        <source>Запрос версии USB-stick...</source>
        <translation>Requesting USB-stick version...</translation>
    </message>
    <message>
        <source>Запрос версии исполнительного устройства...</source>
        <translation>Requesting actuator version...</translation>
    </message>
    <message>
        <source>&lt;br&gt;Версия исполнительного устройства %2.%3.%1.%4</source>
        <translation>&lt;br&gt;Actuator version %2.%3.%1.%4</translation>
    </message>
    <message>
        <source>Версия модема %2.%3.%1.%4 </source>
        <translation>Modem version %2.%3.%1.%4 </translation>
    </message>
    <message>
        <source>Версия</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>восстановлен прежний пароль</source>
        <translation>the previous password was restored</translation>
    </message>
    <message>
        <source>Вход выполнен: доступ администратора</source>
        <translation>Logged in: administrator access</translation>
    </message>
    <message>
        <source>Авторизация отменена</source>
        <translation>Log-in cancelled</translation>
    </message>
    <message>
        <source>Пароль удалён</source>
        <translation>Password removed</translation>
    </message>
    <message>
        <source>Пароль изменён</source>
        <translation>Password changed</translation>
    </message>
    <message>
        <source>Пароль установлен</source>
        <translation>Password set</translation>
    </message>
    <message>
        <source>Забытый пароль сброшен</source>
        <translation>Forgotten password reset</translation>
    </message>
    <message>
        <source>USB-stick не подключен</source>
        <translation>No USB-stick connected</translation>
    </message>
    <message>
        <source>доступ пользователя</source>
        <translation>user access</translation>
    </message>
    <message>
        <source>доступ администратора</source>
        <translation>administrator access</translation>
    </message>
    <message>
        <source>автономный режим</source>
        <translation>autonomous mode</translation>
    </message>
    <message>
        <source>обычный режим</source>
        <translation>normal mode</translation>
    </message>
    <message>
        <source>USB-stick %1, версия %2, %3, %4</source>
        <translation>USB-stick %1, version %2, %3, %4</translation>
    </message>
    <message>
        <source>Версия USB-stick после обновления прошивки неизвестна: её не удалось прочитать</source>
        <translation>The USB-stick&apos;s version after the firmware update is unknown: it could not be read</translation>
    </message>
    <message>
        <source>USB-stick уже %1 с сообщает, что команда выполняется, но её выполнение остановилось на %2%. Операция прервана. Если USB-stick не отвечает на следующие команды, отключите его от компьютера и подключите снова.</source>
        <translation>For %1 s the USB-stick has been reporting that the command is running, but it has stopped at %2%. The operation was ended. If the USB-stick does not answer the next commands, unplug it from the computer and plug it in again.</translation>
    </message>
</context>
<context>
    <name>QOperationLog</name>
    <message>
        <source>Пульт добавлен</source>
        <translation>Remote added</translation>
    </message>
    <message>
        <source>Пульт заблокирован</source>
        <translation>Remote blocked</translation>
    </message>
    <message>
        <source>Пульт активирован</source>
        <translation>Remote activated</translation>
    </message>
    <message>
        <source>Изменен владелец пульта</source>
        <translation>Remote owner changed</translation>
    </message>
    <message>
        <source>Пульт удален</source>
        <translation>Remote deleted</translation>
    </message>
    <message>
        <source>Таблица записана в USB-stick</source>
        <translation>Table written to the USB-stick</translation>
    </message>
    <message>
        <source>Память очищена</source>
        <translation>Memory cleared</translation>
    </message>
    <message>
        <source>Таблица скопирована из USB-stick в устройство</source>
        <translation>Table copied from the USB-stick to the device</translation>
    </message>
    <message>
        <source>Таблица скопирована из устройства в USB-stick</source>
        <translation>Table copied from the device to the USB-stick</translation>
    </message>
    <message>
        <source>Отличия от файла применены к USB-stick</source>
        <translation>Differences from a file applied to the USB-stick</translation>
    </message>
    <message>
        <source>Параметры записаны в устройство</source>
        <translation>Parameters written to the device</translation>
    </message>
    <message>
        <source>Восстановлены заводские настройки</source>
        <translation>Factory settings restored</translation>
    </message>
    <message>
        <source>Прошивка загружена</source>
        <translation>Firmware loaded</translation>
    </message>
    <message>
        <source>Установлен пароль</source>
        <translation>Password set</translation>
    </message>
    <message>
        <source>Пароль удален</source>
        <translation>Password removed</translation>
    </message>
    <message>
        <source>Сброшен забытый пароль</source>
        <translation>Forgotten password reset</translation>
    </message>
</context>
<context>
    <name>QOperationLogDialog</name>
    <message>
        <source>Журнал операций</source>
        <translation>Operation log</translation>
    </message>
    <message>
        <source>Фильтр:</source>
        <translation>Filter:</translation>
    </message>
    <message>
        <source>Только неудачные</source>
        <translation>Failed only</translation>
    </message>
    <message>
        <source>Экспорт в CSV...</source>
        <translation>Export to CSV...</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Пользователь</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Версия USB-stick</source>
        <translation>USB-stick version</translation>
    </message>
    <message>
        <source>Операция</source>
        <translation>Operation</translation>
    </message>
    <message>
        <source>Пульты</source>
        <translation>Remotes</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Подробности</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>выполнено</source>
        <translation>done</translation>
    </message>
    <message>
        <source>ошибка</source>
        <translation>error</translation>
    </message>
    <message>
        <source>Экспорт журнала в CSV</source>
        <translation>Export the log to CSV</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Ошибка открытия файла </source>
        <translation>Error opening file </translation>
    </message>
</context>
<context>
    <name>QOperationRunner</name>
    <message>
        <source>Операция невозможна во время обмена данным с usb-stick либо исполнительным устройством</source>
        <translation>The operation is not possible while data is being exchanged with the USB-stick or the actuator</translation>
    </message>
    <message>
        <source>Usb-stick не отвечает. Проверьте подключение.</source>
        <translation>The USB-stick does not answer. Check the connection.</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>QParamController</name>
    <message>
        <source>Режим работы</source>
        <translation>Operating mode</translation>
    </message>
    <message>
        <source>Длительность команды для режима &apos;Короткой команды&apos;</source>
        <translation>Command duration for &apos;Short command&apos; mode</translation>
    </message>
    <message>
        <source>Длительность команды для режима &apos;Жалюзийный&apos;</source>
        <translation>Command duration for &apos;Blinds&apos; mode</translation>
    </message>
    <message>
        <source>Длительность команды для режима &apos;Роллетный&apos;</source>
        <translation>Command duration for &apos;Roller shutter&apos; mode</translation>
    </message>
    <message>
        <source>Короткой команды</source>
        <translation>Short command</translation>
    </message>
    <message>
        <source>Роллетный</source>
        <translation>Roller shutter</translation>
    </message>
    <message>
        <source>Жалюзийный</source>
        <translation>Blinds</translation>
    </message>
    <message>
        <source>Непрерывной команды</source>
        <translation>Continuous command</translation>
    </message>
    <message>
        <source> с</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Запрос параметров исполнительного устройства...</source>
        <translation>Requesting actuator parameters...</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Ни один из параметров не помечен для загрузки из конечного устройства. Загрузить все параметры?</source>
        <translation>No parameter is marked for reading from the end device. Read all parameters?</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Параметр %1 не задан</source>
        <translation>Parameter %1 is not set</translation>
    </message>
    <message>
        <source>Ни один из параметров не помечен для сохранения в конечном устройстве. Сохранить все параметры?</source>
        <translation>No parameter is marked for writing to the end device. Write all parameters?</translation>
    </message>
    <message>
        <source>Установка параметров исполнительного устройства...</source>
        <translation>Writing actuator parameters...</translation>
    </message>
    <message>
        <source>Восстановление заводских настроек...</source>
        <translation>Restoring factory settings...</translation>
    </message>
    <message>
        <source>Применение параметров исполнительного устройства...</source>
        <translation>Applying actuator parameters...</translation>
    </message>
    <message>
        <source>Восстановление параметров исполнительного устройства...</source>
        <translation>Restoring actuator parameters...</translation>
    </message>
    <message>
        <source>параметров: %1</source>
        <translation>parameters: %1</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства не прочитаны.</source>
        <translation>The actuator&apos;s parameters were not read.</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства не записаны.</source>
        <translation>The actuator&apos;s parameters were not written.</translation>
    </message>
    <message>
        <source>Заводские настройки исполнительного устройства не восстановлены.</source>
        <translation>The actuator&apos;s factory settings were not restored.</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства не восстановлены.</source>
        <translation>The actuator&apos;s parameters were not restored.</translation>
    </message>
    <message>
        <source>Параметры записаны в исполнительное устройство: %1</source>
        <translation>Parameters written to the actuator: %1</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства будут заменены заводскими. Продолжить?</source>
        <translation>The actuator&apos;s parameters will be replaced by the factory ones. Continue?</translation>
    </message>
    <message>
        <source>Восстановлены заводские параметры исполнительного устройства</source>
        <translation>The actuator&apos;s factory parameters restored</translation>
    </message>
</context>
<context>
    <name>QPropertyWidget</name>
    <message>
        <source>Неизвестно</source>
        <translation>Unknown</translation>
    </message>
</context>
<context>
    <name>QRemoteOperations</name>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Активация пульта</source>
        <translation>Activating the remote</translation>
    </message>
    <message>
        <source>Блокировка пульта</source>
        <translation>Blocking the remote</translation>
    </message>
    <message>
        <source>Владелец пульта</source>
        <translation>Remote owner</translation>
    </message>
    <message>
        <source>Введите информацию о владельце пульта(максимально %1 символов)</source>
        <translation>Enter the remote owner information (at most %1 characters)</translation>
    </message>
    <message>
        <source>Информация о владельце пульта не должна быть длиннее %1 символов. Текущая длина </source>
        <translation>The owner information must not be longer than %1 characters. Current length </translation>
    </message>
    <message>
        <source>Изменение сведений о владельце пульта</source>
        <translation>Changing the remote owner information</translation>
    </message>
    <message>
        <source>Удаление пульта</source>
        <translation>Delete remote</translation>
    </message>
    <message>
        <source>Пульт будет удален из системы. Продолжить?</source>
        <translation>The remote will be deleted from the system. Continue?</translation>
    </message>
    <message>
        <source>Удаление пульта из системы</source>
        <translation>Deleting the remote from the system</translation>
    </message>
    <message>
        <source>Пульт №%1 (владелец &apos;%2&apos;) не изменен в таблице.</source>
        <translation>Remote No. %1 (owner &apos;%2&apos;) was not changed in the table.</translation>
    </message>
    <message>
        <source>Пульт №%1 (владелец &apos;%2&apos;) не удален из таблицы.</source>
        <translation>Remote No. %1 (owner &apos;%2&apos;) was not deleted from the table.</translation>
    </message>
</context>
<context>
    <name>QRemoteSearch</name>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Установка режима работы</source>
        <translation>Setting the operating mode</translation>
    </message>
    <message>
        <source>Изменение режима работы устройства</source>
        <translation>Changing the device operating mode</translation>
    </message>
    <message>
        <source>Не удалось добавить новый пульт</source>
        <translation>The new remote could not be added</translation>
    </message>
    <message>
        <source>Запись устройств в USB-stick и исполнительное устройство</source>
        <translation>Writing remotes to the USB-stick and the actuator</translation>
    </message>
    <message>
        <source>Поиск пульта</source>
        <translation>Remote search</translation>
    </message>
    <message>
        <source>Поиск</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Определение пульта... 
Нажмите и удерживайте в течение 4 секунд кнопку на пульте для его определения.</source>
        <translation>Identifying the remote... 
Press and hold the button on the remote for 4 seconds to identify it.</translation>
    </message>
    <message>
        <source>Найден пульт, владелец &apos;</source>
        <translation>Remote found, owner &apos;</translation>
    </message>
    <message>
        <source>Найден незарегистрированный пульт №</source>
        <translation>Unregistered remote found, No. </translation>
    </message>
</context>
<context>
    <name>QRemoteTableView</name>
    <message>
        <source>Добавить пульт</source>
        <translation>Add remote</translation>
    </message>
    <message>
        <source>Редактировать пульт</source>
        <translation>Edit remote</translation>
    </message>
    <message>
        <source>Удалить пульт</source>
        <translation>Delete remote</translation>
    </message>
    <message>
        <source>Активировать пульт</source>
        <translation>Activate remote</translation>
    </message>
</context>
<context>
    <name>QTableCompare</name>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>резервная копия %1</source>
        <translation>backup %1</translation>
    </message>
    <message>
        <source>Применение изменений к USB-stick...</source>
        <translation>Applying the changes to the USB-stick...</translation>
    </message>
    <message>
        <source>Удаление пульта №%1</source>
        <translation>Deleting remote No. %1</translation>
    </message>
    <message>
        <source>Запись пульта №%1</source>
        <translation>Writing remote No. %1</translation>
    </message>
    <message>
        <source>выполнено %1 из %2</source>
        <translation>%1 of %2 done</translation>
    </message>
    <message>
        <source>Изменения применены к USB-stick: %1</source>
        <translation>Changes applied to the USB-stick: %1</translation>
    </message>
    <message>
        <source>Изменения применены не полностью: %1.</source>
        <translation>The changes were not fully applied: %1.</translation>
    </message>
    <message>
        <source>Ни одно изменение не выполнено.</source>
        <translation>No change was made.</translation>
    </message>
    <message>
        <source>Выполнены:</source>
        <translation>Done:</translation>
    </message>
    <message>
        <source>Таблица на экране показывает пульты, которые содержит USB-stick.</source>
        <translation>The table on the screen shows the remotes that the USB-stick holds.</translation>
    </message>
    <message>
        <source>Изменение, на которое не пришел ответ, могло быть выполнено: таблица USB-stick будет прочитана заново.</source>
        <translation>The change whose answer did not come may have been made: the USB-stick table will be read again.</translation>
    </message>
    <message>
        <source>Чтение данных с USB-stick...</source>
        <translation>Reading data from the USB-stick...</translation>
    </message>
    <message>
        <source>Изменения не применены: в USB-stick ничего не изменено.</source>
        <translation>The changes were not applied: nothing on the USB-stick was changed.</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>Из USB-stick будет удалено пультов: %1, записано: %2. Продолжить?</source>
        <translation>Remotes to be deleted from the USB-stick: %1, written: %2. Continue?</translation>
    </message>
    <message>
        <source>Добавляется пультов: %1, свободно мест в USB-stick: %2, освободят удаления: %3.</source>
        <translation>Remotes added: %1, free places in the USB-stick: %2, freed by deletions: %3.</translation>
    </message>
</context>
<context>
    <name>QTableCopy</name>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Операция копирования завершена успешно</source>
        <translation>The copy operation completed successfully</translation>
    </message>
    <message>
        <source>Операция копирования завершена с ошибкой</source>
        <translation>The copy operation failed</translation>
    </message>
    <message>
        <source>Чтение данных с USB-stick...</source>
        <translation>Reading data from the USB-stick...</translation>
    </message>
    <message>
        <source>Очистка памяти исполнительного устройства...</source>
        <translation>Clearing the actuator memory...</translation>
    </message>
    <message>
        <source>Копирование таблицы устройств из USB-stick в исполнительное устройство...</source>
        <translation>Copying the remote table from the USB-stick to the actuator...</translation>
    </message>
    <message>
        <source>Определение размера таблицы пультов на исполнительном устройстве</source>
        <translation>Determining the size of the remote table in the actuator</translation>
    </message>
    <message>
        <source>Копирование таблицы пультов из исполнительного устройства в USB-stick.</source>
        <translation>Copying the remote table from the actuator to the USB-stick.</translation>
    </message>
    <message>
        <source>Ошибка чтения состояния памяти USB-sticka</source>
        <translation>Error reading the USB-stick memory status</translation>
    </message>
    <message>
        <source>Чтение данных с устройства</source>
        <translation>Reading data from the device</translation>
    </message>
    <message>
        <source>Ошибка чтения состояния памяти устройства</source>
        <translation>Error reading the device memory status</translation>
    </message>
    <message>
        <source>Копирование проверено: в USB-stick и в исполнительном устройстве по %1 пультов</source>
        <translation>Copy verified: the USB-stick and the actuator hold %1 remotes each</translation>
    </message>
    <message>
        <source>Проверка копирования</source>
        <translation>Copy verification</translation>
    </message>
    <message>
        <source>После копирования в исполнительном устройстве пультов: %1, в USB-stick: %2</source>
        <translation>After copying, remotes in the actuator: %1, in the USB-stick: %2</translation>
    </message>
    <message>
        <source>Проверка копирования...</source>
        <translation>Verifying the copy...</translation>
    </message>
    <message>
        <source>Не удалось прочитать состояние памяти для проверки копирования</source>
        <translation>The memory status could not be read to verify the copy</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>Таблица пультов исполнительного устройства будет стёрта и заменена таблицей USB-stick (пультов: %1). Продолжить?</source>
        <translation>The actuator&apos;s remote table will be erased and replaced by the USB-stick&apos;s table (remotes: %1). Continue?</translation>
    </message>
    <message>
        <source>Таблица пультов исполнительного устройства будет стёрта и заменена таблицей USB-stick. Продолжить?</source>
        <translation>The actuator&apos;s remote table will be erased and replaced by the USB-stick&apos;s table. Continue?</translation>
    </message>
    <message>
        <source>Таблица пультов USB-stick будет стёрта и заменена таблицей исполнительного устройства. Продолжить?</source>
        <translation>The USB-stick&apos;s remote table will be erased and replaced by the actuator&apos;s table. Continue?</translation>
    </message>
    <message>
        <source>Таблица не скопирована: память исполнительного устройства не очищена.</source>
        <translation>The table was not copied: the actuator&apos;s memory was not cleared.</translation>
    </message>
    <message>
        <source>Пультов в USB-stick: %1, мест в памяти исполнительного устройства: %2.</source>
        <translation>Remotes in the USB-stick: %1, places in the actuator&apos;s memory: %2.</translation>
    </message>
    <message>
        <source>Таблица не скопирована: таблица USB-stick не изменена.</source>
        <translation>The table was not copied: the USB-stick&apos;s table was not changed.</translation>
    </message>
    <message>
        <source>Пультов в исполнительном устройстве: %1, мест в памяти USB-stick: %2.</source>
        <translation>Remotes in the actuator: %1, places in the USB-stick&apos;s memory: %2.</translation>
    </message>
</context>
<context>
    <name>QTableCsv</name>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Экспорт таблицы в CSV</source>
        <translation>Export the table to CSV</translation>
    </message>
    <message>
        <source>Ошибка открытия файла </source>
        <translation>Error opening file </translation>
    </message>
    <message>
        <source>Таблица экспортирована в %1</source>
        <translation>Table exported to %1</translation>
    </message>
    <message>
        <source>Импорт таблицы из CSV</source>
        <translation>Import the table from CSV</translation>
    </message>
    <message>
        <source>Таблица не экспортирована: ошибка записи файла %1</source>
        <translation>Table not exported: error writing file %1</translation>
    </message>
    <message>
        <source>Импорт из CSV</source>
        <translation>Import from CSV</translation>
    </message>
    <message>
        <source>Таблица на экране не сохранена в файл. Импорт заменит ее. Продолжить?</source>
        <translation>The table on screen is not saved to a file. The import will replace it. Continue?</translation>
    </message>
</context>
<context>
    <name>QTableFiles</name>
    <message>
        <source>Выбор файла json</source>
        <translation>Choose a JSON file</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Ошибка системы резервного копирования</source>
        <translation>Backup system error</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>База данных не сохранена в файл. Хотите ее сохранить перед выходом?</source>
        <translation>The database has not been saved to a file. Save it before exiting?</translation>
    </message>
    <message>
        <source>Вы действительно хотите выйти из программы?</source>
        <translation>Do you really want to exit the program?</translation>
    </message>
    <message>
        <source>Папка %1 не создаётся</source>
        <translation>The folder %1 cannot be created</translation>
    </message>
    <message>
        <source>исполнительного устройства</source>
        <translation>the actuator</translation>
    </message>
    <message>
        <source>USB-stick</source>
        <translation>the USB-stick</translation>
    </message>
    <message>
        <source>Не удалось сохранить резервную копию таблицы %1, которая была бы заменена.</source>
        <translation>The backup of the table of %1 that would be replaced could not be saved.</translation>
    </message>
    <message>
        <source>Освободите место на диске или разрешите запись в папку %1 и повторите.</source>
        <translation>Free some disk space or allow writing to the folder %1, then try again.</translation>
    </message>
</context>
<context>
    <name>QTableTransfers</name>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Очистка памяти в USB-stick...</source>
        <translation>Clearing the USB-stick memory...</translation>
    </message>
    <message>
        <source>Ошибка чтения списка пультов с USB-stick</source>
        <translation>Error reading the list of remotes from the USB-stick</translation>
    </message>
    <message>
        <source>Чтение данных с USB-stick...</source>
        <translation>Reading data from the USB-stick...</translation>
    </message>
    <message>
        <source>Чтение пультов с USB-stick...</source>
        <translation>Reading remotes from the USB-stick...</translation>
    </message>
    <message>
        <source>Очистка памяти USB-stick...</source>
        <translation>Clearing the USB-stick memory...</translation>
    </message>
    <message>
        <source>Запись пультов на USB-stick...</source>
        <translation>Writing remotes to the USB-stick...</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>Вы действительно хотите очистить память USB-stick и исполнительного устройства</source>
        <translation>Do you really want to clear the memory of the USB-stick and the actuator</translation>
    </message>
    <message>
        <source>Ошибка очистки памяти USB-stick.</source>
        <translation>Error clearing the USB-stick memory.</translation>
    </message>
    <message>
        <source>Проверка записи</source>
        <translation>Write verification</translation>
    </message>
    <message>
        <source>Не удалось прочитать таблицу USB-stick для проверки записи</source>
        <translation>The USB-stick table could not be read to verify the write</translation>
    </message>
    <message>
        <source>Запись проверена: таблица USB-stick совпадает с записанной</source>
        <translation>Write verified: the USB-stick table matches the one written</translation>
    </message>
    <message>
        <source>Таблица USB-stick после записи отличается от записанной:</source>
        <translation>After writing, the USB-stick table differs from the one written:</translation>
    </message>
    <message>
        <source>записано %1 из %2</source>
        <translation>%1 of %2 written</translation>
    </message>
    <message>
        <source>при проверке найдено отличий: %1</source>
        <translation>differences found on verification: %1</translation>
    </message>
    <message>
        <source>USB-stick</source>
        <translation>USB-stick</translation>
    </message>
    <message>
        <source>USB-stick и исполнительное устройство</source>
        <translation>USB-stick and actuator</translation>
    </message>
    <message>
        <source>На USB-stick возвращена прежняя таблица</source>
        <translation>The USB-stick has its previous table back</translation>
    </message>
    <message>
        <source>Таблица пультов не записана в USB-stick: в нём может остаться только её часть.</source>
        <translation>The remote table was not written to the USB-stick: it may hold only part of it.</translation>
    </message>
    <message>
        <source>Таблица пуста: все пульты будут удалены из USB-stick. Продолжить?</source>
        <translation>The table is empty: every remote will be removed from the USB-stick. Continue?</translation>
    </message>
    <message>
        <source>Таблица USB-stick будет стёрта и записана заново. После записи в USB-stick будет пультов: %1. Продолжить?</source>
        <translation>The USB-stick&apos;s table will be erased and written anew. After the write the USB-stick will hold remotes: %1. Continue?</translation>
    </message>
    <message>
        <source>Таблица USB-stick очищена: в нём нет пультов</source>
        <translation>The USB-stick&apos;s table cleared: it holds no remotes</translation>
    </message>
    <message>
        <source>Таблица записана в USB-stick, пультов: %1 (без проверки)</source>
        <translation>Table written to the USB-stick, remotes: %1 (not checked)</translation>
    </message>
    <message>
        <source>Память USB-stick очищена</source>
        <translation>The USB-stick&apos;s memory cleared</translation>
    </message>
    <message>
        <source>Память USB-stick и исполнительного устройства очищена</source>
        <translation>The memory of the USB-stick and the actuator cleared</translation>
    </message>
    <message>
        <source>Пультов в таблице: %1, мест в памяти USB-stick: %2.</source>
        <translation>Remotes in the table: %1, places in the USB-stick&apos;s memory: %2.</translation>
    </message>
    <message>
        <source>Таблица не записана в USB-stick: его память не очищена.</source>
        <translation>The table was not written to the USB-stick: its memory was not cleared.</translation>
    </message>
    <message>
        <source>Память USB-stick не очищена.</source>
        <translation>The USB-stick&apos;s memory was not cleared.</translation>
    </message>
    <message>
        <source>Прежняя таблица не возвращена на USB-stick: в нём может остаться только часть таблицы. Прежняя таблица сохранена в резервной копии</source>
        <translation>The previous table was not given back to the USB-stick: it may hold only part of a table. The previous table is kept in a backup</translation>
    </message>
</context>
<context>
    <name>QUpdateChangesDialog</name>
    <message>
        <source>Добавлено:</source>
        <translation>Added:</translation>
    </message>
    <message>
        <source>Изменено:</source>
        <translation>Changed:</translation>
    </message>
    <message>
        <source>Исправлено:</source>
        <translation>Fixed:</translation>
    </message>
    <message>
        <source>Удалено:</source>
        <translation>Removed:</translation>
    </message>
    <message>
        <source>Прочее:</source>
        <translation>Other:</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Установить обновление программного обеспечения из интернета?</source>
        <translation>Install the software update from the Internet?</translation>
    </message>
</context>
<context>
    <name>QUpdateController</name>
    <message>
        <source>Доступно интернет-обновление программы. Чтобы приступить к обновлению, нажмите здесь клавишей мыши</source>
        <translation>A program update is available on the Internet. To start the update, click here</translation>
    </message>
    <message>
        <source>Доступно интернет-обновление прошивки USB-stick 5813. Чтобы приступить к обновлению, нажмите здесь клавишей мыши</source>
        <translation>A USB-stick 5813 firmware update is available on the Internet. To start the update, click here</translation>
    </message>
    <message>
        <source>Доступно интернет-обновление прошивки исполнительного устройства. Чтобы приступить к обновлению, нажмите здесь клавишей мыши</source>
        <translation>An actuator firmware update is available on the Internet. To start the update, click here</translation>
    </message>
    <message>
        <source>: Ошибка сети</source>
        <translation>: Network error</translation>
    </message>
    <message>
        <source>Нет связи с сервером. Невозможно проверить необходимость обновления программы</source>
        <translation>No connection to the server. Cannot check whether the program needs an update</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Адрес сервера обновлений %1 отклонён: обновления загружаются только по защищённому соединению (https://).</source>
        <translation>The update server address %1 was rejected: updates are downloaded only over a secure connection (https://).</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Сервер обновлений не настроен.</source>
        <translation>No update server is configured.</translation>
    </message>
    <message>
        <source>Получение сведений об обновлениях из интернета...</source>
        <translation>Getting update information from the Internet...</translation>
    </message>
    <message>
        <source>Ошибка загрузки сведений об обновлении с сервера. Проверьте ваше подключение к интернету</source>
        <translation>Error downloading the update information from the server. Check your Internet connection</translation>
    </message>
    <message>
        <source>Операция обновления программного обеспечения невозможна во время обмена данным с usb-stick либо исполнительным устройством</source>
        <translation>The software cannot be updated while data is being exchanged with the USB-stick or the actuator</translation>
    </message>
    <message>
        <source>Изменения, реализованные в новой версии прошивки USB-stick:&lt;br&gt;</source>
        <translation>Changes in the new USB-stick firmware version:&lt;br&gt;</translation>
    </message>
    <message>
        <source>Изменения, реализованные в новой версии прошивки исполнительного устройства:&lt;br&gt;</source>
        <translation>Changes in the new actuator firmware version:&lt;br&gt;</translation>
    </message>
    <message>
        <source>Изменения, реализованные в новой версии программы </source>
        <translation>Changes in the new version of </translation>
    </message>
    <message>
        <source>У вас последняя версия программы.</source>
        <translation>You have the latest version of the program.</translation>
    </message>
    <message>
        <source>Уже установлена последняя версия прошивки.</source>
        <translation>The latest firmware version is already installed.</translation>
    </message>
    <message>
        <source>Загрузка обновления программы из интернета...</source>
        <translation>Downloading the program update from the Internet...</translation>
    </message>
    <message>
        <source>Ошибка загрузки обновления с сервера. Проверьте ваше подключение к интернету</source>
        <translation>Error downloading the update from the server. Check your Internet connection</translation>
    </message>
    <message>
        <source>Ошибка загрузки прошивки из файла</source>
        <translation>Error loading firmware from file</translation>
    </message>
    <message>
        <source>Прошивка не записана. Загруженный файл сохранён: %1</source>
        <translation>The firmware was not written. The downloaded file is kept: %1</translation>
    </message>
    <message>
        <source>Ключ проверки подписи обновлений не распознан: нужна строка открытого ключа minisign. Обновления не загружаются.</source>
        <translation>The update signing key is not recognised: a minisign public key line is needed. Updates are not downloaded.</translation>
    </message>
    <message>
        <source>Ключ проверки подписи обновлений не задан: обновления не загружаются.</source>
        <translation>No update signing key is set: updates are not downloaded.</translation>
    </message>
    <message>
        <source>Сведения об обновлении с сервера не прошли проверку подписи и не приняты.</source>
        <translation>The update information from the server failed the signature check and was not accepted.</translation>
    </message>
    <message>
        <source>Файл %1 с сервера обновлений не прошёл проверку подписи и удалён. Ничего не установлено.</source>
        <translation>The file %1 from the update server failed the signature check and was deleted. Nothing was installed.</translation>
    </message>
    <message>
        <source>Файл подписан ключом %1, которому программа не доверяет. Кроме встроенного ключа, доверенные ключи берутся только из %2, куда может писать лишь администратор.</source>
        <translation>The file is signed with key %1, which this program does not trust. Besides the built-in key, trusted keys are taken only from %2, which only an administrator can write.</translation>
    </message>
    <message>
        <source>Сведения об обновлении с сервера старше уже полученных ранее и не приняты.</source>
        <translation>The update information from the server is older than the information received before and was not accepted.</translation>
    </message>
    <message>
        <source>Программа с сервера обновлений (версия %1) не новее установленной (%2) и удалена. Ничего не установлено.</source>
        <translation>The program from the update server (version %1) is not newer than the installed one (%2) and was deleted. Nothing was installed.</translation>
    </message>
    <message>
        <source>не указана</source>
        <translation>not given</translation>
    </message>
    <message>
        <source>Сведения на сервере обновлений устарели: они подписаны %1, более %2 дней назад. Более новые версии могут быть от вас скрыты; сообщите об этом поставщику.</source>
        <translation>The information on the update server is out of date: it was signed on %1, more than %2 days ago. Newer versions may be hidden from you; please tell your supplier.</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>Загруженный файл прошивки сохранён: %1
Его можно записать снова командой «%2».</source>
        <translation>The downloaded firmware file has been kept: %1
It can be written again with &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>Обновить прошивку USB-stick из файла...</source>
        <translation>Update USB-stick firmware from file...</translation>
    </message>
    <message>
        <source>Обновить прошивку исполнительного устройства из файла...</source>
        <translation>Update actuator firmware from file...</translation>
    </message>
    <message>
        <source>Ключ в настройках пользователя не принимается: кроме встроенного ключа, доверенные ключи берутся только из %1, куда может писать лишь администратор.</source>
        <translation>A key in the user&apos;s settings is not accepted: besides the built-in key, trusted keys are taken only from %1, which only an administrator can write.</translation>
    </message>
</context>
<context>
    <name>QUpdateManager</name>
    <message>
        <source>Версия </source>
        <translation>Version </translation>
    </message>
</context>
<context>
    <name>QUpdateNotice</name>
    <message>
        <source>Скрыть</source>
        <translation>Hide</translation>
    </message>
</context>
<context>
    <name>QWaitDialog</name>
    <message>
        <source>Пожалуйста, подождите</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Операцию нельзя прервать: дождитесь её окончания</source>
        <translation>The operation cannot be interrupted: wait until it ends</translation>
    </message>
</context>
<context>
    <name>SiteBackupsDialog</name>
    <message>
        <source>Без объекта</source>
        <translation>No site</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Резервная копия</source>
        <translation>Backup</translation>
    </message>
    <message>
        <source>Отнести к объекту...</source>
        <translation>Assign to a site...</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Объектов пока нет: создайте объект в списке объектов.</source>
        <translation>There are no sites yet: create one in the list of sites.</translation>
    </message>
    <message>
        <source>Резервных копий: %1. К какому объекту их отнести?</source>
        <translation>Backups: %1. Which site do they belong to?</translation>
    </message>
    <message>
        <source>Не отнесены к объекту:</source>
        <translation>Not assigned to the site:</translation>
    </message>
</context>
<context>
    <name>SiteEditDialog</name>
    <message>
        <source>Новый объект</source>
        <translation>New site</translation>
    </message>
    <message>
        <source>Объект «%1»</source>
        <translation>Site “%1”</translation>
    </message>
    <message>
        <source>Название:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Адрес или заказчик:</source>
        <translation>Address or customer:</translation>
    </message>
    <message>
        <source>Заметки:</source>
        <translation>Notes:</translation>
    </message>
</context>
<context>
    <name>SiteHistoryDialog</name>
    <message>
        <source>снимок %1 (%2)</source>
        <translation>snapshot %1 (%2)</translation>
    </message>
    <message>
        <source>Сравнение снимков</source>
        <translation>Comparing snapshots</translation>
    </message>
    <message>
        <source>Первый: %1
Второй: %2</source>
        <translation>First: %1
Second: %2</translation>
    </message>
    <message>
        <source>В первом</source>
        <translation>In the first</translation>
    </message>
    <message>
        <source>Во втором</source>
        <translation>In the second</translation>
    </message>
    <message>
        <source>Только в первом</source>
        <translation>Only in the first</translation>
    </message>
    <message>
        <source>Только во втором</source>
        <translation>Only in the second</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Действие</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Компьютер</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>Пультов</source>
        <translation>Remotes</translation>
    </message>
    <message>
        <source>Добавлено</source>
        <translation>Added</translation>
    </message>
    <message>
        <source>Удалено</source>
        <translation>Removed</translation>
    </message>
    <message>
        <source>Изменено</source>
        <translation>Changed</translation>
    </message>
    <message>
        <source>Сравнить</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>Два выбранных снимка, или выбранный и предыдущий</source>
        <translation>The two chosen snapshots, or the chosen one and the one before</translation>
    </message>
    <message>
        <source>Восстановить...</source>
        <translation>Restore...</translation>
    </message>
    <message>
        <source>Записать в USB-stick таблицу выбранного снимка</source>
        <translation>Write the chosen snapshot&apos;s table to the USB-stick</translation>
    </message>
    <message>
        <source>Отчёт...</source>
        <translation>Report...</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>История объекта «%1»</source>
        <translation>History of the site &quot;%1&quot;</translation>
    </message>
    <message>
        <source>таблица не читается</source>
        <translation>table unreadable</translation>
    </message>
    <message>
        <source>Восстановление</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Подключённый USB-stick относится к объекту «%1», а снимок — к объекту «%2». Всё равно сравнить и восстановить?</source>
        <translation>The connected USB-stick belongs to the site &quot;%1&quot;, and the snapshot to the site &quot;%2&quot;. Compare and restore anyway?</translation>
    </message>
    <message>
        <source>Объект подключённого USB-stick не известен, а снимок относится к объекту «%1». Всё равно сравнить и восстановить?</source>
        <translation>The site of the connected USB-stick is not known, and the snapshot belongs to the site &quot;%1&quot;. Compare and restore anyway?</translation>
    </message>
    <message>
        <source>Только в первом: %1, только во втором: %2, отличаются: %3</source>
        <translation>Only in the first: %1, only in the second: %2, differ: %3</translation>
    </message>
</context>
<context>
    <name>SiteIndex</name>
    <message>
        <source>Не удалось открыть указатель объектов %1: %2</source>
        <translation>The index of sites %1 cannot be opened: %2</translation>
    </message>
    <message>
        <source>папка не создаётся</source>
        <translation>the folder cannot be created</translation>
    </message>
    <message>
        <source>старый указатель не удаляется</source>
        <translation>the old index cannot be removed</translation>
    </message>
    <message>
        <source>Прервано</source>
        <translation>Interrupted</translation>
    </message>
</context>
<context>
    <name>SiteLibrary</name>
    <message>
        <source>Ошибка записи файла %1: %2</source>
        <translation>Error writing file %1: %2</translation>
    </message>
    <message>
        <source>Чтение таблицы</source>
        <translation>Reading the table</translation>
    </message>
    <message>
        <source>Запись таблицы</source>
        <translation>Writing the table</translation>
    </message>
    <message>
        <source>Применение изменений</source>
        <translation>Applying changes</translation>
    </message>
    <message>
        <source>Чтение параметров</source>
        <translation>Reading parameters</translation>
    </message>
    <message>
        <source>Запись параметров</source>
        <translation>Writing parameters</translation>
    </message>
    <message>
        <source>Резервная копия</source>
        <translation>Backup</translation>
    </message>
    <message>
        <source>Восстановление</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Ошибка открытия файла %1: %2</source>
        <translation>Error opening file %1: %2</translation>
    </message>
    <message>
        <source>Неверный формат файла %1</source>
        <translation>Invalid file format: %1</translation>
    </message>
    <message>
        <source>У объекта нет названия</source>
        <translation>The site has no name</translation>
    </message>
    <message>
        <source>Папка %1 не создаётся</source>
        <translation>The folder %1 cannot be created</translation>
    </message>
    <message>
        <source>Нет объекта «%1»</source>
        <translation>There is no site “%1”</translation>
    </message>
    <message>
        <source>Ошибка записи снимка в папку %1</source>
        <translation>Error writing a snapshot into the folder %1</translation>
    </message>
    <message>
        <source>Папка %1 удаляется не полностью</source>
        <translation>The folder %1 could not be removed completely</translation>
    </message>
</context>
<context>
    <name>SiteListDialog</name>
    <message>
        <source>Объекты</source>
        <translation>Sites</translation>
    </message>
    <message>
        <source>Объект</source>
        <translation>Site</translation>
    </message>
    <message>
        <source>Адрес или заказчик</source>
        <translation>Address or customer</translation>
    </message>
    <message>
        <source>Снимков</source>
        <translation>Snapshots</translation>
    </message>
    <message>
        <source>Последний снимок</source>
        <translation>Last snapshot</translation>
    </message>
    <message>
        <source>Создать...</source>
        <translation>Create...</translation>
    </message>
    <message>
        <source>Изменить...</source>
        <translation>Edit...</translation>
    </message>
    <message>
        <source>Удалить...</source>
        <translation>Delete...</translation>
    </message>
    <message>
        <source>История...</source>
        <translation>History...</translation>
    </message>
    <message>
        <source>Объект USB-stick</source>
        <translation>Site of the USB-stick</translation>
    </message>
    <message>
        <source>Подключённый USB-stick относится к этому объекту</source>
        <translation>The connected USB-stick belongs to this site</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Новый объект</source>
        <translation>New site</translation>
    </message>
    <message>
        <source>Объект «%1» уже есть.</source>
        <translation>The site &quot;%1&quot; already exists.</translation>
    </message>
    <message>
        <source>Удаление объекта</source>
        <translation>Deleting a site</translation>
    </message>
    <message>
        <source>Удалить объект «%1» со всеми его снимками (%2)? Это нельзя отменить.</source>
        <translation>Delete the site &quot;%1&quot; with all its snapshots (%2)? This cannot be undone.</translation>
    </message>
</context>
<context>
    <name>SiteRecorder</name>
    <message>
        <source>Объект не определён: %1</source>
        <translation>Site not recognised: %1</translation>
    </message>
    <message>
        <source>%1 (общих пультов: %2 из %3)</source>
        <translation>%1 (remotes in common: %2 of %3)</translation>
    </message>
    <message>
        <source>Новый объект</source>
        <translation>New site</translation>
    </message>
    <message>
        <source>Не сейчас</source>
        <translation>Not now</translation>
    </message>
    <message>
        <source>Объект</source>
        <translation>Site</translation>
    </message>
    <message>
        <source>USB-stick не относится ни к одному известному объекту. Где он установлен?</source>
        <translation>The USB-stick belongs to no known site. Where is it installed?</translation>
    </message>
    <message>
        <source>К какому объекту относится подключённый USB-stick?</source>
        <translation>Which site does the connected USB-stick belong to?</translation>
    </message>
    <message>
        <source>Название объекта:</source>
        <translation>Name of the site:</translation>
    </message>
    <message>
        <source>Снимок не сохранён в объекте «%1»: таблица USB-stick не известна</source>
        <translation>Snapshot not kept in the site &quot;%1&quot;: the USB-stick&apos;s table is not known</translation>
    </message>
    <message>
        <source>Снимок не сохранён в объекте «%1»: %2</source>
        <translation>Snapshot not kept in the site &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>SiteReport</name>
    <message>
        <source>Ни один снимок объекта «%1» не читается</source>
        <translation>None of the snapshots of the site “%1” can be read</translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Примечания</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>Версии прошивок</source>
        <translation>Firmware versions</translation>
    </message>
    <message>
        <source>неизвестна</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>USB-stick</source>
        <translation>USB-stick</translation>
    </message>
    <message>
        <source>Исполнительное устройство</source>
        <translation>Actuator</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства</source>
        <translation>Actuator parameters</translation>
    </message>
    <message>
        <source>Параметры не читались</source>
        <translation>The parameters have not been read</translation>
    </message>
    <message>
        <source>Пульты</source>
        <translation>Remotes</translation>
    </message>
    <message>
        <source>Номер</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Владелец</source>
        <translation>Owner</translation>
    </message>
    <message>
        <source>Группа</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Состояние</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Режим работы</source>
        <translation>Operating mode</translation>
    </message>
    <message>
        <source>пешеходный</source>
        <translation>pedestrian</translation>
    </message>
    <message>
        <source>обычный</source>
        <translation>normal</translation>
    </message>
    <message>
        <source>Последние изменения</source>
        <translation>Latest changes</translation>
    </message>
    <message>
        <source>Снимков нет</source>
        <translation>No snapshots</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Действие</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Компьютер</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>Добавлено</source>
        <translation>Added</translation>
    </message>
    <message>
        <source>Удалено</source>
        <translation>Removed</translation>
    </message>
    <message>
        <source>Изменено</source>
        <translation>Changed</translation>
    </message>
    <message>
        <source>не читается</source>
        <translation>unreadable</translation>
    </message>
    <message>
        <source>Ошибка записи файла %1: %2</source>
        <translation>Error writing file %1: %2</translation>
    </message>
    <message>
        <source>Объект «%1»</source>
        <translation>Site “%1”</translation>
    </message>
    <message>
        <source>Ошибка записи файла %1</source>
        <translation>Error writing file %1</translation>
    </message>
    <message>
        <source>Параметр</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Известно с</source>
        <translation>Known since</translation>
    </message>
</context>
<context>
    <name>SiteSearchDialog</name>
    <message>
        <source>Найти пульт</source>
        <translation>Find a remote</translation>
    </message>
    <message>
        <source>Номер пульта или часть имени владельца</source>
        <translation>Remote number or part of the owner&apos;s name</translation>
    </message>
    <message>
        <source>Найти</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Объект</source>
        <translation>Site</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Remote</translation>
    </message>
    <message>
        <source>Владелец</source>
        <translation>Owner</translation>
    </message>
    <message>
        <source>Первый снимок</source>
        <translation>First snapshot</translation>
    </message>
    <message>
        <source>Последний снимок</source>
        <translation>Last snapshot</translation>
    </message>
    <message>
        <source>Сейчас</source>
        <translation>Now</translation>
    </message>
    <message>
        <source>Открыть объект</source>
        <translation>Open the site</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>есть</source>
        <translation>present</translation>
    </message>
    <message>
        <source>удалён</source>
        <translation>removed</translation>
    </message>
    <message>
        <source>Не найдено ни одного пульта.</source>
        <translation>No remote found.</translation>
    </message>
    <message>
        <source>Найдено больше %1 пультов; уточните запрос.</source>
        <translation>More than %1 remotes found; narrow the search.</translation>
    </message>
    <message>
        <source>Найдено пультов: %1</source>
        <translation>Remotes found: %1</translation>
    </message>
</context>
<context>
    <name>SitesMenu</name>
    <message>
        <source>Объекты</source>
        <translation>Sites</translation>
    </message>
    <message>
        <source>Список объектов не прочитан: %1</source>
        <translation>The list of sites could not be read: %1</translation>
    </message>
    <message>
        <source>Отчёт</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>Объектов пока нет.</source>
        <translation>There are no sites yet.</translation>
    </message>
    <message>
        <source>Отчёт об объекте:</source>
        <translation>Report on the site:</translation>
    </message>
    <message>
        <source>Отчёт об объекте «%1»</source>
        <translation>Report on the site &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Документ PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Отчёт сохранён: %1</source>
        <translation>Report saved: %1</translation>
    </message>
    <message>
        <source>Объекты...</source>
        <translation>Sites...</translation>
    </message>
    <message>
        <source>Найти пульт...</source>
        <translation>Find a remote...</translation>
    </message>
    <message>
        <source>Отчёт...</source>
        <translation>Report...</translation>
    </message>
    <message>
        <source>Без объекта...</source>
        <translation>No site...</translation>
    </message>
    <message>
        <source>Объект: %1</source>
        <translation>Site: %1</translation>
    </message>
    <message>
        <source>Объект не выбран</source>
        <translation>No site chosen</translation>
    </message>
    <message>
        <source>Объект подключённого USB-stick...</source>
        <translation>Site of the connected USB-stick...</translation>
    </message>
</context>
<context>
    <name>TableCheck</name>
    <message>
        <source>владелец содержит нулевой символ</source>
        <translation>the owner contains a null character</translation>
    </message>
    <message>
        <source>№%1, владелец «%2»</source>
        <translation>No. %1, owner «%2»</translation>
    </message>
    <message>
        <source>Пультов, которые записи USB-stick не могут хранить без изменений: %1. Первые из них:</source>
        <translation>Remotes the USB-stick&apos;s records cannot hold unchanged: %1. The first of them:</translation>
    </message>
    <message>
        <source>номер вне диапазона 0..%1</source>
        <translation>number outside the range 0..%1</translation>
    </message>
    <message>
        <source>... и еще %1</source>
        <translation>... and %1 more</translation>
    </message>
</context>
</TS>

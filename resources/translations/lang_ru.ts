<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="ru_RU">
<context>
    <name>MainWindow</name>
    <message>
        <source>Пульты</source>
        <translation>Пульты</translation>
    </message>
    <message>
        <source>Поиск по владельцу</source>
        <translation>Поиск по владельцу</translation>
    </message>
    <message>
        <source>Вставьте USB-stick...</source>
        <translation>Вставьте USB-stick...</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Пульт</translation>
    </message>
    <message>
        <source>Владелец</source>
        <translation>Владелец</translation>
    </message>
    <message>
        <source>Статус</source>
        <translation>Статус</translation>
    </message>
    <message>
        <source>Группа</source>
        <translation>Группа</translation>
    </message>
    <message>
        <source>Определить пульт</source>
        <translation>Определить пульт</translation>
    </message>
    <message>
        <source>Добавить пульт</source>
        <translation>Добавить пульт</translation>
    </message>
    <message>
        <source>Редактировать пульт</source>
        <translation>Редактировать пульт</translation>
    </message>
    <message>
        <source>Удалить пульт</source>
        <translation>Удалить пульт</translation>
    </message>
    <message>
        <source>Активировать пульт</source>
        <translation>Активировать пульт</translation>
    </message>
    <message>
        <source>Параметры ИУ</source>
        <translation>Параметры ИУ</translation>
    </message>
    <message>
        <source>Значение параметра</source>
        <translation>Значение параметра</translation>
    </message>
    <message>
        <source>Загрузить из устройства</source>
        <translation>Загрузить из устройства</translation>
    </message>
    <message>
        <source>Сохранить в устройство</source>
        <translation>Сохранить в устройство</translation>
    </message>
    <message>
        <source>Восстановить из устройства</source>
        <translation>Восстановить из устройства</translation>
    </message>
    <message>
        <source>Применить в устройстве</source>
        <translation>Применить в устройстве</translation>
    </message>
    <message>
        <source>Восстановить заводские</source>
        <translation>Восстановить заводские</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Система контроля</source>
        <translation>Система контроля</translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <source>Режим работы</source>
        <translation>Режим работы</translation>
    </message>
    <message>
        <source>Расширенные</source>
        <translation>Расширенные</translation>
    </message>
    <message>
        <source>Обновление</source>
        <translation>Обновление</translation>
    </message>
    <message>
        <source>Язык программы</source>
        <translation>Язык программы</translation>
    </message>
    <message>
        <source>Автономия от БУ</source>
        <translation>Автономия от БУ</translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation>Помощь</translation>
    </message>
    <message>
        <source>Загрузить...</source>
        <translation>Загрузить...</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Сохранить как...</source>
        <translation>Сохранить как...</translation>
    </message>
    <message>
        <source>Восстановить резервную копию...</source>
        <translation>Восстановить резервную копию...</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Загрузить из USB-stick</source>
        <translation>Загрузить из USB-stick</translation>
    </message>
    <message>
        <source>Сохранить в USB-stick</source>
        <translation>Сохранить в USB-stick</translation>
    </message>
    <message>
        <source>Сохранить USB-stick в устройство</source>
        <translation>Сохранить USB-stick в устройство</translation>
    </message>
    <message>
        <source>Загрузить USB-stick из устройства</source>
        <translation>Загрузить USB-stick из устройства</translation>
    </message>
    <message>
        <source>Полная очистка памяти</source>
        <translation>Полная очистка памяти</translation>
    </message>
    <message>
        <source>Состояние памяти</source>
        <translation>Состояние памяти</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Версия ПО</translation>
    </message>
    <message>
        <source>Пользователь</source>
        <translation>Пользователь</translation>
    </message>
    <message>
        <source>Администратор</source>
        <translation>Администратор</translation>
    </message>
    <message>
        <source>Установить новый пароль</source>
        <translation>Установить новый пароль</translation>
    </message>
    <message>
        <source>Сбросить текущий пароль</source>
        <translation>Сбросить текущий пароль</translation>
    </message>
    <message>
        <source>Сбросить забытый пароль</source>
        <translation>Сбросить забытый пароль</translation>
    </message>
    <message>
        <source>Сменить пароль</source>
        <translation>Сменить пароль</translation>
    </message>
    <message>
        <source>Обновить программу</source>
        <translation>Обновить программу</translation>
    </message>
    <message>
        <source>Обновить прошивку USB-stick</source>
        <translation>Обновить прошивку USB-stick</translation>
    </message>
    <message>
        <source>Обновить прошивку исполнительного устройства</source>
        <translation>Обновить прошивку исполнительного устройства</translation>
    </message>
    <message>
        <source>Обновить прошивку USB-stick из файла...</source>
        <translation>Обновить прошивку USB-stick из файла...</translation>
    </message>
    <message>
        <source>Обновить прошивку исполнительного устройства из файла...</source>
        <translation>Обновить прошивку исполнительного устройства из файла...</translation>
    </message>
    <message>
        <source>О программе...</source>
        <translation>О программе...</translation>
    </message>
    <message>
        <source>Как работать с программой</source>
        <translation>Как работать с программой</translation>
    </message>
    <message>
        <source>Автономный режим</source>
        <translation>Автономный режим</translation>
    </message>
    <message>
        <source>Автономный перенос пультов с USB-stick на ИУ</source>
        <translation>Автономный перенос пультов с USB-stick на ИУ</translation>
    </message>
    <message>
        <source>Автономное обновление прошивки ИУ с USB-stick</source>
        <translation>Автономное обновление прошивки ИУ с USB-stick</translation>
    </message>
    <message>
        <source>Автономное изменение параметров ИУ с USB-stick</source>
        <translation>Автономное изменение параметров ИУ с USB-stick</translation>
    </message>
    <message>
        <source>Активен</source>
        <translation>Активен</translation>
    </message>
    <message>
        <source>Заблокирован</source>
        <translation>Заблокирован</translation>
    </message>
    <message>
        <source>Заблокировать пульт</source>
        <translation>Заблокировать пульт</translation>
    </message>
    <message>
        <source>Информация о владельце пульта содержит символы, которые USB-stick не может сохранить: %1</source>
        <translation>Информация о владельце пульта содержит символы, которые USB-stick не может сохранить: %1</translation>
    </message>
    <message>
        <source>Информация о владельце пульта не помещается в память USB-stick: %1 байт при допустимых %2.</source>
        <translation>Информация о владельце пульта не помещается в память USB-stick: %1 байт при допустимых %2.</translation>
    </message>
    <message>
        <source>Источник данных - USB-stick</source>
        <translation>Источник данных - USB-stick</translation>
    </message>
    <message>
        <source>Источник данных - отключенный USB-stick</source>
        <translation>Источник данных - отключенный USB-stick</translation>
    </message>
    <message>
        <source>(Актуальный файл %1)</source>
        <translation>(Актуальный файл %1)</translation>
    </message>
    <message>
        <source>(Несохраненные изменения для файла %1)</source>
        <translation>(Несохраненные изменения для файла %1)</translation>
    </message>
    <message>
        <source>Источник данных - USB-stick(актуальная резервная копия)</source>
        <translation>Источник данных - USB-stick(актуальная резервная копия)</translation>
    </message>
    <message>
        <source>Источник данных - резервная копия </source>
        <translation>Источник данных - резервная копия </translation>
    </message>
    <message>
        <source>Источник данных - USB-stick(актуальный файл %1)</source>
        <translation>Источник данных - USB-stick(актуальный файл %1)</translation>
    </message>
    <message>
        <source>Источник данных - файл </source>
        <translation>Источник данных - файл </translation>
    </message>
    <message>
        <source>Неизвестный источник данных</source>
        <translation>Неизвестный источник данных</translation>
    </message>
    <message>
        <source>Русский</source>
        <translation>Русский</translation>
    </message>
    <message>
        <source>Руководство пользователя не найдено. Файл ищется здесь:
%1</source>
        <translation>Руководство пользователя не найдено. Файл ищется здесь:
%1</translation>
    </message>
    <message>
        <source>Не удалось открыть руководство пользователя %1. Установите программу для просмотра файлов PDF.</source>
        <translation>Не удалось открыть руководство пользователя %1. Установите программу для просмотра файлов PDF.</translation>
    </message>
    <message>
        <source>Экспорт в CSV...</source>
        <translation>Экспорт в CSV...</translation>
    </message>
    <message>
        <source>Импорт из CSV...</source>
        <translation>Импорт из CSV...</translation>
    </message>
    <message>
        <source>Отменить импорт</source>
        <translation>Отменить импорт</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>Журнал операций...</source>
        <translation>Журнал операций...</translation>
    </message>
    <message>
        <source>Сравнить с файлом...</source>
        <translation>Сравнить с файлом...</translation>
    </message>
    <message>
        <source>Сравнить с резервной копией...</source>
        <translation>Сравнить с резервной копией...</translation>
    </message>
    <message>
        <source>Проверять таблицу после записи</source>
        <translation>Проверять таблицу после записи</translation>
    </message>
    <message>
        <source>* — пульт в пешеходном режиме</source>
        <translation>* — пульт в пешеходном режиме</translation>
    </message>
    <message>
        <source>Программу нельзя закрыть, пока идёт операция: дождитесь её окончания</source>
        <translation>Программу нельзя закрыть, пока идёт операция: дождитесь её окончания</translation>
    </message>
    <message>
        <source>«%1»</source>
        <translation>«%1»</translation>
    </message>
    <message>
        <source>Подождите, пока закончится операция: %1</source>
        <translation>Подождите, пока закончится операция: %1</translation>
    </message>
    <message>
        <source>Нет связи с USB-stick. Вставьте USB-stick в разъём USB: программа найдёт его сама</source>
        <translation>Нет связи с USB-stick. Вставьте USB-stick в разъём USB: программа найдёт его сама</translation>
    </message>
    <message>
        <source>Нужен доступ администратора: выберите %1 и введите пароль</source>
        <translation>Нужен доступ администратора: выберите %1 и введите пароль</translation>
    </message>
    <message>
        <source>В таблице не пульты USB-stick: сначала загрузите их командой %1</source>
        <translation>В таблице не пульты USB-stick: сначала загрузите их командой %1</translation>
    </message>
    <message>
        <source>Недоступно, пока исполнительное устройство в автономном режиме (%1)</source>
        <translation>Недоступно, пока исполнительное устройство в автономном режиме (%1)</translation>
    </message>
    <message>
        <source>Пароль администратора не установлен; его устанавливают командой %1</source>
        <translation>Пароль администратора не установлен; его устанавливают командой %1</translation>
    </message>
    <message>
        <source>Выберите пульт в таблице</source>
        <translation>Выберите пульт в таблице</translation>
    </message>
    <message>
        <source>Отменять нечего: таблица не загружена из файла CSV или уже изменена</source>
        <translation>Отменять нечего: таблица не загружена из файла CSV или уже изменена</translation>
    </message>
</context>
<context>
    <name>PortAccessNotice</name>
    <message>
        <source>Закрыть</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Нет прав на открытие порта %1.
Добавьте пользователя в группу %2 (sudo usermod -aG %2 $USER), затем выйдите из системы и войдите снова.</source>
        <translation>Нет прав на открытие порта %1.
Добавьте пользователя в группу %2 (sudo usermod -aG %2 $USER), затем выйдите из системы и войдите снова.</translation>
    </message>
    <message>
        <source>Порт %1 занят другой программой.
Закройте программу, которая его использует: поиск USB-stick продолжается и найдёт его, когда порт освободится.</source>
        <translation>Порт %1 занят другой программой.
Закройте программу, которая его использует: поиск USB-stick продолжается и найдёт его, когда порт освободится.</translation>
    </message>
</context>
<context>
    <name>QAboutDialog</name>
    <message>
        <source>О программе</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Настройка приводов ворот и рольставней через USB-stick: таблица пультов в USB-stick и исполнительном устройстве, параметры устройства, пароль администратора, обновление прошивки.</source>
        <translation>Настройка приводов ворот и рольставней через USB-stick: таблица пультов в USB-stick и исполнительном устройстве, параметры устройства, пароль администратора, обновление прошивки.</translation>
    </message>
    <message>
        <source>Работает на Qt %1 (собрана с Qt %2).</source>
        <translation>Работает на Qt %1 (собрана с Qt %2).</translation>
    </message>
    <message>
        <source>Программа распространяется на условиях %1, версии 3 или более поздней, без каких-либо гарантий.</source>
        <translation>Программа распространяется на условиях %1, версии 3 или более поздней, без каких-либо гарантий.</translation>
    </message>
    <message>
        <source>Qt — библиотека The Qt Company Ltd., используется на условиях %1 версии 3.</source>
        <translation>Qt — библиотека The Qt Company Ltd., используется на условиях %1 версии 3.</translation>
    </message>
</context>
<context>
    <name>QAddDeviceDialog</name>
    <message>
        <source>Новый пульт</source>
        <translation>Новый пульт</translation>
    </message>
    <message>
        <source>Мастер добавления новых пультов</source>
        <translation>Мастер добавления новых пультов</translation>
    </message>
    <message>
        <source>Этап</source>
        <translation>Этап</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Результат</translation>
    </message>
    <message>
        <source>Прослушивание</source>
        <translation>Прослушивание</translation>
    </message>
    <message>
        <source>Повторный поиск</source>
        <translation>Повторный поиск</translation>
    </message>
    <message>
        <source>Выбор типа пульта</source>
        <translation>Выбор типа пульта</translation>
    </message>
    <message>
        <source>Обычный режим</source>
        <translation>Обычный режим</translation>
    </message>
    <message>
        <source>Пешеходный режим</source>
        <translation>Пешеходный режим</translation>
    </message>
    <message>
        <source>Ок</source>
        <translation>Ок</translation>
    </message>
    <message>
        <source>Назначение владельца</source>
        <translation>Назначение владельца</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Завершен</source>
        <translation>Завершен</translation>
    </message>
    <message>
        <source>Не пройден</source>
        <translation>Не пройден</translation>
    </message>
    <message>
        <source>Установка режима работы</source>
        <translation>Установка режима работы</translation>
    </message>
    <message>
        <source>Адрес </source>
        <translation>Адрес </translation>
    </message>
    <message>
        <source>Поиск нового пульта... 
 Нажмите и удерживайте в течение 4 секунд на пульте кнопку.</source>
        <translation>Поиск нового пульта... 
 Нажмите и удерживайте в течение 4 секунд на пульте кнопку.</translation>
    </message>
    <message>
        <source>Данный пульт уже зарегистрирован на пользователя &apos;</source>
        <translation>Данный пульт уже зарегистрирован на пользователя &apos;</translation>
    </message>
    <message>
        <source>&apos;. Поиск пульта будет автоматически продолжен.</source>
        <translation>&apos;. Поиск пульта будет автоматически продолжен.</translation>
    </message>
    <message>
        <source>Информация о владельце пульта не должна быть длиннее 59 символов. Текущая длина </source>
        <translation>Информация о владельце пульта не должна быть длиннее 59 символов. Текущая длина </translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Введите имя владельца пульта</source>
        <translation>Введите имя владельца пульта</translation>
    </message>
</context>
<context>
    <name>QAutoConnectTool</name>
    <message>
        <source>Закрыт порт </source>
        <translation>Закрыт порт </translation>
    </message>
</context>
<context>
    <name>QCompareDialog</name>
    <message>
        <source>Сравнение USB-stick с файлом</source>
        <translation>Сравнение USB-stick с файлом</translation>
    </message>
    <message>
        <source>Таблица USB-stick (последняя прочитанная) и «%1»</source>
        <translation>Таблица USB-stick (последняя прочитанная) и «%1»</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Пульт</translation>
    </message>
    <message>
        <source>Отличие</source>
        <translation>Отличие</translation>
    </message>
    <message>
        <source>В USB-stick</source>
        <translation>В USB-stick</translation>
    </message>
    <message>
        <source>В файле</source>
        <translation>В файле</translation>
    </message>
    <message>
        <source>Применение запишет в USB-stick и удалит из него только эти пульты; остальные останутся как есть.</source>
        <translation>Применение запишет в USB-stick и удалит из него только эти пульты; остальные останутся как есть.</translation>
    </message>
    <message>
        <source>Для применения нужен полный доступ к USB-stick.</source>
        <translation>Для применения нужен полный доступ к USB-stick.</translation>
    </message>
    <message>
        <source>Применить к USB-stick</source>
        <translation>Применить к USB-stick</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Только в USB-stick</source>
        <translation>Только в USB-stick</translation>
    </message>
    <message>
        <source>Только в файле</source>
        <translation>Только в файле</translation>
    </message>
    <message>
        <source>Отличается: %1</source>
        <translation>Отличается: %1</translation>
    </message>
    <message>
        <source>Таблицы совпадают</source>
        <translation>Таблицы совпадают</translation>
    </message>
    <message>
        <source>Только в USB-stick: %1, только в файле: %2, отличаются: %3</source>
        <translation>Только в USB-stick: %1, только в файле: %2, отличаются: %3</translation>
    </message>
    <message>
        <source>владелец</source>
        <translation>владелец</translation>
    </message>
    <message>
        <source>группа</source>
        <translation>группа</translation>
    </message>
    <message>
        <source>статус</source>
        <translation>статус</translation>
    </message>
    <message>
        <source>режим работы</source>
        <translation>режим работы</translation>
    </message>
    <message>
        <source>«%1», группа %2, %3</source>
        <translation>«%1», группа %2, %3</translation>
    </message>
    <message>
        <source>активен</source>
        <translation>активен</translation>
    </message>
    <message>
        <source>заблокирован</source>
        <translation>заблокирован</translation>
    </message>
    <message>
        <source>, пешеходный режим</source>
        <translation>, пешеходный режим</translation>
    </message>
    <message>
        <source>... и еще %1</source>
        <translation>... и еще %1</translation>
    </message>
    <message>
        <source>№%1: только в USB-stick</source>
        <translation>№%1: только в USB-stick</translation>
    </message>
    <message>
        <source>№%1: нет в USB-stick</source>
        <translation>№%1: нет в USB-stick</translation>
    </message>
    <message>
        <source>№%1: отличается (%2)</source>
        <translation>№%1: отличается (%2)</translation>
    </message>
</context>
<context>
    <name>QCsvImportDialog</name>
    <message>
        <source>Импорт из CSV</source>
        <translation>Импорт из CSV</translation>
    </message>
    <message>
        <source>Файл «%1»</source>
        <translation>Файл «%1»</translation>
    </message>
    <message>
        <source>Строка</source>
        <translation>Строка</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Пульт</translation>
    </message>
    <message>
        <source>Владелец</source>
        <translation>Владелец</translation>
    </message>
    <message>
        <source>Группа</source>
        <translation>Группа</translation>
    </message>
    <message>
        <source>Статус</source>
        <translation>Статус</translation>
    </message>
    <message>
        <source>Режим работы</source>
        <translation>Режим работы</translation>
    </message>
    <message>
        <source>Замечания</source>
        <translation>Замечания</translation>
    </message>
    <message>
        <source>Импортированные пульты заменят таблицу на экране; USB-stick не изменится. Импорт можно отменить.</source>
        <translation>Импортированные пульты заменят таблицу на экране; USB-stick не изменится. Импорт можно отменить.</translation>
    </message>
    <message>
        <source>Импортировать</source>
        <translation>Импортировать</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>строка не читается: кавычка не закрыта</source>
        <translation>строка не читается: кавычка не закрыта</translation>
    </message>
    <message>
        <source>строка не читается: полей %1 вместо %2</source>
        <translation>строка не читается: полей %1 вместо %2</translation>
    </message>
    <message>
        <source>нет номера пульта</source>
        <translation>нет номера пульта</translation>
    </message>
    <message>
        <source>номер пульта не число: %1</source>
        <translation>номер пульта не число: %1</translation>
    </message>
    <message>
        <source>номер пульта вне диапазона 0..%1</source>
        <translation>номер пульта вне диапазона 0..%1</translation>
    </message>
    <message>
        <source>нет группы: взята 0</source>
        <translation>нет группы: взята 0</translation>
    </message>
    <message>
        <source>группа не число: %1</source>
        <translation>группа не число: %1</translation>
    </message>
    <message>
        <source>группа вне диапазона 0..255</source>
        <translation>группа вне диапазона 0..255</translation>
    </message>
    <message>
        <source>нет статуса: пульт активен</source>
        <translation>нет статуса: пульт активен</translation>
    </message>
    <message>
        <source>статус не распознан: %1</source>
        <translation>статус не распознан: %1</translation>
    </message>
    <message>
        <source>нет режима работы: взят обычный</source>
        <translation>нет режима работы: взят обычный</translation>
    </message>
    <message>
        <source>режим работы не распознан: %1</source>
        <translation>режим работы не распознан: %1</translation>
    </message>
    <message>
        <source>нет владельца</source>
        <translation>нет владельца</translation>
    </message>
    <message>
        <source>владелец обрезан до %1 символов</source>
        <translation>владелец обрезан до %1 символов</translation>
    </message>
    <message>
        <source>номер пульта уже есть в строке %1: строка пропущена</source>
        <translation>номер пульта уже есть в строке %1: строка пропущена</translation>
    </message>
</context>
<context>
    <name>QDbManipulator</name>
    <message>
        <source>Ошибка открытия файла </source>
        <translation>Ошибка открытия файла </translation>
    </message>
    <message>
        <source>Неверный формат файла </source>
        <translation>Неверный формат файла </translation>
    </message>
    <message>
        <source>Неверный формат файла: дублирующие значения пультов. Загрузка отменена.</source>
        <translation>Неверный формат файла: дублирующие значения пультов. Загрузка отменена.</translation>
    </message>
    <message>
        <source>Нет ни одной резервной копии</source>
        <translation>Нет ни одной резервной копии</translation>
    </message>
    <message>
        <source>Выбор резервной копии</source>
        <translation>Выбор резервной копии</translation>
    </message>
    <message>
        <source>Выберите резервную копию для загрузки в программу</source>
        <translation>Выберите резервную копию для загрузки в программу</translation>
    </message>
    <message>
        <source>Не выбрана резервная копия файла</source>
        <translation>Не выбрана резервная копия файла</translation>
    </message>
    <message>
        <source>Ошибка загрузки резервной копии</source>
        <translation>Ошибка загрузки резервной копии</translation>
    </message>
    <message>
        <source>null</source>
        <translation>null</translation>
    </message>
    <message>
        <source>логическое значение</source>
        <translation>логическое значение</translation>
    </message>
    <message>
        <source>число</source>
        <translation>число</translation>
    </message>
    <message>
        <source>строка</source>
        <translation>строка</translation>
    </message>
    <message>
        <source>массив</source>
        <translation>массив</translation>
    </message>
    <message>
        <source>объект</source>
        <translation>объект</translation>
    </message>
    <message>
        <source>нет значения</source>
        <translation>нет значения</translation>
    </message>
    <message>
        <source>поле «%1»: ожидается %2, в файле %3</source>
        <translation>поле «%1»: ожидается %2, в файле %3</translation>
    </message>
    <message>
        <source>поле «%1»: %2 не целое число в диапазоне 0..%3</source>
        <translation>поле «%1»: %2 не целое число в диапазоне 0..%3</translation>
    </message>
    <message>
        <source>ожидается объект, в файле %1</source>
        <translation>ожидается объект, в файле %1</translation>
    </message>
    <message>
        <source>нет ни одного поля пульта</source>
        <translation>нет ни одного поля пульта</translation>
    </message>
    <message>
        <source>true или false</source>
        <translation>true или false</translation>
    </message>
    <message>
        <source>поле «%1»: %2</source>
        <translation>поле «%1»: %2</translation>
    </message>
    <message>
        <source>строка %1, столбец %2</source>
        <translation>строка %1, столбец %2</translation>
    </message>
    <message>
        <source>Файл не является документом JSON: %1: %2</source>
        <translation>Файл не является документом JSON: %1: %2</translation>
    </message>
    <message>
        <source>В файле нет списка пультов «%1»</source>
        <translation>В файле нет списка пультов «%1»</translation>
    </message>
    <message>
        <source>Пульт %1 (№%2)</source>
        <translation>Пульт %1 (№%2)</translation>
    </message>
    <message>
        <source>Пульт %1</source>
        <translation>Пульт %1</translation>
    </message>
    <message>
        <source>... и еще пультов с ошибками: %1</source>
        <translation>... и еще пультов с ошибками: %1</translation>
    </message>
    <message>
        <source>%1 — не читается</source>
        <translation>%1 — не читается</translation>
    </message>
    <message>
        <source>%1 — пультов: %2</source>
        <translation>%1 — пультов: %2</translation>
    </message>
    <message>
        <source>, из USB-stick</source>
        <translation>, из USB-stick</translation>
    </message>
    <message>
        <source>, из исполнительного устройства</source>
        <translation>, из исполнительного устройства</translation>
    </message>
    <message>
        <source>, из файла</source>
        <translation>, из файла</translation>
    </message>
</context>
<context>
    <name>QFlashController</name>
    <message>
        <source>Ошибка загрузки прошивки из файла</source>
        <translation>Ошибка загрузки прошивки из файла</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Выбор файла прошивки</source>
        <translation>Выбор файла прошивки</translation>
    </message>
    <message>
        <source>Ошибка файла прошивки</source>
        <translation>Ошибка файла прошивки</translation>
    </message>
    <message>
        <source>При обновлении прошивки возникла ошибка</source>
        <translation>При обновлении прошивки возникла ошибка</translation>
    </message>
    <message>
        <source>Данный файл прошивки не предназначен для обновления исполнительного устройства</source>
        <translation>Данный файл прошивки не предназначен для обновления исполнительного устройства</translation>
    </message>
    <message>
        <source>Данный файл прошивки не предназначен для обновления подключенного USB-stick</source>
        <translation>Данный файл прошивки не предназначен для обновления подключенного USB-stick</translation>
    </message>
    <message>
        <source>На USB-stick установлена более новая версия прошивки, чем в текущем файле. Загрузить на USB-stick старую версию ПО?</source>
        <translation>На USB-stick установлена более новая версия прошивки, чем в текущем файле. Загрузить на USB-stick старую версию ПО?</translation>
    </message>
    <message>
        <source>На USB-stick установлена текущая версия прошивки. Загрузить заново на USB-stick текущую версию ПО?</source>
        <translation>На USB-stick установлена текущая версия прошивки. Загрузить заново на USB-stick текущую версию ПО?</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>исполнительное устройство</source>
        <translation>исполнительное устройство</translation>
    </message>
    <message>
        <source>USB-stick</source>
        <translation>USB-stick</translation>
    </message>
    <message>
        <source>Загрузка прошивки на </source>
        <translation>Загрузка прошивки на </translation>
    </message>
    <message>
        <source>Ожидание применения прошивки на </source>
        <translation>Ожидание применения прошивки на </translation>
    </message>
    <message>
        <source>исполнительном устройстве</source>
        <translation>исполнительном устройстве</translation>
    </message>
    <message>
        <source>Ошибка применения прошивки на исполнительном устройстве</source>
        <translation>Ошибка применения прошивки на исполнительном устройстве</translation>
    </message>
    <message>
        <source>Прошивка не записана.</source>
        <translation>Прошивка не записана.</translation>
    </message>
    <message>
        <source>Записан только один файл прошивки: %1</source>
        <translation>Записан только один файл прошивки: %1</translation>
    </message>
    <message>
        <source>парного файла %1 нет</source>
        <translation>парного файла %1 нет</translation>
    </message>
    <message>
        <source>парный файл %1 не прочитан</source>
        <translation>парный файл %1 не прочитан</translation>
    </message>
    <message>
        <source>Парный файл прошивки не подходит к записанному (другой тип, другая плата или более старая версия) и не будет записан.
%1</source>
        <translation>Парный файл прошивки не подходит к записанному (другой тип, другая плата или более старая версия) и не будет записан.
%1</translation>
    </message>
    <message>
        <source>парный файл %1 не подходит</source>
        <translation>парный файл %1 не подходит</translation>
    </message>
    <message>
        <source>Первый файл прошивки записан. Загрузить на исполнительное устройство парный файл?
%1
Версия %2.</source>
        <translation>Первый файл прошивки записан. Загрузить на исполнительное устройство парный файл?
%1
Версия %2.</translation>
    </message>
    <message>
        <source>парный файл %1 пропущен</source>
        <translation>парный файл %1 пропущен</translation>
    </message>
    <message>
        <source>На исполнительном устройстве установлена более новая версия прошивки, чем в текущем файле. Загрузить на исполнительное устройство старую версию ПО?</source>
        <translation>На исполнительном устройстве установлена более новая версия прошивки, чем в текущем файле. Загрузить на исполнительное устройство старую версию ПО?</translation>
    </message>
    <message>
        <source>На исполнительном устройстве установлена текущая версия прошивки. Загрузить заново на исполнительное устройство текущую версию ПО?</source>
        <translation>На исполнительном устройстве установлена текущая версия прошивки. Загрузить заново на исполнительное устройство текущую версию ПО?</translation>
    </message>
    <message>
        <source>Загрузить прошивку из файла на USB-stick?</source>
        <translation>Загрузить прошивку из файла на USB-stick?</translation>
    </message>
    <message>
        <source>Загрузить прошивку из файла на исполнительное устройство?</source>
        <translation>Загрузить прошивку из файла на исполнительное устройство?</translation>
    </message>
    <message>
        <source>Установленная версия: %1. Версия в файле: %2.</source>
        <translation>Установленная версия: %1. Версия в файле: %2.</translation>
    </message>
    <message>
        <source>неизвестна</source>
        <translation>неизвестна</translation>
    </message>
    <message>
        <source>Новая прошивка не применена: USB-stick применяет её только после записи всего файла и до тех пор работает с прежней. Повторите запись из того же файла; если USB-stick не находится или не отвечает, сначала отключите его от компьютера и подключите снова.</source>
        <translation>Новая прошивка не применена: USB-stick применяет её только после записи всего файла и до тех пор работает с прежней. Повторите запись из того же файла; если USB-stick не находится или не отвечает, сначала отключите его от компьютера и подключите снова.</translation>
    </message>
    <message>
        <source>Новая прошивка не применена: исполнительное устройство применяет её только после записи всего файла и до тех пор работает с прежней. Повторите запись из того же файла, когда USB-stick будет найден снова.</source>
        <translation>Новая прошивка не применена: исполнительное устройство применяет её только после записи всего файла и до тех пор работает с прежней. Повторите запись из того же файла, когда USB-stick будет найден снова.</translation>
    </message>
    <message>
        <source>Новая прошивка не применена: исполнительное устройство применяет её только после записи всего файла и до тех пор работает с прежней. Повторите запись из того же файла.</source>
        <translation>Новая прошивка не применена: исполнительное устройство применяет её только после записи всего файла и до тех пор работает с прежней. Повторите запись из того же файла.</translation>
    </message>
    <message>
        <source>Прошивка %1 записана в %2</source>
        <translation>Прошивка %1 записана в %2</translation>
    </message>
</context>
<context>
    <name>QFlashUpdater</name>
    <message>
        <source>Файл не открывается: %1</source>
        <translation>Файл не открывается: %1</translation>
    </message>
    <message>
        <source>Это не файл прошивки: он больше %1 МБ.</source>
        <translation>Это не файл прошивки: он больше %1 МБ.</translation>
    </message>
    <message>
        <source>Это не файл прошивки: его заголовок не описывает образ прошивки.</source>
        <translation>Это не файл прошивки: его заголовок не описывает образ прошивки.</translation>
    </message>
    <message>
        <source>Файл прошивки обрывается: его длина %1 байт, а по заголовку в нём должно быть больше данных. Вероятно, файл скопирован или загружен не полностью.</source>
        <translation>Файл прошивки обрывается: его длина %1 байт, а по заголовку в нём должно быть больше данных. Вероятно, файл скопирован или загружен не полностью.</translation>
    </message>
    <message>
        <source>Это не файл прошивки: его длина %1 байт, меньше заголовка прошивки.</source>
        <translation>Это не файл прошивки: его длина %1 байт, меньше заголовка прошивки.</translation>
    </message>
    <message>
        <source>Это не файл прошивки: в нём нет данных для записи.</source>
        <translation>Это не файл прошивки: в нём нет данных для записи.</translation>
    </message>
</context>
<context>
    <name>QMemoryStatusDialog</name>
    <message>
        <source>Свободно: </source>
        <translation>Свободно: </translation>
    </message>
    <message>
        <source>Занято: </source>
        <translation>Занято: </translation>
    </message>
    <message>
        <source>Емкость: </source>
        <translation>Емкость: </translation>
    </message>
    <message>
        <source>Состояние памяти</source>
        <translation>Состояние памяти</translation>
    </message>
    <message>
        <source>Память устройств</source>
        <translation>Память устройств</translation>
    </message>
    <message>
        <source>USB-stick, пульты</source>
        <translation>USB-stick, пульты</translation>
    </message>
    <message>
        <source>Устройство</source>
        <translation>Устройство</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>QModemSession</name>
    <message>
        <source>Запрос прав доступа...</source>
        <translation>Запрос прав доступа...</translation>
    </message>
    <message>
        <source>Ввод пароля</source>
        <translation>Ввод пароля</translation>
    </message>
    <message>
        <source>Введите пароль администратора для обеспечения полного доступа к USB-stick</source>
        <translation>Введите пароль администратора для обеспечения полного доступа к USB-stick</translation>
    </message>
    <message>
        <source>Авторизация</source>
        <translation>Авторизация</translation>
    </message>
    <message>
        <source>Ошибка авторизации</source>
        <translation>Ошибка авторизации</translation>
    </message>
    <message>
        <source>Ошибка при авторизации: неверный пароль либо отмена операции пользователем</source>
        <translation>Ошибка при авторизации: неверный пароль либо отмена операции пользователем</translation>
    </message>
    <message>
        <source>Сброс авторизации</source>
        <translation>Сброс авторизации</translation>
    </message>
    <message>
        <source>Ошибка сброса авторизации</source>
        <translation>Ошибка сброса авторизации</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Пароль не может быть пустым</source>
        <translation>Пароль не может быть пустым</translation>
    </message>
    <message>
        <source>Пароль содержит недопустимые символы</source>
        <translation>Пароль содержит недопустимые символы</translation>
    </message>
    <message>
        <source>Ввод текущего пароля</source>
        <translation>Ввод текущего пароля</translation>
    </message>
    <message>
        <source>Введите ваш текущий пароль полного доступа к USB-stick</source>
        <translation>Введите ваш текущий пароль полного доступа к USB-stick</translation>
    </message>
    <message>
        <source>Ввод нового пароля</source>
        <translation>Ввод нового пароля</translation>
    </message>
    <message>
        <source>Введите новый пароль полного доступа к USB-stick(6-10 символов)</source>
        <translation>Введите новый пароль полного доступа к USB-stick(6-10 символов)</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>Пароль должен быть длиной от 6 до 10 символов</source>
        <translation>Пароль должен быть длиной от 6 до 10 символов</translation>
    </message>
    <message>
        <source>Повтор нового пароля</source>
        <translation>Повтор нового пароля</translation>
    </message>
    <message>
        <source>Повторно введите пароль полного доступа к USB-stick</source>
        <translation>Повторно введите пароль полного доступа к USB-stick</translation>
    </message>
    <message>
        <source>Пароли не совпадают</source>
        <translation>Пароли не совпадают</translation>
    </message>
    <message>
        <source>Удаление текущего пароля</source>
        <translation>Удаление текущего пароля</translation>
    </message>
    <message>
        <source>Применение нового пароля</source>
        <translation>Применение нового пароля</translation>
    </message>
    <message>
        <source>Удаление забытого пароля</source>
        <translation>Удаление забытого пароля</translation>
    </message>
    <message>
        <source>Сброс забытого пароля...
Нажмите и удерживайте в течение 4 секунд на исполнительном устройстве кнопку для перехода в режим программирования. 
Далее нажмите и держите в течение 1 секунды кнопку для сброса забытого пароля</source>
        <translation>Сброс забытого пароля...
Нажмите и удерживайте в течение 4 секунд на исполнительном устройстве кнопку для перехода в режим программирования. 
Далее нажмите и держите в течение 1 секунды кнопку для сброса забытого пароля</translation>
    </message>
    <message>
        <source>Восстановление исходного режима работы USB-stick</source>
        <translation>Восстановление исходного режима работы USB-stick</translation>
    </message>
    <message>
        <source>Принят неверный ответ от USB-stick. Повторить попытку?</source>
        <translation>Принят неверный ответ от USB-stick. Повторить попытку?</translation>
    </message>
    <message>
        <source>Неверный пароль</source>
        <translation>Неверный пароль</translation>
    </message>
    <message>
        <source>Нет авторизации</source>
        <translation>Нет авторизации</translation>
    </message>
    <message>
        <source>У вас отсутствуют привилегии для выполнения этой команды</source>
        <translation>У вас отсутствуют привилегии для выполнения этой команды</translation>
    </message>
    <message>
        <source>Связь с конечным устройством утеряна</source>
        <translation>Связь с конечным устройством утеряна</translation>
    </message>
    <message>
        <source>Usb-stick не смог выполнить команду на конечном устройстве. Повторить попытку?</source>
        <translation>Usb-stick не смог выполнить команду на конечном устройстве. Повторить попытку?</translation>
    </message>
    <message>
        <source>Конечное устройство не содержит в памяти данный пульт</source>
        <translation>Конечное устройство не содержит в памяти данный пульт</translation>
    </message>
    <message>
        <source>Конечное устройство не смогло успешно выполнить команду</source>
        <translation>Конечное устройство не смогло успешно выполнить команду</translation>
    </message>
    <message>
        <source>Ошибка применения новой прошивки на USB-stick</source>
        <translation>Ошибка применения новой прошивки на USB-stick</translation>
    </message>
    <message>
        <source>Инициализация устройства... Если устройство впервые используется с данным USB-stick, нажмите и удерживайте на нем в течение 4 секунд кнопку</source>
        <translation>Инициализация устройства... Если устройство впервые используется с данным USB-stick, нажмите и удерживайте на нем в течение 4 секунд кнопку</translation>
    </message>
    <message>
        <source>Установка параметров USB-stick...</source>
        <translation>Установка параметров USB-stick...</translation>
    </message>
    <message>
        <source>Запрос функционала USB-stick...</source>
        <translation>Запрос функционала USB-stick...</translation>
    </message>
    <message>
        <source>Запрос настроек USB-stick...</source>
        <translation>Запрос настроек USB-stick...</translation>
    </message>
    <message>
        <source>Запрос версии USB-stick...</source>
        <translation>Запрос версии USB-stick...</translation>
    </message>
    <message>
        <source>Запрос версии исполнительного устройства...</source>
        <translation>Запрос версии исполнительного устройства...</translation>
    </message>
    <message>
        <source>&lt;br&gt;Версия исполнительного устройства %2.%3.%1.%4</source>
        <translation>&lt;br&gt;Версия исполнительного устройства %2.%3.%1.%4</translation>
    </message>
    <message>
        <source>Версия модема %2.%3.%1.%4 </source>
        <translation>Версия модема %2.%3.%1.%4 </translation>
    </message>
    <message>
        <source>Версия</source>
        <translation>Версия</translation>
    </message>
    <message>
        <source>восстановлен прежний пароль</source>
        <translation>восстановлен прежний пароль</translation>
    </message>
    <message>
        <source>Вход выполнен: доступ администратора</source>
        <translation>Вход выполнен: доступ администратора</translation>
    </message>
    <message>
        <source>Авторизация отменена</source>
        <translation>Авторизация отменена</translation>
    </message>
    <message>
        <source>Пароль удалён</source>
        <translation>Пароль удалён</translation>
    </message>
    <message>
        <source>Пароль изменён</source>
        <translation>Пароль изменён</translation>
    </message>
    <message>
        <source>Пароль установлен</source>
        <translation>Пароль установлен</translation>
    </message>
    <message>
        <source>Забытый пароль сброшен</source>
        <translation>Забытый пароль сброшен</translation>
    </message>
    <message>
        <source>USB-stick не подключен</source>
        <translation>USB-stick не подключен</translation>
    </message>
    <message>
        <source>доступ пользователя</source>
        <translation>доступ пользователя</translation>
    </message>
    <message>
        <source>доступ администратора</source>
        <translation>доступ администратора</translation>
    </message>
    <message>
        <source>автономный режим</source>
        <translation>автономный режим</translation>
    </message>
    <message>
        <source>обычный режим</source>
        <translation>обычный режим</translation>
    </message>
    <message>
        <source>USB-stick %1, версия %2, %3, %4</source>
        <translation>USB-stick %1, версия %2, %3, %4</translation>
    </message>
    <message>
        <source>Версия USB-stick после обновления прошивки неизвестна: её не удалось прочитать</source>
        <translation>Версия USB-stick после обновления прошивки неизвестна: её не удалось прочитать</translation>
    </message>
    <message>
        <source>USB-stick уже %1 с сообщает, что команда выполняется, но её выполнение остановилось на %2%. Операция прервана. Если USB-stick не отвечает на следующие команды, отключите его от компьютера и подключите снова.</source>
        <translation>USB-stick уже %1 с сообщает, что команда выполняется, но её выполнение остановилось на %2%. Операция прервана. Если USB-stick не отвечает на следующие команды, отключите его от компьютера и подключите снова.</translation>
    </message>
</context>
<context>
    <name>QOperationLog</name>
    <message>
        <source>Пульт добавлен</source>
        <translation>Пульт добавлен</translation>
    </message>
    <message>
        <source>Пульт заблокирован</source>
        <translation>Пульт заблокирован</translation>
    </message>
    <message>
        <source>Пульт активирован</source>
        <translation>Пульт активирован</translation>
    </message>
    <message>
        <source>Изменен владелец пульта</source>
        <translation>Изменен владелец пульта</translation>
    </message>
    <message>
        <source>Пульт удален</source>
        <translation>Пульт удален</translation>
    </message>
    <message>
        <source>Таблица записана в USB-stick</source>
        <translation>Таблица записана в USB-stick</translation>
    </message>
    <message>
        <source>Память очищена</source>
        <translation>Память очищена</translation>
    </message>
    <message>
        <source>Таблица скопирована из USB-stick в устройство</source>
        <translation>Таблица скопирована из USB-stick в устройство</translation>
    </message>
    <message>
        <source>Таблица скопирована из устройства в USB-stick</source>
        <translation>Таблица скопирована из устройства в USB-stick</translation>
    </message>
    <message>
        <source>Отличия от файла применены к USB-stick</source>
        <translation>Отличия от файла применены к USB-stick</translation>
    </message>
    <message>
        <source>Параметры записаны в устройство</source>
        <translation>Параметры записаны в устройство</translation>
    </message>
    <message>
        <source>Восстановлены заводские настройки</source>
        <translation>Восстановлены заводские настройки</translation>
    </message>
    <message>
        <source>Прошивка загружена</source>
        <translation>Прошивка загружена</translation>
    </message>
    <message>
        <source>Установлен пароль</source>
        <translation>Установлен пароль</translation>
    </message>
    <message>
        <source>Пароль удален</source>
        <translation>Пароль удален</translation>
    </message>
    <message>
        <source>Сброшен забытый пароль</source>
        <translation>Сброшен забытый пароль</translation>
    </message>
</context>
<context>
    <name>QOperationLogDialog</name>
    <message>
        <source>Журнал операций</source>
        <translation>Журнал операций</translation>
    </message>
    <message>
        <source>Фильтр:</source>
        <translation>Фильтр:</translation>
    </message>
    <message>
        <source>Только неудачные</source>
        <translation>Только неудачные</translation>
    </message>
    <message>
        <source>Экспорт в CSV...</source>
        <translation>Экспорт в CSV...</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Пользователь</source>
        <translation>Пользователь</translation>
    </message>
    <message>
        <source>Версия USB-stick</source>
        <translation>Версия USB-stick</translation>
    </message>
    <message>
        <source>Операция</source>
        <translation>Операция</translation>
    </message>
    <message>
        <source>Пульты</source>
        <translation>Пульты</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Результат</translation>
    </message>
    <message>
        <source>Подробности</source>
        <translation>Подробности</translation>
    </message>
    <message>
        <source>выполнено</source>
        <translation>выполнено</translation>
    </message>
    <message>
        <source>ошибка</source>
        <translation>ошибка</translation>
    </message>
    <message>
        <source>Экспорт журнала в CSV</source>
        <translation>Экспорт журнала в CSV</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Ошибка открытия файла </source>
        <translation>Ошибка открытия файла </translation>
    </message>
</context>
<context>
    <name>QOperationRunner</name>
    <message>
        <source>Операция невозможна во время обмена данным с usb-stick либо исполнительным устройством</source>
        <translation>Операция невозможна во время обмена данным с usb-stick либо исполнительным устройством</translation>
    </message>
    <message>
        <source>Usb-stick не отвечает. Проверьте подключение.</source>
        <translation>Usb-stick не отвечает. Проверьте подключение.</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Ошибка</translation>
    </message>
</context>
<context>
    <name>QParamController</name>
    <message>
        <source>Режим работы</source>
        <translation>Режим работы</translation>
    </message>
    <message>
        <source>Длительность команды для режима &apos;Короткой команды&apos;</source>
        <translation>Длительность команды для режима &apos;Короткой команды&apos;</translation>
    </message>
    <message>
        <source>Длительность команды для режима &apos;Жалюзийный&apos;</source>
        <translation>Длительность команды для режима &apos;Жалюзийный&apos;</translation>
    </message>
    <message>
        <source>Длительность команды для режима &apos;Роллетный&apos;</source>
        <translation>Длительность команды для режима &apos;Роллетный&apos;</translation>
    </message>
    <message>
        <source>Короткой команды</source>
        <translation>Короткой команды</translation>
    </message>
    <message>
        <source>Роллетный</source>
        <translation>Роллетный</translation>
    </message>
    <message>
        <source>Жалюзийный</source>
        <translation>Жалюзийный</translation>
    </message>
    <message>
        <source>Непрерывной команды</source>
        <translation>Непрерывной команды</translation>
    </message>
    <message>
        <source> с</source>
        <translation> с</translation>
    </message>
    <message>
        <source>Запрос параметров исполнительного устройства...</source>
        <translation>Запрос параметров исполнительного устройства...</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Информация</translation>
    </message>
    <message>
        <source>Ни один из параметров не помечен для загрузки из конечного устройства. Загрузить все параметры?</source>
        <translation>Ни один из параметров не помечен для загрузки из конечного устройства. Загрузить все параметры?</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Параметр %1 не задан</source>
        <translation>Параметр %1 не задан</translation>
    </message>
    <message>
        <source>Ни один из параметров не помечен для сохранения в конечном устройстве. Сохранить все параметры?</source>
        <translation>Ни один из параметров не помечен для сохранения в конечном устройстве. Сохранить все параметры?</translation>
    </message>
    <message>
        <source>Установка параметров исполнительного устройства...</source>
        <translation>Установка параметров исполнительного устройства...</translation>
    </message>
    <message>
        <source>Восстановление заводских настроек...</source>
        <translation>Восстановление заводских настроек...</translation>
    </message>
    <message>
        <source>Применение параметров исполнительного устройства...</source>
        <translation>Применение параметров исполнительного устройства...</translation>
    </message>
    <message>
        <source>Восстановление параметров исполнительного устройства...</source>
        <translation>Восстановление параметров исполнительного устройства...</translation>
    </message>
    <message>
        <source>параметров: %1</source>
        <translation>параметров: %1</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства не прочитаны.</source>
        <translation>Параметры исполнительного устройства не прочитаны.</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства не записаны.</source>
        <translation>Параметры исполнительного устройства не записаны.</translation>
    </message>
    <message>
        <source>Заводские настройки исполнительного устройства не восстановлены.</source>
        <translation>Заводские настройки исполнительного устройства не восстановлены.</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства не восстановлены.</source>
        <translation>Параметры исполнительного устройства не восстановлены.</translation>
    </message>
    <message>
        <source>Параметры записаны в исполнительное устройство: %1</source>
        <translation>Параметры записаны в исполнительное устройство: %1</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства будут заменены заводскими. Продолжить?</source>
        <translation>Параметры исполнительного устройства будут заменены заводскими. Продолжить?</translation>
    </message>
    <message>
        <source>Восстановлены заводские параметры исполнительного устройства</source>
        <translation>Восстановлены заводские параметры исполнительного устройства</translation>
    </message>
</context>
<context>
    <name>QPropertyWidget</name>
    <message>
        <source>Неизвестно</source>
        <translation>Неизвестно</translation>
    </message>
</context>
<context>
    <name>QRemoteOperations</name>
    <message>
        <source>Ошибка</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Активация пульта</source>
        <translation>Активация пульта</translation>
    </message>
    <message>
        <source>Блокировка пульта</source>
        <translation>Блокировка пульта</translation>
    </message>
    <message>
        <source>Владелец пульта</source>
        <translation>Владелец пульта</translation>
    </message>
    <message>
        <source>Введите информацию о владельце пульта(максимально %1 символов)</source>
        <translation>Введите информацию о владельце пульта(максимально %1 символов)</translation>
    </message>
    <message>
        <source>Информация о владельце пульта не должна быть длиннее %1 символов. Текущая длина </source>
        <translation>Информация о владельце пульта не должна быть длиннее %1 символов. Текущая длина </translation>
    </message>
    <message>
        <source>Изменение сведений о владельце пульта</source>
        <translation>Изменение сведений о владельце пульта</translation>
    </message>
    <message>
        <source>Удаление пульта</source>
        <translation>Удаление пульта</translation>
    </message>
    <message>
        <source>Пульт будет удален из системы. Продолжить?</source>
        <translation>Пульт будет удален из системы. Продолжить?</translation>
    </message>
    <message>
        <source>Удаление пульта из системы</source>
        <translation>Удаление пульта из системы</translation>
    </message>
    <message>
        <source>Пульт №%1 (владелец &apos;%2&apos;) не изменен в таблице.</source>
        <translation>Пульт №%1 (владелец &apos;%2&apos;) не изменен в таблице.</translation>
    </message>
    <message>
        <source>Пульт №%1 (владелец &apos;%2&apos;) не удален из таблицы.</source>
        <translation>Пульт №%1 (владелец &apos;%2&apos;) не удален из таблицы.</translation>
    </message>
</context>
<context>
    <name>QRemoteSearch</name>
    <message>
        <source>Ошибка</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Установка режима работы</source>
        <translation>Установка режима работы</translation>
    </message>
    <message>
        <source>Изменение режима работы устройства</source>
        <translation>Изменение режима работы устройства</translation>
    </message>
    <message>
        <source>Не удалось добавить новый пульт</source>
        <translation>Не удалось добавить новый пульт</translation>
    </message>
    <message>
        <source>Запись устройств в USB-stick и исполнительное устройство</source>
        <translation>Запись устройств в USB-stick и исполнительное устройство</translation>
    </message>
    <message>
        <source>Поиск пульта</source>
        <translation>Поиск пульта</translation>
    </message>
    <message>
        <source>Поиск</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Определение пульта... 
Нажмите и удерживайте в течение 4 секунд кнопку на пульте для его определения.</source>
        <translation>Определение пульта... 
Нажмите и удерживайте в течение 4 секунд кнопку на пульте для его определения.</translation>
    </message>
    <message>
        <source>Найден пульт, владелец &apos;</source>
        <translation>Найден пульт, владелец &apos;</translation>
    </message>
    <message>
        <source>Найден незарегистрированный пульт №</source>
        <translation>Найден незарегистрированный пульт №</translation>
    </message>
</context>
<context>
    <name>QRemoteTableView</name>
    <message>
        <source>Добавить пульт</source>
        <translation>Добавить пульт</translation>
    </message>
    <message>
        <source>Редактировать пульт</source>
        <translation>Редактировать пульт</translation>
    </message>
    <message>
        <source>Удалить пульт</source>
        <translation>Удалить пульт</translation>
    </message>
    <message>
        <source>Активировать пульт</source>
        <translation>Активировать пульт</translation>
    </message>
</context>
<context>
    <name>QTableCompare</name>
    <message>
        <source>Ошибка</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>резервная копия %1</source>
        <translation>резервная копия %1</translation>
    </message>
    <message>
        <source>Применение изменений к USB-stick...</source>
        <translation>Применение изменений к USB-stick...</translation>
    </message>
    <message>
        <source>Удаление пульта №%1</source>
        <translation>Удаление пульта №%1</translation>
    </message>
    <message>
        <source>Запись пульта №%1</source>
        <translation>Запись пульта №%1</translation>
    </message>
    <message>
        <source>выполнено %1 из %2</source>
        <translation>выполнено %1 из %2</translation>
    </message>
    <message>
        <source>Изменения применены к USB-stick: %1</source>
        <translation>Изменения применены к USB-stick: %1</translation>
    </message>
    <message>
        <source>Изменения применены не полностью: %1.</source>
        <translation>Изменения применены не полностью: %1.</translation>
    </message>
    <message>
        <source>Ни одно изменение не выполнено.</source>
        <translation>Ни одно изменение не выполнено.</translation>
    </message>
    <message>
        <source>Выполнены:</source>
        <translation>Выполнены:</translation>
    </message>
    <message>
        <source>Таблица на экране показывает пульты, которые содержит USB-stick.</source>
        <translation>Таблица на экране показывает пульты, которые содержит USB-stick.</translation>
    </message>
    <message>
        <source>Изменение, на которое не пришел ответ, могло быть выполнено: таблица USB-stick будет прочитана заново.</source>
        <translation>Изменение, на которое не пришел ответ, могло быть выполнено: таблица USB-stick будет прочитана заново.</translation>
    </message>
    <message>
        <source>Чтение данных с USB-stick...</source>
        <translation>Чтение данных с USB-stick...</translation>
    </message>
    <message>
        <source>Изменения не применены: в USB-stick ничего не изменено.</source>
        <translation>Изменения не применены: в USB-stick ничего не изменено.</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>Из USB-stick будет удалено пультов: %1, записано: %2. Продолжить?</source>
        <translation>Из USB-stick будет удалено пультов: %1, записано: %2. Продолжить?</translation>
    </message>
    <message>
        <source>Добавляется пультов: %1, свободно мест в USB-stick: %2, освободят удаления: %3.</source>
        <translation>Добавляется пультов: %1, свободно мест в USB-stick: %2, освободят удаления: %3.</translation>
    </message>
</context>
<context>
    <name>QTableCopy</name>
    <message>
        <source>Ошибка</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Информация</translation>
    </message>
    <message>
        <source>Операция копирования завершена успешно</source>
        <translation>Операция копирования завершена успешно</translation>
    </message>
    <message>
        <source>Операция копирования завершена с ошибкой</source>
        <translation>Операция копирования завершена с ошибкой</translation>
    </message>
    <message>
        <source>Чтение данных с USB-stick...</source>
        <translation>Чтение данных с USB-stick...</translation>
    </message>
    <message>
        <source>Очистка памяти исполнительного устройства...</source>
        <translation>Очистка памяти исполнительного устройства...</translation>
    </message>
    <message>
        <source>Копирование таблицы устройств из USB-stick в исполнительное устройство...</source>
        <translation>Копирование таблицы устройств из USB-stick в исполнительное устройство...</translation>
    </message>
    <message>
        <source>Определение размера таблицы пультов на исполнительном устройстве</source>
        <translation>Определение размера таблицы пультов на исполнительном устройстве</translation>
    </message>
    <message>
        <source>Копирование таблицы пультов из исполнительного устройства в USB-stick.</source>
        <translation>Копирование таблицы пультов из исполнительного устройства в USB-stick.</translation>
    </message>
    <message>
        <source>Ошибка чтения состояния памяти USB-sticka</source>
        <translation>Ошибка чтения состояния памяти USB-sticka</translation>
    </message>
    <message>
        <source>Чтение данных с устройства</source>
        <translation>Чтение данных с устройства</translation>
    </message>
    <message>
        <source>Ошибка чтения состояния памяти устройства</source>
        <translation>Ошибка чтения состояния памяти устройства</translation>
    </message>
    <message>
        <source>Копирование проверено: в USB-stick и в исполнительном устройстве по %1 пультов</source>
        <translation>Копирование проверено: в USB-stick и в исполнительном устройстве по %1 пультов</translation>
    </message>
    <message>
        <source>Проверка копирования</source>
        <translation>Проверка копирования</translation>
    </message>
    <message>
        <source>После копирования в исполнительном устройстве пультов: %1, в USB-stick: %2</source>
        <translation>После копирования в исполнительном устройстве пультов: %1, в USB-stick: %2</translation>
    </message>
    <message>
        <source>Проверка копирования...</source>
        <translation>Проверка копирования...</translation>
    </message>
    <message>
        <source>Не удалось прочитать состояние памяти для проверки копирования</source>
        <translation>Не удалось прочитать состояние памяти для проверки копирования</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>Таблица пультов исполнительного устройства будет стёрта и заменена таблицей USB-stick (пультов: %1). Продолжить?</source>
        <translation>Таблица пультов исполнительного устройства будет стёрта и заменена таблицей USB-stick (пультов: %1). Продолжить?</translation>
    </message>
    <message>
        <source>Таблица пультов исполнительного устройства будет стёрта и заменена таблицей USB-stick. Продолжить?</source>
        <translation>Таблица пультов исполнительного устройства будет стёрта и заменена таблицей USB-stick. Продолжить?</translation>
    </message>
    <message>
        <source>Таблица пультов USB-stick будет стёрта и заменена таблицей исполнительного устройства. Продолжить?</source>
        <translation>Таблица пультов USB-stick будет стёрта и заменена таблицей исполнительного устройства. Продолжить?</translation>
    </message>
    <message>
        <source>Таблица не скопирована: память исполнительного устройства не очищена.</source>
        <translation>Таблица не скопирована: память исполнительного устройства не очищена.</translation>
    </message>
    <message>
        <source>Пультов в USB-stick: %1, мест в памяти исполнительного устройства: %2.</source>
        <translation>Пультов в USB-stick: %1, мест в памяти исполнительного устройства: %2.</translation>
    </message>
    <message>
        <source>Таблица не скопирована: таблица USB-stick не изменена.</source>
        <translation>Таблица не скопирована: таблица USB-stick не изменена.</translation>
    </message>
    <message>
        <source>Пультов в исполнительном устройстве: %1, мест в памяти USB-stick: %2.</source>
        <translation>Пультов в исполнительном устройстве: %1, мест в памяти USB-stick: %2.</translation>
    </message>
</context>
<context>
    <name>QTableCsv</name>
    <message>
        <source>Ошибка</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Экспорт таблицы в CSV</source>
        <translation>Экспорт таблицы в CSV</translation>
    </message>
    <message>
        <source>Ошибка открытия файла </source>
        <translation>Ошибка открытия файла </translation>
    </message>
    <message>
        <source>Таблица экспортирована в %1</source>
        <translation>Таблица экспортирована в %1</translation>
    </message>
    <message>
        <source>Импорт таблицы из CSV</source>
        <translation>Импорт таблицы из CSV</translation>
    </message>
    <message>
        <source>Таблица не экспортирована: ошибка записи файла %1</source>
        <translation>Таблица не экспортирована: ошибка записи файла %1</translation>
    </message>
    <message>
        <source>Импорт из CSV</source>
        <translation>Импорт из CSV</translation>
    </message>
    <message>
        <source>Таблица на экране не сохранена в файл. Импорт заменит ее. Продолжить?</source>
        <translation>Таблица на экране не сохранена в файл. Импорт заменит ее. Продолжить?</translation>
    </message>
</context>
<context>
    <name>QTableFiles</name>
    <message>
        <source>Выбор файла json</source>
        <translation>Выбор файла json</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Ошибка системы резервного копирования</source>
        <translation>Ошибка системы резервного копирования</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>База данных не сохранена в файл. Хотите ее сохранить перед выходом?</source>
        <translation>База данных не сохранена в файл. Хотите ее сохранить перед выходом?</translation>
    </message>
    <message>
        <source>Вы действительно хотите выйти из программы?</source>
        <translation>Вы действительно хотите выйти из программы?</translation>
    </message>
    <message>
        <source>Папка %1 не создаётся</source>
        <translation>Папка %1 не создаётся</translation>
    </message>
    <message>
        <source>исполнительного устройства</source>
        <translation>исполнительного устройства</translation>
    </message>
    <message>
        <source>USB-stick</source>
        <translation>USB-stick</translation>
    </message>
    <message>
        <source>Не удалось сохранить резервную копию таблицы %1, которая была бы заменена.</source>
        <translation>Не удалось сохранить резервную копию таблицы %1, которая была бы заменена.</translation>
    </message>
    <message>
        <source>Освободите место на диске или разрешите запись в папку %1 и повторите.</source>
        <translation>Освободите место на диске или разрешите запись в папку %1 и повторите.</translation>
    </message>
</context>
<context>
    <name>QTableTransfers</name>
    <message>
        <source>Ошибка</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Очистка памяти в USB-stick...</source>
        <translation>Очистка памяти в USB-stick...</translation>
    </message>
    <message>
        <source>Ошибка чтения списка пультов с USB-stick</source>
        <translation>Ошибка чтения списка пультов с USB-stick</translation>
    </message>
    <message>
        <source>Чтение данных с USB-stick...</source>
        <translation>Чтение данных с USB-stick...</translation>
    </message>
    <message>
        <source>Чтение пультов с USB-stick...</source>
        <translation>Чтение пультов с USB-stick...</translation>
    </message>
    <message>
        <source>Очистка памяти USB-stick...</source>
        <translation>Очистка памяти USB-stick...</translation>
    </message>
    <message>
        <source>Запись пультов на USB-stick...</source>
        <translation>Запись пультов на USB-stick...</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>Вы действительно хотите очистить память USB-stick и исполнительного устройства</source>
        <translation>Вы действительно хотите очистить память USB-stick и исполнительного устройства</translation>
    </message>
    <message>
        <source>Ошибка очистки памяти USB-stick.</source>
        <translation>Ошибка очистки памяти USB-stick.</translation>
    </message>
    <message>
        <source>Проверка записи</source>
        <translation>Проверка записи</translation>
    </message>
    <message>
        <source>Не удалось прочитать таблицу USB-stick для проверки записи</source>
        <translation>Не удалось прочитать таблицу USB-stick для проверки записи</translation>
    </message>
    <message>
        <source>Запись проверена: таблица USB-stick совпадает с записанной</source>
        <translation>Запись проверена: таблица USB-stick совпадает с записанной</translation>
    </message>
    <message>
        <source>Таблица USB-stick после записи отличается от записанной:</source>
        <translation>Таблица USB-stick после записи отличается от записанной:</translation>
    </message>
    <message>
        <source>записано %1 из %2</source>
        <translation>записано %1 из %2</translation>
    </message>
    <message>
        <source>при проверке найдено отличий: %1</source>
        <translation>при проверке найдено отличий: %1</translation>
    </message>
    <message>
        <source>USB-stick</source>
        <translation>USB-stick</translation>
    </message>
    <message>
        <source>USB-stick и исполнительное устройство</source>
        <translation>USB-stick и исполнительное устройство</translation>
    </message>
    <message>
        <source>На USB-stick возвращена прежняя таблица</source>
        <translation>На USB-stick возвращена прежняя таблица</translation>
    </message>
    <message>
        <source>Таблица пультов не записана в USB-stick: в нём может остаться только её часть.</source>
        <translation>Таблица пультов не записана в USB-stick: в нём может остаться только её часть.</translation>
    </message>
    <message>
        <source>Таблица пуста: все пульты будут удалены из USB-stick. Продолжить?</source>
        <translation>Таблица пуста: все пульты будут удалены из USB-stick. Продолжить?</translation>
    </message>
    <message>
        <source>Таблица USB-stick будет стёрта и записана заново. После записи в USB-stick будет пультов: %1. Продолжить?</source>
        <translation>Таблица USB-stick будет стёрта и записана заново. После записи в USB-stick будет пультов: %1. Продолжить?</translation>
    </message>
    <message>
        <source>Таблица USB-stick очищена: в нём нет пультов</source>
        <translation>Таблица USB-stick очищена: в нём нет пультов</translation>
    </message>
    <message>
        <source>Таблица записана в USB-stick, пультов: %1 (без проверки)</source>
        <translation>Таблица записана в USB-stick, пультов: %1 (без проверки)</translation>
    </message>
    <message>
        <source>Память USB-stick очищена</source>
        <translation>Память USB-stick очищена</translation>
    </message>
    <message>
        <source>Память USB-stick и исполнительного устройства очищена</source>
        <translation>Память USB-stick и исполнительного устройства очищена</translation>
    </message>
    <message>
        <source>Пультов в таблице: %1, мест в памяти USB-stick: %2.</source>
        <translation>Пультов в таблице: %1, мест в памяти USB-stick: %2.</translation>
    </message>
    <message>
        <source>Таблица не записана в USB-stick: его память не очищена.</source>
        <translation>Таблица не записана в USB-stick: его память не очищена.</translation>
    </message>
    <message>
        <source>Память USB-stick не очищена.</source>
        <translation>Память USB-stick не очищена.</translation>
    </message>
    <message>
        <source>Прежняя таблица не возвращена на USB-stick: в нём может остаться только часть таблицы. Прежняя таблица сохранена в резервной копии</source>
        <translation>Прежняя таблица не возвращена на USB-stick: в нём может остаться только часть таблицы. Прежняя таблица сохранена в резервной копии</translation>
    </message>
</context>
<context>
    <name>QUpdateChangesDialog</name>
    <message>
        <source>Добавлено:</source>
        <translation>Добавлено:</translation>
    </message>
    <message>
        <source>Изменено:</source>
        <translation>Изменено:</translation>
    </message>
    <message>
        <source>Исправлено:</source>
        <translation>Исправлено:</translation>
    </message>
    <message>
        <source>Удалено:</source>
        <translation>Удалено:</translation>
    </message>
    <message>
        <source>Прочее:</source>
        <translation>Прочее:</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Установить обновление программного обеспечения из интернета?</source>
        <translation>Установить обновление программного обеспечения из интернета?</translation>
    </message>
</context>
<context>
    <name>QUpdateController</name>
    <message>
        <source>Доступно интернет-обновление программы. Чтобы приступить к обновлению, нажмите здесь клавишей мыши</source>
        <translation>Доступно интернет-обновление программы. Чтобы приступить к обновлению, нажмите здесь клавишей мыши</translation>
    </message>
    <message>
        <source>Доступно интернет-обновление прошивки USB-stick 5813. Чтобы приступить к обновлению, нажмите здесь клавишей мыши</source>
        <translation>Доступно интернет-обновление прошивки USB-stick 5813. Чтобы приступить к обновлению, нажмите здесь клавишей мыши</translation>
    </message>
    <message>
        <source>Доступно интернет-обновление прошивки исполнительного устройства. Чтобы приступить к обновлению, нажмите здесь клавишей мыши</source>
        <translation>Доступно интернет-обновление прошивки исполнительного устройства. Чтобы приступить к обновлению, нажмите здесь клавишей мыши</translation>
    </message>
    <message>
        <source>: Ошибка сети</source>
        <translation>: Ошибка сети</translation>
    </message>
    <message>
        <source>Нет связи с сервером. Невозможно проверить необходимость обновления программы</source>
        <translation>Нет связи с сервером. Невозможно проверить необходимость обновления программы</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Адрес сервера обновлений %1 отклонён: обновления загружаются только по защищённому соединению (https://).</source>
        <translation>Адрес сервера обновлений %1 отклонён: обновления загружаются только по защищённому соединению (https://).</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Информация</translation>
    </message>
    <message>
        <source>Сервер обновлений не настроен.</source>
        <translation>Сервер обновлений не настроен.</translation>
    </message>
    <message>
        <source>Получение сведений об обновлениях из интернета...</source>
        <translation>Получение сведений об обновлениях из интернета...</translation>
    </message>
    <message>
        <source>Ошибка загрузки сведений об обновлении с сервера. Проверьте ваше подключение к интернету</source>
        <translation>Ошибка загрузки сведений об обновлении с сервера. Проверьте ваше подключение к интернету</translation>
    </message>
    <message>
        <source>Операция обновления программного обеспечения невозможна во время обмена данным с usb-stick либо исполнительным устройством</source>
        <translation>Операция обновления программного обеспечения невозможна во время обмена данным с usb-stick либо исполнительным устройством</translation>
    </message>
    <message>
        <source>Изменения, реализованные в новой версии прошивки USB-stick:&lt;br&gt;</source>
        <translation>Изменения, реализованные в новой версии прошивки USB-stick:&lt;br&gt;</translation>
    </message>
    <message>
        <source>Изменения, реализованные в новой версии прошивки исполнительного устройства:&lt;br&gt;</source>
        <translation>Изменения, реализованные в новой версии прошивки исполнительного устройства:&lt;br&gt;</translation>
    </message>
    <message>
        <source>Изменения, реализованные в новой версии программы </source>
        <translation>Изменения, реализованные в новой версии программы </translation>
    </message>
    <message>
        <source>У вас последняя версия программы.</source>
        <translation>У вас последняя версия программы.</translation>
    </message>
    <message>
        <source>Уже установлена последняя версия прошивки.</source>
        <translation>Уже установлена последняя версия прошивки.</translation>
    </message>
    <message>
        <source>Загрузка обновления программы из интернета...</source>
        <translation>Загрузка обновления программы из интернета...</translation>
    </message>
    <message>
        <source>Ошибка загрузки обновления с сервера. Проверьте ваше подключение к интернету</source>
        <translation>Ошибка загрузки обновления с сервера. Проверьте ваше подключение к интернету</translation>
    </message>
    <message>
        <source>Ошибка загрузки прошивки из файла</source>
        <translation>Ошибка загрузки прошивки из файла</translation>
    </message>
    <message>
        <source>Прошивка не записана. Загруженный файл сохранён: %1</source>
        <translation>Прошивка не записана. Загруженный файл сохранён: %1</translation>
    </message>
    <message>
        <source>Ключ проверки подписи обновлений не распознан: нужна строка открытого ключа minisign. Обновления не загружаются.</source>
        <translation>Ключ проверки подписи обновлений не распознан: нужна строка открытого ключа minisign. Обновления не загружаются.</translation>
    </message>
    <message>
        <source>Ключ проверки подписи обновлений не задан: обновления не загружаются.</source>
        <translation>Ключ проверки подписи обновлений не задан: обновления не загружаются.</translation>
    </message>
    <message>
        <source>Сведения об обновлении с сервера не прошли проверку подписи и не приняты.</source>
        <translation>Сведения об обновлении с сервера не прошли проверку подписи и не приняты.</translation>
    </message>
    <message>
        <source>Файл %1 с сервера обновлений не прошёл проверку подписи и удалён. Ничего не установлено.</source>
        <translation>Файл %1 с сервера обновлений не прошёл проверку подписи и удалён. Ничего не установлено.</translation>
    </message>
    <message>
        <source>Файл подписан ключом %1, которому программа не доверяет. Кроме встроенного ключа, доверенные ключи берутся только из %2, куда может писать лишь администратор.</source>
        <translation>Файл подписан ключом %1, которому программа не доверяет. Кроме встроенного ключа, доверенные ключи берутся только из %2, куда может писать лишь администратор.</translation>
    </message>
    <message>
        <source>Сведения об обновлении с сервера старше уже полученных ранее и не приняты.</source>
        <translation>Сведения об обновлении с сервера старше уже полученных ранее и не приняты.</translation>
    </message>
    <message>
        <source>Программа с сервера обновлений (версия %1) не новее установленной (%2) и удалена. Ничего не установлено.</source>
        <translation>Программа с сервера обновлений (версия %1) не новее установленной (%2) и удалена. Ничего не установлено.</translation>
    </message>
    <message>
        <source>не указана</source>
        <translation>не указана</translation>
    </message>
    <message>
        <source>Сведения на сервере обновлений устарели: они подписаны %1, более %2 дней назад. Более новые версии могут быть от вас скрыты; сообщите об этом поставщику.</source>
        <translation>Сведения на сервере обновлений устарели: они подписаны %1, более %2 дней назад. Более новые версии могут быть от вас скрыты; сообщите об этом поставщику.</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>Загруженный файл прошивки сохранён: %1
Его можно записать снова командой «%2».</source>
        <translation>Загруженный файл прошивки сохранён: %1
Его можно записать снова командой «%2».</translation>
    </message>
    <message>
        <source>Обновить прошивку USB-stick из файла...</source>
        <translation>Обновить прошивку USB-stick из файла...</translation>
    </message>
    <message>
        <source>Обновить прошивку исполнительного устройства из файла...</source>
        <translation>Обновить прошивку исполнительного устройства из файла...</translation>
    </message>
    <message>
        <source>Ключ в настройках пользователя не принимается: кроме встроенного ключа, доверенные ключи берутся только из %1, куда может писать лишь администратор.</source>
        <translation>Ключ в настройках пользователя не принимается: кроме встроенного ключа, доверенные ключи берутся только из %1, куда может писать лишь администратор.</translation>
    </message>
</context>
<context>
    <name>QUpdateManager</name>
    <message>
        <source>Версия </source>
        <translation>Версия </translation>
    </message>
</context>
<context>
    <name>QUpdateNotice</name>
    <message>
        <source>Скрыть</source>
        <translation>Скрыть</translation>
    </message>
</context>
<context>
    <name>QWaitDialog</name>
    <message>
        <source>Пожалуйста, подождите</source>
        <translation>Пожалуйста, подождите</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Операцию нельзя прервать: дождитесь её окончания</source>
        <translation>Операцию нельзя прервать: дождитесь её окончания</translation>
    </message>
</context>
<context>
    <name>SiteBackupsDialog</name>
    <message>
        <source>Без объекта</source>
        <translation>Без объекта</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Резервная копия</source>
        <translation>Резервная копия</translation>
    </message>
    <message>
        <source>Отнести к объекту...</source>
        <translation>Отнести к объекту...</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Объектов пока нет: создайте объект в списке объектов.</source>
        <translation>Объектов пока нет: создайте объект в списке объектов.</translation>
    </message>
    <message>
        <source>Резервных копий: %1. К какому объекту их отнести?</source>
        <translation>Резервных копий: %1. К какому объекту их отнести?</translation>
    </message>
    <message>
        <source>Не отнесены к объекту:</source>
        <translation>Не отнесены к объекту:</translation>
    </message>
</context>
<context>
    <name>SiteEditDialog</name>
    <message>
        <source>Новый объект</source>
        <translation>Новый объект</translation>
    </message>
    <message>
        <source>Объект «%1»</source>
        <translation>Объект «%1»</translation>
    </message>
    <message>
        <source>Название:</source>
        <translation>Название:</translation>
    </message>
    <message>
        <source>Адрес или заказчик:</source>
        <translation>Адрес или заказчик:</translation>
    </message>
    <message>
        <source>Заметки:</source>
        <translation>Заметки:</translation>
    </message>
</context>
<context>
    <name>SiteHistoryDialog</name>
    <message>
        <source>снимок %1 (%2)</source>
        <translation>снимок %1 (%2)</translation>
    </message>
    <message>
        <source>Сравнение снимков</source>
        <translation>Сравнение снимков</translation>
    </message>
    <message>
        <source>Первый: %1
Второй: %2</source>
        <translation>Первый: %1
Второй: %2</translation>
    </message>
    <message>
        <source>В первом</source>
        <translation>В первом</translation>
    </message>
    <message>
        <source>Во втором</source>
        <translation>Во втором</translation>
    </message>
    <message>
        <source>Только в первом</source>
        <translation>Только в первом</translation>
    </message>
    <message>
        <source>Только во втором</source>
        <translation>Только во втором</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Действие</source>
        <translation>Действие</translation>
    </message>
    <message>
        <source>Компьютер</source>
        <translation>Компьютер</translation>
    </message>
    <message>
        <source>Пультов</source>
        <translation>Пультов</translation>
    </message>
    <message>
        <source>Добавлено</source>
        <translation>Добавлено</translation>
    </message>
    <message>
        <source>Удалено</source>
        <translation>Удалено</translation>
    </message>
    <message>
        <source>Изменено</source>
        <translation>Изменено</translation>
    </message>
    <message>
        <source>Сравнить</source>
        <translation>Сравнить</translation>
    </message>
    <message>
        <source>Два выбранных снимка, или выбранный и предыдущий</source>
        <translation>Два выбранных снимка, или выбранный и предыдущий</translation>
    </message>
    <message>
        <source>Восстановить...</source>
        <translation>Восстановить...</translation>
    </message>
    <message>
        <source>Записать в USB-stick таблицу выбранного снимка</source>
        <translation>Записать в USB-stick таблицу выбранного снимка</translation>
    </message>
    <message>
        <source>Отчёт...</source>
        <translation>Отчёт...</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>История объекта «%1»</source>
        <translation>История объекта «%1»</translation>
    </message>
    <message>
        <source>таблица не читается</source>
        <translation>таблица не читается</translation>
    </message>
    <message>
        <source>Восстановление</source>
        <translation>Восстановление</translation>
    </message>
    <message>
        <source>Подключённый USB-stick относится к объекту «%1», а снимок — к объекту «%2». Всё равно сравнить и восстановить?</source>
        <translation>Подключённый USB-stick относится к объекту «%1», а снимок — к объекту «%2». Всё равно сравнить и восстановить?</translation>
    </message>
    <message>
        <source>Объект подключённого USB-stick не известен, а снимок относится к объекту «%1». Всё равно сравнить и восстановить?</source>
        <translation>Объект подключённого USB-stick не известен, а снимок относится к объекту «%1». Всё равно сравнить и восстановить?</translation>
    </message>
    <message>
        <source>Только в первом: %1, только во втором: %2, отличаются: %3</source>
        <translation>Только в первом: %1, только во втором: %2, отличаются: %3</translation>
    </message>
</context>
<context>
    <name>SiteIndex</name>
    <message>
        <source>Не удалось открыть указатель объектов %1: %2</source>
        <translation>Не удалось открыть указатель объектов %1: %2</translation>
    </message>
    <message>
        <source>папка не создаётся</source>
        <translation>папка не создаётся</translation>
    </message>
    <message>
        <source>старый указатель не удаляется</source>
        <translation>старый указатель не удаляется</translation>
    </message>
    <message>
        <source>Прервано</source>
        <translation>Прервано</translation>
    </message>
</context>
<context>
    <name>SiteLibrary</name>
    <message>
        <source>Ошибка записи файла %1: %2</source>
        <translation>Ошибка записи файла %1: %2</translation>
    </message>
    <message>
        <source>Чтение таблицы</source>
        <translation>Чтение таблицы</translation>
    </message>
    <message>
        <source>Запись таблицы</source>
        <translation>Запись таблицы</translation>
    </message>
    <message>
        <source>Применение изменений</source>
        <translation>Применение изменений</translation>
    </message>
    <message>
        <source>Чтение параметров</source>
        <translation>Чтение параметров</translation>
    </message>
    <message>
        <source>Запись параметров</source>
        <translation>Запись параметров</translation>
    </message>
    <message>
        <source>Резервная копия</source>
        <translation>Резервная копия</translation>
    </message>
    <message>
        <source>Восстановление</source>
        <translation>Восстановление</translation>
    </message>
    <message>
        <source>Ошибка открытия файла %1: %2</source>
        <translation>Ошибка открытия файла %1: %2</translation>
    </message>
    <message>
        <source>Неверный формат файла %1</source>
        <translation>Неверный формат файла %1</translation>
    </message>
    <message>
        <source>У объекта нет названия</source>
        <translation>У объекта нет названия</translation>
    </message>
    <message>
        <source>Папка %1 не создаётся</source>
        <translation>Папка %1 не создаётся</translation>
    </message>
    <message>
        <source>Нет объекта «%1»</source>
        <translation>Нет объекта «%1»</translation>
    </message>
    <message>
        <source>Ошибка записи снимка в папку %1</source>
        <translation>Ошибка записи снимка в папку %1</translation>
    </message>
    <message>
        <source>Папка %1 удаляется не полностью</source>
        <translation>Папка %1 удаляется не полностью</translation>
    </message>
</context>
<context>
    <name>SiteListDialog</name>
    <message>
        <source>Объекты</source>
        <translation>Объекты</translation>
    </message>
    <message>
        <source>Объект</source>
        <translation>Объект</translation>
    </message>
    <message>
        <source>Адрес или заказчик</source>
        <translation>Адрес или заказчик</translation>
    </message>
    <message>
        <source>Снимков</source>
        <translation>Снимков</translation>
    </message>
    <message>
        <source>Последний снимок</source>
        <translation>Последний снимок</translation>
    </message>
    <message>
        <source>Создать...</source>
        <translation>Создать...</translation>
    </message>
    <message>
        <source>Изменить...</source>
        <translation>Изменить...</translation>
    </message>
    <message>
        <source>Удалить...</source>
        <translation>Удалить...</translation>
    </message>
    <message>
        <source>История...</source>
        <translation>История...</translation>
    </message>
    <message>
        <source>Объект USB-stick</source>
        <translation>Объект USB-stick</translation>
    </message>
    <message>
        <source>Подключённый USB-stick относится к этому объекту</source>
        <translation>Подключённый USB-stick относится к этому объекту</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Новый объект</source>
        <translation>Новый объект</translation>
    </message>
    <message>
        <source>Объект «%1» уже есть.</source>
        <translation>Объект «%1» уже есть.</translation>
    </message>
    <message>
        <source>Удаление объекта</source>
        <translation>Удаление объекта</translation>
    </message>
    <message>
        <source>Удалить объект «%1» со всеми его снимками (%2)? Это нельзя отменить.</source>
        <translation>Удалить объект «%1» со всеми его снимками (%2)? Это нельзя отменить.</translation>
    </message>
</context>
<context>
    <name>SiteRecorder</name>
    <message>
        <source>Объект не определён: %1</source>
        <translation>Объект не определён: %1</translation>
    </message>
    <message>
        <source>%1 (общих пультов: %2 из %3)</source>
        <translation>%1 (общих пультов: %2 из %3)</translation>
    </message>
    <message>
        <source>Новый объект</source>
        <translation>Новый объект</translation>
    </message>
    <message>
        <source>Не сейчас</source>
        <translation>Не сейчас</translation>
    </message>
    <message>
        <source>Объект</source>
        <translation>Объект</translation>
    </message>
    <message>
        <source>USB-stick не относится ни к одному известному объекту. Где он установлен?</source>
        <translation>USB-stick не относится ни к одному известному объекту. Где он установлен?</translation>
    </message>
    <message>
        <source>К какому объекту относится подключённый USB-stick?</source>
        <translation>К какому объекту относится подключённый USB-stick?</translation>
    </message>
    <message>
        <source>Название объекта:</source>
        <translation>Название объекта:</translation>
    </message>
    <message>
        <source>Снимок не сохранён в объекте «%1»: таблица USB-stick не известна</source>
        <translation>Снимок не сохранён в объекте «%1»: таблица USB-stick не известна</translation>
    </message>
    <message>
        <source>Снимок не сохранён в объекте «%1»: %2</source>
        <translation>Снимок не сохранён в объекте «%1»: %2</translation>
    </message>
</context>
<context>
    <name>SiteReport</name>
    <message>
        <source>Ни один снимок объекта «%1» не читается</source>
        <translation>Ни один снимок объекта «%1» не читается</translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Примечания</source>
        <translation>Примечания</translation>
    </message>
    <message>
        <source>Версии прошивок</source>
        <translation>Версии прошивок</translation>
    </message>
    <message>
        <source>неизвестна</source>
        <translation>неизвестна</translation>
    </message>
    <message>
        <source>USB-stick</source>
        <translation>USB-stick</translation>
    </message>
    <message>
        <source>Исполнительное устройство</source>
        <translation>Исполнительное устройство</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства</source>
        <translation>Параметры исполнительного устройства</translation>
    </message>
    <message>
        <source>Параметры не читались</source>
        <translation>Параметры не читались</translation>
    </message>
    <message>
        <source>Пульты</source>
        <translation>Пульты</translation>
    </message>
    <message>
        <source>Номер</source>
        <translation>Номер</translation>
    </message>
    <message>
        <source>Владелец</source>
        <translation>Владелец</translation>
    </message>
    <message>
        <source>Группа</source>
        <translation>Группа</translation>
    </message>
    <message>
        <source>Состояние</source>
        <translation>Состояние</translation>
    </message>
    <message>
        <source>Режим работы</source>
        <translation>Режим работы</translation>
    </message>
    <message>
        <source>пешеходный</source>
        <translation>пешеходный</translation>
    </message>
    <message>
        <source>обычный</source>
        <translation>обычный</translation>
    </message>
    <message>
        <source>Последние изменения</source>
        <translation>Последние изменения</translation>
    </message>
    <message>
        <source>Снимков нет</source>
        <translation>Снимков нет</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Действие</source>
        <translation>Действие</translation>
    </message>
    <message>
        <source>Компьютер</source>
        <translation>Компьютер</translation>
    </message>
    <message>
        <source>Добавлено</source>
        <translation>Добавлено</translation>
    </message>
    <message>
        <source>Удалено</source>
        <translation>Удалено</translation>
    </message>
    <message>
        <source>Изменено</source>
        <translation>Изменено</translation>
    </message>
    <message>
        <source>не читается</source>
        <translation>не читается</translation>
    </message>
    <message>
        <source>Ошибка записи файла %1: %2</source>
        <translation>Ошибка записи файла %1: %2</translation>
    </message>
    <message>
        <source>Объект «%1»</source>
        <translation>Объект «%1»</translation>
    </message>
    <message>
        <source>Ошибка записи файла %1</source>
        <translation>Ошибка записи файла %1</translation>
    </message>
    <message>
        <source>Параметр</source>
        <translation>Параметр</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Известно с</source>
        <translation>Известно с</translation>
    </message>
</context>
<context>
    <name>SiteSearchDialog</name>
    <message>
        <source>Найти пульт</source>
        <translation>Найти пульт</translation>
    </message>
    <message>
        <source>Номер пульта или часть имени владельца</source>
        <translation>Номер пульта или часть имени владельца</translation>
    </message>
    <message>
        <source>Найти</source>
        <translation>Найти</translation>
    </message>
    <message>
        <source>Объект</source>
        <translation>Объект</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Пульт</translation>
    </message>
    <message>
        <source>Владелец</source>
        <translation>Владелец</translation>
    </message>
    <message>
        <source>Первый снимок</source>
        <translation>Первый снимок</translation>
    </message>
    <message>
        <source>Последний снимок</source>
        <translation>Последний снимок</translation>
    </message>
    <message>
        <source>Сейчас</source>
        <translation>Сейчас</translation>
    </message>
    <message>
        <source>Открыть объект</source>
        <translation>Открыть объект</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>есть</source>
        <translation>есть</translation>
    </message>
    <message>
        <source>удалён</source>
        <translation>удалён</translation>
    </message>
    <message>
        <source>Не найдено ни одного пульта.</source>
        <translation>Не найдено ни одного пульта.</translation>
    </message>
    <message>
        <source>Найдено больше %1 пультов; уточните запрос.</source>
        <translation>Найдено больше %1 пультов; уточните запрос.</translation>
    </message>
    <message>
        <source>Найдено пультов: %1</source>
        <translation>Найдено пультов: %1</translation>
    </message>
</context>
<context>
    <name>SitesMenu</name>
    <message>
        <source>Объекты</source>
        <translation>Объекты</translation>
    </message>
    <message>
        <source>Список объектов не прочитан: %1</source>
        <translation>Список объектов не прочитан: %1</translation>
    </message>
    <message>
        <source>Отчёт</source>
        <translation>Отчёт</translation>
    </message>
    <message>
        <source>Объектов пока нет.</source>
        <translation>Объектов пока нет.</translation>
    </message>
    <message>
        <source>Отчёт об объекте:</source>
        <translation>Отчёт об объекте:</translation>
    </message>
    <message>
        <source>Отчёт об объекте «%1»</source>
        <translation>Отчёт об объекте «%1»</translation>
    </message>
    <message>
        <source>Документ PDF (*.pdf)</source>
        <translation>Документ PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Отчёт сохранён: %1</source>
        <translation>Отчёт сохранён: %1</translation>
    </message>
    <message>
        <source>Объекты...</source>
        <translation>Объекты...</translation>
    </message>
    <message>
        <source>Найти пульт...</source>
        <translation>Найти пульт...</translation>
    </message>
    <message>
        <source>Отчёт...</source>
        <translation>Отчёт...</translation>
    </message>
    <message>
        <source>Без объекта...</source>
        <translation>Без объекта...</translation>
    </message>
    <message>
        <source>Объект: %1</source>
        <translation>Объект: %1</translation>
    </message>
    <message>
        <source>Объект не выбран</source>
        <translation>Объект не выбран</translation>
    </message>
    <message>
        <source>Объект подключённого USB-stick...</source>
        <translation>Объект подключённого USB-stick...</translation>
    </message>
</context>
<context>
    <name>TableCheck</name>
    <message>
        <source>владелец содержит нулевой символ</source>
        <translation>владелец содержит нулевой символ</translation>
    </message>
    <message>
        <source>№%1, владелец «%2»</source>
        <translation>№%1, владелец «%2»</translation>
    </message>
    <message>
        <source>Пультов, которые записи USB-stick не могут хранить без изменений: %1. Первые из них:</source>
        <translation>Пультов, которые записи USB-stick не могут хранить без изменений: %1. Первые из них:</translation>
    </message>
    <message>
        <source>номер вне диапазона 0..%1</source>
        <translation>номер вне диапазона 0..%1</translation>
    </message>
    <message>
        <source>... и еще %1</source>
        <translation>... и еще %1</translation>
    </message>
</context>
</TS>

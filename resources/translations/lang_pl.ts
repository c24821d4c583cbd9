<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl" sourcelanguage="ru_RU">
<context>
    <name>MainWindow</name>
    <message>
        <source>Пульты</source>
        <translation>Piloty</translation>
    </message>
    <message>
        <source>Поиск по владельцу</source>
        <translation>Szukaj według właściciela</translation>
    </message>
    <message>
        <source>Вставьте USB-stick...</source>
        <translation>Włóż USB-stick...</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Pilot</translation>
    </message>
    <message>
        <source>Владелец</source>
        <translation>Właściciel</translation>
    </message>
    <message>
        <source>Статус</source>
        <translation>Stan</translation>
    </message>
    <message>
        <source>Группа</source>
        <translation>Grupa</translation>
    </message>
    <message>
        <source>Определить пульт</source>
        <translation>Rozpoznaj pilota</translation>
    </message>
    <message>
        <source>Добавить пульт</source>
        <translation>Dodaj pilota</translation>
    </message>
    <message>
        <source>Редактировать пульт</source>
        <translation>Edytuj pilota</translation>
    </message>
    <message>
        <source>Удалить пульт</source>
        <translation>Usuń pilota</translation>
    </message>
    <message>
        <source>Активировать пульт</source>
        <translation>Aktywuj pilota</translation>
    </message>
    <message>
        <source>Параметры ИУ</source>
        <translation>Parametry urządzenia</translation>
    </message>
    <message>
        <source>Значение параметра</source>
        <translation>Wartość parametru</translation>
    </message>
    <message>
        <source>Загрузить из устройства</source>
        <translation>Odczytaj z urządzenia</translation>
    </message>
    <message>
        <source>Сохранить в устройство</source>
        <translation>Zapisz w urządzeniu</translation>
    </message>
    <message>
        <source>Восстановить из устройства</source>
        <translation>Przywróć z urządzenia</translation>
    </message>
    <message>
        <source>Применить в устройстве</source>
        <translation>Zastosuj w urządzeniu</translation>
    </message>
    <message>
        <source>Восстановить заводские</source>
        <translation>Przywróć fabryczne</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>Plik</translation>
    </message>
    <message>
        <source>Система контроля</source>
        <translation>System sterowania</translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation>Ustawienia</translation>
    </message>
    <message>
        <source>Режим работы</source>
        <translation>Tryb pracy</translation>
    </message>
    <message>
        <source>Расширенные</source>
        <translation>Zaawansowane</translation>
    </message>
    <message>
        <source>Обновление</source>
        <translation>Aktualizacja</translation>
    </message>
    <message>
        <source>Язык программы</source>
        <translation>Język programu</translation>
    </message>
    <message>
        <source>Автономия от БУ</source>
        <translation>Autonomia od jednostki sterującej</translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation>Pomoc</translation>
    </message>
    <message>
        <source>Загрузить...</source>
        <translation>Otwórz...</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Zapisz</translation>
    </message>
    <message>
        <source>Сохранить как...</source>
        <translation>Zapisz jako...</translation>
    </message>
    <message>
        <source>Восстановить резервную копию...</source>
        <translation>Przywróć kopię zapasową...</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Zakończ</translation>
    </message>
    <message>
        <source>Загрузить из USB-stick</source>
        <translation>Odczytaj z USB-stick</translation>
    </message>
    <message>
        <source>Сохранить в USB-stick</source>
        <translation>Zapisz w USB-stick</translation>
    </message>
    <message>
        <source>Сохранить USB-stick в устройство</source>
        <translation>Skopiuj USB-stick do urządzenia</translation>
    </message>
    <message>
        <source>Загрузить USB-stick из устройства</source>
        <translation>Skopiuj urządzenie do USB-stick</translation>
    </message>
    <message>
        <source>Полная очистка памяти</source>
        <translation>Pełne czyszczenie pamięci</translation>
    </message>
    <message>
        <source>Состояние памяти</source>
        <translation>Stan pamięci</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Wersja oprogramowania</translation>
    </message>
    <message>
        <source>Пользователь</source>
        <translation>Użytkownik</translation>
    </message>
    <message>
        <source>Администратор</source>
        <translation>Administrator</translation>
    </message>
    <message>
        <source>Установить новый пароль</source>
        <translation>Ustaw nowe hasło</translation>
    </message>
    <message>
        <source>Сбросить текущий пароль</source>
        <translation>Usuń bieżące hasło</translation>
    </message>
    <message>
        <source>Сбросить забытый пароль</source>
        <translation>Zresetuj zapomniane hasło</translation>
    </message>
    <message>
        <source>Сменить пароль</source>
        <translation>Zmień hasło</translation>
    </message>
    <message>
        <source>Обновить программу</source>
        <translation>Aktualizuj program</translation>
    </message>
    <message>
        <source>Обновить прошивку USB-stick</source>
        <translation>Aktualizuj oprogramowanie USB-stick</translation>
    </message>
    <message>
        <source>Обновить прошивку исполнительного устройства</source>
        <translation>Aktualizuj oprogramowanie urządzenia wykonawczego</translation>
    </message>
    <message>
        <source>Обновить прошивку USB-stick из файла...</source>
        <translation>Aktualizuj oprogramowanie USB-stick z pliku...</translation>
    </message>
    <message>
        <source>Обновить прошивку исполнительного устройства из файла...</source>
        <translation>Aktualizuj oprogramowanie urządzenia wykonawczego z pliku...</translation>
    </message>
    <message>
        <source>О программе...</source>
        <translation>O programie...</translation>
    </message>
    <message>
        <source>Как работать с программой</source>
        <translation>Jak korzystać z programu</translation>
    </message>
    <message>
        <source>Автономный режим</source>
        <translation>Tryb autonomiczny</translation>
    </message>
    <message>
        <source>Автономный перенос пультов с USB-stick на ИУ</source>
        <translation>Autonomiczne przenoszenie pilotów z USB-stick do urządzenia wykonawczego</translation>
    </message>
    <message>
        <source>Автономное обновление прошивки ИУ с USB-stick</source>
        <translation>Autonomiczna aktualizacja oprogramowania urządzenia wykonawczego z USB-stick</translation>
    </message>
    <message>
        <source>Автономное изменение параметров ИУ с USB-stick</source>
        <translation>Autonomiczna zmiana parametrów urządzenia wykonawczego z USB-stick</translation>
    </message>
    <message>
        <source>Активен</source>
        <translation>Aktywny</translation>
    </message>
    <message>
        <source>Заблокирован</source>
        <translation>Zablokowany</translation>
    </message>
    <message>
        <source>Заблокировать пульт</source>
        <translation>Zablokuj pilota</translation>
    </message>
    <message>
        <source>Информация о владельце пульта содержит символы, которые USB-stick не может сохранить: %1</source>
        <translation>Informacje o właścicielu pilota zawierają znaki, których USB-stick nie może zapisać: %1</translation>
    </message>
    <message>
        <source>Информация о владельце пульта не помещается в память USB-stick: %1 байт при допустимых %2.</source>
        <translation>Informacje o właścicielu pilota nie mieszczą się w pamięci USB-stick: %1 bajtów przy dopuszczalnych %2.</translation>
    </message>
    <message>
        <source>Источник данных - USB-stick</source>
        <translation>Źródło danych - USB-stick</translation>
    </message>
    <message>
        <source>Источник данных - отключенный USB-stick</source>
        <translation>Źródło danych - odłączony USB-stick</translation>
    </message>
    <message>
        <source>(Актуальный файл %1)</source>
        <translation>(Aktualny plik %1)</translation>
    </message>
    <message>
        <source>(Несохраненные изменения для файла %1)</source>
        <translation>(Niezapisane zmiany w pliku %1)</translation>
    </message>
    <message>
        <source>Источник данных - USB-stick(актуальная резервная копия)</source>
        <translation>Źródło danych - USB-stick (aktualna kopia zapasowa)</translation>
    </message>
    <message>
        <source>Источник данных - резервная копия </source>
        <translation>Źródło danych - kopia zapasowa </translation>
    </message>
    <message>
        <source>Источник данных - USB-stick(актуальный файл %1)</source>
        <translation>Źródło danych - USB-stick (aktualny plik %1)</translation>
    </message>
    <message>
        <source>Источник данных - файл </source>
        <translation>Źródło danych - plik </translation>
    </message>
    <message>
        <source>Неизвестный источник данных</source>
        <translation>Nieznane źródło danych</translation>
    </message>
    <message>
        <source>Русский</source>
        <translation>Polski</translation>
    </message>
    <message>
        <source>Руководство пользователя не найдено. Файл ищется здесь:
%1</source>
        <translation>Nie znaleziono podręcznika użytkownika. Plik jest szukany tutaj:
%1</translation>
    </message>
    <message>
        <source>Не удалось открыть руководство пользователя %1. Установите программу для просмотра файлов PDF.</source>
        <translation>Nie udało się otworzyć podręcznika użytkownika %1. Zainstaluj program do przeglądania plików PDF.</translation>
    </message>
    <message>
        <source>Экспорт в CSV...</source>
        <translation>Eksportuj do CSV...</translation>
    </message>
    <message>
        <source>Импорт из CSV...</source>
        <translation>Importuj z CSV...</translation>
    </message>
    <message>
        <source>Отменить импорт</source>
        <translation>Cofnij import</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>Журнал операций...</source>
        <translation>Dziennik operacji...</translation>
    </message>
    <message>
        <source>Сравнить с файлом...</source>
        <translation>Porównaj z plikiem...</translation>
    </message>
    <message>
        <source>Сравнить с резервной копией...</source>
        <translation>Porównaj z kopią zapasową...</translation>
    </message>
    <message>
        <source>Проверять таблицу после записи</source>
        <translation>Sprawdzaj tabelę po zapisie</translation>
    </message>
    <message>
        <source>* — пульт в пешеходном режиме</source>
        <translation>* — pilot w trybie pieszym</translation>
    </message>
    <message>
        <source>Программу нельзя закрыть, пока идёт операция: дождитесь её окончания</source>
        <translation>Nie można zamknąć programu, gdy trwa operacja: poczekaj na jej zakończenie</translation>
    </message>
    <message>
        <source>«%1»</source>
        <translation>„%1”</translation>
    </message>
    <message>
        <source>Подождите, пока закончится операция: %1</source>
        <translation>Poczekaj, aż zakończy się operacja: %1</translation>
    </message>
    <message>
        <source>Нет связи с USB-stick. Вставьте USB-stick в разъём USB: программа найдёт его сама</source>
        <translation>Brak połączenia z USB-stick. Włóż USB-stick do gniazda USB: program sam go znajdzie</translation>
    </message>
    <message>
        <source>Нужен доступ администратора: выберите %1 и введите пароль</source>
        <translation>Wymagany dostęp administratora: wybierz %1 i wpisz hasło</translation>
    </message>
    <message>
        <source>В таблице не пульты USB-stick: сначала загрузите их командой %1</source>
        <translation>Tabela nie zawiera pilotów z USB-stick: najpierw odczytaj je poleceniem %1</translation>
    </message>
    <message>
        <source>Недоступно, пока исполнительное устройство в автономном режиме (%1)</source>
        <translation>Niedostępne, dopóki urządzenie wykonawcze jest w trybie autonomicznym (%1)</translation>
    </message>
    <message>
        <source>Пароль администратора не установлен; его устанавливают командой %1</source>
        <translation>Hasło administratora nie jest ustawione; ustawia się je poleceniem %1</translation>
    </message>
    <message>
        <source>Выберите пульт в таблице</source>
        <translation>Wybierz pilota w tabeli</translation>
    </message>
    <message>
        <source>Отменять нечего: таблица не загружена из файла CSV или уже изменена</source>
        <translation>Nie ma czego cofać: tabela nie została zaimportowana z pliku CSV lub została już zmieniona</translation>
    </message>
</context>
<context>
    <name>PortAccessNotice</name>
    <message>
        <source>Закрыть</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Нет прав на открытие порта %1.
Добавьте пользователя в группу %2 (sudo usermod -aG %2 $USER), затем выйдите из системы и войдите снова.</source>
        <translation>Brak uprawnień do otwarcia portu %1.
Dodaj użytkownika do grupy %2 (sudo usermod -aG %2 $USER), a następnie wyloguj się i zaloguj ponownie.</translation>
    </message>
    <message>
        <source>Порт %1 занят другой программой.
Закройте программу, которая его использует: поиск USB-stick продолжается и найдёт его, когда порт освободится.</source>
        <translation>Port %1 jest zajęty przez inny program.
Zamknij program, który go używa: wyszukiwanie USB-stick trwa i znajdzie go, gdy port się zwolni.</translation>
    </message>
</context>
<context>
    <name>QAboutDialog</name>
    <message>
        <source>О программе</source>
        <translation>O programie</translation>
    </message>
    <message>
        <source>Настройка приводов ворот и рольставней через USB-stick: таблица пультов в USB-stick и исполнительном устройстве, параметры устройства, пароль администратора, обновление прошивки.</source>
        <translation>Konfiguracja napędów bram i rolet przez USB-stick: tabela pilotów w USB-stick i w urządzeniu wykonawczym, parametry urządzenia, hasło administratora, aktualizacja oprogramowania.</translation>
    </message>
    <message>
        <source>Работает на Qt %1 (собрана с Qt %2).</source>
        <translation>Działa na Qt %1 (zbudowano z Qt %2).</translation>
    </message>
    <message>
        <source>Программа распространяется на условиях %1, версии 3 или более поздней, без каких-либо гарантий.</source>
        <translation>Program jest rozpowszechniany na warunkach licencji %1, w wersji 3 lub późniejszej, bez żadnych gwarancji.</translation>
    </message>
    <message>
        <source>Qt — библиотека The Qt Company Ltd., используется на условиях %1 версии 3.</source>
        <translation>Qt to biblioteka firmy The Qt Company Ltd., używana na warunkach licencji %1 w wersji 3.</translation>
    </message>
</context>
<context>
    <name>QAddDeviceDialog</name>
    <message>
        <source>Новый пульт</source>
        <translation>Nowy pilot</translation>
    </message>
    <message>
        <source>Мастер добавления новых пультов</source>
        <translation>Kreator dodawania nowych pilotów</translation>
    </message>
    <message>
        <source>Этап</source>
        <translation>Etap</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Wynik</translation>
    </message>
    <message>
        <source>Прослушивание</source>
        <translation>Nasłuchiwanie</translation>
    </message>
    <message>
        <source>Повторный поиск</source>
        <translation>Szukaj ponownie</translation>
    </message>
    <message>
        <source>Выбор типа пульта</source>
        <translation>Wybór typu pilota</translation>
    </message>
    <message>
        <source>Обычный режим</source>
        <translation>Tryb zwykły</translation>
    </message>
    <message>
        <source>Пешеходный режим</source>
        <translation>Tryb pieszy</translation>
    </message>
    <message>
        <source>Ок</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Назначение владельца</source>
        <translation>Przypisanie właściciela</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Zastosuj</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Завершен</source>
        <translation>Zakończony</translation>
    </message>
    <message>
        <source>Не пройден</source>
        <translation>Nieudany</translation>
    </message>
    <message>
        <source>Установка режима работы</source>
        <translation>Ustawianie trybu pracy</translation>
    </message>
    <message>
        <source>Адрес </source>
        <translation>Adres </translation>
    </message>
    <message>
        <source>Поиск нового пульта... 
 Нажмите и удерживайте в течение 4 секунд на пульте кнопку.</source>
        <translation>Wyszukiwanie nowego pilota... 
 Naciśnij i przytrzymaj przycisk pilota przez 4 sekundy.</translation>
    </message>
    <message>
        <source>Данный пульт уже зарегистрирован на пользователя &apos;</source>
        <translation>Ten pilot jest już zarejestrowany na użytkownika &apos;</translation>
    </message>
    <message>
        <source>&apos;. Поиск пульта будет автоматически продолжен.</source>
        <translation>&apos;. Wyszukiwanie pilota będzie kontynuowane automatycznie.</translation>
    </message>
    <message>
        <source>Информация о владельце пульта не должна быть длиннее 59 символов. Текущая длина </source>
        <translation>Informacje o właścicielu pilota nie mogą być dłuższe niż 59 znaków. Bieżąca długość </translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Błąd</translation>
    </message>
    <message>
        <source>Введите имя владельца пульта</source>
        <translation>Wpisz nazwę właściciela pilota</translation>
    </message>
</context>
<context>
    <name>QAutoConnectTool</name>
    <message>
        <source>Закрыт порт </source>
        <translation>Zamknięto port </translation>
    </message>
</context>
<context>
    <name>QCompareDialog</name>
    <message>
        <source>Сравнение USB-stick с файлом</source>
        <translation>Porównanie USB-stick z plikiem</translation>
    </message>
    <message>
        <source>Таблица USB-stick (последняя прочитанная) и «%1»</source>
        <translation>Tabela USB-stick (ostatnio odczytana) i „%1”</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Pilot</translation>
    </message>
    <message>
        <source>Отличие</source>
        <translation>Różnica</translation>
    </message>
    <message>
        <source>В USB-stick</source>
        <translation>W USB-stick</translation>
    </message>
    <message>
        <source>В файле</source>
        <translation>W pliku</translation>
    </message>
    <message>
        <source>Применение запишет в USB-stick и удалит из него только эти пульты; остальные останутся как есть.</source>
        <translation>Zastosowanie zapisze w USB-stick i usunie z niego tylko te piloty; pozostałe pozostaną bez zmian.</translation>
    </message>
    <message>
        <source>Для применения нужен полный доступ к USB-stick.</source>
        <translation>Do zastosowania potrzebny jest pełny dostęp do USB-stick.</translation>
    </message>
    <message>
        <source>Применить к USB-stick</source>
        <translation>Zastosuj do USB-stick</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Только в USB-stick</source>
        <translation>Tylko w USB-stick</translation>
    </message>
    <message>
        <source>Только в файле</source>
        <translation>Tylko w pliku</translation>
    </message>
    <message>
        <source>Отличается: %1</source>
        <translation>Różni się: %1</translation>
    </message>
    <message>
        <source>Таблицы совпадают</source>
        <translation>Tabele są zgodne</translation>
    </message>
    <message>
        <source>Только в USB-stick: %1, только в файле: %2, отличаются: %3</source>
        <translation>Tylko w USB-stick: %1, tylko w pliku: %2, różnią się: %3</translation>
    </message>
    <message>
        <source>владелец</source>
        <translation>właściciel</translation>
    </message>
    <message>
        <source>группа</source>
        <translation>grupa</translation>
    </message>
    <message>
        <source>статус</source>
        <translation>status</translation>
    </message>
    <message>
        <source>режим работы</source>
        <translation>tryb pracy</translation>
    </message>
    <message>
        <source>«%1», группа %2, %3</source>
        <translation>„%1”, grupa %2, %3</translation>
    </message>
    <message>
        <source>активен</source>
        <translation>aktywny</translation>
    </message>
    <message>
        <source>заблокирован</source>
        <translation>zablokowany</translation>
    </message>
    <message>
        <source>, пешеходный режим</source>
        <translation>, tryb pieszy</translation>
    </message>
    <message>
        <source>... и еще %1</source>
        <translation>... i jeszcze %1</translation>
    </message>
    <message>
        <source>№%1: только в USB-stick</source>
        <translation>Nr %1: tylko w USB-stick</translation>
    </message>
    <message>
        <source>№%1: нет в USB-stick</source>
        <translation>Nr %1: brak w USB-stick</translation>
    </message>
    <message>
        <source>№%1: отличается (%2)</source>
        <translation>Nr %1: różni się (%2)</translation>
    </message>
</context>
<context>
    <name>QCsvImportDialog</name>
    <message>
        <source>Импорт из CSV</source>
        <translation>Import z CSV</translation>
    </message>
    <message>
        <source>Файл «%1»</source>
        <translation>Plik „%1”</translation>
    </message>
    <message>
        <source>Строка</source>
        <translation>Wiersz</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Pilot</translation>
    </message>
    <message>
        <source>Владелец</source>
        <translation>Właściciel</translation>
    </message>
    <message>
        <source>Группа</source>
        <translation>Grupa</translation>
    </message>
    <message>
        <source>Статус</source>
        <translation>Stan</translation>
    </message>
    <message>
        <source>Режим работы</source>
        <translation>Tryb pracy</translation>
    </message>
    <message>
        <source>Замечания</source>
        <translation>Uwagi</translation>
    </message>
    <message>
        <source>Импортированные пульты заменят таблицу на экране; USB-stick не изменится. Импорт можно отменить.</source>
        <translation>Zaimportowane piloty zastąpią tabelę na ekranie; USB-stick nie zostanie zmieniony. Import można cofnąć.</translation>
    </message>
    <message>
        <source>Импортировать</source>
        <translation>Importuj</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>строка не читается: кавычка не закрыта</source>
        <translation>wiersz nieczytelny: cudzysłów nie jest zamknięty</translation>
    </message>
    <message>
        <source>строка не читается: полей %1 вместо %2</source>
        <translation>wiersz nieczytelny: %1 pól zamiast %2</translation>
    </message>
    <message>
        <source>нет номера пульта</source>
        <translation>brak numeru pilota</translation>
    </message>
    <message>
        <source>номер пульта не число: %1</source>
        <translation>numer pilota nie jest liczbą: %1</translation>
    </message>
    <message>
        <source>номер пульта вне диапазона 0..%1</source>
        <translation>numer pilota poza zakresem 0..%1</translation>
    </message>
    <message>
        <source>нет группы: взята 0</source>
        <translation>brak grupy: przyjęto 0</translation>
    </message>
    <message>
        <source>группа не число: %1</source>
        <translation>grupa nie jest liczbą: %1</translation>
    </message>
    <message>
        <source>группа вне диапазона 0..255</source>
        <translation>grupa poza zakresem 0..255</translation>
    </message>
    <message>
        <source>нет статуса: пульт активен</source>
        <translation>brak statusu: pilot aktywny</translation>
    </message>
    <message>
        <source>статус не распознан: %1</source>
        <translation>nie rozpoznano statusu: %1</translation>
    </message>
    <message>
        <source>нет режима работы: взят обычный</source>
        <translation>brak trybu pracy: przyjęto zwykły</translation>
    </message>
    <message>
        <source>режим работы не распознан: %1</source>
        <translation>nie rozpoznano trybu pracy: %1</translation>
    </message>
    <message>
        <source>нет владельца</source>
        <translation>brak właściciela</translation>
    </message>
    <message>
        <source>владелец обрезан до %1 символов</source>
        <translation>właściciel skrócony do %1 znaków</translation>
    </message>
    <message>
        <source>номер пульта уже есть в строке %1: строка пропущена</source>
        <translation>numer pilota jest już w wierszu %1: wiersz pominięty</translation>
    </message>
</context>
<context>
    <name>QDbManipulator</name>
    <message>
        <source>Ошибка открытия файла </source>
        <translation>Błąd otwarcia pliku </translation>
    </message>
    <message>
        <source>Неверный формат файла </source>
        <translation>Nieprawidłowy format pliku </translation>
    </message>
    <message>
        <source>Неверный формат файла: дублирующие значения пультов. Загрузка отменена.</source>
        <translation>Nieprawidłowy format pliku: powtarzające się piloty. Wczytywanie anulowane.</translation>
    </message>
    <message>
        <source>Нет ни одной резервной копии</source>
        <translation>Brak kopii zapasowych</translation>
    </message>
    <message>
        <source>Выбор резервной копии</source>
        <translation>Wybór kopii zapasowej</translation>
    </message>
    <message>
        <source>Выберите резервную копию для загрузки в программу</source>
        <translation>Wybierz kopię zapasową do wczytania do programu</translation>
    </message>
    <message>
        <source>Не выбрана резервная копия файла</source>
        <translation>Nie wybrano kopii zapasowej</translation>
    </message>
    <message>
        <source>Ошибка загрузки резервной копии</source>
        <translation>Błąd wczytywania kopii zapasowej</translation>
    </message>
    <message>
        <source>null</source>
        <translation>null</translation>
    </message>
    <message>
        <source>логическое значение</source>
        <translation>wartość logiczna</translation>
    </message>
    <message>
        <source>число</source>
        <translation>liczba</translation>
    </message>
    <message>
        <source>строка</source>
        <translation>ciąg znaków</translation>
    </message>
    <message>
        <source>массив</source>
        <translation>tablica</translation>
    </message>
    <message>
        <source>объект</source>
        <translation>obiekt</translation>
    </message>
    <message>
        <source>нет значения</source>
        <translation>brak wartości</translation>
    </message>
    <message>
        <source>поле «%1»: ожидается %2, в файле %3</source>
        <translation>pole «%1»: oczekiwano: %2, w pliku: %3</translation>
    </message>
    <message>
        <source>поле «%1»: %2 не целое число в диапазоне 0..%3</source>
        <translation>pole «%1»: %2 nie jest liczbą całkowitą z zakresu 0..%3</translation>
    </message>
    <message>
        <source>ожидается объект, в файле %1</source>
        <translation>oczekiwano obiektu, w pliku: %1</translation>
    </message>
    <message>
        <source>нет ни одного поля пульта</source>
        <translation>brak jakiegokolwiek pola pilota</translation>
    </message>
    <message>
        <source>true или false</source>
        <translation>true lub false</translation>
    </message>
    <message>
        <source>поле «%1»: %2</source>
        <translation>pole «%1»: %2</translation>
    </message>
    <message>
        <source>строка %1, столбец %2</source>
        <translation>wiersz %1, kolumna %2</translation>
    </message>
    <message>
        <source>Файл не является документом JSON: %1: %2</source>
        <translation>Plik nie jest dokumentem JSON: %1: %2</translation>
    </message>
    <message>
        <source>В файле нет списка пультов «%1»</source>
        <translation>W pliku brak listy pilotów «%1»</translation>
    </message>
    <message>
        <source>Пульт %1 (№%2)</source>
        <translation>Pilot %1 (nr %2)</translation>
    </message>
    <message>
        <source>Пульт %1</source>
        <translation>Pilot %1</translation>
    </message>
    <message>
        <source>... и еще пультов с ошибками: %1</source>
        <translation>... i jeszcze pilotów z błędami: %1</translation>
    </message>
    <message>
        <source>%1 — не читается</source>
        <translation>%1 — nieczytelna</translation>
    </message>
    <message>
        <source>%1 — пультов: %2</source>
        <translation>%1 — pilotów: %2</translation>
    </message>
    <message>
        <source>, из USB-stick</source>
        <translation>, z USB-sticka</translation>
    </message>
    <message>
        <source>, из исполнительного устройства</source>
        <translation>, z urządzenia wykonawczego</translation>
    </message>
    <message>
        <source>, из файла</source>
        <translation>, z pliku</translation>
    </message>
</context>
<context>
    <name>QFlashController</name>
    <message>
        <source>Ошибка загрузки прошивки из файла</source>
        <translation>Błąd wczytywania oprogramowania z pliku</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Błąd</translation>
    </message>
    <message>
        <source>Выбор файла прошивки</source>
        <translation>Wybór pliku oprogramowania</translation>
    </message>
    <message>
        <source>Ошибка файла прошивки</source>
        <translation>Błąd pliku oprogramowania</translation>
    </message>
    <message>
        <source>При обновлении прошивки возникла ошибка</source>
        <translation>Podczas aktualizacji oprogramowania wystąpił błąd</translation>
    </message>
    <message>
        <source>Данный файл прошивки не предназначен для обновления исполнительного устройства</source>
        <translation>Ten plik oprogramowania nie jest przeznaczony do aktualizacji urządzenia wykonawczego</translation>
    </message>
    <message>
        <source>Данный файл прошивки не предназначен для обновления подключенного USB-stick</source>
        <translation>Ten plik oprogramowania nie jest przeznaczony do aktualizacji podłączonego USB-stick</translation>
    </message>
    <message>
        <source>На USB-stick установлена более новая версия прошивки, чем в текущем файле. Загрузить на USB-stick старую версию ПО?</source>
        <translation>USB-stick ma nowszą wersję oprogramowania niż ten plik. Wgrać do USB-stick starszą wersję?</translation>
    </message>
    <message>
        <source>На USB-stick установлена текущая версия прошивки. Загрузить заново на USB-stick текущую версию ПО?</source>
        <translation>USB-stick ma już tę wersję oprogramowania. Wgrać ją do USB-stick ponownie?</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Uwaga</translation>
    </message>
    <message>
        <source>исполнительное устройство</source>
        <translation>urządzenie wykonawcze</translation>
    </message>
    <message>
        <source>USB-stick</source>
        <translation>USB-stick</translation>
    </message>
    <message>
        <source>Загрузка прошивки на </source>
        <translation>Wgrywanie oprogramowania na </translation>
    </message>
    <message>
        <source>Ожидание применения прошивки на </source>
        <translation>Oczekiwanie na uruchomienie oprogramowania na </translation>
    </message>
    <message>
        <source>исполнительном устройстве</source>
        <translation>urządzeniu wykonawczym</translation>
    </message>
    <message>
        <source>Ошибка применения прошивки на исполнительном устройстве</source>
        <translation>Błąd uruchomienia oprogramowania na urządzeniu wykonawczym</translation>
    </message>
    <message>
        <source>Прошивка не записана.</source>
        <translation>Oprogramowanie układowe nie zostało zapisane.</translation>
    </message>
    <message>
        <source>Записан только один файл прошивки: %1</source>
        <translation>Zapisano tylko jeden plik oprogramowania: %1</translation>
    </message>
    <message>
        <source>парного файла %1 нет</source>
        <translation>brak pliku pary %1</translation>
    </message>
    <message>
        <source>парный файл %1 не прочитан</source>
        <translation>nie odczytano pliku pary %1</translation>
    </message>
    <message>
        <source>Парный файл прошивки не подходит к записанному (другой тип, другая плата или более старая версия) и не будет записан.
%1</source>
        <translation>Plik pary nie pasuje do zapisanego (inny typ, inna płyta lub starsza wersja) i nie zostanie zapisany.
%1</translation>
    </message>
    <message>
        <source>парный файл %1 не подходит</source>
        <translation>plik pary %1 nie pasuje</translation>
    </message>
    <message>
        <source>Первый файл прошивки записан. Загрузить на исполнительное устройство парный файл?
%1
Версия %2.</source>
        <translation>Pierwszy plik oprogramowania został zapisany. Załadować plik pary do urządzenia wykonawczego?
%1
Wersja %2.</translation>
    </message>
    <message>
        <source>парный файл %1 пропущен</source>
        <translation>pominięto plik pary %1</translation>
    </message>
    <message>
        <source>На исполнительном устройстве установлена более новая версия прошивки, чем в текущем файле. Загрузить на исполнительное устройство старую версию ПО?</source>
        <translation>Urządzenie wykonawcze ma nowszą wersję oprogramowania niż ten plik. Załadować do urządzenia wykonawczego starszą wersję?</translation>
    </message>
    <message>
        <source>На исполнительном устройстве установлена текущая версия прошивки. Загрузить заново на исполнительное устройство текущую версию ПО?</source>
        <translation>Urządzenie wykonawcze ma już tę wersję oprogramowania. Załadować ją ponownie?</translation>
    </message>
    <message>
        <source>Загрузить прошивку из файла на USB-stick?</source>
        <translation>Załadować oprogramowanie z pliku do USB-stick?</translation>
    </message>
    <message>
        <source>Загрузить прошивку из файла на исполнительное устройство?</source>
        <translation>Załadować oprogramowanie z pliku do urządzenia wykonawczego?</translation>
    </message>
    <message>
        <source>Установленная версия: %1. Версия в файле: %2.</source>
        <translation>Zainstalowana wersja: %1. Wersja w pliku: %2.</translation>
    </message>
    <message>
        <source>неизвестна</source>
        <translation>nieznana</translation>
    </message>
    <message>
        <source>Новая прошивка не применена: USB-stick применяет её только после записи всего файла и до тех пор работает с прежней. Повторите запись из того же файла; если USB-stick не находится или не отвечает, сначала отключите его от компьютера и подключите снова.</source>
        <translation>Nowe oprogramowanie nie zostało zastosowane: USB-stick stosuje je dopiero po zapisaniu całego pliku i do tego czasu działa z poprzednim. Zapisz ponownie ten sam plik; jeśli USB-stick nie zostaje znaleziony lub nie odpowiada, najpierw odłącz go od komputera i podłącz ponownie.</translation>
    </message>
    <message>
        <source>Новая прошивка не применена: исполнительное устройство применяет её только после записи всего файла и до тех пор работает с прежней. Повторите запись из того же файла, когда USB-stick будет найден снова.</source>
        <translation>Nowe oprogramowanie nie zostało zastosowane: urządzenie wykonawcze stosuje je dopiero po zapisaniu całego pliku i do tego czasu działa z poprzednim. Zapisz ponownie ten sam plik, gdy USB-stick zostanie znowu znaleziony.</translation>
    </message>
    <message>
        <source>Новая прошивка не применена: исполнительное устройство применяет её только после записи всего файла и до тех пор работает с прежней. Повторите запись из того же файла.</source>
        <translation>Nowe oprogramowanie nie zostało zastosowane: urządzenie wykonawcze stosuje je dopiero po zapisaniu całego pliku i do tego czasu działa z poprzednim. Zapisz ponownie ten sam plik.</translation>
    </message>
    <message>
        <source>Прошивка %1 записана в %2</source>
        <translation>Oprogramowanie %1 zapisano w: %2</translation>
    </message>
</context>
<context>
    <name>QFlashUpdater</name>
    <message>
        <source>Файл не открывается: %1</source>
        <translation>Nie można otworzyć pliku: %1</translation>
    </message>
    <message>
        <source>Это не файл прошивки: он больше %1 МБ.</source>
        <translation>To nie jest plik oprogramowania: jest większy niż %1 MB.</translation>
    </message>
    <message>
        <source>Это не файл прошивки: его заголовок не описывает образ прошивки.</source>
        <translation>To nie jest plik oprogramowania: jego nagłówek nie opisuje obrazu oprogramowania.</translation>
    </message>
    <message>
        <source>Файл прошивки обрывается: его длина %1 байт, а по заголовку в нём должно быть больше данных. Вероятно, файл скопирован или загружен не полностью.</source>
        <translation>Plik oprogramowania jest ucięty: ma %1 bajtów, a według nagłówka powinien zawierać więcej danych. Prawdopodobnie plik został skopiowany lub pobrany tylko częściowo.</translation>
    </message>
    <message>
        <source>Это не файл прошивки: его длина %1 байт, меньше заголовка прошивки.</source>
        <translation>To nie jest plik oprogramowania: ma %1 bajtów, mniej niż nagłówek oprogramowania.</translation>
    </message>
    <message>
        <source>Это не файл прошивки: в нём нет данных для записи.</source>
        <translation>To nie jest plik oprogramowania: nie zawiera danych do zapisania.</translation>
    </message>
</context>
<context>
    <name>QMemoryStatusDialog</name>
    <message>
        <source>Свободно: </source>
        <translation>Wolne: </translation>
    </message>
    <message>
        <source>Занято: </source>
        <translation>Zajęte: </translation>
    </message>
    <message>
        <source>Емкость: </source>
        <translation>Pojemność: </translation>
    </message>
    <message>
        <source>Состояние памяти</source>
        <translation>Stan pamięci</translation>
    </message>
    <message>
        <source>Память устройств</source>
        <translation>Pamięć urządzeń</translation>
    </message>
    <message>
        <source>USB-stick, пульты</source>
        <translation>USB-stick, piloty</translation>
    </message>
    <message>
        <source>Устройство</source>
        <translation>Urządzenie</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Zamknij</translation>
    </message>
</context>
<context>
    <name>QModemSession</name>
    <message>
        <source>Запрос прав доступа...</source>
        <translation>Sprawdzanie uprawnień dostępu...</translation>
    </message>
    <message>
        <source>Ввод пароля</source>
        <translation>Hasło</translation>
    </message>
    <message>
        <source>Введите пароль администратора для обеспечения полного доступа к USB-stick</source>
        <translation>Wprowadź hasło administratora, aby uzyskać pełny dostęp do USB-stick</translation>
    </message>
    <message>
        <source>Авторизация</source>
        <translation>Logowanie</translation>
    </message>
    <message>
        <source>Ошибка авторизации</source>
        <translation>Błąd logowania</translation>
    </message>
    <message>
        <source>Ошибка при авторизации: неверный пароль либо отмена операции пользователем</source>
        <translation>Błąd logowania: nieprawidłowe hasło lub operacja anulowana przez użytkownika</translation>
    </message>
    <message>
        <source>Сброс авторизации</source>
        <translation>Wylogowanie</translation>
    </message>
    <message>
        <source>Ошибка сброса авторизации</source>
        <translation>Błąd wylogowania</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Błąd</translation>
    </message>
    <message>
        <source>Пароль не может быть пустым</source>
        <translation>Hasło nie może być puste</translation>
    </message>
    <message>
        <source>Пароль содержит недопустимые символы</source>
        <translation>Hasło zawiera niedozwolone znaki</translation>
    </message>
    <message>
        <source>Ввод текущего пароля</source>
        <translation>Bieżące hasło</translation>
    </message>
    <message>
        <source>Введите ваш текущий пароль полного доступа к USB-stick</source>
        <translation>Wprowadź bieżące hasło pełnego dostępu do USB-stick</translation>
    </message>
    <message>
        <source>Ввод нового пароля</source>
        <translation>Nowe hasło</translation>
    </message>
    <message>
        <source>Введите новый пароль полного доступа к USB-stick(6-10 символов)</source>
        <translation>Wprowadź nowe hasło pełnego dostępu do USB-stick (6-10 znaków)</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Uwaga</translation>
    </message>
    <message>
        <source>Пароль должен быть длиной от 6 до 10 символов</source>
        <translation>Hasło musi mieć od 6 do 10 znaków</translation>
    </message>
    <message>
        <source>Повтор нового пароля</source>
        <translation>Powtórz nowe hasło</translation>
    </message>
    <message>
        <source>Повторно введите пароль полного доступа к USB-stick</source>
        <translation>Wprowadź ponownie hasło pełnego dostępu do USB-stick</translation>
    </message>
    <message>
        <source>Пароли не совпадают</source>
        <translation>Hasła nie są zgodne</translation>
    </message>
    <message>
        <source>Удаление текущего пароля</source>
        <translation>Usuwanie bieżącego hasła</translation>
    </message>
    <message>
        <source>Применение нового пароля</source>
        <translation>Zapisywanie nowego hasła</translation>
    </message>
    <message>
        <source>Удаление забытого пароля</source>
        <translation>Usuwanie zapomnianego hasła</translation>
    </message>
    <message>
        <source>Сброс забытого пароля...
Нажмите и удерживайте в течение 4 секунд на исполнительном устройстве кнопку для перехода в режим программирования. 
Далее нажмите и держите в течение 1 секунды кнопку для сброса забытого пароля</source>
        <translation>Resetowanie zapomnianego hasła...
Naciśnij i przytrzymaj przez 4 sekundy przycisk na urządzeniu wykonawczym, aby przejść do trybu programowania. 
Następnie naciśnij i przytrzymaj przycisk przez 1 sekundę, aby zresetować zapomniane hasło</translation>
    </message>
    <message>
        <source>Восстановление исходного режима работы USB-stick</source>
        <translation>Przywracanie pierwotnego trybu pracy USB-stick</translation>
    </message>
    <message>
        <source>Принят неверный ответ от USB-stick. Повторить попытку?</source>
        <translation>Otrzymano nieprawidłową odpowiedź od USB-stick. Spróbować ponownie?</translation>
    </message>
    <message>
        <source>Неверный пароль</source>
        <translation>Nieprawidłowe hasło</translation>
    </message>
    <message>
        <source>Нет авторизации</source>
        <translation>Brak autoryzacji</translation>
    </message>
    <message>
        <source>У вас отсутствуют привилегии для выполнения этой команды</source>
        <translation>Nie masz uprawnień do wykonania tego polecenia</translation>
    </message>
    <message>
        <source>Связь с конечным устройством утеряна</source>
        <translation>Utracono łączność z urządzeniem końcowym</translation>
    </message>
    <message>
        <source>Usb-stick не смог выполнить команду на конечном устройстве. Повторить попытку?</source>
        <translation>USB-stick nie mógł wykonać polecenia na urządzeniu końcowym. Spróbować ponownie?</translation>
    </message>
    <message>
        <source>Конечное устройство не содержит в памяти данный пульт</source>
        <translation>Urządzenie końcowe nie ma tego pilota w pamięci</translation>
    </message>
    <message>
        <source>Конечное устройство не смогло успешно выполнить команду</source>
        <translation>Urządzenie końcowe nie mogło wykonać polecenia</translation>
    </message>
    <message>
        <source>Ошибка применения новой прошивки на USB-stick</source>
        <translation>Błąd uruchomienia nowego oprogramowania na USB-stick</translation>
    </message>
    <message>
        <source>Инициализация устройства... Если устройство впервые используется с данным USB-stick, нажмите и удерживайте на нем в течение 4 секунд кнопку</source>
        <translation>Inicjalizacja urządzenia... Jeśli urządzenie jest używane z tym USB-stick po raz pierwszy, naciśnij i przytrzymaj jego przycisk przez 4 sekundy</translation>
    </message>
    <message>
        <source>Установка параметров USB-stick...</source>
        <translation>Ustawianie parametrów USB-stick...</translation>
    </message>
    <message>
        <source>Запрос функционала USB-stick...</source>
        <translation>Sprawdzanie funkcji USB-stick...</translation>
    </message>
    <message>
        <source>Запрос настроек USB-stick...</source>
        <translation>Odczyt ustawień USB-stick...</translation>
    </message>
    <message>
        <source>Запрос версии USB-stick...</source>
        <translation>Odczyt wersji USB-stick...</translation>
    </message>
    <message>
        <source>Запрос версии исполнительного устройства...</source>
        <translation>Odczyt wersji urządzenia wykonawczego...</translation>
    </message>
    <message>
        <source>&lt;br&gt;Версия исполнительного устройства %2.%3.%1.%4</source>
        <translation>&lt;br&gt;Wersja urządzenia wykonawczego %2.%3.%1.%4</translation>
    </message>
    <message>
        <source>Версия модема %2.%3.%1.%4 </source>
        <translation>Wersja modemu %2.%3.%1.%4 </translation>
    </message>
    <message>
        <source>Версия</source>
        <translation>Wersja</translation>
    </message>
    <message>
        <source>восстановлен прежний пароль</source>
        <translation>przywrócono poprzednie hasło</translation>
    </message>
    <message>
        <source>Вход выполнен: доступ администратора</source>
        <translation>Zalogowano: dostęp administratora</translation>
    </message>
    <message>
        <source>Авторизация отменена</source>
        <translation>Logowanie anulowane</translation>
    </message>
    <message>
        <source>Пароль удалён</source>
        <translation>Hasło usunięte</translation>
    </message>
    <message>
        <source>Пароль изменён</source>
        <translation>Hasło zmienione</translation>
    </message>
    <message>
        <source>Пароль установлен</source>
        <translation>Hasło ustawione</translation>
    </message>
    <message>
        <source>Забытый пароль сброшен</source>
        <translation>Zapomniane hasło zresetowane</translation>
    </message>
    <message>
        <source>USB-stick не подключен</source>
        <translation>USB-stick nie jest podłączony</translation>
    </message>
    <message>
        <source>доступ пользователя</source>
        <translation>dostęp użytkownika</translation>
    </message>
    <message>
        <source>доступ администратора</source>
        <translation>dostęp administratora</translation>
    </message>
    <message>
        <source>автономный режим</source>
        <translation>tryb autonomiczny</translation>
    </message>
    <message>
        <source>обычный режим</source>
        <translation>tryb normalny</translation>
    </message>
    <message>
        <source>USB-stick %1, версия %2, %3, %4</source>
        <translation>USB-stick %1, wersja %2, %3, %4</translation>
    </message>
    <message>
        <source>Версия USB-stick после обновления прошивки неизвестна: её не удалось прочитать</source>
        <translation>Wersja USB-stick po aktualizacji oprogramowania jest nieznana: nie udało się jej odczytać</translation>
    </message>
    <message>
        <source>USB-stick уже %1 с сообщает, что команда выполняется, но её выполнение остановилось на %2%. Операция прервана. Если USB-stick не отвечает на следующие команды, отключите его от компьютера и подключите снова.</source>
        <translation>USB-stick od %1 s zgłasza, że polecenie jest wykonywane, ale jego wykonanie zatrzymało się na %2%. Operacja została przerwana. Jeśli USB-stick nie odpowiada na kolejne polecenia, odłącz go od komputera i podłącz ponownie.</translation>
    </message>
</context>
<context>
    <name>QOperationLog</name>
    <message>
        <source>Пульт добавлен</source>
        <translation>Pilot dodany</translation>
    </message>
    <message>
        <source>Пульт заблокирован</source>
        <translation>Pilot zablokowany</translation>
    </message>
    <message>
        <source>Пульт активирован</source>
        <translation>Pilot aktywowany</translation>
    </message>
    <message>
        <source>Изменен владелец пульта</source>
        <translation>Zmieniono właściciela pilota</translation>
    </message>
    <message>
        <source>Пульт удален</source>
        <translation>Pilot usunięty</translation>
    </message>
    <message>
        <source>Таблица записана в USB-stick</source>
        <translation>Tabela zapisana w USB-stick</translation>
    </message>
    <message>
        <source>Память очищена</source>
        <translation>Pamięć wyczyszczona</translation>
    </message>
    <message>
        <source>Таблица скопирована из USB-stick в устройство</source>
        <translation>Tabela skopiowana z USB-stick do urządzenia</translation>
    </message>
    <message>
        <source>Таблица скопирована из устройства в USB-stick</source>
        <translation>Tabela skopiowana z urządzenia do USB-stick</translation>
    </message>
    <message>
        <source>Отличия от файла применены к USB-stick</source>
        <translation>Różnice względem pliku zastosowane do USB-stick</translation>
    </message>
    <message>
        <source>Параметры записаны в устройство</source>
        <translation>Parametry zapisane w urządzeniu</translation>
    </message>
    <message>
        <source>Восстановлены заводские настройки</source>
        <translation>Przywrócono ustawienia fabryczne</translation>
    </message>
    <message>
        <source>Прошивка загружена</source>
        <translation>Oprogramowanie wgrane</translation>
    </message>
    <message>
        <source>Установлен пароль</source>
        <translation>Ustawiono hasło</translation>
    </message>
    <message>
        <source>Пароль удален</source>
        <translation>Usunięto hasło</translation>
    </message>
    <message>
        <source>Сброшен забытый пароль</source>
        <translation>Zresetowano zapomniane hasło</translation>
    </message>
</context>
<context>
    <name>QOperationLogDialog</name>
    <message>
        <source>Журнал операций</source>
        <translation>Dziennik operacji</translation>
    </message>
    <message>
        <source>Фильтр:</source>
        <translation>Filtr:</translation>
    </message>
    <message>
        <source>Только неудачные</source>
        <translation>Tylko nieudane</translation>
    </message>
    <message>
        <source>Экспорт в CSV...</source>
        <translation>Eksportuj do CSV...</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Czas</translation>
    </message>
    <message>
        <source>Пользователь</source>
        <translation>Użytkownik</translation>
    </message>
    <message>
        <source>Версия USB-stick</source>
        <translation>Wersja USB-stick</translation>
    </message>
    <message>
        <source>Операция</source>
        <translation>Operacja</translation>
    </message>
    <message>
        <source>Пульты</source>
        <translation>Piloty</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Wynik</translation>
    </message>
    <message>
        <source>Подробности</source>
        <translation>Szczegóły</translation>
    </message>
    <message>
        <source>выполнено</source>
        <translation>wykonano</translation>
    </message>
    <message>
        <source>ошибка</source>
        <translation>błąd</translation>
    </message>
    <message>
        <source>Экспорт журнала в CSV</source>
        <translation>Eksport dziennika do CSV</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Błąd</translation>
    </message>
    <message>
        <source>Ошибка открытия файла </source>
        <translation>Błąd otwarcia pliku </translation>
    </message>
</context>
<context>
    <name>QOperationRunner</name>
    <message>
        <source>Операция невозможна во время обмена данным с usb-stick либо исполнительным устройством</source>
        <translation>Operacja nie jest możliwa podczas wymiany danych z USB-stick lub urządzeniem wykonawczym</translation>
    </message>
    <message>
        <source>Usb-stick не отвечает. Проверьте подключение.</source>
        <translation>USB-stick nie odpowiada. Sprawdź połączenie.</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Błąd</translation>
    </message>
</context>
<context>
    <name>QParamController</name>
    <message>
        <source>Режим работы</source>
        <translation>Tryb pracy</translation>
    </message>
    <message>
        <source>Длительность команды для режима &apos;Короткой команды&apos;</source>
        <translation>Czas trwania polecenia w trybie &apos;Krótkie polecenie&apos;</translation>
    </message>
    <message>
        <source>Длительность команды для режима &apos;Жалюзийный&apos;</source>
        <translation>Czas trwania polecenia w trybie &apos;Żaluzje&apos;</translation>
    </message>
    <message>
        <source>Длительность команды для режима &apos;Роллетный&apos;</source>
        <translation>Czas trwania polecenia w trybie &apos;Rolety&apos;</translation>
    </message>
    <message>
        <source>Короткой команды</source>
        <translation>Krótkie polecenie</translation>
    </message>
    <message>
        <source>Роллетный</source>
        <translation>Rolety</translation>
    </message>
    <message>
        <source>Жалюзийный</source>
        <translation>Żaluzje</translation>
    </message>
    <message>
        <source>Непрерывной команды</source>
        <translation>Polecenie ciągłe</translation>
    </message>
    <message>
        <source> с</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Запрос параметров исполнительного устройства...</source>
        <translation>Odczyt parametrów urządzenia wykonawczego...</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Informacja</translation>
    </message>
    <message>
        <source>Ни один из параметров не помечен для загрузки из конечного устройства. Загрузить все параметры?</source>
        <translation>Żaden parametr nie jest zaznaczony do odczytu z urządzenia końcowego. Odczytać wszystkie parametry?</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Błąd</translation>
    </message>
    <message>
        <source>Параметр %1 не задан</source>
        <translation>Parametr %1 nie jest ustawiony</translation>
    </message>
    <message>
        <source>Ни один из параметров не помечен для сохранения в конечном устройстве. Сохранить все параметры?</source>
        <translation>Żaden parametr nie jest zaznaczony do zapisu w urządzeniu końcowym. Zapisać wszystkie parametry?</translation>
    </message>
    <message>
        <source>Установка параметров исполнительного устройства...</source>
        <translation>Zapisywanie parametrów urządzenia wykonawczego...</translation>
    </message>
    <message>
        <source>Восстановление заводских настроек...</source>
        <translation>Przywracanie ustawień fabrycznych...</translation>
    </message>
    <message>
        <source>Применение параметров исполнительного устройства...</source>
        <translation>Stosowanie parametrów urządzenia wykonawczego...</translation>
    </message>
    <message>
        <source>Восстановление параметров исполнительного устройства...</source>
        <translation>Przywracanie parametrów urządzenia wykonawczego...</translation>
    </message>
    <message>
        <source>параметров: %1</source>
        <translation>parametrów: %1</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства не прочитаны.</source>
        <translation>Parametry urządzenia wykonawczego nie zostały odczytane.</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства не записаны.</source>
        <translation>Parametry urządzenia wykonawczego nie zostały zapisane.</translation>
    </message>
    <message>
        <source>Заводские настройки исполнительного устройства не восстановлены.</source>
        <translation>Ustawienia fabryczne urządzenia wykonawczego nie zostały przywrócone.</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства не восстановлены.</source>
        <translation>Parametry urządzenia wykonawczego nie zostały przywrócone.</translation>
    </message>
    <message>
        <source>Параметры записаны в исполнительное устройство: %1</source>
        <translation>Parametry zapisane w urządzeniu wykonawczym: %1</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Uwaga</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства будут заменены заводскими. Продолжить?</source>
        <translation>Parametry urządzenia wykonawczego zostaną zastąpione fabrycznymi. Kontynuować?</translation>
    </message>
    <message>
        <source>Восстановлены заводские параметры исполнительного устройства</source>
        <translation>Przywrócono fabryczne parametry urządzenia wykonawczego</translation>
    </message>
</context>
<context>
    <name>QPropertyWidget</name>
    <message>
        <source>Неизвестно</source>
        <translation>Nieznana</translation>
    </message>
</context>
<context>
    <name>QRemoteOperations</name>
    <message>
        <source>Ошибка</source>
        <translation>Błąd</translation>
    </message>
    <message>
        <source>Активация пульта</source>
        <translation>Aktywacja pilota</translation>
    </message>
    <message>
        <source>Блокировка пульта</source>
        <translation>Blokowanie pilota</translation>
    </message>
    <message>
        <source>Владелец пульта</source>
        <translation>Właściciel pilota</translation>
    </message>
    <message>
        <source>Введите информацию о владельце пульта(максимально %1 символов)</source>
        <translation>Wprowadź informacje o właścicielu pilota (maksymalnie %1 znaków)</translation>
    </message>
    <message>
        <source>Информация о владельце пульта не должна быть длиннее %1 символов. Текущая длина </source>
        <translation>Informacje o właścicielu pilota nie mogą być dłuższe niż %1 znaków. Bieżąca długość </translation>
    </message>
    <message>
        <source>Изменение сведений о владельце пульта</source>
        <translation>Zmiana informacji o właścicielu pilota</translation>
    </message>
    <message>
        <source>Удаление пульта</source>
        <translation>Usuwanie pilota</translation>
    </message>
    <message>
        <source>Пульт будет удален из системы. Продолжить?</source>
        <translation>Pilot zostanie usunięty z systemu. Kontynuować?</translation>
    </message>
    <message>
        <source>Удаление пульта из системы</source>
        <translation>Usuwanie pilota z systemu</translation>
    </message>
    <message>
        <source>Пульт №%1 (владелец &apos;%2&apos;) не изменен в таблице.</source>
        <translation>Pilot nr %1 (właściciel &apos;%2&apos;) nie został zmieniony w tabeli.</translation>
    </message>
    <message>
        <source>Пульт №%1 (владелец &apos;%2&apos;) не удален из таблицы.</source>
        <translation>Pilot nr %1 (właściciel &apos;%2&apos;) nie został usunięty z tabeli.</translation>
    </message>
</context>
<context>
    <name>QRemoteSearch</name>
    <message>
        <source>Ошибка</source>
        <translation>Błąd</translation>
    </message>
    <message>
        <source>Установка режима работы</source>
        <translation>Ustawianie trybu pracy</translation>
    </message>
    <message>
        <source>Изменение режима работы устройства</source>
        <translation>Zmiana trybu pracy urządzenia</translation>
    </message>
    <message>
        <source>Не удалось добавить новый пульт</source>
        <translation>Nie udało się dodać nowego pilota</translation>
    </message>
    <message>
        <source>Запись устройств в USB-stick и исполнительное устройство</source>
        <translation>Zapisywanie pilotów w USB-stick i urządzeniu wykonawczym</translation>
    </message>
    <message>
        <source>Поиск пульта</source>
        <translation>Wyszukiwanie pilota</translation>
    </message>
    <message>
        <source>Поиск</source>
        <translation>Szukaj</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Определение пульта... 
Нажмите и удерживайте в течение 4 секунд кнопку на пульте для его определения.</source>
        <translation>Rozpoznawanie pilota... 
Naciśnij i przytrzymaj przycisk pilota przez 4 sekundy, aby go rozpoznać.</translation>
    </message>
    <message>
        <source>Найден пульт, владелец &apos;</source>
        <translation>Znaleziono pilota, właściciel &apos;</translation>
    </message>
    <message>
        <source>Найден незарегистрированный пульт №</source>
        <translation>Znaleziono niezarejestrowanego pilota nr </translation>
    </message>
</context>
<context>
    <name>QRemoteTableView</name>
    <message>
        <source>Добавить пульт</source>
        <translation>Dodaj pilota</translation>
    </message>
    <message>
        <source>Редактировать пульт</source>
        <translation>Edytuj pilota</translation>
    </message>
    <message>
        <source>Удалить пульт</source>
        <translation>Usuń pilota</translation>
    </message>
    <message>
        <source>Активировать пульт</source>
        <translation>Aktywuj pilota</translation>
    </message>
</context>
<context>
    <name>QTableCompare</name>
    <message>
        <source>Ошибка</source>
        <translation>Błąd</translation>
    </message>
    <message>
        <source>резервная копия %1</source>
        <translation>kopia zapasowa %1</translation>
    </message>
    <message>
        <source>Применение изменений к USB-stick...</source>
        <translation>Stosowanie zmian do USB-stick...</translation>
    </message>
    <message>
        <source>Удаление пульта №%1</source>
        <translation>Usuwanie pilota nr %1</translation>
    </message>
    <message>
        <source>Запись пульта №%1</source>
        <translation>Zapisywanie pilota nr %1</translation>
    </message>
    <message>
        <source>выполнено %1 из %2</source>
        <translation>wykonano %1 z %2</translation>
    </message>
    <message>
        <source>Изменения применены к USB-stick: %1</source>
        <translation>Zmiany zastosowane do USB-stick: %1</translation>
    </message>
    <message>
        <source>Изменения применены не полностью: %1.</source>
        <translation>Zmiany nie zostały zastosowane w całości: %1.</translation>
    </message>
    <message>
        <source>Ни одно изменение не выполнено.</source>
        <translation>Nie wprowadzono żadnej zmiany.</translation>
    </message>
    <message>
        <source>Выполнены:</source>
        <translation>Wykonane:</translation>
    </message>
    <message>
        <source>Таблица на экране показывает пульты, которые содержит USB-stick.</source>
        <translation>Tabela na ekranie pokazuje piloty, które zawiera USB-stick.</translation>
    </message>
    <message>
        <source>Изменение, на которое не пришел ответ, могло быть выполнено: таблица USB-stick будет прочитана заново.</source>
        <translation>Zmiana, na którą nie przyszła odpowiedź, mogła zostać wykonana: tabela USB-stick zostanie odczytana ponownie.</translation>
    </message>
    <message>
        <source>Чтение данных с USB-stick...</source>
        <translation>Odczyt danych z USB-stick...</translation>
    </message>
    <message>
        <source>Изменения не применены: в USB-stick ничего не изменено.</source>
        <translation>Zmiany nie zostały zastosowane: na USB-sticku nic nie zmieniono.</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Uwaga</translation>
    </message>
    <message>
        <source>Из USB-stick будет удалено пультов: %1, записано: %2. Продолжить?</source>
        <translation>Z USB-sticka zostanie usuniętych pilotów: %1, zapisanych: %2. Kontynuować?</translation>
    </message>
    <message>
        <source>Добавляется пультов: %1, свободно мест в USB-stick: %2, освободят удаления: %3.</source>
        <translation>Dodawanych pilotów: %1, wolnych miejsc w USB-sticku: %2, zwolnią usunięcia: %3.</translation>
    </message>
</context>
<context>
    <name>QTableCopy</name>
    <message>
        <source>Ошибка</source>
        <translation>Błąd</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Informacja</translation>
    </message>
    <message>
        <source>Операция копирования завершена успешно</source>
        <translation>Operacja kopiowania zakończona pomyślnie</translation>
    </message>
    <message>
        <source>Операция копирования завершена с ошибкой</source>
        <translation>Operacja kopiowania zakończona błędem</translation>
    </message>
    <message>
        <source>Чтение данных с USB-stick...</source>
        <translation>Odczyt danych z USB-stick...</translation>
    </message>
    <message>
        <source>Очистка памяти исполнительного устройства...</source>
        <translation>Czyszczenie pamięci urządzenia wykonawczego...</translation>
    </message>
    <message>
        <source>Копирование таблицы устройств из USB-stick в исполнительное устройство...</source>
        <translation>Kopiowanie tabeli urządzeń z USB-stick do urządzenia wykonawczego...</translation>
    </message>
    <message>
        <source>Определение размера таблицы пультов на исполнительном устройстве</source>
        <translation>Ustalanie rozmiaru tabeli pilotów w urządzeniu wykonawczym</translation>
    </message>
    <message>
        <source>Копирование таблицы пультов из исполнительного устройства в USB-stick.</source>
        <translation>Kopiowanie tabeli pilotów z urządzenia wykonawczego do USB-stick.</translation>
    </message>
    <message>
        <source>Ошибка чтения состояния памяти USB-sticka</source>
        <translation>Błąd odczytu stanu pamięci USB-stick</translation>
    </message>
    <message>
        <source>Чтение данных с устройства</source>
        <translation>Odczyt danych z urządzenia</translation>
    </message>
    <message>
        <source>Ошибка чтения состояния памяти устройства</source>
        <translation>Błąd odczytu stanu pamięci urządzenia</translation>
    </message>
    <message>
        <source>Копирование проверено: в USB-stick и в исполнительном устройстве по %1 пультов</source>
        <translation>Kopiowanie zweryfikowane: w USB-stick i w urządzeniu wykonawczym jest po %1 pilotów</translation>
    </message>
    <message>
        <source>Проверка копирования</source>
        <translation>Weryfikacja kopiowania</translation>
    </message>
    <message>
        <source>После копирования в исполнительном устройстве пультов: %1, в USB-stick: %2</source>
        <translation>Po kopiowaniu pilotów w urządzeniu wykonawczym: %1, w USB-stick: %2</translation>
    </message>
    <message>
        <source>Проверка копирования...</source>
        <translation>Weryfikacja kopiowania...</translation>
    </message>
    <message>
        <source>Не удалось прочитать состояние памяти для проверки копирования</source>
        <translation>Nie udało się odczytać stanu pamięci w celu weryfikacji kopiowania</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Uwaga</translation>
    </message>
    <message>
        <source>Таблица пультов исполнительного устройства будет стёрта и заменена таблицей USB-stick (пультов: %1). Продолжить?</source>
        <translation>Tabela pilotów urządzenia wykonawczego zostanie wymazana i zastąpiona tabelą USB-stick (pilotów: %1). Kontynuować?</translation>
    </message>
    <message>
        <source>Таблица пультов исполнительного устройства будет стёрта и заменена таблицей USB-stick. Продолжить?</source>
        <translation>Tabela pilotów urządzenia wykonawczego zostanie wymazana i zastąpiona tabelą USB-stick. Kontynuować?</translation>
    </message>
    <message>
        <source>Таблица пультов USB-stick будет стёрта и заменена таблицей исполнительного устройства. Продолжить?</source>
        <translation>Tabela pilotów USB-stick zostanie wymazana i zastąpiona tabelą urządzenia wykonawczego. Kontynuować?</translation>
    </message>
    <message>
        <source>Таблица не скопирована: память исполнительного устройства не очищена.</source>
        <translation>Tabela nie została skopiowana: pamięć urządzenia wykonawczego nie została wyczyszczona.</translation>
    </message>
    <message>
        <source>Пультов в USB-stick: %1, мест в памяти исполнительного устройства: %2.</source>
        <translation>Pilotów w USB-sticku: %1, miejsc w pamięci urządzenia wykonawczego: %2.</translation>
    </message>
    <message>
        <source>Таблица не скопирована: таблица USB-stick не изменена.</source>
        <translation>Tabela nie została skopiowana: tabela USB-sticka nie została zmieniona.</translation>
    </message>
    <message>
        <source>Пультов в исполнительном устройстве: %1, мест в памяти USB-stick: %2.</source>
        <translation>Pilotów w urządzeniu wykonawczym: %1, miejsc w pamięci USB-sticka: %2.</translation>
    </message>
</context>
<context>
    <name>QTableCsv</name>
    <message>
        <source>Ошибка</source>
        <translation>Błąd</translation>
    </message>
    <message>
        <source>Экспорт таблицы в CSV</source>
        <translation>Eksport tabeli do CSV</translation>
    </message>
    <message>
        <source>Ошибка открытия файла </source>
        <translation>Błąd otwarcia pliku </translation>
    </message>
    <message>
        <source>Таблица экспортирована в %1</source>
        <translation>Tabela wyeksportowana do %1</translation>
    </message>
    <message>
        <source>Импорт таблицы из CSV</source>
        <translation>Import tabeli z CSV</translation>
    </message>
    <message>
        <source>Таблица не экспортирована: ошибка записи файла %1</source>
        <translation>Tabela nie została wyeksportowana: błąd zapisu pliku %1</translation>
    </message>
    <message>
        <source>Импорт из CSV</source>
        <translation>Import z CSV</translation>
    </message>
    <message>
        <source>Таблица на экране не сохранена в файл. Импорт заменит ее. Продолжить?</source>
        <translation>Tabela na ekranie nie jest zapisana w pliku. Import ją zastąpi. Kontynuować?</translation>
    </message>
</context>
<context>
    <name>QTableFiles</name>
    <message>
        <source>Выбор файла json</source>
        <translation>Wybór pliku json</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Błąd</translation>
    </message>
    <message>
        <source>Ошибка системы резервного копирования</source>
        <translation>Błąd systemu kopii zapasowych</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Zakończ</translation>
    </message>
    <message>
        <source>База данных не сохранена в файл. Хотите ее сохранить перед выходом?</source>
        <translation>Baza danych nie została zapisana do pliku. Czy zapisać ją przed wyjściem?</translation>
    </message>
    <message>
        <source>Вы действительно хотите выйти из программы?</source>
        <translation>Czy na pewno chcesz zakończyć program?</translation>
    </message>
    <message>
        <source>Папка %1 не создаётся</source>
        <translation>Nie można utworzyć folderu %1</translation>
    </message>
    <message>
        <source>исполнительного устройства</source>
        <translation>urządzenia wykonawczego</translation>
    </message>
    <message>
        <source>USB-stick</source>
        <translation>USB-stick</translation>
    </message>
    <message>
        <source>Не удалось сохранить резервную копию таблицы %1, которая была бы заменена.</source>
        <translation>Nie udało się zapisać kopii zapasowej tabeli %1, która zostałaby zastąpiona.</translation>
    </message>
    <message>
        <source>Освободите место на диске или разрешите запись в папку %1 и повторите.</source>
        <translation>Zwolnij miejsce na dysku lub zezwól na zapis w folderze %1 i spróbuj ponownie.</translation>
    </message>
</context>
<context>
    <name>QTableTransfers</name>
    <message>
        <source>Ошибка</source>
        <translation>Błąd</translation>
    </message>
    <message>
        <source>Очистка памяти в USB-stick...</source>
        <translation>Czyszczenie pamięci w USB-stick...</translation>
    </message>
    <message>
        <source>Ошибка чтения списка пультов с USB-stick</source>
        <translation>Błąd odczytu listy pilotów z USB-stick</translation>
    </message>
    <message>
        <source>Чтение данных с USB-stick...</source>
        <translation>Odczyt danych z USB-stick...</translation>
    </message>
    <message>
        <source>Чтение пультов с USB-stick...</source>
        <translation>Odczyt pilotów z USB-stick...</translation>
    </message>
    <message>
        <source>Очистка памяти USB-stick...</source>
        <translation>Czyszczenie pamięci USB-stick...</translation>
    </message>
    <message>
        <source>Запись пультов на USB-stick...</source>
        <translation>Zapisywanie pilotów w USB-stick...</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Uwaga</translation>
    </message>
    <message>
        <source>Вы действительно хотите очистить память USB-stick и исполнительного устройства</source>
        <translation>Czy na pewno chcesz wyczyścić pamięć USB-stick i urządzenia wykonawczego</translation>
    </message>
    <message>
        <source>Ошибка очистки памяти USB-stick.</source>
        <translation>Błąd czyszczenia pamięci USB-stick.</translation>
    </message>
    <message>
        <source>Проверка записи</source>
        <translation>Weryfikacja zapisu</translation>
    </message>
    <message>
        <source>Не удалось прочитать таблицу USB-stick для проверки записи</source>
        <translation>Nie udało się odczytać tabeli USB-stick w celu weryfikacji zapisu</translation>
    </message>
    <message>
        <source>Запись проверена: таблица USB-stick совпадает с записанной</source>
        <translation>Zapis zweryfikowany: tabela USB-stick jest zgodna z zapisaną</translation>
    </message>
    <message>
        <source>Таблица USB-stick после записи отличается от записанной:</source>
        <translation>Tabela USB-stick po zapisie różni się od zapisanej:</translation>
    </message>
    <message>
        <source>записано %1 из %2</source>
        <translation>zapisano %1 z %2</translation>
    </message>
    <message>
        <source>при проверке найдено отличий: %1</source>
        <translation>różnice wykryte podczas weryfikacji: %1</translation>
    </message>
    <message>
        <source>USB-stick</source>
        <translation>USB-stick</translation>
    </message>
    <message>
        <source>USB-stick и исполнительное устройство</source>
        <translation>USB-stick i urządzenie wykonawcze</translation>
    </message>
    <message>
        <source>На USB-stick возвращена прежняя таблица</source>
        <translation>Na USB-stick przywrócono poprzednią tabelę</translation>
    </message>
    <message>
        <source>Таблица пультов не записана в USB-stick: в нём может остаться только её часть.</source>
        <translation>Tabela pilotów nie została zapisana w USB-stick: może on zawierać tylko jej część.</translation>
    </message>
    <message>
        <source>Таблица пуста: все пульты будут удалены из USB-stick. Продолжить?</source>
        <translation>Tabela jest pusta: wszystkie piloty zostaną usunięte z USB-stick. Kontynuować?</translation>
    </message>
    <message>
        <source>Таблица USB-stick будет стёрта и записана заново. После записи в USB-stick будет пультов: %1. Продолжить?</source>
        <translation>Tabela USB-stick zostanie wymazana i zapisana od nowa. Po zapisie USB-stick będzie zawierać pilotów: %1. Kontynuować?</translation>
    </message>
    <message>
        <source>Таблица USB-stick очищена: в нём нет пультов</source>
        <translation>Tabela USB-stick wyczyszczona: nie zawiera pilotów</translation>
    </message>
    <message>
        <source>Таблица записана в USB-stick, пультов: %1 (без проверки)</source>
        <translation>Tabela zapisana w USB-stick, pilotów: %1 (bez sprawdzenia)</translation>
    </message>
    <message>
        <source>Память USB-stick очищена</source>
        <translation>Pamięć USB-stick wyczyszczona</translation>
    </message>
    <message>
        <source>Память USB-stick и исполнительного устройства очищена</source>
        <translation>Pamięć USB-stick i urządzenia wykonawczego wyczyszczona</translation>
    </message>
    <message>
        <source>Пультов в таблице: %1, мест в памяти USB-stick: %2.</source>
        <translation>Pilotów w tabeli: %1, miejsc w pamięci USB-sticka: %2.</translation>
    </message>
    <message>
        <source>Таблица не записана в USB-stick: его память не очищена.</source>
        <translation>Tabela nie została zapisana w USB-sticku: jego pamięć nie została wyczyszczona.</translation>
    </message>
    <message>
        <source>Память USB-stick не очищена.</source>
        <translation>Pamięć USB-sticka nie została wyczyszczona.</translation>
    </message>
    <message>
        <source>Прежняя таблица не возвращена на USB-stick: в нём может остаться только часть таблицы. Прежняя таблица сохранена в резервной копии</source>
        <translation>Nie przywrócono poprzedniej tabeli na USB-stick: może w nim pozostać tylko część tabeli. Poprzednia tabela jest zachowana w kopii zapasowej</translation>
    </message>
</context>
<context>
    <name>QUpdateChangesDialog</name>
    <message>
        <source>Добавлено:</source>
        <translation>Dodano:</translation>
    </message>
    <message>
        <source>Изменено:</source>
        <translation>Zmieniono:</translation>
    </message>
    <message>
        <source>Исправлено:</source>
        <translation>Poprawiono:</translation>
    </message>
    <message>
        <source>Удалено:</source>
        <translation>Usunięto:</translation>
    </message>
    <message>
        <source>Прочее:</source>
        <translation>Inne:</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Tak</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>Установить обновление программного обеспечения из интернета?</source>
        <translation>Zainstalować aktualizację oprogramowania z internetu?</translation>
    </message>
</context>
<context>
    <name>QUpdateController</name>
    <message>
        <source>Доступно интернет-обновление программы. Чтобы приступить к обновлению, нажмите здесь клавишей мыши</source>
        <translation>Dostępna jest aktualizacja programu z internetu. Aby rozpocząć aktualizację, kliknij tutaj</translation>
    </message>
    <message>
        <source>Доступно интернет-обновление прошивки USB-stick 5813. Чтобы приступить к обновлению, нажмите здесь клавишей мыши</source>
        <translation>Dostępna jest aktualizacja oprogramowania USB-stick 5813 z internetu. Aby rozpocząć aktualizację, kliknij tutaj</translation>
    </message>
    <message>
        <source>Доступно интернет-обновление прошивки исполнительного устройства. Чтобы приступить к обновлению, нажмите здесь клавишей мыши</source>
        <translation>Dostępna jest aktualizacja oprogramowania urządzenia wykonawczego z internetu. Aby rozpocząć aktualizację, kliknij tutaj</translation>
    </message>
    <message>
        <source>: Ошибка сети</source>
        <translation>: Błąd sieci</translation>
    </message>
    <message>
        <source>Нет связи с сервером. Невозможно проверить необходимость обновления программы</source>
        <translation>Brak połączenia z serwerem. Nie można sprawdzić, czy program wymaga aktualizacji</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Błąd</translation>
    </message>
    <message>
        <source>Адрес сервера обновлений %1 отклонён: обновления загружаются только по защищённому соединению (https://).</source>
        <translation>Adres serwera aktualizacji %1 został odrzucony: aktualizacje są pobierane wyłącznie przez bezpieczne połączenie (https://).</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Informacja</translation>
    </message>
    <message>
        <source>Сервер обновлений не настроен.</source>
        <translation>Serwer aktualizacji nie jest skonfigurowany.</translation>
    </message>
    <message>
        <source>Получение сведений об обновлениях из интернета...</source>
        <translation>Pobieranie informacji o aktualizacjach z internetu...</translation>
    </message>
    <message>
        <source>Ошибка загрузки сведений об обновлении с сервера. Проверьте ваше подключение к интернету</source>
        <translation>Błąd pobierania informacji o aktualizacji z serwera. Sprawdź połączenie z internetem</translation>
    </message>
    <message>
        <source>Операция обновления программного обеспечения невозможна во время обмена данным с usb-stick либо исполнительным устройством</source>
        <translation>Aktualizacja oprogramowania nie jest możliwa podczas wymiany danych z USB-stick lub urządzeniem wykonawczym</translation>
    </message>
    <message>
        <source>Изменения, реализованные в новой версии прошивки USB-stick:&lt;br&gt;</source>
        <translation>Zmiany wprowadzone w nowej wersji oprogramowania USB-stick:&lt;br&gt;</translation>
    </message>
    <message>
        <source>Изменения, реализованные в новой версии прошивки исполнительного устройства:&lt;br&gt;</source>
        <translation>Zmiany wprowadzone w nowej wersji oprogramowania urządzenia wykonawczego:&lt;br&gt;</translation>
    </message>
    <message>
        <source>Изменения, реализованные в новой версии программы </source>
        <translation>Zmiany wprowadzone w nowej wersji programu </translation>
    </message>
    <message>
        <source>У вас последняя версия программы.</source>
        <translation>Masz najnowszą wersję programu.</translation>
    </message>
    <message>
        <source>Уже установлена последняя версия прошивки.</source>
        <translation>Najnowsza wersja oprogramowania jest już zainstalowana.</translation>
    </message>
    <message>
        <source>Загрузка обновления программы из интернета...</source>
        <translation>Pobieranie aktualizacji programu z internetu...</translation>
    </message>
    <message>
        <source>Ошибка загрузки обновления с сервера. Проверьте ваше подключение к интернету</source>
        <translation>Błąd pobierania aktualizacji z serwera. Sprawdź połączenie z internetem</translation>
    </message>
    <message>
        <source>Ошибка загрузки прошивки из файла</source>
        <translation>Błąd wczytywania oprogramowania z pliku</translation>
    </message>
    <message>
        <source>Прошивка не записана. Загруженный файл сохранён: %1</source>
        <translation>Oprogramowanie układowe nie zostało zapisane. Pobrany plik zachowano: %1</translation>
    </message>
    <message>
        <source>Ключ проверки подписи обновлений не распознан: нужна строка открытого ключа minisign. Обновления не загружаются.</source>
        <translation>Nie rozpoznano klucza podpisu aktualizacji: potrzebny jest wiersz klucza publicznego minisign. Aktualizacje nie są pobierane.</translation>
    </message>
    <message>
        <source>Ключ проверки подписи обновлений не задан: обновления не загружаются.</source>
        <translation>Nie ustawiono klucza podpisu aktualizacji: aktualizacje nie są pobierane.</translation>
    </message>
    <message>
        <source>Сведения об обновлении с сервера не прошли проверку подписи и не приняты.</source>
        <translation>Informacje o aktualizacji z serwera nie przeszły weryfikacji podpisu i nie zostały przyjęte.</translation>
    </message>
    <message>
        <source>Файл %1 с сервера обновлений не прошёл проверку подписи и удалён. Ничего не установлено.</source>
        <translation>Plik %1 z serwera aktualizacji nie przeszedł weryfikacji podpisu i został usunięty. Nic nie zainstalowano.</translation>
    </message>
    <message>
        <source>Файл подписан ключом %1, которому программа не доверяет. Кроме встроенного ключа, доверенные ключи берутся только из %2, куда может писать лишь администратор.</source>
        <translation>Plik jest podpisany kluczem %1, któremu program nie ufa. Oprócz klucza wbudowanego zaufane klucze są brane tylko z %2, do którego może pisać wyłącznie administrator.</translation>
    </message>
    <message>
        <source>Сведения об обновлении с сервера старше уже полученных ранее и не приняты.</source>
        <translation>Informacje o aktualizacji z serwera są starsze niż otrzymane wcześniej i nie zostały przyjęte.</translation>
    </message>
    <message>
        <source>Программа с сервера обновлений (версия %1) не новее установленной (%2) и удалена. Ничего не установлено.</source>
        <translation>Program z serwera aktualizacji (wersja %1) nie jest nowszy od zainstalowanego (%2) i został usunięty. Niczego nie zainstalowano.</translation>
    </message>
    <message>
        <source>не указана</source>
        <translation>nie podano</translation>
    </message>
    <message>
        <source>Сведения на сервере обновлений устарели: они подписаны %1, более %2 дней назад. Более новые версии могут быть от вас скрыты; сообщите об этом поставщику.</source>
        <translation>Informacje na serwerze aktualizacji są nieaktualne: podpisano je %1, ponad %2 dni temu. Nowsze wersje mogą być przed Tobą ukryte; poinformuj o tym dostawcę.</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Uwaga</translation>
    </message>
    <message>
        <source>Загруженный файл прошивки сохранён: %1
Его можно записать снова командой «%2».</source>
        <translation>Pobrany plik oprogramowania zachowano: %1
Można go zapisać ponownie poleceniem „%2”.</translation>
    </message>
    <message>
        <source>Обновить прошивку USB-stick из файла...</source>
        <translation>Aktualizuj oprogramowanie USB-stick z pliku...</translation>
    </message>
    <message>
        <source>Обновить прошивку исполнительного устройства из файла...</source>
        <translation>Aktualizuj oprogramowanie urządzenia wykonawczego z pliku...</translation>
    </message>
    <message>
        <source>Ключ в настройках пользователя не принимается: кроме встроенного ключа, доверенные ключи берутся только из %1, куда может писать лишь администратор.</source>
        <translation>Klucz w ustawieniach użytkownika nie jest przyjmowany: oprócz klucza wbudowanego zaufane klucze są brane tylko z %1, do którego może pisać wyłącznie administrator.</translation>
    </message>
</context>
<context>
    <name>QUpdateManager</name>
    <message>
        <source>Версия </source>
        <translation>Wersja </translation>
    </message>
</context>
<context>
    <name>QUpdateNotice</name>
    <message>
        <source>Скрыть</source>
        <translation>Ukryj</translation>
    </message>
</context>
<context>
    <name>QWaitDialog</name>
    <message>
        <source>Пожалуйста, подождите</source>
        <translation>Proszę czekać</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Операцию нельзя прервать: дождитесь её окончания</source>
        <translation>Operacji nie można przerwać: poczekaj na jej zakończenie</translation>
    </message>
</context>
<context>
    <name>SiteBackupsDialog</name>
    <message>
        <source>Без объекта</source>
        <translation>Bez obiektu</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Czas</translation>
    </message>
    <message>
        <source>Резервная копия</source>
        <translation>Kopia zapasowa</translation>
    </message>
    <message>
        <source>Отнести к объекту...</source>
        <translation>Przypisz do obiektu...</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Объектов пока нет: создайте объект в списке объектов.</source>
        <translation>Nie ma jeszcze obiektów: utwórz obiekt na liście obiektów.</translation>
    </message>
    <message>
        <source>Резервных копий: %1. К какому объекту их отнести?</source>
        <translation>Kopie zapasowe: %1. Do którego obiektu je przypisać?</translation>
    </message>
    <message>
        <source>Не отнесены к объекту:</source>
        <translation>Nie przypisano do obiektu:</translation>
    </message>
</context>
<context>
    <name>SiteEditDialog</name>
    <message>
        <source>Новый объект</source>
        <translation>Nowy obiekt</translation>
    </message>
    <message>
        <source>Объект «%1»</source>
        <translation>Obiekt „%1”</translation>
    </message>
    <message>
        <source>Название:</source>
        <translation>Nazwa:</translation>
    </message>
    <message>
        <source>Адрес или заказчик:</source>
        <translation>Adres lub klient:</translation>
    </message>
    <message>
        <source>Заметки:</source>
        <translation>Notatki:</translation>
    </message>
</context>
<context>
    <name>SiteHistoryDialog</name>
    <message>
        <source>снимок %1 (%2)</source>
        <translation>migawka %1 (%2)</translation>
    </message>
    <message>
        <source>Сравнение снимков</source>
        <translation>Porównanie migawek</translation>
    </message>
    <message>
        <source>Первый: %1
Второй: %2</source>
        <translation>Pierwsza: %1
Druga: %2</translation>
    </message>
    <message>
        <source>В первом</source>
        <translation>W pierwszym</translation>
    </message>
    <message>
        <source>Во втором</source>
        <translation>W drugim</translation>
    </message>
    <message>
        <source>Только в первом</source>
        <translation>Tylko w pierwszej</translation>
    </message>
    <message>
        <source>Только во втором</source>
        <translation>Tylko w drugiej</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Czas</translation>
    </message>
    <message>
        <source>Действие</source>
        <translation>Czynność</translation>
    </message>
    <message>
        <source>Компьютер</source>
        <translation>Komputer</translation>
    </message>
    <message>
        <source>Пультов</source>
        <translation>Pilotów</translation>
    </message>
    <message>
        <source>Добавлено</source>
        <translation>Dodano</translation>
    </message>
    <message>
        <source>Удалено</source>
        <translation>Usunięto</translation>
    </message>
    <message>
        <source>Изменено</source>
        <translation>Zmieniono</translation>
    </message>
    <message>
        <source>Сравнить</source>
        <translation>Porównaj</translation>
    </message>
    <message>
        <source>Два выбранных снимка, или выбранный и предыдущий</source>
        <translation>Dwie wybrane migawki albo wybrana i poprzednia</translation>
    </message>
    <message>
        <source>Восстановить...</source>
        <translation>Przywróć...</translation>
    </message>
    <message>
        <source>Записать в USB-stick таблицу выбранного снимка</source>
        <translation>Zapisz w USB-stick tabelę wybranej migawki</translation>
    </message>
    <message>
        <source>Отчёт...</source>
        <translation>Raport...</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>История объекта «%1»</source>
        <translation>Historia obiektu „%1”</translation>
    </message>
    <message>
        <source>таблица не читается</source>
        <translation>tabela nieczytelna</translation>
    </message>
    <message>
        <source>Восстановление</source>
        <translation>Przywrócenie</translation>
    </message>
    <message>
        <source>Подключённый USB-stick относится к объекту «%1», а снимок — к объекту «%2». Всё равно сравнить и восстановить?</source>
        <translation>Podłączony USB-stick należy do obiektu „%1”, a migawka do obiektu „%2”. Mimo to porównać i przywrócić?</translation>
    </message>
    <message>
        <source>Объект подключённого USB-stick не известен, а снимок относится к объекту «%1». Всё равно сравнить и восстановить?</source>
        <translation>Obiekt podłączonego USB-stick nie jest znany, a migawka należy do obiektu „%1”. Mimo to porównać i przywrócić?</translation>
    </message>
    <message>
        <source>Только в первом: %1, только во втором: %2, отличаются: %3</source>
        <translation>Tylko w pierwszej: %1, tylko w drugiej: %2, różnią się: %3</translation>
    </message>
</context>
<context>
    <name>SiteIndex</name>
    <message>
        <source>Не удалось открыть указатель объектов %1: %2</source>
        <translation>Nie można otworzyć indeksu obiektów %1: %2</translation>
    </message>
    <message>
        <source>папка не создаётся</source>
        <translation>nie można utworzyć folderu</translation>
    </message>
    <message>
        <source>старый указатель не удаляется</source>
        <translation>nie można usunąć starego indeksu</translation>
    </message>
    <message>
        <source>Прервано</source>
        <translation>Przerwano</translation>
    </message>
</context>
<context>
    <name>SiteLibrary</name>
    <message>
        <source>Ошибка записи файла %1: %2</source>
        <translation>Błąd zapisu pliku %1: %2</translation>
    </message>
    <message>
        <source>Чтение таблицы</source>
        <translation>Odczyt tabeli</translation>
    </message>
    <message>
        <source>Запись таблицы</source>
        <translation>Zapis tabeli</translation>
    </message>
    <message>
        <source>Применение изменений</source>
        <translation>Zastosowanie zmian</translation>
    </message>
    <message>
        <source>Чтение параметров</source>
        <translation>Odczyt parametrów</translation>
    </message>
    <message>
        <source>Запись параметров</source>
        <translation>Zapis parametrów</translation>
    </message>
    <message>
        <source>Резервная копия</source>
        <translation>Kopia zapasowa</translation>
    </message>
    <message>
        <source>Восстановление</source>
        <translation>Przywrócenie</translation>
    </message>
    <message>
        <source>Ошибка открытия файла %1: %2</source>
        <translation>Błąd otwarcia pliku %1: %2</translation>
    </message>
    <message>
        <source>Неверный формат файла %1</source>
        <translation>Nieprawidłowy format pliku %1</translation>
    </message>
    <message>
        <source>У объекта нет названия</source>
        <translation>Obiekt nie ma nazwy</translation>
    </message>
    <message>
        <source>Папка %1 не создаётся</source>
        <translation>Nie można utworzyć folderu %1</translation>
    </message>
    <message>
        <source>Нет объекта «%1»</source>
        <translation>Brak obiektu „%1”</translation>
    </message>
    <message>
        <source>Ошибка записи снимка в папку %1</source>
        <translation>Błąd zapisu migawki w folderze %1</translation>
    </message>
    <message>
        <source>Папка %1 удаляется не полностью</source>
        <translation>Folderu %1 nie udało się usunąć w całości</translation>
    </message>
</context>
<context>
    <name>SiteListDialog</name>
    <message>
        <source>Объекты</source>
        <translation>Obiekty</translation>
    </message>
    <message>
        <source>Объект</source>
        <translation>Obiekt</translation>
    </message>
    <message>
        <source>Адрес или заказчик</source>
        <translation>Adres lub klient</translation>
    </message>
    <message>
        <source>Снимков</source>
        <translation>Migawki</translation>
    </message>
    <message>
        <source>Последний снимок</source>
        <translation>Ostatnia migawka</translation>
    </message>
    <message>
        <source>Создать...</source>
        <translation>Utwórz...</translation>
    </message>
    <message>
        <source>Изменить...</source>
        <translation>Edytuj...</translation>
    </message>
    <message>
        <source>Удалить...</source>
        <translation>Usuń...</translation>
    </message>
    <message>
        <source>История...</source>
        <translation>Historia...</translation>
    </message>
    <message>
        <source>Объект USB-stick</source>
        <translation>Obiekt USB-stick</translation>
    </message>
    <message>
        <source>Подключённый USB-stick относится к этому объекту</source>
        <translation>Podłączony USB-stick należy do tego obiektu</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Новый объект</source>
        <translation>Nowy obiekt</translation>
    </message>
    <message>
        <source>Объект «%1» уже есть.</source>
        <translation>Obiekt „%1” już istnieje.</translation>
    </message>
    <message>
        <source>Удаление объекта</source>
        <translation>Usuwanie obiektu</translation>
    </message>
    <message>
        <source>Удалить объект «%1» со всеми его снимками (%2)? Это нельзя отменить.</source>
        <translation>Usunąć obiekt „%1” ze wszystkimi jego migawkami (%2)? Tego nie można cofnąć.</translation>
    </message>
</context>
<context>
    <name>SiteRecorder</name>
    <message>
        <source>Объект не определён: %1</source>
        <translation>Nie rozpoznano obiektu: %1</translation>
    </message>
    <message>
        <source>%1 (общих пультов: %2 из %3)</source>
        <translation>%1 (wspólne piloty: %2 z %3)</translation>
    </message>
    <message>
        <source>Новый объект</source>
        <translation>Nowy obiekt</translation>
    </message>
    <message>
        <source>Не сейчас</source>
        <translation>Nie teraz</translation>
    </message>
    <message>
        <source>Объект</source>
        <translation>Obiekt</translation>
    </message>
    <message>
        <source>USB-stick не относится ни к одному известному объекту. Где он установлен?</source>
        <translation>USB-stick nie należy do żadnego znanego obiektu. Gdzie jest zainstalowany?</translation>
    </message>
    <message>
        <source>К какому объекту относится подключённый USB-stick?</source>
        <translation>Do którego obiektu należy podłączony USB-stick?</translation>
    </message>
    <message>
        <source>Название объекта:</source>
        <translation>Nazwa obiektu:</translation>
    </message>
    <message>
        <source>Снимок не сохранён в объекте «%1»: таблица USB-stick не известна</source>
        <translation>Migawka nie została zapisana w obiekcie „%1”: tabela USB-stick nie jest znana</translation>
    </message>
    <message>
        <source>Снимок не сохранён в объекте «%1»: %2</source>
        <translation>Migawka nie została zapisana w obiekcie „%1”: %2</translation>
    </message>
</context>
<context>
    <name>SiteReport</name>
    <message>
        <source>Ни один снимок объекта «%1» не читается</source>
        <translation>Żadnej migawki obiektu „%1” nie można odczytać</translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation>Adres</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Примечания</source>
        <translation>Uwagi</translation>
    </message>
    <message>
        <source>Версии прошивок</source>
        <translation>Wersje oprogramowania</translation>
    </message>
    <message>
        <source>неизвестна</source>
        <translation>nieznana</translation>
    </message>
    <message>
        <source>USB-stick</source>
        <translation>USB-stick</translation>
    </message>
    <message>
        <source>Исполнительное устройство</source>
        <translation>Urządzenie wykonawcze</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства</source>
        <translation>Parametry urządzenia wykonawczego</translation>
    </message>
    <message>
        <source>Параметры не читались</source>
        <translation>Parametry nie były odczytywane</translation>
    </message>
    <message>
        <source>Пульты</source>
        <translation>Piloty</translation>
    </message>
    <message>
        <source>Номер</source>
        <translation>Numer</translation>
    </message>
    <message>
        <source>Владелец</source>
        <translation>Właściciel</translation>
    </message>
    <message>
        <source>Группа</source>
        <translation>Grupa</translation>
    </message>
    <message>
        <source>Состояние</source>
        <translation>Stan</translation>
    </message>
    <message>
        <source>Режим работы</source>
        <translation>Tryb pracy</translation>
    </message>
    <message>
        <source>пешеходный</source>
        <translation>pieszy</translation>
    </message>
    <message>
        <source>обычный</source>
        <translation>zwykły</translation>
    </message>
    <message>
        <source>Последние изменения</source>
        <translation>Ostatnie zmiany</translation>
    </message>
    <message>
        <source>Снимков нет</source>
        <translation>Brak migawek</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Czas</translation>
    </message>
    <message>
        <source>Действие</source>
        <translation>Czynność</translation>
    </message>
    <message>
        <source>Компьютер</source>
        <translation>Komputer</translation>
    </message>
    <message>
        <source>Добавлено</source>
        <translation>Dodano</translation>
    </message>
    <message>
        <source>Удалено</source>
        <translation>Usunięto</translation>
    </message>
    <message>
        <source>Изменено</source>
        <translation>Zmieniono</translation>
    </message>
    <message>
        <source>не читается</source>
        <translation>nieczytelna</translation>
    </message>
    <message>
        <source>Ошибка записи файла %1: %2</source>
        <translation>Błąd zapisu pliku %1: %2</translation>
    </message>
    <message>
        <source>Объект «%1»</source>
        <translation>Obiekt „%1”</translation>
    </message>
    <message>
        <source>Ошибка записи файла %1</source>
        <translation>Błąd zapisu pliku %1</translation>
    </message>
    <message>
        <source>Параметр</source>
        <translation>Parametr</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Wartość</translation>
    </message>
    <message>
        <source>Известно с</source>
        <translation>Znane od</translation>
    </message>
</context>
<context>
    <name>SiteSearchDialog</name>
    <message>
        <source>Найти пульт</source>
        <translation>Znajdź pilota</translation>
    </message>
    <message>
        <source>Номер пульта или часть имени владельца</source>
        <translation>Numer pilota lub część nazwiska właściciela</translation>
    </message>
    <message>
        <source>Найти</source>
        <translation>Znajdź</translation>
    </message>
    <message>
        <source>Объект</source>
        <translation>Obiekt</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Pilot</translation>
    </message>
    <message>
        <source>Владелец</source>
        <translation>Właściciel</translation>
    </message>
    <message>
        <source>Первый снимок</source>
        <translation>Pierwsza migawka</translation>
    </message>
    <message>
        <source>Последний снимок</source>
        <translation>Ostatnia migawka</translation>
    </message>
    <message>
        <source>Сейчас</source>
        <translation>Teraz</translation>
    </message>
    <message>
        <source>Открыть объект</source>
        <translation>Otwórz obiekt</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>есть</source>
        <translation>jest</translation>
    </message>
    <message>
        <source>удалён</source>
        <translation>usunięty</translation>
    </message>
    <message>
        <source>Не найдено ни одного пульта.</source>
        <translation>Nie znaleziono żadnego pilota.</translation>
    </message>
    <message>
        <source>Найдено больше %1 пультов; уточните запрос.</source>
        <translation>Znaleziono ponad %1 pilotów; zawęź wyszukiwanie.</translation>
    </message>
    <message>
        <source>Найдено пультов: %1</source>
        <translation>Znalezione piloty: %1</translation>
    </message>
</context>
<context>
    <name>SitesMenu</name>
    <message>
        <source>Объекты</source>
        <translation>Obiekty</translation>
    </message>
    <message>
        <source>Список объектов не прочитан: %1</source>
        <translation>Nie udało się odczytać listy obiektów: %1</translation>
    </message>
    <message>
        <source>Отчёт</source>
        <translation>Raport</translation>
    </message>
    <message>
        <source>Объектов пока нет.</source>
        <translation>Nie ma jeszcze obiektów.</translation>
    </message>
    <message>
        <source>Отчёт об объекте:</source>
        <translation>Raport o obiekcie:</translation>
    </message>
    <message>
        <source>Отчёт об объекте «%1»</source>
        <translation>Raport o obiekcie „%1”</translation>
    </message>
    <message>
        <source>Документ PDF (*.pdf)</source>
        <translation>Dokument PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Отчёт сохранён: %1</source>
        <translation>Raport zapisany: %1</translation>
    </message>
    <message>
        <source>Объекты...</source>
        <translation>Obiekty...</translation>
    </message>
    <message>
        <source>Найти пульт...</source>
        <translation>Znajdź pilota...</translation>
    </message>
    <message>
        <source>Отчёт...</source>
        <translation>Raport...</translation>
    </message>
    <message>
        <source>Без объекта...</source>
        <translation>Bez obiektu...</translation>
    </message>
    <message>
        <source>Объект: %1</source>
        <translation>Obiekt: %1</translation>
    </message>
    <message>
        <source>Объект не выбран</source>
        <translation>Nie wybrano obiektu</translation>
    </message>
    <message>
        <source>Объект подключённого USB-stick...</source>
        <translation>Obiekt podłączonego USB-stick...</translation>
    </message>
</context>
<context>
    <name>TableCheck</name>
    <message>
        <source>владелец содержит нулевой символ</source>
        <translation>właściciel zawiera znak zerowy</translation>
    </message>
    <message>
        <source>№%1, владелец «%2»</source>
        <translation>nr %1, właściciel «%2»</translation>
    </message>
    <message>
        <source>Пультов, которые записи USB-stick не могут хранить без изменений: %1. Первые из них:</source>
        <translation>Pilotów, których rekordy USB-sticka nie mogą przechować bez zmian: %1. Pierwsze z nich:</translation>
    </message>
    <message>
        <source>номер вне диапазона 0..%1</source>
        <translation>numer spoza zakresu 0..%1</translation>
    </message>
    <message>
        <source>... и еще %1</source>
        <translation>... i jeszcze %1</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk" sourcelanguage="ru_RU">
<context>
    <name>MainWindow</name>
    <message>
        <source>Пульты</source>
        <translation>Пульти</translation>
    </message>
    <message>
        <source>Поиск по владельцу</source>
        <translation>Пошук за власником</translation>
    </message>
    <message>
        <source>Вставьте USB-stick...</source>
        <translation>Вставте USB-stick...</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Пульт</translation>
    </message>
    <message>
        <source>Владелец</source>
        <translation>Власник</translation>
    </message>
    <message>
        <source>Статус</source>
        <translation>Статус</translation>
    </message>
    <message>
        <source>Группа</source>
        <translation>Група</translation>
    </message>
    <message>
        <source>Определить пульт</source>
        <translation>Визначити пульт</translation>
    </message>
    <message>
        <source>Добавить пульт</source>
        <translation>Додати пульт</translation>
    </message>
    <message>
        <source>Редактировать пульт</source>
        <translation>Редагувати пульт</translation>
    </message>
    <message>
        <source>Удалить пульт</source>
        <translation>Видалити пульт</translation>
    </message>
    <message>
        <source>Активировать пульт</source>
        <translation>Активувати пульт</translation>
    </message>
    <message>
        <source>Параметры ИУ</source>
        <translation>Параметри ВП</translation>
    </message>
    <message>
        <source>Значение параметра</source>
        <translation>Значення параметра</translation>
    </message>
    <message>
        <source>Загрузить из устройства</source>
        <translation>Завантажити з пристрою</translation>
    </message>
    <message>
        <source>Сохранить в устройство</source>
        <translation>Зберегти в пристрій</translation>
    </message>
    <message>
        <source>Восстановить из устройства</source>
        <translation>Відновити з пристрою</translation>
    </message>
    <message>
        <source>Применить в устройстве</source>
        <translation>Застосувати в пристрої</translation>
    </message>
    <message>
        <source>Восстановить заводские</source>
        <translation>Відновити заводські</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Система контроля</source>
        <translation>Система контролю</translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation>Параметри</translation>
    </message>
    <message>
        <source>Режим работы</source>
        <translation>Режим роботи</translation>
    </message>
    <message>
        <source>Расширенные</source>
        <translation>Розширені</translation>
    </message>
    <message>
        <source>Обновление</source>
        <translation>Оновлення</translation>
    </message>
    <message>
        <source>Язык программы</source>
        <translation>Мова програми</translation>
    </message>
    <message>
        <source>Автономия от БУ</source>
        <translation>Автономія від блока керування</translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation>Допомога</translation>
    </message>
    <message>
        <source>Загрузить...</source>
        <translation>Завантажити...</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Зберегти</translation>
    </message>
    <message>
        <source>Сохранить как...</source>
        <translation>Зберегти як...</translation>
    </message>
    <message>
        <source>Восстановить резервную копию...</source>
        <translation>Відновити резервну копію...</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Вихід</translation>
    </message>
    <message>
        <source>Загрузить из USB-stick</source>
        <translation>Завантажити з USB-stick</translation>
    </message>
    <message>
        <source>Сохранить в USB-stick</source>
        <translation>Зберегти в USB-stick</translation>
    </message>
    <message>
        <source>Сохранить USB-stick в устройство</source>
        <translation>Зберегти USB-stick у пристрій</translation>
    </message>
    <message>
        <source>Загрузить USB-stick из устройства</source>
        <translation>Завантажити USB-stick з пристрою</translation>
    </message>
    <message>
        <source>Полная очистка памяти</source>
        <translation>Повне очищення пам&apos;яті</translation>
    </message>
    <message>
        <source>Состояние памяти</source>
        <translation>Стан пам&apos;яті</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Версія ПЗ</translation>
    </message>
    <message>
        <source>Пользователь</source>
        <translation>Користувач</translation>
    </message>
    <message>
        <source>Администратор</source>
        <translation>Адміністратор</translation>
    </message>
    <message>
        <source>Установить новый пароль</source>
        <translation>Встановити новий пароль</translation>
    </message>
    <message>
        <source>Сбросить текущий пароль</source>
        <translation>Скинути поточний пароль</translation>
    </message>
    <message>
        <source>Сбросить забытый пароль</source>
        <translation>Скинути забутий пароль</translation>
    </message>
    <message>
        <source>Сменить пароль</source>
        <translation>Змінити пароль</translation>
    </message>
    <message>
        <source>Обновить программу</source>
        <translation>Оновити програму</translation>
    </message>
    <message>
        <source>Обновить прошивку USB-stick</source>
        <translation>Оновити прошивку USB-stick</translation>
    </message>
    <message>
        <source>Обновить прошивку исполнительного устройства</source>
        <translation>Оновити прошивку виконавчого пристрою</translation>
    </message>
    <message>
        <source>Обновить прошивку USB-stick из файла...</source>
        <translation>Оновити прошивку USB-stick з файлу...</translation>
    </message>
    <message>
        <source>Обновить прошивку исполнительного устройства из файла...</source>
        <translation>Оновити прошивку виконавчого пристрою з файлу...</translation>
    </message>
    <message>
        <source>О программе...</source>
        <translation>Про програму...</translation>
    </message>
    <message>
        <source>Как работать с программой</source>
        <translation>Як працювати з програмою</translation>
    </message>
    <message>
        <source>Автономный режим</source>
        <translation>Автономний режим</translation>
    </message>
    <message>
        <source>Автономный перенос пультов с USB-stick на ИУ</source>
        <translation>Автономне перенесення пультів з USB-stick на ВП</translation>
    </message>
    <message>
        <source>Автономное обновление прошивки ИУ с USB-stick</source>
        <translation>Автономне оновлення прошивки ВП з USB-stick</translation>
    </message>
    <message>
        <source>Автономное изменение параметров ИУ с USB-stick</source>
        <translation>Автономна зміна параметрів ВП з USB-stick</translation>
    </message>
    <message>
        <source>Активен</source>
        <translation>Активний</translation>
    </message>
    <message>
        <source>Заблокирован</source>
        <translation>Заблокований</translation>
    </message>
    <message>
        <source>Заблокировать пульт</source>
        <translation>Заблокувати пульт</translation>
    </message>
    <message>
        <source>Информация о владельце пульта содержит символы, которые USB-stick не может сохранить: %1</source>
        <translation>Інформація про власника пульта містить символи, які USB-stick не може зберегти: %1</translation>
    </message>
    <message>
        <source>Информация о владельце пульта не помещается в память USB-stick: %1 байт при допустимых %2.</source>
        <translation>Інформація про власника пульта не вміщується в пам&apos;ять USB-stick: %1 байт при допустимих %2.</translation>
    </message>
    <message>
        <source>Источник данных - USB-stick</source>
        <translation>Джерело даних - USB-stick</translation>
    </message>
    <message>
        <source>Источник данных - отключенный USB-stick</source>
        <translation>Джерело даних - відключений USB-stick</translation>
    </message>
    <message>
        <source>(Актуальный файл %1)</source>
        <translation>(Актуальний файл %1)</translation>
    </message>
    <message>
        <source>(Несохраненные изменения для файла %1)</source>
        <translation>(Незбережені зміни для файлу %1)</translation>
    </message>
    <message>
        <source>Источник данных - USB-stick(актуальная резервная копия)</source>
        <translation>Джерело даних - USB-stick (актуальна резервна копія)</translation>
    </message>
    <message>
        <source>Источник данных - резервная копия </source>
        <translation>Джерело даних - резервна копія </translation>
    </message>
    <message>
        <source>Источник данных - USB-stick(актуальный файл %1)</source>
        <translation>Джерело даних - USB-stick (актуальний файл %1)</translation>
    </message>
    <message>
        <source>Источник данных - файл </source>
        <translation>Джерело даних - файл </translation>
    </message>
    <message>
        <source>Неизвестный источник данных</source>
        <translation>Невідоме джерело даних</translation>
    </message>
    <message>
        <source>Русский</source>
        <translation>Українська</translation>
    </message>
    <message>
        <source>Руководство пользователя не найдено. Файл ищется здесь:
%1</source>
        <translation>Посібник користувача не знайдено. Файл шукається тут:
%1</translation>
    </message>
    <message>
        <source>Не удалось открыть руководство пользователя %1. Установите программу для просмотра файлов PDF.</source>
        <translation>Не вдалося відкрити посібник користувача %1. Встановіть програму для перегляду файлів PDF.</translation>
    </message>
    <message>
        <source>Экспорт в CSV...</source>
        <translation>Експорт у CSV...</translation>
    </message>
    <message>
        <source>Импорт из CSV...</source>
        <translation>Імпорт з CSV...</translation>
    </message>
    <message>
        <source>Отменить импорт</source>
        <translation>Скасувати імпорт</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>Журнал операций...</source>
        <translation>Журнал операцій...</translation>
    </message>
    <message>
        <source>Сравнить с файлом...</source>
        <translation>Порівняти з файлом...</translation>
    </message>
    <message>
        <source>Сравнить с резервной копией...</source>
        <translation>Порівняти з резервною копією...</translation>
    </message>
    <message>
        <source>Проверять таблицу после записи</source>
        <translation>Перевіряти таблицю після запису</translation>
    </message>
    <message>
        <source>* — пульт в пешеходном режиме</source>
        <translation>* — пульт у пішохідному режимі</translation>
    </message>
    <message>
        <source>Программу нельзя закрыть, пока идёт операция: дождитесь её окончания</source>
        <translation>Програму не можна закрити, поки триває операція: дочекайтеся її завершення</translation>
    </message>
    <message>
        <source>«%1»</source>
        <translation>«%1»</translation>
    </message>
    <message>
        <source>Подождите, пока закончится операция: %1</source>
        <translation>Зачекайте, доки завершиться операція: %1</translation>
    </message>
    <message>
        <source>Нет связи с USB-stick. Вставьте USB-stick в разъём USB: программа найдёт его сама</source>
        <translation>Немає зв&apos;язку з USB-stick. Вставте USB-stick у роз&apos;єм USB: програма знайде його сама</translation>
    </message>
    <message>
        <source>Нужен доступ администратора: выберите %1 и введите пароль</source>
        <translation>Потрібен доступ адміністратора: виберіть %1 і введіть пароль</translation>
    </message>
    <message>
        <source>В таблице не пульты USB-stick: сначала загрузите их командой %1</source>
        <translation>У таблиці не пульти USB-stick: спершу завантажте їх командою %1</translation>
    </message>
    <message>
        <source>Недоступно, пока исполнительное устройство в автономном режиме (%1)</source>
        <translation>Недоступно, доки виконавчий пристрій в автономному режимі (%1)</translation>
    </message>
    <message>
        <source>Пароль администратора не установлен; его устанавливают командой %1</source>
        <translation>Пароль адміністратора не встановлено; його встановлюють командою %1</translation>
    </message>
    <message>
        <source>Выберите пульт в таблице</source>
        <translation>Виберіть пульт у таблиці</translation>
    </message>
    <message>
        <source>Отменять нечего: таблица не загружена из файла CSV или уже изменена</source>
        <translation>Нічого скасовувати: таблицю не імпортовано з файлу CSV або її вже змінено</translation>
    </message>
</context>
<context>
    <name>PortAccessNotice</name>
    <message>
        <source>Закрыть</source>
        <translation>Закрити</translation>
    </message>
    <message>
        <source>Нет прав на открытие порта %1.
Добавьте пользователя в группу %2 (sudo usermod -aG %2 $USER), затем выйдите из системы и войдите снова.</source>
        <translation>Немає прав на відкриття порту %1.
Додайте користувача до групи %2 (sudo usermod -aG %2 $USER), потім вийдіть із системи та увійдіть знову.</translation>
    </message>
    <message>
        <source>Порт %1 занят другой программой.
Закройте программу, которая его использует: поиск USB-stick продолжается и найдёт его, когда порт освободится.</source>
        <translation>Порт %1 зайнятий іншою програмою.
Закрийте програму, яка його використовує: пошук USB-stick триває і знайде його, коли порт звільниться.</translation>
    </message>
</context>
<context>
    <name>QAboutDialog</name>
    <message>
        <source>О программе</source>
        <translation>Про програму</translation>
    </message>
    <message>
        <source>Настройка приводов ворот и рольставней через USB-stick: таблица пультов в USB-stick и исполнительном устройстве, параметры устройства, пароль администратора, обновление прошивки.</source>
        <translation>Налаштування приводів воріт і ролет через USB-stick: таблиця пультів у USB-stick і виконавчому пристрої, параметри пристрою, пароль адміністратора, оновлення прошивки.</translation>
    </message>
    <message>
        <source>Работает на Qt %1 (собрана с Qt %2).</source>
        <translation>Працює на Qt %1 (зібрано з Qt %2).</translation>
    </message>
    <message>
        <source>Программа распространяется на условиях %1, версии 3 или более поздней, без каких-либо гарантий.</source>
        <translation>Програма поширюється на умовах %1, версії 3 або пізнішої, без жодних гарантій.</translation>
    </message>
    <message>
        <source>Qt — библиотека The Qt Company Ltd., используется на условиях %1 версии 3.</source>
        <translation>Qt — бібліотека The Qt Company Ltd., використовується на умовах %1 версії 3.</translation>
    </message>
</context>
<context>
    <name>QAddDeviceDialog</name>
    <message>
        <source>Новый пульт</source>
        <translation>Новий пульт</translation>
    </message>
    <message>
        <source>Мастер добавления новых пультов</source>
        <translation>Майстер додавання нових пультів</translation>
    </message>
    <message>
        <source>Этап</source>
        <translation>Етап</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Результат</translation>
    </message>
    <message>
        <source>Прослушивание</source>
        <translation>Прослуховування</translation>
    </message>
    <message>
        <source>Повторный поиск</source>
        <translation>Повторний пошук</translation>
    </message>
    <message>
        <source>Выбор типа пульта</source>
        <translation>Вибір типу пульта</translation>
    </message>
    <message>
        <source>Обычный режим</source>
        <translation>Звичайний режим</translation>
    </message>
    <message>
        <source>Пешеходный режим</source>
        <translation>Пішохідний режим</translation>
    </message>
    <message>
        <source>Ок</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Назначение владельца</source>
        <translation>Призначення власника</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Застосувати</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Завершен</source>
        <translation>Завершено</translation>
    </message>
    <message>
        <source>Не пройден</source>
        <translation>Не пройдено</translation>
    </message>
    <message>
        <source>Установка режима работы</source>
        <translation>Встановлення режиму роботи</translation>
    </message>
    <message>
        <source>Адрес </source>
        <translation>Адреса </translation>
    </message>
    <message>
        <source>Поиск нового пульта... 
 Нажмите и удерживайте в течение 4 секунд на пульте кнопку.</source>
        <translation>Пошук нового пульта... 
 Натисніть і утримуйте кнопку на пульті протягом 4 секунд.</translation>
    </message>
    <message>
        <source>Данный пульт уже зарегистрирован на пользователя &apos;</source>
        <translation>Цей пульт уже зареєстровано на користувача &apos;</translation>
    </message>
    <message>
        <source>&apos;. Поиск пульта будет автоматически продолжен.</source>
        <translation>&apos;. Пошук пульта буде автоматично продовжено.</translation>
    </message>
    <message>
        <source>Информация о владельце пульта не должна быть длиннее 59 символов. Текущая длина </source>
        <translation>Інформація про власника пульта не повинна бути довшою за 59 символів. Поточна довжина </translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Помилка</translation>
    </message>
    <message>
        <source>Введите имя владельца пульта</source>
        <translation>Введіть ім&apos;я власника пульта</translation>
    </message>
</context>
<context>
    <name>QAutoConnectTool</name>
    <message>
        <source>Закрыт порт </source>
        <translation>Закрито порт </translation>
    </message>
</context>
<context>
    <name>QCompareDialog</name>
    <message>
        <source>Сравнение USB-stick с файлом</source>
        <translation>Порівняння USB-stick з файлом</translation>
    </message>
    <message>
        <source>Таблица USB-stick (последняя прочитанная) и «%1»</source>
        <translation>Таблиця USB-stick (остання прочитана) і «%1»</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Пульт</translation>
    </message>
    <message>
        <source>Отличие</source>
        <translation>Відмінність</translation>
    </message>
    <message>
        <source>В USB-stick</source>
        <translation>У USB-stick</translation>
    </message>
    <message>
        <source>В файле</source>
        <translation>У файлі</translation>
    </message>
    <message>
        <source>Применение запишет в USB-stick и удалит из него только эти пульты; остальные останутся как есть.</source>
        <translation>Застосування запише в USB-stick і видалить із нього лише ці пульти; решта залишаться без змін.</translation>
    </message>
    <message>
        <source>Для применения нужен полный доступ к USB-stick.</source>
        <translation>Для застосування потрібен повний доступ до USB-stick.</translation>
    </message>
    <message>
        <source>Применить к USB-stick</source>
        <translation>Застосувати до USB-stick</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрити</translation>
    </message>
    <message>
        <source>Только в USB-stick</source>
        <translation>Лише в USB-stick</translation>
    </message>
    <message>
        <source>Только в файле</source>
        <translation>Лише у файлі</translation>
    </message>
    <message>
        <source>Отличается: %1</source>
        <translation>Відрізняється: %1</translation>
    </message>
    <message>
        <source>Таблицы совпадают</source>
        <translation>Таблиці збігаються</translation>
    </message>
    <message>
        <source>Только в USB-stick: %1, только в файле: %2, отличаются: %3</source>
        <translation>Лише в USB-stick: %1, лише у файлі: %2, відрізняються: %3</translation>
    </message>
    <message>
        <source>владелец</source>
        <translation>власник</translation>
    </message>
    <message>
        <source>группа</source>
        <translation>група</translation>
    </message>
    <message>
        <source>статус</source>
        <translation>статус</translation>
    </message>
    <message>
        <source>режим работы</source>
        <translation>режим роботи</translation>
    </message>
    <message>
        <source>«%1», группа %2, %3</source>
        <translation>«%1», група %2, %3</translation>
    </message>
    <message>
        <source>активен</source>
        <translation>активний</translation>
    </message>
    <message>
        <source>заблокирован</source>
        <translation>заблокований</translation>
    </message>
    <message>
        <source>, пешеходный режим</source>
        <translation>, пішохідний режим</translation>
    </message>
    <message>
        <source>... и еще %1</source>
        <translation>... і ще %1</translation>
    </message>
    <message>
        <source>№%1: только в USB-stick</source>
        <translation>№%1: лише в USB-stick</translation>
    </message>
    <message>
        <source>№%1: нет в USB-stick</source>
        <translation>№%1: немає в USB-stick</translation>
    </message>
    <message>
        <source>№%1: отличается (%2)</source>
        <translation>№%1: відрізняється (%2)</translation>
    </message>
</context>
<context>
    <name>QCsvImportDialog</name>
    <message>
        <source>Импорт из CSV</source>
        <translation>Імпорт з CSV</translation>
    </message>
    <message>
        <source>Файл «%1»</source>
        <translation>Файл «%1»</translation>
    </message>
    <message>
        <source>Строка</source>
        <translation>Рядок</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Пульт</translation>
    </message>
    <message>
        <source>Владелец</source>
        <translation>Власник</translation>
    </message>
    <message>
        <source>Группа</source>
        <translation>Група</translation>
    </message>
    <message>
        <source>Статус</source>
        <translation>Статус</translation>
    </message>
    <message>
        <source>Режим работы</source>
        <translation>Режим роботи</translation>
    </message>
    <message>
        <source>Замечания</source>
        <translation>Зауваження</translation>
    </message>
    <message>
        <source>Импортированные пульты заменят таблицу на экране; USB-stick не изменится. Импорт можно отменить.</source>
        <translation>Імпортовані пульти замінять таблицю на екрані; USB-stick не зміниться. Імпорт можна скасувати.</translation>
    </message>
    <message>
        <source>Импортировать</source>
        <translation>Імпортувати</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>строка не читается: кавычка не закрыта</source>
        <translation>рядок не читається: лапки не закрито</translation>
    </message>
    <message>
        <source>строка не читается: полей %1 вместо %2</source>
        <translation>рядок не читається: полів %1 замість %2</translation>
    </message>
    <message>
        <source>нет номера пульта</source>
        <translation>немає номера пульта</translation>
    </message>
    <message>
        <source>номер пульта не число: %1</source>
        <translation>номер пульта не число: %1</translation>
    </message>
    <message>
        <source>номер пульта вне диапазона 0..%1</source>
        <translation>номер пульта поза діапазоном 0..%1</translation>
    </message>
    <message>
        <source>нет группы: взята 0</source>
        <translation>немає групи: взято 0</translation>
    </message>
    <message>
        <source>группа не число: %1</source>
        <translation>група не число: %1</translation>
    </message>
    <message>
        <source>группа вне диапазона 0..255</source>
        <translation>група поза діапазоном 0..255</translation>
    </message>
    <message>
        <source>нет статуса: пульт активен</source>
        <translation>немає статусу: пульт активний</translation>
    </message>
    <message>
        <source>статус не распознан: %1</source>
        <translation>статус не розпізнано: %1</translation>
    </message>
    <message>
        <source>нет режима работы: взят обычный</source>
        <translation>немає режиму роботи: взято звичайний</translation>
    </message>
    <message>
        <source>режим работы не распознан: %1</source>
        <translation>режим роботи не розпізнано: %1</translation>
    </message>
    <message>
        <source>нет владельца</source>
        <translation>немає власника</translation>
    </message>
    <message>
        <source>владелец обрезан до %1 символов</source>
        <translation>власника обрізано до %1 символів</translation>
    </message>
    <message>
        <source>номер пульта уже есть в строке %1: строка пропущена</source>
        <translation>номер пульта вже є в рядку %1: рядок пропущено</translation>
    </message>
</context>
<context>
    <name>QDbManipulator</name>
    <message>
        <source>Ошибка открытия файла </source>
        <translation>Помилка відкриття файлу </translation>
    </message>
    <message>
        <source>Неверный формат файла </source>
        <translation>Неправильний формат файлу </translation>
    </message>
    <message>
        <source>Неверный формат файла: дублирующие значения пультов. Загрузка отменена.</source>
        <translation>Неправильний формат файлу: повторювані значення пультів. Завантаження скасовано.</translation>
    </message>
    <message>
        <source>Нет ни одной резервной копии</source>
        <translation>Немає жодної резервної копії</translation>
    </message>
    <message>
        <source>Выбор резервной копии</source>
        <translation>Вибір резервної копії</translation>
    </message>
    <message>
        <source>Выберите резервную копию для загрузки в программу</source>
        <translation>Виберіть резервну копію для завантаження в програму</translation>
    </message>
    <message>
        <source>Не выбрана резервная копия файла</source>
        <translation>Не вибрано резервну копію файлу</translation>
    </message>
    <message>
        <source>Ошибка загрузки резервной копии</source>
        <translation>Помилка завантаження резервної копії</translation>
    </message>
    <message>
        <source>null</source>
        <translation>null</translation>
    </message>
    <message>
        <source>логическое значение</source>
        <translation>логічне значення</translation>
    </message>
    <message>
        <source>число</source>
        <translation>число</translation>
    </message>
    <message>
        <source>строка</source>
        <translation>рядок</translation>
    </message>
    <message>
        <source>массив</source>
        <translation>масив</translation>
    </message>
    <message>
        <source>объект</source>
        <translation>об&apos;єкт</translation>
    </message>
    <message>
        <source>нет значения</source>
        <translation>немає значення</translation>
    </message>
    <message>
        <source>поле «%1»: ожидается %2, в файле %3</source>
        <translation>поле «%1»: очікується %2, у файлі %3</translation>
    </message>
    <message>
        <source>поле «%1»: %2 не целое число в диапазоне 0..%3</source>
        <translation>поле «%1»: %2 не ціле число в діапазоні 0..%3</translation>
    </message>
    <message>
        <source>ожидается объект, в файле %1</source>
        <translation>очікується об&apos;єкт, у файлі %1</translation>
    </message>
    <message>
        <source>нет ни одного поля пульта</source>
        <translation>немає жодного поля пульта</translation>
    </message>
    <message>
        <source>true или false</source>
        <translation>true або false</translation>
    </message>
    <message>
        <source>поле «%1»: %2</source>
        <translation>поле «%1»: %2</translation>
    </message>
    <message>
        <source>строка %1, столбец %2</source>
        <translation>рядок %1, стовпець %2</translation>
    </message>
    <message>
        <source>Файл не является документом JSON: %1: %2</source>
        <translation>Файл не є документом JSON: %1: %2</translation>
    </message>
    <message>
        <source>В файле нет списка пультов «%1»</source>
        <translation>У файлі немає списку пультів «%1»</translation>
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
        <translation>... і ще пультів з помилками: %1</translation>
    </message>
    <message>
        <source>%1 — не читается</source>
        <translation>%1 — не читається</translation>
    </message>
    <message>
        <source>%1 — пультов: %2</source>
        <translation>%1 — пультів: %2</translation>
    </message>
    <message>
        <source>, из USB-stick</source>
        <translation>, з USB-stick</translation>
    </message>
    <message>
        <source>, из исполнительного устройства</source>
        <translation>, з виконавчого пристрою</translation>
    </message>
    <message>
        <source>, из файла</source>
        <translation>, з файлу</translation>
    </message>
</context>
<context>
    <name>QFlashController</name>
    <message>
        <source>Ошибка загрузки прошивки из файла</source>
        <translation>Помилка завантаження прошивки з файлу</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Помилка</translation>
    </message>
    <message>
        <source>Выбор файла прошивки</source>
        <translation>Вибір файлу прошивки</translation>
    </message>
    <message>
        <source>Ошибка файла прошивки</source>
        <translation>Помилка файлу прошивки</translation>
    </message>
    <message>
        <source>При обновлении прошивки возникла ошибка</source>
        <translation>Під час оновлення прошивки сталася помилка</translation>
    </message>
    <message>
        <source>Данный файл прошивки не предназначен для обновления исполнительного устройства</source>
        <translation>Цей файл прошивки не призначений для оновлення виконавчого пристрою</translation>
    </message>
    <message>
        <source>Данный файл прошивки не предназначен для обновления подключенного USB-stick</source>
        <translation>Цей файл прошивки не призначений для оновлення підключеного USB-stick</translation>
    </message>
    <message>
        <source>На USB-stick установлена более новая версия прошивки, чем в текущем файле. Загрузить на USB-stick старую версию ПО?</source>
        <translation>На USB-stick встановлено новішу версію прошивки, ніж у цьому файлі. Завантажити на USB-stick стару версію ПЗ?</translation>
    </message>
    <message>
        <source>На USB-stick установлена текущая версия прошивки. Загрузить заново на USB-stick текущую версию ПО?</source>
        <translation>На USB-stick встановлено поточну версію прошивки. Завантажити на USB-stick поточну версію ПЗ ще раз?</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Увага</translation>
    </message>
    <message>
        <source>исполнительное устройство</source>
        <translation>виконавчий пристрій</translation>
    </message>
    <message>
        <source>USB-stick</source>
        <translation>USB-stick</translation>
    </message>
    <message>
        <source>Загрузка прошивки на </source>
        <translation>Завантаження прошивки на </translation>
    </message>
    <message>
        <source>Ожидание применения прошивки на </source>
        <translation>Очікування застосування прошивки на </translation>
    </message>
    <message>
        <source>исполнительном устройстве</source>
        <translation>виконавчому пристрої</translation>
    </message>
    <message>
        <source>Ошибка применения прошивки на исполнительном устройстве</source>
        <translation>Помилка застосування прошивки на виконавчому пристрої</translation>
    </message>
    <message>
        <source>Прошивка не записана.</source>
        <translation>Прошивку не записано.</translation>
    </message>
    <message>
        <source>Записан только один файл прошивки: %1</source>
        <translation>Записано лише один файл прошивки: %1</translation>
    </message>
    <message>
        <source>парного файла %1 нет</source>
        <translation>парного файлу %1 немає</translation>
    </message>
    <message>
        <source>парный файл %1 не прочитан</source>
        <translation>парний файл %1 не прочитано</translation>
    </message>
    <message>
        <source>Парный файл прошивки не подходит к записанному (другой тип, другая плата или более старая версия) и не будет записан.
%1</source>
        <translation>Парний файл прошивки не відповідає записаному (інший тип, інша плата або старіша версія) і не буде записаний.
%1</translation>
    </message>
    <message>
        <source>парный файл %1 не подходит</source>
        <translation>парний файл %1 не підходить</translation>
    </message>
    <message>
        <source>Первый файл прошивки записан. Загрузить на исполнительное устройство парный файл?
%1
Версия %2.</source>
        <translation>Перший файл прошивки записано. Завантажити на виконавчий пристрій парний файл?
%1
Версія %2.</translation>
    </message>
    <message>
        <source>парный файл %1 пропущен</source>
        <translation>парний файл %1 пропущено</translation>
    </message>
    <message>
        <source>На исполнительном устройстве установлена более новая версия прошивки, чем в текущем файле. Загрузить на исполнительное устройство старую версию ПО?</source>
        <translation>На виконавчому пристрої встановлена новіша версія прошивки, ніж у поточному файлі. Завантажити на виконавчий пристрій стару версію ПЗ?</translation>
    </message>
    <message>
        <source>На исполнительном устройстве установлена текущая версия прошивки. Загрузить заново на исполнительное устройство текущую версию ПО?</source>
        <translation>На виконавчому пристрої вже встановлена ця версія прошивки. Завантажити її на виконавчий пристрій знову?</translation>
    </message>
    <message>
        <source>Загрузить прошивку из файла на USB-stick?</source>
        <translation>Завантажити прошивку з файлу на USB-stick?</translation>
    </message>
    <message>
        <source>Загрузить прошивку из файла на исполнительное устройство?</source>
        <translation>Завантажити прошивку з файлу на виконавчий пристрій?</translation>
    </message>
    <message>
        <source>Установленная версия: %1. Версия в файле: %2.</source>
        <translation>Встановлена версія: %1. Версія у файлі: %2.</translation>
    </message>
    <message>
        <source>неизвестна</source>
        <translation>невідома</translation>
    </message>
    <message>
        <source>Новая прошивка не применена: USB-stick применяет её только после записи всего файла и до тех пор работает с прежней. Повторите запись из того же файла; если USB-stick не находится или не отвечает, сначала отключите его от компьютера и подключите снова.</source>
        <translation>Нову прошивку не застосовано: USB-stick застосовує її лише після запису всього файлу і доти працює з попередньою. Повторіть запис із того самого файлу; якщо USB-stick не знаходиться або не відповідає, спершу від&apos;єднайте його від комп&apos;ютера й під&apos;єднайте знову.</translation>
    </message>
    <message>
        <source>Новая прошивка не применена: исполнительное устройство применяет её только после записи всего файла и до тех пор работает с прежней. Повторите запись из того же файла, когда USB-stick будет найден снова.</source>
        <translation>Нову прошивку не застосовано: виконавчий пристрій застосовує її лише після запису всього файлу і доти працює з попередньою. Повторіть запис із того самого файлу, коли USB-stick буде знайдено знову.</translation>
    </message>
    <message>
        <source>Новая прошивка не применена: исполнительное устройство применяет её только после записи всего файла и до тех пор работает с прежней. Повторите запись из того же файла.</source>
        <translation>Нову прошивку не застосовано: виконавчий пристрій застосовує її лише після запису всього файлу і доти працює з попередньою. Повторіть запис із того самого файлу.</translation>
    </message>
    <message>
        <source>Прошивка %1 записана в %2</source>
        <translation>Прошивку %1 записано в %2</translation>
    </message>
</context>
<context>
    <name>QFlashUpdater</name>
    <message>
        <source>Файл не открывается: %1</source>
        <translation>Файл не відкривається: %1</translation>
    </message>
    <message>
        <source>Это не файл прошивки: он больше %1 МБ.</source>
        <translation>Це не файл прошивки: він більший за %1 МБ.</translation>
    </message>
    <message>
        <source>Это не файл прошивки: его заголовок не описывает образ прошивки.</source>
        <translation>Це не файл прошивки: його заголовок не описує образ прошивки.</translation>
    </message>
    <message>
        <source>Файл прошивки обрывается: его длина %1 байт, а по заголовку в нём должно быть больше данных. Вероятно, файл скопирован или загружен не полностью.</source>
        <translation>Файл прошивки обривається: його довжина %1 байт, а за заголовком у ньому має бути більше даних. Імовірно, файл скопійовано або завантажено не повністю.</translation>
    </message>
    <message>
        <source>Это не файл прошивки: его длина %1 байт, меньше заголовка прошивки.</source>
        <translation>Це не файл прошивки: його довжина %1 байт, менше за заголовок прошивки.</translation>
    </message>
    <message>
        <source>Это не файл прошивки: в нём нет данных для записи.</source>
        <translation>Це не файл прошивки: у ньому немає даних для запису.</translation>
    </message>
</context>
<context>
    <name>QMemoryStatusDialog</name>
    <message>
        <source>Свободно: </source>
        <translation>Вільно: </translation>
    </message>
    <message>
        <source>Занято: </source>
        <translation>Зайнято: </translation>
    </message>
    <message>
        <source>Емкость: </source>
        <translation>Ємність: </translation>
    </message>
    <message>
        <source>Состояние памяти</source>
        <translation>Стан пам&apos;яті</translation>
    </message>
    <message>
        <source>Память устройств</source>
        <translation>Пам&apos;ять пристроїв</translation>
    </message>
    <message>
        <source>USB-stick, пульты</source>
        <translation>USB-stick, пульти</translation>
    </message>
    <message>
        <source>Устройство</source>
        <translation>Пристрій</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрити</translation>
    </message>
</context>
<context>
    <name>QModemSession</name>
    <message>
        <source>Запрос прав доступа...</source>
        <translation>Запит прав доступу...</translation>
    </message>
    <message>
        <source>Ввод пароля</source>
        <translation>Введення пароля</translation>
    </message>
    <message>
        <source>Введите пароль администратора для обеспечения полного доступа к USB-stick</source>
        <translation>Введіть пароль адміністратора для повного доступу до USB-stick</translation>
    </message>
    <message>
        <source>Авторизация</source>
        <translation>Авторизація</translation>
    </message>
    <message>
        <source>Ошибка авторизации</source>
        <translation>Помилка авторизації</translation>
    </message>
    <message>
        <source>Ошибка при авторизации: неверный пароль либо отмена операции пользователем</source>
        <translation>Помилка авторизації: неправильний пароль або операцію скасовано користувачем</translation>
    </message>
    <message>
        <source>Сброс авторизации</source>
        <translation>Скидання авторизації</translation>
    </message>
    <message>
        <source>Ошибка сброса авторизации</source>
        <translation>Помилка скидання авторизації</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Помилка</translation>
    </message>
    <message>
        <source>Пароль не может быть пустым</source>
        <translation>Пароль не може бути порожнім</translation>
    </message>
    <message>
        <source>Пароль содержит недопустимые символы</source>
        <translation>Пароль містить неприпустимі символи</translation>
    </message>
    <message>
        <source>Ввод текущего пароля</source>
        <translation>Введення поточного пароля</translation>
    </message>
    <message>
        <source>Введите ваш текущий пароль полного доступа к USB-stick</source>
        <translation>Введіть ваш поточний пароль повного доступу до USB-stick</translation>
    </message>
    <message>
        <source>Ввод нового пароля</source>
        <translation>Введення нового пароля</translation>
    </message>
    <message>
        <source>Введите новый пароль полного доступа к USB-stick(6-10 символов)</source>
        <translation>Введіть новий пароль повного доступу до USB-stick (6-10 символів)</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Увага</translation>
    </message>
    <message>
        <source>Пароль должен быть длиной от 6 до 10 символов</source>
        <translation>Пароль повинен мати довжину від 6 до 10 символів</translation>
    </message>
    <message>
        <source>Повтор нового пароля</source>
        <translation>Повтор нового пароля</translation>
    </message>
    <message>
        <source>Повторно введите пароль полного доступа к USB-stick</source>
        <translation>Повторно введіть пароль повного доступу до USB-stick</translation>
    </message>
    <message>
        <source>Пароли не совпадают</source>
        <translation>Паролі не збігаються</translation>
    </message>
    <message>
        <source>Удаление текущего пароля</source>
        <translation>Видалення поточного пароля</translation>
    </message>
    <message>
        <source>Применение нового пароля</source>
        <translation>Застосування нового пароля</translation>
    </message>
    <message>
        <source>Удаление забытого пароля</source>
        <translation>Видалення забутого пароля</translation>
    </message>
    <message>
        <source>Сброс забытого пароля...
Нажмите и удерживайте в течение 4 секунд на исполнительном устройстве кнопку для перехода в режим программирования. 
Далее нажмите и держите в течение 1 секунды кнопку для сброса забытого пароля</source>
        <translation>Скидання забутого пароля...
Натисніть і утримуйте кнопку на виконавчому пристрої протягом 4 секунд для переходу в режим програмування. 
Далі натисніть і утримуйте кнопку протягом 1 секунди для скидання забутого пароля</translation>
    </message>
    <message>
        <source>Восстановление исходного режима работы USB-stick</source>
        <translation>Відновлення початкового режиму роботи USB-stick</translation>
    </message>
    <message>
        <source>Принят неверный ответ от USB-stick. Повторить попытку?</source>
        <translation>Отримано неправильну відповідь від USB-stick. Повторити спробу?</translation>
    </message>
    <message>
        <source>Неверный пароль</source>
        <translation>Неправильний пароль</translation>
    </message>
    <message>
        <source>Нет авторизации</source>
        <translation>Немає авторизації</translation>
    </message>
    <message>
        <source>У вас отсутствуют привилегии для выполнения этой команды</source>
        <translation>У вас немає привілеїв для виконання цієї команди</translation>
    </message>
    <message>
        <source>Связь с конечным устройством утеряна</source>
        <translation>Зв&apos;язок із кінцевим пристроєм втрачено</translation>
    </message>
    <message>
        <source>Usb-stick не смог выполнить команду на конечном устройстве. Повторить попытку?</source>
        <translation>USB-stick не зміг виконати команду на кінцевому пристрої. Повторити спробу?</translation>
    </message>
    <message>
        <source>Конечное устройство не содержит в памяти данный пульт</source>
        <translation>Кінцевий пристрій не містить у пам&apos;яті цього пульта</translation>
    </message>
    <message>
        <source>Конечное устройство не смогло успешно выполнить команду</source>
        <translation>Кінцевий пристрій не зміг успішно виконати команду</translation>
    </message>
    <message>
        <source>Ошибка применения новой прошивки на USB-stick</source>
        <translation>Помилка застосування нової прошивки на USB-stick</translation>
    </message>
    <message>
        <source>Инициализация устройства... Если устройство впервые используется с данным USB-stick, нажмите и удерживайте на нем в течение 4 секунд кнопку</source>
        <translation>Ініціалізація пристрою... Якщо пристрій уперше використовується з цим USB-stick, натисніть і утримуйте на ньому кнопку протягом 4 секунд</translation>
    </message>
    <message>
        <source>Установка параметров USB-stick...</source>
        <translation>Встановлення параметрів USB-stick...</translation>
    </message>
    <message>
        <source>Запрос функционала USB-stick...</source>
        <translation>Запит функцій USB-stick...</translation>
    </message>
    <message>
        <source>Запрос настроек USB-stick...</source>
        <translation>Запит налаштувань USB-stick...</translation>
    </message>
    <message>
        <source>Запрос версии USB-stick...</source>
        <translation>Запит версії USB-stick...</translation>
    </message>
    <message>
        <source>Запрос версии исполнительного устройства...</source>
        <translation>Запит версії виконавчого пристрою...</translation>
    </message>
    <message>
        <source>&lt;br&gt;Версия исполнительного устройства %2.%3.%1.%4</source>
        <translation>&lt;br&gt;Версія виконавчого пристрою %2.%3.%1.%4</translation>
    </message>
    <message>
        <source>Версия модема %2.%3.%1.%4 </source>
        <translation>Версія модема %2.%3.%1.%4 </translation>
    </message>
    <message>
        <source>Версия</source>
        <translation>Версія</translation>
    </message>
    <message>
        <source>восстановлен прежний пароль</source>
        <translation>відновлено попередній пароль</translation>
    </message>
    <message>
        <source>Вход выполнен: доступ администратора</source>
        <translation>Вхід виконано: доступ адміністратора</translation>
    </message>
    <message>
        <source>Авторизация отменена</source>
        <translation>Авторизацію скасовано</translation>
    </message>
    <message>
        <source>Пароль удалён</source>
        <translation>Пароль видалено</translation>
    </message>
    <message>
        <source>Пароль изменён</source>
        <translation>Пароль змінено</translation>
    </message>
    <message>
        <source>Пароль установлен</source>
        <translation>Пароль встановлено</translation>
    </message>
    <message>
        <source>Забытый пароль сброшен</source>
        <translation>Забутий пароль скинуто</translation>
    </message>
    <message>
        <source>USB-stick не подключен</source>
        <translation>USB-stick не підключено</translation>
    </message>
    <message>
        <source>доступ пользователя</source>
        <translation>доступ користувача</translation>
    </message>
    <message>
        <source>доступ администратора</source>
        <translation>доступ адміністратора</translation>
    </message>
    <message>
        <source>автономный режим</source>
        <translation>автономний режим</translation>
    </message>
    <message>
        <source>обычный режим</source>
        <translation>звичайний режим</translation>
    </message>
    <message>
        <source>USB-stick %1, версия %2, %3, %4</source>
        <translation>USB-stick %1, версія %2, %3, %4</translation>
    </message>
    <message>
        <source>Версия USB-stick после обновления прошивки неизвестна: её не удалось прочитать</source>
        <translation>Версія USB-stick після оновлення прошивки невідома: її не вдалося прочитати</translation>
    </message>
    <message>
        <source>USB-stick уже %1 с сообщает, что команда выполняется, но её выполнение остановилось на %2%. Операция прервана. Если USB-stick не отвечает на следующие команды, отключите его от компьютера и подключите снова.</source>
        <translation>USB-stick уже %1 с повідомляє, що команда виконується, але її виконання зупинилося на %2%. Операцію перервано. Якщо USB-stick не відповідає на наступні команди, від&apos;єднайте його від комп&apos;ютера й під&apos;єднайте знову.</translation>
    </message>
</context>
<context>
    <name>QOperationLog</name>
    <message>
        <source>Пульт добавлен</source>
        <translation>Пульт додано</translation>
    </message>
    <message>
        <source>Пульт заблокирован</source>
        <translation>Пульт заблоковано</translation>
    </message>
    <message>
        <source>Пульт активирован</source>
        <translation>Пульт активовано</translation>
    </message>
    <message>
        <source>Изменен владелец пульта</source>
        <translation>Змінено власника пульта</translation>
    </message>
    <message>
        <source>Пульт удален</source>
        <translation>Пульт видалено</translation>
    </message>
    <message>
        <source>Таблица записана в USB-stick</source>
        <translation>Таблицю записано в USB-stick</translation>
    </message>
    <message>
        <source>Память очищена</source>
        <translation>Пам&apos;ять очищено</translation>
    </message>
    <message>
        <source>Таблица скопирована из USB-stick в устройство</source>
        <translation>Таблицю скопійовано з USB-stick у пристрій</translation>
    </message>
    <message>
        <source>Таблица скопирована из устройства в USB-stick</source>
        <translation>Таблицю скопійовано з пристрою в USB-stick</translation>
    </message>
    <message>
        <source>Отличия от файла применены к USB-stick</source>
        <translation>Відмінності від файлу застосовано до USB-stick</translation>
    </message>
    <message>
        <source>Параметры записаны в устройство</source>
        <translation>Параметри записано в пристрій</translation>
    </message>
    <message>
        <source>Восстановлены заводские настройки</source>
        <translation>Відновлено заводські налаштування</translation>
    </message>
    <message>
        <source>Прошивка загружена</source>
        <translation>Прошивку завантажено</translation>
    </message>
    <message>
        <source>Установлен пароль</source>
        <translation>Встановлено пароль</translation>
    </message>
    <message>
        <source>Пароль удален</source>
        <translation>Пароль видалено</translation>
    </message>
    <message>
        <source>Сброшен забытый пароль</source>
        <translation>Скинуто забутий пароль</translation>
    </message>
</context>
<context>
    <name>QOperationLogDialog</name>
    <message>
        <source>Журнал операций</source>
        <translation>Журнал операцій</translation>
    </message>
    <message>
        <source>Фильтр:</source>
        <translation>Фільтр:</translation>
    </message>
    <message>
        <source>Только неудачные</source>
        <translation>Лише невдалі</translation>
    </message>
    <message>
        <source>Экспорт в CSV...</source>
        <translation>Експорт у CSV...</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрити</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Час</translation>
    </message>
    <message>
        <source>Пользователь</source>
        <translation>Користувач</translation>
    </message>
    <message>
        <source>Версия USB-stick</source>
        <translation>Версія USB-stick</translation>
    </message>
    <message>
        <source>Операция</source>
        <translation>Операція</translation>
    </message>
    <message>
        <source>Пульты</source>
        <translation>Пульти</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Результат</translation>
    </message>
    <message>
        <source>Подробности</source>
        <translation>Подробиці</translation>
    </message>
    <message>
        <source>выполнено</source>
        <translation>виконано</translation>
    </message>
    <message>
        <source>ошибка</source>
        <translation>помилка</translation>
    </message>
    <message>
        <source>Экспорт журнала в CSV</source>
        <translation>Експорт журналу в CSV</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Помилка</translation>
    </message>
    <message>
        <source>Ошибка открытия файла </source>
        <translation>Помилка відкриття файлу </translation>
    </message>
</context>
<context>
    <name>QOperationRunner</name>
    <message>
        <source>Операция невозможна во время обмена данным с usb-stick либо исполнительным устройством</source>
        <translation>Операція неможлива під час обміну даними з USB-stick або виконавчим пристроєм</translation>
    </message>
    <message>
        <source>Usb-stick не отвечает. Проверьте подключение.</source>
        <translation>USB-stick не відповідає. Перевірте підключення.</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Помилка</translation>
    </message>
</context>
<context>
    <name>QParamController</name>
    <message>
        <source>Режим работы</source>
        <translation>Режим роботи</translation>
    </message>
    <message>
        <source>Длительность команды для режима &apos;Короткой команды&apos;</source>
        <translation>Тривалість команди для режиму &apos;Короткої команди&apos;</translation>
    </message>
    <message>
        <source>Длительность команды для режима &apos;Жалюзийный&apos;</source>
        <translation>Тривалість команди для режиму &apos;Жалюзійний&apos;</translation>
    </message>
    <message>
        <source>Длительность команды для режима &apos;Роллетный&apos;</source>
        <translation>Тривалість команди для режиму &apos;Ролетний&apos;</translation>
    </message>
    <message>
        <source>Короткой команды</source>
        <translation>Короткої команди</translation>
    </message>
    <message>
        <source>Роллетный</source>
        <translation>Ролетний</translation>
    </message>
    <message>
        <source>Жалюзийный</source>
        <translation>Жалюзійний</translation>
    </message>
    <message>
        <source>Непрерывной команды</source>
        <translation>Безперервної команди</translation>
    </message>
    <message>
        <source> с</source>
        <translation> с</translation>
    </message>
    <message>
        <source>Запрос параметров исполнительного устройства...</source>
        <translation>Запит параметрів виконавчого пристрою...</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Інформація</translation>
    </message>
    <message>
        <source>Ни один из параметров не помечен для загрузки из конечного устройства. Загрузить все параметры?</source>
        <translation>Жоден із параметрів не позначено для завантаження з кінцевого пристрою. Завантажити всі параметри?</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Помилка</translation>
    </message>
    <message>
        <source>Параметр %1 не задан</source>
        <translation>Параметр %1 не задано</translation>
    </message>
    <message>
        <source>Ни один из параметров не помечен для сохранения в конечном устройстве. Сохранить все параметры?</source>
        <translation>Жоден із параметрів не позначено для збереження в кінцевому пристрої. Зберегти всі параметри?</translation>
    </message>
    <message>
        <source>Установка параметров исполнительного устройства...</source>
        <translation>Встановлення параметрів виконавчого пристрою...</translation>
    </message>
    <message>
        <source>Восстановление заводских настроек...</source>
        <translation>Відновлення заводських налаштувань...</translation>
    </message>
    <message>
        <source>Применение параметров исполнительного устройства...</source>
        <translation>Застосування параметрів виконавчого пристрою...</translation>
    </message>
    <message>
        <source>Восстановление параметров исполнительного устройства...</source>
        <translation>Відновлення параметрів виконавчого пристрою...</translation>
    </message>
    <message>
        <source>параметров: %1</source>
        <translation>параметрів: %1</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства не прочитаны.</source>
        <translation>Параметри виконавчого пристрою не прочитано.</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства не записаны.</source>
        <translation>Параметри виконавчого пристрою не записано.</translation>
    </message>
    <message>
        <source>Заводские настройки исполнительного устройства не восстановлены.</source>
        <translation>Заводські налаштування виконавчого пристрою не відновлено.</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства не восстановлены.</source>
        <translation>Параметри виконавчого пристрою не відновлено.</translation>
    </message>
    <message>
        <source>Параметры записаны в исполнительное устройство: %1</source>
        <translation>Параметри записано у виконавчий пристрій: %1</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Увага</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства будут заменены заводскими. Продолжить?</source>
        <translation>Параметри виконавчого пристрою буде замінено заводськими. Продовжити?</translation>
    </message>
    <message>
        <source>Восстановлены заводские параметры исполнительного устройства</source>
        <translation>Відновлено заводські параметри виконавчого пристрою</translation>
    </message>
</context>
<context>
    <name>QPropertyWidget</name>
    <message>
        <source>Неизвестно</source>
        <translation>Невідомо</translation>
    </message>
</context>
<context>
    <name>QRemoteOperations</name>
    <message>
        <source>Ошибка</source>
        <translation>Помилка</translation>
    </message>
    <message>
        <source>Активация пульта</source>
        <translation>Активація пульта</translation>
    </message>
    <message>
        <source>Блокировка пульта</source>
        <translation>Блокування пульта</translation>
    </message>
    <message>
        <source>Владелец пульта</source>
        <translation>Власник пульта</translation>
    </message>
    <message>
        <source>Введите информацию о владельце пульта(максимально %1 символов)</source>
        <translation>Введіть інформацію про власника пульта (максимально %1 символів)</translation>
    </message>
    <message>
        <source>Информация о владельце пульта не должна быть длиннее %1 символов. Текущая длина </source>
        <translation>Інформація про власника пульта не повинна бути довшою за %1 символів. Поточна довжина </translation>
    </message>
    <message>
        <source>Изменение сведений о владельце пульта</source>
        <translation>Зміна відомостей про власника пульта</translation>
    </message>
    <message>
        <source>Удаление пульта</source>
        <translation>Видалення пульта</translation>
    </message>
    <message>
        <source>Пульт будет удален из системы. Продолжить?</source>
        <translation>Пульт буде видалено із системи. Продовжити?</translation>
    </message>
    <message>
        <source>Удаление пульта из системы</source>
        <translation>Видалення пульта із системи</translation>
    </message>
    <message>
        <source>Пульт №%1 (владелец &apos;%2&apos;) не изменен в таблице.</source>
        <translation>Пульт №%1 (власник &apos;%2&apos;) не змінено в таблиці.</translation>
    </message>
    <message>
        <source>Пульт №%1 (владелец &apos;%2&apos;) не удален из таблицы.</source>
        <translation>Пульт №%1 (власник &apos;%2&apos;) не видалено з таблиці.</translation>
    </message>
</context>
<context>
    <name>QRemoteSearch</name>
    <message>
        <source>Ошибка</source>
        <translation>Помилка</translation>
    </message>
    <message>
        <source>Установка режима работы</source>
        <translation>Встановлення режиму роботи</translation>
    </message>
    <message>
        <source>Изменение режима работы устройства</source>
        <translation>Зміна режиму роботи пристрою</translation>
    </message>
    <message>
        <source>Не удалось добавить новый пульт</source>
        <translation>Не вдалося додати новий пульт</translation>
    </message>
    <message>
        <source>Запись устройств в USB-stick и исполнительное устройство</source>
        <translation>Запис пристроїв у USB-stick і виконавчий пристрій</translation>
    </message>
    <message>
        <source>Поиск пульта</source>
        <translation>Пошук пульта</translation>
    </message>
    <message>
        <source>Поиск</source>
        <translation>Пошук</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрити</translation>
    </message>
    <message>
        <source>Определение пульта... 
Нажмите и удерживайте в течение 4 секунд кнопку на пульте для его определения.</source>
        <translation>Визначення пульта... 
Натисніть і утримуйте кнопку на пульті протягом 4 секунд для його визначення.</translation>
    </message>
    <message>
        <source>Найден пульт, владелец &apos;</source>
        <translation>Знайдено пульт, власник &apos;</translation>
    </message>
    <message>
        <source>Найден незарегистрированный пульт №</source>
        <translation>Знайдено незареєстрований пульт №</translation>
    </message>
</context>
<context>
    <name>QRemoteTableView</name>
    <message>
        <source>Добавить пульт</source>
        <translation>Додати пульт</translation>
    </message>
    <message>
        <source>Редактировать пульт</source>
        <translation>Редагувати пульт</translation>
    </message>
    <message>
        <source>Удалить пульт</source>
        <translation>Видалити пульт</translation>
    </message>
    <message>
        <source>Активировать пульт</source>
        <translation>Активувати пульт</translation>
    </message>
</context>
<context>
    <name>QTableCompare</name>
    <message>
        <source>Ошибка</source>
        <translation>Помилка</translation>
    </message>
    <message>
        <source>резервная копия %1</source>
        <translation>резервна копія %1</translation>
    </message>
    <message>
        <source>Применение изменений к USB-stick...</source>
        <translation>Застосування змін до USB-stick...</translation>
    </message>
    <message>
        <source>Удаление пульта №%1</source>
        <translation>Видалення пульта №%1</translation>
    </message>
    <message>
        <source>Запись пульта №%1</source>
        <translation>Запис пульта №%1</translation>
    </message>
    <message>
        <source>выполнено %1 из %2</source>
        <translation>виконано %1 з %2</translation>
    </message>
    <message>
        <source>Изменения применены к USB-stick: %1</source>
        <translation>Зміни застосовано до USB-stick: %1</translation>
    </message>
    <message>
        <source>Изменения применены не полностью: %1.</source>
        <translation>Зміни застосовано не повністю: %1.</translation>
    </message>
    <message>
        <source>Ни одно изменение не выполнено.</source>
        <translation>Жодну зміну не виконано.</translation>
    </message>
    <message>
        <source>Выполнены:</source>
        <translation>Виконано:</translation>
    </message>
    <message>
        <source>Таблица на экране показывает пульты, которые содержит USB-stick.</source>
        <translation>Таблиця на екрані показує пульти, які містить USB-stick.</translation>
    </message>
    <message>
        <source>Изменение, на которое не пришел ответ, могло быть выполнено: таблица USB-stick будет прочитана заново.</source>
        <translation>Зміну, на яку не надійшла відповідь, могло бути виконано: таблицю USB-stick буде прочитано знову.</translation>
    </message>
    <message>
        <source>Чтение данных с USB-stick...</source>
        <translation>Читання даних з USB-stick...</translation>
    </message>
    <message>
        <source>Изменения не применены: в USB-stick ничего не изменено.</source>
        <translation>Зміни не застосовано: у USB-stick нічого не змінено.</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Увага</translation>
    </message>
    <message>
        <source>Из USB-stick будет удалено пультов: %1, записано: %2. Продолжить?</source>
        <translation>З USB-stick буде видалено пультів: %1, записано: %2. Продовжити?</translation>
    </message>
    <message>
        <source>Добавляется пультов: %1, свободно мест в USB-stick: %2, освободят удаления: %3.</source>
        <translation>Додається пультів: %1, вільних місць у USB-stick: %2, звільнять видалення: %3.</translation>
    </message>
</context>
<context>
    <name>QTableCopy</name>
    <message>
        <source>Ошибка</source>
        <translation>Помилка</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Інформація</translation>
    </message>
    <message>
        <source>Операция копирования завершена успешно</source>
        <translation>Операцію копіювання успішно завершено</translation>
    </message>
    <message>
        <source>Операция копирования завершена с ошибкой</source>
        <translation>Операцію копіювання завершено з помилкою</translation>
    </message>
    <message>
        <source>Чтение данных с USB-stick...</source>
        <translation>Читання даних з USB-stick...</translation>
    </message>
    <message>
        <source>Очистка памяти исполнительного устройства...</source>
        <translation>Очищення пам&apos;яті виконавчого пристрою...</translation>
    </message>
    <message>
        <source>Копирование таблицы устройств из USB-stick в исполнительное устройство...</source>
        <translation>Копіювання таблиці пристроїв з USB-stick у виконавчий пристрій...</translation>
    </message>
    <message>
        <source>Определение размера таблицы пультов на исполнительном устройстве</source>
        <translation>Визначення розміру таблиці пультів на виконавчому пристрої</translation>
    </message>
    <message>
        <source>Копирование таблицы пультов из исполнительного устройства в USB-stick.</source>
        <translation>Копіювання таблиці пультів з виконавчого пристрою в USB-stick.</translation>
    </message>
    <message>
        <source>Ошибка чтения состояния памяти USB-sticka</source>
        <translation>Помилка читання стану пам&apos;яті USB-stick</translation>
    </message>
    <message>
        <source>Чтение данных с устройства</source>
        <translation>Читання даних з пристрою</translation>
    </message>
    <message>
        <source>Ошибка чтения состояния памяти устройства</source>
        <translation>Помилка читання стану пам&apos;яті пристрою</translation>
    </message>
    <message>
        <source>Копирование проверено: в USB-stick и в исполнительном устройстве по %1 пультов</source>
        <translation>Копіювання перевірено: у USB-stick і у виконавчому пристрої по %1 пультів</translation>
    </message>
    <message>
        <source>Проверка копирования</source>
        <translation>Перевірка копіювання</translation>
    </message>
    <message>
        <source>После копирования в исполнительном устройстве пультов: %1, в USB-stick: %2</source>
        <translation>Після копіювання у виконавчому пристрої пультів: %1, у USB-stick: %2</translation>
    </message>
    <message>
        <source>Проверка копирования...</source>
        <translation>Перевірка копіювання...</translation>
    </message>
    <message>
        <source>Не удалось прочитать состояние памяти для проверки копирования</source>
        <translation>Не вдалося прочитати стан пам&apos;яті для перевірки копіювання</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Увага</translation>
    </message>
    <message>
        <source>Таблица пультов исполнительного устройства будет стёрта и заменена таблицей USB-stick (пультов: %1). Продолжить?</source>
        <translation>Таблицю пультів виконавчого пристрою буде стерто й замінено таблицею USB-stick (пультів: %1). Продовжити?</translation>
    </message>
    <message>
        <source>Таблица пультов исполнительного устройства будет стёрта и заменена таблицей USB-stick. Продолжить?</source>
        <translation>Таблицю пультів виконавчого пристрою буде стерто й замінено таблицею USB-stick. Продовжити?</translation>
    </message>
    <message>
        <source>Таблица пультов USB-stick будет стёрта и заменена таблицей исполнительного устройства. Продолжить?</source>
        <translation>Таблицю пультів USB-stick буде стерто й замінено таблицею виконавчого пристрою. Продовжити?</translation>
    </message>
    <message>
        <source>Таблица не скопирована: память исполнительного устройства не очищена.</source>
        <translation>Таблицю не скопійовано: пам&apos;ять виконавчого пристрою не очищено.</translation>
    </message>
    <message>
        <source>Пультов в USB-stick: %1, мест в памяти исполнительного устройства: %2.</source>
        <translation>Пультів у USB-stick: %1, місць у пам&apos;яті виконавчого пристрою: %2.</translation>
    </message>
    <message>
        <source>Таблица не скопирована: таблица USB-stick не изменена.</source>
        <translation>Таблицю не скопійовано: таблицю USB-stick не змінено.</translation>
    </message>
    <message>
        <source>Пультов в исполнительном устройстве: %1, мест в памяти USB-stick: %2.</source>
        <translation>Пультів у виконавчому пристрої: %1, місць у пам&apos;яті USB-stick: %2.</translation>
    </message>
</context>
<context>
    <name>QTableCsv</name>
    <message>
        <source>Ошибка</source>
        <translation>Помилка</translation>
    </message>
    <message>
        <source>Экспорт таблицы в CSV</source>
        <translation>Експорт таблиці в CSV</translation>
    </message>
    <message>
        <source>Ошибка открытия файла </source>
        <translation>Помилка відкриття файлу </translation>
    </message>
    <message>
        <source>Таблица экспортирована в %1</source>
        <translation>Таблицю експортовано в %1</translation>
    </message>
    <message>
        <source>Импорт таблицы из CSV</source>
        <translation>Імпорт таблиці з CSV</translation>
    </message>
    <message>
        <source>Таблица не экспортирована: ошибка записи файла %1</source>
        <translation>Таблицю не експортовано: помилка запису файлу %1</translation>
    </message>
    <message>
        <source>Импорт из CSV</source>
        <translation>Імпорт з CSV</translation>
    </message>
    <message>
        <source>Таблица на экране не сохранена в файл. Импорт заменит ее. Продолжить?</source>
        <translation>Таблицю на екрані не збережено у файл. Імпорт замінить її. Продовжити?</translation>
    </message>
</context>
<context>
    <name>QTableFiles</name>
    <message>
        <source>Выбор файла json</source>
        <translation>Вибір файлу json</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Помилка</translation>
    </message>
    <message>
        <source>Ошибка системы резервного копирования</source>
        <translation>Помилка системи резервного копіювання</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Вихід</translation>
    </message>
    <message>
        <source>База данных не сохранена в файл. Хотите ее сохранить перед выходом?</source>
        <translation>Базу даних не збережено у файл. Бажаєте зберегти її перед виходом?</translation>
    </message>
    <message>
        <source>Вы действительно хотите выйти из программы?</source>
        <translation>Ви дійсно бажаєте вийти з програми?</translation>
    </message>
    <message>
        <source>Папка %1 не создаётся</source>
        <translation>Теку %1 не вдається створити</translation>
    </message>
    <message>
        <source>исполнительного устройства</source>
        <translation>виконавчого пристрою</translation>
    </message>
    <message>
        <source>USB-stick</source>
        <translation>USB-stick</translation>
    </message>
    <message>
        <source>Не удалось сохранить резервную копию таблицы %1, которая была бы заменена.</source>
        <translation>Не вдалося зберегти резервну копію таблиці %1, яку було б замінено.</translation>
    </message>
    <message>
        <source>Освободите место на диске или разрешите запись в папку %1 и повторите.</source>
        <translation>Звільніть місце на диску або дозвольте запис у теку %1 і повторіть.</translation>
    </message>
</context>
<context>
    <name>QTableTransfers</name>
    <message>
        <source>Ошибка</source>
        <translation>Помилка</translation>
    </message>
    <message>
        <source>Очистка памяти в USB-stick...</source>
        <translation>Очищення пам&apos;яті в USB-stick...</translation>
    </message>
    <message>
        <source>Ошибка чтения списка пультов с USB-stick</source>
        <translation>Помилка читання списку пультів з USB-stick</translation>
    </message>
    <message>
        <source>Чтение данных с USB-stick...</source>
        <translation>Читання даних з USB-stick...</translation>
    </message>
    <message>
        <source>Чтение пультов с USB-stick...</source>
        <translation>Читання пультів з USB-stick...</translation>
    </message>
    <message>
        <source>Очистка памяти USB-stick...</source>
        <translation>Очищення пам&apos;яті USB-stick...</translation>
    </message>
    <message>
        <source>Запись пультов на USB-stick...</source>
        <translation>Запис пультів на USB-stick...</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Увага</translation>
    </message>
    <message>
        <source>Вы действительно хотите очистить память USB-stick и исполнительного устройства</source>
        <translation>Ви дійсно бажаєте очистити пам&apos;ять USB-stick і виконавчого пристрою</translation>
    </message>
    <message>
        <source>Ошибка очистки памяти USB-stick.</source>
        <translation>Помилка очищення пам&apos;яті USB-stick.</translation>
    </message>
    <message>
        <source>Проверка записи</source>
        <translation>Перевірка запису</translation>
    </message>
    <message>
        <source>Не удалось прочитать таблицу USB-stick для проверки записи</source>
        <translation>Не вдалося прочитати таблицю USB-stick для перевірки запису</translation>
    </message>
    <message>
        <source>Запись проверена: таблица USB-stick совпадает с записанной</source>
        <translation>Запис перевірено: таблиця USB-stick збігається із записаною</translation>
    </message>
    <message>
        <source>Таблица USB-stick после записи отличается от записанной:</source>
        <translation>Таблиця USB-stick після запису відрізняється від записаної:</translation>
    </message>
    <message>
        <source>записано %1 из %2</source>
        <translation>записано %1 з %2</translation>
    </message>
    <message>
        <source>при проверке найдено отличий: %1</source>
        <translation>під час перевірки знайдено відмінностей: %1</translation>
    </message>
    <message>
        <source>USB-stick</source>
        <translation>USB-stick</translation>
    </message>
    <message>
        <source>USB-stick и исполнительное устройство</source>
        <translation>USB-stick і виконавчий пристрій</translation>
    </message>
    <message>
        <source>На USB-stick возвращена прежняя таблица</source>
        <translation>На USB-stick повернуто попередню таблицю</translation>
    </message>
    <message>
        <source>Таблица пультов не записана в USB-stick: в нём может остаться только её часть.</source>
        <translation>Таблицю пультів не записано в USB-stick: у ньому може залишитися лише її частина.</translation>
    </message>
    <message>
        <source>Таблица пуста: все пульты будут удалены из USB-stick. Продолжить?</source>
        <translation>Таблиця порожня: усі пульти буде видалено з USB-stick. Продовжити?</translation>
    </message>
    <message>
        <source>Таблица USB-stick будет стёрта и записана заново. После записи в USB-stick будет пультов: %1. Продолжить?</source>
        <translation>Таблицю USB-stick буде стерто й записано заново. Після запису в USB-stick буде пультів: %1. Продовжити?</translation>
    </message>
    <message>
        <source>Таблица USB-stick очищена: в нём нет пультов</source>
        <translation>Таблицю USB-stick очищено: у ньому немає пультів</translation>
    </message>
    <message>
        <source>Таблица записана в USB-stick, пультов: %1 (без проверки)</source>
        <translation>Таблицю записано в USB-stick, пультів: %1 (без перевірки)</translation>
    </message>
    <message>
        <source>Память USB-stick очищена</source>
        <translation>Пам&apos;ять USB-stick очищено</translation>
    </message>
    <message>
        <source>Память USB-stick и исполнительного устройства очищена</source>
        <translation>Пам&apos;ять USB-stick і виконавчого пристрою очищено</translation>
    </message>
    <message>
        <source>Пультов в таблице: %1, мест в памяти USB-stick: %2.</source>
        <translation>Пультів у таблиці: %1, місць у пам&apos;яті USB-stick: %2.</translation>
    </message>
    <message>
        <source>Таблица не записана в USB-stick: его память не очищена.</source>
        <translation>Таблицю не записано в USB-stick: його пам&apos;ять не очищено.</translation>
    </message>
    <message>
        <source>Память USB-stick не очищена.</source>
        <translation>Пам&apos;ять USB-stick не очищено.</translation>
    </message>
    <message>
        <source>Прежняя таблица не возвращена на USB-stick: в нём может остаться только часть таблицы. Прежняя таблица сохранена в резервной копии</source>
        <translation>Попередню таблицю не повернуто на USB-stick: у ньому може залишитися лише частина таблиці. Попередню таблицю збережено в резервній копії</translation>
    </message>
</context>
<context>
    <name>QUpdateChangesDialog</name>
    <message>
        <source>Добавлено:</source>
        <translation>Додано:</translation>
    </message>
    <message>
        <source>Изменено:</source>
        <translation>Змінено:</translation>
    </message>
    <message>
        <source>Исправлено:</source>
        <translation>Виправлено:</translation>
    </message>
    <message>
        <source>Удалено:</source>
        <translation>Видалено:</translation>
    </message>
    <message>
        <source>Прочее:</source>
        <translation>Інше:</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Так</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>Ні</translation>
    </message>
    <message>
        <source>Установить обновление программного обеспечения из интернета?</source>
        <translation>Встановити оновлення програмного забезпечення з інтернету?</translation>
    </message>
</context>
<context>
    <name>QUpdateController</name>
    <message>
        <source>Доступно интернет-обновление программы. Чтобы приступить к обновлению, нажмите здесь клавишей мыши</source>
        <translation>Доступне інтернет-оновлення програми. Щоб розпочати оновлення, клацніть тут мишею</translation>
    </message>
    <message>
        <source>Доступно интернет-обновление прошивки USB-stick 5813. Чтобы приступить к обновлению, нажмите здесь клавишей мыши</source>
        <translation>Доступне інтернет-оновлення прошивки USB-stick 5813. Щоб розпочати оновлення, клацніть тут мишею</translation>
    </message>
    <message>
        <source>Доступно интернет-обновление прошивки исполнительного устройства. Чтобы приступить к обновлению, нажмите здесь клавишей мыши</source>
        <translation>Доступне інтернет-оновлення прошивки виконавчого пристрою. Щоб розпочати оновлення, клацніть тут мишею</translation>
    </message>
    <message>
        <source>: Ошибка сети</source>
        <translation>: Помилка мережі</translation>
    </message>
    <message>
        <source>Нет связи с сервером. Невозможно проверить необходимость обновления программы</source>
        <translation>Немає зв&apos;язку з сервером. Неможливо перевірити потребу в оновленні програми</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Помилка</translation>
    </message>
    <message>
        <source>Адрес сервера обновлений %1 отклонён: обновления загружаются только по защищённому соединению (https://).</source>
        <translation>Адресу сервера оновлень %1 відхилено: оновлення завантажуються лише через захищене з&apos;єднання (https://).</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Інформація</translation>
    </message>
    <message>
        <source>Сервер обновлений не настроен.</source>
        <translation>Сервер оновлень не налаштовано.</translation>
    </message>
    <message>
        <source>Получение сведений об обновлениях из интернета...</source>
        <translation>Отримання відомостей про оновлення з інтернету...</translation>
    </message>
    <message>
        <source>Ошибка загрузки сведений об обновлении с сервера. Проверьте ваше подключение к интернету</source>
        <translation>Помилка завантаження відомостей про оновлення з сервера. Перевірте ваше підключення до інтернету</translation>
    </message>
    <message>
        <source>Операция обновления программного обеспечения невозможна во время обмена данным с usb-stick либо исполнительным устройством</source>
        <translation>Оновлення програмного забезпечення неможливе під час обміну даними з USB-stick або виконавчим пристроєм</translation>
    </message>
    <message>
        <source>Изменения, реализованные в новой версии прошивки USB-stick:&lt;br&gt;</source>
        <translation>Зміни, реалізовані в новій версії прошивки USB-stick:&lt;br&gt;</translation>
    </message>
    <message>
        <source>Изменения, реализованные в новой версии прошивки исполнительного устройства:&lt;br&gt;</source>
        <translation>Зміни, реалізовані в новій версії прошивки виконавчого пристрою:&lt;br&gt;</translation>
    </message>
    <message>
        <source>Изменения, реализованные в новой версии программы </source>
        <translation>Зміни, реалізовані в новій версії програми </translation>
    </message>
    <message>
        <source>У вас последняя версия программы.</source>
        <translation>У вас остання версія програми.</translation>
    </message>
    <message>
        <source>Уже установлена последняя версия прошивки.</source>
        <translation>Уже встановлено останню версію прошивки.</translation>
    </message>
    <message>
        <source>Загрузка обновления программы из интернета...</source>
        <translation>Завантаження оновлення програми з інтернету...</translation>
    </message>
    <message>
        <source>Ошибка загрузки обновления с сервера. Проверьте ваше подключение к интернету</source>
        <translation>Помилка завантаження оновлення з сервера. Перевірте ваше підключення до інтернету</translation>
    </message>
    <message>
        <source>Ошибка загрузки прошивки из файла</source>
        <translation>Помилка завантаження прошивки з файлу</translation>
    </message>
    <message>
        <source>Прошивка не записана. Загруженный файл сохранён: %1</source>
        <translation>Прошивку не записано. Завантажений файл збережено: %1</translation>
    </message>
    <message>
        <source>Ключ проверки подписи обновлений не распознан: нужна строка открытого ключа minisign. Обновления не загружаются.</source>
        <translation>Ключ перевірки підпису оновлень не розпізнано: потрібен рядок відкритого ключа minisign. Оновлення не завантажуються.</translation>
    </message>
    <message>
        <source>Ключ проверки подписи обновлений не задан: обновления не загружаются.</source>
        <translation>Ключ перевірки підпису оновлень не задано: оновлення не завантажуються.</translation>
    </message>
    <message>
        <source>Сведения об обновлении с сервера не прошли проверку подписи и не приняты.</source>
        <translation>Відомості про оновлення з сервера не пройшли перевірку підпису і не прийняті.</translation>
    </message>
    <message>
        <source>Файл %1 с сервера обновлений не прошёл проверку подписи и удалён. Ничего не установлено.</source>
        <translation>Файл %1 із сервера оновлень не пройшов перевірку підпису і видалений. Нічого не встановлено.</translation>
    </message>
    <message>
        <source>Файл подписан ключом %1, которому программа не доверяет. Кроме встроенного ключа, доверенные ключи берутся только из %2, куда может писать лишь администратор.</source>
        <translation>Файл підписано ключем %1, якому програма не довіряє. Окрім вбудованого ключа, довірені ключі беруться лише з %2, куди може писати тільки адміністратор.</translation>
    </message>
    <message>
        <source>Сведения об обновлении с сервера старше уже полученных ранее и не приняты.</source>
        <translation>Відомості про оновлення з сервера старіші за вже отримані раніше і не прийняті.</translation>
    </message>
    <message>
        <source>Программа с сервера обновлений (версия %1) не новее установленной (%2) и удалена. Ничего не установлено.</source>
        <translation>Програма з сервера оновлень (версія %1) не новіша за встановлену (%2) і видалена. Нічого не встановлено.</translation>
    </message>
    <message>
        <source>не указана</source>
        <translation>не вказана</translation>
    </message>
    <message>
        <source>Сведения на сервере обновлений устарели: они подписаны %1, более %2 дней назад. Более новые версии могут быть от вас скрыты; сообщите об этом поставщику.</source>
        <translation>Відомості на сервері оновлень застаріли: їх підписано %1, понад %2 днів тому. Новіші версії можуть бути від вас приховані; повідомте про це постачальника.</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Увага</translation>
    </message>
    <message>
        <source>Загруженный файл прошивки сохранён: %1
Его можно записать снова командой «%2».</source>
        <translation>Завантажений файл прошивки збережено: %1
Його можна записати знову командою «%2».</translation>
    </message>
    <message>
        <source>Обновить прошивку USB-stick из файла...</source>
        <translation>Оновити прошивку USB-stick з файлу...</translation>
    </message>
    <message>
        <source>Обновить прошивку исполнительного устройства из файла...</source>
        <translation>Оновити прошивку виконавчого пристрою з файлу...</translation>
    </message>
    <message>
        <source>Ключ в настройках пользователя не принимается: кроме встроенного ключа, доверенные ключи берутся только из %1, куда может писать лишь администратор.</source>
        <translation>Ключ у налаштуваннях користувача не приймається: окрім вбудованого ключа, довірені ключі беруться лише з %1, куди може писати тільки адміністратор.</translation>
    </message>
</context>
<context>
    <name>QUpdateManager</name>
    <message>
        <source>Версия </source>
        <translation>Версія </translation>
    </message>
</context>
<context>
    <name>QUpdateNotice</name>
    <message>
        <source>Скрыть</source>
        <translation>Приховати</translation>
    </message>
</context>
<context>
    <name>QWaitDialog</name>
    <message>
        <source>Пожалуйста, подождите</source>
        <translation>Будь ласка, зачекайте</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Операцию нельзя прервать: дождитесь её окончания</source>
        <translation>Операцію не можна перервати: дочекайтеся її завершення</translation>
    </message>
</context>
<context>
    <name>SiteBackupsDialog</name>
    <message>
        <source>Без объекта</source>
        <translation>Без об&apos;єкта</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Час</translation>
    </message>
    <message>
        <source>Резервная копия</source>
        <translation>Резервна копія</translation>
    </message>
    <message>
        <source>Отнести к объекту...</source>
        <translation>Віднести до об&apos;єкта...</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрити</translation>
    </message>
    <message>
        <source>Объектов пока нет: создайте объект в списке объектов.</source>
        <translation>Об&apos;єктів поки немає: створіть об&apos;єкт у списку об&apos;єктів.</translation>
    </message>
    <message>
        <source>Резервных копий: %1. К какому объекту их отнести?</source>
        <translation>Резервних копій: %1. До якого об&apos;єкта їх віднести?</translation>
    </message>
    <message>
        <source>Не отнесены к объекту:</source>
        <translation>Не віднесено до об&apos;єкта:</translation>
    </message>
</context>
<context>
    <name>SiteEditDialog</name>
    <message>
        <source>Новый объект</source>
        <translation>Новий об&apos;єкт</translation>
    </message>
    <message>
        <source>Объект «%1»</source>
        <translation>Об’єкт «%1»</translation>
    </message>
    <message>
        <source>Название:</source>
        <translation>Назва:</translation>
    </message>
    <message>
        <source>Адрес или заказчик:</source>
        <translation>Адреса або замовник:</translation>
    </message>
    <message>
        <source>Заметки:</source>
        <translation>Нотатки:</translation>
    </message>
</context>
<context>
    <name>SiteHistoryDialog</name>
    <message>
        <source>снимок %1 (%2)</source>
        <translation>знімок %1 (%2)</translation>
    </message>
    <message>
        <source>Сравнение снимков</source>
        <translation>Порівняння знімків</translation>
    </message>
    <message>
        <source>Первый: %1
Второй: %2</source>
        <translation>Перший: %1
Другий: %2</translation>
    </message>
    <message>
        <source>В первом</source>
        <translation>У першому</translation>
    </message>
    <message>
        <source>Во втором</source>
        <translation>У другому</translation>
    </message>
    <message>
        <source>Только в первом</source>
        <translation>Лише в першому</translation>
    </message>
    <message>
        <source>Только во втором</source>
        <translation>Лише в другому</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Час</translation>
    </message>
    <message>
        <source>Действие</source>
        <translation>Дія</translation>
    </message>
    <message>
        <source>Компьютер</source>
        <translation>Комп’ютер</translation>
    </message>
    <message>
        <source>Пультов</source>
        <translation>Пультів</translation>
    </message>
    <message>
        <source>Добавлено</source>
        <translation>Додано</translation>
    </message>
    <message>
        <source>Удалено</source>
        <translation>Видалено</translation>
    </message>
    <message>
        <source>Изменено</source>
        <translation>Змінено</translation>
    </message>
    <message>
        <source>Сравнить</source>
        <translation>Порівняти</translation>
    </message>
    <message>
        <source>Два выбранных снимка, или выбранный и предыдущий</source>
        <translation>Два вибрані знімки, або вибраний і попередній</translation>
    </message>
    <message>
        <source>Восстановить...</source>
        <translation>Відновити...</translation>
    </message>
    <message>
        <source>Записать в USB-stick таблицу выбранного снимка</source>
        <translation>Записати в USB-stick таблицю вибраного знімка</translation>
    </message>
    <message>
        <source>Отчёт...</source>
        <translation>Звіт...</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрити</translation>
    </message>
    <message>
        <source>История объекта «%1»</source>
        <translation>Історія об&apos;єкта «%1»</translation>
    </message>
    <message>
        <source>таблица не читается</source>
        <translation>таблиця не читається</translation>
    </message>
    <message>
        <source>Восстановление</source>
        <translation>Відновлення</translation>
    </message>
    <message>
        <source>Подключённый USB-stick относится к объекту «%1», а снимок — к объекту «%2». Всё равно сравнить и восстановить?</source>
        <translation>Підключений USB-stick належить до об&apos;єкта «%1», а знімок — до об&apos;єкта «%2». Все одно порівняти й відновити?</translation>
    </message>
    <message>
        <source>Объект подключённого USB-stick не известен, а снимок относится к объекту «%1». Всё равно сравнить и восстановить?</source>
        <translation>Об&apos;єкт підключеного USB-stick не відомий, а знімок належить до об&apos;єкта «%1». Все одно порівняти й відновити?</translation>
    </message>
    <message>
        <source>Только в первом: %1, только во втором: %2, отличаются: %3</source>
        <translation>Лише в першому: %1, лише в другому: %2, відрізняються: %3</translation>
    </message>
</context>
<context>
    <name>SiteIndex</name>
    <message>
        <source>Не удалось открыть указатель объектов %1: %2</source>
        <translation>Не вдалося відкрити покажчик об’єктів %1: %2</translation>
    </message>
    <message>
        <source>папка не создаётся</source>
        <translation>папка не створюється</translation>
    </message>
    <message>
        <source>старый указатель не удаляется</source>
        <translation>старий покажчик не видаляється</translation>
    </message>
    <message>
        <source>Прервано</source>
        <translation>Перервано</translation>
    </message>
</context>
<context>
    <name>SiteLibrary</name>
    <message>
        <source>Ошибка записи файла %1: %2</source>
        <translation>Помилка запису файлу %1: %2</translation>
    </message>
    <message>
        <source>Чтение таблицы</source>
        <translation>Читання таблиці</translation>
    </message>
    <message>
        <source>Запись таблицы</source>
        <translation>Запис таблиці</translation>
    </message>
    <message>
        <source>Применение изменений</source>
        <translation>Застосування змін</translation>
    </message>
    <message>
        <source>Чтение параметров</source>
        <translation>Читання параметрів</translation>
    </message>
    <message>
        <source>Запись параметров</source>
        <translation>Запис параметрів</translation>
    </message>
    <message>
        <source>Резервная копия</source>
        <translation>Резервна копія</translation>
    </message>
    <message>
        <source>Восстановление</source>
        <translation>Відновлення</translation>
    </message>
    <message>
        <source>Ошибка открытия файла %1: %2</source>
        <translation>Помилка відкриття файлу %1: %2</translation>
    </message>
    <message>
        <source>Неверный формат файла %1</source>
        <translation>Невірний формат файлу %1</translation>
    </message>
    <message>
        <source>У объекта нет названия</source>
        <translation>Об’єкт не має назви</translation>
    </message>
    <message>
        <source>Папка %1 не создаётся</source>
        <translation>Папка %1 не створюється</translation>
    </message>
    <message>
        <source>Нет объекта «%1»</source>
        <translation>Немає об’єкта «%1»</translation>
    </message>
    <message>
        <source>Ошибка записи снимка в папку %1</source>
        <translation>Помилка запису знімка в папку %1</translation>
    </message>
    <message>
        <source>Папка %1 удаляется не полностью</source>
        <translation>Теку %1 видалено не повністю</translation>
    </message>
</context>
<context>
    <name>SiteListDialog</name>
    <message>
        <source>Объекты</source>
        <translation>Об&apos;єкти</translation>
    </message>
    <message>
        <source>Объект</source>
        <translation>Об&apos;єкт</translation>
    </message>
    <message>
        <source>Адрес или заказчик</source>
        <translation>Адреса або замовник</translation>
    </message>
    <message>
        <source>Снимков</source>
        <translation>Знімків</translation>
    </message>
    <message>
        <source>Последний снимок</source>
        <translation>Останній знімок</translation>
    </message>
    <message>
        <source>Создать...</source>
        <translation>Створити...</translation>
    </message>
    <message>
        <source>Изменить...</source>
        <translation>Змінити...</translation>
    </message>
    <message>
        <source>Удалить...</source>
        <translation>Видалити...</translation>
    </message>
    <message>
        <source>История...</source>
        <translation>Історія...</translation>
    </message>
    <message>
        <source>Объект USB-stick</source>
        <translation>Об&apos;єкт USB-stick</translation>
    </message>
    <message>
        <source>Подключённый USB-stick относится к этому объекту</source>
        <translation>Підключений USB-stick належить до цього об&apos;єкта</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрити</translation>
    </message>
    <message>
        <source>Новый объект</source>
        <translation>Новий об&apos;єкт</translation>
    </message>
    <message>
        <source>Объект «%1» уже есть.</source>
        <translation>Об&apos;єкт «%1» уже є.</translation>
    </message>
    <message>
        <source>Удаление объекта</source>
        <translation>Видалення об&apos;єкта</translation>
    </message>
    <message>
        <source>Удалить объект «%1» со всеми его снимками (%2)? Это нельзя отменить.</source>
        <translation>Видалити об&apos;єкт «%1» з усіма його знімками (%2)? Це не можна скасувати.</translation>
    </message>
</context>
<context>
    <name>SiteRecorder</name>
    <message>
        <source>Объект не определён: %1</source>
        <translation>Об&apos;єкт не визначено: %1</translation>
    </message>
    <message>
        <source>%1 (общих пультов: %2 из %3)</source>
        <translation>%1 (спільних пультів: %2 з %3)</translation>
    </message>
    <message>
        <source>Новый объект</source>
        <translation>Новий об&apos;єкт</translation>
    </message>
    <message>
        <source>Не сейчас</source>
        <translation>Не зараз</translation>
    </message>
    <message>
        <source>Объект</source>
        <translation>Об&apos;єкт</translation>
    </message>
    <message>
        <source>USB-stick не относится ни к одному известному объекту. Где он установлен?</source>
        <translation>USB-stick не належить до жодного відомого об&apos;єкта. Де його встановлено?</translation>
    </message>
    <message>
        <source>К какому объекту относится подключённый USB-stick?</source>
        <translation>До якого об&apos;єкта належить підключений USB-stick?</translation>
    </message>
    <message>
        <source>Название объекта:</source>
        <translation>Назва об&apos;єкта:</translation>
    </message>
    <message>
        <source>Снимок не сохранён в объекте «%1»: таблица USB-stick не известна</source>
        <translation>Знімок не збережено в об&apos;єкті «%1»: таблиця USB-stick не відома</translation>
    </message>
    <message>
        <source>Снимок не сохранён в объекте «%1»: %2</source>
        <translation>Знімок не збережено в об&apos;єкті «%1»: %2</translation>
    </message>
</context>
<context>
    <name>SiteReport</name>
    <message>
        <source>Ни один снимок объекта «%1» не читается</source>
        <translation>Жоден знімок об’єкта «%1» не читається</translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation>Адреса</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Примечания</source>
        <translation>Примітки</translation>
    </message>
    <message>
        <source>Версии прошивок</source>
        <translation>Версії прошивок</translation>
    </message>
    <message>
        <source>неизвестна</source>
        <translation>невідома</translation>
    </message>
    <message>
        <source>USB-stick</source>
        <translation>USB-stick</translation>
    </message>
    <message>
        <source>Исполнительное устройство</source>
        <translation>Виконавчий пристрій</translation>
    </message>
    <message>
        <source>Параметры исполнительного устройства</source>
        <translation>Параметри виконавчого пристрою</translation>
    </message>
    <message>
        <source>Параметры не читались</source>
        <translation>Параметри не зчитувалися</translation>
    </message>
    <message>
        <source>Пульты</source>
        <translation>Пульти</translation>
    </message>
    <message>
        <source>Номер</source>
        <translation>Номер</translation>
    </message>
    <message>
        <source>Владелец</source>
        <translation>Власник</translation>
    </message>
    <message>
        <source>Группа</source>
        <translation>Група</translation>
    </message>
    <message>
        <source>Состояние</source>
        <translation>Стан</translation>
    </message>
    <message>
        <source>Режим работы</source>
        <translation>Режим роботи</translation>
    </message>
    <message>
        <source>пешеходный</source>
        <translation>пішохідний</translation>
    </message>
    <message>
        <source>обычный</source>
        <translation>звичайний</translation>
    </message>
    <message>
        <source>Последние изменения</source>
        <translation>Останні зміни</translation>
    </message>
    <message>
        <source>Снимков нет</source>
        <translation>Знімків немає</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Час</translation>
    </message>
    <message>
        <source>Действие</source>
        <translation>Дія</translation>
    </message>
    <message>
        <source>Компьютер</source>
        <translation>Комп’ютер</translation>
    </message>
    <message>
        <source>Добавлено</source>
        <translation>Додано</translation>
    </message>
    <message>
        <source>Удалено</source>
        <translation>Видалено</translation>
    </message>
    <message>
        <source>Изменено</source>
        <translation>Змінено</translation>
    </message>
    <message>
        <source>не читается</source>
        <translation>не читається</translation>
    </message>
    <message>
        <source>Ошибка записи файла %1: %2</source>
        <translation>Помилка запису файлу %1: %2</translation>
    </message>
    <message>
        <source>Объект «%1»</source>
        <translation>Об’єкт «%1»</translation>
    </message>
    <message>
        <source>Ошибка записи файла %1</source>
        <translation>Помилка запису файлу %1</translation>
    </message>
    <message>
        <source>Параметр</source>
        <translation>Параметр</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Значення</translation>
    </message>
    <message>
        <source>Известно с</source>
        <translation>Відомо з</translation>
    </message>
</context>
<context>
    <name>SiteSearchDialog</name>
    <message>
        <source>Найти пульт</source>
        <translation>Знайти пульт</translation>
    </message>
    <message>
        <source>Номер пульта или часть имени владельца</source>
        <translation>Номер пульта або частина імені власника</translation>
    </message>
    <message>
        <source>Найти</source>
        <translation>Знайти</translation>
    </message>
    <message>
        <source>Объект</source>
        <translation>Об&apos;єкт</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Пульт</translation>
    </message>
    <message>
        <source>Владелец</source>
        <translation>Власник</translation>
    </message>
    <message>
        <source>Первый снимок</source>
        <translation>Перший знімок</translation>
    </message>
    <message>
        <source>Последний снимок</source>
        <translation>Останній знімок</translation>
    </message>
    <message>
        <source>Сейчас</source>
        <translation>Зараз</translation>
    </message>
    <message>
        <source>Открыть объект</source>
        <translation>Відкрити об&apos;єкт</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрити</translation>
    </message>
    <message>
        <source>есть</source>
        <translation>є</translation>
    </message>
    <message>
        <source>удалён</source>
        <translation>видалено</translation>
    </message>
    <message>
        <source>Не найдено ни одного пульта.</source>
        <translation>Не знайдено жодного пульта.</translation>
    </message>
    <message>
        <source>Найдено больше %1 пультов; уточните запрос.</source>
        <translation>Знайдено понад %1 пультів; уточніть запит.</translation>
    </message>
    <message>
        <source>Найдено пультов: %1</source>
        <translation>Знайдено пультів: %1</translation>
    </message>
</context>
<context>
    <name>SitesMenu</name>
    <message>
        <source>Объекты</source>
        <translation>Об&apos;єкти</translation>
    </message>
    <message>
        <source>Список объектов не прочитан: %1</source>
        <translation>Список об&apos;єктів не прочитано: %1</translation>
    </message>
    <message>
        <source>Отчёт</source>
        <translation>Звіт</translation>
    </message>
    <message>
        <source>Объектов пока нет.</source>
        <translation>Об&apos;єктів поки немає.</translation>
    </message>
    <message>
        <source>Отчёт об объекте:</source>
        <translation>Звіт про об&apos;єкт:</translation>
    </message>
    <message>
        <source>Отчёт об объекте «%1»</source>
        <translation>Звіт про об&apos;єкт «%1»</translation>
    </message>
    <message>
        <source>Документ PDF (*.pdf)</source>
        <translation>Документ PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Отчёт сохранён: %1</source>
        <translation>Звіт збережено: %1</translation>
    </message>
    <message>
        <source>Объекты...</source>
        <translation>Об&apos;єкти...</translation>
    </message>
    <message>
        <source>Найти пульт...</source>
        <translation>Знайти пульт...</translation>
    </message>
    <message>
        <source>Отчёт...</source>
        <translation>Звіт...</translation>
    </message>
    <message>
        <source>Без объекта...</source>
        <translation>Без об&apos;єкта...</translation>
    </message>
    <message>
        <source>Объект: %1</source>
        <translation>Об&apos;єкт: %1</translation>
    </message>
    <message>
        <source>Объект не выбран</source>
        <translation>Об&apos;єкт не вибрано</translation>
    </message>
    <message>
        <source>Объект подключённого USB-stick...</source>
        <translation>Об'єкт підключеного USB-stick...</translation>
    </message>
</context>
<context>
    <name>TableCheck</name>
    <message>
        <source>владелец содержит нулевой символ</source>
        <translation>власник містить нульовий символ</translation>
    </message>
    <message>
        <source>№%1, владелец «%2»</source>
        <translation>№%1, власник «%2»</translation>
    </message>
    <message>
        <source>Пультов, которые записи USB-stick не могут хранить без изменений: %1. Первые из них:</source>
        <translation>Пультів, які записи USB-stick не можуть зберігати без змін: %1. Перші з них:</translation>
    </message>
    <message>
        <source>номер вне диапазона 0..%1</source>
        <translation>номер поза діапазоном 0..%1</translation>
    </message>
    <message>
        <source>... и еще %1</source>
        <translation>... і ще %1</translation>
    </message>
</context>
</TS>

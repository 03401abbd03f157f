<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>AccentColorButton</name>
    <message>
        <source>Accent colour…</source>
        <translation>Цвет акцента…</translation>
    </message>
    <message>
        <source>Accent colour</source>
        <translation>Цвет акцента</translation>
    </message>
</context>
<context>
    <name>Demo</name>
    <message>
        <source>Cannot start</source>
        <translation>Не удаётся запустить</translation>
    </message>
</context>
<context>
    <name>DemoSplash</name>
    <message>
        <source>Starting…</source>
        <translation>Запуск…</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>regular start</source>
        <translation>обычный запуск</translation>
    </message>
    <message>
        <source>first start after installation</source>
        <translation>первый запуск после установки</translation>
    </message>
    <message>
        <source>first start after reinstallation</source>
        <translation>первый запуск после переустановки</translation>
    </message>
    <message>
        <source>first start after an update</source>
        <translation>первый запуск после обновления</translation>
    </message>
    <message>
        <source>background start</source>
        <translation>запуск в фоне</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Restart…</source>
        <translation>&amp;Перезапустить…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Выход</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Вид</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Язык</translation>
    </message>
    <message>
        <source>&amp;Theme</source>
        <translation>&amp;Тема</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>A product built on the Quorvel application core</source>
        <translation>Продукт на основе ядра приложений Quorvel</translation>
    </message>
    <message>
        <source>This installation</source>
        <translation>Эта установка</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Версия</translation>
    </message>
    <message>
        <source>Days since first start</source>
        <translation>Дней с первого запуска</translation>
    </message>
    <message>
        <source>This start</source>
        <translation>Этот запуск</translation>
    </message>
    <message>
        <source>Partner</source>
        <translation>Партнёр</translation>
    </message>
    <message>
        <source>Installer running</source>
        <translation>Установщик запущен</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Тема</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>Machine</source>
        <translation>Компьютер</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Заметки</translation>
    </message>
    <message>
        <source>Type here; quitting with unsaved notes asks first.</source>
        <translation>Пишите здесь; при выходе с несохранёнными заметками будет задан вопрос.</translation>
    </message>
    <message>
        <source>Save notes</source>
        <translation>Сохранить заметки</translation>
    </message>
    <message>
        <source>Graphics driver messages</source>
        <translation>Сообщения о графическом драйвере</translation>
    </message>
    <message>
        <source>Acceleration disabled</source>
        <translation>Ускорение отключено</translation>
    </message>
    <message>
        <source>Driver unsupported</source>
        <translation>Драйвер не поддерживается</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Запущено</translation>
    </message>
    <message>
        <source>Starting…</source>
        <translation>Запуск…</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>да</translation>
    </message>
    <message>
        <source>no</source>
        <translation>нет</translation>
    </message>
    <message>
        <source>Graphics driver</source>
        <translation>Графический драйвер</translation>
    </message>
    <message>
        <source>Message: acceleration disabled…</source>
        <translation>Сообщение: ускорение отключено…</translation>
    </message>
    <message>
        <source>Message: driver unsupported…</source>
        <translation>Сообщение: драйвер не поддерживается…</translation>
    </message>
    <message>
        <source>Online &amp;help</source>
        <translation>&amp;Справка в сети</translation>
    </message>
    <message>
        <source>Frequently asked &amp;questions</source>
        <translation>Частые &amp;вопросы</translation>
    </message>
    <message>
        <source>&amp;Video lessons</source>
        <translation>&amp;Видеоуроки</translation>
    </message>
    <message>
        <source>User &amp;forum</source>
        <translation>&amp;Форум пользователей</translation>
    </message>
    <message>
        <source>&amp;Contact support</source>
        <translation>Связаться со &amp;службой поддержки</translation>
    </message>
    <message>
        <source>Product &amp;home page</source>
        <translation>&amp;Домашняя страница продукта</translation>
    </message>
    <message>
        <source>Community page</source>
        <translation>Страница сообщества</translation>
    </message>
    <message>
        <source>Photo stream</source>
        <translation>Фотолента</translation>
    </message>
    <message>
        <source>Video channel</source>
        <translation>Видеоканал</translation>
    </message>
    <message>
        <source>Follow &amp;us</source>
        <translation>Мы в &amp;сетях</translation>
    </message>
    <message>
        <source>Web browser</source>
        <translation>Веб-браузер</translation>
    </message>
    <message>
        <source>the system&apos;s default browser</source>
        <translation>браузер по умолчанию в системе</translation>
    </message>
</context>
<context>
    <name>QuitConfirmation</name>
    <message>
        <source>Quit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Do you want to quit %1?</source>
        <translation>Закрыть %1?</translation>
    </message>
</context>
<context>
    <name>SettingsMenu</name>
    <message>
        <source>Every question will be asked again.</source>
        <translation>Все вопросы будут задаваться снова.</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Настройки</translation>
    </message>
    <message>
        <source>Reset all &amp;confirmations</source>
        <translation>Сбросить все &amp;подтверждения</translation>
    </message>
</context>
<context>
    <name>TouchPanel</name>
    <message>
        <source>Touch scrolling</source>
        <translation>Прокрутка пальцем</translation>
    </message>
    <message>
        <source>Drag the list or the text with a finger.</source>
        <translation>Перетаскивайте список или текст пальцем.</translation>
    </message>
    <message>
        <source>Entry %1</source>
        <translation>Запись %1</translation>
    </message>
    <message>
        <source>Line %1 of a long text that follows the finger.</source>
        <translation>Строка %1 длинного текста, который следует за пальцем.</translation>
    </message>
</context>
<context>
    <name>UnsavedWorkGuard</name>
    <message>
        <source>Unsaved notes</source>
        <translation>Несохранённые заметки</translation>
    </message>
    <message>
        <source>Your notes have changes that are not saved.
Quit anyway and lose them?</source>
        <translation>В заметках есть несохранённые изменения.
Выйти и потерять их?</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Check for updates &amp;automatically</source>
        <translation>&amp;Автоматически проверять обновления</translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation>Проверка обновлений…</translation>
    </message>
    <message>
        <source>Version %1 is available</source>
        <translation>Доступна версия %1</translation>
    </message>
    <message>
        <source>This is the latest version</source>
        <translation>Это последняя версия</translation>
    </message>
    <message>
        <source>The update service gave an answer without a version</source>
        <translation>Служба обновлений ответила без номера версии</translation>
    </message>
    <message>
        <source>Could not check for updates</source>
        <translation>Не удалось проверить обновления</translation>
    </message>
</context>
<context>
    <name>WindowMenu</name>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Окно</translation>
    </message>
    <message>
        <source>Mi&amp;nimize</source>
        <translation>&amp;Свернуть</translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Изменить масштаб</translation>
    </message>
</context>
</TS>

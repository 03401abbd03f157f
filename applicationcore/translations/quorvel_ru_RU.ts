<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>ApplicationRestarter</name>
    <message>
        <source>Attention</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>&lt;b&gt;This will restart the application.&lt;/b&gt;&lt;br&gt;Do you want to continue?</source>
        <translation>&lt;b&gt;Приложение будет перезапущено.&lt;/b&gt;&lt;br&gt;Продолжить?</translation>
    </message>
</context>
<context>
    <name>ConfirmationAlertBox</name>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Больше не показывать</translation>
    </message>
</context>
<context>
    <name>EmailDialog</name>
    <message>
        <source>Stay in touch</source>
        <translation>Оставайтесь на связи</translation>
    </message>
    <message>
        <source>Leave your e-mail address and we will tell you about new versions and tips.</source>
        <translation>Оставьте адрес электронной почты, и мы расскажем вам о новых версиях и полезных советах.</translation>
    </message>
    <message>
        <source>name@example.com</source>
        <translation>name@example.ru</translation>
    </message>
    <message>
        <source>This is not an e-mail address.</source>
        <translation>Это не адрес электронной почты.</translation>
    </message>
    <message>
        <source>I agree that my address is kept to send me news about the product.</source>
        <translation>Я согласен, чтобы мой адрес хранился для отправки мне новостей о продукте.</translation>
    </message>
    <message>
        <source>Read the privacy policy</source>
        <translation>Политика конфиденциальности</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Подтвердить</translation>
    </message>
    <message>
        <source>Not now</source>
        <translation>Не сейчас</translation>
    </message>
</context>
<context>
    <name>LookAndFeelHandler</name>
    <message>
        <source>Follow the system</source>
        <translation>Как в системе</translation>
    </message>
</context>
<context>
    <name>SharedMessages</name>
    <message>
        <source>NVIDIA&lt;sup&gt;&amp;reg;&lt;/sup&gt; CUDA&amp;#8482; acceleration has been disabled in NVIDIA&lt;sup&gt;&amp;reg;&lt;/sup&gt; Control Panel. To enable CUDA&amp;#8482; acceleration for Vidorant, select &lt;b&gt;High-performance NVIDIA&lt;sup&gt;&amp;reg;&lt;/sup&gt; processor&lt;/b&gt; as your preferred graphics processor in NVIDIA&lt;sup&gt;&amp;reg;&lt;/sup&gt; Control Panel.&lt;br&gt;&lt;br&gt;&lt;a href=&quot;%1&quot; style=&quot;%2&quot;&gt;Detailed Instructions&lt;/a&gt;</source>
        <translation>Ускорение NVIDIA&lt;sup&gt;&amp;reg;&lt;/sup&gt; CUDA&amp;#8482; отключено в панели управления NVIDIA&lt;sup&gt;&amp;reg;&lt;/sup&gt;. Чтобы включить ускорение CUDA&amp;#8482; для Vidorant, выберите &lt;b&gt;Высокопроизводительный процессор NVIDIA&lt;sup&gt;&amp;reg;&lt;/sup&gt;&lt;/b&gt; в качестве предпочтительного графического процессора в панели управления NVIDIA&lt;sup&gt;&amp;reg;&lt;/sup&gt;.&lt;br&gt;&lt;br&gt;&lt;a href=&quot;%1&quot; style=&quot;%2&quot;&gt;Подробная инструкция&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Unfortunately, the currently installed graphics card driver does not support NVIDIA&lt;sup&gt;&amp;reg;&lt;/sup&gt; CUDA&amp;#8482; acceleration.&lt;br&gt;&lt;br&gt;You can install an earlier version of the NVIDIA&lt;sup&gt;&amp;reg;&lt;/sup&gt; graphics card driver to enable CUDA&amp;#8482; acceleration. To do that, simply download the installation package and follow the manufacturer&apos;s instructions to install the driver.&lt;br&gt;&lt;br&gt;&lt;a href=&quot;%1&quot; style=&quot;%2&quot;&gt;Download Driver&lt;/a&gt;</source>
        <translation>К сожалению, установленный драйвер видеокарты не поддерживает ускорение NVIDIA&lt;sup&gt;&amp;reg;&lt;/sup&gt; CUDA&amp;#8482;.&lt;br&gt;&lt;br&gt;Чтобы включить ускорение CUDA&amp;#8482;, можно установить более раннюю версию драйвера видеокарты NVIDIA&lt;sup&gt;&amp;reg;&lt;/sup&gt;. Для этого скачайте установочный пакет и следуйте инструкциям производителя.&lt;br&gt;&lt;br&gt;&lt;a href=&quot;%1&quot; style=&quot;%2&quot;&gt;Скачать драйвер&lt;/a&gt;</translation>
    </message>
</context>
</TS>

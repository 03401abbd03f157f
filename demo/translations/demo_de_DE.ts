<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AccentColorButton</name>
    <message>
        <source>Accent colour…</source>
        <translation>Akzentfarbe…</translation>
    </message>
    <message>
        <source>Accent colour</source>
        <translation>Akzentfarbe</translation>
    </message>
</context>
<context>
    <name>Demo</name>
    <message>
        <source>Cannot start</source>
        <translation>Start nicht möglich</translation>
    </message>
</context>
<context>
    <name>DemoSplash</name>
    <message>
        <source>Starting…</source>
        <translation>Wird gestartet…</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>regular start</source>
        <translation>gewöhnlicher Start</translation>
    </message>
    <message>
        <source>first start after installation</source>
        <translation>erster Start nach der Installation</translation>
    </message>
    <message>
        <source>first start after reinstallation</source>
        <translation>erster Start nach einer Neuinstallation</translation>
    </message>
    <message>
        <source>first start after an update</source>
        <translation>erster Start nach einem Update</translation>
    </message>
    <message>
        <source>background start</source>
        <translation>Start im Hintergrund</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Restart…</source>
        <translation>&amp;Neu starten…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>&amp;Theme</source>
        <translation>&amp;Design</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>A product built on the Quorvel application core</source>
        <translation>Ein Produkt auf Grundlage des Quorvel-Anwendungskerns</translation>
    </message>
    <message>
        <source>This installation</source>
        <translation>Diese Installation</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Days since first start</source>
        <translation>Tage seit dem ersten Start</translation>
    </message>
    <message>
        <source>This start</source>
        <translation>Dieser Start</translation>
    </message>
    <message>
        <source>Partner</source>
        <translation>Partner</translation>
    </message>
    <message>
        <source>Installer running</source>
        <translation>Installationsprogramm läuft</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Design</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Machine</source>
        <translation>Rechner</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <source>Type here; quitting with unsaved notes asks first.</source>
        <translation>Hier schreiben; beim Beenden mit ungespeicherten Notizen wird nachgefragt.</translation>
    </message>
    <message>
        <source>Save notes</source>
        <translation>Notizen speichern</translation>
    </message>
    <message>
        <source>Graphics driver messages</source>
        <translation>Meldungen zum Grafiktreiber</translation>
    </message>
    <message>
        <source>Acceleration disabled</source>
        <translation>Beschleunigung deaktiviert</translation>
    </message>
    <message>
        <source>Driver unsupported</source>
        <translation>Treiber nicht unterstützt</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Gestartet</translation>
    </message>
    <message>
        <source>Starting…</source>
        <translation>Wird gestartet…</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <source>Graphics driver</source>
        <translation>Grafiktreiber</translation>
    </message>
    <message>
        <source>Message: acceleration disabled…</source>
        <translation>Meldung: Beschleunigung deaktiviert…</translation>
    </message>
    <message>
        <source>Message: driver unsupported…</source>
        <translation>Meldung: Treiber nicht unterstützt…</translation>
    </message>
    <message>
        <source>Online &amp;help</source>
        <translation>Online-&amp;Hilfe</translation>
    </message>
    <message>
        <source>Frequently asked &amp;questions</source>
        <translation>Häufige &amp;Fragen</translation>
    </message>
    <message>
        <source>&amp;Video lessons</source>
        <translation>&amp;Videolektionen</translation>
    </message>
    <message>
        <source>User &amp;forum</source>
        <translation>Benutzer&amp;forum</translation>
    </message>
    <message>
        <source>&amp;Contact support</source>
        <translation>&amp;Support kontaktieren</translation>
    </message>
    <message>
        <source>Product &amp;home page</source>
        <translation>&amp;Startseite des Produkts</translation>
    </message>
    <message>
        <source>Community page</source>
        <translation>Community-Seite</translation>
    </message>
    <message>
        <source>Photo stream</source>
        <translation>Fotostream</translation>
    </message>
    <message>
        <source>Video channel</source>
        <translation>Videokanal</translation>
    </message>
    <message>
        <source>Follow &amp;us</source>
        <translation>Folgen Sie &amp;uns</translation>
    </message>
    <message>
        <source>Web browser</source>
        <translation>Webbrowser</translation>
    </message>
    <message>
        <source>the system&apos;s default browser</source>
        <translation>der Standardbrowser des Systems</translation>
    </message>
</context>
<context>
    <name>QuitConfirmation</name>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Do you want to quit %1?</source>
        <translation>Möchten Sie %1 beenden?</translation>
    </message>
</context>
<context>
    <name>SettingsMenu</name>
    <message>
        <source>Every question will be asked again.</source>
        <translation>Alle Fragen werden wieder gestellt.</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>Reset all &amp;confirmations</source>
        <translation>Alle &amp;Bestätigungen zurücksetzen</translation>
    </message>
</context>
<context>
    <name>TouchPanel</name>
    <message>
        <source>Touch scrolling</source>
        <translation>Scrollen mit dem Finger</translation>
    </message>
    <message>
        <source>Drag the list or the text with a finger.</source>
        <translation>Ziehen Sie die Liste oder den Text mit einem Finger.</translation>
    </message>
    <message>
        <source>Entry %1</source>
        <translation>Eintrag %1</translation>
    </message>
    <message>
        <source>Line %1 of a long text that follows the finger.</source>
        <translation>Zeile %1 eines langen Textes, der dem Finger folgt.</translation>
    </message>
</context>
<context>
    <name>UnsavedWorkGuard</name>
    <message>
        <source>Unsaved notes</source>
        <translation>Ungespeicherte Notizen</translation>
    </message>
    <message>
        <source>Your notes have changes that are not saved.
Quit anyway and lose them?</source>
        <translation>Ihre Notizen enthalten ungespeicherte Änderungen.
Trotzdem beenden und sie verlieren?</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Check for updates &amp;automatically</source>
        <translation>Automatisch nach &amp;Updates suchen</translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation>Suche nach Updates…</translation>
    </message>
    <message>
        <source>Version %1 is available</source>
        <translation>Version %1 ist verfügbar</translation>
    </message>
    <message>
        <source>This is the latest version</source>
        <translation>Dies ist die neueste Version</translation>
    </message>
    <message>
        <source>The update service gave an answer without a version</source>
        <translation>Der Update-Dienst hat ohne Versionsangabe geantwortet</translation>
    </message>
    <message>
        <source>Could not check for updates</source>
        <translation>Die Suche nach Updates ist fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>WindowMenu</name>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>Mi&amp;nimize</source>
        <translation>Mi&amp;nimieren</translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Zoomen</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AccentColorButton</name>
    <message>
        <source>Accent colour…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accent colour</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Demo</name>
    <message>
        <source>Cannot start</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DemoSplash</name>
    <message>
        <source>Starting…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>regular start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>first start after installation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>first start after reinstallation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>first start after an update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>background start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Restart…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A product built on the Quorvel application core</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This installation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days since first start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Partner</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installer running</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Machine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type here; quitting with unsaved notes asks first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Graphics driver messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Acceleration disabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Driver unsupported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Graphics driver</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message: acceleration disabled…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message: driver unsupported…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Online &amp;help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequently asked &amp;questions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Video lessons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User &amp;forum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Contact support</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Product &amp;home page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Community page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photo stream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Follow &amp;us</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Web browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the system&apos;s default browser</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QuitConfirmation</name>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to quit %1?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsMenu</name>
    <message>
        <source>Every question will be asked again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset all &amp;confirmations</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TouchPanel</name>
    <message>
        <source>Touch scrolling</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag the list or the text with a finger.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entry %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1 of a long text that follows the finger.</source>
        <translation></translation>
    </message>
</context>
<context>
    <name>UnsavedWorkGuard</name>
    <message>
        <source>Unsaved notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your notes have changes that are not saved.
Quit anyway and lose them?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Check for updates &amp;automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1 is available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is the latest version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update service gave an answer without a version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not check for updates</source>
        <translation></translation>
    </message>
</context>
<context>
    <name>WindowMenu</name>
    <message>
        <source>&amp;Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mi&amp;nimize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>

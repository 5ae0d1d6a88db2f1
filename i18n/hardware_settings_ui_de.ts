<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AnalogAxesPage</name>
    <message>
        <source>Lower dead zone</source>
        <translation>Untere Totzone</translation>
    </message>
    <message>
        <source>Upper dead zone</source>
        <translation>Obere Totzone</translation>
    </message>
    <message>
        <source>Smoothing(%)</source>
        <translation>Glättung (%)</translation>
    </message>
    <message>
        <source>Button low(%)</source>
        <translation>Taste unten (%)</translation>
    </message>
    <message>
        <source>Button high(%)</source>
        <translation>Taste oben (%)</translation>
    </message>
    <message>
        <source>Rx</source>
        <translation>Rx</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>Umkehren</translation>
    </message>
    <message>
        <source>Ry</source>
        <translation>Ry</translation>
    </message>
    <message>
        <source>Rz</source>
        <translation>Rz</translation>
    </message>
    <message>
        <source>Live value</source>
        <translation>Live-Wert</translation>
    </message>
    <message>
        <source>Other inputs the controller reports</source>
        <translation>Weitere Eingaben, die der Controller meldet</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>pressed</source>
        <translation>gedrückt</translation>
    </message>
    <message>
        <source>released</source>
        <translation>losgelassen</translation>
    </message>
</context>
<context>
    <name>AxisBar</name>
    <message>
        <source>%1 (from %2 to %3)</source>
        <translation>%1 (von %2 bis %3)</translation>
    </message>
    <message>
        <source>No reading</source>
        <translation>Kein Messwert</translation>
    </message>
</context>
<context>
    <name>BackupActions</name>
    <message>
        <source>&amp;Back up controller…</source>
        <translation>&amp;Backup des Controllers erstellen…</translation>
    </message>
    <message>
        <source>&amp;Restore…</source>
        <translation>Backup &amp;wiederherstellen…</translation>
    </message>
    <message>
        <source>&amp;Controller</source>
        <translation>&amp;Controller</translation>
    </message>
    <message>
        <source>Back up controller</source>
        <translation>Backup des Controllers erstellen</translation>
    </message>
    <message>
        <source>Controller backups (*.kbak);;All files (*)</source>
        <translation>Controller-Backups (*.kbak);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Restore controller</source>
        <translation>Controller wiederherstellen</translation>
    </message>
    <message>
        <source>A backup or restore is still under way: wait for it to end.</source>
        <translation>Ein Backup oder eine Wiederherstellung läuft noch; bitte warten Sie ihr Ende ab.</translation>
    </message>
    <message>
        <source>Choose a controller first.</source>
        <translation>Wählen Sie zuerst einen Controller.</translation>
    </message>
    <message>
        <source>Nothing was written to the controller.</source>
        <translation>Auf den Controller wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Restoring replaces all effect and hardware settings of the %1 with those of the backup.

File: %2
Backed up from: %3</source>
        <translation>Die Wiederherstellung ersetzt alle Effekt- und Hardware-Einstellungen von %1 durch die des Backups.

Datei: %2
Backup von: %3</translation>
    </message>
    <message>
        <source>&quot;Restore&quot; writes them to the controller&apos;s working memory; &quot;Restore and save&quot; also makes them permanent.</source>
        <translation>„Wiederherstellen“ schreibt sie in den Arbeitsspeicher des Controllers, „Wiederherstellen und sichern“ zusätzlich in seinen Dauerspeicher.</translation>
    </message>
    <message>
        <source>Restore the controller</source>
        <translation>Controller wiederherstellen</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Restore and save</source>
        <translation>Wiederherstellen und sichern</translation>
    </message>
    <message>
        <source>No backup was written. %1</source>
        <translation>Es wurde kein Backup geschrieben. %1</translation>
    </message>
    <message>
        <source>Controller backed up to %1 (%2).</source>
        <translation>Backup des Controllers in %1 geschrieben (%2).</translation>
    </message>
    <message>
        <source>The restore stopped before the hardware settings. %1</source>
        <translation>Die Wiederherstellung endete vor den Hardware-Einstellungen. %1</translation>
    </message>
    <message>
        <source>The restore stopped after the effect settings. %1</source>
        <translation>Die Wiederherstellung endete nach den Effekteinstellungen. %1</translation>
    </message>
    <message>
        <source>Restored %1, but the controller kept other values for: %2.</source>
        <translation>%1 wiederhergestellt, aber der Controller behielt andere Werte für: %2.</translation>
    </message>
    <message>
        <source>Restored %1 and saved it to the controller&apos;s permanent memory; every setting verified.</source>
        <translation>%1 wiederhergestellt und im Dauerspeicher des Controllers gesichert; alle Einstellungen geprüft.</translation>
    </message>
    <message>
        <source>Restored %1 to the controller&apos;s working memory; every setting verified.</source>
        <translation>%1 im Arbeitsspeicher des Controllers wiederhergestellt; alle Einstellungen geprüft.</translation>
    </message>
</context>
<context>
    <name>ButtonsPage</name>
    <message>
        <source>GPIO</source>
        <translation>GPIO</translation>
    </message>
    <message>
        <source>Button 1</source>
        <translation>Taste 1</translation>
    </message>
    <message>
        <source>Button 2</source>
        <translation>Taste 2</translation>
    </message>
    <message>
        <source>Button 3</source>
        <translation>Taste 3</translation>
    </message>
    <message>
        <source>Button 4</source>
        <translation>Taste 4</translation>
    </message>
    <message>
        <source>Button 5</source>
        <translation>Taste 5</translation>
    </message>
    <message>
        <source>Button 6</source>
        <translation>Taste 6</translation>
    </message>
    <message>
        <source>Button 7</source>
        <translation>Taste 7</translation>
    </message>
    <message>
        <source>Button 8</source>
        <translation>Taste 8</translation>
    </message>
    <message>
        <source>Shift register 1</source>
        <translation>Schieberegister 1</translation>
    </message>
    <message>
        <source>Button 9</source>
        <translation>Taste 9</translation>
    </message>
    <message>
        <source>Button 10</source>
        <translation>Taste 10</translation>
    </message>
    <message>
        <source>Button 11</source>
        <translation>Taste 11</translation>
    </message>
    <message>
        <source>Button 12</source>
        <translation>Taste 12</translation>
    </message>
    <message>
        <source>Button 13</source>
        <translation>Taste 13</translation>
    </message>
    <message>
        <source>Button 14</source>
        <translation>Taste 14</translation>
    </message>
    <message>
        <source>Button 15</source>
        <translation>Taste 15</translation>
    </message>
    <message>
        <source>Button 16</source>
        <translation>Taste 16</translation>
    </message>
    <message>
        <source>Shift register 2</source>
        <translation>Schieberegister 2</translation>
    </message>
    <message>
        <source>Button 17</source>
        <translation>Taste 17</translation>
    </message>
    <message>
        <source>Button 18</source>
        <translation>Taste 18</translation>
    </message>
    <message>
        <source>Button 19</source>
        <translation>Taste 19</translation>
    </message>
    <message>
        <source>Button 20</source>
        <translation>Taste 20</translation>
    </message>
    <message>
        <source>Button 21</source>
        <translation>Taste 21</translation>
    </message>
    <message>
        <source>Button 22</source>
        <translation>Taste 22</translation>
    </message>
    <message>
        <source>Button 23</source>
        <translation>Taste 23</translation>
    </message>
    <message>
        <source>Button 24</source>
        <translation>Taste 24</translation>
    </message>
    <message>
        <source>Shift register 3</source>
        <translation>Schieberegister 3</translation>
    </message>
    <message>
        <source>Button 25</source>
        <translation>Taste 25</translation>
    </message>
    <message>
        <source>Button 26</source>
        <translation>Taste 26</translation>
    </message>
    <message>
        <source>Button 27</source>
        <translation>Taste 27</translation>
    </message>
    <message>
        <source>Button 28</source>
        <translation>Taste 28</translation>
    </message>
    <message>
        <source>Button 29</source>
        <translation>Taste 29</translation>
    </message>
    <message>
        <source>Button 30</source>
        <translation>Taste 30</translation>
    </message>
    <message>
        <source>Button 31</source>
        <translation>Taste 31</translation>
    </message>
    <message>
        <source>Button 32</source>
        <translation>Taste 32</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Deaktiviert</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Inverted</source>
        <translation>Invertiert</translation>
    </message>
</context>
<context>
    <name>CloseQuestion</name>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Close Kestrov Setup</source>
        <translation>Kestrov Setup schließen</translation>
    </message>
    <message>
        <source>Save to the controller and close</source>
        <translation>Im Controller speichern und schließen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Not everything is saved to the controller&apos;s permanent memory:</source>
        <translation>Nicht alles ist im dauerhaften Speicher des Controllers gespeichert:</translation>
    </message>
    <message>
        <source>The effect settings hold edits that are not applied.</source>
        <translation>Die Effekteinstellungen enthalten Änderungen, die nicht übernommen sind.</translation>
    </message>
    <message>
        <source>The hardware settings hold edits that are not applied.</source>
        <translation>Die Hardware-Einstellungen enthalten Änderungen, die nicht übernommen sind.</translation>
    </message>
    <message>
        <source>The effect settings are applied but not saved.</source>
        <translation>Die Effekteinstellungen sind übernommen, aber nicht gespeichert.</translation>
    </message>
    <message>
        <source>The hardware settings are applied but not saved.</source>
        <translation>Die Hardware-Einstellungen sind übernommen, aber nicht gespeichert.</translation>
    </message>
    <message>
        <source>The controller kept other effect settings than the page shows.</source>
        <translation>Der Controller hat andere Effekteinstellungen behalten, als die Seite zeigt.</translation>
    </message>
    <message>
        <source>The controller kept other hardware settings than the pages show.</source>
        <translation>Der Controller hat andere Hardware-Einstellungen behalten, als die Seiten zeigen.</translation>
    </message>
    <message>
        <source>If you close: the controller keeps applied values until it restarts; edits not applied are lost.</source>
        <translation>Beim Schließen behält der Controller übernommene Werte bis zu seinem Neustart; nicht übernommene Änderungen gehen verloren.</translation>
    </message>
    <message>
        <source>If you close: the controller keeps the applied values until it restarts, then goes back to its saved ones.</source>
        <translation>Beim Schließen behält der Controller die übernommenen Werte bis zu seinem Neustart und kehrt dann zu seinen gespeicherten zurück.</translation>
    </message>
    <message>
        <source>If you close: the edits not applied are lost.</source>
        <translation>Beim Schließen gehen die nicht übernommenen Änderungen verloren.</translation>
    </message>
    <message>
        <source>The values on the pages that the controller did not take are lost.</source>
        <translation>Die Werte auf den Seiten, die der Controller nicht angenommen hat, gehen verloren.</translation>
    </message>
</context>
<context>
    <name>ControllerBackup</name>
    <message>
        <source>controller of type %1</source>
        <translation>Controller vom Typ %1</translation>
    </message>
    <message>
        <source>%1 could not be written: %2.</source>
        <translation>%1 konnte nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>%1 could not be read: %2.</source>
        <translation>%1 konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The backup is of a %1 (product id %2), but this controller is a %3 (product id %4).</source>
        <translation>Das Backup stammt von einem %1 (Produkt-ID %2), dieser Controller ist aber ein %3 (Produkt-ID %4).</translation>
    </message>
    <message>
        <source>The backup was made with firmware %1, but this controller runs firmware %2: the settings may mean something else to it.</source>
        <translation>Das Backup wurde mit Firmware %1 erstellt, dieser Controller hat aber Firmware %2: Die Einstellungen können für ihn etwas anderes bedeuten.</translation>
    </message>
    <message>
        <source>%1, product id %2, firmware %3</source>
        <translation>%1, Produkt-ID %2, Firmware %3</translation>
    </message>
    <message>
        <source>%1 is not a Kestrov controller backup.</source>
        <translation>%1 ist kein Backup eines Kestrov-Controllers.</translation>
    </message>
    <message>
        <source>%1 was written by a newer version of Kestrov Setup and cannot be read by this one.</source>
        <translation>%1 wurde von einer neueren Version von Kestrov Setup geschrieben und kann von dieser nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 holds settings records of other sizes than these controllers have.</source>
        <translation>%1 enthält Einstellungsdatensätze anderer Größe, als diese Controller sie haben.</translation>
    </message>
    <message>
        <source>%1 is cut short: it ends before the backup does.</source>
        <translation>%1 ist unvollständig: Die Datei endet vor dem Ende des Backups.</translation>
    </message>
    <message>
        <source>%1 is damaged: its checksum does not match its content.</source>
        <translation>%1 ist beschädigt: Ihre Prüfsumme passt nicht zum Inhalt.</translation>
    </message>
</context>
<context>
    <name>DeviceAccessIssue</name>
    <message>
        <source>%1 is connected, but this user may not open it:
%2
The udev rule 70-kestrov-controllers.rules of the kestrov-setup package gives access (see man kestrov-setup): install the package, then unplug the controller and plug it in again.</source>
        <translation>%1 ist angeschlossen, aber dieser Benutzer darf ihn nicht öffnen:
%2
Die udev-Regel 70-kestrov-controllers.rules des Pakets kestrov-setup gibt Zugriff (siehe man kestrov-setup): Installieren Sie das Paket, stecken Sie den Controller dann aus und wieder ein.</translation>
    </message>
    <message>
        <source>%1 is connected, but another program holds it:
%2
Close that program.</source>
        <translation>%1 ist angeschlossen, aber ein anderes Programm belegt ihn:
%2
Schließen Sie dieses Programm.</translation>
    </message>
    <message>
        <source>%1 is connected, but could not be opened:
%2
%3.</source>
        <translation>%1 ist angeschlossen, konnte aber nicht geöffnet werden:
%2
%3.</translation>
    </message>
</context>
<context>
    <name>DeviceAccessNotice</name>
    <message>
        <source>1 controller connected but not usable:</source>
        <translation>1 Controller angeschlossen, aber nicht nutzbar:</translation>
    </message>
    <message>
        <source>%1 controllers connected but not usable:</source>
        <translation>%1 Controller angeschlossen, aber nicht nutzbar:</translation>
    </message>
</context>
<context>
    <name>ExtraControllerNotice</name>
    <message>
        <source>A second %1 is connected; only one controller of each kind can be configured at a time.</source>
        <translation>Ein zweiter %1 ist angeschlossen; von jeder Art kann jeweils nur ein Controller eingerichtet werden.</translation>
    </message>
    <message numerus="yes">
        <source>%n more %1 controllers are connected; only one controller of each kind can be configured at a time.</source>
        <translation>
            <numerusform>%n weitere Controller der Art %1 sind angeschlossen; von jeder Art kann jeweils nur ein Controller eingerichtet werden.</numerusform>
            <numerusform>%n weitere Controller der Art %1 sind angeschlossen; von jeder Art kann jeweils nur ein Controller eingerichtet werden.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FieldEncoding</name>
    <message>
        <source>The controller holds %1; this page sends at most %2.</source>
        <translation>Der Controller hält %1; diese Seite sendet höchstens %2.</translation>
    </message>
    <message>
        <source>The controller holds %1; this page sends at least %2.</source>
        <translation>Der Controller hält %1; diese Seite sendet mindestens %2.</translation>
    </message>
    <message>
        <source>Unknown (%1)</source>
        <translation>Unbekannt (%1)</translation>
    </message>
</context>
<context>
    <name>ForceTestControl</name>
    <message>
        <source>The force test is playing.</source>
        <translation>Der Krafttest läuft.</translation>
    </message>
</context>
<context>
    <name>ForceTestGroup</name>
    <message>
        <source>Force test</source>
        <translation>Krafttest</translation>
    </message>
    <message>
        <source>Constant force</source>
        <translation>Konstante Kraft</translation>
    </message>
    <message>
        <source>Spring to centre</source>
        <translation>Feder zur Mitte</translation>
    </message>
    <message>
        <source>Sine</source>
        <translation>Sinus</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Allow more than %1 %</source>
        <translation>Mehr als %1 % erlauben</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Stops the test (Escape)</source>
        <translation>Beendet den Test (Esc)</translation>
    </message>
    <message>
        <source>Effect</source>
        <translation>Effekt</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Richtung</translation>
    </message>
    <message>
        <source>Strength</source>
        <translation>Stärke</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>This controller offers no force feedback through the kernel.</source>
        <translation>Dieser Controller bietet über den Kernel kein Force-Feedback.</translation>
    </message>
</context>
<context>
    <name>ForceTestOutcome</name>
    <message>
        <source>The force test played to its end.</source>
        <translation>Der Krafttest ist bis zum Ende gelaufen.</translation>
    </message>
    <message>
        <source>The force test was stopped.</source>
        <translation>Der Krafttest wurde beendet.</translation>
    </message>
    <message>
        <source>This controller offers no force feedback through the kernel.</source>
        <translation>Dieser Controller bietet über den Kernel kein Force-Feedback.</translation>
    </message>
    <message>
        <source>The kernel refused the test effect: %1.</source>
        <translation>Der Kernel hat den Testeffekt abgelehnt: %1.</translation>
    </message>
</context>
<context>
    <name>ForceTestRequest</name>
    <message>
        <source>The strength must be 0 to 100 %, not %1 %.</source>
        <translation>Die Stärke muss zwischen 0 und 100 % liegen, nicht bei %1 %.</translation>
    </message>
    <message>
        <source>The duration must be 1 to %1 ms, not %2 ms.</source>
        <translation>Die Dauer muss zwischen 1 und %1 ms liegen, nicht bei %2 ms.</translation>
    </message>
</context>
<context>
    <name>FullEffectSettingsWidget</name>
    <message>
        <source>The profile could not be saved.</source>
        <translation>Das Profil konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Type a profile name first.</source>
        <translation>Bitte zuerst einen Profilnamen eingeben.</translation>
    </message>
    <message>
        <source>A profile name cannot start with a dot.</source>
        <translation>Ein Profilname darf nicht mit einem Punkt beginnen.</translation>
    </message>
    <message>
        <source>Profiles are unavailable: the folder &quot;%1&quot; could not be created.</source>
        <translation>Profile sind nicht verfügbar: Der Ordner „%1“ konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:10pt;&quot;&gt;Strength of all effects combined for corresponding axis. In percents to what device can produce depending on other settings.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:10pt;&quot;&gt;Stärke aller Effekte zusammen für die jeweilige Achse, in Prozent dessen, was das Gerät abhängig von den übrigen Einstellungen leisten kann.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Axis 0</source>
        <translation>Achse 0</translation>
    </message>
    <message>
        <source>Motion range (degrees)</source>
        <translation>Bewegungsbereich (Grad)</translation>
    </message>
    <message>
        <source>Total effect strength (%)</source>
        <translation>Gesamtstärke der Effekte (%)</translation>
    </message>
    <message>
        <source>Soft stop strength (%)</source>
        <translation>Stärke des weichen Anschlags (%)</translation>
    </message>
    <message>
        <source>Soft stop range (degrees)</source>
        <translation>Bereich des weichen Anschlags (Grad)</translation>
    </message>
    <message>
        <source>Static dampening (%)</source>
        <translation>Statische Dämpfung (%)</translation>
    </message>
    <message>
        <source>Dynamic dampening (%)</source>
        <translation>Dynamische Dämpfung (%)</translation>
    </message>
    <message>
        <source>Soft stop dampening (%)</source>
        <translation>Dämpfung des weichen Anschlags (%)</translation>
    </message>
    <message>
        <source>Max force available (kg)</source>
        <translation>Maximal verfügbare Kraft (kg)</translation>
    </message>
    <message>
        <source>Axis 1</source>
        <translation>Achse 1</translation>
    </message>
    <message>
        <source>DirectX FFB</source>
        <translation>DirectX-FFB</translation>
    </message>
    <message>
        <source>Invert constant force</source>
        <translation>Konstante Kraft umkehren</translation>
    </message>
    <message>
        <source>Direct X spring forces strength (%)</source>
        <translation>Stärke der DirectX-Federkräfte (%)</translation>
    </message>
    <message>
        <source>Direct X constant forces strength (%)</source>
        <translation>Stärke der konstanten DirectX-Kräfte (%)</translation>
    </message>
    <message>
        <source>Direct X periodic forces strength (%)</source>
        <translation>Stärke der periodischen DirectX-Kräfte (%)</translation>
    </message>
    <message>
        <source>A profile name cannot contain /.</source>
        <translation>Ein Profilname darf kein / enthalten.</translation>
    </message>
    <message>
        <source>A profile name cannot contain a NUL character.</source>
        <translation>Ein Profilname darf kein NUL-Zeichen enthalten.</translation>
    </message>
    <message>
        <source>The profile name contains a character that cannot be part of a file name.</source>
        <translation>Der Profilname enthält ein Zeichen, das nicht Teil eines Dateinamens sein kann.</translation>
    </message>
    <message>
        <source>The profile name is too long: a saved name takes at most %1 bytes, where plain letters and digits take one, accented letters two and other scripts up to four.</source>
        <translation>Der Profilname ist zu lang: Ein gespeicherter Name hat höchstens %1 Bytes; einfache Buchstaben und Ziffern brauchen eines, Buchstaben mit Akzent zwei und andere Schriften bis zu vier.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be the name of a profile.</source>
        <translation>„%1“ kann nicht der Name eines Profils sein.</translation>
    </message>
    <message>
        <source>There is no profile named &quot;%1&quot;.</source>
        <translation>Es gibt kein Profil namens „%1“.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a profile file.</source>
        <translation>„%1“ ist keine Profildatei.</translation>
    </message>
    <message>
        <source>The profile &quot;%1&quot; could not be read.</source>
        <translation>Das Profil „%1“ konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The profile &quot;%1&quot; was not loaded: its file is shorter than the %2 bytes of a profile.</source>
        <translation>Das Profil „%1“ wurde nicht geladen: Seine Datei ist kürzer als die %2 Bytes eines Profils.</translation>
    </message>
    <message>
        <source>The profile &quot;%1&quot; could not be deleted.</source>
        <translation>Das Profil „%1“ konnte nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>There is a profile named &quot;%1&quot; already.</source>
        <translation>Es gibt bereits ein Profil „%1“.</translation>
    </message>
    <message>
        <source>The profile &quot;%1&quot; could not be written; what was there before is unchanged.</source>
        <translation>Das Profil „%1“ konnte nicht geschrieben werden; was vorher da war, ist unverändert.</translation>
    </message>
    <message>
        <source>Effect profile</source>
        <translation>Effektprofil</translation>
    </message>
    <message>
        <source>Profile:</source>
        <translation>Profil:</translation>
    </message>
    <message>
        <source>More profile actions</source>
        <translation>Weitere Profilaktionen</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Mehr</translation>
    </message>
    <message>
        <source>Rename, export or import a profile</source>
        <translation>Ein Profil umbenennen, exportieren oder importieren</translation>
    </message>
    <message>
        <source>The profile &quot;%1&quot; is now named &quot;%2&quot;.</source>
        <translation>Das Profil „%1“ heißt jetzt „%2“.</translation>
    </message>
    <message>
        <source>The profile &quot;%1&quot; could not be written to %2.</source>
        <translation>Das Profil „%1“ konnte nicht nach %2 geschrieben werden.</translation>
    </message>
    <message>
        <source>The profile &quot;%1&quot; was exported to %2.</source>
        <translation>Das Profil „%1“ wurde nach %2 exportiert.</translation>
    </message>
    <message>
        <source>%1 was imported as the profile &quot;%2&quot;.</source>
        <translation>%1 wurde als Profil „%2“ importiert.</translation>
    </message>
    <message>
        <source>%1 was not imported: it does not exist.</source>
        <translation>%1 wurde nicht importiert: Die Datei existiert nicht.</translation>
    </message>
    <message>
        <source>%1 was not imported: it is not a file.</source>
        <translation>%1 wurde nicht importiert: Das ist keine Datei.</translation>
    </message>
    <message>
        <source>%1 was not imported: it is not an effect profile, being shorter than the %2 bytes of one.</source>
        <translation>%1 wurde nicht importiert: Die Datei ist kein Effektprofil, denn sie ist kürzer als die %2 Bytes eines Profils.</translation>
    </message>
    <message>
        <source>%1 was not imported: it could not be read.</source>
        <translation>%1 wurde nicht importiert: Die Datei konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Rename…</source>
        <translation>Umbenennen…</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exportieren…</translation>
    </message>
    <message>
        <source>Import…</source>
        <translation>Importieren…</translation>
    </message>
    <message>
        <source>The profile &quot;%1&quot; was replaced with the page&apos;s values.</source>
        <translation>Das Profil „%1“ wurde durch die Werte der Seite ersetzt.</translation>
    </message>
    <message>
        <source>The profile &quot;%1&quot; was saved.</source>
        <translation>Das Profil „%1“ wurde gespeichert.</translation>
    </message>
    <message>
        <source>The profile &quot;%1&quot; was deleted.</source>
        <translation>Das Profil „%1“ wurde gelöscht.</translation>
    </message>
    <message>
        <source>The profile &quot;%1&quot; is on the page; apply or save it to send it.</source>
        <translation>Das Profil „%1“ steht auf der Seite; übernehmen oder speichern Sie es, um es zu senden.</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
</context>
<context>
    <name>FullHardwareSettingsWidget</name>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <source>Debug forces</source>
        <translation>Kräfte debuggen</translation>
    </message>
    <message>
        <source>Enable forces (Require reboot)</source>
        <translation>Kräfte einschalten (Neustart nötig)</translation>
    </message>
    <message>
        <source>Current sense gain (Require reboot)</source>
        <translation>Strommessverstärkung (Neustart nötig)</translation>
    </message>
    <message>
        <source>80V/V</source>
        <translation>80V/V</translation>
    </message>
    <message>
        <source>40V/V</source>
        <translation>40V/V</translation>
    </message>
    <message>
        <source>20V/V</source>
        <translation>20V/V</translation>
    </message>
    <message>
        <source>10V/V</source>
        <translation>10V/V</translation>
    </message>
    <message>
        <source>Calibration (Require reboot)</source>
        <translation>Kalibrierung (Neustart nötig)</translation>
    </message>
    <message>
        <source>Axis 0</source>
        <translation>Achse 0</translation>
    </message>
    <message>
        <source>Invert joystick output</source>
        <translation>Joystick-Ausgabe umkehren</translation>
    </message>
    <message>
        <source>Invert force output</source>
        <translation>Kraftausgabe umkehren</translation>
    </message>
    <message>
        <source>Encoder CPR</source>
        <translation>Encoder-CPR</translation>
    </message>
    <message>
        <source>Pole pairs</source>
        <translation>Polpaare</translation>
    </message>
    <message>
        <source>P gain</source>
        <translation>P-Verstärkung</translation>
    </message>
    <message>
        <source>I gain</source>
        <translation>I-Verstärkung</translation>
    </message>
    <message>
        <source>Axis 1</source>
        <translation>Achse 1</translation>
    </message>
    <message>
        <source>Power limit (%)</source>
        <translation>Leistungsgrenze (%)</translation>
    </message>
    <message>
        <source>Calibration magnitude (%)</source>
        <translation>Kalibrierstärke (%)</translation>
    </message>
    <message>
        <source>Calibration speed (%)</source>
        <translation>Kalibriergeschwindigkeit (%)</translation>
    </message>
    <message>
        <source>Calibration stop current (%)</source>
        <translation>Kalibrier-Stoppstrom (%)</translation>
    </message>
    <message>
        <source>Braking resistor limit (%)</source>
        <translation>Grenze des Bremswiderstands (%)</translation>
    </message>
    <message>
        <source>Speed sample buffer size</source>
        <translation>Puffergröße der Geschwindigkeitsmessung</translation>
    </message>
    <message>
        <source>Position smoothing (%)</source>
        <translation>Positionsglättung (%)</translation>
    </message>
    <message>
        <source>Axis %1: an encoder CPR of %2 is more than the controller can store (at most %3).</source>
        <translation>Achse %1: Eine Encoder-CPR von %2 ist mehr, als der Controller speichern kann (höchstens %3).</translation>
    </message>
    <message>
        <source>Axis %1: the P gain is empty.</source>
        <translation>Achse %1: Die P-Verstärkung ist leer.</translation>
    </message>
    <message>
        <source>Axis %1: the I gain is empty.</source>
        <translation>Achse %1: Die I-Verstärkung ist leer.</translation>
    </message>
    <message>
        <source>Axis %1: the P gain &quot;%2&quot; is not a number; write it like %3.</source>
        <translation>Achse %1: Die P-Verstärkung „%2“ ist keine Zahl; schreiben Sie sie etwa so: %3.</translation>
    </message>
    <message>
        <source>Axis %1: the I gain &quot;%2&quot; is not a number; write it like %3.</source>
        <translation>Achse %1: Die I-Verstärkung „%2“ ist keine Zahl; schreiben Sie sie etwa so: %3.</translation>
    </message>
</context>
<context>
    <name>GpioPage</name>
    <message>
        <source>GPIO modes (Require reboot)</source>
        <translation>GPIO-Modi (Neustart nötig)</translation>
    </message>
    <message>
        <source>Pin 1</source>
        <translation>Pin 1</translation>
    </message>
    <message>
        <source>Pin 2</source>
        <translation>Pin 2</translation>
    </message>
    <message>
        <source>Pin 3</source>
        <translation>Pin 3</translation>
    </message>
    <message>
        <source>Pin 4</source>
        <translation>Pin 4</translation>
    </message>
    <message>
        <source>Pin 5</source>
        <translation>Pin 5</translation>
    </message>
    <message>
        <source>Pin 6</source>
        <translation>Pin 6</translation>
    </message>
    <message>
        <source>Pin 7</source>
        <translation>Pin 7</translation>
    </message>
    <message>
        <source>Pin 8</source>
        <translation>Pin 8</translation>
    </message>
    <message>
        <source>Encoder Z0</source>
        <translation>Encoder Z0</translation>
    </message>
    <message>
        <source>Encoder Z1</source>
        <translation>Encoder Z1</translation>
    </message>
    <message>
        <source>Extensions (Require reboot)</source>
        <translation>Erweiterungen (Neustart nötig)</translation>
    </message>
    <message>
        <source>SPI mode</source>
        <translation>SPI-Modus</translation>
    </message>
    <message>
        <source>SPI recomendations</source>
        <translation>SPI-Empfehlungen</translation>
    </message>
    <message>
        <source>- SCK line at PIN 3</source>
        <translation>- SCK-Leitung an PIN 3</translation>
    </message>
    <message>
        <source>- MISO line at PIN 4</source>
        <translation>- MISO-Leitung an PIN 4</translation>
    </message>
    <message>
        <source>- CS line at PIN 5</source>
        <translation>- CS-Leitung an PIN 5</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Deaktiviert</translation>
    </message>
    <message>
        <source>Generic button</source>
        <translation>Allgemeine Taste</translation>
    </message>
    <message>
        <source>Analog</source>
        <translation>Analog</translation>
    </message>
    <message>
        <source>SPI CS</source>
        <translation>SPI CS</translation>
    </message>
    <message>
        <source>SPI SCK</source>
        <translation>SPI SCK</translation>
    </message>
    <message>
        <source>SPI MISO</source>
        <translation>SPI MISO</translation>
    </message>
    <message>
        <source>Enable effects switch</source>
        <translation>Schalter zum Einschalten der Effekte</translation>
    </message>
    <message>
        <source>Reset center button</source>
        <translation>Taste zum Zurücksetzen der Mitte</translation>
    </message>
    <message>
        <source>Reboot button</source>
        <translation>Neustart-Taste</translation>
    </message>
    <message>
        <source>Braking PWM</source>
        <translation>Brems-PWM</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About Kestrov Setup</source>
        <translation>Ü&amp;ber Kestrov Setup</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>Über &amp;Qt</translation>
    </message>
    <message>
        <source>%1: read the shown page&apos;s settings from the controller</source>
        <translation>%1: die Einstellungen der angezeigten Seite aus dem Controller lesen</translation>
    </message>
    <message>
        <source>%1: apply the shown page&apos;s settings to the controller&apos;s working memory</source>
        <translation>%1: die Einstellungen der angezeigten Seite in den Arbeitsspeicher des Controllers übernehmen</translation>
    </message>
    <message>
        <source>%1: save the shown page&apos;s settings to the controller&apos;s permanent memory</source>
        <translation>%1: die Einstellungen der angezeigten Seite im dauerhaften Speicher des Controllers speichern</translation>
    </message>
    <message>
        <source>%1: quit</source>
        <translation>%1: beenden</translation>
    </message>
    <message>
        <source>&lt;p&gt;Configures the Kestrov force-feedback controllers:&lt;/p&gt;</source>
        <translation>&lt;p&gt;Richtet die Kestrov-Force-Feedback-Controller ein:&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Licence: GPL-3.0-or-later. This program comes with no warranty.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Lizenz: GPL-3.0-or-later. Dieses Programm wird ohne jede Gewährleistung bereitgestellt.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Keyboard:&lt;/p&gt;</source>
        <translation>&lt;p&gt;Tastatur:&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Effect profiles: %1&lt;br&gt;Configuration file: %2&lt;/p&gt;</source>
        <translation>&lt;p&gt;Effektprofile: %1&lt;br&gt;Konfigurationsdatei: %2&lt;/p&gt;</translation>
    </message>
    <message>
        <source>About Kestrov Setup</source>
        <translation>Über Kestrov Setup</translation>
    </message>
</context>
<context>
    <name>KeptValueMarks</name>
    <message>
        <source>The controller kept %1; %2 was sent.</source>
        <translation>Der Controller behielt %1; gesendet wurde %2.</translation>
    </message>
</context>
<context>
    <name>LiveInputProblem</name>
    <message>
        <source>No live view: the live view needs the kernel&apos;s HID driver, and none holds this controller.</source>
        <translation>Keine Live-Ansicht: Die Live-Ansicht braucht den HID-Treiber des Kernels, doch keiner ist an diesen Controller gebunden.</translation>
    </message>
    <message>
        <source>No live view: this user may not open %1. The udev rule 70-kestrov-controllers.rules of the kestrov-setup package covers it: install the package, then plug the controller in again.</source>
        <translation>Keine Live-Ansicht: Dieser Benutzer darf %1 nicht öffnen. Die udev-Regel 70-kestrov-controllers.rules des Pakets kestrov-setup deckt das ab: Installieren Sie das Paket und schließen Sie den Controller dann neu an.</translation>
    </message>
    <message>
        <source>No live view: the controller left.</source>
        <translation>Keine Live-Ansicht: Der Controller wurde getrennt.</translation>
    </message>
    <message>
        <source>No live view: %1 could not be opened: %2.</source>
        <translation>Keine Live-Ansicht: %1 konnte nicht geöffnet werden: %2.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>No compatible devices connected</source>
        <translation>Keine kompatiblen Geräte angeschlossen</translation>
    </message>
    <message>
        <source>Effects</source>
        <translation>Effekte</translation>
    </message>
    <message>
        <source>Read current effects settings from controller</source>
        <translation>Aktuelle Effekteinstellungen vom Controller lesen</translation>
    </message>
    <message>
        <source>Apply current effects settings to controller</source>
        <translation>Aktuelle Effekteinstellungen auf den Controller anwenden</translation>
    </message>
    <message>
        <source>Save effects settings to controller&apos;s permament memory</source>
        <translation>Effekteinstellungen im Dauerspeicher des Controllers sichern</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>Read current hardware settings from controller</source>
        <translation>Aktuelle Hardware-Einstellungen vom Controller lesen</translation>
    </message>
    <message>
        <source>Apply current hardware settings to controller</source>
        <translation>Aktuelle Hardware-Einstellungen auf den Controller anwenden</translation>
    </message>
    <message>
        <source>Save hardware settings to controller&apos;s permament memory</source>
        <translation>Hardware-Einstellungen im Dauerspeicher des Controllers sichern</translation>
    </message>
    <message>
        <source>GPIO</source>
        <translation>GPIO</translation>
    </message>
    <message>
        <source>Buttons</source>
        <translation>Tasten</translation>
    </message>
    <message>
        <source>Analog axes</source>
        <translation>Analogachsen</translation>
    </message>
    <message>
        <source>Switch to DFU mode</source>
        <translation>In den DFU-Modus wechseln</translation>
    </message>
    <message>
        <source>Reboot controller</source>
        <translation>Controller neu starten</translation>
    </message>
    <message>
        <source>USB is not available: no controller can be found</source>
        <translation>USB ist nicht verfügbar: Es kann kein Controller gefunden werden</translation>
    </message>
    <message>
        <source>Latest version</source>
        <translation>Neueste Version</translation>
    </message>
    <message numerus="yes">
        <source>Select compatible device (%n connected)</source>
        <translation>
            <numerusform>Kompatibles Gerät auswählen (%n angeschlossen)</numerusform>
            <numerusform>Kompatibles Gerät auswählen (%n angeschlossen)</numerusform>
        </translation>
    </message>
    <message>
        <source>The effect settings have not been read from the controller: nothing was sent.</source>
        <translation>Die Effekteinstellungen wurden nicht vom Controller gelesen: Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>The hardware settings have not been read from the controller: nothing was sent.</source>
        <translation>Die Hardwareeinstellungen wurden nicht vom Controller gelesen: Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>No usable controller</source>
        <translation>Kein nutzbarer Controller</translation>
    </message>
    <message>
        <source>%1 is no longer selected; choose it to read its settings again.</source>
        <translation>%1 ist nicht mehr ausgewählt; wählen Sie ihn, um seine Einstellungen erneut zu lesen.</translation>
    </message>
</context>
<context>
    <name>OutcomeText</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Effect settings read from the controller.</source>
        <translation>Effekteinstellungen vom Controller gelesen.</translation>
    </message>
    <message>
        <source>Hardware settings read from the controller.</source>
        <translation>Hardwareeinstellungen vom Controller gelesen.</translation>
    </message>
    <message>
        <source>Effect settings applied to the controller&apos;s working memory and verified.</source>
        <translation>Effekteinstellungen in den Arbeitsspeicher des Controllers übernommen und geprüft.</translation>
    </message>
    <message>
        <source>Effect settings saved to the controller&apos;s permanent memory and verified.</source>
        <translation>Effekteinstellungen im dauerhaften Speicher des Controllers gespeichert und geprüft.</translation>
    </message>
    <message>
        <source>Hardware settings applied to the controller&apos;s working memory and verified.</source>
        <translation>Hardwareeinstellungen in den Arbeitsspeicher des Controllers übernommen und geprüft.</translation>
    </message>
    <message>
        <source>Hardware settings saved to the controller&apos;s permanent memory and verified.</source>
        <translation>Hardwareeinstellungen im dauerhaften Speicher des Controllers gespeichert und geprüft.</translation>
    </message>
    <message>
        <source>Reboot requested: the controller restarts and is listed again in a moment.</source>
        <translation>Neustart angefordert: Der Controller startet neu und erscheint gleich wieder in der Liste.</translation>
    </message>
    <message>
        <source>The controller switched to DFU mode for a firmware update and has left the list.</source>
        <translation>Der Controller ist für ein Firmware-Update in den DFU-Modus gewechselt und nicht mehr in der Liste.</translation>
    </message>
    <message>
        <source>The effect settings could not be read</source>
        <translation>Die Effekteinstellungen konnten nicht gelesen werden</translation>
    </message>
    <message>
        <source>The hardware settings could not be read</source>
        <translation>Die Hardwareeinstellungen konnten nicht gelesen werden</translation>
    </message>
    <message>
        <source>The effect settings were not applied</source>
        <translation>Die Effekteinstellungen wurden nicht übernommen</translation>
    </message>
    <message>
        <source>The effect settings were not saved</source>
        <translation>Die Effekteinstellungen wurden nicht gespeichert</translation>
    </message>
    <message>
        <source>The hardware settings were not applied</source>
        <translation>Die Hardwareeinstellungen wurden nicht übernommen</translation>
    </message>
    <message>
        <source>The hardware settings were not saved</source>
        <translation>Die Hardwareeinstellungen wurden nicht gespeichert</translation>
    </message>
    <message>
        <source>The reboot request did not reach the controller</source>
        <translation>Die Neustart-Anforderung hat den Controller nicht erreicht</translation>
    </message>
    <message>
        <source>The DFU mode request did not reach the controller</source>
        <translation>Die DFU-Anforderung hat den Controller nicht erreicht</translation>
    </message>
    <message>
        <source>The effect settings were applied, but reading them back to verify failed</source>
        <translation>Die Effekteinstellungen wurden übernommen, aber das Zurücklesen zur Prüfung schlug fehl</translation>
    </message>
    <message>
        <source>The effect settings were saved, but reading them back to verify failed</source>
        <translation>Die Effekteinstellungen wurden gespeichert, aber das Zurücklesen zur Prüfung schlug fehl</translation>
    </message>
    <message>
        <source>The hardware settings were applied, but reading them back to verify failed</source>
        <translation>Die Hardwareeinstellungen wurden übernommen, aber das Zurücklesen zur Prüfung schlug fehl</translation>
    </message>
    <message>
        <source>The hardware settings were saved, but reading them back to verify failed</source>
        <translation>Die Hardwareeinstellungen wurden gespeichert, aber das Zurücklesen zur Prüfung schlug fehl</translation>
    </message>
    <message>
        <source>the controller is not connected. Plug it in and choose it again.</source>
        <translation>Der Controller ist nicht angeschlossen. Schließen Sie ihn an und wählen Sie ihn erneut aus.</translation>
    </message>
    <message>
        <source>the controller left (unplugged or restarting). Plug it in, choose it and try again.</source>
        <translation>Der Controller ist weg (ausgesteckt oder im Neustart). Schließen Sie ihn an, wählen Sie ihn aus und versuchen Sie es erneut.</translation>
    </message>
    <message numerus="yes">
        <source>the controller was still busy after %n s, so the save was not sent. Try again.</source>
        <translation>
            <numerusform>Der Controller war nach %n s noch beschäftigt, daher wurde nicht gespeichert. Versuchen Sie es erneut.</numerusform>
            <numerusform>Der Controller war nach %n s noch beschäftigt, daher wurde nicht gespeichert. Versuchen Sie es erneut.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the controller was still busy after %n s. Try again.</source>
        <translation>
            <numerusform>Der Controller war nach %n s noch beschäftigt. Versuchen Sie es erneut.</numerusform>
            <numerusform>Der Controller war nach %n s noch beschäftigt. Versuchen Sie es erneut.</numerusform>
        </translation>
    </message>
    <message>
        <source>the controller&apos;s reply was too short. Check that its firmware matches this tool.</source>
        <translation>Die Antwort des Controllers war zu kurz. Prüfen Sie, ob seine Firmware zu diesem Programm passt.</translation>
    </message>
    <message>
        <source>the controller did not answer. Check its cable and power, then try again.</source>
        <translation>Der Controller hat nicht geantwortet. Prüfen Sie Kabel und Stromversorgung und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>the controller refused the request.</source>
        <translation>Der Controller hat die Anforderung abgelehnt.</translation>
    </message>
    <message>
        <source>The effect settings may have been applied</source>
        <translation>Die Effekteinstellungen wurden möglicherweise übernommen</translation>
    </message>
    <message>
        <source>The effect settings may have been saved</source>
        <translation>Die Effekteinstellungen wurden möglicherweise gespeichert</translation>
    </message>
    <message>
        <source>The hardware settings may have been applied</source>
        <translation>Die Hardwareeinstellungen wurden möglicherweise übernommen</translation>
    </message>
    <message>
        <source>The hardware settings may have been saved</source>
        <translation>Die Hardwareeinstellungen wurden möglicherweise gespeichert</translation>
    </message>
    <message>
        <source>the controller left before confirming. Choose it again to read what it holds.</source>
        <translation>Der Controller ist vor der Bestätigung verschwunden. Wählen Sie ihn erneut, um zu lesen, was er hält.</translation>
    </message>
    <message>
        <source>the controller refused the request for its status. Read its settings again to see what it holds.</source>
        <translation>Der Controller hat die Statusanfrage abgelehnt. Lesen Sie seine Einstellungen erneut, um zu sehen, was er hält.</translation>
    </message>
    <message numerus="yes">
        <source>the controller was still busy after %n s. Read its settings again to see what it holds.</source>
        <translation>
            <numerusform>Der Controller war nach %n s noch beschäftigt. Lesen Sie seine Einstellungen erneut, um zu sehen, was er hält.</numerusform>
            <numerusform>Der Controller war nach %n s noch beschäftigt. Lesen Sie seine Einstellungen erneut, um zu sehen, was er hält.</numerusform>
        </translation>
    </message>
    <message>
        <source>the controller&apos;s status reply was too short. Check that its firmware matches this tool, then read its settings again to see what it holds.</source>
        <translation>Die Statusantwort des Controllers war zu kurz. Prüfen Sie, ob seine Firmware zu diesem Programm passt, und lesen Sie dann seine Einstellungen erneut, um zu sehen, was er hält.</translation>
    </message>
    <message>
        <source>the controller stopped answering before confirming. Check its cable and power, then choose it again to read what it holds.</source>
        <translation>Der Controller hat vor der Bestätigung aufgehört zu antworten. Prüfen Sie Kabel und Stromversorgung und wählen Sie ihn dann erneut, um zu lesen, was er hält.</translation>
    </message>
    <message>
        <source>the controller left after the settings went to its working memory, before the save was sent. Plug it in, choose it and try again.</source>
        <translation>Der Controller ist verschwunden, nachdem die Einstellungen in seinen Arbeitsspeicher gingen und bevor das Speichern gesendet wurde. Schließen Sie ihn an, wählen Sie ihn und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>the controller refused the request for its status after the settings went to its working memory, so the save was not sent.</source>
        <translation>Der Controller hat die Statusanfrage abgelehnt, nachdem die Einstellungen in seinen Arbeitsspeicher gingen; daher wurde das Speichern nicht gesendet.</translation>
    </message>
    <message>
        <source>the controller&apos;s status reply was too short after the settings went to its working memory, so the save was not sent. Check that its firmware matches this tool.</source>
        <translation>Die Statusantwort des Controllers war zu kurz, nachdem die Einstellungen in seinen Arbeitsspeicher gingen; daher wurde das Speichern nicht gesendet. Prüfen Sie, ob seine Firmware zu diesem Programm passt.</translation>
    </message>
    <message>
        <source>the controller stopped answering after the settings went to its working memory, so the save was not sent. Check its cable and power, then try again.</source>
        <translation>Der Controller hat aufgehört zu antworten, nachdem die Einstellungen in seinen Arbeitsspeicher gingen; daher wurde das Speichern nicht gesendet. Prüfen Sie Kabel und Stromversorgung und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The effect settings were applied to the controller&apos;s working memory, but not saved</source>
        <translation>Die Effekteinstellungen wurden in den Arbeitsspeicher des Controllers übernommen, aber nicht gespeichert</translation>
    </message>
    <message>
        <source>The hardware settings were applied to the controller&apos;s working memory, but not saved</source>
        <translation>Die Hardwareeinstellungen wurden in den Arbeitsspeicher des Controllers übernommen, aber nicht gespeichert</translation>
    </message>
    <message>
        <source>Effect settings saved, but the controller kept other values: %1. The page still shows what you entered.</source>
        <translation>Effekteinstellungen gespeichert, aber der Controller behielt andere Werte: %1. Die Seite zeigt weiterhin Ihre Eingaben.</translation>
    </message>
    <message>
        <source>Hardware settings saved, but the controller kept other values: %1. The page still shows what you entered.</source>
        <translation>Hardwareeinstellungen gespeichert, aber der Controller behielt andere Werte: %1. Die Seite zeigt weiterhin Ihre Eingaben.</translation>
    </message>
    <message>
        <source>Effect settings applied, but the controller kept other values: %1. The page still shows what you entered.</source>
        <translation>Effekteinstellungen übernommen, aber der Controller behielt andere Werte: %1. Die Seite zeigt weiterhin Ihre Eingaben.</translation>
    </message>
    <message>
        <source>Hardware settings applied, but the controller kept other values: %1. The page still shows what you entered.</source>
        <translation>Hardwareeinstellungen übernommen, aber der Controller behielt andere Werte: %1. Die Seite zeigt weiterhin Ihre Eingaben.</translation>
    </message>
</context>
<context>
    <name>PressedIndicator</name>
    <message>
        <source>pressed</source>
        <translation>gedrückt</translation>
    </message>
    <message>
        <source>released</source>
        <translation>losgelassen</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>ProfileFileDialogs</name>
    <message>
        <source>Rename Profile</source>
        <translation>Profil umbenennen</translation>
    </message>
    <message>
        <source>New name for the profile &quot;%1&quot;:</source>
        <translation>Neuer Name für das Profil „%1“:</translation>
    </message>
    <message>
        <source>Export Profile &quot;%1&quot;</source>
        <translation>Profil „%1“ exportieren</translation>
    </message>
    <message>
        <source>Import Profile</source>
        <translation>Profil importieren</translation>
    </message>
    <message>
        <source>Keep the file as the profile:</source>
        <translation>Die Datei als dieses Profil übernehmen:</translation>
    </message>
    <message>
        <source>There is a profile named &quot;%1&quot; already. Replace it with the imported file?</source>
        <translation>Es gibt bereits ein Profil namens „%1“. Soll es durch die importierte Datei ersetzt werden?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
</context>
<context>
    <name>QComboBox</name>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Calibration start angle as the center</source>
        <translation>Startwinkel der Kalibrierung als Mitte</translation>
    </message>
    <message>
        <source>Automatic center of range search</source>
        <translation>Automatische Suche der Bereichsmitte</translation>
    </message>
</context>
<context>
    <name>RecordField</name>
    <message>
        <source>Axis %1: %2</source>
        <translation>Achse %1: %2</translation>
    </message>
    <message>
        <source>Invert constant force</source>
        <translation>Konstante Kraft umkehren</translation>
    </message>
    <message>
        <source>Direct X spring forces strength (%)</source>
        <translation>Stärke der DirectX-Federkräfte (%)</translation>
    </message>
    <message>
        <source>Direct X constant forces strength (%)</source>
        <translation>Stärke der konstanten DirectX-Kräfte (%)</translation>
    </message>
    <message>
        <source>Direct X periodic forces strength (%)</source>
        <translation>Stärke der periodischen DirectX-Kräfte (%)</translation>
    </message>
    <message>
        <source>reserved bytes</source>
        <translation>reservierte Bytes</translation>
    </message>
    <message>
        <source>Total effect strength (%)</source>
        <translation>Gesamtstärke der Effekte (%)</translation>
    </message>
    <message>
        <source>Soft stop strength (%)</source>
        <translation>Stärke des weichen Anschlags (%)</translation>
    </message>
    <message>
        <source>Soft stop range (degrees)</source>
        <translation>Bereich des weichen Anschlags (Grad)</translation>
    </message>
    <message>
        <source>Static dampening (%)</source>
        <translation>Statische Dämpfung (%)</translation>
    </message>
    <message>
        <source>Dynamic dampening (%)</source>
        <translation>Dynamische Dämpfung (%)</translation>
    </message>
    <message>
        <source>Motion range (degrees)</source>
        <translation>Bewegungsbereich (Grad)</translation>
    </message>
    <message>
        <source>Max force available (kg)</source>
        <translation>Maximal verfügbare Kraft (kg)</translation>
    </message>
    <message>
        <source>Soft stop dampening (%)</source>
        <translation>Dämpfung des weichen Anschlags (%)</translation>
    </message>
    <message>
        <source>Enable forces</source>
        <translation>Kräfte einschalten</translation>
    </message>
    <message>
        <source>Debug forces</source>
        <translation>Kräfte debuggen</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Kalibrierung</translation>
    </message>
    <message>
        <source>Current sense gain</source>
        <translation>Strommessverstärkung</translation>
    </message>
    <message>
        <source>SPI mode</source>
        <translation>SPI-Modus</translation>
    </message>
    <message>
        <source>GPIO mode of pin %1</source>
        <translation>GPIO-Modus von Pin %1</translation>
    </message>
    <message>
        <source>Button %1</source>
        <translation>Taste %1</translation>
    </message>
    <message>
        <source>Power limit (%)</source>
        <translation>Leistungsgrenze (%)</translation>
    </message>
    <message>
        <source>Braking resistor limit (%)</source>
        <translation>Grenze des Bremswiderstands (%)</translation>
    </message>
    <message>
        <source>Calibration magnitude (%)</source>
        <translation>Kalibrierstärke (%)</translation>
    </message>
    <message>
        <source>Calibration speed (%)</source>
        <translation>Kalibriergeschwindigkeit (%)</translation>
    </message>
    <message>
        <source>Calibration stop current (%)</source>
        <translation>Kalibrier-Stoppstrom (%)</translation>
    </message>
    <message>
        <source>Analog axis %1: Button low(%)</source>
        <translation>Analogachse %1: Taste unten (%)</translation>
    </message>
    <message>
        <source>Analog axis %1: Button high(%)</source>
        <translation>Analogachse %1: Taste oben (%)</translation>
    </message>
    <message>
        <source>Position smoothing (%)</source>
        <translation>Positionsglättung (%)</translation>
    </message>
    <message>
        <source>Speed sample buffer size</source>
        <translation>Puffergröße der Geschwindigkeitsmessung</translation>
    </message>
    <message>
        <source>Analog axis %1: Lower dead zone</source>
        <translation>Analogachse %1: Untere Totzone</translation>
    </message>
    <message>
        <source>Analog axis %1: Upper dead zone</source>
        <translation>Analogachse %1: Obere Totzone</translation>
    </message>
    <message>
        <source>Analog axis %1: Smoothing(%)</source>
        <translation>Analogachse %1: Glättung (%)</translation>
    </message>
    <message>
        <source>Analog axis %1: Invert</source>
        <translation>Analogachse %1: Umkehren</translation>
    </message>
    <message>
        <source>Invert joystick output</source>
        <translation>Joystick-Ausgabe umkehren</translation>
    </message>
    <message>
        <source>Invert force output</source>
        <translation>Kraftausgabe umkehren</translation>
    </message>
    <message>
        <source>Pole pairs</source>
        <translation>Polpaare</translation>
    </message>
    <message>
        <source>Encoder CPR</source>
        <translation>Encoder-CPR</translation>
    </message>
    <message>
        <source>P gain</source>
        <translation>P-Verstärkung</translation>
    </message>
    <message>
        <source>I gain</source>
        <translation>I-Verstärkung</translation>
    </message>
    <message>
        <source>%1: sent %2, the controller kept %3</source>
        <translation>%1: gesendet %2, der Controller behielt %3</translation>
    </message>
</context>
<context>
    <name>RecordStatus</name>
    <message>
        <source>Reading from the controller…</source>
        <translation>Wird vom Controller gelesen …</translation>
    </message>
    <message>
        <source>Not read from the controller: read again</source>
        <translation>Nicht vom Controller gelesen: erneut lesen</translation>
    </message>
    <message>
        <source>As read from the controller</source>
        <translation>Wie vom Controller gelesen</translation>
    </message>
    <message>
        <source>Edited, not applied</source>
        <translation>Bearbeitet, nicht übernommen</translation>
    </message>
    <message>
        <source>Applied and verified, not saved</source>
        <translation>Übernommen und geprüft, nicht gespeichert</translation>
    </message>
    <message>
        <source>Saved and verified</source>
        <translation>Gespeichert und geprüft</translation>
    </message>
    <message>
        <source>Controller kept other values</source>
        <translation>Controller behielt andere Werte</translation>
    </message>
    <message>
        <source>The controller holds other values than the page shows for: %1. Applying or saving sends the page&apos;s values.</source>
        <translation>Der Controller hält für folgende Felder andere Werte, als die Seite zeigt: %1. Anwenden oder Speichern sendet die Werte der Seite.</translation>
    </message>
    <message>
        <source>As read, but some values are shown otherwise</source>
        <translation>Wie gelesen, aber einige Werte anders angezeigt</translation>
    </message>
    <message>
        <source>Saving…</source>
        <translation>Wird gespeichert …</translation>
    </message>
    <message>
        <source>Applying…</source>
        <translation>Wird übernommen …</translation>
    </message>
    <message>
        <source>Not saved: see the message below</source>
        <translation>Nicht gespeichert: siehe die Meldung unten</translation>
    </message>
    <message>
        <source>Not applied: see the message below</source>
        <translation>Nicht übernommen: siehe die Meldung unten</translation>
    </message>
    <message>
        <source>May have been saved: read to check</source>
        <translation>Möglicherweise gespeichert: zum Prüfen lesen</translation>
    </message>
    <message>
        <source>May have been applied: read to check</source>
        <translation>Möglicherweise übernommen: zum Prüfen lesen</translation>
    </message>
    <message>
        <source>Saved, not verified: read to check</source>
        <translation>Gespeichert, nicht geprüft: zum Prüfen lesen</translation>
    </message>
    <message>
        <source>Applied, not verified: read to check</source>
        <translation>Übernommen, nicht geprüft: zum Prüfen lesen</translation>
    </message>
</context>
</TS>

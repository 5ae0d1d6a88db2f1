<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
    <name>DeviceAccessNotice</name>
    <message>
        <source>%1 is connected, but this user may not open it (%2). Install the tool&apos;s udev rule (see &quot;Using it with a controller&quot; in the README), then unplug the controller and plug it in again.</source>
        <translation>%1 ist angeschlossen, aber dieser Benutzer darf den Controller nicht öffnen (%2). Installieren Sie die udev-Regel des Programms (siehe „Using it with a controller“ in der README) und stecken Sie den Controller danach aus und wieder ein.</translation>
    </message>
    <message>
        <source>%1 is connected, but another program holds it (%2). Close that program.</source>
        <translation>%1 ist angeschlossen, aber ein anderes Programm belegt den Controller (%2). Schließen Sie dieses Programm.</translation>
    </message>
    <message>
        <source>%1 is connected, but could not be opened (%2: %3).</source>
        <translation>%1 ist angeschlossen, konnte aber nicht geöffnet werden (%2: %3).</translation>
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
        <source>Axis %1: the P gain &quot;%2&quot; is not a number; write it with a dot as the decimal point, like 0.05.</source>
        <translation>Achse %1: Die P-Verstärkung „%2“ ist keine Zahl; schreiben Sie sie mit einem Punkt als Dezimaltrennzeichen, etwa 0.05.</translation>
    </message>
    <message>
        <source>Axis %1: the I gain &quot;%2&quot; is not a number; write it with a dot as the decimal point, like 0.05.</source>
        <translation>Achse %1: Die I-Verstärkung „%2“ ist keine Zahl; schreiben Sie sie mit einem Punkt als Dezimaltrennzeichen, etwa 0.05.</translation>
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
        <source>Buttons</source>
        <translation>Tasten</translation>
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
        <source>Analog axes</source>
        <translation>Analogachsen</translation>
    </message>
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
        <source>Switch to DFU mode</source>
        <translation>In den DFU-Modus wechseln</translation>
    </message>
    <message>
        <source>Reboot controller</source>
        <translation>Controller neu starten</translation>
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
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Inverted</source>
        <translation>Invertiert</translation>
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
    <message>
        <source>the controller did not answer. Check the cable and try again.</source>
        <translation>Der Controller hat nicht geantwortet. Prüfen Sie das Kabel und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>the controller refused the request. Check that its firmware matches this tool.</source>
        <translation>Der Controller hat die Anforderung abgelehnt. Prüfen Sie, ob seine Firmware zu diesem Programm passt.</translation>
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
        <source>Effect settings saved, but the controller kept other values for: %1. The page still shows what you entered.</source>
        <translation>Effekteinstellungen gespeichert, aber der Controller behielt andere Werte für: %1. Die Seite zeigt weiter Ihre Eingaben.</translation>
    </message>
    <message>
        <source>Hardware settings saved, but the controller kept other values for: %1. The page still shows what you entered.</source>
        <translation>Hardwareeinstellungen gespeichert, aber der Controller behielt andere Werte für: %1. Die Seite zeigt weiter Ihre Eingaben.</translation>
    </message>
    <message>
        <source>Effect settings applied, but the controller kept other values for: %1. The page still shows what you entered.</source>
        <translation>Effekteinstellungen übernommen, aber der Controller behielt andere Werte für: %1. Die Seite zeigt weiter Ihre Eingaben.</translation>
    </message>
    <message>
        <source>Hardware settings applied, but the controller kept other values for: %1. The page still shows what you entered.</source>
        <translation>Hardwareeinstellungen übernommen, aber der Controller behielt andere Werte für: %1. Die Seite zeigt weiter Ihre Eingaben.</translation>
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
</context>
</TS>

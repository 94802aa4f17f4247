<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="de_DE">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>Info über QUILLOMER Designer</source>
        <translation>About QUILLOMER Designer</translation>
    </message>
    <message>
        <source>QUILLOMER Designer</source>
        <translation>QUILLOMER Designer</translation>
    </message>
    <message>
        <source>Version 1.2</source>
        <translation>Version 1.2</translation>
    </message>
    <message>
        <source>Service: service@halveron.example</source>
        <translation>Service: service@halveron.example</translation>
    </message>
    <message>
        <source>Besuchen Sie unsere Webseite</source>
        <translation>Visit our web site</translation>
    </message>
</context>
<context>
    <name>CAlarmPage</name>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Ändern...</source>
        <translation>Change...</translation>
    </message>
</context>
<context>
    <name>CAmpPropDlg</name>
    <message>
        <source>Verstärker Eigenschaften</source>
        <translation>Amplifier Properties</translation>
    </message>
    <message>
        <source>Konfiguration</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>Verstärker</source>
        <translation>Amplifier</translation>
    </message>
    <message>
        <source>%1. Kanal</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>Havarie</source>
        <translation>Spare</translation>
    </message>
    <message>
        <source>Erweitert...</source>
        <translation>Advanced...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Apply</translation>
    </message>
</context>
<context>
    <name>CAudioEditor</name>
    <message>
        <source>Audiosignale einstellen</source>
        <translation>Set audio signals</translation>
    </message>
</context>
<context>
    <name>CAudioInputsDlg</name>
    <message>
        <source>Input</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>Aux-Quelle</source>
        <translation>Aux source</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Frequenz     Hz</source>
        <translation>Frequency    Hz</translation>
    </message>
    <message>
        <source>Güte/Steilh. dB</source>
        <translation>Q/Slope      dB</translation>
    </message>
    <message>
        <source>Verstärkung dB</source>
        <translation>Gain dB</translation>
    </message>
    <message>
        <source>Bypass</source>
        <translation>Bypass</translation>
    </message>
    <message>
        <source>Bypass All</source>
        <translation>Bypass All</translation>
    </message>
    <message>
        <source>Absenkung</source>
        <translation>Attenuation</translation>
    </message>
    <message>
        <source>Rampe</source>
        <translation>Ramp</translation>
    </message>
</context>
<context>
    <name>CAudioOutputsDlg</name>
    <message>
        <source>Delay-Einheit</source>
        <translation>Delay unit</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Delay</translation>
    </message>
</context>
<context>
    <name>CBackgroundPage</name>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Gong</source>
        <translation>Chime</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Panik</source>
        <translation>Panic</translation>
    </message>
    <message>
        <source>Allgemein</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Externe Alarmquelle</source>
        <translation>External alarm source</translation>
    </message>
    <message>
        <source>Externe Textquelle</source>
        <translation>External message source</translation>
    </message>
    <message>
        <source>Hintergrundprogramm</source>
        <translation>Background programme</translation>
    </message>
    <message>
        <source>Dämpfung des Hintergrundprogramms</source>
        <translation>Background programme attenuation</translation>
    </message>
</context>
<context>
    <name>CBitmapManager</name>
    <message>
        <source>Es wurde eine Halbtone-Palette für mehr als 256 Farben erzeugt !</source>
        <translation>A halftone palette for more than 256 colours has been created !</translation>
    </message>
</context>
<context>
    <name>CChimePage</name>
    <message>
        <source>Gong</source>
        <translation>Chime</translation>
    </message>
    <message>
        <source>Ändern...</source>
        <translation>Change...</translation>
    </message>
    <message>
        <source>Gongsignale werden immer im KVT erzeugt !</source>
        <translation>Chime signals are always generated in the KVT !</translation>
    </message>
</context>
<context>
    <name>CChooseDirectoryDlg</name>
    <message>
        <source>Projektverzeichnis auswählen</source>
        <translation>Choose Project Directory</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Der Name bezeichnet eine Datei, keinen Ordner.</source>
        <translation>The name denotes a file, not a folder.</translation>
    </message>
    <message>
        <source>Der Ordner ist nicht vorhanden.</source>
        <translation>The folder does not exist.</translation>
    </message>
    <message>
        <source>Das Verzeichnis &apos;%1&apos; kann nicht gewählt werden !
( %2 )</source>
        <translation>The folder &apos;%1&apos; cannot be chosen !
( %2 )</translation>
    </message>
</context>
<context>
    <name>CChooseDirectoryPage</name>
    <message>
        <source>Verzeichnisse</source>
        <translation>Directories</translation>
    </message>
    <message>
        <source>Projektverzeichnis</source>
        <translation>Project directory</translation>
    </message>
    <message>
        <source>&amp;Durchsuchen...</source>
        <translation>&amp;Browse...</translation>
    </message>
</context>
<context>
    <name>CClockForm</name>
    <message>
        <source>QUILLOMER Systemzeit</source>
        <translation>QUILLOMER system time</translation>
    </message>
    <message>
        <source>Stellen</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Letzte DCF 77 Synchronisation</source>
        <translation>Last DCF 77 synchronisation</translation>
    </message>
    <message>
        <source>DCF Status</source>
        <translation>DCF status</translation>
    </message>
    <message>
        <source>Nebenuhren</source>
        <translation>Slave Clocks</translation>
    </message>
    <message>
        <source>Überlast</source>
        <translation>Overload</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
</context>
<context>
    <name>CCommLink</name>
    <message>
        <source>COM-Übertragungsfehler !</source>
        <translation>COM transmission error !</translation>
    </message>
    <message>
        <source>Die Kommunikationsschnittstelle wird von einer anderen Anwendung genutzt !<byte value="xd"/>
Schliessen Sie diese und versuchen Sie es dann noch einmal !</source>
        <translation>The communication port is in use by another application !<byte value="xd"/>
Close it and then try again !</translation>
    </message>
    <message>
        <source>Kommunikations LOG-File kann nicht geöffnet werden !</source>
        <translation>Communication LOG file cannot be opened !</translation>
    </message>
    <message>
        <source>QUILLOMER befindet sich im Bootmodus !<byte value="xd"/>
Mit &apos;Ja&apos; wird ein neues Betriebssystem geladen.<byte value="xd"/>
Mit &apos;Nein&apos; wird das aktuelle Betriebssystem gestartet.</source>
        <translation>QUILLOMER is in boot mode !<byte value="xd"/>
&apos;Yes&apos; loads a new operating system.<byte value="xd"/>
&apos;No&apos; starts the current operating system.</translation>
    </message>
    <message>
        <source>Keine Reaktion an der Kommunikationsschnittstelle !<byte value="xd"/>

Versorgungsspannung und Verbindungskabel zum QUILLOMER überprüfen !</source>
        <translation>No response at the communication port !<byte value="xd"/>

Check the power supply and the connection cable to QUILLOMER !</translation>
    </message>
    <message>
        <source>Unbekanntes Gerät an der Kommunikationsschnittstelle !</source>
        <translation>Unknown device at the communication port !</translation>
    </message>
    <message>
        <source>Das Wählen ist fehlgeschlagen!
Entweder wurde die letzte Verbindung nicht getrennt,
oder der KVT ist an einem lokalen Port angeschlossen.</source>
        <translation>Dialling failed!
Either the last connection was not closed,
or the KVT is connected to a local port.</translation>
    </message>
    <message>
        <source>Das Modem reagiert nicht!
Bitte überprüfen Sie, ob das Modem am richtigen COM Port angeschlossen ist.</source>
        <translation>The modem does not respond!
Please check that the modem is connected to the right COM port.</translation>
    </message>
    <message>
        <source>Das Arbeitsblatt paßt nicht mit der Geräteversion zusammen!</source>
        <translation>The worksheet does not match the device version!</translation>
    </message>
    <message>
        <source>Passwortschutz konnte nicht aktiviert werden !
</source>
        <translation>Password protection could not be activated !
</translation>
    </message>
    <message>
        <source>Das Trennen der Modemverbindung ist nicht möglich!</source>
        <translation>The modem connection cannot be hung up!</translation>
    </message>
    <message>
        <source>Wollen Sie den Vorgang wirklich abbrechen ?</source>
        <translation>Do you really want to cancel the operation ?</translation>
    </message>
    <message>
        <source>Keine Antwort von QUILLOMER ! Die Übertragung wurde abgebrochen.</source>
        <translation>No answer from QUILLOMER ! The transfer has been cancelled.</translation>
    </message>
    <message>
        <source>QUILLOMER hat &apos;%s&apos; nicht verstanden ! Die Übertragung wurde abgebrochen.</source>
        <translation>QUILLOMER did not understand &apos;%s&apos; ! The transfer has been cancelled.</translation>
    </message>
    <message>
        <source>Die Antwort &apos;%s&apos; von QUILLOMER ist nicht lesbar ! Die Übertragung wurde abgebrochen.</source>
        <translation>The answer &apos;%s&apos; from QUILLOMER cannot be read ! The transfer has been cancelled.</translation>
    </message>
    <message>
        <source>Überprüfen Sie die LOG Datei!</source>
        <translation>Check the LOG file!</translation>
    </message>
    <message>
        <source>Upload beendet ! Überprüfen Sie ggf. die &apos;*.err&apos; Datei auf Unstimmigkeiten !&quot;</source>
        <translation>Upload finished ! If necessary, check the &apos;*.err&apos; file for differences !&quot;</translation>
    </message>
    <message>
        <source>Bitte warten bis aktuelle Übertragung abgeschlossen ist !
</source>
        <translation>Please wait until the current transfer has finished !
</translation>
    </message>
    <message>
        <source>Bitte zuerst Verbindung zu QUILLOMER herstellen !</source>
        <translation>Please connect to QUILLOMER first !</translation>
    </message>
    <message>
        <source>Das Textfile kann nicht geöffnet werden !</source>
        <translation>The text file cannot be opened !</translation>
    </message>
    <message>
        <source>Die Datei ist leer !</source>
        <translation>The file is empty !</translation>
    </message>
    <message>
        <source>Versionsabfrage nicht möglich,da QUILLOMER nicht antwortet !</source>
        <translation>Version query not possible, QUILLOMER does not respond !</translation>
    </message>
    <message>
        <source>Überprüfen Sie das zu ladende Betriebssystem!
Die Geräteversionskennung stimmt nicht überein!</source>
        <translation>Check the operating system to be loaded!
The device version identifier does not match!</translation>
    </message>
    <message>
        <source>Warnung: Dies ist die letzte Möglichkeit den Vorgang &apos;QUILLOMER-Betriebssystem laden&apos; abzubrechen !<byte value="xd"/><byte value="xd"/>
Wollen Sie wirklich das vorhandene QUILLOMER-Betriebssystem ersetzen ?</source>
        <translation>Warning: this is the last chance to cancel &apos;Load QUILLOMER operating system&apos; !<byte value="xd"/><byte value="xd"/>
Do you really want to replace the present QUILLOMER operating system ?</translation>
    </message>
    <message>
        <source>Vorgang &apos;QUILLOMER-Betriebssystem erneuern&apos; wurde abgebrochen !</source>
        <translation>&apos;Renew QUILLOMER operating system&apos; has been cancelled !</translation>
    </message>
    <message>
        <source>Vorgang &apos;QUILLOMER-Betriebssystem laden&apos; wurde erfolgreich durchgeführt !</source>
        <translation>&apos;Load QUILLOMER operating system&apos; has been completed successfully !</translation>
    </message>
    <message>
        <source>Das QUILLOMER-Betriebssystem ist fehlerhaft und kann daher nicht gestartet werden.<byte value="xd"/>
Möglicherweise haben Sie keines oder das falsche File geladen.<byte value="xd"/>
Wenn nicht, wenden Sie sich bitte umgehend an den Hersteller !</source>
        <translation>The QUILLOMER operating system is faulty and therefore cannot be started.<byte value="xd"/>
Possibly you loaded no file or the wrong file.<byte value="xd"/>
If not, please contact the manufacturer at once !</translation>
    </message>
    <message>
        <source>Das QUILLOMER-Betriebssystem wurde gestartet !</source>
        <translation>The QUILLOMER operating system has been started !</translation>
    </message>
    <message>
        <source>Die Datei kann nicht geöffnet werden !
</source>
        <translation>The file cannot be opened !
</translation>
    </message>
    <message>
        <source>Die Datei &apos;%s&apos; enthält keine Daten für QUILLOMER (keine S1-, S2- oder S3-Records) !<byte value="xd"/>
Es wurde nichts an QUILLOMER gesendet.</source>
        <translation>The file &apos;%s&apos; holds no data for QUILLOMER (no S1, S2 or S3 records) !<byte value="xd"/>
Nothing has been sent to QUILLOMER.</translation>
    </message>
    <message>
        <source>QUILLOMER antwortet nicht mehr !<byte value="xd"/>

QUILLOMER befindet sich wahrscheinlich noch im Bootmodus.<byte value="xd"/>
Verbindungskabel überprüfen, neu verbinden und das Betriebssystem erneut laden !</source>
        <translation>QUILLOMER does not answer any more !<byte value="xd"/>

QUILLOMER is probably still in its boot mode.<byte value="xd"/>
Check the connecting cable, connect again and load the operating system once more !</translation>
    </message>
    <message>
        <source>Das gestartete QUILLOMER-Betriebssystem meldet sich nicht !<byte value="xd"/>

Verbindungskabel überprüfen und neu verbinden !</source>
        <translation>The started QUILLOMER operating system does not report !<byte value="xd"/>

Check the connecting cable and connect again !</translation>
    </message>
    <message>
        <source>Login wurde abgelehnt !</source>
        <translation>Login refused !</translation>
    </message>
    <message>
        <source>Eingaben ungülig !</source>
        <translation>Invalid input !</translation>
    </message>
    <message>
        <source>Netscan ist abgeschlossen !
</source>
        <translation>Netscan has finished !
</translation>
    </message>
    <message>
        <source>Zeit für Netscan wurde überschritten !
</source>
        <translation>Netscan time exceeded !
</translation>
    </message>
    <message>
        <source>Projekt &apos;</source>
        <translation>Project &apos;</translation>
    </message>
    <message>
        <source>&apos; mit QUILLOMER verbunden !</source>
        <translation>&apos; connected with QUILLOMER !</translation>
    </message>
    <message>
        <source>               Kein Projekt mit QUILLOMER verbunden.          </source>
        <translation>               No project connected with QUILLOMER.          </translation>
    </message>
    <message>
        <source>Wähle</source>
        <translation>Dialling</translation>
    </message>
    <message>
        <source>Parameter: [</source>
        <translation>Parameter: [</translation>
    </message>
    <message>
        <source>Vorbereiten zun Download ...</source>
        <translation>Preparing the download ...</translation>
    </message>
    <message>
        <source>File : </source>
        <translation>File : </translation>
    </message>
    <message>
        <source>QUILLOMER SW-Version : </source>
        <translation>QUILLOMER SW version : </translation>
    </message>
    <message>
        <source>
<byte value="xd"/>Wollen Sie ein anderes QUILLOMER-Betriebssystem laden ?
</source>
        <translation>
<byte value="xd"/>Do you want to load another QUILLOMER operating system ?
</translation>
    </message>
    <message>
        <source>Fehler beim Laden des QUILLOMER-Betriebssystems !<byte value="xd"/>

</source>
        <translation>Error while loading the QUILLOMER operating system !<byte value="xd"/>

</translation>
    </message>
    <message>
        <source><byte value="xd"/>

Bitte File überprüfen und Vorgang wiederholen !</source>
        <translation><byte value="xd"/>

Please check the file and repeat the operation !</translation>
    </message>
    <message>
        <source>Suche ...</source>
        <translation>Searching ...</translation>
    </message>
    <message>
        <source>Keine Zugriffsberechtigung für die Kommunikationsschnittstelle %1 !<byte value="xd"/>
Der Benutzer muss Mitglied der Gruppe &apos;%2&apos; sein, der das Gerät gehört, und sich danach neu anmelden.</source>
        <translation>No permission to use the communication port %1 !<byte value="xd"/>
The user must be a member of the group &apos;%2&apos; that owns the device, and log in again afterwards.</translation>
    </message>
    <message>
        <source>Keine Zugriffsberechtigung für die Kommunikationsschnittstelle %1 !<byte value="xd"/>
Die Rechte des Geräts erlauben diesem Benutzer nicht, es zu lesen und zu schreiben.</source>
        <translation>No permission to use the communication port %1 !<byte value="xd"/>
The device&apos;s permissions do not let this user read and write it.</translation>
    </message>
    <message>
        <source>Die Kommunikationsschnittstelle COM %1 (%2) ist an diesem Rechner nicht vorhanden !<byte value="xd"/>
Wählen Sie die Schnittstelle, an der QUILLOMER angeschlossen ist.</source>
        <translation>The communication port COM %1 (%2) does not exist on this computer !<byte value="xd"/>
Choose the port the QUILLOMER is connected to.</translation>
    </message>
    <message>
        <source>Die Kommunikationsschnittstelle COM %1 (%2) kann nicht geöffnet werden !<byte value="xd"/>
( %3 )</source>
        <translation>The communication port COM %1 (%2) cannot be opened !<byte value="xd"/>
( %3 )</translation>
    </message>
</context>
<context>
    <name>CConnectionsDlg</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CConsoleFrame</name>
    <message>
        <source>Bereichstastenprogrammierung</source>
        <translation>Range key programming</translation>
    </message>
    <message>
        <source>Tastenzuordnung vollständig löschen</source>
        <translation>Clear the key assignment completely</translation>
    </message>
    <message>
        <source>Tastenzuordnung kopieren</source>
        <translation>Copy key assignment</translation>
    </message>
    <message>
        <source>Sprechstelle drucken</source>
        <translation>Print console</translation>
    </message>
    <message>
        <source>Sprechstelle DOWNLOAD</source>
        <translation>Console DOWNLOAD</translation>
    </message>
    <message>
        <source>Sprechstelle UPLOAD</source>
        <translation>Console UPLOAD</translation>
    </message>
    <message>
        <source>Aktuelle Software Version abfragen</source>
        <translation>Query the current software version</translation>
    </message>
</context>
<context>
    <name>CConsolePropertySheet</name>
    <message>
        <source>Allgemein</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Tastenzuordnung</source>
        <translation>Key assignment</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Ü&amp;bernehmen</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>CConsoleTreeDlg</name>
    <message>
        <source>Sprechstellenübersicht</source>
        <translation>Console overview</translation>
    </message>
</context>
<context>
    <name>CCopyKeysDlg</name>
    <message>
        <source>Tastenzuordnung kopieren</source>
        <translation>Copy key assignment</translation>
    </message>
    <message>
        <source>Die Tastenzuordnung der Sprechstelle</source>
        <translation>The key assignment of the console</translation>
    </message>
    <message>
        <source>wird vollständig auf folgende Sprechstelle kopiert:</source>
        <translation>is copied completely to the following console:</translation>
    </message>
    <message>
        <source>&amp;Kopieren</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Abbrechen</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>CDigitalSlotDlg</name>
    <message>
        <source>Eingänge</source>
        <translation>Inputs</translation>
    </message>
    <message>
        <source>Ausgänge</source>
        <translation>Outputs</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CDocTemplate</name>
    <message>
        <source>Unbenannt</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>Speichern unter</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>QUILLOMER(*.qlx)</source>
        <translation>QUILLOMER(*.qlx)</translation>
    </message>
    <message>
        <source>Änderungen in %1 speichern?</source>
        <translation>Save changes to %1?</translation>
    </message>
    <message>
        <source>Die Datei %1 existiert bereits.
Soll sie überschrieben werden?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
</context>
<context>
    <name>CEBListView</name>
    <message>
        <source>Listen (*.txt)</source>
        <translation>Lists (*.txt)</translation>
    </message>
    <message>
        <source>Alle Dateien (*)</source>
        <translation>All Files (*)</translation>
    </message>
</context>
<context>
    <name>CErrFileView</name>
    <message>
        <source>Unstimmigkeiten</source>
        <translation>Discrepancies</translation>
    </message>
    <message>
        <source>Datei:</source>
        <translation>File:</translation>
    </message>
</context>
<context>
    <name>CEventLogView</name>
    <message>
        <source>Es ist kein Drucker eingerichtet: die Ereignisse können nicht gedruckt werden.</source>
        <translation>No printer is set up: the events cannot be printed.</translation>
    </message>
    <message>
        <source>Der Drucker nimmt den Druck nicht an: das Drucken der Ereignisse wird beendet.</source>
        <translation>The printer does not accept the print: printing the events stops.</translation>
    </message>
    <message>
        <source>Audiosignale</source>
        <translation>Audio signals</translation>
    </message>
    <message>
        <source>FAULT</source>
        <translation>FAULT</translation>
    </message>
    <message>
        <source>Betriebsspannung ein- oder ausschalten</source>
        <translation>Switching the supply voltage on or off</translation>
    </message>
    <message>
        <source>Linientest</source>
        <translation>Line test</translation>
    </message>
    <message>
        <source>Zeiteinstellung</source>
        <translation>Time setting</translation>
    </message>
    <message>
        <source>Makros</source>
        <translation>Macros</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>RESET</translation>
    </message>
    <message>
        <source>Havarie</source>
        <translation>Spare amplifiers</translation>
    </message>
    <message>
        <source>READYINPUT&apos;s</source>
        <translation>READYINPUTs</translation>
    </message>
    <message>
        <source>Rekorder</source>
        <translation>Recorder</translation>
    </message>
    <message>
        <source>DCF</source>
        <translation>DCF</translation>
    </message>
    <message>
        <source>Konfiguration</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>Virtuelle Kontroller</source>
        <translation>Virtual controllers</translation>
    </message>
    <message>
        <source>Einträge (siehe Datei</source>
        <translation>Entries (see file</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Jetzt drucken</source>
        <translation>Print now</translation>
    </message>
    <message>
        <source>Ereignisse ,die mitprotokolliert werden sollen</source>
        <translation>Events to be logged</translation>
    </message>
    <message>
        <source>Ereignisse</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>Eigenschaften</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Die Maske ist zu lang, um an das Gerät gesendet zu werden:
%1</source>
        <translation>The mask is too long to be sent to the device:
%1</translation>
    </message>
</context>
<context>
    <name>CExtAudioSignalsDlg</name>
    <message>
        <source>Externe Audiosignale</source>
        <translation>External Audio Signals</translation>
    </message>
    <message>
        <source>Start/Stop - Steuerleitung</source>
        <translation>Start/Stop - control line</translation>
    </message>
    <message>
        <source>Running - Rückmeldeltg</source>
        <translation>Running - feedback line</translation>
    </message>
    <message>
        <source>Fault - Rückmeldeleitung</source>
        <translation>Fault - feedback line</translation>
    </message>
    <message>
        <source>Signalpriorität</source>
        <translation>Signal priority</translation>
    </message>
    <message>
        <source>Start des Audiosignals über beliebiges Ereignis:</source>
        <translation>Start the audio signal by any event:</translation>
    </message>
    <message>
        <source>Bedingung...</source>
        <translation>Condition...</translation>
    </message>
    <message>
        <source>Linien/Gruppen...</source>
        <translation>Lines/Groups...</translation>
    </message>
    <message>
        <source>LCD Anzeige während Audiosignal aktiv ist:</source>
        <translation>LCD display while the audio signal is active:</translation>
    </message>
    <message>
        <source>an Sprechstelle :</source>
        <translation>at console :</translation>
    </message>
    <message>
        <source>Text (max. 16 Z.):</source>
        <translation>Text (max. 16 ch.):</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Apply</translation>
    </message>
</context>
<context>
    <name>CFaultDlgView</name>
    <message>
        <source>LMZ Fehler</source>
        <translation>LMZ fault</translation>
    </message>
    <message>
        <source>Verstärkerfehler</source>
        <translation>Amplifier fault</translation>
    </message>
    <message>
        <source>interner KVT Fehler</source>
        <translation>Internal KVT fault</translation>
    </message>
    <message>
        <source>Sprechstellenfehler</source>
        <translation>Console fault</translation>
    </message>
    <message>
        <source>Havariefehler</source>
        <translation>Spare amplifier fault</translation>
    </message>
    <message>
        <source>Readyinput Fehler</source>
        <translation>Ready input fault</translation>
    </message>
    <message>
        <source>Manueller Fehler</source>
        <translation>Manual fault</translation>
    </message>
    <message>
        <source>unbekannter Fehler</source>
        <translation>Unknown fault</translation>
    </message>
    <message>
        <source>Erdschluß</source>
        <translation>Ground fault</translation>
    </message>
    <message>
        <source>Linienmessfehler</source>
        <translation>Line measurement fault</translation>
    </message>
    <message>
        <source>Linienerdschluß</source>
        <translation>Line ground fault</translation>
    </message>
    <message>
        <source>FAULT Quellen</source>
        <translation>FAULT sources</translation>
    </message>
    <message>
        <source>aktiv</source>
        <translation>active</translation>
    </message>
    <message>
        <source>FAULT Zustand wird gelatched</source>
        <translation>FAULT state is latched</translation>
    </message>
    <message>
        <source>Anzeige auf Sprechstellen:</source>
        <translation>Display on consoles:</translation>
    </message>
    <message>
        <source>FAULT Relais</source>
        <translation>FAULT relay</translation>
    </message>
    <message>
        <source>FAULT quittieren</source>
        <translation>Acknowledge FAULT</translation>
    </message>
    <message>
        <source>Manuellen Fehler</source>
        <translation>Manual fault</translation>
    </message>
    <message>
        <source>Ein</source>
        <translation>On</translation>
    </message>
</context>
<context>
    <name>CFaultTextDlg</name>
    <message>
        <source>Fehlertexte</source>
        <translation>Fault texts</translation>
    </message>
    <message>
        <source>Nr</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Verzögerungszeit für
&apos;masked fault&apos; Signale</source>
        <translation>Delay for
&apos;masked fault&apos; signals</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Bitte geben Sie eine Zahl zwischen 0.0 und 25.0 ein.</source>
        <translation>Please enter a number from 0.0 to 25.0.</translation>
    </message>
</context>
<context>
    <name>CFeatureFrm</name>
    <message>
        <source>Makro Einträge editieren</source>
        <translation>Edit macro entries</translation>
    </message>
    <message>
        <source>Ereignis Einträge editieren</source>
        <translation>Edit event entries</translation>
    </message>
    <message>
        <source>Tagesprogramm Einträge editieren</source>
        <translation>Edit day programme entries</translation>
    </message>
    <message>
        <source>Feiertag Einträge editieren</source>
        <translation>Edit holiday entries</translation>
    </message>
    <message>
        <source>Wochen Einträge editieren</source>
        <translation>Edit week entries</translation>
    </message>
    <message>
        <source>Bedingungseinträge editieren</source>
        <translation>Edit condition entries</translation>
    </message>
    <message>
        <source>Analog Einträge editieren</source>
        <translation>Edit analog entries</translation>
    </message>
    <message>
        <source>Kombinationseinträge editieren</source>
        <translation>Edit combination entries</translation>
    </message>
    <message>
        <source>Busy Einträge editieren</source>
        <translation>Edit busy entries</translation>
    </message>
    <message>
        <source>Trigger Einträge editieren</source>
        <translation>Edit trigger entries</translation>
    </message>
    <message>
        <source>Memoflags editieren</source>
        <translation>Edit memo flags</translation>
    </message>
    <message>
        <source>READYINPUT Einträge editieren</source>
        <translation>Edit READYINPUT entries</translation>
    </message>
    <message>
        <source>FAULT Eigenschaften editieren</source>
        <translation>Edit FAULT properties</translation>
    </message>
    <message>
        <source>Logik Einträge editieren</source>
        <translation>Edit logic entries</translation>
    </message>
    <message>
        <source>Monitor Einträge editieren</source>
        <translation>Edit monitor entries</translation>
    </message>
    <message>
        <source>Virtuelle Controller editieren</source>
        <translation>Edit virtual controllers</translation>
    </message>
    <message>
        <source>Havarie Verstärker editieren</source>
        <translation>Edit spare amplifiers</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>KVT Einstellungen abspeichern</source>
        <translation>Save KVT settings</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Sicherungseinstellungen</source>
        <translation>Fuse settings</translation>
    </message>
    <message>
        <source>Internes Power Management</source>
        <translation>Internal power management</translation>
    </message>
    <message>
        <source>Interner Message Rekorder</source>
        <translation>Internal message recorder</translation>
    </message>
    <message>
        <source>Ereignisprotokollierer</source>
        <translation>Event logger</translation>
    </message>
    <message>
        <source>Linientest</source>
        <translation>Line test</translation>
    </message>
    <message>
        <source>Pilottongenerator</source>
        <translation>Pilot tone generator</translation>
    </message>
    <message>
        <source>Lautstärkeregelung</source>
        <translation>Volume Control</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CFirmwareSender</name>
    <message>
        <source>Löschen des aktuellen QUILLOMER-Betriebssystems !</source>
        <translation>Erasing the current QUILLOMER operating system !</translation>
    </message>
    <message>
        <source>Laden des neuen QUILLOMER-Betriebssystems...<byte value="xd"/>
File:</source>
        <translation>Loading the new QUILLOMER operating system...<byte value="xd"/>
File:</translation>
    </message>
    <message>
        <source>Das neue QUILLOMER-Betriebssystem ist übertragen.<byte value="xd"/>
Warten auf die Bestätigung von QUILLOMER ...</source>
        <translation>The new QUILLOMER operating system has been transferred.<byte value="xd"/>
Waiting for QUILLOMER to confirm ...</translation>
    </message>
</context>
<context>
    <name>CFirmwareUpdateDlg</name>
    <message>
        <source>QUILLOMER-Betriebssystem erneuern</source>
        <translation>Renew QUILLOMER operating system</translation>
    </message>
</context>
<context>
    <name>CFuseView</name>
    <message>
        <source>Überlast!</source>
        <translation>Overload!</translation>
    </message>
    <message>
        <source>Kühlphase!</source>
        <translation>Cooling!</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Remote</translation>
    </message>
</context>
<context>
    <name>CHardwareDlgTreeView</name>
    <message>
        <source>%1: nicht verstanden</source>
        <translation>%1: not understood</translation>
    </message>
    <message>
        <source>%1: keine Antwort</source>
        <translation>%1: no answer</translation>
    </message>
</context>
<context>
    <name>CInterfaceSlotDlg</name>
    <message>
        <source>Eingänge</source>
        <translation>Inputs</translation>
    </message>
    <message>
        <source>Ausgänge</source>
        <translation>Outputs</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>24V - Netzteil </source>
        <translation>24V - Power Supply </translation>
    </message>
</context>
<context>
    <name>CKeyMacroDlg</name>
    <message>
        <source>Taste loslassen : keine Aktion</source>
        <translation>Release key : no action</translation>
    </message>
    <message>
        <source>Taste loslassen : Makro B starten</source>
        <translation>Release key : start macro B</translation>
    </message>
    <message>
        <source>Taste das 2. mal Drücken : Makro B starten</source>
        <translation>Press key a second time : start macro B</translation>
    </message>
    <message>
        <source>Taste gedrückt halten: Makro A wiederholen</source>
        <translation>Hold key down: repeat macro A</translation>
    </message>
    <message>
        <source>Taste</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>Schalter</source>
        <translation>Switch</translation>
    </message>
    <message>
        <source>Taste gehört zu einem Radiotastenfeld</source>
        <translation>Key belongs to a radio key field</translation>
    </message>
    <message>
        <source>Makro-Aktivierung einstellen</source>
        <translation>Set macro activation</translation>
    </message>
    <message>
        <source>Makro B</source>
        <translation>Macro B</translation>
    </message>
    <message>
        <source>Wiederholungen pro Sekunde</source>
        <translation>Repetitions per second</translation>
    </message>
    <message>
        <source>Radiotastenfeldnummer</source>
        <translation>Radio key field number</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Die Makrotaste startet beim Drücken das folgende Makro :</source>
        <translation>When pressed, the macro key starts the following macro :</translation>
    </message>
    <message>
        <source>( Makro A : Im Tasten-       dialog bereits festgelegt)</source>
        <translation>( Macro A : already set in the key dialog)</translation>
    </message>
    <message>
        <source>Aktivierungsablauf :</source>
        <translation>Activation sequence :</translation>
    </message>
    <message>
        <source>Der weitere Ablauf wird durch den Aktivierungstyp bestimmt:</source>
        <translation>What happens next is decided by the activation type:</translation>
    </message>
</context>
<context>
    <name>CKeyPropDlg</name>
    <message>
        <source>Tasteneigenschaften</source>
        <translation>Key Properties</translation>
    </message>
    <message>
        <source>Tastenfunktion</source>
        <translation>Key function</translation>
    </message>
    <message>
        <source>Ziele</source>
        <translation>Targets</translation>
    </message>
    <message>
        <source>Einschaltverzögerung in Sek. :</source>
        <translation>Switch-on delay in sec. :</translation>
    </message>
    <message>
        <source>Gestoppt werden:</source>
        <translation>Stopped are:</translation>
    </message>
    <message>
        <source>Alle selbstausgelösten Aktionen</source>
        <translation>All actions started here</translation>
    </message>
    <message>
        <source>Systemweite Aktionen mit kleinerer Priorität</source>
        <translation>System-wide actions of lower priority</translation>
    </message>
    <message>
        <source>Alle systemweiten Aktionen</source>
        <translation>All system-wide actions</translation>
    </message>
    <message>
        <source>Priorität:</source>
        <translation>Priority:</translation>
    </message>
    <message>
        <source>Im Protect-Modus aktiv</source>
        <translation>Active in protect mode</translation>
    </message>
    <message>
        <source>Vorgong bei Durchsage</source>
        <translation>Pre-chime before announcement</translation>
    </message>
    <message>
        <source>Makro Aktivierung...</source>
        <translation>Macro activation...</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Empty</translation>
    </message>
    <message>
        <source>Alarmliste</source>
        <translation>Alarm list</translation>
    </message>
    <message>
        <source>Gongliste</source>
        <translation>Chime list</translation>
    </message>
    <message>
        <source>Textliste</source>
        <translation>Message list</translation>
    </message>
    <message>
        <source>Makroliste</source>
        <translation>Macro list</translation>
    </message>
</context>
<context>
    <name>CKeyView</name>
    <message>
        <source>&amp;Eigenschaften</source>
        <translation>&amp;Properties</translation>
    </message>
    <message>
        <source>&amp;Alarmtaste</source>
        <translation>&amp;Alarm key</translation>
    </message>
    <message>
        <source>&amp;Schlüsselschalter</source>
        <translation>&amp;Key switch</translation>
    </message>
    <message>
        <source>Datei</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Seite %1 von %2</source>
        <translation>Page %1 of %2</translation>
    </message>
</context>
<context>
    <name>CLMZConfigDlg</name>
    <message>
        <source>LMZ Konfiguration</source>
        <translation>LMZ Configuration</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CLineGroupSelectDlg</name>
    <message>
        <source>Linien und Gruppen</source>
        <translation>Lines and groups</translation>
    </message>
    <message>
        <source>freie Linien und Gruppen</source>
        <translation>free lines and groups</translation>
    </message>
    <message>
        <source>gewählte Linien und Gruppen</source>
        <translation>selected lines and groups</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CLineGroupTreeDlg</name>
    <message>
        <source>Linien und Gruppen</source>
        <translation>Lines and groups</translation>
    </message>
    <message>
        <source>Linien und Gruppen selektieren</source>
        <translation>Select lines and groups</translation>
    </message>
    <message>
        <source>zu Gruppen hinzufügen</source>
        <translation>add to groups</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
</context>
<context>
    <name>CLoginDlg</name>
    <message>
        <source>Login</source>
        <translation>Login</translation>
    </message>
    <message>
        <source>Bestätigung des Passwort</source>
        <translation>Confirm password</translation>
    </message>
    <message>
        <source>Passwort</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Passwortschutz aufheben</source>
        <translation>Remove password protection</translation>
    </message>
</context>
<context>
    <name>CMacroEditorView</name>
    <message>
        <source>Funktion</source>
        <translation>Function</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>Erzeugen oder selektieren Sie
einen Makrotyp</source>
        <translation>Create or select
a macro type</translation>
    </message>
    <message>
        <source>Ausgewählte Aufnahme löschen</source>
        <translation>Erase the selected recording</translation>
    </message>
    <message>
        <source>Aufnahme</source>
        <translation>Recording</translation>
    </message>
    <message>
        <source>Alarm-Signal auf gewählte Linien/Gruppen durchschalten bzw. abschalten</source>
        <translation>Switch an alarm signal onto or off the selected lines/groups</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Alarm EIN</source>
        <translation>Alarm ON</translation>
    </message>
    <message>
        <source>Alarm AUS</source>
        <translation>Alarm OFF</translation>
    </message>
    <message>
        <source>Übertragen eines Gong-Signal in gewählte Linien/Gruppen</source>
        <translation>Send a chime signal to the selected lines/groups</translation>
    </message>
    <message>
        <source>Gong</source>
        <translation>Chime</translation>
    </message>
    <message>
        <source>Gong EIN</source>
        <translation>Chime ON</translation>
    </message>
    <message>
        <source>Gong AUS</source>
        <translation>Chime OFF</translation>
    </message>
    <message>
        <source>Hintergrundmusik auf gewählte Linien/Gruppen durchschalten bzw. abschalten
(Die Zuteilung wird an alle Sprechstellen übermittelt und dort angezeigt)</source>
        <translation>Switch background music onto or off the selected lines/groups
(The assignment is sent to all consoles and shown there)</translation>
    </message>
    <message>
        <source>Programm EIN</source>
        <translation>Programme ON</translation>
    </message>
    <message>
        <source>Programm AUS</source>
        <translation>Programme OFF</translation>
    </message>
    <message>
        <source>Priorität</source>
        <translation>Priority</translation>
    </message>
    <message>
        <source>Linien</source>
        <translation>Lines</translation>
    </message>
    <message>
        <source>Ein- und Ausschaltoptionen eines remotefähigen Verstärkers</source>
        <translation>Switch-on and switch-off options of a remote amplifier</translation>
    </message>
    <message>
        <source>Verstärker</source>
        <translation>Amplifiers</translation>
    </message>
    <message>
        <source>Einschaltoptionen</source>
        <translation>Switch-on options</translation>
    </message>
    <message>
        <source>Ausschaltoptionen</source>
        <translation>Switch-off options</translation>
    </message>
    <message>
        <source>Netz</source>
        <translation>Mains</translation>
    </message>
    <message>
        <source>Batterie</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>Pilotton</source>
        <translation>Pilot tone</translation>
    </message>
    <message>
        <source>FAULT Reset</source>
        <translation>FAULT reset</translation>
    </message>
    <message>
        <source>Muten eines Verstärkerkanals</source>
        <translation>Mute an amplifier channel</translation>
    </message>
    <message>
        <source>Verstärkerkanäle</source>
        <translation>Amplifier channels</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Akustisches Signal auf der Sprechstelle konfigurieren</source>
        <translation>Configure an acoustic signal on the console</translation>
    </message>
    <message>
        <source>Sprechstelle</source>
        <translation>Console</translation>
    </message>
    <message>
        <source>Zeichenmuster</source>
        <translation>Pattern</translation>
    </message>
    <message>
        <source>( max. 16 Zeichen)</source>
        <translation>( max. 16 characters)</translation>
    </message>
    <message>
        <source>Dauer pro Schritt</source>
        <translation>Time per step</translation>
    </message>
    <message>
        <source>s       (0=Piepser aus)</source>
        <translation>s       (0=beeper off)</translation>
    </message>
    <message>
        <source>Wiederholung</source>
        <translation>Repetitions</translation>
    </message>
    <message>
        <source>(0=unendlich, 1 .. 255)</source>
        <translation>(0=endless, 1 .. 255)</translation>
    </message>
    <message>
        <source>Pause zwischen zwei Muster</source>
        <translation>Pause between two patterns</translation>
    </message>
    <message>
        <source>s (0 .. 255 s)</source>
        <translation>s (0 .. 255 s)</translation>
    </message>
    <message>
        <source>Text-String an Sprechstelle übertragen und auf LCD anzeigen</source>
        <translation>Send a text to a console and show it on its LCD</translation>
    </message>
    <message>
        <source>Zeile 1</source>
        <translation>Line 1</translation>
    </message>
    <message>
        <source>Zeile 2</source>
        <translation>Line 2</translation>
    </message>
    <message>
        <source>Anzeigendauer</source>
        <translation>Display time</translation>
    </message>
    <message>
        <source>s       (0=dauernd)</source>
        <translation>s       (0=permanent)</translation>
    </message>
    <message>
        <source>andere Zeile löschen</source>
        <translation>clear the other line</translation>
    </message>
    <message>
        <source>akustisches Signal bei Textanzeige</source>
        <translation>acoustic signal when the text is shown</translation>
    </message>
    <message>
        <source>Schalten eines Logikausgangs (8 I/O Kontrollmodul, LMZ 763, LMZ 764).
Bei Pulsdauer = 0 wird statisch ein- oder ausgeschaltet
Bei Pulsdauer &gt; 0 wird der Logikausgang für die spezifizierte Zeit ein- oder ausgeschaltet und danach wieder umgeschaltet</source>
        <translation>Switch a logic output (8 I/O control module, LMZ 763, LMZ 764).
With pulse time = 0 it is switched on or off statically
With pulse time &gt; 0 the logic output is switched on or off for the given time and then switched back</translation>
    </message>
    <message>
        <source>Ausgang</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>s   (0.1 - 100.0 s
      0 = statisch)</source>
        <translation>s   (0.1 - 100.0 s
      0 = static)</translation>
    </message>
    <message>
        <source>Ausgang ein</source>
        <translation>Output on</translation>
    </message>
    <message>
        <source>Ausgang aus</source>
        <translation>Output off</translation>
    </message>
    <message>
        <source>Eingang auswählen (AUX - Quelle für Hintergrundmusik)</source>
        <translation>Choose the input (AUX source of background music)</translation>
    </message>
    <message>
        <source>AUX-Eingang</source>
        <translation>AUX input</translation>
    </message>
    <message>
        <source>Audio-Routing : Eingang wird auf gewählte Linien/Gruppen durchgeschaltet
bzw. abgeschaltet</source>
        <translation>Audio routing: the input is switched onto
or off the selected lines/groups</translation>
    </message>
    <message>
        <source>Vorgong</source>
        <translation>Prechime</translation>
    </message>
    <message>
        <source>Durchsage EIN</source>
        <translation>Announcement ON</translation>
    </message>
    <message>
        <source>Durchsage AUS</source>
        <translation>Announcement OFF</translation>
    </message>
    <message>
        <source>Eingang</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>ADD/SUB</source>
        <translation>ADD/SUB</translation>
    </message>
    <message>
        <source>ON/OFF</source>
        <translation>ON/OFF</translation>
    </message>
    <message>
        <source>Sprachwiedergabe in gewählte Linien / Gruppen durchschalten bzw. abschalten</source>
        <translation>Switch message playback onto or off the selected lines / groups</translation>
    </message>
    <message>
        <source>Message ein</source>
        <translation>Message on</translation>
    </message>
    <message>
        <source>Message aus</source>
        <translation>Message off</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Beendet alle Makros mit niedrigerer Priorität</source>
        <translation>Ends all macros of lower priority</translation>
    </message>
    <message>
        <source>Ein- und ausschalten der Anlage</source>
        <translation>Switch the system on and off</translation>
    </message>
    <message>
        <source>Einschaltpriorität :</source>
        <translation>Switch-on priority :</translation>
    </message>
    <message>
        <source>POWER ON</source>
        <translation>POWER ON</translation>
    </message>
    <message>
        <source>POWER OFF</source>
        <translation>POWER OFF</translation>
    </message>
    <message>
        <source>EIN</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>AUS</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>Einstellen / Verändern eines Lautstärkewertes
Bei DIREKT wird ein Lautstärkewert in dB übertragen
Bei REGLER wird der Lautstärkesteller um den spezifizierten Wert verändert (inkrementiert/dekrementiert)</source>
        <translation>Set / change a volume
With DIRECT a volume in dB is sent
With CONTROLLER the volume control is changed by the given value (incremented/decremented)</translation>
    </message>
    <message>
        <source>Inkrement / Absolut</source>
        <translation>Increment / Absolute</translation>
    </message>
    <message>
        <source>Dekrement / Absolut</source>
        <translation>Decrement / Absolute</translation>
    </message>
    <message>
        <source>Lautstärkesteller</source>
        <translation>Volume Control</translation>
    </message>
    <message>
        <source>Regler</source>
        <translation>Controller</translation>
    </message>
    <message>
        <source>Direkt</source>
        <translation>Direct</translation>
    </message>
    <message>
        <source>Stellen eines virtuellen Controllers</source>
        <translation>Set a virtual controller</translation>
    </message>
    <message>
        <source>VC</source>
        <translation>VC</translation>
    </message>
    <message>
        <source>Wert</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Einheit</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Schritte</source>
        <translation>Steps</translation>
    </message>
    <message>
        <source>( 0: absolut,
-127..-1: dekrement, +1..+127 inkrement)</source>
        <translation>( 0: absolute,
-127..-1: decrement, +1..+127 increment)</translation>
    </message>
    <message>
        <source>Nachkommastellen</source>
        <translation>Decimals</translation>
    </message>
    <message>
        <source>Monitorquelle auswählen</source>
        <translation>Choose the monitor source</translation>
    </message>
    <message>
        <source>Tabelle</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>Setzen/Rücksetzen des Zustands für ein Memo Flag</source>
        <translation>Set/reset the state of a memo flag</translation>
    </message>
    <message>
        <source>Memo Flag</source>
        <translation>Memo flag</translation>
    </message>
    <message>
        <source>Aufnahme von Texten über einen KVT Eingang mit dem internen Message Rekorder</source>
        <translation>Record texts through a KVT input with the internal message recorder</translation>
    </message>
    <message>
        <source>Aufnahmedauer</source>
        <translation>Recording time</translation>
    </message>
    <message>
        <source>( 0.0 .. 360.4 s ; 0.0 kein Zeitlimit )</source>
        <translation>( 0.0 .. 360.4 s ; 0.0 no time limit )</translation>
    </message>
    <message>
        <source>Aufnahme EIN</source>
        <translation>Recording ON</translation>
    </message>
    <message>
        <source>Aufnahme AUS</source>
        <translation>Recording OFF</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Makro in Abhängigkeit einer Bedingung wiederholen</source>
        <translation>Repeat a macro depending on a condition</translation>
    </message>
    <message>
        <source>Zeitintervall</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>s ( 0 .. 300 s )</source>
        <translation>s ( 0 .. 300 s )</translation>
    </message>
    <message>
        <source>Makro</source>
        <translation>Macro</translation>
    </message>
    <message>
        <source>Wiederholungszähler</source>
        <translation>Repetition count</translation>
    </message>
    <message>
        <source>( 1..65536; 0 unendlich )</source>
        <translation>( 1..65536; 0 endless )</translation>
    </message>
    <message>
        <source>Bedingung</source>
        <translation>Condition</translation>
    </message>
    <message>
        <source>Sequenzieller Ablauf mehrerer Makros mit Zeitsteuerung</source>
        <translation>Several macros run one after another with timing</translation>
    </message>
    <message>
        <source>Funktionen für die Nebenuhren</source>
        <translation>Functions of the slave clocks</translation>
    </message>
    <message>
        <source>Funktion:</source>
        <translation>Function:</translation>
    </message>
    <message>
        <source>Nebenuhren starten</source>
        <translation>Start the slave clocks</translation>
    </message>
    <message>
        <source>Nebenuhren stoppen</source>
        <translation>Stop the slave clocks</translation>
    </message>
    <message>
        <source>Nebenuhren setzen</source>
        <translation>Set the slave clocks</translation>
    </message>
    <message>
        <source>Nebenuhren  stehen auf</source>
        <translation>Slave clocks  show</translation>
    </message>
    <message>
        <source>Auslösen bzw. Beenden einer Impedanz- oder einer Linienmessung</source>
        <translation>Start or end an impedance or line measurement</translation>
    </message>
    <message>
        <source>Messungen beenden</source>
        <translation>End measurements</translation>
    </message>
    <message>
        <source>Linienmessung</source>
        <translation>Line measurement</translation>
    </message>
    <message>
        <source>Impedanzmessung</source>
        <translation>Impedance measurement</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>QUILLOMER Designer</source>
        <translation>QUILLOMER Designer</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Neu</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Öffnen</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Druckeinrichtung</source>
        <translation>Print Setup</translation>
    </message>
    <message>
        <source>Seitenansicht</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>Ausschneiden</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Einfügen</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Über Modem verbinden</source>
        <translation>Connect by modem</translation>
    </message>
    <message>
        <source>Verbinden</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Trennen</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>Einstellungen des Geräts speichern</source>
        <translation>Save the device&apos;s settings</translation>
    </message>
    <message>
        <source>Parameter laden</source>
        <translation>Load parameters</translation>
    </message>
    <message>
        <source>Betriebssystem laden</source>
        <translation>Load operating system</translation>
    </message>
    <message>
        <source>Info über QUILLOMER</source>
        <translation>About QUILLOMER</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>UF</source>
        <translation>CAP</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>RF</source>
        <translation>SCRL</translation>
    </message>
    <message>
        <source>Bereit</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>S&amp;prache</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>&amp;Deutsch</source>
        <translation>&amp;German</translation>
    </message>
    <message>
        <source>&amp;Englisch</source>
        <translation>&amp;English</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Neu</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>Ö&amp;ffnen...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>S&amp;chließen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Speichern</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Speichern &amp;unter...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>&amp;Drucken...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>Seiten&amp;ansicht</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>Dr&amp;uckeinrichtung...</source>
        <translation>P&amp;rint Setup...</translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Hilfe&amp;themen</source>
        <translation>Help &amp;Topics</translation>
    </message>
    <message>
        <source>H&amp;ilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Inf&amp;o über QUILLOMER...</source>
        <translation>&amp;About QUILLOMER...</translation>
    </message>
    <message>
        <source>&amp;Symbolleiste</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>Status&amp;leiste</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>Zoomleiste</source>
        <translation>Zoom Bar</translation>
    </message>
    <message>
        <source>&amp;Ansicht</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Voreinstellungen</source>
        <translation>Preferences</translation>
    </message>
    <message>
        <source>Protokoll&amp;monitor</source>
        <translation>Protocol &amp;Monitor</translation>
    </message>
    <message>
        <source>&amp;Bearbeiten</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Ausschneiden</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>&amp;Kopieren</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Einfügen</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>&amp;Kommunikation</source>
        <translation>&amp;Communication</translation>
    </message>
    <message>
        <source>Über &amp;Modem verbinden...</source>
        <translation>Connect by &amp;Modem...</translation>
    </message>
    <message>
        <source>&amp;Verbinden</source>
        <translation>&amp;Connect</translation>
    </message>
    <message>
        <source>&amp;Trennen</source>
        <translation>&amp;Disconnect</translation>
    </message>
    <message>
        <source>&amp;Parameter laden...</source>
        <translation>Load &amp;Parameters...</translation>
    </message>
    <message>
        <source>Einstellungen im Gerät &amp;speichern</source>
        <translation>&amp;Save Settings in the Device</translation>
    </message>
    <message>
        <source>&amp;Textdatei bearbeiten...</source>
        <translation>Edit &amp;Text File...</translation>
    </message>
    <message>
        <source>&amp;Betriebssystem laden...</source>
        <translation>Load &amp;Operating System...</translation>
    </message>
    <message>
        <source>&amp;Netscan</source>
        <translation>&amp;Network Scan</translation>
    </message>
    <message>
        <source>&amp;Alle Einstellungen löschen</source>
        <translation>Clear &amp;All Settings</translation>
    </message>
    <message>
        <source>&amp;Systemkonfiguration ...</source>
        <translation>S&amp;ystem Configuration ...</translation>
    </message>
    <message>
        <source>LOG Datei löschen</source>
        <translation>Delete LOG File</translation>
    </message>
    <message>
        <source>Ereignis Datei löschen</source>
        <translation>Delete Event File</translation>
    </message>
    <message>
        <source>Sicherungen</source>
        <translation>Fuses</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>Service</source>
        <translation>Service</translation>
    </message>
    <message>
        <source>&amp;Einstellungen</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>&amp;Projekt...</source>
        <translation>&amp;Project...</translation>
    </message>
    <message>
        <source>&amp;Voreinstellungen...</source>
        <translation>P&amp;references...</translation>
    </message>
    <message>
        <source>&amp;Fenster</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>Ü&amp;berlappend</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>&amp;Nebeneinander</source>
        <translation>&amp;Tile</translation>
    </message>
    <message>
        <source>&amp;Symbole anordnen</source>
        <translation>&amp;Arrange Icons</translation>
    </message>
    <message>
        <source>Zuletzt geöffnete Datei</source>
        <translation>Recent File</translation>
    </message>
    <message>
        <source>&amp;Schnittstelle</source>
        <translation>&amp;Port</translation>
    </message>
    <message>
        <source>COM &amp;%1</source>
        <translation>COM &amp;%1</translation>
    </message>
    <message>
        <source>&amp;Modem</source>
        <translation>&amp;Modem</translation>
    </message>
    <message>
        <source>Konfigurationsdatei senden...</source>
        <translation>Send Configuration File...</translation>
    </message>
    <message>
        <source>Exportieren ...</source>
        <translation>Export ...</translation>
    </message>
    <message>
        <source>Passwortschutz...</source>
        <translation>Password Protection...</translation>
    </message>
    <message>
        <source>Die logische Palette umfaßt mehr als 256 Farben !
</source>
        <translation>The logical palette holds more than 256 colours !
</translation>
    </message>
    <message>
        <source>Bitte nur 1 Datei fallen lassen !</source>
        <translation>Please drop only 1 file !</translation>
    </message>
    <message>
        <source>Das Ändern von Ländereinstellungen während geöffneten
Dialogen mit Zeit- und Datumsangaben wird nichtunterstützt.
Bitte brechen Sie diese Dialoge ab und öffnen Sie sie neu!</source>
        <translation>Changing the country settings while dialogs with times and dates
are open is not supported.
Please cancel these dialogs and open them again!</translation>
    </message>
    <message>
        <source>&amp;Gerät für COM %1</source>
        <translation>&amp;Device for COM %1</translation>
    </message>
</context>
<context>
    <name>CMessagePage</name>
    <message>
        <source>Text</source>
        <translation>Message</translation>
    </message>
</context>
<context>
    <name>CModemPage</name>
    <message>
        <source>Verbindung</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>bei Projektwechsel online bleiben</source>
        <translation>stay online when the project changes</translation>
    </message>
    <message>
        <source>Initialisierung
des KVT Modems</source>
        <translation>Initialisation
of the KVT modem</translation>
    </message>
    <message>
        <source>Modemeinstellungen</source>
        <translation>Modem settings</translation>
    </message>
    <message>
        <source>PC Modem</source>
        <translation>PC modem</translation>
    </message>
    <message>
        <source>Rufnummer</source>
        <translation>Call number</translation>
    </message>
    <message>
        <source>Schnittstellen</source>
        <translation>Ports</translation>
    </message>
    <message>
        <source>COM %1</source>
        <translation>COM %1</translation>
    </message>
</context>
<context>
    <name>CMonitorDlgListView</name>
    <message>
        <source>Einträge</source>
        <translation>Entries</translation>
    </message>
</context>
<context>
    <name>CMonitorLiveDlg</name>
    <message>
        <source>Aktuelle Monitoreinstellungen</source>
        <translation>Current monitor settings</translation>
    </message>
    <message>
        <source>Lautstärke</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Auswahl</source>
        <translation>Selection</translation>
    </message>
    <message>
        <source>keine Auswahl</source>
        <translation>no selection</translation>
    </message>
    <message>
        <source>Extern</source>
        <translation>External</translation>
    </message>
    <message>
        <source>Relais</source>
        <translation>Relay</translation>
    </message>
    <message>
        <source>Verstärkereingang</source>
        <translation>Amplifier input</translation>
    </message>
    <message>
        <source>Verstärkerausgang</source>
        <translation>Amplifier output</translation>
    </message>
    <message>
        <source>Index :</source>
        <translation>Index :</translation>
    </message>
    <message>
        <source>Tabelleneintrag</source>
        <translation>Table entry</translation>
    </message>
</context>
<context>
    <name>CMonitorRelaisListView</name>
    <message>
        <source>Relais</source>
        <translation>Relay</translation>
    </message>
</context>
<context>
    <name>CObjectDlg</name>
    <message>
        <source>Eigenschaften von Virtuellen Controllern</source>
        <translation>Properties of Virtual Controllers</translation>
    </message>
    <message>
        <source>Eigenschaften der Havarie Verstärker</source>
        <translation>Properties of the Spare Amplifiers</translation>
    </message>
    <message>
        <source>Erweiterte Verstärker Eigenschaften</source>
        <translation>Advanced Amplifier Properties</translation>
    </message>
    <message>
        <source>Erweiterte LMZ Eigenschaften</source>
        <translation>Advanced LMZ Properties</translation>
    </message>
    <message>
        <source>Trigger Eigenschaften</source>
        <translation>Trigger Properties</translation>
    </message>
    <message>
        <source>Eigenschaften von Monitoreinträgen</source>
        <translation>Properties of Monitor Entries</translation>
    </message>
    <message>
        <source>Eigenschaften von Makros</source>
        <translation>Properties of Macros</translation>
    </message>
    <message>
        <source>Eigenschafen von Ereignissen</source>
        <translation>Properties of Events</translation>
    </message>
    <message>
        <source>Eigenschaften von Tagesprogrammen</source>
        <translation>Properties of Day Programmes</translation>
    </message>
    <message>
        <source>Eigenschaften von Feiertagen</source>
        <translation>Properties of Holidays</translation>
    </message>
    <message>
        <source>Eigenschaften vom Wochenprogramm</source>
        <translation>Properties of the Week Programme</translation>
    </message>
    <message>
        <source>Eigenschaften von allgemeinen Bedingungen</source>
        <translation>Properties of General Conditions</translation>
    </message>
    <message>
        <source>Eigenschaften von Analogbedingungen</source>
        <translation>Properties of Analog Conditions</translation>
    </message>
    <message>
        <source>Eigenschaften von kombinierten Bedingungen</source>
        <translation>Properties of Combined Conditions</translation>
    </message>
    <message>
        <source>Eigenschaften von Aktiv Bedingungen</source>
        <translation>Properties of Active Conditions</translation>
    </message>
    <message>
        <source>Eigenschaften von READYINPUTS</source>
        <translation>Properties of READYINPUTS</translation>
    </message>
    <message>
        <source>Eigenschaften von Logikzuständen</source>
        <translation>Properties of Logic States</translation>
    </message>
    <message>
        <source>MemoFlag</source>
        <translation>MemoFlag</translation>
    </message>
    <message>
        <source>FAULT</source>
        <translation>FAULT</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>Sicherungen</source>
        <translation>Fuses</translation>
    </message>
    <message>
        <source>Rekorder</source>
        <translation>Recorder</translation>
    </message>
    <message>
        <source>Pilotton</source>
        <translation>Pilot Tone</translation>
    </message>
    <message>
        <source>Betriebsspannung</source>
        <translation>Operating Voltage</translation>
    </message>
    <message>
        <source>Uhr</source>
        <translation>Clock</translation>
    </message>
    <message>
        <source>Lautstärkeregelung</source>
        <translation>Volume Control</translation>
    </message>
    <message>
        <source>Ereignis Protokollierer</source>
        <translation>Event Logger</translation>
    </message>
    <message>
        <source>Linientest</source>
        <translation>Line Test</translation>
    </message>
    <message>
        <source>noch nicht verfügbar</source>
        <translation>not available yet</translation>
    </message>
</context>
<context>
    <name>COnlineNoticeDlg</name>
    <message>
        <source>Wichtiger Hinweis!</source>
        <translation>Important note!</translation>
    </message>
    <message>
        <source>Diese Meldung nie mehr anzeigen</source>
        <translation>Never show this message again</translation>
    </message>
    <message>
        <source>Diese Meldung in regelmäßigen Abständen anzeigen</source>
        <translation>Show this message at regular intervals</translation>
    </message>
    <message>
        <source>Sie sind jetzt mit der Zentrale verbunden.

Einstellungen, die Sie während der Verbindung an die Zentrale
senden, wirken sofort auf die laufende Anlage, auch auf
Alarm- und Durchsagefunktionen.

Senden Sie Einstellungen nur, wenn der Betrieb der Anlage
es zulässt, und prüfen Sie sie vorher sorgfältig.</source>
        <translation>You are now connected to the central device.

Settings you send to the central device while connected
take effect on the running system at once, alarm and
announcement functions included.

Send settings only when the operation of the system
allows it, and check them carefully beforehand.</translation>
    </message>
</context>
<context>
    <name>COpenFilePage</name>
    <message>
        <source>Programmstart</source>
        <translation>Program Start</translation>
    </message>
    <message>
        <source>Start von QUILLOMER</source>
        <translation>Start of QUILLOMER</translation>
    </message>
    <message>
        <source>ohne Projekt</source>
        <translation>without a project</translation>
    </message>
    <message>
        <source>mit neuem Projekt</source>
        <translation>with a new project</translation>
    </message>
    <message>
        <source>mit letztem Projekt</source>
        <translation>with the last project</translation>
    </message>
</context>
<context>
    <name>CPPCons1</name>
    <message>
        <source>Mikrofon Kompressor</source>
        <translation>Microphone compressor</translation>
    </message>
    <message>
        <source>Hinweiston</source>
        <translation>Acknowledge tone</translation>
    </message>
    <message>
        <source>Deutsche Datumsanzeige (Alternative: englisch)</source>
        <translation>German date display (alternative: English)</translation>
    </message>
    <message>
        <source>Vorgong bei Durchsagen</source>
        <translation>Pre-chime before announcements</translation>
    </message>
    <message>
        <source>Umlaute gemäß DOS-Zeichensatz (Alternative: WINDOWS-Zeichensatz)</source>
        <translation>Umlauts in the DOS character set (alternative: WINDOWS character set)</translation>
    </message>
    <message>
        <source>unbenutzt</source>
        <translation>unused</translation>
    </message>
    <message>
        <source>AUX-Quelle</source>
        <translation>AUX source</translation>
    </message>
    <message>
        <source>WRN2296</source>
        <translation>WRN2296</translation>
    </message>
    <message>
        <source>PTT-Mikrofon</source>
        <translation>PTT microphone</translation>
    </message>
    <message>
        <source>Priorität:</source>
        <translation>Priority:</translation>
    </message>
    <message>
        <source>PTT &gt; Int.Mic</source>
        <translation>PTT &gt; Int.Mic</translation>
    </message>
    <message>
        <source>PTT &lt; Int.Mic</source>
        <translation>PTT &lt; Int.Mic</translation>
    </message>
    <message>
        <source>Blockprio</source>
        <translation>Block priority</translation>
    </message>
    <message>
        <source>ins FAULT handling miteinbezogen</source>
        <translation>included in the FAULT handling</translation>
    </message>
    <message>
        <source>SW - Version abfragen</source>
        <translation>Query SW version</translation>
    </message>
    <message>
        <source>Benutzerlevel abfragen</source>
        <translation>Query user level</translation>
    </message>
    <message>
        <source>Netzwerk</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Type:</translation>
    </message>
    <message>
        <source>Adresse:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>Slot:</source>
        <translation>Slot:</translation>
    </message>
    <message>
        <source>Input:</source>
        <translation>Input:</translation>
    </message>
    <message>
        <source>Passwörter</source>
        <translation>Passwords</translation>
    </message>
    <message>
        <source>Benutzer (3 Ziffern) :</source>
        <translation>User (3 digits) :</translation>
    </message>
    <message>
        <source>Experte (4 Ziffern) :</source>
        <translation>Expert (4 digits) :</translation>
    </message>
    <message>
        <source>Einschaltpriorität</source>
        <translation>Power-on priority</translation>
    </message>
    <message>
        <source>EXT-Anschluß</source>
        <translation>EXT connector</translation>
    </message>
    <message>
        <source>Eigenschaften</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>Geben Sie eine Zahl zwischen %1 und %2 ein.</source>
        <translation>Enter a number between %1 and %2.</translation>
    </message>
</context>
<context>
    <name>CParamSelectDlg</name>
    <message>
        <source>QUILLOMER - Betriebsparameter lesen oder setzen</source>
        <translation>QUILLOMER - read or set operating parameters</translation>
    </message>
    <message>
        <source>&amp;Alle auswählen</source>
        <translation>Select &amp;all</translation>
    </message>
    <message>
        <source>&amp;Textdatei...</source>
        <translation>&amp;Text file...</translation>
    </message>
    <message>
        <source>QUILLOMER  ---&gt;  PC   (UPLOAD)</source>
        <translation>QUILLOMER  ---&gt;  PC   (UPLOAD)</translation>
    </message>
    <message>
        <source>PC ---&gt; QUILLOMER  (DOWNLOAD)</source>
        <translation>PC ---&gt; QUILLOMER  (DOWNLOAD)</translation>
    </message>
    <message>
        <source>Alle auswählen</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Alle löschen</source>
        <translation>Clear all</translation>
    </message>
</context>
<context>
    <name>CPilotView</name>
    <message>
        <source>Ein</source>
        <translation>On</translation>
    </message>
</context>
<context>
    <name>CPowerSupplyDlg</name>
    <message>
        <source>Netzteil Eigenschaften</source>
        <translation>Power Supply Properties</translation>
    </message>
    <message>
        <source>Verbindungsleitungen mit KVT7000 </source>
        <translation>Connection lines with KVT7000 </translation>
    </message>
    <message>
        <source>Power-ON/OFF Steuerleitung :</source>
        <translation>Power-ON/OFF control line :</translation>
    </message>
    <message>
        <source>Mains-Fail Meldeleitung :</source>
        <translation>Mains-fail signal line :</translation>
    </message>
    <message>
        <source>LCD Anzeigen </source>
        <translation>LCD displays </translation>
    </message>
    <message>
        <source>an Sprechstelle :</source>
        <translation>at console :</translation>
    </message>
    <message>
        <source>Text ( max. 16 Zeichen ) :</source>
        <translation>Text ( max. 16 characters ) :</translation>
    </message>
    <message>
        <source> Anlage über externes Ereignis Ein/Aus-schalten :</source>
        <translation> Switch the system on/off by an external event :</translation>
    </message>
    <message>
        <source>Eingang :</source>
        <translation>Input :</translation>
    </message>
    <message>
        <source>Batterie mit Ladegerät</source>
        <translation>Battery with charger</translation>
    </message>
    <message>
        <source>Verhalten bei Netzausfall :</source>
        <translation>Behaviour on mains failure :</translation>
    </message>
    <message>
        <source>übergangsloser Batteriebetrieb</source>
        <translation>seamless battery operation</translation>
    </message>
    <message>
        <source>umschalten auf STANDBY-Betrieb</source>
        <translation>switch to STANDBY operation</translation>
    </message>
    <message>
        <source>Einschaltpriorität bei Netzbetrieb</source>
        <translation>Boot priority on mains supply</translation>
    </message>
    <message>
        <source>Einschaltpriorität bei Batteriebetrieb</source>
        <translation>Boot priority on battery supply</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Für diese Einstellungen hat das Projekt keine freie Nummer mehr:

%1

Nichts wurde übernommen. Wählen Sie dort &quot;OFF&quot;, oder löschen Sie nicht mehr benötigte Objekte der genannten Art.</source>
        <translation>The project has no free number left for these settings:

%1

Nothing was taken. Choose &quot;OFF&quot; there, or delete objects of the kind named that are no longer needed.</translation>
    </message>
</context>
<context>
    <name>CPowerView</name>
    <message>
        <source>Priorität beim automatischen Hochfahren des Systems
bei Batterieversorgung</source>
        <translation>Priority for automatic system start-up
on battery supply</translation>
    </message>
    <message>
        <source>Priorität beim automatischen Hochfahren des Systems
bei Netzversorgung</source>
        <translation>Priority for automatic system start-up
on mains supply</translation>
    </message>
    <message>
        <source>Priorität eines Audiosignals, um das Herunterfahren des Systems zu verzögern</source>
        <translation>Priority of an audio signal that delays the system shutdown</translation>
    </message>
    <message>
        <source>Batterie vorhanden</source>
        <translation>Battery present</translation>
    </message>
    <message>
        <source>Beim Herunterfahren von Netzbetieb direkt in den Standby gehen</source>
        <translation>Go straight to standby when shutting down from mains operation</translation>
    </message>
    <message>
        <source>Bedingung für &quot;Hauptversorgung aktiv&quot;</source>
        <translation>Condition for &quot;Main supply active&quot;</translation>
    </message>
    <message>
        <source>Boot Makro</source>
        <translation>Boot macro</translation>
    </message>
    <message>
        <source>Shutdown Makro</source>
        <translation>Shutdown macro</translation>
    </message>
    <message>
        <source>Ein</source>
        <translation>On</translation>
    </message>
</context>
<context>
    <name>CPrintBlock</name>
    <message>
        <source>Verstärker</source>
        <translation>Amplifiers</translation>
    </message>
    <message>
        <source>Ereignisse</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>Audio-Geräte</source>
        <translation>Audio Devices</translation>
    </message>
    <message>
        <source>KVT7000 Slots</source>
        <translation>KVT7000 Slots</translation>
    </message>
    <message>
        <source>Sprechstellen</source>
        <translation>Consoles</translation>
    </message>
    <message>
        <source>Tagesprogramme</source>
        <translation>Day Programmes</translation>
    </message>
    <message>
        <source>Feiertagsprogramme</source>
        <translation>Holiday Programmes</translation>
    </message>
    <message>
        <source>Trigger</source>
        <translation>Trigger</translation>
    </message>
    <message>
        <source>Wochenprogramm</source>
        <translation>Week Programme</translation>
    </message>
    <message>
        <source>Bedingungen</source>
        <translation>Conditions</translation>
    </message>
    <message>
        <source>MemoFlag</source>
        <translation>MemoFlag</translation>
    </message>
    <message>
        <source>Relais Controller</source>
        <translation>Relay Controller</translation>
    </message>
    <message>
        <source>READY-Inputs</source>
        <translation>READY-Inputs</translation>
    </message>
    <message>
        <source>100 V - Relaiskarten</source>
        <translation>100 V Relay Cards</translation>
    </message>
    <message>
        <source>24 V - Relaiskarten</source>
        <translation>24 V Relay Cards</translation>
    </message>
    <message>
        <source>Digitale Eingangskarten</source>
        <translation>Digital Input Cards</translation>
    </message>
    <message>
        <source>Analoge A/D - D/A Karten</source>
        <translation>Analog A/D - D/A Cards</translation>
    </message>
    <message>
        <source>Logikzustand</source>
        <translation>Logic State</translation>
    </message>
    <message>
        <source>Virtuelle Controller</source>
        <translation>Virtual Controllers</translation>
    </message>
    <message>
        <source>Bereichsprüfung</source>
        <translation>Range Check</translation>
    </message>
    <message>
        <source>Verknüpfung</source>
        <translation>Combination</translation>
    </message>
    <message>
        <source>Aktiv Bedingung</source>
        <translation>Active Condition</translation>
    </message>
</context>
<context>
    <name>CPrintContentDlg</name>
    <message>
        <source>Druckinhalt bestimmen</source>
        <translation>Choose What to Print</translation>
    </message>
    <message>
        <source>Auswahl </source>
        <translation>Selection </translation>
    </message>
    <message>
        <source>Blockschaltbild  ( Grafik )</source>
        <translation>Block diagram  ( graphics )</translation>
    </message>
    <message>
        <source>Parameterliste    ( Text )</source>
        <translation>Parameter list    ( text )</translation>
    </message>
    <message>
        <source>Geräteliste         ( Text )</source>
        <translation>Device list         ( text )</translation>
    </message>
    <message>
        <source>Drucker einrichten... (Blattgröße,Format...)</source>
        <translation>Printer setup... (paper size, format...)</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Hinweis</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Drucken Sie Sprechstellen über den Button &apos;Drucken&apos; in deren Eigenschaften- Dialog &quot;Tastenansicht&quot;  !</source>
        <translation>Print consoles with the button &apos;Print&apos; in their properties dialog &quot;Key view&quot;  !</translation>
    </message>
</context>
<context>
    <name>CProgressDlg</name>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CProjectDataDlg</name>
    <message>
        <source>Projektdaten</source>
        <translation>Project Data</translation>
    </message>
    <message>
        <source>Projektname</source>
        <translation>Project name</translation>
    </message>
    <message>
        <source>Projektnummer</source>
        <translation>Project number</translation>
    </message>
    <message>
        <source>Firma</source>
        <translation>Company</translation>
    </message>
    <message>
        <source>Adresse</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Systemrufnummer</source>
        <translation>System call number</translation>
    </message>
    <message>
        <source>Bearbeiter</source>
        <translation>Edited by</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Dateiname (ohne ext.)</source>
        <translation>File name (without ext.)</translation>
    </message>
    <message>
        <source>Paßwort</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Projektbeschreibung</source>
        <translation>Project description</translation>
    </message>
    <message>
        <source>KVT 7000</source>
        <translation>KVT 7000</translation>
    </message>
    <message>
        <source>KVT 7000 Upgrade</source>
        <translation>KVT 7000 Upgrade</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CPropertySheet</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>CProtocolMonitorFrm</name>
    <message>
        <source>QUILLOMER Communication Monitor</source>
        <translation>QUILLOMER Communication Monitor</translation>
    </message>
</context>
<context>
    <name>CQuillomerApp</name>
    <message>
        <source>Öffnen</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>QUILLOMER(*.qlx)</source>
        <translation>QUILLOMER(*.qlx)</translation>
    </message>
    <message>
        <source>Alle Dateien (*)</source>
        <translation>All Files (*)</translation>
    </message>
</context>
<context>
    <name>CQuillomerView</name>
    <message>
        <source>Mit rechtem Mausclick Eigenschaften einstellen</source>
        <translation>Right-click to set properties</translation>
    </message>
    <message>
        <source>Bereit</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>Mit linkem Mausclick Name editieren</source>
        <translation>Left-click to edit the name</translation>
    </message>
    <message>
        <source>Mit linkem Doppelclick Eigenschaften editieren</source>
        <translation>Double-click to edit properties</translation>
    </message>
    <message>
        <source>Zu wenig Speicher !</source>
        <translation>Not enough memory !</translation>
    </message>
    <message>
        <source>%1 von %2 Objekten konnten nicht eingefügt werden.</source>
        <translation>%1 of %2 objects could not be inserted.</translation>
    </message>
    <message>
        <source>Sie bleiben im ursprünglichen Projekt.</source>
        <translation>They stay in the original project.</translation>
    </message>
</context>
<context>
    <name>CRangeKeysDlg</name>
    <message>
        <source>Bereichs-Tastenprogrammierung</source>
        <translation>Range Key Programming</translation>
    </message>
    <message>
        <source>Geben Sie bitte die Tasten- nummer der Taste ein, mit welcher die Bereichstasten- programmierung beginnen,</source>
        <translation>Please enter the number of the key with which the range key programming is to begin,</translation>
    </message>
    <message>
        <source>bzw. enden soll :</source>
        <translation>or is to end:</translation>
    </message>
    <message>
        <source>Geben Sie bitte die Linie- nummer ein, mit welcher die Bereichstastenprogrammierung beginnen soll.</source>
        <translation>Please enter the line number with which the range key programming is to begin.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Geben Sie eine Zahl zwischen %1 und %2 ein.</source>
        <translation>Enter a number between %1 and %2.</translation>
    </message>
    <message>
        <source>Geben Sie eine ganze Zahl ein.</source>
        <translation>Enter an integer.</translation>
    </message>
</context>
<context>
    <name>CReadyInpDlgView</name>
    <message>
        <source>Input</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>Maskiert</source>
        <translation>Masked</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Nr</source>
        <translation>No.</translation>
    </message>
</context>
<context>
    <name>CReadyInpOptionsView</name>
    <message>
        <source>Verzögerungszeit für
maskierte Signale</source>
        <translation>Delay for
masked signals</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Benutzerdef. Texte</source>
        <translation>User-defined texts</translation>
    </message>
    <message>
        <source>Fehlertexte</source>
        <translation>Fault texts</translation>
    </message>
</context>
<context>
    <name>CRecorderView</name>
    <message>
        <source>kein Ausgang</source>
        <translation>no output</translation>
    </message>
    <message>
        <source>Aufnahmequelle</source>
        <translation>Recording source</translation>
    </message>
    <message>
        <source>Wiedergabe über</source>
        <translation>Playback via</translation>
    </message>
    <message>
        <source>Textaufnahme</source>
        <translation>Message recording</translation>
    </message>
    <message>
        <source>Qualität</source>
        <translation>Quality</translation>
    </message>
    <message>
        <source>Aufnahmezeit</source>
        <translation>Recording time</translation>
    </message>
    <message>
        <source>s  ( 0.0...360.4 s,  0.0 bedeutet kein Zeitlimit)</source>
        <translation>s  ( 0.0...360.4 s,  0.0 means no time limit)</translation>
    </message>
    <message>
        <source>Wiedergabe</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Aufnahme</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>Löschen</source>
        <translation>Erase</translation>
    </message>
    <message>
        <source>Formatieren</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>FLASH Bausteine</source>
        <translation>FLASH chips</translation>
    </message>
</context>
<context>
    <name>CRelaisTopologyDlg</name>
    <message>
        <source>Relais Topologien</source>
        <translation>Relay Topologies</translation>
    </message>
    <message>
        <source>Konfiguration</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>Relaistopologie</source>
        <translation>Relay topology</translation>
    </message>
    <message>
        <source>Anzahl der Linien</source>
        <translation>Number of lines</translation>
    </message>
    <message>
        <source>Erstes Ruf Relais</source>
        <translation>First call relay</translation>
    </message>
    <message>
        <source>Programm</source>
        <translation>Programme</translation>
    </message>
    <message>
        <source>Ruf</source>
        <translation>Call</translation>
    </message>
    <message>
        <source>%1. Eingang</source>
        <translation>Input %1</translation>
    </message>
    <message>
        <source>LMZ Karten ...</source>
        <translation>LMZ cards ...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Geben Sie eine Zahl zwischen 1 und 100 ein.</source>
        <translation>Enter a number between 1 and 100.</translation>
    </message>
</context>
<context>
    <name>CRemoteAmpDlg</name>
    <message>
        <source>Verstärker mit Adresse %1 nicht vorhanden!</source>
        <translation>Amplifier with address %1 not present!</translation>
    </message>
    <message>
        <source>Remoteverstärker Eigenschaften</source>
        <translation>Remote Amplifier Properties</translation>
    </message>
    <message>
        <source>Typ</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Letzter Fehler</source>
        <translation>Last fault</translation>
    </message>
    <message>
        <source>Relaiszuordnung</source>
        <translation>Relay assignment</translation>
    </message>
    <message>
        <source>Kanalzuordnung</source>
        <translation>Channel assignment</translation>
    </message>
    <message>
        <source>Pilottonerkennung</source>
        <translation>Pilot tone detection</translation>
    </message>
    <message>
        <source>Erdschlusserkennung</source>
        <translation>Ground fault detection</translation>
    </message>
    <message>
        <source>Übertemperatur</source>
        <translation>Overtemperature</translation>
    </message>
    <message>
        <source>READY</source>
        <translation>READY</translation>
    </message>
    <message>
        <source>Netz</source>
        <translation>Mains</translation>
    </message>
    <message>
        <source>Batterie</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>Ein</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>IN</source>
        <translation>IN</translation>
    </message>
    <message>
        <source>OUT</source>
        <translation>OUT</translation>
    </message>
    <message>
        <source>VOL</source>
        <translation>VOL</translation>
    </message>
    <message>
        <source>OFS</source>
        <translation>OFS</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Pilotton</source>
        <translation>Pilot tone</translation>
    </message>
    <message>
        <source>Erdschluss</source>
        <translation>Ground fault</translation>
    </message>
    <message>
        <source>Konfiguration</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>U/I Messung</source>
        <translation>U/I measurement</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CSelectionDlg</name>
    <message>
        <source>Auswahl</source>
        <translation>Selection</translation>
    </message>
    <message>
        <source>Es gibt nichts zur Auswahl.</source>
        <translation>There is nothing to choose from.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Taste</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>Interfaceslot</source>
        <translation>Interface slot</translation>
    </message>
    <message>
        <source>Slot 1</source>
        <translation>Slot 1</translation>
    </message>
    <message>
        <source>Slot 2</source>
        <translation>Slot 2</translation>
    </message>
    <message>
        <source>Slot 3</source>
        <translation>Slot 3</translation>
    </message>
    <message>
        <source>Slot 4</source>
        <translation>Slot 4</translation>
    </message>
    <message>
        <source>Digitalslot</source>
        <translation>Digital slot</translation>
    </message>
</context>
<context>
    <name>CServiceDlg</name>
    <message>
        <source>Service Funktionen</source>
        <translation>Service functions</translation>
    </message>
    <message>
        <source>Power On Events</source>
        <translation>Power on events</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>KVT Softwareversion</source>
        <translation>KVT software version</translation>
    </message>
    <message>
        <source>Funktion</source>
        <translation>Function</translation>
    </message>
    <message>
        <source>Test auslösen</source>
        <translation>Start test</translation>
    </message>
    <message>
        <source>Register neu auslesen</source>
        <translation>Read registers again</translation>
    </message>
</context>
<context>
    <name>CSignalListDlg</name>
    <message>
        <source>Signal hinzufügen</source>
        <translation>Add signal</translation>
    </message>
    <message>
        <source>Signal löschen</source>
        <translation>Delete signal</translation>
    </message>
    <message>
        <source>Intern</source>
        <translation>Internal</translation>
    </message>
</context>
<context>
    <name>CSignalPage</name>
    <message>
        <source>Geben Sie eine ganze Zahl zwischen %1 und %2 ein.</source>
        <translation>Please enter an integer between %1 and %2.</translation>
    </message>
    <message>
        <source>Priorität</source>
        <translation>Priority</translation>
    </message>
    <message>
        <source>intern (Signal im KVT erzeugt)</source>
        <translation>internal (signal generated in the KVT)</translation>
    </message>
    <message>
        <source>Extern (Signal wird eingespeist)</source>
        <translation>External (signal is fed in)</translation>
    </message>
    <message>
        <source>Startmakro</source>
        <translation>Start macro</translation>
    </message>
    <message>
        <source>Stopmakro</source>
        <translation>Stop macro</translation>
    </message>
</context>
<context>
    <name>CSystemConfigDlg</name>
    <message>
        <source>Systemkonfiguration</source>
        <translation>System configuration</translation>
    </message>
    <message>
        <source>Kommando</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>Konfigurationsdatei</source>
        <translation>Configuration file</translation>
    </message>
    <message>
        <source>Konfigurationsdatei speichern</source>
        <translation>Save configuration file</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Konfigurationsdatei (*.txt)</source>
        <translation>Configuration file (*.txt)</translation>
    </message>
    <message>
        <source>Alle Dateien (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
<context>
    <name>CTextFileDlg</name>
    <message>
        <source>Textdatei</source>
        <translation>Text file</translation>
    </message>
    <message>
        <source>Diese Textdatei kann QUILLOMER Anweisungen enthalten, die im Anschluß an einen DOWNLOAD übertragen werden ( falls angekreuzt ).</source>
        <translation>This text file may contain QUILLOMER commands, which are transferred following a DOWNLOAD ( if ticked ).</translation>
    </message>
</context>
<context>
    <name>CTriggerDlgView</name>
    <message>
        <source>Trigger</source>
        <translation>Trigger</translation>
    </message>
    <message>
        <source>Bedingung</source>
        <translation>Condition</translation>
    </message>
    <message>
        <source>Dauer [s]</source>
        <translation>Duration [s]</translation>
    </message>
    <message>
        <source>ON Makro</source>
        <translation>ON macro</translation>
    </message>
    <message>
        <source>OFF Makro</source>
        <translation>OFF macro</translation>
    </message>
</context>
<context>
    <name>CValueEdit</name>
    <message>
        <source>Geben Sie eine ganze Zahl zwischen %1 und %2 ein.</source>
        <translation>Please enter an integer between %1 and %2.</translation>
    </message>
</context>
<context>
    <name>CViewPrinter</name>
    <message>
        <source>Seite %1 von %2</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>Parameter Liste</source>
        <translation>Parameter List</translation>
    </message>
    <message>
        <source>Geräte Liste</source>
        <translation>Device List</translation>
    </message>
    <message>
        <source>Datei:</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>Zeit:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>Datum:</source>
        <translation>Date:</translation>
    </message>
</context>
<context>
    <name>CVirtCtrlPropDlg</name>
    <message>
        <source>Eigenschaften</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Kurvenform:</source>
        <translation>Curve:</translation>
    </message>
    <message>
        <source>( -128..127 )</source>
        <translation>( -128..127 )</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Schritte ( 1..65536 )</source>
        <translation>Steps ( 1..65536 )</translation>
    </message>
    <message>
        <source>Ausgangswert</source>
        <translation>Output value</translation>
    </message>
    <message>
        <source>Normierter Wert</source>
        <translation>Normalized value</translation>
    </message>
    <message>
        <source>Vorheriger Controller</source>
        <translation>Previous controller</translation>
    </message>
    <message>
        <source>Nächster Controller</source>
        <translation>Next controller</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>CVolumeView</name>
    <message>
        <source>Gong</source>
        <translation>Chime</translation>
    </message>
    <message>
        <source>Texte</source>
        <translation>Messages</translation>
    </message>
</context>
<context>
    <name>CZonetestPropDlg</name>
    <message>
        <source>Frequenz für Linientest</source>
        <translation>Line test frequency</translation>
    </message>
    <message>
        <source>Anpassung pro Tag</source>
        <translation>Adjustment per day</translation>
    </message>
    <message>
        <source>Maximale Anpassung</source>
        <translation>Maximum adjustment</translation>
    </message>
    <message>
        <source>Frequenz für Impedanzmessung</source>
        <translation>Impedance measurement frequency</translation>
    </message>
    <message>
        <source>Erkennungsverzögerung für Erdschluß</source>
        <translation>Ground fault detection delay</translation>
    </message>
    <message>
        <source>Relaisschaltspiele</source>
        <translation>Relay switching cycles</translation>
    </message>
    <message>
        <source>Linientest Eigenschaften</source>
        <translation>Line test properties</translation>
    </message>
    <message>
        <source>Deaktivierung des Linienrelais bei Kurzschluß</source>
        <translation>Switch the line relay off on a short circuit</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CZonetestView</name>
    <message>
        <source>Linienmessung</source>
        <translation>Line measurement</translation>
    </message>
    <message>
        <source>Zeit :</source>
        <translation>Time :</translation>
    </message>
    <message>
        <source>Anzeige in Sprechstellen :</source>
        <translation>Display on consoles :</translation>
    </message>
    <message>
        <source>Aktiv-Leitung/Ausgang :</source>
        <translation>Active line/output :</translation>
    </message>
    <message>
        <source>Messung durchführen</source>
        <translation>Measure</translation>
    </message>
    <message>
        <source>Meßwerte als Referenz übernehmen</source>
        <translation>Take measured values as reference</translation>
    </message>
    <message>
        <source>Einmalige Messung auslösen</source>
        <translation>Start a single measurement</translation>
    </message>
    <message>
        <source>Impedanzmessung</source>
        <translation>Impedance measurement</translation>
    </message>
    <message>
        <source>nur die in der Liste selektierten Linien werden in der Messung berücksichtigt !</source>
        <translation>only the lines selected in the list are measured !</translation>
    </message>
    <message>
        <source>Alle Linien selektieren</source>
        <translation>Select all lines</translation>
    </message>
    <message>
        <source>Impedanzmessung (nur manuell auslösbar)</source>
        <translation>Impedance measurement (manual start only)</translation>
    </message>
</context>
<context>
    <name>CZoomToolBar</name>
    <message>
        <source>Zoom In / Zoom Out</source>
        <translation>Zoom In / Zoom Out</translation>
    </message>
</context>
<context>
    <name>ContextMenus</name>
    <message>
        <source>Mikrofon</source>
        <translation>Microphone</translation>
    </message>
    <message>
        <source>PTT- Mikrofon</source>
        <translation>PTT Microphone</translation>
    </message>
    <message>
        <source>Allgemeiner Line-Input</source>
        <translation>General Line Input</translation>
    </message>
    <message>
        <source>Slot &amp;nicht bestückt</source>
        <translation>Slot &amp;not fitted</translation>
    </message>
    <message>
        <source>2-Kanal &amp;Sprechstellenmodul</source>
        <translation>2-Channel &amp;Console Module</translation>
    </message>
    <message>
        <source>2-Kanal &amp;MIC / LINE Eingangsmodul</source>
        <translation>2-Channel &amp;MIC / LINE Input Module</translation>
    </message>
    <message>
        <source>2-Kanal &amp;AUX Eingangsmodul</source>
        <translation>2-Channel &amp;AUX Input Module</translation>
    </message>
    <message>
        <source>MIC / &amp;LINE + 2 AUX Eingangsmodul</source>
        <translation>MIC / &amp;LINE + 2 AUX Input Module</translation>
    </message>
    <message>
        <source>MIC / LINE + Sprechstellenmodul</source>
        <translation>MIC / LINE + Console Module</translation>
    </message>
    <message>
        <source>&amp;Eigenschaften (Volume, Filter) ...</source>
        <translation>&amp;Properties (Volume, Filter) ...</translation>
    </message>
    <message>
        <source>1-Kanal Verstärker</source>
        <translation>1-Channel Amplifier</translation>
    </message>
    <message>
        <source>2-Kanal Verstärker</source>
        <translation>2-Channel Amplifier</translation>
    </message>
    <message>
        <source>Gerät &amp;löschen</source>
        <translation>&amp;Delete Device</translation>
    </message>
    <message>
        <source>Eigenschaften ...</source>
        <translation>Properties ...</translation>
    </message>
    <message>
        <source>Gruppe hinzufügen</source>
        <translation>Add Group</translation>
    </message>
    <message>
        <source>löschen</source>
        <translation>delete</translation>
    </message>
    <message>
        <source>Neue Gruppe hinzufügen</source>
        <translation>Add New Group</translation>
    </message>
    <message>
        <source>Neue LAN Gruppe hinzufügen</source>
        <translation>Add New LAN Group</translation>
    </message>
    <message>
        <source>&amp;Löschen</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>&amp;Eigenschaften ...</source>
        <translation>&amp;Properties ...</translation>
    </message>
    <message>
        <source>Relaistopologie</source>
        <translation>Relay Topology</translation>
    </message>
    <message>
        <source>Direkt</source>
        <translation>Direct</translation>
    </message>
    <message>
        <source>1 in N</source>
        <translation>1 in N</translation>
    </message>
    <message>
        <source>Programm/Ruf</source>
        <translation>Programme/Call</translation>
    </message>
    <message>
        <source>Löschen</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Nicht bestückt</source>
        <translation>Not fitted</translation>
    </message>
    <message>
        <source>2-Kanal LINE Ausgangsmodul</source>
        <translation>2-Channel LINE Output Module</translation>
    </message>
    <message>
        <source>Eigenschaften (Volume,Delay)...</source>
        <translation>Properties (Volume,Delay)...</translation>
    </message>
    <message>
        <source>S&amp;prechstelle hinzufügen</source>
        <translation>Add &amp;Console</translation>
    </message>
    <message>
        <source>Mi&amp;krofon hinzufügen</source>
        <translation>Add Mi&amp;crophone</translation>
    </message>
    <message>
        <source>LIN&amp;E-Quelle hinzufügen</source>
        <translation>Add LIN&amp;E Source</translation>
    </message>
    <message>
        <source>AU&amp;X-Quelle hinzufügen</source>
        <translation>Add AU&amp;X Source</translation>
    </message>
    <message>
        <source>Verstärker hinzufügen</source>
        <translation>Add Amplifier</translation>
    </message>
    <message>
        <source>8 fach Digital I/O</source>
        <translation>8-fold Digital I/O</translation>
    </message>
    <message>
        <source>ID ändern</source>
        <translation>Change ID</translation>
    </message>
</context>
<context>
    <name>ParameterGroups</name>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Sprechstellen</source>
        <translation>Consoles</translation>
    </message>
    <message>
        <source>Linien und Gruppen</source>
        <translation>Lines and groups</translation>
    </message>
    <message>
        <source>Steuerung (Trigger, Makros ...)</source>
        <translation>Control (triggers, macros ...)</translation>
    </message>
    <message>
        <source>Timer und Kalender</source>
        <translation>Timers and calendar</translation>
    </message>
    <message>
        <source>Textdatei  ( nur Download )</source>
        <translation>Text file  ( download only )</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Dieses Gerät kann momentan nicht gelöscht werden !

Löschen Sie zuerst im &apos;Eigenschaften Dialog&apos; dieses Geräts alle Objekte
und wiederholen Sie danach den Löschvorgang !
</source>
        <extracomment>IDS_DEVICE_IN_USE</extracomment>
        <translation>This device cannot be deleted at the moment!

First delete all objects in the &apos;Properties dialog&apos; of this device
and then repeat the deletion!
</translation>
    </message>
    <message>
        <source>Alarm</source>
        <extracomment>32807
----------
32822
----------
32934
----------
34253</extracomment>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Gong</source>
        <extracomment>32808
----------
32823
----------
32935
----------
34252</extracomment>
        <translation>Chime</translation>
    </message>
    <message>
        <source>Gemeinsame Audio Parameter</source>
        <extracomment>32821</extracomment>
        <translation>Common Audio Parameters</translation>
    </message>
    <message>
        <source>Text</source>
        <extracomment>32824
----------
34538
----------
32936
----------
32809</extracomment>
        <translation>Text</translation>
    </message>
    <message>
        <source>Label</source>
        <extracomment>32830</extracomment>
        <translation>Label</translation>
    </message>
    <message>
        <source>Monitor</source>
        <extracomment>33086
----------
33027</extracomment>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>Parser-Fehler !
<byte value="xd"/>Unbekannte Parameterauswahl !</source>
        <extracomment>34029</extracomment>
        <translation>Parser error !
<byte value="xd"/>Unknown parameter selection !</translation>
    </message>
    <message>
        <source>AUDIO</source>
        <extracomment>34079</extracomment>
        <translation>AUDIO</translation>
    </message>
    <message>
        <source>/MONI</source>
        <extracomment>34110</extracomment>
        <translation>/MONI</translation>
    </message>
    <message>
        <source>Basis-Signal &apos;%s&apos; %d nicht gefunden !</source>
        <extracomment>34155</extracomment>
        <translation>Base signal &apos;%s&apos; %d not found !</translation>
    </message>
    <message>
        <source>Audiosignal Parser : Startmacro  %d nicht gefunden !
</source>
        <extracomment>34156</extracomment>
        <translation>Audio signal parser : start macro  %d not found !
</translation>
    </message>
    <message>
        <source>Audiosignal Parser : Stopmacro  %d nicht gefunden !
</source>
        <extracomment>34157</extracomment>
        <translation>Audio signal parser : stop macro  %d not found !
</translation>
    </message>
    <message>
        <source>Textwiedergabe</source>
        <extracomment>34259</extracomment>
        <translation>Text Playback</translation>
    </message>
    <message>
        <source>Kein Eintrag</source>
        <extracomment>34421
----------
34471
----------
34510</extracomment>
        <translation>No Entry</translation>
    </message>
    <message>
        <source>Interner Messagerekorder</source>
        <extracomment>34555</extracomment>
        <translation>Internal Message Recorder</translation>
    </message>
    <message>
        <source>Interner Pilottongenerator</source>
        <extracomment>34556</extracomment>
        <translation>Internal Pilot Tone Generator</translation>
    </message>
    <message>
        <source>Internes Powermanagement</source>
        <extracomment>34557</extracomment>
        <translation>Internal Power Management</translation>
    </message>
    <message>
        <source>/PILOT</source>
        <extracomment>34559</extracomment>
        <translation>/PILOT</translation>
    </message>
    <message>
        <source>/POWER</source>
        <extracomment>34560</extracomment>
        <translation>/POWER</translation>
    </message>
    <message>
        <source>Kalender</source>
        <extracomment>33088</extracomment>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>Wochenprogramm</source>
        <extracomment>34118</extracomment>
        <translation>Week Programme</translation>
    </message>
    <message>
        <source>Tagesprogramm</source>
        <extracomment>34119</extracomment>
        <translation>Day Programme</translation>
    </message>
    <message>
        <source>Uhr</source>
        <extracomment>34126
----------
33011</extracomment>
        <translation>Clock</translation>
    </message>
    <message>
        <source>Montag</source>
        <extracomment>36101</extracomment>
        <translation>Monday</translation>
    </message>
    <message>
        <source>Dienstag</source>
        <extracomment>36102</extracomment>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>Mittwoch</source>
        <extracomment>36103</extracomment>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>Donnerstag</source>
        <extracomment>36104</extracomment>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>Freitag</source>
        <extracomment>36105</extracomment>
        <translation>Friday</translation>
    </message>
    <message>
        <source>Samstag</source>
        <extracomment>36106</extracomment>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>Sonntag</source>
        <extracomment>36107</extracomment>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>Wochentag</source>
        <extracomment>36108</extracomment>
        <translation>Weekday</translation>
    </message>
    <message>
        <source>Typ</source>
        <extracomment>32804</extracomment>
        <translation>Type</translation>
    </message>
    <message>
        <source>Name</source>
        <extracomment>32805</extracomment>
        <translation>Name</translation>
    </message>
    <message>
        <source>ID</source>
        <extracomment>34244</extracomment>
        <translation>ID</translation>
    </message>
    <message>
        <source>Eingangsslot nicht bestückt</source>
        <extracomment>33043</extracomment>
        <translation>Input slot not fitted</translation>
    </message>
    <message>
        <source>Eingangsslot mit 2-Kanal Sprechstellen-Modul bestücken</source>
        <extracomment>33044</extracomment>
        <translation>Put 2-channel console module into this input slot</translation>
    </message>
    <message>
        <source>Eingangsslot mit 2-Kanal MIC / LINE -Modul bestücken</source>
        <extracomment>33045</extracomment>
        <translation>Put 2-channel MIC / LINE module into this input slot</translation>
    </message>
    <message>
        <source>Eingangsslot mit 2-Kanal AUX -Modul bestücken</source>
        <extracomment>33046</extracomment>
        <translation>Put 2-channel AUX module into this input slot</translation>
    </message>
    <message>
        <source>Eingangsslot mit 1-Kanal MIC /LINE und  1 Kanal AUX bestücken</source>
        <extracomment>33047</extracomment>
        <translation>Put 1-channel MIC /LINE and  1-channel AUX into this input slot</translation>
    </message>
    <message>
        <source>Eingangsslot mit 1-Kanal MIC /LINE und  1-Kanal Sprechstellen-Modul bestücken</source>
        <extracomment>33089</extracomment>
        <translation>Put 1-channel MIC /LINE and  1-channel console module into this input slot</translation>
    </message>
    <message>
        <source>Audioparameter für das High-Shelving Filter wird von 12dB auf 6dB verringert !</source>
        <extracomment>34275</extracomment>
        <translation>The audio parameter of the high-shelving filter is reduced from 12dB to 6dB !</translation>
    </message>
    <message>
        <source>Nicht bestückt</source>
        <extracomment>33008</extracomment>
        <translation>Not fitted</translation>
    </message>
    <message>
        <source>2-Kanal LINE Ausgangsmodul</source>
        <extracomment>33018</extracomment>
        <translation>2-channel LINE output module</translation>
    </message>
    <message>
        <source>Ausgangsmodul nicht bestückt</source>
        <extracomment>33177</extracomment>
        <translation>Output module not fitted</translation>
    </message>
    <message>
        <source>Achtung!
OUT%d wird mit %d Verstärkereingängen belastet</source>
        <extracomment>32790</extracomment>
        <translation>Attention!
OUT%d is loaded with %d amplifier inputs</translation>
    </message>
    <message>
        <source>Wählen Sie bitte zunächst einen Ausgang !</source>
        <extracomment>34465</extracomment>
        <translation>Please choose an output first !</translation>
    </message>
    <message>
        <source>8 fach Digital I/O</source>
        <extracomment>33009</extracomment>
        <translation>8-way digital I/O</translation>
    </message>
    <message>
        <source>Input</source>
        <extracomment>33020</extracomment>
        <translation>Input</translation>
    </message>
    <message>
        <source>Output</source>
        <extracomment>33021</extracomment>
        <translation>Output</translation>
    </message>
    <message>
        <source>NU</source>
        <extracomment>34361</extracomment>
        <translation>NU</translation>
    </message>
    <message>
        <source>DCF77 Receiver</source>
        <extracomment>33024</extracomment>
        <translation>DCF77 Receiver</translation>
    </message>
    <message>
        <source>INP1</source>
        <extracomment>33025</extracomment>
        <translation>INP1</translation>
    </message>
    <message>
        <source>INP2</source>
        <extracomment>33181</extracomment>
        <translation>INP2</translation>
    </message>
    <message>
        <source>READY</source>
        <extracomment>33026
----------
34093</extracomment>
        <translation>READY</translation>
    </message>
    <message>
        <source>PC</source>
        <extracomment>33028</extracomment>
        <translation>PC</translation>
    </message>
    <message>
        <source>REMOTE</source>
        <extracomment>33029</extracomment>
        <translation>REMOTE</translation>
    </message>
    <message>
        <source>FJX3392</source>
        <extracomment>33100</extracomment>
        <translation>FJX3392</translation>
    </message>
    <message>
        <source>FJX3397</source>
        <extracomment>33101</extracomment>
        <translation>FJX3397</translation>
    </message>
    <message>
        <source>Netzteil</source>
        <extracomment>34291</extracomment>
        <translation>Power Supply</translation>
    </message>
    <message>
        <source>Encoder</source>
        <extracomment>32847</extracomment>
        <translation>Encoder</translation>
    </message>
    <message>
        <source>Trigger</source>
        <extracomment>33085</extracomment>
        <translation>Trigger</translation>
    </message>
    <message>
        <source>Bedingung</source>
        <extracomment>34129</extracomment>
        <translation>Condition</translation>
    </message>
    <message>
        <source>GlobalReadyInput</source>
        <extracomment>34295</extracomment>
        <translation>GlobalReadyInput</translation>
    </message>
    <message>
        <source>Virtueller Controller</source>
        <extracomment>34365</extracomment>
        <translation>Virtual Controller</translation>
    </message>
    <message>
        <source>Triggerobjekt</source>
        <extracomment>34424</extracomment>
        <translation>Trigger Object</translation>
    </message>
    <message>
        <source>Minimum</source>
        <extracomment>34425</extracomment>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <extracomment>34426</extracomment>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Momentanwert</source>
        <extracomment>34427</extracomment>
        <translation>Current value</translation>
    </message>
    <message>
        <source>Kurvenform</source>
        <extracomment>34428</extracomment>
        <translation>Curve shape</translation>
    </message>
    <message>
        <source>Schritte</source>
        <extracomment>34429</extracomment>
        <translation>Steps</translation>
    </message>
    <message>
        <source>Logikzustand</source>
        <extracomment>34460</extracomment>
        <translation>Logic State</translation>
    </message>
    <message>
        <source>amp #%u</source>
        <extracomment>36120</extracomment>
        <translation>amp #%u</translation>
    </message>
    <message>
        <source>Endstufe #%u</source>
        <extracomment>36121</extracomment>
        <translation>Power amplifier #%u</translation>
    </message>
    <message>
        <source>QTB 8174 #%u</source>
        <extracomment>36122</extracomment>
        <translation>QTB 8174 #%u</translation>
    </message>
    <message>
        <source>amp</source>
        <extracomment>36123</extracomment>
        <translation>amp</translation>
    </message>
    <message>
        <source>Endstufe</source>
        <extracomment>36124</extracomment>
        <translation>Power amplifier</translation>
    </message>
    <message>
        <source>QTB8174</source>
        <extracomment>36125</extracomment>
        <translation>QTB8174</translation>
    </message>
    <message>
        <source>HBE6631</source>
        <extracomment>36126</extracomment>
        <translation>HBE6631</translation>
    </message>
    <message>
        <source>HBE6633</source>
        <extracomment>36127</extracomment>
        <translation>HBE6633</translation>
    </message>
    <message>
        <source>HBE 6682</source>
        <extracomment>36128</extracomment>
        <translation>HBE 6682</translation>
    </message>
    <message>
        <source>Netzausfall</source>
        <extracomment>36129</extracomment>
        <translation>Mains failure</translation>
    </message>
    <message>
        <source>Ladegerät/Batt.</source>
        <extracomment>36130</extracomment>
        <translation>Charger/Batt.</translation>
    </message>
    <message>
        <source>Lautsprechernetz</source>
        <extracomment>36131</extracomment>
        <translation>Loudspeaker network</translation>
    </message>
    <message>
        <source>Erdschluß</source>
        <extracomment>34580
----------
36132
----------
34595</extracomment>
        <translation>Ground fault</translation>
    </message>
    <message>
        <source>Der Download wurde nicht vollständig ausgeführt ! Die Konfiguration im QUILLOMER ist unvollständig.</source>
        <extracomment>36300</extracomment>
        <translation>The download did not complete ! The configuration in the QUILLOMER is incomplete.</translation>
    </message>
    <message>
        <source>Die Freigabe der Makrosperre (&quot;/MACRO/LOCK OFF&quot;) und das Speichern (&quot;/SERVICE/START FASTSAVE&quot;) konnten nicht gesendet werden: die Makros des QUILLOMER bleiben gesperrt und seine Einstellungen sind nicht gespeichert.</source>
        <extracomment>36301</extracomment>
        <translation>The release of the macro lock (&quot;/MACRO/LOCK OFF&quot;) and the save (&quot;/SERVICE/START FASTSAVE&quot;) could not be sent: the QUILLOMER&apos;s macros stay locked and its settings are not saved.</translation>
    </message>
    <message>
        <source>Die Freigabe der Makrosperre (&quot;/MACRO/LOCK OFF&quot;) und das Speichern (&quot;/SERVICE/START FASTSAVE&quot;) konnten noch nicht gesendet werden, weil QUILLOMER die Übertragung anhält; sie folgen, sobald QUILLOMER sie annimmt.</source>
        <extracomment>36302</extracomment>
        <translation>The release of the macro lock (&quot;/MACRO/LOCK OFF&quot;) and the save (&quot;/SERVICE/START FASTSAVE&quot;) could not be sent yet because the QUILLOMER holds the transfer; they follow as soon as the QUILLOMER takes them.</translation>
    </message>
    <message>
        <source>Die Freigabe der Makrosperre (&quot;/MACRO/LOCK OFF&quot;) und das Speichern (&quot;/SERVICE/START FASTSAVE&quot;) wurden gesendet, aber von QUILLOMER nicht gelesen: die Makros des QUILLOMER bleiben gesperrt und seine Einstellungen sind nicht gespeichert.</source>
        <extracomment>36310</extracomment>
        <translation>The release of the macro lock (&quot;/MACRO/LOCK OFF&quot;) and the save (&quot;/SERVICE/START FASTSAVE&quot;) were sent, but the QUILLOMER did not read them: the QUILLOMER&apos;s macros stay locked and its settings are not saved.</translation>
    </message>
    <message>
        <source>Die Freigabe der Makrosperre (&quot;/MACRO/LOCK OFF&quot;) wurde gesendet, aber von QUILLOMER nicht gelesen: die Makros des QUILLOMER bleiben gesperrt.</source>
        <extracomment>36311</extracomment>
        <translation>The release of the macro lock (&quot;/MACRO/LOCK OFF&quot;) was sent, but the QUILLOMER did not read it: the QUILLOMER&apos;s macros stay locked.</translation>
    </message>
    <message>
        <source>QUILLOMER antwortet nicht mehr: %d von %d Abfragen blieben unbeantwortet.</source>
        <extracomment>36303</extracomment>
        <translation>The QUILLOMER no longer answers: %d of %d queries remained unanswered.</translation>
    </message>
    <message>
        <source>Der Export ist fehlgeschlagen !</source>
        <extracomment>36304</extracomment>
        <translation>The export failed !</translation>
    </message>
    <message>
        <source>Die Datei &apos;%s&apos; kann nicht geschrieben werden !
( %s )</source>
        <extracomment>36320</extracomment>
        <translation>The file &apos;%s&apos; cannot be written !
( %s )</translation>
    </message>
    <message>
        <source>Die Zeilen, die sie nicht aufnimmt, werden aufbewahrt und nachgetragen, sobald sie es wieder tut.</source>
        <extracomment>36321</extracomment>
        <translation>The lines it does not take are kept and added as soon as it takes them again.</translation>
    </message>
    <message>
        <source>%zu Zeile(n) konnten nicht mehr in die Datei &apos;%s&apos; geschrieben werden und sind verloren.
( %s )</source>
        <extracomment>36322</extracomment>
        <translation>%zu line(s) could no longer be written to the file &apos;%s&apos; and are lost.
( %s )</translation>
    </message>
    <message>
        <source>Auf dem Datenträger ist kein Platz mehr frei.</source>
        <extracomment>36323</extracomment>
        <translation>There is no space left on the disk.</translation>
    </message>
    <message>
        <source>Der Ordner ist nicht vorhanden.</source>
        <extracomment>36324</extracomment>
        <translation>The folder does not exist.</translation>
    </message>
    <message>
        <source>Ein Teil des Pfads ist kein Ordner.</source>
        <extracomment>36325</extracomment>
        <translation>Part of the path is not a folder.</translation>
    </message>
    <message>
        <source>Der Name bezeichnet einen Ordner, keine Datei.</source>
        <extracomment>36326</extracomment>
        <translation>The name denotes a folder, not a file.</translation>
    </message>
    <message>
        <source>Keine Berechtigung zum Schreiben.</source>
        <extracomment>36327</extracomment>
        <translation>No permission to write.</translation>
    </message>
    <message>
        <source>Der Datenträger ist schreibgeschützt.</source>
        <extracomment>36328</extracomment>
        <translation>The disk is write-protected.</translation>
    </message>
    <message>
        <source>Systemfehler %d: %s</source>
        <extracomment>36329</extracomment>
        <translation>System error %d: %s</translation>
    </message>
    <message>
        <source>Die Datei ist schreibgeschützt.</source>
        <extracomment>36330</extracomment>
        <translation>The file is read-only.</translation>
    </message>
    <message>
        <source>Die symbolischen Verknüpfungen des Pfads verweisen im Kreis aufeinander.</source>
        <extracomment>36331</extracomment>
        <translation>The symbolic links of the path lead round in a circle.</translation>
    </message>
    <message>
        <source>Keine Berechtigung zum Lesen.</source>
        <extracomment>36332</extracomment>
        <translation>No permission to read.</translation>
    </message>
    <message>
        <source>Keine Berechtigung, die Uhrzeit des Computers zu stellen.</source>
        <extracomment>36336</extracomment>
        <translation>No permission to set the computer&apos;s clock.</translation>
    </message>
    <message>
        <source>Diese Zeit gibt es nicht.</source>
        <extracomment>36337</extracomment>
        <translation>This time does not exist.</translation>
    </message>
    <message>
        <source>Die Datei &apos;%s&apos; enthält Zeilen mit Zeichen, die QUILLOMER nicht annehmen kann. Diese Zeilen werden ausgelassen:

%s
Mit den übrigen Zeilen fortfahren ?
(Nein: Der Vorgang wird abgebrochen.)</source>
        <extracomment>36390</extracomment>
        <translation>The file &apos;%s&apos; holds lines with characters that the QUILLOMER cannot take. These lines are left out:

%s
Go on with the other lines ?
(No: The operation is cancelled.)</translation>
    </message>
    <message>
        <source>Zeile %d: %s   (Zeichen: %s)</source>
        <extracomment>36391</extracomment>
        <translation>Line %d: %s   (characters: %s)</translation>
    </message>
    <message>
        <source>... und %d weitere Zeilen</source>
        <extracomment>36392</extracomment>
        <translation>... and %d more lines</translation>
    </message>
    <message>
        <source>Die Datei &apos;%s&apos; ist in Windows-1252 geschrieben, das diese Zeichen nicht enthält: %s
Der Text wurde nicht gespeichert.</source>
        <extracomment>36393</extracomment>
        <translation>The file &apos;%s&apos; is written in Windows-1252, which does not hold these characters: %s
The text was not saved.</translation>
    </message>
    <message>
        <source>; %s: nicht abgefragt, kein Name eines Eintrags: %s</source>
        <extracomment>36394</extracomment>
        <translation>; %s: not queried, no name of an entry: %s</translation>
    </message>
    <message>
        <source>Die Datei ist nicht vorhanden.</source>
        <extracomment>36333</extracomment>
        <translation>The file does not exist.</translation>
    </message>
    <message>
        <source>Die Datei &apos;%s&apos; kann nicht gelesen werden !
( %s )</source>
        <extracomment>36334</extracomment>
        <translation>The file &apos;%s&apos; cannot be read !
( %s )</translation>
    </message>
    <message>
        <source>Ihr Inhalt konnte nicht gelesen werden und würde ungesehen ersetzt.</source>
        <extracomment>36335</extracomment>
        <translation>Its content could not be read and would be replaced unseen.</translation>
    </message>
    <message>
        <source>Die Einstellungsdatei &apos;%s&apos; ist beschädigt und kann nicht als Einstellungen gelesen werden.
Die nächste Einstellung ersetzt sie; die beschädigte Datei wird als &apos;%s&apos; aufbewahrt.</source>
        <extracomment>36479</extracomment>
        <translation>The settings file &apos;%s&apos; is damaged and cannot be read as settings.
The next setting replaces it; the damaged file is kept as &apos;%s&apos;.</translation>
    </message>
    <message>
        <source>Die Verbindung zu QUILLOMER wurde während der Übertragung unterbrochen.</source>
        <extracomment>36305</extracomment>
        <translation>The connection to the QUILLOMER was lost during the transfer.</translation>
    </message>
    <message>
        <source>Upload unvollständig ! Die &apos;*.err&apos; Datei enthält nur die Unterschiede der beantworteten Werte.</source>
        <extracomment>36306</extracomment>
        <translation>Upload incomplete ! The &apos;*.err&apos; file holds only the differences of the answered values.</translation>
    </message>
    <message>
        <source>QUILLOMER antwortet nicht mehr: %d Sekunden lang kam keine der gesendeten Zeilen zurück.</source>
        <extracomment>36307</extracomment>
        <translation>The QUILLOMER no longer answers: for %d seconds none of the lines sent came back.</translation>
    </message>
    <message>
        <source>Die Übertragung wurde abgebrochen.</source>
        <extracomment>36308</extracomment>
        <translation>The transfer has been cancelled.</translation>
    </message>
    <message>
        <source>Übertragen bis: Parameter: [%s], Schritt %d von %d.</source>
        <extracomment>36309</extracomment>
        <translation>Transferred up to: Parameter: [%s], step %d of %d.</translation>
    </message>
    <message>
        <source>Ein Download wurde nicht vollständig ausgeführt: die Konfiguration im QUILLOMER ist unvollständig und nicht gespeichert.
Soll sie beim Trennen trotzdem im QUILLOMER gespeichert werden (&quot;/SERVICE/START FASTSAVE&quot;) ?</source>
        <extracomment>36318</extracomment>
        <translation>A download did not complete: the configuration in the QUILLOMER is incomplete and not saved.
Save it in the QUILLOMER all the same on disconnecting (&quot;/SERVICE/START FASTSAVE&quot;)?</translation>
    </message>
    <message>
        <source>Makro</source>
        <extracomment>32806
----------
IDS_CAT_FIRST + 15
----------
34089</extracomment>
        <translation>Macro</translation>
    </message>
    <message>
        <source>Makroobjekt</source>
        <extracomment>34463</extracomment>
        <translation>Macro Object</translation>
    </message>
    <message>
        <source>/MACRO</source>
        <extracomment>34464</extracomment>
        <translation>/MACRO</translation>
    </message>
    <message>
        <source>IDManager: GetBaseDevice %d,%d
</source>
        <extracomment>IDS_GET_BASE_DEVICE</extracomment>
        <translation>IDManager: GetBaseDevice %d,%d
</translation>
    </message>
    <message>
        <source>IDManager: GetBaseDeviceList %d
</source>
        <extracomment>IDS_GET_BASE_DEVICE_LIST</extracomment>
        <translation>IDManager: GetBaseDeviceList %d
</translation>
    </message>
    <message>
        <source>IDManager: GetNextID %d %s
</source>
        <extracomment>IDS_GET_NEXT_ID</extracomment>
        <translation>IDManager: GetNextID %d %s
</translation>
    </message>
    <message>
        <source>IDManager: AddID %d,%d,%s
</source>
        <extracomment>IDS_ADD_ID</extracomment>
        <translation>IDManager: AddID %d,%d,%s
</translation>
    </message>
    <message>
        <source>IDManager: RemoveID %d,%d,%s
</source>
        <extracomment>IDS_REMOVE_ID</extracomment>
        <translation>IDManager: RemoveID %d,%d,%s
</translation>
    </message>
    <message>
        <source>Parser Fehler: Kein Signalobjekt für diesen Parserbefehl !</source>
        <extracomment>IDS_PARSER_NO_SIGNAL</extracomment>
        <translation>Parser error: no signal object for this parser command !</translation>
    </message>
    <message>
        <source>Parser Fehler: Ungültiger &apos;Event&apos;-Type oder ungültige &apos;Event&apos;-Nummer ! </source>
        <extracomment>IDS_PARSER_BAD_EVENT</extracomment>
        <translation>Parser error: invalid &apos;Event&apos; type or invalid &apos;Event&apos; number ! </translation>
    </message>
    <message>
        <source>Soll das Log-File gelöscht werden ?<byte value="xd"/>
Das Löschen des Log-Files hat keinerlei Auswirkungen auf die Projektdaten !
</source>
        <extracomment>IDS_ASK_DELETE_LOG</extracomment>
        <translation>Delete the log file ?<byte value="xd"/>
Deleting the log file has no effect at all on the project data !
</translation>
    </message>
    <message>
        <source>Das Gerät kann nicht mehr erzeugt werden !
Die maximale Anzahl wird überschritten !
</source>
        <extracomment>IDS_CANNOT_CREATE</extracomment>
        <translation>The device cannot be created any more !
The maximum number would be exceeded !
</translation>
    </message>
    <message>
        <source>Sie müssen einen Namen der mindestens 1 Zeichen lang ist, eingeben !
</source>
        <extracomment>IDS_NAME_EMPTY</extracomment>
        <translation>You must enter a name at least 1 character long !
</translation>
    </message>
    <message>
        <source>Der Name %s ist schon vorhanden und wird in %s geändert !
</source>
        <extracomment>IDS_NAME_CHANGED</extracomment>
        <translation>The name %s already exists and is changed to %s !
</translation>
    </message>
    <message>
        <source>Der Name &apos;%s&apos; ist schon vorhanden. Wählen Sie bitte einen anderen !
</source>
        <extracomment>IDS_NAME_IN_USE</extracomment>
        <translation>The name &apos;%s&apos; already exists. Please choose another one !
</translation>
    </message>
    <message>
        <source>Der Name darf keine Steuerzeichen (Zeilenumbruch, Tabulator ...) enthalten !
</source>
        <extracomment>IDS_NAME_CONTROL_CHARS</extracomment>
        <translation>The name must not contain control characters (line break, tab ...) !
</translation>
    </message>
    <message>
        <source>Der Text darf keine Steuerzeichen (Zeilenumbruch, Tabulator ...) enthalten !
</source>
        <extracomment>IDS_TEXT_CONTROL_CHARS</extracomment>
        <translation>The text must not contain control characters (line break, tab ...) !
</translation>
    </message>
    <message>
        <source>Das Zeichen &apos;%s&apos; (U+%04X) kann weder gespeichert noch an QUILLOMER gesendet werden: der Zeichensatz von Projektdatei und Gerät (Windows-1252) kennt es nicht.
Der bisherige Text bleibt.</source>
        <extracomment>IDS_TEXT_NOT_IN_CODE_PAGE</extracomment>
        <translation>The character &apos;%s&apos; (U+%04X) can be neither saved nor sent to QUILLOMER: the character set of project files and the device (Windows-1252) does not hold it.
The previous text stays.</translation>
    </message>
    <message>
        <source>Der Text &apos;%s&apos; würde an QUILLOMER als Abfrage gesendet (&apos;?&apos; allein oder &apos; ?&apos; am Ende) und nicht übernommen.
Der bisherige Text bleibt.</source>
        <extracomment>IDS_TEXT_READS_AS_QUERY</extracomment>
        <translation>The text &apos;%s&apos; would reach QUILLOMER as a query (&apos;?&apos; alone or &apos; ?&apos; at its end) and would not be taken.
The previous text stays.</translation>
    </message>
    <message>
        <source>Eingangsverbindungen beim Gerät %s können nur teilweise erzeugt werden !</source>
        <extracomment>IDS_IN_LINKS_PARTIAL</extracomment>
        <translation>Input connections of the device %s can only be made in part !</translation>
    </message>
    <message>
        <source>Ausgangsverbindungen beim Gerät %s können nur teilweise erzeugt werden !</source>
        <extracomment>IDS_OUT_LINKS_PARTIAL</extracomment>
        <translation>Output connections of the device %s can only be made in part !</translation>
    </message>
    <message>
        <source>Readyinput ist schon vorhanden!</source>
        <extracomment>IDS_READYINPUT_EXISTS</extracomment>
        <translation>Ready input already exists!</translation>
    </message>
    <message>
        <source>Unbekanntes Dateiformat!
Eventuell ist diese Datei von einer neueren Version des QUILLOMER Designers erzeugt worden.</source>
        <extracomment>IDS_UNKNOWN_FORMAT</extracomment>
        <translation>Unknown file format!
This file may have been made by a newer version of the QUILLOMER Designer.</translation>
    </message>
    <message>
        <source>Das Dokument konnte nicht geöffnet werden.</source>
        <extracomment>IDS_OPEN_FAILED</extracomment>
        <translation>The document could not be opened.</translation>
    </message>
    <message>
        <source>Das Dokument konnte nicht gespeichert werden.</source>
        <extracomment>IDS_SAVE_FAILED</extracomment>
        <translation>The document could not be saved.</translation>
    </message>
    <message>
        <source>Die Datei kann nicht geöffnet werden: %s</source>
        <extracomment>IDS_FILE_NOT_OPENED</extracomment>
        <translation>The file cannot be opened: %s</translation>
    </message>
    <message>
        <source>Die Datei kann nicht gelesen werden: %s</source>
        <extracomment>IDS_FILE_NOT_READ</extracomment>
        <translation>The file cannot be read: %s</translation>
    </message>
    <message>
        <source>Der Name bezeichnet ein Verzeichnis, keine Datei.</source>
        <extracomment>IDS_FILE_IS_DIRECTORY</extracomment>
        <translation>The name is that of a directory, not of a file.</translation>
    </message>
    <message>
        <source>Der Name bezeichnet keine gewöhnliche Datei (sondern ein Gerät, eine Pipe oder einen Socket).</source>
        <extracomment>IDS_FILE_NOT_REGULAR</extracomment>
        <translation>The name is not that of an ordinary file (but of a device, a pipe or a socket).</translation>
    </message>
    <message>
        <source>Die Datei ist %llu Bytes groß; ein Projekt hat höchstens %llu Bytes.</source>
        <extracomment>IDS_FILE_TOO_LARGE</extracomment>
        <translation>The file has %llu bytes; a project has %llu bytes at most.</translation>
    </message>
    <message>
        <source>Die Datei endet vor ihrem angegebenen Inhalt (unvollständig oder beschädigt).</source>
        <extracomment>IDS_FILE_CUT_SHORT</extracomment>
        <translation>The file ends before its stated contents (incomplete or damaged).</translation>
    </message>
    <message>
        <source>Nach dem Ende des Projekts folgen noch %llu Bytes (beschädigte Datei).</source>
        <extracomment>IDS_FILE_TRAILING_BYTES</extracomment>
        <translation>%llu bytes follow the end of the project (damaged file).</translation>
    </message>
    <message>
        <source>Die Datei enthält ungültige Daten (beschädigt oder kein Projekt).</source>
        <extracomment>IDS_FILE_DAMAGED</extracomment>
        <translation>The file holds invalid data (damaged, or not a project).</translation>
    </message>
    <message>
        <source>Unbekannte Dateiversion %u.</source>
        <extracomment>IDS_FILE_NEWER_VERSION</extracomment>
        <translation>Unknown file version %u.</translation>
    </message>
    <message>
        <source>%s
(%s, bei Byte %llu)</source>
        <extracomment>IDS_FILE_AT_BYTE</extracomment>
        <translation>%s
(%s, at byte %llu)</translation>
    </message>
    <message>
        <source>Lage oder Linienführung folgender Objekte lag außerhalb des gültigen Bereichs und wurde angepasst:
%s</source>
        <extracomment>IDS_OBJECTS_MOVED</extracomment>
        <translation>The place or the line routing of these objects lay outside the valid range and has been corrected:
%s</translation>
    </message>
    <message>
        <source>Folgende Werte der Projektdatei lagen außerhalb ihres Bereichs und wurden angepasst (Wert der Datei → Wert im Projekt):
%s</source>
        <extracomment>IDS_VALUES_HELD</extracomment>
        <translation>These values of the project file lay outside their range and have been corrected (value in the file → value in the project):
%s</translation>
    </message>
    <message>
        <source>%s : %s ist im Gerät frei, das Projekt hält dort jetzt keins</source>
        <extracomment>IDS_FREED_HOLDING</extracomment>
        <translation>%s : %s is free on the device, the project now holds none there</translation>
    </message>
    <message>
        <source>%s : %s ist im Gerät frei; das Projekt hält die Nummer als freien Platzhalter und sendet sie so zurück</source>
        <extracomment>IDS_FREE_HELD</extracomment>
        <translation>%s : %s is free on the device; the project keeps the number as a free placeholder and sends it back so</translation>
    </message>
    <message>
        <source>%s %s : im Gerät belegt, das Projekt hält nur die Nummern bis %d; nicht übernommen, ein Download schreibt sie nicht zurück</source>
        <extracomment>IDS_BEYOND_LIMIT</extracomment>
        <translation>%s %s : used on the device, the project holds numbers up to %d only; not taken, a download does not write them back</translation>
    </message>
    <message>
        <source>Verstärker</source>
        <extracomment>IDS_CAT_FIRST + 1
----------
32782</extracomment>
        <translation>Amplifier</translation>
    </message>
    <message>
        <source>Relaistopologie</source>
        <extracomment>IDS_CAT_FIRST + 2</extracomment>
        <translation>Relay Topology</translation>
    </message>
    <message>
        <source>Linien</source>
        <extracomment>34457
----------
IDS_CAT_FIRST + 3
----------
34012</extracomment>
        <translation>Lines</translation>
    </message>
    <message>
        <source>Gruppen</source>
        <extracomment>IDS_CAT_FIRST + 4</extracomment>
        <translation>Groups</translation>
    </message>
    <message>
        <source>Lautstärke,Delay</source>
        <extracomment>IDS_CAT_FIRST + 5</extracomment>
        <translation>Volume, Delay</translation>
    </message>
    <message>
        <source>Eingangsfilter, Gain</source>
        <extracomment>IDS_CAT_FIRST + 6</extracomment>
        <translation>Input Filter, Gain</translation>
    </message>
    <message>
        <source>Kalender, Timer</source>
        <extracomment>IDS_CAT_FIRST + 7</extracomment>
        <translation>Calendar, Timer</translation>
    </message>
    <message>
        <source>Interne Slots</source>
        <extracomment>IDS_CAT_FIRST + 8</extracomment>
        <translation>Internal Slots</translation>
    </message>
    <message>
        <source>Info</source>
        <extracomment>IDS_CAT_FIRST + 9</extracomment>
        <translation>Info</translation>
    </message>
    <message>
        <source>Interface</source>
        <extracomment>IDS_CAT_FIRST + 10</extracomment>
        <translation>Interface</translation>
    </message>
    <message>
        <source>Digital-Slot</source>
        <extracomment>IDS_CAT_FIRST + 11</extracomment>
        <translation>Digital slot</translation>
    </message>
    <message>
        <source>Digitale Ein-/Ausgänge</source>
        <extracomment>IDS_CAT_FIRST + 12</extracomment>
        <translation>Digital Inputs/Outputs</translation>
    </message>
    <message>
        <source>Audio-Geräte</source>
        <extracomment>IDS_CAT_FIRST + 13</extracomment>
        <translation>Audio Devices</translation>
    </message>
    <message>
        <source>Sprechstellen</source>
        <extracomment>IDS_CAT_FIRST + 14</extracomment>
        <translation>Consoles</translation>
    </message>
    <message>
        <source>Audio (Alarm,Gong,Text...)</source>
        <extracomment>IDS_CAT_FIRST + 16</extracomment>
        <translation>Audio (Alarm, Chime, Text...)</translation>
    </message>
    <message>
        <source>LMZ763</source>
        <extracomment>32796</extracomment>
        <translation>LMZ763</translation>
    </message>
    <message>
        <source>LMZ764</source>
        <extracomment>32797</extracomment>
        <translation>LMZ764</translation>
    </message>
    <message>
        <source>LMZ775 Eingang</source>
        <extracomment>32848</extracomment>
        <translation>LMZ775 Input</translation>
    </message>
    <message>
        <source>LMZ775 Ausgang</source>
        <extracomment>32849</extracomment>
        <translation>LMZ775 Output</translation>
    </message>
    <message>
        <source>LMZ771</source>
        <extracomment>34136</extracomment>
        <translation>LMZ771</translation>
    </message>
    <message>
        <source>LMZ752</source>
        <extracomment>34262</extracomment>
        <translation>LMZ752</translation>
    </message>
    <message>
        <source>LMZ775</source>
        <extracomment>34263</extracomment>
        <translation>LMZ775</translation>
    </message>
    <message>
        <source>Digitalsloteingang</source>
        <extracomment>34321</extracomment>
        <translation>Digital slot input</translation>
    </message>
    <message>
        <source>Digitalslotausgang</source>
        <extracomment>34322</extracomment>
        <translation>Digital slot output</translation>
    </message>
    <message>
        <source>Interfaceeingang</source>
        <extracomment>34323</extracomment>
        <translation>Interface input</translation>
    </message>
    <message>
        <source>Nebenuhren</source>
        <extracomment>34567
----------
34091</extracomment>
        <translation>Slave Clocks</translation>
    </message>
    <message>
        <source>DCF Receiver</source>
        <extracomment>34092</extracomment>
        <translation>DCF Receiver</translation>
    </message>
    <message>
        <source>FAULT</source>
        <extracomment>34094</extracomment>
        <translation>FAULT</translation>
    </message>
    <message>
        <source>ANY_FAULTINP</source>
        <extracomment>34095</extracomment>
        <translation>ANY_FAULTINP</translation>
    </message>
    <message>
        <source>ALL_READYINP</source>
        <extracomment>34096</extracomment>
        <translation>ALL_READYINP</translation>
    </message>
    <message>
        <source>Betriebsspannung</source>
        <extracomment>34132</extracomment>
        <translation>Operating Voltage</translation>
    </message>
    <message>
        <source>Pilotton</source>
        <extracomment>34133</extracomment>
        <translation>Pilot Tone</translation>
    </message>
    <message>
        <source>24 Volt</source>
        <extracomment>34134</extracomment>
        <translation>24 Volt</translation>
    </message>
    <message>
        <source>Analog VCC</source>
        <extracomment>34135</extracomment>
        <translation>Analog VCC</translation>
    </message>
    <message>
        <source>24VOLTS</source>
        <extracomment>34324</extracomment>
        <translation>24VOLTS</translation>
    </message>
    <message>
        <source>&apos;Alle&apos; Gruppe</source>
        <extracomment>34152</extracomment>
        <translation>&apos;All&apos; Group</translation>
    </message>
    <message>
        <source>8 I/O Kontrollmodul</source>
        <extracomment>34138</extracomment>
        <translation>8 I/O Control Module</translation>
    </message>
    <message>
        <source>Audio</source>
        <extracomment>34077</extracomment>
        <translation>Audio</translation>
    </message>
    <message>
        <source>System</source>
        <extracomment>34078</extracomment>
        <translation>System</translation>
    </message>
    <message>
        <source>Fuse</source>
        <extracomment>33084</extracomment>
        <translation>Fuse</translation>
    </message>
    <message>
        <source>Service</source>
        <extracomment>33087</extracomment>
        <translation>Service</translation>
    </message>
    <message>
        <source>DIN</source>
        <extracomment>32810</extracomment>
        <translation>DIN</translation>
    </message>
    <message>
        <source>Slow</source>
        <extracomment>32811</extracomment>
        <translation>Slow</translation>
    </message>
    <message>
        <source>Sirene</source>
        <extracomment>32812</extracomment>
        <translation>Siren</translation>
    </message>
    <message>
        <source>Post</source>
        <extracomment>32813</extracomment>
        <translation>Post</translation>
    </message>
    <message>
        <source>Telefon</source>
        <extracomment>32814</extracomment>
        <translation>Telephone</translation>
    </message>
    <message>
        <source>Manueller Alarm</source>
        <extracomment>34628</extracomment>
        <translation>Manual Alarm</translation>
    </message>
    <message>
        <source>Schiffsalarm1</source>
        <extracomment>34629</extracomment>
        <translation>Ship alarm1</translation>
    </message>
    <message>
        <source>Schiffsalarm2</source>
        <extracomment>34630</extracomment>
        <translation>Ship alarm2</translation>
    </message>
    <message>
        <source>Schiffsalarm3</source>
        <extracomment>34631</extracomment>
        <translation>Ship alarm3</translation>
    </message>
    <message>
        <source>Schiffsalarm4</source>
        <extracomment>34632</extracomment>
        <translation>Ship alarm4</translation>
    </message>
    <message>
        <source>Schiffsalarm5</source>
        <extracomment>34633</extracomment>
        <translation>Ship alarm5</translation>
    </message>
    <message>
        <source>Schiffsalarm6</source>
        <extracomment>34634</extracomment>
        <translation>Ship alarm6</translation>
    </message>
    <message>
        <source>Schiffsalarm7</source>
        <extracomment>34635</extracomment>
        <translation>Ship alarm7</translation>
    </message>
    <message>
        <source>Schiffsalarm8</source>
        <extracomment>34636</extracomment>
        <translation>Ship alarm8</translation>
    </message>
    <message>
        <source>Schiffsalarm9</source>
        <extracomment>34637</extracomment>
        <translation>Ship alarm9</translation>
    </message>
    <message>
        <source>Schiffsalarm10</source>
        <extracomment>34638</extracomment>
        <translation>Ship alarm10</translation>
    </message>
    <message>
        <source>Schiffsalarm11</source>
        <extracomment>34639</extracomment>
        <translation>Ship alarm11</translation>
    </message>
    <message>
        <source>Einklang</source>
        <extracomment>32815</extracomment>
        <translation>One-tone</translation>
    </message>
    <message>
        <source>Zweiklang</source>
        <extracomment>32816</extracomment>
        <translation>Two-tone</translation>
    </message>
    <message>
        <source>Dreiklang</source>
        <extracomment>32817</extracomment>
        <translation>Three-tone</translation>
    </message>
    <message>
        <source>Vierklang</source>
        <extracomment>32818</extracomment>
        <translation>Four-tone</translation>
    </message>
    <message>
        <source>2 x Zweiklang</source>
        <extracomment>32819</extracomment>
        <translation>2 x Two-tone</translation>
    </message>
    <message>
        <source>Vorgong</source>
        <extracomment>32820</extracomment>
        <translation>Pre-chime</translation>
    </message>
    <message>
        <source>/CAL</source>
        <extracomment>34112</extracomment>
        <translation>/CAL</translation>
    </message>
    <message>
        <source>/CLOCK</source>
        <extracomment>34106</extracomment>
        <translation>/CLOCK</translation>
    </message>
    <message>
        <source>/FUSE</source>
        <extracomment>34108</extracomment>
        <translation>/FUSE</translation>
    </message>
    <message>
        <source>Feiertagsprogramm</source>
        <extracomment>34120</extracomment>
        <translation>Holiday Programme</translation>
    </message>
    <message>
        <source>Ereignis</source>
        <extracomment>34121</extracomment>
        <translation>Event</translation>
    </message>
    <message>
        <source>MemoFlag</source>
        <extracomment>34130</extracomment>
        <translation>MemoFlag</translation>
    </message>
    <message>
        <source>READYINP</source>
        <extracomment>34282</extracomment>
        <translation>READYINP</translation>
    </message>
    <message>
        <source>Sammelruf</source>
        <extracomment>32787
----------
33091</extracomment>
        <translation>Collective call</translation>
    </message>
    <message>
        <source>Havarieverstärker</source>
        <extracomment>34370</extracomment>
        <translation>Spare Amplifier</translation>
    </message>
    <message>
        <source>Verstärker Konfiguration</source>
        <extracomment>34376</extracomment>
        <translation>Amplifier Configuration</translation>
    </message>
    <message>
        <source>Ereignis Protokollierer</source>
        <extracomment>34588</extracomment>
        <translation>Event Logger</translation>
    </message>
    <message>
        <source>Linientest</source>
        <extracomment>34577</extracomment>
        <translation>Line Test</translation>
    </message>
    <message>
        <source>Sprechstelle</source>
        <extracomment>34063</extracomment>
        <translation>Console</translation>
    </message>
    <message>
        <source>Slot 3</source>
        <extracomment>33014</extracomment>
        <translation>Slot 3</translation>
    </message>
    <message>
        <source>Slot 4</source>
        <extracomment>33015</extracomment>
        <translation>Slot 4</translation>
    </message>
    <message>
        <source>Sie können keine weitere Gruppenebene hinzufügen !</source>
        <extracomment>34192</extracomment>
        <translation>You cannot add another group level !</translation>
    </message>
    <message>
        <source>LMZ Karten</source>
        <extracomment>32799</extracomment>
        <translation>LMZ Cards</translation>
    </message>
    <message>
        <source>Alle Sprechstellen</source>
        <extracomment>34273</extracomment>
        <translation>All Consoles</translation>
    </message>
    <message>
        <source>Durchsage 1</source>
        <extracomment>34472</extracomment>
        <translation>Announcement 1</translation>
    </message>
    <message>
        <source>Durchsage 2</source>
        <extracomment>34473</extracomment>
        <translation>Announcement 2</translation>
    </message>
    <message>
        <source>Durchsage 3</source>
        <extracomment>34474</extracomment>
        <translation>Announcement 3</translation>
    </message>
    <message>
        <source>Durchsage 4</source>
        <extracomment>34475</extracomment>
        <translation>Announcement 4</translation>
    </message>
    <message>
        <source>Hintergrundprogramm</source>
        <extracomment>34476</extracomment>
        <translation>Background Programme</translation>
    </message>
    <message>
        <source>Alle</source>
        <extracomment>34487</extracomment>
        <translation>All</translation>
    </message>
    <message>
        <source>KVT Slots</source>
        <extracomment>34503</extracomment>
        <translation>KVT Slots</translation>
    </message>
    <message>
        <source>Unbekannt</source>
        <extracomment>34593</extracomment>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>Manuell</source>
        <extracomment>34594</extracomment>
        <translation>Manual</translation>
    </message>
    <message>
        <source>Linienmeßfehler</source>
        <extracomment>34596</extracomment>
        <translation>Line measurement fault</translation>
    </message>
    <message>
        <source>Linienerdschluß</source>
        <extracomment>34579
----------
34597</extracomment>
        <translation>Line ground fault</translation>
    </message>
    <message>
        <source>LAN Fehler</source>
        <extracomment>34598</extracomment>
        <translation>LAN fault</translation>
    </message>
    <message>
        <source>QUILLOMER Communication Monitor</source>
        <extracomment>34583</extracomment>
        <translation>QUILLOMER Communication Monitor</translation>
    </message>
    <message>
        <source>               Kein Projekt mit QUILLOMER verbunden.          </source>
        <extracomment>59143</extracomment>
        <translation>               No project connected with QUILLOMER.          </translation>
    </message>
    <message>
        <source>Programmzuteilungen</source>
        <extracomment>34930</extracomment>
        <translation>Programme Assignments</translation>
    </message>
    <message>
        <source>Durchsagen</source>
        <extracomment>34931</extracomment>
        <translation>Announcements</translation>
    </message>
    <message>
        <source>Gongsignale</source>
        <extracomment>34932</extracomment>
        <translation>Chime Signals</translation>
    </message>
    <message>
        <source>Alarme</source>
        <extracomment>34933</extracomment>
        <translation>Alarms</translation>
    </message>
    <message>
        <source>Logikausgänge</source>
        <extracomment>34934</extracomment>
        <translation>Logic Outputs</translation>
    </message>
    <message>
        <source>Lautstärkesteller</source>
        <extracomment>34935</extracomment>
        <translation>Volume Controls</translation>
    </message>
    <message>
        <source>Monitor-Umschalter</source>
        <extracomment>34936</extracomment>
        <translation>Monitor Switches</translation>
    </message>
    <message>
        <source>AUX-Umschalter</source>
        <extracomment>34256
----------
34937</extracomment>
        <translation>AUX Switches</translation>
    </message>
    <message>
        <source>LCD-Textausgaben</source>
        <extracomment>34938</extracomment>
        <translation>LCD Text Outputs</translation>
    </message>
    <message>
        <source>Sequenzen</source>
        <extracomment>34939</extracomment>
        <translation>Sequences</translation>
    </message>
    <message>
        <source>Textdurchsagen</source>
        <extracomment>34940</extracomment>
        <translation>Text Announcements</translation>
    </message>
    <message>
        <source>Memo-Flags</source>
        <extracomment>34941</extracomment>
        <translation>Memo Flags</translation>
    </message>
    <message>
        <source>Betriebsspannungen</source>
        <extracomment>34942</extracomment>
        <translation>Operating Voltages</translation>
    </message>
    <message>
        <source>Virtuelle Controller</source>
        <extracomment>34943</extracomment>
        <translation>Virtual Controllers</translation>
    </message>
    <message>
        <source>Stop Makro</source>
        <extracomment>34484
----------
34944</extracomment>
        <translation>Stop Macro</translation>
    </message>
    <message>
        <source>Verstärkerversorgung</source>
        <extracomment>34485
----------
34945</extracomment>
        <translation>Amplifier Supply</translation>
    </message>
    <message>
        <source>Verstärkerstummschaltung</source>
        <extracomment>34486
----------
34946</extracomment>
        <translation>Amplifier Muting</translation>
    </message>
    <message>
        <source>Inhalt der Seitenansicht bestimmen</source>
        <extracomment>34389</extracomment>
        <translation>Choose What to Preview</translation>
    </message>
    <message>
        <source>Bitte geben Sie ein korrektes Datum ein !</source>
        <extracomment>34336</extracomment>
        <translation>Please enter a correct date !</translation>
    </message>
    <message>
        <source>Bitte geben Sie eine korrekte Uhrzeit ein !</source>
        <extracomment>35160</extracomment>
        <translation>Please enter a correct time !</translation>
    </message>
    <message>
        <source>Aufgrund des größeren Speichers in der Geräteversion KVT7000 Upgrade
gibt es folgende SW Unterschiede:

interner Message Rekorder verfügbar
Audio Verzögerung			330ms 	(340ms)
Monitoreinträge			250	(50)
Monitorrelais			50	(20)
Tagesprogramme			20	(10)
Einträge pro Tagesprogramm		100	(40)
Feiertagseinträge			50	(20)
Ereignisse			50	(20)
Makros				250	(80)
Trigger				100	(50)
Bedingungen			250	(100)
Analogbedingung			20	(16)
Aktivbedingung			50	(5)
Kombinatorische Bedingungen	50	(10)
Logikzustände			250	(30)

Achtung!
Beim Wechsel von KVT7000 auf KVT7000a benötigt das Arbeitsblatt
keine Anpassung!
Umgekehrt wird der Funktionsumfang gemäß der Liste reduziert!</source>
        <extracomment>34531</extracomment>
        <translation>Because of the larger memory of the device version KVT7000 Upgrade
the software differs as follows:

internal message recorder available
Audio delay			330ms 	(340ms)
Monitor entries			250	(50)
Monitor relays			50	(20)
Day programmes			20	(10)
Entries per day programme		100	(40)
Holiday entries			50	(20)
Events			50	(20)
Macros				250	(80)
Triggers				100	(50)
Conditions			250	(100)
Analog conditions			20	(16)
Active conditions			50	(5)
Combined conditions	50	(10)
Logic states			250	(30)

Attention!
Changing from KVT7000 to KVT7000a needs no change
of the worksheet!
The other way round, the functions are reduced as listed!</translation>
    </message>
    <message>
        <source>If you want display time/date in german, you should choose &apos;German&apos;
in &apos;Country settings&apos; in the &apos;Windows control panel&apos; !
</source>
        <extracomment>34337</extracomment>
        <translation>If you want display time/date in german, you should choose &apos;German&apos;
in &apos;Country settings&apos; in the &apos;Windows control panel&apos; !
</translation>
    </message>
    <message>
        <source>Wenn der Initialisierungsstring für das KVT Modem fehlerhaft ist,
können Sie wahrscheinlich keine Verbindung mehr zum KVT aufnehmen!
Sind Sie sicher, daß SIe Initialisierung ändern wollen?</source>
        <extracomment>34364</extracomment>
        <translation>If the initialisation string of the KVT modem is wrong,
you will probably not be able to connect to the KVT any more!
Are you sure you want to change the initialisation?</translation>
    </message>
    <message>
        <source>HBE 6631</source>
        <extracomment>33007</extracomment>
        <translation>HBE 6631</translation>
    </message>
    <message>
        <source>HBE 6633</source>
        <extracomment>33071</extracomment>
        <translation>HBE 6633</translation>
    </message>
    <message>
        <source>HBE 6631 + YOK 58417</source>
        <extracomment>33160</extracomment>
        <translation>HBE 6631 + YOK 58417</translation>
    </message>
    <message>
        <source>HBE 6633 + YOK 58417</source>
        <extracomment>33161</extracomment>
        <translation>HBE 6633 + YOK 58417</translation>
    </message>
    <message>
        <source>1-Kanal Verstärker</source>
        <extracomment>33099</extracomment>
        <translation>1-channel amplifier</translation>
    </message>
    <message>
        <source>2-Kanal Verstärker</source>
        <extracomment>33035</extracomment>
        <translation>2-channel amplifier</translation>
    </message>
    <message>
        <source>HBE 6657</source>
        <extracomment>33072</extracomment>
        <translation>HBE 6657</translation>
    </message>
    <message>
        <source>HBE 6659</source>
        <extracomment>33073</extracomment>
        <translation>HBE 6659</translation>
    </message>
    <message>
        <source>HBE 6682 (2x2)</source>
        <extracomment>33083</extracomment>
        <translation>HBE 6682 (2x2)</translation>
    </message>
    <message>
        <source>HBE 6682 (112)</source>
        <extracomment>33082</extracomment>
        <translation>HBE 6682 (112)</translation>
    </message>
    <message>
        <source>HBE 6682 (121)</source>
        <extracomment>33081</extracomment>
        <translation>HBE 6682 (121)</translation>
    </message>
    <message>
        <source>HBE 6682 (211)</source>
        <extracomment>33080</extracomment>
        <translation>HBE 6682 (211)</translation>
    </message>
    <message>
        <source>HBE 6682 (4x1)</source>
        <extracomment>33079</extracomment>
        <translation>HBE 6682 (4x1)</translation>
    </message>
    <message>
        <source>HBE 6683 (2x2)</source>
        <extracomment>33078</extracomment>
        <translation>HBE 6683 (2x2)</translation>
    </message>
    <message>
        <source>HBE 6683 (112)</source>
        <extracomment>33077</extracomment>
        <translation>HBE 6683 (112)</translation>
    </message>
    <message>
        <source>HBE 6683 (121)</source>
        <extracomment>33076</extracomment>
        <translation>HBE 6683 (121)</translation>
    </message>
    <message>
        <source>HBE 6683 (211)</source>
        <extracomment>33075</extracomment>
        <translation>HBE 6683 (211)</translation>
    </message>
    <message>
        <source>HBE 6683 (4x1)</source>
        <extracomment>33074</extracomment>
        <translation>HBE 6683 (4x1)</translation>
    </message>
    <message>
        <source>Nicht benutzt</source>
        <extracomment>amptype::kEndKind
----------
32788</extracomment>
        <translation>Not used</translation>
    </message>
    <message>
        <source>Linie</source>
        <extracomment>32802</extracomment>
        <translation>Line</translation>
    </message>
    <message>
        <source>Direkt</source>
        <extracomment>33032</extracomment>
        <translation>Direct</translation>
    </message>
    <message>
        <source>1 in N</source>
        <extracomment>33033</extracomment>
        <translation>1 in N</translation>
    </message>
    <message>
        <source>N in 1</source>
        <extracomment>33034</extracomment>
        <translation>N in 1</translation>
    </message>
    <message>
        <source>Programm/Ruf</source>
        <extracomment>33070</extracomment>
        <translation>Programme/Call</translation>
    </message>
    <message>
        <source>Addresse</source>
        <extracomment>34550</extracomment>
        <translation>Address</translation>
    </message>
    <message>
        <source>Wertebereich überschritten !</source>
        <extracomment>34024</extracomment>
        <translation>Value out of range !</translation>
    </message>
    <message>
        <source>Warnung !

Das an diesem Eingang angeschlossene Gerät wird 
beim Umschalten dieses MIC/LINE Eingangs gelöscht !

Soll umgeschalten werden ?</source>
        <extracomment>34025</extracomment>
        <translation>Warning !

The device connected to this input is deleted 
when this MIC/LINE input is switched !

Switch it ?</translation>
    </message>
    <message>
        <source>Zu wenig Speicher !</source>
        <extracomment>34026</extracomment>
        <translation>Not enough memory !</translation>
    </message>
    <message>
        <source>Dieses Audio Gerät kann nicht erzeugt werden !
Möglicherweise ist zu wenig Speicher vorhanden !</source>
        <extracomment>34027</extracomment>
        <translation>This audio device cannot be created !
There may not be enough memory !</translation>
    </message>
    <message>
        <source>Diese Sprechstelle kann nicht erzeugt werden !
Möglicherweise ist zu wenig Speicher vorhanden !</source>
        <extracomment>34028</extracomment>
        <translation>This console cannot be created !
There may not be enough memory !</translation>
    </message>
    <message>
        <source>S&amp;prechstelle</source>
        <extracomment>34048</extracomment>
        <translation>&amp;Console</translation>
    </message>
    <message>
        <source>Mi&amp;krofon</source>
        <extracomment>34049</extracomment>
        <translation>Mi&amp;crophone</translation>
    </message>
    <message>
        <source>LIN&amp;E-Quelle</source>
        <extracomment>34050</extracomment>
        <translation>LIN&amp;E source</translation>
    </message>
    <message>
        <source>AU&amp;X-Quelle</source>
        <extracomment>34051</extracomment>
        <translation>AU&amp;X source</translation>
    </message>
    <message>
        <source> hinzufügen</source>
        <extracomment>34052</extracomment>
        <translation> add</translation>
    </message>
    <message>
        <source>Audio Eingänge</source>
        <extracomment>34139</extracomment>
        <translation>Audio Inputs</translation>
    </message>
    <message>
        <source>Mixer</source>
        <extracomment>34360</extracomment>
        <translation>Mixer</translation>
    </message>
    <message>
        <source>Wollen Sie die Änderungen übernehmen ?</source>
        <extracomment>32791</extracomment>
        <translation>Do you want to apply the changes ?</translation>
    </message>
    <message>
        <source>Kanal</source>
        <extracomment>34371</extracomment>
        <translation>Channel</translation>
    </message>
    <message>
        <source>ein</source>
        <extracomment>34562</extracomment>
        <translation>on</translation>
    </message>
    <message>
        <source>aus</source>
        <extracomment>34563</extracomment>
        <translation>off</translation>
    </message>
    <message>
        <source>Es können keine weitere Linien erzeugt werden.
Die Maximalanzahl wurde erreicht!</source>
        <extracomment>32773</extracomment>
        <translation>No more lines can be created.
The maximum number has been reached!</translation>
    </message>
    <message>
        <source>Topologie</source>
        <extracomment>32789</extracomment>
        <translation>Topology</translation>
    </message>
    <message>
        <source>Einstellungen übertragen</source>
        <extracomment>106</extracomment>
        <translation>Transfer settings</translation>
    </message>
    <message>
        <source>Textfile senden</source>
        <extracomment>115</extracomment>
        <translation>Send text file</translation>
    </message>
    <message>
        <source>&apos;Netscan&apos;  durchführen</source>
        <extracomment>117</extracomment>
        <translation>Run &apos;Network scan&apos;</translation>
    </message>
    <message>
        <source>Netscan</source>
        <extracomment>34137</extracomment>
        <translation>Netscan</translation>
    </message>
    <message>
        <source>Verbinden</source>
        <extracomment>34362</extracomment>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Voreinstellungen</source>
        <extracomment>32800</extracomment>
        <translation>Preferences</translation>
    </message>
    <message>
        <source>Message Recorder hinzufügen</source>
        <extracomment>33064</extracomment>
        <translation>Add message recorder</translation>
    </message>
    <message>
        <source>&lt;Netzbetrieb&gt;</source>
        <extracomment>34569</extracomment>
        <translation>&lt;Mains power&gt;</translation>
    </message>
    <message>
        <source>&lt;Batteriebetr.&gt;</source>
        <extracomment>34570</extracomment>
        <translation>&lt;Battery power&gt;</translation>
    </message>
    <message>
        <source>&lt;Anlage Standby&gt;</source>
        <extracomment>34571</extracomment>
        <translation>&lt;System standby&gt;</translation>
    </message>
    <message>
        <source>Funktion</source>
        <extracomment>34234</extracomment>
        <translation>Function</translation>
    </message>
    <message>
        <source>Auswahl</source>
        <extracomment>34330
----------
34086</extracomment>
        <translation>Selection</translation>
    </message>
    <message>
        <source>Pegel</source>
        <extracomment>34243</extracomment>
        <translation>Level</translation>
    </message>
    <message>
        <source>Object %s,%d nicht vorhanden !</source>
        <extracomment>34209</extracomment>
        <translation>Object %s,%d does not exist !</translation>
    </message>
    <message>
        <source>Pilottongenerator aktiv</source>
        <extracomment>34568</extracomment>
        <translation>Pilot tone generator active</translation>
    </message>
    <message>
        <source>Bereichsprüfung</source>
        <extracomment>34358</extracomment>
        <translation>Range check</translation>
    </message>
    <message>
        <source>Aktiv Bedingung</source>
        <extracomment>34456</extracomment>
        <translation>Active condition</translation>
    </message>
    <message>
        <source>Verknüpfung</source>
        <extracomment>34359
----------
34455</extracomment>
        <translation>Combination</translation>
    </message>
    <message>
        <source>FAULTINP</source>
        <extracomment>34297</extracomment>
        <translation>FAULTINP</translation>
    </message>
    <message>
        <source>Sprechen von Sprechstelle</source>
        <extracomment>34326</extracomment>
        <translation>Speaking from console</translation>
    </message>
    <message>
        <source>Sprechen mit Taste</source>
        <extracomment>34327</extracomment>
        <translation>Speaking with key</translation>
    </message>
    <message>
        <source>Sprechstelle angeschlossen</source>
        <extracomment>34517</extracomment>
        <translation>Console connected</translation>
    </message>
    <message>
        <source>KVT Fehler</source>
        <extracomment>34356</extracomment>
        <translation>KVT fault</translation>
    </message>
    <message>
        <source>Verstärkerfehler</source>
        <extracomment>34480</extracomment>
        <translation>Amplifier fault</translation>
    </message>
    <message>
        <source>LMZ752 Fehler</source>
        <extracomment>34355</extracomment>
        <translation>LMZ752 fault</translation>
    </message>
    <message>
        <source>Havarie Fehler</source>
        <extracomment>34357</extracomment>
        <translation>Emergency fault</translation>
    </message>
    <message>
        <source>Sprechstellenfehler</source>
        <extracomment>34354</extracomment>
        <translation>Console fault</translation>
    </message>
    <message>
        <source>Sprechen über  Audioeingang</source>
        <extracomment>34328</extracomment>
        <translation>Speaking via  audio input</translation>
    </message>
    <message>
        <source>Anlage ein</source>
        <extracomment>34540</extracomment>
        <translation>System on</translation>
    </message>
    <message>
        <source>Anlage aus</source>
        <extracomment>34539</extracomment>
        <translation>System off</translation>
    </message>
    <message>
        <source>Anlage fährt hoch</source>
        <extracomment>34541</extracomment>
        <translation>System starting up</translation>
    </message>
    <message>
        <source>Anlage fährt runter</source>
        <extracomment>34542</extracomment>
        <translation>System shutting down</translation>
    </message>
    <message>
        <source>Wiedergabe aktiv</source>
        <extracomment>34543</extracomment>
        <translation>Playback active</translation>
    </message>
    <message>
        <source>Aufnahme aktiv</source>
        <extracomment>34544</extracomment>
        <translation>Recording active</translation>
    </message>
    <message>
        <source>Löschen aktiv</source>
        <extracomment>34545</extracomment>
        <translation>Erasing active</translation>
    </message>
    <message>
        <source>Rekorder gestoppt</source>
        <extracomment>34546</extracomment>
        <translation>Recorder stopped</translation>
    </message>
    <message>
        <source>Mute</source>
        <extracomment>34547</extracomment>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Linienfehler</source>
        <extracomment>34578
----------
34608</extracomment>
        <translation>Line fault</translation>
    </message>
    <message>
        <source>Remote-Verstärker</source>
        <extracomment>34504</extracomment>
        <translation>Remote amplifier</translation>
    </message>
    <message>
        <source>Ausgänge</source>
        <extracomment>34581</extracomment>
        <translation>Outputs</translation>
    </message>
    <message>
        <source>Verstärkerkanäle</source>
        <extracomment>34488</extracomment>
        <translation>Amplifier channels</translation>
    </message>
    <message>
        <source>beliebiger Alarm</source>
        <extracomment>34331</extracomment>
        <translation>any alarm</translation>
    </message>
    <message>
        <source>beliebiger Gong</source>
        <extracomment>34332</extracomment>
        <translation>any chime</translation>
    </message>
    <message>
        <source>beliebiger Text</source>
        <extracomment>34333</extracomment>
        <translation>any text</translation>
    </message>
    <message>
        <source>beliebiger Audioeingang</source>
        <extracomment>34334</extracomment>
        <translation>any audio input</translation>
    </message>
    <message>
        <source>Durchsage über Makro</source>
        <extracomment>34335</extracomment>
        <translation>Announcement by macro</translation>
    </message>
    <message>
        <source>Taste</source>
        <extracomment>34329</extracomment>
        <translation>Key</translation>
    </message>
    <message>
        <source>bel. Sprechstelle</source>
        <extracomment>34511</extracomment>
        <translation>any console</translation>
    </message>
    <message>
        <source>bel. LMZ752</source>
        <extracomment>34512</extracomment>
        <translation>any LMZ752</translation>
    </message>
    <message>
        <source>bel. Verstärker</source>
        <extracomment>34513</extracomment>
        <translation>any amplifier</translation>
    </message>
    <message>
        <source>bel. KVT Slot</source>
        <extracomment>34514</extracomment>
        <translation>any KVT slot</translation>
    </message>
    <message>
        <source>bel. Havarieverstärker</source>
        <extracomment>34515</extracomment>
        <translation>any emergency amplifier</translation>
    </message>
    <message>
        <source>angeschlossen</source>
        <extracomment>34516</extracomment>
        <translation>connected</translation>
    </message>
    <message>
        <source>Fehler</source>
        <extracomment>34565</extracomment>
        <translation>Fault</translation>
    </message>
    <message>
        <source>Interfaceslot</source>
        <extracomment>33158</extracomment>
        <translation>Interface slot</translation>
    </message>
    <message>
        <source>Slot 1</source>
        <extracomment>33016</extracomment>
        <translation>Slot 1</translation>
    </message>
    <message>
        <source>Slot 2</source>
        <extracomment>33017</extracomment>
        <translation>Slot 2</translation>
    </message>
    <message>
        <source>Digitalslot</source>
        <extracomment>33147</extracomment>
        <translation>Digital slot</translation>
    </message>
    <message>
        <source> </source>
        <extracomment>34242</extracomment>
        <translation> </translation>
    </message>
    <message>
        <source>Programm</source>
        <extracomment>34250</extracomment>
        <translation>Programme</translation>
    </message>
    <message>
        <source>Durchsage</source>
        <extracomment>34251</extracomment>
        <translation>Announcement</translation>
    </message>
    <message>
        <source>Logikausgang</source>
        <extracomment>34254</extracomment>
        <translation>Logic output</translation>
    </message>
    <message>
        <source>Lautstärkeregelung</source>
        <extracomment>34255</extracomment>
        <translation>Volume Control</translation>
    </message>
    <message>
        <source>Textausgabe auf LCD</source>
        <extracomment>34257</extracomment>
        <translation>Text output on LCD</translation>
    </message>
    <message>
        <source>Sequenz</source>
        <extracomment>34258</extracomment>
        <translation>Sequence</translation>
    </message>
    <message>
        <source>Textaufnahme</source>
        <extracomment>34533</extracomment>
        <translation>Text recording</translation>
    </message>
    <message>
        <source>Text löschen</source>
        <extracomment>34534</extracomment>
        <translation>Delete text</translation>
    </message>
    <message>
        <source>Wiederholung</source>
        <extracomment>34535</extracomment>
        <translation>Repetition</translation>
    </message>
    <message>
        <source>Summer</source>
        <extracomment>34621</extracomment>
        <translation>Buzzer</translation>
    </message>
    <message>
        <source>Kein Typ</source>
        <extracomment>34461</extracomment>
        <translation>No type</translation>
    </message>
    <message>
        <source>Gongsignal %d im Arbeitsblatt nicht vorhanden !</source>
        <extracomment>34215</extracomment>
        <translation>Chime signal %d does not exist in the worksheet !</translation>
    </message>
    <message>
        <source>Signal %d im Arbeitsblatt nicht vorhanden !</source>
        <extracomment>34216</extracomment>
        <translation>Signal %d does not exist in the worksheet !</translation>
    </message>
    <message>
        <source>Makro %s: Logikausgang nicht vorhanden !</source>
        <extracomment>34217</extracomment>
        <translation>Macro %s: logic output does not exist !</translation>
    </message>
    <message>
        <source>Sprechstelle %d im Arbeitsblatt nicht vorhanden !</source>
        <extracomment>34218</extracomment>
        <translation>Console %d does not exist in the worksheet !</translation>
    </message>
    <message>
        <source>Audio Ausgänge</source>
        <extracomment>34140</extracomment>
        <translation>Audio outputs</translation>
    </message>
    <message>
        <source>Fehlertexte</source>
        <extracomment>32954</extracomment>
        <translation>Fault texts</translation>
    </message>
    <message>
        <source>Bedingungsart</source>
        <extracomment>34325</extracomment>
        <translation>Condition type</translation>
    </message>
    <message>
        <source>Überwachter Kanal oder READYINPUT</source>
        <extracomment>34383</extracomment>
        <translation>Monitored channel or READYINPUT</translation>
    </message>
    <message>
        <source>LMZ763 Relais</source>
        <extracomment>34384</extracomment>
        <translation>LMZ763 relays</translation>
    </message>
    <message>
        <source>LMZ764 Relais</source>
        <extracomment>34385</extracomment>
        <translation>LMZ764 relays</translation>
    </message>
    <message>
        <source>Eigenschaften von Aktiv Bedingungen</source>
        <extracomment>34449</extracomment>
        <translation>Properties of Active Conditions</translation>
    </message>
    <message>
        <source>Makrotyp</source>
        <extracomment>34462</extracomment>
        <translation>Macro type</translation>
    </message>
    <message>
        <source>LAN Gruppe</source>
        <extracomment>34575</extracomment>
        <translation>LAN group</translation>
    </message>
    <message>
        <source>Makro Mehrfachauswahl</source>
        <extracomment>34591</extracomment>
        <translation>Macro multiple choice</translation>
    </message>
    <message>
        <source>READYINPUT Mehrfachauswahl</source>
        <extracomment>34592</extracomment>
        <translation>READYINPUT multiple choice</translation>
    </message>
    <message>
        <source>Ign.</source>
        <extracomment>34600</extracomment>
        <translation>Ign.</translation>
    </message>
    <message>
        <source>Mehrfach Virtuelle Konroller Auswahl</source>
        <extracomment>34627</extracomment>
        <translation>Multiple virtual controller choice</translation>
    </message>
    <message>
        <source>OUT1</source>
        <extracomment>33039</extracomment>
        <translation>OUT1</translation>
    </message>
    <message>
        <source>OUT2</source>
        <extracomment>33040</extracomment>
        <translation>OUT2</translation>
    </message>
    <message>
        <source>OUT3</source>
        <extracomment>33041</extracomment>
        <translation>OUT3</translation>
    </message>
    <message>
        <source>OUT4</source>
        <extracomment>33042</extracomment>
        <translation>OUT4</translation>
    </message>
    <message>
        <source>Zeit</source>
        <extracomment>34232</extracomment>
        <translation>Time</translation>
    </message>
    <message>
        <source>Datum</source>
        <extracomment>34233</extracomment>
        <translation>Date</translation>
    </message>
    <message>
        <source>OFF</source>
        <extracomment>34235</extracomment>
        <translation>OFF</translation>
    </message>
    <message>
        <source>einmalig</source>
        <extracomment>34236</extracomment>
        <translation>once</translation>
    </message>
    <message>
        <source>monatlich</source>
        <extracomment>34237</extracomment>
        <translation>monthly</translation>
    </message>
    <message>
        <source>wöchentlich</source>
        <extracomment>34238</extracomment>
        <translation>weekly</translation>
    </message>
    <message>
        <source>täglich</source>
        <extracomment>34239</extracomment>
        <translation>daily</translation>
    </message>
    <message>
        <source>stündlich</source>
        <extracomment>34240</extracomment>
        <translation>hourly</translation>
    </message>
    <message>
        <source>minütlich</source>
        <extracomment>34241</extracomment>
        <translation>every minute</translation>
    </message>
    <message>
        <source>jährlich</source>
        <extracomment>34249</extracomment>
        <translation>annually</translation>
    </message>
    <message>
        <source>Zeitraum</source>
        <extracomment>34298</extracomment>
        <translation>Period</translation>
    </message>
    <message>
        <source>bis</source>
        <extracomment>34299</extracomment>
        <translation>until</translation>
    </message>
    <message>
        <source>Kein gültiger Zeitraum!</source>
        <extracomment>34300</extracomment>
        <translation>No valid period!</translation>
    </message>
    <message>
        <source>Tag</source>
        <extracomment>36109</extracomment>
        <translation>Day</translation>
    </message>
    <message>
        <source>Einträge</source>
        <extracomment>36110</extracomment>
        <translation>Entries</translation>
    </message>
    <message>
        <source>Die Uhrzeit des Computers konnte nicht gestellt werden.
( %s )</source>
        <extracomment>36111</extracomment>
        <translation>The computer&apos;s clock could not be set.
( %s )</translation>
    </message>
    <message>
        <source>%d Makros haben eine Nummer über %d: das Gerät nimmt sie nicht an,
sie werden nicht übertragen !</source>
        <extracomment>36200</extracomment>
        <translation>%d macros are numbered above %d: the device does not take them,
they are not transferred!</translation>
    </message>
    <message>
        <source>Neues Ereignis
Neues Ereignis</source>
        <extracomment>33126</extracomment>
        <translation>New event
New event</translation>
    </message>
    <message>
        <source>Ereignis löschen
Ereignis löschen</source>
        <extracomment>33127</extracomment>
        <translation>Delete event
Delete event</translation>
    </message>
    <message>
        <source>Ereignisse uploaden
Ereignisse uploaden</source>
        <extracomment>33128</extracomment>
        <translation>Upload events
Upload events</translation>
    </message>
    <message>
        <source>Ereignisse downloaden
Ereignisse downloaden</source>
        <extracomment>33154</extracomment>
        <translation>Download events
Download events</translation>
    </message>
    <message>
        <source>Neues Feiertagsprogram
Neues Feiertagsprogram</source>
        <extracomment>33138</extracomment>
        <translation>New holiday programme
New holiday programme</translation>
    </message>
    <message>
        <source>Feiertagsprogramm löschen
Feiertagsprogramm löschen</source>
        <extracomment>33139</extracomment>
        <translation>Delete holiday programme
Delete holiday programme</translation>
    </message>
    <message>
        <source>Feiertagsprogramme uploaden
Feiertagsprogramme uploaden</source>
        <extracomment>33140</extracomment>
        <translation>Upload holiday programmes
Upload holiday programmes</translation>
    </message>
    <message>
        <source>Feiertagsprogramme downloaden
Feiertagsprogramme downloaden</source>
        <extracomment>33115</extracomment>
        <translation>Download holiday programmes
Download holiday programmes</translation>
    </message>
    <message>
        <source>Neues Tagesprogramm
Neues Tagesprogramm</source>
        <extracomment>33135</extracomment>
        <translation>New day programme
New day programme</translation>
    </message>
    <message>
        <source>Tagesprogramm löschen
Tagesprogramm löschen</source>
        <extracomment>33136</extracomment>
        <translation>Delete day programme
Delete day programme</translation>
    </message>
    <message>
        <source>Neuer Tagesprogrammeintrag
Neuer Tagesprogrammeintrag</source>
        <extracomment>33117</extracomment>
        <translation>New day programme entry
New day programme entry</translation>
    </message>
    <message>
        <source>Tagesprogrammeintrag löschen
Tagesprogrammeintrag löschen</source>
        <extracomment>33118</extracomment>
        <translation>Delete day programme entry
Delete day programme entry</translation>
    </message>
    <message>
        <source>Tagesprogramme downloaden
Tagesprogramme downloaden</source>
        <extracomment>33116</extracomment>
        <translation>Download day programmes
Download day programmes</translation>
    </message>
    <message>
        <source>Tagesprogramm uploaden
Tagesprogramm uploaden</source>
        <extracomment>33137</extracomment>
        <translation>Upload day programme
Upload day programme</translation>
    </message>
    <message>
        <source>Wochenprogramme uploaden
Wochenprogramme uploaden</source>
        <extracomment>33151</extracomment>
        <translation>Upload week programmes
Upload week programmes</translation>
    </message>
    <message>
        <source>Wochenprogramme downloaden
Wochenprogramme downloaden</source>
        <extracomment>33152</extracomment>
        <translation>Download week programmes
Download week programmes</translation>
    </message>
    <message>
        <source>Download</source>
        <extracomment>33179</extracomment>
        <translation>Download</translation>
    </message>
    <message>
        <source>Upload</source>
        <extracomment>33180</extracomment>
        <translation>Upload</translation>
    </message>
    <message>
        <source>In dieser Geräteversion nicht möglich!</source>
        <extracomment>CFeatureFrm::kNotInThisVersion</extracomment>
        <translation>Not possible in this device version!</translation>
    </message>
    <message>
        <source>Die Übertragung &apos;%s&apos; ist nicht vollständig (Schritt %d von %d): das Gerät hat %d Sekunden lang weder gelesen noch geantwortet.</source>
        <extracomment>CFeatureFrm::kTransferStalled</extracomment>
        <translation>The transfer &apos;%s&apos; is incomplete (step %d of %d): the device has neither read nor answered for %d seconds.</translation>
    </message>
    <message>
        <source>Die Übertragung &apos;%s&apos; ist nicht vollständig (Schritt %d von %d): die Verbindung zum Gerät wurde getrennt.</source>
        <extracomment>CFeatureFrm::kTransferLineLost</extracomment>
        <translation>The transfer &apos;%s&apos; is incomplete (step %d of %d): the connection to the device was lost.</translation>
    </message>
    <message>
        <source>Die Übertragung &apos;%s&apos; ist nicht vollständig (Schritt %d von %d): sie wurde abgebrochen.</source>
        <extracomment>CFeatureFrm::kTransferCancelled</extracomment>
        <translation>The transfer &apos;%s&apos; is incomplete (step %d of %d): it was cancelled.</translation>
    </message>
    <message>
        <source>Die Übertragung &apos;%s&apos; ist nicht vollständig (Schritt %d von %d): das Gerät hat &apos;%s&apos; nicht verstanden.</source>
        <extracomment>CFeatureFrm::kTransferRefused</extracomment>
        <translation>The transfer &apos;%s&apos; is incomplete (step %d of %d): the device did not understand &apos;%s&apos;.</translation>
    </message>
    <message>
        <source>Die Übertragung &apos;%s&apos; ist nicht vollständig (Schritt %d von %d): die Antwort &apos;%s&apos; des Geräts ist nicht lesbar.</source>
        <extracomment>CFeatureFrm::kTransferUnreadable</extracomment>
        <translation>The transfer &apos;%s&apos; is incomplete (step %d of %d): the device&apos;s answer &apos;%s&apos; cannot be read.</translation>
    </message>
    <message>
        <source>Die Übertragung &apos;%s&apos; ist nicht vollständig (Schritt %d von %d): keine Antwort vom Gerät.</source>
        <extracomment>CFeatureFrm::kTransferNoAnswer</extracomment>
        <translation>The transfer &apos;%s&apos; is incomplete (step %d of %d): no answer from the device.</translation>
    </message>
    <message>
        <source>Die Übertragung &apos;%s&apos; ist nicht vollständig (Schritt %d von %d): das Gerät hat die gesendeten Zeilen nicht mehr gelesen (kein Echo).</source>
        <extracomment>CFeatureFrm::kTransferNoEcho</extracomment>
        <translation>The transfer &apos;%s&apos; is incomplete (step %d of %d): the device stopped reading the lines sent (no echo).</translation>
    </message>
    <message>
        <source>Die übrigen Einträge wurden nicht übertragen.</source>
        <extracomment>CFeatureFrm::kTransferRestNotSent</extracomment>
        <translation>The remaining entries were not transferred.</translation>
    </message>
    <message>
        <source>Der Rest des Eintrags wurde nicht gesendet.</source>
        <extracomment>CFeatureFrm::kTransferEntryRestNotSent</extracomment>
        <translation>The rest of the entry was not sent.</translation>
    </message>
    <message>
        <source>Alle Zeilen wurden gesendet; die nach diesem Schritt hat das Gerät nicht gelesen.</source>
        <extracomment>CFeatureFrm::kTransferSentUnread</extracomment>
        <translation>Every line was sent; the device did not read those after this step.</translation>
    </message>
    <message>
        <source>Alle Abfragen wurden gesendet; die nach diesem Schritt hat das Gerät nicht beantwortet.</source>
        <extracomment>CFeatureFrm::kTransferSentUnanswered</extracomment>
        <translation>Every query was sent; the device did not answer those after this step.</translation>
    </message>
    <message>
        <source>Das Gerät hat &apos;%s&apos; nicht angenommen. Das Fenster zeigt wieder, was das Gerät hält.</source>
        <extracomment>CRefusalWatch::kSettingRefused</extracomment>
        <translation>The device did not accept &apos;%s&apos;. The window shows again what the device holds.</translation>
    </message>
    <message>
        <source>Die Übertragung &apos;%s&apos; ist beendet, doch das Gerät hat %d Zeile(n) nicht verstanden, zuerst &apos;%s&apos;. Diese Werte bleiben, wie das Projekt sie hält.</source>
        <extracomment>CFeatureFrm::kTransferRefusedSomeUpload</extracomment>
        <translation>The transfer &apos;%s&apos; has ended, but the device did not understand %d line(s), first &apos;%s&apos;. These values stay as the project holds them.</translation>
    </message>
    <message>
        <source>Die Übertragung &apos;%s&apos; ist beendet, doch das Gerät hat %d Zeile(n) nicht verstanden, zuerst &apos;%s&apos;. Diese Werte hat das Gerät nicht übernommen.</source>
        <extracomment>CFeatureFrm::kTransferRefusedSomeDownload</extracomment>
        <translation>The transfer &apos;%s&apos; has ended, but the device did not understand %d line(s), first &apos;%s&apos;. These values were not taken by the device.</translation>
    </message>
    <message>
        <source>Monitoreintrag uploaden
Monitoreintrag uploaden</source>
        <extracomment>32944</extracomment>
        <translation>Upload monitor entries
Upload monitor entries</translation>
    </message>
    <message>
        <source>Monitoreintrag downloaden
Monitoreintrag downloaden</source>
        <extracomment>32945</extracomment>
        <translation>Download monitor entries
Download monitor entries</translation>
    </message>
    <message>
        <source>Onlinedaten laden
Onlinedaten laden</source>
        <extracomment>32986</extracomment>
        <translation>Load online data
Load online data</translation>
    </message>
    <message>
        <source>Neuen Monitoreintrag erzeugen
Neuen Monitoreintrag erzeugen</source>
        <extracomment>33145</extracomment>
        <translation>Create new monitor entry
Create new monitor entry</translation>
    </message>
    <message>
        <source>Monitoreintrag löschen
Monitoreintrag löschen</source>
        <extracomment>33146</extracomment>
        <translation>Delete monitor entry
Delete monitor entry</translation>
    </message>
    <message>
        <source>Monitorrelais löschen
Monitorrelais löschen</source>
        <extracomment>34478</extracomment>
        <translation>Delete monitor relay
Delete monitor relay</translation>
    </message>
    <message>
        <source>Neues Monitorrelais erzeugen
Neues Monitorrelais erzeugen</source>
        <extracomment>34479</extracomment>
        <translation>Create new monitor relay
Create new monitor relay</translation>
    </message>
    <message>
        <source>Liste exportieren
Liste exportieren</source>
        <extracomment>34624</extracomment>
        <translation>Export list
Export list</translation>
    </message>
    <message>
        <source>Liste drucken
Liste drucken</source>
        <extracomment>34625</extracomment>
        <translation>Print list
Print list</translation>
    </message>
    <message>
        <source>Pilottondaten uploaden
Pilottondaten uploaden</source>
        <extracomment>33170</extracomment>
        <translation>Upload pilot tone data
Upload pilot tone data</translation>
    </message>
    <message>
        <source>Powermanagementdaten downloaden
Powermanagementdaten downloaden</source>
        <extracomment>33171</extracomment>
        <translation>Download power management data
Download power management data</translation>
    </message>
    <message>
        <source>Powermanagementdaten uploaden
Powermanagementdaten uploaden</source>
        <extracomment>33172</extracomment>
        <translation>Upload power management data
Upload power management data</translation>
    </message>
    <message>
        <source>Pilottondaten downloaden
Pilottondaten downloaden</source>
        <extracomment>33175</extracomment>
        <translation>Download pilot tone data
Download pilot tone data</translation>
    </message>
    <message>
        <source>Erzeugen Sie bitte ihre externen Audiosignale im Dialog &quot;QTB8174 Eigenschaften&quot;  !</source>
        <extracomment>34274</extracomment>
        <translation>Please create your external audio signals in the dialog &quot;QTB8174 Properties&quot;  !</translation>
    </message>
    <message>
        <source>Hier erfolgt später das Ändern der Signalparameter für Signal : &apos; %s &apos; !</source>
        <extracomment>34154</extracomment>
        <translation>The signal parameters of signal &apos; %s &apos; will be changed here later !</translation>
    </message>
    <message>
        <source>WRN2271</source>
        <extracomment>34000</extracomment>
        <translation>WRN2271</translation>
    </message>
    <message>
        <source>WRN2272</source>
        <extracomment>34001</extracomment>
        <translation>WRN2272</translation>
    </message>
    <message>
        <source>WRN2314</source>
        <extracomment>34002</extracomment>
        <translation>WRN2314</translation>
    </message>
    <message>
        <source>WRN2315</source>
        <extracomment>34003</extracomment>
        <translation>WRN2315</translation>
    </message>
    <message>
        <source>WRN2318</source>
        <extracomment>34004</extracomment>
        <translation>WRN2318</translation>
    </message>
    <message>
        <source>WRN2271X</source>
        <extracomment>34005</extracomment>
        <translation>WRN2271X</translation>
    </message>
    <message>
        <source>WRN2272X</source>
        <extracomment>34006</extracomment>
        <translation>WRN2272X</translation>
    </message>
    <message>
        <source>WRN2314X</source>
        <extracomment>34007</extracomment>
        <translation>WRN2314X</translation>
    </message>
    <message>
        <source>WRN2315X</source>
        <extracomment>34008</extracomment>
        <translation>WRN2315X</translation>
    </message>
    <message>
        <source>WRN2318X</source>
        <extracomment>34009</extracomment>
        <translation>WRN2318X</translation>
    </message>
    <message>
        <source>WRN2316</source>
        <extracomment>34318</extracomment>
        <translation>WRN2316</translation>
    </message>
    <message>
        <source>WRN2316X</source>
        <extracomment>34319</extracomment>
        <translation>WRN2316X</translation>
    </message>
    <message>
        <source>WRN2283</source>
        <extracomment>34566</extracomment>
        <translation>WRN2283</translation>
    </message>
    <message>
        <source>Löschen@</source>
        <extracomment>34064</extracomment>
        <translation>Clear@</translation>
    </message>
    <message>
        <source>Alle@</source>
        <extracomment>34065</extracomment>
        <translation>All@</translation>
    </message>
    <message>
        <source>On@28</source>
        <extracomment>34066</extracomment>
        <translation>On@28</translation>
    </message>
    <message>
        <source>Gong@0,4,80</source>
        <extracomment>34067</extracomment>
        <translation>Chime@0,4,80</translation>
    </message>
    <message>
        <source>Stop@2</source>
        <extracomment>34068</extracomment>
        <translation>Stop@2</translation>
    </message>
    <message>
        <source>Text@0,1,20</source>
        <extracomment>34069</extracomment>
        <translation>Text@0,1,20</translation>
    </message>
    <message>
        <source>Programm@</source>
        <extracomment>34070</extracomment>
        <translation>Programme@</translation>
    </message>
    <message>
        <source>Sprechen@-1,0,50</source>
        <extracomment>34071</extracomment>
        <translation>Talk@-1,0,50</translation>
    </message>
    <message>
        <source>Alarm@0,1,90,UNPROT</source>
        <extracomment>34072</extracomment>
        <translation>Alarm@0,1,90,UNPROT</translation>
    </message>
    <message>
        <source>Zusatztaste 2@</source>
        <extracomment>34073</extracomment>
        <translation>Extra key 2@</translation>
    </message>
    <message>
        <source>Zusatztaste 1@</source>
        <extracomment>34074</extracomment>
        <translation>Extra key 1@</translation>
    </message>
    <message>
        <source>PTT@-1,0,50</source>
        <extracomment>34075</extracomment>
        <translation>PTT@-1,0,50</translation>
    </message>
    <message>
        <source>Aux@</source>
        <extracomment>34076</extracomment>
        <translation>Aux@</translation>
    </message>
    <message>
        <source>Gesperrt</source>
        <extracomment>34087</extracomment>
        <translation>Disabled</translation>
    </message>
    <message>
        <source>Sprechstellen Eigenschaften</source>
        <extracomment>34059</extracomment>
        <translation>Console Properties</translation>
    </message>
    <message>
        <source>WRN-Sprechstellen</source>
        <extracomment>34061</extracomment>
        <translation>WRN consoles</translation>
    </message>
    <message>
        <source>Tastenansicht</source>
        <extracomment>34113</extracomment>
        <translation>Key view</translation>
    </message>
    <message>
        <source>Aktuelle Auswahl</source>
        <extracomment>34127</extracomment>
        <translation>Current selection</translation>
    </message>
    <message>
        <source>Tasteneigenschaften für Taste &apos;</source>
        <extracomment>34153</extracomment>
        <translation>Key properties of key &apos;</translation>
    </message>
    <message>
        <source>Versionsabfrage nicht möglich,da QUILLOMER nicht antwortet !</source>
        <extracomment>34160</extracomment>
        <translation>Version query not possible, QUILLOMER does not answer !</translation>
    </message>
    <message>
        <source>Die Sprechstelle &apos;%s&apos; ist nicht angeschlossen !
Es können deshalb keine Daten übertragen werden.
</source>
        <extracomment>34173</extracomment>
        <translation>The console &apos;%s&apos; is not connected !
No data can be transferred to it.
</translation>
    </message>
    <message>
        <source>Die Gruppe %d gibt es im Arbeitsblatt nicht !
</source>
        <extracomment>34174</extracomment>
        <translation>The group %d does not exist in the worksheet !
</translation>
    </message>
    <message>
        <source>Warnung: Audiosignal für Taste %d ist nicht vorhanden !
</source>
        <extracomment>34175</extracomment>
        <translation>Warning: audio signal of key %d does not exist !
</translation>
    </message>
    <message>
        <source>Warnung: Linie oder Gruppe ist nicht vorhanden !</source>
        <extracomment>34176</extracomment>
        <translation>Warning: line or group does not exist !</translation>
    </message>
    <message>
        <source>Warnung: 2.Makro nicht vorhanden !
</source>
        <extracomment>34177</extracomment>
        <translation>Warning: 2nd macro does not exist !
</translation>
    </message>
    <message>
        <source>Warnung:.Makro nicht vorhanden !
</source>
        <extracomment>34178</extracomment>
        <translation>Warning: macro does not exist !
</translation>
    </message>
    <message>
        <source>Warnung: Wollen Sie die geänderten Eigenschaften wirklich verwerfen ?
</source>
        <extracomment>34179</extracomment>
        <translation>Warning: do you really want to discard the changed properties ?
</translation>
    </message>
    <message>
        <source>Userlevel-Abfrage nicht möglich,da QUILLOMER nicht antwortet !</source>
        <extracomment>34181</extracomment>
        <translation>User level query not possible, QUILLOMER does not answer !</translation>
    </message>
    <message>
        <source>Versionsabfrage nicht möglich, da QUILLOMER die Abfrage abgelehnt hat !</source>
        <extracomment>IDS_CONS_VERSION_REFUSED</extracomment>
        <translation>Version query not possible, QUILLOMER refused the query !</translation>
    </message>
    <message>
        <source>Userlevel-Abfrage nicht möglich, da QUILLOMER die Abfrage abgelehnt hat !</source>
        <extracomment>IDS_CONS_USERLEVEL_REFUSED</extracomment>
        <translation>User level query not possible, QUILLOMER refused the query !</translation>
    </message>
    <message>
        <source>Wollen Sie die geänderte Tastenprogrammierung übernehmen ?
</source>
        <extracomment>34182</extracomment>
        <translation>Do you want to apply the changed key programming ?
</translation>
    </message>
    <message>
        <source>Warnung: Wollen Sie wirklich die Tastenzuordnung
dieser Sprechstelle vollständig löschen ?
</source>
        <extracomment>34183</extracomment>
        <translation>Warning: do you really want to clear the key assignment
of this console completely ?
</translation>
    </message>
    <message>
        <source>Es sind keine Sprechstellen zum Kopieren vorhanden !
</source>
        <extracomment>34185</extracomment>
        <translation>There are no consoles to copy to !
</translation>
    </message>
    <message>
        <source>Die Sprechstelle
</source>
        <extracomment>34187</extracomment>
        <translation>The console
</translation>
    </message>
    <message>
        <source> hat die SW-Version V</source>
        <extracomment>34188</extracomment>
        <translation> has the SW version V</translation>
    </message>
    <message>
        <source>Falsche Schemanummer: Sprechstellendatenformat teilweise incorrect !
</source>
        <extracomment>34189</extracomment>
        <translation>Wrong schema number: console data format partly incorrect !
</translation>
    </message>
    <message>
        <source>Sie laden ein File (Version &lt; V0.955) , das eine Sprechstelle mit Erweiterung enthält (Typename + X). Diese Typen wurden jedoch in der Tastenansicht ohne WRN2296 angezeigt und wie Sprechstellen ohne Erweiterung behandelt !<byte value="xd"/>

Wenn Sie die Tastenprogrammierung dieser Sprechstellen übernehmen wollen, dann müssen Sie für die Sprechstelle &apos;%s&apos; zunächst eine neue Sprechstelle erzeugen und anschliessend die Tastenbelegung der &apos;%s&apos; auf die neue Sprechstelle kopieren !<byte value="xd"/>

 Danach können Sie die &apos;%s&apos; löschen !
</source>
        <extracomment>34190</extracomment>
        <translation>You are loading a file (version &lt; V0.955) that holds a console with extension (type name + X). These types were shown in the key view without WRN2296 and treated like consoles without extension !<byte value="xd"/>

If you want to keep the key programming of these consoles, first create a new console for the console &apos;%s&apos; and then copy the key assignment of &apos;%s&apos; to the new console !<byte value="xd"/>

 Then you can delete &apos;%s&apos; !
</translation>
    </message>
    <message>
        <source>Warnung: Sie haben bei dieser Sprechstelle Eigenschaften verändert !
Beim Umschalten auf eine andere Sprechstelle gehen diese verloren.

Wollen Sie die Änderungen sichern ?
</source>
        <extracomment>34191</extracomment>
        <translation>Warning: you have changed properties of this console !
They are lost when you switch to another console.

Do you want to save the changes ?
</translation>
    </message>
    <message>
        <source>Warnung : AUX Taste bei Sprechstelle &apos;%s&apos; mit Erweiterung gefunden.<byte value="xd"/>
Am EXT-Anschluß kann nur 1 Gerät angeschlossen werden !</source>
        <extracomment>34287</extracomment>
        <translation>Warning : AUX key found on console &apos;%s&apos; with extension.<byte value="xd"/>
Only 1 device can be connected to the EXT connector !</translation>
    </message>
    <message>
        <source>Warnung : PTT Taste bei Sprechstelle &apos;%s&apos; mit Erweiterung gefunden.<byte value="xd"/>
Am EXT-Anschluß kann nur 1 Gerät angeschlossen werden !</source>
        <extracomment>34288</extracomment>
        <translation>Warning : PTT key found on console &apos;%s&apos; with extension.<byte value="xd"/>
Only 1 device can be connected to the EXT connector !</translation>
    </message>
    <message>
        <source>Der EXT-Anschluß wird schon von WRN2296 verwendet !</source>
        <extracomment>34289</extracomment>
        <translation>The EXT connector is already used by WRN2296 !</translation>
    </message>
    <message>
        <source>Der EXT-Anschluß wird schon von einer PTT- oder AUX-Taste verwendet !</source>
        <extracomment>34290</extracomment>
        <translation>The EXT connector is already used by a PTT or AUX key !</translation>
    </message>
    <message>
        <source>Achtung: This console has too many Groups ! </source>
        <extracomment>34647</extracomment>
        <translation>Attention: This console has too many Groups ! </translation>
    </message>
    <message>
        <source>Makro erzeugen
Makro erzeugen</source>
        <extracomment>33143</extracomment>
        <translation>Create macro
Create macro</translation>
    </message>
    <message>
        <source>Makro löschen
Makro löschen</source>
        <extracomment>33144</extracomment>
        <translation>Delete macro
Delete macro</translation>
    </message>
    <message>
        <source>Makro downloaden
Makro downloaden</source>
        <extracomment>32916</extracomment>
        <translation>Download macros
Download macros</translation>
    </message>
    <message>
        <source>Makro uploaden
Makro uploaden</source>
        <extracomment>32917</extracomment>
        <translation>Upload macros
Upload macros</translation>
    </message>
    <message>
        <source>Makro ausführen
Makro ausführen</source>
        <extracomment>32918</extracomment>
        <translation>Run macro
Run macro</translation>
    </message>
    <message>
        <source>Ein Makro dieses Typs ist schon vorhanden !</source>
        <extracomment>34200</extracomment>
        <translation>A macro of this type already exists !</translation>
    </message>
    <message>
        <source>Verzögerungszeit</source>
        <extracomment>34582</extracomment>
        <translation>Delay</translation>
    </message>
    <message>
        <source>Übereinstimmung</source>
        <extracomment>34458</extracomment>
        <translation>Full match</translation>
    </message>
    <message>
        <source>ab Priorität [0..10]</source>
        <extracomment>34459</extracomment>
        <translation>from priority [0..10]</translation>
    </message>
    <message>
        <source>ON</source>
        <extracomment>34477</extracomment>
        <translation>ON</translation>
    </message>
    <message>
        <source>Inv.</source>
        <extracomment>34454</extracomment>
        <translation>Inv.</translation>
    </message>
    <message>
        <source>NOT</source>
        <extracomment>34467</extracomment>
        <translation>NOT</translation>
    </message>
    <message>
        <source>AND</source>
        <extracomment>34468</extracomment>
        <translation>AND</translation>
    </message>
    <message>
        <source>OR</source>
        <extracomment>34469</extracomment>
        <translation>OR</translation>
    </message>
    <message>
        <source>XOR</source>
        <extracomment>34470</extracomment>
        <translation>XOR</translation>
    </message>
    <message>
        <source>/KVT/COLLCALL</source>
        <extracomment>34107</extracomment>
        <translation>/KVT/COLLCALL</translation>
    </message>
    <message>
        <source>
D und E Relais werden nicht mehr unterstützt!
Ersetzen Sie die Relais mit einem Pflichtempfangs bzw. Sammelrufrelais!</source>
        <extracomment>34090</extracomment>
        <translation>
D and E relays are no longer supported!
Replace the relays with a mandatory-receive or collective-call relay!</translation>
    </message>
    <message>
        <source>Linienrelais</source>
        <extracomment>32826</extracomment>
        <translation>Zone relay</translation>
    </message>
    <message>
        <source>Pflichtrelais</source>
        <extracomment>32827</extracomment>
        <translation>Mandatory relay</translation>
    </message>
    <message>
        <source>Kontrollrelais</source>
        <extracomment>32828</extracomment>
        <translation>Control relay</translation>
    </message>
    <message>
        <source>Audioausgänge für Linie %s stimmen nicht überein! (%s -&gt; %s)!</source>
        <extracomment>34309</extracomment>
        <translation>Audio outputs of zone %s do not match! (%s -&gt; %s)!</translation>
    </message>
    <message>
        <source>Linienrelais für Linie %s stimmen nicht überein (%s -&gt; %s)!</source>
        <extracomment>34310</extracomment>
        <translation>Zone relays of zone %s do not match (%s -&gt; %s)!</translation>
    </message>
    <message>
        <source>Pflichtrelais für Linie %s stimmt nicht überein (%s -&gt; %s)!</source>
        <extracomment>34311</extracomment>
        <translation>Mandatory relay of zone %s does not match (%s -&gt; %s)!</translation>
    </message>
    <message>
        <source>Pflichtrelaistyp für Linie %s stimmt nicht überein (%s -&gt; %s)!</source>
        <extracomment>34312</extracomment>
        <translation>Mandatory relay type of zone %s does not match (%s -&gt; %s)!</translation>
    </message>
    <message>
        <source>Kontrollrelais für Linie %s stimmt nicht überein (%s -&gt; %s)!</source>
        <extracomment>34313</extracomment>
        <translation>Control relay of zone %s does not match (%s -&gt; %s)!</translation>
    </message>
    <message>
        <source>Kontrollrelaistyp für Linie %s stimmt nicht überein (%s -&gt; %s)!</source>
        <extracomment>34314</extracomment>
        <translation>Control relay type of zone %s does not match (%s -&gt; %s)!</translation>
    </message>
    <message>
        <source>Fehler bei LAN Gruppe</source>
        <extracomment>34576</extracomment>
        <translation>LAN group error</translation>
    </message>
    <message>
        <source>fehlt</source>
        <extracomment>34499</extracomment>
        <translation>missing</translation>
    </message>
    <message>
        <source>Linie %d im Arbeitsblatt nicht vorhanden !</source>
        <extracomment>34221</extracomment>
        <translation>Zone %d is not on the sheet !</translation>
    </message>
    <message>
        <source>+ Tol.</source>
        <extracomment>34601</extracomment>
        <translation>+ Tol.</translation>
    </message>
    <message>
        <source>- Tol.</source>
        <extracomment>34602</extracomment>
        <translation>- Tol.</translation>
    </message>
    <message>
        <source>Spannungsfehler</source>
        <extracomment>34609</extracomment>
        <translation>Voltage fault</translation>
    </message>
    <message>
        <source>Stromfehler</source>
        <extracomment>34610</extracomment>
        <translation>Current fault</translation>
    </message>
    <message>
        <source>Die Karte kann erst gelöscht werden, wenn sie nicht
mehr benutzt wird!</source>
        <extracomment>34180</extracomment>
        <translation>The card cannot be deleted while it
is still in use!</translation>
    </message>
    <message>
        <source>Objekt kann nicht eingefügt werden!</source>
        <extracomment>34378</extracomment>
        <translation>Object cannot be inserted!</translation>
    </message>
    <message>
        <source>Keine freie Relaisnummer mehr: das Relais wird auf keine Karte gesetzt!</source>
        <extracomment>34700</extracomment>
        <translation>No relay number left: the relay is not placed on a card!</translation>
    </message>
    <message>
        <source>Ausgangskarten</source>
        <extracomment>34264</extracomment>
        <translation>Output cards</translation>
    </message>
    <message>
        <source>Eingangskarten</source>
        <extracomment>34265</extracomment>
        <translation>Input cards</translation>
    </message>
    <message>
        <source>Analogkarten</source>
        <extracomment>34266</extracomment>
        <translation>Analog cards</translation>
    </message>
    <message>
        <source>Auswahlliste</source>
        <extracomment>32829</extracomment>
        <translation>Selection list</translation>
    </message>
    <message>
        <source>AD Kanal</source>
        <extracomment>34372</extracomment>
        <translation>AD channel</translation>
    </message>
    <message>
        <source>DA Kanal</source>
        <extracomment>34373</extracomment>
        <translation>DA channel</translation>
    </message>
    <message>
        <source>100V Relais</source>
        <extracomment>32837</extracomment>
        <translation>100V relay</translation>
    </message>
    <message>
        <source>24V Relais</source>
        <extracomment>32836</extracomment>
        <translation>24V relay</translation>
    </message>
    <message>
        <source>Erstes Programm Relais</source>
        <extracomment>34097</extracomment>
        <translation>First programme relay</translation>
    </message>
    <message>
        <source>Erstes Relais</source>
        <extracomment>34098</extracomment>
        <translation>First relay</translation>
    </message>
    <message>
        <source>Verst.-Kanal</source>
        <extracomment>34599</extracomment>
        <translation>Amp. channel</translation>
    </message>
    <message>
        <source>Linienmessung</source>
        <extracomment>34603</extracomment>
        <translation>Line measurement</translation>
    </message>
    <message>
        <source>Referenz</source>
        <extracomment>34604
----------
34606</extracomment>
        <translation>Reference</translation>
    </message>
    <message>
        <source>Impedanzessung</source>
        <extracomment>34605</extracomment>
        <translation>Impedance measurement</translation>
    </message>
    <message>
        <source>Anp.</source>
        <extracomment>34607</extracomment>
        <translation>Adj.</translation>
    </message>
    <message>
        <source>Impedanzmessung aktiv</source>
        <extracomment>34616</extracomment>
        <translation>Impedance measurement active</translation>
    </message>
    <message>
        <source>Aktualisieren</source>
        <extracomment>34642</extracomment>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Liniendaten downloaden</source>
        <extracomment>34614</extracomment>
        <translation>Download line data</translation>
    </message>
    <message>
        <source>Anzeige aktualisieren</source>
        <extracomment>34626</extracomment>
        <translation>Refresh display</translation>
    </message>
    <message>
        <source>Status</source>
        <extracomment>34388</extracomment>
        <translation>Status</translation>
    </message>
    <message>
        <source>Neue Bedingung erzeugen
Neue Bedingung erzeugen</source>
        <extracomment>33141</extracomment>
        <translation>Create new condition
Create new condition</translation>
    </message>
    <message>
        <source>Bedingung löschen
Bedingung löschen</source>
        <extracomment>33142</extracomment>
        <translation>Delete condition
Delete condition</translation>
    </message>
    <message>
        <source>Bedingung uploaden
Bedingung uploaden</source>
        <extracomment>32937</extracomment>
        <translation>Upload conditions
Upload conditions</translation>
    </message>
    <message>
        <source>Bedingung downloaden
Bedingung downloaden</source>
        <extracomment>32938</extracomment>
        <translation>Download conditions
Download conditions</translation>
    </message>
    <message>
        <source>Neue ANALOG Bedingung erzeugen
Neue ANALOG Bedingung erzeugen</source>
        <extracomment>33123</extracomment>
        <translation>Create new ANALOG condition
Create new ANALOG condition</translation>
    </message>
    <message>
        <source>ANALOG Bedingung löschen
ANALOG Bedingung löschen</source>
        <extracomment>33124</extracomment>
        <translation>Delete ANALOG condition
Delete ANALOG condition</translation>
    </message>
    <message>
        <source>ANALOG Bedingungen uploaden
ANALOG Bedingungen uploaden</source>
        <extracomment>33125</extracomment>
        <translation>Upload ANALOG conditions
Upload ANALOG conditions</translation>
    </message>
    <message>
        <source>ANALOG Bedingungen downloaden
ANALOG Bedingungen downloaden</source>
        <extracomment>33153</extracomment>
        <translation>Download ANALOG conditions
Download ANALOG conditions</translation>
    </message>
    <message>
        <source>Neue BUSY Bedingung erzeugen
Neue BUSY Bedingung erzeugen</source>
        <extracomment>33129</extracomment>
        <translation>Create new BUSY condition
Create new BUSY condition</translation>
    </message>
    <message>
        <source>BUSY Bedingung löschen
BUSY Bedingung löschen</source>
        <extracomment>33130</extracomment>
        <translation>Delete BUSY condition
Delete BUSY condition</translation>
    </message>
    <message>
        <source>BUSY Bedingungen uploaden
BUSY Bedingungen uploaden</source>
        <extracomment>33131</extracomment>
        <translation>Upload BUSY conditions
Upload BUSY conditions</translation>
    </message>
    <message>
        <source>BUSY Bedingungen downloaden
BUSY Bedingungen downloaden</source>
        <extracomment>33156</extracomment>
        <translation>Download BUSY conditions
Download BUSY conditions</translation>
    </message>
    <message>
        <source>Neue COMBINE Bedingung erzeugen
Neue COMBINE Bedingung erzeugen</source>
        <extracomment>33132</extracomment>
        <translation>Create new COMBINE condition
Create new COMBINE condition</translation>
    </message>
    <message>
        <source>COMBINE Bedingung löschen
COMBINE Bedingung löschen</source>
        <extracomment>33133</extracomment>
        <translation>Delete COMBINE condition
Delete COMBINE condition</translation>
    </message>
    <message>
        <source>COMBINE Bedingungen uploaden
COMBINE Bedingungen uploaden</source>
        <extracomment>33134</extracomment>
        <translation>Upload COMBINE conditions
Upload COMBINE conditions</translation>
    </message>
    <message>
        <source>COMBINE Bedingungen downloaden
COMBINE Bedingungen downloaden</source>
        <extracomment>33155</extracomment>
        <translation>Download COMBINE conditions
Download COMBINE conditions</translation>
    </message>
    <message>
        <source>Trigger erzeugen
Trigger erzeugen</source>
        <extracomment>32987</extracomment>
        <translation>Create trigger
Create trigger</translation>
    </message>
    <message>
        <source>Trigger löschen
Trigger löschen</source>
        <extracomment>32988</extracomment>
        <translation>Delete trigger
Delete trigger</translation>
    </message>
    <message>
        <source>Trigger downloaden
Trigger downloaden</source>
        <extracomment>32927</extracomment>
        <translation>Download triggers
Download triggers</translation>
    </message>
    <message>
        <source>Trigger uploaden
Trigger uploaden</source>
        <extracomment>32926</extracomment>
        <translation>Upload triggers
Upload triggers</translation>
    </message>
    <message>
        <source>Neuen Logikzustand erzeugen
Neuen Logikzustand erzeugen</source>
        <extracomment>33120</extracomment>
        <translation>Create new logic state
Create new logic state</translation>
    </message>
    <message>
        <source>Logikzustand löschen
Logikzustand löschen</source>
        <extracomment>33121</extracomment>
        <translation>Delete logic state
Delete logic state</translation>
    </message>
    <message>
        <source>Logikzustände downloaden
Logikzustände downloaden</source>
        <extracomment>33119</extracomment>
        <translation>Download logic states
Download logic states</translation>
    </message>
    <message>
        <source>Logikzustände uploaden
Logikzustände uploaden</source>
        <extracomment>33122</extracomment>
        <translation>Upload logic states
Upload logic states</translation>
    </message>
    <message>
        <source>Neuen READYINPUT erzeugen
Neuen READYINPUT erzeugen</source>
        <extracomment>33169</extracomment>
        <translation>Create new READYINPUT
Create new READYINPUT</translation>
    </message>
    <message>
        <source>READYINPUT löschen
READYINPUT löschen</source>
        <extracomment>33148</extracomment>
        <translation>Delete READYINPUT
Delete READYINPUT</translation>
    </message>
    <message>
        <source>READYINPUT uploaden
READYINPUT uploaden</source>
        <extracomment>33149</extracomment>
        <translation>Upload READYINPUTS
Upload READYINPUTS</translation>
    </message>
    <message>
        <source>READYINPUT downloaden
READYINPUT downloaden</source>
        <extracomment>33150</extracomment>
        <translation>Download READYINPUTS
Download READYINPUTS</translation>
    </message>
    <message>
        <source>Memoflag erzeugen
Memoflag erzeugen</source>
        <extracomment>32973</extracomment>
        <translation>Create memo flag
Create memo flag</translation>
    </message>
    <message>
        <source>Memoflag löschen
Memoflag löschen</source>
        <extracomment>32972</extracomment>
        <translation>Delete memo flag
Delete memo flag</translation>
    </message>
    <message>
        <source>Neuen Alarm erzeugen</source>
        <extracomment>32928</extracomment>
        <translation>Create new alarm</translation>
    </message>
    <message>
        <source>Neuen Gong erzeugen</source>
        <extracomment>32929</extracomment>
        <translation>Create new chime</translation>
    </message>
    <message>
        <source>Neuen Text erzeugen</source>
        <extracomment>32930</extracomment>
        <translation>Create new text</translation>
    </message>
    <message>
        <source>Audiosignal löschen</source>
        <extracomment>32931</extracomment>
        <translation>Delete audio signal</translation>
    </message>
    <message>
        <source>Schließen</source>
        <extracomment>34268</extracomment>
        <translation>Close</translation>
    </message>
    <message>
        <source>Netz</source>
        <extracomment>34292</extracomment>
        <translation>Mains</translation>
    </message>
    <message>
        <source>Batterie</source>
        <extracomment>34293</extracomment>
        <translation>Battery</translation>
    </message>
    <message>
        <source>Standby</source>
        <extracomment>34294</extracomment>
        <translation>Standby</translation>
    </message>
    <message>
        <source>Ziel</source>
        <extracomment>32846</extracomment>
        <translation>Destination</translation>
    </message>
    <message>
        <source>Neuer virtueller Controller
Neuer virtueller Controller</source>
        <extracomment>32963</extracomment>
        <translation>New virtual controller
New virtual controller</translation>
    </message>
    <message>
        <source>Alle virtuellen Controller zum KVT senden
Download aller virtuellen Controller</source>
        <extracomment>32969</extracomment>
        <translation>Send all virtual controllers to the KVT
Download all virtual controllers</translation>
    </message>
    <message>
        <source>Alle virtuellen Controller vom KVT lesen
Upload aller virtuellen Controller</source>
        <extracomment>32970</extracomment>
        <translation>Read all virtual controllers from the KVT
Upload all virtual controllers</translation>
    </message>
    <message>
        <source>Virtuellen Controller löschen
Virtuellen Controller löschen</source>
        <extracomment>32971</extracomment>
        <translation>Delete virtual controller
Delete virtual controller</translation>
    </message>
    <message>
        <source>wird beeinflußt von</source>
        <extracomment>33104</extracomment>
        <translation>is driven by</translation>
    </message>
    <message>
        <source>beeinflußt</source>
        <extracomment>33105</extracomment>
        <translation>drives</translation>
    </message>
    <message>
        <source>Quelle</source>
        <extracomment>34248</extracomment>
        <translation>Source</translation>
    </message>
    <message>
        <source>Neuen Havarieverstärker erzeugen
Neuen Havarieverstärker erzeugen</source>
        <extracomment>32979</extracomment>
        <translation>Create new spare amplifier
Create new spare amplifier</translation>
    </message>
    <message>
        <source>Havarieverstärker löschen
Havarieverstärker löschen</source>
        <extracomment>32980</extracomment>
        <translation>Delete spare amplifier
Delete spare amplifier</translation>
    </message>
    <message>
        <source>Neuen Watch Eintrag erzeugen
Neuen Watch Eintrag erzeugen</source>
        <extracomment>32983</extracomment>
        <translation>Create new watch entry
Create new watch entry</translation>
    </message>
    <message>
        <source>Watch Eintrag löschen
Watch Eintrag löschen</source>
        <extracomment>32984</extracomment>
        <translation>Delete watch entry
Delete watch entry</translation>
    </message>
    <message>
        <source>Havalieverstärker downloaden
Havalieverstärker downloaden</source>
        <extracomment>32982</extracomment>
        <translation>Download spare amplifiers
Download spare amplifiers</translation>
    </message>
    <message>
        <source>Havalieverstärker uploaden
Havalieverstärker uploaden</source>
        <extracomment>32981</extracomment>
        <translation>Upload spare amplifiers
Upload spare amplifiers</translation>
    </message>
    <message>
        <source>Details</source>
        <extracomment>34386</extracomment>
        <translation>Details</translation>
    </message>
    <message>
        <source>ersetzt</source>
        <extracomment>34387</extracomment>
        <translation>replaces</translation>
    </message>
    <message>
        <source>Liniendaten uploaden
Liniendaten uploaden</source>
        <extracomment>34611</extracomment>
        <translation>Upload line data
Upload line data</translation>
    </message>
    <message>
        <source>Linientest Eigenschaften
Linientest Eigenschaften</source>
        <extracomment>34618</extracomment>
        <translation>Line test properties
Line test properties</translation>
    </message>
    <message>
        <source>Protokollierungseinstellungen uploaden
Protokollierungseinstellungen uploaden</source>
        <extracomment>34612</extracomment>
        <translation>Upload logging settings
Upload logging settings</translation>
    </message>
    <message>
        <source>Protokollierungseinstellungen downloaden
Protokollierungseinstellungen downloaden</source>
        <extracomment>34613</extracomment>
        <translation>Download logging settings
Download logging settings</translation>
    </message>
    <message>
        <source>Ansicht wechseln
Ansicht wechseln</source>
        <extracomment>34643</extracomment>
        <translation>Switch view
Switch view</translation>
    </message>
    <message>
        <source>FAULT Einstellungen downloaden
FAULT Einstellungen downloaden</source>
        <extracomment>34500</extracomment>
        <translation>Download FAULT settings
Download FAULT settings</translation>
    </message>
    <message>
        <source>FAULT Einstellungen uploaden
FAULT Einstellungen uploaden</source>
        <extracomment>34501</extracomment>
        <translation>Upload FAULT settings
Upload FAULT settings</translation>
    </message>
    <message>
        <source>Sicherungsdaten uploaden
Sicherungsdaten uploaden</source>
        <extracomment>33173</extracomment>
        <translation>Upload fuse data
Upload fuse data</translation>
    </message>
    <message>
        <source>Sicherungsdaten downloaden
Sicherungsdaten downloaden</source>
        <extracomment>33174</extracomment>
        <translation>Download fuse data
Download fuse data</translation>
    </message>
    <message>
        <source>Sprechstellen
Sprechstellen</source>
        <extracomment>34520</extracomment>
        <translation>Consoles
Consoles</translation>
    </message>
    <message>
        <source>KVT Slots
KVT Slots</source>
        <extracomment>34521</extracomment>
        <translation>KVT slots
KVT slots</translation>
    </message>
    <message>
        <source>Verstärker
Verstärker</source>
        <extracomment>34522</extracomment>
        <translation>Amplifiers
Amplifiers</translation>
    </message>
    <message>
        <source>LMZ Karten
LMZ Karten</source>
        <extracomment>34523</extracomment>
        <translation>LMZ cards
LMZ cards</translation>
    </message>
    <message>
        <source>Nur im Online Modus möglich!</source>
        <extracomment>34524</extracomment>
        <translation>Only possible online!</translation>
    </message>
    <message>
        <source>Keine Sprechstellen vorhanden!</source>
        <extracomment>34525</extracomment>
        <translation>No consoles present!</translation>
    </message>
    <message>
        <source>Keine Verstärker vorhanden!</source>
        <extracomment>34526</extracomment>
        <translation>No amplifiers present!</translation>
    </message>
    <message>
        <source>Keine LMZ Karten vorhanden!</source>
        <extracomment>34527</extracomment>
        <translation>No LMZ cards present!</translation>
    </message>
    <message>
        <source>Release</source>
        <extracomment>34548</extracomment>
        <translation>Release</translation>
    </message>
    <message>
        <source>LMZ782</source>
        <extracomment>34549</extracomment>
        <translation>LMZ782</translation>
    </message>
    <message>
        <source>KVTConfiguration.txt</source>
        <extracomment>32841</extracomment>
        <translation>KVTConfiguration.txt</translation>
    </message>
    <message>
        <source>Wollen Sie die Konfiguration des KVTs neu auslesen ?

Ja     &gt; Auslesen vom KVT (dauert einige Minuten)
Nein &gt; Es wird versucht, eine bereits bestehende Konfigurationsdatei zu öffnen</source>
        <extracomment>32842</extracomment>
        <translation>Do you want to read the configuration of the KVT again ?

Yes   &gt; Read from the KVT (takes a few minutes)
No    &gt; An existing configuration file is opened</translation>
    </message>
    <message>
        <source>Datei nicht gefunden !</source>
        <extracomment>32843</extracomment>
        <translation>File not found !</translation>
    </message>
    <message>
        <source>Eigenschaften</source>
        <extracomment>33002</extracomment>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Fehlertexte uploaden
Fehlertexte uploaden</source>
        <extracomment>32950</extracomment>
        <translation>Upload fault texts
Upload fault texts</translation>
    </message>
    <message>
        <source>Fehlertexte downloaden
Fehlertexte downloaden</source>
        <extracomment>32951</extracomment>
        <translation>Download fault texts
Download fault texts</translation>
    </message>
    <message>
        <source>Text ist zu lang!</source>
        <extracomment>34296</extracomment>
        <translation>Text is too long!</translation>
    </message>
    <message>
        <source>Gruppe</source>
        <extracomment>IDS_WORD_GROUP</extracomment>
        <translation>Group</translation>
    </message>
    <message>
        <source>Maskiert</source>
        <extracomment>logicid::TitleMasked</extracomment>
        <translation>Masked</translation>
    </message>
    <message>
        <source>Nr</source>
        <extracomment>logicid::TitleNumber</extracomment>
        <translation>No.</translation>
    </message>
    <message>
        <source>ON Makro</source>
        <extracomment>logicid::TitleOnMacro
----------
macrotitle::OnMacro</extracomment>
        <translation>ON macro</translation>
    </message>
    <message>
        <source>OFF Makro</source>
        <extracomment>logicid::TitleOffMacro
----------
macrotitle::OffMacro</extracomment>
        <translation>OFF macro</translation>
    </message>
    <message>
        <source>Priorität</source>
        <extracomment>macrotitle::Priority</extracomment>
        <translation>Priority</translation>
    </message>
    <message>
        <source>Lautstärke</source>
        <extracomment>macrotitle::Volume</extracomment>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Eintrag</source>
        <extracomment>macrotitle::Entry</extracomment>
        <translation>Entry</translation>
    </message>
    <message>
        <source>AUX Umschalter</source>
        <extracomment>macrotitle::AuxSwitch</extracomment>
        <translation>AUX switch</translation>
    </message>
    <message>
        <source>Zeile</source>
        <extracomment>macrotitle::Line</extracomment>
        <translation>Line</translation>
    </message>
    <message>
        <source>Dauer [s]</source>
        <extracomment>macrotitle::Duration</extracomment>
        <translation>Duration [s]</translation>
    </message>
    <message>
        <source>Einheit</source>
        <extracomment>macrotitle::Unit</extracomment>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Stellen</source>
        <extracomment>macrotitle::Digits</extracomment>
        <translation>Decimals</translation>
    </message>
    <message>
        <source>Kanäle</source>
        <extracomment>macrotitle::Channels</extracomment>
        <translation>Channels</translation>
    </message>
    <message>
        <source>Datei</source>
        <extracomment>macrotitle::File</extracomment>
        <translation>File</translation>
    </message>
    <message>
        <source>Qualität</source>
        <extracomment>macrotitle::Quality</extracomment>
        <translation>Quality</translation>
    </message>
    <message>
        <source>Anzahl</source>
        <extracomment>macrotitle::Count</extracomment>
        <translation>Count</translation>
    </message>
    <message>
        <source>Modus</source>
        <extracomment>macrotitle::Mode</extracomment>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Zeichenmuster</source>
        <extracomment>macrotitle::Pattern</extracomment>
        <translation>Pattern</translation>
    </message>
    <message>
        <source>Pause</source>
        <extracomment>macrotitle::Pause</extracomment>
        <translation>Pause</translation>
    </message>
</context>
</TS>

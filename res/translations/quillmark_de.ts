<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Quillmark</name>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Change Item</source>
        <extracomment>The title of the item form when it changes an item that exists.</extracomment>
        <translation>Eintrag bearbeiten</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <extracomment>The date and time of an item in its details, e.g. &quot;07.03.2002 at 13:15&quot;.</extracomment>
        <translation>%1 um %2</translation>
    </message>
    <message>
        <source>No item matches.</source>
        <translation>Kein Eintrag passt.</translation>
    </message>
    <message>
        <source>Name or description</source>
        <translation>Name oder Beschreibung</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <source>&amp;Hide Done Items</source>
        <translation>&amp;Erledigte ausblenden</translation>
    </message>
    <message>
        <source>&amp;List</source>
        <translation>&amp;Liste</translation>
    </message>
    <message>
        <source>S&amp;ort by</source>
        <translation>S&amp;ortieren nach</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>&amp;Price</source>
        <translation>&amp;Preis</translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation>&amp;Datum</translation>
    </message>
    <message>
        <source>D&amp;one</source>
        <translation>&amp;Fertig</translation>
    </message>
    <message>
        <source>&amp;Unsorted</source>
        <translation>&amp;Unsortiert</translation>
    </message>
    <message>
        <source>&amp;Ascending</source>
        <translation>&amp;Aufsteigend</translation>
    </message>
    <message>
        <source>D&amp;escending</source>
        <translation>A&amp;bsteigend</translation>
    </message>
    <message>
        <source>None</source>
        <comment>no reminder</comment>
        <translation>Keine</translation>
    </message>
    <message>
        <source>At the time</source>
        <translation>Zum Zeitpunkt</translation>
    </message>
    <message>
        <source>15 minutes before</source>
        <translation>15 Minuten vorher</translation>
    </message>
    <message>
        <source>1 hour before</source>
        <translation>1 Stunde vorher</translation>
    </message>
    <message>
        <source>1 day before</source>
        <translation>1 Tag vorher</translation>
    </message>
    <message>
        <source>&amp;Reminder:</source>
        <translation>&amp;Erinnerung:</translation>
    </message>
    <message>
        <source>Total: </source>
        <extracomment>Drawn in front of the sum; keep the space at the end.
----------
Before the list&apos;s sum where a list is copied as text or printed; keep the space at the end.</extracomment>
        <translation>Summe: </translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>Quillmark could not print the list &apos;%1&apos;.</source>
        <translation>Quillmark konnte die Liste „%1“ nicht drucken.</translation>
    </message>
    <message>
        <source>Quillmark could not print the list &apos;%1&apos; to %2.</source>
        <translation>Quillmark konnte die Liste „%1“ nicht in die Datei %2 drucken.</translation>
    </message>
    <message>
        <source>Error in Import: &apos;%1&apos; is no ordinary file (it is a folder, a device or a named pipe, for instance) and cannot be imported.</source>
        <translation>Fehler beim Import: „%1“ ist keine gewöhnliche Datei (sondern zum Beispiel ein Ordner, ein Gerät oder eine benannte Pipe) und kann nicht importiert werden.</translation>
    </message>
    <message>
        <source>Error in Import: line %L1 holds a zero byte, so the file is not text. Nothing was imported.</source>
        <translation>Fehler beim Import: Zeile %L1 enthält ein Nullbyte, die Datei ist also kein Text. Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>Error in Import: line %L1 is longer than %L2 bytes. Nothing was imported.</source>
        <translation>Fehler beim Import: Zeile %L1 ist länger als %L2 Byte. Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>Error in Import: &apos;%1&apos; is larger than %L2 MB. Nothing was imported.</source>
        <translation>Fehler beim Import: „%1“ ist größer als %L2 MB. Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>Error in Import: &apos;%1&apos; is no iCalendar file. Nothing was imported.</source>
        <translation>Fehler beim Import: „%1“ ist keine iCalendar-Datei. Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>Error in Import: &apos;%1&apos; holds no to-dos. Nothing was imported.</source>
        <translation>Fehler beim Import: „%1“ enthält keine Aufgaben. Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>Error in Import: the file is marked as UTF-8, but line %L1 is not UTF-8. Nothing was imported.</source>
        <translation>Fehler beim Import: Die Datei ist als UTF-8 gekennzeichnet, aber Zeile %L1 ist kein UTF-8. Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>Importing &apos;%1&apos; into the new list &apos;%2&apos;...</source>
        <translation>„%1“ wird in die neue Liste „%2“ importiert ...</translation>
    </message>
    <message>
        <source>Added Item to Tasks and Appointments.</source>
        <translation>Der Eintrag wurde zu den Aufgaben und Terminen hinzugefügt.</translation>
    </message>
    <message>
        <source>Added Items to Tasks.</source>
        <translation>Der Eintrag wurde zu den Aufgaben hinzugefügt.</translation>
    </message>
    <message>
        <source>Added Item to Appointments.</source>
        <translation>Der Eintrag wurde zu den Terminen hinzugefügt.</translation>
    </message>
    <message>
        <source>A New List is required to Import Into.</source>
        <translation>Für den Import wird eine neue Liste benötigt.</translation>
    </message>
    <message>
        <source>Error in Import: Import field not found in location designated in Import Setup.</source>
        <translation>Fehler beim Import: Ein Importfeld steht nicht an der Stelle, die unter „Import einrichten“ angegeben ist.</translation>
    </message>
    <message>
        <source>Import name found empty. Invalid Data.</source>
        <translation>Beim Import wurde ein leerer Name gefunden. Ungültige Daten.</translation>
    </message>
    <message>
        <source>Item is not dated, unable to add to appointments.</source>
        <translation>Der Eintrag hat kein Datum und kann nicht zu den Terminen hinzugefügt werden.</translation>
    </message>
    <message>
        <source>Error in Import: the file could not be read to its end (%1). Nothing was imported.</source>
        <translation>Fehler beim Import: Die Datei konnte nicht bis zum Ende gelesen werden (%1). Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>The item could not be added to Tasks.</source>
        <translation>Der Eintrag konnte nicht zu den Aufgaben hinzugefügt werden.</translation>
    </message>
    <message>
        <source>The item could not be added to Tasks: %1</source>
        <translation>Der Eintrag konnte nicht zu den Aufgaben hinzugefügt werden: %1</translation>
    </message>
    <message>
        <source>The item could not be added to Appointments.</source>
        <translation>Der Eintrag konnte nicht zu den Terminen hinzugefügt werden.</translation>
    </message>
    <message>
        <source>The item could not be added to Appointments: %1</source>
        <translation>Der Eintrag konnte nicht zu den Terminen hinzugefügt werden: %1</translation>
    </message>
    <message>
        <source>Tick &apos;%1&apos;</source>
        <extracomment>The names of the changes shown after &quot;&amp;Undo&quot; and &quot;&amp;Redo&quot;; %1 is an item&apos;s or a list&apos;s name.</extracomment>
        <translation>„%1“ abhaken</translation>
    </message>
    <message>
        <source>Untick &apos;%1&apos;</source>
        <translation>Haken bei „%1“ entfernen</translation>
    </message>
    <message>
        <source>Edit &apos;%1&apos;</source>
        <translation>„%1“ bearbeiten</translation>
    </message>
    <message>
        <source>List Setup</source>
        <translation>Listen einrichten</translation>
    </message>
    <message>
        <source>Remove &apos;%1&apos;</source>
        <translation>„%1“ entfernen</translation>
    </message>
    <message numerus="yes">
        <source>Remove %n items</source>
        <translation>
            <numerusform>%n Eintrag entfernen</numerusform>
            <numerusform>%n Einträge entfernen</numerusform>
        </translation>
    </message>
    <message>
        <source>Import &apos;%1&apos;</source>
        <translation>„%1“ importieren</translation>
    </message>
    <message>
        <source>Merge Conflict Copies</source>
        <translation>Konfliktkopien zusammenführen</translation>
    </message>
    <message>
        <source>Changes from the Server</source>
        <translation>Änderungen vom Server</translation>
    </message>
    <message numerus="yes">
        <source>Are you sure you want to remove the %n chosen items?</source>
        <translation>
            <numerusform>Möchten Sie den %n gewählten Eintrag wirklich entfernen?</numerusform>
            <numerusform>Möchten Sie die %n gewählten Einträge wirklich entfernen?</numerusform>
        </translation>
    </message>
    <message>
        <source>Left: %1 · Done: %2</source>
        <extracomment>The total&apos;s tool tip once an item is done: what the items not done and those done come to.</extracomment>
        <translation>Offen: %1 · Erledigt: %2</translation>
    </message>
    <message>
        <source>Left: </source>
        <extracomment>Drawn before what the items not yet done come to, left of the total in a wide window; keep the space.</extracomment>
        <translation>Offen: </translation>
    </message>
    <message>
        <source>Untick All &apos;%1&apos;</source>
        <extracomment>A change in the Edit menu; %1 is a list&apos;s name.</extracomment>
        <translation>Alle Haken in „%1“ entfernen</translation>
    </message>
    <message>
        <source>Duplicate List &apos;%1&apos;</source>
        <extracomment>A change in the Edit menu; %1 is the name of the list copied.</extracomment>
        <translation>Liste „%1“ duplizieren</translation>
    </message>
    <message>
        <source>Move Item &apos;%1&apos;</source>
        <extracomment>A change in the Edit menu; %1 is an item&apos;s name.</extracomment>
        <translation>„%1“ verschieben</translation>
    </message>
    <message>
        <source>%1 (copy)</source>
        <translation>%1 (Kopie)</translation>
    </message>
    <message>
        <source>&amp;Untick every item</source>
        <translation>Bei allen Einträgen den Haken &amp;entfernen</translation>
    </message>
    <message>
        <source>Duplicate List</source>
        <translation>Liste duplizieren</translation>
    </message>
    <message>
        <source>Move Item To</source>
        <translation>Eintrag verschieben</translation>
    </message>
    <message>
        <source>Move &apos;%1&apos; to:</source>
        <translation>„%1“ verschieben nach:</translation>
    </message>
    <message>
        <source>Quillmark Version %1</source>
        <translation>Quillmark Version %1</translation>
    </message>
    <message>
        <source>About Quillmark</source>
        <translation>Über Quillmark</translation>
    </message>
    <message>
        <source>A sync tool kept another version of your lists as %1, but it cannot be read (%2). It was left where it is.</source>
        <translation>Ein Synchronisationsprogramm hat eine andere Fassung Ihrer Listen als %1 abgelegt, sie kann aber nicht gelesen werden (%2). Sie wurde an ihrem Platz gelassen.</translation>
    </message>
    <message>
        <source>A sync tool kept another version of your lists beside them, as &quot;%1&quot;. Merge its lists into yours?

What only that version holds is added; nothing of yours is removed. The copy is then moved into the folder &quot;%2&quot; beside your lists.</source>
        <translation>Ein Synchronisationsprogramm hat neben Ihren Listen eine andere Fassung davon abgelegt, als „%1“. Sollen deren Listen mit Ihren zusammengeführt werden?

Was nur jene Fassung enthält, wird hinzugefügt; von Ihren Listen wird nichts entfernt. Die Kopie wird danach in den Ordner „%2“ neben Ihren Listen verschoben.</translation>
    </message>
    <message numerus="yes">
        <source>%n copy(s)</source>
        <extracomment>One copy is &quot;the copy&quot;.</extracomment>
        <translation>
            <numerusform>Die Kopie</numerusform>
            <numerusform>%n Kopien</numerusform>
        </translation>
    </message>
    <message>
        <source>Merged %1: %2 added, %3 added to lists you had, %4 taken over. Merged copies are kept in %5.</source>
        <extracomment>%1 is &quot;the copy&quot; or a number of copies; %2, %3 and %4 are numbers of lists, items and ticks.</extracomment>
        <translation>%1 zusammengeführt: %2 hinzugefügt, %3 zu vorhandenen Listen hinzugefügt, %4 übernommen. Zusammengeführte Kopien liegen in %5.</translation>
    </message>
    <message numerus="yes">
        <source>%n list(s)</source>
        <translation>
            <numerusform>%n Liste</numerusform>
            <numerusform>%n Listen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s)</source>
        <translation>
            <numerusform>%n Eintrag</numerusform>
            <numerusform>%n Einträge</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n tick(s)</source>
        <translation>
            <numerusform>%n Haken</numerusform>
            <numerusform>%n Haken</numerusform>
        </translation>
    </message>
    <message>
        <source>No List Selected.</source>
        <translation>Keine Liste ausgewählt.</translation>
    </message>
    <message>
        <source>No Items in current list.</source>
        <translation>Die aktuelle Liste hat keine Einträge.</translation>
    </message>
    <message>
        <source>Comma Delimited Files (*.csv);;iCalendar Files (*.ics);;All Files (*)</source>
        <extracomment>A file chooser&apos;s filters: translate the names, keep the patterns in brackets and the &quot;;;&quot;.</extracomment>
        <translation>Kommagetrennte Dateien (*.csv);;iCalendar-Dateien (*.ics);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>iCalendar Files (*.ics);;All Files (*)</source>
        <extracomment>A file chooser&apos;s filters: translate the names, keep the patterns in brackets and the &quot;;;&quot;.</extracomment>
        <translation>iCalendar-Dateien (*.ics);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Your lists were kept in the rescue copy %1. To use them again, put that file in place of %2 while Quillmark is not running.</source>
        <translation>Ihre Listen wurden in der Rettungskopie %1 aufbewahrt. Um sie wieder zu verwenden, legen Sie diese Datei an die Stelle von %2, während Quillmark nicht läuft.</translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation>Erneut versuchen</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Quit, Keep a Rescue Copy</source>
        <translation>Beenden, Rettungskopie behalten</translation>
    </message>
    <message>
        <source>Your lists could not be saved to %1 (%2).

You can try again, save them to a file you choose (it can later be put in place of %1), or quit and keep them in a rescue copy.</source>
        <translation>Ihre Listen konnten nicht in %1 gespeichert werden (%2).

Sie können es erneut versuchen, die Listen in einer Datei Ihrer Wahl speichern (sie kann später an die Stelle von %1 treten) oder Quillmark beenden und die Listen in einer Rettungskopie behalten.</translation>
    </message>
    <message>
        <source>Quillmark Lists (*.dat);;All Files (*)</source>
        <extracomment>Translate the names, keep the patterns in brackets and the &quot;;;&quot;.</extracomment>
        <translation>Quillmark-Listen (*.dat);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>%1 is the file that cannot be saved. Please choose another file.</source>
        <translation>%1 ist die Datei, die sich nicht speichern lässt. Bitte wählen Sie eine andere Datei.</translation>
    </message>
    <message>
        <source>The rescue copy could not be written either (%1). Quillmark stays open, with your changes.</source>
        <translation>Auch die Rettungskopie konnte nicht geschrieben werden (%1). Quillmark bleibt mit Ihren Änderungen geöffnet.</translation>
    </message>
    <message>
        <source>Quillmark ended without saving its lists: neither the data file nor a rescue copy could be written (%1).</source>
        <translation>Quillmark wurde beendet, ohne seine Listen zu speichern: Weder die Datendatei noch eine Rettungskopie konnte geschrieben werden (%1).</translation>
    </message>
    <message>
        <source>The help page is not installed. Quillmark looked for it at %1.</source>
        <translation>Die Hilfeseite ist nicht installiert. Quillmark hat sie unter %1 gesucht.</translation>
    </message>
    <message>
        <source>Quillmark could not open %1.</source>
        <translation>Quillmark konnte %1 nicht öffnen.</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <extracomment>The window's title while a list is on show: the list's name, then the program's.</extracomment>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About Quillmark</source>
        <translation>&amp;Über Quillmark</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;Sync</source>
        <translation>&amp;Synchronisieren</translation>
    </message>
    <message>
        <source>&amp;Sync Now</source>
        <translation>&amp;Jetzt synchronisieren</translation>
    </message>
    <message>
        <source>&amp;Account...</source>
        <translation>&amp;Konto...</translation>
    </message>
    <message>
        <source>Sync Account</source>
        <translation>Synchronisationskonto</translation>
    </message>
    <message>
        <source>for example dav.example.com</source>
        <translation>zum Beispiel dav.example.com</translation>
    </message>
    <message>
        <source>Testing the account</source>
        <translation>Das Konto wird geprüft</translation>
    </message>
    <message>
        <source>&amp;Server address:</source>
        <translation>&amp;Serveradresse:</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
    <message>
        <source>&amp;Remove Account</source>
        <translation>Konto &amp;entfernen</translation>
    </message>
    <message>
        <source>Type the address of the server.</source>
        <translation>Geben Sie die Adresse des Servers ein.</translation>
    </message>
    <message>
        <source>Quillmark syncs only over https (plain http only with this computer itself), with an address that holds no user name or password.</source>
        <translation>Quillmark synchronisiert nur über https (einfaches http nur mit diesem Computer selbst), mit einer Adresse ohne Benutzernamen oder Passwort.</translation>
    </message>
    <message>
        <source>The server's name was not found. Check the address and the network connection.</source>
        <translation>Der Name des Servers wurde nicht gefunden. Prüfen Sie die Adresse und die Netzwerkverbindung.</translation>
    </message>
    <message>
        <source>The server refused the connection. Check the address and its port.</source>
        <translation>Der Server hat die Verbindung abgelehnt. Prüfen Sie die Adresse und ihren Port.</translation>
    </message>
    <message>
        <source>The server cannot be reached.</source>
        <translation>Der Server ist nicht erreichbar.</translation>
    </message>
    <message>
        <source>The server did not answer in time.</source>
        <translation>Der Server hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>The server's certificate is not trusted. Its SHA-256 fingerprint is %1.</source>
        <translation>Dem Zertifikat des Servers wird nicht vertraut. Sein SHA-256-Fingerabdruck ist %1.</translation>
    </message>
    <message>
        <source>The server refused the user name or password.</source>
        <translation>Der Server hat den Benutzernamen oder das Passwort abgelehnt.</translation>
    </message>
    <message>
        <source>The server does not allow this account to use the lists there.</source>
        <translation>Der Server erlaubt diesem Konto nicht, die Listen dort zu verwenden.</translation>
    </message>
    <message>
        <source>No task lists were found at this address.</source>
        <translation>Unter dieser Adresse wurden keine Aufgabenlisten gefunden.</translation>
    </message>
    <message>
        <source>The server sent Quillmark to another address, which it does not follow with your password.</source>
        <translation>Der Server hat Quillmark an eine andere Adresse verwiesen, der es mit Ihrem Passwort nicht folgt.</translation>
    </message>
    <message>
        <source>The server has no room left.</source>
        <translation>Auf dem Server ist kein Platz mehr.</translation>
    </message>
    <message>
        <source>The sync was stopped.</source>
        <translation>Die Synchronisation wurde angehalten.</translation>
    </message>
    <message>
        <source>The server gave an answer Quillmark cannot use.</source>
        <translation>Der Server hat eine Antwort gegeben, mit der Quillmark nichts anfangen kann.</translation>
    </message>
    <message>
        <source>Trust exactly this certificate for %1 only if you know it is the server's own.</source>
        <translation>Vertrauen Sie genau diesem Zertifikat für %1 nur, wenn Sie wissen, dass es das des Servers ist.</translation>
    </message>
    <message>
        <source>&amp;Trust This Certificate</source>
        <translation>Diesem Zertifikat &amp;vertrauen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; in &quot;%2&quot;</source>
        <translation>„%1“ in „%2“</translation>
    </message>
    <message>
        <source>Changed both here and elsewhere since the last sync, so both versions are kept: %1.</source>
        <translation>Seit der letzten Synchronisation hier und anderswo geändert, daher sind beide Fassungen erhalten: %1.</translation>
    </message>
    <message>
        <source>Not set up</source>
        <translation>Nicht eingerichtet</translation>
    </message>
    <message>
        <source>Waiting for the password (Sync, Account...)</source>
        <translation>Wartet auf das Passwort (Synchronisieren, Konto...)</translation>
    </message>
    <message>
        <source>Syncing...</source>
        <translation>Wird synchronisiert...</translation>
    </message>
    <message>
        <source>Last synced at %1</source>
        <translation>Zuletzt synchronisiert um %1</translation>
    </message>
    <message>
        <source>Offline since %1</source>
        <translation>Offline seit %1</translation>
    </message>
    <message>
        <source>Sync failed: %1</source>
        <translation>Synchronisation fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Type the password again: it was not in the desktop's keyring.</source>
        <translation>Geben Sie das Passwort noch einmal ein: Es war nicht im Schlüsselbund des Desktops.</translation>
    </message>
    <message>
        <source>No keyring of the desktop answered, so the password is kept only until Quillmark ends; at the next start it is asked for again.</source>
        <translation>Kein Schlüsselbund des Desktops hat geantwortet, daher wird das Passwort nur bis zum Ende von Quillmark behalten; beim nächsten Start wird erneut danach gefragt.</translation>
    </message>
    <message>
        <source>When Quillmark last ended, your lists could not be saved to %2 and were kept in the rescue copy %1. The lists shown now are those of %2. To use the rescued ones, quit Quillmark and put that file in place of %2.</source>
        <translation>Als Quillmark zuletzt beendet wurde, konnten Ihre Listen nicht in %2 gespeichert werden und wurden in der Rettungskopie %1 aufbewahrt. Angezeigt werden jetzt die Listen aus %2. Um die geretteten Listen zu verwenden, beenden Sie Quillmark und legen Sie diese Datei an die Stelle von %2.</translation>
    </message>
    <message>
        <source>Quillmark is already running with the lists in %1, but it does not answer. Close it (or end it, if it hangs) and start Quillmark again.</source>
        <translation>Quillmark läuft bereits mit den Listen in %1, antwortet aber nicht. Schließen Sie es (oder beenden Sie es, falls es hängt) und starten Sie Quillmark erneut.</translation>
    </message>
    <message>
        <source>The lists in %1 are marked as in use by Quillmark on the computer &quot;%2&quot;, which cannot be asked from here (a home folder shared between computers, or a disk moved over), and no Quillmark on this computer uses them.

If Quillmark is not running on &quot;%2&quot; with these lists, you can start anyway. Start Quillmark anyway?</source>
        <translation>Die Listen in %1 sind als in Gebrauch durch Quillmark auf dem Computer „%2“ gekennzeichnet, der von hier aus nicht gefragt werden kann (ein Home-Ordner, den mehrere Computer teilen, oder ein umgezogenes Laufwerk), und kein Quillmark auf diesem Computer verwendet sie.

Wenn Quillmark auf „%2“ nicht mit diesen Listen läuft, können Sie trotzdem starten. Quillmark trotzdem starten?</translation>
    </message>
    <message>
        <source>the file ends too early (byte %1)</source>
        <translation>die Datei endet zu früh (Byte %1)</translation>
    </message>
    <message>
        <source>a text is too long to be saved</source>
        <translation>ein Text ist zu lang, um gespeichert zu werden</translation>
    </message>
    <message>
        <source>a text has a malformed length (byte %1)</source>
        <translation>ein Text hat eine fehlerhafte Länge (Byte %1)</translation>
    </message>
    <message>
        <source>a text is longer than the rest of the file (byte %1)</source>
        <translation>ein Text ist länger als der Rest der Datei (Byte %1)</translation>
    </message>
    <message>
        <source>the folder %1 could not be made</source>
        <translation>der Ordner %1 konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>the file holds more than its list count announces (byte %1)</source>
        <translation>die Datei enthält mehr, als ihre Anzahl der Listen angibt (Byte %1)</translation>
    </message>
    <message>
        <source>Your lists in %1 were changed by another program or on another computer, but the newer file cannot be read completely (%2); it may still be arriving. The lists shown here are kept, and Quillmark does not save over that file until it can read it whole.</source>
        <translation>Ihre Listen in %1 wurden von einem anderen Programm oder auf einem anderen Computer geändert, aber die neuere Datei lässt sich nicht vollständig lesen (%2); vielleicht wird sie noch übertragen. Die hier angezeigten Listen bleiben erhalten, und Quillmark speichert erst dann über diese Datei, wenn es sie ganz lesen kann.</translation>
    </message>
    <message>
        <source>another program changed the file, and the newer file cannot be read completely (%1), so it is not replaced</source>
        <translation>ein anderes Programm hat die Datei geändert, und die neuere Datei lässt sich nicht vollständig lesen (%1); sie wird deshalb nicht ersetzt</translation>
    </message>
    <message>
        <source>an item&apos;s date cannot be represented (byte %1)</source>
        <translation>das Datum eines Eintrags lässt sich nicht darstellen (Byte %1)</translation>
    </message>
    <message>
        <source>Your lists could not be read from %1 (%2). The file is left as it is: Quillmark will not save over it. When you quit, you can save the lists shown here to another file.</source>
        <translation>Ihre Listen konnten nicht aus %1 gelesen werden (%2). Die Datei bleibt, wie sie ist: Quillmark speichert nicht darüber. Beim Beenden können Sie die hier angezeigten Listen in einer anderen Datei speichern.</translation>
    </message>
    <message>
        <source>Your lists could not be read completely from %1 (%2). The lists read before the damage are shown. The file is kept as %1.bak before it is next saved.</source>
        <translation>Ihre Listen konnten nicht vollständig aus %1 gelesen werden (%2). Angezeigt werden die Listen, die vor der beschädigten Stelle stehen. Die Datei wird vor dem nächsten Speichern als %1.bak aufbewahrt.</translation>
    </message>
    <message>
        <source>the damaged file could not be kept as %1: %2</source>
        <translation>die beschädigte Datei konnte nicht als %1 aufbewahrt werden: %2</translation>
    </message>
    <message>
        <source>the file could not be read when Quillmark started, so it is not replaced</source>
        <translation>die Datei konnte beim Start von Quillmark nicht gelesen werden und wird deshalb nicht ersetzt</translation>
    </message>
    <message>
        <source>the new file was written but its folder could not be flushed to disk: %1</source>
        <translation>die neue Datei wurde geschrieben, aber ihr Ordner ließ sich nicht dauerhaft auf den Datenträger schreiben: %1</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Preis</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>The list &apos;%1&apos;</source>
        <translation>Die Liste „%1“</translation>
    </message>
    <message>
        <source>&apos;%1&apos; in &apos;%2&apos;</source>
        <translation>„%1“ in „%2“</translation>
    </message>
    <message>
        <source>&apos;%1&apos; in &apos;%2&apos; (ticked)</source>
        <translation>„%1“ in „%2“ (abgehakt)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; in &apos;%2&apos; (tick removed)</source>
        <translation>„%1“ in „%2“ (Haken entfernt)</translation>
    </message>
    <message>
        <source>%1 (changed here and there: both versions are kept)</source>
        <translation>%1 (hier und dort geändert: beide Fassungen bleiben erhalten)</translation>
    </message>
    <message>
        <source>%1 (removed there: kept as changed here)</source>
        <translation>%1 (dort entfernt: bleibt so erhalten, wie hier geändert)</translation>
    </message>
    <message>
        <source>%1 (changed there: kept, though removed here)</source>
        <translation>%1 (dort geändert: bleibt erhalten, obwohl hier entfernt)</translation>
    </message>
    <message>
        <source>Your lists were changed by another program or on another computer. The newer lists are shown with your ticks on them, but for these the item is no longer there:
%1</source>
        <translation>Ihre Listen wurden von einem anderen Programm oder auf einem anderen Computer geändert. Die neueren Listen werden mit Ihren Haken angezeigt, aber bei diesen gibt es den Eintrag nicht mehr:
%1</translation>
    </message>
    <message>
        <source>Your lists were changed by another program or on another computer. The newer lists are shown with your changes on them; these could not be made as you made them:
%1</source>
        <translation>Ihre Listen wurden von einem anderen Programm oder auf einem anderen Computer geändert. Die neueren Listen werden mit Ihren Änderungen angezeigt; diese ließen sich nicht so vornehmen, wie Sie sie vorgenommen haben:
%1</translation>
    </message>
    <message>
        <source>The File &apos;Quillmark.csv&apos; was created in the folder &apos;%1&apos;.</source>
        <translation>Die Datei „Quillmark.csv“ wurde im Ordner „%1“ angelegt.</translation>
    </message>
    <message>
        <source>The File &apos;Quillmark.csv&apos; was created in the folder &apos;%1&apos;, some records were too long or held characters the file cannot store and were left out.</source>
        <translation>Die Datei „Quillmark.csv“ wurde im Ordner „%1“ angelegt; einige Datensätze waren zu lang oder enthielten Zeichen, die die Datei nicht speichern kann, und wurden ausgelassen.</translation>
    </message>
    <message>
        <source>The File &apos;Quillmark.csv&apos; was created in the folder &apos;%1&apos;, some records were too long and were left out.</source>
        <translation>Die Datei „Quillmark.csv“ wurde im Ordner „%1“ angelegt; einige Datensätze waren zu lang und wurden ausgelassen.</translation>
    </message>
    <message>
        <source>The File &apos;%1&apos; was created in the folder &apos;%2&apos;.</source>
        <translation>Die Datei „%1“ wurde im Ordner „%2“ angelegt.</translation>
    </message>
    <message>
        <source>The File &apos;%1&apos; could not be written: %2</source>
        <translation>Die Datei „%1“ konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Trouble Converting String, file will not be completed</source>
        <translation>Ein Text ließ sich nicht umwandeln, die Datei wird nicht vollständig geschrieben.</translation>
    </message>
    <message>
        <source>The File &apos;Quillmark.csv&apos; could not be written: %1</source>
        <translation>Die Datei „Quillmark.csv“ konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Import Fields</source>
        <translation>Importfelder</translation>
    </message>
    <message>
        <source>Name Field:</source>
        <translation>Namensfeld:</translation>
    </message>
    <message>
        <source>Desc Field:</source>
        <translation>Textfeld:</translation>
    </message>
    <message>
        <source>Price Field:</source>
        <translation>Preisfeld:</translation>
    </message>
    <message>
        <source>Item Icon:</source>
        <translation>Symbol:</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Bitte geben Sie eine ganze Zahl zwischen %1 und %2 ein.</translation>
    </message>
    <message>
        <source>the date lies outside the years 100 to 9999</source>
        <translation>das Datum liegt außerhalb der Jahre 100 bis 9999</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Items to Calendar</source>
        <translation>Einträge an den Kalender</translation>
    </message>
    <message>
        <source>Item to Task</source>
        <translation>Eintrag als Aufgabe</translation>
    </message>
    <message>
        <source>Item to Calendar</source>
        <translation>Eintrag als Termin</translation>
    </message>
    <message>
        <source>Add item</source>
        <translation>Eintrag hinzufügen</translation>
    </message>
    <message>
        <source>Add list</source>
        <translation>Liste hinzufügen</translation>
    </message>
    <message>
        <source>Remove item</source>
        <translation>Eintrag entfernen</translation>
    </message>
    <message>
        <source>Remove list</source>
        <translation>Liste entfernen</translation>
    </message>
    <message>
        <source>Edit item</source>
        <translation>Eintrag bearbeiten</translation>
    </message>
    <message>
        <source>Edit list</source>
        <translation>Liste bearbeiten</translation>
    </message>
    <message>
        <source>%1 (%2 in the item list)</source>
        <translation>%1 (%2 in der Eintragsliste)</translation>
    </message>
    <message>
        <source>%1 (%2 in the list box)</source>
        <translation>%1 (%2 im Listenfeld)</translation>
    </message>
    <message>
        <source>Items</source>
        <translation>Einträge</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>You must select a list to remove.</source>
        <translation>Bitte wählen Sie die Liste aus, die entfernt werden soll.</translation>
    </message>
    <message>
        <source>Are you sure you want to remove the list &apos;%1&apos;?</source>
        <translation>Möchten Sie die Liste „%1“ wirklich entfernen?</translation>
    </message>
    <message>
        <source>Are you sure you want to remove the item &apos;%1&apos;?</source>
        <translation>Möchten Sie den Eintrag „%1“ wirklich entfernen?</translation>
    </message>
    <message>
        <source>New Item</source>
        <translation>Neuer Eintrag</translation>
    </message>
    <message>
        <source>Dated</source>
        <translation>Mit Datum</translation>
    </message>
    <message>
        <source>Desc:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>Price:</source>
        <translation>Preis:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Zeit:</translation>
    </message>
    <message>
        <source>Please enter a number for the price, for example 12.50.</source>
        <extracomment>The price field takes a point as the decimal mark in every language.</extracomment>
        <translation>Bitte geben Sie den Preis als Zahl ein, zum Beispiel 12,50.</translation>
    </message>
    <message>
        <source>New Item must have a name.</source>
        <translation>Der Eintrag braucht einen Namen.</translation>
    </message>
    <message>
        <source>New List</source>
        <translation>Neue Liste</translation>
    </message>
    <message>
        <source>New List must have a name.</source>
        <translation>Die Liste braucht einen Namen.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <extracomment>The Edit menu entry, alone and followed by the change it takes back (%1, e.g. &quot;Tick &apos;Bread&apos;&quot;).</extracomment>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>Wieder&amp;herstellen</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>Wieder&amp;herstellen: %1</translation>
    </message>
    <message>
        <source>Lists</source>
        <translation>Listen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbruch</translation>
    </message>
    <message>
        <source>Name:</source>
        <extracomment>The labels and buttons of the dialogs, which are narrow: keep them short.</extracomment>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Not done</source>
        <extracomment>What a screen reader says of an item that is not done.</extracomment>
        <translation>Nicht fertig</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Your lists could not be saved to %1 (%2). Your changes are still open here.</source>
        <translation>Ihre Listen konnten nicht in %1 gespeichert werden (%2). Ihre Änderungen sind hier weiterhin offen.</translation>
    </message>
    <message>
        <source>the file could not be read: %1</source>
        <translation>die Datei konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The merged copy %1 could not be moved aside (%2). It is offered again at the next start.</source>
        <translation>Die zusammengeführte Kopie %1 konnte nicht beiseitegelegt werden (%2). Sie wird beim nächsten Start erneut angeboten.</translation>
    </message>
    <message>
        <source>it is no ordinary file (a folder, a device or a named pipe, for instance)</source>
        <translation>es ist keine gewöhnliche Datei (sondern zum Beispiel ein Ordner, ein Gerät oder eine benannte Pipe)</translation>
    </message>
    <message>
        <source>&amp;View Lists...</source>
        <translation>Listen &amp;anzeigen...</translation>
    </message>
    <message>
        <source>Edi&amp;t Lists...</source>
        <translation>Listen b&amp;earbeiten...</translation>
    </message>
    <message>
        <source>&amp;Configuration</source>
        <translation>Ein&amp;stellungen</translation>
    </message>
    <message>
        <source>&amp;Setup Import...</source>
        <translation>Import ei&amp;nrichten...</translation>
    </message>
    <message>
        <source>&amp;Import List...</source>
        <translation>Liste &amp;importieren...</translation>
    </message>
    <message>
        <source>&amp;Export List...</source>
        <translation>Liste e&amp;xportieren...</translation>
    </message>
    <message>
        <source>Export List as i&amp;Calendar...</source>
        <translation>Liste als i&amp;Calendar exportieren...</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>B&amp;earbeiten</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Do&amp;ne or not done</source>
        <translation>E&amp;rledigt oder nicht erledigt</translation>
    </message>
    <message>
        <source>&amp;Hand over to calendar or tasks</source>
        <translation>An Kalender oder Aufgaben ü&amp;bergeben</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>&amp;Untick All</source>
        <translation>Alle &amp;Haken entfernen</translation>
    </message>
    <message>
        <source>&amp;Duplicate List...</source>
        <translation>Liste d&amp;uplizieren...</translation>
    </message>
    <message>
        <source>&amp;Move Item To...</source>
        <translation>Eintrag &amp;verschieben nach...</translation>
    </message>
    <message>
        <source>&amp;Copy as Text</source>
        <translation>Als Text &amp;kopieren</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Red pin</source>
        <translation>Rote Nadel</translation>
    </message>
    <message>
        <source>Orange pin</source>
        <translation>Orange Nadel</translation>
    </message>
    <message>
        <source>Yellow pin</source>
        <translation>Gelbe Nadel</translation>
    </message>
    <message>
        <source>Green pin</source>
        <translation>Grüne Nadel</translation>
    </message>
    <message>
        <source>Teal pin</source>
        <translation>Türkise Nadel</translation>
    </message>
    <message>
        <source>Blue pin</source>
        <translation>Blaue Nadel</translation>
    </message>
    <message>
        <source>Purple pin</source>
        <translation>Lila Nadel</translation>
    </message>
    <message>
        <source>Pink pin</source>
        <translation>Rosa Nadel</translation>
    </message>
    <message>
        <source>Brown pin</source>
        <translation>Braune Nadel</translation>
    </message>
    <message>
        <source>Grey pin</source>
        <translation>Graue Nadel</translation>
    </message>
    <message>
        <source>Yellow folder</source>
        <translation>Gelber Ordner</translation>
    </message>
    <message>
        <source>Blue folder</source>
        <translation>Blauer Ordner</translation>
    </message>
    <message>
        <source>Green folder</source>
        <translation>Grüner Ordner</translation>
    </message>
    <message>
        <source>Red folder</source>
        <translation>Roter Ordner</translation>
    </message>
    <message>
        <source>Orange folder</source>
        <translation>Oranger Ordner</translation>
    </message>
    <message>
        <source>Purple folder</source>
        <translation>Lila Ordner</translation>
    </message>
    <message>
        <source>Teal folder</source>
        <translation>Türkiser Ordner</translation>
    </message>
    <message>
        <source>Pink folder</source>
        <translation>Rosa Ordner</translation>
    </message>
    <message>
        <source>Brown folder</source>
        <translation>Brauner Ordner</translation>
    </message>
    <message>
        <source>Grey folder</source>
        <translation>Grauer Ordner</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>Yellow note</source>
        <translation>Gelber Zettel</translation>
    </message>
    <message>
        <source>Pink note</source>
        <translation>Rosa Zettel</translation>
    </message>
    <message>
        <source>Green note</source>
        <translation>Grüner Zettel</translation>
    </message>
    <message>
        <source>Blue note</source>
        <translation>Blauer Zettel</translation>
    </message>
    <message>
        <source>Orange note</source>
        <translation>Oranger Zettel</translation>
    </message>
    <message>
        <source>Checklist</source>
        <translation>Checkliste</translation>
    </message>
    <message>
        <source>Notepad</source>
        <translation>Notizblock</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Page and pencil</source>
        <translation>Seite mit Stift</translation>
    </message>
    <message>
        <source>Pinned note</source>
        <translation>Angehefteter Zettel</translation>
    </message>
    <message>
        <source>Receipt</source>
        <translation>Kassenbon</translation>
    </message>
    <message>
        <source>Exclamation mark</source>
        <translation>Ausrufezeichen</translation>
    </message>
    <message>
        <source>Question mark</source>
        <translation>Fragezeichen</translation>
    </message>
    <message>
        <source>Dollar</source>
        <translation>Dollar</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Uhr</translation>
    </message>
    <message>
        <source>House</source>
        <translation>Haus</translation>
    </message>
    <message>
        <source>Car</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Telephone</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <source>Envelope</source>
        <translation>Briefumschlag</translation>
    </message>
    <message>
        <source>Heart</source>
        <translation>Herz</translation>
    </message>
    <message>
        <source>Star</source>
        <translation>Stern</translation>
    </message>
    <message>
        <source>Shopping cart</source>
        <translation>Einkaufswagen</translation>
    </message>
    <message>
        <source>Person</source>
        <translation>Person</translation>
    </message>
    <message>
        <source>Lightning</source>
        <translation>Blitz</translation>
    </message>
    <message>
        <source>Coffee cup</source>
        <translation>Kaffeetasse</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Summe</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Offen</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Add an item…</source>
        <translation>Eintrag hinzufügen…</translation>
    </message>
    <message>
        <source>&amp;Add Item</source>
        <translation>Eintrag hinzu&amp;fügen</translation>
    </message>
    <message>
        <source>Pa&amp;ste Items</source>
        <translation>Einträge einfü&amp;gen</translation>
    </message>
    <message>
        <source>Add &apos;%1&apos;</source>
        <translation>„%1“ hinzufügen</translation>
    </message>
    <message>
        <source>Already on the list</source>
        <translation>Schon auf der Liste</translation>
    </message>
    <message>
        <source>On the list, done</source>
        <translation>Auf der Liste, erledigt</translation>
    </message>
    <message>
        <source>The text holds no items to add.</source>
        <translation>Der Text enthält keine Einträge zum Hinzufügen.</translation>
    </message>
    <message>
        <source>Line %L1: %2 (%3)</source>
        <translation>Zeile %L1: %2 (%3)</translation>
    </message>
    <message>
        <source>a heading</source>
        <translation>eine Überschrift</translation>
    </message>
    <message>
        <source>the list&apos;s total</source>
        <translation>die Summe der Liste</translation>
    </message>
    <message>
        <source>a dividing line</source>
        <translation>eine Trennlinie</translation>
    </message>
    <message>
        <source>no name</source>
        <translation>kein Name</translation>
    </message>
    <message>
        <source>the price is not a number</source>
        <translation>der Preis ist keine Zahl</translation>
    </message>
    <message>
        <source>Add Items</source>
        <translation>Einträge hinzufügen</translation>
    </message>
    <message>
        <source>Left out:</source>
        <translation>Ausgelassen:</translation>
    </message>
    <message numerus="yes">
        <source>Add %n items</source>
        <translation>
            <numerusform>%n Eintrag hinzufügen</numerusform>
            <numerusform>%n Einträge hinzufügen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Add %n Item(s)</source>
        <translation>
            <numerusform>%n Eintrag hinzufügen</numerusform>
            <numerusform>%n Einträge hinzufügen</numerusform>
        </translation>
    </message>
    <message>
        <source>No list yet. To make one, press F2 or the pencil button below: List Setup opens, where + adds a list.</source>
        <extracomment>Under the empty tree of lists at the first start: the key and the button that open List Setup.</extracomment>
        <translation>Noch keine Liste. Drücken Sie F2 oder den Stift unten: „Listen einrichten“ öffnet sich, wo + eine Liste hinzufügt.</translation>
    </message>
    <message>
        <source>Make and change lists in List Setup, or change the chosen item</source>
        <translation>Listen einrichten und ändern, oder den gewählten Eintrag ändern</translation>
    </message>
    <message>
        <source>Open the chosen list or item</source>
        <translation>Die gewählte Liste oder den gewählten Eintrag öffnen</translation>
    </message>
    <message>
        <source>Change the chosen item, or the list in List Setup when none is chosen</source>
        <translation>Den gewählten Eintrag ändern, ohne Auswahl die Liste in „Listen einrichten“</translation>
    </message>
    <message>
        <source>Open the chosen item</source>
        <translation>Den gewählten Eintrag öffnen</translation>
    </message>
    <message>
        <source>Change this item</source>
        <translation>Diesen Eintrag ändern</translation>
    </message>
    <message>
        <source>Change the chosen match</source>
        <translation>Den gewählten Treffer ändern</translation>
    </message>
    <message>
        <source>Open the chosen match</source>
        <translation>Den gewählten Treffer öffnen</translation>
    </message>
</context>
</TS>

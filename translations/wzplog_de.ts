<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>AboutWindow</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Product Name</source>
        <translation>Produktname</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Author:</source>
        <translation>Autor:</translation>
    </message>
    <message>
        <source>Comments:</source>
        <translation>Kommentar:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Program for management of D.O.K. Award</source>
        <translation>Programm zur Verwaltung des DOK-Diploms</translation>
    </message>
    <message>
        <source>Map borders approximate: GeoNames (CC BY 4.0), Digital Chart of the World</source>
        <translation>Kartengrenzen angenähert: GeoNames (CC BY 4.0), Digital Chart of the World</translation>
    </message>
</context>
<context>
    <name>AddDokWindow</name>
    <message>
        <source>Add new DOK</source>
        <translation>Neuen DOK hinzufügen</translation>
    </message>
    <message>
        <source>Special DOK</source>
        <translation>Sonder-DOK</translation>
    </message>
    <message>
        <source>QT&amp;H</source>
        <translation>QT&amp;H</translation>
    </message>
    <message>
        <source>Save and Exit</source>
        <translation>Speichern und schließen</translation>
    </message>
    <message>
        <source>Exit without saving</source>
        <translation>Schließen ohne Speichern</translation>
    </message>
</context>
<context>
    <name>ApplicationForm</name>
    <message>
        <source>WZP AWARD</source>
        <translation>WZP-DIPLOM</translation>
    </message>
    <message>
        <source>Award for contacts with the German DOK districts and chapters</source>
        <translation>Diplom für QSOs mit den DOKs der deutschen Distrikte und Ortsverbände</translation>
    </message>
    <message>
        <source>APPLICATION FORM</source>
        <translation>ANTRAGSFORMULAR</translation>
    </message>
    <message>
        <source>Applicant (callsign, name and full address)</source>
        <translation>Antragsteller (Rufzeichen, Name und vollständige Anschrift)</translation>
    </message>
    <message>
        <source>Date of application</source>
        <translation>Antragsdatum</translation>
    </message>
    <message>
        <source>Applicant&apos;s callsign</source>
        <translation>Rufzeichen des Antragstellers</translation>
    </message>
    <message>
        <source>Award(s) applied for:</source>
        <translation>Beantragte(s) Diplom(e):</translation>
    </message>
    <message>
        <source>Mark the level claimed on each band or in each mode with X</source>
        <translation>Die beantragte Stufe je Band oder Betriebsart mit X ankreuzen</translation>
    </message>
    <message>
        <source>Band / Mode</source>
        <translation>Band / Betriebsart</translation>
    </message>
    <message>
        <source>Level (DOKs)</source>
        <translation>Stufe (DOKs)</translation>
    </message>
    <message>
        <source>Accredited DOKs</source>
        <translation>Anerkannte DOKs</translation>
    </message>
    <message>
        <source>(already credited)</source>
        <translation>(bereits anerkannt)</translation>
    </message>
    <message>
        <source>Confirmed DOKs</source>
        <translation>Bestätigte DOKs</translation>
    </message>
    <message>
        <source>(new)</source>
        <translation>(neu)</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>I declare that all the QSOs listed on the attached pages were made by me from my own station, in accordance with the rules of the WZP award and with my licence, and that the QSL cards of the confirmed DOKs are in my possession.</source>
        <translation>Ich versichere, dass ich alle auf den beigefügten Seiten aufgeführten QSOs selbst von meiner eigenen Station aus, nach den Bedingungen des WZP-Diploms und im Rahmen meiner Zulassung gefahren habe und dass mir die QSL-Karten der bestätigten DOKs vorliegen.</translation>
    </message>
    <message>
        <source>For the award manager</source>
        <translation>Für den Diplommanager</translation>
    </message>
    <message>
        <source>Checked on: ____________________</source>
        <translation>Geprüft am: ____________________</translation>
    </message>
    <message>
        <source>Award no.: _____________________</source>
        <translation>Diplom-Nr.: ____________________</translation>
    </message>
    <message>
        <source>Signature of the applicant</source>
        <translation>Unterschrift des Antragstellers</translation>
    </message>
    <message>
        <source>Callsign</source>
        <translation>Rufzeichen</translation>
    </message>
    <message>
        <source>List of the QSOs with the DOKs claimed</source>
        <translation>Liste der QSOs mit den beantragten DOKs</translation>
    </message>
    <message>
        <source>Application:</source>
        <translation>Antrag:</translation>
    </message>
    <message>
        <source>Applicant</source>
        <translation>Antragsteller</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Anschrift</translation>
    </message>
    <message>
        <source>Postcode, city, country</source>
        <translation>PLZ, Ort, Land</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>One line per DOK: the first confirmed QSO with a station of that DOK on the band or in the mode of the award. Ordinary DOKs are listed first, special DOKs after them.</source>
        <translation>Eine Zeile je DOK: das erste bestätigte QSO mit einer Station dieses DOKs auf dem Band oder in der Betriebsart des Diploms. Zuerst die gewöhnlichen DOKs, danach die Sonder-DOKs.</translation>
    </message>
    <message>
        <source>NO.</source>
        <translation>NR.</translation>
    </message>
    <message>
        <source>CALL</source>
        <translation>RUFZEICHEN</translation>
    </message>
    <message>
        <source>DOK</source>
        <translation>DOK</translation>
    </message>
    <message>
        <source>DATE</source>
        <translation>DATUM</translation>
    </message>
    <message>
        <source>MODE</source>
        <translation>BETRIEBSART</translation>
    </message>
    <message>
        <source>BAND</source>
        <translation>BAND</translation>
    </message>
    <message>
        <source>REMARKS</source>
        <translation>BEMERKUNGEN</translation>
    </message>
</context>
<context>
    <name>AwardWindow</name>
    <message>
        <source>WZP Diplome Print</source>
        <translation>WZP-Diplomantrag drucken</translation>
    </message>
    <message>
        <source>C = Claimed,  T = To claim, * = Not enough DOK to claim</source>
        <translation>C = beantragt,  T = beantragbar,  * = noch nicht genug DOKs</translation>
    </message>
    <message>
        <source>Awards to claim (max 5)</source>
        <translation>Zu beantragende Diplome (höchstens 5)</translation>
    </message>
    <message>
        <source>New Application</source>
        <translation>Neuantrag</translation>
    </message>
    <message>
        <source>Endorsement</source>
        <translation>Nachtrag</translation>
    </message>
    <message>
        <source>The QSOs of each listed award as an ADIF file</source>
        <translation>Die QSOs jedes aufgeführten Diploms als ADIF-Datei</translation>
    </message>
    <message>
        <source>When the award manager has credited a printed application: its QSOs become accredited</source>
        <translation>Wenn der Diplommanager einen gedruckten Antrag anerkannt hat: seine QSOs werden als anerkannt markiert</translation>
    </message>
    <message>
        <source>Select to modify</source>
        <translation>Zum Ändern auswählen</translation>
    </message>
    <message>
        <source>You can claim 5 awards max each time!</source>
        <translation>Pro Antrag können höchstens 5 Diplome beantragt werden!</translation>
    </message>
    <message>
        <source>This Award has been already claimed</source>
        <translation>Dieses Diplom wurde bereits beantragt</translation>
    </message>
    <message>
        <source>You have not enough DOKs confirmed in order to claim this Award</source>
        <translation>Für dieses Diplom sind noch nicht genug DOKs bestätigt</translation>
    </message>
    <message>
        <source>New</source>
        <comment>begins the type of a new application</comment>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Mark these QSOs accredited?</source>
        <translation>Diese QSOs als anerkannt markieren?</translation>
    </message>
    <message>
        <source>QSOs accredited: %1</source>
        <translation>Als anerkannt markierte QSOs: %1</translation>
    </message>
    <message>
        <source>Mark these awards as claimed?</source>
        <translation>Diese Diplome als beantragt markieren?</translation>
    </message>
    <message>
        <source>&amp;Choose the award</source>
        <translation>&amp;Diplom wählen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Prepare</source>
        <translation>&amp;Vorbereiten</translation>
    </message>
    <message>
        <source>&amp;Export ADIF…</source>
        <translation>ADIF &amp;exportieren…</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>&amp;Mark these QSOs accredited</source>
        <translation>Diese QSOs als &amp;anerkannt markieren</translation>
    </message>
    <message>
        <source>Award levels by band and mode</source>
        <translation>Diplomstufen nach Band und Betriebsart</translation>
    </message>
    <message>
        <source>Awards to apply for</source>
        <translation>Zu beantragende Diplome</translation>
    </message>
</context>
<context>
    <name>BackupStore</name>
    <message>
        <source>Cannot create the folder %1.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
</context>
<context>
    <name>CountText</name>
    <message>
        <source>  %1 DOK confirmed on %2 MHz (%3 %)</source>
        <translation>  %1 DOK bestätigt auf %2 MHz (%3 %)</translation>
    </message>
    <message>
        <source>  %1 DOK confirmed on %2 Mode (%3 %)</source>
        <translation>  %1 DOK bestätigt in %2 (%3 %)</translation>
    </message>
    <message>
        <source>  %1 DOK accredited on %2 MHz (%3 %)</source>
        <translation>  %1 DOK anerkannt auf %2 MHz (%3 %)</translation>
    </message>
</context>
<context>
    <name>DataFolder</name>
    <message>
        <source>Cannot create the data folder %1.</source>
        <translation>Der Datenordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The delivered database was not found, so %1 cannot be created.</source>
        <translation>Die mitgelieferte Datenbank wurde nicht gefunden, daher kann %1 nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Cannot create %1.</source>
        <translation>%1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>the file %1 cannot be written</source>
        <translation>die Datei %1 nicht beschreibbar ist</translation>
    </message>
    <message>
        <source>the folder %1 cannot be written</source>
        <translation>der Ordner %1 nicht beschreibbar ist</translation>
    </message>
    <message>
        <source>The log is opened read-only, because %1. You can look at it, but nothing can be saved.</source>
        <translation>Das Log ist nur zum Lesen geöffnet, weil %1. Sie können es ansehen, aber nichts speichern.</translation>
    </message>
    <message>
        <source>Nothing can be saved: the log is open read-only, because %1.</source>
        <translation>Es kann nichts gespeichert werden: Das Log ist nur zum Lesen geöffnet, weil %1.</translation>
    </message>
    <message>
        <source>the folder cannot be written</source>
        <translation>der Ordner ist nicht beschreibbar</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>%1, process %2</source>
        <translation>%1, Prozess %2</translation>
    </message>
    <message>
        <source>WZP Logbook is already running on the database %1</source>
        <translation>WZP Logbook arbeitet bereits mit der Datenbank %1</translation>
    </message>
    <message>
        <source>Cannot open the database %1: %2.</source>
        <translation>Die Datenbank %1 kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>Cannot create the lock file %1: %2.</source>
        <translation>Die Sperrdatei %1 kann nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>Cannot write the lock file %1: %2.</source>
        <translation>Die Sperrdatei %1 kann nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>Cannot create the lock file %1: it keeps being replaced.</source>
        <translation>Die Sperrdatei %1 kann nicht angelegt werden: Sie wird immer wieder ersetzt.</translation>
    </message>
    <message>
        <source>%1 is a database; it is never written over. Choose another file.</source>
        <translation>%1 ist eine Datenbank und wird nie überschrieben. Bitte eine andere Datei wählen.</translation>
    </message>
    <message>
        <source>The table %1 is missing, so the file is not a database of this program; it was left as it is.</source>
        <translation>Die Tabelle %1 fehlt, die Datei ist also keine Datenbank dieses Programms; sie bleibt unverändert.</translation>
    </message>
</context>
<context>
    <name>DatabaseFile</name>
    <message>
        <source>the disk is full (%1)</source>
        <translation>der Datenträger ist voll (%1)</translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 existiert nicht.</translation>
    </message>
    <message>
        <source>The integrity check gave no answer.</source>
        <translation>Die Integritätsprüfung lieferte keine Antwort.</translation>
    </message>
    <message>
        <source>The table %1 is missing, so it is not a database of this program.</source>
        <translation>Die Tabelle %1 fehlt, es ist also keine Datenbank dieses Programms.</translation>
    </message>
    <message>
        <source>The file is damaged (%1).</source>
        <translation>Die Datei ist beschädigt (%1).</translation>
    </message>
    <message>
        <source>Cannot remove %1.</source>
        <translation>%1 kann nicht entfernt werden.</translation>
    </message>
    <message>
        <source>Cannot copy %1 to %2: %3</source>
        <translation>%1 kann nicht nach %2 kopiert werden: %3</translation>
    </message>
    <message>
        <source>%1 has an unfinished journal; open it with the program once first.</source>
        <translation>%1 hat ein unvollständiges Journal; bitte zuerst einmal mit dem Programm öffnen.</translation>
    </message>
    <message>
        <source>Cannot write %1 to the disk: %2</source>
        <translation>%1 kann nicht auf den Datenträger geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot rename %1 to %2: %3</source>
        <translation>%1 kann nicht in %2 umbenannt werden: %3</translation>
    </message>
    <message>
        <source>Cannot write the folder of %1 to the disk: %2</source>
        <translation>Der Ordner von %1 kann nicht auf den Datenträger geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>DatabaseMender</name>
    <message>
        <source>row</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>rows</source>
        <translation>Zeilen</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>%1: %2 recovered</source>
        <translation>%1: %2 gerettet</translation>
    </message>
    <message>
        <source> (%1 read from its pages directly)</source>
        <translation> (%1 direkt aus den Seiten gelesen)</translation>
    </message>
    <message>
        <source>, at least %1 lost (%2 %3 unreadable)</source>
        <translation>, mindestens %1 verloren (%2 %3 unlesbar)</translation>
    </message>
    <message>
        <source>id</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>ids</source>
        <translation>IDs</translation>
    </message>
    <message>
        <source>, %1 %2 missing (lost, or deleted earlier)</source>
        <translation>, %1 %2 fehlen (verloren oder früher gelöscht)</translation>
    </message>
    <message>
        <source>, damaged parts skipped</source>
        <translation>, beschädigte Teile übersprungen</translation>
    </message>
    <message>
        <source>, %1 could not be written</source>
        <translation>, %1 konnten nicht geschrieben werden</translation>
    </message>
    <message>
        <source>There is no %1 in %2.</source>
        <translation>In %2 gibt es keine %1.</translation>
    </message>
    <message>
        <source>Checking %1 (%2).</source>
        <translation>Prüfe %1 (%2).</translation>
    </message>
    <message>
        <source>The file does not open with the program&apos;s password; it was left as it is.</source>
        <translation>Die Datei lässt sich mit dem Kennwort des Programms nicht öffnen; sie bleibt unverändert.</translation>
    </message>
    <message>
        <source>The file is sound.</source>
        <translation>Die Datei ist in Ordnung.</translation>
    </message>
    <message>
        <source>The file is damaged: %1</source>
        <translation>Die Datei ist beschädigt: %1</translation>
    </message>
    <message>
        <source>(%1 problems found in all.)</source>
        <translation>(Insgesamt %1 Fehler gefunden.)</translation>
    </message>
    <message>
        <source>The damaged file could not be kept, so it was left as it is: %1</source>
        <translation>Die beschädigte Datei konnte nicht aufbewahrt werden, daher bleibt sie unverändert: %1</translation>
    </message>
    <message>
        <source>The damaged file was kept as %1.</source>
        <translation>Die beschädigte Datei wurde als %1 aufbewahrt.</translation>
    </message>
    <message>
        <source>The band and mode tables, the DOK status, the counters and the awards were derived again from LOG.</source>
        <translation>Die Band- und Betriebsarttabellen, der DOK-Status, die Zähler und die Diplome wurden neu aus LOG abgeleitet.</translation>
    </message>
    <message>
        <source>Compacted from %1 to %2.</source>
        <translation>Von %1 auf %2 komprimiert.</translation>
    </message>
    <message>
        <source>%1 was not changed: %2</source>
        <translation>%1 wurde nicht verändert: %2</translation>
    </message>
    <message>
        <source>Restore your backup (Utility, Restore) to go on working.</source>
        <translation>Zum Weiterarbeiten die Sicherung wiederherstellen (Extras, Wiederherstellen).</translation>
    </message>
    <message>
        <source>%1 is ready for WZP Logbook, but rows were lost: compare it with your backup (the damaged file was kept).</source>
        <translation>%1 ist für WZP Logbook bereit, aber es gingen Zeilen verloren: bitte mit der Sicherung vergleichen (die beschädigte Datei wurde aufbewahrt).</translation>
    </message>
    <message>
        <source>Done: %1 is ready for WZP Logbook.</source>
        <translation>Fertig: %1 ist für WZP Logbook bereit.</translation>
    </message>
    <message>
        <source>the list of tables cannot be read (%1)</source>
        <translation>die Liste der Tabellen ist nicht lesbar (%1)</translation>
    </message>
    <message>
        <source>the table %1 cannot be made again (%2)</source>
        <translation>die Tabelle %1 kann nicht neu angelegt werden (%2)</translation>
    </message>
    <message>
        <source>%1: %2 rows so far</source>
        <translation>%1: bisher %2 Zeilen</translation>
    </message>
    <message>
        <source>DOK: %1 brought back from the delivered database.</source>
        <translation>DOK: %1 aus der mitgelieferten Datenbank zurückgeholt.</translation>
    </message>
    <message>
        <source>DOK: %1 %2 of LOG added to the list.</source>
        <translation>DOK: %1 %2 aus LOG in die Liste aufgenommen.</translation>
    </message>
    <message>
        <source>code</source>
        <translation>Kenner</translation>
    </message>
    <message>
        <source>codes</source>
        <translation>Kenner</translation>
    </message>
    <message>
        <source>The %1 %2 could not be made again: %3</source>
        <translation>%1 %2 konnte nicht neu angelegt werden: %3</translation>
    </message>
    <message>
        <source>WZP Logbook is still working on %1.</source>
        <translation>WZP Logbook arbeitet noch mit %1.</translation>
    </message>
    <message>
        <source>Close it and start menddb again; nothing was changed.</source>
        <translation>Bitte WZP Logbook schließen und menddb erneut starten; es wurde nichts verändert.</translation>
    </message>
    <message>
        <source>Nothing was changed.</source>
        <translation>Es wurde nichts verändert.</translation>
    </message>
</context>
<context>
    <name>DetailsWindow</name>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Details for DOK %1 on all Bands/Modes</source>
        <translation>Details zu DOK %1 auf allen Bändern/Betriebsarten</translation>
    </message>
    <message>
        <source>Details for DOK %1 on %2 Mode</source>
        <translation>Details zu DOK %1 in %2</translation>
    </message>
    <message>
        <source>Details for DOK %1 on %2 Mhz</source>
        <translation>Details zu DOK %1 auf %2 MHz</translation>
    </message>
    <message>
        <source>CALL</source>
        <translation>CALL</translation>
    </message>
    <message>
        <source>MODO</source>
        <translation>MODE</translation>
    </message>
    <message>
        <source>DATA</source>
        <translation>DATUM</translation>
    </message>
    <message>
        <source>Cf</source>
        <translation>St</translation>
    </message>
</context>
<context>
    <name>DistrictWindow</name>
    <message>
        <source>MODE</source>
        <translation>MODE</translation>
    </message>
    <message>
        <source>BAND</source>
        <translation>BAND</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source> Baden </source>
        <translation> Baden </translation>
    </message>
    <message>
        <source>DOK A: Baden</source>
        <translation>DOK A: Baden</translation>
    </message>
    <message>
        <source> Franken </source>
        <translation> Franken </translation>
    </message>
    <message>
        <source>DOK B: Franken</source>
        <translation>DOK B: Franken</translation>
    </message>
    <message>
        <source> Oberbayern </source>
        <translation> Oberbayern </translation>
    </message>
    <message>
        <source>DOK C: Oberbayern</source>
        <translation>DOK C: Oberbayern</translation>
    </message>
    <message>
        <source> Berlin </source>
        <translation> Berlin </translation>
    </message>
    <message>
        <source>DOK D: Berlin</source>
        <translation>DOK D: Berlin</translation>
    </message>
    <message>
        <source> Hamburg </source>
        <translation> Hamburg </translation>
    </message>
    <message>
        <source>DOK E: Hamburg</source>
        <translation>DOK E: Hamburg</translation>
    </message>
    <message>
        <source> Hessen </source>
        <translation> Hessen </translation>
    </message>
    <message>
        <source>DOK F: Hessen</source>
        <translation>DOK F: Hessen</translation>
    </message>
    <message>
        <source> Koln - Aachen</source>
        <translation> Köln-Aachen</translation>
    </message>
    <message>
        <source>DOK G: Koln - Aachen</source>
        <translation>DOK G: Köln-Aachen</translation>
    </message>
    <message>
        <source> Nieder - Sachsen </source>
        <translation> Niedersachsen </translation>
    </message>
    <message>
        <source>DOK H: Niedersachsen</source>
        <translation>DOK H: Niedersachsen</translation>
    </message>
    <message>
        <source> Nordsee </source>
        <translation> Nordsee </translation>
    </message>
    <message>
        <source>DOK I: Nordsee</source>
        <translation>DOK I: Nordsee</translation>
    </message>
    <message>
        <source> Rheinland - Pfalz </source>
        <translation> Rheinland-Pfalz </translation>
    </message>
    <message>
        <source>DOK K: Rheinland - Pfalz</source>
        <translation>DOK K: Rheinland-Pfalz</translation>
    </message>
    <message>
        <source> Ruhrgebiet </source>
        <translation> Ruhrgebiet </translation>
    </message>
    <message>
        <source>DOK L: Ruhrgebiet</source>
        <translation>DOK L: Ruhrgebiet</translation>
    </message>
    <message>
        <source> Schleswig - Holstein </source>
        <translation> Schleswig-Holstein </translation>
    </message>
    <message>
        <source>DOK M: Schleswig - Holstein</source>
        <translation>DOK M: Schleswig-Holstein</translation>
    </message>
    <message>
        <source> Westfalen Nord </source>
        <translation> Westfalen-Nord </translation>
    </message>
    <message>
        <source>DOK N: Westfalen Nord</source>
        <translation>DOK N: Westfalen-Nord</translation>
    </message>
    <message>
        <source> Westfalen Sud </source>
        <translation> Westfalen-Süd </translation>
    </message>
    <message>
        <source>DOK O: Westfalen Sud</source>
        <translation>DOK O: Westfalen-Süd</translation>
    </message>
    <message>
        <source> Wurttemberg </source>
        <translation> Württemberg </translation>
    </message>
    <message>
        <source>DOK P: Wurttemberg</source>
        <translation>DOK P: Württemberg</translation>
    </message>
    <message>
        <source>Saarland </source>
        <translation>Saarland </translation>
    </message>
    <message>
        <source>DOK Q: Saarland</source>
        <translation>DOK Q: Saarland</translation>
    </message>
    <message>
        <source> Nordrhein </source>
        <translation> Nordrhein </translation>
    </message>
    <message>
        <source>DOK R: Nordrhein</source>
        <translation>DOK R: Nordrhein</translation>
    </message>
    <message>
        <source> Sachsen </source>
        <translation> Sachsen </translation>
    </message>
    <message>
        <source>DOK S: Sachsen</source>
        <translation>DOK S: Sachsen</translation>
    </message>
    <message>
        <source> Schwaben </source>
        <translation> Schwaben </translation>
    </message>
    <message>
        <source>DOK T: Schwaben</source>
        <translation>DOK T: Schwaben</translation>
    </message>
    <message>
        <source> Bayern Ost </source>
        <translation> Bayern-Ost </translation>
    </message>
    <message>
        <source>DOK U: Bayern Ost</source>
        <translation>DOK U: Bayern-Ost</translation>
    </message>
    <message>
        <source> Mecklemburg - Vorpommern </source>
        <translation> Mecklenburg-Vorpommern </translation>
    </message>
    <message>
        <source>DOK V: Mecklenburg - Vorpommern</source>
        <translation>DOK V: Mecklenburg-Vorpommern</translation>
    </message>
    <message>
        <source> Sachsen - Anhalt </source>
        <translation> Sachsen-Anhalt </translation>
    </message>
    <message>
        <source>DOK W: Sachsen - Anhalt</source>
        <translation>DOK W: Sachsen-Anhalt</translation>
    </message>
    <message>
        <source> Thuringen </source>
        <translation> Thüringen </translation>
    </message>
    <message>
        <source>DOK X: Thuringen</source>
        <translation>DOK X: Thüringen</translation>
    </message>
    <message>
        <source> Brandenburg </source>
        <translation> Brandenburg </translation>
    </message>
    <message>
        <source>DOK Y: Brandenburg</source>
        <translation>DOK Y: Brandenburg</translation>
    </message>
    <message>
        <source>%1 - Total %2</source>
        <translation>%1 – insgesamt %2</translation>
    </message>
</context>
<context>
    <name>DokList</name>
    <message>
        <source>The DOK list is empty.</source>
        <translation>Die DOK-Liste ist leer.</translation>
    </message>
    <message>
        <source>The file is no DOK list: it names no DOK.</source>
        <translation>Die Datei ist keine DOK-Liste: Sie enthält keinen DOK.</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>DOKs added: %1
DOKs renamed: %2
DOKs unchanged: %3</source>
        <translation>DOKs hinzugefügt: %1
DOKs umbenannt: %2
DOKs unverändert: %3</translation>
    </message>
    <message>
        <source>
Lines not understood: %1</source>
        <translation>
Nicht verstandene Zeilen: %1</translation>
    </message>
</context>
<context>
    <name>EntryPanel</name>
    <message>
        <source>Local Time</source>
        <translation>Ortszeit</translation>
    </message>
    <message>
        <source>&amp;DOK</source>
        <translation>&amp;DOK</translation>
    </message>
    <message>
        <source>&amp;Mhz</source>
        <translation>&amp;MHz</translation>
    </message>
    <message>
        <source>M&amp;ode</source>
        <translation>Betriebs&amp;art</translation>
    </message>
    <message>
        <source>Ca&amp;llsign</source>
        <translation>&amp;Rufzeichen</translation>
    </message>
    <message>
        <source>D&amp;ate (dd/mm/yyy)</source>
        <translation>Dat&amp;um (tt/mm/jjjj)</translation>
    </message>
    <message>
        <source>Q&amp;TH</source>
        <translation>Q&amp;TH</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>This DOK does not exists or typing error</source>
        <translation>Diesen DOK gibt es nicht, oder er ist falsch geschrieben</translation>
    </message>
    <message>
        <source>NEW DOK</source>
        <translation>NEUER DOK</translation>
    </message>
    <message>
        <source>DOK Already confirmed</source>
        <translation>DOK schon bestätigt</translation>
    </message>
    <message>
        <source>(Press &apos;Return&apos; to add)</source>
        <translation>(Eingabetaste zum Hinzufügen)</translation>
    </message>
    <message>
        <source> Registra i dati </source>
        <translation> Daten speichern </translation>
    </message>
    <message>
        <source>Double Click to edit</source>
        <translation>Doppelklick zum Bearbeiten</translation>
    </message>
    <message>
        <source>Click to enter the date</source>
        <translation>Klicken, um das Datum einzugeben</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>CALL</source>
        <translation>CALL</translation>
    </message>
    <message>
        <source>DATA</source>
        <translation>DATUM</translation>
    </message>
    <message>
        <source>MODE</source>
        <translation>MODE</translation>
    </message>
    <message>
        <source>Conf.</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Close this panel| Exit QSO management</source>
        <translation>Eingabe schließen| QSO-Eingabe beenden</translation>
    </message>
    <message>
        <source>This DOK has been already Confirmed on this Band/Mode.<byte value="xd"/>Would you like to save anyway ?</source>
        <translation>Dieser DOK ist auf diesem Band in dieser Betriebsart schon bestätigt.<byte value="xd"/>Trotzdem speichern?</translation>
    </message>
    <message>
        <source>This DOK has been already Accredited on this Band/Mode.</source>
        <translation>Dieser DOK ist auf diesem Band in dieser Betriebsart schon anerkannt.</translation>
    </message>
    <message>
        <source>?<byte value="xd"/>Do you want to add it, right now?</source>
        <translation>?<byte value="xd"/>Soll er jetzt hinzugefügt werden?</translation>
    </message>
    <message>
        <source>The value </source>
        <translation>Der Wert </translation>
    </message>
    <message>
        <source> is not allowed!</source>
        <translation> ist nicht zulässig!</translation>
    </message>
    <message>
        <source>Invalid Day!</source>
        <translation>Ungültiger Tag!</translation>
    </message>
    <message>
        <source>Invalid Month!</source>
        <translation>Ungültiger Monat!</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>DOK list</source>
        <translation>DOK-Liste</translation>
    </message>
    <message>
        <source>QSOs with this callsign</source>
        <translation>QSOs mit diesem Rufzeichen</translation>
    </message>
</context>
<context>
    <name>ExchangeCommands</name>
    <message>
        <source>Import ADIF</source>
        <translation>ADIF importieren</translation>
    </message>
    <message>
        <source>Importing QSOs…</source>
        <translation>QSOs werden importiert…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Refresh the data now?</source>
        <translation>Die Daten jetzt aktualisieren?</translation>
    </message>
    <message>
        <source> and %1 more</source>
        <translation> und %1 weitere</translation>
    </message>
    <message>
        <source>Add %1 unknown DOKs to the list?<byte value="xd"/></source>
        <translation>%1 unbekannte DOKs in die Liste aufnehmen?<byte value="xd"/></translation>
    </message>
    <message>
        <source>Import confirmations</source>
        <translation>Bestätigungen importieren</translation>
    </message>
    <message>
        <source>Export ADIF</source>
        <translation>ADIF exportieren</translation>
    </message>
    <message>
        <source>QSOs exported: %1</source>
        <translation>Exportierte QSOs: %1</translation>
    </message>
    <message>
        <source>Export ADIF: %1</source>
        <translation>ADIF exportieren: %1</translation>
    </message>
    <message>
        <source>Update DOK list</source>
        <translation>DOK-Liste aktualisieren</translation>
    </message>
    <message>
        <source>DOK lists (*.txt *.csv);;All files (*)</source>
        <translation>DOK-Listen (*.txt *.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>ADIF files (*.adi *.adif *.adx);;All files (*)</source>
        <translation>ADIF-Dateien (*.adi *.adif *.adx);;Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>ExchangeFile</name>
    <message>
        <source>The file is not valid ADIF: %1 (at byte %2).</source>
        <translation>Die Datei ist kein gültiges ADIF: %1 (bei Byte %2).</translation>
    </message>
    <message>
        <source>the length of the field &lt;%1&gt; counts neither its bytes nor its characters</source>
        <translation>die Länge des Felds &lt;%1&gt; zählt weder seine Bytes noch seine Zeichen</translation>
    </message>
    <message>
        <source>a field without a name</source>
        <translation>ein Feld ohne Namen</translation>
    </message>
    <message>
        <source>&lt;EOH&gt; after the first record</source>
        <translation>&lt;EOH&gt; nach dem ersten Datensatz</translation>
    </message>
    <message>
        <source>&lt;EOR&gt; inside the header</source>
        <translation>&lt;EOR&gt; im Kopf</translation>
    </message>
    <message>
        <source>the field &lt;%1&gt; has no length</source>
        <translation>das Feld &lt;%1&gt; hat keine Länge</translation>
    </message>
    <message>
        <source>a broken field name</source>
        <translation>ein fehlerhafter Feldname</translation>
    </message>
    <message>
        <source>the field &lt;%1&gt; is longer than the rest of the file</source>
        <translation>das Feld &lt;%1&gt; ist länger als der Rest der Datei</translation>
    </message>
    <message>
        <source>the field &lt;%1&gt; is longer than the 1 MB a value may hold</source>
        <translation>das Feld &lt;%1&gt; ist länger als die 1 MB, die ein Wert haben darf</translation>
    </message>
    <message>
        <source>the field &lt;%1&gt; has a broken length</source>
        <translation>das Feld &lt;%1&gt; hat eine fehlerhafte Länge</translation>
    </message>
    <message>
        <source>the field &lt;%1&gt; has a broken type</source>
        <translation>das Feld &lt;%1&gt; hat einen fehlerhaften Typ</translation>
    </message>
    <message>
        <source>record %1 has the field &lt;%2&gt; twice (is an &lt;EOR&gt; missing?)</source>
        <translation>Datensatz %1 enthält das Feld &lt;%2&gt; zweimal (fehlt ein &lt;EOR&gt;?)</translation>
    </message>
    <message>
        <source>the file ends inside a field</source>
        <translation>die Datei endet mitten in einem Feld</translation>
    </message>
    <message>
        <source>the header has no &lt;EOH&gt;</source>
        <translation>der Kopf hat kein &lt;EOH&gt;</translation>
    </message>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>%1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The file is not valid ADX: %1 (at line %2).</source>
        <translation>Die Datei ist kein gültiges ADX: %1 (in Zeile %2).</translation>
    </message>
    <message>
        <source>an &lt;APP&gt; field without PROGRAMID or FIELDNAME</source>
        <translation>ein &lt;APP&gt;-Feld ohne PROGRAMID oder FIELDNAME</translation>
    </message>
    <message>
        <source>a &lt;USERDEF&gt; field without FIELDNAME</source>
        <translation>ein &lt;USERDEF&gt;-Feld ohne FIELDNAME</translation>
    </message>
    <message>
        <source>the root element is &lt;%1&gt;, not &lt;ADX&gt;</source>
        <translation>das Wurzelelement ist &lt;%1&gt;, nicht &lt;ADX&gt;</translation>
    </message>
    <message>
        <source>record %1 has the field &lt;%2&gt; twice</source>
        <translation>Datensatz %1 enthält das Feld &lt;%2&gt; zweimal</translation>
    </message>
    <message>
        <source>There is no award &quot;%1&quot;: name a band (1.8 ... 433) or a mode (%2).</source>
        <translation>Es gibt kein Diplom „%1“: bitte ein Band (1.8 ... 433) oder eine Betriebsart (%2) angeben.</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>DOK Help</source>
        <translation>DOK-Hilfe</translation>
    </message>
    <message>
        <source>UTILITY</source>
        <translation>EXTRAS</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>MANAGEMENT</source>
        <translation>VERWALTUNG</translation>
    </message>
    <message>
        <source>DOK, Management opens the management view over your log. The band buttons filter it by band, the mode buttons by mode; with a band chosen you can also show only the DOKs confirmed (C) or accredited (A) on that band.</source>
        <translation>DOK, Verwaltung öffnet die Verwaltungsansicht Ihres Logs. Die Bandknöpfe filtern nach Band, die Betriebsartknöpfe nach Betriebsart; ist ein Band gewählt, lassen sich auch nur die DOKs zeigen, die auf diesem Band bestätigt (C) oder anerkannt (A) sind.</translation>
    </message>
    <message>
        <source>With the confirmed filter on, &quot;Show Details&quot; is enabled: click a C or an A cell of the matrix to see the QSOs behind it. &quot;Hide Details&quot; hides them again.</source>
        <translation>Mit dem Filter „bestätigt“ ist „Details zeigen“ verfügbar: Ein Klick auf ein C- oder A-Feld der Tabelle zeigt die QSOs dahinter. „Details ausblenden“ blendet sie wieder aus.</translation>
    </message>
    <message>
        <source>REQUEST</source>
        <translation>ANTRAG</translation>
    </message>
    <message>
        <source>DOK, Request opens the award window. Every award you may claim after the last refresh is marked with a T. Choose a new application or an endorsement, then click the T cells of the awards you want: they are collected in the box at the lower left, where you can also remove them again.</source>
        <translation>DOK, Antrag öffnet das Diplomfenster. Jedes Diplom, das Sie nach der letzten Aktualisierung beantragen können, ist mit T markiert. Wählen Sie Neuantrag oder Nachtrag und klicken Sie dann auf die T-Felder der gewünschten Diplome: Sie werden im Feld unten links gesammelt, wo Sie sie auch wieder entfernen können.</translation>
    </message>
    <message>
        <source>&quot;Prepare&quot; previews and prints the request: the application form and the list of QSOs for each award.</source>
        <translation>„Vorbereiten“ zeigt den Antrag in der Vorschau und druckt ihn: das Antragsformular und die QSO-Liste zu jedem Diplom.</translation>
    </message>
    <message>
        <source>RULES</source>
        <translation>REGELN</translation>
    </message>
    <message>
        <source>DOK, Rules shows the rules of the award in Italian, English, German, French and Spanish. Click a flag to read the rules in its language.</source>
        <translation>DOK, Regeln zeigt die Diplombedingungen auf Italienisch, Englisch, Deutsch, Französisch und Spanisch. Ein Klick auf eine Flagge zeigt die Bedingungen in dieser Sprache.</translation>
    </message>
    <message>
        <source>MAP</source>
        <translation>KARTE</translation>
    </message>
    <message>
        <source>DOK, Map shows the German DOK districts. Click a district to see the approximate position of its DOKs; point at a DOK to see its name and what you have logged for it, by band and by mode.</source>
        <translation>DOK, Karte zeigt die deutschen DOK-Distrikte. Ein Klick auf einen Distrikt zeigt die ungefähre Lage seiner Ortsverbände; zeigt die Maus auf einen DOK, erscheinen sein Name und was Sie für ihn geloggt haben, nach Band und Betriebsart.</translation>
    </message>
    <message>
        <source>REFRESH DATA and SUMMARY</source>
        <translation>DATEN AKTUALISIEREN und ÜBERSICHT</translation>
    </message>
    <message>
        <source>Refresh Data recalculates the score of every DOK on every band and in every mode from your log and marks the awards you may claim. Run it after entering, changing or deleting QSOs.</source>
        <translation>Daten aktualisieren berechnet den Stand jedes DOK auf jedem Band und in jeder Betriebsart neu aus Ihrem Log und markiert die Diplome, die Sie beantragen können. Nach dem Eingeben, Ändern oder Löschen von QSOs aufrufen.</translation>
    </message>
    <message>
        <source>Summary shows how many DOKs are confirmed and accredited on each band and in each mode.</source>
        <translation>Übersicht zeigt, wie viele DOKs auf jedem Band und in jeder Betriebsart bestätigt und anerkannt sind.</translation>
    </message>
    <message>
        <source>NEW</source>
        <translation>NEU</translation>
    </message>
    <message>
        <source>QSO, New opens the entry panel. Type the DOK first, then choose the band and the mode. When the DOK is new on that band or in that mode you see &quot;NEW DOK&quot; and, with the sound on, hear a sound.</source>
        <translation>QSO, Neu öffnet die QSO-Eingabe. Zuerst den DOK eingeben, dann Band und Betriebsart wählen. Ist der DOK auf diesem Band oder in dieser Betriebsart neu, erscheint „NEUER DOK“ und bei eingeschaltetem Ton ertönt ein Signal.</translation>
    </message>
    <message>
        <source>Then fill in the callsign, the date and the QTH and save the QSO. When the DOK is already confirmed on that band and in that mode you see &quot;DOK Already confirmed&quot;: you need not save it.</source>
        <translation>Dann Rufzeichen, Datum und QTH eintragen und das QSO speichern. Ist der DOK auf diesem Band und in dieser Betriebsart schon bestätigt, erscheint „DOK schon bestätigt“: Dann braucht es nicht gespeichert zu werden.</translation>
    </message>
    <message>
        <source>MODIFY and DELETE</source>
        <translation>ÄNDERN und LÖSCHEN</translation>
    </message>
    <message>
        <source>Both commands are enabled only in the DOK management view. Choose a band with the band buttons, then pick the QSO by typing its DOK or its callsign, or by clicking it in the grid; then modify or delete it.</source>
        <translation>Beide Befehle sind nur in der DOK-Verwaltung verfügbar. Mit den Bandknöpfen ein Band wählen, dann das QSO über seinen DOK oder sein Rufzeichen suchen oder in der Tabelle anklicken; danach ändern oder löschen.</translation>
    </message>
    <message>
        <source>The mode buttons and the other buttons of the view disable Modify and Delete again.</source>
        <translation>Die Betriebsartknöpfe und die übrigen Knöpfe der Ansicht sperren Ändern und Löschen wieder.</translation>
    </message>
    <message>
        <source>USER DATA</source>
        <translation>BENUTZERDATEN</translation>
    </message>
    <message>
        <source>Utility, User Data: fill in every item of your personal data (callsign, name, address, locator, country). They are printed on your award applications.</source>
        <translation>Extras, Benutzerdaten: alle Angaben zu Ihrer Person ausfüllen (Rufzeichen, Name, Anschrift, Locator, Land). Sie werden auf Ihre Diplomanträge gedruckt.</translation>
    </message>
    <message>
        <source>BACKUP - RESTORE</source>
        <translation>SICHERN – WIEDERHERSTELLEN</translation>
    </message>
    <message>
        <source>Backup stores a copy of your database in the subfolder backup of the data folder; Restore puts that copy back, and keeps the database it replaces as backup/before-restore.mdb.</source>
        <translation>Sichern legt eine Kopie Ihrer Datenbank im Unterordner backup des Datenordners ab; Wiederherstellen spielt diese Kopie zurück und bewahrt die ersetzte Datenbank als backup/before-restore.mdb auf.</translation>
    </message>
    <message>
        <source>Both commands are active only in the DOK management view.</source>
        <translation>Beide Befehle sind nur in der DOK-Verwaltung verfügbar.</translation>
    </message>
    <message>
        <source>SOUND</source>
        <translation>TON</translation>
    </message>
    <message>
        <source>Utility, Sound turns the sound messages of the entry panel on and off.</source>
        <translation>Extras, Ton schaltet die Tonsignale der QSO-Eingabe ein und aus.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>ZER Uvizeru</source>
        <translation>ZER Uvizeru</translation>
    </message>
    <message>
        <source>&amp;QSO</source>
        <translation>&amp;QSO</translation>
    </message>
    <message>
        <source>DO&amp;K</source>
        <translation>DO&amp;K</translation>
    </message>
    <message>
        <source>&amp;Utility</source>
        <translation>&amp;Extras</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Modify</source>
        <translation>Än&amp;dern</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Management</source>
        <translation>&amp;Verwaltung</translation>
    </message>
    <message>
        <source>&amp;Request</source>
        <translation>&amp;Antrag</translation>
    </message>
    <message>
        <source>R&amp;ules</source>
        <translation>&amp;Regeln</translation>
    </message>
    <message>
        <source>Refresh &amp;Data</source>
        <translation>&amp;Daten aktualisieren</translation>
    </message>
    <message>
        <source>&amp;Summary</source>
        <translation>&amp;Übersicht</translation>
    </message>
    <message>
        <source>&amp;Import ADIF…</source>
        <translation>ADIF &amp;importieren…</translation>
    </message>
    <message>
        <source>Import &amp;confirmations…</source>
        <translation>&amp;Bestätigungen importieren…</translation>
    </message>
    <message>
        <source>&amp;Export ADIF…</source>
        <translation>ADIF e&amp;xportieren…</translation>
    </message>
    <message>
        <source>Update DOK &amp;list…</source>
        <translation>DOK-&amp;Liste aktualisieren…</translation>
    </message>
    <message>
        <source>User &amp;Data</source>
        <translation>&amp;Benutzerdaten</translation>
    </message>
    <message>
        <source>&amp;Backup</source>
        <translation>&amp;Sichern</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Sound</source>
        <translation>&amp;Ton</translation>
    </message>
    <message>
        <source>&amp;DOK Help</source>
        <translation>&amp;DOK-Hilfe</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Request</source>
        <translation>Antrag</translation>
    </message>
    <message>
        <source>Rules</source>
        <translation>Regeln</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Berechnen</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>Übersicht</translation>
    </message>
    <message>
        <source>&amp;Progress</source>
        <translation>&amp;Fortschritt</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>User Data</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sichern</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Rücksichern</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Exit | Application terminate</source>
        <translation>Beenden | Programm beenden</translation>
    </message>
    <message>
        <source>| Insert a new QSO</source>
        <translation>| Ein neues QSO eingeben</translation>
    </message>
    <message>
        <source>| Modify data of a QSO</source>
        <translation>| Die Daten eines QSOs ändern</translation>
    </message>
    <message>
        <source>| Delete QSO</source>
        <translation>| QSO löschen</translation>
    </message>
    <message>
        <source>| Save QSO</source>
        <translation>| QSO speichern</translation>
    </message>
    <message>
        <source> Esci dal programma </source>
        <translation> Programm beenden </translation>
    </message>
    <message>
        <source> New QSO | Write a new QSO </source>
        <translation> Neues QSO | Ein neues QSO eingeben </translation>
    </message>
    <message>
        <source> Modify | Modify QSO&apos;S data </source>
        <translation> Ändern | Die Daten eines QSOs ändern </translation>
    </message>
    <message>
        <source>Delete | Delete QSO</source>
        <translation>Löschen | QSO löschen</translation>
    </message>
    <message>
        <source>Save | Save QSO&apos;s data</source>
        <translation>Speichern | Die Daten des QSOs speichern</translation>
    </message>
    <message>
        <source> WZP | WZP Management</source>
        <translation> WZP | WZP-Verwaltung</translation>
    </message>
    <message>
        <source> Request | WZP: Diplome request</source>
        <translation> Antrag | WZP: Diplomantrag</translation>
    </message>
    <message>
        <source> Rules | WZP: Award Rules</source>
        <translation> Regeln | WZP: Diplombedingungen</translation>
    </message>
    <message>
        <source> Refresh | Refresh all data and recalculate the score</source>
        <translation> Aktualisieren | Alle Daten aktualisieren und den Stand neu berechnen</translation>
    </message>
    <message>
        <source> Summary |  Show the summary of your QSO by band/mode</source>
        <translation> Übersicht |  Übersicht Ihrer QSOs nach Band/Betriebsart</translation>
    </message>
    <message>
        <source> Progress | DOKs confirmed over time, with the award levels</source>
        <translation> Fortschritt | Bestätigte DOKs im Lauf der Zeit, mit den Diplomstufen</translation>
    </message>
    <message>
        <source> User Data | Write your personal data</source>
        <translation> Benutzerdaten | Ihre persönlichen Daten eingeben</translation>
    </message>
    <message>
        <source> Backup | Save files into Backup directory</source>
        <translation> Sichern | Die Daten in den Sicherungsordner sichern</translation>
    </message>
    <message>
        <source> Restore | Restore data from Backup directory</source>
        <translation> Wiederherstellen | Die Daten aus dem Sicherungsordner wiederherstellen</translation>
    </message>
    <message>
        <source>Memoria in uso </source>
        <translation>Speicher belegt </translation>
    </message>
    <message>
        <source>After deleting one or more QSOs you need to refresh your data.<byte value="xd"/>Do you like to do it right now?<byte value="xd"/>If not, remember to do it by the button &quot;Refresh Data&quot;</source>
        <translation>Nach dem Löschen von QSOs müssen die Daten aktualisiert werden.<byte value="xd"/>Soll das jetzt geschehen?<byte value="xd"/>Wenn nicht, bitte später mit dem Knopf „Daten aktualisieren“ nachholen.</translation>
    </message>
    <message>
        <source>Refresh &amp;Data: last on %1</source>
        <translation>&amp;Daten aktualisieren: zuletzt am %1</translation>
    </message>
    <message>
        <source> Refresh Data| Recalculate the score: last on %1</source>
        <translation> Daten aktualisieren| Den Stand neu berechnen: zuletzt am %1</translation>
    </message>
    <message>
        <source>Refresh &amp;Data: last on never</source>
        <translation>&amp;Daten aktualisieren: noch nie</translation>
    </message>
    <message>
        <source> Refresh Data| Recalculate the score: last on never</source>
        <translation> Daten aktualisieren| Den Stand neu berechnen: noch nie geschehen</translation>
    </message>
    <message>
        <source>M&amp;aP</source>
        <translation>&amp;Karte</translation>
    </message>
    <message>
        <source>&amp;Compact and Repair Database</source>
        <translation>Datenbank &amp;komprimieren und reparieren</translation>
    </message>
    <message>
        <source>@ &amp;Email-me</source>
        <translation>@ &amp;E-Mail an den Autor</translation>
    </message>
    <message>
        <source>My &amp;WEBsite</source>
        <translation>&amp;Webseite des Autors</translation>
    </message>
    <message>
        <source>WZP &amp;Official page</source>
        <translation>&amp;Offizielle WZP-Seite</translation>
    </message>
    <message>
        <source>What&apos;s &amp;new</source>
        <translation>&amp;Neuigkeiten</translation>
    </message>
    <message>
        <source>&amp;Sounds OFF</source>
        <translation>&amp;Töne aus</translation>
    </message>
    <message>
        <source>&amp;Sounds ON</source>
        <translation>&amp;Töne ein</translation>
    </message>
</context>
<context>
    <name>MaintenanceMenu</name>
    <message>
        <source>Not enough data to backup!</source>
        <translation>Zu wenig Daten zum Sichern!</translation>
    </message>
    <message>
        <source>Do you like really to backup your data ?</source>
        <translation>Sollen Ihre Daten wirklich gesichert werden?</translation>
    </message>
    <message>
        <source>The backup failed: %1<byte value="xd"/>The previous backup is unchanged.</source>
        <translation>Die Sicherung ist fehlgeschlagen: %1<byte value="xd"/>Die vorige Sicherung ist unverändert.</translation>
    </message>
    <message>
        <source>No data to restore!</source>
        <translation>Keine Daten zum Wiederherstellen!</translation>
    </message>
    <message>
        <source>No files to restore !</source>
        <translation>Keine Dateien zum Wiederherstellen!</translation>
    </message>
    <message>
        <source>The backup cannot be restored: %1<byte value="xd"/>Nothing was changed.</source>
        <translation>Die Sicherung kann nicht wiederhergestellt werden: %1<byte value="xd"/>Es wurde nichts verändert.</translation>
    </message>
    <message>
        <source>You restored successfully your data!</source>
        <translation>Ihre Daten wurden erfolgreich wiederhergestellt!</translation>
    </message>
    <message>
        <source>The restore failed: %1<byte value="xd"/>Your data are unchanged.</source>
        <translation>Die Wiederherstellung ist fehlgeschlagen: %1<byte value="xd"/>Ihre Daten sind unverändert.</translation>
    </message>
    <message>
        <source>This function should be used only if you have serious problems with your database.<byte value="xd"/>Do you want to exit now?</source>
        <translation>Diese Funktion ist nur für ernste Probleme mit der Datenbank gedacht.<byte value="xd"/>Soll das Programm jetzt beendet werden?</translation>
    </message>
    <message>
        <source>Backup has been successfully done in %1!</source>
        <translation>Die Sicherung in %1 ist gelungen!</translation>
    </message>
    <message>
        <source>Do you like to restore your data <byte value="xd"/><byte value="xd"/>from %1 to %2 ?<byte value="xd"/><byte value="xd"/>You will loose data from the last backup !</source>
        <translation>Sollen Ihre Daten <byte value="xd"/><byte value="xd"/>aus %1 nach %2 wiederhergestellt werden?<byte value="xd"/><byte value="xd"/>Daten seit der letzten Sicherung gehen dabei verloren!</translation>
    </message>
    <message>
        <source>Do you really like to restore your data ?<byte value="xd"/><byte value="xd"/>You will loose data from the last backup !</source>
        <translation>Sollen Ihre Daten wirklich wiederhergestellt werden?<byte value="xd"/><byte value="xd"/>Daten seit der letzten Sicherung gehen dabei verloren!</translation>
    </message>
</context>
<context>
    <name>ManagementView</name>
    <message>
        <source>DOK on </source>
        <translation>DOK auf </translation>
    </message>
    <message>
        <source>Accredited</source>
        <translation>Anerkannt</translation>
    </message>
    <message>
        <source>&amp;Confirmed all band/mode</source>
        <translation>Bes&amp;tätigt, alle Bänder/Betriebsarten</translation>
    </message>
    <message>
        <source>Not yet confirmed all band/mode</source>
        <translation>Noch nicht bestätigt, alle Bänder/Betriebsarten</translation>
    </message>
    <message>
        <source>All records</source>
        <translation>Alle Datensätze</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>DOKs of the list with at least one QSO in the log, confirmed or not</source>
        <translation>DOKs der Liste mit mindestens einem QSO im Log, bestätigt oder nicht</translation>
    </message>
    <message>
        <source>DOKs with a QSO</source>
        <translation>DOKs mit QSO</translation>
    </message>
    <message>
        <source>The DOKs with a QSO as a share of all DOKs of the list</source>
        <translation>Der Anteil der DOKs mit QSO an allen DOKs der Liste</translation>
    </message>
    <message>
        <source>of all DOKs</source>
        <translation>aller DOKs</translation>
    </message>
    <message>
        <source>DOKs of the list without any QSO in the log</source>
        <translation>DOKs der Liste ohne ein QSO im Log</translation>
    </message>
    <message>
        <source>DOKs without a QSO</source>
        <translation>DOKs ohne QSO</translation>
    </message>
    <message>
        <source>Show Details</source>
        <translation>Details zeigen</translation>
    </message>
    <message>
        <source>Cf</source>
        <translation>St</translation>
    </message>
    <message>
        <source>Hide Details</source>
        <translation>Details ausblenden</translation>
    </message>
    <message>
        <source>Click on the C cells | Show QSO data by band or mode</source>
        <translation>Auf die C-Felder klicken | QSO-Daten nach Band oder Betriebsart zeigen</translation>
    </message>
    <message>
        <source>Reset the window | Stop showing QSO data by band or mode</source>
        <translation>Ansicht zurücksetzen | Keine QSO-Daten nach Band oder Betriebsart mehr zeigen</translation>
    </message>
    <message>
        <source>Confirmed</source>
        <translation>Bestätigt</translation>
    </message>
    <message>
        <source>CALL</source>
        <translation>CALL</translation>
    </message>
    <message>
        <source>MODO</source>
        <translation>MODE</translation>
    </message>
    <message>
        <source>DATE</source>
        <translation>DATUM</translation>
    </message>
    <message>
        <source>No DOKs confirmed in the LOG !</source>
        <translation>Im Log sind keine DOKs bestätigt!</translation>
    </message>
    <message>
        <source>Close | Exit DOK management</source>
        <translation>Schließen | DOK-Verwaltung beenden</translation>
    </message>
    <message>
        <source>DOK on %1 MHz</source>
        <translation>DOK auf %1 MHz</translation>
    </message>
    <message>
        <source>No DOKs confirmed on this band !</source>
        <translation>Auf diesem Band sind keine DOKs bestätigt!</translation>
    </message>
    <message>
        <source>No DOKs confirmed on this mode !</source>
        <translation>In dieser Betriebsart sind keine DOKs bestätigt!</translation>
    </message>
    <message>
        <source>QSOs of the band or mode</source>
        <translation>QSOs des Bandes oder der Betriebsart</translation>
    </message>
</context>
<context>
    <name>MapPainter</name>
    <message>
        <source>borders approximate, DOK positions schematic</source>
        <translation>Grenzen angenähert, DOK-Lagen schematisch</translation>
    </message>
    <message>
        <source>worked</source>
        <translation>gearbeitet</translation>
    </message>
    <message>
        <source>accredited</source>
        <translation>anerkannt</translation>
    </message>
    <message>
        <source>no QSO</source>
        <translation>kein QSO</translation>
    </message>
    <message>
        <source>0 - 100 % of DOKs worked</source>
        <translation>0 – 100 % der DOKs gearbeitet</translation>
    </message>
</context>
<context>
    <name>MendReportWindow</name>
    <message>
        <source>Compact and Repair Database</source>
        <translation>Datenbank komprimieren und reparieren</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Mending log.mdb…</source>
        <translation>log.mdb wird repariert…</translation>
    </message>
    <message>
        <source>Mending log.mdb… </source>
        <translation>log.mdb wird repariert… </translation>
    </message>
    <message>
        <source>log.mdb has been checked and compacted.</source>
        <translation>log.mdb wurde geprüft und komprimiert.</translation>
    </message>
    <message>
        <source>log.mdb could not be mended.</source>
        <translation>log.mdb konnte nicht repariert werden.</translation>
    </message>
</context>
<context>
    <name>ModifyWindow</name>
    <message>
        <source>Modify QSOs</source>
        <translation>QSOs ändern</translation>
    </message>
    <message>
        <source>Modify by &amp;Call</source>
        <translation>Nach &amp;Rufzeichen</translation>
    </message>
    <message>
        <source>Write the Call to modify or select in the grid</source>
        <translation>Rufzeichen des zu ändernden QSOs eingeben oder in der Tabelle wählen</translation>
    </message>
    <message>
        <source>Modify by &amp;DOK</source>
        <translation>Nach &amp;DOK</translation>
    </message>
    <message>
        <source>Write the DOK to modify or select in the grid</source>
        <translation>DOK des zu ändernden QSOs eingeben oder in der Tabelle wählen</translation>
    </message>
    <message>
        <source>Callsign</source>
        <translation>Rufzeichen</translation>
    </message>
    <message>
        <source>Mhz</source>
        <translation>MHz</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Betriebsart</translation>
    </message>
    <message>
        <source>Date (dd/mm/yyyy)</source>
        <translation>Datum (tt/mm/jjjj)</translation>
    </message>
    <message>
        <source>QTH</source>
        <translation>QTH</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Data have been saved</source>
        <translation>Die Daten wurden gespeichert</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>CALL</source>
        <translation>CALL</translation>
    </message>
    <message>
        <source>MODO</source>
        <translation>MODE</translation>
    </message>
    <message>
        <source>DATE</source>
        <translation>DATUM</translation>
    </message>
    <message>
        <source>Cf</source>
        <translation>St</translation>
    </message>
    <message>
        <source>LOC</source>
        <translation>QTH</translation>
    </message>
    <message>
        <source>The value </source>
        <translation>Der Wert </translation>
    </message>
    <message>
        <source> is not allowed!</source>
        <translation> ist nicht zulässig!</translation>
    </message>
    <message>
        <source>Invalid Day!</source>
        <translation>Ungültiger Tag!</translation>
    </message>
    <message>
        <source>Invalid Month!</source>
        <translation>Ungültiger Monat!</translation>
    </message>
    <message>
        <source>Callsign to modify</source>
        <translation>Zu änderndes Rufzeichen</translation>
    </message>
    <message>
        <source>DOK to modify</source>
        <translation>Zu ändernder DOK</translation>
    </message>
    <message>
        <source>QSOs</source>
        <translation>QSOs</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
</context>
<context>
    <name>OverviewMapWindow</name>
    <message>
        <source>DOK Map: click to enlarge</source>
        <translation>DOK-Karte: zum Vergrößern anklicken</translation>
    </message>
    <message>
        <source>DOK district %1: %2 of %3 DOKs with a QSO (%4 %)</source>
        <translation>DOK-Distrikt %1: %2 von %3 DOKs mit QSO (%4 %)</translation>
    </message>
</context>
<context>
    <name>PreviewWindow</name>
    <message>
        <source>The file %1 could not be written: %2.</source>
        <translation>Die Datei %1 konnte nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>Save as PDF…</source>
        <translation>Als PDF speichern…</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>Als PDF speichern</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
</context>
<context>
    <name>ProgressWindow</name>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>&amp;Show</source>
        <translation>&amp;Anzeigen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>A DOK counts from the date of its first QSO marked confirmed (C) or accredited (A); QSOs marked * do not count here, while the management view counts every DOK with a QSO of any status.</source>
        <translation>Ein DOK zählt ab dem Datum seines ersten als bestätigt (C) oder anerkannt (A) markierten QSOs; mit * markierte QSOs zählen hier nicht, während die DOK-Verwaltung jeden DOK mit einem QSO gleich welchen Status zählt.</translation>
    </message>
    <message>
        <source>All bands and modes</source>
        <translation>Alle Bänder und Betriebsarten</translation>
    </message>
    <message>
        <source>%1 DOK(s) confirmed only by QSOs whose date cannot be read are counted at the end.</source>
        <translation>%1 DOK(s), die nur durch QSOs mit unlesbarem Datum bestätigt sind, werden am Ende gezählt.</translation>
    </message>
    <message>
        <source>DOKs with a confirmed or accredited QSO: %1 (%2)</source>
        <translation>DOKs mit bestätigtem oder anerkanntem QSO: %1 (%2)</translation>
    </message>
    <message>
        <source>QSO date</source>
        <translation>QSO-Datum</translation>
    </message>
    <message>
        <source>DOKs confirmed (C or A)</source>
        <translation>Bestätigte DOKs (C oder A)</translation>
    </message>
    <message>
        <source>Award levels</source>
        <translation>Diplomstufen</translation>
    </message>
    <message>
        <source>reached (date unknown)</source>
        <translation>erreicht (Datum unbekannt)</translation>
    </message>
    <message>
        <source>not yet</source>
        <translation>noch nicht</translation>
    </message>
</context>
<context>
    <name>QsoDate</name>
    <message>
        <source>The year of the Date needs four digits (dd/mm/yyyy).</source>
        <translation>Das Jahr des Datums braucht vier Ziffern (tt/mm/jjjj).</translation>
    </message>
    <message>
        <source>The Date %1/%2/%3 does not exist: please correct the day or the month.</source>
        <translation>Das Datum %1/%2/%3 gibt es nicht: bitte Tag oder Monat berichtigen.</translation>
    </message>
</context>
<context>
    <name>QsoDeletion</name>
    <message>
        <source>Cannot open &apos;%1&apos;: %2</source>
        <translation>„%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Cannot write &apos;%1&apos; to the disk.</source>
        <translation>„%1“ kann nicht auf den Datenträger geschrieben werden.</translation>
    </message>
    <message>
        <source>Going to delete this QSO with DOK %1<byte value="xd"/>%2 on %3 MHz %4, %5<byte value="xd"/>Are you sure ?</source>
        <translation>Dieses QSO mit DOK %1 wird gelöscht:<byte value="xd"/>%2 auf %3 MHz %4, %5<byte value="xd"/>Wirklich löschen?</translation>
    </message>
    <message>
        <source>The database could not be compacted; it stays as it was.<byte value="xd"/></source>
        <translation>Die Datenbank konnte nicht komprimiert werden; sie bleibt, wie sie war.<byte value="xd"/></translation>
    </message>
    <message>
        <source>Cannot delete &apos;%1&apos;.</source>
        <translation>„%1“ kann nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>Cannot replace &apos;%1&apos;: %2</source>
        <translation>„%1“ kann nicht ersetzt werden: %2</translation>
    </message>
    <message>
        <source>Cannot write the folder of &apos;%1&apos; to the disk: %2</source>
        <translation>Der Ordner von „%1“ kann nicht auf den Datenträger geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>QsoImporter</name>
    <message>
        <source>record %1: %2</source>
        <translation>Datensatz %1: %2</translation>
    </message>
    <message>
        <source>Dry run: nothing was written.</source>
        <translation>Probelauf: Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Records read: %1</source>
        <translation>Gelesene Datensätze: %1</translation>
    </message>
    <message>
        <source>Fields whose length counted characters, not bytes (read so): %1</source>
        <translation>Felder, deren Länge Zeichen statt Bytes zählte (so gelesen): %1</translation>
    </message>
    <message>
        <source>    ... and %1 more</source>
        <translation>    ... und %1 weitere</translation>
    </message>
    <message>
        <source>Confirmed now</source>
        <translation>Jetzt bestätigt</translation>
    </message>
    <message>
        <source>Already confirmed or accredited</source>
        <translation>Schon bestätigt oder anerkannt</translation>
    </message>
    <message>
        <source>Not in the log</source>
        <translation>Nicht im Log</translation>
    </message>
    <message>
        <source>Ambiguous (two or more QSOs match; nothing changed)</source>
        <translation>Nicht eindeutig (zwei oder mehr QSOs passen; nichts geändert)</translation>
    </message>
    <message>
        <source>Conflicts (the DOK differs from the log&apos;s; nothing changed)</source>
        <translation>Widersprüche (der DOK weicht vom Log ab; nichts geändert)</translation>
    </message>
    <message>
        <source>No confirmation (no QSL field says Y or V)</source>
        <translation>Keine Bestätigung (kein QSL-Feld sagt Y oder V)</translation>
    </message>
    <message>
        <source>record without &lt;EOR&gt; at the end of the file</source>
        <translation>Datensatz ohne &lt;EOR&gt; am Ende der Datei</translation>
    </message>
    <message>
        <source>no callsign</source>
        <translation>kein Rufzeichen</translation>
    </message>
    <message>
        <source>no valid QSO_DATE</source>
        <translation>kein gültiges QSO_DATE</translation>
    </message>
    <message>
        <source>no DARC_DOK</source>
        <translation>kein DARC_DOK</translation>
    </message>
    <message>
        <source>band not counted</source>
        <translation>Band zählt nicht</translation>
    </message>
    <message>
        <source>mode not counted</source>
        <translation>Betriebsart zählt nicht</translation>
    </message>
    <message>
        <source>DOK not in the list</source>
        <translation>DOK nicht in der Liste</translation>
    </message>
    <message>
        <source>DARC_DOK is not a DOK code</source>
        <translation>DARC_DOK ist kein DOK-Kenner</translation>
    </message>
    <message>
        <source>The import was cancelled; the log is unchanged.</source>
        <translation>Der Import wurde abgebrochen; das Log ist unverändert.</translation>
    </message>
    <message>
        <source>QSOs imported: %1</source>
        <translation>Importierte QSOs: %1</translation>
    </message>
    <message>
        <source>DOKs added to the list: %1</source>
        <translation>In die Liste aufgenommene DOKs: %1</translation>
    </message>
    <message>
        <source>Duplicates (%1): %2</source>
        <translation>Doppelte (%1): %2</translation>
    </message>
    <message>
        <source>Skipped: %1</source>
        <translation>Übersprungen: %1</translation>
    </message>
    <message>
        <source>already in the log</source>
        <translation>schon im Log</translation>
    </message>
    <message>
        <source>confirmed by this file</source>
        <translation>durch diese Datei bestätigt</translation>
    </message>
</context>
<context>
    <name>QsoSaver</name>
    <message>
        <source>You need to write a valid callsign</source>
        <translation>Bitte ein gültiges Rufzeichen eingeben</translation>
    </message>
    <message>
        <source>You need to write the DOK</source>
        <translation>Bitte den DOK eingeben</translation>
    </message>
    <message>
        <source>You need to choose a valid Band</source>
        <translation>Bitte ein gültiges Band wählen</translation>
    </message>
    <message>
        <source>You need to choose a valid Mode</source>
        <translation>Bitte eine gültige Betriebsart wählen</translation>
    </message>
    <message>
        <source>You need to write a valid Date</source>
        <translation>Bitte ein gültiges Datum eingeben</translation>
    </message>
</context>
<context>
    <name>QsoWriteBack</name>
    <message>
        <source>&quot;%1&quot; is not a band.</source>
        <translation>„%1“ ist kein Band.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a mode.</source>
        <translation>„%1“ ist keine Betriebsart.</translation>
    </message>
</context>
<context>
    <name>Recalculation</name>
    <message>
        <source>Last refresh: never</source>
        <translation>Letzte Aktualisierung: nie</translation>
    </message>
    <message>
        <source>Last refresh on  </source>
        <translation>Letzte Aktualisierung am  </translation>
    </message>
    <message>
        <source>,  at  </source>
        <translation>,  um  </translation>
    </message>
    <message>
        <source> AM</source>
        <translation> vorm.</translation>
    </message>
    <message>
        <source> PM</source>
        <translation> nachm.</translation>
    </message>
</context>
<context>
    <name>RefreshWindow</name>
    <message>
        <source>Refresh data and recalculate score</source>
        <translation>Daten aktualisieren und Stand neu berechnen</translation>
    </message>
    <message>
        <source>Last refresh</source>
        <translation>Letzte Aktualisierung</translation>
    </message>
    <message>
        <source>&amp;Go</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>&amp;Summary</source>
        <translation>&amp;Übersicht</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>PHONE</source>
        <translation>FONIE</translation>
    </message>
    <message>
        <source>Conf   Acc</source>
        <translation>Best   Anerk</translation>
    </message>
    <message>
        <source>TOTAL</source>
        <translation>GESAMT</translation>
    </message>
    <message>
        <source>Conf  Acc</source>
        <translation>Best  Anerk</translation>
    </message>
    <message>
        <source>Refresh &amp;data</source>
        <translation>&amp;Daten aktualisieren</translation>
    </message>
    <message>
        <source>Summary by band and mode</source>
        <translation>Übersicht nach Band und Betriebsart</translation>
    </message>
    <message>
        <source>Going to clear old values</source>
        <translation>Alte Werte werden gelöscht</translation>
    </message>
    <message>
        <source>Going to calculate Confirmed/Accredited</source>
        <translation>Bestätigte/anerkannte DOKs werden berechnet</translation>
    </message>
    <message>
        <source>Going to recalculate the score</source>
        <translation>Der Stand wird neu berechnet</translation>
    </message>
    <message>
        <source>Do you really want to refresh your data?<byte value="xd"/>If yes, please wait.</source>
        <translation>Sollen die Daten wirklich aktualisiert werden?<byte value="xd"/>Das dauert einen Moment.</translation>
    </message>
    <message>
        <source>Data have been succefully refreshed!</source>
        <translation>Die Daten wurden erfolgreich aktualisiert!</translation>
    </message>
    <message>
        <source>DOK table</source>
        <translation>DOK-Tabelle</translation>
    </message>
    <message>
        <source>%1 bands</source>
        <translation>Bänder %1</translation>
    </message>
</context>
<context>
    <name>RulesWindow</name>
    <message>
        <source>WZP Rules</source>
        <translation>WZP-Diplombedingungen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>SplashWindow</name>
    <message>
        <source>WZP Award - WZP Logbook 2026</source>
        <translation>WZP-Diplom – WZP Logbook 2026</translation>
    </message>
    <message>
        <source>Diplome</source>
        <translation>Diplom</translation>
    </message>
    <message>
        <source>Distriks-Ortsverbands-Kenner</source>
        <translation>Distrikts-Ortsverbands-Kenner</translation>
    </message>
    <message>
        <source>E&amp;nter</source>
        <translation>&amp;Weiter</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>The log %1 is damaged (%2), so WZP Logbook cannot work on it.<byte value="xd"/>Start the repair now? It keeps the damaged file and rebuilds the log from what can still be read.</source>
        <translation>Das Log %1 ist beschädigt (%2), daher kann WZP Logbook nicht damit arbeiten.<byte value="xd"/>Jetzt reparieren? Die beschädigte Datei bleibt erhalten, und das Log wird aus dem noch Lesbaren neu aufgebaut.</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source> (read-only)</source>
        <translation> (nur lesen)</translation>
    </message>
</context>
<context>
    <name>TQRep</name>
    <message>
        <source>WZP award application %1, %2, %3, %4</source>
        <translation>WZP-Diplomantrag %1, %2, %3, %4</translation>
    </message>
    <message>
        <source>New Application</source>
        <translation>Neuantrag</translation>
    </message>
    <message>
        <source>e-mail:</source>
        <translation>E-Mail:</translation>
    </message>
    <message>
        <source>Printed on </source>
        <translation>Gedruckt am </translation>
    </message>
    <message>
        <source>Page </source>
        <translation>Seite </translation>
    </message>
</context>
<context>
    <name>UserDataWindow</name>
    <message>
        <source>User data</source>
        <translation>Benutzerdaten</translation>
    </message>
    <message>
        <source>&amp;CALL</source>
        <translation>&amp;Rufzeichen</translation>
    </message>
    <message>
        <source>&amp;OM/YL/SWL</source>
        <translation>&amp;OM/YL/SWL</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Vorname</translation>
    </message>
    <message>
        <source>Surna&amp;me</source>
        <translation>&amp;Nachname</translation>
    </message>
    <message>
        <source>&amp;Address</source>
        <translation>&amp;Anschrift</translation>
    </message>
    <message>
        <source>Cit&amp;y</source>
        <translation>Or&amp;t</translation>
    </message>
    <message>
        <source>&amp;ZIP</source>
        <translation>&amp;PLZ</translation>
    </message>
    <message>
        <source>&amp;Prov.</source>
        <translation>&amp;Bundesland</translation>
    </message>
    <message>
        <source>&amp;State</source>
        <translation>&amp;Land</translation>
    </message>
    <message>
        <source>&amp;Locator</source>
        <translation>Lo&amp;cator</translation>
    </message>
    <message>
        <source>&amp;E-mail</source>
        <translation>&amp;E-Mail</translation>
    </message>
    <message>
        <source>  You must fill all fields !   </source>
        <translation>  Bitte alle Felder ausfüllen!   </translation>
    </message>
    <message>
        <source>Save and exit</source>
        <translation>Speichern und schließen</translation>
    </message>
</context>
<context>
    <name>WhatsNewWindow</name>
    <message>
        <source>What&apos;s new</source>
        <translation>Neuigkeiten</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>December 2026</source>
        <translation>Dezember 2026</translation>
    </message>
    <message>
        <source>  Version %1 - %2</source>
        <translation>  Version %1 – %2</translation>
    </message>
    <message>
        <source>  - Compact and repair database (Utility)</source>
        <translation>  - Datenbank komprimieren und reparieren (Extras)</translation>
    </message>
    <message>
        <source>  - Recalculate score improved</source>
        <translation>  - Neuberechnung des Stands verbessert</translation>
    </message>
    <message>
        <source>  - View also Accredited in DOK Management</source>
        <translation>  - DOK-Verwaltung zeigt auch anerkannte DOKs</translation>
    </message>
    <message>
        <source>  - Removed some bugs</source>
        <translation>  - Einige Fehler behoben</translation>
    </message>
    <message>
        <source>  - Added links to my email and WEB pages (Help)</source>
        <translation>  - Verweise auf E-Mail und Webseiten des Autors (Hilfe)</translation>
    </message>
</context>
</TS>

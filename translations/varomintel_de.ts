<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AccessibleNames</name>
    <message>
        <source>Choose the eclipse</source>
        <translation>Finsternis wählen</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Previous eclipse in the Saros</source>
        <translation>Vorige Finsternis im Saros</translation>
    </message>
    <message>
        <source>Next eclipse in the Saros</source>
        <translation>Nächste Finsternis im Saros</translation>
    </message>
    <message>
        <source>Third previous eclipse in the Saros</source>
        <translation>Drittvorige Finsternis im Saros</translation>
    </message>
    <message>
        <source>Third next eclipse in the Saros</source>
        <translation>Drittnächste Finsternis im Saros</translation>
    </message>
    <message>
        <source>Eclipse report</source>
        <translation>Bericht zur Finsternis</translation>
    </message>
    <message>
        <source>Report or marked place</source>
        <translation>Bericht oder markierter Ort</translation>
    </message>
    <message>
        <source>The eclipse at the marked place</source>
        <translation>Die Finsternis am markierten Ort</translation>
    </message>
    <message>
        <source>Besselian elements</source>
        <translation>Besselsche Elemente</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>Latitude of the point of interest (degrees)</source>
        <translation>Geogr. Breite der Markierung (Grad)</translation>
    </message>
    <message>
        <source>Longitude of the point of interest (degrees)</source>
        <translation>Geogr. Länge der Markierung (Grad)</translation>
    </message>
    <message>
        <source>Show the point of interest</source>
        <translation>Markierung zeigen</translation>
    </message>
    <message>
        <source>Version information</source>
        <translation>Versionsangaben</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Hilfetext</translation>
    </message>
    <message>
        <source>Search from year</source>
        <translation>Suche ab Jahr</translation>
    </message>
    <message>
        <source>Search to year</source>
        <translation>Suche bis Jahr</translation>
    </message>
    <message>
        <source>Eclipses at the place</source>
        <translation>Finsternisse am Ort</translation>
    </message>
    <message>
        <source>Circumstances at the places</source>
        <translation>Sichtbarkeit an den Orten</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Gezeigt</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <source>E</source>
        <translation>O</translation>
    </message>
    <message>
        <source>W</source>
        <translation>W</translation>
    </message>
    <message>
        <source>Seen where the Moon is above the horizon at greatest eclipse: the half of the Earth round the place that has it in the zenith,</source>
        <translation>Sichtbar, wo der Mond bei der größten Verfinsterung über dem Horizont steht: die Erdhälfte um den Ort, der ihn im Zenit hat,</translation>
    </message>
    <message>
        <source>What the picture shows</source>
        <translation>Was das Bild zeigt</translation>
    </message>
</context>
<context>
    <name>AnimationDialog</name>
    <message>
        <source>Save animation</source>
        <translation>Animation speichern</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Schritt</translation>
    </message>
    <message>
        <source>fine: 12 s a frame</source>
        <translation>fein: 12 s je Bild</translation>
    </message>
    <message>
        <source>coarse: 2 min a frame</source>
        <translation>grob: 2 min je Bild</translation>
    </message>
    <message>
        <source>Span</source>
        <translation>Zeitraum</translation>
    </message>
    <message>
        <source>the eclipse (10 min before P1 to 10 min after P4)</source>
        <translation>die Finsternis (10 min vor P1 bis 10 min nach P4)</translation>
    </message>
    <message>
        <source>the whole time slider (T0 ± 4 h)</source>
        <translation>der ganze Zeitregler (T0 ± 4 h)</translation>
    </message>
    <message>
        <source>Frames per second</source>
        <translation>Bilder je Sekunde</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>single (%1 × %2)</source>
        <translation>einfach (%1 × %2)</translation>
    </message>
    <message>
        <source>double (%1 × %2)</source>
        <translation>doppelt (%1 × %2)</translation>
    </message>
    <message>
        <source>%1 frames, playing %2 s</source>
        <translation>%1 Bilder, Spieldauer %2 s</translation>
    </message>
    <message>
        <source>Frames per second: %1 to %2</source>
        <translation>Bilder je Sekunde: %1 bis %2</translation>
    </message>
</context>
<context>
    <name>CityHistControls</name>
    <message>
        <source>Country (select)</source>
        <translation>Land (auswählen)</translation>
    </message>
    <message>
        <source>City (select)</source>
        <translation>Stadt (auswählen)</translation>
    </message>
    <message>
        <source>Accept  -&gt;</source>
        <translation>Übernehmen  -&gt;</translation>
    </message>
    <message>
        <source>Country/Region  (optional)</source>
        <translation>Land/Landschaft  (fakultativ)</translation>
    </message>
    <message>
        <source>Place/City</source>
        <translation>Ort/Stadt/Bezeichnung</translation>
    </message>
    <message>
        <source>Latitude (degrees)</source>
        <translation>Geogr. Breite (Grad)</translation>
    </message>
    <message>
        <source>Longitude (degrees)</source>
        <translation>Geogr. Länge (Grad)</translation>
    </message>
    <message>
        <source>Height (m)</source>
        <translation>Höhe (m)</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Inhabitants</source>
        <translation>Einwohner</translation>
    </message>
</context>
<context>
    <name>CityListControls</name>
    <message>
        <source>List places with more than</source>
        <translation>Nur Orte mit mehr als</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>ErrorTexts</name>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it is read-only</source>
        <translation>sie ist schreibgeschützt</translation>
    </message>
    <message>
        <source>it is not a regular file (a FIFO)</source>
        <translation>es ist keine gewöhnliche Datei (ein FIFO)</translation>
    </message>
    <message>
        <source>it is not a regular file (a character device)</source>
        <translation>es ist keine gewöhnliche Datei (ein zeichenorientiertes Gerät)</translation>
    </message>
    <message>
        <source>it is not a regular file (a block device)</source>
        <translation>es ist keine gewöhnliche Datei (ein blockorientiertes Gerät)</translation>
    </message>
    <message>
        <source>it is not a regular file (a socket)</source>
        <translation>es ist keine gewöhnliche Datei (ein Socket)</translation>
    </message>
    <message>
        <source>the picture cannot be encoded as PNG</source>
        <translation>das Bild lässt sich nicht als PNG speichern</translation>
    </message>
    <message>
        <source>the name must end in .mp4 or .webm</source>
        <translation>der Name muss auf .mp4 oder .webm enden</translation>
    </message>
    <message>
        <source>Cannot write &apos;%1&apos;: %2</source>
        <translation>„%1“ kann nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>The file was not written: %1</source>
        <translation>Die Datei wurde nicht gespeichert: %1</translation>
    </message>
    <message>
        <source>City file %1, line %2: &apos;%3&apos; is not a valid integer value.</source>
        <translation>Ortsdatei %1, Zeile %2: „%3“ ist keine gültige ganze Zahl.</translation>
    </message>
    <message>
        <source>City file %1, line %2 is too long (more than %3 bytes).</source>
        <translation>Ortsdatei %1, Zeile %2 ist zu lang (mehr als %3 Bytes).</translation>
    </message>
    <message>
        <source>The city file %1 cannot be read: %2.</source>
        <translation>Die Ortsdatei %1 kann nicht gelesen werden: %2.</translation>
    </message>
</context>
<context>
    <name>ListTableModel</name>
    <message>
        <source>%1 (UT)</source>
        <translation>%1 (UT)</translation>
    </message>
    <message>
        <source>Alt. %1 (°)</source>
        <translation>Höhe %1 (°)</translation>
    </message>
    <message>
        <source>Magnitude</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Phase</source>
        <translation>Phase</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Land</translation>
    </message>
    <message>
        <source>City</source>
        <translation>Stadt</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Population</source>
        <translation>Einwohner</translation>
    </message>
    <message>
        <source>Delta T (s)</source>
        <translation>Delta T (s)</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>Saros</source>
        <translation>Saros</translation>
    </message>
    <message>
        <source>Member</source>
        <translation>Glied</translation>
    </message>
    <message>
        <source>Members</source>
        <translation>Glieder</translation>
    </message>
    <message>
        <source>penumbral</source>
        <translation>Halbschatten</translation>
    </message>
    <message>
        <source>partial</source>
        <translation>partiell</translation>
    </message>
    <message>
        <source>total</source>
        <translation>total</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Create List</source>
        <translation>&amp;Liste erzeugen</translation>
    </message>
    <message>
        <source>&amp;Option</source>
        <translation>&amp;Option</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Local circumstances for cities/countries</source>
        <translation>Sichtbarkeit dieser Finsternis an verschiedenen Orten</translation>
    </message>
    <message>
        <source>Search for all eclipses at a given place</source>
        <translation>Alle Finsternisse an einem bestimmten Ort suchen</translation>
    </message>
    <message>
        <source>Varomintel &amp;Help</source>
        <translation>Varomintel &amp;Hilfe</translation>
    </message>
    <message>
        <source>Varomintel &amp;Version information</source>
        <translation>Varomintel &amp;Version</translation>
    </message>
</context>
<context>
    <name>MapPanel</name>
    <message>
        <source>Globe</source>
        <translation>Globus</translation>
    </message>
    <message>
        <source>Graticule</source>
        <translation>Gradnetz</translation>
    </message>
    <message>
        <source>Point of Interest</source>
        <translation>Markierung</translation>
    </message>
    <message>
        <source>Show on the map</source>
        <translation>Auf der Karte zeigen</translation>
    </message>
</context>
<context>
    <name>PictureMenus</name>
    <message>
        <source>Copy picture</source>
        <translation>Bild kopieren</translation>
    </message>
    <message>
        <source>Save picture as …</source>
        <translation>Bild speichern unter …</translation>
    </message>
    <message>
        <source>Save picture at double size as …</source>
        <translation>Bild in doppelter Größe speichern unter …</translation>
    </message>
    <message>
        <source>Save animation as …</source>
        <translation>Animation speichern unter …</translation>
    </message>
    <message>
        <source>PNG picture (*.png)</source>
        <translation>PNG-Bild (*.png)</translation>
    </message>
    <message>
        <source>MP4 video (*.mp4);;WebM video (*.webm)</source>
        <translation>MP4-Video (*.mp4);;WebM-Video (*.webm)</translation>
    </message>
    <message>
        <source>Saving the animation …</source>
        <translation>Die Animation wird gespeichert …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
</context>
<context>
    <name>SelectionPanel</name>
    <message>
        <source>Eclipse in the year ...</source>
        <translation>Finsternis im Jahr ...</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>DeltaT (TT or UT)</source>
        <translation>DeltaT (TT oder UT)</translation>
    </message>
    <message>
        <source>Time zone</source>
        <translation>Zeitzone</translation>
    </message>
    <message>
        <source>Local time = UTC</source>
        <translation>Lokalzeit = UTC</translation>
    </message>
    <message>
        <source>hrs</source>
        <translation>Std</translation>
    </message>
    <message>
        <source>Your own Delta T in seconds, for every eclipse (empty: the model&apos;s value)</source>
        <translation>Ihr eigenes Delta T in Sekunden, für jede Finsternis (leer: der Wert des Modells)</translation>
    </message>
    <message>
        <source>own</source>
        <translation>eigen</translation>
    </message>
    <message>
        <source>Checked: all times in Universal Time (UT), shifted to the time zone entered beside. Unchecked: in Terrestrial Time (TT), the uniform time of the ephemerides.</source>
        <translation>Angekreuzt: alle Zeiten in Weltzeit (UT), verschoben in die daneben eingegebene Zeitzone. Nicht angekreuzt: in Terrestrischer Zeit (TT), der gleichförmigen Zeit der Ephemeriden.</translation>
    </message>
</context>
<context>
    <name>varomintel::AboutDialog</name>
    <message>
        <source>About Varomintel</source>
        <translation>Über Varomintel</translation>
    </message>
    <message>
        <source>Explore the lunar eclipses from the year -4999 to 7000: the Moon&apos;s path through the Earth&apos;s shadow, where on the Earth each eclipse is seen, and its course at any place.</source>
        <translation>Erkunden Sie die Mondfinsternisse der Jahre -4999 bis 7000: den Weg des Mondes durch den Erdschatten, wo auf der Erde jede Finsternis zu sehen ist, und ihren Verlauf an jedem Ort.</translation>
    </message>
    <message>
        <source>Copyright © 2026 Varomintel team</source>
        <translation>Copyright © 2026 Varomintel-Team</translation>
    </message>
    <message>
        <source>Credits</source>
        <translation>Mitwirkende</translation>
    </message>
    <message>
        <source>Data sources</source>
        <translation>Datenquellen</translation>
    </message>
    <message>
        <source>Licence</source>
        <translation>Lizenz</translation>
    </message>
    <message>
        <source>Version details</source>
        <translation>Versionsangaben</translation>
    </message>
    <message>
        <source>&lt;b&gt;Eclipse catalogue&lt;/b&gt;: computed from the JPL DE431 ephemeris (public domain) with the Swiss Ephemeris; Saros numbers after Espenak and Meeus, &lt;i&gt;Five Millennium Canon of Lunar Eclipses&lt;/i&gt; (NASA/TP-2009-214172); shadow radii by Danjon&apos;s rule.</source>
        <translation>&lt;b&gt;Finsternis-Katalog&lt;/b&gt;: berechnet aus der JPL-Ephemeride DE431 (gemeinfrei) mit der Swiss Ephemeris; Saros-Nummern nach Espenak und Meeus, &lt;i&gt;Five Millennium Canon of Lunar Eclipses&lt;/i&gt; (NASA/TP-2009-214172); Schattenradien nach der Regel von Danjon.</translation>
    </message>
    <message>
        <source>&lt;b&gt;Astronomical methods&lt;/b&gt;: J. Meeus, &lt;i&gt;Astronomical Algorithms&lt;/i&gt;; Delta T after Espenak and Meeus; constellations after N. G. Roman (1987).</source>
        <translation>&lt;b&gt;Astronomische Verfahren&lt;/b&gt;: J. Meeus, &lt;i&gt;Astronomical Algorithms&lt;/i&gt;; Delta T nach Espenak und Meeus; Sternbilder nach N. G. Roman (1987).</translation>
    </message>
    <message>
        <source>&lt;b&gt;World maps&lt;/b&gt;: Blue Marble, NASA Goddard Space Flight Center; SRTM30 elevations; Natural Earth (all public domain).</source>
        <translation>&lt;b&gt;Weltkarten&lt;/b&gt;: Blue Marble, NASA Goddard Space Flight Center; SRTM30-Höhen; Natural Earth (alle gemeinfrei).</translation>
    </message>
    <message>
        <source>&lt;b&gt;Moon pictures&lt;/b&gt;: USGS Astrogeology and Clementine maps (public domain).</source>
        <translation>&lt;b&gt;Mondbilder&lt;/b&gt;: Karten von USGS Astrogeology und Clementine (gemeinfrei).</translation>
    </message>
    <message>
        <source>&lt;b&gt;Places&lt;/b&gt;: GeoNames (geonames.org), CC BY 4.0; country names from the iso-codes project (LGPL-2.1+).</source>
        <translation>&lt;b&gt;Orte&lt;/b&gt;: GeoNames (geonames.org), CC BY 4.0; Ländernamen aus dem Projekt iso-codes (LGPL-2.1+).</translation>
    </message>
    <message>
        <source>&lt;b&gt;Libraries&lt;/b&gt;: Qt %1 (LGPL-3.0); FFmpeg (LGPL-2.1+) for the videos.</source>
        <translation>&lt;b&gt;Bibliotheken&lt;/b&gt;: Qt %1 (LGPL-3.0); FFmpeg (LGPL-2.1+) für die Videos.</translation>
    </message>
</context>
<context>
    <name>varomintel::CityHistoryWindow</name>
    <message>
        <source>Save as calendar …</source>
        <translation>Als Kalender speichern …</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Geogr. Breite</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Geogr. Länge</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>Place/City</source>
        <translation>Ort/Stadt</translation>
    </message>
    <message>
        <source>: from %1 to %2 m</source>
        <translation>: erlaubt sind %1 bis %2 m</translation>
    </message>
    <message>
        <source>: no tabs or line breaks</source>
        <translation>: keine Tabulatoren oder Zeilenumbrüche</translation>
    </message>
    <message>
        <source>%1 eclipse(s) with a contact whose refinement did not converge</source>
        <translation>%1 Finsternis(se) mit einem Kontakt, dessen Berechnung nicht konvergierte</translation>
    </message>
    <message>
        <source>Calendar saved: %1 eclipse</source>
        <translation>Kalender gespeichert: %1 Finsternis</translation>
    </message>
    <message>
        <source>Calendar saved: %1 eclipses</source>
        <translation>Kalender gespeichert: %1 Finsternisse</translation>
    </message>
    <message>
        <source>; %1 of them not on the list (shadow axis below the horizon, the Moon up)</source>
        <translation>; davon %1 nicht in der Liste (Schattenachse unter dem Horizont, Mond sichtbar)</translation>
    </message>
    <message>
        <source>; %1 before the year 1 or after 9999 left out (iCalendar cannot hold them)</source>
        <translation>; %1 vor dem Jahr 1 oder nach 9999 ausgelassen (im iCalendar-Format nicht darstellbar)</translation>
    </message>
    <message>
        <source>; %1 left out with the Moon below the horizon throughout</source>
        <translation>; %1 ausgelassen, bei denen der Mond unter dem Horizont bleibt</translation>
    </message>
    <message>
        <source>Use the marked place</source>
        <translation>Markierten Ort übernehmen</translation>
    </message>
    <message>
        <source>The place marked on the map in the main window: its coordinates</source>
        <translation>Der im Hauptfenster auf der Karte markierte Ort: seine Koordinaten</translation>
    </message>
    <message>
        <source>Marked place</source>
        <translation>Markierter Ort</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>: from %1 to %2</source>
        <translation>: erlaubt sind %1 bis %2</translation>
    </message>
</context>
<context>
    <name>varomintel::CityListWindow</name>
    <message>
        <source>%1 place(s) with a contact whose refinement did not converge</source>
        <translation>%1 Ort(e) mit einem Kontakt, dessen Berechnung nicht konvergierte</translation>
    </message>
</context>
<context>
    <name>varomintel::DiagramPanel</name>
    <message>
        <source>Shadow</source>
        <translation>Schatten</translation>
    </message>
    <message>
        <source>Sky at the marked place</source>
        <translation>Himmel am markierten Ort</translation>
    </message>
    <message>
        <source>Shadow as seen from the marked place</source>
        <translation>Schatten vom markierten Ort aus</translation>
    </message>
    <message>
        <source>What the picture above shows. The sky and the turned shadow are those of the marked place (“Point of Interest” under the world map).</source>
        <translation>Was das Bild darüber zeigt. Der Himmel und der gedrehte Schatten sind die des markierten Orts („Markierung“ unter der Weltkarte).</translation>
    </message>
    <message>
        <source>Picture:</source>
        <translation>Bild:</translation>
    </message>
</context>
<context>
    <name>varomintel::HelpWindow</name>
    <message>
        <source>Varomintel – Help</source>
        <translation>Varomintel – Hilfe</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>The help file %1 was not found.</source>
        <translation>Die Hilfedatei %1 wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>sie ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it is larger than 1 MiB</source>
        <translation>sie ist größer als 1 MiB</translation>
    </message>
    <message>
        <source>The help file %1 cannot be read: %2.</source>
        <translation>Die Hilfedatei %1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The help files belong in the program&apos;s folder.</source>
        <translation>Die Hilfedateien gehören in den Ordner des Programms.</translation>
    </message>
</context>
<context>
    <name>varomintel::ListWindow</name>
    <message>
        <source>The run ended on an error: %1. The lines found so far are kept.</source>
        <translation>Die Berechnung brach mit einem Fehler ab: %1. Die bisher gefundenen Zeilen bleiben.</translation>
    </message>
    <message>
        <source>Text file (*.txt)</source>
        <translation>Textdatei (*.txt)</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <translation>&amp;Filter:</translation>
    </message>
    <message>
        <source>Name or country</source>
        <translation>Name oder Land</translation>
    </message>
    <message>
        <source>Clear the filter</source>
        <translation>Filter leeren</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
</context>
<context>
    <name>varomintel::MainWindow</name>
    <message>
        <source>Picture replaced: %1</source>
        <translation>Bild ersetzt: %1</translation>
    </message>
    <message>
        <source> (and %1 more)</source>
        <translation> (und %1 weitere)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Delta T. Type seconds, such as 20500 or -12.5, between -1000000 and 1000000, or leave the entry empty for the model&apos;s value.</source>
        <translation>„%1“ ist kein Delta T. Geben Sie Sekunden ein, etwa 20500 oder -12.5, zwischen -1000000 und 1000000, oder lassen Sie das Feld leer für den Wert des Modells.</translation>
    </message>
    <message>
        <source>No place is marked. Click the world map, or type a latitude and a longitude under “Point of Interest” and tick its box: the sky there is then shown here.</source>
        <translation>Kein Ort markiert. Klicken Sie auf die Weltkarte oder tippen Sie Breite und Länge unter „Markierung“ ein und setzen Sie dort den Haken: Hier erscheint dann der Himmel an diesem Ort.</translation>
    </message>
    <message>
        <source>No place is marked. Click the world map, or type a latitude and a longitude under “Point of Interest” and tick its box: the shadow is then shown here as seen from there, its zenith up.</source>
        <translation>Kein Ort markiert. Klicken Sie auf die Weltkarte oder tippen Sie Breite und Länge unter „Markierung“ ein und setzen Sie dort den Haken: Hier erscheint dann der Schatten, wie man ihn dort sieht, der Zenit oben.</translation>
    </message>
    <message>
        <source>The marked place has no contacts P1 and P4 of this eclipse to show.</source>
        <translation>Der markierte Ort hat keine Kontakte P1 und P4 dieser Finsternis, die sich zeigen ließen.</translation>
    </message>
</context>
<context>
    <name>varomintel::MapPanel</name>
    <message>
        <source>Show the marked place on the map</source>
        <translation>Markierung auf der Karte zeigen</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid latitude: 0 to 90 degrees with a point, e.g. 47.5.</source>
        <translation>„%1“ ist keine gültige geographische Breite: erlaubt sind 0 bis 90 Grad mit Punkt, z. B. 47.5.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid longitude: 0 to 180 degrees with a point, e.g. 7.5.</source>
        <translation>„%1“ ist keine gültige geographische Länge: erlaubt sind 0 bis 180 Grad mit Punkt, z. B. 7.5.</translation>
    </message>
    <message>
        <source>The marked place stays where it was.</source>
        <translation>Die Markierung bleibt, wo sie war.</translation>
    </message>
    <message>
        <source>Blue Marble (NASA)</source>
        <translation>Blue Marble (NASA)</translation>
    </message>
    <message>
        <source>Relief map</source>
        <translation>Reliefkarte</translation>
    </message>
    <message>
        <source>Political map</source>
        <translation>Politische Karte</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Satellite picture: Blue Marble, NASA Goddard Space Flight Center (public domain)</source>
        <translation>Satellitenbild: Blue Marble, NASA Goddard Space Flight Center (gemeinfrei)</translation>
    </message>
    <message>
        <source>Shaded relief from SRTM30 elevations (public domain) and the Natural Earth land outline (public domain)</source>
        <translation>Schattiertes Relief aus SRTM30-Höhen (gemeinfrei) und den Landumrissen von Natural Earth (gemeinfrei)</translation>
    </message>
    <message>
        <source>Countries of Natural Earth 1:50m (public domain)</source>
        <translation>Staaten von Natural Earth 1:50m (gemeinfrei)</translation>
    </message>
    <message>
        <source>Land outline of Natural Earth 1:50m (public domain)</source>
        <translation>Landumrisse von Natural Earth 1:50m (gemeinfrei)</translation>
    </message>
</context>
</TS>

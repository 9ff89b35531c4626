<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AccessibleNames</name>
    <message>
        <source>Choose the eclipse</source>
        <translation>Choisir l&apos;éclipse</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>Previous eclipse in the Saros</source>
        <translation>Éclipse précédente du saros</translation>
    </message>
    <message>
        <source>Next eclipse in the Saros</source>
        <translation>Éclipse suivante du saros</translation>
    </message>
    <message>
        <source>Third previous eclipse in the Saros</source>
        <translation>Troisième éclipse précédente du saros</translation>
    </message>
    <message>
        <source>Third next eclipse in the Saros</source>
        <translation>Troisième éclipse suivante du saros</translation>
    </message>
    <message>
        <source>Eclipse report</source>
        <translation>Rapport de l&apos;éclipse</translation>
    </message>
    <message>
        <source>Report or marked place</source>
        <translation>Rapport ou lieu marqué</translation>
    </message>
    <message>
        <source>The eclipse at the marked place</source>
        <translation>L&apos;éclipse au lieu marqué</translation>
    </message>
    <message>
        <source>Besselian elements</source>
        <translation>Éléments de Bessel</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Carte</translation>
    </message>
    <message>
        <source>Latitude of the point of interest (degrees)</source>
        <translation>Latitude de la marque (degrés)</translation>
    </message>
    <message>
        <source>Longitude of the point of interest (degrees)</source>
        <translation>Longitude de la marque (degrés)</translation>
    </message>
    <message>
        <source>Show the point of interest</source>
        <translation>Afficher la marque</translation>
    </message>
    <message>
        <source>Version information</source>
        <translation>Informations de version</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Texte d&apos;aide</translation>
    </message>
    <message>
        <source>Search from year</source>
        <translation>Chercher de l&apos;an</translation>
    </message>
    <message>
        <source>Search to year</source>
        <translation>Chercher jusqu&apos;à l&apos;an</translation>
    </message>
    <message>
        <source>Eclipses at the place</source>
        <translation>Éclipses au lieu</translation>
    </message>
    <message>
        <source>Circumstances at the places</source>
        <translation>Visibilité aux lieux</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Affiché</translation>
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
        <translation>E</translation>
    </message>
    <message>
        <source>W</source>
        <translation>O</translation>
    </message>
    <message>
        <source>Seen where the Moon is above the horizon at greatest eclipse: the half of the Earth round the place that has it in the zenith,</source>
        <translation>Visible là où la Lune est au-dessus de l&apos;horizon au maximum de l&apos;éclipse : la moitié de la Terre autour du lieu qui l&apos;a au zénith,</translation>
    </message>
    <message>
        <source>What the picture shows</source>
        <translation>Ce que montre l&apos;image</translation>
    </message>
</context>
<context>
    <name>AnimationDialog</name>
    <message>
        <source>Save animation</source>
        <translation>Enregistrer l&apos;animation</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Pas</translation>
    </message>
    <message>
        <source>fine: 12 s a frame</source>
        <translation>fin : 12 s par image</translation>
    </message>
    <message>
        <source>coarse: 2 min a frame</source>
        <translation>grossier : 2 min par image</translation>
    </message>
    <message>
        <source>Span</source>
        <translation>Période</translation>
    </message>
    <message>
        <source>the eclipse (10 min before P1 to 10 min after P4)</source>
        <translation>l&apos;éclipse (10 min avant P1 à 10 min après P4)</translation>
    </message>
    <message>
        <source>the whole time slider (T0 ± 4 h)</source>
        <translation>tout le curseur du temps (T0 ± 4 h)</translation>
    </message>
    <message>
        <source>Frames per second</source>
        <translation>Images par seconde</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>single (%1 × %2)</source>
        <translation>simple (%1 × %2)</translation>
    </message>
    <message>
        <source>double (%1 × %2)</source>
        <translation>double (%1 × %2)</translation>
    </message>
    <message>
        <source>%1 frames, playing %2 s</source>
        <translation>%1 images, durée %2 s</translation>
    </message>
    <message>
        <source>Frames per second: %1 to %2</source>
        <translation>Images par seconde : de %1 à %2</translation>
    </message>
</context>
<context>
    <name>CityHistControls</name>
    <message>
        <source>Country (select)</source>
        <translation>Pays (choix)</translation>
    </message>
    <message>
        <source>City (select)</source>
        <translation>ville (choix)</translation>
    </message>
    <message>
        <source>Accept  -&gt;</source>
        <translation>Accepter  -&gt;</translation>
    </message>
    <message>
        <source>Country/Region  (optional)</source>
        <translation>Pays/Région (facultatif)</translation>
    </message>
    <message>
        <source>Place/City</source>
        <translation>Lieu/Ville/remarques</translation>
    </message>
    <message>
        <source>Latitude (degrees)</source>
        <translation>Latitude geogr.(°)</translation>
    </message>
    <message>
        <source>Longitude (degrees)</source>
        <translation>Longitude geogr.(°)</translation>
    </message>
    <message>
        <source>Height (m)</source>
        <translation>Altitude(m)</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Terminer</translation>
    </message>
    <message>
        <source>Inhabitants</source>
        <translation>Habitants</translation>
    </message>
</context>
<context>
    <name>CityListControls</name>
    <message>
        <source>List places with more than</source>
        <translation>Lieux avec plus de</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Terminer</translation>
    </message>
</context>
<context>
    <name>ErrorTexts</name>
    <message>
        <source>it is a folder</source>
        <translation>c&apos;est un dossier</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>it is read-only</source>
        <translation>il est en lecture seule</translation>
    </message>
    <message>
        <source>it is not a regular file (a FIFO)</source>
        <translation>ce n&apos;est pas un fichier ordinaire (un FIFO)</translation>
    </message>
    <message>
        <source>it is not a regular file (a character device)</source>
        <translation>ce n&apos;est pas un fichier ordinaire (un périphérique caractère)</translation>
    </message>
    <message>
        <source>it is not a regular file (a block device)</source>
        <translation>ce n&apos;est pas un fichier ordinaire (un périphérique bloc)</translation>
    </message>
    <message>
        <source>it is not a regular file (a socket)</source>
        <translation>ce n&apos;est pas un fichier ordinaire (un socket)</translation>
    </message>
    <message>
        <source>the picture cannot be encoded as PNG</source>
        <translation>l&apos;image ne peut pas être codée en PNG</translation>
    </message>
    <message>
        <source>the name must end in .mp4 or .webm</source>
        <translation>le nom doit se terminer par .mp4 ou .webm</translation>
    </message>
    <message>
        <source>Cannot write &apos;%1&apos;: %2</source>
        <translation>Impossible d&apos;enregistrer « %1 » : %2</translation>
    </message>
    <message>
        <source>The file was not written: %1</source>
        <translation>Le fichier n&apos;a pas été enregistré : %1</translation>
    </message>
    <message>
        <source>City file %1, line %2: &apos;%3&apos; is not a valid integer value.</source>
        <translation>Fichier des villes %1, ligne %2 : « %3 » n&apos;est pas un nombre entier valable.</translation>
    </message>
    <message>
        <source>City file %1, line %2 is too long (more than %3 bytes).</source>
        <translation>Fichier des villes %1, la ligne %2 est trop longue (plus de %3 octets).</translation>
    </message>
    <message>
        <source>The city file %1 cannot be read: %2.</source>
        <translation>Le fichier des villes %1 ne peut pas être lu : %2.</translation>
    </message>
</context>
<context>
    <name>ListTableModel</name>
    <message>
        <source>%1 (UT)</source>
        <translation>%1 (TU)</translation>
    </message>
    <message>
        <source>Alt. %1 (°)</source>
        <translation>Haut. %1 (°)</translation>
    </message>
    <message>
        <source>Magnitude</source>
        <translation>Grandeur</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Phase</source>
        <translation>Phase</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Pays</translation>
    </message>
    <message>
        <source>City</source>
        <translation>Ville</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>Population</source>
        <translation>Habitants</translation>
    </message>
    <message>
        <source>Delta T (s)</source>
        <translation>Delta T (s)</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Lieu</translation>
    </message>
    <message>
        <source>Saros</source>
        <translation>Saros</translation>
    </message>
    <message>
        <source>Member</source>
        <translation>Membre</translation>
    </message>
    <message>
        <source>Members</source>
        <translation>Membres</translation>
    </message>
    <message>
        <source>penumbral</source>
        <translation>pénombrale</translation>
    </message>
    <message>
        <source>partial</source>
        <translation>partielle</translation>
    </message>
    <message>
        <source>total</source>
        <translation>totale</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Create List</source>
        <translation>&amp;Créer liste</translation>
    </message>
    <message>
        <source>&amp;Option</source>
        <translation>&amp;Option</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Local circumstances for cities/countries</source>
        <translation>Visibilité de l&apos;éclipse en différents lieux</translation>
    </message>
    <message>
        <source>Search for all eclipses at a given place</source>
        <translation>Trouver toutes les éclipses en un lieu donné</translation>
    </message>
    <message>
        <source>Varomintel &amp;Help</source>
        <translation>&amp;Aide Varomintel </translation>
    </message>
    <message>
        <source>Varomintel &amp;Version information</source>
        <translation>&amp;Version Varomintel </translation>
    </message>
</context>
<context>
    <name>MapPanel</name>
    <message>
        <source>Globe</source>
        <translation>Globe</translation>
    </message>
    <message>
        <source>Graticule</source>
        <translation>Quadrillage</translation>
    </message>
    <message>
        <source>Point of Interest</source>
        <translation>Marque</translation>
    </message>
    <message>
        <source>Show on the map</source>
        <translation>Afficher sur la carte</translation>
    </message>
</context>
<context>
    <name>PictureMenus</name>
    <message>
        <source>Copy picture</source>
        <translation>Copier l&apos;image</translation>
    </message>
    <message>
        <source>Save picture as …</source>
        <translation>Enregistrer l&apos;image sous …</translation>
    </message>
    <message>
        <source>Save picture at double size as …</source>
        <translation>Enregistrer l&apos;image en taille double sous …</translation>
    </message>
    <message>
        <source>Save animation as …</source>
        <translation>Enregistrer l&apos;animation sous …</translation>
    </message>
    <message>
        <source>PNG picture (*.png)</source>
        <translation>Image PNG (*.png)</translation>
    </message>
    <message>
        <source>MP4 video (*.mp4);;WebM video (*.webm)</source>
        <translation>Vidéo MP4 (*.mp4);;Vidéo WebM (*.webm)</translation>
    </message>
    <message>
        <source>Saving the animation …</source>
        <translation>Enregistrement de l&apos;animation …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
</context>
<context>
    <name>SelectionPanel</name>
    <message>
        <source>Eclipse in the year ...</source>
        <translation>Eclipse dans l&apos;an ...</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>année</translation>
    </message>
    <message>
        <source>DeltaT (TT or UT)</source>
        <translation>DeltaT (TT ou TU)</translation>
    </message>
    <message>
        <source>Time zone</source>
        <translation>Fuseau horaire</translation>
    </message>
    <message>
        <source>Local time = UTC</source>
        <translation>Heure local = UTC</translation>
    </message>
    <message>
        <source>hrs</source>
        <translation>hrs</translation>
    </message>
    <message>
        <source>Your own Delta T in seconds, for every eclipse (empty: the model&apos;s value)</source>
        <translation>Votre propre Delta T en secondes, pour chaque éclipse (vide : la valeur du modèle)</translation>
    </message>
    <message>
        <source>own</source>
        <translation>propre</translation>
    </message>
    <message>
        <source>Checked: all times in Universal Time (UT), shifted to the time zone entered beside. Unchecked: in Terrestrial Time (TT), the uniform time of the ephemerides.</source>
        <translation>Coché : toutes les heures en Temps Universel (TU), décalées dans le fuseau horaire saisi à côté. Non coché : en Temps Terrestre (TT), le temps uniforme des éphémérides.</translation>
    </message>
</context>
<context>
    <name>varomintel::AboutDialog</name>
    <message>
        <source>About Varomintel</source>
        <translation>À propos de Varomintel</translation>
    </message>
    <message>
        <source>Explore the lunar eclipses from the year -4999 to 7000: the Moon&apos;s path through the Earth&apos;s shadow, where on the Earth each eclipse is seen, and its course at any place.</source>
        <translation>Explorez les éclipses de Lune des années -4999 à 7000 : la course de la Lune dans l&apos;ombre de la Terre, les régions de la Terre où chaque éclipse est visible et son déroulement en tout lieu.</translation>
    </message>
    <message>
        <source>Copyright © 2026 Varomintel team</source>
        <translation>Copyright © 2026 l&apos;équipe Varomintel</translation>
    </message>
    <message>
        <source>Credits</source>
        <translation>Remerciements</translation>
    </message>
    <message>
        <source>Data sources</source>
        <translation>Sources des données</translation>
    </message>
    <message>
        <source>Licence</source>
        <translation>Licence</translation>
    </message>
    <message>
        <source>Version details</source>
        <translation>Détails de la version</translation>
    </message>
    <message>
        <source>&lt;b&gt;Eclipse catalogue&lt;/b&gt;: computed from the JPL DE431 ephemeris (public domain) with the Swiss Ephemeris; Saros numbers after Espenak and Meeus, &lt;i&gt;Five Millennium Canon of Lunar Eclipses&lt;/i&gt; (NASA/TP-2009-214172); shadow radii by Danjon&apos;s rule.</source>
        <translation>&lt;b&gt;Catalogue des éclipses&lt;/b&gt; : calculé à partir de l&apos;éphéméride JPL DE431 (domaine public) avec la Swiss Ephemeris ; numéros de Saros d&apos;après Espenak et Meeus, &lt;i&gt;Five Millennium Canon of Lunar Eclipses&lt;/i&gt; (NASA/TP-2009-214172) ; rayons de l&apos;ombre selon la règle de Danjon.</translation>
    </message>
    <message>
        <source>&lt;b&gt;Astronomical methods&lt;/b&gt;: J. Meeus, &lt;i&gt;Astronomical Algorithms&lt;/i&gt;; Delta T after Espenak and Meeus; constellations after N. G. Roman (1987).</source>
        <translation>&lt;b&gt;Méthodes astronomiques&lt;/b&gt; : J. Meeus, &lt;i&gt;Astronomical Algorithms&lt;/i&gt; ; Delta T d&apos;après Espenak et Meeus ; constellations d&apos;après N. G. Roman (1987).</translation>
    </message>
    <message>
        <source>&lt;b&gt;World maps&lt;/b&gt;: Blue Marble, NASA Goddard Space Flight Center; SRTM30 elevations; Natural Earth (all public domain).</source>
        <translation>&lt;b&gt;Cartes du monde&lt;/b&gt; : Blue Marble, NASA Goddard Space Flight Center ; altitudes SRTM30 ; Natural Earth (tous du domaine public).</translation>
    </message>
    <message>
        <source>&lt;b&gt;Moon pictures&lt;/b&gt;: USGS Astrogeology and Clementine maps (public domain).</source>
        <translation>&lt;b&gt;Images de la Lune&lt;/b&gt; : cartes USGS Astrogeology et Clementine (domaine public).</translation>
    </message>
    <message>
        <source>&lt;b&gt;Places&lt;/b&gt;: GeoNames (geonames.org), CC BY 4.0; country names from the iso-codes project (LGPL-2.1+).</source>
        <translation>&lt;b&gt;Lieux&lt;/b&gt; : GeoNames (geonames.org), CC BY 4.0 ; noms des pays du projet iso-codes (LGPL-2.1+).</translation>
    </message>
    <message>
        <source>&lt;b&gt;Libraries&lt;/b&gt;: Qt %1 (LGPL-3.0); FFmpeg (LGPL-2.1+) for the videos.</source>
        <translation>&lt;b&gt;Bibliothèques&lt;/b&gt; : Qt %1 (LGPL-3.0) ; FFmpeg (LGPL-2.1+) pour les vidéos.</translation>
    </message>
</context>
<context>
    <name>varomintel::CityHistoryWindow</name>
    <message>
        <source>Save as calendar …</source>
        <translation>Enregistrer comme calendrier …</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Altitude</translation>
    </message>
    <message>
        <source>Place/City</source>
        <translation>Lieu/Ville</translation>
    </message>
    <message>
        <source>: from %1 to %2 m</source>
        <translation> : de %1 à %2 m</translation>
    </message>
    <message>
        <source>: no tabs or line breaks</source>
        <translation> : ni tabulations ni sauts de ligne</translation>
    </message>
    <message>
        <source>%1 eclipse(s) with a contact whose refinement did not converge</source>
        <translation>%1 éclipse(s) avec un contact dont le calcul n&apos;a pas convergé</translation>
    </message>
    <message>
        <source>Calendar saved: %1 eclipse</source>
        <translation>Calendrier enregistré : %1 éclipse</translation>
    </message>
    <message>
        <source>Calendar saved: %1 eclipses</source>
        <translation>Calendrier enregistré : %1 éclipses</translation>
    </message>
    <message>
        <source>; %1 of them not on the list (shadow axis below the horizon, the Moon up)</source>
        <translation>; dont hors de la liste (axe de l&apos;ombre sous l&apos;horizon, Lune visible) : %1</translation>
    </message>
    <message>
        <source>; %1 before the year 1 or after 9999 left out (iCalendar cannot hold them)</source>
        <translation>; omises avant l&apos;an 1 ou après 9999 (impossibles en iCalendar) : %1</translation>
    </message>
    <message>
        <source>; %1 left out with the Moon below the horizon throughout</source>
        <translation>; omises, la Lune restant sous l&apos;horizon : %1</translation>
    </message>
    <message>
        <source>Use the marked place</source>
        <translation>Utiliser le lieu marqué</translation>
    </message>
    <message>
        <source>The place marked on the map in the main window: its coordinates</source>
        <translation>Le lieu marqué sur la carte de la fenêtre principale : ses coordonnées</translation>
    </message>
    <message>
        <source>Marked place</source>
        <translation>Lieu marqué</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Année</translation>
    </message>
    <message>
        <source>: from %1 to %2</source>
        <translation> : de %1 à %2</translation>
    </message>
</context>
<context>
    <name>varomintel::CityListWindow</name>
    <message>
        <source>%1 place(s) with a contact whose refinement did not converge</source>
        <translation>%1 lieu(x) avec un contact dont le calcul n&apos;a pas convergé</translation>
    </message>
</context>
<context>
    <name>varomintel::DiagramPanel</name>
    <message>
        <source>Shadow</source>
        <translation>Ombre</translation>
    </message>
    <message>
        <source>Sky at the marked place</source>
        <translation>Ciel au lieu marqué</translation>
    </message>
    <message>
        <source>Shadow as seen from the marked place</source>
        <translation>Ombre vue du lieu marqué</translation>
    </message>
    <message>
        <source>What the picture above shows. The sky and the turned shadow are those of the marked place (“Point of Interest” under the world map).</source>
        <translation>Ce que montre l&apos;image au-dessus. Le ciel et l&apos;ombre tournée sont ceux du lieu marqué (« Marque » sous la carte du monde).</translation>
    </message>
    <message>
        <source>Picture:</source>
        <translation>Image :</translation>
    </message>
</context>
<context>
    <name>varomintel::HelpWindow</name>
    <message>
        <source>Varomintel – Help</source>
        <translation>Varomintel – Aide</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Sommaire</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>The help file %1 was not found.</source>
        <translation>Le fichier d&apos;aide %1 est introuvable.</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>it is larger than 1 MiB</source>
        <translation>il dépasse 1 Mio</translation>
    </message>
    <message>
        <source>The help file %1 cannot be read: %2.</source>
        <translation>Le fichier d&apos;aide %1 ne peut pas être lu : %2.</translation>
    </message>
    <message>
        <source>The help files belong in the program&apos;s folder.</source>
        <translation>Les fichiers d&apos;aide doivent se trouver dans le dossier du programme.</translation>
    </message>
</context>
<context>
    <name>varomintel::ListWindow</name>
    <message>
        <source>The run ended on an error: %1. The lines found so far are kept.</source>
        <translation>Le calcul s&apos;est arrêté sur une erreur : %1. Les lignes trouvées jusque-là sont conservées.</translation>
    </message>
    <message>
        <source>Text file (*.txt)</source>
        <translation>Fichier texte (*.txt)</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Sauvegarder sous</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Terminer</translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <translation>&amp;Filtre :</translation>
    </message>
    <message>
        <source>Name or country</source>
        <translation>Nom ou pays</translation>
    </message>
    <message>
        <source>Clear the filter</source>
        <translation>Effacer le filtre</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Tout &amp;sélectionner</translation>
    </message>
</context>
<context>
    <name>varomintel::MainWindow</name>
    <message>
        <source>Picture replaced: %1</source>
        <translation>Image remplacée : %1</translation>
    </message>
    <message>
        <source> (and %1 more)</source>
        <translation> (et %1 autres)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Delta T. Type seconds, such as 20500 or -12.5, between -1000000 and 1000000, or leave the entry empty for the model&apos;s value.</source>
        <translation>« %1 » n&apos;est pas un Delta T. Tapez des secondes, par exemple 20500 ou -12.5, entre -1000000 et 1000000, ou laissez le champ vide pour la valeur du modèle.</translation>
    </message>
    <message>
        <source>No place is marked. Click the world map, or type a latitude and a longitude under “Point of Interest” and tick its box: the sky there is then shown here.</source>
        <translation>Aucun lieu marqué. Cliquez sur la carte du monde ou tapez une latitude et une longitude sous « Marque » et cochez sa case : le ciel de ce lieu s&apos;affiche alors ici.</translation>
    </message>
    <message>
        <source>No place is marked. Click the world map, or type a latitude and a longitude under “Point of Interest” and tick its box: the shadow is then shown here as seen from there, its zenith up.</source>
        <translation>Aucun lieu marqué. Cliquez sur la carte du monde ou tapez une latitude et une longitude sous « Marque » et cochez sa case : l&apos;ombre s&apos;affiche alors ici telle qu&apos;on la voit de ce lieu, le zénith en haut.</translation>
    </message>
    <message>
        <source>The marked place has no contacts P1 and P4 of this eclipse to show.</source>
        <translation>Le lieu marqué n&apos;a pas de contacts P1 et P4 de cette éclipse à montrer.</translation>
    </message>
</context>
<context>
    <name>varomintel::MapPanel</name>
    <message>
        <source>Show the marked place on the map</source>
        <translation>Afficher la marque sur la carte</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid latitude: 0 to 90 degrees with a point, e.g. 47.5.</source>
        <translation>« %1 » n&apos;est pas une latitude valable : de 0 à 90 degrés avec un point, p. ex. 47.5.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid longitude: 0 to 180 degrees with a point, e.g. 7.5.</source>
        <translation>« %1 » n&apos;est pas une longitude valable : de 0 à 180 degrés avec un point, p. ex. 7.5.</translation>
    </message>
    <message>
        <source>The marked place stays where it was.</source>
        <translation>La marque reste où elle était.</translation>
    </message>
    <message>
        <source>Blue Marble (NASA)</source>
        <translation>Blue Marble (NASA)</translation>
    </message>
    <message>
        <source>Relief map</source>
        <translation>Carte du relief</translation>
    </message>
    <message>
        <source>Political map</source>
        <translation>Carte politique</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Blanc</translation>
    </message>
    <message>
        <source>Satellite picture: Blue Marble, NASA Goddard Space Flight Center (public domain)</source>
        <translation>Image satellite : Blue Marble, NASA Goddard Space Flight Center (domaine public)</translation>
    </message>
    <message>
        <source>Shaded relief from SRTM30 elevations (public domain) and the Natural Earth land outline (public domain)</source>
        <translation>Relief ombré des altitudes SRTM30 (domaine public) et contours des terres de Natural Earth (domaine public)</translation>
    </message>
    <message>
        <source>Countries of Natural Earth 1:50m (public domain)</source>
        <translation>Pays de Natural Earth 1:50m (domaine public)</translation>
    </message>
    <message>
        <source>Land outline of Natural Earth 1:50m (public domain)</source>
        <translation>Contours des terres de Natural Earth 1:50m (domaine public)</translation>
    </message>
</context>
</TS>

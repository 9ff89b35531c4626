<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AccessibleNames</name>
    <message>
        <source>Choose the eclipse</source>
        <translation>Elegir el eclipse</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Hora</translation>
    </message>
    <message>
        <source>Previous eclipse in the Saros</source>
        <translation>Eclipse anterior del saros</translation>
    </message>
    <message>
        <source>Next eclipse in the Saros</source>
        <translation>Eclipse siguiente del saros</translation>
    </message>
    <message>
        <source>Third previous eclipse in the Saros</source>
        <translation>Tercer eclipse anterior del saros</translation>
    </message>
    <message>
        <source>Third next eclipse in the Saros</source>
        <translation>Tercer eclipse siguiente del saros</translation>
    </message>
    <message>
        <source>Eclipse report</source>
        <translation>Informe del eclipse</translation>
    </message>
    <message>
        <source>Report or marked place</source>
        <translation>Informe o lugar marcado</translation>
    </message>
    <message>
        <source>The eclipse at the marked place</source>
        <translation>El eclipse en el lugar marcado</translation>
    </message>
    <message>
        <source>Besselian elements</source>
        <translation>Elementos besselianos</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Mapa</translation>
    </message>
    <message>
        <source>Latitude of the point of interest (degrees)</source>
        <translation>Latitud de la marca (grados)</translation>
    </message>
    <message>
        <source>Longitude of the point of interest (degrees)</source>
        <translation>Longitud de la marca (grados)</translation>
    </message>
    <message>
        <source>Show the point of interest</source>
        <translation>Mostrar la marca</translation>
    </message>
    <message>
        <source>Version information</source>
        <translation>Información de versión</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Texto de ayuda</translation>
    </message>
    <message>
        <source>Search from year</source>
        <translation>Buscar desde el año</translation>
    </message>
    <message>
        <source>Search to year</source>
        <translation>Buscar hasta el año</translation>
    </message>
    <message>
        <source>Eclipses at the place</source>
        <translation>Eclipses en el lugar</translation>
    </message>
    <message>
        <source>Circumstances at the places</source>
        <translation>Visibilidad en los lugares</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Mostrado</translation>
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
        <translation>Visible donde la Luna está sobre el horizonte en el máximo del eclipse: la mitad de la Tierra alrededor del lugar que la tiene en el cenit,</translation>
    </message>
    <message>
        <source>What the picture shows</source>
        <translation>Lo que muestra la imagen</translation>
    </message>
</context>
<context>
    <name>AnimationDialog</name>
    <message>
        <source>Save animation</source>
        <translation>Guardar animación</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Paso</translation>
    </message>
    <message>
        <source>fine: 12 s a frame</source>
        <translation>fino: 12 s por imagen</translation>
    </message>
    <message>
        <source>coarse: 2 min a frame</source>
        <translation>grueso: 2 min por imagen</translation>
    </message>
    <message>
        <source>Span</source>
        <translation>Intervalo</translation>
    </message>
    <message>
        <source>the eclipse (10 min before P1 to 10 min after P4)</source>
        <translation>el eclipse (de 10 min antes de P1 a 10 min después de P4)</translation>
    </message>
    <message>
        <source>the whole time slider (T0 ± 4 h)</source>
        <translation>todo el control de tiempo (T0 ± 4 h)</translation>
    </message>
    <message>
        <source>Frames per second</source>
        <translation>Imágenes por segundo</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Tamaño</translation>
    </message>
    <message>
        <source>single (%1 × %2)</source>
        <translation>simple (%1 × %2)</translation>
    </message>
    <message>
        <source>double (%1 × %2)</source>
        <translation>doble (%1 × %2)</translation>
    </message>
    <message>
        <source>%1 frames, playing %2 s</source>
        <translation>%1 imágenes, duración %2 s</translation>
    </message>
    <message>
        <source>Frames per second: %1 to %2</source>
        <translation>Imágenes por segundo: de %1 a %2</translation>
    </message>
</context>
<context>
    <name>CityHistControls</name>
    <message>
        <source>Country (select)</source>
        <translation>País (elegir)</translation>
    </message>
    <message>
        <source>City (select)</source>
        <translation>Ciudad (elegir)</translation>
    </message>
    <message>
        <source>Accept  -&gt;</source>
        <translation>Aceptar  -&gt;</translation>
    </message>
    <message>
        <source>Country/Region  (optional)</source>
        <translation>País/Región  (opcional)</translation>
    </message>
    <message>
        <source>Place/City</source>
        <translation>Lugar/Ciudad/Nota</translation>
    </message>
    <message>
        <source>Latitude (degrees)</source>
        <translation>Latitud (grados)</translation>
    </message>
    <message>
        <source>Longitude (degrees)</source>
        <translation>Longitud (grados)</translation>
    </message>
    <message>
        <source>Height (m)</source>
        <translation>Altitud (m)</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Inhabitants</source>
        <translation>Habitantes</translation>
    </message>
</context>
<context>
    <name>CityListControls</name>
    <message>
        <source>List places with more than</source>
        <translation>Lugares con más de</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
</context>
<context>
    <name>ErrorTexts</name>
    <message>
        <source>it is a folder</source>
        <translation>es una carpeta</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>it is read-only</source>
        <translation>es de solo lectura</translation>
    </message>
    <message>
        <source>it is not a regular file (a FIFO)</source>
        <translation>no es un archivo normal (una FIFO)</translation>
    </message>
    <message>
        <source>it is not a regular file (a character device)</source>
        <translation>no es un archivo normal (un dispositivo de caracteres)</translation>
    </message>
    <message>
        <source>it is not a regular file (a block device)</source>
        <translation>no es un archivo normal (un dispositivo de bloques)</translation>
    </message>
    <message>
        <source>it is not a regular file (a socket)</source>
        <translation>no es un archivo normal (un socket)</translation>
    </message>
    <message>
        <source>the picture cannot be encoded as PNG</source>
        <translation>la imagen no se puede codificar como PNG</translation>
    </message>
    <message>
        <source>the name must end in .mp4 or .webm</source>
        <translation>el nombre debe terminar en .mp4 o .webm</translation>
    </message>
    <message>
        <source>Cannot write &apos;%1&apos;: %2</source>
        <translation>No se puede guardar «%1»: %2</translation>
    </message>
    <message>
        <source>The file was not written: %1</source>
        <translation>El archivo no se ha guardado: %1</translation>
    </message>
    <message>
        <source>City file %1, line %2: &apos;%3&apos; is not a valid integer value.</source>
        <translation>Archivo de ciudades %1, línea %2: «%3» no es un número entero válido.</translation>
    </message>
    <message>
        <source>City file %1, line %2 is too long (more than %3 bytes).</source>
        <translation>Archivo de ciudades %1, la línea %2 es demasiado larga (más de %3 bytes).</translation>
    </message>
    <message>
        <source>The city file %1 cannot be read: %2.</source>
        <translation>No se puede leer el archivo de ciudades %1: %2.</translation>
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
        <translation>Alt. %1 (°)</translation>
    </message>
    <message>
        <source>Magnitude</source>
        <translation>Magnitud</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Duración</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Phase</source>
        <translation>Fase</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>País</translation>
    </message>
    <message>
        <source>City</source>
        <translation>Ciudad</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Latitud</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Longitud</translation>
    </message>
    <message>
        <source>Population</source>
        <translation>Habitantes</translation>
    </message>
    <message>
        <source>Delta T (s)</source>
        <translation>Delta T (s)</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Lugar</translation>
    </message>
    <message>
        <source>Saros</source>
        <translation>Saros</translation>
    </message>
    <message>
        <source>Member</source>
        <translation>Miembro</translation>
    </message>
    <message>
        <source>Members</source>
        <translation>Miembros</translation>
    </message>
    <message>
        <source>penumbral</source>
        <translation>penumbral</translation>
    </message>
    <message>
        <source>partial</source>
        <translation>parcial</translation>
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
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Create List</source>
        <translation>&amp;Crear lista</translation>
    </message>
    <message>
        <source>&amp;Option</source>
        <translation>&amp;Opción</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Local circumstances for cities/countries</source>
        <translation>Visibilidad de este eclipse en distintos lugares</translation>
    </message>
    <message>
        <source>Search for all eclipses at a given place</source>
        <translation>Buscar todos los eclipses en un lugar dado</translation>
    </message>
    <message>
        <source>Varomintel &amp;Help</source>
        <translation>&amp;Ayuda de Varomintel</translation>
    </message>
    <message>
        <source>Varomintel &amp;Version information</source>
        <translation>&amp;Versión de Varomintel</translation>
    </message>
</context>
<context>
    <name>MapPanel</name>
    <message>
        <source>Globe</source>
        <translation>Globo</translation>
    </message>
    <message>
        <source>Graticule</source>
        <translation>Cuadrícula</translation>
    </message>
    <message>
        <source>Point of Interest</source>
        <translation>Marca</translation>
    </message>
    <message>
        <source>Show on the map</source>
        <translation>Mostrar en el mapa</translation>
    </message>
</context>
<context>
    <name>PictureMenus</name>
    <message>
        <source>Copy picture</source>
        <translation>Copiar la imagen</translation>
    </message>
    <message>
        <source>Save picture as …</source>
        <translation>Guardar la imagen como …</translation>
    </message>
    <message>
        <source>Save picture at double size as …</source>
        <translation>Guardar la imagen a doble tamaño como …</translation>
    </message>
    <message>
        <source>Save animation as …</source>
        <translation>Guardar la animación como …</translation>
    </message>
    <message>
        <source>PNG picture (*.png)</source>
        <translation>Imagen PNG (*.png)</translation>
    </message>
    <message>
        <source>MP4 video (*.mp4);;WebM video (*.webm)</source>
        <translation>Vídeo MP4 (*.mp4);;Vídeo WebM (*.webm)</translation>
    </message>
    <message>
        <source>Saving the animation …</source>
        <translation>Guardando la animación …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
</context>
<context>
    <name>SelectionPanel</name>
    <message>
        <source>Eclipse in the year ...</source>
        <translation>Eclipse en el año ...</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Año</translation>
    </message>
    <message>
        <source>DeltaT (TT or UT)</source>
        <translation>DeltaT (TT o UT)</translation>
    </message>
    <message>
        <source>Time zone</source>
        <translation>Huso horario</translation>
    </message>
    <message>
        <source>Local time = UTC</source>
        <translation>Hora local = UTC</translation>
    </message>
    <message>
        <source>hrs</source>
        <translation>h</translation>
    </message>
    <message>
        <source>Your own Delta T in seconds, for every eclipse (empty: the model&apos;s value)</source>
        <translation>Su propio Delta T en segundos, para cada eclipse (vacío: el valor del modelo)</translation>
    </message>
    <message>
        <source>own</source>
        <translation>propio</translation>
    </message>
    <message>
        <source>Checked: all times in Universal Time (UT), shifted to the time zone entered beside. Unchecked: in Terrestrial Time (TT), the uniform time of the ephemerides.</source>
        <translation>Marcada: todas las horas en Tiempo Universal (UT), desplazadas a la zona horaria indicada al lado. Sin marcar: en Tiempo Terrestre (TT), el tiempo uniforme de las efemérides.</translation>
    </message>
</context>
<context>
    <name>varomintel::AboutDialog</name>
    <message>
        <source>About Varomintel</source>
        <translation>Acerca de Varomintel</translation>
    </message>
    <message>
        <source>Explore the lunar eclipses from the year -4999 to 7000: the Moon&apos;s path through the Earth&apos;s shadow, where on the Earth each eclipse is seen, and its course at any place.</source>
        <translation>Explore los eclipses de Luna de los años -4999 a 7000: el recorrido de la Luna por la sombra de la Tierra, dónde se ve cada eclipse y su desarrollo en cualquier lugar.</translation>
    </message>
    <message>
        <source>Copyright © 2026 Varomintel team</source>
        <translation>Copyright © 2026 equipo de Varomintel</translation>
    </message>
    <message>
        <source>Credits</source>
        <translation>Créditos</translation>
    </message>
    <message>
        <source>Data sources</source>
        <translation>Fuentes de los datos</translation>
    </message>
    <message>
        <source>Licence</source>
        <translation>Licencia</translation>
    </message>
    <message>
        <source>Version details</source>
        <translation>Detalles de la versión</translation>
    </message>
    <message>
        <source>&lt;b&gt;Eclipse catalogue&lt;/b&gt;: computed from the JPL DE431 ephemeris (public domain) with the Swiss Ephemeris; Saros numbers after Espenak and Meeus, &lt;i&gt;Five Millennium Canon of Lunar Eclipses&lt;/i&gt; (NASA/TP-2009-214172); shadow radii by Danjon&apos;s rule.</source>
        <translation>&lt;b&gt;Catálogo de eclipses&lt;/b&gt;: calculado a partir de la efeméride JPL DE431 (dominio público) con la Swiss Ephemeris; números de Saros según Espenak y Meeus, &lt;i&gt;Five Millennium Canon of Lunar Eclipses&lt;/i&gt; (NASA/TP-2009-214172); radios de la sombra según la regla de Danjon.</translation>
    </message>
    <message>
        <source>&lt;b&gt;Astronomical methods&lt;/b&gt;: J. Meeus, &lt;i&gt;Astronomical Algorithms&lt;/i&gt;; Delta T after Espenak and Meeus; constellations after N. G. Roman (1987).</source>
        <translation>&lt;b&gt;Métodos astronómicos&lt;/b&gt;: J. Meeus, &lt;i&gt;Astronomical Algorithms&lt;/i&gt;; Delta T según Espenak y Meeus; constelaciones según N. G. Roman (1987).</translation>
    </message>
    <message>
        <source>&lt;b&gt;World maps&lt;/b&gt;: Blue Marble, NASA Goddard Space Flight Center; SRTM30 elevations; Natural Earth (all public domain).</source>
        <translation>&lt;b&gt;Mapas del mundo&lt;/b&gt;: Blue Marble, NASA Goddard Space Flight Center; altitudes SRTM30; Natural Earth (todos de dominio público).</translation>
    </message>
    <message>
        <source>&lt;b&gt;Moon pictures&lt;/b&gt;: USGS Astrogeology and Clementine maps (public domain).</source>
        <translation>&lt;b&gt;Imágenes de la Luna&lt;/b&gt;: mapas de USGS Astrogeology y Clementine (dominio público).</translation>
    </message>
    <message>
        <source>&lt;b&gt;Places&lt;/b&gt;: GeoNames (geonames.org), CC BY 4.0; country names from the iso-codes project (LGPL-2.1+).</source>
        <translation>&lt;b&gt;Lugares&lt;/b&gt;: GeoNames (geonames.org), CC BY 4.0; nombres de países del proyecto iso-codes (LGPL-2.1+).</translation>
    </message>
    <message>
        <source>&lt;b&gt;Libraries&lt;/b&gt;: Qt %1 (LGPL-3.0); FFmpeg (LGPL-2.1+) for the videos.</source>
        <translation>&lt;b&gt;Bibliotecas&lt;/b&gt;: Qt %1 (LGPL-3.0); FFmpeg (LGPL-2.1+) para los vídeos.</translation>
    </message>
</context>
<context>
    <name>varomintel::CityHistoryWindow</name>
    <message>
        <source>Save as calendar …</source>
        <translation>Guardar como calendario …</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Latitud</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Longitud</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Altitud</translation>
    </message>
    <message>
        <source>Place/City</source>
        <translation>Lugar/Ciudad</translation>
    </message>
    <message>
        <source>: from %1 to %2 m</source>
        <translation>: de %1 a %2 m</translation>
    </message>
    <message>
        <source>: no tabs or line breaks</source>
        <translation>: sin tabuladores ni saltos de línea</translation>
    </message>
    <message>
        <source>%1 eclipse(s) with a contact whose refinement did not converge</source>
        <translation>%1 eclipse(s) con un contacto cuyo cálculo no convergió</translation>
    </message>
    <message>
        <source>Calendar saved: %1 eclipse</source>
        <translation>Calendario guardado: %1 eclipse</translation>
    </message>
    <message>
        <source>Calendar saved: %1 eclipses</source>
        <translation>Calendario guardado: %1 eclipses</translation>
    </message>
    <message>
        <source>; %1 of them not on the list (shadow axis below the horizon, the Moon up)</source>
        <translation>; %1 de ellos fuera de la lista (eje de la sombra bajo el horizonte, Luna visible)</translation>
    </message>
    <message>
        <source>; %1 before the year 1 or after 9999 left out (iCalendar cannot hold them)</source>
        <translation>; %1 omitidos antes del año 1 o después de 9999 (iCalendar no los admite)</translation>
    </message>
    <message>
        <source>; %1 left out with the Moon below the horizon throughout</source>
        <translation>; %1 omitidos con la Luna bajo el horizonte todo el tiempo</translation>
    </message>
    <message>
        <source>Use the marked place</source>
        <translation>Usar el lugar marcado</translation>
    </message>
    <message>
        <source>The place marked on the map in the main window: its coordinates</source>
        <translation>El lugar marcado en el mapa de la ventana principal: sus coordenadas</translation>
    </message>
    <message>
        <source>Marked place</source>
        <translation>Lugar marcado</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Año</translation>
    </message>
    <message>
        <source>: from %1 to %2</source>
        <translation>: de %1 a %2</translation>
    </message>
</context>
<context>
    <name>varomintel::CityListWindow</name>
    <message>
        <source>%1 place(s) with a contact whose refinement did not converge</source>
        <translation>%1 lugar(es) con un contacto cuyo cálculo no convergió</translation>
    </message>
</context>
<context>
    <name>varomintel::DiagramPanel</name>
    <message>
        <source>Shadow</source>
        <translation>Sombra</translation>
    </message>
    <message>
        <source>Sky at the marked place</source>
        <translation>Cielo en el lugar marcado</translation>
    </message>
    <message>
        <source>Shadow as seen from the marked place</source>
        <translation>Sombra vista desde el lugar marcado</translation>
    </message>
    <message>
        <source>What the picture above shows. The sky and the turned shadow are those of the marked place (“Point of Interest” under the world map).</source>
        <translation>Lo que muestra la imagen de arriba. El cielo y la sombra girada son los del lugar marcado («Marca» bajo el mapamundi).</translation>
    </message>
    <message>
        <source>Picture:</source>
        <translation>Imagen:</translation>
    </message>
</context>
<context>
    <name>varomintel::HelpWindow</name>
    <message>
        <source>Varomintel – Help</source>
        <translation>Varomintel – Ayuda</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Adelante</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Índice</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>The help file %1 was not found.</source>
        <translation>No se encontró el archivo de ayuda %1.</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>it is larger than 1 MiB</source>
        <translation>ocupa más de 1 MiB</translation>
    </message>
    <message>
        <source>The help file %1 cannot be read: %2.</source>
        <translation>No se puede leer el archivo de ayuda %1: %2.</translation>
    </message>
    <message>
        <source>The help files belong in the program&apos;s folder.</source>
        <translation>Los archivos de ayuda deben estar en la carpeta del programa.</translation>
    </message>
</context>
<context>
    <name>varomintel::ListWindow</name>
    <message>
        <source>The run ended on an error: %1. The lines found so far are kept.</source>
        <translation>El cálculo se detuvo por un error: %1. Las líneas encontradas hasta ahora se conservan.</translation>
    </message>
    <message>
        <source>Text file (*.txt)</source>
        <translation>Archivo de texto (*.txt)</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Lista</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Guardar como</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <translation>&amp;Filtro:</translation>
    </message>
    <message>
        <source>Name or country</source>
        <translation>Nombre o país</translation>
    </message>
    <message>
        <source>Clear the filter</source>
        <translation>Vaciar el filtro</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Seleccionar &amp;todo</translation>
    </message>
</context>
<context>
    <name>varomintel::MainWindow</name>
    <message>
        <source>Picture replaced: %1</source>
        <translation>Imagen sustituida: %1</translation>
    </message>
    <message>
        <source> (and %1 more)</source>
        <translation> (y %1 más)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Delta T. Type seconds, such as 20500 or -12.5, between -1000000 and 1000000, or leave the entry empty for the model&apos;s value.</source>
        <translation>«%1» no es un Delta T. Escriba segundos, por ejemplo 20500 o -12.5, entre -1000000 y 1000000, o deje el campo vacío para el valor del modelo.</translation>
    </message>
    <message>
        <source>No place is marked. Click the world map, or type a latitude and a longitude under “Point of Interest” and tick its box: the sky there is then shown here.</source>
        <translation>No hay ningún lugar marcado. Haga clic en el mapamundi o escriba una latitud y una longitud en «Marca» y marque su casilla: aquí se mostrará entonces el cielo de ese lugar.</translation>
    </message>
    <message>
        <source>No place is marked. Click the world map, or type a latitude and a longitude under “Point of Interest” and tick its box: the shadow is then shown here as seen from there, its zenith up.</source>
        <translation>No hay ningún lugar marcado. Haga clic en el mapamundi o escriba una latitud y una longitud en «Marca» y marque su casilla: aquí se mostrará entonces la sombra tal como se ve desde allí, con el cenit arriba.</translation>
    </message>
    <message>
        <source>The marked place has no contacts P1 and P4 of this eclipse to show.</source>
        <translation>El lugar marcado no tiene contactos P1 y P4 de este eclipse que mostrar.</translation>
    </message>
</context>
<context>
    <name>varomintel::MapPanel</name>
    <message>
        <source>Show the marked place on the map</source>
        <translation>Mostrar la marca en el mapa</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid latitude: 0 to 90 degrees with a point, e.g. 47.5.</source>
        <translation>«%1» no es una latitud válida: de 0 a 90 grados con punto decimal, p. ej. 47.5.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid longitude: 0 to 180 degrees with a point, e.g. 7.5.</source>
        <translation>«%1» no es una longitud válida: de 0 a 180 grados con punto decimal, p. ej. 7.5.</translation>
    </message>
    <message>
        <source>The marked place stays where it was.</source>
        <translation>La marca se queda donde estaba.</translation>
    </message>
    <message>
        <source>Blue Marble (NASA)</source>
        <translation>Blue Marble (NASA)</translation>
    </message>
    <message>
        <source>Relief map</source>
        <translation>Mapa de relieve</translation>
    </message>
    <message>
        <source>Political map</source>
        <translation>Mapa político</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Blanco</translation>
    </message>
    <message>
        <source>Satellite picture: Blue Marble, NASA Goddard Space Flight Center (public domain)</source>
        <translation>Imagen de satélite: Blue Marble, NASA Goddard Space Flight Center (dominio público)</translation>
    </message>
    <message>
        <source>Shaded relief from SRTM30 elevations (public domain) and the Natural Earth land outline (public domain)</source>
        <translation>Relieve sombreado de las altitudes SRTM30 (dominio público) y contornos de tierra de Natural Earth (dominio público)</translation>
    </message>
    <message>
        <source>Countries of Natural Earth 1:50m (public domain)</source>
        <translation>Países de Natural Earth 1:50m (dominio público)</translation>
    </message>
    <message>
        <source>Land outline of Natural Earth 1:50m (public domain)</source>
        <translation>Contornos de tierra de Natural Earth 1:50m (dominio público)</translation>
    </message>
</context>
</TS>

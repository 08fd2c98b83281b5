-- Installed databases of the application folder. Each section starting with
-- "-- @database NAME" becomes one file under database/; the build runs this
-- through tools/makedb. The program itself never creates a table.
-- Text columns compare without regard to case (accented letters included):
-- the program registers its own NOCASE on every connection.

-- @database Orvento.cfg
CREATE TABLE Programmi (
    Data        INTEGER NOT NULL,
    Palinsesto  TEXT    NOT NULL COLLATE NOCASE,
    Numerazione INTEGER NOT NULL,
    ORA         TEXT COLLATE NOCASE,
    Titolo      TEXT COLLATE NOCASE,
    Titolo2     TEXT COLLATE NOCASE,
    Type        TEXT COLLATE NOCASE,
    Genere      TEXT COLLATE NOCASE,
    Descrizione TEXT COLLATE NOCASE,
    Durata      TEXT COLLATE NOCASE,
    link        TEXT COLLATE NOCASE,
    Link1       TEXT COLLATE NOCASE,
    Link2       TEXT COLLATE NOCASE,
    Immagine    TEXT COLLATE NOCASE,
    Marked      TEXT COLLATE NOCASE,
    Promemoria  TEXT COLLATE NOCASE,
    Registra    TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX ProgrammiChiave ON Programmi (Data, Palinsesto, Numerazione);
-- Every day query (grid, report, reload) starts with Data and finds its rows
-- through the key; the few rows carrying a mark get an index of their own,
-- which a new row (no mark) does not touch.
CREATE INDEX ProgrammiSegnati ON Programmi (Data, ORA)
    WHERE Marked = '1' OR Promemoria = '1' OR Registra = '1';

-- @database Palinsesti.cfg
CREATE TABLE Televisioni (
    IDTV         INTEGER NOT NULL UNIQUE,
    NOMETV       TEXT    NOT NULL UNIQUE COLLATE NOCASE,
    Descrizione  TEXT COLLATE NOCASE,
    Attivo       INTEGER NOT NULL DEFAULT 0,
    Visualizzare INTEGER NOT NULL DEFAULT 1,
    Posizione    INTEGER,
    ANTENNA      INTEGER,
    Canale       TEXT COLLATE NOCASE,
    Digitale     INTEGER,
    Colore       INTEGER,
    Ricarica     INTEGER NOT NULL DEFAULT 0,
    GIORNI       INTEGER NOT NULL DEFAULT 0
);
INSERT INTO Televisioni (IDTV, NOMETV, Descrizione, Attivo, Visualizzare, Posizione, ANTENNA, Canale, Digitale, Colore, Ricarica, GIORNI) VALUES
 (101, 'Rai 1',             'Primo canale del servizio pubblico',              1, 1,  1, 2, '1',   1, 1, 0, 0),
 (102, 'Rai 2',             'Secondo canale del servizio pubblico',            1, 1,  2, 2, '2',   1, 2, 0, 0),
 (103, 'Rai 3',             'Terzo canale, informazione regionale',            1, 1,  3, 2, '3',   1, 3, 1, 2),
 (104, 'Rete 4',            'Film, approfondimento e telefilm',                1, 1,  4, 2, '4',   1, 4, 0, 0),
 (105, 'Canale 5',          'Intrattenimento e fiction',                       1, 1,  5, 2, '5',   1, 5, 0, 0),
 (106, 'Italia 1',          'Serie, cartoni e sport',                          1, 1,  6, 2, '6',   1, 6, 0, 0),
 (107, 'La7',               'Informazione e talk show',                        1, 1,  7, 2, '7',   1, 7, 0, 0),
 (108, 'TV8',               'Intrattenimento e sport in chiaro',               0, 1,  8, 2, '8',   1, 8, 0, 0),
 (109, 'Nove',              'Documentari e intrattenimento',                   0, 1,  9, 2, '9',   1, 9, 0, 0),
 (201, 'Rai 4',             'Cinema di genere e serie',                        1, 1, 10, 3, '21',  1, 10, 0, 0),
 (202, 'Rai 5',             'Arte, musica e teatro',                           0, 1, 11, 2, '23',  1, 1, 0, 0),
 (203, 'Rai Movie',         'Film ventiquattro ore su ventiquattro',           1, 1, 12, 3, '24',  1, 2, 0, 0),
 (204, 'Rai Storia',        'Documentari storici',                             0, 1, 13, 2, '54',  1, 3, 0, 0),
 (205, 'Iris',              'Cinema d''autore e classici',                     0, 1, 14, 3, '22',  1, 4, 0, 0),
 (206, 'Cielo',             'Film, reality e documentari',                     0, 1, 15, 3, '26',  1, 5, 0, 0),
 (207, 'Focus',             'Scienza, natura e tecnologia',                    0, 1, 16, 2, '35',  1, 6, 0, 0),
 (208, 'Real Time',         'Cucina, casa e lifestyle',                        0, 1, 17, 2, '31',  1, 7, 0, 0),
 (301, 'Cinema Uno',        'Prime visioni via satellite',                     0, 1, 18, 1, '301', 2, 8, 0, 0),
 (302, 'Cinema Due',        'Commedie e grandi successi',                      0, 1, 19, 1, '302', 2, 9, 0, 0),
 (303, 'Serie Più',         'Le serie più amate',                              0, 1, 20, 1, '303', 2, 10, 0, 0),
 (304, 'Documentari & Co.', 'Natura, viaggi e scoperte',                       0, 1, 21, 1, '304', 2, 1, 0, 0),
 (305, 'Canale Storico',    'Archivio storico via satellite',                  0, 0, 22, 1, '305', 2, 2, 0, 0),
 (401, 'Rai Sport',         'Sport del servizio pubblico',                     1, 1, 23, 4, '58',  1, 3, 0, 0),
 (402, 'Sport Uno',         'Calcio e motori',                                 0, 1, 24, 4, '201', 2, 4, 0, 0),
 (403, 'Sport Due',         'Tennis, basket e volley',                         0, 1, 25, 4, '202', 2, 5, 0, 0),
 (404, 'Sportitalia',       'Notiziari sportivi',                              0, 1, 26, 4, '60',  1, 6, 0, 0),
 (501, 'Rai Yoyo',          'Cartoni per i più piccoli',                       0, 1, 27, 5, '43',  1, 7, 0, 0),
 (502, 'Rai Gulp',          'Programmi per ragazzi',                           1, 1, 28, 5, '42',  1, 8, 0, 0),
 (503, 'Boing',             'Cartoni animati',                                 0, 1, 29, 5, '40',  1, 9, 0, 0),
 (504, 'Cartoonito',        'Cartoni prescolari',                              0, 1, 30, 5, '46',  1, 10, 0, 0),
 (505, 'Frisbee',           'Avventure animate',                               0, 0, 31, 5, '44',  1, 1, 0, 0),
 (601, 'Telelombardia',     'Emittente locale lombarda',                       0, 1, 32, 6, '11',  1, 2, 0, 0),
 (602, 'TeleRoma 56',       'Emittente locale laziale',                        0, 1, 33, 6, '12',  1, 3, 0, 0),
 (603, 'Canale 21',         'Emittente locale campana',                        0, 1, 34, 6, '13',  1, 4, 0, 0),
 (604, 'Telenorba',         'Emittente locale pugliese',                       0, 1, 35, 6, '14',  1, 5, 0, 0),
 (605, 'Videolina',         'Emittente locale sarda',                          0, 0, 36, 6, '15',  1, 6, 0, 0),
 (701, 'Radio 1',           'Giornale radio e sport',                          1, 1, 37, 7, '701', 3, 7, 0, 0),
 (702, 'Radio 2',           'Musica e intrattenimento',                        0, 1, 38, 7, '702', 3, 8, 0, 0),
 (703, 'Radio 3',           'Cultura e musica classica',                       0, 1, 39, 7, '703', 3, 9, 0, 0),
 (704, 'Radio Città',       'Musica italiana',                                 0, 1, 40, 7, '704', 3, 10, 0, 0),
 (705, 'Isoradio',          'Informazione sul traffico',                       0, 1, 41, 7, '705', 3, 1, 0, 0);

-- @database Preferiti.cfg
CREATE TABLE Preferiti (
    ID     INTEGER,
    Titolo TEXT COLLATE NOCASE
);

-- @database monitor.cfg
CREATE TABLE Monitor (
    Titolo TEXT COLLATE NOCASE
);

-- @database config.cfg
CREATE TABLE Config (
    CARD           TEXT COLLATE NOCASE,
    Width          INTEGER,
    Heigth         INTEGER,
    Top            INTEGER,
    "Left"         INTEGER,
    FullScreen     INTEGER,
    TakeOnlyListed INTEGER,
    ScriptError    INTEGER,
    ShutDown       INTEGER,
    ShutType       INTEGER,
    CheckUpdate    INTEGER,
    TakeAll        INTEGER,
    TakeNone       INTEGER,
    HTMLRicerche   TEXT COLLATE NOCASE,
    Locandine      INTEGER,
    HighLights     INTEGER,
    NavBar         INTEGER,
    GiorniGriglia  INTEGER,
    Cinedrawerdb   TEXT COLLATE NOCASE
);
-- Window geometry in twips (15 twips a pixel): 1024 x 740 at 40, 30.
INSERT INTO Config VALUES ('classica.htm', 15360, 11100, 450, 600, 0, 0, 0, 0, 0, 1, 0, 0,
                           'classica.htm', 1, 1, 1, 2, '');
CREATE TABLE Importa (
    Titolo TEXT COLLATE NOCASE
);
INSERT INTO Importa (Titolo) VALUES ('Film'), ('Telefilm'), ('Documentario'), ('Miniserie'),
                                    ('Cartoni Animati'), ('');

-- @database config2.cfg
CREATE TABLE Config (
    HTMLReport TEXT COLLATE NOCASE,
    Colore     INTEGER,
    Pulisci    INTEGER,
    UsaProxy   INTEGER,
    ProxyName  TEXT COLLATE NOCASE,
    ProxyPort  TEXT COLLATE NOCASE,
    ProxyUser  TEXT COLLATE NOCASE,
    ProxyPass  TEXT COLLATE NOCASE,
    language   TEXT COLLATE NOCASE,
    HTMLmytv   TEXT COLLATE NOCASE,
    griglia    INTEGER,
    PopUp      INTEGER
);
INSERT INTO Config VALUES ('classica.htm', 1, 1, 0, '', '8080', '', '', 'Italiano.ini', 'classica.htm', 1, 1);

-- @database Cinedrawer.db
-- An empty movie catalogue the user may pick in the preferences: the film
-- export adds one row per film. Dates are "yyyy-mm-dd", the four flags 0/1.
CREATE TABLE Movies (
    MovieID          INTEGER PRIMARY KEY,
    Title            TEXT COLLATE NOCASE,
    Genre            TEXT,
    DateInsert       TEXT,
    ReferenceNo      TEXT,
    OriginalTitle    TEXT,
    media            TEXT,
    SubGenre         TEXT,
    Edition          TEXT,
    CatalogNo        TEXT,
    Year             TEXT,
    Country          TEXT,
    language         TEXT,
    Studio           TEXT,
    Distributor      TEXT,
    MPAA             TEXT,
    URL              TEXT,
    InternetID       TEXT,
    ScriptUsed       TEXT,
    WebLinkScript    TEXT,
    Region           TEXT,
    length           TEXT,
    VideoDVD         TEXT,
    AudioDVD         TEXT,
    position         TEXT,
    FreeTime         TEXT,
    Mode             TEXT,
    VideoStandard    TEXT,
    Director         TEXT,
    Producer         TEXT,
    Musician         TEXT,
    Writer           TEXT,
    Photographer     TEXT,
    Comments         TEXT,
    Plot             TEXT,
    Tagline          TEXT,
    Notes            TEXT,
    Cover            TEXT,
    Rating           TEXT,
    Loaner           TEXT,
    DateLoan         TEXT,
    Subtitles        TEXT,
    Actors           TEXT,
    Codec            TEXT,
    Resolution       TEXT,
    BitRate          TEXT,
    AudioCodec       TEXT,
    fileSize         TEXT,
    SampleRate       TEXT,
    AudioBitRate     TEXT,
    Ripped           TEXT,
    Channels         TEXT,
    MovieFile1       TEXT,
    MovieFile2       TEXT,
    MovieFile3       TEXT,
    MovieFile4       TEXT,
    MovieFile5       TEXT,
    MovieFile6       TEXT,
    TrailerFile1     TEXT,
    TrailerFile2     TEXT,
    Player           TEXT,
    CDLabel          TEXT,
    OriginalLanguage TEXT,
    DVDID            TEXT,
    VHSID            TEXT,
    UPC              TEXT,
    DvdYear          TEXT,
    Packaging        TEXT,
    Chapter          TEXT,
    status           TEXT,
    location         TEXT,
    OWNER            TEXT,
    DatePurchased    TEXT,
    AquiredFrom      TEXT,
    Price            TEXT,
    Value            TEXT,
    SeenWhen         TEXT,
    SeenWhere        TEXT,
    Modified         TEXT,
    Awards           TEXT,
    Disk             TEXT,
    fps              TEXT,
    Custom1          TEXT,
    Custom2          TEXT,
    Custom3          TEXT,
    Custom4          TEXT,
    Custom5          TEXT,
    Custom6          TEXT,
    Custom7          TEXT,
    Custom8          TEXT,
    Custom9          TEXT,
    Custom10         TEXT,
    Custom11         TEXT,
    Type             TEXT,
    LOAN             INTEGER,
    Seen             INTEGER,
    DolbyCodec       INTEGER,
    WebImported      INTEGER,
    color            TEXT
);

-- Empty model database: every table, in the column order the application relies on.
--
-- Conventions (kept by every table below):
--   * autonumbers are INTEGER PRIMARY KEY AUTOINCREMENT, so a deleted key is never handed
--     to a new row (profiles, templates and record categories leave rows pointing at it)
--   * yes/no columns are declared BOOLEAN (the database layer renders them "Vrai"/"Faux"),
--     hold 0 or 1 only and are never null
--   * codes, postcodes, phone numbers and dates ("yyyymmdd") are TEXT so that leading
--     zeros survive, swim times and amounts are REAL, keys are INTEGER
--   * every text column is COLLATE NOCASE: the application replaces NOCASE by its French
--     comparison, which is why no index, unique constraint or primary key sits on text
--   * several tables are read by position or filled by INSERT without a column list:
--     never reorder their columns, never append one without changing the code
--   * no NOT NULL outside the yes/no columns: the application writes partial rows


-- Schema version, clean-close flag and start of the season of the last licence renewal.
-- Exactly one row.
CREATE TABLE Info (
    Version     NUMERIC NOT NULL,
    LastClose   BOOLEAN NOT NULL DEFAULT 0 CHECK (LastClose IN (0, 1)),
    LastUpdtLic TEXT COLLATE NOCASE DEFAULT ''
);

-- Working contexts. A new profile is inserted with its club code and name only.
CREATE TABLE Profil (
    Num                 INTEGER PRIMARY KEY AUTOINCREMENT,
    Libelle             TEXT COLLATE NOCASE,
    Code_club           TEXT COLLATE NOCASE,
    LastUse             BOOLEAN NOT NULL DEFAULT 0 CHECK (LastUse IN (0, 1)),
    lgPosXSuivi         INTEGER DEFAULT 0,
    lgPosYSuivi         INTEGER DEFAULT 0,
    lgIntervalSuivi     INTEGER DEFAULT 1000,
    bAlwaysVisibleSuivi BOOLEAN NOT NULL DEFAULT 0 CHECK (bAlwaysVisibleSuivi IN (0, 1))
);

-- Clubs and selections of clubs. A deleted club carries its own Num as code, which frees
-- the code. Visible defaults to true: the insert does not name it.
CREATE TABLE Club (
    Num          INTEGER PRIMARY KEY AUTOINCREMENT,
    Code_federal TEXT COLLATE NOCASE,
    Intitule     TEXT COLLATE NOCASE,
    Selection    BOOLEAN NOT NULL DEFAULT 0 CHECK (Selection IN (0, 1)),
    Visible      BOOLEAN NOT NULL DEFAULT 1 CHECK (Visible IN (0, 1)),
    Adresse      TEXT COLLATE NOCASE,
    Code_Postal  TEXT COLLATE NOCASE,
    Ville        TEXT COLLATE NOCASE,
    Telephone    TEXT COLLATE NOCASE,
    Fax          TEXT COLLATE NOCASE,
    Mail         TEXT COLLATE NOCASE
);

-- Geography the club codes are built from. Filled here, never written by the application.
-- Code_Reg points at a Region row ('00', the 'Null' region, for every country).
CREATE TABLE Pays (
    Code     TEXT COLLATE NOCASE,
    Libelle  TEXT COLLATE NOCASE,
    Code_Reg TEXT COLLATE NOCASE
);

-- Code 0 ('Null', never listed) is what foreign clubs and federal selections carry.
CREATE TABLE Inter_Region (
    Code    INTEGER PRIMARY KEY,
    Libelle TEXT COLLATE NOCASE
);

CREATE TABLE Region (
    Code      TEXT COLLATE NOCASE,
    Libelle   TEXT COLLATE NOCASE,
    CodeInter INTEGER
);

CREATE TABLE Departement (
    Code    TEXT COLLATE NOCASE,
    Libelle TEXT COLLATE NOCASE,
    Region  TEXT COLLATE NOCASE
);

-- Own-club information. Suppr marks the rows being replaced during a save.
CREATE TABLE Dirigeant (
    Code_federal TEXT COLLATE NOCASE,
    Fonction     TEXT COLLATE NOCASE,
    Nom          TEXT COLLATE NOCASE,
    Tel1         TEXT COLLATE NOCASE,
    Tel2         TEXT COLLATE NOCASE,
    Mail         TEXT COLLATE NOCASE,
    Suppr        BOOLEAN NOT NULL DEFAULT 0 CHECK (Suppr IN (0, 1))
);

CREATE TABLE Tarifs (
    Code_federal TEXT COLLATE NOCASE,
    Intitule     TEXT COLLATE NOCASE,
    Tarif        REAL,
    Suppr        BOOLEAN NOT NULL DEFAULT 0 CHECK (Suppr IN (0, 1))
);

CREATE TABLE Activites (
    Code_federal TEXT COLLATE NOCASE,
    Activite     TEXT COLLATE NOCASE,
    Responsable  TEXT COLLATE NOCASE,
    Suppr        BOOLEAN NOT NULL DEFAULT 0 CHECK (Suppr IN (0, 1))
);

-- Filled by INSERT without a column list: exactly these two columns, in this order.
CREATE TABLE Activite_licence (
    Num_lic  INTEGER,
    Activite TEXT COLLATE NOCASE
);

-- Members of a selection of clubs. The insert names neither flag.
CREATE TABLE Selection (
    Code_Sel TEXT COLLATE NOCASE,
    Num_Lic  INTEGER,
    Visible  BOOLEAN NOT NULL DEFAULT 1 CHECK (Visible IN (0, 1)),
    Suppr    BOOLEAN NOT NULL DEFAULT 0 CHECK (Suppr IN (0, 1))
);

-- Swimmers. The detail window reads Licence.* by position (0 to 30): keep the order.
CREATE TABLE Licence (
    Num               INTEGER PRIMARY KEY AUTOINCREMENT,
    Code_club         TEXT COLLATE NOCASE,
    Licence           TEXT COLLATE NOCASE,
    Nom               TEXT COLLATE NOCASE,
    Prenom            TEXT COLLATE NOCASE,
    Sexe              TEXT COLLATE NOCASE,
    Date_Naissance    TEXT COLLATE NOCASE,
    Nationalite       TEXT COLLATE NOCASE,
    Adresse           TEXT COLLATE NOCASE,
    Suite_adresse     TEXT COLLATE NOCASE,
    Code_Postal       TEXT COLLATE NOCASE,
    Localite          TEXT COLLATE NOCASE,
    Telephone         TEXT COLLATE NOCASE,
    Sportive          TEXT COLLATE NOCASE,
    Synchro           TEXT COLLATE NOCASE,
    Water_Polo        TEXT COLLATE NOCASE,
    Plongeon          TEXT COLLATE NOCASE,
    Dirigeant         TEXT COLLATE NOCASE,
    Maitre            TEXT COLLATE NOCASE,
    Date_Depot        TEXT COLLATE NOCASE,
    Date_obliteration TEXT COLLATE NOCASE,
    Type_licence      TEXT COLLATE NOCASE,
    Nature            TEXT COLLATE NOCASE,
    Code_unique       TEXT COLLATE NOCASE,
    Visible           BOOLEAN NOT NULL DEFAULT 1 CHECK (Visible IN (0, 1)),
    Date_suppr        TEXT COLLATE NOCASE,
    Tel2              TEXT COLLATE NOCASE,
    Mail              TEXT COLLATE NOCASE,
    Tarif             TEXT COLLATE NOCASE,
    Medecin           TEXT COLLATE NOCASE,
    Date_Ctrl_Medical TEXT COLLATE NOCASE
);

-- Licences deleted in the open licence list, not yet committed.
CREATE TABLE Licence_tempo (
    Num       INTEGER,
    Code_Club TEXT COLLATE NOCASE,
    Licence   TEXT COLLATE NOCASE,
    Nom       TEXT COLLATE NOCASE,
    Prenom    TEXT COLLATE NOCASE
);

-- Competitions. Rcomp.* is read by position and copied whole into Rcomp_tempo.
-- A new competition must read "to come": Deroule false, Visible true.
CREATE TABLE Rcomp (
    AutoNum     INTEGER PRIMARY KEY AUTOINCREMENT,
    Num         TEXT COLLATE NOCASE,
    Type        TEXT COLLATE NOCASE,
    Nom         TEXT COLLATE NOCASE,
    Debut       TEXT COLLATE NOCASE,
    Fin         TEXT COLLATE NOCASE,
    Lieu        TEXT COLLATE NOCASE,
    Longueur    INTEGER,
    Nb_couloir  INTEGER,
    Codif_fede  TEXT COLLATE NOCASE,
    Codif_inter TEXT COLLATE NOCASE,
    Codif_reg   TEXT COLLATE NOCASE,
    Codif_depar TEXT COLLATE NOCASE,
    Deroule     BOOLEAN NOT NULL DEFAULT 0 CHECK (Deroule IN (0, 1)),
    Visible     BOOLEAN NOT NULL DEFAULT 1 CHECK (Visible IN (0, 1)),
    Num_Piscine INTEGER
);

-- Same columns as Rcomp, same order: it receives SELECT Rcomp.* (copied keys, no autonumber).
CREATE TABLE Rcomp_tempo (
    AutoNum     INTEGER,
    Num         TEXT COLLATE NOCASE,
    Type        TEXT COLLATE NOCASE,
    Nom         TEXT COLLATE NOCASE,
    Debut       TEXT COLLATE NOCASE,
    Fin         TEXT COLLATE NOCASE,
    Lieu        TEXT COLLATE NOCASE,
    Longueur    INTEGER,
    Nb_couloir  INTEGER,
    Codif_fede  TEXT COLLATE NOCASE,
    Codif_inter TEXT COLLATE NOCASE,
    Codif_reg   TEXT COLLATE NOCASE,
    Codif_depar TEXT COLLATE NOCASE,
    Deroule     BOOLEAN NOT NULL DEFAULT 0 CHECK (Deroule IN (0, 1)),
    Visible     BOOLEAN NOT NULL DEFAULT 1 CHECK (Visible IN (0, 1)),
    Num_Piscine INTEGER
);

-- Pools, read with SELECT * by position. The 'Null' pool is created when a base opens.
CREATE TABLE Piscine (
    Num         INTEGER PRIMARY KEY AUTOINCREMENT,
    Nom         TEXT COLLATE NOCASE,
    Adresse     TEXT COLLATE NOCASE,
    Code_Postal TEXT COLLATE NOCASE,
    Ville       TEXT COLLATE NOCASE,
    NbCouloir   INTEGER,
    Bassin      INTEGER
);

-- Programmes: one row per event of a competition (Pcomp, and its scratch copy Pcomp_tempo)
-- or of a programme template (Pcomp_modele). Type and Nb_finales arrive as quoted digits,
-- INTEGER affinity stores them as numbers.
CREATE TABLE Pcomp (
    Num_compet   INTEGER,
    Code_epreuve INTEGER,
    JourCourse   INTEGER,
    Type         INTEGER,
    Nb_finales   INTEGER,
    Type_finale  TEXT COLLATE NOCASE,
    Num_ordre    INTEGER
);

CREATE TABLE Pcomp_tempo (
    Num_compet   INTEGER,
    Code_epreuve INTEGER,
    JourCourse   INTEGER,
    Type         INTEGER,
    Nb_finales   INTEGER,
    Type_finale  TEXT COLLATE NOCASE,
    Num_ordre    INTEGER
);

CREATE TABLE Pcomp_modele (
    Num_modele   INTEGER,
    Code_epreuve INTEGER,
    JourCourse   INTEGER,
    Type         INTEGER,
    Nb_finales   INTEGER,
    Type_finale  TEXT COLLATE NOCASE,
    Num_ordre    INTEGER
);

-- Templates. A new one is inserted with its name and profile only, and must not be taken
-- by the "Suppr = true" purge.
CREATE TABLE Modele_prog (
    NumAuto    INTEGER PRIMARY KEY AUTOINCREMENT,
    Nom_modele TEXT COLLATE NOCASE,
    Num_profil INTEGER,
    Suppr      BOOLEAN NOT NULL DEFAULT 0 CHECK (Suppr IN (0, 1))
);

CREATE TABLE Modele_engag (
    NumAuto    INTEGER PRIMARY KEY AUTOINCREMENT,
    Nom_modele TEXT COLLATE NOCASE,
    Num_profil INTEGER,
    Suppr      BOOLEAN NOT NULL DEFAULT 0 CHECK (Suppr IN (0, 1))
);

-- Event catalogue. Codes are fixed data, not an autonumber. Only Ref_len is ever updated.
CREATE TABLE Nage (
    Code_Nage   INTEGER PRIMARY KEY,
    Libelle     TEXT COLLATE NOCASE,
    Nb_nageurs  INTEGER,
    Sexe        TEXT COLLATE NOCASE,
    Mixte       BOOLEAN NOT NULL DEFAULT 0 CHECK (Mixte IN (0, 1)),
    Distance    INTEGER,
    Possible_50 BOOLEAN NOT NULL DEFAULT 0 CHECK (Possible_50 IN (0, 1)),
    Ref_len     REAL
);

-- Individual entries, and their work copy (same columns, same order: rows travel with
-- SELECT t.*). A template applied to a competition inserts the first six columns only,
-- the defaults are what the entry window writes for an entry without a time.
CREATE TABLE Engag (
    Num_compet     INTEGER,
    Num_profil     INTEGER,
    Code_epreuve   INTEGER,
    Num_Lic        INTEGER,
    Num_equipe     INTEGER,
    Equipe_mixte   BOOLEAN NOT NULL DEFAULT 0 CHECK (Equipe_mixte IN (0, 1)),
    Tps_engagement REAL DEFAULT 0,
    Lieu_perf      TEXT COLLATE NOCASE DEFAULT '',
    Date_perf      TEXT COLLATE NOCASE DEFAULT '',
    Bassin         INTEGER DEFAULT 25
);

CREATE TABLE Engag_tempo (
    Num_compet     INTEGER,
    Num_profil     INTEGER,
    Code_epreuve   INTEGER,
    Num_Lic        INTEGER,
    Num_equipe     INTEGER,
    Equipe_mixte   BOOLEAN NOT NULL DEFAULT 0 CHECK (Equipe_mixte IN (0, 1)),
    Tps_engagement REAL DEFAULT 0,
    Lieu_perf      TEXT COLLATE NOCASE DEFAULT '',
    Date_perf      TEXT COLLATE NOCASE DEFAULT '',
    Bassin         INTEGER DEFAULT 25
);

-- Swimmers taken into an entry. The Old_ defaults matter: a swimmer added during an edit
-- reads team (0, false) after a cancel and disappears at the purge.
CREATE TABLE Engag_nageur (
    Num_profil   INTEGER,
    Num_compet   INTEGER,
    Num_Lic      INTEGER,
    Equipe       INTEGER,
    Equipe_m     BOOLEAN NOT NULL DEFAULT 0 CHECK (Equipe_m IN (0, 1)),
    Old_equipe   INTEGER DEFAULT 0,
    Old_equipe_m BOOLEAN NOT NULL DEFAULT 0 CHECK (Old_equipe_m IN (0, 1))
);

-- Numbers of teams. Inserted without a column list with eight values: keep the order.
CREATE TABLE Engag_equipe (
    Num_compet   INTEGER,
    Num_profil   INTEGER,
    Eq_Homme     INTEGER,
    Eq_Femme     INTEGER,
    Eq_Mixte     INTEGER,
    Old_Eq_Homme INTEGER DEFAULT 0,
    Old_Eq_Femme INTEGER DEFAULT 0,
    Old_Eq_Mixte INTEGER DEFAULT 0
);

-- Content of entry templates (Num_modele is Modele_engag.NumAuto).
CREATE TABLE Engag_modele (
    Num_modele   INTEGER,
    Code_epreuve INTEGER,
    Num_Lic      INTEGER,
    Num_equipe   INTEGER,
    Equipe_mixte BOOLEAN NOT NULL DEFAULT 0 CHECK (Equipe_mixte IN (0, 1))
);

CREATE TABLE Engag_nageur_modele (
    Num_modele   INTEGER,
    Num_Lic      INTEGER,
    Equipe       INTEGER,
    Equipe_m     BOOLEAN NOT NULL DEFAULT 0 CHECK (Equipe_m IN (0, 1)),
    Old_equipe   INTEGER DEFAULT 0,
    Old_equipe_m BOOLEAN NOT NULL DEFAULT 0 CHECK (Old_equipe_m IN (0, 1))
);

-- Inserted without a column list with seven values: keep the order.
CREATE TABLE Engag_equipe_modele (
    Num_modele   INTEGER,
    Eq_Homme     INTEGER,
    Eq_Femme     INTEGER,
    Eq_Mixte     INTEGER,
    Old_Eq_Homme INTEGER DEFAULT 0,
    Old_Eq_Femme INTEGER DEFAULT 0,
    Old_Eq_Mixte INTEGER DEFAULT 0
);

-- Relay entries and their work copy: inserted without a column list and copied with
-- SELECT t.*, so both keep exactly these 17 columns. Num_Lic is the relay team's ordinal,
-- Licence1..10 the legs (the 'Null' licence for an empty leg).
CREATE TABLE Relais (
    Num_profil   INTEGER,
    Num_compet   INTEGER,
    Code_epreuve INTEGER,
    Num_Lic      INTEGER,
    Num_equipe   INTEGER,
    Equipe_mixte BOOLEAN NOT NULL DEFAULT 0 CHECK (Equipe_mixte IN (0, 1)),
    Tps          REAL DEFAULT 0,
    Licence1     INTEGER,
    Licence2     INTEGER,
    Licence3     INTEGER,
    Licence4     INTEGER,
    Licence5     INTEGER,
    Licence6     INTEGER,
    Licence7     INTEGER,
    Licence8     INTEGER,
    Licence9     INTEGER,
    Licence10    INTEGER
);

CREATE TABLE Relais_tempo (
    Num_profil   INTEGER,
    Num_compet   INTEGER,
    Code_epreuve INTEGER,
    Num_Lic      INTEGER,
    Num_equipe   INTEGER,
    Equipe_mixte BOOLEAN NOT NULL DEFAULT 0 CHECK (Equipe_mixte IN (0, 1)),
    Tps          REAL DEFAULT 0,
    Licence1     INTEGER,
    Licence2     INTEGER,
    Licence3     INTEGER,
    Licence4     INTEGER,
    Licence5     INTEGER,
    Licence6     INTEGER,
    Licence7     INTEGER,
    Licence8     INTEGER,
    Licence9     INTEGER,
    Licence10    INTEGER
);

-- Performance history. Both tables are filled by INSERT without a column list (manual
-- entry and the importers): 16 and 23 columns, in this order. Manual rows have
-- Num_compet 0 and their own NumManuel.
CREATE TABLE Liffn (
    Code_epreuve   INTEGER,
    Code_club      TEXT COLLATE NOCASE,
    Num_Lic        INTEGER,
    Type_bassin    INTEGER,
    Date_perf      TEXT COLLATE NOCASE,
    Tps            REAL,
    Lieu           TEXT COLLATE NOCASE,
    Codif_Fede     TEXT COLLATE NOCASE,
    Codif_Inter    TEXT COLLATE NOCASE,
    Codif_Reg      TEXT COLLATE NOCASE,
    Codif_Depart   TEXT COLLATE NOCASE,
    Passage_relais TEXT COLLATE NOCASE,
    Tps_inter      BOOLEAN NOT NULL DEFAULT 0 CHECK (Tps_inter IN (0, 1)),
    Age_nageur     INTEGER,
    Num_compet     INTEGER,
    NumManuel      INTEGER
);

CREATE TABLE Liffn_relais (
    Code_epreuve INTEGER,
    Code_club    TEXT COLLATE NOCASE,
    Num_Lic      INTEGER,
    Type_bassin  INTEGER,
    Date_perf    TEXT COLLATE NOCASE,
    Tps          REAL,
    Lieu         TEXT COLLATE NOCASE,
    Nageur1      INTEGER,
    Nageur2      INTEGER,
    Nageur3      INTEGER,
    Nageur4      INTEGER,
    Nageur5      INTEGER,
    Nageur6      INTEGER,
    Nageur7      INTEGER,
    Nageur8      INTEGER,
    Nageur9      INTEGER,
    Nageur10     INTEGER,
    Codif_Fede   TEXT COLLATE NOCASE,
    Codif_Inter  TEXT COLLATE NOCASE,
    Codif_Reg    TEXT COLLATE NOCASE,
    Codif_Depart TEXT COLLATE NOCASE,
    Num_compet   INTEGER,
    NumManuel    INTEGER
);

-- Competition results, written by the results import only. A Tps of 91 or more is a
-- Code_Disq value, not a time. In Prres_relais, Num_Lic is the relay team's number.
CREATE TABLE Prres (
    Num_compet           INTEGER,
    Code_epreuve         INTEGER,
    Num_Lic              INTEGER,
    Code_club            TEXT COLLATE NOCASE,
    Num_equipe           INTEGER,
    Tps                  REAL,
    Cotation_FFN         INTEGER,
    Type_course          TEXT COLLATE NOCASE,
    Numero_serie         INTEGER,
    Numero_couloir       INTEGER,
    Numero_ordre_couloir INTEGER,
    Num_categorie        INTEGER,
    Inter1               REAL,
    Inter2               REAL,
    Inter3               REAL,
    Inter4               REAL,
    Inter5               REAL,
    Inter6               REAL,
    Inter7               REAL,
    Inter8               REAL,
    Inter9               REAL,
    Inter10              REAL,
    Inter11              REAL,
    Inter12              REAL,
    Inter13              REAL,
    Inter14              REAL
);

CREATE TABLE Prres_relais (
    Num_compet           INTEGER,
    Code_epreuve         INTEGER,
    Num_Lic              INTEGER,
    Code_club            TEXT COLLATE NOCASE,
    Num_equipe           INTEGER,
    Tps                  REAL,
    Cotation_FFN         INTEGER,
    Type_course          TEXT COLLATE NOCASE,
    Numero_serie         INTEGER,
    Numero_couloir       INTEGER,
    Numero_ordre_couloir INTEGER,
    Num_categorie        INTEGER,
    Inter1               REAL,
    Inter2               REAL,
    Inter3               REAL,
    Inter4               REAL,
    Inter5               REAL,
    Inter6               REAL,
    Inter7               REAL,
    Inter8               REAL,
    Inter9               REAL,
    Inter10              REAL,
    Inter11              REAL,
    Inter12              REAL,
    Inter13              REAL,
    Inter14              REAL
);

-- Category labels of an imported competition.
CREATE TABLE Categori (
    Num_compet INTEGER,
    Num_cat    INTEGER,
    Libelle    TEXT COLLATE NOCASE
);

-- Special result codes. The viewer loads them into a keyed collection: one row per value.
CREATE TABLE Code_Disq (
    Val_code REAL PRIMARY KEY,
    Lib_un   TEXT COLLATE NOCASE,
    Lib_deux TEXT COLLATE NOCASE
);

-- Club record categories. Old marks the rows being replaced during a save, new rows are
-- inserted without it and must read false.
CREATE TABLE Categori_record_club (
    Num_cat   INTEGER PRIMARY KEY AUTOINCREMENT,
    Code_Club TEXT COLLATE NOCASE,
    Libelle   TEXT COLLATE NOCASE,
    Age_inf   INTEGER,
    Age_sup   INTEGER,
    Sexe      TEXT COLLATE NOCASE,
    Old       BOOLEAN NOT NULL DEFAULT 0 CHECK (Old IN (0, 1))
);

-- Club records, typed by hand. Rel1..Rel10 hold the relay swimmers' names.
CREATE TABLE RecordClub (
    Num_auto  INTEGER PRIMARY KEY AUTOINCREMENT,
    Categorie INTEGER,
    Code_nage INTEGER,
    Bassin    INTEGER,
    Tps       REAL,
    Nom       TEXT COLLATE NOCASE,
    Prenom    TEXT COLLATE NOCASE,
    Date_perf TEXT COLLATE NOCASE,
    Lieu      TEXT COLLATE NOCASE,
    Rel1      TEXT COLLATE NOCASE,
    Rel2      TEXT COLLATE NOCASE,
    Rel3      TEXT COLLATE NOCASE,
    Rel4      TEXT COLLATE NOCASE,
    Rel5      TEXT COLLATE NOCASE,
    Rel6      TEXT COLLATE NOCASE,
    Rel7      TEXT COLLATE NOCASE,
    Rel8      TEXT COLLATE NOCASE,
    Rel9      TEXT COLLATE NOCASE,
    Rel10     TEXT COLLATE NOCASE
);


-- A club's code is the key every other table uses for it. Deleting a club replaces its
-- code by its Num and then deletes or hides the rows that now carry that Num, and editing
-- a club may correct its code: both need the change carried into every table that holds
-- the club's code. Without it a deleted club's licences stay visible and a new club given
-- the freed code inherits its profiles, licences, records and performances.
-- (The inner statements start their lines with the separator so that no line but the
-- last one ends with it.)
CREATE TRIGGER Club_code_cascade
AFTER UPDATE OF Code_federal ON Club
FOR EACH ROW WHEN OLD.Code_federal IS NOT NEW.Code_federal
BEGIN
    UPDATE Profil SET Code_club = NEW.Code_federal WHERE Code_club = OLD.Code_federal
    ; UPDATE Licence SET Code_club = NEW.Code_federal WHERE Code_club = OLD.Code_federal
    ; UPDATE Selection SET Code_Sel = NEW.Code_federal WHERE Code_Sel = OLD.Code_federal
    ; UPDATE Dirigeant SET Code_federal = NEW.Code_federal WHERE Code_federal = OLD.Code_federal
    ; UPDATE Tarifs SET Code_federal = NEW.Code_federal WHERE Code_federal = OLD.Code_federal
    ; UPDATE Activites SET Code_federal = NEW.Code_federal WHERE Code_federal = OLD.Code_federal
    ; UPDATE Categori_record_club SET Code_Club = NEW.Code_federal WHERE Code_Club = OLD.Code_federal
    ; UPDATE Liffn SET Code_club = NEW.Code_federal WHERE Code_club = OLD.Code_federal
    ; UPDATE Liffn_relais SET Code_club = NEW.Code_federal WHERE Code_club = OLD.Code_federal
    ; UPDATE Prres SET Code_club = NEW.Code_federal WHERE Code_club = OLD.Code_federal
    ; UPDATE Prres_relais SET Code_club = NEW.Code_federal WHERE Code_club = OLD.Code_federal
    ; END;


-- Indexes: integer columns only, on the tables that grow with the years and are searched
-- by them (the rest stay small enough to scan).
CREATE INDEX Liffn_par_nageur ON Liffn (Num_Lic, Code_epreuve);
CREATE INDEX Liffn_par_compet ON Liffn (Num_compet, NumManuel);
CREATE INDEX Liffn_relais_par_compet ON Liffn_relais (Num_compet, NumManuel);
CREATE INDEX Prres_par_epreuve ON Prres (Num_compet, Code_epreuve);
CREATE INDEX Prres_relais_par_epreuve ON Prres_relais (Num_compet, Code_epreuve);
CREATE INDEX Engag_par_compet ON Engag (Num_compet, Num_profil);
CREATE INDEX Engag_nageur_par_compet ON Engag_nageur (Num_compet, Num_profil);
CREATE INDEX Relais_par_compet ON Relais (Num_compet, Num_profil);
CREATE INDEX Selection_par_licence ON Selection (Num_Lic);
CREATE INDEX Activite_licence_par_licence ON Activite_licence (Num_lic);
CREATE INDEX Pcomp_par_compet ON Pcomp (Num_compet);
CREATE INDEX RecordClub_par_epreuve ON RecordClub (Categorie, Code_nage, Bassin);

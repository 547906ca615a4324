-- The host suite's general database "talpogenel" (SQLite dialect): companies with their
-- branches, and the settings of the host's dialogs. Only the columns the tool reads.

-- One row per company branch; subeno 1 is the company's main record.
CREATE TABLE FirmalarListesi (
    ID                INTEGER PRIMARY KEY AUTOINCREMENT,
    klavuz            NVARCHAR(20) NOT NULL,
    subeno            INTEGER NOT NULL DEFAULT 1,
    subea             NVARCHAR(100),
    vergino           NVARCHAR(11),
    Edit3             NVARCHAR(11),
    alankodu          NVARCHAR(5),
    tel               NVARCHAR(20),
    alankodufax       NVARCHAR(5),
    fax               NVARCHAR(20),
    cep1              NVARCHAR(20),
    Meslek_Tesekkulu  NVARCHAR(100),
    baosno            NVARCHAR(20),
    email             NVARCHAR(100),
    isyeri_kodu       NVARCHAR(20),
    sek               NVARCHAR(10),
    mes               NVARCHAR(10),
    sube2             NVARCHAR(10),
    sssk              NVARCHAR(10),
    sssn              NVARCHAR(10),
    ik                NVARCHAR(5),
    aracikodu         NVARCHAR(5)
);

-- Settings of the host's dialogs as name=value text; the office-wide record of the
-- settings dialog has no user and no company.
CREATE TABLE Ayarlar (
    ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    Kullanici_id  INTEGER,
    Form          NVARCHAR(50),
    Firma         NVARCHAR(20),
    ini           TEXT
);

-- A demo company with its main record.
INSERT INTO FirmalarListesi (klavuz, subeno, subea, vergino, Edit3)
VALUES ('00123', 1, 'Merkez', '1234567890', '');

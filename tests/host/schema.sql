-- The company database of the host suite, as the tool sees it (SQLite dialect).
-- Only the tables and columns the tool reads or writes; the host's real tables hold more.

-- The activity log handed back at close. A new row is marked 1; the tool's last statement
-- turns its run's rows into 2.
CREATE TABLE E_TEBLIGAT_LOG (
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,
    TARIH     DATETIME,
    ACIKLAMA  NVARCHAR(500),
    FIRMA_ID  INTEGER NOT NULL DEFAULT 1
);

-- The notifications found by the e-notification check. (The tool stores an empty table cell
-- as one blank, so the check below only refuses rows written some other way; the test of a
-- refused row uses a unique index of its own.)
CREATE TABLE E_TEBLIGAT (
    ID                 INTEGER PRIMARY KEY AUTOINCREMENT,
    GONDEREN_BIRIM     NVARCHAR(200),
    GONDERME_TARIHI    NVARCHAR(20),
    TEBLIG_TARIHI      NVARCHAR(20),
    TEBLIG_BELGE_TURU  NVARCHAR(100),
    BELGE_NO           NVARCHAR(50) NOT NULL CHECK (BELGE_NO <> ''),
    BELGE_YOLU         NVARCHAR(250),
    BELGE_FILE_NAME    NVARCHAR(50)
);

-- The VAT declaration months: the POS query writes the card-terminal total into Df45.
CREATE TABLE kdvy (
    ID       INTEGER PRIMARY KEY AUTOINCREMENT,
    Cyili    INTEGER NOT NULL,
    Ayindex  INTEGER NOT NULL,
    Df45     NUMERIC(18, 2) DEFAULT 0
);

-- The intermediation contract of the company (first row used).
CREATE TABLE smmbilgi (
    ID                INTEGER PRIMARY KEY AUTOINCREMENT,
    Vergino           NVARCHAR(11),
    SBasTarih         DATETIME,
    SBitTarih         DATETIME,
    SeriNo            NVARCHAR(10),
    Ssicno            NVARCHAR(20),
    Duzenleme_Tarihi  DATETIME,
    Ssayi             NVARCHAR(20)
);

-- The catalogue's three tables for the embedded SQLite database
-- (ODBC driver "SQLite3"). Columns the converter never assigns take the
-- defaults below: nindex numbers the events, lddate/LDDATE date the row.

CREATE TABLE eventlist (
    nindex     INTEGER PRIMARY KEY AUTOINCREMENT,
    sta        VARCHAR(255) NOT NULL,
    tbegin     DOUBLE PRECISION NOT NULL,
    event_type INTEGER,
    lddate     TIMESTAMP DEFAULT (datetime('now', 'localtime')),
    UNIQUE (sta, tbegin)  -- also the index of the event row lookup
);

CREATE TABLE sitechan (
    sta        VARCHAR(255) NOT NULL,
    chan       VARCHAR(255) NOT NULL,
    ngroup     INTEGER,
    chanindex  INTEGER,
    edeph      DOUBLE PRECISION,
    lat        DOUBLE PRECISION,
    lon        DOUBLE PRECISION,
    sps        DOUBLE PRECISION,
    hang       DOUBLE PRECISION,
    vang       DOUBLE PRECISION,
    descr      VARCHAR(255),
    calibfile  VARCHAR(255),
    lddate     TIMESTAMP DEFAULT (datetime('now', 'localtime'))
);

CREATE TABLE FILELIST (
    STA        VARCHAR(255),
    TBEGIN     DOUBLE PRECISION,
    TQTY       DOUBLE PRECISION,
    CH         VARCHAR(255),
    SPS        DOUBLE PRECISION,
    GAIN       INTEGER,
    CPATH      VARCHAR(255) NOT NULL PRIMARY KEY,  -- also the index of the row lookup
    FOFF       INTEGER,
    DATATYPE   INTEGER,
    CREATER    VARCHAR(255),
    LDDATE     TIMESTAMP DEFAULT (datetime('now', 'localtime'))
);

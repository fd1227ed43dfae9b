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

-- The record of recordings: what became of each recording of a source
-- directory, as last seen (size and modification time), and the trace files
-- it wrote. A converter claims a recording by claimed_by/claimed_until before
-- converting it; an expired claim is free.

CREATE TABLE kelvaron_recordings (
    source_path   VARCHAR(4096) NOT NULL PRIMARY KEY,  -- any path: PATH_MAX
    station       VARCHAR(64) NOT NULL,
    file_size     BIGINT NOT NULL,
    file_mtime    BIGINT NOT NULL,            -- ns since the epoch
    start_time    DOUBLE PRECISION NULL,      -- from the header, recorder clock epoch seconds
    span_seconds  DOUBLE PRECISION NULL,
    outcome       VARCHAR(16) NOT NULL,       -- seen, converted, incomplete, skipped, failed
    message       VARCHAR(1024) NULL,         -- skip reason or failure message
    recorded_at   BIGINT NOT NULL,            -- Unix seconds of the last change
    host          VARCHAR(255) NOT NULL,      -- the converter that wrote it, host:pid
    claimed_by    VARCHAR(255) NULL,          -- host:pid
    claimed_until BIGINT NULL                 -- Unix seconds; expired = free
);

CREATE TABLE kelvaron_recording_traces (
    source_path   VARCHAR(4096) NOT NULL,
    channel       VARCHAR(16) NOT NULL,
    trace_path    VARCHAR(1024) NOT NULL,
    PRIMARY KEY (source_path, trace_path)
);

-- What a converter last saw of a source directory: a digest of every entry's
-- name, size and modification time, kept when each of those entries had its
-- record as seen, and what those records hold in sum, so that a later look
-- at an unchanged directory reads no record it needs not. generation counts
-- the writes to the records of the directory's entries; each write clears
-- listing.

CREATE TABLE kelvaron_source_listings (
    directory     VARCHAR(4096) NOT NULL PRIMARY KEY,  -- ends in "/"
    listing       VARCHAR(64) NULL,
    generation    BIGINT NOT NULL,
    records       BIGINT NULL,                -- rows of kelvaron_recordings under directory
    last_change   BIGINT NULL,                -- newest inode change of the entries, ns
    unsettled     BIGINT NULL,                -- records a sync converts if it may ("seen")
    unplaced      BIGINT NULL,                -- records without a plain start and span
    station       VARCHAR(64) NULL,           -- the one station all records name, if one
    first_start   DOUBLE PRECISION NULL,      -- earliest start of the placed records
    last_end      DOUBLE PRECISION NULL       -- latest end of the placed records
);

-- The tables of the personnel archive. The program never creates them: roster-cli create-db
-- builds roster5.dat from this file (and sample.sql) when the installation is assembled.
--
-- Kinds: text and memo are TEXT COLLATE NOCASE (VARCHAR(n) / LONGTEXT), whole numbers INTEGER,
-- yes/no INTEGER -1/0 declared BOOLEAN, images BLOB, dates ISO text "yyyy-MM-dd" declared DATE.
-- Every table keeps SQLite's rowid as the row identity the program browses by.

CREATE TABLE person (
    ID          VARCHAR(20)  COLLATE NOCASE NOT NULL UNIQUE,
    name        VARCHAR(20)  COLLATE NOCASE NOT NULL,
    sex         VARCHAR(2)   COLLATE NOCASE,
    age         INTEGER,
    birth       DATE,
    folk        VARCHAR(20)  COLLATE NOCASE,
    ismarry     VARCHAR(10)  COLLATE NOCASE,
    cardID      VARCHAR(20)  COLLATE NOCASE,
    phone       VARCHAR(30)  COLLATE NOCASE,
    call        VARCHAR(30)  COLLATE NOCASE,
    mphone      VARCHAR(30)  COLLATE NOCASE,
    native      VARCHAR(50)  COLLATE NOCASE,
    addr        VARCHAR(100) COLLATE NOCASE,
    school      VARCHAR(50)  COLLATE NOCASE,
    subject     VARCHAR(50)  COLLATE NOCASE,
    gdate       DATE,
    dept        VARCHAR(50)  COLLATE NOCASE,
    dept_1      VARCHAR(50)  COLLATE NOCASE,
    dept_2      VARCHAR(50)  COLLATE NOCASE,
    isworker    VARCHAR(20)  COLLATE NOCASE,
    aboutpay    VARCHAR(20)  COLLATE NOCASE,
    date1       DATE,
    date2       DATE,
    education   VARCHAR(20)  COLLATE NOCASE,
    workage     INTEGER,
    hereworkage INTEGER,
    political   VARCHAR(20)  COLLATE NOCASE,
    technical   VARCHAR(20)  COLLATE NOCASE,
    duty        VARCHAR(20)  COLLATE NOCASE,
    picture     BLOB,
    comments    LONGTEXT     COLLATE NOCASE,
    status      INTEGER      DEFAULT 1
);
CREATE INDEX person_status ON person(status);
CREATE INDEX person_name ON person(name);

CREATE TABLE family (
    id          VARCHAR(20)  COLLATE NOCASE,
    name        VARCHAR(20)  COLLATE NOCASE,
    relation    VARCHAR(20)  COLLATE NOCASE,
    date        DATE,
    dept        VARCHAR(50)  COLLATE NOCASE,
    duty        VARCHAR(20)  COLLATE NOCASE,
    political   VARCHAR(20)  COLLATE NOCASE,
    phone       VARCHAR(30)  COLLATE NOCASE
);
CREATE INDEX family_id ON family(id);

CREATE TABLE history (
    id          VARCHAR(20)  COLLATE NOCASE,
    date1       DATE,
    date2       DATE,
    company     VARCHAR(50)  COLLATE NOCASE,
    dept        VARCHAR(50)  COLLATE NOCASE,
    duty        VARCHAR(20)  COLLATE NOCASE,
    level1      VARCHAR(20)  COLLATE NOCASE
);
CREATE INDEX history_id ON history(id);

CREATE TABLE honor (
    id          VARCHAR(20)  COLLATE NOCASE,
    sorts       VARCHAR(20)  COLLATE NOCASE,
    date1       DATE,
    reason1     VARCHAR(100) COLLATE NOCASE,
    dept        VARCHAR(50)  COLLATE NOCASE,
    date2       DATE,
    reason2     VARCHAR(100) COLLATE NOCASE
);
CREATE INDEX honor_id ON honor(id);

CREATE TABLE assess (
    id          VARCHAR(20)  COLLATE NOCASE,
    tech        VARCHAR(50)  COLLATE NOCASE,
    mode        VARCHAR(20)  COLLATE NOCASE,
    date0       DATE,
    duty        VARCHAR(50)  COLLATE NOCASE,
    date1       DATE,
    date2       DATE,
    dept        VARCHAR(50)  COLLATE NOCASE
);
CREATE INDEX assess_id ON assess(id);

CREATE TABLE train (
    id          VARCHAR(20)  COLLATE NOCASE,
    mode        VARCHAR(20)  COLLATE NOCASE,
    date1       DATE,
    date2       DATE,
    term        VARCHAR(20)  COLLATE NOCASE,
    subject     VARCHAR(50)  COLLATE NOCASE,
    dept        VARCHAR(50)  COLLATE NOCASE,
    content     VARCHAR(100) COLLATE NOCASE,
    outlay      VARCHAR(20)  COLLATE NOCASE,
    result      VARCHAR(50)  COLLATE NOCASE
);
CREATE INDEX train_id ON train(id);

CREATE TABLE contracts (
    person_id   VARCHAR(20)  COLLATE NOCASE,
    contract_no VARCHAR(30)  COLLATE NOCASE,
    name        VARCHAR(50)  COLLATE NOCASE,
    category    VARCHAR(20)  COLLATE NOCASE,
    prop        VARCHAR(20)  COLLATE NOCASE,
    start_date  DATE,
    end_date    DATE,
    comment     VARCHAR(100) COLLATE NOCASE
);
CREATE INDEX contracts_person_id ON contracts(person_id);

CREATE TABLE redeployments (
    id          INTEGER PRIMARY KEY AUTOINCREMENT,
    person_id   VARCHAR(20)  COLLATE NOCASE,
    date        DATE         DEFAULT (date('now', 'localtime')),
    category    VARCHAR(20)  COLLATE NOCASE,
    from_value  VARCHAR(150) COLLATE NOCASE,
    to_value    VARCHAR(150) COLLATE NOCASE,
    reason      VARCHAR(100) COLLATE NOCASE
);
CREATE INDEX redeployments_person_id ON redeployments(person_id);

CREATE TABLE addrbook (
    name        VARCHAR(20)  COLLATE NOCASE,
    sex         VARCHAR(2)   COLLATE NOCASE,
    phone1      VARCHAR(30)  COLLATE NOCASE,
    phone2      VARCHAR(30)  COLLATE NOCASE,
    call        VARCHAR(30)  COLLATE NOCASE,
    mphone      VARCHAR(30)  COLLATE NOCASE,
    oicq        VARCHAR(20)  COLLATE NOCASE,
    email       VARCHAR(50)  COLLATE NOCASE,
    comments    LONGTEXT     COLLATE NOCASE
);

CREATE TABLE notepad (
    date        DATE,
    sort        VARCHAR(20)  COLLATE NOCASE,
    caption     VARCHAR(100) COLLATE NOCASE,
    comments    LONGTEXT     COLLATE NOCASE
);

CREATE TABLE password (
    user        VARCHAR(20)  COLLATE NOCASE,
    passwd      VARCHAR(32),
    isadmin     BOOLEAN,
    key         VARCHAR(8)   COLLATE NOCASE
);
CREATE INDEX "key" ON password(key);
CREATE INDEX subkey ON password(isadmin);

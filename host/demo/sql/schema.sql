-- Tables of the demo hospital. Column names are the hospital database's codes;
-- types are SQL Server's names so that result columns get the same field types
-- as on the production database.

-- Host: script store, its parameters, procedures, settings, searches,
-- privileges, report formats and the audit report tree.
CREATE TABLE cv_scripts (id INTEGER PRIMARY KEY, code TEXT UNIQUE, name TEXT NOT NULL, body TEXT NOT NULL);
CREATE TABLE cv_script_params (script_id INTEGER NOT NULL, ord INTEGER NOT NULL, name TEXT NOT NULL,
    caption TEXT NOT NULL, kind TEXT NOT NULL DEFAULT 'text',
    default_value TEXT,
    PRIMARY KEY (script_id, ord));
CREATE TABLE cv_procedures (name TEXT PRIMARY KEY COLLATE NOCASE, params TEXT, body TEXT);
CREATE TABLE cv_settings (name TEXT PRIMARY KEY COLLATE NOCASE, value TEXT);
CREATE TABLE cv_searches (id INTEGER PRIMARY KEY, name TEXT NOT NULL, body TEXT NOT NULL, key_field TEXT, columns TEXT);
CREATE TABLE cv_grants (employee_id INTEGER, command INTEGER, action TEXT);
CREATE TABLE cv_report_formats (id INTEGER PRIMARY KEY, report_code TEXT NOT NULL, name TEXT NOT NULL,
    is_default INTEGER NOT NULL DEFAULT 0, template TEXT NOT NULL);
-- Audit reports: a row with a ReportCode is a report whose ID is a script id.
CREATE TABLE cv_report_tree (ID INTEGER PRIMARY KEY, ParentID INT, Name NVARCHAR(60) NOT NULL,
    ReportCode VARCHAR(60) NOT NULL DEFAULT '');

-- Departments.
CREATE TABLE BCK1 (
    BCK01 INTEGER PRIMARY KEY,
    BCK02 VARCHAR(20) NOT NULL UNIQUE,   -- code
    BCK03 NVARCHAR(50) NOT NULL,         -- name
    BCK04 VARCHAR(20),                   -- pinyin initials
    BCK05 NVARCHAR(10)                   -- kind: 临床, 医技, 药剂, 行政
);

-- Employees; BCE01 is the user id the host logs in with.
CREATE TABLE BCE1 (
    BCE01 INTEGER PRIMARY KEY,
    BCE02 VARCHAR(20) NOT NULL UNIQUE,   -- staff number
    BCE03 NVARCHAR(30) NOT NULL,         -- name
    BCE04 VARCHAR(20),                   -- pinyin initials
    BCK01 INT NOT NULL,                  -- department
    BCE05 NVARCHAR(20)                   -- title
);

-- Patients.
CREATE TABLE VAA1 (
    VAA01 INTEGER PRIMARY KEY,
    VAA04 VARCHAR(20),                   -- hospital number
    VAA05 NVARCHAR(30) NOT NULL,         -- name
    VAA06 VARCHAR(20),                   -- pinyin initials
    ABW01 INT,                           -- sex: 1 男, 2 女
    VAA12 DATE                           -- birth date
);

-- Visits ("就诊"): VAA07 is the visit id.
CREATE TABLE VAC1 (
    VAA07 INTEGER PRIMARY KEY,
    VAA01 INT NOT NULL,
    ACF01 INT NOT NULL CHECK (ACF01 IN (1, 2)),  -- 1 门诊, 2 住院
    BCK01 INT NOT NULL,                  -- department
    BCE01 INT,                           -- doctor in charge
    BCQ04 VARCHAR(10),                   -- bed (inpatients)
    VAC08 DATETIME NOT NULL              -- visit or admission time
);
CREATE INDEX VAC1_VAA01 ON VAC1 (VAA01);

-- Drugs.
CREATE TABLE BBY1 (
    BBY01 INTEGER PRIMARY KEY,
    BBY02 VARCHAR(20) NOT NULL UNIQUE,   -- code
    BBY03 VARCHAR(30),                   -- pinyin initials
    BBY05 NVARCHAR(60) NOT NULL,         -- name
    BBY06 NVARCHAR(40),                  -- strength and pack size
    BBY08 NVARCHAR(10),                  -- packing unit
    BBY09 NVARCHAR(10),                  -- dose unit
    BBY10 DECIMAL(18, 4),                -- usual single dose
    BBY11 VARCHAR(10),                   -- usual frequency
    BBY12 MONEY,                         -- retail price per packing unit
    BBY15 INT NOT NULL DEFAULT 0         -- 0 general; 1 restricted; 2 special use (needs approval)
);

-- Doctors' medication applications.
CREATE TABLE VDZ1 (
    VDZ01 INTEGER PRIMARY KEY AUTOINCREMENT,
    ACF01 INT,                           -- 1 门诊, 2 住院
    VAA01 INT NOT NULL,
    VAA07 INT NOT NULL,
    BBY01 INT NOT NULL,
    VDZ08 DATETIME NOT NULL,             -- applied at
    VDZ09 INT NOT NULL,                  -- days applied for
    VDZ12 DATETIME,                      -- approved from
    VDZ13 DATETIME,                      -- approved until
    VDZ14 INT,                           -- days approved
    VDZ15 DATETIME,                      -- last stamp
    VDZ16 NVARCHAR(200),                 -- remark
    VDZ17 INT NOT NULL DEFAULT 0 CHECK (VDZ17 IN (0, 1)),  -- 0 申请, 1 已审批
    VDZ18 MONEY,                         -- dose
    VDZ19 NVARCHAR(10),                  -- unit
    VDZ20 MONEY,                         -- quantity approved
    BCE01 INT NOT NULL,                  -- applicant
    BCE03 NVARCHAR(30),
    BCE01A INT,                          -- approver
    BCE03A NVARCHAR(30)
);
CREATE INDEX VDZ1_BCE01 ON VDZ1 (BCE01);
CREATE INDEX VDZ1_BCE01A ON VDZ1 (BCE01A);

-- Treatment items; BDA01 'S' are operations and anaesthesia.
CREATE TABLE BBX1 (
    BBX01 INTEGER PRIMARY KEY,
    BBX02 VARCHAR(20) NOT NULL UNIQUE,   -- code (ICD-9-CM-3)
    BBX03 VARCHAR(30),                   -- pinyin initials
    BBX05 NVARCHAR(80) NOT NULL,         -- name
    BBX06 NVARCHAR(10),                  -- operation grade
    BDA01 VARCHAR(2) NOT NULL
);

-- Categories of the items of an operation application. Staff categories
-- (ACE03 = 1) name a member of staff; the others a value. "02" (assistants)
-- is numbered "021", "022", ... when an application is approved.
CREATE TABLE ACE1 (
    ACE01 VARCHAR(4) PRIMARY KEY,
    ACE02 NVARCHAR(30) NOT NULL,
    ACE03 INT NOT NULL DEFAULT 0,
    ACE04 INT NOT NULL DEFAULT 0         -- display order
);

-- Prescriptions. CBM06: 0 西药, 1 中成药, 2 中草药.
CREATE TABLE CBM1 (
    CBM01 INTEGER PRIMARY KEY,
    VAA01 INT NOT NULL,
    VAA07 INT NOT NULL,
    ACF01 INT NOT NULL,
    CBM06 INT NOT NULL,
    CBM07 DATETIME NOT NULL,             -- written at
    BCE01 INT NOT NULL,                  -- doctor
    BCE03 NVARCHAR(30),
    BCK01 INT NOT NULL
);

-- Orders: operation applications (BDA01 'S'; additional operations point to
-- their application through VAF01A) and the lines of prescriptions (CBM01).
CREATE TABLE VAF1 (
    VAF01 INTEGER PRIMARY KEY AUTOINCREMENT,
    VAF01A INT,                          -- application of an additional operation
    CBM01 INT,                           -- prescription of a drug line
    VAA01 INT NOT NULL,
    VAF04 INT NOT NULL,                  -- source: 1 门诊, 2 住院
    VAF06 INT NOT NULL,                  -- visit id
    BDA01 VARCHAR(2) NOT NULL,           -- 1 西药, 2 中成药, 3 中草药, S 手术
    BBX01 INT,
    BBY01 INT,
    VAF10 INT NOT NULL DEFAULT 1,        -- operations: 1 待审批, 2 已审批
    VAF14 DATETIME NOT NULL,             -- ordered or applied at
    VAF18 DECIMAL(18, 4),                -- dose
    BDG02 NVARCHAR(10),                  -- dose unit
    VAF21 DECIMAL(18, 4),                -- total quantity
    BDG02A NVARCHAR(10),                 -- unit of the total
    VAF22 NVARCHAR(200),                 -- content: operation or drug
    VAF23 NVARCHAR(200),                 -- doctor's instruction
    VAF26 VARCHAR(10),                   -- frequency
    VAF30 VARCHAR(40),                   -- administration times
    VAF35 INT NOT NULL DEFAULT 0,        -- urgent
    VAF55 NVARCHAR(100),                 -- remark
    VAF58 INT,                           -- execution kind
    VAF59 INT,                           -- group
    VAF60 VARCHAR(20),                   -- drip rate
    BCK01B INT,                          -- executing department
    BCK01C INT,                          -- applying department
    BCE01A INT,                          -- applicant
    BCE03A NVARCHAR(30)
);
CREATE INDEX VAF1_VAF01A ON VAF1 (VAF01A);
CREATE INDEX VAF1_CBM01 ON VAF1 (CBM01);
CREATE INDEX VAF1_BCK01C ON VAF1 (BCK01C, VAF14);

-- Approvals of operation applications.
CREATE TABLE VEI1 (
    VEI01 INTEGER PRIMARY KEY AUTOINCREMENT,
    VAF01 INT NOT NULL UNIQUE,
    BCE01 INT NOT NULL,                  -- approver
    BCE03 NVARCHAR(30),
    VEI04 DATETIME NOT NULL              -- approved at
);

-- Items of operation applications ("手术申请单").
CREATE TABLE VEJ1 (
    VEJ01 INTEGER PRIMARY KEY AUTOINCREMENT,
    VAF01 INT NOT NULL,
    VEJ02 INT NOT NULL,                  -- order within the application
    ACE01 VARCHAR(4) NOT NULL,
    BCE01 INT NOT NULL DEFAULT 0,        -- member of staff (staff categories)
    BCE02 NVARCHAR(60),                  -- item: staff number or category name
    BCE03 NVARCHAR(100)                  -- value: staff name or the value
);
CREATE INDEX VEJ1_VAF01 ON VEJ1 (VAF01, VEJ02);

-- Diagnoses of prescriptions.
CREATE TABLE VAO1 (
    VAO01 INTEGER PRIMARY KEY,
    CBM01 INT NOT NULL,
    VAA07 INT NOT NULL,
    VAO12 VARCHAR(20),                   -- ICD-10
    VAO15 NVARCHAR(100) NOT NULL,        -- diagnosis
    VAO16 INT NOT NULL DEFAULT 1         -- order
);
CREATE INDEX VAO1_CBM01 ON VAO1 (CBM01);

-- Pharmacists' audit records of prescriptions.
-- VFK12: 0 申请, 1 审核通过, 2 审核不通过, 3 强行通过.
CREATE TABLE VFK1 (
    VFK01 INTEGER PRIMARY KEY AUTOINCREMENT,
    CBM01 INT NOT NULL,
    VAA01 INT NOT NULL,
    VAA07 INT NOT NULL,
    ACF01 INT NOT NULL,
    VFK08 DATETIME NOT NULL,             -- submitted at
    VFK12 INT NOT NULL DEFAULT 0 CHECK (VFK12 IN (0, 1, 2, 3)),
    VFK13 NVARCHAR(200),                 -- reason of a rejection
    VFK14 NVARCHAR(200),                 -- doctor's reason for not changing the prescription
    VFK15 DATETIME,                      -- audited at
    BCE01A INT NOT NULL,                 -- prescribing doctor
    BCE03A NVARCHAR(30),
    BCE01B INT,                          -- auditor
    BCE03B NVARCHAR(30)
);
CREATE INDEX VFK1_CBM01 ON VFK1 (CBM01);
CREATE INDEX VFK1_VFK12 ON VFK1 (VFK12, VFK08);

-- Problem factors: rejection reasons of the audit.
CREATE TABLE BLK1 (
    BLK01 INTEGER PRIMARY KEY,
    BLK02 VARCHAR(20) NOT NULL UNIQUE,   -- code
    BLK03 VARCHAR(30),                   -- pinyin initials
    BLK04 NVARCHAR(100) NOT NULL,        -- reason
    BLK05 NVARCHAR(20)                   -- kind
);

-- Audits the ticked prescriptions: @lxml holds one Root/VFK1/Ie element per
-- audit record (VFK01, or else CBM01 for the prescription's latest record);
-- @operate is 1 (审核通过) or 2 (审核不通过); @lbce01 and @lbce03 are the
-- pharmacist. Each record gets the status, the reason, the auditor and the
-- time. Rows with FCheck = 0 are not audited. Everything is checked first, so
-- a refused document changes nothing.

WITH doc AS (
    SELECT coalesce(CAST(json_extract(attrs, '$.RecordID') AS INTEGER), ord) AS n,
           CAST(json_extract(attrs, '$.VFK01') AS INTEGER) AS VFK01,
           CAST(json_extract(attrs, '$.CBM01') AS INTEGER) AS CBM01,
           nullif(trim(json_extract(attrs, '$.VFK13')), '') AS VFK13,
           json_extract(attrs, '$.VAA05') AS VAA05
    FROM cv_xml_rows(:lxml, '/Root/VFK1/Ie')
    WHERE coalesce(CAST(json_extract(attrs, '$.FCheck') AS INTEGER), 1) <> 0
),
target AS (
    SELECT d.*, coalesce(d.VFK01, (SELECT max(f.VFK01) FROM VFK1 f WHERE f.CBM01 = d.CBM01)) AS id
    FROM doc d
),
problem (k, message) AS (
    SELECT 0, CASE
        WHEN coalesce(CAST(:operate AS INTEGER), 0) NOT IN (1, 2)
            THEN '审核操作无效（只能是1审核通过或2审核不通过）'
        WHEN NOT EXISTS (SELECT 1 FROM BCE1 e WHERE e.BCE01 = CAST(:lbce01 AS INTEGER))
            THEN '审核药师不存在（BCE01=' || coalesce(:lbce01, '') || '）'
    END
    UNION ALL
    SELECT t.n, '第' || t.n || '行' || coalesce('（' || t.VAA05 || '）', '') || CASE
        WHEN f.VFK01 IS NULL
            THEN '审核记录不存在（医嘱ID=' || coalesce(t.CBM01, '') || '）'
        WHEN CAST(:operate AS INTEGER) = 2 AND t.VFK13 IS NULL
            THEN '审核不通过必须填写不通过原因'
        WHEN f.VFK12 = 3 THEN '处方已强行通过，不能再审核'
        WHEN f.VFK12 IN (1, 2) AND f.BCE01B IS NOT CAST(:lbce01 AS INTEGER)
            THEN '处方已由' || coalesce(f.BCE03B, f.BCE01B, '') || '审核，不能重复审核'
    END
    FROM target t
    LEFT JOIN VFK1 f ON f.VFK01 = t.id
)
SELECT cv_raise('处方审核失败：' || message || '。')
FROM (SELECT message FROM problem WHERE message IS NOT NULL ORDER BY k LIMIT 1);

WITH doc AS (
    SELECT CAST(json_extract(attrs, '$.VFK01') AS INTEGER) AS VFK01,
           CAST(json_extract(attrs, '$.CBM01') AS INTEGER) AS CBM01,
           nullif(trim(json_extract(attrs, '$.VFK13')), '') AS VFK13
    FROM cv_xml_rows(:lxml, '/Root/VFK1/Ie')
    WHERE coalesce(CAST(json_extract(attrs, '$.FCheck') AS INTEGER), 1) <> 0
),
target AS (
    SELECT coalesce(d.VFK01, (SELECT max(f.VFK01) FROM VFK1 f WHERE f.CBM01 = d.CBM01)) AS id, d.VFK13
    FROM doc d
)
UPDATE VFK1 SET
    VFK12 = CAST(:operate AS INTEGER),
    VFK13 = t.VFK13,
    VFK15 = datetime('now', 'localtime'),
    BCE01B = CAST(:lbce01 AS INTEGER),
    BCE03B = coalesce(nullif(trim(:lbce03), ''),
                      (SELECT e.BCE03 FROM BCE1 e WHERE e.BCE01 = CAST(:lbce01 AS INTEGER)))
FROM target t
WHERE VFK1.VFK01 = t.id;

-- Approves one operation application. @XML holds the approver
-- (Root/Param/Ie: UserID, UserName), the application's header (Root/VEI1/Ie),
-- its items (Root/VEJ1/Ie) and its additional operations (Root/VEK1/Ie).
-- The header's fields are stored, the approval is recorded, the items are
-- replaced by the document's, and the additional operations are brought in
-- line with it: rows with VAF01 > 0 are updated, rows without are added, and
-- operations missing from the document are removed. A table whose element is
-- missing from the document is left alone. Everything is checked first, so a
-- refused document changes nothing.

WITH param AS (
    SELECT CAST(json_extract(attrs, '$.UserID') AS INTEGER) AS UserID
    FROM cv_xml_rows(:XML, '/Root/Param/Ie') LIMIT 1
),
head AS (
    SELECT CAST(json_extract(attrs, '$.VAF01') AS INTEGER) AS VAF01,
           substr(replace(nullif(trim(json_extract(attrs, '$.VAF14')), ''), 'T', ' '), 1, 19) AS VAF14,
           nullif(trim(json_extract(attrs, '$.VAF22')), '') AS VAF22,
           CAST(json_extract(attrs, '$.VAF35') AS INTEGER) AS VAF35
    FROM cv_xml_rows(:XML, '/Root/VEI1/Ie')
),
app AS (
    SELECT a.VAF01, a.BCE01A FROM VAF1 a
    WHERE a.VAF01 = (SELECT VAF01 FROM head) AND a.BDA01 = 'S' AND a.VAF01A IS NULL
),
item AS (
    SELECT coalesce(CAST(json_extract(attrs, '$.RecordID') AS INTEGER), ord) AS n,
           CAST(json_extract(attrs, '$.VAF01') AS INTEGER) AS VAF01,
           nullif(trim(json_extract(attrs, '$.ACE01')), '') AS ACE01,
           CAST(json_extract(attrs, '$.BCE01') AS INTEGER) AS BCE01
    FROM cv_xml_rows(:XML, '/Root/VEJ1/Ie')
),
op AS (
    SELECT coalesce(CAST(json_extract(attrs, '$.RecordID') AS INTEGER), ord) AS n,
           CAST(json_extract(attrs, '$.VAF01') AS INTEGER) AS VAF01,
           CAST(json_extract(attrs, '$.VAF01A') AS INTEGER) AS VAF01A,
           CAST(json_extract(attrs, '$.BBX01') AS INTEGER) AS BBX01,
           CAST(json_extract(attrs, '$.BCK01B') AS INTEGER) AS BCK01B
    FROM cv_xml_rows(:XML, '/Root/VEK1/Ie')
),
problem (k, message) AS (
    SELECT 0, CASE
        WHEN NOT EXISTS (SELECT 1 FROM param WHERE UserID > 0)
            THEN '缺少审批人（/Root/Param/Ie 的 UserID）'
        WHEN NOT EXISTS (SELECT 1 FROM param p JOIN BCE1 e ON e.BCE01 = p.UserID)
            THEN '审批人不存在（UserID=' || (SELECT UserID FROM param) || '）'
        WHEN (SELECT count(*) FROM head) <> 1
            THEN '文档必须包含且只包含一张手术申请单（/Root/VEI1/Ie）'
        WHEN NOT EXISTS (SELECT 1 FROM app)
            THEN '手术申请不存在或已被删除（VAF01=' || coalesce((SELECT VAF01 FROM head), '') || '）'
        WHEN (SELECT BCE01A FROM app) = (SELECT UserID FROM param)
            THEN '不能审批本人提交的手术申请'
        WHEN EXISTS (SELECT 1 FROM VEI1 e, param p WHERE e.VAF01 = (SELECT VAF01 FROM app) AND e.BCE01 <> p.UserID)
            THEN '该手术申请已由' || (SELECT e.BCE03 FROM VEI1 e WHERE e.VAF01 = (SELECT VAF01 FROM app)) || '审批，不能再次审批'
        WHEN (SELECT VAF22 FROM head) IS NULL THEN '拟施手术不能为空'
        WHEN (SELECT datetime(VAF14) FROM head) IS NULL THEN '申请时间无效'
    END
    UNION ALL
    SELECT 1000000 + i.n, '手术申请单第' || i.n || '行' || CASE
        WHEN i.VAF01 IS NOT NULL AND i.VAF01 <> (SELECT VAF01 FROM head)
            THEN '不属于本申请（VAF01=' || i.VAF01 || '）'
        WHEN i.ACE01 IS NULL OR NOT (i.ACE01 GLOB '02[0-9]*' OR EXISTS (SELECT 1 FROM ACE1 c WHERE c.ACE01 = i.ACE01))
            THEN '未选择分类'
        WHEN coalesce(i.BCE01, 0) <= 0 AND EXISTS (SELECT 1 FROM ACE1 c WHERE c.ACE01 = i.ACE01 AND c.ACE03 = 1)
            THEN '未选择人员'
        WHEN i.BCE01 > 0 AND NOT EXISTS (SELECT 1 FROM BCE1 e WHERE e.BCE01 = i.BCE01)
            THEN '人员不存在（BCE01=' || i.BCE01 || '）'
    END
    FROM item i
    UNION ALL
    SELECT 2000000 + o.n, '附加手术第' || o.n || '行' || CASE
        WHEN o.VAF01A IS NOT NULL AND o.VAF01A <> (SELECT VAF01 FROM head)
            THEN '不属于本申请（VAF01A=' || o.VAF01A || '）'
        WHEN o.VAF01 > 0 AND NOT EXISTS (SELECT 1 FROM VAF1 x WHERE x.VAF01 = o.VAF01 AND x.VAF01A = (SELECT VAF01 FROM head))
            THEN '不存在或不属于本申请（VAF01=' || o.VAF01 || '）'
        WHEN o.VAF01 > 0 AND (SELECT count(*) FROM op x WHERE x.VAF01 = o.VAF01) > 1
            THEN '重复（VAF01=' || o.VAF01 || '）'
        WHEN coalesce(o.BBX01, 0) <= 0 THEN '未从手术目录中选择手术'
        WHEN NOT EXISTS (SELECT 1 FROM BBX1 b WHERE b.BBX01 = o.BBX01 AND b.BDA01 = 'S')
            THEN '手术不存在（BBX01=' || o.BBX01 || '）'
        WHEN o.BCK01B IS NOT NULL AND NOT EXISTS (SELECT 1 FROM BCK1 k WHERE k.BCK01 = o.BCK01B)
            THEN '执行科室不存在（BCK01B=' || o.BCK01B || '）'
    END
    FROM op o
)
SELECT cv_raise('手术审批失败：' || message || '。')
FROM (SELECT message FROM problem WHERE message IS NOT NULL ORDER BY k LIMIT 1);

-- The header as the approver completed it.
WITH head AS (
    SELECT CAST(json_extract(attrs, '$.VAF01') AS INTEGER) AS VAF01,
           substr(replace(nullif(trim(json_extract(attrs, '$.VAF14')), ''), 'T', ' '), 1, 19) AS VAF14,
           nullif(trim(json_extract(attrs, '$.VAF22')), '') AS VAF22,
           nullif(trim(json_extract(attrs, '$.VAF23')), '') AS VAF23,
           coalesce(CAST(json_extract(attrs, '$.VAF35') AS INTEGER), 0) AS VAF35
    FROM cv_xml_rows(:XML, '/Root/VEI1/Ie')
)
UPDATE VAF1 SET VAF14 = h.VAF14, VAF22 = h.VAF22, VAF23 = h.VAF23, VAF35 = h.VAF35, VAF10 = 2
FROM head h
WHERE VAF1.VAF01 = h.VAF01;

-- The approval and its approver; approving again renews the time.
WITH param AS (
    SELECT CAST(json_extract(attrs, '$.UserID') AS INTEGER) AS UserID
    FROM cv_xml_rows(:XML, '/Root/Param/Ie') LIMIT 1
)
INSERT INTO VEI1 (VAF01, BCE01, BCE03, VEI04)
SELECT (SELECT CAST(json_extract(attrs, '$.VAF01') AS INTEGER) FROM cv_xml_rows(:XML, '/Root/VEI1/Ie')),
       e.BCE01, e.BCE03, datetime('now', 'localtime')
FROM param p JOIN BCE1 e ON e.BCE01 = p.UserID
WHERE true
ON CONFLICT (VAF01) DO UPDATE SET BCE01 = excluded.BCE01, BCE03 = excluded.BCE03, VEI04 = excluded.VEI04;

-- Items: replaced by the document's, in its order.
DELETE FROM VEJ1
WHERE VAF01 = (SELECT CAST(json_extract(attrs, '$.VAF01') AS INTEGER) FROM cv_xml_rows(:XML, '/Root/VEI1/Ie'))
  AND EXISTS (SELECT 1 FROM cv_xml_rows(:XML, '/Root/VEJ1'));

INSERT INTO VEJ1 (VAF01, VEJ02, ACE01, BCE01, BCE02, BCE03)
SELECT (SELECT CAST(json_extract(attrs, '$.VAF01') AS INTEGER) FROM cv_xml_rows(:XML, '/Root/VEI1/Ie')),
       coalesce(CAST(json_extract(attrs, '$.RecordID') AS INTEGER), ord),
       trim(json_extract(attrs, '$.ACE01')),
       coalesce(CAST(json_extract(attrs, '$.BCE01') AS INTEGER), 0),
       json_extract(attrs, '$.BCE02'),
       json_extract(attrs, '$.BCE03')
FROM cv_xml_rows(:XML, '/Root/VEJ1/Ie')
ORDER BY ord;

-- Additional operations: removed when the document no longer lists them.
DELETE FROM VAF1
WHERE VAF01A = (SELECT CAST(json_extract(attrs, '$.VAF01') AS INTEGER) FROM cv_xml_rows(:XML, '/Root/VEI1/Ie'))
  AND EXISTS (SELECT 1 FROM cv_xml_rows(:XML, '/Root/VEK1'))
  AND VAF01 NOT IN (SELECT CAST(json_extract(attrs, '$.VAF01') AS INTEGER)
                    FROM cv_xml_rows(:XML, '/Root/VEK1/Ie')
                    WHERE CAST(json_extract(attrs, '$.VAF01') AS INTEGER) > 0);

WITH op AS (
    SELECT CAST(json_extract(attrs, '$.VAF01') AS INTEGER) AS VAF01,
           CAST(json_extract(attrs, '$.BBX01') AS INTEGER) AS BBX01,
           nullif(trim(json_extract(attrs, '$.VAF22')), '') AS VAF22,
           CAST(json_extract(attrs, '$.BCK01B') AS INTEGER) AS BCK01B
    FROM cv_xml_rows(:XML, '/Root/VEK1/Ie')
)
UPDATE VAF1 SET BBX01 = o.BBX01,
    VAF22 = coalesce(o.VAF22, (SELECT b.BBX05 FROM BBX1 b WHERE b.BBX01 = o.BBX01)),
    BCK01B = o.BCK01B
FROM op o
WHERE o.VAF01 > 0 AND VAF1.VAF01 = o.VAF01;

WITH op AS (
    SELECT coalesce(CAST(json_extract(attrs, '$.RecordID') AS INTEGER), ord) AS n,
           CAST(json_extract(attrs, '$.VAF01') AS INTEGER) AS VAF01,
           CAST(json_extract(attrs, '$.BBX01') AS INTEGER) AS BBX01,
           nullif(trim(json_extract(attrs, '$.VAF22')), '') AS VAF22,
           CAST(json_extract(attrs, '$.BCK01B') AS INTEGER) AS BCK01B
    FROM cv_xml_rows(:XML, '/Root/VEK1/Ie')
)
INSERT INTO VAF1 (VAF01A, VAA01, VAF04, VAF06, BDA01, BBX01, VAF10, VAF14, VAF22, BCK01B, BCK01C, BCE01A, BCE03A)
SELECT a.VAF01, a.VAA01, a.VAF04, a.VAF06, 'S', o.BBX01, 2, a.VAF14,
       coalesce(o.VAF22, (SELECT b.BBX05 FROM BBX1 b WHERE b.BBX01 = o.BBX01)),
       o.BCK01B, a.BCK01C, a.BCE01A, a.BCE03A
FROM op o
JOIN VAF1 a ON a.VAF01 = (SELECT CAST(json_extract(attrs, '$.VAF01') AS INTEGER) FROM cv_xml_rows(:XML, '/Root/VEI1/Ie'))
WHERE coalesce(o.VAF01, 0) <= 0
ORDER BY o.n;

UPDATE VAF1 SET VAF10 = 2
WHERE VAF01A = (SELECT CAST(json_extract(attrs, '$.VAF01') AS INTEGER) FROM cv_xml_rows(:XML, '/Root/VEI1/Ie'));

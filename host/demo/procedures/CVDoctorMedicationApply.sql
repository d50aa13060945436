-- Saves the medication application grid: @XML holds one Root/VDZ1/Ie element
-- per row. A row without VDZ01 (or with VDZ01 <= 0) is a new application;
-- any other row updates the application with that VDZ01. Every row is checked
-- before anything is written, so a refused document changes nothing.
-- Dates arrive as "yyyy-mm-dd hh:nn:ss:zzz"; only the first 19 characters count.

SELECT cv_raise('保存用药申请失败：文档中没有 /Root/VDZ1 节点。')
WHERE NOT EXISTS (SELECT 1 FROM cv_xml_rows(:XML, '/Root/VDZ1'));

WITH doc AS (
    SELECT coalesce(CAST(json_extract(attrs, '$.RecordID') AS INTEGER), ord) AS n,
           CAST(json_extract(attrs, '$.VDZ01') AS INTEGER) AS VDZ01,
           CAST(json_extract(attrs, '$.VAA01') AS INTEGER) AS VAA01,
           CAST(json_extract(attrs, '$.VAA07') AS INTEGER) AS VAA07,
           CAST(json_extract(attrs, '$.BBY01') AS INTEGER) AS BBY01,
           CAST(json_extract(attrs, '$.VDZ09') AS INTEGER) AS VDZ09,
           CAST(json_extract(attrs, '$.VDZ14') AS INTEGER) AS VDZ14,
           CAST(json_extract(attrs, '$.VDZ17') AS INTEGER) AS VDZ17,
           CAST(json_extract(attrs, '$.VDZ18') AS REAL) AS VDZ18,
           CAST(json_extract(attrs, '$.VDZ20') AS REAL) AS VDZ20,
           CAST(json_extract(attrs, '$.BCE01') AS INTEGER) AS BCE01,
           CAST(json_extract(attrs, '$.BCE01A') AS INTEGER) AS BCE01A,
           substr(replace(nullif(trim(json_extract(attrs, '$.VDZ08')), ''), 'T', ' '), 1, 19) AS VDZ08,
           substr(replace(nullif(trim(json_extract(attrs, '$.VDZ12')), ''), 'T', ' '), 1, 19) AS VDZ12,
           substr(replace(nullif(trim(json_extract(attrs, '$.VDZ13')), ''), 'T', ' '), 1, 19) AS VDZ13,
           substr(replace(nullif(trim(json_extract(attrs, '$.VDZ15')), ''), 'T', ' '), 1, 19) AS VDZ15
    FROM cv_xml_rows(:XML, '/Root/VDZ1/Ie')
),
problem AS (
    SELECT d.n, CASE
        WHEN d.VDZ01 > 0 AND s.VDZ01 IS NULL
            THEN '用药申请不存在或已被删除（VDZ01=' || d.VDZ01 || '）'
        WHEN d.VDZ01 > 0 AND (SELECT count(*) FROM doc x WHERE x.VDZ01 = d.VDZ01) > 1
            THEN '同一用药申请出现了多次（VDZ01=' || d.VDZ01 || '）'
        WHEN coalesce(d.VAA01, s.VAA01) IS NULL THEN '患者不能为空'
        WHEN d.VAA07 IS NULL THEN '就诊ID不能为空'
        WHEN d.BBY01 IS NULL THEN '药品名称不能为空'
        WHEN NOT EXISTS (SELECT 1 FROM BBY1 y WHERE y.BBY01 = d.BBY01)
            THEN '药品不存在（BBY01=' || d.BBY01 || '）'
        WHEN d.VDZ09 IS NULL THEN '申请用药天数不能为空'
        WHEN d.VDZ09 <= 0 THEN '申请用药天数必须大于0'
        WHEN d.VDZ18 IS NOT NULL AND d.VDZ18 <= 0 THEN '药品用量必须大于0'
        WHEN d.VDZ20 IS NOT NULL AND d.VDZ20 < 0 THEN '审批用药数量不能为负数'
        WHEN d.VDZ14 IS NOT NULL AND d.VDZ14 < 0 THEN '审批用药天数不能为负数'
        WHEN (d.VDZ08 IS NOT NULL AND datetime(d.VDZ08) IS NULL)
          OR (d.VDZ12 IS NOT NULL AND datetime(d.VDZ12) IS NULL)
          OR (d.VDZ13 IS NOT NULL AND datetime(d.VDZ13) IS NULL)
          OR (d.VDZ15 IS NOT NULL AND datetime(d.VDZ15) IS NULL) THEN '日期格式无效'
        WHEN d.VDZ12 IS NOT NULL AND d.VDZ13 IS NOT NULL AND datetime(d.VDZ13) < datetime(d.VDZ12)
            THEN '审批用药终止时间不能早于开始时间'
        WHEN coalesce(s.BCE01, d.BCE01) IS NULL THEN '申请医生不能为空'
        WHEN s.VDZ01 IS NULL AND NOT EXISTS (SELECT 1 FROM BCE1 e WHERE e.BCE01 = d.BCE01)
            THEN '申请医生不存在（BCE01=' || d.BCE01 || '）'
        WHEN d.VDZ17 IS NULL OR d.VDZ17 NOT IN (0, 1) THEN '审批状态无效'
        WHEN s.VDZ17 = 1 AND d.BCE01A IS NOT s.BCE01A
            THEN '该申请已由' || coalesce(s.BCE03A, s.BCE01A) || '审批，不能再修改'
        WHEN d.VDZ17 = 1 AND d.BCE01A IS NULL THEN '审批人不能为空'
        WHEN d.VDZ17 = 1 AND d.BCE01A = coalesce(s.BCE01, d.BCE01) THEN '不能审批本人提交的用药申请'
        WHEN d.VDZ17 = 1 AND NOT EXISTS (SELECT 1 FROM BCE1 e WHERE e.BCE01 = d.BCE01A)
            THEN '审批人不存在（BCE01A=' || d.BCE01A || '）'
    END AS message
    FROM doc d
    LEFT JOIN VDZ1 s ON s.VDZ01 = d.VDZ01 AND d.VDZ01 > 0
)
SELECT cv_raise('保存用药申请失败：第' || n || '行' || message || '。')
FROM (SELECT n, message FROM problem WHERE message IS NOT NULL ORDER BY n LIMIT 1);

-- Existing applications. Once approved, what the doctor applied for stays as
-- approved; only the approver's fields change.
WITH doc AS (
    SELECT CAST(json_extract(attrs, '$.VDZ01') AS INTEGER) AS VDZ01,
           CAST(json_extract(attrs, '$.ACF01') AS INTEGER) AS ACF01,
           CAST(json_extract(attrs, '$.VAA01') AS INTEGER) AS VAA01,
           CAST(json_extract(attrs, '$.VAA07') AS INTEGER) AS VAA07,
           CAST(json_extract(attrs, '$.BBY01') AS INTEGER) AS BBY01,
           CAST(json_extract(attrs, '$.VDZ09') AS INTEGER) AS VDZ09,
           CAST(json_extract(attrs, '$.VDZ14') AS INTEGER) AS VDZ14,
           CAST(json_extract(attrs, '$.VDZ17') AS INTEGER) AS VDZ17,
           CAST(json_extract(attrs, '$.VDZ18') AS REAL) AS VDZ18,
           CAST(json_extract(attrs, '$.VDZ20') AS REAL) AS VDZ20,
           CAST(json_extract(attrs, '$.BCE01A') AS INTEGER) AS BCE01A,
           json_extract(attrs, '$.BCE03A') AS BCE03A,
           json_extract(attrs, '$.VDZ16') AS VDZ16,
           json_extract(attrs, '$.VDZ19') AS VDZ19,
           substr(replace(nullif(trim(json_extract(attrs, '$.VDZ12')), ''), 'T', ' '), 1, 19) AS VDZ12,
           substr(replace(nullif(trim(json_extract(attrs, '$.VDZ13')), ''), 'T', ' '), 1, 19) AS VDZ13,
           substr(replace(nullif(trim(json_extract(attrs, '$.VDZ15')), ''), 'T', ' '), 1, 19) AS VDZ15
    FROM cv_xml_rows(:XML, '/Root/VDZ1/Ie')
)
UPDATE VDZ1 SET
    ACF01 = iif(VDZ1.VDZ17 = 0, coalesce(d.ACF01, VDZ1.ACF01), VDZ1.ACF01),
    VAA01 = iif(VDZ1.VDZ17 = 0, coalesce(d.VAA01, VDZ1.VAA01), VDZ1.VAA01),
    VAA07 = iif(VDZ1.VDZ17 = 0, d.VAA07, VDZ1.VAA07),
    BBY01 = iif(VDZ1.VDZ17 = 0, d.BBY01, VDZ1.BBY01),
    VDZ09 = iif(VDZ1.VDZ17 = 0, d.VDZ09, VDZ1.VDZ09),
    VDZ16 = iif(VDZ1.VDZ17 = 0, d.VDZ16, VDZ1.VDZ16),
    VDZ18 = iif(VDZ1.VDZ17 = 0, d.VDZ18, VDZ1.VDZ18),
    VDZ19 = iif(VDZ1.VDZ17 = 0, d.VDZ19, VDZ1.VDZ19),
    VDZ12 = d.VDZ12,
    VDZ13 = d.VDZ13,
    VDZ14 = d.VDZ14,
    VDZ15 = iif(d.VDZ17 <> VDZ1.VDZ17, coalesce(d.VDZ15, datetime('now', 'localtime')),
                coalesce(d.VDZ15, VDZ1.VDZ15)),
    VDZ17 = d.VDZ17,
    VDZ20 = d.VDZ20,
    BCE01A = d.BCE01A,
    BCE03A = coalesce(d.BCE03A, (SELECT e.BCE03 FROM BCE1 e WHERE e.BCE01 = d.BCE01A))
FROM doc d
WHERE d.VDZ01 > 0 AND VDZ1.VDZ01 = d.VDZ01;

-- New applications, in the order of the grid.
WITH doc AS (
    SELECT coalesce(CAST(json_extract(attrs, '$.RecordID') AS INTEGER), ord) AS n,
           CAST(json_extract(attrs, '$.VDZ01') AS INTEGER) AS VDZ01,
           CAST(json_extract(attrs, '$.ACF01') AS INTEGER) AS ACF01,
           CAST(json_extract(attrs, '$.VAA01') AS INTEGER) AS VAA01,
           CAST(json_extract(attrs, '$.VAA07') AS INTEGER) AS VAA07,
           CAST(json_extract(attrs, '$.BBY01') AS INTEGER) AS BBY01,
           CAST(json_extract(attrs, '$.VDZ09') AS INTEGER) AS VDZ09,
           CAST(json_extract(attrs, '$.VDZ14') AS INTEGER) AS VDZ14,
           CAST(json_extract(attrs, '$.VDZ17') AS INTEGER) AS VDZ17,
           CAST(json_extract(attrs, '$.VDZ18') AS REAL) AS VDZ18,
           CAST(json_extract(attrs, '$.VDZ20') AS REAL) AS VDZ20,
           CAST(json_extract(attrs, '$.BCE01') AS INTEGER) AS BCE01,
           json_extract(attrs, '$.BCE03') AS BCE03,
           CAST(json_extract(attrs, '$.BCE01A') AS INTEGER) AS BCE01A,
           json_extract(attrs, '$.BCE03A') AS BCE03A,
           json_extract(attrs, '$.VDZ16') AS VDZ16,
           json_extract(attrs, '$.VDZ19') AS VDZ19,
           substr(replace(nullif(trim(json_extract(attrs, '$.VDZ08')), ''), 'T', ' '), 1, 19) AS VDZ08,
           substr(replace(nullif(trim(json_extract(attrs, '$.VDZ12')), ''), 'T', ' '), 1, 19) AS VDZ12,
           substr(replace(nullif(trim(json_extract(attrs, '$.VDZ13')), ''), 'T', ' '), 1, 19) AS VDZ13,
           substr(replace(nullif(trim(json_extract(attrs, '$.VDZ15')), ''), 'T', ' '), 1, 19) AS VDZ15
    FROM cv_xml_rows(:XML, '/Root/VDZ1/Ie')
)
INSERT INTO VDZ1 (ACF01, VAA01, VAA07, BBY01, VDZ08, VDZ09, VDZ12, VDZ13, VDZ14, VDZ15, VDZ16,
                  VDZ17, VDZ18, VDZ19, VDZ20, BCE01, BCE03, BCE01A, BCE03A)
SELECT d.ACF01, d.VAA01, d.VAA07, d.BBY01, coalesce(d.VDZ08, datetime('now', 'localtime')),
       d.VDZ09, d.VDZ12, d.VDZ13, d.VDZ14, coalesce(d.VDZ15, datetime('now', 'localtime')), d.VDZ16,
       d.VDZ17, d.VDZ18, d.VDZ19, d.VDZ20, d.BCE01,
       coalesce(d.BCE03, (SELECT e.BCE03 FROM BCE1 e WHERE e.BCE01 = d.BCE01)),
       d.BCE01A, coalesce(d.BCE03A, (SELECT e.BCE03 FROM BCE1 e WHERE e.BCE01 = d.BCE01A))
FROM doc d
WHERE coalesce(d.VDZ01, 0) <= 0
ORDER BY d.n;

-- Departments by code, name or pinyin initials.
SELECT BCK01 AS BCk01, BCK02 AS BCk02, BCK03 AS BCk03, BCK05, BCK04
FROM BCK1
WHERE coalesce(:SearchText, '') = ''
   OR BCK02 LIKE :SearchText || '%'
   OR BCK03 LIKE '%' || :SearchText || '%'
   OR BCK04 LIKE :SearchText || '%'
ORDER BY BCK02

-- Rejection reasons (problem factors) by code, text or pinyin initials.
SELECT BLK01, BLK02, BLK04, BLK05, BLK03
FROM BLK1
WHERE coalesce(:SearchText, '') = ''
   OR BLK02 LIKE :SearchText || '%'
   OR BLK04 LIKE '%' || :SearchText || '%'
   OR BLK03 LIKE :SearchText || '%'
ORDER BY BLK02

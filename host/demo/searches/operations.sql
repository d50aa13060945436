-- Operations and anaesthesia by code, name or pinyin initials.
SELECT BBX01, BBX02, BBX05, BBX06, BBX03
FROM BBX1
WHERE BDA01 = 'S'
  AND (coalesce(:SearchText, '') = ''
       OR BBX02 LIKE :SearchText || '%'
       OR BBX05 LIKE '%' || :SearchText || '%'
       OR BBX03 LIKE :SearchText || '%')
ORDER BY BBX02

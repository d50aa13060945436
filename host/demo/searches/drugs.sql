-- Drugs by code, name or pinyin initials.
SELECT BBY01, BBY02, BBY05, BBY06, BBY08, BBY12, BBY03
FROM BBY1
WHERE coalesce(:SearchText, '') = ''
   OR BBY02 LIKE :SearchText || '%'
   OR BBY05 LIKE '%' || :SearchText || '%'
   OR BBY03 LIKE :SearchText || '%'
ORDER BY BBY02

-- Staff by staff number, name or pinyin initials.
SELECT e.BCE01, e.BCE02, e.BCE03, k.BCK03, e.BCE05, e.BCE04
FROM BCE1 e
LEFT JOIN BCK1 k ON k.BCK01 = e.BCK01
WHERE coalesce(:SearchText, '') = ''
   OR e.BCE02 LIKE :SearchText || '%'
   OR e.BCE03 LIKE '%' || :SearchText || '%'
   OR e.BCE04 LIKE :SearchText || '%'
ORDER BY e.BCE02

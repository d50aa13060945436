-- Pending operation applications of a department (%d: department id) applied
-- for in [from, to) (%s, %s: quoted dates), urgent ones first.
SELECT a.VAF01, a.VAF04, p.VAA05, p.VAA04, v.BCQ04 AS BCQ04B, p.ABW01, k.BCK03 AS BCK03C,
       a.BCE03A, a.VAF14, a.VAF22, a.VAF23, a.VAF35, a.VAA01, a.VAF06
FROM VAF1 a
JOIN VAA1 p ON p.VAA01 = a.VAA01
LEFT JOIN VAC1 v ON v.VAA07 = a.VAF06
LEFT JOIN BCK1 k ON k.BCK01 = a.BCK01C
WHERE a.BDA01 = 'S' AND a.VAF01A IS NULL AND a.VAF10 = 1
  AND a.BCK01C = %d AND a.VAF14 >= %s AND a.VAF14 < %s
ORDER BY a.VAF35 DESC, a.VAF14, a.VAF01

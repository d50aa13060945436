-- Approved operation applications of a department (%d: department id)
-- approved in [from, to) (%s, %s: quoted dates), latest approval first.
SELECT a.VAF01, a.VAF04, p.VAA05, p.VAA04, v.BCQ04 AS BCQ04B, p.ABW01, k.BCK03 AS BCK03C,
       a.BCE03A, a.VAF14, a.VAF22, a.VAF23, a.VAF35, a.VAA01, a.VAF06,
       e.BCE03, e.VEI04
FROM VAF1 a
JOIN VEI1 e ON e.VAF01 = a.VAF01
JOIN VAA1 p ON p.VAA01 = a.VAA01
LEFT JOIN VAC1 v ON v.VAA07 = a.VAF06
LEFT JOIN BCK1 k ON k.BCK01 = a.BCK01C
WHERE a.BDA01 = 'S' AND a.VAF01A IS NULL AND a.VAF10 = 2
  AND a.BCK01C = %d AND e.VEI04 >= %s AND e.VEI04 < %s
ORDER BY e.VEI04 DESC, a.VAF01

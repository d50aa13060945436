-- All audit records still waiting for a pharmacist.
SELECT 0 AS FCheck, f.VFK12, f.ACF01, p.VAA05, f.VAA07, f.CBM01, f.VFK13, f.VFK14, f.VFK08,
       f.BCE01A, f.BCE03A, c.CBM06, f.VFK01, f.BCE03B, f.VFK15
FROM VFK1 f
JOIN CBM1 c ON c.CBM01 = f.CBM01
JOIN VAA1 p ON p.VAA01 = f.VAA01
WHERE f.VFK12 = 0
ORDER BY f.VFK08, f.VFK01

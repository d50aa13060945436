-- Additional operations and anaesthesia of one application (%d: VAF01).
SELECT o.VAF01, o.VAF01A, o.VAA01, o.VAF06, o.VAF04, o.BBX01, o.VAF22, o.BCK01B, k.BCK03 AS BCK03B
FROM VAF1 o
LEFT JOIN BCK1 k ON k.BCK01 = o.BCK01B
WHERE o.VAF01A = %d
ORDER BY o.VAF01

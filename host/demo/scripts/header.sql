-- Header of one operation application (%d: VAF01).
SELECT a.VAF01, a.VAF14, a.VAF22, a.VAF23, a.VAF35, a.VAA01, a.VAF06, a.VAF04, a.BBX01
FROM VAF1 a
WHERE a.VAF01 = %d AND a.BDA01 = 'S' AND a.VAF01A IS NULL

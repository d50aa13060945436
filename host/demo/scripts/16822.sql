-- Medication applications waiting for approval, oldest first.
SELECT d.VDZ01, d.VDZ17, d.ACF01, d.VAA01, p.VAA05, d.VAA07, d.BBY01, y.BBY05, y.BBY06, d.VDZ19,
       d.VDZ18, d.VDZ20, d.BCE01, d.BCE03, d.VDZ08, d.VDZ09, d.BCE01A, d.BCE03A, d.VDZ12, d.VDZ13,
       d.VDZ14, d.VDZ15, d.VDZ16
FROM VDZ1 d
LEFT JOIN BBY1 y ON y.BBY01 = d.BBY01
LEFT JOIN VAA1 p ON p.VAA01 = d.VAA01
WHERE d.VDZ17 = 0
ORDER BY d.VDZ08, d.VDZ01

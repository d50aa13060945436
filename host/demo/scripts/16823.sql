-- Patients, for showing names in the application list.
SELECT VAA01, VAA05 FROM VAA1 ORDER BY VAA01

-- Diagnoses of one prescription (%d: CBM01).
SELECT VAO15, VAO12 FROM VAO1 WHERE CBM01 = %d ORDER BY VAO16, VAO01

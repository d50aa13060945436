-- Id of a script by its code (%s: the quoted code).
SELECT id AS ID FROM cv_scripts WHERE code = %s

-- Report formats of a report code (%s: the quoted code); the default one has xDefault = 1.
SELECT name AS Name, id, is_default AS xDefault
FROM cv_report_formats
WHERE report_code = %s
ORDER BY id

-- The tree of audit reports; a row with a ReportCode is a report whose ID is a script id.
SELECT ID, ParentID, Name, ReportCode FROM cv_report_tree ORDER BY ID

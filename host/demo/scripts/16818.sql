-- Deletes one medication application (%d: VDZ01). An approved application is
-- never deleted, whatever the caller checked.
DELETE FROM VDZ1 WHERE VDZ01 = %d AND VDZ17 = 0

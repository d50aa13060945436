-- Items of one operation application (%d: VAF01), in their order.
SELECT j.VAF01, j.ACE01, j.BCE01, j.BCE02, j.BCE03
FROM VEJ1 j
WHERE j.VAF01 = %d
ORDER BY j.VEJ02, j.VEJ01

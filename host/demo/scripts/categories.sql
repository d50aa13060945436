-- Categories of the items of operation applications.
SELECT ACE01, ACE02 FROM ACE1 ORDER BY ACE04, ACE01

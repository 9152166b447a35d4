# Files — deutsche (de-DE) Meldungen.

files-time-unknown = unbekannte Zeit

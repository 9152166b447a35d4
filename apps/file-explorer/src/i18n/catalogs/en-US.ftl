# Files — English (en-US) messages.

files-time-unknown = unknown time

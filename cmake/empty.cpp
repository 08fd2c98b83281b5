// Placeholder so that a room without sources still forms a library.

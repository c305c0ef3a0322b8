/* A library with no code of note: only its resources, or their absence, matter. */
int VersionStubValue(void) { return 0; }
